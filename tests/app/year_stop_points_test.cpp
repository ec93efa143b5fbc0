// A restore and a rollover stopped at every rename, unlink and file write
// they make (the process ends there, as on a power loss), followed by the
// next start's recovery: the books then hold the old year or the new one
// whole, and nothing the operation made is left behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "YearTestUtil.h"
#include "app/Backup.h"
#include "app/Rollover.h"
#include "app/TornelApp.h"
#include "app/YearJournal.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/StopPoint.h"
#include "common/UnitSettings.h"
#include "platform/testing/Automation.h"
#include "store/Fixture.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>;

// Runs `operation` in a child process that ends at its stop point number
// `k`. True when it ended there (`where` names the point), false when the
// operation ran to its end before reaching it.
bool StoppedAt(int k, const std::function<void()>& operation, std::string* where) {
  int fds[2];
  if (::pipe(fds) != 0) return false;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    int n = 0;
    SetStopPointHook([&](const char* what) {
      if (n++ != k) return;
      const ssize_t written = ::write(fds[1], what, std::strlen(what));
      (void)written;
      ::_exit(42);
    });
    operation();
    ::_exit(0);
  }
  ::close(fds[1]);
  char buffer[1024];
  ssize_t got;
  where->clear();
  while ((got = ::read(fds[0], buffer, sizeof buffer)) > 0) where->append(buffer, static_cast<std::size_t>(got));
  ::close(fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status)) << "the operation crashed";
  return WIFEXITED(status) && WEXITSTATUS(status) == 42;
}

// What the next start does before it opens the year: the configuration
// read, then the recovery.
void NextStart() {
  CloseDataFiles();
  CloseScheduleFiles();
  CloseReserveFile();
  FreeYearList();
  ASSERT_EQ(ReadWriteConfig(0), 1);
  RecoverYearOperations();
}

std::string FolderOf(const char* year) {
  const FiscalYearNode* node = FindYearNode(year, 0, &YearList);
  return node ? node->folder : "";
}

// Every name below `folder`, to find what an operation left behind.
std::vector<std::string> Leftovers(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.find(".part~") != std::string::npos || name.find(".old~") != std::string::npos ||
        name.rfind(".rollover-", 0) == 0 || name.find(".jnl") != std::string::npos)
      found.push_back(e.path().string());
  }
  return found;
}

class YearStopPointsTest : public testing::Test {
 protected:
  void SetUp() override {
    MakeYearCurrent(fy);
    home = fy.home();
    std::snprintf(WorksheetFileName, sizeof WorksheetFileName, "%s/worksht4.dat", home.c_str());
    std::snprintf(MailLabelFileName, sizeof MailLabelFileName, "%s/labels4.dat", home.c_str());
    UnitSettings unit;
    unit.unitNumber = "123";
    ASSERT_EQ(WriteUnitSettings(UnitSettingsPath(home), unit), 1);
    WriteBytes(WorksheetFileName, "worksheets");
    AnswerEveryBox();
    automation::AlwaysAnswer("Progress", "", IDOK);
  }
  void TearDown() override {
    SetStopPointHook(nullptr);
    SetRolloverFaultGate(nullptr);
    FreeYearList();
  }

  // Puts `files` back as the only content of `folder`.
  static void Lay(const std::string& folder, const Files& files) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all);
    for (const auto& [name, bytes] : files) WriteBytes(folder + "/" + name, bytes);
  }

  fixture::FiscalYear fy;
  std::string home;
};

TEST_F(YearStopPointsTest, ARestoreStoppedAnywhereLeavesTheOldYearOrTheRestoredOneWhole) {
  const std::string backup = home + "/backup";
  BackupData(backup.c_str());
  CloseDataFiles();
  const Files restored = Snapshot(fy.folder());
  const std::string unitRestored = FileBytes(UnitSettingsPath(home));
  // The year moves on after its backup: another opening balance, other
  // worksheets and unit number.
  ASSERT_EQ(fy.Reopen(), 1);
  AccountRecord account;
  ASSERT_EQ(ReadRecord(AcctFile, account, 0), 1);
  account.openingBalance += 12345;
  ASSERT_EQ(WriteRecord(AcctFile, account, 0), 1);
  CloseDataFiles();
  WriteBytes(WorksheetFileName, "worksheets of today");
  UnitSettings unit;
  unit.unitNumber = "456";
  ASSERT_EQ(WriteUnitSettings(UnitSettingsPath(home), unit), 1);
  const Files current = Snapshot(fy.folder());
  const std::string unitCurrent = FileBytes(UnitSettingsPath(home));
  const std::string config = FileBytes(ConfigFileName);
  ASSERT_NE(current, restored);

  int stops = 0;
  std::string where;
  for (int k = 0; k < 500; ++k) {
    // The installation as it is before the restore.
    fs::remove_all(fy.folder() + "-1");
    Lay(fy.folder(), current);
    WriteBytes(UnitSettingsPath(home), unitCurrent);
    WriteBytes(WorksheetFileName, "worksheets of today");
    WriteBytes(ConfigFileName, config);
    FreeYearList();
    ASSERT_EQ(ReadWriteConfig(0), 1);
    ASSERT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 1);

    const bool stopped = StoppedAt(
        k,
        [&] {
          RestoreData(fy.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
        },
        &where);
    SCOPED_TRACE(stopped ? "stopped before " + where : "ran to its end");
    NextStart();
    const std::string folder = FolderOf("2008");
    const Files now = Snapshot(folder);
    const bool isNew = now == restored;
    EXPECT_TRUE(isNew || now == current);
    // The program files went with the year, all or none.
    EXPECT_EQ(FileBytes(UnitSettingsPath(home)), isNew ? unitRestored : unitCurrent);
    EXPECT_EQ(FileBytes(WorksheetFileName), isNew ? "worksheets" : "worksheets of today");
    // Only the year's own folder is left, and nothing the restore made.
    EXPECT_EQ(fs::exists(fy.folder()), folder == fy.folder());
    EXPECT_EQ(fs::exists(fy.folder() + "-1"), folder == fy.folder() + "-1");
    EXPECT_EQ(Leftovers(home), std::vector<std::string>{});
    EXPECT_EQ(OpenDatabase(folder.c_str(), "08", 0), 1);
    if (!stopped) {
      EXPECT_TRUE(isNew);
      break;
    }
    ++stops;
  }
  EXPECT_GT(stops, 20);
}

