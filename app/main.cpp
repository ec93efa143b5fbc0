// tornel: the treasurer's bookkeeping program.
#include "app/MainFrame.h"
#include "app/RolloverDlg.h"
#include "app/PreferenceCommands.h"
#include "app/ReportCommands.h"
#include "app/ShellDialogs.h"
#include "app/TornelApp.h"
#include "common/DialogPresenters.h"
#include "platform/host/sdl/SdlHost.h"
#include "records/AccountCommands.h"
#include "records/MemberCommands.h"
#include "registers/RegisterCommands.h"

int main(int argc, char** argv) {
  platform::SelectHost(argc, argv);
  // Questions, messages and progress show as windows on a display.
  InstallDialogPresenters();
  InstallCommandStrings();
  InstallShellDialogs();
  InstallAccountDialogs();
  InstallMemberDialogs();
  InstallRegisterDialogs();
  InstallFiscalYearCommands();
  InstallPreferenceCommands();
  InstallReportCommands();
  CTornelApp app;
  int code = 1;
  if (app.InitInstance())
    code = app.Run();
  else
    app.ExitInstance();
  return code;
}
