#include "grid/features/GXGridOptimizedUpdateImp.h"

#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"

namespace {

constexpr ROWCOL kNone = static_cast<ROWCOL>(-1);

// One direction of the grid: rows (y, heights) or columns (x, widths).
struct Axis {
  CGXGridCore& g;
  bool rows;

  ROWCOL& First() { return CGXGridOptimizedUpdateImp::FirstShown(g, rows); }
  ROWCOL Count() { return rows ? g.GetRowCount() : g.GetColCount(); }
  ROWCOL CrossCount() { return rows ? g.GetColCount() : g.GetRowCount(); }
  ROWCOL Frozen() { return rows ? g.GetFrozenRows() : g.GetFrozenCols(); }
  BOOL IsFrozen(ROWCOL i) { return rows ? g.IsFrozenRow(i) : g.IsFrozenCol(i); }
  ROWCOL LastVisible() { return rows ? g.CalcBottomRowFromRect(g.GetGridRect()) : g.CalcRightColFromRect(g.GetGridRect()); }
  ROWCOL ClientOf(ROWCOL i) { return rows ? g.GetClientRowFromRow(i) : g.GetClientColFromCol(i); }
  ROWCOL ClientAt(int coord, int* start) {
    return rows ? g.CalcClientRowFromY(coord, start) : g.CalcClientColFromX(coord, start);
  }
  int SumClient(ROWCOL from, ROWCOL to, int limit = 0) {
    return rows ? g.SumClientRowHeights(from, to, limit) : g.SumClientColWidths(from, to, limit);
  }
  int Sum(ROWCOL from, ROWCOL to, int limit = 0) {
    return rows ? g.SumRowHeights(from, to, limit) : g.SumColWidths(from, to, limit);
  }
  BOOL Numbered() {
    CGXGridParam* p = g.GetParam();
    return p != nullptr && (rows ? p->m_bNumberedRowHeaders : p->m_bNumberedColHeaders);
  }
  // Near and far edge of a rectangle along this direction.
  static LONG& Near(CRect& r, bool rows) { return rows ? r.top : r.left; }
  static LONG& Far(CRect& r, bool rows) { return rows ? r.bottom : r.right; }
  LONG& Near(CRect& r) { return Near(r, rows); }
  LONG& Far(CRect& r) { return Far(r, rows); }
  // The position where an index starts on screen.
  int StartOf(ROWCOL i) {
    CRect grid = g.GetGridRect();
    const ROWCOL client = ClientOf(i);
    return Near(grid) + (client == 0 || client == kNone ? 0 : SumClient(0, client - 1));
  }
  // Rows from..to across the whole other direction, widened to spans.
  CRect Strip(ROWCOL from, ROWCOL to) {
    return rows ? g.CalcRectFromRowColSpanned(from, 0, to, g.GetColCount())
                : g.CalcRectFromRowColSpanned(0, from, g.GetRowCount(), to);
  }
  void RedrawHeaders(ROWCOL from, ROWCOL to, UINT flags) {
    if (from > to) return;
    if (rows) {
      g.RedrawRowCol(from, 0, to, 0, flags, FALSE);
    } else {
      g.RedrawRowCol(0, from, 0, to, flags, FALSE);
    }
  }

