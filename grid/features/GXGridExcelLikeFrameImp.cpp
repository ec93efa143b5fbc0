#include "grid/features/GXGridExcelLikeFrameImp.h"

#include <algorithm>
#include <vector>

#include "grid/core/GXGridCore.h"

int GXFrameHandleFor(const CGXRange& range) {
  if (range.IsCols()) return 7;
  if (range.IsRows()) return 2;
  return 0;
}

namespace {

bool FrameOn(CGXGridCore* grid) { return grid->GetParam() != nullptr && grid->GetParam()->m_bSpreadsheetFrame; }

bool WindowShown(CGXGridCore* grid) {
  CWnd* wnd = grid->m_pGridWnd;
  return wnd != nullptr && wnd->m_hWnd != nullptr && wnd->IsWindowVisible();
}

// One axis of the panes: the frozen part 0..frozen, then the scrolled part
// from the first row (column) in view to the last.
struct PaneSpan {
  int start = 0, size = 0;  // of the range's piece, from the grid's origin
  int clipStart = 0, clipEnd = 0;
  bool edgeVisible = false;
  bool reached = false;
};

std::vector<PaneSpan> Spans(CGXGridCore* grid, bool rows, ROWCOL first, ROWCOL last, int origin, int extent) {
  auto sum = [&](ROWCOL from, ROWCOL to) {
    if (to < from || to == static_cast<ROWCOL>(-1)) return 0;
    return rows ? grid->SumRowHeights(from, to) : grid->SumColWidths(from, to);
  };
  const ROWCOL frozen = rows ? grid->GetFrozenRows() : grid->GetFrozenCols();
  const ROWCOL top = std::max(rows ? grid->GetTopRow() : grid->GetLeftCol(), frozen + 1);
  const ROWCOL bottom = rows ? grid->GetBottomRow() : grid->GetRightCol();
  const int scrollStart = origin + sum(0, frozen);
  std::vector<PaneSpan> spans(2);
  PaneSpan& fixed = spans[0];
  fixed.clipStart = origin;
  fixed.clipEnd = std::min(scrollStart, extent);
  if (first <= frozen) {
    fixed.reached = true;
    fixed.edgeVisible = true;
    fixed.start = origin + (first == 0 ? 0 : sum(0, first - 1));
    fixed.size = sum(first, std::min(last, frozen));
  }
  PaneSpan& moving = spans[1];
  moving.clipStart = scrollStart;
  moving.clipEnd = extent;
  if (last >= top && first <= bottom) {
    moving.reached = true;
    moving.edgeVisible = first >= top;
    moving.start = first >= top ? scrollStart + sum(top, first - 1) : scrollStart;
    moving.size = std::min(sum(std::max(first, top), std::min(last, bottom)), extent - moving.start);
  }
  return spans;
}

}  // namespace

void CGXGridExcelLikeFrameImp::DrawFrame(CGXGridCore* grid, CDC* dc, const CRect& clip, const CRect& frame,
                                         BOOL topVisible, BOOL leftVisible, int handle, BOOL handleOnly) {
  if (dc == nullptr) return;
  const bool alternative = grid->GetParam() != nullptr && grid->GetParam()->m_bLinesAtRightBottom;
  CRect f = frame;
  if (alternative) f.OffsetRect(-1, -1);
  const int L = f.left, T = f.top, R = f.right, B = f.bottom;
  auto invert = [&](int l, int t, int r, int b) {
    CRect piece(l, t, r, b);
    if (!clip.IsRectEmpty() && !piece.IntersectRect(&piece, &clip)) return;
    if (!piece.IsRectEmpty()) dc->InvertRect(&piece);
  };
  if (!handleOnly) {
    if (topVisible) {
      invert(L - 1, T - 1, R + 2, alternative ? T + 1 : T);
      invert(L + 2, T + 2, R - 2, T + 3);
    } else if (leftVisible && T < B) {
      invert(L + 2, T, L + 3, T + 3);
      invert(R - 2, T, R - 1, T + 1);
    }
    if (leftVisible) {
      if (alternative) {
        invert(L - 1, T + 1, L + 1, B + 2);
      } else {
        invert(L - 1, T, L, B + 2);
      }
      invert(L + 2, T + 3, L + 3, B - 2);
    } else if (topVisible && L < R) {
      invert(L, B - 2, L + 2, B - 1);
      invert(L, T + 2, L + 2, T + 3);
    }
    if (alternative) {
      invert(L + 1, B + 1, R + 1, B + 2);
      invert(R + 1, T + 1, R + 2, B + 2);
    } else {
      invert(L, B, R, B + 2);
      invert(R, T, R + 2, B + 2);
    }
    invert(L + 2, B - 2, R - 2, B - 1);
    invert(R - 2, topVisible ? T + 2 : T + 1, R - 1, B - 1);
  }
  switch (handle) {
    case 2:
      invert(L + 2, B - 1, L + 7, B + 2);
      invert(L + 3, B - 3, L + 7, B - 2);
      invert(L + 1, B - 2, L + 6, B + 3);
      invert(L + 1, B + 2, L + 2, B + 3);
      break;
    case 7:
      invert(R - 1, T + 2, R + 2, T + 7);
      invert(R - 3, T + 3, R - 2, T + 7);
      invert(R - 2, T + 1, R + 3, T + 6);
      invert(R + 2, T + 1, R + 3, T + 2);
      break;
    default:
      invert(R - 1, B - 2, R + 2, B + 3);
      invert(R - 2, B - 1, R + 3, B + 2);
      invert(R + 2, B + 2, R + 3, B + 3);
      break;
  }
}

