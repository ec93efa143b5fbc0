#include "grid/features/GXGridUserResizeCellsImp.h"

#include <algorithm>
#include <cstdlib>

#include "grid/core/GXGridCore.h"

namespace {

WORD Options(CGXGridCore* grid, BOOL rows) {
  CGXGridParam* param = grid->GetParam();
  return param == nullptr ? 0 : rows ? param->m_wRowResize : param->m_wColResize;
}

int Minimum(CGXGridCore* grid, BOOL rows) {
  CGXGridParam* param = grid->GetParam();
  return param == nullptr ? 0 : std::max(0, rows ? param->m_nMinRowEnd : param->m_nMinColEnd);
}

// Whether an index lies in a whole-row (column) range of the selection;
// the intervals of those ranges come back in `starts` and `ends`.
bool InSelectedIntervals(CGXGridCore* grid, BOOL rows, ROWCOL index, CDWordArray& starts, CDWordArray& ends) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return false;
  const BOOL any = rows ? param->m_SelRects.GetRowIntervals(grid->GetRowCount(), starts, ends, TRUE)
                        : param->m_SelRects.GetColIntervals(grid->GetColCount(), starts, ends, TRUE);
  if (!any) return false;
  for (int i = 0; i < starts.GetSize(); ++i)
    if (index >= starts[i] && index <= ends[i]) return true;
  return false;
}

bool TableSelected(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return false;
  for (POSITION pos = param->m_SelRects.GetHeadPosition(); pos != nullptr;)
    if (param->m_SelRects.GetNext(pos)->IsTable()) return true;
  return false;
}

BOOL Hidden(CGXGridCore* grid, BOOL rows, ROWCOL i) { return rows ? grid->IsRowHidden(i) : grid->IsColHidden(i); }

// Sets or hides one interval (a size below 1 hides it).
void SizeInterval(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to, int size) {
  if (size < 1) {
    if (rows) {
      grid->HideRows(from, to, TRUE, 2);
    } else {
      grid->HideCols(from, to, TRUE, 2);
    }
    return;
  }
  for (ROWCOL i = from; i <= to; ++i) {
    if (Hidden(grid, rows, i)) rows ? grid->StoreHideRow(i, FALSE) : grid->StoreHideCol(i, FALSE);
    if (i == to) break;
  }
  if (rows) {
    grid->SetRowHeight(from, to, size, nullptr, 2);
  } else {
    grid->SetColWidth(from, to, size, nullptr, 2);
  }
}

}  // namespace

BOOL CGXGridUserResizeCellsImp::StartTracking(CGXGridCore* grid, ROWCOL row, ROWCOL col, int kind) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  const BOOL rows = kind == 1;
  const ROWCOL index = rows ? row : col;
  const WORD options = Options(grid, rows);
  const ROWCOL headers = rows ? grid->GetHeaderRows() : grid->GetHeaderCols();
  if ((options & 8) && index <= headers) return FALSE;
  if (rows ? !grid->CanResizeRows(row) || !grid->IsRowResizable(row)
           : !grid->CanResizeCols(col) || !grid->IsColResizable(col))
    return FALSE;
  rows_ = rows;
  index_ = index;
  const CRect rect = grid->CalcRectFromRange(rows ? row : 0, rows ? 0 : col, rows ? row : 0, rows ? 0 : col);
  startEdge_ = rows ? rect.top : rect.left;
  startSize_ = lastSize_ = rows ? grid->GetRowHeight(index) : grid->GetColWidth(index);
  hadStoredSize_ = (rows ? param->m_RowHeights : param->m_ColWidths).Lookup(index, storedValue_);
  wasHidden_ = Hidden(grid, rows, index);
  live_ = (options & 0x80) != 0;
  moved_ = FALSE;
  tracking_ = TRUE;
  return TRUE;
}

int CGXGridUserResizeCellsImp::SizeAt(CGXGridCore* grid, CPoint point) const {
  const int size = (rows_ ? point.y : point.x) - startEdge_;
  return std::max(size, Minimum(grid, rows_));
}

void CGXGridUserResizeCellsImp::StoreTemporarily(CGXGridCore* grid, int size) {
  if (size > 0 && Hidden(grid, rows_, index_)) rows_ ? grid->StoreHideRow(index_, FALSE) : grid->StoreHideCol(index_, FALSE);
  if (rows_) {
    grid->StoreRowHeight(index_, size);
  } else {
    grid->StoreColWidth(index_, size);
  }
}

void CGXGridUserResizeCellsImp::RestoreStart(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return;
  if (hadStoredSize_) {
    (rows_ ? param->m_RowHeights : param->m_ColWidths).SetAt(index_, storedValue_);
  } else {
    (rows_ ? param->m_RowHeights : param->m_ColWidths).RemoveKey(index_);
  }
  if (wasHidden_) rows_ ? grid->StoreHideRow(index_, TRUE) : grid->StoreHideCol(index_, TRUE);
  grid->ResetLastVisible();
}

