// Backing the loaded year up, restoring a year, and the two dialogs'
// remembered settings (section "BACKUP").
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Backup.h"
#include "common/ConfigFile.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Settings.h"
#include "store/DataFiles.h"
#include "store/KeyTable.h"

namespace {

std::string Pattern(const char* yy) { return std::string(DataFormatMajor()) + yy; }

// One trailing separator of a folder longer than one character goes.
void CutTrailingSeparator(char* folder) {
  const std::size_t n = std::strlen(folder);
  if (n > 1 && (folder[n - 1] == '/' || folder[n - 1] == '\\')) folder[n - 1] = '\0';
}

void ReopenLoadedYear(const char* failureText) {
  if (!CurrentYearNode) return;
  if (!OpenDatabase(CurrentYearNode->folder, FiscalYearYY, 0)) DispMessage(failureText, MSG_ERROR);
}

}  // namespace

void BackupData(const char* folder) {
  PromptAnswerOk = 1;
  if (!CurrentYearNode) return;
  if (!FileExists(folder) && !MakePath(folder)) {
    DispMessage("Could not make the backup folder", MSG_FATAL);
    return;
  }
  CloseDataFiles();
  // The copy shows its own failures; the year is open again either way.
  BackupFiles(Pattern(FiscalYearYY).c_str(), ProgramFolder, CurrentYearNode->folder, folder, 1,
              BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
  ReopenLoadedYear("Database initialization failed.\n\nPlease exit and re-enter program");
}

void RestoreData(const char* dataFolder, const char* restoreFolder, const char* yy, int newYear, int flags) {
  PromptAnswerOk = 1;
  const char* error = nullptr;
  int kind = MSG_WARNING;
  bool madeFolder = false;
  if (newYear && !IsDirectory(dataFolder)) {
    if (::mkdir(dataFolder, 0700) != 0) {
      DispMessage("Creating new data folder", MSG_FATAL);
      return;
    }
    madeFolder = true;
  }
  const bool closed = std::strcmp(yy, FiscalYearYY) == 0;
  if (closed) CloseDataFiles();
  switch (BackupFiles(Pattern(yy).c_str(), ProgramFolder, dataFolder, restoreFolder, 0, flags)) {
    case 0:
      if (newYear) {
        char year[8];
        std::snprintf(year, sizeof year, "%d", ExpandYear(std::atoi(yy)));
        if (FiscalYearNode* node = FindYearNode(year, 1, &YearList)) {
          std::snprintf(node->folder, sizeof node->folder, "%s", dataFolder);
          SortYearList();
          ReadWriteConfig(1);
        } else {
          error = "Could not add new year to list";
          kind = MSG_FATAL;
        }
      }
      break;
    case 1:
      error = "Restore cancelled";
      break;
    default:
      error = "Check to be sure you identified the correct Restore Path";
      // A folder made for a year that did not arrive goes again.
      if (madeFolder) ::rmdir(dataFolder);
      break;
  }
  if (error) DispMessage(error, kind);
  if (closed) {
    PromptAnswerOk = 1;
    ReopenLoadedYear("Init failed... Exit and re-enter program");
  }
}

void XferBackup(int save, char* folder) {
  SettingsSection* section = OpenSettingsSection(SettingsFileName, "BACKUP");
  if (!save) {
    GetSettingText(section, 'A', "", folder, MAX_PATH);
    CloseSettingsSection(section);
    return;
  }
  PutSettingText(section, 'A', folder);
  CloseSettingsSection(section);
  CutTrailingSeparator(folder);
  BackupData(folder);
}

void XferRestore(int save, char* year, char* folder, int* systemFiles) {
  SettingsSection* section = OpenSettingsSection(SettingsFileName, "BACKUP");
  if (!save) {
    std::snprintf(year, 5, "%s", CurrentFiscalYear);
    GetSettingText(section, 'A', "", folder, MAX_PATH);
    *systemFiles = GetSettingFlag(section, 'B', 0) ? 1 : 0;
    CloseSettingsSection(section);
    return;
  }
  PutSettingText(section, 'A', folder);
  PutSettingFlag(section, 'B', *systemFiles);
  CloseSettingsSection(section);
  if (std::strlen(year) != 4) return;  // the dialog gives four digits
  int flags = BACKUP_RECORD_FILES;
  if (*systemFiles) flags |= BACKUP_PROGRAM_FILES;
  char dataFolder[sizeof FiscalYearNode::folder];
  int newYear = 0;
  if (FiscalYearNode* node = FindYearNode(year, 0, &YearList)) {
    std::snprintf(dataFolder, sizeof dataFolder, "%s", node->folder);
  } else {
    GetYearFolder(0, ProgramFolder, year, dataFolder);
    newYear = 1;
  }
  CutTrailingSeparator(folder);
  RestoreData(dataFolder, folder, year + 2, newYear, flags);
}
