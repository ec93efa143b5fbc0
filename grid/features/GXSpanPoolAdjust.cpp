#include "grid/features/GXSpanPoolAdjust.h"

#include "grid/features/GXSpanCellPool.h"

namespace {

// Removes every span that reaches index `at` or beyond along its lines.
void DropFrom(CGXSpanCellPool* pool, BOOL horizontal, ROWCOL at) {
  const CGXDWordArrayPtrArray& table = horizontal ? pool->Horizontal() : pool->Vertical();
  for (std::size_t i = 0; i < table.GetSize(); ++i) {
    const CGXDWordArrayPtrArray::Line* line = table.GetLine(i);
    if (line == nullptr) continue;
    for (std::size_t k = at; k < line->size(); ++k) {
      const DWORD start = (*line)[k];
      if (start == CGXDWordArrayPtrArray::kNone) continue;
      const ROWCOL index = static_cast<ROWCOL>(i);
      if (horizontal) {
        pool->StoreSpan(index, start, index, start, FALSE);
      } else {
        pool->StoreSpan(start, index, start, index, FALSE);
      }
    }
  }
}

}  // namespace

void GXAdjustSpansAfterInsert(CGXSpanCellPool* pool, BOOL alongHorizontal, BOOL rows, ROWCOL at, ROWCOL count) {
  if (pool == nullptr) return;
  // Horizontal spans live in one row each and move with inserted rows;
  // vertical ones likewise with inserted columns.
  if (alongHorizontal == rows) {
    if (rows) {
      pool->InsertRows(at, count);
    } else {
      pool->InsertCols(at, count);
    }
  } else {
    DropFrom(pool, alongHorizontal, at);
  }
}

void GXAdjustSpansAfterRemove(CGXSpanCellPool* pool, BOOL alongHorizontal, BOOL rows, ROWCOL from, ROWCOL to) {
  if (pool == nullptr) return;
  if (alongHorizontal == rows) {
    if (rows) {
      pool->RemoveRows(from, to);
    } else {
      pool->RemoveCols(from, to);
    }
  } else {
    DropFrom(pool, alongHorizontal, from);
  }
}
