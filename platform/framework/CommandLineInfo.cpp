// The command line as the framework reads it.
#include "platform/framework/CommandLineInfo.h"

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
