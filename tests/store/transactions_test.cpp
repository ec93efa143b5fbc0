// Transactions: posting on add, change and delete, splits and members,
// equipment purchases, and all-or-nothing behaviour on a failed write.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/TransStore.h"
#include "store/WriteFailures.h"

namespace {

using fixture::FiscalYear;
using fixture::kAnna;
using fixture::kBen;

// A deposit to 101 from income 520 with two lines, the second split among
// Anna (25.00) and Ben (15.00) and posting to the camp reserve.
std::unique_ptr<TransactionDetail> Deposit() {
  auto d = std::make_unique<TransactionDetail>();
  fixture::StartTransaction(*d, NextTransId++, 5, "20080601", 1, 10000, "DEP9").multiLine = 1;
  d->lines[2].account = 520;
  d->lines[2].amount = 6000;
  d->lines[2].factor = 1;
  fixture::SplitCampLine(*d, 5);
  return d;
}

struct Books {
  std::vector<int> balances, usages;
  int anna, annaCount, ben;
  int trans, transRows, lines, lineRows, splits, shares, items, nextId;
  std::vector<long> sizes;

  static Books Take(const FiscalYear& fy) {
    Books b;
    for (int n : {101, 399, 520, 620, 710}) {
      b.balances.push_back(FiscalYear::Balance(n));
      b.usages.push_back(FiscalYear::Usage(n));
    }
    b.anna = FiscalYear::MemberBalance(kAnna);
    b.annaCount = FiscalYear::MemberCount(kAnna);
    b.ben = FiscalYear::MemberBalance(kBen);
    b.trans = TransTable.liveCount;
    b.transRows = TransTable.rowCount;
    b.lines = SupportTable.liveCount;
    b.lineRows = SupportTable.rowCount;
    b.splits = SplitTable.liveCount;
    b.shares = SubAcctTable.liveCount;
    b.items = EquipTable.liveCount;
    b.nextId = NextTransId;
    for (const char* stem : {"trans", "suppt", "split", "subac", "equip", "acct", "scout"})
      b.sizes.push_back(fixture::FileSize(fixture::FilePath(fy, stem)));
    return b;
  }
  bool operator==(const Books&) const = default;
};

TEST(Transactions, AddPostsEveryAmount) {
  FiscalYear fy;
  Books before = Books::Take(fy);
  auto d = Deposit();
  ASSERT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 1);
  EXPECT_EQ(FiscalYear::Balance(101), before.balances[0] + 10000);
  EXPECT_EQ(FiscalYear::Balance(520), before.balances[2] + 6000);
  EXPECT_EQ(FiscalYear::Balance(620), before.balances[3] - 4000);
  EXPECT_EQ(FiscalYear::Balance(710), before.balances[4] + 4000);
  EXPECT_EQ(FiscalYear::Usage(710), before.usages[4] + 1);
  // A share of an expense line paid in cash counts for the member.
  EXPECT_EQ(FiscalYear::MemberBalance(kAnna), before.anna + 2500);
  EXPECT_EQ(FiscalYear::MemberCount(kAnna), before.annaCount + 1);
  EXPECT_EQ(SupportTable.liveCount, before.lines + 2);
  SupportLineRecord line;
  ASSERT_EQ(ReadSupportLine(LineKey(d->transaction.id, 5), &line), 1);
  EXPECT_EQ(line.line, 5);
  EXPECT_EQ(SubAcctTable.liveCount, before.shares + 2);
}

TEST(Transactions, DeleteReversesEverything) {
  FiscalYear fy;
  Books before = Books::Take(fy);
  auto d = Deposit();
  ASSERT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 1);
  ASSERT_EQ(DeleteTransaction(d->transaction.id, 0), 1);
  Books after = Books::Take(fy);
  EXPECT_EQ(after.balances, before.balances);
  EXPECT_EQ(after.usages, before.usages);
  EXPECT_EQ(after.anna, before.anna);
  EXPECT_EQ(after.annaCount, before.annaCount);
  EXPECT_EQ(after.trans, before.trans);
  EXPECT_EQ(after.shares, before.shares);
}

