// Scrolling by rows and columns, bringing a cell into view, and the window's
// scroll bars. A scroll moves the window contents and repaints only the
// strip it uncovers. Bars hold positions divided by a divisor, so that grids
// of any size fit the 16-bit positions of scroll-bar messages.
#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridAxis.h"
#include "grid/core/GXGridCore.h"

namespace {

// The part of the grid rectangle that scrolls along one axis: the grid
// rectangle less the headers and frozen rows (or columns).
CRect ScrollArea(CGXGridCore& grid, GXGridAxis& axis) {
  CRect area = grid.GetGridRect();
  const int frozen = axis.Sum(0, axis.Frozen(), 0);
  if (axis.rows) {
    area.top = std::min(area.bottom, area.top + frozen);
  } else {
    area.left = std::min(area.right, area.left + frozen);
  }
  return area;
}

int Extent(const CRect& r, bool rows) { return rows ? r.Height() : r.Width(); }

// The last row (column) that can be the first scrolled one with every later
// row still shown: rows are added from the last one upwards while they fit,
// never passing the frozen ones.
ROWCOL LastPossibleFirst(GXGridAxis& axis, int area) {
  const ROWCOL count = axis.Count();
  const ROWCOL first = axis.Frozen() + 1;
  if (count < first) return first;
  ROWCOL r = count;
  int sum = axis.Size(count);
  while (r > first) {
    const int next = axis.Size(r - 1);
    if (sum + next > area) break;
    --r;
    sum += next;
  }
  return r;
}

void SendScrollToControl(CGXGridCore& grid, UINT message) {
  CGXControl* control = grid.GetCurrentCellControl();
  if (control == nullptr) return;
  MSG msg{};
  msg.hwnd = grid.m_pGridWnd != nullptr ? grid.m_pGridWnd->GetSafeHwnd() : nullptr;
  msg.message = message;
  control->OnGridScroll(&msg);
}

}  // namespace

// The window of an active control is a child of the grid window: a scroll
// that repaints rather than moves the pixels leaves it where it was, and one
// that moves them carries it over the headers. While its cell is out of view
// the window goes; painting the cell in view again shows it, text kept.
void GXGridAxis::HideControlScrolledAway() {
  if (g.m_bPrinting || !g.IsCurrentCell()) return;
  CGXControl* control = g.GetCurrentCellControl();
  if (control == nullptr || !control->IsActive() || control->StaysShownWhenScrolled() != 0) return;
  ROWCOL lo = CurrentIndex(), hi = lo;
  CGXRange block;
  if (g.GetCoveredCellsRowCol(g.m_nCurrentRow, g.m_nCurrentCol, block) != nullptr) {
    lo = rows ? block.top : block.left;
    hi = rows ? block.bottom : block.right;
  }
  if (lo <= Frozen()) return;
  BOOL ended = FALSE;
  const ROWCOL last = LastFromRect(g.GetGridRect(), ended);
  if (hi < First() || lo > last) control->Hide();
}

UINT CGXGridCore::GetScrollBarMode(int bar) const {
  if (bar == SB_VERT) return m_nVScrollMode;
  if (bar == SB_HORZ) return m_nHScrollMode;
  return 0;
}

BOOL CGXGridCore::LockScrollbars(BOOL lock) {
  const BOOL old = m_bLockScrollbars;
  m_bLockScrollbars = lock;
  if (!lock) UpdateScrollbars(FALSE, TRUE);
  return old;
}

void CGXGridCore::ScrollWindowContents(int dx, int dy, const CRect& scroll, const CRect& clip) {
  if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr) return;
  m_pGridWnd->ScrollWindowEx(dx, dy, &scroll, &clip, nullptr, nullptr, SW_INVALIDATE | SW_ERASE | SW_SCROLLCHILDREN);
}

BOOL CGXGridCore::OnAutoScroll(int direction, ROWCOL count) {
  // No grid of this system is attached to a document, so no other view
  // follows the scroll.
  return DoScroll(direction, count);
}

