#include "store/OtherStores.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "store/AcctClass.h"
#include "store/AccountStore.h"
#include "store/Queries.h"
#include "store/RecIO.h"
#include "store/StoreUndo.h"
#include "store/StoreUtil.h"

namespace {

bool BeforeFiscalStart(const char* date) { return CompareDates(date, FiscalStartDate, DF_YYYYMMDD) < 0; }

// Reads account 399 for a change by the equipment store.
bool ReadEquipAccount(AccountRecord* rec, int* row, const char* readWord) {
  int pos;
  if (!FindAcctIndex(kEquipmentAccount, &pos)) {
    ShowStoreError(ERR_UNMATCHED, readWord, MSG_ERROR);
    return false;
  }
  *row = AcctTable.byNumber[static_cast<size_t>(pos)];
  if (ReadRecord(AcctFile, *rec, *row) != 1) {
    ShowStoreError(ERR_READ, readWord, MSG_FATAL);
    return false;
  }
  return true;
}

// Moves account 399 by what an item change moves. A balance or count that
// would leave the 32-bit range stems from a damaged record: nothing moves.
bool MoveEquipAccount(AccountRecord* rec, long long opening, long long current, int uses, const char* word) {
  const long long newOpening = rec->openingBalance + opening;
  const long long newCurrent = rec->currentBalance + current;
  const long long newUsage = static_cast<long long>(rec->usageCount) + uses;
  if (!FitsLong(newOpening) || !FitsLong(newCurrent) || !FitsLong(newUsage)) {
    ShowStoreError(ERR_PARSE, word, MSG_ERROR);
    return false;
  }
  rec->openingBalance = static_cast<LONG>(newOpening);
  rec->currentBalance = static_cast<LONG>(newCurrent);
  rec->usageCount = static_cast<LONG>(newUsage);
  return true;
}

bool WriteEquipAccount(const AccountRecord& rec, int row, const char* writeWord) {
  if (WriteRecord(AcctFile, rec, row) != 1) {
    ShowStoreError(ERR_WRITE, writeWord, MSG_FATAL);
    return false;
  }
  return true;
}

// Walks an index for a name: prefix and exact comparison without regard to
// case; stops early at the place where the text would sort in.
template <class Field>
int FindInIndex(int prefixMode, const char* text, const std::vector<int>& index, int rowCount, Field field,
                int* posOut) {
  size_t n = std::strlen(text);
  for (int pos = 0; pos < rowCount; ++pos) {
    int row = index[static_cast<size_t>(pos)];
    const char* value = nullptr;
    char status = 0;
    field(row, &value, &status);
    if (status == kStatusDeleted) continue;
    int prefix = CompareNoCaseN(text, value, n);
    if (prefix == 0) {
      if (prefixMode == 1 || CompareNoCase(text, value) == 0) {
        if (posOut) *posOut = pos;
        return 1;
      }
    } else if (prefix < 0) {
      if (posOut) *posOut = pos;
      return 0;
    }
  }
  if (posOut) *posOut = -1;
  return 0;
}

}  // namespace

// ---- adults and subunits ----

int AddAdult(MemberRow* form, int* rowOut) { return AddMemberRecord(form, rowOut, "adult"); }
int AddSubunit(MemberRow* form, int* rowOut) { return AddMemberRecord(form, rowOut, "subunit"); }

int ModifyAdult(MemberRow* form, int row) { return ModifyMemberKeyed(form, row, "adult", true); }
int ModifySubunit(MemberRow* form, int row) { return ModifyMemberKeyed(form, row, "subunit", false); }

int DeleteAdult(const char* lastName, const char* firstName) {
  static const char* const refusals[3] = {"Adult has an outstanding balance - cannot delete",
                                          "Adult is involved in transactions - cannot delete",
                                          "Adult has reserved funds - cannot delete"};
  return DeletePersonMember(2, lastName, firstName, "adult", refusals);
}

