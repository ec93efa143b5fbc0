// The copy routine shared by backup, restore and the rollover: a run of files
// copied to temporary names, checked, and renamed into place together.
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Backup.h"
#include "app/TornelApp.h"
#include "common/ConfigFile.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/StopPoint.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "store/DataFiles.h"

namespace {

CopyStepGate& Gate() {
  static CopyStepGate gate;
  return gate;
}

bool GateAdmits(const std::string& path) { return !Gate() || Gate()(path.c_str()); }

// One file of a run.
struct CopyItem {
  std::string caption;  // progress caption
  std::string source;
  std::string destination;
  bool required = true;       // a failure stops the run
  bool missingSource = false;  // the copy is an empty file
  std::string temporary;      // filled while the run goes on
  std::string keptAside;      // the replaced destination, while renaming
  bool hadDestination = false;
  bool placed = false;
};

constexpr std::size_t kChunk = 10240;

std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void ShowCopyError(const char* what, const std::string& path) {
  char text[MAX_PATH + 64];
  std::snprintf(text, sizeof text, "%s %s", what, path.c_str());
  DispMessage(text, MSG_FATAL);
}

// Copies `source` to `target` (a name the caller chose), synced, and checks
// the copy's size; `shownAs` names the destination in a message. False after
// its message, which names the file.
bool CopyFileTo(const std::string& source, const std::string& target, const std::string& shownAs) {
  if (SameFile(source, shownAs)) {
    ShowCopyError("A file cannot be copied onto itself:", shownAs);
    return false;
  }
  std::FILE* in = std::fopen(source.c_str(), "rb");
  if (!in) {
    ShowCopyError("Could not open source file", source);
    return false;
  }
  struct stat st;
  const long long expected = ::fstat(fileno(in), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
  StopPoint(target.c_str());
  std::FILE* out = GateAdmits(target) ? OpenPrivateFile(target.c_str(), "wb") : nullptr;
  if (!out) {
    std::fclose(in);
    ShowCopyError("Could not open destination file", shownAs);
    return false;
  }
  std::vector<char> buffer(kChunk);
  long long copied = 0;
  const char* problem = nullptr;
  const std::string* problemPath = &shownAs;
  for (;;) {
    const std::size_t n = std::fread(buffer.data(), 1, kChunk, in);
    if (n < kChunk && std::ferror(in)) {
      problem = "Could not read source file";
      problemPath = &source;
      break;
    }
    if (n > 0) {
      if (!CheckDiskSpace(FolderOf(target).c_str(), static_cast<unsigned long>(n)) ||
          std::fwrite(buffer.data(), 1, n, out) != n) {
        problem = "Could not write destination file";
        break;
      }
      copied += static_cast<long long>(n);
    }
    if (n < kChunk) break;
  }
  std::fclose(in);
  if (!problem && (std::fflush(out) != 0 || ::fsync(fileno(out)) != 0)) problem = "Could not write destination file";
  if (std::fclose(out) != 0 && !problem) problem = "Could not write destination file";
  // A copy of another size than its source (the source changed, or the disk
  // lost data) is no copy.
  if (!problem && copied != expected) problem = "The copy is incomplete:";
  if (problem) {
    std::remove(target.c_str());
    ShowCopyError(problem, *problemPath);
    return false;
  }
  return true;
}

// Copies `item.source` to its temporary name and checks the copy's size.
bool CopyToTemporary(CopyItem& item) {
  item.temporary = item.destination + ".part~";
  return CopyFileTo(item.source, item.temporary, item.destination);
}

// An empty file under the temporary name, for a program file whose copy
// failed: the set stays complete and says the file was missing.
bool EmptyTemporary(CopyItem& item) {
  item.temporary = item.destination + ".part~";
  if (!GateAdmits(item.temporary)) return false;
  std::FILE* f = OpenPrivateFile(item.temporary.c_str(), "wb");
  if (!f) return false;
  return std::fclose(f) == 0;
}

void SyncFolderOf(const std::string& path) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

void DropTemporaries(std::vector<CopyItem>& items) {
  for (CopyItem& item : items)
    if (!item.temporary.empty() && !item.placed) std::remove(item.temporary.c_str());
}

// Renames every temporary into place; the replaced files are kept aside until
// all are placed, and put back when one rename fails.
bool PlaceAll(std::vector<CopyItem>& items) {
  std::size_t failed = items.size();
  for (std::size_t i = 0; i < items.size() && failed == items.size(); ++i) {
    CopyItem& item = items[i];
    if (item.temporary.empty()) continue;
    struct stat st;
    item.hadDestination = ::lstat(item.destination.c_str(), &st) == 0;
    if (item.hadDestination) {
      item.keptAside = item.destination + ".old~";
      StopPoint(item.keptAside.c_str());
      if (std::rename(item.destination.c_str(), item.keptAside.c_str()) != 0) {
        item.hadDestination = false;
        failed = i;
        break;
      }
    }
    StopPoint(item.destination.c_str());
    if (!GateAdmits(item.destination) || std::rename(item.temporary.c_str(), item.destination.c_str()) != 0) {
      if (item.hadDestination) std::rename(item.keptAside.c_str(), item.destination.c_str());
      item.hadDestination = false;
      failed = i;
      break;
    }
    item.placed = true;
  }
  if (failed != items.size()) {
    ShowCopyError("Could not put the copy in place:", items[failed].destination);
    for (std::size_t j = failed; j-- > 0;) {
      CopyItem& item = items[j];
      if (!item.placed) continue;
      if (item.hadDestination)
        std::rename(item.keptAside.c_str(), item.destination.c_str());
      else
        std::remove(item.destination.c_str());
      item.placed = false;
      item.temporary.clear();
    }
    DropTemporaries(items);
    return false;
  }
  for (CopyItem& item : items)
    if (item.hadDestination) std::remove(item.keptAside.c_str());
  if (!items.empty()) SyncFolderOf(items.front().destination);
  if (!items.empty()) SyncFolderOf(items.back().destination);
  return true;
}

bool EndsWithNoCase(const std::string& text, const char* tail) {
  const std::size_t n = std::strlen(tail);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, tail) == 0;
}

// The year's record files in `folder`: "*<pattern>*.dat", sorted by name.
std::vector<std::string> RecordFiles(const std::string& folder, const char* pattern) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (!EndsWithNoCase(name, ".dat")) continue;
      if (name.substr(0, name.size() - 4).find(pattern) == std::string::npos) continue;
      if (IsDirectory(JoinPath(folder, name).c_str())) continue;
      names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

void SetCopyStepGate(CopyStepGate gate) { Gate() = std::move(gate); }

bool CopySyncedFile(const std::string& source, const std::string& target, const std::string& shownAs) {
  return CopyFileTo(source, target, shownAs);
}

std::vector<ProgramFileCopy> ProgramFileCopies(const char* programFolder) {
  return {
      {"Configuration...", ConfigFileName, "cnfg", true},
      {"Unit settings...", UnitSettingsPath(programFolder), "unitset", true},
      {"Preferences...", SettingsFileName, "udata", false},
      {"Worksheets...", WorksheetFileName, "worksht", false},
      {"Labels...", MailLabelFileName, "labels", false},
      {"Notepad...", JoinPath(programFolder, NotepadFileName), "notes", false},
  };
}

std::vector<std::string> YearRecordFiles(const std::string& folder, const char* pattern) {
  return RecordFiles(folder, pattern);
}

int BackupFiles(const char* pattern, const char* programFolder, const char* folderA, const char* folderB,
                int direction, int flags) {
  const std::string yearFolder = folderA;
  const std::string backupFolder = folderB;
  if (SameFile(yearFolder, backupFolder) || (flags & BACKUP_PROGRAM_FILES && SameFile(programFolder, backupFolder))) {
    DispMessage("Backup Path:  May not be the same as the original data path", MSG_WARNING);
    return 2;
  }
  std::vector<CopyItem> items;
  if (flags & BACKUP_RECORD_FILES) {
    const std::string& from = direction ? yearFolder : backupFolder;
    const std::string& to = direction ? backupFolder : yearFolder;
    for (const std::string& name : RecordFiles(from, pattern)) {
      CopyItem item;
      item.caption = name + "...";
      item.source = JoinPath(from, name);
      // A file of the same name in another case (made elsewhere) is the one
      // the store opens: it is the one replaced.
      item.destination = ResolvePathCase(JoinPath(to, name));
      items.push_back(item);
    }
  }
  if (flags & BACKUP_PROGRAM_FILES) {
    const std::string major = DataFormatMajor();
    const auto bu = [&](const std::string& stem) { return JoinPath(backupFolder, stem + major + ".bu"); };
    const std::vector<ProgramFileCopy> files = ProgramFileCopies(programFolder);
    for (const ProgramFileCopy& f : files) {
      // The configuration names this installation's folders; it is never
      // copied back.
      if (!direction && f.stem == "cnfg") continue;
      CopyItem item;
      item.caption = f.caption;
      item.source = direction ? f.file : bu(f.stem);
      item.destination = direction ? bu(f.stem) : f.file;
      item.required = f.required;
      const bool isNotes = f.stem == "notes";
      if (!FileExists(item.source.c_str())) {
        if (item.required) {
          ShowCopyError("Could not open source file", item.source);
          return 2;
        }
        // A program file the installation has not made yet: its copy is an
        // empty file. Restoring one a backup lacks keeps the program's own.
        if (!direction || isNotes) continue;
        item.missingSource = true;
      }
      items.push_back(item);
    }
  }

  const int total = static_cast<int>(items.size()) + 1;
  ReportProgress("", 0, total);
  int result = 0;
  for (std::size_t i = 0; i < items.size() && result == 0; ++i) {
    CopyItem& item = items[i];
    if (IsCancelRequested()) {
      result = 1;
      break;
    }
    ReportProgress(item.caption.c_str(), static_cast<int>(i) + 1, total);
    if (item.missingSource) {
      if (!EmptyTemporary(item)) result = 2;
      continue;
    }
    if (CopyToTemporary(item)) continue;
    // A backup keeps going without an optional program file, leaving an
    // empty copy; a restore changes nothing unless every file arrived.
    if (!item.required && direction && EmptyTemporary(item)) continue;
    result = 2;
  }
  if (result == 0 && !PlaceAll(items)) result = 2;
  if (result != 0) DropTemporaries(items);
  ReportProgress("", total, total);
  return result;
}
