#include "grid/features/GXGridUserSelectRangeImp.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "grid/core/GXGridCore.h"
#include "grid/core/GXMoveDirection.h"
#include "platform/window/Window.h"

CGXRange GXSelectionRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) {
  if (top > bottom) std::swap(top, bottom);
  if (left > right) std::swap(left, right);
  CGXRange range;
  if (top == 0 && left == 0) return range.SetTable();
  if (top == 0) return range.SetCols(left, right);
  if (left == 0) return range.SetRows(top, bottom);
  return range.SetCells(top, left, bottom, right);
}

namespace {

constexpr UINT kMouseSelecting = 0x02;
constexpr UINT kCtrlAtPress = 0x80;

bool KeyDown(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

CGXRangeList& List(CGXGridCore* grid) { return grid->GetParam()->m_SelRects; }
bool Allowed(CGXGridCore* grid, WORD bits) { return grid->GetParam()->TestSelectionAllowed(bits) != FALSE; }
bool RowMode(CGXGridCore* grid, WORD bits) { return grid->GetParam()->TestSelectionFlags(bits) != FALSE; }

// The grid's veto points and notification (see the header).
bool MayStart(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT keys, int x, int y) {
  return grid->CanSelectRange(CGXRange(row, col), static_cast<BOOL>(keys), x, y, TRUE) != FALSE;
}
bool MayChange(CGXGridCore* grid, const CGXRange* range, BOOL byMouse, BOOL byKey) {
  return grid->CanSelectRange(range != nullptr ? *range : CGXRange(), byMouse, byKey, FALSE, FALSE) != FALSE;
}
void Changed(CGXGridCore* grid, const CGXRange* range, BOOL byMouse, BOOL byKey) {
  grid->NotifySelectionChanged(range != nullptr ? *range : CGXRange(), byMouse, byKey);
  grid->RedrawSelectionHeaders(range, byMouse, FALSE);
}
const CGXRange* CurrentRange(CGXGridCore* grid) {
  return grid->m_posCurrentSelection != nullptr ? List(grid).GetAt(grid->m_posCurrentSelection) : nullptr;
}
void ClearSelection(CGXGridCore* grid) {
  grid->SetSelection(nullptr);
  Changed(grid, nullptr, TRUE, FALSE);
}
// A new, still empty range at the end of the list becomes the current one.
void StartRange(CGXGridCore* grid) { grid->m_posCurrentSelection = List(grid).AddTail(new CGXRange()); }
bool CurrentRangeVanished(CGXGridCore* grid) {
  if (grid->m_posCurrentSelection == nullptr) return true;
  for (POSITION pos = List(grid).GetHeadPosition(); pos != nullptr; List(grid).GetNext(pos))
    if (pos == grid->m_posCurrentSelection) return false;
  return true;
}

// Inverts every visible cell (headers included when asked) of `area` whose
// selected state `changed` reports changed, with the frame hidden around it.
// Headers whose state changed are left to the paint, which draws their
// marks and inversion together.
// The frame goes around `frame` afterwards (the list's last range when not
// given).
void PaintChanges(CGXGridCore* grid, const CGXRange& area, bool headers,
                  const std::function<bool(ROWCOL, ROWCOL)>& changed, const CGXRange* frame = nullptr) {
  CGXGridParam* param = grid->GetParam();
  if (param->m_bLockRedraw) {
    grid->m_rgFrame.m_bValid = FALSE;
    return;
  }
  CWnd* wnd = grid->m_pGridWnd;
  if (wnd == nullptr || wnd->m_hWnd == nullptr || !wnd->IsWindowVisible() || grid->IsPrinting()) return;
  const ROWCOL rowCount = grid->GetRowCount(), colCount = grid->GetColCount();
  CGXRange cells = area;
  cells.ExpandToCells(headers ? 0 : 1, headers ? 0 : 1, rowCount, colCount);
  // The visible rows and columns: the frozen ones, then the scrolled ones.
  auto visible = [](ROWCOL frozen, ROWCOL first, ROWCOL last, ROWCOL lo, ROWCOL hi) {
    std::vector<ROWCOL> out;
    for (ROWCOL i = lo; i <= std::min(frozen, hi); ++i) out.push_back(i);
    for (ROWCOL i = std::max(std::max(first, frozen + 1), lo); i <= std::min(last, hi); ++i) out.push_back(i);
    return out;
  };
  const std::vector<ROWCOL> rows =
      visible(grid->GetFrozenRows(), grid->GetTopRow(), grid->GetBottomRow(), cells.top, std::min(cells.bottom, rowCount));
  const std::vector<ROWCOL> cols =
      visible(grid->GetFrozenCols(), grid->GetLeftCol(), grid->GetRightCol(), cells.left, std::min(cells.right, colCount));
  grid->m_bPaintingSelection = grid->m_bPaintingDrag = TRUE;
  CDC* dc = grid->GetClientDC();
  grid->DrawSelectionFrame(dc, TRUE, CGXRange());
  const ROWCOL headerRows = grid->GetHeaderRows(), headerCols = grid->GetHeaderCols();
  CRect headerArea;
  for (ROWCOL r : rows) {
    for (ROWCOL c : cols) {
      if (!changed(r, c)) continue;
      const CRect rect = grid->CalcClientCellRect(grid->GetClientRowFromRow(r), grid->GetClientColFromCol(c));
      if (rect.IsRectEmpty()) continue;
      if (r <= headerRows || c <= headerCols) {
        headerArea.UnionRect(&headerArea, &rect);
      } else {
        grid->DrawInvertCell(dc, r, c, rect);
      }
    }
  }
  // Header cells draw their own marks for selected rows and columns; the
  // paint draws them whole.
  if (!headerArea.IsRectEmpty()) wnd->InvalidateRect(&headerArea, FALSE);
  if (frame == nullptr && !param->m_SelRects.IsEmpty()) frame = param->m_SelRects.GetTail();
  if (frame != nullptr && frame->IsValid()) grid->DrawSelectionFrame(dc, FALSE, *frame);
  grid->ReleaseClientDC();
  grid->m_bPaintingSelection = grid->m_bPaintingDrag = FALSE;
}

}  // namespace

// ------------------------------------------------------------- keyboard

BOOL CGXGridUserSelectRangeImp::MoveCurrentCell(CGXGridCore* grid, int direction, ROWCOL count) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return grid->DoMoveCurrentCell(direction, count, TRUE);
  const bool extend = KeyDown(VK_SHIFT) && Allowed(grid, 64);
  ROWCOL row = 0, col = 0;
  if (RowMode(grid, 2)) {
    if (!grid->GetCurrentCell(row, col)) return FALSE;
    if (grid->m_posCurrentSelection == nullptr || !extend) {
      if (!MayChange(grid, nullptr, TRUE, FALSE)) return FALSE;
      grid->SetSelection(nullptr);
      StartRange(grid);
      grid->m_nSelAnchorRow = row, grid->m_nSelAnchorCol = col;
    }
    if (!MayChange(grid, CurrentRange(grid), FALSE, TRUE)) return FALSE;
    grid->DoMoveCurrentCell(direction, count, TRUE);
    grid->GetCurrentCell(row, col);
    if (CurrentRangeVanished(grid)) StartRange(grid);
    grid->SetSelection(grid->m_posCurrentSelection, extend ? grid->m_nSelAnchorRow : row, 0, row, 0);
    grid->m_nSelLastRow = row, grid->m_nSelLastCol = col;
    Changed(grid, CurrentRange(grid), FALSE, TRUE);
    if (!extend) grid->m_nSelAnchorRow = row, grid->m_nSelAnchorCol = col;
    return TRUE;
  }
  if (RowMode(grid, 1)) {
    if (!grid->GetCurrentCell(row, col)) return FALSE;
    if (grid->m_posCurrentSelection == nullptr || CurrentRangeVanished(grid)) {
      if (!MayChange(grid, nullptr, TRUE, FALSE)) return FALSE;
      grid->SetSelection(nullptr);
      StartRange(grid);
      Changed(grid, nullptr, TRUE, FALSE);
    }
    if (!MayChange(grid, CurrentRange(grid), FALSE, TRUE)) return FALSE;
    grid->DoMoveCurrentCell(direction, count, TRUE);
    grid->GetCurrentCell(row, col);
    if (CurrentRangeVanished(grid)) StartRange(grid);
    grid->SetSelection(grid->m_posCurrentSelection, row, 0, row, 0);
    grid->m_nSelAnchorRow = grid->m_nSelLastRow = row;
    grid->m_nSelAnchorCol = grid->m_nSelLastCol = col;
    Changed(grid, CurrentRange(grid), FALSE, TRUE);
    return TRUE;
  }
  if (!extend) {
    const BOOL moved = grid->DoMoveCurrentCell(direction, count, TRUE);
    grid->m_posCurrentSelection = nullptr;
    return moved;
  }
  if (!grid->GetCurrentCell(row, col)) return FALSE;
  if (grid->m_posCurrentSelection == nullptr || CurrentRangeVanished(grid)) {
    if (!MayStart(grid, row, col, 0, 0, 0) || !MayChange(grid, nullptr, TRUE, FALSE)) return FALSE;
    grid->SetSelection(nullptr);
    StartRange(grid);
    grid->m_nSelAnchorRow = row, grid->m_nSelAnchorCol = col;
  }
  if (!MayChange(grid, CurrentRange(grid), FALSE, TRUE)) return FALSE;
  if (!grid->DoMoveCurrentCell(direction, count, FALSE)) return FALSE;
  grid->GetCurrentCell(row, col);
  if (CurrentRangeVanished(grid)) StartRange(grid);
  grid->SetSelection(grid->m_posCurrentSelection, grid->m_nSelAnchorRow, grid->m_nSelAnchorCol, row, col);
  grid->m_nSelLastRow = row, grid->m_nSelLastCol = col;
  Changed(grid, CurrentRange(grid), FALSE, TRUE);
  return TRUE;
}

