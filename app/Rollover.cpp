// The rollover's run: the working folder, the copy and renames, the steps in
// order, moving the new year into its folder, and the return to the old year
// when anything fails.
#include "app/Rollover.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "store/DataFiles.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

RolloverFaultGate faultGate = nullptr;

bool Admitted(int point) { return faultGate == nullptr || faultGate(point); }

// Lower-case copy (ASCII), for the names of older data that differ in case.
std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      struct stat st;
      if (::stat(JoinPath(folder, name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
    }
    ::closedir(d);
  }
  return names;
}

bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

// Copies one file whole, synced, and checks the copy's size.
bool CopyOneFile(const std::string& from, const std::string& to) {
  FILE* in = std::fopen(from.c_str(), "rb");
  if (!in) return false;
  FILE* out = OpenPrivateFile(to.c_str(), "wb");
  bool ok = out != nullptr;
  long copied = 0;
  char buf[10240];
  while (ok) {
    const size_t got = std::fread(buf, 1, sizeof buf, in);
    if (got > 0 && std::fwrite(buf, 1, got, out) != got) ok = false;
    copied += static_cast<long>(got);
    if (got < sizeof buf) {
      if (std::ferror(in)) ok = false;
      break;
    }
  }
  std::fclose(in);
  if (out) {
    ok = std::fflush(out) == 0 && ::fsync(fileno(out)) == 0 && ok;
    ok = std::fclose(out) == 0 && ok;
  }
  return ok && GetFileSize(to.c_str()) == copied && GetFileSize(from.c_str()) == copied;
}

// The loaded year's record files: "*<major><yy>*.dat" (any case).
bool CopyYearFiles(const std::string& from, const std::string& to, const std::string& pattern) {
  for (const std::string& name : FilesIn(from)) {
    const std::string lower = Lower(name);
    if (lower.size() < 4 || lower.compare(lower.size() - 4, 4, ".dat") != 0) continue;
    if (lower.find(pattern) == std::string::npos) continue;
    if (!CopyOneFile(JoinPath(from, name), JoinPath(to, name))) {
      char text[MAX_PATH + 64];
      std::snprintf(text, sizeof text, "Could not copy %s", JoinPath(from, name).c_str());
      DispMessage(text, MSG_FATAL);
      return false;
    }
  }
  return true;
}

// Gives a copied file the new year's name: the two digits after the stem
// and the data version become the new year's.
bool RenameCopy(const std::string& folder, const char* stem, const char* suffix, const char* oldYY,
                const char* newYY) {
  const std::string major = DataFormatMajor();
  const std::string oldName = std::string(stem) + major + oldYY + suffix + ".dat";
  const std::string newName = std::string(stem) + major + newYY + suffix + ".dat";
  const std::string from = ResolvePathCase(JoinPath(folder, oldName));
  const std::string to = JoinPath(folder, newName);
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RenameCopies(const std::string& folder, const char* oldYY, const char* newYY) {
  static const struct {
    const char* stem;
    const char* suffix;
  } kFiles[] = {{"acct", ""},  {"ag", "_g"},   {"ag", "_a"},    {"budge", ""}, {"equip", ""},
                {"fos", ""},   {"part", ""},   {"resrv", ""},   {"sched", ""}, {"scout", ""},
                {"subac", ""}, {"split", ""},  {"suppt", ""},   {"trans", ""}, {"unit", ""}};
  for (const auto& f : kFiles)
    if (!RenameCopy(folder, f.stem, f.suffix, oldYY, newYY)) return false;
  return true;
}

// Puts every file of the working folder on the disk.
bool SyncFiles(const std::string& work) {
  for (const std::string& name : FilesIn(work)) {
    const int fd = ::open(JoinPath(work, name).c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) return false;
  }
  return true;
}

// While the new year is built in the working folder, nothing of it is live:
// a record write is flushed, and the files go to the disk once, before they
// are moved into place, rather than after every record.
class DeferredCommits {
 public:
  DeferredCommits() {
    SetRecordCommitHook([](FILE* file) { return std::fflush(file) == 0; });
  }
  ~DeferredCommits() { SetRecordCommitHook(nullptr); }
  DeferredCommits(const DeferredCommits&) = delete;
  DeferredCommits& operator=(const DeferredCommits&) = delete;
};

// Moves every file of the working folder into the year's folder.
bool MoveIntoPlace(const std::string& work, const std::string& folder) {
  for (const std::string& name : FilesIn(work))
    if (::rename(JoinPath(work, name).c_str(), JoinPath(folder, name).c_str()) != 0) return false;
  return SyncFolder(folder);
}

void RemoveWorkFolder(const std::string& work) {
  if (work.empty()) return;
  for (const std::string& name : FilesIn(work)) ::unlink(JoinPath(work, name).c_str());
  ::rmdir(work.c_str());
}

bool SameFolder(const char* a, const char* b) {
  std::error_code ec;
  if (!std::filesystem::exists(a, ec) || !std::filesystem::exists(b, ec)) return false;
  return std::filesystem::equivalent(a, b, ec);
}

void Step(const char* caption, int position) { ReportProgress(caption, position, 14); }

struct RolloverOptions {
  const char* firstMonth;
  int firstMonthYear;
  int keepAll;
  int budgetMode;
  int friendYears;
  const char* yearText;
};

// Steps 2 to 9, on the new year's open files.
const struct {
  const char* caption;
  bool (*run)(const RolloverOptions& o);
} kSteps[] = {
    {"Processing Budgets", [](const RolloverOptions& o) { return RolloverBudgets(o.budgetMode); }},
    {"Processing Schedules",
     [](const RolloverOptions& o) { return RolloverSchedules(o.firstMonth, o.firstMonthYear); }},
    // The account groups travel in their two files, renamed with the others.
    {"Processing Profit Centers", [](const RolloverOptions&) { return true; }},
    {"Processing Accounts", [](const RolloverOptions& o) { return RolloverAccounts(o.keepAll); }},
    {"Processing Equipment", [](const RolloverOptions&) { return RolloverEquipment(); }},
    {"Processing Friends", [](const RolloverOptions& o) { return RolloverFriends(o.friendYears, o.yearText); }},
    {"Processing Reserves", [](const RolloverOptions&) { return RolloverReserves(); }},
    {"Processing Members", [](const RolloverOptions&) { return RolloverMembers(); }},
};

}  // namespace

