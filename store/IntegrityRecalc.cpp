// The recalculations of the integrity check and the index rebuild.
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/Dates.h"
#include "common/Money.h"
#include "common/Question.h"
#include "store/AcctClass.h"
#include "store/Integrity.h"
#include "store/IntegrityUtil.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/StoreUtil.h"

using namespace integrity;

namespace {

// One asking recalculation's answers: Yes To All and No To All hold for the
// rest of it.
class AnswerMemory {
 public:
  // ANSWER_YES / YESTOALL (apply), ANSWER_NO / NOTOALL (keep), or
  // ANSWER_CANCEL.
  int Ask(const char* question) {
    if (last_ != ANSWER_YESTOALL && last_ != ANSWER_NOTOALL)
      last_ = AskQuestion(question, ANSWER_YES, ANSWER_CANCEL | ANSWER_YESTOALL | ANSWER_NOTOALL);
    return last_;
  }
  static bool Applies(int answer) { return answer == ANSWER_YES || answer == ANSWER_YESTOALL; }

 private:
  int last_ = ANSWER_YES;
};

std::string Dollars(long cents) { return static_cast<LPCTSTR>(FormatDollars(cents, 0)); }

// The failure of a recalculation, shown at its end.
struct Failure {
  bool failed = false;
  ErrorTextIndex index = ERR_UNKNOWN;
  const char* item = nullptr;
  bool cancelled = false;
  void Set(ErrorTextIndex i, const char* it) {
    if (!failed) {
      failed = true;
      index = i;
      item = it;
    }
  }
  bool Any() const { return failed || cancelled; }
  int Finish() const {
    if (cancelled) DispMessage("Re-calculation cancelled", MSG_INFORMATION);
    else if (index == ERR_UNMATCHED || index == ERR_PARSE)
      ShowStoreError(index, item, MSG_ERROR);
    else if (failed)
      ShowStoreError(index, item, MSG_FATAL);
    return Any() ? 0 : 1;
  }
};

}  // namespace

int RecalcEquipmentBalances(int total, int* position) {
  Failure failure;
  int acctRow = -1;
  for (int r = 0; r < AcctTable.rowCount && acctRow < 0; ++r) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(r)];
    if (k.status == kStatusLive && k.number == kEquipmentAccount) acctRow = r;
  }
  AccountRecord acct;
  if (acctRow < 0)
    failure.Set(ERR_FIND, "equipment account");
  else if (ReadRecord(AcctFile, acct, acctRow) != 1)
    failure.Set(ERR_READ, "recalc equipment 1");

  if (!failure.Any()) {
    std::unordered_set<LONG> lineKeys;
    for (int r = 0; r < SupportTable.rowCount; ++r) {
      const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
      if (k.status != kStatusDeleted) lineKeys.insert(LineKey(k.id, k.line));
    }
    // A purchase entered on account 399 itself records its item under line
    // 0 of its transaction, whichever slots its lines take.
    std::unordered_map<LONG, int> purchasesOn399;
    for (int r = 0; r < TransTable.rowCount; ++r) {
      const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
      if (k.status != kStatusDeleted && k.account == kEquipmentAccount && k.id >= 0 && k.id <= kMaxTransId)
        purchasesOn399.emplace(LineKey(k.id, 0), r);
    }
    auto carriedByTransaction = [&](LONG lineKey) {
      auto found = purchasesOn399.find(lineKey);
      if (found == purchasesOn399.end()) return false;
      TransactionRecord t;
      if (ReadRecord(TransFile, t, found->second) != 1) {
        failure.Set(ERR_READ, "recalc transaction");
        return false;
      }
      return t.factor == 1;
    };
    long long count = 0, current = 0, opening = 0;
    for (int r = 0; r < EquipTable.rowCount && !failure.Any(); ++r) {
      if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
      ++count;
      EquipmentRecord item;
      if (ReadRecord(EquipFile, item, r) != 1) {
        failure.Set(ERR_READ, "recalc equipment 2");
        break;
      }
      current += item.currentValue;
      if (std::strcmp(item.purchaseDate, FiscalStartDate) < 0) opening += item.openingValue;
      if (item.lineKey != -1 && !lineKeys.count(item.lineKey) && !carriedByTransaction(item.lineKey)) {
        if (failure.Any()) break;
        item.lineKey = -1;
        if (WriteRecord(EquipFile, item, r) != 1) {
          failure.Set(ERR_WRITE, "recalc equipment");
          break;
        }
        char text[96];
        std::snprintf(text, sizeof text, "Dangling equipment item '%s' has been manually entered", item.description);
        Notice(text);
      }
    }
    if (!failure.Any() && !(FitsLong(opening) && FitsLong(current)))
      failure.Set(ERR_PARSE, "equipment values (beyond the amount range)");
    if (!failure.Any()) {
      acct.openingBalance = static_cast<LONG>(opening);
      acct.currentBalance = static_cast<LONG>(current);
      acct.usageCount = static_cast<LONG>(count);
      if (WriteRecord(AcctFile, acct, acctRow) != 1) failure.Set(ERR_WRITE, "recalc equipment");
    }
  }
  Advance(total, position);
  return failure.Finish();
}

