// Keyboard handling: keys reach the current cell's control first, then the
// grid's own keys move the current cell to the next cell that may become
// current, scrolling the view along.
#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "platform/window/Window.h"

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

BOOL CGXGridCore::OnGridKeyUp(UINT, UINT, UINT) { return FALSE; }
BOOL CGXGridCore::OnGridInsertText(LPCTSTR, UINT, UINT) { return FALSE; }
BOOL CGXGridCore::OnGridDeadChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXGridCore::OnGridSysKeyUp(UINT, UINT, UINT) { return FALSE; }
BOOL CGXGridCore::OnGridSysChar(UINT, UINT, UINT) { return FALSE; }
BOOL CGXGridCore::OnGridSysDeadChar(UINT, UINT, UINT) { return FALSE; }

BOOL CGXGridCore::ProcessKeys(CWnd* sender, UINT message, UINT key, UINT repeat, UINT flags) {
  const HWND gridWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
  if (gridWnd != nullptr && ::GetCapture() == gridWnd) {
    // A mouse action is in progress: Esc ends it, other keys wait.
    if (message == WM_KEYDOWN && key == VK_ESCAPE) m_pGridWnd->SendMessage(WM_CANCELMODE);
    return TRUE;
  }
  CGXControl* control = GetCurrentCellControl();
  if (control != nullptr && sender != nullptr && sender->GetSafeHwnd() == gridWnd) {
    ROWCOL row = 0, col = 0;
    GetCurrentCell(row, col);
    if (!control->IsInitializedFor(row, col)) control->Init(row, col);
    if (control->ProcessKeys(message, key, repeat, flags)) {
      ScrollCellInView(row, col, 2);
      if (gridWnd != nullptr) m_pGridWnd->UpdateWindow();
      return TRUE;
    }
  }
  switch (message) {
    case WM_KEYDOWN:
      return OnGridKeyDown(key, repeat, flags);
    case WM_KEYUP:
      return OnGridKeyUp(key, repeat, flags);
    case WM_CHAR:
      // The fixed locale has no double-byte characters: no lead byte to collect.
      return OnGridChar(key, repeat, flags);
    case WM_DEADCHAR:
      return OnGridDeadChar(key, repeat, flags);
    case WM_SYSKEYDOWN:
      return OnGridSysKeyDown(key, repeat, flags);
    case WM_SYSKEYUP:
      return OnGridSysKeyUp(key, repeat, flags);
    case WM_SYSCHAR:
      return OnGridSysChar(key, repeat, flags);
    case WM_SYSDEADCHAR:
      return OnGridSysDeadChar(key, repeat, flags);
    default:
      return FALSE;
  }
}

