#include "grid/features/GXGridFloatCellsImp.h"

#include <algorithm>
#include <vector>

#include "grid/cells/GXControl.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXFeatureRegistrars.h"
#include "grid/features/GXDrawSpannedCellsImp.h"
#include "grid/features/GXSpanCellPool.h"
#include "grid/features/GXSpanPoolAdjust.h"
#include "grid/features/GXSpanRowCache.h"

namespace {

CGXSpanCellPool* SpanPool(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return nullptr;
  return static_cast<CGXSpanCellPool*>(grid->IsPrinting() ? param->m_pPrintFloatSpanPool : param->m_pFloatSpanPool);
}

CGXDelayedRangePool* DelayedPool(CGXGridCore* grid) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return nullptr;
  return static_cast<CGXDelayedRangePool*>(grid->IsPrinting() ? param->m_pPrintFloatDelayedPool
                                                              : param->m_pFloatDelayedPool);
}

// The cells of a range below and right of the headers; FALSE when none.
BOOL BodyCells(CGXGridCore* grid, const CGXRange& range, CGXRange& cells) {
  cells = range;
  const ROWCOL hr = grid->GetHeaderRows(), hc = grid->GetHeaderCols();
  cells.ExpandToCells(hr + 1, hc + 1, grid->GetRowCount(), grid->GetColCount());
  cells.top = std::max(cells.top, hr + 1);
  cells.left = std::max(cells.left, hc + 1);
  return cells.top <= cells.bottom && cells.left <= cells.right;
}

void Widen(CGXRange* changed, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) {
  if (changed == nullptr) return;
  if (!changed->IsValid()) {
    changed->SetCells(top, left, bottom, right);
    return;
  }
  changed->top = std::min(changed->top, top);
  changed->left = std::min(changed->left, left);
  changed->bottom = std::max(changed->bottom, bottom);
  changed->right = std::max(changed->right, right);
}

// Sets the parameter object's redraw lock for the time of an evaluation
// unless the caller wants every span change shown at once.
struct RedrawLock {
  CGXGridParam* param;
  BOOL saved;
  RedrawLock(CGXGridCore* grid, BOOL redrawAtOnce) : param(grid->GetParam()), saved(param->m_bLockRedraw) {
    if (!redrawAtOnce) param->m_bLockRedraw = TRUE;
  }
  ~RedrawLock() { param->m_bLockRedraw = saved; }
};

}  // namespace

BOOL CGXGridFloatCellsImp::CanFloatCellForControl(CGXControl*, ROWCOL, ROWCOL, const CGXStyle& style, BOOL floats) {
  if (!floats) return style.GetValue().IsEmpty();
  // Turned text would leave its cell sideways.
  const CGXFont& font = style.GetFont();
  if (style.GetIncludeFont() && font.GetIncludeOrientation() && font.GetOrientationDegrees() != 0) return FALSE;
  return !style.GetValue().IsEmpty();
}

BOOL CGXGridFloatCellsImp::CanFloatCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CGXStyle& style,
                                        BOOL floats) {
  if (grid->GetFloatCellsMode() == 0) return FALSE;
  CGXRange block;
  if (grid->GetCoveredCellsRowCol(row, col, block) != nullptr) return FALSE;
  if (grid->GetMergedCellsRange(row, col, block, -1)) return FALSE;
  CGXControl* control = grid->GetRegisteredControl(style.GetControl());
  if (control == nullptr) return FALSE;
  if (floats) return style.GetIncludeFloatCell() && style.GetFloatCell() && control->CanFloatCell(row, col, style, TRUE);
  // Text of a frozen column never reaches into the scrolling part.
  if (col == grid->GetFrozenCols() + 1) return FALSE;
  return style.GetIncludeFloodCell() && style.GetFloodCell() && control->CanFloatCell(row, col, style, FALSE);
}

BOOL CGXGridFloatCellsImp::EvalFloatStart(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange* changed,
                                          BOOL useGridStyles, CGXSpanRowCache& cache) {
  CGXRange span(row, col);
  grid->GetFloatedCellsRange(row, col, span);
  const ROWCOL q = span.left;
  CGXControl* control = nullptr;
  const CGXStyle& style = cache.Get(grid, row, q, control, useGridStyles);
  ROWCOL last = q;
  if (control != nullptr && grid->CanFloatCell(row, q, style, TRUE)) {
    CDC* dc = grid->GetClientDC();
    int remaining = control->CalcContentSize(dc, row, q, style, FALSE, FALSE).cx;
    const ROWCOL colCount = grid->GetColCount();
    ROWCOL c = q;
    while (c < colCount) {
      const int width = grid->GetColWidth(c);
      if (width >= remaining) break;
      CGXControl* nextControl = nullptr;
      const CGXStyle& next = cache.Get(grid, row, c + 1, nextControl, useGridStyles);
      if (nextControl == nullptr || !grid->CanFloatCell(row, c + 1, next, FALSE)) break;
      remaining -= width;
      ++c;
    }
    last = c;
  }
  if (last == span.right) return FALSE;
  const BOOL stored = grid->SetFloatedCellsRange(row, q, row, last, 1);
  if (stored) Widen(changed, row, q, row, std::max(span.right, last));
  return stored;
}

