#include "app/PreferenceCommands.h"

#include "app/BackupDlg.h"
#include "app/CommandIds.h"
#include "app/CommandRegistry.h"
#include "app/PrefDlg.h"

void InstallPreferenceCommands() {
  RegisterCommand(ID_FILE_BACKUP, RunBackupDialog);
  RegisterCommand(ID_FILE_RESTORE, RunRestoreDialog);
  RegisterCommand(ID_OPTIONS_PREFERENCES, RunPreferences);
}
