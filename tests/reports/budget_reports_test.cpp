// Reports 6 and 7 on the fixture year, where only camping (620) has a
// budget: 10.00 in every month; 50.00 were spent on it in March.
#include <algorithm>

#include "FinReportTestSupport.h"

namespace {

using BudgetReportsTest = FinReportTest;

std::string Thirteen(const std::string& field) {
  std::string s;
  for (int i = 0; i < 13; ++i) s += "{2} {5r}" + field;
  return s;
}

const std::string kMonths6 =
    "{F1}{29} {2} {5}Jan{2} {5}Feb{2} {5}Mar{2} {5}Apr{2} {5}May{2} {5}Jun{2} {5}Jul{2} {5}Aug{2} {5}Sep{2} {5}Oct{2} "
    "{5}Nov{2} {5}Dec{2} {5}Total{F4}";
const std::string kRules6 = "{2} {5-}{2} {5-}{2} {5-}{2} {5-}{2} {5-}{2} {5-}{2} {5-}{2} {5-}{2} {5-}{2} {5-}{2} {5-}"
                            "{2} {5-}{2} {5-}";
const char* const kRules7 = "{2} {9-}{2} {9-}{2} {9-}{4} {9-}{2} {9-}{2} {9-}{4} {9-}{2} {10-}";

TEST_F(BudgetReportsTest, AnnualBudgetByFiscalMonth) {
  ChooseAll();
  const auto body = Build(6, BuildAnnualBudgetReport, kRptLandscapeWidth);
  const std::string ten = "    10 ";
  const std::string tenNegative = "(   10)";
  const std::vector<std::string> expected = {
      // Only the expense section holds an account with a budget.
      kMonths6,
      "{F1}{29-}EXPENSE" + kRules6 + "{F4}",
      "{4}620{1} {24}Camping                  " + Thirteen(ten).substr(0, 12 * 15) + "{2} {5r}   120 ",
      "{29} " + kRules6,
      "{29.}Tot Budgeted Exp Activity" + Thirteen(ten).substr(0, 12 * 15) + "{2} {5r}   120 ",
      " ",
      "{29} " + kRules6,
      "{29.}Net Budgeted Income/(Loss)" + Thirteen(tenNegative).substr(0, 12 * 15) + "{2} {5r}(  120)",
      " ",
      "{130=}",
      " "};
  EXPECT_EQ(body, expected);
}

TEST_F(BudgetReportsTest, BudgetStatusSetsActualsBesideBudgets) {
  ChooseAll();
  RptMonth = 2;  // March
  const auto body = Build(7, BuildBudgetStatusReport, kRptLandscapeWidth);
  const std::vector<std::string> expected = {
      "{F1}{36} {31-}Month{4} {31-}Year-to-Date{4} {21-}Fiscal Year{F4}",
      "{F1}{36} {9}Actual{2} {9}Budget{2} {9}Variance{4} {9}Actual{2} {9}Budget{2} {9}Variance{4} {9}Budget{2} "
      "{10}Remaining{F4}",
      std::string("{F1}{34-}EXPENSE  ") + kRules7 + "{F4}",
      // Month 50.00 of 10.00; January to March 50.00 of 30.00; the year's
      // 120.00 less the 50.00 spent leaves 70.00.
      "{4}620{1} {29}Camping                  {2} {9r}    50.00 {2} {9r}    10.00 {2} {9r}    40.00 {4} {9r}     50.00 "
      "{2} {9r}     30.00 {2} {9r}     20.00 {4} {9r}    120.00 {2} {10r}     70.00 ",
      std::string("{34} ") + kRules7,
      "{34.}Total Expense Activity{2} {9r}    50.00 {2} {9r}    10.00 {2} {9r}    40.00 {4} {9r}     50.00 {2} {9r}  "
      "   30.00 {2} {9r}     20.00 {4} {9r}    120.00 {2} {10r}     70.00 ",
      " ",
      std::string("{34} ") + kRules7,
      "{34.}Net Income/(Loss){2} {9r}(    50.00){2} {9r}(    10.00){2} {9r}(    40.00){4} {9r}(    50.00){2} "
      "{9r}(    30.00){2} {9r}(    20.00){4} {9r}(   120.00){2} {10r}(    70.00)",
      " ",
      "{130=}",
      " "};
  EXPECT_EQ(body, expected);
  EXPECT_NE(Records()[1].find("}March 2008{"), std::string::npos);
}

TEST_F(BudgetReportsTest, AccountsWithoutBudgets) {
  // Fundraising (no budget) with the box set: an empty row in report 6, and
  // blank budgets with variances equal to the actuals in report 7.
  Choose({520});
  RptOptionB = 1;
  RptMonth = 2;
  auto body = Build(6, BuildAnnualBudgetReport, kRptLandscapeWidth);
  EXPECT_TRUE(std::find(body.begin(), body.end(), "{4}520{1} {24}Fundraising              " + Thirteen("")) !=
              body.end());
  body = Build(7, BuildBudgetStatusReport, kRptLandscapeWidth);
  const std::string line =
      "{4}520{1} {29}Fundraising              {2} {9r}     0.00 {2} {9r}          {2} {9r}     0.00 {4} {9r}    "
      "100.00 {2} {9r}           {2} {9r}    100.00 {4} {9r}           {2} {10r}(   100.00)";
  EXPECT_TRUE(std::find(body.begin(), body.end(), line) != body.end());

  // Without the box nothing has a budget: only the notice.
  RptOptionB = 0;
  Choose({101, 520});
  for (auto [id, builder] : {std::pair<int, RptBuilder>{6, BuildAnnualBudgetReport}, {7, BuildBudgetStatusReport}}) {
    body = Build(id, builder, kRptLandscapeWidth);
    EXPECT_EQ(body, (std::vector<std::string>{" ", "*** No budgets were found for the selected accounts ***"})) << id;
  }
}

TEST_F(BudgetReportsTest, ASectionAloneHasNoNetLine) {
  Choose({710});
  RptOptionB = 1;
  const auto body = Build(6, BuildAnnualBudgetReport, kRptLandscapeWidth);
  EXPECT_EQ(body[1], "{F1}{29-}RESERVES" + kRules6 + "{F4}");
  EXPECT_EQ(body[4], "{29.}Tot Budgeted Reserve Activity" + Thirteen("     0 "));
  for (const auto& line : body) EXPECT_EQ(line.find("Net"), std::string::npos) << line;
}

}  // namespace