void SetRolloverFaultGate(RolloverFaultGate gate) { faultGate = gate; }

bool IsLoadedYearFolder(const char* folder) {
  return CurrentYearNode && folder && SameFolder(folder, CurrentYearNode->folder);
}

int DoRollover(const char* folder, const char* firstMonth, int firstMonthYear, int newYear, int keepAllAccounts,
               int budgetMode, int friendYears) {
  if (!CurrentYearNode || !folder || !folder[0]) {
    DispMessage("No fiscal year is loaded", MSG_ERROR);
    return 0;
  }
  // 1. The old year, to return to.
  const std::string oldFolder = CurrentYearNode->folder;
  char oldYY[3], oldYear[5], newYY[3], newYearText[5];
  std::snprintf(oldYY, sizeof oldYY, "%s", FiscalYearYY);
  std::snprintf(oldYear, sizeof oldYear, "%s", CurrentFiscalYear);
  std::snprintf(newYY, sizeof newYY, "%2.2d", ((newYear % 100) + 100) % 100);
  std::snprintf(newYearText, sizeof newYearText, "%4.4d", ((newYear % 10000) + 10000) % 10000);
  const std::string pattern = Lower(std::string(DataFormatMajor()) + oldYY);

  if (std::strcmp(newYearText, oldYear) == 0) {
    DispMessage("You may not rollover to the current year", MSG_WARNING);
    return 0;
  }
  // The copy into the loaded year's own folder would write over the very
  // files it reads.
  if (SameFolder(folder, oldFolder.c_str())) {
    DispMessage(kLoadedYearFolderRefusal, MSG_WARNING);
    return 0;
  }
  if (MonthAbbrIndex(firstMonth) < 0) {
    DispMessage("First Month:  Unknown month", MSG_WARNING);
    return 0;
  }

  const char* errorText = nullptr;
  bool closed = false, configChanged = false, ok = true;
  std::string work;
  FiscalYearNode* node = nullptr;
  bool nodeExisted = false;
  char nodeOldFolder[sizeof(FiscalYearNode::folder)] = "";

  // 2. The new folder, and a private working folder inside it.
  const bool folderExisted = IsDirectory(folder);
  if (!Admitted(-2) || !MakePath(folder) || !IsDirectory(folder)) {
    errorText = "Creating new data folder";
    ok = false;
  } else {
    std::string tmpl = JoinPath(folder, ".rollover-XXXXXX");
    if (::mkdtemp(tmpl.data()) == nullptr) {
      errorText = "Creating new data folder";
      ok = false;
    } else {
      work = tmpl;
    }
  }
  // 3. The copy of the loaded year's files.
  if (ok) {
    CloseDataFiles();
    CloseScheduleFiles();
    CloseReserveFile();
    closed = true;
    if (!Admitted(-1)) {
      DispMessage("Could not copy the data files", MSG_FATAL);
      ok = false;
    } else {
      ok = CopyYearFiles(oldFolder, work, pattern);
    }
  }
  if (ok) {
    Step("Renaming Files", 0);
    if (!Admitted(0) || !RenameCopies(work, oldYY, newYY)) {
      errorText = "Renaming data files";
      ok = false;
    }
  }
  std::optional<DeferredCommits> deferred;
  if (ok) deferred.emplace();
  if (ok) {
    Step("Preparing Database", 1);
    ok = Admitted(1) && OpenDatabase(work.c_str(), newYY, 0);
  }
  const RolloverOptions options{firstMonth, firstMonthYear, keepAllAccounts, budgetMode, friendYears, newYearText};
  // The steps after the budgets read the records one at a time, many of
  // them more than once; no step closes or replaces a kept-open file.
  std::optional<RecordReadCache> cache;
  for (int i = 0; ok && i < static_cast<int>(std::size(kSteps)); ++i) {
    if (i == 1) cache.emplace();
    Step(kSteps[i].caption, 2 + i);
    if (!Admitted(2 + i)) {
      DispMessage(kSteps[i].caption, MSG_FATAL);
      ok = false;
    } else {
      ok = kSteps[i].run(options);
    }
  }
  cache.reset();
  if (ok) {
    Step("Processing Transactions", 10);
    CloseDataFiles();
    char path[MAX_PATH];
    for (const char* name : {TransPath, SupportPath, SplitPath, SubAcctPath}) {
      std::snprintf(path, sizeof path, "%s", name);
      if (!Admitted(10) || !EmptyFile(path)) {
        ok = false;
        break;
      }
    }
    if (!ok) DispMessage("Could not empty the transaction files", MSG_FATAL);
  }
  // The unit file is written while the new year is still in the working
  // folder, so that nothing of the new year reaches its folder unfinished.
  if (ok) {
    Step("Processing Unit", 11);
    ok = Admitted(11) && SetFiscalFirstMonth(firstMonth, firstMonthYear);
  }
  deferred.reset();
  if (ok) {
    Step("Processing Configuration", 12);
    node = FindYearNode(newYearText, 0, &YearList);
    nodeExisted = node != nullptr;
    if (node) std::snprintf(nodeOldFolder, sizeof nodeOldFolder, "%s", node->folder);
    if (!Admitted(12)) {
      errorText = "Could not create new folder llist entry";
      ok = false;
    } else if (std::strlen(folder) >= sizeof node->folder) {
      errorText = "The new data folder's name is too long";
      ok = false;
    } else if (!SyncFiles(work) || !MoveIntoPlace(work, folder)) {
      errorText = "Moving the new year's files into their folder";
      ok = false;
    } else if (!node && (node = FindYearNode(newYearText, 1, &YearList)) == nullptr) {
      errorText = "Could not create new folder llist entry";
      ok = false;
    } else {
      configChanged = true;
      std::snprintf(node->folder, sizeof node->folder, "%s", folder);
      std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "%s", newYearText);
      std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "%s", newYY);
      SortYearList();
      ok = ReadWriteConfig(1) == 1;
    }
  }
  if (ok) {
    Step("Initializing New Year", 13);
    CloseDataFiles();
    ok = Admitted(13) && OpenDatabase(folder, newYY, 0);
  }
  ReportProgress("", 14, 14);
  RemoveWorkFolder(work);
  if (!ok) {
    if (errorText) DispMessage(errorText, MSG_FATAL);
    DispMessage("Rollover Cancelled", MSG_INFORMATION);
    std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "%s", oldYear);
    std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "%s", oldYY);
    if (configChanged) {
      // The list and the configuration name the old year again.
      if (!nodeExisted) RemoveYearNode(newYearText);
      else if (FiscalYearNode* n = FindYearNode(newYearText, 0, &YearList))
        std::snprintf(n->folder, sizeof n->folder, "%s", nodeOldFolder);
      SortYearList();
      ReadWriteConfig(1);
    }
    SortYearList();
    // A folder made for the new year goes again when nothing was left in it.
    if (!folderExisted) ::rmdir(folder);
    if (closed) {
      CloseDataFiles();
      CloseScheduleFiles();
      CloseReserveFile();
      if (!OpenDatabase(oldFolder.c_str(), oldYY, 0))
        DispMessage("Database initialization failed.\n\nPlease exit and re-enter program", MSG_ERROR);
    }
  }
  SetMainTitle(0);
  return ok ? 1 : 0;
}
