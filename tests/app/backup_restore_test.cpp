#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/Backup.h"
#include "app/TornelApp.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Settings.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/testing/Automation.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace fs = std::filesystem;

namespace {

using Snapshot = std::map<std::string, std::string>;

// Every file of a folder with its bytes.
Snapshot Take(const std::string& folder) {
  Snapshot s;
  if (!fs::exists(folder)) return s;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) s[e.path().filename().string()] = ReadBytes(e.path().string());
  return s;
}

class BackupRestoreTest : public testing::Test {
 protected:
  void SetUp() override {
    home = year.home();
    backup = home + "/backup";
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", home.c_str());
    std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s/config4.sl", home.c_str());
    std::snprintf(WorksheetFileName, sizeof WorksheetFileName, "%s/worksht4.dat", home.c_str());
    std::snprintf(MailLabelFileName, sizeof MailLabelFileName, "%s/labels4.dat", home.c_str());
    FreeYearList();
    FiscalYearNode* node = FindYearNode("2008", 1, &YearList);
    std::snprintf(node->folder, sizeof node->folder, "%s", year.folder().c_str());
    SortYearList();
    ASSERT_EQ(ReadWriteConfig(1), 1);
    UnitSettings unit;
    unit.unitNumber = "123";
    ASSERT_EQ(WriteUnitSettings(UnitSettingsPath(home), unit), 1);
    WriteBytes(WorksheetFileName, "worksheets");
    WriteBytes(MailLabelFileName, "labels");
    WriteBytes(home + "/" + NotepadFileName, "notes");
    SettingsSection* s = OpenSettingsSection(SettingsFileName, "CONFIG");
    PutSettingText(s, 'G', "picture.bmp");
    CloseSettingsSection(s);
    automation::AlwaysAnswer("Progress", "", IDOK);
    automation::SetResponder([this](const automation::ModalInfo& info) {
      if (info.kind != "messagebox") return 0;
      messages.push_back(info.text);
      return IDOK;
    });
  }
  void TearDown() override {
    SetCopyStepGate(nullptr);
    FreeYearList();
  }

  // Every step the copy asks the gate about, in a run that succeeds.
  std::vector<std::string> Steps(const std::function<void()>& run) {
    std::vector<std::string> steps;
    SetCopyStepGate([&](const char* path) {
      steps.push_back(path);
      return true;
    });
    run();
    SetCopyStepGate(nullptr);
    return steps;
  }

  fixture::FiscalYear year;
  std::string home, backup;
  std::vector<std::string> messages;
};

TEST_F(BackupRestoreTest, BackupCopiesTheYearAndTheProgramFilesAndRestoreBringsThemBack) {
  const Snapshot yearBefore = Take(year.folder());
  BackupData(backup.c_str());
  EXPECT_TRUE(messages.empty()) << messages.front();
  Snapshot copy = Take(backup);
  for (const auto& [name, bytes] : yearBefore) EXPECT_EQ(copy[name], bytes) << name;
  EXPECT_EQ(copy["cnfg4.bu"], ReadBytes(ConfigFileName));
  EXPECT_EQ(copy["unitset4.bu"], ReadBytes(UnitSettingsPath(home)));
  EXPECT_EQ(copy["udata4.bu"], ReadBytes(SettingsFileName));
  EXPECT_EQ(copy["worksht4.bu"], "worksheets");
  EXPECT_EQ(copy["labels4.bu"], "labels");
  EXPECT_EQ(copy["notes4.bu"], "notes");
  EXPECT_EQ(copy.size(), yearBefore.size() + 6);
  EXPECT_NE(AcctFile, nullptr);  // the year is open again
  const int balance = fixture::FiscalYear::Balance(101);

  // Damage the year and the program files, then restore everything.
  CloseDataFiles();
  WriteBytes(fixture::FilePath(year, "acct"), "scribbled");
  fs::remove(fixture::FilePath(year, "trans"));
  WriteBytes(WorksheetFileName, "changed");
  const std::string config = ReadBytes(ConfigFileName);
  RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(Take(year.folder()), yearBefore);
  EXPECT_EQ(ReadBytes(WorksheetFileName), "worksheets");
  EXPECT_EQ(ReadBytes(ConfigFileName), config);  // never copied back
  EXPECT_EQ(fixture::FiscalYear::Balance(101), balance);
}

TEST_F(BackupRestoreTest, RestoreReplacesAYearFileWhoseNameDiffersInCase) {
  BackupData(backup.c_str());
  CloseDataFiles();
  const std::string lower = fixture::FilePath(year, "acct"), upper = year.folder() + "/ACCT408.DAT";
  fs::rename(lower, upper);
  WriteBytes(upper, "scribbled");
  RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_FALSE(fs::exists(lower));
  EXPECT_EQ(ReadBytes(upper), ReadBytes(backup + "/acct408.dat"));
}

