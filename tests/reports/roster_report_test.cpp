// Report 8 (roster) and report 10 (passbook balances) on the fixture year
// with members in two patrols and one without (RptYearTest::AddDuesYear).
#include "RptYear.h"
#include "reports/RosterReport.h"
#include "reports/RptPaging.h"
#include "store/MemberStore.h"

namespace {

class RosterReportTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    AddDuesYear();
    Change(fixture::kAnna, [](MemberRow& m) {
      SetText(m.address1, "12 Oak Lane");
      SetText(m.city, "Springfield");
      SetText(m.state, "IL");
      SetText(m.zip, "62701");
      SetText(m.homePhone, "555-1234");
      SetText(m.cellPhone, "555-9876");
      SetText(m.email, "anna@example.org");
      SetText(m.motherFirst, "Mary");
      SetText(m.motherLast, "Smith");
      SetText(m.fatherFirst, "Tom");
      SetText(m.fatherLast, "Smith");
    });
    Change(fixture::kCarl, [](MemberRow& m) {
      SetText(m.spouse, "Dora");
      SetText(m.workPhone, "555-0000");
    });
  }
  template <class F>
  void Change(int row, F f) {
    MemberRow m;
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
    f(m);
    ASSERT_EQ(ModifyMember(&m, row), 1);
  }
  RptContext* Roster(char order, int perPage, int extended) {
    RptContext* c = Run(8, extended ? kRptLandscapeWidth : kRptPortraitWidth);
    RptOptionD = 1 | 2;
    RptOrder = order;
    RptOptionG = perPage;
    RptOptionH = extended;
    return c;
  }
  RptContext* Balances(int types, char order, const char* to = "20081231") {
    RptContext* c = Run(10);
    RptOptionD = types;
    RptOrder = order;
    RptOptionG = 0;
    std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080101");
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "%s", to);
    return c;
  }
};

TEST_F(RosterReportTest, RosterBlocksAndAPagePerPatrol) {
  RptContext* c = Roster('Y', 1, 1);
  ASSERT_EQ(BuildRosterReport(c), 1);
  EXPECT_EQ(c->pageCount, 4);  // no patrol, Eagles, Hawks, adults
  const auto r = Records();
  auto at = std::find_if(r.begin(), r.end(), [](const std::string& s) { return s.find("Smith, Anna") != s.npos; });
  ASSERT_LE(at + 5, r.end());
  EXPECT_EQ(*at, "{29}{F1}Smith, Anna {F4}{2} {4}(h) {13}555-1234 {2}  {28}Mary Smith {2} {8}EMail: {40}anna@example.org ");
  EXPECT_EQ(*(at + 1), "{2} {27}12 Oak Lane {2}  {4}(c) {13}555-9876 {2}  {28}Tom Smith {52} ");
  EXPECT_NE((at + 2)->find("Springfield, IL"), std::string::npos);
  EXPECT_EQ(*(at + 3), " ");
  EXPECT_EQ(RecordsWith("{F1}{130.}UNKNOWN Patrol{F4}").size(), 1u);
  EXPECT_TRUE(RecordsWith("Adults Patrol").empty());  // adults get no heading
  const auto carl = RecordsWith("Brown, Carl");
  ASSERT_EQ(carl.size(), 1u);
  EXPECT_EQ(carl[0].substr(0, 39), "{44}{F1}Brown, Carl (Dora) {F4}{2} {25}");
  // The work phone without an extension keeps the extension's room blank.
  EXPECT_EQ(RecordsWith("{4}(w) {13}555-0000 {2} {8} ").size(), 1u);
  EXPECT_EQ(RecordsWith("{2} {57-}Extended Information").size(), 1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_NE(pages[1].find("Troop Roster"), std::string::npos);
    EXPECT_NE(pages[1].find("Eagles Patrol"), std::string::npos);
    EXPECT_NE(pages[1].find("anna@example.org"), std::string::npos);
    EXPECT_NE(pages[3].find("Brown, Carl (Dora)"), std::string::npos);
  }
}

TEST_F(RosterReportTest, UngroupedRosterShowsThePatrolInTheExtendedColumn) {
  RptContext* c = Roster('N', 0, 1);
  ASSERT_EQ(BuildRosterReport(c), 1);
  EXPECT_EQ(c->pageCount, 1);
  EXPECT_EQ(RecordsWith("{2} {8}Patrol: {40}Hawks ").size(), 1u);
  EXPECT_TRUE(RecordsWith("{130.}").empty());
}

