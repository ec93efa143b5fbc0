#include "grid/features/GXClipboardOptions.h"

#include "grid/core/GXGridCore.h"

ROWCOL GXFirstClipboardRow(CGXGridCore* grid) {
  return (grid->m_nClipboardFlags & GX_CB_HEADERROWS) ? 0 : grid->GetHeaderRows() + 1;
}

ROWCOL GXFirstClipboardCol(CGXGridCore* grid) {
  return (grid->m_nClipboardFlags & GX_CB_HEADERCOLS) ? 0 : grid->GetHeaderCols() + 1;
}

namespace {

ROWCOL Sum(const CDWordArray& starts, const CDWordArray& ends) {
  ROWCOL total = 0;
  for (int i = 0; i < starts.GetSize(); ++i) total += ends[i] - starts[i] + 1;
  return total;
}

}  // namespace

ROWCOL GXBands::Rows() const { return Sum(rowStarts, rowEnds); }
ROWCOL GXBands::Cols() const { return Sum(colStarts, colEnds); }

BOOL GXSplitBands(CGXGridCore* grid, const CGXRangeList& ranges, GXBands& bands) {
  CGXRangeList cells;
  const ROWCOL lastRow = grid->GetRowCount(), lastCol = grid->GetColCount();
  for (POSITION pos = ranges.GetHeadPosition(); pos != nullptr;) {
    CGXRange range = *ranges.GetNext(pos);
    if (!range.IsValid()) continue;
    range.ExpandToCells(GXFirstClipboardRow(grid), GXFirstClipboardCol(grid), lastRow, lastCol);
    if (range.top > range.bottom || range.left > range.right) continue;
    cells.AddTail(new CGXRange(range));
  }
  if (cells.IsEmpty()) return FALSE;
  cells.GetRowIntervals(lastRow, bands.rowStarts, bands.rowEnds, FALSE);
  cells.GetColIntervals(lastCol, bands.colStarts, bands.colEnds, FALSE);
  return bands.rowStarts.GetSize() > 0 && bands.colStarts.GetSize() > 0;
}
