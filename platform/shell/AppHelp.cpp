// The application's help: WinHelp on its help file over its main window.
#include <string>

#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/shell/Help.h"

void CWinApp::WinHelp(DWORD_PTR data, UINT command) {
  std::string file;
  if (m_pszHelpFilePath) file = m_pszHelpFilePath;
  else file = std::string(m_pszExeName ? m_pszExeName : m_pszAppName ? m_pszAppName : "kestrova") + ".hlp";
  CWnd* main = GetMainWnd();
  ::WinHelp(main ? main->GetSafeHwnd() : nullptr, file.c_str(), command, data);
}