void CGXGridUserResizeCellsImp::MoveTracking(CGXGridCore* grid, UINT, CPoint point, ROWCOL, ROWCOL) {
  if (!tracking_) return;
  const int size = SizeAt(grid, point);
  if (rows_ ? !grid->OnTrackRowHeight(index_, size) : !grid->OnTrackColWidth(index_, size)) return;
  moved_ = TRUE;
  lastSize_ = size;
  if (live_) {
    // Live feedback: the grid is shown with the new size, which is then put
    // back until the button is released.
    const int oldMode = grid->SetDrawMode(1);
    StoreTemporarily(grid, size);
    grid->ResetLastVisible();
    grid->Redraw(2, FALSE);
    RestoreStart(grid);
    grid->SetDrawMode(oldMode);
  }
}

void CGXGridUserResizeCellsImp::CancelTracking(CGXGridCore* grid) {
  if (!tracking_) return;
  tracking_ = FALSE;
  if (live_ && moved_) grid->Redraw(1, FALSE);
}

void CGXGridUserResizeCellsImp::EndTracking(CGXGridCore* grid, UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col) {
  if (!tracking_) return;
  if (moved_) MoveTracking(grid, keyFlags, point, row, col);
  tracking_ = FALSE;
  const int size = std::max(lastSize_, Minimum(grid, rows_));
  const BOOL agreed = rows_ ? grid->OnTrackRowHeightEnd(index_, size) : grid->OnTrackColWidthEnd(index_, size);
  if (agreed && moved_ && std::abs(size - startSize_) > 1) {
    Apply(grid, size);
  } else if (live_) {
    grid->Redraw(1, FALSE);
  }
  grid->UpdateScrollbars(FALSE, FALSE);
}

void CGXGridUserResizeCellsImp::Apply(CGXGridCore* grid, int size) {
  const WORD options = Options(grid, rows_);
  if ((options & 1) && index_ != 0) {
    rows_ ? grid->SetDefaultRowHeight(size, 2) : grid->SetDefaultColWidth(size, 2);
    return;
  }
  CDWordArray starts, ends;
  if (index_ == 0 || !InSelectedIntervals(grid, rows_, index_, starts, ends)) {
    SizeInterval(grid, rows_, index_, index_, size);
    return;
  }
  if (TableSelected(grid)) {
    rows_ ? grid->SetDefaultRowHeight(size, 2) : grid->SetDefaultColWidth(size, 2);
    return;
  }
  for (int i = starts.GetSize() - 1; i >= 0; --i)
    SizeInterval(grid, rows_, std::max<ROWCOL>(1, starts[i]), ends[i], size);
}

BOOL CGXGridUserResizeCellsImp::OnDoubleClick(CGXGridCore* grid, int hit, ROWCOL row, ROWCOL col) {
  const BOOL rows = hit == CGXGridCore::kHitRowEdge || hit == CGXGridCore::kHitHiddenRow;
  const ROWCOL index = rows ? row : col;
  if (rows ? !grid->CanResizeRows(row) : !grid->CanResizeCols(col)) return FALSE;
  const WORD options = Options(grid, rows);
  if (!(options & 3)) return FALSE;
  if ((options & 1) && index != 0) return TRUE;
  const ROWCOL count = rows ? grid->GetRowCount() : grid->GetColCount();
  auto resizable = [&](ROWCOL i) { return rows ? grid->IsRowResizable(i) : grid->IsColResizable(i); };
  const bool nextHidden = index < count && Hidden(grid, rows, index + 1) && (!rows || resizable(index + 1));
  if (Hidden(grid, rows, index) || nextHidden) {
    ROWCOL first = Hidden(grid, rows, index) ? index : index + 1, last = first;
    while (first > 1 && Hidden(grid, rows, first - 1) && resizable(first - 1)) --first;
    while (last < count && Hidden(grid, rows, last + 1) && resizable(last + 1)) ++last;
    rows ? grid->HideRows(first, last, FALSE, 2) : grid->HideCols(first, last, FALSE, 2);
    return TRUE;
  }
  CDWordArray starts, ends;
  auto reset = [&](ROWCOL from, ROWCOL to) {
    if (Hidden(grid, rows, from)) {
      rows ? grid->HideRows(from, to, FALSE, 2) : grid->HideCols(from, to, FALSE, 2);
    } else {
      rows ? grid->SetRowHeight(from, to, -1, nullptr, 2) : grid->SetColWidth(from, to, -1, nullptr, 2);
    }
  };
  if (index == 0 || !InSelectedIntervals(grid, rows, index, starts, ends)) {
    reset(index, index);
  } else if (!TableSelected(grid)) {
    for (int i = starts.GetSize() - 1; i >= 0; --i) reset(std::max<ROWCOL>(1, starts[i]), ends[i]);
  }
  return TRUE;
}