TEST_F(BackupRestoreTest, ABackupFailingAtAnyFileLeavesTheOldBackupAsItWas) {
  BackupData(backup.c_str());
  const Snapshot fresh = Take(backup);
  // An older backup of the same year sits in the folder.
  for (const auto& [name, bytes] : fresh) WriteBytes(backup + "/" + name, "old " + name);
  const Snapshot old = Take(backup);
  const std::vector<std::string> steps = Steps([&] { BackupData(backup.c_str()); });
  ASSERT_EQ(steps.size(), 2 * fresh.size());  // a write and a rename per file
  for (std::size_t i = 0; i < steps.size(); ++i) {
    for (const auto& [name, bytes] : old) WriteBytes(backup + "/" + name, bytes);
    messages.clear();
    std::size_t call = 0;
    SetCopyStepGate([&](const char*) { return call++ != i; });
    BackupData(backup.c_str());
    SetCopyStepGate(nullptr);
    const std::string failed = steps[i];
    const bool optional = failed.find(".bu.part~") != std::string::npos && failed.find("cnfg") == std::string::npos &&
                          failed.find("unitset") == std::string::npos;
    ASSERT_FALSE(messages.empty()) << failed;
    if (optional) {
      // A program file that could not be copied leaves an empty copy; the
      // rest of the backup goes on.
      Snapshot expected = fresh;
      const std::string name = fs::path(failed).filename().string();
      expected[name.substr(0, name.size() - 6)] = "";
      EXPECT_EQ(Take(backup), expected) << failed;
    } else {
      EXPECT_EQ(Take(backup), old) << failed;
      const std::string name = fs::path(failed).filename().string();
      EXPECT_NE(messages.front().find(name.substr(0, name.find(".part~"))), std::string::npos)
          << messages.front();
    }
    EXPECT_NE(AcctFile, nullptr);
  }
}

TEST_F(BackupRestoreTest, ARestoreFailingAtAnyFileLeavesTheYearAndProgramFilesAsTheyWere) {
  BackupData(backup.c_str());
  // The backup differs from the year in every file.
  for (const auto& [name, bytes] : Take(backup)) WriteBytes(backup + "/" + name, bytes + "older");
  CloseDataFiles();
  const Snapshot yearNow = Take(year.folder());
  const Snapshot homeNow = Take(home);
  const auto restore = [&] {
    RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
  };
  const std::vector<std::string> steps = Steps([&] {
    restore();
    for (const auto& [name, bytes] : yearNow) WriteBytes(year.folder() + "/" + name, bytes);
    for (const auto& [name, bytes] : homeNow) WriteBytes(home + "/" + name, bytes);
  });
  ASSERT_GT(steps.size(), 20u);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    messages.clear();
    std::size_t call = 0;
    SetCopyStepGate([&](const char*) { return call++ != i; });
    restore();
    SetCopyStepGate(nullptr);
    EXPECT_EQ(Take(year.folder()), yearNow) << steps[i];
    EXPECT_EQ(Take(home), homeNow) << steps[i];
    ASSERT_GE(messages.size(), 2u) << steps[i];
    const std::string name = fs::path(steps[i]).filename().string();
    EXPECT_NE(messages[0].find(name.substr(0, name.find(".part~"))), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("Check to be sure you identified the correct Restore Path"), std::string::npos);
  }
}

TEST_F(BackupRestoreTest, RestoringAnUnknownYearMakesItsFolderAndAddsItToTheList) {
  BackupData(backup.c_str());
  // The backup stands for a year 2007 that this installation never had.
  for (const auto& [name, bytes] : Take(backup)) {
    std::string other = name;
    const std::size_t at = other.find("408");
    if (at == std::string::npos) continue;
    other.replace(at, 3, "407");
    fs::rename(backup + "/" + name, backup + "/" + other);
  }
  char yearText[5] = "2007", folder[MAX_PATH];
  std::snprintf(folder, sizeof folder, "%s/", backup.c_str());
  int system = 0;
  XferRestore(1, yearText, folder, &system);
  EXPECT_TRUE(messages.empty()) << messages.front();
  const FiscalYearNode* node = FindYearNode("2007", 0, &YearList);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(std::string(node->folder), home + "/fy2007");
  EXPECT_TRUE(fs::exists(home + "/fy2007/acct407.dat"));
  EXPECT_NE(ReadBytes(ConfigFileName).find("fy2007"), std::string::npos);
}

TEST_F(BackupRestoreTest, ABackupIntoTheYearsOwnFolderIsRefused) {
  const Snapshot before = Take(year.folder());
  BackupData(year.folder().c_str());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("May not be the same as the original data path"), std::string::npos);
  EXPECT_EQ(Take(year.folder()), before);
}

}  // namespace
