// Load/save functions of the account, budget, equipment, friend, schedule,
// account-group and unit-information dialogs, and the remembered defaults.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/AcctGroup.h"
#include "store/OtherStores.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/StoreUtil.h"
#include "store/UnitInfo.h"
#include "store/Xfer.h"
#include "store/XferDefaults.h"

// Codes of the phone types "Home" and "Other" in the phone-type table.
namespace {
constexpr LONG kPhoneHome = 10;
constexpr LONG kPhoneOther = 80;
}  // namespace

XferDefaults& TheXferDefaults() {
  static XferDefaults d = [] {
    XferDefaults z;
    std::memset(&z, 0, sizeof z);
    z.transFactor = 1;
    return z;
  }();
  return d;
}

void ResetXferDefaults() {
  XferDefaults& d = TheXferDefaults();
  std::memset(&d, 0, sizeof d);
  d.transFactor = 1;
}

const char* FirstDefaultDate() { return TodayVsFiscalYear == 0 ? TodayDate : FiscalEndDate; }

void ShowCapacityNotice(const char* word) { ShowStoreError(ERR_TABLE_FULL, word, MSG_INFORMATION); }

int ShowReadFailure(const char* item) {
  ShowStoreError(ERR_READ, item, MSG_FATAL);
  return 0;
}

// ---- accounts ----

namespace {

// Opening reserves of the holders for one account, from the reserve file:
// the first record in file order for the account and the member counts.
void LoadOpeningReserves(LONG account, const int* memberRows, int holders, int* amounts) {
  if (!OpenReserveFile()) return;
  std::vector<ReserveRecord> records;
  for (int r = 0;; ++r) {
    ReserveRecord rec;
    int got = ReadRecord(ReserveFile, rec, r);
    if (got == -1) break;
    if (got != 1) {
      // The amounts found so far stay in step with their holders; the rest
      // keep 0.
      ShowStoreError(ERR_READ, "reserve", MSG_FATAL);
      break;
    }
    records.push_back(rec);
  }
  CloseReserveFile();
  for (int h = 0; h < holders; ++h)
    for (const ReserveRecord& rec : records)
      if (rec.account == account && rec.memberRow == memberRows[h]) {
        amounts[h] = rec.amount;
        break;
      }
}

}  // namespace

int XferAccount(int save, int isNew, int* pos, AccountRecord* edited, AccountRecord* stored, int* memberRows,
                int* holderCount, int* reserveAmounts) {
  if (save == 0) {
    int holders = 0;
    for (int p = 0; p < MemberTable.rowCount && holders < kMemberSlots; ++p) {
      int row = MemberTable.byTypeName[static_cast<size_t>(p)];
      const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
      if (k.status == kStatusDeleted || k.passbook == 0) continue;
      if (memberRows) memberRows[holders] = row;
      if (reserveAmounts) reserveAmounts[holders] = 0;
      ++holders;
    }
    if (holderCount) *holderCount = holders;
    if (isNew) {
      *stored = AccountRecord{};
      stored->budgetRow = -1;
      stored->classRow = -1;
      return 1;
    }
    int row = RowAtPosition(AcctTable, AcctTable.byNumber, pos);
    if (row < 0 || ReadRecord(AcctFile, *stored, row) != 1) return ShowReadFailure("account");
    if (stored->memberReserves && memberRows && reserveAmounts)
      LoadOpeningReserves(stored->number, memberRows, holders, reserveAmounts);
    return 1;
  }

  // A new opening balance moves the current one by the difference; a stored
  // record at the ends of the range (a damaged one) is refused, not wrapped.
  AmountSum current(stored->currentBalance);
  current += edited->openingBalance;
  current -= stored->openingBalance;
  if (!TotalsFit("account balance", {current})) return 0;
  edited->currentBalance = current.Value();
  int classRow = GetAcctClassRow(edited->number);
  if (classRow >= 0) edited->classRow = classRow;
  int holders = holderCount ? *holderCount : 0;
  if (isNew) {
    int row = -1;
    if (!AddAcct(edited, memberRows, holders, reserveAmounts, &row)) return 0;
    int p = LivePositionOf(AcctTable, AcctTable.byNumber, row);
    if (p >= 0 && pos) *pos = p;
    if (AcctTable.freeCount == 0) ShowCapacityNotice("account");
    return 1;
  }
  int row = RowAtPosition(AcctTable, AcctTable.byNumber, pos);
  if (row < 0) return ShowReadFailure("account");
  return FollowRow(AcctTable, AcctTable.byNumber, row, pos,
                   ModifyAcct(edited, stored, memberRows, holders, reserveAmounts, row));
}