int DeleteSubunit(const char* name) {
  int pos = -1;
  if (!FindMember(0, 4, name, "", &pos)) {
    ShowStoreError(ERR_NOT_FOUND, name, MSG_ERROR);
    return 0;
  }
  if (!ConfirmDelete(name)) return 0;
  char text[256];
  for (int r = 0; r < MemberTable.rowCount; ++r) {
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && k.type != 2 && std::strcmp(k.subunit, name) == 0) {
      std::snprintf(text, sizeof text, "There are members currently assigned to this %s - cannot delete",
                    SubunitWord ? SubunitWord : "subunit");
      DispMessage(text, MSG_WARNING);
      return 0;
    }
  }
  int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
  MemberRow form;
  if (ReadMemberRecord(MemberFile, &form, 4, 0, row) != 1) {
    ShowStoreError(ERR_READ, "subunit", MSG_FATAL);
    return 0;
  }
  const char* noun = SubunitNoun ? SubunitNoun : "Subunit";
  char refusalText[3][256];
  std::snprintf(refusalText[0], sizeof refusalText[0], "%s has an outstanding balance - cannot delete", noun);
  std::snprintf(refusalText[1], sizeof refusalText[1], "%s is involved in transactions - cannot delete", noun);
  std::snprintf(refusalText[2], sizeof refusalText[2], "%s has reserved funds - cannot delete", noun);
  const char* const refusals[3] = {refusalText[0], refusalText[1], refusalText[2]};
  if (!MayDeleteMember(form, row, refusals)) return 0;
  StoreUndo undo;
  if (!MarkMemberDeleted(&form, row, "subunit", &SubunitCount)) return 0;
  undo.Keep(1);
  RenameMembersSubunit(name, "");
  return 1;
}

int RenameMembersSubunit(const char* oldName, const char* newName) {
  char failure[256] = "";
  for (int r = 0; r < MemberTable.rowCount; ++r) {
    MemberKey& k = MemberTable.keys[static_cast<size_t>(r)];
    if (k.type != 0 || k.status == kStatusDeleted || CompareNoCase(k.subunit, oldName) != 0) continue;
    MemberRow form;
    if (ReadMemberRecord(MemberFile, &form, 4, 0, r) != 1) {
      FormatErrorText(failure, ERR_READ, "scout");
      continue;
    }
    CopyText(form.subunit, sizeof form.subunit, newName);
    if (WriteMemberRecord(MemberFile, &form, r) != 1) {
      FormatErrorText(failure, ERR_WRITE, "scout");
      continue;
    }
    CopyText(k.subunit, sizeof k.subunit, newName);
  }
  SortMembers();
  if (failure[0]) {
    DispMessage(failure, MSG_FATAL);
    return 0;
  }
  return 1;
}

// ---- equipment ----

EquipmentRecord EquipItemFromPosting(const char* remarks, const char* date, int amount, int lineKey) {
  EquipmentRecord item;
  char desc[21];
  CopyText(desc, sizeof desc, remarks);
  SetText(item.description, desc);
  SetText(item.purchaseDate, date);
  item.condition = 'E';
  item.price = amount;
  item.quantity = 1;
  item.replacementCost = amount;
  item.lineKey = lineKey;
  item.currentValue = amount;
  item.fiscalYear = std::atoi(FiscalYearYY);
  return item;
}

int AddEquipItem(EquipmentRecord* item, int noPosting, int* rowOut) {
  StoreUndo undo;
  EquipKeyTable& t = EquipTable;
  int row = FirstFreeRow(t);
  if (RefuseWhenFull(t, row, "equipment item")) return 0;
  if (BeforeFiscalStart(item->purchaseDate)) item->openingValue = item->price;
  EquipKey key = KeyOf(*item);  // the status as the caller passed it
  item->status = item->dateRemoved[0] ? kStatusMarked : kStatusLive;
  if (WriteRecord(EquipFile, *item, row) != 1) {
    ShowStoreError(ERR_WRITE, "equipment item", MSG_FATAL);
    return 0;
  }
  PutLiveKeyRow(t, row, key);
  SortEquipment();
  if (!noPosting) {
    AccountRecord acct;
    int acctRow;
    if (!ReadEquipAccount(&acct, &acctRow, "new equipment account")) return 0;
    if (!MoveEquipAccount(&acct, item->openingValue, item->currentValue, 1, "new equipment account") ||
        !WriteEquipAccount(acct, acctRow, "new equipment account"))
      return 0;
  }
  if (rowOut) *rowOut = row;
  return undo.Keep(1);
}

