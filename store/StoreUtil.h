// Small helpers shared by the stores.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "store/KeyTable.h"

// FormatErrorText with the item, shown once with the kind.
inline void ShowStoreError(ErrorTextIndex index, const char* item, int kind) {
  char text[256];
  FormatErrorText(text, index, item);
  DispMessage(text, kind);
}

// The row an add takes: the first deleted row, else the row at rowCount.
template <class Table>
int FirstFreeRow(const Table& t) {
  for (int r = 0; r < t.rowCount; ++r)
    if (t.keys[static_cast<size_t>(r)].status == kStatusDeleted) return r;
  return t.rowCount;
}
inline int FirstFreeLineRow(const LineKeyTable& t) {
  // Looked at 16 rows at a time (a full sub-account table has thousands):
  // the test of a block has no early exit, so the compiler can vectorise it.
  const LONG* keys = t.keys.data();
  int r = 0;
  for (; r + 16 <= t.rowCount; r += 16) {
    bool any = false;
    for (int i = 0; i < 16; ++i) any |= keys[r + i] == -1;
    if (any) break;
  }
  for (; r < t.rowCount; ++r)
    if (keys[r] == -1) return r;
  return t.rowCount;
}

// Places a key row at `row` (which may be rowCount: the table grows).
template <class Table, class Key>
void PutKeyRow(Table& t, int row, const Key& key) {
  if (row >= t.rowCount) t.rowCount = row + 1;
  t.keys[static_cast<size_t>(row)] = key;
}

// Places a new live key row at `row` and counts it: one more live row, one
// fewer free.
template <class Table, class Key>
void PutLiveKeyRow(Table& t, int row, const Key& key) {
  PutKeyRow(t, row, key);
  ++t.liveCount;
  --t.freeCount;
}

// Marks the record at `row` deleted in its key table (the status, or a free
// key in a line table) and counts it: one fewer live row, one more free.
template <class Table>
void MarkKeyRowDeleted(Table& t, int row) {
  t.keys[static_cast<size_t>(row)].status = kStatusDeleted;
  --t.liveCount;
  ++t.freeCount;
}
inline void MarkKeyRowDeleted(LineKeyTable& t, int row) {
  t.keys[static_cast<size_t>(row)] = -1;
  --t.liveCount;
  ++t.freeCount;
}

// Whether the table has room for a row at `row`.
template <class Table>
bool HasRoomFor(const Table& t, int row) {
  return row >= 0 && static_cast<size_t>(row) < t.keys.size();
}

// Refuses an add when the table has no room left: "The system now holds the
// maximum number of %ss" (Error). The dialogs offer Add only while there is
// room; this keeps any other caller from writing past the table.
template <class Table>
bool RefuseWhenFull(const Table& t, int row, const char* word) {
  if (t.freeCount > 0 && HasRoomFor(t, row)) return false;
  ShowStoreError(ERR_TABLE_FULL, word, MSG_ERROR);
  return true;
}

// Amounts and counts are 32-bit in the files; sums are taken in 64 bits.
// A result beyond the 32-bit range can only come from a damaged record.
inline bool FitsLong(long long v) { return v >= INT32_MIN && v <= INT32_MAX; }
// What a posting moves: its factor times its amount, in 64 bits.
inline long long Posted(LONG factor, LONG amount) { return static_cast<long long>(factor) * amount; }

// A total of amounts read from records. One term is at most a 32-bit amount
// times a 32-bit factor, so many terms of damaged records can pass even the
// 64-bit range: the total then stays marked as beyond instead of wrapping.
class AmountSum {
 public:
  AmountSum() = default;
  explicit AmountSum(long long start) : sum_(start) {}
  AmountSum& operator+=(long long v) {
    beyond_ = __builtin_add_overflow(sum_, v, &sum_) || beyond_;
    return *this;
  }
  AmountSum& operator-=(long long v) {
    beyond_ = __builtin_sub_overflow(sum_, v, &sum_) || beyond_;
    return *this;
  }
  AmountSum& operator+=(const AmountSum& other) {
    beyond_ = beyond_ || other.beyond_;
    return *this += other.sum_;
  }
  AmountSum& operator-=(const AmountSum& other) {
    beyond_ = beyond_ || other.beyond_;
    return *this -= other.sum_;
  }
  // Adds amount x factor (a share's signed amount may be twice a 32-bit one).
  AmountSum& AddTimes(long long amount, long long factor) {
    long long term = 0;
    if (__builtin_mul_overflow(amount, factor, &term)) beyond_ = true;
    else *this += term;
    return *this;
  }
  // Whether the total is a 32-bit amount.
  bool Fits() const { return !beyond_ && FitsLong(sum_); }
  // Whether the total left even the 64-bit range (Wide() means nothing then).
  bool Beyond() const { return beyond_; }
  // The total as a 32-bit amount, once Fits() said so.
  LONG Value() const { return static_cast<LONG>(sum_); }
  long long Wide() const { return sum_; }

 private:
  long long sum_ = 0;
  bool beyond_ = false;
};

// Whether totals can be handed to a caller that takes 32 bits. A total
// beyond the range stems from a damaged record: "Failed parse: <item>" is
// shown once, and the caller fails with nothing stored.
inline bool TotalsFit(const char* item, std::initializer_list<AmountSum> totals) {
  for (const AmountSum& t : totals) {
    if (t.Fits()) continue;
    ShowStoreError(ERR_PARSE, item, MSG_ERROR);
    return false;
  }
  return true;
}

// A total a caller may have asked for: where it goes (null: not asked for).
struct TotalOut {
  int* out;
  const AmountSum* total;
};
// Hands the totals asked for to the caller. Only those must fit (TotalsFit):
// otherwise nothing is stored and the caller fails.
inline bool StoreTotals(const char* item, std::initializer_list<TotalOut> totals) {
  for (const TotalOut& t : totals) {
    if (t.out == nullptr || t.total->Fits()) continue;
    ShowStoreError(ERR_PARSE, item, MSG_ERROR);
    return false;
  }
  for (const TotalOut& t : totals)
    if (t.out) *t.out = t.total->Value();
  return true;
}