// ------------------------------------------------------------------ scrolling

BOOL CGXGridCore::DoScroll(int direction, ROWCOL count) {
  const bool rows = direction == 1 || direction == 3;
  const bool back = direction == 1 || direction == 2;
  GXGridAxis axis{*this, rows};
  ROWCOL& first = m_bPrinting ? axis.PrintFirst() : axis.First();
  ResetLastVisible();
  CGXControl* control = nullptr;
  CRect controlRect;
  if (IsCurrentCell()) {
    control = GetCurrentCellControl();
    controlRect = CalcCellRect(m_nCurrentRow, m_nCurrentCol);
  }
  m_bScrolling = TRUE;
  const CRect area = ScrollArea(*this, axis);
  const int areaSize = Extent(area, rows);
  const ROWCOL firstScrollable = axis.Frozen() + 1;
  const ROWCOL top = first;
  ROWCOL newFirst = top;
  BOOL scrolled = FALSE;

  if (back) {
    ROWCOL target = top > count ? top - count : 0;
    target = std::max(target, firstScrollable);
    if (target < top) {
      // Walks up from the top row; hidden rows just above the target are
      // passed over so that the scroll always shows a new row.
      ROWCOL p = top;
      int sum = 0;
      while (p > firstScrollable && sum < areaSize) {
        if (p <= target && axis.Size(p) != 0) break;
        --p;
        sum += axis.Size(p);
      }
      newFirst = std::max<ROWCOL>(p < target ? p : target, 1);
    }
  } else {
    if (rows) {
      OnBeforeReach(static_cast<ROWCOL>(-2), 0);
    } else {
      OnBeforeReach(0, static_cast<ROWCOL>(-2));
    }
    const ROWCOL total = axis.Count();
    ROWCOL last = top;
    if (total >= top) {
      ROWCOL r = total;
      int sum = axis.Size(total);
      while (sum < areaSize && r > top) {
        --r;
        sum += axis.Size(r);
      }
      const bool full = rows ? sum >= areaSize : sum > areaSize;
      last = full && r < total ? r + 1 : r;
    }
    if (last > top) {
      ROWCOL n = std::max<ROWCOL>(count, 1);
      while (n < last - top && axis.Size(top + n - 1) == 0) ++n;
      n = std::min(n, last - top);
      newFirst = top + n;
    }
  }

  if (newFirst != top) {
    FlushBeforeDraw();
    if (rows ? CanChangeTopRow(newFirst) : CanChangeLeftCol(newFirst)) {
      ToggleSelectionFrame();
      (rows ? m_nOldTopRow : m_nOldLeftCol) = top;
      first = newFirst;
      m_bWalkValid = FALSE;
      ResetLastVisible();

      const bool windowShown = !m_bPrinting && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr &&
                               m_pGridWnd->IsWindowVisible() && !m_bLockUpdate;
      if (windowShown && areaSize > 0) {
        const ROWCOL lo = std::min(top, newFirst), hi = std::max(top, newFirst) - 1;
        const int d = std::min(axis.Sum(lo, hi, areaSize), areaSize);
        // Merged blocks across the frozen boundary would tear when moved;
        // with merging on, the whole area is repainted instead.
        if (d < areaSize && GetMergeCellsMode() == 0) {
          const int signedD = back ? d : -d;
          ScrollWindowContents(rows ? 0 : signedD, rows ? signedD : 0, area, area);
          if (back) {
            // The grid line between the strip moved in and the old first
            // row is drawn by the rows on both sides of it.
            CRect strip = area;
            if (rows) {
              strip.bottom = std::min(area.bottom, area.top + d + 1);
            } else {
              strip.right = std::min(area.right, area.left + d + 1);
            }
            m_pGridWnd->InvalidateRect(&strip, FALSE);
          }
        } else if (d > 0) {
          m_pGridWnd->InvalidateRect(&area, FALSE);
        }
      }

      if (!rows && control != nullptr && control->IsActive() && !IsFrozenCol(m_nCurrentCol) &&
          control->StaysShownWhenScrolled() == 0) {
        // The cell's window moved along with the contents; once its corner
        // leaves the scrolled area it would cover the frozen columns.
        const int d = axis.Sum(std::min(top, newFirst), std::max(top, newFirst) - 1, 0);
        CPoint corner = controlRect.TopLeft();
        corner.x += back ? d : -d;
        if (!area.PtInRect(corner)) control->Hide();
      }
      axis.HideControlScrolledAway();

      SetScrollPos(rows ? SB_VERT : SB_HORZ, newFirst, TRUE);
      if (back && (GetScrollBarMode(rows ? SB_VERT : SB_HORZ) & 2) && newFirst == firstScrollable)
        UpdateScrollbars();
      ToggleSelectionFrame();
      if (rows) {
        OnTopRowChanged();
      } else {
        OnLeftColChanged();
      }
      scrolled = TRUE;
    }
  }

  if (!m_bNoUpdateOnScroll && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr) m_pGridWnd->UpdateWindow();
  m_bScrolling = FALSE;
  m_nOldTopRow = m_nOldLeftCol = 0;
  return scrolled;
}