int PostEquipToAccount(EquipmentRecord* item, const char* oldPurchaseDate, int oldPrice, int oldCurrentValue, int row) {
  StoreUndo undo;
  AccountRecord acct;
  int acctRow;
  int ok = 0;
  if (ReadEquipAccount(&acct, &acctRow, "account")) {
    const long long current = static_cast<long long>(item->currentValue) - oldCurrentValue;
    long long opening = 0;
    bool enteredThisYear = item->fiscalYear == std::atoi(FiscalYearYY);
    bool wasBefore = BeforeFiscalStart(oldPurchaseDate);
    bool isBefore = BeforeFiscalStart(item->purchaseDate);
    if (oldPrice != item->price && enteredThisYear && wasBefore) {
      item->openingValue = item->price;
      opening += static_cast<long long>(item->price) - oldPrice;
    }
    if (wasBefore && !isBefore) {
      opening -= item->openingValue;
      item->openingValue = 0;
    } else if (!wasBefore && isBefore) {
      item->openingValue = item->price;
      opening += item->openingValue;
    }
    if (MoveEquipAccount(&acct, opening, current, 0, "account") && WriteEquipAccount(acct, acctRow, "account")) {
      if (WriteRecord(EquipFile, *item, row) != 1) {
        ShowStoreError(ERR_WRITE, "equipment item", MSG_FATAL);
      } else {
        EquipKey& k = EquipTable.keys[static_cast<size_t>(row)];
        EquipKey now = KeyOf(*item);
        std::memcpy(k.inventoryId, now.inventoryId, sizeof k.inventoryId);
        std::memcpy(k.description, now.description, sizeof k.description);
        std::memcpy(k.purchaseDate, now.purchaseDate, sizeof k.purchaseDate);
        k.status = now.status;
        ok = 1;
      }
    }
  }
  undo.Keep(ok);
  SortEquipment();
  return ok;
}

