// Report 4 on the fixture year.
#include <algorithm>
#include <memory>

#include "FinReportTestSupport.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

namespace {

class AccountDetailTest : public FinReportTest {
 protected:
  void SetUp() override {
    FinReportTest::SetUp();
    std::snprintf(RptFirstDate, sizeof RptFirstDate, "20080101");
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
    RptOptionE = 'A';
    RptOptionF = 'B';
    RptTransOrder = 'C';
  }
  // The section of one account: from its heading to its blank last line.
  static std::vector<std::string> Section(const std::vector<std::string>& body, const std::string& heading) {
    auto from = std::find(body.begin(), body.end(), "{F1}{130=}" + heading + "{F4}");
    if (from == body.end()) return {};
    auto to = std::find(from, body.end(), " ");
    return std::vector<std::string>(from, to == body.end() ? to : to + 1);
  }
  // A deposit of 90.00 to checking spread over three support accounts.
  static void PostFairDeposit() {
    auto d = std::make_unique<TransactionDetail>();
    TransactionRecord& t = fixture::StartTransaction(*d, NextTransId++, 5, "20080607", 1, 9000, "DEP2", "Troop fair");
    t.multiLine = 1;
    SetText(t.remarks, "Spring fair at the school");
    const int accounts[3] = {520, 599, 201};
    const int amounts[3] = {5000, 3000, 1000};
    for (int i = 0; i < 3; ++i) {
      d->lines[i].account = accounts[i];
      d->lines[i].amount = amounts[i];
      d->lines[i].factor = SignedAmountByType('A', 1, accounts[i]);
    }
    SetText(d->lines[2].remarks, "Savings part");
    ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  }
};

const char* const kColumns =
    "{F1}{F4}{9-}Date{2} {32-}Account{1} {13-}Trans{2} {29-}Description{2} {11-}Amount{2} {5-}Clr{2} {20-}Remarks{F4}";

TEST_F(AccountDetailTest, CheckingWithReserveNoteSplitAndManySupportAccounts) {
  PostFairDeposit();
  Choose({101});
  const auto body = Build(4, BuildAccountDetailReport, kRptLandscapeWidth);
  const std::vector<std::string> expected = {
      "{F1}{130=}101 Checking (Checking){F4}",
      kColumns,
      "{59} {29.}Opening Balance{2} {11r}  1000.00 ",
      "{9}02/10/08{2}  {4}520 {28}Fundraising{1} {5}Dep {8}DEP1{2} {29}Popcorn sale {2} {11r}   100.00 {2} {5}No {2} "
      "{17} ",
      "{59} {18-}Passbook Split{33} {8}Troop: {9r}    0.00 ",
      "{61} {29} Jones, Ben {20} {8}Share: {9r}   60.00 ",
      "{61} {29} Smith, Anna {20} {8}Share: {9r}   40.00 ",
      "{9}03/05/08{2}  {4}620 {28}Camping{1} {5}W/D {8}1001{2} {29}Camp store {2} {11r}(   50.00){2} {5}No {2} {17} ",
      "{15} {3}710{1} {35}Camp Reserve (Reserve)",
      "{9}04/12/08{2}  {4}399 {28}Equipment{1} {5}W/D {8}1002{2} {29}Outfitters {2} {11r}(   80.00){2} {5}No {2} "
      "{17}Canoe",
      // The whole deposit once, its shares below it: they make the balance.
      "{9}06/07/08{2} {32}Multiple Accounts{1} {5}Dep {8}DEP2{2} {29}Troop fair {2} {11r}    90.00 {2} {5}No {2} "
      "{17}Spring fair at",
      "{110} {17}the school",
      "{9} {2}  {4}520 {28}Fundraising{1} {5} {8} {2} {18}Acct share: {11r}    50.00  {2} {11r} {2} {5} {2} {17} ",
      "{9} {2}  {4}599 {28}Dues{1} {5} {8} {2} {18}Acct share: {11r}    30.00  {2} {11r} {2} {5} {2} {17} ",
      "{9} {2}  {4}201 {28}Savings{1} {5} {8} {2} {18}Acct share: {11r}    10.00  {2} {11r} {2} {5} {2} "
      "{17}Savings part",
      "{59} {29.}Closing Balance{2} {11r}  1060.00 ",
      " "};
  EXPECT_EQ(body, expected);
}

TEST_F(AccountDetailTest, SupportAndReserveSidesAndTheEquipmentAccount) {
  PostFairDeposit();
  Choose({201, 399, 710});
  RptOrder = 'A';  // Camp Reserve, Equipment, Savings
  const auto body = Build(4, BuildAccountDetailReport, kRptLandscapeWidth);
  EXPECT_EQ(body.front(), "{F1}{130=}710 Camp Reserve (Reserve){F4}");
  // The reserve side of the camping check, with its support account noted.
  EXPECT_EQ(Section(body, "710 Camp Reserve (Reserve)"),
            (std::vector<std::string>{
                "{F1}{130=}710 Camp Reserve (Reserve){F4}", kColumns,
                "{59} {29.}Opening Balance{2} {11r}    80.00 ",
                "{9}03/05/08{2}  {4}101 {28}Checking{1} {5}W/D {8}<sup>{2} {29}Camp store {2} {11r}(   20.00){2} "
                "{5}No {2} {17} ",
                "{15} {3}620{1} {35}Camping (Support)", "{59} {29.}Closing Balance{2} {11r}    60.00 ", " "}));
  // From a support account: the line's own amount, sign and remarks, "<sup>".
  EXPECT_EQ(Section(body, "201 Savings (Savings)")[3],
            "{9}06/07/08{2}  {4}101 {28}Checking{1} {5}W/D {8}<sup>{2} {29}Troop fair {2} {11r}(   10.00){2} {5}No "
            "{2} {17}Savings part");
  // 399 opens at the equipment's original value; the canoe and the year's
  // depreciation lead to the equipment's value.
  const auto equipment = Section(body, "399 Equipment (Other Asset)");
  ASSERT_EQ(equipment.size(), 8u);
  EXPECT_EQ(equipment[2], "{59} {29.}Opening Balance{2} {11r}   150.00 ");
  EXPECT_EQ(equipment[4], "{59} {29.}Depreciation {2} {11r}(   30.00)");
  EXPECT_EQ(equipment[5], "{59} {29.}Closing Balance{2} {11r}   200.00 ");
  EXPECT_EQ(equipment[6], "{62} {17}(equipment value)");
}

TEST_F(AccountDetailTest, PassbookSplitOptionsAndAccountsWithoutLines) {
  struct Case {
    char dues, where;
    int splitHeads;
  };
  // Fundraising's split shows under checking (primary) and fundraising
  // (support): 'P' and 'S' choose one side, "Non-Dues" keeps a 520 split.
  const Case cases[] = {{'A', 'B', 2}, {'A', 'P', 1}, {'A', 'S', 1}, {'N', 'B', 2}, {'E', 'B', 0}};
  Choose({101, 520, 1});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.dues) + c.where);
    RptOptionE = c.dues;
    RptOptionF = c.where;
    const auto body = Build(4, BuildAccountDetailReport, kRptLandscapeWidth);
    EXPECT_EQ(std::count(body.begin(), body.end(), "{59} {18-}Passbook Split{33} {8}Troop: {9r}    0.00 "),
              c.splitHeads);
    // Petty cash has no lines: left out.
    EXPECT_TRUE(Section(body, "1 Petty Cash (Cash)").empty());
  }
  RptOptionB = 1;
  const auto body = Build(4, BuildAccountDetailReport, kRptLandscapeWidth);
  EXPECT_EQ(Section(body, "1 Petty Cash (Cash)"),
            (std::vector<std::string>{"{F1}{130=}1 Petty Cash (Cash){F4}", kColumns,
                                      "{59} {29.}Opening Balance{2} {11r}    50.00 ",
                                      "{59} {29.}Closing Balance{2} {11r}    50.00 ", " "}));
}