TEST_F(RosterReportTest, PassbookBalancesWithReservesAndTotals) {
  fixture::SpendAnnaReserve(5000);
  RptContext* c = Balances(1 | 2 | 4, 'Y');
  ASSERT_EQ(BuildPassbookBalancesReport(c), 1);
  EXPECT_EQ(RecordsWith("{F1}{27}Scout {1} {9}Balance{1} {9}(Expense){1} {9}Balance{1} {9}Funds{1} {9}Funds{F4}").size(),
            1u);
  EXPECT_EQ(RecordsWith("{27}Jones, Ben{1} {9r}      0.00 {1} {9r}     60.00 {1} {9r}     60.00 {1} {9r}     50.00 {1} "
                        "{0} {9r}     10.00 {1} ")
                .size(),
            1u);
  const auto anna = RecordsWith("{27}Smith, Anna");
  ASSERT_EQ(anna.size(), 1u);
  EXPECT_NE(anna[0].find("{1}*{0}"), std::string::npos);
  EXPECT_EQ(anna[0].back(), '*');
  EXPECT_EQ(RecordsWith("(*) For at least one reserve account").size(), 1u);
  EXPECT_EQ(RecordsWith("{27r}Patrol Total:").size(), 3u);
  for (const char* label : {"{27r}Scout Totals:", "{27r}Adult Totals:", "{27r}Patrol Totals:", "{27r}Passbook Totals:"})
    EXPECT_EQ(RecordsWith(label).size(), 1u) << label;

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    for (const char* text : {"Passbook Balances", "Reserved", "Available", "Jones, Ben", "Passbook Totals:",
                             "spent more reserves"})
      EXPECT_NE(pages.back().find(text), std::string::npos) << text;
  }
}

TEST_F(RosterReportTest, PassbookBalancesOfScoutsOnTheirSecondDate) {
  // Evan joined after the second date: left out; no unit totals for one type.
  RptContext* c = Balances(1, 'N', "20080210");
  ASSERT_EQ(BuildPassbookBalancesReport(c), 1);
  EXPECT_TRUE(RecordsWith("Kim, Evan").empty());
  EXPECT_EQ(RecordsWith("Lee, Dana").size(), 1u);
  EXPECT_TRUE(RecordsWith("Passbook Totals:").empty());
}

}  // namespace

namespace {

TEST_F(RosterReportTest, AMembersBlockNeverRunsIntoTheFooter) {
  // How many body lines the first page (title and headers) and a later page
  // (headers) hold.
  RptContext* c = Roster('N', 0, 0);
  SetRptTitle(c, "Troop Roster", 0);
  SetRptColumnHeaders(c, {"{29-}Scout/Address"});
  ASSERT_TRUE(OpenRpt(c));
  WriteRptBlock(c, RPT_BLOCK_TITLE);
  WriteRptBlock(c, RPT_BLOCK_HEADERS);
  int first = 0, later = 0;
  for (; !RptPageFull(c, 1); ++first) WriteRptText(c, " ");
  EndRptPage(c, 0);
  WriteRptBlock(c, RPT_BLOCK_HEADERS);
  for (; !RptPageFull(c, 1); ++later) WriteRptText(c, " ");
  CloseRpt(c);
  FreeRptTables();

  // Blocks of five lines (three address lines, two phones, the blank line),
  // added one by one so that page ends fall at every line of a block.
  for (int i = 0; i < 24; ++i) {
    const std::string last = "Scout" + std::to_string(10 + i);
    const int row = AddPerson(0, last.c_str(), "Sam", "Hawks", "20070901");
    Change(row, [](MemberRow& m) {
      SetText(m.address1, "1 Long Road");
      SetText(m.address2, "Unit 2");
      SetText(m.city, "Springfield");
      SetText(m.homePhone, "555-0001");
      SetText(m.cellPhone, "555-0002");
    });
    if (i < 18) continue;
    c = Roster('N', 0, 0);
    ASSERT_EQ(BuildRosterReport(c), 1);
    const auto r = Records();
    std::vector<std::size_t> starts{0};
    for (std::size_t k = 0; k < r.size(); ++k)
      if (r[k] == "{ff}") starts.push_back(k + 1);
    starts.push_back(r.size() + 1);
    for (std::size_t p = 0; p + 1 < starts.size(); ++p) {
      // Title (3 records, page 1 only), headers, body, three footer lines.
      const std::size_t body = starts[p + 1] - 1 - starts[p] - (p == 0 ? 3 : 0) - 1 - 3;
      EXPECT_LE(body, static_cast<std::size_t>(p == 0 ? first : later)) << i << " page " << p + 1;
    }
    FreeRptTables();
  }
}

}  // namespace