// ---------------------------------------------------------------- mouse

BOOL CGXGridUserSelectRangeImp::OnLButtonDown(CGXGridCore* grid, POINT point, UINT keys, int, ROWCOL row,
                                              ROWCOL col) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return FALSE;
  CGXRangeList& list = List(grid);
  if (row == 0 && col == 0) {
    // The corner toggles the whole table.
    if (!Allowed(grid, 4) || !MayStart(grid, 0, 0, keys, point.x, point.y)) return FALSE;
    const bool selected = list.IsCellInListExcept(0, 0, nullptr) != FALSE;
    if (MayChange(grid, nullptr, TRUE, FALSE) && !selected) ClearSelection(grid);
    grid->SelectRange(CGXRange().SetTable(), !selected, TRUE);
    return TRUE;
  }
  const ROWCOL headerRows = grid->GetHeaderRows(), headerCols = grid->GetHeaderCols();
  const bool colHeader = row <= headerRows && col > headerCols;
  const bool rowHeader = col <= headerCols && row > headerRows;
  const bool dataCell = row > headerRows && col > headerCols;
  bool multi = (keys & MK_CONTROL) && Allowed(grid, 16);
  bool shiftExt = (keys & MK_SHIFT) && Allowed(grid, 32);
  const bool rowMode1 = RowMode(grid, 1), rowMode2 = RowMode(grid, 2);
  if (rowMode2) {
    multi = (keys & MK_CONTROL) != 0;
    shiftExt = (keys & MK_SHIFT) != 0;
  } else if (rowMode1) {
    multi = shiftExt = false;
  }
  if (!Allowed(grid, 0xFF) || !MayStart(grid, row, col, keys, point.x, point.y)) return FALSE;
  if (!shiftExt && !multi && MayChange(grid, nullptr, TRUE, FALSE)) ClearSelection(grid);
  ROWCOL curRow = 0, curCol = 0;
  const bool hasCurrent = grid->GetCurrentCell(curRow, curCol) != FALSE;
  if (multi && !shiftExt && list.IsEmpty() && hasCurrent && !(curRow == row && curCol == col) && !rowMode1 &&
      !rowMode2) {
    // Ctrl+click keeps the cell that was current as the first range.
    const CGXRange cell(curRow, curCol);
    if (MayChange(grid, &cell, TRUE, FALSE)) {
      grid->SelectRange(cell, TRUE, TRUE);
      Changed(grid, &cell, TRUE, FALSE);
    }
  }
  const bool starts = (rowHeader && Allowed(grid, 1)) || (colHeader && Allowed(grid, 2)) || (dataCell && Allowed(grid, 8));
  if (!starts) return FALSE;
  if (shiftExt) {
    if (list.IsEmpty()) {
      StartRange(grid);
      grid->m_nSelAnchorRow = hasCurrent ? curRow : 1;
      grid->m_nSelAnchorCol = hasCurrent ? curCol : 1;
    } else {
      grid->m_posCurrentSelection = list.GetTailPosition();
    }
    const ROWCOL top = colHeader ? 0 : grid->m_nSelAnchorRow, left = rowHeader ? 0 : grid->m_nSelAnchorCol;
    const CGXRange range = GXSelectionRange(top, left, colHeader ? 0 : row, rowHeader ? 0 : col);
    if (MayChange(grid, &range, TRUE, FALSE)) {
      grid->SetSelection(grid->m_posCurrentSelection, top, left, colHeader ? 0 : row, rowHeader ? 0 : col);
      Changed(grid, CurrentRange(grid), TRUE, FALSE);
    }
    grid->m_nSelLastRow = row, grid->m_nSelLastCol = col;
    grid->m_nMouseAction |= kMouseSelecting;
    return TRUE;
  }
  StartRange(grid);
  grid->m_nSelAnchorRow = grid->m_nSelLastRow = row;
  grid->m_nSelAnchorCol = grid->m_nSelLastCol = col;
  grid->m_nMouseAction |= kMouseSelecting;
  CGXRange range;
  if (rowMode1) {
    range.SetRows(row, row);
  } else if (colHeader) {
    range.SetCols(col, col);
  } else if (rowHeader) {
    range.SetRows(row, row);
  } else if (rowMode2) {
    range.SetRows(row, row);
  } else {
    return TRUE;  // a plain press on a cell: the range grows as the mouse moves
  }
  if (MayChange(grid, &range, TRUE, FALSE)) {
    grid->SetSelection(grid->m_posCurrentSelection, range.top, range.left, range.bottom, range.right);
    Changed(grid, CurrentRange(grid), TRUE, FALSE);
  }
  return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnMouseMove(CGXGridCore* grid, POINT, UINT, ROWCOL row, ROWCOL col) {
  if (grid->GetParam() == nullptr || !(grid->m_nMouseAction & kMouseSelecting) || !Allowed(grid, 0xFF)) return FALSE;
  const ROWCOL headerRows = grid->GetHeaderRows(), headerCols = grid->GetHeaderCols();
  const ROWCOL anchorRow = grid->m_nSelAnchorRow, anchorCol = grid->m_nSelAnchorCol;
  CGXRange range;
  if (RowMode(grid, 1)) {
    range.SetRows(std::max(row, headerRows + 1), std::max(row, headerRows + 1));
  } else if (anchorRow <= headerRows) {
    range.SetCols(anchorCol, std::max(col, headerCols + 1));
  } else if (anchorCol <= headerCols) {
    range.SetRows(anchorRow, std::max(row, headerRows + 1));
  } else {
    // A block dragged from a cell never reaches into the headers.
    row = std::max(row, headerRows + 1);
    col = std::max(col, headerCols + 1);
    if (RowMode(grid, 2)) {
      range.SetRows(anchorRow, row);
    } else {
      range.SetCells(anchorRow, anchorCol, row, col);
    }
  }
  grid->m_nSelLastRow = row, grid->m_nSelLastCol = col;
  if (grid->m_posCurrentSelection != nullptr && !CurrentRangeVanished(grid) && MayChange(grid, &range, TRUE, FALSE)) {
    const ROWCOL top = range.IsCols() ? 0 : range.top, bottom = range.IsCols() ? 0 : range.bottom;
    const ROWCOL left = range.IsRows() ? 0 : range.left, right = range.IsRows() ? 0 : range.right;
    grid->SetSelection(grid->m_posCurrentSelection, top, left, bottom, right);
    Changed(grid, CurrentRange(grid), TRUE, FALSE);
  }
  return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnLButtonUp(CGXGridCore* grid, POINT, UINT) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || !(grid->m_nMouseAction & kMouseSelecting)) return FALSE;
  const ROWCOL row = grid->m_nSelAnchorRow, col = grid->m_nSelAnchorCol;
  if (row == 0 && col == 0) return FALSE;
  grid->m_nMouseAction &= ~kMouseSelecting;
  if (!RowMode(grid, 1 | 2) && row == grid->m_nSelLastRow && col == grid->m_nSelLastCol && row != 0 && col != 0 &&
      row > grid->GetHeaderRows() && col > grid->GetHeaderCols()) {
    if (grid->m_nMouseAction & kCtrlAtPress) {
      const CGXRange cell(row, col);
      if (grid->m_posCurrentSelection != nullptr && !CurrentRangeVanished(grid) && MayChange(grid, &cell, FALSE, FALSE)) {
        grid->SetSelection(grid->m_posCurrentSelection, row, col, row, col);
        Changed(grid, CurrentRange(grid), FALSE, FALSE);
      }
      return TRUE;
    }
    // A simple click leaves only the current cell behind.
    if (!param->m_bCurrentCellSelected) grid->SetSelection(nullptr);
  }
  // A press that never grew a range leaves no empty range behind.
  if (!CurrentRangeVanished(grid) && !CurrentRange(grid)->IsValid()) {
    List(grid).DeleteAt(grid->m_posCurrentSelection);
    grid->m_posCurrentSelection = nullptr;
  }
  Changed(grid, CurrentRangeVanished(grid) ? nullptr : CurrentRange(grid), FALSE, FALSE);
  return TRUE;
}

