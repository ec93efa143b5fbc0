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

#include "app/Backup.h"
#include "app/YearJournal.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/FolderPaths.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/StopPoint.h"
#include "store/DataFiles.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

RolloverFaultGate faultGate = nullptr;

bool Admitted(int point) {
  StopPoint("rollover step");
  return faultGate == nullptr || faultGate(point);
}

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

namespace {

// One rollover's state, handed from step to step.
struct RolloverRun {
  std::string folder;  // the new year's folder, absolute
  RolloverOptions options;
  std::string oldFolder;
  char oldYY[3], oldYear[5], newYY[3], newYearText[5];
  std::string pattern;  // the old year's record files: major number and two digits

  const char* errorText = nullptr;  // shown when the rollover ends in failure
  bool closed = false;              // the old year's files are closed
  bool configChanged = false;       // the list and configuration name the new year
  bool nodeExisted = false;
  char nodeOldFolder[sizeof(FiscalYearNode::folder)] = "";
  YearJournal journal;  // its working folder and the files it moves
};

// 1. What the rollover may not do: the loaded year again, or the loaded
// year's own folder (the copy would write over the very files it reads).
bool CheckRequest(RolloverRun& run, const char* firstMonth) {
  if (std::strcmp(run.newYearText, run.oldYear) == 0) {
    DispMessage("You may not rollover to the current year", MSG_WARNING);
    return false;
  }
  if (SameFolder(run.folder.c_str(), run.oldFolder.c_str())) {
    DispMessage(kLoadedYearFolderRefusal, MSG_WARNING);
    return false;
  }
  if (MonthAbbrIndex(firstMonth) < 0) {
    DispMessage("First Month:  Unknown month", MSG_WARNING);
    return false;
  }
  return true;
}

// 2. The new folder and a private working folder inside it, recorded in the
// journal first so that a stop anywhere later leaves nothing behind.
bool MakeWorkFolder(RolloverRun& run) {
  YearJournal& j = run.journal;
  j.operation = "Rollover";
  j.state = "Build";
  j.year = run.newYearText;
  j.folder = run.folder;
  j.madeFolder = !IsDirectory(run.folder.c_str());
  if (!Admitted(-2) || !MakePath(run.folder.c_str()) || !IsDirectory(run.folder.c_str())) {
    run.errorText = "Creating new data folder";
    return false;
  }
  // The name is chosen before the folder exists, so that the journal names
  // it before there is anything to remove.
  for (int k = 0; k < 100 && j.work.empty(); ++k) {
    const std::string name = ".rollover-" + std::to_string(::getpid()) + "-" + std::to_string(k);
    struct stat st;
    if (::lstat(JoinPath(run.folder, name).c_str(), &st) != 0) j.work = JoinPath(run.folder, name);
  }
  if (j.work.empty() || !WriteYearJournal(ProgramFolder, j)) {
    j.work.clear();
    run.errorText = "Could not write the rollover's journal in the program folder";
    return false;
  }
  StopPoint(j.work.c_str());
  if (::mkdir(j.work.c_str(), 0700) != 0) {
    run.errorText = "Creating new data folder";
    return false;
  }
  return true;
}

// 3. The loaded year's files, copied into the working folder under the new
// year's names. The old year is closed from here on.
bool CopyOldYear(RolloverRun& run) {
  CloseDataFiles();
  CloseScheduleFiles();
  CloseReserveFile();
  run.closed = true;
  if (!Admitted(-1)) {
    DispMessage("Could not copy the data files", MSG_FATAL);
    return false;
  }
  if (!CopyYearFiles(run.oldFolder, run.journal.work, run.pattern)) return false;
  Step("Renaming Files", 0);
  if (!Admitted(0) || !RenameCopies(run.journal.work, run.oldYY, run.newYY)) {
    run.errorText = "Renaming data files";
    return false;
  }
  return true;
}

// 4. The steps on the copies, opened as the new year in the working folder:
// the records, then the emptied transaction files, then the unit file. The
// unit file is written while the new year is still in the working folder,
// so that nothing of it reaches its folder unfinished.
bool BuildNewYear(RolloverRun& run, const char* firstMonth, int firstMonthYear) {
  DeferredCommits deferred;
  // Every record of the year is written: the free space is asked once.
  DataFolderRoomScope room;
  Step("Preparing Database", 1);
  if (!Admitted(1) || !OpenDatabase(run.journal.work.c_str(), run.newYY, 0)) return false;
  {
    // The steps after the budgets read the records one at a time, many of
    // them more than once; no step closes or replaces a kept-open file.
    std::optional<RecordReadCache> cache;
    for (int i = 0; i < static_cast<int>(std::size(kSteps)); ++i) {
      if (i == 1) cache.emplace();
      Step(kSteps[i].caption, 2 + i);
      if (!Admitted(2 + i)) {
        DispMessage(kSteps[i].caption, MSG_FATAL);
        return false;
      }
      if (!kSteps[i].run(run.options)) return false;
    }
  }
  Step("Processing Transactions", 10);
  CloseDataFiles();
  char path[MAX_PATH];
  for (const char* name : {TransPath, SupportPath, SplitPath, SubAcctPath}) {
    std::snprintf(path, sizeof path, "%s", name);
    if (!Admitted(10) || !EmptyFile(path)) {
      DispMessage("Could not empty the transaction files", MSG_FATAL);
      return false;
    }
  }
  Step("Processing Unit", 11);
  return Admitted(11) && SetFiscalFirstMonth(firstMonth, firstMonthYear);
}

// 5. The new year's files into its folder. A year already there (rolled
// over onto again) is replaced as a whole or not at all: each file it
// replaces is kept aside in the working folder until the configuration
// names the new year, and put back when anything fails.
bool MoveIntoFolder(RolloverRun& run) {
  YearJournal& j = run.journal;
  if (!SyncFiles(j.work)) return false;
  j.names = FilesIn(j.work);
  j.state = "Move";
  if (!WriteYearJournal(ProgramFolder, j)) return false;
  for (const std::string& name : j.names) {
    const std::string inFolder = JoinPath(run.folder, name);
    struct stat st;
    if (::lstat(inFolder.c_str(), &st) == 0) {
      const std::string kept = JoinPath(j.work, name + ".old~");
      StopPoint(kept.c_str());
      if (::rename(inFolder.c_str(), kept.c_str()) != 0) return false;
    }
    StopPoint(inFolder.c_str());
    if (::rename(JoinPath(j.work, name).c_str(), inFolder.c_str()) != 0) return false;
  }
  return SyncFolder(run.folder) && SyncFolder(j.work);
}

// 6. The new year in the list and, written last, the configuration that
// makes it current: from here on the new year is the books' year.
bool RecordNewYear(RolloverRun& run) {
  FiscalYearNode* node = FindYearNode(run.newYearText, 0, &YearList);
  run.nodeExisted = node != nullptr;
  if (node) std::snprintf(run.nodeOldFolder, sizeof run.nodeOldFolder, "%s", node->folder);
  if (!node && (node = FindYearNode(run.newYearText, 1, &YearList)) == nullptr) {
    run.errorText = "Could not create new folder llist entry";
    return false;
  }
  run.configChanged = true;
  std::snprintf(node->folder, sizeof node->folder, "%s", run.folder.c_str());
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "%s", run.newYearText);
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "%s", run.newYY);
  SortYearList();
  StopPoint(ConfigFileName);
  return ReadWriteConfig(1) == 1;
}

