// Reports 14/21 (payment status), 32 (schedule tracker) and 28 (schedule
// list) on the fixture year with dues in two patrols (RptYearTest::AddDuesYear).
#include "RptYear.h"
#include "reports/ScheduleReports.h"

namespace {

class ScheduleReportsTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    AddDuesYear();
  }
  RptContext* Status(int id, int types, char order, int perPage = 0) {
    RptContext* c = Run(id, id == 32 ? kRptLandscapeWidth : kRptPortraitWidth);
    ChooseAccounts({599});
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "20080331");
    RptOptionD = types;
    RptOrder = order;
    RptOptionG = perPage;
    return c;
  }
};

TEST_F(ScheduleReportsTest, PaymentStatusGroupsScoutsByPatrolWithTotals) {
  RptContext* c = Status(21, 1 | 2, 'Y');
  ASSERT_EQ(BuildPaymentStatusReport(c), 1);
  EXPECT_EQ(RecordsWith("{F1}{77-}599-Dues  (6 participants){F4}").size(), 1u);
  // Anna: 3 x 5.00 dues and 10.00 camp fee; her 10.00 counted once.
  EXPECT_EQ(RecordsWith("{31}Smith, Anna{2} {14} {2} {8r}    25.00 {2} {8r}    10.00 {2} {8r}    15.00 ").size(), 1u);
  // Evan joined after two due dates; Carl owes last year's 2.00 too.
  EXPECT_EQ(RecordsWith("{31}Kim, Evan{2} {14} {2} {8r}     5.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{31}Brown, Carl{2} {14} {2} {8r}    12.00 ").size(), 1u);
  const auto r = Records();
  std::vector<std::string> headings;
  for (const auto& line : r)
    if (line.find("{77.}") != std::string::npos) headings.push_back(line);
  EXPECT_EQ(headings, (std::vector<std::string>{"{F1}{77.}UNKNOWN Patrol{F4}", "{F1}{77.}Eagles Patrol{F4}",
                                                "{F1}{77.}Hawks Patrol{F4}"}));
  EXPECT_EQ(RecordsWith("Patrol Total:").size(), 3u);
  EXPECT_EQ(RecordsWith("{14r}Scouts' Totals:{2} {8r}    60.00 {2} {8r}    10.00 {2} {8r}    50.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{14r}Adults' Totals:").size(), 1u);
  EXPECT_EQ(RecordsWith("{14r}Participant Totals:{2} {8r}    72.00 {2} {8r}    10.00 {2} {8r}    62.00 ").size(),
            1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    for (const char* text : {"Scheduled Payment Status", "As of March 31, 2008", "599-Dues", "Hawks Patrol",
                             "Smith, Anna", "Participant Totals:"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
  }
}

TEST_F(ScheduleReportsTest, DuesStatusOfAdultsOnlyHasNoParticipantTotals) {
  RptContext* c = Status(14, 2, 'N');
  ASSERT_EQ(BuildPaymentStatusReport(c), 1);
  EXPECT_EQ(c->titleText, std::string("Dues Status"));
  EXPECT_TRUE(RecordsWith("Smith, Anna").empty());
  EXPECT_EQ(RecordsWith("Adults' Totals:").size(), 1u);
  EXPECT_TRUE(RecordsWith("Participant Totals:").empty());
}

TEST_F(ScheduleReportsTest, TrackerMarksPaidAndOpenPaymentsPerSchedule) {
  RptContext* c = Status(32, 1 | 2, 'Y');
  ASSERT_EQ(BuildScheduleTrackerReport(c), 1);
  EXPECT_EQ(RecordsWith("Payments: 2 at mixed amounts").size(), 1u);
  EXPECT_EQ(RecordsWith("Payments: 3 at $5.00").size(), 1u);
  // Dues: Anna's 10.00 covers two payments; Evan's first two are before he joined.
  EXPECT_EQ(RecordsWith("{30} Smith, Anna{2} {14} {2} {8}01/01p {1} {8}02/01p {1} {8}03/01__").size(), 1u);
  EXPECT_EQ(RecordsWith("{30} Kim, Evan{2} {14} {2} {8}..........{1} {8}..........{1} {8}03/01__").size(), 1u);
  // Camp fee with mixed amounts: four to a row, with their amounts.
  EXPECT_EQ(RecordsWith("{30}*Brown, Carl{2} {14} {2} {19}01/15  $10.00__{1} {19}04/15  $25.00__").size(), 1u);
  EXPECT_EQ(RecordsWith("{F1}{130.}Adults{F4}").size(), 1u);
  EXPECT_EQ(RecordsWith("{F1}{130.}Hawks Patrol{F4}").size(), 1u);

  // A rebuild is grouped as the first build was.
  ClearRptActivity();
  ASSERT_TRUE(PrepareRptBuild(c));
  ASSERT_EQ(BuildScheduleTrackerReport(c), 1);
  EXPECT_EQ(RecordsWith("{F1}{130.}Hawks Patrol{F4}").size(), 1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    for (const char* text : {"Schedule Tracker", "Schedule: Camp Fee", "Schedule: Monthly Dues", "Scheduled Payments"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
  }
}

TEST_F(ScheduleReportsTest, ScheduleListWithParticipants) {
  RptContext* c = Run(28);
  RptOrder = 'A';
  RptOptionE = 'Y';
  RptOptionG = 0;
  ASSERT_EQ(BuildScheduleListReport(c), 1);
  const auto r = Records();
  std::vector<std::string> names;
  for (const auto& line : r)
    if (line.find("(Income Account:  599 - Dues)") != std::string::npos) names.push_back(line);
  EXPECT_EQ(names, (std::vector<std::string>{"{F1}{77}Camp Fee  (Income Account:  599 - Dues){F4}",
                                             "{F1}{77}Monthly Dues  (Income Account:  599 - Dues){F4}",
                                             "{F1}{77}Spare  (Income Account:  599 - Dues){F4}"}));
  EXPECT_EQ(RecordsWith("01/15  $10.00     04/15  $25.00  ").size(), 1u);
  EXPECT_EQ(RecordsWith("{29}*Brown, Carl{3} {14} {3} {8r}$    2.00 {3} {8r}$    0.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{34}*** No participants identified ***").size(), 1u);
  const auto pages = PrintedPages();
  if (!pages.empty()) {
    for (const char* text : {"Schedule List", "Init Owed", "Spare", "No participants identified"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
  }
}

}  // namespace
