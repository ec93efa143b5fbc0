#include "grid/features/GXGridUserDragSelectRangeImp.h"

#include <algorithm>

#include "grid/core/GXDragLineWnd.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXProperties.h"
#include "platform/window/Window.h"

namespace {

constexpr int kRows = 2, kCols = 1;
constexpr UINT kDragCursor = 20194, kNoDropCursor = 20208;

const CGXRange* DraggedRange(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || grid->m_posCurrentSelection == nullptr) return nullptr;
  CGXRangeList& list = param->m_SelRects;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr; list.GetNext(pos))
    if (pos == grid->m_posCurrentSelection) return list.GetAt(pos);
  return nullptr;
}

}  // namespace

ROWCOL CGXGridUserDragSelectRangeImp::Destination(ROWCOL first, ROWCOL last, ROWCOL target) {
  return first < target ? target + first - last - 1 : target;
}

BOOL CGXGridUserDragSelectRangeImp::OnLButtonDown(CGXGridCore* grid, POINT, UINT, int, ROWCOL row, ROWCOL col) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  const CGXRangeList& list = param->m_SelRects;
  const bool colGrab = row <= grid->GetHeaderRows() && col > grid->GetHeaderCols() && list.IsCellInListExcept(0, col, nullptr);
  const bool rowGrab = col <= grid->GetHeaderCols() && row > grid->GetHeaderRows() && list.IsCellInListExcept(row, 0, nullptr);
  if (list.IsCellInListExcept(0, 0, nullptr) || !list.IsCellInListExcept(row, col, nullptr)) return FALSE;
  if (!(colGrab && param->m_bMoveCols) && !(rowGrab && param->m_bMoveRows)) return FALSE;
  grid->m_bSelDragging = TRUE;
  if (!grid->OnSelDragStart(rowGrab ? row : 0, colGrab && !rowGrab ? col : 0)) {
    grid->m_nDragMode = 0;
    grid->m_bSelDragging = FALSE;
    if (grid->m_pGridWnd != nullptr) grid->m_pGridWnd->SendMessage(WM_CANCELMODE);
    return FALSE;
  }
  if (::GetCapture() != grid->m_pGridWnd->GetSafeHwnd() && grid->m_bSelDragging) {
    if (grid->m_bAutoScrollAvailable) {
      grid->StartAutoScroll(FALSE, rowGrab && !grid->IsFrozenRow(row), !rowGrab && !grid->IsFrozenCol(col));
    }
    grid->SetCapture();
  }
  return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::OnSelDragStart(CGXGridCore* grid, ROWCOL row, ROWCOL col) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  grid->m_nDropRow = std::max<ROWCOL>(row, 1);
  grid->m_nDropCol = std::max<ROWCOL>(col, 1);
  const POSITION pos = param->m_SelRects.FindRangeWithCell(row, col);
  if (pos == nullptr) return FALSE;
  const CGXRange& range = *param->m_SelRects.GetAt(pos);
  if (row != 0) {
    grid->m_nDragMode = kRows;
    if (!grid->OnStartDragRows(range.top, range.bottom)) return FALSE;
  } else if (col != 0) {
    grid->m_nDragMode = kCols;
    if (!grid->OnStartDragCols(range.left, range.right)) return FALSE;
  } else {
    return FALSE;
  }
  grid->m_posCurrentSelection = pos;
  grid->SetGridCursor(kDragCursor);
  grid->m_bPaintingSelection = grid->m_bPaintingDrag = TRUE;
  return TRUE;
}

ROWCOL CGXGridUserDragSelectRangeImp::TargetAt(CGXGridCore* grid, POINT point) {
  const bool rows = grid->m_nDragMode == kRows;
  const CRect rect = grid->GetGridRect();
  const int coord = rows ? point.y : point.x;
  const int lowEdge = rows ? rect.top : rect.left;
  // Past the last row (column) the block goes to the end.
  const ROWCOL count = rows ? grid->GetRowCount() : grid->GetColCount();
  const ROWCOL last = rows ? grid->GetBottomRow() : grid->GetRightCol();
  const CRect lastRect = rows ? grid->CalcRectFromRange(last, 0, last, 0) : grid->CalcRectFromRange(0, last, 0, last);
  if (last >= count && coord >= (rows ? lastRect.bottom : lastRect.right)) return count + 1;
  ROWCOL client = rows ? grid->CalcClientRowFromY(std::max(coord, lowEdge)) : grid->CalcClientColFromX(std::max(coord, lowEdge));
  client = std::max<ROWCOL>(client, 1);
  return rows ? grid->GetRowFromClientRow(client) : grid->GetColFromClientCol(client);
}

