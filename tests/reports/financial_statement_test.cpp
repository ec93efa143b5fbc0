// Report 2 on the fixture year: checking 1000.00 + 100.00 - 50.00 - 80.00,
// the tent (120.00) and the canoe (80.00) as equipment, the camp reserve
// 80.00 less 20.00 spent, and the scouts' passbooks: Anna 40.00 and Ben
// 60.00 of fundraising less their reserved 30.00 and 50.00.
#include <unistd.h>

#include <algorithm>
#include <random>

#include "FinReportTestSupport.h"
#include "store/MemberStore.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

namespace {

using FinancialStatementTest = FinReportTest;

const char* const kAssetsHead = "{F1}{13}ASSETS{16-}Account Type{1} {30-}Account{1} {9-}Balance{F4}";
const char* const kLiabilitiesHead = "{F1}{13}LIABILITIES{16-}Account Type{1} {30-}Account{1} {9-}Balance{F4}";

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(FinancialStatementTest, StatementAtTheYearsEnd) {
  SelectByClass(2);
  std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
  RptOptionA = 1;
  const auto body = Build(2, BuildFinancialStatement);
  const std::vector<std::string> expected = {
      kAssetsHead,
      "{13} {16}Cash       {1} {4}1{26}Petty Cash               {1} {9r}     50.00 ",
      "{13} {16}Checking   {1} {4}101{26}Checking                 {1} {9r}    970.00 ",
      "{13} {16}Savings    {1} {4}201{26}Savings                  {1} {9r}    200.00 ",
      "{13} {16}Other Asset{1} {4}399{26}Equipment                {1} {9r}    200.00 ",
      "{61} {9-}",
      "{30} {30.}Total Assets{1} {9r}   1420.00 ",
      " ",
      kLiabilitiesHead,
      // The loan at 0.00 is left out.
      "{13} {16}Reserves   {1} {4}710{26}Camp Reserve             {1} {9r}     60.00 ",
      "{13} {17}Passbook Holders {30}Scouts {1} {9r}     20.00 ",
      "{61} {9-}",
      "{30} {30.}Total Liabilities{1} {9r}     80.00 ",
      " ",
      "{30} {30.}Net Worth{1} {9r}   1340.00 "};
  EXPECT_EQ(body, expected);
  EXPECT_NE(Records()[1].find("}As of December 31, 2008{"), std::string::npos);
}

TEST_F(FinancialStatementTest, OptionsAndAsOfDate) {
  struct Case {
    const char* date;
    int equipment, zeros;
    long long assets, liabilities;
    std::vector<std::string> present, absent;
  };
  const Case cases[] = {
      // Without the equipment account 399 counts neither in lines nor total.
      {"20081231", 0, 0, 122000, 8000, {}, {"{13} {16}Other Asset{1} {4}399{26}Equipment                {1} {9r}    200.00 "}},
      // Zero balances shown: the loan, and the adults' and patrols' passbooks.
      {"20081231", 1, 1, 142000, 8000,
       {"{13} {16}Liability  {1} {4}401{26}Loan                     {1} {9r}      0.00 ",
        "{30} {30}Adults {1} {9r}      0.00 ", "{30} {30}Patrols {1} {9r}      0.00 "},
       {}},
      // Through February only the deposit counts; the canoe is not yet bought.
      {"20080229", 1, 0, 147000, 10000,
       {"{13} {16}Checking   {1} {4}101{26}Checking                 {1} {9r}   1100.00 ",
        "{13} {16}Reserves   {1} {4}710{26}Camp Reserve             {1} {9r}     80.00 "},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date) + (c.equipment ? " 399" : "") + (c.zeros ? " zeros" : ""));
    SelectByClass(2);
    ClearRptActivity();
    std::snprintf(RptSecondDate, sizeof RptSecondDate, "%s", c.date);
    RptOptionA = c.equipment;
    RptOptionB = c.zeros;
    const auto body = Build(2, BuildFinancialStatement);
    EXPECT_TRUE(Has(body, "{30} {30.}Total Assets{1} {9r}" + FormatRptAmount(c.assets, 9)));
    EXPECT_TRUE(Has(body, "{30} {30.}Total Liabilities{1} {9r}" + FormatRptAmount(c.liabilities, 9)));
    EXPECT_TRUE(Has(body, "{30} {30.}Net Worth{1} {9r}" + FormatRptAmount(c.assets - c.liabilities, 9)));
    for (const auto& line : c.present) EXPECT_TRUE(Has(body, line)) << line;
    for (const auto& line : c.absent) EXPECT_FALSE(Has(body, line)) << line;
  }
}

