// Opening another fiscal year (and falling back to the old one), deleting a
// year, and the selection dialog.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "YearTestUtil.h"
#include "app/BackupManifest.h"
#include "app/FiscalYearDlg.h"
#include "common/CommonTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Question.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

namespace fs = std::filesystem;

class FiscalYearTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    MakeYearCurrent(fy);
    AddYear("2007");
    AddYear("2009");
  }
  void TearDown() override {
    EXPECT_TRUE(automation::PendingExpectations().empty());
    automation::ClearResponder();
    automation::ResetWindows();
  }
  // A copy of the fixture's files under another year's names and folder.
  std::string AddYear(const char* year) {
    const std::string folder = fy.home() + "/fy" + year;
    fs::create_directories(folder);
    for (const auto& e : fs::directory_iterator(fy.folder())) {
      std::string name = e.path().filename().string();
      const size_t at = name.find("408");
      if (at == std::string::npos) continue;
      name.replace(at, 3, std::string("4") + (year + 2));
      fs::copy_file(e.path(), folder + "/" + name);
    }
    FiscalYearNode* node = FindYearNode(year, 1, &YearList);
    std::snprintf(node->folder, sizeof node->folder, "%s", folder.c_str());
    SortYearList();
    EXPECT_EQ(ReadWriteConfig(1), 1);
    return folder;
  }
  static bool Lists(const std::string& config, const char* year) {
    return config.find(std::string("Data Folder\t= ") + year + "/") != std::string::npos;
  }
  fixture::FiscalYear fy;
};

TEST_F(FiscalYearTest, OpensAnotherYearAndFallsBackWhenItCannotBeOpened) {
  ASSERT_EQ(SwitchFiscalYear(FindYearNode("2009", 0, &YearList)), 1);
  EXPECT_STREQ(CurrentFiscalYear, "2009");
  EXPECT_STREQ(FiscalYearYY, "09");
  EXPECT_STREQ(CurrentYearNode->year, "2009");
  EXPECT_EQ(std::string(DataFolder), fy.home() + "/fy2009");
  EXPECT_NE(FileBytes(ConfigFileName).find("Fiscal Year\t= 2009\r\n"), std::string::npos);

  // 2007 has lost its account file: 2009 comes back, the configuration
  // still names it.
  fs::remove(fy.home() + "/fy2007/acct407.dat");
  const std::string config = FileBytes(ConfigFileName);
  std::vector<std::string>& shown = AnswerEveryBox();
  EXPECT_EQ(SwitchFiscalYear(FindYearNode("2007", 0, &YearList)), 0);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), "Original year is now loaded.");
  EXPECT_STREQ(CurrentFiscalYear, "2009");
  EXPECT_STREQ(CurrentYearNode->year, "2009");
  EXPECT_EQ(std::string(DataFolder), fy.home() + "/fy2009");
  EXPECT_NE(AcctFile, nullptr);
  EXPECT_EQ(FileBytes(ConfigFileName), config);

  // Neither opens: the program quits.
  fs::remove(fy.home() + "/fy2009/acct409.dat");
  EXPECT_EQ(SwitchFiscalYear(FindYearNode("2007", 0, &YearList)), -1);
  EXPECT_EQ(shown.back(), "No database loaded... shutting application down.");
}

TEST_F(FiscalYearTest, DeletesEveryFileOfTheYearAndDropsIt) {
  const std::string folder = fy.home() + "/fy2009";
  std::FILE* bu = std::fopen((folder + "/cnfg4.bu").c_str(), "w");
  ASSERT_NE(bu, nullptr);
  std::fclose(bu);
  const auto before = Snapshot(fy.folder());
  ASSERT_EQ(DeleteFiscalYear(FindYearNode("2009", 0, &YearList)), 1);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(FindYearNode("2009", 0, &YearList), nullptr);
  EXPECT_EQ(YearCount, 2);
  const std::string config = FileBytes(ConfigFileName);
  EXPECT_FALSE(Lists(config, "2009"));
  EXPECT_TRUE(Lists(config, "2007"));
  // The loaded year is untouched and still open under its own names.
  EXPECT_EQ(Snapshot(fy.folder()), before);
  EXPECT_EQ(std::string(AcctPath), fy.folder() + "/acct408.dat");
  EXPECT_STREQ(CurrentYearNode->year, "2008");
}

