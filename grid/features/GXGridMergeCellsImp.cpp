#include "grid/features/GXGridMergeCellsImp.h"

#include <algorithm>
#include <vector>

#include "grid/cells/GXControl.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "grid/features/GXDelayedRangePool.h"
#include "grid/features/GXDrawSpannedCellsImp.h"
#include "grid/features/GXFeatureRegistrars.h"
#include "grid/features/GXSpanCellPool.h"
#include "grid/features/GXSpanPoolAdjust.h"
#include "grid/features/GXSpanRowCache.h"

namespace {

constexpr WORD kNoVertical = 4, kNoHorizontal = 8;
constexpr UINT kMergeHorz = 1, kMergeVert = 2, kCompareValues = 4;

// 1 delayed, 2 immediate, else off (a mode of 3 has no pools and is
// treated as off).
WORD Mode(CGXGridCore* grid) {
  const WORD mode = grid->GetMergeCellsMode();
  return mode == 3 ? 0 : mode;
}
WORD Word(CGXGridCore* grid) { return grid->GetParam() != nullptr ? grid->GetParam()->m_wMergeCellsMode : 0; }
bool Delayed(CGXGridCore* grid) { return Mode(grid) == 1; }

CGXSpanCellPool* Pool(CGXGridCore* grid, int direction) {
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr) return nullptr;
  return static_cast<CGXSpanCellPool*>(direction == 1 ? param->m_pMergeVertPool : param->m_pMergeHorzPool);
}

bool IsBlock(const CGXRange& r) { return r.top != r.bottom || r.left != r.right; }

void Widen(CGXRange* changed, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, ROWCOL startRow,
           ROWCOL startCol) {
  if (changed == nullptr) return;
  if (!changed->IsValid()) changed->SetCells(startRow, startCol);
  changed->top = std::min(changed->top, top);
  changed->left = std::min(changed->left, left);
  changed->bottom = std::max(changed->bottom, bottom);
  changed->right = std::max(changed->right, right);
}

struct RedrawLock {
  CGXGridParam* param;
  BOOL saved;
  RedrawLock(CGXGridCore* grid, BOOL redrawAtOnce) : param(grid->GetParam()), saved(param->m_bLockRedraw) {
    if (!redrawAtOnce) param->m_bLockRedraw = TRUE;
  }
  ~RedrawLock() { param->m_bLockRedraw = saved; }
};

CGXRange TableCells(CGXGridCore* grid, const CGXRange& range) {
  CGXRange cells = range;
  cells.ExpandToCells(0, 0, grid->GetRowCount(), grid->GetColCount());
  return cells;
}

}  // namespace

BOOL CGXGridMergeCellsImp::CanMergeCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CGXStyle& style,
                                        int direction) {
  // Delayed mode walks over hidden cells as if they merged.
  if (Delayed(grid) && (grid->IsRowHidden(row) || grid->IsColHidden(col))) return TRUE;
  if (Mode(grid) == 0 || !style.GetIncludeMergeCell()) return FALSE;
  const WORD word = Word(grid);
  const UINT bits = style.GetMergeCell();
  const bool wanted = (direction == 0 && (bits & kMergeHorz) && !(word & kNoHorizontal)) ||
                      (direction == 1 && (bits & kMergeVert) && !(word & kNoVertical));
  if (!wanted) return FALSE;
  CGXRange covered;
  if (grid->GetCoveredCellsRowCol(row, col, covered) != nullptr) return FALSE;
  CGXControl* control = grid->GetRegisteredControl(style.GetControl());
  return control != nullptr && control->CanMergeCell(row, col, style, direction);
}

BOOL CGXGridMergeCellsImp::CanMergeStyles(CGXGridCore*, const CGXStyle& a, const CGXStyle& b) {
  if (!a.GetIncludeMergeCell() || !b.GetIncludeMergeCell()) return FALSE;
  if ((a.GetMergeCell() & kCompareValues) && (b.GetMergeCell() & kCompareValues)) return a.GetValue() == b.GetValue();
  return a.IsSubSet(b) && b.IsSubSet(a);
}

