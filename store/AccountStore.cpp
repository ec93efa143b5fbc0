#include "store/AccountStore.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "common/Dates.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/OtherStores.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/SplitStore.h"
#include "store/StoreUndo.h"
#include "store/StoreUtil.h"
#include "store/TransStore.h"

int FindAcctIndex(int number, int* posOut) {
  for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    if (k.number == number) {
      if (posOut) *posOut = pos;
      return 1;
    }
    if (k.number > number) {
      if (posOut) *posOut = pos;
      return 0;
    }
  }
  if (posOut) *posOut = -1;
  return 0;
}

void GetAcctLabel(int number, char* out, size_t size) {
  int pos;
  if (FindAcctIndex(number, &pos)) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])];
    std::snprintf(out, size, "%d - %s", number, k.name);
  } else {
    std::snprintf(out, size, "%s", "Unknown account");
  }
}

namespace {

// Writes the account's reserve shares from row 0 on: each member with a
// share takes the first slot that is free or already this account's (or
// the end of the file); with `freeRest` every later record of the account
// is freed. Stops at the first failure.
int WriteReserveShares(int account, const int* memberRows, int memberCount, const int* shares, bool reuseOwn,
                       bool freeRest) {
  int scan = 0;
  for (int j = 0; j < memberCount; ++j) {
    if (shares[j] == 0) continue;
    ReserveRecord rec;
    int r;
    for (;; ++scan) {
      r = ReadRecord(ReserveFile, rec, scan);
      if (r != 1 || rec.account == -1 || (reuseOwn && rec.account == account)) break;
    }
    if (r == 0) {
      ShowStoreError(ERR_READ, "reserve", MSG_FATAL);
      return 0;
    }
    ReserveRecord share{memberRows[j], account, shares[j]};
    if (WriteRecord(ReserveFile, share, scan) != 1) {
      ShowStoreError(ERR_WRITE, "reserve", MSG_FATAL);
      return 0;
    }
    ++scan;
  }
  if (freeRest) {
    for (;; ++scan) {
      ReserveRecord rec;
      int r = ReadRecord(ReserveFile, rec, scan);
      if (r == -1) break;
      if (r == 0) {
        ShowStoreError(ERR_READ, "reserve", MSG_FATAL);
        return 0;
      }
      if (rec.account != account) continue;
      ReserveRecord freed{-1, -1, 0};
      if (WriteRecord(ReserveFile, freed, scan) != 1) {
        ShowStoreError(ERR_WRITE, "reserve", MSG_FATAL);
        return 0;
      }
    }
  }
  return 1;
}

}  // namespace

int AddAcct(AccountRecord* record, const int* memberRows, int memberCount, const int* shares, int* rowOut) {
  StoreUndo undo;
  AcctKeyTable& t = AcctTable;
  int row = FirstFreeRow(t);
  if (RefuseWhenFull(t, row, "account")) return 0;
  if (WriteRecord(AcctFile, *record, row) != 1) {
    ShowStoreError(ERR_WRITE, "account", MSG_FATAL);
    return 0;
  }
  AcctKey key = KeyOf(*record);
  key.selected = 0;
  PutLiveKeyRow(t, row, key);
  SortAccounts();
  int cls = GetAcctClassRow(record->number);
  if (cls >= 0 && AcctClassTable[cls].nextFree == record->number) UpdateNextAcctNumbers();
  if (record->memberReserves) {
    if (!OpenReserveFile()) return 0;
    int ok = WriteReserveShares(record->number, memberRows, memberCount, shares, false, false);
    CloseReserveFile();
    if (!ok) return 0;
  }
  if (rowOut) *rowOut = row;
  return undo.Keep(1);
}

