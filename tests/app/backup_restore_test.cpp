#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/Backup.h"
#include "app/BackupManifest.h"
#include "app/YearJournal.h"
#include "app/TornelApp.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Settings.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
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

  // The loaded year's folder as the list names it now (a restore moves the
  // year into a fresh folder).
  static std::string YearFolder() {
    const FiscalYearNode* node = FindYearNode("2008", 0, &YearList);
    return node ? node->folder : "";
  }
  // The messages but the closing word of a restore that went through.
  std::vector<std::string> Problems() const {
    std::vector<std::string> out;
    for (const std::string& m : messages)
      if (m.find("has been restored") == std::string::npos) out.push_back(m);
    return out;
  }
  // After the backup's files were changed on purpose, a manifest that
  // vouches for them again.
  void ResealBackup(const char* yearText = "2008") {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : Take(backup))
      if (name != "manifest4.bu") names.push_back(name);
    ASSERT_TRUE(WriteBackupManifest(backup, yearText, names));
  }
  // The folders of the program folder (a restore leaves exactly the year's).
  std::vector<std::string> Folders() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(home))
      if (e.is_directory()) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
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
  // The manifest, written last, lists every other file of the set.
  EXPECT_EQ(copy.size(), yearBefore.size() + 7);
  BackupManifest manifest;
  std::string error;
  ASSERT_TRUE(ParseBackupManifest(copy["manifest4.bu"], &manifest, &error)) << error;
  EXPECT_EQ(manifest.year, "2008");
  EXPECT_EQ(manifest.files.size(), copy.size() - 1);
  EXPECT_NE(AcctFile, nullptr);  // the year is open again
  const int balance = fixture::FiscalYear::Balance(101);

  // Damage the year and the program files, then restore everything.
  CloseDataFiles();
  WriteBytes(fixture::FilePath(year, "acct"), "scribbled");
  fs::remove(fixture::FilePath(year, "trans"));
  WriteBytes(WorksheetFileName, "changed");
  const std::string config = ReadBytes(ConfigFileName);
  RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
  ASSERT_EQ(messages, std::vector<std::string>{"Fiscal year 2008 has been restored."});
  // The year now lives in a fresh folder beside its old one, which went.
  EXPECT_EQ(YearFolder(), year.folder() + "-1");
  EXPECT_EQ(Take(YearFolder()), yearBefore);
  EXPECT_FALSE(fs::exists(year.folder()));
  EXPECT_EQ(ReadBytes(WorksheetFileName), "worksheets");
  EXPECT_NE(ReadBytes(ConfigFileName).find(year.folder() + "-1"), std::string::npos);
  EXPECT_FALSE(fs::exists(YearJournalPath(ProgramFolder)));
  EXPECT_EQ(fixture::FiscalYear::Balance(101), balance);
  EXPECT_EQ(fs::status(YearFolder()).permissions() & fs::perms::all, fs::perms::owner_all);

  // A second restore moves the year back under its first name.
  messages.clear();
  RestoreData(YearFolder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES);
  EXPECT_EQ(YearFolder(), year.folder());
  EXPECT_EQ(Take(YearFolder()), yearBefore);
  EXPECT_EQ(Folders(), std::vector<std::string>({"backup", "fy2008"}));
}

TEST_F(BackupRestoreTest, RestoreReplacesAYearFileWhoseNameDiffersInCase) {
  BackupData(backup.c_str());
  CloseDataFiles();
  const std::string lower = fixture::FilePath(year, "acct"), upper = year.folder() + "/ACCT408.DAT";
  fs::rename(lower, upper);
  WriteBytes(upper, "scribbled");
  RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES);
  EXPECT_TRUE(Problems().empty()) << Problems().front();
  EXPECT_FALSE(fs::exists(upper));
  EXPECT_EQ(ReadBytes(YearFolder() + "/acct408.dat"), ReadBytes(backup + "/acct408.dat"));
}