void CGXGridExcelLikeFrameImp::TrackSelectionFrame(CGXGridCore* grid, CDC* dc, const CGXRange& range, int handle,
                                                   int handleOnly) {
  if (dc == nullptr || grid->GetParam() == nullptr || grid->GetParam()->m_bLockRedraw || !range.IsValid()) return;
  const CRect area = grid->GetGridRect();
  const std::vector<PaneSpan> rowSpans = Spans(grid, true, range.top, range.bottom, area.top, area.bottom);
  const std::vector<PaneSpan> colSpans = Spans(grid, false, range.left, range.right, area.left, area.right);
  for (const PaneSpan& r : rowSpans) {
    for (const PaneSpan& c : colSpans) {
      if (!r.reached || !c.reached || r.size <= 0 || c.size <= 0) continue;
      const CRect clip(c.clipStart, r.clipStart, c.clipEnd, r.clipEnd);
      if (clip.IsRectEmpty()) continue;
      const CRect frame(c.start, r.start, c.start + c.size, r.start + r.size);
      grid->DrawFrameOutline(dc, clip, frame, r.edgeVisible, c.edgeVisible, handle, handleOnly);
    }
  }
}

void CGXGridExcelLikeFrameImp::DrawSelectionFrame(CGXGridCore* grid, CDC* dc, BOOL eraseOld, const CGXRange& range) {
  if (!FrameOn(grid) || grid->m_bFrameLocked) return;
  // A frame left on screen is erased before another is drawn, so that
  // none is ever stranded where the grid forgot it.
  if ((eraseOld || range.IsValid()) && dc != nullptr && grid->m_rgFrame.IsValid()) {
    grid->TrackSelectionFrame(dc, grid->m_rgFrame, grid->m_nFrameHandle, FALSE);
    grid->m_rgFrame.m_bValid = FALSE;
  }
  if (!range.IsValid()) return;
  const ROWCOL firstRow = grid->GetHeaderRows() + 1, firstCol = grid->GetHeaderCols() + 1;
  const ROWCOL rows = grid->GetRowCount(), cols = grid->GetColCount();
  CGXRange cells = range;
  cells.ExpandToCells(firstRow, firstCol, rows, cols);
  cells.top = std::max(cells.top, firstRow);
  cells.left = std::max(cells.left, firstCol);
  if (cells.top > cells.bottom || cells.left > cells.right) {
    grid->m_rgFrame = CGXRange();
    return;
  }
  grid->m_nFrameHandle = GXFrameHandleFor(range);
  grid->m_rgFrame = cells;
  grid->m_rgFrame.m_bValid = FALSE;
  if (dc != nullptr) {
    grid->TrackSelectionFrame(dc, cells, grid->m_nFrameHandle, FALSE);
    grid->m_rgFrame.m_bValid = TRUE;
  }
}

void CGXGridExcelLikeFrameImp::ToggleSelectionFrame(CGXGridCore* grid) {
  if (!FrameOn(grid) || grid->m_nFrameHandle == 0 || !grid->m_rgFrame.IsValid() || !WindowShown(grid)) return;
  grid->TrackSelectionFrame(grid->GetClientDC(), grid->m_rgFrame, grid->m_nFrameHandle, TRUE);
  grid->ReleaseClientDC();
}

BOOL CGXGridExcelLikeFrameImp::SetFrameState(CGXGridCore* grid, BOOL state, BOOL sendHint) {
  if (auto* hints = grid->HintSender(sendHint)) hints->HintSetFrameState(grid, state);
  if (!FrameOn(grid)) return TRUE;
  const BOOL wasLocked = grid->m_bFrameLocked;
  const BOOL lock = !state;
  if (lock != wasLocked) {
    const bool paint = !grid->GetParam()->m_bLockRedraw && WindowShown(grid);
    if (lock) {
      if (paint) {
        grid->DrawSelectionFrame(grid->GetClientDC(), TRUE, CGXRange());
        grid->ReleaseClientDC();
      }
      // Nothing of it stays on screen while locked (a locked redraw
      // repaints everything afterwards).
      grid->m_rgFrame.m_bValid = FALSE;
      grid->m_bFrameLocked = TRUE;
    } else {
      grid->m_bFrameLocked = FALSE;
      const CGXRangeList& selection = grid->GetParam()->m_SelRects;
      if (paint && !selection.IsEmpty()) {
        grid->DrawSelectionFrame(grid->GetClientDC(), TRUE, *selection.GetTail());
        grid->ReleaseClientDC();
      }
    }
  }
  return !wasLocked;
}