// ---------------------------------------------------------- a cell into view

BOOL CGXGridCore::ScrollCellInView(ROWCOL row, ROWCOL col, UINT flags, BOOL withFloated) {
  if (!m_bInitDone) return FALSE;
  const ROWCOL frozenRows = GetFrozenRows(), frozenCols = GetFrozenCols();
  CGXRange block;
  bool spanned = GetCoveredCellsRowCol(row, col, block) != nullptr;
  if (!spanned && withFloated) spanned = GetFloatedCellsRange(row, col, block) != FALSE;
  if (spanned) {
    // A frozen cell whose block reaches into the scrolled part brings that
    // part's first row (column) into view.
    if (row <= frozenRows && block.bottom > frozenRows) row = frozenRows + 1;
    if (col <= frozenCols && block.right > frozenCols) col = frozenCols + 1;
  }
  const CRect grid = GetGridRect();
  BOOL scrolled = FALSE;
  for (const bool rows : {true, false}) {
    GXGridAxis axis{*this, rows};
    const ROWCOL index = rows ? row : col;
    if (index <= axis.Frozen()) continue;
    const ROWCOL top = axis.First();
    const ROWCOL total = axis.Count();
    BOOL ended = FALSE;
    const ROWCOL edge = axis.LastFromRect(grid, ended);
    if (index < top) {
      if (rows) {
        SetTopRow(index, flags, TRUE);
      } else {
        SetLeftCol(index, flags, TRUE);
      }
      scrolled = TRUE;
    } else if (index > top && index >= edge && !(ended && index <= total)) {
      SendScrollToControl(*this, rows ? WM_VSCROLL : WM_HSCROLL);
      const int extent = Extent(grid, rows);
      int sum = axis.Size(index) + axis.Sum(0, axis.Frozen(), 0);
      ROWCOL p = index;
      while (sum < extent && p > 1) {
        --p;
        sum += axis.Size(p);
      }
      if (sum >= extent && p < index) ++p;
      p = std::min(p, total);
      if (rows) {
        SetTopRow(p, flags, TRUE);
      } else {
        SetLeftCol(p, flags, TRUE);
      }
      scrolled = TRUE;
    }
  }
  if ((flags & 3) != 0 && scrolled && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
    m_pGridWnd->UpdateWindow();
  return scrolled;
}

// ---------------------------------------------------------------- scroll bars

ROWCOL CGXGridCore::SetScrollPos(int bar, ROWCOL pos, BOOL redraw) {
  if (GetScrollBarMode(bar) == 0 || m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr) return 0;
  const ROWCOL divisor = GetScrollDivisor(bar);
  const ROWCOL shown = pos < divisor ? 0 : pos / divisor;
  m_pGridWnd->SetScrollPos(bar, static_cast<int>(shown), redraw);
  return shown * divisor;
}

ROWCOL CGXGridCore::GetScrollPos(int bar) {
  if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr) return 0;
  return static_cast<ROWCOL>(std::max(0, m_pGridWnd->GetScrollPos(bar))) * GetScrollDivisor(bar);
}