int RecalcAccountBalances(int total, int* position) {
  Failure failure;
  AnswerMemory answers;
  // The live rows that post to each account, in row order: transactions by
  // their primary account, support lines by their support account and by
  // their reserve account. The recalculation writes account records only,
  // so these hold throughout.
  std::unordered_map<LONG, std::vector<int>> transRows, lineRows, reserveRows;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted) transRows[k.account].push_back(r);
  }
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (k.status == kStatusDeleted) continue;
    lineRows[k.account].push_back(r);
    reserveRows[k.reserveAccount].push_back(r);
  }
  const std::vector<int> none;
  auto rowsOf = [&none](const std::unordered_map<LONG, std::vector<int>>& rows, LONG number) -> const std::vector<int>& {
    auto found = rows.find(number);
    return found == rows.end() ? none : found->second;
  };
  for (int a = 0; a < AcctTable.rowCount && !failure.Any(); ++a) {
    if (AcctTable.keys[static_cast<size_t>(a)].status == kStatusDeleted) {
      Advance(total, position);
      continue;
    }
    AccountRecord acct;
    if (ReadRecord(AcctFile, acct, a) != 1) {
      failure.Set(ERR_READ, "recalc account");
      break;
    }
    const bool equipment = acct.number == kEquipmentAccount;
    const char letter = GetAcctClass(acct.number);
    // Account 399 starts from what the equipment recalculation stored: its
    // purchase postings are its items.
    AmountSum balance(equipment ? acct.currentBalance : acct.openingBalance);
    long long count = equipment ? acct.usageCount : 0;
    for (int r : rowsOf(transRows, acct.number)) {
      TransactionRecord t;
      if (ReadRecord(TransFile, t, r) != 1) {
        failure.Set(ERR_READ, "recalc transaction");
        break;
      }
      if (equipment && t.factor != -1) continue;
      balance += Posted(t.factor, t.amount);
      ++count;
    }
    for (int r : rowsOf(letter == 'R' ? reserveRows : lineRows, acct.number)) {
      if (failure.Any()) break;
      SupportLineRecord line;
      if (ReadRecord(SupportFile, line, r) != 1) {
        failure.Set(ERR_READ, "recalc support");
        break;
      }
      if (letter == 'R') {
        balance += Posted(line.reserveFactor, line.reserveAmount);
      } else {
        if (equipment && line.factor != -1) continue;
        balance += Posted(line.factor, line.amount);
      }
      ++count;
    }
    if (failure.Any()) break;
    if (!balance.Fits()) {
      failure.Set(ERR_PARSE, "account balance (beyond the amount range)");
      break;
    }
    const LONG newBalance = balance.Value();

    bool changed = false;
    if (equipment) {
      changed = newBalance != acct.currentBalance || count != acct.usageCount;
      acct.currentBalance = newBalance;
      acct.usageCount = static_cast<LONG>(count);
    } else if (newBalance != acct.currentBalance) {
      char question[160];
      std::snprintf(question, sizeof question, "Reset account %d/%s from %s to %s", acct.number, acct.name,
                    Dollars(acct.currentBalance).c_str(), Dollars(newBalance).c_str());
      int answer = answers.Ask(question);
      if (answer == ANSWER_CANCEL) {
        failure.cancelled = true;
        break;
      }
      if (AnswerMemory::Applies(answer)) {
        acct.currentBalance = newBalance;
        acct.usageCount = static_cast<LONG>(count);
        changed = true;
      }
    } else if (count != acct.usageCount) {
      char text[160];
      std::snprintf(text, sizeof text, "Account %d/%s 'usage' flag reset from %d to %lld", acct.number, acct.name,
                    acct.usageCount, count);
      acct.usageCount = static_cast<LONG>(count);
      changed = true;
      Notice(text);
    }
    if (changed && WriteRecord(AcctFile, acct, a) != 1) {
      failure.Set(ERR_WRITE, "recalc account");
      break;
    }
    Advance(total, position);
  }
  return failure.Finish();
}