BOOL CGXGridUserSelectRangeImp::OnLButtonClickedRowCol(CGXGridCore*, ROWCOL, ROWCOL, UINT, POINT) { return FALSE; }

BOOL CGXGridUserSelectRangeImp::CtrlClickHeader(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT, POINT) {
  if (grid->GetParam() == nullptr || !KeyDown(VK_CONTROL)) return FALSE;
  CGXRangeList& list = List(grid);
  const POSITION except = CurrentRangeVanished(grid) ? nullptr : grid->m_posCurrentSelection;
  CGXRange range;
  if (col <= grid->GetHeaderCols() && row > grid->GetHeaderRows() && list.IsCellInListExcept(row, 0, except)) {
    range.SetRows(row, row);
  } else if (row <= grid->GetHeaderRows() && col > grid->GetHeaderCols() && list.IsCellInListExcept(0, col, except)) {
    range.SetCols(col, col);
  } else {
    return FALSE;
  }
  grid->SelectRange(range, FALSE, TRUE);
  grid->m_posCurrentSelection = nullptr;
  return TRUE;
}

// ------------------------------------------------------------ the list

void CGXGridUserSelectRangeImp::SelectRange(CGXGridCore* grid, const CGXRange& range, BOOL select, BOOL update) {
  if (grid->GetParam() == nullptr) return;
  const CGXRangeList old(List(grid));
  if (!grid->StoreSelectRange(range, select)) return;
  Changed(grid, &range, FALSE, FALSE);
  if (update) grid->UpdateSelectRange(range, &old, TRUE);
}

