#include "grid/features/GXGridMarkEditHeaderImp.h"

#include "grid/core/GXGridCore.h"

void CGXGridMarkEditHeaderImp::MarkEditHeader(CGXGridCore* grid, ROWCOL row, ROWCOL col, int hint, UINT flags) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || param->m_bLockRedraw || grid->m_pGridWnd == nullptr ||
      grid->m_pGridWnd->m_hWnd == nullptr)
    return;
  CGXProperties* props = param->GetProperties();
  const BOOL markRows = props == nullptr || props->m_bMarkRowHeader;
  const BOOL markCols = props == nullptr || props->m_bMarkColHeader;
  const ROWCOL bottom = grid->GetBottomRow(), right = grid->GetRightCol();
  const bool rowShown =
      row <= grid->GetFrozenRows() || (row >= grid->GetTopRow() && row <= grid->GetRowCount() && row <= bottom);
  const bool colShown =
      col <= grid->GetFrozenCols() || (col >= grid->GetLeftCol() && col <= grid->GetColCount() && col <= right);
  if (!rowShown && !colShown) return;
  bool invalidated = false;
  if ((hint == 0 || hint == 2) && markRows && rowShown) {
    const CRect rect = grid->CalcRectFromRange(row, 0, row, grid->GetHeaderCols());
    if (rect.Width() > 1 && rect.Height() > 1) {
      grid->m_pGridWnd->InvalidateRect(&rect, TRUE);
      invalidated = true;
    }
  }
  if ((hint == 0 || hint == 1) && markCols && colShown) {
    const CRect rect = grid->CalcRectFromRange(0, col, grid->GetHeaderRows(), col);
    if (rect.Width() >= 2 && rect.Height() >= 2) {
      grid->m_pGridWnd->InvalidateRect(&rect, TRUE);
      invalidated = true;
    }
  }
  if (invalidated && (flags & (2 | 4))) grid->m_pGridWnd->UpdateWindow();
}

BOOL CGXGridMarkEditHeaderImp::IsHeaderMarked(CGXGridCore* grid, ROWCOL row, ROWCOL col) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  CGXRange range(row, col);
  CGXRange block;
  if (grid->GetCoveredCellsRowCol(row, col, block) != nullptr) range = block;
  CGXProperties* props = param->GetProperties();
  ROWCOL currentRow = 0, currentCol = 0;
  if (grid->GetCurrentCell(currentRow, currentCol) && currentRow > grid->GetHeaderRows() &&
      currentCol > grid->GetHeaderCols()) {
    if (row != 0 && currentRow >= range.top && currentRow <= range.bottom &&
        (props == nullptr || props->m_bMarkRowHeader))
      return TRUE;
    if (col != 0 && currentCol >= range.left && currentCol <= range.right &&
        (props == nullptr || props->m_bMarkColHeader))
      return TRUE;
  }
  // A row or column being resized marks its header unless the option says
  // the header is not redrawn while tracking.
  UINT kind = 0;
  ROWCOL index = 0;
  if (grid->GetResizeTracking(kind, index)) {
    if (kind == 2 && !param->TestColResizeFlags(16) && index >= range.left && index <= range.right) return TRUE;
    if (kind == 1 && !param->TestRowResizeFlags(16) && index >= range.top && index <= range.bottom) return TRUE;
  }
  return FALSE;
}
