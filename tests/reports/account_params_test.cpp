// The account, register, profit centre and schedule reports' dialogs on the
// fixture year: remembered choices, enabling rules, the register's preset,
// the checks in order, the slots set on OK and the resizing rules.
#include "RptDialogTest.h"
#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "reports/AccountParams.h"
#include "reports/RptDriver.h"
#include "reports/RptParams.h"
#include "res/resource.h"
#include "store/AcctGroup.h"
#include "store/KeyTable.h"

namespace {

class AccountParamsTest : public RptDialogTest {
 protected:
  static std::string ComboText(HWND h, int id) {
    HWND combo = GetDlgItem(h, id);
    const LRESULT at = SendMessage(combo, CB_GETCURSEL, 0, 0);
    char text[64] = "";
    if (at >= 0) SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    return text;
  }
  static void Choose(HWND h, int id, const std::string& prefix) {
    SendMessage(GetDlgItem(h, id), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str()));
  }
};

TEST_F(AccountParamsTest, DetailReportRemembersALocationPerSplitsChoice) {
  std::string caption;
  EXPECT_EQ(Run(4, "Detail Report", [&](HWND h) {
    char text[128] = "";
    GetWindowText(h, text, sizeof text);
    caption = text;
    // Defaults: "None" greys the three location radios.
    EXPECT_TRUE(Checked(h, IDC_RPT_SPLITS_NONE));
    EXPECT_FALSE(Enabled(h, IDC_RPT_LOC_SUPPORT));
    EXPECT_TRUE(Checked(h, IDC_RPT_LOC_PRIMARY));
    EXPECT_TRUE(Checked(h, IDC_RPT_NO_TRANS));
    EXPECT_TRUE(Checked(h, IDC_RPT_PAGE));
    EXPECT_TRUE(Checked(h, IDC_RPT_ACCT_BY_NUMBER));
    EXPECT_TRUE(Checked(h, IDC_RPT_TRANS_BY_DATE));
    Click(h, IDC_RPT_SPLITS_ALL);
    EXPECT_TRUE(Enabled(h, IDC_RPT_LOC_SUPPORT));
    Click(h, IDC_RPT_LOC_SUPPORT);
    // The account check comes before the date checks.
    Select(h, IDC_RPT_ACCT_LIST, {});
    SetField(h, IDC_RPT_FROM, "99/99/99");
    automation::ExpectMessageBox("Warning", "Accounts:  No accounts were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_ACCT_LIST, {"101/Checking", "520/Fundraising"});
    SetField(h, IDC_RPT_FROM, "02/01/08");
    SetField(h, IDC_RPT_TO, "03/31/08");
    Click(h, IDC_RPT_ACCT_BY_NAME);
    Click(h, IDC_RPT_TRANS_BY_NUMBER);
    Press(h, IDOK);
  }, GetRpt4Params), 1);
  EXPECT_NE(caption.find(" Detail Report"), std::string::npos);
  EXPECT_STREQ(RptFirstDate, "20080201");
  EXPECT_STREQ(RptSecondDate, "20080331");
  EXPECT_EQ(RptOrder, 'A');
  EXPECT_EQ(RptTransOrder, 'N');
  EXPECT_EQ(RptOptionE, 'A');
  EXPECT_EQ(RptOptionF, 'S');
  EXPECT_EQ(RptOptionB, 1);
  EXPECT_EQ(RptOptionG, 1);
  EXPECT_EQ(ctx_.lineWidth, kRptLandscapeWidth);
  ASSERT_EQ(AcctCount, 2);
  EXPECT_EQ(AcctList[0], 101);
  EXPECT_EQ(AcctList[1], 520);
  EXPECT_EQ(Key("RPT4", 'E'), "A");
  EXPECT_EQ(Key("RPT4", 'J', "A"), "S");

  // Non-Dues keeps a location of its own.
  Run(4, "Detail Report", [&](HWND h) {
    EXPECT_TRUE(Checked(h, IDC_RPT_SPLITS_ALL));
    EXPECT_TRUE(Checked(h, IDC_RPT_LOC_SUPPORT));
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), (std::vector<std::string>{"101/Checking", "520/Fundraising"}));
    Click(h, IDC_RPT_SPLITS_NONDUES);
    Click(h, IDC_RPT_LOC_BOTH);
    Press(h, IDOK);
  }, GetRpt4Params);
  EXPECT_EQ(Key("RPT4", 'J', "N"), "B");
  EXPECT_EQ(Key("RPT4", 'J', "A"), "S");
  PutKey("RPT4", 'E', "A");
  Run(4, "Detail Report", [&](HWND h) {
    EXPECT_TRUE(Checked(h, IDC_RPT_LOC_SUPPORT));
    Press(h, IDCANCEL);
  }, GetRpt4Params);
}