// ---- budgets ----

int XferBudget(int save, int /*ignored*/, int* pos, AccountRecord* acct, BudgetRecord* budget) {
  int acctRow = RowAtPosition(AcctTable, AcctTable.byNumber, pos);
  // A budget row that names no row of the budget table comes from a damaged
  // account record; it is never used as an index.
  auto badBudgetRow = [acct] {
    if (acct->budgetRow == -1 || (acct->budgetRow >= 0 && acct->budgetRow < BudgetTable.rowCount)) return false;
    ShowStoreError(ERR_PARSE, "budget row of the account", MSG_ERROR);
    return true;
  };
  if (save == 0) {
    if (acctRow < 0 || ReadRecord(AcctFile, *acct, acctRow) != 1) return ShowReadFailure("account");
    if (badBudgetRow()) return 0;
    if (acct->budgetRow == -1) {
      *budget = BudgetRecord{};
      budget->number = acct->number;
      return 1;
    }
    if (ReadRecord(BudgetFile, *budget, acct->budgetRow) != 1) return ShowReadFailure("budget");
    return 1;
  }

  if (acctRow < 0) return ShowReadFailure("account");
  if (badBudgetRow()) return 0;
  bool allZero = std::all_of(std::begin(budget->months), std::end(budget->months), [](LONG m) { return m == 0; });
  const LONG hadRow = acct->budgetRow;
  const char hadStatus = budget->status;
  // The account's link and the budget record change together or not at
  // all: a link to a row the file does not hold fails the next open.
  StoreUndo undo;
  auto fail = [&](const char* item) {
    ShowStoreError(ERR_WRITE, item, MSG_FATAL);
    // The caller's buffers go back with the files, so that saving again
    // starts from what the files hold.
    acct->budgetRow = hadRow;
    budget->status = hadStatus;
    return 0;
  };
  LONG budgetRow = hadRow;
  if (hadRow == -1 && !allZero) {
    int row = 0;
    while (row < BudgetTable.rowCount && BudgetTable.keys[static_cast<size_t>(row)].status == kStatusLive) ++row;
    if (!HasRoomFor(BudgetTable, row)) {
      ShowStoreError(ERR_TABLE_FULL, "budget", MSG_ERROR);
      return 0;
    }
    budgetRow = row;
    budget->status = kStatusLive;
    acct->budgetRow = budgetRow;
  } else if (hadRow != -1 && allZero) {
    budget->status = kStatusDeleted;
    acct->budgetRow = -1;
  }
  if (acct->budgetRow != hadRow && WriteRecord(AcctFile, *acct, acctRow) != 1) return fail("account");
  if (budgetRow == -1) return undo.Keep(1);
  // A budget of all zeros is written once more, deleted, and then no longer
  // kept.
  if (WriteRecord(BudgetFile, *budget, budgetRow) != 1) return fail("budget");
  // The table follows once both records are on the disk.
  if (budgetRow == BudgetTable.rowCount) ++BudgetTable.rowCount;
  if (budgetRow < BudgetTable.rowCount) {
    BudgetKey& k = BudgetTable.keys[static_cast<size_t>(budgetRow)];
    k.number = budget->number;
    k.status = budget->status;
  }
  return undo.Keep(1);
}

// ---- equipment ----

