#include "store/KeyTable.h"

#include <cstring>

// Every capacity with its value for a newly opened year.
#define KESTROVA_CAPACITIES(X)    \
  X(AcctCapacity, 100)            \
  X(EquipCapacity, 400)           \
  X(FriendCapacity, 200)          \
  X(MemberCapacity, kMemberSlots) \
  X(SubunitCapacity, 25)          \
  X(SplitCapacity, 704)           \
  X(SubAcctCapacity, 10000)       \
  X(TransCapacity, 700)           \
  X(SupportCapacity, 1400)

#define KESTROVA_DEFINE_CAPACITY(name, value) int name = value;
KESTROVA_CAPACITIES(KESTROVA_DEFINE_CAPACITY)
#undef KESTROVA_DEFINE_CAPACITY

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
#define KESTROVA_RESET_CAPACITY(name, value) name = value;
  KESTROVA_CAPACITIES(KESTROVA_RESET_CAPACITY)
#undef KESTROVA_RESET_CAPACITY
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

static_assert(sizeof(TransKey::number) == sizeof(TransactionRecord::number) &&
              sizeof(TransKey::date) == sizeof(TransactionRecord::date) &&
              sizeof(TransKey::payee) == sizeof(TransactionRecord::payee) &&
              sizeof(TransKey::remarks) == sizeof(TransactionRecord::remarks));

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

SupportKey KeyOf(const SupportLineRecord& r) {
  SupportKey k;
  k.id = r.id;
  k.line = r.line;
  k.account = r.account;
  k.reserveAccount = r.reserveAccount;
  k.status = r.status;
  return k;
}
