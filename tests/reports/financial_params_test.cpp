// The financial reports' parameter dialogs on the fixture year: defaults and
// remembered keys, the slots set on OK, the checks in order with their
// texts, the month field, resizing, and the account picker's cycle and its
// flags in the account records.
#include "RptDialogTest.h"
#include "common/Dates.h"
#include "reports/FinancialParams.h"
#include "reports/RptParams.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

class FinancialParamsTest : public RptDialogTest {};

TEST_F(FinancialParamsTest, DefaultsSlotsAndRememberedKeys) {
  // Report 1 opens with its defaults and hands the choices to the builder.
  std::string month;
  RptOptionA = RptOptionB = RptOptionC = 9;
  EXPECT_EQ(Run(1, "Monthly Income/Expense Report", [&](HWND h) {
    month = FieldText(h, IDC_RPT_MONTH);
    EXPECT_TRUE(Checked(h, IDC_RPT_NO_TRANS));
    EXPECT_FALSE(Checked(h, IDC_RPT_ZERO_NET));
    EXPECT_FALSE(Checked(h, IDC_RPT_BUDGETS));
    EXPECT_TRUE(Checked(h, IDC_RPT_BY_NUMBER));
    SetField(h, IDC_RPT_MONTH, "mar");
    FocusThrough(h, IDC_RPT_MONTH, IDC_RPT_NO_TRANS);
    Check(h, IDC_RPT_BUDGETS, true);
    Click(h, IDC_RPT_BY_NAME);
    Press(h, IDOK);
  }, GetRpt1Params), 1);
  EXPECT_EQ(month.size(), 3u);
  EXPECT_EQ(RptMonth, 2);
  EXPECT_EQ(RptFirstMonth, FiscalFirstMonth);
  EXPECT_EQ(RptOrder, 'A');
  EXPECT_EQ(RptOptionA, 1);
  EXPECT_EQ(RptOptionB, 0);
  EXPECT_EQ(RptOptionC, 1);
  EXPECT_EQ(ctx_.lineWidth, kRptPortraitWidth);
  EXPECT_EQ(Key("RPT1", 'B'), "Y");
  EXPECT_EQ(Key("RPT1", 'C'), "A");
  EXPECT_EQ(Key("RPT1", 'E'), "Y");
  EXPECT_EQ(std::string(RptDates.GetSecondDate(DF_YYYYMMDD)), "20080331");

  // Reopened: the remembered values; Cancel stores nothing.
  EXPECT_EQ(Run(1, "Monthly Income/Expense Report", [&](HWND h) {
    EXPECT_EQ(FieldText(h, IDC_RPT_MONTH), "Mar");
    EXPECT_TRUE(Checked(h, IDC_RPT_BUDGETS));
    EXPECT_TRUE(Checked(h, IDC_RPT_BY_NAME));
    Check(h, IDC_RPT_BUDGETS, false);
    Press(h, IDCANCEL);
  }, GetRpt1Params), 0);
  EXPECT_EQ(Key("RPT1", 'E'), "Y");

  // Report 3 is always wide; report 18 takes any letter but 'A' as by number.
  EXPECT_EQ(Run(3, "Annual Income/Expense Report", [&](HWND h) { Press(h, IDOK); }, GetRpt3Params), 1);
  EXPECT_EQ(ctx_.lineWidth, kRptLandscapeWidth);
  EXPECT_EQ(RptOrder, 'N');
  EXPECT_EQ(Key("RPT3", 'A'), "Y");
  PutKey("RPT18", 'A', "Q");
  EXPECT_EQ(Run(18, "Account List Report", [&](HWND h) {
    EXPECT_TRUE(Checked(h, IDC_RPT_BY_NUMBER));
    Press(h, IDOK);
  }, GetRpt18Params), 1);
  EXPECT_EQ(Key("RPT18", 'A'), "N");
  EXPECT_EQ(ctx_.lineWidth, kRptPortraitWidth);
}

TEST_F(FinancialParamsTest, MonthFieldNumbersCaseAndSpinner) {
  struct Case {
    const char* typed;
    const char* shown;
  } cases[] = {{"12", "Dec"}, {"3", "Mar"}, {"jan", "Jan"}, {"13", "13"}, {"0", "0"}};
  Run(1, "Monthly Income/Expense Report", [&](HWND h) {
    for (const Case& c : cases) {
      SetField(h, IDC_RPT_MONTH, c.typed);
      FocusThrough(h, IDC_RPT_MONTH, IDC_RPT_NO_TRANS);
      EXPECT_EQ(FieldText(h, IDC_RPT_MONTH), c.shown) << c.typed;
    }
    // Up from December wraps to January, down from January to December.
    HWND spin = GetDlgItem(h, IDC_RPT_MONTH_SPIN);
    SetField(h, IDC_RPT_MONTH, "Dec");
    FocusThrough(h, IDC_RPT_MONTH, IDC_RPT_NO_TRANS);
    SendMessage(h, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(spin));
    EXPECT_EQ(FieldText(h, IDC_RPT_MONTH), "Jan");
    SendMessage(h, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(spin));
    EXPECT_EQ(FieldText(h, IDC_RPT_MONTH), "Dec");
    SendMessage(h, WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(spin));
    EXPECT_EQ(FieldText(h, IDC_RPT_MONTH), "Jan");
    // "13" fails the month check and the dialog stays.
    SetField(h, IDC_RPT_MONTH, "13");
    automation::ExpectMessageBox("", "Accounting Month", IDOK);
    Press(h, IDOK);
    EXPECT_TRUE(IsWindow(h));
    Press(h, IDCANCEL);
  }, GetRpt1Params);
}

