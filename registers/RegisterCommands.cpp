#include "registers/RegisterCommands.h"

#include "records/AccountRegisterSeam.h"
#include "registers/TransDlg.h"
#include "registers/TransGDlg.h"

void InstallRegisterDialogs() {
  SetAccountFormOpener(RunTransactionForm);
  SetAccountGridOpener(RunRegisterGrid);
}
