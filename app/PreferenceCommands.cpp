#include "app/PreferenceCommands.h"

#include "app/BackupDlg.h"
#include "app/CommandIds.h"
#include "app/CommandRegistry.h"

void InstallPreferenceCommands() {
  RegisterCommand(ID_FILE_BACKUP, RunBackupDialog);
  RegisterCommand(ID_FILE_RESTORE, RunRestoreDialog);
}