TEST_F(FinancialStatementTest, AttachmentListsAvailableFundsAndMarksOverspentReserves) {
  // Anna spends 40.00 of the camp reserve though 30.00 was held for her;
  // Ben left the unit on March 1st.
  fixture::SpendAnnaReserve(4000);
  MemberRow ben;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &ben, 4, 0, fixture::kBen), 1);
  std::snprintf(ben.dateLeft, sizeof ben.dateLeft, "20080301");
  ASSERT_TRUE(WriteMemberRecord(MemberFile, &ben, fixture::kBen));
  SelectByClass(2);
  std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
  RptOptionD = 1;
  const auto body = Build(2, BuildFinancialStatement);
  // The statement still counts Ben's passbook.
  EXPECT_TRUE(Has(body, "{13} {17}Passbook Holders {30}Scouts {1} {9r}     20.00 "));
  const auto page = std::find(body.begin(), body.end(), "{ff}");
  ASSERT_NE(page, body.end());
  const std::vector<std::string> attachment(page + 1, body.end());
  const std::vector<std::string> expected = {
      "{F3}{77=}Financial Statement",
      "{F1}{37}Passbook Balance Attachment{40r}Troop 123",
      "{F4}{1} ",
      "{F1}{31} {9}Available{F4}",
      "{F1}{28}Scout{3} {9}Funds{F4}",
      "{F1}{28-}{3} {9-}{F4}",
      "{28}Smith, Anna {3} {9r}     10.00 *",
      "{31} {9-}",
      "{28.}Scout Totals{3} {9r}     10.00  ",
      " ",
      // Carl holds a passbook with nothing available: a section without lines.
      "{F1}{31} {9}Available{F4}",
      "{F1}{28}Adult{3} {9}Funds{F4}",
      "{F1}{28-}{3} {9-}{F4}",
      "{31} {9-}",
      "{28.}Adult Totals{3} {9r}      0.00  ",
      " ",
      "{F1}{31} {9}Available{F4}",
      "{F1}{28}Patrol{3} {9}Funds{F4}",
      "{F1}{28-}{3} {9-}{F4}",
      "{31} {9-}",
      "{28.}Patrol Totals{3} {9r}      0.00  ",
      " ",
      "{31} {9-}",
      "{28.}Passbook Totals{3} {9r}     10.00  ",
      // The end notes explain the mark once, above the last footer.
      "{F2} ",
      "{F2}(*) For at least one reserve account, the member spent more reserves than were actually held.  This causes",
      "{F2}the member's Available Funds to appear greater than they actually are.  See the Member Reserve Totals",
      "{F2}report to determine which reserve account has been overspent."};
  EXPECT_EQ(attachment, expected);
}

TEST_F(FinancialStatementTest, AnUncomputableLiabilityStopsTheStatement) {
  // Without the reserve file the passbook liability cannot be computed; a
  // statement without it would show a wrong net worth.
  ::unlink(ReservePath);
  SelectByClass(2);
  std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
  RptContext* c = Prepare(2);
  automation::ExpectMessageBox("Fatal Error", "Failed open: reserve", IDOK);
  EXPECT_EQ(BuildFinancialStatement(c), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
  const auto body = Body();
  EXPECT_TRUE(Has(body, "{30} {30.}Total Assets{1} {9r}   1220.00 "));
  for (const auto& line : body) {
    EXPECT_EQ(line.find("Total Liabilities"), std::string::npos);
    EXPECT_EQ(line.find("Net Worth"), std::string::npos);
  }
}

}  // namespace

