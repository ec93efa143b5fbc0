#include "store/KeyTable.h"

#include <cstring>

int AcctCapacity = 100;
int EquipCapacity = 400;
int FriendCapacity = 200;
int MemberCapacity = 325;
int SubunitCapacity = 25;
int SplitCapacity = 704;
int SubAcctCapacity = 10000;
int TransCapacity = 700;
int SupportCapacity = 1400;

AcctKeyTable AcctTable;
BudgetKeyTable BudgetTable;
EquipKeyTable EquipTable;
FriendKeyTable FriendTable;
ScheduleKeyTable ScheduleTable;
MemberKeyTable MemberTable;
LineKeyTable SplitTable;
LineKeyTable SubAcctTable;
SupportKeyTable SupportTable;
TransKeyTable TransTable;

int NextTransId = 1;
int ScoutCount = 0;
int AdultCount = 0;
int SubunitCount = 0;
int PassbookCount[3] = {0, 0, 0};

void SetCapacities() {
  AcctCapacity = 100;
  EquipCapacity = 400;
  FriendCapacity = 200;
  MemberCapacity = kMemberSlots;
  SubunitCapacity = 25;
  SplitCapacity = 704;
  SubAcctCapacity = 10000;
  TransCapacity = 700;
  SupportCapacity = 1400;
}

// Five splits and five shares per member are kept in reserve.
int InitialSplitFree() { return SplitCapacity - 5; }
int InitialSubAcctFree() { return SubAcctCapacity - 5 * MemberCapacity; }

AcctKey KeyOf(const AccountRecord& r) {
  AcctKey k;
  k.number = r.number;
  k.selected = r.selected;
  std::memcpy(k.name, r.name, sizeof k.name);
  k.status = r.status;
  return k;
}

BudgetKey KeyOf(const BudgetRecord& r) {
  BudgetKey k;
  k.number = r.number;
  k.status = r.status;
  return k;
}

EquipKey KeyOf(const EquipmentRecord& r) {
  EquipKey k;
  std::memcpy(k.inventoryId, r.inventoryId, sizeof k.inventoryId);
  std::memcpy(k.description, r.description, sizeof k.description);
  std::memcpy(k.purchaseDate, r.purchaseDate, sizeof k.purchaseDate);
  k.status = r.status;
  return k;
}

FriendKey KeyOf(const FriendRecord& r) {
  FriendKey k;
  k.total = r.total;
  std::memcpy(k.firstName, r.firstName, sizeof k.firstName);
  std::memcpy(k.lastName, r.lastName, sizeof k.lastName);
  k.status = r.status;
  return k;
}

ScheduleKey KeyOf(const ScheduleRecord& r) {
  ScheduleKey k;
  k.account = r.account;
  k.status = r.status;
  std::memcpy(k.name, r.name, sizeof k.name);
  return k;
}

TransKey KeyOf(const TransactionRecord& r) {
  TransKey k;
  k.id = r.id;
  k.account = r.account;
  k.month = r.month;
  std::memcpy(k.number, r.number, sizeof k.number);
  std::memcpy(k.date, r.date, sizeof k.date);
  std::memcpy(k.payee, r.payee, sizeof k.payee);
  std::memcpy(k.remarks, r.remarks, sizeof k.remarks);
  k.status = r.status;
  return k;
}

void ApplyKey(const TransKey& k, TransactionRecord& r) {
  r.id = k.id;
  r.account = k.account;
  r.month = k.month;
  std::memcpy(r.number, k.number, sizeof k.number);
  std::memcpy(r.date, k.date, sizeof k.date);
  std::memcpy(r.payee, k.payee, sizeof k.payee);
  std::memcpy(r.remarks, k.remarks, sizeof k.remarks);
  r.status = k.status;
}

SupportKey KeyOf(const SupportLineRecord& r) {
  SupportKey k;
  k.id = r.id;
  k.line = r.line;
  k.account = r.account;
  k.reserveAccount = r.reserveAccount;
  k.status = r.status;
  return k;
}
