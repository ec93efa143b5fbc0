#include "store/SplitStore.h"

#include <cstdio>
#include <cstring>

#include "common/Dates.h"
#include "store/AcctClass.h"
#include "store/MemberStore.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/StoreUtil.h"

namespace {

// What one share does to its member's balance on a line account: at most
// 2^62 either way, a 32-bit amount times a 32-bit factor (a reserve line,
// whose amount may be two 32-bit amounts, moves no balance).
long long ShareEffect(int lineAccount, int splitFactor, const SubAccountRecord& s) {
  if (GetAcctClass(lineAccount) == 'R') return 0;
  return SignedAmount(lineAccount, -1, splitFactor, s.cash, s.accountAmount) * splitFactor;
}

// Reads a member for a change of its passbook. The record is read in its
// own layout whatever its adult marker says, so that writing it back never
// blanks a record.
bool ReadMemberForPosting(int row, MemberRow* form) {
  if (ReadMemberRecord(MemberFile, form, 4, 0, row) != 1) {
    ShowStoreError(ERR_READ, "scout", MSG_FATAL);
    return false;
  }
  return true;
}

// Moves a member's balance and count; a result beyond the 32-bit range
// stems from a damaged record, and nothing is moved.
bool PostToMember(MemberRow* form, long long change, int uses) {
  const long long balance = form->currentBalance + change;
  const long long count = static_cast<long long>(form->transCount) + uses;
  if (!FitsLong(balance) || !FitsLong(count)) {
    ShowStoreError(ERR_PARSE, "scout balance", MSG_ERROR);
    return false;
  }
  form->currentBalance = static_cast<LONG>(balance);
  form->transCount = static_cast<LONG>(count);
  return true;
}

bool WriteMemberAfterPosting(int row, MemberRow* form) {
  if (WriteMemberRecord(MemberFile, form, row) != 1) {
    ShowStoreError(ERR_WRITE, "scout", MSG_FATAL);
    return false;
  }
  return true;
}

}  // namespace

void ResetSplitBuffers(SplitRecord* split, SubAccountRecord* shares) {
  if (split) *split = SplitRecord{0, 0, 1, 0, 0, 0};
  if (shares)
    for (int i = 0; i < kMemberSlots; ++i) shares[i] = SubAccountRecord{0, 0, 0, 0, i, 0};
}

int AddSubAccount(int lineAccount, const SplitRecord* split, SubAccountRecord* share) {
  StoreUndo undo;
  LineKeyTable& t = SubAcctTable;
  int row = FirstFreeLineRow(t);
  if (RefuseWhenFull(t, row, "sub-account")) return 0;
  if (share->memberRow < 0 || share->memberRow >= MemberTable.rowCount) {
    ShowStoreError(ERR_UNMATCHED, "scout", MSG_ERROR);
    return 0;
  }
  if (WriteRecord(SubAcctFile, *share, row) != 1) {
    ShowStoreError(ERR_WRITE, "sub-account", MSG_FATAL);
    return 0;
  }
  PutLiveKeyRow(t, row, share->lineKey);
  MemberRow m;
  if (!ReadMemberForPosting(share->memberRow, &m)) return 0;
  if (!PostToMember(&m, ShareEffect(lineAccount, split->factor, *share), 1)) return 0;
  if (!WriteMemberAfterPosting(share->memberRow, &m)) return 0;
  return undo.Keep(1);
}

int AddSplit(int lineAccount, SplitRecord* split, SubAccountRecord* shares) {
  StoreUndo undo;
  LineKeyTable& t = SplitTable;
  int row = FirstFreeLineRow(t);
  if (RefuseWhenFull(t, row, "split")) return 0;
  if (WriteRecord(SplitFile, *split, row) != 1) {
    ShowStoreError(ERR_WRITE, "split", MSG_FATAL);
    return 0;
  }
  PutLiveKeyRow(t, row, split->lineKey);
  for (int j = 0; j < MemberCapacity && j < kMemberSlots; ++j) {
    if (!TakesPart(shares[j])) continue;
    shares[j].memberRow = j;
    shares[j].lineKey = split->lineKey;
    if (!AddSubAccount(lineAccount, split, &shares[j])) return 0;
  }
  return undo.Keep(1);
}