int RecalcMemberBalances(int total, int* position) {
  Failure failure;
  const int members = MemberTable.rowCount;
  std::vector<LONG> usage(static_cast<size_t>(members), 0);
  std::vector<AmountSum> change(static_cast<size_t>(members));

  // The support account of every line key, deleted lines included (the
  // first row of a key counts).
  std::unordered_map<LONG, LONG> lineAccounts;
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    // The wrapped key of an id beyond kMaxTransId may equal a real line's.
    if (k.id > kMaxTransId) continue;
    lineAccounts.emplace(LineKey(k.id, k.line), k.account);
  }
  std::unordered_map<LONG, std::vector<int>> sharesByKey = RowsByKey(SubAcctTable);

  for (int s = 0; s < SplitTable.rowCount && !failure.Any(); ++s) {
    const LONG key = SplitTable.keys[static_cast<size_t>(s)];
    if (key != -1) {
      SplitRecord split;
      if (ReadRecord(SplitFile, split, s) != 1) {
        failure.Set(ERR_READ, "recalc split");
        break;
      }
      auto line = lineAccounts.find(key);
      if (line == lineAccounts.end()) {
        failure.Set(ERR_UNMATCHED, "recalc split");
        break;
      }
      const bool reserve = GetAcctClass(line->second) == 'R';
      for (int r : sharesByKey[key]) {
        SubAccountRecord share;
        if (ReadRecord(SubAcctFile, share, r) != 1) {
          failure.Set(ERR_READ, "recalc sub-account");
          break;
        }
        if (share.memberRow < 0 || share.memberRow >= members) continue;
        ++usage[static_cast<size_t>(share.memberRow)];
        if (!reserve)
          change[static_cast<size_t>(share.memberRow)].AddTimes(
              SignedAmount(line->second, -1, split.factor, share.cash, share.accountAmount), split.factor);
      }
    }
    Advance(total, position);
  }

  AnswerMemory answers;
  for (int m = 0; m < members && !failure.Any(); ++m) {
    if (MemberTable.keys[static_cast<size_t>(m)].status == kStatusDeleted) {
      Advance(total, position);
      continue;
    }
    MemberRow member;
    if (ReadMemberRecord(MemberFile, &member, 4, 0, m) != 1) {
      failure.Set(ERR_READ, "recalc member");
      break;
    }
    AmountSum wide(member.openingBalance);
    wide += change[static_cast<size_t>(m)];
    if (!wide.Fits()) {
      failure.Set(ERR_PARSE, "member balance (beyond the amount range)");
      break;
    }
    const LONG balance = wide.Value();
    const LONG count = usage[static_cast<size_t>(m)];
    bool changed = false;
    if (balance != member.currentBalance) {
      char question[160];
      std::snprintf(question, sizeof question, "Reset %s %s from %s to %s", member.firstName, member.lastName,
                    Dollars(member.currentBalance).c_str(), Dollars(balance).c_str());
      int answer = answers.Ask(question);
      if (answer == ANSWER_CANCEL) {
        failure.cancelled = true;
        break;
      }
      if (AnswerMemory::Applies(answer)) {
        member.currentBalance = balance;
        member.transCount = count;
        changed = true;
      }
    } else if (count != member.transCount) {
      char text[160];
      std::snprintf(text, sizeof text, "%s %s's 'usage' reset from %d to %d", member.firstName, member.lastName,
                    member.transCount, count);
      member.transCount = count;
      changed = true;
      Notice(text);
    }
    // A member who still holds money has not left.
    if (member.currentBalance != 0 && member.status == kStatusMarked) {
      member.status = kStatusLive;
      MemberTable.keys[static_cast<size_t>(m)].status = kStatusLive;
      std::memset(member.dateLeft, 0, sizeof member.dateLeft);
      changed = true;
    }
    if (changed && WriteMemberRecord(MemberFile, &member, m) != 1) {
      failure.Set(ERR_WRITE, "recalc member");
      break;
    }
    Advance(total, position);
  }
  return failure.Finish();
}

int RecalcFriendContributions(int total, int* position) {
  Failure failure;
  AnswerMemory answers;
  for (int f = 0; f < FriendTable.rowCount && !failure.Any(); ++f) {
    if (FriendTable.keys[static_cast<size_t>(f)].status != kStatusDeleted) {
      FriendRecord rec;
      if (ReadRecord(FriendFile, rec, f) != 1) {
        failure.Set(ERR_READ, "recalc friend");
        break;
      }
      long long wide = 0;
      for (LONG amount : rec.yearAmounts) wide += amount;
      if (!FitsLong(wide)) {
        failure.Set(ERR_PARSE, "friend contribution (beyond the amount range)");
        break;
      }
      const LONG sum = static_cast<LONG>(wide);
      if (sum != rec.total) {
        char question[160];
        std::snprintf(question, sizeof question, "Reset %s %s's total contribution from %s to %s", rec.firstName,
                      rec.lastName, Dollars(rec.total).c_str(), Dollars(sum).c_str());
        int answer = answers.Ask(question);
        if (answer == ANSWER_CANCEL) {
          failure.cancelled = true;
          break;
        }
        if (AnswerMemory::Applies(answer)) {
          rec.total = sum;
          if (WriteRecord(FriendFile, rec, f) != 1) {
            failure.Set(ERR_WRITE, "recalc friend");
            break;
          }
          FriendTable.keys[static_cast<size_t>(f)].total = sum;
        }
      }
    }
    Advance(total, position);
  }
  return failure.Finish();
}

void RebuildIndexes(int total, int* position) {
  Advance(total, position);
  SortAccounts();
  UpdateNextAcctNumbers();
  Advance(total, position);
  SortEquipment();
  Advance(total, position);
  SortFriends();
  Advance(total, position);
  SortSchedules();
  Advance(total, position);
  SortMembers();
  Advance(total, position);
  SortSupportLines();
  Advance(total, position);
  SortTransactions();
}