TEST(Transactions, ModifyAmountFactorAndReserve) {
  FiscalYear fy;
  auto d = Deposit();
  ASSERT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 1);
  int row;
  ASSERT_EQ(FindTransaction(d->transaction.id, &row), 1);
  Books before = Books::Take(fy);
  auto c = Deposit();
  --NextTransId;
  c->transaction.id = d->transaction.id;
  c->transaction.amount = 12000;
  c->lines[2].amount = 8000;
  // The reserve posting keeps its amount but flips its factor: it moves.
  c->lines[5].reserveFactor = -1;
  c->shares[5][kAnna].cash = 3000;
  ASSERT_EQ(ModifyTransaction(row, &c->transaction, c->lines, c->splits, c->shares), 1);
  EXPECT_EQ(FiscalYear::Balance(101), before.balances[0] + 2000);
  EXPECT_EQ(FiscalYear::Balance(520), before.balances[2] + 2000);
  EXPECT_EQ(FiscalYear::Balance(710), before.balances[4] - 8000);
  EXPECT_EQ(FiscalYear::MemberBalance(kAnna), before.anna + 500);
  EXPECT_EQ(FiscalYear::MemberCount(kAnna), before.annaCount);

  // A changed factor deletes and adds again under the same id.
  c->transaction.factor = -1;
  ASSERT_EQ(ModifyTransaction(row, &c->transaction, c->lines, c->splits, c->shares), 1);
  EXPECT_EQ(FiscalYear::Balance(101), before.balances[0] + 2000 - 24000);
  int again;
  ASSERT_EQ(FindTransaction(d->transaction.id, &again), 1);
  EXPECT_EQ(again, row);  // the first deleted row is reused
  EXPECT_EQ(FiscalYear::MemberBalance(kAnna), before.anna + 500);
}

TEST(Transactions, ReservePostingOfAReserveLineFollowsAChange) {
  // A line on reserve account 710 that also posts to reserve account 720:
  // a changed reserve amount moves 720, as adding and deleting it do.
  FiscalYear fy;
  AccountRecord other;
  other.number = 720;
  SetText(other.name, "Trip Reserve");
  other.classRow = 7;
  ASSERT_EQ(AddAcct(&other, nullptr, 0, nullptr, nullptr), 1);
  auto d = std::make_unique<TransactionDetail>();
  fixture::StartTransaction(*d, NextTransId++, 0, "20080601", 1, 1000);
  d->lines[0].account = 710;
  d->lines[0].amount = 1000;
  d->lines[0].factor = 1;
  d->lines[0].reserveAccount = 720;
  d->lines[0].reserveAmount = 300;
  d->lines[0].reserveFactor = 1;
  ASSERT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 1);
  EXPECT_EQ(FiscalYear::Balance(720), 300);
  int row;
  ASSERT_EQ(FindTransaction(d->transaction.id, &row), 1);
  d->lines[0].reserveAmount = 500;
  ASSERT_EQ(ModifyTransaction(row, &d->transaction, d->lines, d->splits, d->shares), 1);
  EXPECT_EQ(FiscalYear::Balance(720), 500);
  EXPECT_EQ(FiscalYear::Balance(710), 6000 + 1000);
  ASSERT_EQ(DeleteTransaction(d->transaction.id, 0), 1);
  EXPECT_EQ(FiscalYear::Balance(720), 0);
}

TEST(Transactions, RemovedShareReactivatesAMemberWhoLeft) {
  FiscalYear fy;
  auto d = Deposit();
  ASSERT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 1);
  MemberRow ben;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &ben, 4, 1, kBen), 1);
  ben.status = 1;
  SetText(ben.dateLeft, "20080701");
  ASSERT_EQ(ModifyMember(&ben, kBen), 1);
  int balance = FiscalYear::MemberBalance(kBen);
  int row;
  ASSERT_EQ(FindTransaction(d->transaction.id, &row), 1);
  auto c = Deposit();
  --NextTransId;
  c->transaction.id = d->transaction.id;
  c->shares[5][kBen].cash = 0;
  c->splits[5].unitShare = 1500;
  ASSERT_EQ(ModifyTransaction(row, &c->transaction, c->lines, c->splits, c->shares), 1);
  ASSERT_EQ(ReadMemberRecord(MemberFile, &ben, 4, 1, kBen), 1);
  EXPECT_EQ(ben.status, 0);
  EXPECT_STREQ(ben.dateLeft, "");
  EXPECT_EQ(ben.currentBalance, balance - 1500);
  EXPECT_EQ(MemberTable.keys[kBen].status, 0);
}

TEST(Transactions, EquipmentPurchaseFollowsItsPosting) {
  FiscalYear fy;
  int row;
  ASSERT_EQ(FindTransaction(3, &row), 1);
  auto d = std::make_unique<TransactionDetail>();
  char message[256];
  ASSERT_EQ(LoadTransaction(row, &d->transaction, d->lines, d->splits, d->shares, message), 1);
  int balance399 = FiscalYear::Balance(399);
  // A corrected price: the item still valued at its old price follows it.
  d->transaction.amount = 9000;
  d->lines[0].amount = 9000;
  ASSERT_EQ(ModifyTransaction(row, &d->transaction, d->lines, d->splits, d->shares), 1);
  EXPECT_EQ(FiscalYear::Balance(399), balance399 + 1000);
  EquipmentRecord canoe;
  int pos;
  ASSERT_EQ(FindEquipItem(0, "Canoe", 1, &pos), 1);
  ASSERT_EQ(ReadRecord(EquipFile, canoe, EquipTable.byDescription[pos]), 1);
  EXPECT_EQ(canoe.price, 9000);
  EXPECT_EQ(canoe.currentValue, 9000);
  // Deleting takes the item's current value off 399.
  canoe.currentValue = 7000;
  ASSERT_EQ(WriteRecord(EquipFile, canoe, EquipTable.byDescription[pos]), 1);
  ASSERT_EQ(UpdateAcctBalance(399, 0, -2000, "test"), 1);
  int items = EquipTable.liveCount;
  ASSERT_EQ(DeleteTransaction(3, 0), 1);
  EXPECT_EQ(FiscalYear::Balance(399), balance399 + 1000 - 2000 - 7000);
  EXPECT_EQ(EquipTable.liveCount, items - 1);
}

