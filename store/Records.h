// Record layouts of a fiscal year's record files.
//
// Every record file holds fixed-size records, little-endian, without header.
// The structs below are the in-memory form; they are never written as they
// lie in memory: Pack/Unpack map each field to its byte offset, so that the
// files stay byte-exact whatever the compiler does with the structs. Padding
// and reserved bytes are carried through unchanged.
#pragma once

#include <cstdio>

#include "platform/base/types.h"

// Record sizes in bytes.
inline constexpr int kAccountRecordSize = 72;
inline constexpr int kBudgetRecordSize = 56;
inline constexpr int kEquipmentRecordSize = 344;
inline constexpr int kFriendRecordSize = 312;
inline constexpr int kScheduleRecordSize = 832;
inline constexpr int kParticipantRecordSize = 16;
inline constexpr int kReserveRecordSize = 12;
inline constexpr int kMemberRecordSize = 512;
inline constexpr int kTransactionRecordSize = 120;
inline constexpr int kSupportLineRecordSize = 96;
inline constexpr int kSplitRecordSize = 24;
inline constexpr int kSubAccountRecordSize = 24;
inline constexpr int kAcctGroupRecordSize = 48;
inline constexpr int kAcctGroupLinkRecordSize = 8;

// Status byte values; only 2 means deleted.
inline constexpr char kStatusLive = 0;
inline constexpr char kStatusMarked = 1;
inline constexpr char kStatusDeleted = 2;

struct AccountRecord {
  LONG number = 0;
  LONG selected = 0;
  char name[26] = {};
  char status = 0;
  BYTE pad35 = 0;
  BYTE reserved36[4] = {};
  LONG openingBalance = 0;
  LONG currentBalance = 0;
  LONG usageCount = 0;
  LONG budgetRow = -1;
  LONG classRow = -1;
  LONG memberReserves = 0;
  BYTE reserved64[8] = {};
};

struct BudgetRecord {
  LONG number = 0;
  char status = 0;
  BYTE pad5[3] = {};
  LONG months[12] = {};
};

struct EquipmentRecord {
  char inventoryId[7] = {};
  char description[21] = {};
  char purchaseDate[9] = {};
  char status = 0;
  BYTE pad38[2] = {};
  LONG openingValue = 0;
  LONG price = 0;
  LONG quantity = 0;
  LONG replacementCost = 0;
  LONG lineKey = -1;
  LONG currentValue = 0;
  LONG fiscalYear = 0;
  char condition = 0;
  char dateRemoved[9] = {};
  char remarks[201] = {};
  char category1[32] = {};
  char category2[33] = {};
};

struct PhoneEntry {
  LONG type = 0;
  char number[14] = {};
  char extension[6] = {};
};

struct FriendRecord {
  LONG total = 0;
  char firstName[12] = {};
  char lastName[16] = {};
  char status = 0;
  BYTE pad33[7] = {};
  LONG yearAmounts[4] = {};
  char address1[27] = {};
  char address2[27] = {};
  char city[18] = {};
  char state[3] = {};
  char zip[11] = {};
  char remarks[51] = {};
  char yearLabels[4][5] = {};
  BYTE pad213[3] = {};
  PhoneEntry phones[4] = {};
};

struct ScheduleRecord {
  LONG account = 0;
  char status = 0;
  char name[26] = {};
  BYTE pad31 = 0;
  LONG amounts[60] = {};
  char frequency = 0;
  char firstDate[9] = {};
  char secondDate[9] = {};
  char dueDates[60][9] = {};
  BYTE pad831 = 0;
};

struct ParticipantRecord {
  LONG scheduleRow = -1;
  LONG memberRow = -1;
  LONG initialOwed = 0;
  LONG initialPaid = 0;
};

struct ReserveRecord {
  LONG memberRow = -1;
  LONG account = -1;
  LONG amount = 0;
};

struct TransactionRecord {
  LONG id = 0;
  LONG account = 0;
  LONG month = 0;
  char number[9] = {};
  char date[9] = {};
  char payee[26] = {};
  char remarks[41] = {};
  char status = 0;
  BYTE pad98[6] = {};
  LONG factor = 1;
  LONG amount = 0;
  LONG cleared = 0;
  LONG multiLine = 0;
};