TEST_F(FinancialParamsTest, StatementAndSummaryDateChecks) {
  // An "As of" date outside the year is refused; inside it is the slot.
  EXPECT_EQ(Run(2, "Financial Statement", [&](HWND h) {
    SetField(h, IDC_RPT_ASOF, "01/15/09");
    automation::ExpectMessageBox("Warning", "As of Date", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_RPT_ASOF, "06/30/08");
    Press(h, IDOK);
  }, GetRpt2Params), 1);
  EXPECT_STREQ(RptSecondDate, "20080630");
  EXPECT_EQ(RptOptionB, 1);
  EXPECT_EQ(RptOptionA, 0);

  // Report 30: the account check comes before the dates; a second date
  // before the first is refused.
  EXPECT_EQ(Run(30, "Account Summary Report", [&](HWND h) {
    Select(h, IDC_RPT_ACCT_LIST, {});
    SetField(h, IDC_RPT_FROM, "13/45/08");
    automation::ExpectMessageBox("Warning", "Accounts:  No accounts were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_ACCT_LIST, {"101/Checking"});
    SetField(h, IDC_RPT_FROM, "05/01/08");
    SetField(h, IDC_RPT_TO, "04/01/08");
    automation::ExpectMessageBox("Warning", "Second Date", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_RPT_TO, "05/31/08");
    Check(h, IDC_RPT_RES_DETAIL, true);
    Press(h, IDOK);
  }, GetRpt30Params), 1);
  EXPECT_STREQ(RptFirstDate, "20080501");
  EXPECT_STREQ(RptSecondDate, "20080531");
  EXPECT_EQ(RptOptionE, 'Y');
  ASSERT_EQ(AcctCount, 1);
  EXPECT_EQ(AcctList[0], 101);
}

TEST_F(FinancialParamsTest, MissingDataWarnsWithoutADialog) {
  // Only deleted budgets: reports 6 and 7 have nothing to show.
  for (int r = 0; r < BudgetTable.rowCount; ++r) BudgetTable.keys[static_cast<size_t>(r)].status = 2;
  automation::ExpectMessageBox("Warning", "No budgets are defined yet", IDOK);
  EXPECT_EQ(Run(6, "Annual Budget Report", [](HWND) { ADD_FAILURE() << "dialog shown"; }, GetRpt6Params), 0);
  automation::ExpectMessageBox("Warning", "No budgets are defined yet", IDOK);
  EXPECT_EQ(GetRpt7Params(&ctx_), 0);
  // Without income and expense accounts reports 1 and 3 warn; an income
  // account alone is enough.
  for (int r = 0; r < AcctTable.rowCount; ++r) {
    AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.number == 520 || k.number == 599 || k.number == 620) k.status = 2;
  }
  automation::ExpectMessageBox("Warning", "No income/expense accounts are defined yet", IDOK);
  EXPECT_EQ(GetRpt1Params(&ctx_), 0);
  automation::ExpectMessageBox("Warning", "No income/expense accounts are defined yet", IDOK);
  EXPECT_EQ(GetRpt3Params(&ctx_), 0);
  automation::ClearDialogRules();
  for (int r = 0; r < AcctTable.rowCount; ++r)
    if (AcctTable.keys[static_cast<size_t>(r)].number == 520) AcctTable.keys[static_cast<size_t>(r)].status = 0;
  EXPECT_TRUE(SelectAcctsByClass(1));
  EXPECT_EQ(Type1Count, 1);
  EXPECT_EQ(Type2Count, 0);
}

TEST_F(FinancialParamsTest, CandidateGroupsFollowTheClassTable) {
  ASSERT_TRUE(SelectAcctsByClass(2));
  // Assets in class order (cash, checking, savings, other asset), then the
  // liabilities; reserve and system accounts never count.
  std::vector<int> assets(Type1Acts.begin(), Type1Acts.begin() + Type1Count);
  std::vector<int> liabilities(Type2Acts.begin(), Type2Acts.begin() + Type2Count);
  EXPECT_EQ(assets, (std::vector<int>{1, 101, 201, 399}));
  EXPECT_EQ(liabilities, (std::vector<int>{401}));
  ASSERT_TRUE(SelectAcctsByClass(1));
  EXPECT_EQ(std::vector<int>(Type1Acts.begin(), Type1Acts.begin() + Type1Count), (std::vector<int>{520, 599}));
  EXPECT_EQ(std::vector<int>(Type2Acts.begin(), Type2Acts.begin() + Type2Count), (std::vector<int>{620}));
}

