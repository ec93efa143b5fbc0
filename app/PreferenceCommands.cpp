#include "app/PreferenceCommands.h"

#include "app/BackupDlg.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "app/PrefDlg.h"
#include "exchange/ExportDlg.h"
#include "exchange/ImportDlg.h"
#include "exchange/TransferDlg.h"

void InstallPreferenceCommands() {
  RegisterCommand(ID_FILE_BACKUP, RunBackupDialog);
  RegisterCommand(ID_FILE_RESTORE, RunRestoreDialog);
  RegisterCommand(ID_OPTIONS_PREFERENCES, RunPreferences);
  RegisterCommand(ID_FILE_EXPORT, RunExportCommand);
  RegisterCommand(ID_FILE_TRANSFER, RunTransferCommand);
  RegisterCommand(ID_FILE_IMPORT, RunImportCommand);
}
