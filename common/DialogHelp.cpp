#include "common/DialogHelp.h"

#include "platform/framework/CWinApp.h"
#include "platform/shell/Help.h"
#include "res/resource.h"

bool DialogHelpCommand(WPARAM wParam, DWORD helpContext) {
  if (LOWORD(wParam) != IDC_SHELL_HELP) return false;
  if (CWinApp* app = AfxGetApp()) app->WinHelp(helpContext, HELP_CONTEXT);
  return true;
}