TEST_F(AccountDetailTest, ALineOnAnAccountOutsideTheChartStillShows) {
  // The camping line's account is changed to a number without an account:
  // its amount stays in the running balance, so its line stays too.
  int row = -1;
  for (int s = 0; s < SupportTable.rowCount; ++s)
    if (SupportTable.keys[static_cast<size_t>(s)].account == 620) row = s;
  ASSERT_GE(row, 0);
  SupportLineRecord line;
  ASSERT_EQ(ReadRecord(SupportFile, line, row), 1);
  line.account = 630;
  ASSERT_EQ(WriteRecord(SupportFile, line, row), 1);
  SupportTable.keys[static_cast<size_t>(row)].account = 630;
  Choose({101});
  const auto body = Build(4, BuildAccountDetailReport, kRptLandscapeWidth);
  EXPECT_NE(std::find(body.begin(), body.end(),
                      "{9}03/05/08{2}  {4}630 {28}Unknown account{1} {5}W/D {8}1001{2} {29}Camp store {2} {11r}(   "
                      "50.00){2} {5}No {2} {17} "),
            body.end());
  EXPECT_NE(std::find(body.begin(), body.end(), "{59} {29.}Closing Balance{2} {11r}   970.00 "), body.end());
}

TEST_F(AccountDetailTest, EachAccountOnANewPage) {
  Choose({101, 520, 620});
  RptOptionG = 1;
  RptContext* c = Prepare(4, kRptLandscapeWidth);
  ASSERT_EQ(BuildAccountDetailReport(c), 1);
  EXPECT_EQ(c->pageCount, 3);
  const auto lines = Records();
  // Every page after the first starts with an account heading.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] == "{ff}") {
      EXPECT_EQ(lines[i + 1].rfind("{F1}{130=}", 0), 0u);
    }
  }
}

}  // namespace