BOOL CGXGridUserSelectRangeImp::StoreSelectRange(CGXGridCore* grid, const CGXRange& range, BOOL select) {
  if (grid->GetParam() == nullptr) return FALSE;
  CGXRangeList& list = List(grid);
  if (select) {
    list.AddTail(new CGXRange(range));
    return TRUE;
  }
  const ROWCOL rows = grid->GetRowCount(), cols = grid->GetColCount();
  CGXRange gone = range;
  gone.ExpandToCells(1, 1, rows, cols);
  std::vector<CGXRange> kept;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
    const CGXRange r = *list.GetNext(pos);
    CGXRange rc = r;
    rc.ExpandToCells(1, 1, rows, cols);
    CGXRange in;
    if (!r.IsValid() || !in.IntersectWith(rc, gone)) {
      kept.push_back(r);
      continue;
    }
    // What is left of r around the deselected part: full-width bands above
    // and below, full-height bands left and right.
    const bool bandsAsRows = range.IsRows() && (r.IsRows() || r.IsTable());
    const bool sidesAsCols = range.IsCols() && (r.IsCols() || r.IsTable());
    auto band = [&](ROWCOL top, ROWCOL bottom) {
      kept.push_back(bandsAsRows ? CGXRange().SetRows(top, bottom) : CGXRange(top, rc.left, bottom, rc.right));
    };
    auto side = [&](ROWCOL left, ROWCOL right) {
      kept.push_back(sidesAsCols ? CGXRange().SetCols(left, right) : CGXRange(rc.top, left, rc.bottom, right));
    };
    if (in.top > rc.top) band(rc.top, in.top - 1);
    if (in.bottom < rc.bottom) band(in.bottom + 1, rc.bottom);
    if (in.left > rc.left) side(rc.left, in.left - 1);
    if (in.right < rc.right) side(in.right + 1, rc.right);
  }
  list.DeleteAll();
  for (const CGXRange& r : kept) list.AddTail(new CGXRange(r));
  grid->m_posCurrentSelection = nullptr;
  return TRUE;
}