TEST(Transactions, PurchaseWhoseItemIsGoneCanBeChangedAndDeleted) {
  // The canoe was made hand-entered (as an older integrity check did): the
  // transaction is changed and deleted, the item and account 399 stay.
  FiscalYear fy;
  int pos = -1;
  ASSERT_EQ(FindEquipItem(0, "Canoe", 1, &pos), 1);
  const int itemRow = EquipTable.byDescription[static_cast<size_t>(pos)];
  EquipmentRecord canoe;
  ASSERT_EQ(ReadRecord(EquipFile, canoe, itemRow), 1);
  canoe.lineKey = -1;
  ASSERT_EQ(WriteRecord(EquipFile, canoe, itemRow), 1);
  const AccountRecord before = FiscalYear::Account(399);

  int row = -1;
  ASSERT_EQ(FindTransaction(3, &row), 1);
  auto d = std::make_unique<TransactionDetail>();
  char message[256];
  ASSERT_EQ(LoadTransaction(row, &d->transaction, d->lines, d->splits, d->shares, message), 1);
  d->transaction.amount = 9000;
  d->lines[0].amount = 9000;
  ASSERT_EQ(ModifyTransaction(row, &d->transaction, d->lines, d->splits, d->shares), 1);
  ASSERT_EQ(DeleteTransaction(3, 0), 1);
  EXPECT_EQ(FindTransaction(3, nullptr), 0);

  EquipmentRecord after;
  ASSERT_EQ(ReadRecord(EquipFile, after, itemRow), 1);
  EXPECT_EQ(after.status, canoe.status);
  EXPECT_EQ(after.price, canoe.price);
  EXPECT_EQ(FiscalYear::Balance(399), before.currentBalance);
  EXPECT_EQ(FiscalYear::Usage(399), before.usageCount);
}

TEST(Transactions, FailedWriteLeavesBooksUnchanged) {
  FiscalYear fy;
  Books before = Books::Take(fy);
  // Fail each write of an add in turn until the add gets through: the
  // books never keep half of it.
  int writes = 0;
  for (;; ++writes) {
    auto d = Deposit();
    automation::AlwaysAnswer("", "", IDOK);
    write_failures::Set([n = writes](FILE*, int) mutable { return n-- != 0; });
    int added = AddTransaction(&d->transaction, d->lines, d->splits, d->shares);
    write_failures::Reset();
    if (added) break;
    NextTransId = before.nextId;
    EXPECT_EQ(Books::Take(fy), before) << "failing write " << writes;
  }
  EXPECT_GT(writes, 8);
  ASSERT_EQ(DeleteTransaction(NextTransId - 1, 0), 1);
  // The same for a delete.
  auto d = Deposit();
  ASSERT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 1);
  Books added = Books::Take(fy);
  for (int ok = 1; ok < 10; ++ok) {
    write_failures::Set([n = ok](FILE*, int) mutable { return n-- != 0; });
    EXPECT_EQ(DeleteTransaction(d->transaction.id, 0), 0) << ok;
    write_failures::Reset();
    EXPECT_EQ(Books::Take(fy), added) << "failing write " << ok;
  }
}

TEST(Transactions, NumbersAndLookups) {
  FiscalYear fy;
  EXPECT_EQ(IsTransactionNumberUsed(101, "1001"), 1);
  EXPECT_EQ(IsTransactionNumberUsed(101, "01001"), 0);
  EXPECT_EQ(IsTransactionNumberUsed(101, "DEP1"), 0);
  char number[9] = "1000";
  ASSERT_EQ(FindNextTransactionNumber(101, number), 1);
  EXPECT_STREQ(number, "1003");
  char empty[9] = "";
  ASSERT_EQ(FindNextTransactionNumber(101, empty), 1);
  EXPECT_STREQ(empty, "1");
}

TEST(Transactions, CapacityRefusal) {
  FiscalYear fy;
  TransTable.freeCount = 0;
  auto d = Deposit();
  automation::ExpectMessageBox("Error", "The system now holds the maximum number of transactions", IDOK);
  EXPECT_EQ(AddTransaction(&d->transaction, d->lines, d->splits, d->shares), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

}  // namespace
