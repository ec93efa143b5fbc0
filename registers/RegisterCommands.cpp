#include "registers/RegisterCommands.h"

#include "records/AccountRegisterSeam.h"
#include "registers/TransDlg.h"

void InstallRegisterDialogs() {
  // The register grid is not built yet: its opener stays empty, so the
  // Register button stays disabled while the preference chooses it.
  SetAccountFormOpener(RunTransactionForm);
}