TEST_F(FinancialParamsTest, AccountPickerCyclesAndStoresFlags) {
  // Account 10 beside account 1: the "%d/" prefix keeps them apart.
  AccountRecord ten;
  ten.number = 10;
  std::snprintf(ten.name, sizeof ten.name, "Cash Box");
  ASSERT_EQ(AddAcct(&ten, nullptr, 0, nullptr, nullptr), 1);
  const std::vector<std::string> none;
  std::vector<std::string> all;
  EXPECT_EQ(Run(6, "Annual Budget Report", [&](HWND h) {
    all = Entries(h, IDC_RPT_ACCT_LIST);
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), none);  // no stored flags yet
    Press(h, IDC_RPT_ACCOUNTS);
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), all);
    Press(h, IDC_RPT_ACCOUNTS);
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), none);
    automation::ExpectMessageBox("Warning", "Accounts:  No accounts were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_ACCT_LIST, {"1/Petty Cash", "620/Camping"});
    Press(h, IDOK);
  }, GetRpt6Params), 1);
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(all[0], "1/Petty Cash");
  EXPECT_EQ(all[1], "10/Cash Box");
  EXPECT_EQ(ctx_.lineWidth, kRptLandscapeWidth);
  ASSERT_EQ(AcctCount, 2);
  EXPECT_EQ(AcctList[0], 1);
  EXPECT_EQ(AcctList[1], 620);
  EXPECT_EQ(fixture::FiscalYear::Account(1).selected, 1);
  EXPECT_EQ(fixture::FiscalYear::Account(10).selected, 0);
  EXPECT_EQ(fixture::FiscalYear::Account(620).selected, 1);

  // Another report's list starts from the stored selection; the third
  // press gives it back.
  Run(7, "Budget Status Report", [&](HWND h) {
    const std::vector<std::string> stored = {"1/Petty Cash", "620/Camping"};
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), stored);
    Press(h, IDC_RPT_ACCOUNTS);
    Press(h, IDC_RPT_ACCOUNTS);
    Press(h, IDC_RPT_ACCOUNTS);
    EXPECT_EQ(Selected(h, IDC_RPT_ACCT_LIST), stored);
    Press(h, IDCANCEL);
  }, GetRpt7Params);
}

TEST_F(FinancialParamsTest, PickerWriteFailureIsShownOnceAndTheReportStillRuns) {
  // The account file is read-only: the flags cannot be stored.
  std::FILE* saved = AcctFile;
  AcctFile = std::fopen(AcctPath, "rb");
  automation::ExpectMessageBox("Warning", "account", IDOK);
  EXPECT_EQ(Run(6, "Annual Budget Report", [&](HWND h) {
    Select(h, IDC_RPT_ACCT_LIST, {"101/Checking"});
    Press(h, IDOK);
  }, GetRpt6Params), 1);
  std::fclose(AcctFile);
  AcctFile = saved;
  EXPECT_EQ(AcctCount, 1);
}

TEST_F(FinancialParamsTest, ResizingKeepsTheMinimumAndIsRememberedOnOk) {
  RECT opened{}, grown{}, shrunk{};
  RECT listOpened{}, listGrown{};
  Run(6, "Annual Budget Report", [&](HWND h) {
    opened = WindowSize(h);
    listOpened = WindowSize(GetDlgItem(h, IDC_RPT_ACCT_LIST));
    SetWindowPos(h, nullptr, 0, 0, opened.right - opened.left + 40, opened.bottom - opened.top + 60,
                 SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    grown = WindowSize(h);
    listGrown = WindowSize(GetDlgItem(h, IDC_RPT_ACCT_LIST));
    Select(h, IDC_RPT_ACCT_LIST, {"101/Checking"});
    Press(h, IDOK);
  }, GetRpt6Params);
  EXPECT_EQ(grown.right - grown.left, opened.right - opened.left + 40);
  EXPECT_EQ((listGrown.bottom - listGrown.top) - (listOpened.bottom - listOpened.top), 60);
  EXPECT_EQ((listGrown.right - listGrown.left) - (listOpened.right - listOpened.left), 40);
  EXPECT_EQ(Key("RPT6", 'X'), std::to_string(grown.right - grown.left));
  EXPECT_EQ(Key("RPT6", 'Y'), std::to_string(grown.bottom - grown.top));

  // Reopened at the remembered size; smaller than the template snaps back.
  Run(6, "Annual Budget Report", [&](HWND h) {
    const RECT again = WindowSize(h);
    EXPECT_EQ(again.bottom - again.top, grown.bottom - grown.top);
    SetWindowPos(h, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    shrunk = WindowSize(h);
    Press(h, IDCANCEL);
  }, GetRpt6Params);
  EXPECT_EQ(shrunk.right - shrunk.left, opened.right - opened.left);
  EXPECT_EQ(shrunk.bottom - shrunk.top, opened.bottom - opened.top);
  EXPECT_EQ(Key("RPT6", 'Y'), std::to_string(grown.bottom - grown.top));  // Cancel kept it
}

}  // namespace