TEST_F(AccountParamsTest, RegisterReportListsBalanceSheetAccountsAndTakesTheRegistersPreset) {
  const std::vector<std::string> listed = {"1/Petty Cash", "101/Checking", "201/Savings", "399/Equipment", "401/Loan"};
  // From a register showing 201 with the two-line display.
  RptOptionB = 201;
  RptOrder = '2';
  EXPECT_EQ(Run(31, "Account Register Report", [&](HWND h) {
    EXPECT_EQ(Entries(h, IDC_RPT_ACCT_LIST), listed);
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), (std::vector<std::string>{"201/Savings"}));
    EXPECT_TRUE(Checked(h, IDC_RPT_TWO_LINE));
    EXPECT_TRUE(Checked(h, IDC_RPT_TRANS_BY_DATE));
    Click(h, IDC_RPT_TRANS_BY_DESC);
    Press(h, IDOK);
  }, GetRpt31Params), 1);
  EXPECT_EQ(RptTransOrder, 'P');
  EXPECT_EQ(RptOptionH, 1);
  EXPECT_EQ(RptOptionB, 0);
  EXPECT_EQ(ctx_.lineWidth, kRptPortraitWidth);
  ASSERT_EQ(AcctCount, 1);
  EXPECT_EQ(AcctList[0], 201);
  EXPECT_EQ(Key("RPT31", 'C'), "Y");
  EXPECT_EQ(Key("RPT31", 'E'), "P");

  // From the menu (no preset): the stored selection and display.
  RptOptionB = 0;
  RptOrder = 0;
  RECT opened{}, grown{};
  Run(31, "Account Register Report", [&](HWND h) {
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), (std::vector<std::string>{"201/Savings"}));
    EXPECT_TRUE(Checked(h, IDC_RPT_TWO_LINE));
    // Resized, then cancelled: the next opening has the old size.
    opened = WindowSize(h);
    SetWindowPos(h, nullptr, 0, 0, opened.right - opened.left + 50, opened.bottom - opened.top + 40,
                 SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    grown = WindowSize(h);
    Press(h, IDCANCEL);
  }, GetRpt31Params);
  EXPECT_EQ(grown.right - grown.left, opened.right - opened.left);  // the width stays
  EXPECT_EQ(grown.bottom - grown.top, opened.bottom - opened.top + 40);
  Run(31, "Account Register Report", [&](HWND h) {
    const RECT again = WindowSize(h);
    EXPECT_EQ(again.bottom - again.top, opened.bottom - opened.top);
    Press(h, IDCANCEL);
  }, GetRpt31Params);
}

TEST_F(AccountParamsTest, RegisterFormNeedsATitleButNoAccount) {
  AcctCount = 0;  // as a run starts: no account chosen yet
  EXPECT_EQ(Run(23, "Transaction Register Form", [&](HWND h) {
    EXPECT_EQ(FieldText(h, IDC_RPT_TITLE), "Transaction Register");
    EXPECT_EQ(ComboText(h, IDC_RPT_ACCT_COMBO), "");
    SetField(h, IDC_RPT_TITLE, "");
    automation::ExpectMessageBox("Warning", "Register Title", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_RPT_TITLE, "Camp Float");
    Press(h, IDOK);
  }, GetRpt23Params), 1);
  EXPECT_STREQ(RptUserTitle, "Camp Float");
  EXPECT_EQ(AcctList[0], 0);
  EXPECT_EQ(Key("RPT23", 'A'), "Camp Float");
  EXPECT_EQ(Run(23, "Transaction Register Form", [&](HWND h) {
    Choose(h, IDC_RPT_ACCT_COMBO, "201 ");
    Press(h, IDOK);
  }, GetRpt23Params), 1);
  EXPECT_EQ(AcctList[0], 201);
}

