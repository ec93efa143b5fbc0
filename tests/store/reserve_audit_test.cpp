#include <gtest/gtest.h>

#include <memory>

#include "platform/base/Collections.h"
#include "store/AccountStore.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/ReserveAudit.h"
#include "store/TransStore.h"

namespace {

using fixture::kAnna;
using fixture::kBen;

void AppendReserve(int member, int account, int amount) {
  ASSERT_EQ(OpenReserveFile(), 1);
  std::fseek(ReserveFile, 0, SEEK_END);
  int row = static_cast<int>(std::ftell(ReserveFile) / kReserveRecordSize);
  ASSERT_EQ(WriteRecord(ReserveFile, ReserveRecord{member, account, amount}, row), 1);
  CloseReserveFile();
}

TEST(ReserveAudit, FixtureHasNoOverspentMember) {
  fixture::FiscalYear fy;
  CResAudit audit;
  for (int m = 0; m < MemberTable.rowCount; ++m) EXPECT_EQ(audit.IsNegative(m), 0) << m;
  EXPECT_EQ(audit.IsNegative(MemberTable.rowCount), 0);
  EXPECT_EQ(audit.IsNegative(-1), 0);
  EXPECT_EQ(audit.BalanceIndex(kBen, 9999), -1);
}

TEST(ReserveAudit, SharesBeyondTheInitialReserveFlagTheMember) {
  fixture::FiscalYear fy;
  fixture::SpendAnnaReserve(2500);  // Anna held 30.00
  {
    CResAudit audit;
    EXPECT_EQ(audit.IsNegative(kAnna), 0);
  }
  fixture::SpendAnnaReserve(1000);  // 30.00 - 25.00 - 10.00
  CResAudit audit;
  EXPECT_EQ(audit.IsNegative(kAnna), 1);
  EXPECT_EQ(audit.IsNegative(kBen), 0);
}

TEST(ReserveAudit, TheLaterInitialReserveCountsAndEachAccountOnItsOwn) {
  struct {
    int first, second, otherAccount;
    int flagged;
  } cases[] = {
      {-100, 100, 0, 0},     // the later record replaces the earlier one
      {100, -100, 0, 1},
      {-2500, -2500, 10000, 1},  // +100.00 elsewhere does not make up for it
  };
  for (auto& c : cases) {
    fixture::FiscalYear fy;
    AccountRecord other{};
    other.number = 720;
    SetText(other.name, "Trip Reserve");
    other.memberReserves = 1;
    ASSERT_EQ(AddAcct(&other, nullptr, 0, nullptr, nullptr), 1);
    AppendReserve(kBen, 710, c.first);
    AppendReserve(kBen, 710, c.second);
    AppendReserve(kBen, 720, c.otherAccount);
    CResAudit audit;
    EXPECT_EQ(audit.IsNegative(kBen), c.flagged) << c.first << " " << c.second;
  }
}

TEST(ReserveAudit, WithoutLiveReserveAccountNothingIsRead) {
  fixture::FiscalYear fy;
  AppendReserve(kBen, 710, -500);
  int pos = -1;
  ASSERT_EQ(FindAcctIndex(710, &pos), 1);
  AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].status = kStatusDeleted;
  CResAudit audit;
  EXPECT_EQ(audit.IsNegative(kBen), 0);
}

TEST(ReserveAudit, Footnotes) {
  CStringArray lines;
  GetReserveFootnotes(1, &lines);
  ASSERT_EQ(lines.GetSize(), 4);
  EXPECT_STREQ(lines[0], " ");
  EXPECT_STREQ(lines[2],
               "actually held.  This causes the member's Available Funds to appear greater than they actually are.");
  EXPECT_STREQ(lines[3], "");
  GetReserveFootnotes(0, &lines);
  ASSERT_EQ(lines.GetSize(), 4);
  EXPECT_STREQ(lines[3], "report to determine which reserve account has been overspent.");
}

}  // namespace
