// Keyboard navigation of the current cell: the search for the next cell that
// may become current.
#include "grid/core/GXGridCore.h"

namespace {

// Whether `style` leaves its cell enabled (an unset Enabled counts as on).
bool IsEnabled(const CGXStyle& style) { return !style.GetIncludeEnabled() || style.GetEnabled(); }

}  // namespace

BOOL CGXGridCore::FindNextCell(int direction, ROWCOL& row, ROWCOL& col) {
  const ROWCOL rowCount = GetRowCount();
  const ROWCOL colCount = GetColCount();
  const bool alongCols = direction == 2 || direction == 4;
  const bool forward = direction == 3 || direction == 4;
  ROWCOL r = row;
  ROWCOL c = col;
  if (alongCols ? c > colCount : r > rowCount) return FALSE;
  for (;;) {
    ROWCOL& pos = alongCols ? c : r;
    const ROWCOL limit = alongCols ? colCount : rowCount;
    if (forward ? pos > limit : pos == 0) return FALSE;
    const bool hidden = alongCols ? GetColWidth(c) == 0 : GetRowHeight(r) == 0;
    if (!hidden) {
      CGXRange covered;
      ROWCOL styleRow = r;
      ROWCOL styleCol = c;
      bool skip = false;
      if (GetCoveredCellsRowCol(r, c, covered) != nullptr) {
        // Only the block's leading edge in the walking direction counts.
        skip = alongCols ? c != covered.left : r != covered.top;
        styleRow = covered.top;
        styleCol = covered.left;
      }
      if (!skip && IsEnabled(GetCachedCellStyle(styleRow, styleCol))) {
        row = r;
        col = c;
        return TRUE;
      }
    }
    if (forward) {
      ++pos;
    } else {
      --pos;
    }
  }
}

BOOL CGXGridCore::OnGridChar(UINT ch, UINT, UINT) {
  switch (ch) {
    case 3:  // Ctrl+C
      if (CanCopy()) Copy();
      return TRUE;
    case 9:    // Tab
    case 13:   // Enter
    case 127:  // Ctrl+Backspace
      return TRUE;
    case 18:  // Ctrl+R
      Redo();
      return TRUE;
    case 22:  // Ctrl+V
      if (CanPaste()) Paste();
      return TRUE;
    case 24:  // Ctrl+X
      if (CanCut()) Cut();
      return TRUE;
    case 26:  // Ctrl+Z
      Undo();
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CGXGridCore::OnGridSysKeyDown(UINT key, UINT, UINT) {
  if (key != VK_BACK) return FALSE;
  Undo();
  return TRUE;
}
