// A crash in the middle of posting: every record write after a random one
// is lost (a transaction goes to the disk before its lines). The integrity check with its recalculation must bring every
// balance back in line with the transactions that survived, and lose none
// of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "common/Question.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/TransStore.h"
#include "store/WriteFailures.h"

namespace {

namespace fs = std::filesystem;
using fixture::FiscalYear;

constexpr int kAccounts[] = {101, 520, 620, 710};
constexpr int kMembers = 4;

// What one posted transaction does to the balances.
struct Effect {
  std::map<int, long> accounts;
  long members[kMembers] = {};
  int memberUses[kMembers] = {};
};

// A random transaction: a deposit from fundraising split in cash among
// members, or a camping check, sometimes split, sometimes drawing on the
// camp reserve.
Effect MakeTransaction(std::mt19937& rng, TransactionDetail& d) {
  Effect e;
  ResetTransactionDetail(d.lines, d.splits, d.shares);
  TransactionRecord& t = d.transaction;
  t = TransactionRecord{};
  t.id = NextTransId++;
  t.account = 101;
  t.month = static_cast<int>(rng() % 12);
  std::snprintf(t.date, sizeof t.date, "2008%02d15", t.month + 1);
  std::snprintf(t.number, sizeof t.number, "%d", t.id);
  const int amount = 100 + static_cast<int>(rng() % 20000);
  const bool deposit = rng() % 2 == 0;
  const bool split = rng() % 2 == 0;
  t.factor = deposit ? 1 : -1;
  t.amount = amount;
  e.accounts[101] += t.factor * amount;
  SupportLineRecord& line = d.lines[0];
  line.account = deposit ? 520 : 620;
  line.amount = amount;
  line.factor = SignedAmountByType('A', t.factor, line.account);
  e.accounts[line.account] += line.factor * amount;
  if (split) {
    line.split = 1;
    d.splits[0].factor = deposit ? 1 : -1;
    int left = amount;
    for (int m = 0; m < kMembers && left > 0; ++m) {
      if (rng() % 2) continue;
      int share = std::min(left, 1 + static_cast<int>(rng() % amount));
      left -= share;
      SubAccountRecord& s = d.shares[0][m];
      if (deposit)
        s.cash = share;
      else
        s.accountAmount = share;
      e.members[m] += SignedAmount(line.account, -1, d.splits[0].factor, s.cash, s.accountAmount) *
                      d.splits[0].factor;
      ++e.memberUses[m];
    }
    d.splits[0].unitShare = left;
    if (left == amount) line.split = 0;  // nobody took part after all
  }
  if (!deposit && rng() % 3 == 0) {
    line.reserveAccount = 710;
    line.reserveFactor = -1;
    // A split line's reserve amount is what its split gives the reserve.
    line.reserveAmount = line.split ? amount : 1 + static_cast<int>(rng() % amount);
    e.accounts[710] += line.reserveFactor * line.reserveAmount;
  }
  return e;
}

// The effect of a transaction as its records stand on disk.
Effect WhatSurvived(int id) {
  Effect e;
  TransactionRecord t;
  EXPECT_EQ(ReadTransactionById(id, &t), 1);
  e.accounts[t.account] += t.factor * t.amount;
  SupportLineRecord line;
  if (!ReadSupportLine(LineKey(id, 0), &line)) return e;
  e.accounts[line.account] += line.factor * line.amount;
  if (line.reserveAccount) e.accounts[line.reserveAccount] += line.reserveFactor * line.reserveAmount;
  int splitRow = -1;
  if (!line.split || !FindSplitRow(LineKey(id, 0), &splitRow)) return e;
  SplitRecord split;
  EXPECT_EQ(ReadRecord(SplitFile, split, splitRow), 1);
  for (int r = 0; r < SubAcctTable.rowCount; ++r) {
    if (SubAcctTable.keys[static_cast<size_t>(r)] != LineKey(id, 0)) continue;
    SubAccountRecord s;
    EXPECT_EQ(ReadRecord(SubAcctFile, s, r), 1);
    e.members[s.memberRow] += SignedAmount(line.account, -1, split.factor, s.cash, s.accountAmount) * split.factor;
    ++e.memberUses[s.memberRow];
  }
  return e;
}

void CopyFolder(const std::string& from, const std::string& to) {
  fs::create_directories(to);
  for (const auto& f : fs::directory_iterator(from))
    fs::copy_file(f.path(), fs::path(to) / f.path().filename(), fs::copy_options::overwrite_existing);
}

TEST(IntegrityCrash, RecalculationRestoresBalancesOfTheSurvivingTransactions) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    FiscalYear fy;
    std::mt19937 rng(seed);
    std::map<int, long> before;
    for (int a : kAccounts) before[a] = FiscalYear::Balance(a);
    long memberBefore[kMembers];
    int usesBefore[kMembers];
    for (int m = 0; m < kMembers; ++m) {
      memberBefore[m] = FiscalYear::MemberBalance(m);
      usesBefore[m] = FiscalYear::MemberCount(m);
    }