BOOL CGXGridCore::OnGridKeyDown(UINT key, UINT repeat, UINT flags) {
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  const bool alt = ::GetKeyState(VK_MENU) < 0;
  const ROWCOL count = std::max<UINT>(repeat, 1);
  auto update = [this] {
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr) m_pGridWnd->UpdateWindow();
  };
  auto arrowMove = [&](int direction) {
    m_bWarningShown = FALSE;
    const BOOL moved = MoveCurrentCell(direction, count);
    update();
    if (moved && !m_bWarningShown && m_bKeyRepeatScroll && !m_bKeyAutoScroll && m_pGridWnd != nullptr) {
      m_bKeyAutoScroll = TRUE;
      m_nKeyAutoScrollKey = key;
      m_nKeyAutoScrollFlags = flags;
      StartAutoScroll(FALSE, TRUE, TRUE);
    }
    return TRUE;
  };
  CGXControl* control = GetCurrentCellControl();
  switch (key) {
    case VK_UP:
      return arrowMove(ctrl ? 7 : 1);
    case VK_DOWN:
      return arrowMove(ctrl ? 8 : 3);
    case VK_LEFT:
      return arrowMove(ctrl ? 9 : 2);
    case VK_RIGHT:
      return arrowMove(ctrl ? 10 : 4);
    case VK_PRIOR:
      return arrowMove(6);
    case VK_NEXT:
      return arrowMove(5);
    case VK_HOME:
    case VK_END:
      if (!ctrl) return FALSE;
      MoveCurrentCell(key == VK_HOME ? 11 : 12, 1);
      update();
      return TRUE;
    case VK_TAB:
      if (TransferCurrentCell(TRUE, 1, TRUE)) DoMoveCurrentCell(shift ? 2 : 4, 1, TRUE);
      update();
      return TRUE;
    case VK_RETURN:
      if (ctrl || shift || alt) return FALSE;
      if (TransferCurrentCell(TRUE, 1, TRUE) && m_pParam != nullptr && m_pParam->m_wEnterDirection != 0)
        MoveCurrentCell(m_pParam->m_wEnterDirection, 1);
      update();
      return TRUE;
    case VK_ESCAPE: {
      if (m_pParam != nullptr && m_pParam->m_bCutPending) {
        m_pParam->m_bCutPending = FALSE;
        Redraw(1, TRUE);
      }
      ROWCOL row = 0, col = 0;
      if (control != nullptr && GetCurrentCell(row, col)) {
        if (control->OnCancelEditing()) {
          control->Init(row, col);
          control->Refresh();
          control->OnCanceledEditing();
        } else {
          control->Refresh();
        }
        ScrollCellInView(row, col, 2);
      }
      if (m_pParam == nullptr || !m_pParam->m_bCurrentCellSelected) SetSelection(nullptr);
      update();
      return TRUE;
    }
    case VK_F2:
      if (control == nullptr) return OnGridKeyDown(VK_RETURN, repeat, flags);
      if (!control->IsActive()) {
        TransferCurrentCell(FALSE, 2, TRUE);
        control = GetCurrentCellControl();
        if (control != nullptr && !control->IsReadOnly() && control->OnStartEditing()) {
          control->SetActive(TRUE);
          control->Refresh();
        }
      } else {
        TransferCurrentCell(TRUE, 2, TRUE);
      }
      update();
      return TRUE;
    case VK_INSERT:
      if (ctrl) {
        if (CanCopy()) Copy();
      } else if (shift) {
        if (CanPaste()) Paste();
      } else {
        return FALSE;
      }
      update();
      return TRUE;
    case VK_DELETE:
      if (shift) {
        if (CanCut()) Cut();
        update();
        return TRUE;
      }
      if (control != nullptr && !control->IsActive() && CanClear() && control->OnDeleteCell()) Clear(ctrl);
      return TRUE;
    case VK_BACK:
      if (!ctrl) return FALSE;
      Redo();
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CGXGridCore::MoveCurrentCell(int direction, ROWCOL count) {
  if (m_pUserSelectRangeImp != nullptr) return m_pUserSelectRangeImp->MoveCurrentCell(this, direction, count);
  const BOOL moved = DoMoveCurrentCell(direction, count, TRUE);
  m_rgKeyAnchor = CGXRange();
  return moved;
}

BOOL CGXGridCore::ScrollCellsOnMove(int direction, ROWCOL count) { return OnAutoScroll(direction, count); }

BOOL CGXGridCore::DoMoveCurrentCell(int direction, ROWCOL count, BOOL maySelect) {
  if (count == 0) count = 1;
  const ROWCOL rowCount = GetRowCount();
  const ROWCOL colCount = GetColCount();
  const BOOL oldMoving = m_bMovingCurrentCell;
  m_bMovingCurrentCell = TRUE;
  ROWCOL row = 0, col = 0;
  const BOOL hadCell = GetCurrentCell(row, col) && row <= rowCount && col <= colCount;
  if (!hadCell && m_pParam != nullptr) {
    row = std::min(m_pParam->m_nSharedCurrentRow, rowCount);
    col = std::min(m_pParam->m_nSharedCurrentCol, colCount);
  }
  CGXControl* control = hadCell ? GetControl(row, col) : nullptr;
  const BOOL oldKeep = m_bKeepCurrentCellStyle;
  const bool keep = (control == nullptr || !control->GetModify()) && m_bCacheCurrentCellStyle &&
                    !m_bStylesDependOnCurrentCell;
  m_bKeepCurrentCellStyle = keep;
  if (keep) m_nKeepRow = m_nKeepCol = static_cast<ROWCOL>(-2);

  const ROWCOL topRow = m_bPrinting ? m_nPrintTopRow : m_nTopRow;
  const ROWCOL leftCol = m_bPrinting ? m_nPrintLeftCol : m_nLeftCol;
  const ROWCOL frozenRows = GetFrozenRows(), frozenCols = GetFrozenCols();
  const ROWCOL headerRows = GetHeaderRows(), headerCols = GetHeaderCols();
  ROWCOL targetRow = row, targetCol = col;
  bool found = false;
  ROWCOL scrollRows = 0, scrollCols = 0;

  // Up and left share one walk; `rows` tells which axis.
  auto walkBack = [&](bool rows) {
    const ROWCOL first = rows ? topRow : leftCol;
    const ROWCOL frozen = rows ? frozenRows : frozenCols;
    const ROWCOL header = rows ? headerRows : headerCols;
    ROWCOL& s = rows ? scrollRows : scrollCols;
    const ROWCOL start = rows ? row : col;
    ROWCOL r = start;
    for (ROWCOL i = 0; i < count; ++i) {
      if (r <= header) break;
      ROWCOL cand;
      const ROWCOL firstShown = rows ? GetRowFromClientRow(frozen + 1) : GetColFromClientCol(frozen + 1);
      if (m_pParam == nullptr || m_pParam->m_bStepPastTopRow) {
        if (r == first || s > 0) ++s;
        cand = r - 1;
      } else if (r <= header + 1 || s > 0) {
        ++s;
        cand = start <= frozen ? r : firstShown - std::min(firstShown, s);
      } else {
        cand = r - 1;
        if (frozen > header && r >= first && r <= firstShown) {
          const ROWCOL client = rows ? GetClientRowFromRow(r) : GetClientColFromCol(r);
          if (client > 0) cand = rows ? GetRowFromClientRow(client - 1) : GetColFromClientCol(client - 1);
        }
      }
      ROWCOL fr = rows ? cand : targetRow;
      ROWCOL fc = rows ? targetCol : cand;
      if (!FindNextCell(rows ? 1 : 2, fr, fc)) break;
      const ROWCOL got = rows ? fr : fc;
      if (got > frozen && got < first) s += first - got;
      targetRow = fr;
      targetCol = fc;
      found = true;
      r = got;
      if (keep) {
        if (rows) {
          m_nKeepRow = got;
          m_nKeepTopRow = first;
        } else {
          m_nKeepCol = got;
          m_nKeepLeftCol = first;
        }
      }
    }
  };
  // Down and right.
  auto walkOn = [&](bool rows) {
    const ROWCOL limit = rows ? rowCount : colCount;
    const ROWCOL frozen = rows ? frozenRows : frozenCols;
    if (rows) {
      OnBeforeReach(rowCount, 0);
    } else {
      OnBeforeReach(0, colCount);
    }
    CGXRange block;
    ROWCOL extra = 0;
    if (GetCoveredCellsRowCol(row, col, block) != nullptr)
      extra = rows ? block.bottom - std::min(block.bottom, row) : block.right - std::min(block.right, col);
    ROWCOL r = rows ? row : col;
    for (ROWCOL i = 0; i < count; ++i) {
      if (r >= limit) break;
      ROWCOL cand = r + extra + 1;
      if (r <= frozen) cand = rows ? GetRowFromClientRow(cand) : GetColFromClientCol(cand);
      ROWCOL fr = rows ? cand : targetRow;
      ROWCOL fc = rows ? targetCol : cand;
      if (!FindNextCell(rows ? 3 : 4, fr, fc)) break;
      targetRow = fr;
      targetCol = fc;
      found = true;
      r = rows ? fr : fc;
    }
  };
  switch (direction) {
    case 1:
      walkBack(true);
      break;
    case 2:
      walkBack(false);
      break;
    case 3:
      walkOn(true);
      break;
    case 4:
      walkOn(false);
      break;
    case 5: {
      OnBeforeReach(rowCount, 0);
      if (topRow >= rowCount) break;
      const ROWCOL bottom = std::max(CalcBottomRowFromRect(GetGridRect()), topRow + 1);
      const ROWCOL n = bottom - topRow;
      // Where the current row is shown is read before the view scrolls
      // away from it.
      const bool belowFrozen = GetClientRowFromRow(row) > frozenRows;
      ScrollCellsOnMove(3, n);
      ROWCOL cand = row;
      if (belowFrozen) cand = std::min(row + n, rowCount);
      ROWCOL fr = cand, fc = col;
      if (FindNextCell(3, fr, fc) || FindNextCell(1, fr, fc)) {
        targetRow = fr;
        targetCol = fc;
        found = true;
      }
      break;
    }
    case 6: {
      if (topRow <= frozenRows + 1) {
        DoMoveCurrentCellTo(7, found, targetRow, targetCol, col, rowCount, colCount);
        break;
      }
      const CRect grid = GetGridRect();
      const int available = grid.Height() - SumRowHeights(0, frozenRows);
      int sum = GetRowHeight(topRow);
      ROWCOL k = 0;
      for (ROWCOL next = topRow - 1; next >= 1; --next) {
        const int h = GetRowHeight(next);
        if (sum + h >= available) break;
        sum += h;
        ++k;
      }
      k = std::max<ROWCOL>(k, 1);
      const bool belowFrozen = GetClientRowFromRow(row) > frozenRows;
      ScrollCellsOnMove(1, k);
      ROWCOL cand = row;
      if (belowFrozen) cand = std::max(row, k + 1) - k;
      ROWCOL fr = cand, fc = col;
      if (FindNextCell(1, fr, fc)) {
        targetRow = fr;
        targetCol = fc;
        found = true;
      } else {
        OnBeforeReach(rowCount, 0);
        fr = cand;
        if (FindNextCell(3, fr, fc)) {
          targetRow = fr;
          targetCol = fc;
          found = true;
        }
      }
      break;
    }
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
      if (direction == 9 && col > headerCols) ScrollCellsOnMove(2, col - 1);
      DoMoveCurrentCellTo(direction, found, targetRow, targetCol, col, rowCount, colCount);
      break;
    default:
      break;
  }

  BOOL moved = FALSE;
  if (found && ((targetRow != row && targetRow > headerRows) || (targetCol != col && targetCol > headerCols) ||
                !hadCell)) {
    UINT moveFlags = 0x8A;
    if (m_pParam != nullptr && m_pParam->m_bCurrentCellSelected && maySelect) {
      moveFlags = 0x0A;
      if (!m_pParam->m_SelRects.IsEmpty() && !m_pParam->m_SelRects.IsCellInListExcept(targetRow, targetCol, nullptr))
        SetSelection(nullptr);
    }
    moved = SetCurrentCell(targetRow, targetCol, moveFlags);
    if (moved) {
      if (scrollRows > 0 && targetRow <= frozenRows) ScrollCellsOnMove(1, scrollRows);
      if (scrollCols > 0 && targetCol <= frozenCols) ScrollCellsOnMove(2, scrollCols);
    }
  }
  m_bMovingCurrentCell = oldMoving;
  m_nKeepRow = m_nKeepCol = m_nKeepTopRow = m_nKeepLeftCol = 0;
  m_bKeepCurrentCellStyle = oldKeep;
  return moved;
}

void CGXGridCore::DoMoveCurrentCellTo(int direction, bool& found, ROWCOL& targetRow, ROWCOL& targetCol, ROWCOL col,
                                      ROWCOL rowCount, ROWCOL colCount) {
  static constexpr ROWCOL kLast = static_cast<ROWCOL>(-2);
  const ROWCOL firstRow = GetHeaderRows() + 1, firstCol = GetHeaderCols() + 1;
  ROWCOL r = targetRow, c = targetCol;
  int dir1 = 0, dir2 = 0;
  switch (direction) {
    case 7:
      OnBeforeReach(rowCount, 0);
      r = firstRow, dir1 = 3;
      break;
    case 8:
      OnBeforeReach(kLast, 0);
      r = GetRowCount(), dir1 = 1;
      break;
    case 9:
      OnBeforeReach(0, colCount);
      c = firstCol, dir1 = 4;
      break;
    case 10:
      OnBeforeReach(0, kLast);
      c = GetColCount(), dir1 = 2;
      break;
    case 11:
      OnBeforeReach(rowCount, colCount);
      r = firstRow, c = firstCol, dir1 = 3, dir2 = 4;
      break;
    case 12:
      OnBeforeReach(kLast, kLast);
      r = GetRowCount(), c = GetColCount(), dir1 = 1, dir2 = 2;
      break;
    default:
      return;
  }
  (void)col;
  ROWCOL fr = r, fc = c;
  if (FindNextCell(dir1, fr, fc) || (dir2 != 0 && FindNextCell(dir2, fr, fc))) {
    targetRow = fr;
    targetCol = fc;
    found = true;
  }
}
