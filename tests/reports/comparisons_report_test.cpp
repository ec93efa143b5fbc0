// Report 11 on the fixture year: the popcorn sale split 40.00 / 60.00 to
// Anna and Ben on 520, camping on 620 and the camp reserve 710.
#include "RptYear.h"
#include "reports/ComparisonsReport.h"

namespace {

class ComparisonsReportTest : public RptYearTest {
 protected:
  RptContext* Compare(std::initializer_list<int> accounts, int types, char order, char inactive) {
    RptContext* c = Run(11, accounts.size() > 2 ? kRptLandscapeWidth : kRptPortraitWidth);
    ChooseAccounts(accounts);
    ScoutListCount = 0;
    for (int row = 0; row < MemberTable.rowCount; ++row) ScoutList[static_cast<std::size_t>(ScoutListCount++)] = row;
    RptOptionD = types;
    RptOrder = order;
    RptOptionE = inactive;
    RptOptionG = 0;
    std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080101");
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
    return c;
  }
};

TEST_F(ComparisonsReportTest, ColumnsTotalsActualsAndTheReserveMark) {
  fixture::SpendAnnaReserve(9000, nullptr);  // Anna's camp reserve goes below 0
  RptContext* c = Compare({520, 620, 710}, 1 | 2, 'Y', 'Y');
  ASSERT_EQ(BuildIncExpComparisonsReport(c), 1);
  EXPECT_EQ(RecordsWith("{28} {2} {8}Inc Act{2} {8}Exp Act{2} {8}Net{2} {8}Res Act{1} ").size(), 2u);
  EXPECT_EQ(RecordsWith("{28}Scout {2} {8}520{2} {8}620{2} {8}Inc/(Exp){2} {8}710    {1} ").size(), 1u);
  // An expense is shown with its sign turned; the net adds the values as
  // they came, and the negative reserve is marked.
  EXPECT_EQ(RecordsWith("{28}Smith, Anna ")[0],
            "{28}Smith, Anna {2} {8r}    40.00 {2} {8r}    90.00 {2} {8r}(   50.00){2} {8r}(   60.00){1}*");
  EXPECT_EQ(RecordsWith("{28r}Patrol Total: ")[0],
            "{28r}Patrol Total: {2} {8r}   100.00 {2} {8r}    90.00 {2} {8r}    10.00 {2} {8r}(   10.00){1} ");
  // Carl has no activity: listed only because inactive passbooks were asked for.
  EXPECT_EQ(RecordsWith("{28}Brown, Carl {2} {8r}     0.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{28r}Passbook Totals: {2} {8r}   100.00 {2} {8r}    90.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{28r}Troop Actuals: {2} {8r}   100.00 {2} {8r}   140.00 {2} {8r}(   40.00){2} {8r}(  110.00)")
                .size(),
            1u);
  EXPECT_EQ(RecordsWith("{28r}Net Troop Activity:{2} {8r}     0.00 {2} {8r}    50.00 {2} {8r}(   50.00)").size(), 1u);
  EXPECT_EQ(RecordsWith("{4} {4}710{1} {25}Camp Reserve").size(), 1u);
  EXPECT_EQ(RecordsWith("(*) A negative reserve balance is unusual").size(), 1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    EXPECT_NE(pages[0].find("Income/Expense Comparisons"), std::string::npos);
    EXPECT_NE(pages[0].find("Smith, Anna"), std::string::npos);
    EXPECT_NE(pages[0].find("Account Definitions:"), std::string::npos);
  }
}

TEST_F(ComparisonsReportTest, OneAccountNoNetColumnAndTypesWithoutActivity) {
  RptContext* c = Compare({520}, 1 | 4, 'N', 'N');
  ASSERT_EQ(BuildIncExpComparisonsReport(c), 1);
  EXPECT_EQ(RecordsWith("{F1}{28} {2} {8}Inc Act{F4}").size(), 2u);  // no Net column
  EXPECT_TRUE(RecordsWith("Inc/(Exp)").empty());
  EXPECT_EQ(RecordsWith("{28}Jones, Ben {2} {8r}    60.00 ").size(), 1u);
  EXPECT_TRUE(RecordsWith("Patrol Total").empty());  // no grouping
  EXPECT_EQ(RecordsWith("{46}*** No activity was found for selected Patrols ***").size(), 1u);
  EXPECT_EQ(RecordsWith("Passbook Totals").size(), 1u);  // two types asked for
  EXPECT_TRUE(RecordsWith("(*)").empty());
}

TEST_F(ComparisonsReportTest, AMissingAccountIsAnErrorAndTheRunGoesOn) {
  RptContext* c = Compare({520, 655}, 1, 'N', 'N');
  automation::ExpectMessageBox("Error", "Failed find: R11 acct", IDOK);
  EXPECT_EQ(BuildIncExpComparisonsReport(c), 0);
  EXPECT_EQ(RecordsWith("{28r}Troop Actuals: {2} {8r}   100.00 {2} {8r}     0.00 ").size(), 1u);
  EXPECT_TRUE(RecordsWith("Account Definitions").empty());
  EXPECT_TRUE(RecordsWith("Passbook Totals").empty());  // one type asked for
}

}  // namespace