ROWCOL CGXGridCore::GetScrollRange(int bar, ROWCOL* minPos, ROWCOL* maxPos) {
  int lo = 0, hi = 0;
  if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr) m_pGridWnd->GetScrollRange(bar, &lo, &hi);
  const ROWCOL divisor = GetScrollDivisor(bar);
  const ROWCOL min = static_cast<ROWCOL>(std::max(lo, 0)) * divisor, max = static_cast<ROWCOL>(std::max(hi, 0)) * divisor;
  if (minPos != nullptr) *minPos = min;
  if (maxPos != nullptr) *maxPos = max;
  return max;
}

BOOL CGXGridCore::SetScrollRange(int bar, ROWCOL minPos, ROWCOL maxPos, BOOL redraw) {
  const UINT mode = GetScrollBarMode(bar);
  if (mode == 0 || m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr) return FALSE;
  ROWCOL& divisor = bar == SB_VERT ? m_nVScrollFactor : m_nHScrollFactor;
  divisor = maxPos / 32767 + 1;
  ROWCOL page = 0;
  if (mode & 8) {
    const ROWCOL count = bar == SB_VERT ? GetRowCount() : GetColCount();
    page = count >= maxPos ? (count - maxPos + 1) / divisor : 0;
    maxPos = count;
  }
  maxPos /= divisor;
  if (maxPos < minPos) {
    minPos = maxPos;
    page = 1;
  }
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = static_cast<int>(minPos);
  info.nMax = static_cast<int>(maxPos);
  info.nPage = static_cast<UINT>(page);
  m_pGridWnd->SetScrollInfo(bar, &info, redraw);
  m_bScrollRangeSet = TRUE;
  return TRUE;
}

void CGXGridCore::ShowScrollBar(int bar, BOOL show) {
  if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
    ::ShowScrollBar(m_pGridWnd->GetSafeHwnd(), bar, show);
}

void CGXGridCore::SetScrollBarMode(int bar, UINT mode, BOOL apply) {
  if (bar == SB_VERT || bar == SB_BOTH) m_nVScrollMode = mode;
  if (bar == SB_HORZ || bar == SB_BOTH) m_nHScrollMode = mode;
  if (!apply) return;
  if (mode == 0) {
    ShowScrollBar(bar, FALSE);
  } else if (mode & 1) {
    ShowScrollBar(bar, TRUE);
  } else if (mode & 2) {
    UpdateScrollbars(TRUE, FALSE);
  }
}

