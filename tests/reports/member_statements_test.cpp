// The member statements 9, 17, 20 and 29 with their head (window envelope
// or plain) and the label name lines, on the fixture year with dues
// (RptYearTest::AddDuesYear).
#include "RptYear.h"
#include "reports/LabelNames.h"
#include "reports/MemberHead.h"
#include "reports/MemberStatements.h"
#include "reports/RptPaging.h"

namespace {

std::string At(const char* format, double x, double y) {
  char text[64];
  std::snprintf(text, sizeof text, format, x, y);
  return text;
}

class MemberStatementsTest : public RptYearTest {
 protected:
  void SetUp() override {
    RptYearTest::SetUp();
    AddDuesYear();
    MemberRow m;
    ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, fixture::kAnna), 1);
    SetText(m.address1, "12 Oak Lane");
    SetText(m.city, "Springfield");
    SetText(m.state, "IL");
    SetText(m.zip, "62701");
    SetText(m.homePhone, "555-1234");
    SetText(m.email, "anna.smith.of.the.eagles@example.org");
    ASSERT_EQ(ModifyMember(&m, fixture::kAnna), 1);
  }
  RptContext* Statement(int id, std::initializer_list<int> members, std::initializer_list<int> accounts,
                        int format = 0) {
    RptContext* c = Run(id);
    ScoutListCount = 0;
    for (int row : members) ScoutList[static_cast<std::size_t>(ScoutListCount++)] = row;
    ChooseAccounts(accounts);
    std::memset(RptAddressLines, 0, sizeof RptAddressLines);
    const char* lines[] = {"Troop 123", "12 Oak Lane", "Springfield, IL 62701", "troop123@example.org"};
    for (int i = 0; i < 4; ++i) std::snprintf(RptAddressLines[i], sizeof RptAddressLines[i], "%s", lines[i]);
    RptOptionG = format;
    RptOrder = 'N';
    RptOptionA = 0;
    RptOptionB = 1;
    RptOptionH = 0;
    std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080101");
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
    return c;
  }
  double H(int font) const { return ctx_->fontHeight[font] / 100.0; }
};