BOOL CGXGridMergeCellsImp::EvalHorzPair(CGXGridCore* grid, ROWCOL row, ROWCOL c1, ROWCOL c2, CGXRange* changed,
                                        BOOL useGridStyles, CGXSpanRowCache& cache) {
  CGXRange a(row, c1), b(row, c2);
  grid->GetMergedCellsRange(row, c1, a, 0);
  grid->GetMergedCellsRange(row, c2, b, 0);
  CGXControl* control = nullptr;
  const CGXStyle& s1 = cache.Get(grid, row, c1, control, useGridStyles);
  const BOOL m1 = grid->CanMergeCell(row, c1, s1, 0);
  const CGXStyle& s2 = cache.Get(grid, row, c2, control, useGridStyles);
  if (Delayed(grid) && (grid->IsRowHidden(row) || grid->IsColHidden(c2))) return TRUE;
  const BOOL m2 = grid->CanMergeCell(row, c2, s2, 0);
  BOOL result = FALSE;
  if (m1 && m2 && grid->CanMergeStyles(s1, s2)) {
    if (a.right == b.right) return FALSE;
    if (IsBlock(b)) result = grid->SetMergedCellsRange(0, b.top, b.left, b.top, b.left, 2);
    result = grid->SetMergedCellsRange(0, a.top, a.left, a.bottom, b.right, 2) || result;
  } else {
    if (IsBlock(a) && a.right >= c2) {
      result = grid->SetMergedCellsRange(0, a.top, a.left, a.top, a.left, 2);
      if (a.left < c1) result = grid->SetMergedCellsRange(0, a.top, a.left, a.top, c1, 2) || result;
    }
    if (IsBlock(b) && b.left <= c1) {
      if (b.left != a.left) result = grid->SetMergedCellsRange(0, b.top, b.left, b.top, b.left, 2) || result;
      if (b.right > c2) result = grid->SetMergedCellsRange(0, row, c2, row, b.right, 2) || result;
    }
  }
  if (result) Widen(changed, a.top, a.left, b.bottom, b.right, row, c2);
  return result;
}

BOOL CGXGridMergeCellsImp::EvalVertPair(CGXGridCore* grid, ROWCOL col, ROWCOL r1, ROWCOL r2, CGXRange* changed) {
  CGXRange a(r1, col), b(r2, col);
  grid->GetMergedCellsRange(r1, col, a, 1);
  grid->GetMergedCellsRange(r2, col, b, 1);
  CGXStyle s1, s2;
  CGXControl* control = nullptr;
  GXComposeSpanStyle(grid, r1, col, s1, control);
  GXComposeSpanStyle(grid, r2, col, s2, control);
  const BOOL m1 = grid->CanMergeCell(r1, col, s1, 1);
  const BOOL m2 = grid->CanMergeCell(r2, col, s2, 1);
  BOOL result = FALSE;
  if (m1 && m2 && grid->CanMergeStyles(s1, s2)) {
    if (a.bottom == b.bottom) return FALSE;
    if (IsBlock(b)) result = grid->SetMergedCellsRange(1, b.top, b.left, b.top, b.left, 2);
    result = grid->SetMergedCellsRange(1, a.top, a.left, b.bottom, a.right, 2) || result;
  } else {
    if (IsBlock(a) && a.bottom >= r2) {
      result = grid->SetMergedCellsRange(1, a.top, a.left, a.top, a.left, 2);
      if (a.top < r1) result = grid->SetMergedCellsRange(1, a.top, a.left, r1, a.left, 2) || result;
    }
    if (IsBlock(b) && b.top <= r1) {
      if (b.top != a.top) result = grid->SetMergedCellsRange(1, b.top, b.left, b.top, b.left, 2) || result;
      if (b.bottom > r2) result = grid->SetMergedCellsRange(1, r2, col, b.bottom, col, 2) || result;
    }
  }
  if (result) Widen(changed, a.top, a.left, b.bottom, b.right, r2, col);
  return result;
}

