#include "store/ReserveAudit.h"

#include "platform/base/Collections.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/StoreUtil.h"

CResAudit::CResAudit() {
  const int members = MemberTable.rowCount;
  flags_.assign(static_cast<size_t>(members > 0 ? members : 0), 0);
  accountRows_ = AcctTable.rowCount;
  if (members <= 0 || accountRows_ <= 0 || !HasReserveAccounts() || !OpenReserveFile()) return;

  std::vector<AmountSum> balances(static_cast<size_t>(accountRows_) * static_cast<size_t>(members));
  auto entry = [&](LONG memberRow, LONG account) -> AmountSum* {
    if (memberRow < 0 || memberRow >= members) return nullptr;
    int i = BalanceIndex(memberRow, account);
    return i < 0 ? nullptr : &balances[static_cast<size_t>(i)];
  };

  const char* failure = nullptr;
  // Initial reserves: a later record for the same member and account
  // replaces an earlier one.
  for (int r = 0;; ++r) {
    ReserveRecord rec;
    int got = ReadRecord(ReserveFile, rec, r);
    if (got == -1) break;
    if (got != 1) {
      failure = "reserve";
      break;
    }
    if (rec.memberRow == -1 || rec.account == -1) continue;
    if (AmountSum* e = entry(rec.memberRow, rec.account)) *e = AmountSum(rec.amount);
  }

  // Reserve shares of the year's split lines.
  for (int r = 0; r < SupportTable.rowCount && !failure; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusLive || k.reserveAccount == 0) continue;
    const LONG lineKey = LineKey(k.id, k.line);
    bool haveSplit = false;
    SplitRecord split;
    for (int s = 0; s < SplitTable.rowCount; ++s) {
      if (SplitTable.keys[static_cast<size_t>(s)] != lineKey) continue;
      if (ReadRecord(SplitFile, split, s) != 1) {
        failure = "split";
        break;
      }
      haveSplit = true;
    }
    if (failure || !haveSplit) continue;
    for (int s = 0; s < SubAcctTable.rowCount; ++s) {
      if (SubAcctTable.keys[static_cast<size_t>(s)] != lineKey) continue;
      SubAccountRecord share;
      if (ReadRecord(SubAcctFile, share, s) != 1) {
        failure = "sub-account";
        break;
      }
      if (AmountSum* e = entry(share.memberRow, k.reserveAccount))
        e->AddTimes(SignedAmount(k.reserveAccount, k.account, split.factor, share.cash, share.accountAmount),
                    split.factor);
    }
  }

  // A balance beyond the amount range stems from a damaged record; its sign
  // means nothing, and the audit marks no one.
  bool beyond = false;
  if (!failure) {
    for (int m = 0; m < members && !beyond; ++m)
      for (int a = 0; a < accountRows_; ++a) {
        const AmountSum& b =
            balances[static_cast<size_t>(a) + static_cast<size_t>(m) * static_cast<size_t>(accountRows_)];
        if (!b.Fits()) {
          beyond = true;
          break;
        }
        if (b.Value() < 0) flags_[static_cast<size_t>(m)] = 1;
      }
  }
  CloseReserveFile();
  if (failure) ShowStoreError(ERR_READ, failure, MSG_FATAL);
  else if (beyond) ShowStoreError(ERR_PARSE, "reserve balance (beyond the amount range)", MSG_ERROR);
  if (failure || beyond) flags_.assign(flags_.size(), 0);
}

CResAudit::~CResAudit() = default;

int CResAudit::IsNegative(int memberRow) const {
  if (memberRow < 0 || static_cast<size_t>(memberRow) >= flags_.size()) return 0;
  return flags_[static_cast<size_t>(memberRow)];
}

int CResAudit::BalanceIndex(int memberRow, int accountNumber) const {
  for (int a = 0; a < AcctTable.rowCount && a < accountRows_; ++a)
    if (AcctTable.keys[static_cast<size_t>(a)].number == accountNumber) return a + memberRow * accountRows_;
  return -1;
}

void GetReserveFootnotes(int perAccount, CStringArray* lines) {
  if (lines == nullptr) return;
  lines->RemoveAll();
  lines->SetSize(4);
  lines->SetAt(0, " ");
  if (perAccount) {
    lines->SetAt(1,
                 "(*) A negative reserve balance is unusual, indicating the member has spent more reserves than were");
    lines->SetAt(2,
                 "actually held.  This causes the member's Available Funds to appear greater than they actually are.");
  } else {
    lines->SetAt(1,
                 "(*) For at least one reserve account, the member spent more reserves than were actually held.  "
                 "This causes");
    lines->SetAt(2,
                 "the member's Available Funds to appear greater than they actually are.  See the Member Reserve "
                 "Totals");
    lines->SetAt(3, "report to determine which reserve account has been overspent.");
  }
}