BOOL CGXGridFloatCellsImp::EvalCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange* changed,
                                    BOOL useGridStyles, CGXSpanRowCache& cache) {
  const ROWCOL hc = grid->GetHeaderCols();
  if (grid->GetFloatCellsMode() == 0 || row <= grid->GetHeaderRows() || col <= hc) return FALSE;
  CGXControl* control = nullptr;
  const CGXStyle& style = cache.Get(grid, row, col, control, useGridStyles);
  const BOOL floats = control != nullptr && grid->CanFloatCell(row, col, style, TRUE);
  ROWCOL start = col - 1;
  CGXRange left(row, start);
  if (grid->GetFloatedCellsRange(row, start, left)) start = left.left;
  // Header cells never float.
  const bool startFloats = start > hc;
  BOOL any = FALSE;
  if (floats) {
    // The neighbour's text now stops before this cell, then this one flows.
    if (startFloats) any = EvalFloatStart(grid, row, start, changed, useGridStyles, cache);
    any = EvalFloatStart(grid, row, col, changed, useGridStyles, cache) || any;
  } else {
    // This cell's own span goes first, so that the neighbour may flow over it.
    any = EvalFloatStart(grid, row, col, changed, useGridStyles, cache);
    if (startFloats) any = EvalFloatStart(grid, row, start, changed, useGridStyles, cache) || any;
  }
  return any;
}

BOOL CGXGridFloatCellsImp::EvalImmediate(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce,
                                         CGXRange* changed, BOOL useGridStyles) {
  CGXRange cells;
  BOOL any = FALSE;
  if (BodyCells(grid, range, cells)) {
    RedrawLock lock(grid, redrawAtOnce);
    CGXSpanRowCache cache;
    for (ROWCOL row = cells.top; row <= cells.bottom; ++row) {
      if (!grid->IsRowHidden(row)) {
        for (ROWCOL col = cells.left; col <= cells.right; ++col)
          if (!grid->IsColHidden(col)) any = EvalCell(grid, row, col, changed, useGridStyles, cache) || any;
        cache.Release();
      }
      if (row == cells.bottom) break;
    }
  }
  grid->ReleaseClientDC();
  return any;
}

BOOL CGXGridFloatCellsImp::EvalDelayed(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce,
                                       CGXRange* changed, BOOL useGridStyles) {
  CGXRange cells;
  CGXDelayedRangePool* pool = DelayedPool(grid);
  std::vector<DWORD> first, last;
  if (pool == nullptr || !BodyCells(grid, range, cells) || !pool->GetRowsToEvaluate(cells, first, last)) {
    grid->ReleaseClientDC();
    return FALSE;
  }
  BOOL any = FALSE;
  {
    RedrawLock lock(grid, redrawAtOnce);
    CGXSpanRowCache cache;
    const ROWCOL colCount = grid->GetColCount();
    for (ROWCOL row = cells.top; row <= cells.bottom; ++row) {
      const std::size_t i = row - cells.top;
      if (last[i] != 0 && !grid->IsRowHidden(row)) {
        const ROWCOL to = std::min<ROWCOL>(last[i], colCount);
        for (ROWCOL col = first[i]; col <= to; ++col)
          if (!grid->IsColHidden(col)) any = EvalCell(grid, row, col, changed, useGridStyles, cache) || any;
        cache.Release();
      }
      if (row == cells.bottom) break;
    }
  }
  grid->ReleaseClientDC();
  return any;
}

BOOL CGXGridFloatCellsImp::EvalFloatCells(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce,
                                          CGXRange* changed, BOOL useGridStyles) {
  if (grid->m_bLockEvalFloatCells) return FALSE;
  switch (grid->GetFloatCellsMode()) {
    case 1: return EvalDelayed(grid, range, redrawAtOnce, changed, useGridStyles);
    case 2: return EvalImmediate(grid, range, redrawAtOnce, changed, useGridStyles);
    default: return FALSE;
  }
}

void CGXGridFloatCellsImp::DelayFloatCells(CGXGridCore* grid, const CGXRange& range, ROWCOL colLimit) {
  if (grid->GetFloatCellsMode() != 1) return;
  CGXRange cells;
  if (!BodyCells(grid, range, cells)) return;
  CGXGridParam* param = grid->GetParam();
  auto queue = [&](CObject* object) {
    auto* pool = static_cast<CGXDelayedRangePool*>(object);
    if (pool == nullptr) return;
    pool->AddRange(cells);
    if (colLimit != static_cast<ROWCOL>(-1)) pool->ClampCols(colLimit);
  };
  if (!grid->IsPrinting()) queue(param->m_pFloatDelayedPool);
  queue(param->m_pPrintFloatDelayedPool);
}

BOOL CGXGridFloatCellsImp::GetFloatedCellsRange(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range) {
  range.SetCells(row, col);
  if (grid->GetFloatCellsMode() == 0) return FALSE;
  CGXSpanCellPool* pool = SpanPool(grid);
  return pool != nullptr && pool->LookupSpan(row, col, range);
}

