// Report 13 on the fixture year with members in two patrols and one without
// (RptYearTest::AddDuesYear); Ben has left the unit.
#include "RptYear.h"
#include "reports/WorksheetReport.h"
#include "store/MemberStore.h"

namespace {

class WorksheetReportTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    AddDuesYear();
    MemberRow m;
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, fixture::kBen), 1);
    m.status = 1;
    ASSERT_EQ(ModifyMember(&m, fixture::kBen), 1);
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, fixture::kAnna), 1);
    SetText(m.homePhone, "555-1234");
    ASSERT_EQ(ModifyMember(&m, fixture::kAnna), 1);
  }
  RptContext* Sheet(int width, int types, char order, int perPage, std::initializer_list<const char*> heads) {
    RptContext* c = Run(13, width);
    std::snprintf(RptUserTitle, sizeof RptUserTitle, "Camp {Sign-up}");
    for (auto& h : RptColumnHeads) h[0] = '\0';
    int i = 0;
    for (const char* h : heads) std::snprintf(RptColumnHeads[i++], sizeof RptColumnHeads[0], "%s", h);
    RptOptionD = types;
    RptOrder = order;
    RptOptionG = perPage;
    return c;
  }
};

TEST_F(WorksheetReportTest, FilledHeadingsOnlyAndActiveMembers) {
  // Headings 1, 3 and 5 filled, and a sixth one a narrow sheet cannot hold.
  RptContext* c = Sheet(kRptPortraitWidth, 1 | 2 | 4, 'N', 0, {"Paid", "", "Tent", "", "Food", "Bus"});
  ASSERT_EQ(BuildWorksheet(c), 1);
  EXPECT_EQ(RecordsWith("{29} {1} {9}Paid {1} {9}Tent {1} {9}Food ").size(), 3u);  // one per member kind
  EXPECT_TRUE(RecordsWith("Bus").empty());
  EXPECT_EQ(RecordsWith("{28-}Scout / Phone{1} {1} {9-}{1} {9-}{1} {9-}").size(), 1u);
  EXPECT_EQ(RecordsWith("{28-}Adult / Phone{1} ").size(), 1u);
  EXPECT_EQ(RecordsWith("{29-}Patrol {1} {9-}").size(), 1u);
  EXPECT_EQ(RecordsWith("{30}Smith, Anna").size(), 1u);
  EXPECT_EQ(RecordsWith("{4} {14}555-1234 {11} {1} {9-}{1} {9-}{1} {9-}").size(), 1u);
  EXPECT_TRUE(RecordsWith("Ben").empty());  // left the unit
  EXPECT_TRUE(RecordsWith("Patrol{F4}").empty());  // no grouping, no headings
  const auto pages = PrintedPages();
  if (!pages.empty()) {
    EXPECT_NE(pages[0].find("Camp (Sign-up}"), std::string::npos);
    EXPECT_NE(pages[0].find("Tent"), std::string::npos);
    EXPECT_NE(pages[0].find("Smith, Anna"), std::string::npos);
  }
}

TEST_F(WorksheetReportTest, NoHeadingsAndAPagePerPatrol) {
  RptContext* c = Sheet(kRptPortraitWidth, 1 | 2, 'Y', 1, {});
  ASSERT_EQ(BuildWorksheet(c), 1);
  for (const std::string& r : RecordsWith("{29} ")) EXPECT_EQ(r, "{F1}{29} {F4}");
  EXPECT_EQ(RecordsWith("{4} {14}").size(), RecordsWith("{30}").size());
  // No patrol, Eagles, Hawks, then the adults under "Adults": each after the
  // first on a page of its own.
  EXPECT_EQ(RecordsWith("UNKNOWN Patrol").size(), 1u);
  EXPECT_EQ(RecordsWith("{77.}Adults{F4}").size(), 1u);
  EXPECT_EQ(c->pageCount, 4);
}

}  // namespace