TEST_F(BackupRestoreTest, RestoreRefusesASetThatIsNotWhole) {
  BackupData(backup.c_str());
  CloseDataFiles();
  WriteBytes(fixture::FilePath(year, "acct"), "current");
  const Snapshot yearNow = Take(year.folder()), backupWhole = Take(backup);
  const struct {
    const char* what;
    std::function<void()> damage;
    const char* message;
  } cases[] = {
      {"no transactions file", [&] { fs::remove(backup + "/trans408.dat"); }, "lacks the file trans408.dat"},
      {"a changed file", [&] { WriteBytes(backup + "/suppt408.dat", "x"); }, "the file suppt408.dat differs"},
      {"a backup stopped part-way", [&] { fs::remove(backup + "/manifest4.bu"); }, "has no manifest"},
      {"another year's set", [&] { ResealBackup("2007"); }, "holds fiscal year 2007, not 2008"},
      {"no file of the year",
       [&] {
         for (const auto& [name, bytes] : backupWhole)
           if (name.find(".dat") != std::string::npos) fs::remove(backup + "/" + name);
         ResealBackup();
       },
       "holds no file of fiscal year 2008"},
      {"a damaged manifest", [&] { WriteBytes(backup + "/manifest4.bu", "Fiscal Year = 2008\nFile = 1 2\n"); },
       "has a damaged manifest"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(backup);
    fs::create_directories(backup);
    for (const auto& [name, bytes] : backupWhole) WriteBytes(backup + "/" + name, bytes);
    c.damage();
    messages.clear();
    RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
    EXPECT_EQ(YearFolder(), year.folder());
    EXPECT_EQ(Take(year.folder()), yearNow);
    EXPECT_EQ(Folders(), std::vector<std::string>({"backup", "fy2008"}));
  }
}

TEST_F(BackupRestoreTest, ARestoredYearThatDoesNotOpenReplacesNothing) {
  BackupData(backup.c_str());
  // A whole set of a year that does not open: it lacks its unit file.
  fs::remove(backup + "/unit408.dat");
  ResealBackup();
  const Snapshot yearNow = Take(year.folder());
  const std::string unitNow = ReadBytes(UnitSettingsPath(home));
  RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().find("The restored fiscal year does not open"), std::string::npos) << messages.back();
  EXPECT_EQ(YearFolder(), year.folder());
  EXPECT_EQ(Take(year.folder()), yearNow);
  EXPECT_EQ(ReadBytes(UnitSettingsPath(home)), unitNow);
  EXPECT_EQ(Folders(), std::vector<std::string>({"backup", "fy2008"}));
  EXPECT_NE(AcctFile, nullptr);  // the old year is loaded again
}