BOOL CGXGridMergeCellsImp::EvalCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange* changed,
                                    BOOL useGridStyles, CGXSpanRowCache& cache) {
  if (Mode(grid) == 0) return FALSE;
  const ROWCOL n = grid->GetRowCount(), m = grid->GetColCount();
  const bool delayed = Delayed(grid);
  const WORD word = Word(grid);
  const CGXRange none;
  BOOL any = FALSE;
  if (!(word & kNoHorizontal)) {
    if (col != 0 && col <= m) {
      grid->m_rgLastMergedBlock = none;
      ROWCOL c1 = col - 1;
      while (delayed && c1 > 0 && grid->IsColHidden(c1)) --c1;
      BOOL stored = EvalHorzPair(grid, row, c1, col, changed, useGridStyles, cache);
      any = stored || any;
      if (stored && grid->m_rgLastMergedBlock.IsValid()) {
        ROWCOL l = grid->m_rgLastMergedBlock.left;
        while (l != 0 && stored) {
          grid->m_rgLastMergedBlock = none;
          stored = EvalHorzPair(grid, row, l - 1, l, changed, useGridStyles, cache);
          any = stored || any;
          --l;
        }
      }
    }
    if (col < m) {
      grid->m_rgLastMergedBlock = none;
      ROWCOL c2 = col + 1;
      while (delayed && c2 < m && grid->IsColHidden(c2)) ++c2;
      BOOL stored = EvalHorzPair(grid, row, col, c2, changed, useGridStyles, cache);
      any = stored || any;
      if (stored && grid->m_rgLastMergedBlock.IsValid()) {
        ROWCOL k = grid->m_rgLastMergedBlock.right;
        while (k < m && stored) {
          grid->m_rgLastMergedBlock = none;
          stored = EvalHorzPair(grid, row, k, k + 1, changed, useGridStyles, cache);
          any = stored || any;
          ++k;
        }
      }
    }
  }
  if (!(word & kNoVertical)) {
    if (row != 0 && row <= n) {
      grid->m_rgLastMergedBlock = none;
      ROWCOL r1 = row - 1;
      while (delayed && r1 > 0 && grid->IsRowHidden(r1)) --r1;
      BOOL stored = EvalVertPair(grid, col, r1, row, changed);
      any = stored || any;
      if (stored && grid->m_rgLastMergedBlock.IsValid()) {
        ROWCOL t = grid->m_rgLastMergedBlock.top;
        while (t != 0 && stored) {
          grid->m_rgLastMergedBlock = none;
          stored = EvalVertPair(grid, col, t - 1, t, changed);
          any = stored || any;
          --t;
        }
      }
    }
    if (row < n) {
      grid->m_rgLastMergedBlock = none;
      ROWCOL r2 = row + 1;
      while (delayed && r2 < n && grid->IsRowHidden(r2)) ++r2;
      any = EvalVertPair(grid, col, row, r2, changed) || any;
    }
  }
  return any;
}

BOOL CGXGridMergeCellsImp::EvalImmediate(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce,
                                         CGXRange* changed, BOOL useGridStyles) {
  const CGXRange cells = TableCells(grid, range);
  if (cells.top > cells.bottom || cells.left > cells.right) return FALSE;
  RedrawLock lock(grid, redrawAtOnce);
  CGXSpanRowCache cache;
  BOOL any = FALSE;
  for (ROWCOL row = cells.top; row <= cells.bottom; ++row) {
    if (!grid->IsRowHidden(row)) {
      for (ROWCOL col = cells.left; col <= cells.right; ++col)
        if (!grid->IsColHidden(col)) any = EvalCell(grid, row, col, changed, useGridStyles, cache) || any;
      cache.Release();
    }
    if (row == cells.bottom) break;
  }
  return any;
}

BOOL CGXGridMergeCellsImp::EvalDelayed(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce,
                                       CGXRange* changed, BOOL useGridStyles) {
  const CGXRange cells = TableCells(grid, range);
  auto* pool = static_cast<CGXDelayedRangePool*>(grid->GetParam()->m_pMergeDelayedPool);
  std::vector<DWORD> first, last;
  if (pool == nullptr || cells.top > cells.bottom || cells.left > cells.right ||
      !pool->GetRowsToEvaluate(cells, first, last))
    return FALSE;
  RedrawLock lock(grid, redrawAtOnce);
  CGXSpanRowCache cache;
  BOOL any = FALSE;
  const ROWCOL colCount = grid->GetColCount();
  for (ROWCOL row = cells.top; row <= cells.bottom; ++row) {
    const std::size_t i = row - cells.top;
    if (first[i] != CGXDWordArrayPtrArray::kNone) {
      const ROWCOL to = std::min<ROWCOL>(last[i], colCount);
      for (ROWCOL col = first[i]; col <= to; ++col) any = EvalCell(grid, row, col, changed, useGridStyles, cache) || any;
      cache.Release();
    }
    if (row == cells.bottom) break;
  }
  return any;
}

