// Report 22 on the dues year of RptYearTest::AddDuesYear: monthly dues of
// 5.00 (Anna, Ben, Dana, Evan who joined February 15), the camp fee of
// 10.00 and 25.00 (Anna and Carl, who owes 2.00 from last year) on 599, and
// Anna's 10.00 paid on January 20.
#include "RptYear.h"
#include "reports/CollectionForm.h"

namespace {

class CollectionFormTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    AddDuesYear();
  }
  RptContext* Form(std::initializer_list<int> accounts, const char* date, char order, int zero) {
    RptContext* c = Run(22, accounts.size() > 2 ? kRptLandscapeWidth : kRptPortraitWidth);
    ChooseAccounts(accounts);
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "%s", date);
    RptOrder = order;
    RptOptionB = zero;
    RptOptionG = 0;
    return c;
  }
};

TEST_F(CollectionFormTest, OwedPerPatrolKindAndUnit) {
  RptContext* c = Form({599, 520}, "20080401", 'Y', 0);
  ASSERT_EQ(BuildPaymentCollectionForm(c), 1);
  EXPECT_EQ(RecordsWith("{28} {2} {14}Dues{2} {14}Fundraising{2} {14}Total").size(), 2u);
  EXPECT_EQ(RecordsWith("{28-}Scout {2} {14-}Owes/Paid{2} {14-}Owes/Paid{2} {14-}Owes/Paid").size(), 1u);
  // Anna owes three months of dues and the camp's first 10.00, less her
  // 10.00 paid once although she takes part in two schedules of 599; 520
  // has no schedule and stays an empty column.
  EXPECT_EQ(RecordsWith("{28}Smith, Anna")[0], "{28}Smith, Anna{2} {7r}  15.00{7}/_______{16} {2} {7r}  15.00{7}/_______");
  EXPECT_EQ(RecordsWith("{28}Kim, Evan{2} {7r}   5.00").size(), 1u);  // joined after two due dates
  EXPECT_EQ(RecordsWith("{28}Brown, Carl{2} {7r}  12.00").size(), 1u);  // with last year's 2.00
  EXPECT_EQ(RecordsWith("UNKNOWN Patrol").size(), 1u);
  EXPECT_EQ(RecordsWith("{28r}Patrol Totals:{2} {7r}  30.00").size(), 1u);
  EXPECT_EQ(RecordsWith("{28r}Patrol Totals:").size(), 3u);  // scouts only
  EXPECT_EQ(RecordsWith("{28r}Scout Totals:{2} {7r}  50.00").size(), 1u);
  EXPECT_EQ(RecordsWith("{28r}Member Totals:{2} {7r}  62.00{7}/_______{16} {2} {7r}  62.00").size(), 1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    EXPECT_NE(pages[0].find("Payment Collection Form"), std::string::npos);
    EXPECT_NE(pages[0].find("For April 01, 2008"), std::string::npos);
    EXPECT_NE(pages[0].find("Smith, Anna"), std::string::npos);
  }
}

TEST_F(CollectionFormTest, NothingOwedIsListedOnlyWhenAsked) {
  for (int zero : {0, 1}) {
    RptContext* c = Form({599}, "20080220", 'N', zero);
    ASSERT_EQ(BuildPaymentCollectionForm(c), 1);
    EXPECT_EQ(RecordsWith("{28}Kim, Evan{2} {7r}   0.00{7}/_______").size(), zero ? 1u : 0u);
    EXPECT_TRUE(RecordsWith("{14}Total").empty());
    EXPECT_TRUE(RecordsWith("Patrol").empty());
    EXPECT_EQ(RecordsWith("{28}Lee, Dana{2} {7r}  10.00{7}/_______").size(), 1u);  // no total column
    FreeRptTables();
  }
}

}  // namespace