    // The crash: at write number `crashAt` the disk is copied as it stands
    // and that write and every later one are dropped.
    const std::string snapshot = fy.home() + "/crash";
    const int crashAt = 20 + static_cast<int>(rng() % 1900);  // 300 postings write about 2000 records
    int writes = 0;
    bool crashed = false;
    write_failures::Set([&](FILE*, int) {
      if (++writes == crashAt) {
        CopyFolder(fy.folder(), snapshot);
        crashed = true;
      }
      return !crashed;
    });
    automation::AlwaysAnswer("", "", IDOK);  // the failed writes after the crash
    std::map<int, Effect> posted;  // by transaction id
    auto d = std::make_unique<TransactionDetail>();
    for (int i = 0; i < 300 && !crashed; ++i) {
      Effect e = MakeTransaction(rng, *d);
      if (TransTable.freeCount <= 2 || SupportTable.freeCount <= 2 || SplitTable.freeCount <= 2) break;
      posted[d->transaction.id] = e;
      AddTransaction(&d->transaction, d->lines, d->splits, d->shares);
    }
    write_failures::Reset();
    ASSERT_TRUE(crashed) << "the crash point " << crashAt << " lies beyond the postings: " << writes;

    CloseDataFiles();
    CopyFolder(snapshot, fy.folder());
    ASSERT_EQ(fy.Reopen(), 1);
    std::set<int> survivors;
    for (int r = 0; r < TransTable.rowCount; ++r)
      if (TransTable.keys[static_cast<size_t>(r)].status != kStatusDeleted)
        survivors.insert(TransTable.keys[static_cast<size_t>(r)].id);
    std::set<LONG> survivingLines;
    for (int r = 0; r < SupportTable.rowCount; ++r) {
      const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
      if (k.status != kStatusDeleted && survivors.count(k.id)) survivingLines.insert(LineKey(k.id, k.line));
    }

    automation::ClearResponder();
    automation::AlwaysAnswer("Question", "", ANSWER_YESTOALL);
    automation::AlwaysAnswer("", "", IDOK);
    EXPECT_EQ(CheckDataIntegrity(0), 1);

    std::map<int, long> expected = before;
    long memberExpected[kMembers];
    int usesExpected[kMembers];
    std::copy(std::begin(memberBefore), std::end(memberBefore), memberExpected);
    std::copy(std::begin(usesBefore), std::end(usesBefore), usesExpected);
    // The posting the crash cut short counts with what of it reached the
    // disk and survived the repair.
    const int cutShort = posted.empty() ? -1 : posted.rbegin()->first;
    if (survivors.count(cutShort)) posted[cutShort] = WhatSurvived(cutShort);
    for (const auto& [id, e] : posted) {
      if (!survivors.count(id)) continue;
      for (const auto& [a, amount] : e.accounts) expected[a] += amount;
      for (int m = 0; m < kMembers; ++m) {
        memberExpected[m] += e.members[m];
        usesExpected[m] += e.memberUses[m];
      }
    }
    for (int a : kAccounts) EXPECT_EQ(FiscalYear::Balance(a), expected[a]) << "account " << a;
    for (int m = 0; m < kMembers; ++m) {
      EXPECT_EQ(FiscalYear::MemberBalance(m), memberExpected[m]) << "member " << m;
      EXPECT_EQ(FiscalYear::MemberCount(m), usesExpected[m]) << "member " << m;
    }
    // Nothing that survived the crash is lost by the repair.
    for (int r = 0; r < TransTable.rowCount; ++r)
      if (TransTable.keys[static_cast<size_t>(r)].status != kStatusDeleted)
        survivors.erase(TransTable.keys[static_cast<size_t>(r)].id);
    EXPECT_TRUE(survivors.empty());
    for (int r = 0; r < SupportTable.rowCount; ++r) {
      const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
      if (k.status != kStatusDeleted) survivingLines.erase(LineKey(k.id, k.line));
    }
    EXPECT_TRUE(survivingLines.empty());
  }
}

}  // namespace
