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
  const bool alongCols = direction == kMoveLeft || direction == kMoveRight;
  const bool forward = direction == kMoveDown || direction == kMoveRight;
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
      return arrowMove(ctrl ? kMoveFirstRow : kMoveUp);
    case VK_DOWN:
      return arrowMove(ctrl ? kMoveLastRow : kMoveDown);
    case VK_LEFT:
      return arrowMove(ctrl ? kMoveFirstCol : kMoveLeft);
    case VK_RIGHT:
      return arrowMove(ctrl ? kMoveLastCol : kMoveRight);
    case VK_PRIOR:
      return arrowMove(kMovePageUp);
    case VK_NEXT:
      return arrowMove(kMovePageDown);
    case VK_HOME:
    case VK_END:
      if (!ctrl) return FALSE;
      MoveCurrentCell(key == VK_HOME ? kMoveTopLeft : kMoveBottomRight, 1);
      update();
      return TRUE;
    case VK_TAB:
      if (TransferCurrentCell(TRUE, 1, TRUE)) DoMoveCurrentCell(shift ? kMoveLeft : kMoveRight, 1, TRUE);
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

// One move of the current cell: where it starts, the view it starts in and
// the target found so far. The steps of DoMoveCurrentCell share it.
struct GXCellMove {
  ROWCOL count = 1;
  ROWCOL rowCount = 0, colCount = 0;
  ROWCOL row = 0, col = 0;
  BOOL hadCell = FALSE;
  bool keep = false;
  ROWCOL topRow = 1, leftCol = 1;
  ROWCOL frozenRows = 0, frozenCols = 0, headerRows = 0, headerCols = 0;
  ROWCOL targetRow = 0, targetCol = 0;
  bool found = false;
  // Rows and columns to scroll back once a frozen cell was reached.
  ROWCOL scrollRows = 0, scrollCols = 0;

  void Take(ROWCOL r, ROWCOL c) {
    targetRow = r;
    targetCol = c;
    found = true;
  }
};

// The move is split along its steps: where it starts, where it goes (one
// step per kind of direction) and the move itself, so that each can be
// read (and tested through the keys) on its own.
BOOL CGXGridCore::DoMoveCurrentCell(int direction, ROWCOL count, BOOL maySelect) {
  const BOOL oldMoving = m_bMovingCurrentCell;
  const BOOL oldKeep = m_bKeepCurrentCellStyle;
  m_bMovingCurrentCell = TRUE;
  GXCellMove move;
  BeginCellMove(move, count);
  switch (direction) {
    case kMoveUp: WalkCellMoveBack(move, true); break;
    case kMoveLeft: WalkCellMoveBack(move, false); break;
    case kMoveDown: WalkCellMoveOn(move, true); break;
    case kMoveRight: WalkCellMoveOn(move, false); break;
    case kMovePageDown: PageCellMoveDown(move); break;
    case kMovePageUp: PageCellMoveUp(move); break;
    case kMoveFirstRow: case kMoveLastRow: case kMoveFirstCol: case kMoveLastCol: case kMoveTopLeft:
    case kMoveBottomRight:
      if (direction == kMoveFirstCol && move.col > move.headerCols) ScrollCellsOnMove(kMoveLeft, move.col - 1);
      MoveCellToEdge(move, static_cast<GXMoveDirection>(direction));
      break;
    default: break;
  }
  const BOOL moved = FinishCellMove(move, maySelect);
  m_bMovingCurrentCell = oldMoving;
  m_nKeepRow = m_nKeepCol = m_nKeepTopRow = m_nKeepLeftCol = 0;
  m_bKeepCurrentCellStyle = oldKeep;
  return moved;
}

// Where the move starts: the current cell, or the position the views share
// when there is none. An unmodified cell's composed style is kept across
// the move (the cache release during scrolling spares it).
void CGXGridCore::BeginCellMove(GXCellMove& move, ROWCOL count) {
  move.count = count == 0 ? 1 : count;
  move.rowCount = GetRowCount();
  move.colCount = GetColCount();
  move.hadCell = GetCurrentCell(move.row, move.col) && move.row <= move.rowCount && move.col <= move.colCount;
  if (!move.hadCell && m_pParam != nullptr) {
    move.row = std::min(m_pParam->m_nSharedCurrentRow, move.rowCount);
    move.col = std::min(m_pParam->m_nSharedCurrentCol, move.colCount);
  }
  CGXControl* control = move.hadCell ? GetControl(move.row, move.col) : nullptr;
  move.keep = (control == nullptr || !control->GetModify()) && m_bCacheCurrentCellStyle && !m_bStylesDependOnCurrentCell;
  m_bKeepCurrentCellStyle = move.keep;
  if (move.keep) m_nKeepRow = m_nKeepCol = static_cast<ROWCOL>(-2);
  move.topRow = m_bPrinting ? m_nPrintTopRow : m_nTopRow;
  move.leftCol = m_bPrinting ? m_nPrintLeftCol : m_nLeftCol;
  move.frozenRows = GetFrozenRows();
  move.frozenCols = GetFrozenCols();
  move.headerRows = GetHeaderRows();
  move.headerCols = GetHeaderCols();
  move.targetRow = move.row;
  move.targetCol = move.col;
}