TEST_F(FiscalYearTest, AnotherYearsBackupKeptInTheFolderStays) {
  const std::string folder = fy.home() + "/fy2009";
  // The set of a backup of 2008 made into 2009's folder: its manifest says
  // whose copies they are.
  for (const char* name : {"cnfg4.bu", "udata4.bu", "unitset4.bu"}) WriteBytes(folder + "/" + name, name);
  ASSERT_TRUE(WriteBackupManifest(folder, "2008", {"cnfg4.bu", "udata4.bu", "unitset4.bu"}));
  ASSERT_EQ(DeleteFiscalYear(FindYearNode("2009", 0, &YearList)), 1);
  for (const char* name : {"cnfg4.bu", "udata4.bu", "unitset4.bu", "manifest4.bu"})
    EXPECT_TRUE(fs::exists(folder + "/" + name)) << name;
  EXPECT_FALSE(fs::exists(folder + "/acct409.dat"));
  EXPECT_EQ(FindYearNode("2009", 0, &YearList), nullptr);
}

TEST_F(FiscalYearTest, AYearWithAFileThatCannotBeRemovedStaysKnown) {
  const std::string folder = fy.home() + "/fy2007";
  // A "file" that unlink cannot remove: a folder of that name with content.
  fs::remove(folder + "/part407.dat");
  fs::create_directories(folder + "/part407.dat/keep");
  std::vector<std::string>& shown = AnswerEveryBox();
  EXPECT_EQ(DeleteFiscalYear(FindYearNode("2007", 0, &YearList)), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find(folder + "/part407.dat"), std::string::npos) << shown[0];
  EXPECT_NE(FindYearNode("2007", 0, &YearList), nullptr);
  EXPECT_EQ(YearCount, 3);
  EXPECT_TRUE(Lists(FileBytes(ConfigFileName), "2007"));
  // The other files went.
  EXPECT_FALSE(fs::exists(folder + "/acct407.dat"));
  EXPECT_FALSE(fs::exists(folder + "/ag407_g.dat"));
}

TEST_F(FiscalYearTest, TheDialogListsTheOtherYearsAndAsksBeforeActing) {
  struct Case {
    int mode;
    int answer;
    int result;
    const char* question;
  } cases[] = {
      {0, ANSWER_YES, IDOK, "Do you really want to open FY09?"},
      {1, ANSWER_NO, IDCANCEL, "Deleting a fiscal year is irreversible.\n\nDo you really want to delete FY09?"},
      {1, ANSWER_CANCEL, IDABORT, "Deleting a fiscal year is irreversible.\n\nDo you really want to delete FY09?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode * 10 + c.answer);
    std::vector<std::string> items;
    std::string label, selected;
    automation::ExpectMessageBox("Question", "", c.answer);
    automation::OnDialog("Fiscal Year Selection", [&](HWND h) {
      HWND combo = GetDlgItem(h, IDC_FY_COMBO);
      const int count = static_cast<int>(SendMessage(combo, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        char text[16] = "";
        SendMessage(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
      }
      label = FieldText(h, IDC_FY_LABEL);
      selected = FieldText(h, IDC_FY_COMBO);
      Press(h, IDOK);
    }, IDABORT);
    CFiscalYearDlg dlg;
    dlg.m_nMode = c.mode;
    dlg.m_pNode = CurrentYearNode;
    EXPECT_EQ(dlg.DoModal(), c.result);
    EXPECT_EQ(items, (std::vector<std::string>{"2007", "2009"}));
    EXPECT_EQ(selected, "2009");
    EXPECT_EQ(label, c.mode == 0 ? "files you wish to open:" : "files you wish to delete:");
    ASSERT_FALSE(automation::ModalLog().empty());
    bool asked = false;
    for (const automation::ModalInfo& box : automation::ModalLog()) asked = asked || box.text == c.question;
    EXPECT_TRUE(asked);
    if (c.result == IDOK) {
      EXPECT_STREQ(dlg.m_pNode->year, "2009");
    }
    automation::ClearResponder();
  }
}

TEST_F(FiscalYearTest, WithOneYearThereIsNothingToChoose) {
  RemoveYearNode("2007");
  RemoveYearNode("2009");
  SortYearList();
  automation::ExpectMessageBox("Warning", "The current year is the only one available", IDOK);
  RunFiscalYearCommand(0, nullptr);
  automation::ExpectMessageBox("Warning", "The current year is the only one available", IDOK);
  RunFiscalYearCommand(1, nullptr);
}

}  // namespace