BOOL CGXGridFloatCellsImp::StoreFloatedCells(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                             ROWCOL right, BOOL set) {
  if (grid->GetFloatCellsMode() == 0) return FALSE;
  CGXSpanCellPool* pool = SpanPool(grid);
  return pool != nullptr && pool->StoreSpan(top, left, bottom, right, set);
}

BOOL CGXGridFloatCellsImp::SetFloatedCellsRange(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom,
                                                ROWCOL right, UINT flags) {
  CGXRange old(top, left);
  grid->GetFloatedCellsRange(top, left, old);
  const BOOL set = top != bottom || left != right;
  // Removing takes the old span's bounds, so that the whole of it goes.
  if (!(set ? StoreFloatedCells(grid, top, left, bottom, right, TRUE)
            : StoreFloatedCells(grid, old.top, old.left, old.bottom, old.right, FALSE)))
    return FALSE;
  if (grid->GetPaintContext() == nullptr)
    grid->RedrawWithFloatCells(CGXRange(top, left, std::max(old.bottom, bottom), std::max(old.right, right)), flags,
                               TRUE);
  return TRUE;
}

void CGXGridFloatCellsImp::RedrawWithFloatCells(CGXGridCore* grid, const CGXRange& range, UINT flags,
                                                BOOL sendHint) {
  if (auto* hints = grid->HintSender(sendHint)) hints->HintRedrawWithFloatCells(grid, range, flags);
  if (grid->GetParam() == nullptr || grid->GetParam()->m_bLockRedraw) return;
  CGXRange span(range.top, range.left);
  grid->GetFloatedCellsRange(range.top, range.left, span);
  grid->RedrawRowCol(range.top, range.left, std::max(range.bottom, span.bottom), std::max(range.right, span.right),
                     flags, FALSE);
}

void CGXGridFloatCellsImp::ExpandRange(CGXGridCore* grid, CGXRange& range) {
  if (grid->GetFloatCellsMode() == 0 || !range.IsCells() || !range.IsValid()) return;
  const CGXRange walk = range;
  for (ROWCOL row = walk.top; row <= walk.bottom; ++row) {
    for (ROWCOL col = walk.left; col <= walk.right; ++col) {
      CGXRange span;
      if (!grid->GetFloatedCellsRange(row, col, span)) continue;
      CGXRange both;
      both.SetUnion(range, span);
      range = both;
      col = span.right;
      if (col == walk.right) break;
    }
    if (row == walk.bottom) break;
  }
}

// The screen's and the printing pool alike.
void CGXGridFloatCellsImp::AdjustAfterInsert(CGXGridCore* grid, BOOL rows, ROWCOL at, ROWCOL count) {
  CGXGridParam* param = grid->GetParam();
  if (grid->GetFloatCellsMode() == 0 || param == nullptr) return;
  for (CObject* pool : {param->m_pFloatSpanPool, param->m_pPrintFloatSpanPool})
    GXAdjustSpansAfterInsert(static_cast<CGXSpanCellPool*>(pool), TRUE, rows, at, count);
}

void CGXGridFloatCellsImp::AdjustAfterRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to) {
  CGXGridParam* param = grid->GetParam();
  if (grid->GetFloatCellsMode() == 0 || param == nullptr) return;
  for (CObject* pool : {param->m_pFloatSpanPool, param->m_pPrintFloatSpanPool})
    GXAdjustSpansAfterRemove(static_cast<CGXSpanCellPool*>(pool), TRUE, rows, from, to);
}

void CGXGridFloatCellsImp::SetFloatCellsMode(CGXGridCore* grid, WORD mode, BOOL redraw) {
  CGXGridParam* param = grid->GetParam();
  if (param != nullptr && mode != param->m_wFloatCellsMode) {
    param->m_wFloatCellsMode = mode;
    delete param->m_pFloatSpanPool;
    delete param->m_pFloatDelayedPool;
    param->m_pFloatSpanPool = param->m_pFloatDelayedPool = nullptr;
    CGXAppData* app = GXGetAppData();
    if ((mode == 1 || mode == 2) && app->m_pSpanCellPoolImp != nullptr)
      param->m_pFloatSpanPool = app->m_pSpanCellPoolImp->Create();
    if (mode == 1 && app->m_pDelayedRangePoolImp != nullptr) {
      param->m_pFloatDelayedPool = app->m_pDelayedRangePoolImp->Create();
      grid->DelayFloatCells(CGXRange().SetTable());
    }
  }
  if (redraw) grid->Redraw(2, TRUE);
}

void CGXGridCore::EnableFloatCells() {
  GXEnableSpanCellPool();
  GXEnableDelayedRangePool();
  if (m_pFloatCellsImp == nullptr) {
    auto* object = new CGXGridFloatCellsImp;
    m_pFloatCellsImp = object;
    AddAutoDelete(object);
  }
  GXEnableDrawSpannedCells(this);
}
