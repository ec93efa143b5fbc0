// Keeps the spans of a span-cell pool in step when rows or columns are
// inserted or removed: spans along the change move with it (the pool's
// line bookkeeping), spans across it are dropped from the first changed
// index on, to be evaluated anew.
#pragma once

#include "grid/core/GXRange.h"

class CGXSpanCellPool;

// `rows` TRUE: rows changed. `alongHorizontal` TRUE: the pool's spans run
// across a row (floated spans, horizontal merged blocks).
void GXAdjustSpansAfterInsert(CGXSpanCellPool* pool, BOOL alongHorizontal, BOOL rows, ROWCOL at, ROWCOL count);
void GXAdjustSpansAfterRemove(CGXSpanCellPool* pool, BOOL alongHorizontal, BOOL rows, ROWCOL from, ROWCOL to);