int FindEquipItem(int prefixMode, const char* text, int useDescription, int* posOut) {
  if (useDescription)
    return FindInIndex(prefixMode, text, EquipTable.byDescription, EquipTable.rowCount,
                       [](int row, const char** value, char* status) {
                         const EquipKey& k = EquipTable.keys[static_cast<size_t>(row)];
                         *value = k.description;
                         *status = k.status;
                       },
                       posOut);
  size_t n = std::strlen(text);
  for (int pos = 0; pos < EquipTable.rowCount; ++pos) {
    const EquipKey& k = EquipTable.keys[static_cast<size_t>(EquipTable.byInventory[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted || CompareNoCaseN(text, k.inventoryId, n) != 0) continue;
    if (prefixMode == 1 || std::atol(text) == std::atol(k.inventoryId)) {
      if (posOut) *posOut = pos;
      return 1;
    }
  }
  if (posOut) *posOut = -1;
  return 0;
}

int DeleteEquipItem(const char* description) {
  int pos;
  if (!FindEquipItem(0, description, 1, &pos)) {
    ShowStoreError(ERR_NOT_FOUND, description, MSG_ERROR);
    return 0;
  }
  return DeleteEquipItemAt(EquipTable.byDescription[static_cast<size_t>(pos)]);
}

int DeleteEquipItemAt(int row) {
  if (row < 0 || row >= EquipTable.rowCount || EquipTable.keys[static_cast<size_t>(row)].status == kStatusDeleted) {
    ShowStoreError(ERR_NOT_FOUND, "equipment item", MSG_ERROR);
    return 0;
  }
  const EquipKey& k = EquipTable.keys[static_cast<size_t>(row)];
  char label[64];
  std::snprintf(label, sizeof label, "%s (%s)", k.description, k.inventoryId);
  if (!ConfirmDelete(label)) return 0;
  EquipmentRecord item;
  if (ReadRecord(EquipFile, item, row) != 1) {
    ShowStoreError(ERR_READ, "Equipment to delete", MSG_FATAL);
    return 0;
  }
  if (item.lineKey != -1) {
    DispMessage("Equipment is involved in transactions - cannot delete", MSG_WARNING);
    return 0;
  }
  StoreUndo undo;
  item.status = kStatusDeleted;
  if (WriteRecord(EquipFile, item, row) != 1) {
    ShowStoreError(ERR_WRITE, "equipment item", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(EquipTable, row);
  AccountRecord acct;
  int acctRow;
  if (!ReadEquipAccount(&acct, &acctRow, "Equipment account deletion")) return 0;
  if (!MoveEquipAccount(&acct, -static_cast<long long>(item.openingValue), -static_cast<long long>(item.currentValue),
                        -1, "Equipment account delete") ||
      !WriteEquipAccount(acct, acctRow, "Equipment account delete"))
    return 0;
  return undo.Keep(1);
}

namespace {

// The live item carrying a posting's line key; -1 when none. `failure`
// receives the last read failure.
int FindItemByLineKey(int lineKey, EquipmentRecord* item, const char* readWord, char (&failure)[256]) {
  for (int r = 0; r < EquipTable.rowCount; ++r) {
    if (EquipTable.keys[static_cast<size_t>(r)].status == kStatusDeleted) continue;
    if (ReadRecord(EquipFile, *item, r) != 1) {
      FormatErrorText(failure, ERR_READ, readWord);
      continue;
    }
    if (item->lineKey == lineKey) return r;
  }
  return -1;
}

}  // namespace

int DeleteEquipOfPosting(int lineKey, int* valueOut) {
  StoreUndo undo;
  char failure[256] = "";
  EquipmentRecord item;
  int row = FindItemByLineKey(lineKey, &item, "equip trans del", failure);
  if (row < 0) {
    if (!failure[0]) return -1;
    DispMessage(failure, MSG_FATAL);
    return 0;
  }
  if (valueOut) *valueOut = item.currentValue;
  item.status = kStatusDeleted;
  if (WriteRecord(EquipFile, item, row) != 1) {
    ShowStoreError(ERR_WRITE, "equipment to delete", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(EquipTable, row);
  if (failure[0]) {
    DispMessage(failure, MSG_FATAL);
    return 0;
  }
  return undo.Keep(1);
}

int DeleteEquipByTrans(int lineKey, int* valueOut) {
  int got = DeleteEquipOfPosting(lineKey, valueOut);
  if (got == -1) ShowStoreError(ERR_UNMATCHED, "equip trans for delete", MSG_FATAL);
  return got == 1 ? 1 : 0;
}

int UpdateEquipFromTrans(EquipmentRecord* fromLine) {
  StoreUndo undo;
  char failure[256] = "";
  EquipmentRecord item;
  int row = FindItemByLineKey(fromLine->lineKey, &item, "equipment item", failure);
  if (row < 0) {
    // An item deleted or made hand-entered since the posting holds no
    // figures of it any more: there is nothing to bring in line.
    if (!failure[0]) return undo.Keep(1);
    DispMessage(failure, MSG_FATAL);
    return 0;
  }
  if (CompareNoCase(item.description, fromLine->description) == 0 &&
      CompareNoCase(item.purchaseDate, fromLine->purchaseDate) == 0 && item.price == fromLine->price)
    return undo.Keep(1);
  int oldPrice = item.price;
  std::memcpy(item.description, fromLine->description, sizeof item.description);
  std::memcpy(item.purchaseDate, fromLine->purchaseDate, sizeof item.purchaseDate);
  item.price = fromLine->price;
  // A corrected purchase amount: an item still valued at its old price is
  // valued at the new one, and account 399 follows, so that the posting and
  // the item stay in balance.
  long long valueChange = 0;
  if (item.price != oldPrice && item.currentValue == oldPrice) {
    valueChange = static_cast<long long>(item.price) - oldPrice;
    item.currentValue = item.price;
  }
  if (WriteRecord(EquipFile, item, row) != 1) {
    ShowStoreError(ERR_WRITE, "equipment item", MSG_FATAL);
    return 0;
  }
  EquipKey& k = EquipTable.keys[static_cast<size_t>(row)];
  std::memcpy(k.description, item.description, sizeof k.description);
  std::memcpy(k.purchaseDate, item.purchaseDate, sizeof k.purchaseDate);
  SortEquipment();
  if (valueChange != 0 && !UpdateAcctBalance(kEquipmentAccount, 0, valueChange, "equipment item")) return 0;
  return undo.Keep(1);
}

// ---- friends ----

int AddFriend(FriendRecord* rec, int* rowOut) {
  FriendKeyTable& t = FriendTable;
  int row = FirstFreeRow(t);
  if (RefuseWhenFull(t, row, "friend")) return 0;
  if (WriteRecord(FriendFile, *rec, row) != 1) {
    ShowStoreError(ERR_WRITE, "friend", MSG_FATAL);
    return 0;
  }
  PutLiveKeyRow(t, row, KeyOf(*rec));
  SortFriends();
  if (rowOut) *rowOut = row;
  return 1;
}

int ModifyFriend(FriendRecord* rec, int row) {
  if (WriteRecord(FriendFile, *rec, row) != 1) {
    ShowStoreError(ERR_WRITE, "friend", MSG_FATAL);
    return 0;
  }
  FriendTable.keys[static_cast<size_t>(row)] = KeyOf(*rec);
  SortFriends();
  return 1;
}

int FindFriend(int prefixMode, const char* lastName, const char* firstName, int* posOut) {
  const char* first = firstName ? firstName : "";
  size_t nl = std::strlen(lastName), nf = std::strlen(first);
  for (int pos = 0; pos < FriendTable.rowCount; ++pos) {
    const FriendKey& k = FriendTable.keys[static_cast<size_t>(FriendTable.byName[static_cast<size_t>(pos)])];
    if (k.status == kStatusDeleted) continue;
    int lp = CompareNoCaseN(lastName, k.lastName, nl);
    int fp = CompareNoCaseN(first, k.firstName, nf);
    if (lp == 0 && (fp == 0 || nf == 0)) {
      if (prefixMode == 1 || (CompareNoCase(lastName, k.lastName) == 0 && CompareNoCase(first, k.firstName) == 0)) {
        if (posOut) *posOut = pos;
        return 1;
      }
    } else if (lp < 0 || (lp == 0 && fp < 0)) {
      if (posOut) *posOut = pos;
      return 0;
    }
  }
  if (posOut) *posOut = -1;
  return 0;
}

int DeleteFriend(const char* lastName, const char* firstName) {
  char label[64];
  if (lastName == nullptr) lastName = "";
  if (firstName == nullptr) firstName = "";
  std::snprintf(label, sizeof label, "%s %s", firstName, lastName);
  int pos;
  if (!FindFriend(0, lastName, firstName, &pos)) {
    ShowStoreError(ERR_NOT_FOUND, label, MSG_ERROR);
    return 0;
  }
  if (!ConfirmDelete(label)) return 0;
  int row = FriendTable.byName[static_cast<size_t>(pos)];
  FriendRecord rec;
  if (ReadRecord(FriendFile, rec, row) != 1) {
    ShowStoreError(ERR_READ, "friend", MSG_FATAL);
    return 0;
  }
  rec.status = kStatusDeleted;
  if (WriteRecord(FriendFile, rec, row) != 1) {
    ShowStoreError(ERR_WRITE, "friend", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(FriendTable, row);
  return 1;
}

// ---- schedules ----

int AddSchedule(ScheduleRecord* rec, ParticipantRecord* slots, int* rowOut) {
  StoreUndo undo;
  ScheduleKeyTable& t = ScheduleTable;
  int row = FirstFreeRow(t);
  if (RefuseWhenFull(t, row, "schedule")) return 0;
  if (WriteRecord(ScheduleFile, *rec, row) != 1) {
    ShowStoreError(ERR_WRITE, "schedule", MSG_FATAL);
    return 0;
  }
  PutLiveKeyRow(t, row, KeyOf(*rec));
  SortSchedules();
  for (int i = 0; i < kMemberSlots; ++i) {
    if (slots[i].scheduleRow == -1) continue;
    slots[i].scheduleRow = row;
    if (!AddParticipant(slots[i])) return 0;
  }
  if (rowOut) *rowOut = row;
  return undo.Keep(1);
}

int ModifySchedule(ScheduleRecord* rec, ParticipantRecord* slots, int row) {
  StoreUndo undo;
  if (WriteRecord(ScheduleFile, *rec, row) != 1) {
    ShowStoreError(ERR_WRITE, "schedule", MSG_FATAL);
    return 0;
  }
  ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(row)];
  k.account = rec->account;
  std::memcpy(k.name, rec->name, sizeof k.name);
  char failure[256] = "";
  int cursor = 0;
  bool atEnd = false;
  for (int i = 0; i < kMemberSlots && !failure[0]; ++i) {
    if (slots[i].scheduleRow == -1) continue;
    slots[i].scheduleRow = row;
    while (!atEnd) {
      ParticipantRecord p;
      int r = ReadRecord(ParticipantFile, p, cursor);
      if (r == -1) {
        atEnd = true;
        break;
      }
      if (r == 0) {
        FormatErrorText(failure, ERR_READ, "mod part 1");
        break;
      }
      if (p.scheduleRow == -1 || p.scheduleRow == row) break;
      ++cursor;
    }
    if (failure[0]) break;
    if (WriteRecord(ParticipantFile, slots[i], cursor) != 1) {
      FormatErrorText(failure, ERR_WRITE, "mod part 1");
      break;
    }
    ++cursor;
  }
  for (; !failure[0] && !atEnd; ++cursor) {
    ParticipantRecord p;
    int r = ReadRecord(ParticipantFile, p, cursor);
    if (r == -1) break;
    if (r == 0) {
      FormatErrorText(failure, ERR_READ, "mod part 2");
      break;
    }
    if (p.scheduleRow != row) continue;
    p.scheduleRow = -1;
    if (WriteRecord(ParticipantFile, p, cursor) != 1) FormatErrorText(failure, ERR_WRITE, "mod part 2");
  }
  SortSchedules();
  if (failure[0]) {
    DispMessage(failure, MSG_FATAL);
    return 0;
  }
  return undo.Keep(1);
}

int FindScheduleByName(int prefixMode, const char* name, int* posOut) {
  return FindInIndex(prefixMode, name, ScheduleTable.byName, ScheduleTable.rowCount,
                     [](int row, const char** value, char* status) {
                       const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(row)];
                       *value = k.name;
                       *status = k.status;
                     },
                     posOut);
}

namespace {

int DeleteScheduleRow(int row) {
  StoreUndo undo;
  ScheduleRecord rec;
  if (ReadRecord(ScheduleFile, rec, row) != 1) {
    ShowStoreError(ERR_READ, "schedule", MSG_FATAL);
    return 0;
  }
  rec.status = kStatusDeleted;
  if (WriteRecord(ScheduleFile, rec, row) != 1) {
    ShowStoreError(ERR_WRITE, "schedule", MSG_FATAL);
    return 0;
  }
  MarkKeyRowDeleted(ScheduleTable, row);
  return undo.Keep(DeleteParticipants(row, -1));
}

}  // namespace

int DeleteSchedule(const char* name, int accountNumber, int byAccount) {
  if (byAccount) {
    for (;;) {
      int row = -1;
      for (int r = 0; r < ScheduleTable.rowCount; ++r) {
        const ScheduleKey& k = ScheduleTable.keys[static_cast<size_t>(r)];
        if (k.account == accountNumber && k.status == 0) row = r;
      }
      if (row < 0 || !DeleteScheduleRow(row)) break;
    }
    return 0;
  }
  if (!ConfirmDelete(name)) return 0;
  int pos;
  if (!FindScheduleByName(0, name, &pos)) {
    ShowStoreError(ERR_NOT_FOUND, name, MSG_ERROR);
    return 0;
  }
  return DeleteScheduleRow(ScheduleTable.byName[static_cast<size_t>(pos)]);
}