int XferEquipment(int save, int isNew, int* pos, ListOfValues* category1List, ListOfValues* category2List,
                  EquipmentRecord* item) {
  XferDefaults& d = TheXferDefaults();
  if (!d.equipPurchaseDate[0]) SetText(d.equipPurchaseDate, TodayDate);

  if (save == 0) {
    // The dialog's category pick lists, filled anew at each load.
    if (category1List) GetListOfValues("ECAT1", 1, category1List);
    if (category2List) GetListOfValues("ECAT2", 1, category2List);
    if (isNew) {
      *item = EquipmentRecord{};
      SetText(item->purchaseDate, d.equipPurchaseDate);
      item->condition = 'E';
      item->quantity = 1;
      item->lineKey = -1;
      item->fiscalYear = std::atoi(FiscalYearYY);
      return 1;
    }
    int row = RowAtPosition(EquipTable, EquipTable.byDescription, pos);
    if (row < 0 || ReadRecord(EquipFile, *item, row) != 1) return ShowReadFailure("equipment item");
    SetText(d.equipStoredDate, item->purchaseDate);
    d.equipStoredPrice = item->price;
    d.equipStoredValue = item->currentValue;
    return 1;
  }

  item->status = item->dateRemoved[0] ? kStatusMarked : kStatusLive;
  if (isNew) {
    SetText(d.equipPurchaseDate, item->purchaseDate);
    int row = -1;
    if (!AddEquipItem(item, 0, &row)) return 0;
    int p = LivePositionOf(EquipTable, EquipTable.byDescription, row);
    if (p >= 0 && pos) *pos = p;
    if (EquipTable.freeCount == 0) ShowCapacityNotice("equipment item");
    return 1;
  }
  int row = RowAtPosition(EquipTable, EquipTable.byDescription, pos);
  if (row < 0) return ShowReadFailure("equipment item");
  if (!PostEquipToAccount(item, d.equipStoredDate, d.equipStoredPrice, d.equipStoredValue, row)) return 0;
  FollowRow(EquipTable, EquipTable.byDescription, row, pos, 1);
  // What account 399 now holds for the item: the base of the next change.
  SetText(d.equipStoredDate, item->purchaseDate);
  d.equipStoredPrice = item->price;
  d.equipStoredValue = item->currentValue;
  return 1;
}

// ---- friends ----

int XferFriend(int save, int isNew, int* pos, FriendRecord* rec) {
  XferDefaults& d = TheXferDefaults();
  if (!d.friendCity[0]) SetText(d.friendCity, UnitCity);
  if (!d.friendState[0]) SetText(d.friendState, UnitState);
  if (!d.friendZip[0]) SetText(d.friendZip, UnitZip);
  if (!d.friendPhoneTypesSet) {
    d.friendPhoneTypes[0] = kPhoneHome;
    d.friendPhoneTypes[1] = d.friendPhoneTypes[2] = d.friendPhoneTypes[3] = kPhoneOther;
    d.friendPhoneTypesSet = true;
  }

  if (save == 0) {
    if (isNew) {
      *rec = FriendRecord{};
      SetText(rec->city, d.friendCity);
      SetText(rec->state, d.friendState);
      SetText(rec->zip, d.friendZip);
      for (int i = 0; i < 4; ++i) rec->phones[i].type = d.friendPhoneTypes[i];
      int year = std::atoi(CurrentFiscalYear);
      for (int i = 0; i < 4; ++i) std::snprintf(rec->yearLabels[i], sizeof rec->yearLabels[i], "%d", year - 3 + i);
      return 1;
    }
    int row = RowAtPosition(FriendTable, FriendTable.byName, pos);
    if (row < 0 || ReadRecord(FriendFile, *rec, row) != 1) return ShowReadFailure("friend");
    return 1;
  }

  if (isNew) {
    SetText(d.friendCity, rec->city);
    SetText(d.friendState, rec->state);
    SetText(d.friendZip, rec->zip);
    for (int i = 0; i < 4; ++i) d.friendPhoneTypes[i] = rec->phones[i].type;
    int row = -1;
    if (!AddFriend(rec, &row)) return 0;
    int p = LivePositionOf(FriendTable, FriendTable.byName, row);
    if (p >= 0 && pos) *pos = p;
    if (FriendTable.freeCount == 0) ShowCapacityNotice("friend");
    return 1;
  }
  int row = RowAtPosition(FriendTable, FriendTable.byName, pos);
  if (row < 0) return ShowReadFailure("friend");
  return FollowRow(FriendTable, FriendTable.byName, row, pos, ModifyFriend(rec, row));
}

// ---- schedules ----

namespace {

// Opens the schedule files for one use unless a caller already holds them.
class ScheduleFilesUse {
 public:
  ScheduleFilesUse() : opened_(ScheduleFile == nullptr || ParticipantFile == nullptr) {
    ok_ = !opened_ || OpenScheduleFiles() == 1;
  }
  ~ScheduleFilesUse() {
    if (opened_) CloseScheduleFiles();
  }
  bool ok() const { return ok_; }

