// All-or-nothing store operations.
//
// A store operation that writes several records (a transaction with its
// lines, splits, shares and balances) opens a StoreUndo scope first. While
// the outermost scope is open, every record write remembers the bytes it
// replaces, and the scope holds a copy of every key table and counter.
// Unless the operation commits, leaving the scope puts the old bytes back
// (in reverse order, cutting off records it appended) and restores the
// tables, so that neither the disk nor the tables keep half an operation.
// Inner scopes join the outermost one.
#pragma once

#include <cstdio>

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

// Called by RecIO before it writes `size` bytes at `offset` of `file`.
void StoreUndoBeforeWrite(FILE* file, long long offset, int size);
