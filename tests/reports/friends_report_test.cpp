// Report 12 on the fixture year's two friends (Miller first in the file,
// Adams with the larger total).
#include "RptYear.h"
#include "reports/FriendsReport.h"
#include "store/OtherStores.h"

namespace {

class FriendsReportTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    FriendRecord f;
    ASSERT_EQ(ReadRecord(FriendFile, f, 0), 1);
    ASSERT_STREQ(f.lastName, "Miller");
    SetText(f.city, "Springfield");
    for (int i = 0; i < 4; ++i) {
      SetText(f.phones[i].number, ("555-000" + std::to_string(i)).c_str());
      f.phones[i].type = 10 * (i + 1);
    }
    SetText(f.phones[1].extension, "12");
    SetText(f.remarks, "Scholarship-1990 {camp}-sponsors! Calls-each-March");
    for (int i = 0; i < 4; ++i) SetText(f.yearLabels[i], ("200" + std::to_string(5 + i)).c_str());
    f.yearAmounts[0] = 1250;  // prints as 13
    f.yearAmounts[3] = 6249;
    ASSERT_EQ(ModifyFriend(&f, 0), 1);
  }
  RptContext* Friends(char order, int spacing, int donations) {
    RptContext* c = Run(12);
    RptOrder = order;
    RptOptionC = spacing;
    RptOptionH = donations;
    return c;
  }
};

TEST_F(FriendsReportTest, LinesRemarksAndDonationTotals) {
  RptContext* c = Friends('A', 2, 1);
  ASSERT_EQ(BuildFriendsReport(c), 1);
  const auto r = Records();
  auto at = std::find_if(r.begin(), r.end(), [](const std::string& s) { return s.find("Miller, Dana") != s.npos; });
  ASSERT_LE(at + 8, r.end());
  EXPECT_EQ(*at, "{F1}{28}Miller, Dana {F4}{1} {3}h: {17}555-0000  {1} {6r}     13 {1} {6r}      0 {1} {6r}      0 "
                 "{1} {6r}     62 ");
  // The city alone stands in the first address column, the telephone
  // numbers run down their column, every remark line is printed (the third
  // beside empty address and telephone columns) and braces in data never
  // open mark-up.
  EXPECT_EQ(*(at + 1), "{2} {26}Springfield {1}  {3}w: {17}555-0001 x12  {1} {32}Scholarship-1990 ");
  EXPECT_EQ(*(at + 2), "{29} {3}c: {17}555-0002  {1} {32}(camp}-sponsors! ");
  EXPECT_EQ(*(at + 3), "{29} {3}f: {17}555-0003  {1} {32}Calls-each-March ");
  EXPECT_EQ(*(at + 4), " ");
  EXPECT_EQ(*(at + 5), " ");
  EXPECT_EQ(*(at + 6), "{50} {6-}{1} {6-}{1} {6-}{1} {6-}");
  EXPECT_EQ(*(at + 7), "{29} {20.}Total{1} {6r}     13 {1} {6r}      0 {1} {6r}      0 {1} {6r}     62 ");
  // Adams (nothing but a name) comes first by name and takes one line.
  const auto adams = RecordsWith("Adams, Eve");
  ASSERT_EQ(adams.size(), 1u);
  EXPECT_LT(std::find(r.begin(), r.end(), adams[0]), at);
  EXPECT_EQ(*(std::find(r.begin(), r.end(), adams[0]) + 1), " ");
  EXPECT_EQ(RecordsWith("{28-}Name / Address{1} {20-}Phone Numbers{1} {6-}2005{1} {6-}2006{1} {6-}2007{1} {6-}2008")
                .size(),
            1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    EXPECT_NE(pages[0].find("Friends of Scouting"), std::string::npos);
    EXPECT_NE(pages[0].find("Miller, Dana"), std::string::npos);
    EXPECT_NE(pages[0].find("2008"), std::string::npos);
  }
}

TEST_F(FriendsReportTest, WithoutDonationsNoHeadingsOrTotalsAndOrderByTotal) {
  RptContext* c = Friends('T', 1, 0);
  ASSERT_EQ(BuildFriendsReport(c), 1);
  EXPECT_TRUE(RecordsWith("Donations").empty());
  EXPECT_TRUE(RecordsWith("Total").empty());
  EXPECT_TRUE(RecordsWith("Gives every").empty());
  const auto r = Records();
  auto adams = std::find_if(r.begin(), r.end(), [](const std::string& s) { return s.find("Adams, Eve") != s.npos; });
  auto miller = std::find_if(r.begin(), r.end(), [](const std::string& s) { return s.find("Miller, Dana") != s.npos; });
  ASSERT_NE(adams, r.end());
  EXPECT_LT(adams, miller);  // the larger total first
  EXPECT_EQ(*(adams + 1), " ");  // single spacing
  EXPECT_EQ(*(adams + 2), *miller);
}

}  // namespace