// The form comes back after each preview with the account chosen in it; a
// new run starts without one.
TEST_F(AccountParamsTest, RegisterFormComesBackAfterItsPreviewWithItsAccount) {
  RegisterRptLauncher(23, GetRpt23Params);
  RegisterRptBuilder(23, [](RptContext*) { return 1; });
  SetRptPreviewer([](RptContext*, int*) { return 1; });
  std::vector<std::string> shown;
  const auto form = [&](const char* choose) {
    automation::OnDialog("Transaction Register Form", [&, choose](HWND h) {
      shown.push_back(ComboText(h, IDC_RPT_ACCT_COMBO));
      if (choose == nullptr) {
        Press(h, IDCANCEL);
        return;
      }
      if (*choose != '\0') Choose(h, IDC_RPT_ACCT_COMBO, choose);
      Press(h, IDOK);
    }, IDABORT);
  };
  form("201 ");
  form("");  // kept as it came back
  form(nullptr);
  ReportDriver(23, nullptr);
  form(nullptr);
  ReportDriver(23, nullptr);
  ClearRptRegistry();
  SetRptPreviewer(nullptr);
  EXPECT_EQ(shown, (std::vector<std::string>{"", "201 / Savings", "201 / Savings", ""}));
}

TEST_F(AccountParamsTest, ProfitCenterReport) {
  RECT opened{};
  EXPECT_EQ(Run(34, "Profit Center Report", [&](HWND h) {
    EXPECT_EQ(Entries(h, IDC_RPT_CENTER_LIST), (std::vector<std::string>{"Camp"}));
    // Defaults: no details, so the detail options are greyed.
    EXPECT_FALSE(Enabled(h, IDC_RPT_PAGE));
    EXPECT_FALSE(Enabled(h, IDC_RPT_ZERO_ACCTS));
    EXPECT_TRUE(Checked(h, IDC_RPT_ZERO_CENTERS));
    Click(h, IDC_RPT_ACCT_DETAIL);
    EXPECT_TRUE(Enabled(h, IDC_RPT_PAGE));
    EXPECT_TRUE(Enabled(h, IDC_RPT_ZERO_ACCTS));
    EXPECT_FALSE(Enabled(h, IDC_RPT_ZERO_PASSBOOKS));
    Check(h, IDC_RPT_PAGE, true);
    // Two presses: all, then none.
    Press(h, IDC_RPT_CENTERS);
    EXPECT_EQ(Selected(h, IDC_RPT_CENTER_LIST).size(), 1u);
    Press(h, IDC_RPT_CENTERS);
    automation::ExpectMessageBox("Warning", "Profit Centers:  No centers were selected", IDOK);
    Press(h, IDOK);
    Press(h, IDC_RPT_CENTERS);
    Check(h, IDC_RPT_ZERO_ACCTS, false);
    opened = WindowSize(h);
    Press(h, IDOK);
  }, GetRpt34Params), 1);
  EXPECT_EQ(RptCategory1List, (std::vector<std::string>{"Camp"}));
  EXPECT_EQ(RptOptionC, 2);
  EXPECT_EQ(RptOptionH, 1 + 4);
  EXPECT_EQ(RptOptionG, 1);
  EXPECT_EQ(ctx_.lineWidth, kRptLandscapeWidth);
  GroupNameList selected;
  TheAcctGroupDBase().GetSelectedNames(&selected);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(std::string(selected[0]), "Camp");

  // Resized and cancelled: the size is remembered all the same.
  RECT grown{};
  Run(34, "Profit Center Report", [&](HWND h) {
    EXPECT_EQ(Selected(h, IDC_RPT_CENTER_LIST), (std::vector<std::string>{"Camp"}));
    SetWindowPos(h, nullptr, 0, 0, 10, opened.bottom - opened.top + 30, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    grown = WindowSize(h);
    Press(h, IDCANCEL);
  }, GetRpt34Params);
  EXPECT_EQ(grown.right - grown.left, opened.right - opened.left);
  EXPECT_EQ(Key("RPT34", 'Y'), std::to_string(opened.bottom - opened.top + 30));
}

TEST_F(AccountParamsTest, ScheduleReportsShareOneDialog) {
  struct Case {
    int report;
    const char* caption;
    bool fixed;
    int width;
  } cases[] = {{14, "Dues Status Report", true, kRptPortraitWidth},
               {21, "Scheduled Payment Status Report", false, kRptPortraitWidth},
               {32, "Schedule Tracker Report", false, kRptLandscapeWidth}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.report);
    EXPECT_EQ(Run(c.report, c.caption, [&](HWND h) {
      EXPECT_EQ(FieldText(h, IDC_RPT_SUBUNITS), std::string(SubunitMenuWord) + "s");
      EXPECT_EQ(FieldText(h, IDC_RPT_GROUP_BY), std::string("&Group Members by ") + SubunitNoun);
      EXPECT_EQ(Enabled(h, IDC_RPT_ACCT_COMBO), !c.fixed);
      if (!c.fixed) Choose(h, IDC_RPT_ACCT_COMBO, "599/");
      EXPECT_EQ(ComboText(h, IDC_RPT_ACCT_COMBO), "599/Dues");
      SetField(h, IDC_RPT_ASOF, "04/30/08");
      Check(h, IDC_RPT_GROUP_BY, true);
      EXPECT_TRUE(Enabled(h, IDC_RPT_PAGE));
      Check(h, IDC_RPT_PAGE, true);
      // Without scouts the format checks grey out and grouping is off.
      Check(h, IDC_RPT_SCOUTS, false);
      EXPECT_FALSE(Enabled(h, IDC_RPT_GROUP_BY));
      EXPECT_FALSE(Enabled(h, IDC_RPT_PAGE));
      automation::ExpectMessageBox("Warning", "At least one type of Participants must be included", IDOK);
      Press(h, IDOK);
      Check(h, IDC_RPT_ADULTS, true);
      Press(h, IDOK);
    }, [&](RptContext* ctx) { return GetRpt21Params(ctx, c.report == 14 ? 599 : 0); }), 1);
    EXPECT_EQ(AcctList[0], 599);
    EXPECT_STREQ(RptSecondDate, "20080430");
    EXPECT_EQ(RptOptionD, 2);
    EXPECT_EQ(RptOrder, 'N');
    EXPECT_EQ(RptOptionG, 1);
    EXPECT_EQ(ctx_.lineWidth, c.width);
    EXPECT_EQ(fixture::FiscalYear::Account(599).selected, 1);
    EXPECT_EQ(Key("RPT21", 'E'), "Y");
    // Back to scouts for the next report.
    PutKey("RPT21", 'B', "Y");
    PutKey("RPT21", 'C', "N");
  }
}