struct SupportLineRecord {
  LONG id = -1;
  LONG line = 0;
  LONG account = 0;
  LONG reserveAccount = 0;
  char status = 0;
  BYTE pad17[7] = {};
  LONG amount = 0;
  LONG factor = 0;
  LONG reserveAmount = 0;
  LONG reserveFactor = 0;
  LONG cleared = 0;
  LONG split = 0;
  char remarks[48] = {};
};

struct SplitRecord {
  LONG lineKey = 0;
  LONG amountPerUnit = 0;
  LONG rounding = 1;
  LONG unitShare = 0;
  LONG factor = 0;
  LONG reserved = 0;
};

struct SubAccountRecord {
  LONG lineKey = 0;
  LONG units = 0;
  LONG cash = 0;
  LONG accountAmount = 0;
  LONG memberRow = 0;
  LONG reserved = 0;
};

// A member record's head is laid out by member type; it is handled as bytes
// and converted to and from MemberRow (store/MemberStore.h).
struct MemberRecord {
  BYTE bytes[kMemberRecordSize] = {};
};

struct AcctGroupRecord {
  LONG id = 0;
  LONG selected = 0;
  char name[40] = {};
};

struct AcctGroupLinkRecord {
  LONG groupId = 0;
  LONG account = 0;
};

// Line key of a support line: transaction id x 10 + line number 0-9. The
// ids of a damaged record may lie anywhere in the 32-bit range; their keys
// wrap as 32-bit keys do instead of overflowing.
inline constexpr LONG LineKey(LONG id, LONG line) {
  return static_cast<LONG>(static_cast<ULONG>(id) * 10u + static_cast<ULONG>(line));
}

// Every record type with its size; one list serves the declarations below
// and the codec definitions in store/Records.cpp.
#define KESTROVA_RECORD_TYPES(X)                        \
  X(AccountRecord, kAccountRecordSize)                  \
  X(BudgetRecord, kBudgetRecordSize)                    \
  X(EquipmentRecord, kEquipmentRecordSize)              \
  X(FriendRecord, kFriendRecordSize)                    \
  X(ScheduleRecord, kScheduleRecordSize)                \
  X(ParticipantRecord, kParticipantRecordSize)          \
  X(ReserveRecord, kReserveRecordSize)                  \
  X(MemberRecord, kMemberRecordSize)                    \
  X(TransactionRecord, kTransactionRecordSize)          \
  X(SupportLineRecord, kSupportLineRecordSize)          \
  X(SplitRecord, kSplitRecordSize)                      \
  X(SubAccountRecord, kSubAccountRecordSize)            \
  X(AcctGroupRecord, kAcctGroupRecordSize)              \
  X(AcctGroupLinkRecord, kAcctGroupLinkRecordSize)

// Field-by-field conversion between the in-memory form and the file bytes.
// `out` and `in` hold exactly the record's size. Unpacking terminates every
// text field within its width, whatever the file held.
#define KESTROVA_RECORD_CODEC(Rec, n)         \
  void Pack(const Rec& rec, BYTE* out);       \
  void Unpack(const BYTE* in, Rec& rec);
KESTROVA_RECORD_TYPES(KESTROVA_RECORD_CODEC)
#undef KESTROVA_RECORD_CODEC

template <class Rec> struct RecordSize;
#define KESTROVA_RECORD_SIZE(Rec, n) \
  template <> struct RecordSize<Rec> { static constexpr int value = n; };
KESTROVA_RECORD_TYPES(KESTROVA_RECORD_SIZE)
#undef KESTROVA_RECORD_SIZE

// Little-endian field access in a byte buffer.
LONG GetI32(const BYTE* p);
void PutI32(BYTE* p, LONG v);
SHORT GetI16(const BYTE* p);
void PutI16(BYTE* p, SHORT v);
// Copies a text field of `width` bytes out of a record, terminated within
// the width; and into one, zero-filled after the text.
void GetText(const BYTE* p, int width, char* out);
void PutText(BYTE* p, int width, const char* text);
// Bounded copy between text fields: at most width-1 characters, terminated.
void CopyText(char* dst, int width, const char* src);
template <int N> void SetText(char (&dst)[N], const char* src) { CopyText(dst, N, src); }