BOOL CGXGridMergeCellsImp::EvalMergeCells(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce,
                                          CGXRange* changed, BOOL useGridStyles) {
  if (grid->m_bLockEvalMergeCells) return FALSE;
  switch (Mode(grid)) {
    case 1: return EvalDelayed(grid, range, redrawAtOnce, changed, useGridStyles);
    case 2: return EvalImmediate(grid, range, redrawAtOnce, changed, useGridStyles);
    default: return FALSE;
  }
}

void CGXGridMergeCellsImp::DelayMergeCells(CGXGridCore* grid, const CGXRange& range, ROWCOL rowLimit,
                                           ROWCOL colLimit) {
  if (Mode(grid) != 1) return;
  auto* pool = static_cast<CGXDelayedRangePool*>(grid->GetParam()->m_pMergeDelayedPool);
  if (pool == nullptr) return;
  CGXRange cells = TableCells(grid, range);
  if (cells.top > cells.bottom || cells.left > cells.right) return;
  // Hidden rows and columns next to the area join it: a block may run
  // over them.
  const ROWCOL n = grid->GetRowCount(), m = grid->GetColCount();
  while (cells.top > 0 && grid->IsRowHidden(cells.top)) --cells.top;
  while (cells.bottom < n && grid->IsRowHidden(cells.bottom)) ++cells.bottom;
  while (cells.left > 0 && grid->IsColHidden(cells.left)) --cells.left;
  while (cells.right < m && grid->IsColHidden(cells.right)) ++cells.right;
  pool->AddRange(cells);
  if (rowLimit != static_cast<ROWCOL>(-1)) pool->ClampRows(rowLimit);
  if (colLimit != static_cast<ROWCOL>(-1)) pool->ClampCols(colLimit);
}

BOOL CGXGridMergeCellsImp::GetMergedCellsRange(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range,
                                               int direction) {
  if (Mode(grid) == 0) return FALSE;
  range.SetCells(row, col);
  BOOL found = FALSE;
  if (direction != 1) {
    CGXSpanCellPool* pool = Pool(grid, 0);
    found = pool != nullptr && pool->LookupSpan(row, col, range);
  }
  if (direction != 0) {
    CGXSpanCellPool* pool = Pool(grid, 1);
    found = (pool != nullptr && pool->LookupSpan(row, col, range)) || found;
  }
  return found;
}

BOOL CGXGridMergeCellsImp::StoreMergedCells(CGXGridCore* grid, int direction, ROWCOL top, ROWCOL left,
                                            ROWCOL bottom, ROWCOL right, BOOL set) {
  if (Mode(grid) == 0) return FALSE;
  CGXSpanCellPool* pool = Pool(grid, direction == 1 ? 1 : 0);
  return pool != nullptr && pool->StoreSpan(top, left, bottom, right, set);
}

BOOL CGXGridMergeCellsImp::SetMergedCellsRange(CGXGridCore* grid, int direction, ROWCOL top, ROWCOL left,
                                               ROWCOL bottom, ROWCOL right, UINT flags) {
  CGXRange old(top, left);
  grid->GetMergedCellsRange(top, left, old, direction == 1 ? 1 : 0);
  const BOOL set = top != bottom || left != right;
  if (!StoreMergedCells(grid, direction, top, left, bottom, right, set)) return FALSE;
  grid->m_rgLastMergedBlock.SetCells(top, left, bottom, right);
  // Merged cells neither float nor are flooded: the area floats afresh.
  const CGXRange area(top, left, std::max(old.bottom, bottom), std::max(old.right, right));
  grid->DelayFloatCells(area);
  if (grid->GetPaintContext() == nullptr) grid->RedrawWithMergeCells(area, flags, TRUE);
  return TRUE;
}