TEST_F(MemberStatementsTest, IncomeExpenseTotalsWithTheWindowEnvelopeHead) {
  RptContext* c = Statement(9, {fixture::kAnna, fixture::kBen}, {520, 710});
  ASSERT_EQ(BuildMemberStatements(c), 1);
  EXPECT_EQ(c->pageCount, 2);
  EXPECT_EQ(RecordsWith("r}Page 1").size(), 2u);  // each statement numbers its own pages
  const double L = c->leftMargin, T = c->topMargin;
  // Frames and items stay at their places on the paper whatever the margins.
  EXPECT_EQ(RecordsWith(At("{+%f,%f}{34,3-}", 0.7 - L, 0.7 - T)).size(), 2u);
  EXPECT_EQ(RecordsWith(At("{+%f,%f}{94.}", 0 - L, 3.667 - T)).size(), 2u);
  EXPECT_EQ(RecordsWith("{F0}" + At("{+%f,%f}", 0.7 - L + 0.125, 0.7 - T + 4 * H(0)) + "troop123@example.org").size(),
            2u);
  EXPECT_EQ(RecordsWith("{F4}" + At("{+%f,%f}", 1.025 - L, 2.25 - T + 1 * H(4)) + "Smith, Anna").size(), 1u);
  EXPECT_EQ(RecordsWith("{F4}" + At("{+%f,%f}", 1.025 - L, 2.25 - T + 3 * H(4)) + "Springfield, IL 62701").size(), 1u);
  // The e-mail wraps at 28 characters below "Email:".
  EXPECT_EQ(RecordsWith("{8}Email:{F4}{30}anna.smith.of.the.eagles@exa ").size(), 1u);
  EXPECT_EQ(RecordsWith("{8} {30}mple.org ").size(), 1u);
  EXPECT_EQ(RecordsWith("{4}520{26}Fundraising{3} {8r}    40.00 {3} {8r} {3} {8r} ").size(), 1u);
  EXPECT_EQ(RecordsWith("{4}520{26}Fundraising{3} {8r}    60.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{41.}Current Balance{3} {8r}    40.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{52.}Opening Reserve Balance{3} {8r}    30.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("Available Funds (Current Balance-Reserve Balance){3} {8r}    10.00 {1} ").size(), 2u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    ASSERT_EQ(pages.size(), 2u);
    for (const char* text : {"Scout Income/Expense Totals", "Troop 123", "Smith, Anna", "Springfield, IL 62701",
                             "Joined:", "Fundraising", "Current Balance", "Page 1"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
    EXPECT_NE(pages[1].find("Jones, Ben"), std::string::npos);
    EXPECT_NE(pages[1].find("Page 1"), std::string::npos);
  }
}

TEST_F(MemberStatementsTest, SharesOnlyOnOtherAccounts) {
  RptContext* c = Statement(9, {fixture::kBen}, {620}, 3);
  ASSERT_EQ(BuildMemberStatements(c), 1);
  EXPECT_EQ(RecordsWith("*** No activity was found for selected accounts ***").size(), 1u);
  EXPECT_EQ(RecordsWith("{41.}Net Income/(Loss) - Other Accounts{3} {8r}    60.00 ").size(), 1u);
  EXPECT_TRUE(RecordsWith("Reserve").empty());  // no reserve account chosen
  EXPECT_EQ(RecordsWith("{F1}{1} {8}Scout:{F4}{31}Jones, Ben {F1}{6}Phone{4}(h):{F4}{25}").size(), 1u);
}

TEST_F(MemberStatementsTest, TransactionDetailsOfAPeriodWithReserves) {
  fixture::SpendAnnaReserve(5000);
  RptContext* c = Statement(17, {fixture::kAnna}, {520, 620, 710}, 3);
  std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080211");  // the popcorn sale is before it
  ASSERT_EQ(BuildMemberStatements(c), 1);
  EXPECT_TRUE(RecordsWith("Fundraising").empty());
  EXPECT_EQ(RecordsWith("{9}05/10/08{1} {4}620{26}Camping{3} {8r}        {3} {8r}    50.00 {3} {8r}        ").size(),
            1u);
  EXPECT_EQ(RecordsWith("{9}05/10/08{1} {4}710{26}Camp Reserve{3} {8r}        {3} {8r}        {3} {8r}(   50.00)")
                .size(),
            1u);
  EXPECT_EQ(RecordsWith("{51.}Opening Balance{3} {8r}    40.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{62.}Current Reserve Balance{3} {8r}(   20.00){1}*").size(), 1u);
  EXPECT_EQ(RecordsWith("(*) For at least one reserve account").size(), 1u);
  const auto pages = PrintedPages();
  if (!pages.empty()) {
    for (const char* text : {"Scout Transaction Details", "February 11, 2008 - December 31, 2008", "Camp Reserve",
                             "Current Reserve Balance", "Totals"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
  }
}

TEST_F(MemberStatementsTest, ReserveTotalsMarkANegativeReserve) {
  fixture::SpendAnnaReserve(5000);
  RptContext* c = Statement(29, {fixture::kAnna, fixture::kCarl}, {}, 3);
  ASSERT_EQ(BuildMemberStatements(c), 1);
  EXPECT_EQ(RecordsWith("{4}710{26}Camp Reserve{3} {8r}    30.00 {3} {8r}(   50.00){3} {8r}(   20.00){1}*").size(),
            1u);
  EXPECT_EQ(RecordsWith("(*) A negative reserve balance is unusual").size(), 1u);
  EXPECT_EQ(RecordsWith("*** No activity was found for reserve accounts ***").size(), 1u);  // Carl
  EXPECT_EQ(RecordsWith("{F3}{77=}Adult Reserve Totals").size(), 1u);
  const auto pages = PrintedPages();
  if (!pages.empty()) {
    ASSERT_EQ(pages.size(), 2u);
    for (const char* text : {"Scout Reserve Totals", "Camp Reserve", "Reserved Funds", "Available Funds",
                             "A negative reserve balance is unusual"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
    EXPECT_NE(pages[1].find("No activity was found for reserve accounts"), std::string::npos);
  }
}

TEST_F(MemberStatementsTest, PaymentDetailsPerScheduleWithTheirPayments) {
  RptContext* c = Statement(20, {fixture::kAnna, fixture::kBen, evan_}, {599});
  ASSERT_EQ(BuildMemberStatements(c), 1);
  EXPECT_EQ(c->pageCount, 3);
  EXPECT_EQ(RecordsWith("r}Page 1").size(), 3u);
  EXPECT_EQ(RecordsWith("{8}01/01/08{1} {8r}     5.00 {3} {8}01/20/08{1} {8r}    10.00 {3} {12}Cash").size(), 1u);
  // Evan joined on February 15: his statement starts with the March dues.
  const auto r = Records();
  auto evan = std::find_if(r.begin(), r.end(), [](const std::string& s) { return s.find("Kim, Evan") != s.npos; });
  ASSERT_NE(evan, r.end());
  EXPECT_EQ(std::count_if(evan, r.end(), [](const std::string& s) { return s.find("{8}0") == 0; }), 1);
  EXPECT_EQ(RecordsWith("{37-}Selected Accounts").size(), 1u);  // only Anna is in two schedules
  EXPECT_EQ(RecordsWith("{9.}Total{8r}    50.00 {12} {8r}    20.00 ").size(), 1u);
  EXPECT_EQ(RecordsWith("{27.}Total Due{2} {8r}    30.00 ").size(), 1u);

  const auto pages = PrintedPages();
  if (!pages.empty()) {
    ASSERT_EQ(pages.size(), 3u);
    for (const char* text : {"Member Payment Details", "Monthly Dues (599 - Dues)", "Scheduled Payment", "Cash",
                             "Amount Due"})
      EXPECT_NE(pages[0].find(text), std::string::npos) << text;
  }
}

TEST_F(MemberStatementsTest, FiveMailingLinesUseTheSmallFontRaised) {
  RptContext* c = Run(9);
  SetRptTitle(c, "Head", 0);
  ASSERT_TRUE(OpenRpt(c));
  MemberRow m;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, fixture::kAnna), 1);
  SetText(m.address2, "Apt 4");
  ASSERT_EQ(WriteMemberAddressBlock(c, m, 2), 1);
  CloseRpt(c);
  const double L = c->leftMargin, T = c->topMargin;
  EXPECT_EQ(RecordsWith("{F0}" + At("{+%f,%f}", 1.025 - L, 2.15 - T + H(4)) + "Parents/Guardians of").size(), 1u);
  EXPECT_EQ(RecordsWith("{F0}" + At("{+%f,%f}", 1.025 - L, 2.15 - T + 5 * H(4)) + "Springfield, IL 62701").size(), 1u);
}

TEST(LabelNamesTest, NameLinesByModeThenTheAddress) {
  struct Case {
    int type, mode;
    const char *fatherFirst, *fatherLast, *motherFirst, *motherLast;
    std::vector<std::string> names;
  } cases[] = {
      {0, 0, "", "", "", "", {"Smith, Anna"}},
      {0, 2, "", "", "", "", {"Parents/Guardians of", "Smith, Anna"}},
      {0, 3, "", "", "", "", {}},
      {0, 1, "Tom", "", "Mary", "Smith", {"Tom & Mary Smith"}},
      {0, 1, "Tom", "Smith", "", "", {"Tom Smith"}},
      {0, 1, "", "", "", "", {"Smith"}},
      {0, 1, "Tom", "Smith", "Mary", "Jones", {"Tom Smith &", "Mary Jones"}},
      {0, 1, "", "Brown", "", "Jones", {"Brown & Jones"}},
      {1, 1, "Tom", "Smith", "", "", {"Smith, Anna"}},  // only scouts have parents
  };
  for (const Case& k : cases) {
    MemberRow m;
    std::memset(&m, 0, sizeof m);
    m.type = k.type;
    SetText(m.firstName, "Anna");
    SetText(m.lastName, "Smith");
    SetText(m.fatherFirst, k.fatherFirst);
    SetText(m.fatherLast, k.fatherLast);
    SetText(m.motherFirst, k.motherFirst);
    SetText(m.motherLast, k.motherLast);
    SetText(m.address2, "PO Box 7");
    SetText(m.city, "Springfield");
    std::vector<std::string> lines{"stale"};
    BuildLabelNames(m, k.mode, lines);
    std::vector<std::string> expected = k.names;
    expected.push_back("PO Box 7");
    expected.push_back("Springfield");
    EXPECT_EQ(lines, expected) << k.mode << " " << k.fatherFirst << k.fatherLast;
  }
}

}  // namespace