int DeleteSubAccount(int row, int splitFactor, int lineAccount) {
  StoreUndo undo;
  SubAccountRecord share;
  if (ReadRecord(SubAcctFile, share, row) != 1) {
    ShowStoreError(ERR_READ, "sub-account", MSG_FATAL);
    return 0;
  }
  SubAccountRecord freed = share;
  freed.lineKey = -1;
  if (WriteRecord(SubAcctFile, freed, row) != 1) {
    ShowStoreError(ERR_WRITE, "sub-account", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(SubAcctTable, row);
  MemberRow m;
  if (!ReadMemberForPosting(share.memberRow, &m)) return 0;
  long long change = 0;
  if (GetAcctClass(lineAccount) != 'R') {
    // A member who had left comes back when a share of theirs is removed.
    if (m.status != 0) {
      m.status = 0;
      m.dateLeft[0] = 0;
      if (static_cast<size_t>(share.memberRow) < MemberTable.keys.size())
        MemberTable.keys[static_cast<size_t>(share.memberRow)].status = 0;
    }
    change = -ShareEffect(lineAccount, splitFactor, share);
  }
  if (!PostToMember(&m, change, -1)) return 0;
  if (!WriteMemberAfterPosting(share.memberRow, &m)) return 0;
  return undo.Keep(1);
}

int DeleteSplit(int lineAccount, int row) {
  StoreUndo undo;
  SplitRecord split;
  if (ReadRecord(SplitFile, split, row) != 1) {
    ShowStoreError(ERR_READ, "split", MSG_FATAL);
    return 0;
  }
  LONG key = split.lineKey;
  SplitRecord freed = split;
  freed.lineKey = -1;
  if (WriteRecord(SplitFile, freed, row) != 1) {
    ShowStoreError(ERR_WRITE, "split", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(SplitTable, row);
  for (int r = 0; r < SubAcctTable.rowCount; ++r) {
    if (SubAcctTable.keys[static_cast<size_t>(r)] != key) continue;
    if (!DeleteSubAccount(r, split.factor, lineAccount)) return 0;
  }
  return undo.Keep(1);
}

int ModifySubAccount(int row, int lineAccount, int oldLineAccount, const SplitRecord* split,
                     const SplitRecord* oldSplit, SubAccountRecord* share, const SubAccountRecord* oldShare) {
  StoreUndo undo;
  if (WriteRecord(SubAcctFile, *share, row) != 1) {
    ShowStoreError(ERR_WRITE, "sub-account", MSG_FATAL);
    return 0;
  }
  // Two effects of 2^62 apart leave even the 64-bit range.
  AmountSum delta(ShareEffect(lineAccount, split->factor, *share));
  delta -= ShareEffect(oldLineAccount, oldSplit->factor, *oldShare);
  if (delta.Beyond()) {
    ShowStoreError(ERR_PARSE, "scout balance", MSG_ERROR);
    return 0;
  }
  if (delta.Wide() != 0) {
    MemberRow m;
    if (!ReadMemberForPosting(share->memberRow, &m)) return 0;
    if (!PostToMember(&m, delta.Wide(), 0)) return 0;
    if (!WriteMemberAfterPosting(share->memberRow, &m)) return 0;
  }
  return undo.Keep(1);
}

int ModifySplit(int row, int lineAccount, int oldLineAccount, SplitRecord* split, const SplitRecord* oldSplit,
                SubAccountRecord* shares, const SubAccountRecord* oldShares) {
  StoreUndo undo;
  if (WriteRecord(SplitFile, *split, row) != 1) {
    ShowStoreError(ERR_WRITE, "split", MSG_FATAL);
    return 0;
  }
  SplitTable.keys[static_cast<size_t>(row)] = split->lineKey;
  // A share whose own figures are unchanged still moves its member when
  // the split's factor or the line's account changed.
  bool postingChanged = split->factor != oldSplit->factor || lineAccount != oldLineAccount;
  for (int i = 0; i < MemberCapacity && i < kMemberSlots; ++i) {
    SubAccountRecord& now = shares[i];
    const SubAccountRecord& was = oldShares[i];
    bool takes = TakesPart(now), took = TakesPart(was);
    now.memberRow = i;
    now.lineKey = split->lineKey;
    if (takes && !took) {
      if (!AddSubAccount(lineAccount, split, &now)) return 0;
    } else if (takes && took) {
      if (now.units == was.units && now.cash == was.cash && now.accountAmount == was.accountAmount &&
          !postingChanged)
        continue;
      int r = FindSubAccountRow(oldSplit->lineKey, i);
      if (r < 0) return 0;
      if (!ModifySubAccount(r, lineAccount, oldLineAccount, split, oldSplit, &now, &was)) return 0;
    } else if (took) {
      int r = FindSubAccountRow(oldSplit->lineKey, i);
      if (r < 0) return 0;
      if (!DeleteSubAccount(r, oldSplit->factor, oldLineAccount)) return 0;
    }
  }
  return undo.Keep(1);
}

int FindSplitRow(int lineKey, int* rowOut) {
  for (int r = 0; r < SplitTable.rowCount; ++r)
    if (SplitTable.keys[static_cast<size_t>(r)] == lineKey) {
      if (rowOut) *rowOut = r;
      return 1;
    }
  if (rowOut) *rowOut = -1;
  return 0;
}

int FindSubAccountRow(int lineKey, int memberRow) {
  for (int r = 0; r < SubAcctTable.rowCount; ++r) {
    if (SubAcctTable.keys[static_cast<size_t>(r)] != lineKey) continue;
    SubAccountRecord s;
    if (ReadRecord(SubAcctFile, s, r) != 1) continue;
    if (s.memberRow == memberRow) return r;
  }
  char text[256];
  std::snprintf(text, sizeof text, "Could not find sub-account: %d/%d", lineKey, memberRow);
  DispMessage(text, MSG_ERROR);
  return -1;
}

long long SumPassbookSplit(int account, const SplitRecord* split, const SubAccountRecord* shares) {
  if (account == 0) return 0;
  long long sum = split->unitShare;
  for (int i = 0; i < kMemberSlots; ++i)
    sum += SignedAmount(account, -1, split->factor, shares[i].cash, shares[i].accountAmount);
  return sum;
}

int SumPassbook(int member, int account, const char* from, const char* to, int* openingOut, int* closingOut,
                int* reserveOut) {
  int reserveOpening = 0;
  if (!SumMemberReserves(account, member, &reserveOpening, nullptr, nullptr)) return 0;
  AmountSum reserveTotal(reserveOpening), reserveOpeningSum(reserveOpening), opening;
  if (account == -1) {
    for (int r = 0; r < MemberTable.rowCount; ++r) {
      if (member != -1 && r != member) continue;
      const MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
      if (k.status == kStatusDeleted || !k.passbook) continue;
      MemberRow m;
      if (ReadMemberRecord(MemberFile, &m, 4, 0, r) != 1) {
        ShowStoreError(ERR_READ, "passbook", MSG_FATAL);
        return 0;
      }
      opening += m.openingBalance;
    }
  }
  AmountSum closing = opening;
  const bool reserveAccount = account != -1 && GetAcctClass(account) == 'R';
  const auto dates = LiveTransactionDates();
  for (int s = 0; s < SupportTable.rowCount; ++s) {
    const SupportKey& lk = SupportTable.keys[static_cast<size_t>(s)];
    if (lk.status != 0) continue;
    if (account != -1 && (reserveAccount ? lk.reserveAccount : lk.account) != account) continue;
    auto d = dates.find(lk.id);
    if (d == dates.end() || !DateInRange(FiscalStartDate, to, d->second, DF_YYYYMMDD)) continue;
    const bool before = CompareDates(d->second, from, DF_YYYYMMDD) < 0;
    const bool lineIsReserve = GetAcctClass(lk.account) == 'R';
    auto add = [&](const SplitRecord& split, const SubAccountRecord& share) {
      if (member != -1 && share.memberRow != member) return;
      const int f = split.factor;
      AmountSum ae, re;
      ae.AddTimes(SignedAmount(lk.account, -1, f, share.cash, share.accountAmount), f);
      re.AddTimes(SignedAmount(lk.reserveAccount, lk.account, f, share.cash, share.accountAmount), f);
      if (before) {
        if (lineIsReserve) {
          reserveOpeningSum += ae;
          reserveTotal += ae;
        } else {
          opening += ae;
          closing += ae;
          if (lk.reserveAccount != 0) {
            reserveOpeningSum += re;
            reserveTotal += re;
          }
        }
      } else if (lineIsReserve) {
        reserveTotal += ae;
      } else {
        closing += ae;
        if (lk.reserveAccount != 0) reserveTotal += re;
      }
    };
    if (!ForEachShareOfLine(LineKey(lk.id, lk.line), add)) return 0;
  }
  const AmountSum& openingTotal = reserveAccount ? reserveOpeningSum : opening;
  const AmountSum& closingTotal = reserveAccount ? reserveTotal : closing;
  if (!StoreTotals("passbook (beyond the amount range)",
                   {{openingOut, &openingTotal}, {closingOut, &closingTotal}, {reserveOut, &reserveTotal}}))
    return 0;
  return 1;
}