  CWnd* Wnd() {
    CWnd* w = g.m_pGridWnd;
    return w != nullptr && w->GetSafeHwnd() != nullptr ? w : nullptr;
  }
  void Invalidate(const CRect& r) {
    if (CWnd* w = Wnd(); w != nullptr && !r.IsRectEmpty()) w->InvalidateRect(&r, FALSE);
  }
  // Moves the pixels of `area` by d along this direction.
  void Scroll(const CRect& area, int d) {
    CWnd* w = Wnd();
    if (w == nullptr || d == 0) return;
    w->ScrollWindowEx(rows ? 0 : d, rows ? d : 0, &area, &area, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  }
  void UpdateNow() {
    if (CWnd* w = Wnd()) w->UpdateWindow();
  }
  // Sum of old sizes of the entries first..to (indexes from `from`), stopping
  // once the limit is reached.
  static int SumOld(const int* old, ROWCOL from, ROWCOL first, ROWCOL to, int limit) {
    int d = 0;
    for (ROWCOL i = first; i <= to; ++i) {
      d += old[i - from];
      if (d >= limit || i == kNone - 1) break;
    }
    return d;
  }
};

bool SpansOn(CGXGridCore* g) { return g->GetFloatCellsMode() != 0 || g->GetMergeCellsMode() != 0; }

void Inserted(Axis a, ROWCOL at, ROWCOL count, UINT flags) {
  CGXGridCore& g = a.g;
  flags &= 7;
  if (a.IsFrozen(at) || SpansOn(&g)) {
    g.Redraw(flags, FALSE);
    return;
  }
  ROWCOL& first = a.First();
  if (at < first) {
    first += count;  // the same rows stay in view
  } else if (at <= a.LastVisible()) {
    CRect grid = g.GetGridRect();
    const int start = a.StartOf(at);
    const int space = a.Far(grid) - start;
    const int h = a.Sum(at, at + count - 1, space);
    if ((flags & 1) || h > space || at + count >= a.Count()) {
      CRect rest = a.Strip(at, a.Count());
      rest.right++;
      rest.bottom++;
      a.Invalidate(rest);
    } else if (flags & 6) {
      CRect area = grid;
      a.Near(area) = start;
      a.Scroll(area, h);
      a.Invalidate(a.Strip(at, at + count));
    }
  }
  if (flags & 2) a.UpdateNow();
  if (a.Numbered()) a.RedrawHeaders(at + count, a.Count(), flags & 1 ? 1 : flags);
}

void Removed(Axis a, ROWCOL from, ROWCOL to, const int* old, UINT flags) {
  CGXGridCore& g = a.g;
  flags &= 7;
  if (flags == 1 || a.IsFrozen(from) || SpansOn(&g)) {
    g.Redraw(flags, FALSE);
    return;
  }
  const ROWCOL n = to - from + 1, remaining = a.Count();
  ROWCOL& first = a.First();
  CRect grid = g.GetGridRect();
  const ROWCOL last = a.LastVisible();
  if (remaining == 0) {
    first = 1;
    if (flags != 0) a.Invalidate(grid);
  } else if (remaining < first) {
    first = std::max<ROWCOL>(remaining, 1);
    if (flags != 0) a.Invalidate(grid);
  } else if (to < first) {
    first -= n;
  } else if (last != kNone && last < from && last == remaining) {
    a.Invalidate(a.rows ? g.CalcRectBelowRow(last) : g.CalcRectRightOfCol(last));
  } else if (last == kNone || last >= from) {
    CRect area = grid;
    int d = -1;
    if (from < first) {
      // Removal from above the view into it: what stays starts below the
      // frozen rows.
      a.Near(area) += a.SumClient(0, a.Frozen());
      const int height = a.Far(area) - a.Near(area);
      if (old != nullptr && !(flags & 1)) {
        d = Axis::SumOld(old, from, first, to, height);
        first = std::max<ROWCOL>(from, 1);
        if (d >= height) d = -1;
      }
    } else {
      a.Near(area) = a.StartOf(from);
      const int height = a.Far(area) - a.Near(area);
      if (old != nullptr && !(flags & 1)) {
        d = Axis::SumOld(old, from, from, to, height);
        if (d >= height) d = -1;
      }
    }
    if (d > 0 && (flags & 6)) {
      a.Scroll(area, -d);
      int start = 0;
      const ROWCOL client = a.ClientAt(a.Far(grid) - d, &start);
      if (client != kNone) {
        CRect uncovered = area;
        a.Near(uncovered) = start;
        a.Invalidate(uncovered);
        a.UpdateNow();
      }
    } else if (d != 0 && flags != 0) {
      a.Invalidate(area);
    }
  }
  // Blocks that began above the removed rows and reached into them changed
  // their extent.
  if (CGXGridParam* p = g.GetParam()) {
    for (POSITION pos = p->m_CoveredCellsList.GetHeadPosition(); pos != nullptr;) {
      const CGXRange* block = p->m_CoveredCellsList.GetNext(pos);
      const ROWCOL start = a.rows ? block->top : block->left, end = a.rows ? block->bottom : block->right;
      if (start < from && end + 1 >= from)
        a.Invalidate(g.CalcRectFromRowColSpanned(block->top, block->left, block->bottom, block->right));
    }
  }
  if (flags & 2) a.UpdateNow();
  if (a.Numbered()) a.RedrawHeaders(from, remaining, flags & 1 ? 1 : std::max<UINT>(flags, 1));
}

void Changed(Axis a, ROWCOL from, ROWCOL to, const int* old, UINT flags) {
  CGXGridCore& g = a.g;
  flags &= 7;
  if (to == 0) to = from;
  if (to < from) std::swap(from, to);
  CGXRange changed = a.rows ? CGXRange().SetRows(from, to) : CGXRange().SetCols(from, to);
  if (g.TouchesSpannedCells(changed, FALSE, FALSE, FALSE)) {
    g.Redraw(flags, FALSE);
    return;
  }
  // A pane below (or right of) the first shows no header rows.
  const BOOL hiddenHeaders = g.m_pSplitterWnd != nullptr && !g.IsPrinting() &&
                             !(a.rows ? g.m_bFirstPaneRow : g.m_bFirstPaneCol);
  const ROWCOL headers = a.rows ? g.GetHeaderRows() : g.GetHeaderCols();
  bool nothing = false;
  if (hiddenHeaders && to <= headers) {
    nothing = true;
  } else if (hiddenHeaders && from <= headers) {
    old = nullptr;
  }
  ROWCOL& first = a.First();
  const ROWCOL frozen = a.Frozen();
  const ROWCOL last = a.LastVisible();
  if (!nothing && ((from > frozen && to < first) || (last != kNone && from > last))) nothing = true;
  if (!nothing) {
    ROWCOL currentRow = 0, currentCol = 0;
    if (g.GetCurrentCell(currentRow, currentCol)) {
      const ROWCOL current = a.rows ? currentRow : currentCol;
      CGXControl* control = g.GetCurrentCellControl();
      if (current >= from && current <= to && control != nullptr && control->IsActive()) control->Hide();
    }
    CRect grid = g.GetGridRect();
    CRect area = grid;
    const bool whole = from == first || (from > frozen && from < first);
    if (!whole) a.Near(area) = a.StartOf(from);
    if (flags != 0) {
      const int height = a.Far(area) - a.Near(area);
      if (!whole && old != nullptr && !(flags & 1)) {
        const ROWCOL visibleTo = last != kNone ? std::min(to, last) : to;
        int oldSum = 0;
        for (ROWCOL i = from; i <= visibleTo; ++i) {
          oldSum += old[i - from];
          if (oldSum >= height) break;
        }
        const int newSum = a.Sum(from, visibleTo, height);
        if (oldSum < height && (flags & 6)) {
          CRect below = area;
          a.Near(below) += oldSum;
          a.Scroll(below.IsRectEmpty() ? area : below, newSum - oldSum);
          if (newSum < oldSum) {
            int start = 0;
            const ROWCOL client = a.ClientAt(a.Far(grid) - (oldSum - newSum), &start);
            CRect uncovered = grid;
            a.Near(uncovered) = client != kNone ? start : a.StartOf(a.Count());
            a.Invalidate(uncovered);
            a.UpdateNow();
          }
          area = a.Strip(from, to);
        }
      }
      a.Invalidate(area);
    }
  }
  if (flags & 2) {
    a.UpdateNow();
    g.UpdateScrollbars();
  }
}

}  // namespace

ROWCOL& CGXGridOptimizedUpdateImp::FirstShown(CGXGridCore& g, bool rows) {
  if (g.IsPrinting()) return rows ? g.m_nPrintTopRow : g.m_nPrintLeftCol;
  return rows ? g.m_nTopRow : g.m_nLeftCol;
}

void CGXGridOptimizedUpdateImp::InsertedRows(CGXGridCore* grid, ROWCOL row, ROWCOL count, UINT flags) {
  Inserted(Axis{*grid, true}, row, count, flags);
}
void CGXGridOptimizedUpdateImp::InsertedCols(CGXGridCore* grid, ROWCOL col, ROWCOL count, UINT flags) {
  Inserted(Axis{*grid, false}, col, count, flags);
}
void CGXGridOptimizedUpdateImp::RemovedRows(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* oldHeights, UINT flags) {
  Removed(Axis{*grid, true}, from, to, oldHeights, flags);
}
void CGXGridOptimizedUpdateImp::RemovedCols(CGXGridCore* grid, ROWCOL from, ROWCOL to, int* oldWidths, UINT flags) {
  Removed(Axis{*grid, false}, from, to, oldWidths, flags);
}
void CGXGridOptimizedUpdateImp::ChangedRowHeights(CGXGridCore* grid, ROWCOL* from, ROWCOL* to, int* oldHeights,
                                                  UINT* flags) {
  Changed(Axis{*grid, true}, *from, *to, oldHeights, *flags);
}
void CGXGridOptimizedUpdateImp::ChangedColWidths(CGXGridCore* grid, ROWCOL* from, ROWCOL* to, int* oldWidths,
                                                 UINT* flags) {
  Changed(Axis{*grid, false}, *from, *to, oldWidths, *flags);
}
