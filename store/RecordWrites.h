// The note every record write gives before it changes a file, so that the
// journal of an open store operation (store/StoreUndo.h) can keep the bytes
// it replaces. The writers (record I/O, the account group files) know only
// this note, not the journal, which in turn reads records back and marks a
// year for the integrity check: the writers stay below both.
#pragma once

#include <cstdio>

using RecordWriteObserver = void (*)(FILE* file, long long offset, int size);

// Installs `observer` (null removes it); the outermost store operation
// installs the journal for as long as it is open.
void SetRecordWriteObserver(RecordWriteObserver observer);

// Called before `size` bytes at `offset` of `file` are written (also when the
// write is then refused: the caller may have changed its key row already).
void NoteRecordWrite(FILE* file, long long offset, int size);

// Whether an observer listens, that is whether a store operation is open:
// a writer may then keep what it asked of the disk (its free space) until
// the operation ends, since the operation's own writes are all it changes.
bool RecordWritesObserved();
