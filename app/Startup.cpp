#include "app/Startup.h"

#include "app/AmountCalculator.h"
#include "app/GridPreview.h"
#include "app/MainFrame.h"
#include "app/PreferenceCommands.h"
#include "app/ReportCommands.h"
#include "app/RolloverDlg.h"
#include "app/ShellDialogs.h"
#include "common/DialogPresenters.h"
#include "records/AccountCommands.h"
#include "records/MemberCommands.h"
#include "registers/RegisterCommands.h"

void WireProgram() {
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
  InstallAmountCalculator();
  InstallGridPreview();
}
