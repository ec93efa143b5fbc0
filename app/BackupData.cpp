// Backing the loaded year up, restoring a year, and the two dialogs'
// remembered settings (section "BACKUP").
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/Backup.h"
#include "app/BackupManifest.h"
#include "app/YearJournal.h"
#include "common/ConfigFile.h"
#include "common/FileUtil.h"
#include "common/FolderPaths.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/StopPoint.h"
#include "platform/window/Window.h"
#include "store/DataFiles.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

std::string Pattern(const char* yy) { return std::string(DataFormatMajor()) + yy; }

// One trailing separator of a folder longer than one character goes.
void CutTrailingSeparator(char* folder) {
  const std::size_t n = std::strlen(folder);
  if (n > 1 && (folder[n - 1] == '/' || folder[n - 1] == '\\')) folder[n - 1] = '\0';
}

// The folder text as an absolute folder, in place.
void MakeAbsolute(char* folder, std::size_t size) {
  if (!folder[0]) return;
  const std::string absolute = AbsoluteFolder(folder);
  if (absolute.size() < size) std::snprintf(folder, size, "%s", absolute.c_str());
}

void CloseYear() {
  CloseDataFiles();
  CloseScheduleFiles();
  CloseReserveFile();
}

bool EndsWithNoCase(const std::string& text, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, tail) == 0;
}