namespace {

// The year's balances as the postings left them: the statement's net worth
// is the assets less the liabilities, the reserves and what the passbook
// holders may still spend (their balances less what is reserved for them).
long long NetWorthFromBalances() {
  long long worth = 0;
  for (int row = 0; row < AcctTable.rowCount; ++row) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(row)];
    const int n = static_cast<int>(k.number);
    if (k.status == 2 || n == kEquipmentAccount) continue;
    const char cls = GetAcctClass(n);
    if (cls == 'A') worth += fixture::FiscalYear::Balance(n);
    if (cls == 'L' || cls == 'R') worth -= fixture::FiscalYear::Balance(n);
  }
  EXPECT_EQ(OpenReserveFile(), 1);
  for (int m = 0; m < MemberTable.rowCount; ++m) {
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(m)];
    if (k.status == 2 || !k.passbook) continue;
    int initial = 0, shares = 0, reserved = 0;
    EXPECT_EQ(SumMemberReserves(-1, m, &initial, &shares, &reserved), 1);
    worth -= fixture::FiscalYear::MemberBalance(m) - reserved;
  }
  CloseReserveFile();
  return worth;
}

TEST_F(FinancialStatementTest, NetWorthAgreesWithTheBalancesOnRandomPostings) {
  std::mt19937 random(20081231);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto d = std::make_unique<TransactionDetail>();
  const int primaries[] = {1, 101, 201, 401};
  for (int i = 0; i < 60; ++i) {
    char date[9];
    const int month = pick(12);
    std::snprintf(date, sizeof date, "2008%02d%02d", month + 1, pick(28) + 1);
    const int primary = primaries[pick(4)];
    const int kind = pick(3);
    const int amount = 100 + pick(20000);
    if (kind == 2) {
      // A member spends reserved funds on camping.
      TransactionRecord& t = fixture::StartTransaction(*d, NextTransId++, month, date, -1, amount);
      const int member = pick(2) ? fixture::kAnna : fixture::kBen;
      d->lines[0].account = 620;
      d->lines[0].amount = amount;
      d->lines[0].factor = 1;
      d->lines[0].reserveAccount = 710;
      d->lines[0].reserveAmount = amount;
      d->lines[0].reserveFactor = -1;
      d->lines[0].split = 1;
      d->splits[0].factor = -1;
      d->shares[0][member].accountAmount = amount;
      ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
      continue;
    }
    const int factor = pick(2) ? 1 : -1;
    TransactionRecord& t = fixture::StartTransaction(*d, NextTransId++, month, date, factor, amount);
    t.account = primary;
    const int supports[] = {520, 620, primary == 201 ? 101 : 201};
    d->lines[0].account = supports[pick(3)];
    d->lines[0].amount = amount;
    d->lines[0].factor = SignedAmountByType(GetAcctClass(primary), factor, d->lines[0].account);
    if (kind == 1 && d->lines[0].account == 520) {
      // Income shared among the scouts' passbooks.
      const int anna = pick(amount + 1);
      d->lines[0].split = 1;
      d->splits[0].factor = 1;
      d->shares[0][fixture::kAnna].cash = anna;
      d->shares[0][fixture::kBen].cash = amount - anna;
    }
    ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  }
  SelectByClass(2);
  std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
  const auto body = Build(2, BuildFinancialStatement);
  EXPECT_TRUE(Has(body, "{30} {30.}Net Worth{1} {9r}" + FormatRptAmount(NetWorthFromBalances(), 9)));
}

}  // namespace
