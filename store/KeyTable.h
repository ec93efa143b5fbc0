// In-memory key tables of the loaded fiscal year.
//
// Every record file is read once into a key table: one row per record
// (deleted and free records included) holding the record's key part, with
// counters and up to three sorted indexes of row numbers. Lists, lookups and
// reports work on these; full records stay on disk.
#pragma once

#include <vector>

#include "platform/base/types.h"
#include "store/Records.h"
#include "store/TextCompare.h"

// Capacities (SetCapacities).
extern int AcctCapacity;
extern int EquipCapacity;
extern int FriendCapacity;
extern int MemberCapacity;
extern int SubunitCapacity;
extern int SplitCapacity;
extern int SubAcctCapacity;
extern int TransCapacity;
extern int SupportCapacity;
inline constexpr int kScheduleCapacity = 50;
// Member capacity as a compile-time bound for the share arrays of a split.
inline constexpr int kMemberSlots = 325;
inline constexpr int kLinesPerTransaction = 10;
// The highest transaction id whose line keys fit in 32 bits.
inline constexpr LONG kMaxTransId = (0x7FFFFFFF - 9) / 10;

void SetCapacities();

// Key rows.
struct AcctKey {  // first 40 bytes of AccountRecord
  LONG number = 0;
  LONG selected = 0;
  char name[26] = {};
  char status = 0;
  bool operator==(const AcctKey&) const = default;
};
struct BudgetKey {  // account number and status word
  LONG number = 0;
  char status = 0;
  bool operator==(const BudgetKey&) const = default;
};
struct EquipKey {  // first 40 bytes of EquipmentRecord
  char inventoryId[7] = {};
  char description[21] = {};
  char purchaseDate[9] = {};
  char status = 0;
  bool operator==(const EquipKey&) const = default;
};
struct FriendKey {  // first 40 bytes of FriendRecord
  LONG total = 0;
  char firstName[12] = {};
  char lastName[16] = {};
  char status = 0;
  bool operator==(const FriendKey&) const = default;
};
struct ScheduleKey {  // first 32 bytes of ScheduleRecord
  LONG account = 0;
  char status = 0;
  char name[26] = {};
  bool operator==(const ScheduleKey&) const = default;
};
struct MemberKey {  // key fields of MemberRow
  char firstName[12] = {};
  char lastName[16] = {};
  char subunit[32] = {};
  LONG type = 0;
  char status = 0;
  LONG passbook = 0;
  LONG selected = 0;
  bool operator==(const MemberKey&) const = default;
};
struct TransKey {  // first 104 bytes of TransactionRecord
  LONG id = 0;
  LONG account = 0;
  LONG month = 0;
  char number[9] = {};
  char date[9] = {};
  char payee[26] = {};
  char remarks[41] = {};
  char status = 0;
  bool operator==(const TransKey&) const = default;
};
struct SupportKey {  // first 24 bytes of SupportLineRecord
  LONG id = 0;
  LONG line = 0;
  LONG account = 0;
  LONG reserveAccount = 0;
  char status = 0;
  bool operator==(const SupportKey&) const = default;
};

AcctKey KeyOf(const AccountRecord& r);
BudgetKey KeyOf(const BudgetRecord& r);
EquipKey KeyOf(const EquipmentRecord& r);
FriendKey KeyOf(const FriendRecord& r);
ScheduleKey KeyOf(const ScheduleRecord& r);
TransKey KeyOf(const TransactionRecord& r);
SupportKey KeyOf(const SupportLineRecord& r);

template <class Key>
struct KeyTable {
  std::vector<Key> keys;  // capacity rows
  int rowCount = 0;
  int liveCount = 0;
  int freeCount = 0;
};

struct AcctKeyTable : KeyTable<AcctKey> {
  std::vector<int> byNumber, byName;
};
struct BudgetKeyTable : KeyTable<BudgetKey> {};
struct EquipKeyTable : KeyTable<EquipKey> {
  std::vector<int> byDescription, byDateDescription, byInventory;
};
struct FriendKeyTable : KeyTable<FriendKey> {
  std::vector<int> byName, byContribution;
};
struct ScheduleKeyTable : KeyTable<ScheduleKey> {
  std::vector<int> byName, byAccount;
};
struct MemberKeyTable : KeyTable<MemberKey> {
  std::vector<int> byTypeName, byTypeSubunitName;
};
struct LineKeyTable : KeyTable<LONG> {};  // splits and sub-accounts; -1 = free
struct SupportKeyTable : KeyTable<SupportKey> {
  std::vector<int> byLineKey, byTransDate;
};
struct TransKeyTable : KeyTable<TransKey> {
  std::vector<int> byAcctNumberDate, byDateAcctNumber, byAcctPayeeDate;
};

extern AcctKeyTable AcctTable;
extern BudgetKeyTable BudgetTable;
extern EquipKeyTable EquipTable;
extern FriendKeyTable FriendTable;
extern ScheduleKeyTable ScheduleTable;
extern MemberKeyTable MemberTable;
extern LineKeyTable SplitTable;
extern LineKeyTable SubAcctTable;
extern SupportKeyTable SupportTable;
extern TransKeyTable TransTable;

extern int NextTransId;
extern int ScoutCount;
extern int AdultCount;
extern int SubunitCount;
extern int PassbookCount[3];

// Free count of an empty table.
int InitialSplitFree();
int InitialSubAcctFree();

// Opening and closing a fiscal year.
int OpenDatabase(const char* folder, const char* yy, int allocate);
void CloseDataFiles();

int LoadAccountKeys(int allocate);
int LoadBudgetKeys(int allocate);
int LoadEquipmentKeys(int allocate);
int LoadFriendKeys(int allocate);
int LoadScoutKeys(int allocate);
int LoadSplitKeys(int allocate);
int LoadTransactionKeys(int allocate);
int LoadSupportKeys(int allocate);
int LoadScheduleKeys(int allocate);

// Index builders: each rebuilds every index of its table from the key rows.
void SortAccounts();
void SortEquipment();
void SortFriends();
void SortSchedules();
void SortMembers();
void SortSupportLines();
void SortTransactions();

// The transaction-number part of the first two transaction index keys:
// digits only are right-aligned in 8 and zero-padded, else the first 8
// characters as they are.
void TransNumberKey(const char* number, char (&out)[9]);
// "SORT %s %s" with the word and the kind of key.
void FormatSortError(char* out, size_t size, int kind, const char* word);
template <size_t N>
void FormatSortError(char (&out)[N], int kind, const char* word) {
  FormatSortError(out, N, kind, word);
}

// Stable sorts of row numbers by key: index[k] becomes the row of the k-th
// smallest key; equal keys keep ascending row order. Text keys compare
// ignoring the case of ASCII letters.
void SortIntKeys(int count, const int* keys, int* index);
void SortLongKeys(int count, const long* keys, int* index);
void SortStringKeys(int count, const char* const* keyTexts, int* index);