// Up (rows) or left: steps back over cells that cannot be current; from the
// first scrolling row it steps into the frozen rows, remembering how far the
// view has to scroll back to show the cell reached.
void CGXGridCore::WalkCellMoveBack(GXCellMove& move, bool rows) {
  const ROWCOL first = rows ? move.topRow : move.leftCol;
  const ROWCOL frozen = rows ? move.frozenRows : move.frozenCols;
  const ROWCOL header = rows ? move.headerRows : move.headerCols;
  ROWCOL& s = rows ? move.scrollRows : move.scrollCols;
  const ROWCOL start = rows ? move.row : move.col;
  ROWCOL r = start;
  for (ROWCOL i = 0; i < move.count; ++i) {
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
    ROWCOL fr = rows ? cand : move.targetRow;
    ROWCOL fc = rows ? move.targetCol : cand;
    if (!FindNextCell(rows ? kMoveUp : kMoveLeft, fr, fc)) break;
    const ROWCOL got = rows ? fr : fc;
    if (got > frozen && got < first) s += first - got;
    move.Take(fr, fc);
    r = got;
    if (move.keep) {
      if (rows) {
        m_nKeepRow = got;
        m_nKeepTopRow = first;
      } else {
        m_nKeepCol = got;
        m_nKeepLeftCol = first;
      }
    }
  }
}

// Down (rows) or right: steps past a covered block the cell lies in and over
// cells that cannot be current; from the frozen rows it goes on at the first
// scrolling row shown.
void CGXGridCore::WalkCellMoveOn(GXCellMove& move, bool rows) {
  const ROWCOL limit = rows ? move.rowCount : move.colCount;
  const ROWCOL frozen = rows ? move.frozenRows : move.frozenCols;
  if (rows) {
    OnBeforeReach(move.rowCount, 0);
  } else {
    OnBeforeReach(0, move.colCount);
  }
  CGXRange block;
  ROWCOL extra = 0;
  if (GetCoveredCellsRowCol(move.row, move.col, block) != nullptr)
    extra = rows ? block.bottom - std::min(block.bottom, move.row) : block.right - std::min(block.right, move.col);
  ROWCOL r = rows ? move.row : move.col;
  for (ROWCOL i = 0; i < move.count; ++i) {
    if (r >= limit) break;
    ROWCOL cand = r + extra + 1;
    if (r <= frozen) cand = rows ? GetRowFromClientRow(cand) : GetColFromClientCol(cand);
    ROWCOL fr = rows ? cand : move.targetRow;
    ROWCOL fc = rows ? move.targetCol : cand;
    if (!FindNextCell(rows ? kMoveDown : kMoveRight, fr, fc)) break;
    move.Take(fr, fc);
    r = rows ? fr : fc;
  }
}

// Page Down: the view scrolls by the rows shown, and the cell follows by as
// many unless it is in the frozen rows.
void CGXGridCore::PageCellMoveDown(GXCellMove& move) {
  OnBeforeReach(move.rowCount, 0);
  if (move.topRow >= move.rowCount) return;
  const ROWCOL bottom = std::max(CalcBottomRowFromRect(GetGridRect()), move.topRow + 1);
  const ROWCOL n = bottom - move.topRow;
  // Where the current row is shown is read before the view scrolls away
  // from it.
  const bool belowFrozen = GetClientRowFromRow(move.row) > move.frozenRows;
  ScrollCellsOnMove(kMoveDown, n);
  ROWCOL cand = move.row;
  if (belowFrozen) cand = std::min(move.row + n, move.rowCount);
  ROWCOL fr = cand, fc = move.col;
  if (FindNextCell(kMoveDown, fr, fc) || FindNextCell(kMoveUp, fr, fc)) move.Take(fr, fc);
}