void CGXGridCore::UpdateScrollbars(BOOL noRepaint, BOOL onlyWhenCountsChanged) {
  if (!m_bInitDone || m_bUpdateScrollbar || m_bLockScrollbars || m_pParam == nullptr || m_pParam->m_bLockRedraw)
    return;
  if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr) return;
  if (GetSharedScrollBarParent() != nullptr && !m_bHasFocus && !m_pGridWnd->IsWindowVisible()) return;
  if (m_bPrinting) {
    ShowScrollBar(SB_BOTH, FALSE);
    return;
  }
  CRect client;
  m_pGridWnd->GetClientRect(&client);
  const ROWCOL rowCount = m_nVScrollMode != 0 ? GetRowCount() : 0;
  const ROWCOL colCount = m_nHScrollMode != 0 ? GetColCount() : 0;
  if ((m_nVScrollMode == 0 && m_nHScrollMode == 0) || client.IsRectEmpty() ||
      (onlyWhenCountsChanged && rowCount == m_nLastSBRowCount && colCount == m_nLastSBColCount))
    return;

  ResetLastVisible();
  GXGridAxis rowAxis{*this, true}, colAxis{*this, false};
  const ROWCOL lastLeft = m_nHScrollMode != 0 ? LastPossibleFirst(colAxis, Extent(ScrollArea(*this, colAxis), false))
                                              : m_nLeftCol;
  const ROWCOL lastTop = m_nVScrollMode != 0 ? LastPossibleFirst(rowAxis, Extent(ScrollArea(*this, rowAxis), true))
                                             : m_nTopRow;
  if ((m_nVScrollMode & 8) && m_nTopRow > lastTop && m_nTopRow > GetFrozenRows() + 1) {
    SetTopRow(lastTop, 2, TRUE);
    m_pGridWnd->UpdateWindow();
  }
  if ((m_nHScrollMode & 8) && m_nLeftCol > lastLeft && m_nLeftCol > GetFrozenCols() + 1) {
    SetLeftCol(lastLeft, 2, TRUE);
    m_pGridWnd->UpdateWindow();
  }

  m_bUpdateScrollbar = TRUE;
  const DWORD styleBefore = m_pGridWnd->GetStyle();
  auto apply = [&](int bar, UINT mode, DWORD styleBit, ROWCOL firstScrollable, ROWCOL last, ROWCOL first) {
    auto setRange = [&] {
      SetScrollRange(bar, firstScrollable, last, FALSE);
      SetScrollPos(bar, first, FALSE);
    };
    switch (mode & ~8u) {
      case 0:
        if (m_pGridWnd->GetStyle() & styleBit) ShowScrollBar(bar, FALSE);
        break;
      case 1:
        setRange();
        ShowScrollBar(bar, TRUE);
        break;
      case 2:
        if (firstScrollable >= first && firstScrollable >= last) {
          if (m_pGridWnd->GetStyle() & styleBit) ShowScrollBar(bar, FALSE);
        } else {
          setRange();
          ShowScrollBar(bar, TRUE);
        }
        break;
      case 4:
        SetScrollRange(bar, firstScrollable, last, FALSE);
        SetScrollPos(bar, first, TRUE);
        break;
      default:
        break;
    }
  };
  apply(SB_VERT, m_nVScrollMode, WS_VSCROLL, GetFrozenRows() + 1, lastTop, m_nTopRow);
  apply(SB_HORZ, m_nHScrollMode, WS_HSCROLL, GetFrozenCols() + 1, lastLeft, m_nLeftCol);
  const DWORD styleAfter = m_pGridWnd->GetStyle();
  const bool vChanged = ((styleBefore ^ styleAfter) & WS_VSCROLL) != 0;
  const bool hChanged = ((styleBefore ^ styleAfter) & WS_HSCROLL) != 0;
  if (vChanged || hChanged) m_bScrollbarsChanged = TRUE;

  if (!noRepaint) {
    if (vChanged || hChanged) m_nClientWidth = m_nClientHeight = 0;
    m_pGridWnd->UpdateWindow();
    m_bUpdateScrollbar = FALSE;
    CRect now;
    m_pGridWnd->GetClientRect(&now);
    if (hChanged) {
      CRect strip(now.left, now.bottom - 2 * ::GetSystemMetrics(SM_CYHSCROLL), now.right, now.bottom);
      m_pGridWnd->InvalidateRect(&strip, TRUE);
      m_pGridWnd->UpdateWindow();
    }
    if (vChanged) {
      CRect strip(now.right - 2 * ::GetSystemMetrics(SM_CXVSCROLL), now.top, now.right, now.bottom);
      m_pGridWnd->InvalidateRect(&strip, TRUE);
      m_pGridWnd->UpdateWindow();
    }
  }
  if (m_nVScrollMode != 0) SetScrollPos(SB_VERT, m_bPrinting ? m_nPrintTopRow : m_nTopRow, TRUE);
  if (m_nHScrollMode != 0) SetScrollPos(SB_HORZ, m_bPrinting ? m_nPrintLeftCol : m_nLeftCol, TRUE);
  m_nLastSBRowCount = rowCount;
  m_nLastSBColCount = colCount;
  m_bUpdateScrollbar = FALSE;
}
