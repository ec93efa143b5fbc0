// The rollover dialog: its defaults, its spinners and first-month field,
// the checks of OK, Cancel's question, and the rollover it starts.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "YearTestUtil.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "app/Rollover.h"
#include "app/RolloverDlg.h"
#include "common/ConfigFile.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "store/Fixture.h"

namespace {

// A link to the program folder, made once per test run.
std::string ProgramLink() {
  const std::string link = std::string(ProgramFolder) + "-link";
  std::error_code ec;
  std::filesystem::remove(link, ec);
  std::filesystem::create_directory_symlink(ProgramFolder, link, ec);
  return link;
}

// A real click: radio buttons check themselves only then.
void ClickButton(HWND dlg, int id) {
  automation::Click(GetDlgItem(dlg, id), POINT{3, 3});
  automation::PumpUntilIdle();
}

class RolloverDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    MakeYearCurrent(fy);
  }
  void TearDown() override {
    EXPECT_TRUE(automation::PendingExpectations().empty());
    automation::ClearResponder();
    automation::ResetWindows();
  }
  // Runs the dialog on the loaded year's defaults; IDABORT when `act` left
  // it open.
  int Run(std::function<void(HWND)> act, RolloverFields* out = nullptr) {
    automation::OnDialog("Fiscal Year Rollover", std::move(act), IDABORT);
    CRolloverDlg dlg;
    XferRollover(0, dlg.m_fields);
    const int result = static_cast<int>(dlg.DoModal());
    if (out) *out = dlg.m_fields;
    return result;
  }
  // A known year 2007 beside the loaded one.
  void AddYearNode() {
    FiscalYearNode* node = FindYearNode("2007", 1, &YearList);
    std::snprintf(node->folder, sizeof node->folder, "%s/fy2007", fy.home().c_str());
    SortYearList();
  }
  fixture::FiscalYear fy;
};

TEST_F(RolloverDialogTest, DefaultsFollowTheLoadedYear) {
  RolloverFields f;
  ASSERT_EQ(XferRollover(0, f), 1);
  EXPECT_STREQ(f.year, "2009");
  EXPECT_STREQ(f.firstMonth, "Jan 2009");
  EXPECT_EQ(std::string(f.folder), fy.home() + "/fy2009");
  EXPECT_EQ(f.keepAllAccounts, 1);
  EXPECT_EQ(f.budgetMode, '2');
  EXPECT_EQ(f.keepAllFriends, 1);
  EXPECT_STREQ(f.years, "3");
  const struct {
    const char* folder;
    std::string expected;
  } cases[] = {
      {"/data/fy2008", "/data/fy2009"},
      {"/data/2008/books08", "/data/2008/books09"},
      {"/data/fy2008/current", fy.home() + "/fy2009"},
  };
  for (const auto& c : cases) {
    char out[260];
    DefaultRolloverFolder(c.folder, "2009", out, sizeof out);
    EXPECT_EQ(std::string(out), c.expected) << c.folder;
  }
  // A year folder made elsewhere in capitals is that folder.
  std::filesystem::create_directories(fy.home() + "/FY2009");
  char out[260];
  DefaultRolloverFolder("/data/current", "2009", out, sizeof out);
  EXPECT_EQ(std::string(out), fy.home() + "/FY2009");
}

TEST_F(RolloverDialogTest, SpinnersAndTheFirstMonthField) {
  std::string month, typed, down, years, yearsEnabled;
  ASSERT_EQ(Run([&](HWND h) {
    auto scroll = [h](int bar, int code) {
      SendMessage(h, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(GetDlgItem(h, bar)));
      automation::PumpUntilIdle();
    };
    // The year stops at ten years after the loaded one.
    SetField(h, IDC_RO_YEAR, "2017");
    scroll(IDC_RO_YEAR_SPIN, SB_LINEUP);
    scroll(IDC_RO_YEAR_SPIN, SB_LINEUP);
    years = FieldText(h, IDC_RO_YEAR);
    scroll(IDC_RO_MONTH_SPIN, SB_LINEDOWN);
    down = FieldText(h, IDC_RO_MONTH);
    SetField(h, IDC_RO_MONTH, "9/08");
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_RO_MONTH, EN_KILLFOCUS),
                reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_RO_MONTH)));
    typed = FieldText(h, IDC_RO_MONTH);
    yearsEnabled = IsWindowEnabled(GetDlgItem(h, IDC_RO_YEARS)) ? "on" : "off";
    ClickButton(h, IDC_RO_FRIENDS_EXCLUDE);
    yearsEnabled += IsWindowEnabled(GetDlgItem(h, IDC_RO_YEARS)) ? " on" : " off";
    automation::ExpectMessageBox("Question", "Do you wish to cancel the rollover process", ANSWER_YES);
    Press(h, IDCANCEL);
  }), IDCANCEL);
  EXPECT_EQ(years, "2018");
  EXPECT_EQ(down, "Dec 2008");
  EXPECT_EQ(typed, "Sep 2008");
  EXPECT_EQ(yearsEnabled, "off on");
}

