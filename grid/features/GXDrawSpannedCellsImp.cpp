#include "grid/features/GXDrawSpannedCellsImp.h"

#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXPaintContext.h"
#include "grid/core/GXProperties.h"

namespace {

// The visible part of a block that starts at client cell (r, c): the run of
// client rows and columns that follow on screen without a jump (the jump
// from the frozen rows to the scrolled ones starts another part).
void PartEnd(const GXPaintContext& ctx, const CGXRange& block, ROWCOL r, ROWCOL c, ROWCOL& r2, ROWCOL& c2) {
  r2 = r;
  while (r2 + 1 < ctx.nRows && ctx.rows[r2 + 1] == ctx.rows[r2] + 1 && ctx.rows[r2 + 1] <= block.bottom) ++r2;
  c2 = c;
  while (c2 + 1 < ctx.nCols && ctx.cols[c2 + 1] == ctx.cols[c2] + 1 && ctx.cols[c2 + 1] <= block.right) ++c2;
}

// The block a cell belongs to: a covered block always counts; a merged or
// floated block not while the cell is edited and is not the block's first
// cell (the editor then shows in its own cell).
bool FindBlock(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& block, bool& covered) {
  covered = grid->GetCoveredCellsRowCol(row, col, block) != nullptr;
  if (covered) return true;
  bool editing = false;
  if (grid->IsCurrentCell(row, col)) {
    CGXControl* control = grid->GetRegisteredControl(grid->GetCachedCellStyle(row, col).GetControl());
    editing = control != nullptr && control->IsInitializedFor(row, col) && control->IsActive();
  }
  if (grid->GetMergedCellsRange(row, col, block, 0)) return !editing || col == block.left;
  if (grid->GetMergedCellsRange(row, col, block, 1)) return !editing || row == block.top;
  if (grid->GetFloatedCellsRange(row, col, block)) return !editing || col == block.left;
  return false;
}

}  // namespace

BOOL CGXDrawSpannedCellsImp::EvalVisibleSpans(CGXGridCore* grid, CGXRange& range, ROWCOL frozenRows,
                                              ROWCOL frozenCols, ROWCOL topRow, ROWCOL leftCol, ROWCOL lastRow,
                                              ROWCOL lastCol, BOOL redraw, BOOL changed, BOOL useGridStyles) {
  (void)changed;
  if (grid->GetFloatCellsMode() == 0 && grid->GetMergeCellsMode() == 0) return FALSE;
  CGXRange cells = range;
  cells.ExpandToCells(0, 0, grid->GetRowCount(), grid->GetColCount());
  const CGXRange parts[4] = {
      CGXRange(0, 0, frozenRows, frozenCols),
      CGXRange(0, leftCol, frozenRows, lastCol),
      CGXRange(topRow, 0, lastRow, frozenCols),
      CGXRange(topRow, leftCol, lastRow, lastCol),
  };
  BOOL any = FALSE;
  for (const CGXRange& part : parts) {
    CGXRange in;
    if (in.IntersectWith(cells, part)) any = grid->EvalMergeCells(in, redraw, nullptr, useGridStyles) || any;
  }
  for (const CGXRange& part : parts) {
    CGXRange in;
    if (in.IntersectWith(cells, part)) any = grid->EvalFloatCells(in, redraw, nullptr, useGridStyles) || any;
  }
  return any;
}

BOOL CGXDrawSpannedCellsImp::PrepareCell(CGXGridCore* grid, void* paintContext, int rowIndex, int colIndex) {
  auto& ctx = *static_cast<GXPaintContext*>(paintContext);
  const ROWCOL r = static_cast<ROWCOL>(rowIndex), c = static_cast<ROWCOL>(colIndex);
  CGXRange block;
  bool covered = false;
  if (!FindBlock(grid, ctx.rows[r], ctx.cols[c], block, covered)) return FALSE;
  const CGXStyle& style = grid->GetCachedCellStyle(block.top, block.left);
  ROWCOL r2 = r, c2 = c;
  PartEnd(ctx, block, r, c, r2, c2);
  ROWCOL editRow = 0, editCol = 0;
  const bool skipEdited = !covered && grid->GetCurrentCell(editRow, editCol) && grid->IsCurrentCellActive();
  const WORD kind = covered ? static_cast<WORD>(GX_PAINT_SPANNED | GX_PAINT_COVERED) : static_cast<WORD>(GX_PAINT_SPANNED);
  for (ROWCOL i = r; i <= r2; ++i) {
    for (ROWCOL j = c; j <= c2; ++j) {
      if ((i != r || j != c) && skipEdited && ctx.rows[i] == editRow && ctx.cols[j] == editCol) continue;
      const std::size_t k = ctx.Index(i, j);
      ctx.styles[k] = &style;
      ctx.flags[k] = static_cast<WORD>(kind | ((i != r || j != c) ? GX_PAINT_CONTINUATION : 0));
    }
  }
  if (ctx.useColors) ctx.flags[ctx.Index(r, c)] |= GX_PAINT_BACKGROUND;
  return TRUE;
}

