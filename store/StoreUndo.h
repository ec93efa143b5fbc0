// All-or-nothing store operations.
//
// A store operation that writes several records (a transaction with its
// lines, splits, shares and balances) opens a StoreUndo scope first. While
// the outermost scope is open, every record write remembers the bytes it
// replaces and the key-table row it stands for, and the scope keeps the
// tables' counters as they were. Unless the operation commits, leaving the
// scope puts the old bytes back (in reverse order, cutting off records it
// appended), reads the touched key rows back from the restored records,
// puts the counters back and rebuilds the indexes of the touched tables, so
// that neither the disk nor the tables keep half an operation. Inner scopes
// join the outermost one.
//
// When the old bytes cannot be put back (a write or a cut that fails), the
// user is told which file, the year is marked for a data integrity check
// at its next open, and the touched tables are made to hold what the disk
// now holds rather than a state it does not.
#pragma once

#include <cstdio>
#include <functional>

class StoreUndo {
 public:
  StoreUndo();
  ~StoreUndo();
  StoreUndo(const StoreUndo&) = delete;
  StoreUndo& operator=(const StoreUndo&) = delete;
  // Keeps what was done. Returns `ok` for convenience: `return undo.Keep(ok)`
  // keeps only when ok is non-zero.
  int Keep(int ok);

 private:
  bool outer_;
  bool keep_ = false;
};

// Installed as the record write observer (store/RecordWrites.h) while the
// outermost scope is open: called before a record writer tries to write
// `size` bytes at `offset` of `file` (also when the write is then refused:
// the caller may have changed the key row already).
void StoreUndoBeforeWrite(FILE* file, long long offset, int size);
// The journal keeps a descriptor of each record file it has written from
// one operation to the next; closing the year's files lets them go.
void StoreUndoForgetFiles();

// Test seam: consulted before each write or cut the undo makes; false makes
// it fail as an error of the disk would.
namespace store_undo_test {
void SetRestoreHook(std::function<bool()> hook);
void Reset();
}  // namespace store_undo_test