// After a failure: the list, the configuration and the year's folder as
// they were, and the old year loaded again (or the program quits rather
// than run on half-loaded tables).
void ReturnToOldYear(RolloverRun& run) {
  if (run.errorText) DispMessage(run.errorText, MSG_FATAL);
  DispMessage("Rollover Cancelled", MSG_INFORMATION);
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "%s", run.oldYear);
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "%s", run.oldYY);
  if (run.configChanged) {
    if (!run.nodeExisted) RemoveYearNode(run.newYearText);
    else if (FiscalYearNode* n = FindYearNode(run.newYearText, 0, &YearList))
      std::snprintf(n->folder, sizeof n->folder, "%s", run.nodeOldFolder);
    SortYearList();
    StopPoint(ConfigFileName);
    ReadWriteConfig(1);
  }
  SortYearList();
  if (run.closed) {
    CloseDataFiles();
    CloseScheduleFiles();
    CloseReserveFile();
  }
  if (!run.journal.work.empty()) {
    // What the move replaced goes back; what it brought goes.
    if (run.journal.state == "Move") UndoRolloverMove(run.journal);
    else {
      RemoveWorkFolder(run.journal.work);
      // A folder made for the new year goes again when nothing was left in it.
      if (run.journal.madeFolder) ::rmdir(run.folder.c_str());
    }
    RemoveYearJournal(ProgramFolder);
  } else if (run.journal.madeFolder) {
    ::rmdir(run.folder.c_str());
  }
  if (run.closed) ReopenLoadedYearOrQuit("Database initialization failed.\n\nPlease exit and re-enter program");
}

}  // namespace

int DoRollover(const char* folder, const char* firstMonth, int firstMonthYear, int newYear, int keepAllAccounts,
               int budgetMode, int friendYears) {
  if (!CurrentYearNode || !folder || !folder[0]) {
    DispMessage("No fiscal year is loaded", MSG_ERROR);
    return 0;
  }
  RolloverRun run;
  run.folder = AbsoluteFolder(folder);
  run.oldFolder = CurrentYearNode->folder;
  std::snprintf(run.oldYY, sizeof run.oldYY, "%s", FiscalYearYY);
  std::snprintf(run.oldYear, sizeof run.oldYear, "%s", CurrentFiscalYear);
  std::snprintf(run.newYY, sizeof run.newYY, "%2.2d", ((newYear % 100) + 100) % 100);
  std::snprintf(run.newYearText, sizeof run.newYearText, "%4.4d", ((newYear % 10000) + 10000) % 10000);
  run.pattern = Lower(std::string(DataFormatMajor()) + run.oldYY);
  run.options = RolloverOptions{firstMonth, firstMonthYear, keepAllAccounts, budgetMode, friendYears, run.newYearText};
  if (!CheckRequest(run, firstMonth)) return 0;
  if (run.folder.size() >= sizeof(FiscalYearNode::folder)) {
    DispMessage("The new data folder's name is too long", MSG_WARNING);
    return 0;
  }

  bool ok = MakeWorkFolder(run) && CopyOldYear(run) && BuildNewYear(run, firstMonth, firstMonthYear);
  if (ok) {
    Step("Processing Configuration", 12);
    if (!Admitted(12)) {
      run.errorText = "Could not create new folder llist entry";
      ok = false;
    } else if (!MoveIntoFolder(run)) {
      run.errorText = "Moving the new year's files into their folder";
      ok = false;
    } else {
      ok = RecordNewYear(run);
    }
  }
  if (ok) {
    Step("Initializing New Year", 13);
    CloseDataFiles();
    ok = Admitted(13) && OpenDatabase(run.folder.c_str(), run.newYY, 0);
  }
  ReportProgress("", 14, 14);
  if (ok) {
    // Committed: what the new year replaced, and the working folder, go.
    RemoveWorkFolder(run.journal.work);
    RemoveYearJournal(ProgramFolder);
  } else {
    ReturnToOldYear(run);
  }
  SetMainTitle(0);
  return ok ? 1 : 0;
}