BOOL CGXDrawSpannedCellsImp::DrawCell(CGXGridCore* grid, void* paintContext, int rowIndex, int colIndex) {
  auto& ctx = *static_cast<GXPaintContext*>(paintContext);
  const ROWCOL r = static_cast<ROWCOL>(rowIndex), c = static_cast<ROWCOL>(colIndex);
  const std::size_t i = ctx.Index(r, c);
  if (ctx.styles[i] == nullptr) return FALSE;
  if (ctx.flags[i] & GX_PAINT_CONTINUATION) return TRUE;
  if (!(ctx.flags[i] & GX_PAINT_SPANNED)) return FALSE;
  CGXRange block;
  bool covered = false;
  if (!FindBlock(grid, ctx.rows[r], ctx.cols[c], block, covered)) return FALSE;
  const CGXStyle& style = *ctx.styles[i];
  ROWCOL r2 = r, c2 = c;
  PartEnd(ctx, block, r, c, r2, c2);
  const CRect part(ctx.lefts[c], ctx.tops[r], ctx.lefts[c2] + ctx.widths[c2], ctx.tops[r2] + ctx.heights[r2]);
  if (part.IsRectEmpty()) return TRUE;
  // The whole block, positioned so that its visible part lies on `part`.
  CRect whole = part;
  if (ctx.rows[r] > block.top) whole.top -= grid->SumRowHeights(block.top, ctx.rows[r] - 1);
  if (ctx.rows[r2] < block.bottom) whole.bottom += grid->SumRowHeights(ctx.rows[r2] + 1, block.bottom);
  if (ctx.cols[c] > block.left) whole.left -= grid->SumColWidths(block.left, ctx.cols[c] - 1);
  if (ctx.cols[c2] < block.right) whole.right += grid->SumColWidths(ctx.cols[c2] + 1, block.right);

  CDC* dc = ctx.dc;
  const int saved = dc->SaveDC();
  CRect clip = part;
  if (!ctx.clip.IsRectEmpty()) clip.IntersectRect(&clip, &ctx.clip);
  dc->IntersectClipRect(&clip);
  const BOOL oldSpan = grid->m_bDrawingSpan;
  grid->m_bDrawingSpan = TRUE;
  try {
    if (ctx.useColors) grid->FillInterior(dc, whole, style.GetInterior());
    const BOOL oldFill = grid->m_bBackgroundToFill;
    grid->m_bBackgroundToFill = FALSE;
    grid->DrawCell(dc, block.top, block.left, whole, style);
    grid->m_bBackgroundToFill = oldFill;
    // The block's own edge lines: its neighbours draw the far ones.
    CGXProperties* props = grid->GetParam() != nullptr ? grid->GetParam()->GetProperties() : nullptr;
    const BOOL atRightBottom = grid->GetParam() != nullptr && grid->GetParam()->m_bLinesAtRightBottom;
    if (props != nullptr && !atRightBottom) {
      if (props->GetDisplayVertLines() && !style.HasBorder(CGXStyle::kLeft))
        grid->DrawGridLine(dc, whole.left, whole.top, 1, whole.Height(), 1, block.left, 0);
      if (props->GetDisplayHorzLines() && !style.HasBorder(CGXStyle::kTop))
        grid->DrawGridLine(dc, whole.left, whole.top, whole.Width(), 1, 2, block.top, 0);
    }
  } catch (...) {
    grid->m_bDrawingSpan = oldSpan;
    dc->RestoreDC(saved);
    throw;
  }
  grid->m_bDrawingSpan = oldSpan;
  dc->RestoreDC(saved);
  // The current cell of a covered block is its first cell, and its frame
  // goes round the whole block; in a merged or floated block the current
  // cell keeps its frame round its own rectangle.
  ROWCOL currentRow = 0, currentCol = 0;
  if (grid->GetCurrentCell(currentRow, currentCol) && block.IsCellInRange(currentRow, currentCol)) {
    CGXControl* control = grid->GetRegisteredControl(style.GetControl());
    if (control != nullptr && !control->IsActive()) {
      CRect frame = whole;
      if (!covered) {
        frame = grid->CalcCellRect(currentRow, currentCol);
      }
      ctx.frameControl = control;
      grid->GetCellInsideRect(ctx.frameRect, frame, &style, TRUE);
    }
  }
  return TRUE;
}

void GXEnableDrawSpannedCells(CGXGridCore* grid) {
  if (grid->m_pDrawSpannedCellsImp != nullptr) return;
  auto* object = new CGXDrawSpannedCellsImp;
  grid->m_pDrawSpannedCellsImp = object;
  grid->AddAutoDelete(object);
}
