#include "records/AccountCommands.h"

#include "app/CommandIds.h"
#include "app/CommandRegistry.h"
#include "records/AcctMgmtDlg.h"

namespace {

void OpenAccounts() {
  CAcctMgmtDlg dlg;
  dlg.DoModal();
}

}  // namespace

void InstallAccountDialogs() { RegisterCommand(ID_EDIT_ACCOUNTS, OpenAccounts); }
