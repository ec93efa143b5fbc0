#include "store/RecordWrites.h"

namespace {
RecordWriteObserver observer = nullptr;
}  // namespace

void SetRecordWriteObserver(RecordWriteObserver o) { observer = o; }

void NoteRecordWrite(FILE* file, long long offset, int size) {
  if (observer) observer(file, offset, size);
}

bool RecordWritesObserved() { return observer != nullptr; }