void CGXGridUserSelectRangeImp::SetSelection(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left,
                                             ROWCOL bottom, ROWCOL right) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return;
  CGXRangeList& list = List(grid);
  if (pos == nullptr) {
    if (!list.IsEmpty()) grid->RedrawSelection(TRUE);
    list.DeleteAll();
    grid->m_posCurrentSelection = nullptr;
    // The frame goes with the ranges it marked.
    if (grid->m_rgFrame.IsValid() && grid->m_pGridWnd != nullptr && grid->m_pGridWnd->m_hWnd != nullptr) {
      grid->DrawSelectionFrame(grid->GetClientDC(), TRUE, CGXRange());
      grid->ReleaseClientDC();
    }
    return;
  }
  if (RowMode(grid, 1 | 2)) left = right = 0;
  if (grid->m_pGridWnd != nullptr && grid->m_pGridWnd->m_hWnd != nullptr) grid->m_pGridWnd->UpdateWindow();
  if (top > bottom) std::swap(top, bottom);
  if (left > right) std::swap(left, right);
  grid->UpdateChangedSelection(pos, top, left, bottom, right, TRUE);
  *list.GetAt(pos) = GXSelectionRange(top, left, bottom, right);
}

// ------------------------------------------------------------- painting

void CGXGridUserSelectRangeImp::RedrawSelectionChange(CGXGridCore* grid, const CGXRange& range,
                                                      const CGXRangeList* oldList, BOOL sendHint) {
  if (auto* hints = grid->HintSender(sendHint)) hints->HintRedrawSelectionChange(grid, range, oldList);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return;
  const CGXRangeList& now = param->m_SelRects;
  PaintChanges(grid, range, true, [&](ROWCOL r, ROWCOL c) {
    const bool was = oldList != nullptr && oldList->IsCellInListExcept(r, c, nullptr);
    return was != (now.IsCellInListExcept(r, c, nullptr) != FALSE);
  });
  grid->m_posCurrentSelection = now.IsEmpty() ? nullptr : now.GetTailPosition();
  if (const CGXRange* last = CurrentRange(grid)) {
    grid->m_nSelAnchorRow = grid->m_nSelLastRow = last->top;
    grid->m_nSelAnchorCol = grid->m_nSelLastCol = last->left;
  } else {
    grid->m_nSelAnchorRow = grid->m_nSelLastRow = grid->m_nSelAnchorCol = grid->m_nSelLastCol = 0;
  }
}