BOOL CGXGridUserDragSelectRangeImp::OnMouseMove(CGXGridCore* grid, POINT point, UINT) {
  if (!grid->m_bSelDragging) return FALSE;
  const ROWCOL target = TargetAt(grid, point);
  const bool rows = grid->m_nDragMode == kRows;
  const ROWCOL old = rows ? grid->m_nDropRow : grid->m_nDropCol;
  grid->OnSelDragMove(old, rows ? target : grid->m_nDropRow, rows ? grid->m_nDropCol : target);
  return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::OnSelDragMove(CGXGridCore* grid, ROWCOL oldTarget, ROWCOL row, ROWCOL col) {
  const bool rows = grid->m_nDragMode == kRows;
  row = std::max<ROWCOL>(row, 1);
  col = std::max<ROWCOL>(col, 1);
  if ((rows ? row : col) == oldTarget && grid->m_pDragLineWnd != nullptr) return FALSE;
  if (grid->m_pDragLineWnd != nullptr) grid->m_pDragLineWnd->ShowWindow(SW_HIDE);
  grid->m_nDropRow = row;
  grid->m_nDropCol = col;
  const CGXRange* range = DraggedRange(grid);
  if (range == nullptr) return FALSE;
  if (!(rows ? grid->CanDropRows(range->top, range->bottom, row) : grid->CanDropCols(range->left, range->right, col))) {
    grid->SetGridCursor(kNoDropCursor);
    return FALSE;
  }
  grid->SetGridCursor(kDragCursor);
  CWnd* wnd = grid->m_pGridWnd;
  if (wnd == nullptr || wnd->m_hWnd == nullptr) return TRUE;
  wnd->UpdateWindow();
  if (grid->m_pDragLineWnd == nullptr) {
    auto* line = new CGXDragLineWnd(grid);
    CGXProperties* props = grid->GetParam()->GetProperties();
    line->m_pen.SetColor(props != nullptr ? props->GetColor(3) : RGB(0, 0, 0));
    if (!line->Create(wnd)) {
      delete line;
      return TRUE;
    }
    grid->m_pDragLineWnd = line;
  }
  const CRect rect = grid->CalcDragLineRect(rows ? 2 : 1, rows ? row : col);
  grid->m_pDragLineWnd->MoveWindow(&rect, FALSE);
  grid->m_pDragLineWnd->ShowWindow(SW_SHOWNA);
  grid->m_pDragLineWnd->UpdateWindow();
  return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::OnLButtonUp(CGXGridCore* grid, POINT point, UINT) {
  if (!grid->m_bSelDragging) return FALSE;
  ::ReleaseCapture();
  const ROWCOL target = TargetAt(grid, point);
  const CGXRange* range = DraggedRange(grid);
  const bool rows = grid->m_nDragMode == kRows;
  if (range != nullptr) {
    grid->OnSelDragDrop(rows ? range->top : range->left, rows ? range->bottom : range->right, target);
  } else {
    OnSelDragCancel(grid);
  }
  grid->m_bSelDragging = FALSE;
  return TRUE;
}

BOOL CGXGridUserDragSelectRangeImp::OnSelDragDrop(CGXGridCore* grid, ROWCOL first, ROWCOL last, ROWCOL target) {
  grid->m_bPaintingSelection = grid->m_bPaintingDrag = FALSE;
  grid->SetGridCursor(0);
  DestroyLine(grid);
  if (target == 0) return FALSE;
  const bool rows = grid->m_nDragMode == kRows;
  if (!(rows ? grid->CanDropRows(first, last, target) && grid->OnDropRows(first, last, target)
             : grid->CanDropCols(first, last, target) && grid->OnDropCols(first, last, target)))
    return FALSE;
  if (rows) {
    grid->m_nDropRow = target;
  } else {
    grid->m_nDropCol = target;
  }
  // Dropped on itself or just below itself, the block stays.
  if (target >= first && target <= last + 1) return FALSE;
  const ROWCOL dest = Destination(first, last, target);
  return rows ? grid->MoveRows(first, last, dest, 2) : grid->MoveCols(first, last, dest, 2);
}

void CGXGridUserDragSelectRangeImp::OnSelDragCancel(CGXGridCore* grid) {
  grid->m_bPaintingSelection = grid->m_bPaintingDrag = FALSE;
  DestroyLine(grid);
  grid->SetGridCursor(0);
  grid->m_bSelDragging = FALSE;
}

void CGXGridUserDragSelectRangeImp::DestroyLine(CGXGridCore* grid) {
  if (grid->m_pDragLineWnd == nullptr) return;
  grid->m_pDragLineWnd->DestroyWindow();
  delete grid->m_pDragLineWnd;
  grid->m_pDragLineWnd = nullptr;
}
