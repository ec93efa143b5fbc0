#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/AppTestUtil.h"
#include "app/BackupDlg.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "app/PreferenceCommands.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Question.h"
#include "platform/dialogs/MessageBox.h"
#include "res/resource.h"
#include "store/Fixture.h"

namespace fs = std::filesystem;

namespace {

class BackupDialogsTest : public testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", year.home().c_str());
    FreeYearList();
    FiscalYearNode* node = FindYearNode("2008", 1, &YearList);
    std::snprintf(node->folder, sizeof node->folder, "%s", year.folder().c_str());
    SortYearList();
  }
  void TearDown() override {
    FreeYearList();
    automation::ResetWindows();
  }
  std::string Folder(const std::string& name, const char* file = nullptr) {
    const std::string path = year.home() + "/" + name;
    fs::create_directories(path);
    if (file) WriteBytes(path + "/" + file, "");
    return path;
  }

  fixture::FiscalYear year;
};

TEST_F(BackupDialogsTest, BackupRefusesTheDataFolderAnotherYearsBackupAndYearFolderNames) {
  const struct {
    std::string folder;
    const char* message;  // null: accepted
  } cases[] = {
      {year.folder(), "Backup Path:  May not be the same as the original data path"},
      {Folder("older", "acct407.dat"), "Backup folder contains a different fiscal year"},
      {Folder("FY2009"), "Backup Path:  This folder name is reserved"},
      {Folder("same", "ACCT408.DAT"), nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    CBackupDlg dlg;
    automation::OnDialog(
        "Backup",
        [&](HWND h) {
          SetField(h, IDC_BACKUP_FOLDER, c.folder + "/");
          if (c.message) automation::ExpectMessageBox("Warning", c.message, IDOK);
          Press(h, IDOK);
          EXPECT_EQ(FieldText(h, IDC_BACKUP_FOLDER), c.folder);  // shown in its normal form
        },
        IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), c.message ? IDCANCEL : IDOK);
    if (!c.message) {
      EXPECT_EQ(std::string(dlg.m_szFolder), c.folder);
    }
    EXPECT_TRUE(automation::PendingExpectations().empty());
  }
}

TEST_F(BackupDialogsTest, RestoreChecksTheYearAndThatTheFolderHoldsItsBackup) {
  const std::string empty = Folder("empty");
  const std::string backup = Folder("backup", "acct408.dat");
  const struct {
    const char* year;
    std::string folder;
    int answer;           // to the unknown-year question; 0: none asked
    const char* message;  // null: accepted
    int replace;          // to the question before a known year is replaced; 0: none asked
  } cases[] = {
      {"2008", empty, 0, "There are no backup files for fiscal year 2008 \nin folder ", 0},
      {"2008", year.folder(), 0, "Restore Path:  May not be the same as the original data path", 0},
      {"2007", backup, ANSWER_NO, nullptr, 0},
      {"8", backup, 0, nullptr, ANSWER_YES},
      {"2008", backup, 0, nullptr, ANSWER_NO},  // No keeps the dialog open
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.year);
    CRestoreDlg dlg;
    const bool accepted = !c.message && !c.answer && c.replace != ANSWER_NO;
    automation::OnDialog(
        "Restore",
        [&](HWND h) {
          SetField(h, IDC_RESTORE_YEAR, c.year);
          SetField(h, IDC_RESTORE_FOLDER, c.folder);
          if (c.answer) automation::ExpectMessageBox("", "Unknown fiscal year", c.answer);
          if (c.message) automation::ExpectMessageBox("Warning", c.message, IDOK);
          if (c.replace) automation::ExpectMessageBox("", "Fiscal year 2008 exists.", c.replace);
          Press(h, IDOK);
        },
        IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), accepted ? IDOK : IDCANCEL);
    if (accepted) {
      EXPECT_STREQ(dlg.m_szYear, "2008");  // a two-digit year is expanded
    }
    EXPECT_TRUE(automation::PendingExpectations().empty());
  }
}

TEST(PreferenceCommands, BackupRestoreAndPreferencesAreServed) {
  ClearCommands();
  InstallPreferenceCommands();
  for (UINT id : {ID_FILE_BACKUP, ID_FILE_RESTORE, ID_OPTIONS_PREFERENCES}) EXPECT_NE(FindCommand(id), nullptr) << id;
  ClearCommands();
}

}  // namespace