TEST_F(BackupRestoreTest, ABackupFailingAtAnyFileLeavesTheOldBackupAsItWas) {
  BackupData(backup.c_str());
  const Snapshot fresh = Take(backup);
  // An older backup of the same year sits in the folder.
  for (const auto& [name, bytes] : fresh) WriteBytes(backup + "/" + name, "old " + name);
  const Snapshot old = Take(backup);
  const std::vector<std::string> steps = Steps([&] { BackupData(backup.c_str()); });
  ASSERT_EQ(steps.size(), 2 * (fresh.size() - 1));  // a write and a rename per file but the manifest
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
      // rest of the backup goes on, and the set is whole with it.
      Snapshot expected = fresh;
      const std::string name = fs::path(failed).filename().string();
      expected[name.substr(0, name.size() - 6)] = "";
      Snapshot got = Take(backup);
      expected.erase("manifest4.bu");
      EXPECT_TRUE(got.erase("manifest4.bu")) << failed;
      EXPECT_EQ(got, expected) << failed;
      BackupManifest manifest;
      std::string error;
      EXPECT_TRUE(CheckBackupSet(backup, "2008", "408", &manifest, &error)) << error;
    } else {
      // The old set is as it was, but no longer vouched for as whole.
      Snapshot expected = old;
      expected.erase("manifest4.bu");
      EXPECT_EQ(Take(backup), expected) << failed;
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
  // Made whole again only for the program files: the record files of this
  // backup do not open, which the test does not reach.
  ResealBackup();
  CloseDataFiles();
  const Snapshot yearNow = Take(year.folder());
  const Snapshot homeNow = Take(home);
  const auto restore = [&] {
    RestoreData(year.folder().c_str(), backup.c_str(), "08", 0, BACKUP_RECORD_FILES | BACKUP_PROGRAM_FILES);
  };
  const std::vector<std::string> steps = Steps([&] {
    restore();
    // Back to the year as it was, in its own folder.
    if (YearFolder() != year.folder()) fs::remove_all(YearFolder());
    fs::create_directories(year.folder());
    for (const auto& [name, bytes] : yearNow) WriteBytes(year.folder() + "/" + name, bytes);
    for (const auto& [name, bytes] : homeNow) WriteBytes(home + "/" + name, bytes);
    FreeYearList();
    ASSERT_EQ(ReadWriteConfig(0), 1);
  });
  ASSERT_GT(steps.size(), 15u);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    messages.clear();
    std::size_t call = 0;
    SetCopyStepGate([&](const char*) { return call++ != i; });
    restore();
    SetCopyStepGate(nullptr);
    EXPECT_EQ(YearFolder(), year.folder());
    EXPECT_EQ(Take(year.folder()), yearNow) << steps[i];
    EXPECT_EQ(Take(home), homeNow) << steps[i];
    EXPECT_EQ(Folders(), std::vector<std::string>({"backup", "fy2008"})) << steps[i];
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
  ResealBackup("2007");
  char yearText[5] = "2007", folder[MAX_PATH];
  std::snprintf(folder, sizeof folder, "%s/", backup.c_str());
  int system = 0;
  XferRestore(1, yearText, folder, &system);
  EXPECT_EQ(messages, std::vector<std::string>{"Fiscal year 2007 has been restored."});
  const FiscalYearNode* node = FindYearNode("2007", 0, &YearList);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(std::string(node->folder), home + "/fy2007");
  EXPECT_TRUE(fs::exists(home + "/fy2007/acct407.dat"));
  EXPECT_NE(ReadBytes(ConfigFileName).find("fy2007"), std::string::npos);
}

TEST_F(BackupRestoreTest, AYearThatDoesNotOpenAgainAfterABackupIsNeverLeftHalfLoaded) {
  // The year's unit file goes while the backup runs.
  SetCopyStepGate([&](const char*) {
    fs::remove(fixture::FilePath(year, "unit"));
    return true;
  });
  BackupData(backup.c_str());
  SetCopyStepGate(nullptr);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "No database loaded... shutting application down.");
  EXPECT_EQ(AcctFile, nullptr);
  EXPECT_EQ(TransFile, nullptr);
  MSG quit;
  ASSERT_TRUE(::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 1u);
}

TEST_F(BackupRestoreTest, TypedFoldersAreStoredAndUsedAbsolute) {
  const fs::path before = fs::current_path();
  fs::current_path(home);
  char folder[MAX_PATH] = "relative/./backup/";
  XferBackup(1, folder);
  fs::current_path(before);
  EXPECT_TRUE(fs::exists(home + "/relative/backup/manifest4.bu"));
  // Read back from another working folder, the setting still names it.
  char stored[MAX_PATH] = "";
  XferBackup(0, stored);
  EXPECT_EQ(std::string(stored), home + "/relative/backup");
}

TEST_F(BackupRestoreTest, ABackupIntoTheYearsOwnFolderIsRefused) {
  const Snapshot before = Take(year.folder());
  BackupData(year.folder().c_str());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("May not be the same as the original data path"), std::string::npos);
  EXPECT_EQ(Take(year.folder()), before);
}

}  // namespace
