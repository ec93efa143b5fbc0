// Backup and restore of a fiscal year: the year's record files and copies of
// the program-wide files (configuration, stored unit settings, user
// settings, worksheets, label definitions, notes) under ".bu" names in a
// backup folder, and back.
//
// A copy run never leaves its destination half written: every file goes to a
// temporary name beside its destination first, its size is checked against
// the source, and only when every file of the run arrived are they renamed
// into place (the files they replace are kept aside until all renames
// succeeded, and put back when one fails).
#pragma once

#include <functional>
#include <string>
#include <vector>

// Flag bits of BackupFiles and RestoreData.
inline constexpr int BACKUP_RECORD_FILES = 1;
inline constexpr int BACKUP_PROGRAM_FILES = 2;

// Copies the record files of the year (names "*<pattern>*.dat", the pattern
// being the data-format major number and the two-digit year) and, with
// BACKUP_PROGRAM_FILES, the program files. Direction 1 copies from
// `folderA` (record files) and `programFolder` to `folderB`; direction 0
// copies from `folderB` back, leaving the configuration's copy where it is.
// 0 when everything was copied, 2 after a failure (shown; nothing of the
// destination changed), 1 when a cancel was requested.
int BackupFiles(const char* pattern, const char* programFolder, const char* folderA, const char* folderB,
                int direction, int flags);

// Backs the loaded year up into `folder` (made when missing); its record
// files are closed meanwhile and opened again after.
void BackupData(const char* folder);

// Restores year `yy` from the backup set in `restoreFolder` (checked whole
// against its manifest first). The year is built in a fresh folder beside
// `dataFolder` (or `dataFolder` itself for a new year when it does not
// exist), checked to open, and only then named as the year's folder in the
// year list and the configuration, after which the replaced files are
// removed; a new year is added. A stop at any point leaves the old year or
// the restored one whole (the journal finishes or undoes it at the next
// start). Says when it is done.
void RestoreData(const char* dataFolder, const char* restoreFolder, const char* yy, int newYear, int flags);

// Opens the loaded year again; when it does not open, no table stays half
// loaded: the files are closed and the program quits with code 1 after
// `failureText` (when given) and "No database loaded... shutting
// application down".
bool ReopenLoadedYearOrQuit(const char* failureText);

// Settings of the two dialogs (section "BACKUP"): 0 loads, 1 stores and runs.
// `folder` holds MAX_PATH bytes, `year` five.
void XferBackup(int save, char* folder);
void XferRestore(int save, char* year, char* folder, int* systemFiles);

// Asked before every write of a copy (with the temporary file's path) and
// before every rename into place (with the destination's path); false fails
// that step. Empty: every step goes ahead.
using CopyStepGate = std::function<bool(const char* path)>;
void SetCopyStepGate(CopyStepGate gate);

// Copies one file to `target` (synced, its size checked, through the copy
// gate); `shownAs` names the destination in a message. False after its
// message.
bool CopySyncedFile(const std::string& source, const std::string& target, const std::string& shownAs);

// The program files a backup set holds: the progress caption, the program
// file, the stem of its copy ("<stem><V>.bu") and whether the set needs it.
struct ProgramFileCopy {
  const char* caption;
  std::string file;
  std::string stem;
  bool required;
};
std::vector<ProgramFileCopy> ProgramFileCopies(const char* programFolder);

// The year's record files in `folder` ("*<pattern>*.dat"), sorted by name.
std::vector<std::string> YearRecordFiles(const std::string& folder, const char* pattern);