// Page Up: the view scrolls back by the rows that fit above the top row;
// at the top it is the move to the first row.
void CGXGridCore::PageCellMoveUp(GXCellMove& move) {
  if (move.topRow <= move.frozenRows + 1) {
    MoveCellToEdge(move, kMoveFirstRow);
    return;
  }
  const CRect grid = GetGridRect();
  const int available = grid.Height() - SumRowHeights(0, move.frozenRows);
  int sum = GetRowHeight(move.topRow);
  ROWCOL k = 0;
  for (ROWCOL next = move.topRow - 1; next >= 1; --next) {
    const int h = GetRowHeight(next);
    if (sum + h >= available) break;
    sum += h;
    ++k;
  }
  k = std::max<ROWCOL>(k, 1);
  const bool belowFrozen = GetClientRowFromRow(move.row) > move.frozenRows;
  ScrollCellsOnMove(kMoveUp, k);
  ROWCOL cand = move.row;
  if (belowFrozen) cand = std::max(move.row, k + 1) - k;
  ROWCOL fr = cand, fc = move.col;
  if (FindNextCell(kMoveUp, fr, fc)) {
    move.Take(fr, fc);
    return;
  }
  OnBeforeReach(move.rowCount, 0);
  fr = cand;
  if (FindNextCell(kMoveDown, fr, fc)) move.Take(fr, fc);
}

// The moves to the first or last row or column, or to a corner: from the
// edge inwards to the first cell that may become current.
void CGXGridCore::MoveCellToEdge(GXCellMove& move, GXMoveDirection direction) {
  static constexpr ROWCOL kLast = static_cast<ROWCOL>(-2);
  const ROWCOL firstRow = move.headerRows + 1, firstCol = move.headerCols + 1;
  ROWCOL r = move.targetRow, c = move.targetCol;
  int dir1 = 0, dir2 = 0;
  switch (direction) {
    case kMoveFirstRow:
      OnBeforeReach(move.rowCount, 0);
      r = firstRow, dir1 = kMoveDown;
      break;
    case kMoveLastRow:
      OnBeforeReach(kLast, 0);
      r = GetRowCount(), dir1 = kMoveUp;
      break;
    case kMoveFirstCol:
      OnBeforeReach(0, move.colCount);
      c = firstCol, dir1 = kMoveRight;
      break;
    case kMoveLastCol:
      OnBeforeReach(0, kLast);
      c = GetColCount(), dir1 = kMoveLeft;
      break;
    case kMoveTopLeft:
      OnBeforeReach(move.rowCount, move.colCount);
      r = firstRow, c = firstCol, dir1 = kMoveDown, dir2 = kMoveRight;
      break;
    case kMoveBottomRight:
      OnBeforeReach(kLast, kLast);
      r = GetRowCount(), c = GetColCount(), dir1 = kMoveUp, dir2 = kMoveLeft;
      break;
    default:
      return;
  }
  ROWCOL fr = r, fc = c;
  if (FindNextCell(dir1, fr, fc) || (dir2 != 0 && FindNextCell(dir2, fr, fc))) move.Take(fr, fc);
}

// The move itself, when a target was found that is another data cell (or
// any cell when there was no current cell): a selection that does not hold
// the target goes first when the current cell counts as selected; the view
// scrolls back over the rows and columns stepped past into frozen ones.
BOOL CGXGridCore::FinishCellMove(GXCellMove& move, BOOL maySelect) {
  const bool otherCell = (move.targetRow != move.row && move.targetRow > move.headerRows) ||
                         (move.targetCol != move.col && move.targetCol > move.headerCols);
  if (!move.found || !(otherCell || !move.hadCell)) return FALSE;
  UINT moveFlags = 0x8A;
  if (m_pParam != nullptr && m_pParam->m_bCurrentCellSelected && maySelect) {
    moveFlags = 0x0A;
    if (!m_pParam->m_SelRects.IsEmpty() &&
        !m_pParam->m_SelRects.IsCellInListExcept(move.targetRow, move.targetCol, nullptr))
      SetSelection(nullptr);
  }
  const BOOL moved = SetCurrentCell(move.targetRow, move.targetCol, moveFlags);
  if (moved) {
    if (move.scrollRows > 0 && move.targetRow <= move.frozenRows) ScrollCellsOnMove(kMoveUp, move.scrollRows);
    if (move.scrollCols > 0 && move.targetCol <= move.frozenCols) ScrollCellsOnMove(kMoveLeft, move.scrollCols);
  }
  return moved;
}