TEST_F(YearStopPointsTest, ARolloverOntoAnExistingYearStoppedAnywhereLeavesBothYearsWhole) {
  // The year 2009 exists already in its own folder, with a posting of its
  // own; 2008 is loaded again.
  const std::string next = home + "/fy2009";
  ASSERT_EQ(DoRollover(next.c_str(), "Jan", 2009, 2009, 1, 0, 0), 1);
  AccountRecord account;
  ASSERT_EQ(ReadRecord(AcctFile, account, 0), 1);
  account.openingBalance += 777;
  ASSERT_EQ(WriteRecord(AcctFile, account, 0), 1);
  CloseDataFiles();
  const Files old2009 = Snapshot(next);
  FiscalYearNode* node = FindYearNode("2008", 0, &YearList);
  ASSERT_NE(node, nullptr);
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2008");
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
  SortYearList();
  ASSERT_EQ(ReadWriteConfig(1), 1);
  const std::string config = FileBytes(ConfigFileName);
  const Files old2008 = Snapshot(fy.folder());

  int stops = 0;
  std::string where;
  for (int k = 0; k < 1000; ++k) {
    Lay(next, old2009);
    WriteBytes(ConfigFileName, config);
    FreeYearList();
    ASSERT_EQ(ReadWriteConfig(0), 1);
    ASSERT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 1);

    const bool stopped =
        StoppedAt(k, [&] { DoRollover(next.c_str(), "Jan", 2009, 2009, 1, 0, 0); }, &where);
    SCOPED_TRACE(stopped ? "stopped before " + where : "ran to its end");
    NextStart();
    EXPECT_EQ(Snapshot(fy.folder()), old2008);
    EXPECT_EQ(Leftovers(home), std::vector<std::string>{});
    const bool isNew = std::strcmp(CurrentFiscalYear, "2009") == 0;
    if (!isNew) EXPECT_EQ(Snapshot(next), old2009);
    else EXPECT_NE(Snapshot(next), old2009);
    EXPECT_EQ(FolderOf("2009"), next);
    // The current year opens and holds together.
    EXPECT_EQ(OpenDatabase(FolderOf(CurrentFiscalYear).c_str(), FiscalYearYY, 0), 1);
    if (!stopped) {
      EXPECT_TRUE(isNew);
      break;
    }
    ++stops;
  }
  EXPECT_GT(stops, 30);
}

TEST_F(YearStopPointsTest, ARolloverOntoAnExistingYearThatFailsPutsThatYearBack) {
  const std::string next = home + "/fy2009";
  ASSERT_EQ(DoRollover(next.c_str(), "Jan", 2009, 2009, 1, 0, 0), 1);
  CloseDataFiles();
  const Files old2009 = Snapshot(next);
  std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2008");
  std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
  SortYearList();
  ASSERT_EQ(ReadWriteConfig(1), 1);
  ASSERT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 1);
  // The new year's files are in place and the configuration names it when
  // it fails to open.
  SetRolloverFaultGate([](int point) { return point != 13; });
  EXPECT_EQ(DoRollover(next.c_str(), "Feb", 2009, 2009, 1, 0, 0), 0);
  SetRolloverFaultGate(nullptr);
  EXPECT_EQ(Snapshot(next), old2009);
  EXPECT_STREQ(CurrentFiscalYear, "2008");
  EXPECT_EQ(Leftovers(home), std::vector<std::string>{});
  EXPECT_NE(AcctFile, nullptr);
}

TEST_F(YearStopPointsTest, TheStartTidiesWhatOlderCopyRunsLeft) {
  // A copy run stopped between its renames: one file kept aside with its
  // place empty, another kept aside beside its replacement, a temporary
  // copy, and a working folder of a rollover.
  const std::string acct = fixture::FilePath(fy, "acct"), trans = fixture::FilePath(fy, "trans");
  CloseDataFiles();
  const std::string acctBytes = FileBytes(acct), transBytes = FileBytes(trans);
  fs::rename(acct, acct + ".old~");
  WriteBytes(trans + ".old~", "older");
  WriteBytes(fixture::FilePath(fy, "equip") + ".part~", "half");
  WriteBytes(home + "/udata4.dat.part~", "half");
  fs::create_directories(fy.folder() + "/.rollover-abc");
  WriteBytes(fy.folder() + "/.rollover-abc/acct409.dat", "copy");
  NextStart();
  EXPECT_EQ(FileBytes(acct), acctBytes);
  EXPECT_EQ(FileBytes(trans), transBytes);
  EXPECT_EQ(Leftovers(home), std::vector<std::string>{});
  EXPECT_EQ(OpenDatabase(fy.folder().c_str(), "08", 0), 1);
}

}  // namespace
