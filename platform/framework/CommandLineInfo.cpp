// The command line as the framework reads it, and the application's
// document commands that act on it.
#include "platform/framework/CommandLineInfo.h"

#include "platform/CWinApp.h"
#include "platform/CWnd.h"
#include "platform/framework/DocTemplate.h"

std::vector<std::string> SplitCommandLine(const char* line) {
  std::vector<std::string> params;
  if (!line) return params;
  std::string current;
  bool quoted = false, any = false;
  for (const char* p = line; *p; ++p) {
    if (*p == '"') {
      quoted = !quoted;
      any = true;
    } else if ((*p == ' ' || *p == '\t') && !quoted) {
      if (any) params.push_back(current);
      current.clear();
      any = false;
    } else {
      current += *p;
      any = true;
    }
  }
  if (any) params.push_back(current);
  return params;
}

void CCommandLineInfo::ParseParam(LPCTSTR param, BOOL flag, BOOL) {
  if (!param) return;
  CString p(param);
  if (flag) {
    p.MakeLower();
    if (p == "nologo") m_bShowSplash = FALSE;
    else if (p == "embedding") m_bRunEmbedded = TRUE;
    else if (p == "automation") m_bRunAutomated = TRUE;
    else if (p == "p") m_nShellCommand = FilePrint;
    else if (p == "dde") m_nShellCommand = FileDDE;
    return;
  }
  if (m_strFileName.IsEmpty()) {
    m_strFileName = param;
    if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
  } else if (m_nShellCommand == FilePrint || m_nShellCommand == FilePrintTo) {
    m_strPrinterName = param;
  }
}

// ---- CWinApp's document commands ----

namespace {
CDocManager& managerOf(CWinApp* app) {
  if (!app->m_pDocManager) app->m_pDocManager = std::make_shared<CDocManager>();
  return *app->m_pDocManager;
}
}  // namespace

void CWinApp::AddDocTemplate(CDocTemplate* templ) { managerOf(this).AddDocTemplate(templ); }

void CWinApp::OnFileNew() {
  if (m_pDocManager) m_pDocManager->OnFileNew();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
  const std::vector<std::string> params = SplitCommandLine(m_lpCmdLine);
  for (size_t i = 0; i < params.size(); ++i) {
    const std::string& p = params[i];
    const bool flag = p.size() > 1 && (p[0] == '-' || p[0] == '/');
    info.ParseParam(flag ? p.c_str() + 1 : p.c_str(), flag, i + 1 == params.size());
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      if (!m_pDocManager || m_pDocManager->GetTemplateCount() == 0) return FALSE;
      return m_pDocManager->GetTemplate(0)->OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
      return TRUE;
    default:
      // Printing from the command line, DDE and registration are not offered.
      return FALSE;
  }
}