void CGXGridMergeCellsImp::RedrawWithMergeCells(CGXGridCore* grid, const CGXRange& range, UINT flags,
                                                BOOL sendHint) {
  if (auto* hints = grid->HintSender(sendHint)) hints->HintRedrawWithMergeCells(grid, range, flags);
  if (grid->GetParam() == nullptr || grid->GetParam()->m_bLockRedraw) return;
  CGXRange block(range.top, range.left);
  grid->GetMergedCellsRange(range.top, range.left, block, -1);
  grid->RedrawRowCol(range.top, range.left, std::max(range.bottom, block.bottom), std::max(range.right, block.right),
                     flags, FALSE);
}

void CGXGridMergeCellsImp::ExpandRange(CGXGridCore* grid, CGXRange& range) {
  if (Mode(grid) == 0 || !range.IsCells() || !range.IsValid()) return;
  const CGXRange walk = range;
  auto widen = [&](const CGXRange& block) {
    CGXRange both;
    both.SetUnion(range, block);
    range = both;
  };
  for (ROWCOL row = walk.top; row <= walk.bottom; ++row) {
    for (ROWCOL col = walk.left; col <= walk.right; ++col) {
      CGXRange block;
      if (!grid->GetMergedCellsRange(row, col, block, 0)) continue;
      widen(block);
      col = block.right;
      if (col >= walk.right) break;
    }
    if (row == walk.bottom) break;
  }
  for (ROWCOL col = walk.left; col <= walk.right; ++col) {
    for (ROWCOL row = walk.top; row <= walk.bottom; ++row) {
      CGXRange block;
      if (!grid->GetMergedCellsRange(row, col, block, 1)) continue;
      widen(block);
      row = block.bottom;
      if (row >= walk.bottom) break;
    }
    if (col == walk.right) break;
  }
}

void CGXGridMergeCellsImp::AdjustAfterInsert(CGXGridCore* grid, BOOL rows, ROWCOL at, ROWCOL count) {
  if (Mode(grid) == 0) return;
  GXAdjustSpansAfterInsert(Pool(grid, 0), TRUE, rows, at, count);
  GXAdjustSpansAfterInsert(Pool(grid, 1), FALSE, rows, at, count);
}

void CGXGridMergeCellsImp::AdjustAfterRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to) {
  if (Mode(grid) == 0) return;
  GXAdjustSpansAfterRemove(Pool(grid, 0), TRUE, rows, from, to);
  GXAdjustSpansAfterRemove(Pool(grid, 1), FALSE, rows, from, to);
}

void CGXGridMergeCellsImp::SetMergeCellsMode(CGXGridCore* grid, WORD mode, BOOL redraw) {
  CGXGridParam* param = grid->GetParam();
  // A mode of 3 would count as on without any pool: refused.
  if (param == nullptr || (mode & 3) == 3) return;
  if (mode != param->m_wMergeCellsMode) {
    param->m_wMergeCellsMode = mode;
    delete param->m_pMergeDelayedPool;
    delete param->m_pMergeHorzPool;
    delete param->m_pMergeVertPool;
    param->m_pMergeDelayedPool = param->m_pMergeHorzPool = param->m_pMergeVertPool = nullptr;
    CGXAppData* app = GXGetAppData();
    const WORD low = mode & 3;
    if ((low == 1 || low == 2) && app->m_pSpanCellPoolImp != nullptr) {
      param->m_pMergeHorzPool = app->m_pSpanCellPoolImp->Create();
      param->m_pMergeVertPool = app->m_pSpanCellPoolImp->Create();
    }
    if (low == 1 && app->m_pDelayedRangePoolImp != nullptr) {
      param->m_pMergeDelayedPool = app->m_pDelayedRangePoolImp->Create();
      grid->DelayMergeCells(CGXRange().SetTable());
    }
  }
  if (redraw) grid->Redraw(2, TRUE);
}

void CGXGridCore::EnableMergeCells() {
  GXEnableSpanCellPool();
  GXEnableDelayedRangePool();
  GXEnableStyleCompareSubset();  // alike neighbours are found by style containment
  if (m_pMergeCellsImp == nullptr) {
    auto* object = new CGXGridMergeCellsImp;
    m_pMergeCellsImp = object;
    AddAutoDelete(object);
  }
  GXEnableDrawSpannedCells(this);
}
