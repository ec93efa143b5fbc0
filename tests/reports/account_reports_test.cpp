// Reports 18 and 30 on the fixture year.
#include <algorithm>

#include "FinReportTestSupport.h"
#include "store/AccountStore.h"
#include "store/RecIO.h"

namespace {

using AccountReportsTest = FinReportTest;

TEST_F(AccountReportsTest, AccountListByNumberPartsTheClasses) {
  RptOrder = 'N';
  const std::vector<std::string> expected = {"{F1}{5-}Num{3} {11-}Type{3} {25-}Name{F4}",
                                             "{5}001{3} {11}Cash{3} {25}Petty Cash",
                                             " ",
                                             "{5}101{3} {11}Checking{3} {25}Checking",
                                             " ",
                                             "{5}201{3} {11}Savings{3} {25}Savings",
                                             " ",
                                             "{5}399{3} {11}Other Asset{3} {25}Equipment",
                                             " ",
                                             "{5}401{3} {11}Liability{3} {25}Loan",
                                             " ",
                                             "{5}520{3} {11}Income{3} {25}Fundraising",
                                             "{5}599{3} {11}Income{3} {25}Dues",
                                             " ",
                                             "{5}620{3} {11}Expense{3} {25}Camping",
                                             " ",
                                             "{5}710{3} {11}Reserve{3} {25}Camp Reserve",
                                             " ",
                                             "{5}900{3} {11}System{3} {25}Reserve Allocation"};
  EXPECT_EQ(Build(18, BuildAccountListReport), expected);
}

TEST_F(AccountReportsTest, AccountListByNameShowsTheRecordsClassRow) {
  // The record's class row names the type, whatever the number's range.
  AccountRecord savings = fixture::FiscalYear::Account(201);
  savings.classRow = 3;
  int pos = -1;
  ASSERT_EQ(FindAcctIndex(201, &pos), 1);
  ASSERT_EQ(WriteRecord(AcctFile, savings, AcctTable.byNumber[static_cast<size_t>(pos)]), 1);
  RptOrder = 'A';
  const std::vector<std::string> expected = {"{F1}{5-}Num{3} {11-}Type{3} {25-}Name{F4}",
                                             "{5}710{3} {11}Reserve{3} {25}Camp Reserve",
                                             "{5}620{3} {11}Expense{3} {25}Camping",
                                             "{5}101{3} {11}Checking{3} {25}Checking",
                                             "{5}599{3} {11}Income{3} {25}Dues",
                                             "{5}399{3} {11}Other Asset{3} {25}Equipment",
                                             "{5}520{3} {11}Income{3} {25}Fundraising",
                                             "{5}401{3} {11}Liability{3} {25}Loan",
                                             "{5}001{3} {11}Cash{3} {25}Petty Cash",
                                             "{5}900{3} {11}System{3} {25}Reserve Allocation",
                                             "{5}201{3} {11}Other Asset{3} {25}Savings"};
  EXPECT_EQ(Build(18, BuildAccountListReport), expected);
}

std::string Figures(long long opening, long long net) {
  return "{3} {9r}" + FormatRptAmount(opening, 9) + "{3} {9r}" + FormatRptAmount(net, 9) + "{3} {9r}" +
         FormatRptAmount(opening + net, 9);
}

TEST_F(AccountReportsTest, AccountSummaryWithReserveShares) {
  // Anna spends 40.00 of the camp reserve in May, 10.00 more than was held.
  fixture::SpendAnnaReserve(4000);
  Choose({101, 399, 710});
  std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080301");
  std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
  RptOptionE = 'Y';
  const auto body = Build(30, BuildAccountSummaryReport);
  const std::string head1 = "{F1}{30} {3} {9}Opening{3} {9}Net{3} {9}Current{F4}";
  const std::string rules = "{30} {3} {9-}{3} {9-}{3} {9-}";
  const std::vector<std::string> expected = {
      head1,
      "{F1}{30-}Assets{3} {9-}Balance{3} {9-}Activity{3} {9-}Balance{F4}",
      // February's deposit is before the range; the check, the canoe and
      // Anna's camp expense within it.
      "{3r}101{1} {26}Checking" + Figures(110000, -17000),
      "{3r}399{1} {26}Equipment" + Figures(12000, 8000),
      rules,
      "{30.}Total" + Figures(122000, -9000),
      " ",
      head1,
      "{F1}{30-}Reserves{3} {9-}Balance{3} {9-}Activity{3} {9-}Balance{F4}",
      "{3r}710{1} {26}Camp Reserve" + Figures(8000, -6000),
      "{5} {27} Jones, Ben" + Figures(5000, 0) + "{1} ",
      "{5} {27} Smith, Anna" + Figures(3000, -4000) + "{1}*",
      // What is left is the unit's: the 20.00 spent in March.
      "{5} {27}Troop Share" + Figures(0, -2000),
      " ",
      rules,
      "{30.}Total" + Figures(8000, -6000),
      " ",
      "{F2} ",
      "{F2}(*) A negative reserve balance is unusual, indicating the member has spent more reserves than were",
      "{F2}actually held.  This causes the member's Available Funds to appear greater than they actually are.",
      "{F2}"};
  EXPECT_EQ(body, expected);
}

TEST_F(AccountReportsTest, AccountSummaryFromTheYearsFirstDay) {
  Choose({101, 201, 399});
  std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080101");
  std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
  const auto body = Build(30, BuildAccountSummaryReport);
  // Openings are the records' (399's the equipment's value that day: the
  // tent bought for 150.00); an account without activity keeps its balance.
  const std::vector<std::string> lines(body.begin() + 2, body.begin() + 5);
  EXPECT_EQ(lines, (std::vector<std::string>{"{3r}101{1} {26}Checking" + Figures(100000, -3000),
                                             "{3r}201{1} {26}Savings" + Figures(20000, 0),
                                             "{3r}399{1} {26}Equipment" + Figures(15000, 5000)}));
  // One class: one header and one total block.
  EXPECT_EQ(std::count(body.begin(), body.end(), "{30} {3} {9-}{3} {9-}{3} {9-}"), 1);
}

}  // namespace
