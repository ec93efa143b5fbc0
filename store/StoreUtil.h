// Small helpers shared by the stores.
#pragma once

#include <cstdint>

#include "common/ErrorText.h"
#include "common/Messages.h"
#include "store/KeyTable.h"

// FormatErrorText with the item, shown once with the kind.
inline void ShowStoreError(int index, const char* item, int kind) {
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
  for (int r = 0; r < t.rowCount; ++r)
    if (t.keys[static_cast<size_t>(r)] == -1) return r;
  return t.rowCount;
}

// Places a key row at `row` (which may be rowCount: the table grows).
template <class Table, class Key>
void PutKeyRow(Table& t, int row, const Key& key) {
  if (row >= t.rowCount) t.rowCount = row + 1;
  t.keys[static_cast<size_t>(row)] = key;
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
  ShowStoreError(2, word, MSG_ERROR);
  return true;
}

// Amounts and counts are 32-bit in the files; sums are taken in 64 bits.
// A result beyond the 32-bit range can only come from a damaged record.
inline bool FitsLong(long long v) { return v >= INT32_MIN && v <= INT32_MAX; }
// What a posting moves: its factor times its amount, in 64 bits.
inline long long Posted(LONG factor, LONG amount) { return static_cast<long long>(factor) * amount; }
