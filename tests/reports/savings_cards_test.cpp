// Report 33 on the dues year of RptYearTest::AddDuesYear: monthly dues of
// 5.00 on January 1, February 1 and March 1 (Anna, who paid 10.00, Ben,
// Dana and Evan, who joined February 15) and the camp fee of 10.00 and
// 25.00 (Anna and Carl) on 599.
#include "RptYear.h"
#include "reports/SavingsCards.h"

namespace {

class SavingsCardsTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    AddDuesYear();
  }
  RptContext* Cards(int classic, int unitCards) {
    RptContext* c = Run(33);
    ChooseAccounts({599});
    ScoutListCount = 0;
    for (int row = 0; row < MemberTable.rowCount; ++row) ScoutList[static_cast<std::size_t>(ScoutListCount++)] = row;
    RptOptionG = classic;
    RptOptionB = unitCards;
    RptOrder = 'N';
    return c;
  }
};

TEST_F(SavingsCardsTest, ClassicCardsPairAcrossSchedulesWithNumberedBoxes) {
  RptContext* c = Cards(1, 0);
  ASSERT_EQ(BuildSavingsCards(c), 1);
  // Camp fee: Anna's 10.00 covers the first box; Carl's old debt leaves his
  // boxes unmarked. Monthly dues: Evan joined after two due dates, so box 3
  // keeps its number; Anna's 10.00 marks two boxes.
  EXPECT_EQ(RecordsWith("{1} {3}p {3}02{3}..").size(), 1u);
  EXPECT_EQ(RecordsWith("{1} {3}..{3}..{3}03{3}..").size(), 1u);
  EXPECT_EQ(RecordsWith("{1} {3}p {3}p {3}03{3}..").size(), 1u);
  // Six cards, two to a row.
  EXPECT_EQ(RecordsWith("{F4}{37,20=}{3} {F4}{37,20=}{3} ").size(), 3u);
  EXPECT_EQ(RecordsWith("punched is a varied amount.  Bring").size(), 1u);
  EXPECT_EQ(RecordsWith("punched amounts to $5.00.  Bring").size(), 2u);
  EXPECT_EQ(RecordsWith("{1} {3}..{30c}{F1}{30c}Anna Smith{F4} {2}..{4} ").size(), 2u);
  const auto pages = PrintedPages();
  if (!pages.empty()) {
    EXPECT_NE(pages[0].find("Personal Savings Card"), std::string::npos);
    EXPECT_NE(pages[0].find("Anna Smith"), std::string::npos);
  }
}

TEST_F(SavingsCardsTest, DatedCardsBesideTheUnitsRecord) {
  RptContext* c = Cards(0, 1);
  ASSERT_EQ(BuildSavingsCards(c), 1);
  // Varying amounts up to 25.00: boxes of the amount's width, three to a row.
  EXPECT_EQ(RecordsWith("{1} {12}01/15 $10.00p  {12}04/15 $25.00__ {15} {1} {12}01/15 $10.00p  {12}04/15 $25.00__ {15} ")
                .size(),
            1u);
  // Equal amounts: 6 wide with a gap of 1.
  EXPECT_EQ(RecordsWith("{1} {7}.. {7}.. {7}03/01__ {18} ").size(), 1u);
  EXPECT_EQ(RecordsWith("{F1}{8}Amount:{F4}{27}$5.00 (1 @ $5.00){4} ").size(), 1u);
  EXPECT_EQ(RecordsWith("{1} {F1}{35c}Personal Savings Card{F4}{4} {1} {F1}{35c}Troop Savings Record{F4}{4} ").size(),
            6u);
}

TEST_F(SavingsCardsTest, BoxesHoldLargeAmountsAndOneBoxPerRow) {
  // A schedule whose amounts reach thousands of dollars: one box to a row,
  // with no gap, and the whole amount in the box.
  ASSERT_EQ(OpenScheduleFiles(), 1);
  auto slots = std::make_unique<ParticipantRecord[]>(kMemberSlots);
  ScheduleRecord trip;
  trip.account = 599;
  SetText(trip.name, "Trip");
  trip.amounts[0] = 1234567890;
  SetText(trip.dueDates[0], "20080301");
  trip.amounts[1] = 100;
  SetText(trip.dueDates[1], "20080401");
  slots[fixture::kBen].scheduleRow = 3;
  slots[fixture::kBen].memberRow = fixture::kBen;
  ASSERT_EQ(AddSchedule(&trip, slots.get(), nullptr), 1);
  CloseScheduleFiles();
  RptContext* c = Cards(0, 0);
  ASSERT_EQ(BuildSavingsCards(c), 1);
  EXPECT_EQ(RecordsWith("{1} {17}03/01 $12345678.90__ {22} ").size(), 1u);
  EXPECT_EQ(RecordsWith("{1} {17}04/01 $1.00__ {22} ").size(), 1u);
}

}  // namespace