 private:
  bool opened_;
  bool ok_;
};

void CompactAndSortDueDates(ScheduleRecord& s) {
  int used = 0;
  for (int i = 0; i < 60; ++i) {
    if (!s.dueDates[i][0]) continue;
    if (used != i) {
      std::memcpy(s.dueDates[used], s.dueDates[i], sizeof s.dueDates[i]);
      s.amounts[used] = s.amounts[i];
    }
    ++used;
  }
  for (int i = used; i < 60; ++i) {
    std::memset(s.dueDates[i], 0, sizeof s.dueDates[i]);
    s.amounts[i] = 0;
  }
  for (int i = 0; i < 59; ++i)
    for (int k = i + 1; k < 60; ++k)
      if (s.dueDates[k][0] && std::strcmp(s.dueDates[i], s.dueDates[k]) > 0) {
        char date[9];
        std::memcpy(date, s.dueDates[i], 9);
        std::memcpy(s.dueDates[i], s.dueDates[k], 9);
        std::memcpy(s.dueDates[k], date, 9);
        std::swap(s.amounts[i], s.amounts[k]);
      }
}

}  // namespace

int XferSchedule(int save, int isNew, int* pos, AccountRecord* acct, ScheduleRecord* rec,
                 ParticipantRecord* slots) {
  if (save == 0) {
    for (int i = 0; i < kMemberSlots; ++i) {
      slots[i].scheduleRow = -1;
      slots[i].initialOwed = 0;
      slots[i].initialPaid = 0;
    }
    if (isNew) {
      *rec = ScheduleRecord{};
      rec->frequency = 'W';
      return 1;
    }
    int row = RowAtPosition(ScheduleTable, ScheduleTable.byName, pos);
    ScheduleFilesUse files;
    if (!files.ok()) return 0;
    if (row < 0 || ReadRecord(ScheduleFile, *rec, row) != 1) return ShowReadFailure("schedule");
    const int live = std::min(MemberTable.liveCount, kMemberSlots);
    for (int r = 0;; ++r) {
      ParticipantRecord p;
      int got = ReadRecord(ParticipantFile, p, r);
      if (got == -1) break;
      if (got != 1) return ShowReadFailure("participant");
      if (p.scheduleRow != row) continue;
      for (int i = 0; i < live; ++i)
        if (slots[i].memberRow == p.memberRow) {
          slots[i] = p;
          break;
        }
    }
    int acctPos = -1;
    if (!FindAcctIndex(rec->account, &acctPos) || acctPos < 0) {
      ShowStoreError(ERR_NOT_FOUND, "account", MSG_ERROR);
      return 0;
    }
    if (ReadRecord(AcctFile, *acct, AcctTable.byNumber[static_cast<size_t>(acctPos)]) != 1)
      return ShowReadFailure("account");
    return 1;
  }

  if ((rec->frequency != 'W' && rec->frequency != 'M') || !rec->firstDate[0] || !rec->secondDate[0]) {
    rec->frequency = ' ';
    std::memset(rec->firstDate, 0, sizeof rec->firstDate);
    std::memset(rec->secondDate, 0, sizeof rec->secondDate);
  }
  ScheduleRecord copy = *rec;
  CompactAndSortDueDates(copy);
  ScheduleFilesUse files;
  if (!files.ok()) return 0;
  if (isNew) {
    int row = -1;
    if (!AddSchedule(&copy, slots, &row)) return 0;
    int p = LivePositionOf(ScheduleTable, ScheduleTable.byName, row);
    if (p >= 0 && pos) *pos = p;
    if (ScheduleTable.freeCount == 0) ShowCapacityNotice("schedule");
    return 1;
  }
  int row = RowAtPosition(ScheduleTable, ScheduleTable.byName, pos);
  if (row < 0) return ShowReadFailure("schedule");
  return FollowRow(ScheduleTable, ScheduleTable.byName, row, pos, ModifySchedule(&copy, slots, row));
}

// ---- account groups and unit information ----

int XferAccountGroup(int save, int isNew, CString* name, CAcctGroup* stored, CAcctGroup* edited) {
  CAcctGroupDBase& db = TheAcctGroupDBase();
  int ok = 1;
  if (save == 0)
    ok = isNew ? (stored->Clear(), 1) : db.Get(name ? *name : CString(), stored);
  else
    ok = isNew ? db.Add(*edited) : db.Update(*stored, *edited);
  if (!ok) {
    DispMessage(db.GetErrorText(), MSG_ERROR);
    return 0;
  }
  return 1;
}

int XferUnitInfo(int save) { return ReadWriteUnitInfo(save != 0 ? 1 : 0); }