TEST_F(RolloverDialogTest, ARelativeFolderIsRecordedAbsolute) {
  AnswerEveryBox();
  RolloverFields f;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(fy.home());
  const int result = Run([&](HWND h) {
    SetField(h, IDC_RO_FOLDER, "years/../next");
    Press(h, IDOK);
  }, &f);
  std::filesystem::current_path(before);
  ASSERT_EQ(result, IDOK);
  EXPECT_EQ(std::string(f.folder), fy.home() + "/next");
}

TEST_F(RolloverDialogTest, OkRefusesWhatCannotBeRolledOver) {
  AddYearNode();
  const struct {
    int id;
    std::string text;
    const char* message;
  } cases[] = {
      {IDC_RO_YEAR, "2019", "Fiscal Year:  "},
      {IDC_RO_YEAR, "", "Fiscal Year:  "},
      {IDC_RO_YEAR, "2008", "You may not rollover to the current year"},
      {IDC_RO_YEAR, "2007", "FY07 already exists."},
      {IDC_RO_MONTH, "Foo 2009", "First Month:  "},
      {IDC_RO_MONTH, "Jan 2014", "First Month:  "},
      {IDC_RO_FOLDER, fy.home(), "You may not use the program's folder as a data folder"},
      {IDC_RO_FOLDER, fy.home() + "/", "You may not use the program's folder as a data folder"},
      {IDC_RO_FOLDER, ProgramLink(), "You may not use the program's folder as a data folder"},
      {IDC_RO_FOLDER, fy.home() + "/./fy2008", kLoadedYearFolderRefusal},
      {IDC_RO_YEARS, "5", "Years:  "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string>& shown = AnswerEveryBox();
    if (c.text == "2007") automation::ExpectMessageBox("Question", "FY07 already exists", ANSWER_NO);
    EXPECT_EQ(Run([&](HWND h) {
      if (c.id == IDC_RO_YEARS) ClickButton(h, IDC_RO_FRIENDS_EXCLUDE);
      SetField(h, c.id, c.text);
      Press(h, IDOK);
    }), IDABORT);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().rfind(c.message, 0), 0u) << shown.back();
    automation::ClearResponder();
  }
}

TEST_F(RolloverDialogTest, OkRollsOverAndRemembersTheOptions) {
  std::vector<std::string>& shown = AnswerEveryBox();
  RolloverFields f;
  ASSERT_EQ(Run([&](HWND h) {
    ClickButton(h, IDC_RO_BUDGET_EXCLUDE);
    ClickButton(h, IDC_RO_KEEP_ACCOUNTS);
    Press(h, IDOK);
  }, &f), IDOK);
  ASSERT_EQ(XferRollover(1, f), 1);
  EXPECT_STREQ(CurrentFiscalYear, "2009");
  EXPECT_EQ(std::string(CurrentYearNode->folder), fy.home() + "/fy2009");
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "ROVER");
  char a[4], b[4], c[4], d[4];
  GetSettingText(s, 'A', "", a);
  GetSettingText(s, 'B', "", b);
  GetSettingText(s, 'C', "", c);
  GetSettingText(s, 'D', "", d);
  CloseSettingsSection(s);
  EXPECT_STREQ(a, "N");
  EXPECT_STREQ(b, "3");
  EXPECT_STREQ(c, "Y");
  EXPECT_STREQ(d, "3");
  (void)shown;
}

}  // namespace

TEST(RolloverCommandTest, FileNewIsServedOnceInstalled) {
  RegisterCommand(ID_FILE_ROLLOVER, nullptr);
  EXPECT_EQ(FindCommand(ID_FILE_ROLLOVER), nullptr);
  InstallFiscalYearCommands();
  EXPECT_NE(FindCommand(ID_FILE_ROLLOVER), nullptr);
  RegisterCommand(ID_FILE_ROLLOVER, nullptr);
}
