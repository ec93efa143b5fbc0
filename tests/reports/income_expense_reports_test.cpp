// Reports 1 and 3 on the fixture year: income from fundraising (520) of
// 100.00 in February, camping expense (620) of 50.00 in March with a budget
// of 10.00 a month, dues (599) without postings.
#include <algorithm>
#include <tuple>

#include "FinReportTestSupport.h"
#include "reports/RptFormat.h"
#include "store/AccountStore.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

namespace {

using IncomeExpenseTest = FinReportTest;

std::string Amt(long long cents) { return FormatRptAmount(cents, 8); }

// The account and total lines of report 1 without budgets.
std::string Plain(const char* number, const char* name, long long month, long long ytd) {
  return std::string("{10} {4}") + number + "{32}" + name + "{1} {8r}" + Amt(month) + "{1} {8r}" + Amt(ytd);
}
std::string PlainTotal(const char* label, long long month, long long ytd) {
  return std::string("{10} {36.}") + label + "{1} {8r}" + Amt(month) + "{1} {8r}" + Amt(ytd);
}

TEST_F(IncomeExpenseTest, MonthlyReportSetsActivityBesideTheBudget) {
  SelectByClass(1);
  RptFirstMonth = 0;
  RptMonth = 2;  // March
  RptOptionC = 1;
  const auto body = Build(1, BuildMonthlyIncExpReport);
  const std::vector<std::string> expected = {
      "{F1}{77=}INCOME {F4}",
      "{F1}{26} {23-}Month's Activity{2} {23-}Year-to-Date{F4}",
      "{F1}{25-}Account{1} {8-}Budget{1} {8-}Actual{1} {5-}Goal{2} {8-}Budget{1} {8-}Actual{1} {5-}Goal{F4}",
      // No budget: zero budgets and blank goals.
      "{4}520{21}Fundraising         {1} {8r}     0.00 {1} {8r}     0.00 {1} {5r}     {2} {8r}     0.00 {1} "
      "{8r}   100.00 {1} {5r}     ",
      "{26} {8-}{1} {8-}{1} {5-}{2} {8-}{1} {8-}{1} {5-}",
      "{25.}Total{1} {8r}     0.00 {1} {8r}     0.00 {1} {5r}     {2} {8r}     0.00 {1} {8r}   100.00 {1} {5r}     ",
      " ",
      "{F1}{77=}EXPENSE {F4}",
      "{F1}{26} {23-}Month's Activity{2} {23-}Year-to-Date{F4}",
      "{F1}{25-}Account{1} {8-}Budget{1} {8-}Actual{1} {5-}Goal{2} {8-}Budget{1} {8-}Actual{1} {5-}Goal{F4}",
      // 50.00 spent of a 10.00 month (500%) and of 30.00 for January-March (166%).
      "{4}620{21}Camping             {1} {8r}    10.00 {1} {8r}    50.00 {1} {5r} 500%{2} {8r}    30.00 {1} "
      "{8r}    50.00 {1} {5r} 166%",
      "{26} {8-}{1} {8-}{1} {5-}{2} {8-}{1} {8-}{1} {5-}",
      "{25.}Total{1} {8r}    10.00 {1} {8r}    50.00 {1} {5r} 500%{2} {8r}    30.00 {1} {8r}    50.00 {1} {5r} 166%",
      " ",
      "{26} {8-}{1} {8-}{1} {5-}{2} {8-}{1} {8-}{1} {5-}",
      // Income minus expense, column by column.
      "{25.}Net Income/(Loss){1} {8r}(   10.00){1} {8r}(   50.00){1} {5r} 500%{2} {8r}(   30.00){1} {8r}    50.00 "
      "{1} {5r}-166%",
      " "};
  EXPECT_EQ(body, expected);
  EXPECT_NE(Records()[1].find("}March 2008{"), std::string::npos);
}

TEST_F(IncomeExpenseTest, MonthlyReportPeriodsAndInclusionOptions) {
  struct Case {
    const char* name;
    int firstMonth, month, includeUnused, includeZero;
    std::vector<std::string> accountLines;  // income lines, then expense lines
    long long income[2], expense[2];
  };
  const Case cases[] = {
      {"March of a January year", 0, 2, 0, 0,
       {Plain("520", "Fundraising", 0, 10000), Plain("620", "Camping", 5000, 5000)}, {0, 10000}, {5000, 5000}},
      // March's line lies after February: it counts in neither column and
      // leaves Camping without transactions in the period.
      {"February", 0, 1, 0, 0, {Plain("520", "Fundraising", 10000, 10000)}, {10000, 10000}, {0, 0}},
      // A July year with March chosen runs across the calendar year's end.
      {"July year, March", 6, 2, 0, 0,
       {Plain("520", "Fundraising", 0, 10000), Plain("620", "Camping", 5000, 5000)}, {0, 10000}, {5000, 5000}},
      // The chosen month is the first: month and year to date are equal.
      {"first month", 2, 2, 0, 0, {Plain("620", "Camping", 5000, 5000)}, {0, 0}, {5000, 5000}},
      // Accounts without transactions need both boxes.
      {"unused, zero not included", 0, 1, 1, 0, {Plain("520", "Fundraising", 10000, 10000)}, {10000, 10000}, {0, 0}},
      {"unused and zero included", 0, 1, 1, 1,
       {Plain("520", "Fundraising", 10000, 10000), Plain("599", "Dues", 0, 0), Plain("620", "Camping", 0, 0)},
       {10000, 10000}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SelectByClass(1);
    ClearRptActivity();
    RptFirstMonth = c.firstMonth;
    RptMonth = c.month;
    RptOptionA = c.includeUnused;
    RptOptionB = c.includeZero;
    const auto body = Build(1, BuildMonthlyIncExpReport);
    std::vector<std::string> lines;
    std::copy_if(body.begin(), body.end(), std::back_inserter(lines),
                 [](const std::string& l) { return l.rfind("{10} {4}", 0) == 0; });
    EXPECT_EQ(lines, c.accountLines);
    EXPECT_NE(std::find(body.begin(), body.end(), PlainTotal("Total", c.income[0], c.income[1])), body.end());
    EXPECT_NE(std::find(body.begin(), body.end(), PlainTotal("Total", c.expense[0], c.expense[1])), body.end());
    EXPECT_NE(std::find(body.begin(), body.end(),
                        PlainTotal("Net Income/(Loss)", c.income[0] - c.expense[0], c.income[1] - c.expense[1])),
              body.end());
  }
}

TEST_F(IncomeExpenseTest, MonthlyReportCutsLongNamesInTheBudgetLayout) {
  SelectByClass(1);
  RptMonth = 1;
  RptOptionC = 1;
  // A name of 23 characters keeps 20, its brace shown as a parenthesis.
  AccountRecord a = fixture::FiscalYear::Account(520);
  std::snprintf(a.name, sizeof a.name, "Fundraising {Popcorn} X");
  int pos = -1;
  ASSERT_EQ(FindAcctIndex(520, &pos), 1);
  const int row = AcctTable.byNumber[static_cast<size_t>(pos)];
  ASSERT_EQ(WriteRecord(AcctFile, a, row), 1);
  AcctTable.keys[static_cast<size_t>(row)] = KeyOf(a);
  const auto body = Build(1, BuildMonthlyIncExpReport);
  EXPECT_EQ(body[3].substr(0, 33), "{4}520{21}Fundraising (Popcorn{1}");
}

TEST_F(IncomeExpenseTest, AnnualSummaryShowsFiscalMonthsInWholeDollars) {
  // Amounts of 0.49 and 0.50 more in fundraising (February and June).
  auto d = std::make_unique<TransactionDetail>();
  for (const auto& [month, date, cents] : {std::tuple{1, "20080220", 49}, std::tuple{5, "20080601", 50}}) {
    TransactionRecord& t = fixture::StartTransaction(*d, NextTransId++, month, date, 1, cents, "D", "Bake sale");
    d->lines[0].account = 520;
    d->lines[0].amount = cents;
    d->lines[0].factor = SignedAmountByType('A', 1, 520);
    ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  }
  SelectByClass(1);
  RptOptionA = 0;
  const auto body = Build(3, BuildAnnualIncExpSummary, kRptLandscapeWidth);
  // Thirteen columns of whole dollars.
  auto columns = [](std::initializer_list<long long> dollars) {
    std::string s;
    for (long long v : dollars) s += "{1} {6r}" + FormatRptAmount(v * 100, -6);
    return s;
  };
  const std::string rules = "{1} {6-}{1} {6-}{1} {6-}{1} {6-}{1} {6-}{1} {6-}{1} {6-}{1} {6-}{1} {6-}{1} {6-}{1} "
                            "{6-}{1} {6-}{1} {6-}";
  const std::vector<std::string> expected = {
      "{F1}{35} {1} {6}Jan{1} {6}Feb{1} {6}Mar{1} {6}Apr{1} {6}May{1} {6}Jun{1} {6}Jul{1} {6}Aug{1} {6}Sep{1} "
      "{6}Oct{1} {6}Nov{1} {6}Dec{1} {6}Total{F4}",
      "{F1}{35-}INCOME " + rules + "{F4}",
      // 100.49 rounds down, 0.50 up; Dues without transactions is left out.
      "{5}520{30}Fundraising" + columns({0, 100, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 101}),
      "{35} " + rules,
      "{35.}Total Income" + columns({0, 100, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 101}),
      " ",
      "{F1}{35} {1} {6}Jan{1} {6}Feb{1} {6}Mar{1} {6}Apr{1} {6}May{1} {6}Jun{1} {6}Jul{1} {6}Aug{1} {6}Sep{1} "
      "{6}Oct{1} {6}Nov{1} {6}Dec{1} {6}Total{F4}",
      "{F1}{35-}EXPENSE" + rules + "{F4}",
      "{5}620{30}Camping" + columns({0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50}),
      "{35} " + rules,
      "{35.}Total Expense" + columns({0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 50}),
      " ",
      "{35} " + rules,
      "{35.}Net Income/(Loss)" + columns({0, 100, -50, 0, 0, 1, 0, 0, 0, 0, 0, 0, 51}),
      " "};
  EXPECT_EQ(body, expected);
}

TEST_F(IncomeExpenseTest, AnnualSummaryColumnsFollowTheFiscalYear) {
  // A year starting in July: columns Jul .. Jun, February's 100 in column 8.
  FiscalFirstMonth = 6;
  SelectByClass(1);
  RptOptionA = 1;  // Dues prints too, with thirteen zeros
  const auto body = Build(3, BuildAnnualIncExpSummary, kRptLandscapeWidth);
  FiscalFirstMonth = 0;
  EXPECT_EQ(body[0].substr(0, 30), "{F1}{35} {1} {6}Jul{1} {6}Aug{");
  const std::string fundraising = body[2];
  ASSERT_EQ(fundraising.rfind("{5}520", 0), 0u);
  // Each column is "{1} {6r}" and eight characters.
  const std::size_t start = std::string("{5}520{30}Fundraising").size();
  EXPECT_EQ(fundraising.substr(start + 7 * 16, 16), "{1} {6r}    100 ");
  EXPECT_EQ(body[3].rfind("{5}599{30}Dues{1} {6r}      0 ", 0), 0u);
}

}  // namespace