// A folder beside `folder` that does not exist yet, for a year built anew:
// "<folder>-1", "<folder>-2", ... (a number already at its end is replaced),
// or `folder` itself when it does not exist.
std::string FreshSibling(const std::string& folder) {
  if (!FileExists(folder.c_str()) && !IsDirectory(folder.c_str())) return folder;
  std::string base = folder;
  const std::string::size_type dash = base.rfind('-');
  const std::string::size_type slash = base.rfind('/');
  if (dash != std::string::npos && (slash == std::string::npos || dash > slash) && dash + 1 < base.size() &&
      base.find_first_not_of("0123456789", dash + 1) == std::string::npos)
    base.resize(dash);
  for (int k = 0; k < 10000; ++k) {
    const std::string candidate = k == 0 ? base : base + "-" + std::to_string(k);
    struct stat st;
    if (::lstat(candidate.c_str(), &st) != 0) return candidate;
  }
  return std::string();
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

std::string ParentOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool ReopenLoadedYearOrQuit(const char* failureText) {
  if (!CurrentYearNode) return false;
  if (OpenDatabase(CurrentYearNode->folder, FiscalYearYY, 0)) return true;
  // Never run on tables loaded half-way.
  CloseYear();
  if (failureText) DispMessage(failureText, MSG_ERROR);
  DispMessage("No database loaded... shutting application down", MSG_ERROR);
  ::PostQuitMessage(1);
  return false;
}

void BackupData(const char* folderText) {
  PromptAnswerOk = 1;
  if (!CurrentYearNode) return;
  const std::string folder = AbsoluteFolder(folderText);
  if (!FileExists(folder.c_str()) && !MakePath(folder.c_str())) {
    DispMessage("Could not make the backup folder", MSG_FATAL);
    return;
  }
  const std::string pattern = Pattern(FiscalYearYY);
  // The set is whole only once its new manifest is written: until then no
  // manifest (an older one would vouch for files being replaced).
  const std::string manifest = ResolvePathCase(BackupManifestPath(folder));
  StopPoint(manifest.c_str());
  if (::unlink(manifest.c_str()) != 0 && errno != ENOENT) {
    const std::string text = "Could not remove the old backup's manifest " + manifest;
    DispMessage(text.c_str(), MSG_FATAL);
    return;
  }
  CloseDataFiles();
  // The copy shows its own failures; the year is open again either way.
  const std::vector<std::string> names = YearRecordFiles(CurrentYearNode->folder, pattern.c_str());
  if (BackupFiles(pattern.c_str(), ProgramFolder, CurrentYearNode->folder, folder.c_str(), 1,
                  BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES) == 0) {
    std::vector<std::string> set = names;
    const std::string major = DataFormatMajor();
    for (const ProgramFileCopy& f : ProgramFileCopies(ProgramFolder)) {
      const std::string bu = f.stem + major + ".bu";
      if (FileExists(JoinPath(folder, bu).c_str())) set.push_back(bu);
    }
    if (!WriteBackupManifest(folder, CurrentFiscalYear, set))
      DispMessage("Could not write the backup's manifest: the backup is not whole", MSG_FATAL);
  }
  ReopenLoadedYearOrQuit("Database initialization failed.\n\nPlease exit and re-enter program");
}

void RestoreData(const char* dataFolderText, const char* restoreFolderText, const char* yy, int newYear, int flags) {
  PromptAnswerOk = 1;
  const std::string dataFolder = AbsoluteFolder(dataFolderText);
  const std::string restoreFolder = AbsoluteFolder(restoreFolderText);
  char year[8];
  std::snprintf(year, sizeof year, "%d", ExpandYear(std::atoi(yy)));
  const std::string pattern = Pattern(yy);
  const bool records = (flags & BACKUP_RECORD_FILES) != 0;
  if (SameFolderPath(dataFolder, restoreFolder)) {
    DispMessage("Restore Path:  May not be the same as the original data path", MSG_WARNING);
    return;
  }
  if (!records && newYear) return;  // nothing of an unknown year to restore

  // The set as a whole: a set with a file missing or changed, or none of
  // the year, restores nothing.
  BackupManifest manifest;
  std::string error;
  if (!CheckBackupSet(restoreFolder, year, pattern, &manifest, &error)) {
    DispMessage(error.c_str(), MSG_WARNING);
    return;
  }
  std::vector<std::string> recordNames;
  std::vector<std::pair<std::string, std::string>> programCopies;  // source, destination
  for (const BackupSetFile& f : manifest.files)
    if (records && EndsWithNoCase(f.name, ".dat") && f.name.find(pattern) != std::string::npos)
      recordNames.push_back(f.name);
  if (flags & BACKUP_PROGRAM_FILES) {
    const std::string major = DataFormatMajor();
    for (const ProgramFileCopy& p : ProgramFileCopies(ProgramFolder)) {
      if (p.stem == "cnfg") continue;  // names this installation's folders: never copied back
      const std::string bu = p.stem + major + ".bu";
      bool listed = false;
      for (const BackupSetFile& f : manifest.files) listed = listed || strcasecmp(f.name.c_str(), bu.c_str()) == 0;
      if (!listed) {
        if (!p.required) continue;  // the program keeps its own
        const std::string text = "The backup in folder " + restoreFolder + " lacks the file " + bu;
        DispMessage(text.c_str(), MSG_WARNING);
        return;
      }
      programCopies.emplace_back(ResolvePathCase(JoinPath(restoreFolder, bu)), p.file);
    }
  }

  // The year is built in a folder of its own, beside its folder, and
  // becomes the year's through the configuration write: until then the
  // year is the old one whole, after it the new one.
  YearJournal journal;
  journal.operation = "Restore";
  journal.state = "Build";
  journal.year = year;
  journal.folder = records ? FreshSibling(dataFolder) : dataFolder;
  journal.oldFolder = newYear ? "" : dataFolder;
  for (const auto& copy : programCopies) journal.placed.push_back(copy.second);
  if (journal.folder.empty() || journal.folder.size() >= sizeof FiscalYearNode::folder) {
    DispMessage("Creating new data folder", MSG_FATAL);
    return;
  }
  if (!WriteYearJournal(ProgramFolder, journal)) {
    DispMessage("Could not write the restore's journal in the program folder", MSG_FATAL);
    return;
  }
  const char* failure = nullptr;
  int kind = MSG_WARNING;
  if (records) {
    StopPoint(journal.folder.c_str());
    if (::mkdir(journal.folder.c_str(), 0700) != 0) {
      failure = "Creating new data folder";
      kind = MSG_FATAL;
    }
  }
  const int total = static_cast<int>(recordNames.size() + programCopies.size()) + 1;
  ReportProgress("", 0, total);
  int step = 0;
  const auto copy = [&](const std::string& caption, const std::string& from, const std::string& to,
                        const std::string& shownAs) {
    if (failure) return;
    if (IsCancelRequested()) {
      failure = "Restore cancelled";
      return;
    }
    ReportProgress(caption.c_str(), ++step, total);
    if (!CopySyncedFile(from, to, shownAs)) failure = "Check to be sure you identified the correct Restore Path";
  };
  for (const std::string& name : recordNames)
    copy(name + "...", ResolvePathCase(JoinPath(restoreFolder, name)), JoinPath(journal.folder, name),
         JoinPath(journal.folder, name));
  for (const auto& [from, to] : programCopies) copy(to, from, to + ".part~", to);
  ReportProgress("", total, total);
  if (!failure) {
    if (records) {
      SyncFolder(journal.folder);
      SyncFolder(ParentOf(journal.folder));
    }
    SyncFolder(ProgramFolder);
  }

  // The restored year must open before it replaces anything.
  CloseYear();
  if (!failure && records) {
    if (!OpenDatabase(journal.folder.c_str(), yy, 0)) failure = "The restored fiscal year does not open";
    CloseYear();
  }
  if (!failure) {
    journal.state = "Commit";
    if (!WriteYearJournal(ProgramFolder, journal)) failure = "Could not write the restore's journal";
  }
  if (failure) {
    UndoRestore(journal);
    RemoveYearJournal(ProgramFolder);
    DispMessage(failure, kind);
    ReopenLoadedYearOrQuit("Init failed... Exit and re-enter program");
    return;
  }
  const bool finished = FinishRestore(journal);
  if (finished) RemoveYearJournal(ProgramFolder);
  if (!ReopenLoadedYearOrQuit("Init failed... Exit and re-enter program")) return;
  if (!finished) {
    DispMessage("The restore could not be recorded in the configuration; it is finished at the next start",
                MSG_ERROR);
    return;
  }
  char text[64];
  std::snprintf(text, sizeof text, "Fiscal year %s has been restored", year);
  DispMessage(text, MSG_INFORMATION);
}

void XferBackup(int save, char* folder) {
  SettingsSection* section = OpenSettingsSection(SettingsFileName, "BACKUP");
  if (!save) {
    GetSettingText(section, 'A', "", folder, MAX_PATH);
    CloseSettingsSection(section);
    return;
  }
  MakeAbsolute(folder, MAX_PATH);
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
  MakeAbsolute(folder, MAX_PATH);
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