TEST_F(AccountParamsTest, ScheduleChecksComeInOrder) {
  Run(21, "Scheduled Payment Status Report", [&](HWND h) {
    SendMessage(GetDlgItem(h, IDC_RPT_ACCT_COMBO), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    automation::ExpectMessageBox("Warning", "Account", IDOK);
    Press(h, IDOK);
    Choose(h, IDC_RPT_ACCT_COMBO, "599/");
    SetField(h, IDC_RPT_ASOF, "04/30/09");
    automation::ExpectMessageBox("Warning", "As of Date", IDOK);
    Press(h, IDOK);
    // An account below 100 (as a schedule on it would list it) is read
    // up to its "/".
    SendMessage(GetDlgItem(h, IDC_RPT_ACCT_COMBO), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("1/Petty Cash"));
    Choose(h, IDC_RPT_ACCT_COMBO, "1/");
    SetField(h, IDC_RPT_ASOF, "04/30/08");
    Press(h, IDOK);
  }, [](RptContext* ctx) { return GetRpt21Params(ctx, 0); });
  EXPECT_EQ(AcctList[0], 1);
  // Without schedules the launcher warns and opens nothing.
  for (int r = 0; r < ScheduleTable.rowCount; ++r) ScheduleTable.keys[static_cast<size_t>(r)].status = 2;
  automation::ClearDialogRules();
  automation::ExpectMessageBox("Warning", "No schedules are defined yet", IDOK);
  EXPECT_EQ(GetRpt21Params(&ctx_, 0), 0);
  automation::ExpectMessageBox("Warning", "No schedules are defined yet", IDOK);
  EXPECT_EQ(GetRpt28Params(&ctx_), 0);
}

TEST_F(AccountParamsTest, ScheduleListDefaultsToNameOrder) {
  EXPECT_EQ(Run(28, "Schedule List Report", [&](HWND h) {
    EXPECT_TRUE(Checked(h, IDC_RPT_BY_NAME));
    Check(h, IDC_RPT_PARTICIPANTS, true);
    Press(h, IDOK);
  }, GetRpt28Params), 1);
  EXPECT_EQ(RptOrder, 'A');
  EXPECT_EQ(RptOptionE, 'Y');
  EXPECT_EQ(RptOptionG, 0);
  EXPECT_EQ(Key("RPT28", 'B'), "Y");
}

}  // namespace
