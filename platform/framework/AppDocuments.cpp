// The application's document commands: its templates, a new document, and
// carrying out what the command line asked.
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/CommandLineInfo.h"
#include "platform/framework/DocTemplate.h"

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