void CGXGridUserSelectRangeImp::RedrawRangeChange(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left,
                                                  ROWCOL bottom, ROWCOL right, BOOL sendHint) {
  if (auto* hints = grid->HintSender(sendHint)) hints->HintRedrawRangeChange(grid, pos, top, left, bottom, right);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || pos == nullptr) return;
  const CGXRangeList& list = param->m_SelRects;
  const CGXRange wanted = GXSelectionRange(top, left, bottom, right);
  const CGXRange& fresh = wanted;
  CGXRange area = fresh;
  if (const CGXRange* old = list.GetAt(pos); old != nullptr && old->IsValid()) area.SetUnion(*old, fresh);
  PaintChanges(grid, area, true, [&](ROWCOL r, ROWCOL c) {
    const bool will = fresh.IsCellInRange(r, c) || list.IsCellInListExcept(r, c, pos);
    return will != (list.IsCellInListExcept(r, c, nullptr) != FALSE);
  }, pos == list.GetTailPosition() ? &wanted : nullptr);
}

void CGXGridUserSelectRangeImp::RedrawSelection(CGXGridCore* grid, BOOL sendHint) {
  if (auto* hints = grid->HintSender(sendHint)) hints->HintRedrawSelection(grid);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return;
  const CGXRangeList& list = param->m_SelRects;
  PaintChanges(grid, CGXRange().SetTable(), true,
               [&](ROWCOL r, ROWCOL c) { return list.IsCellInListExcept(r, c, nullptr) != FALSE; });
}