int ModifyAcct(AccountRecord* record, const AccountRecord* oldRecord, const int* memberRows, int memberCount,
               const int* shares, int row) {
  StoreUndo undo;
  if (WriteRecord(AcctFile, *record, row) != 1) {
    ShowStoreError(ERR_WRITE, "account", MSG_FATAL);
    return 0;
  }
  AcctKey& k = AcctTable.keys[static_cast<size_t>(row)];
  std::memcpy(k.name, record->name, sizeof k.name);
  if (record->memberReserves || (oldRecord && oldRecord->memberReserves)) {
    if (!OpenReserveFile()) return 0;
    int ok = WriteReserveShares(record->number, memberRows, record->memberReserves ? memberCount : 0, shares,
                                true, true);
    CloseReserveFile();
    if (!ok) return 0;
  }
  SortAccounts();
  return undo.Keep(1);
}

int DeleteAcct(int number) {
  char label[64];
  int pos;
  if (!FindAcctIndex(number, &pos)) {
    std::snprintf(label, sizeof label, "%d", number);
    ShowStoreError(ERR_NOT_FOUND, label, MSG_ERROR);
    return 0;
  }
  int row = AcctTable.byNumber[static_cast<size_t>(pos)];
  std::snprintf(label, sizeof label, "%3d - %s", number, AcctTable.keys[static_cast<size_t>(row)].name);
  if (!ConfirmDelete(label)) return 0;
  AccountRecord rec;
  if (ReadRecord(AcctFile, rec, row) != 1) {
    ShowStoreError(ERR_READ, "account", MSG_FATAL);
    return 0;
  }
  if (number == kEquipmentAccount || number == kReserveAllocationAccount || number == kDuesAccount) {
    DispMessage("You may not delete a reserved system account", MSG_WARNING);
    return 0;
  }
  if (rec.usageCount != 0) {
    DispMessage("Account is involved in transactions - cannot delete", MSG_WARNING);
    return 0;
  }
  StoreUndo undo;
  rec.status = kStatusDeleted;
  if (WriteRecord(AcctFile, rec, row) != 1) {
    ShowStoreError(ERR_WRITE, "account", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(AcctTable, row);
  UpdateNextAcctNumbers();
  if (rec.memberReserves) {
    if (!OpenReserveFile()) return 0;
    bool ok = true;
    for (int r = 0; ok; ++r) {
      ReserveRecord res;
      int got = ReadRecord(ReserveFile, res, r);
      if (got == -1) break;
      if (got == 0) {
        ShowStoreError(ERR_READ, "reserve", MSG_FATAL);
        ok = false;
      } else if (res.account == number) {
        res.account = -1;
        if (WriteRecord(ReserveFile, res, r) != 1) {
          ShowStoreError(ERR_WRITE, "reserve", MSG_FATAL);
          ok = false;
        }
      }
    }
    CloseReserveFile();
    if (!ok) return 0;
  }
  if (OpenScheduleFiles()) {
    DeleteSchedule(nullptr, number, 1);
    CloseScheduleFiles();
  }
  if (rec.budgetRow >= 0 && rec.budgetRow < BudgetTable.rowCount) {
    BudgetRecord budget;
    if (ReadRecord(BudgetFile, budget, rec.budgetRow) != 1) {
      ShowStoreError(ERR_READ, "budget", MSG_FATAL);
      return 0;
    }
    budget.status = kStatusDeleted;
    if (WriteRecord(BudgetFile, budget, rec.budgetRow) != 1) {
      ShowStoreError(ERR_WRITE, "budget", MSG_FATAL);
      return 0;
    }
    BudgetTable.keys[static_cast<size_t>(rec.budgetRow)].status = kStatusDeleted;
  }
  // Links left behind would pass to an account later created with this
  // number: the delete stands only with them gone.
  if (!TheAcctGroupDBase().RemoveAccount(number)) {
    DispMessage(TheAcctGroupDBase().GetErrorText(), MSG_FATAL);
    return 0;
  }
  return undo.Keep(1);
}

int AutoCloseReserves(int account, const char* date, char* messageOut, size_t size) {
  auto detail = std::make_unique<TransactionDetail>();
  TransactionDetail& d = *detail;
  ResetTransactionDetail(d.lines, d.splits, d.shares);
  TransactionRecord& t = d.transaction;
  t.id = NextTransId;
  t.account = kReserveAllocationAccount;
  CopyText(t.number, sizeof t.number, "AutoPost");
  t.month = (date[4] - '0') * 10 + (date[5] - '0') - 1;
  CopyText(t.date, sizeof t.date, date);
  std::snprintf(t.payee, sizeof t.payee, "Close out %d reserves", account);
  CopyText(t.remarks, sizeof t.remarks, "Auto-closed");
  t.status = 0;
  t.factor = 1;
  t.cleared = 0;
  t.multiLine = 0;
  int initial = 0, activity = 0;
  if (!SumMemberReserves(account, -1, &initial, nullptr, nullptr)) return 0;
  if (!SumAcctActivity(account, 'R', 0, date, nullptr, &activity)) return 0;
  // Every amount of the close-out is taken in 64 bits: the totals of a
  // damaged year may lie at the ends of the range, where a negation wraps.
  constexpr const char* kBeyond = "reserve close-out (beyond the amount range)";
  AmountSum amount;
  amount -= initial;
  amount -= activity;
  if (!TotalsFit(kBeyond, {amount})) return 0;
  t.amount = amount.Value();
  if (!OpenReserveFile()) return 0;
  AmountSum sharesSum;
  bool anyShare = false;
  for (int j = 0; j < MemberCapacity && j < kMemberSlots; ++j) {
    int opening = 0, closing = 0;
    if (MemberTable.keys.size() > static_cast<size_t>(j) && j < MemberTable.rowCount &&
        MemberTable.keys[static_cast<size_t>(j)].status != kStatusDeleted) {
      if (!SumPassbook(j, account, FiscalStartDate, date, &opening, &closing, nullptr)) {
        CloseReserveFile();
        return 0;
      }
    }
    SubAccountRecord& s = d.shares[0][j];
    s.lineKey = LineKey(t.id, 0);
    s.units = 0;
    s.cash = 0;
    AmountSum share;
    share -= closing;
    if (!TotalsFit(kBeyond, {share})) {
      CloseReserveFile();
      return 0;
    }
    s.accountAmount = share.Value();
    s.memberRow = j;
    if (s.accountAmount != 0) anyShare = true;
    sharesSum += s.accountAmount;
  }
  CloseReserveFile();
  SplitRecord& split = d.splits[0];
  split.lineKey = LineKey(t.id, 0);
  split.amountPerUnit = 0;
  split.rounding = 1;
  AmountSum unitShare(t.amount);
  unitShare -= sharesSum;
  if (!TotalsFit(kBeyond, {unitShare})) return 0;
  split.unitShare = unitShare.Value();
  split.factor = 1;
  SupportLineRecord& line = d.lines[0];
  line.id = t.id;
  line.line = 0;
  line.account = account;
  line.reserveAccount = account;
  line.status = 0;
  line.amount = t.amount;
  line.factor = SignedAmountByType('S', 1, account);
  const AmountSum reserveAmount(SumPassbookSplit(account, &split, d.shares[0]));
  if (!TotalsFit(kBeyond, {reserveAmount})) return 0;
  line.reserveAmount = reserveAmount.Value();
  line.reserveFactor = 1;
  line.cleared = 0;
  line.split = anyShare ? 1 : 0;
  CopyText(line.remarks, sizeof line.remarks, "Auto-closed");
  ++NextTransId;
  if (!AddTransaction(&t, d.lines, d.splits, d.shares)) {
    --NextTransId;
    return 0;
  }
  if (messageOut)
    std::snprintf(messageOut, size, "Transaction \"%s\", dated %s, has been posted to\nthe %s register.", "AutoPost",
                  FormatDateShort(date, DF_YYYYMMDD), "Reserve Allocation");
  return 1;
}
