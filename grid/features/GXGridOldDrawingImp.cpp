#include "grid/features/GXGridOldDrawingImp.h"

#include "grid/cells/GXControl.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXPaintContext.h"
#include "grid/core/GXProperties.h"

BOOL CGXGridOldDrawingImp::DrawPass(CGXGridCore* grid, CDC* dc, void* paintContext) {
  CGXGridParam* param = grid->GetParam();
  if (!grid->m_bOldDrawingPath && !(param != nullptr && param->m_bTransparentBackground)) return FALSE;
  grid->m_bOldDrawingPath = TRUE;
  auto& ctx = *static_cast<GXPaintContext*>(paintContext);
  DrawBackgrounds(grid, paintContext, 0);
  ctx.frameControl = nullptr;
  for (ROWCOL r = 0; r < ctx.nRows; ++r) {
    if (ctx.heights[r] <= 0) continue;
    const int saved = dc->SaveDC();
    CRect band(ctx.clip.left, ctx.tops[r], ctx.clip.right, ctx.tops[r] + ctx.heights[r]);
    band.IntersectRect(&band, &ctx.clip);
    dc->IntersectClipRect(&band);
    for (ROWCOL c = 0; c < ctx.nCols; ++c) grid->DrawCellOfPass(ctx, r, c);
    dc->RestoreDC(saved);
  }
  for (ROWCOL c = 0; c < ctx.nCols; ++c) grid->DrawLinesOf(ctx, c, true);
  for (ROWCOL r = 0; r < ctx.nRows; ++r) grid->DrawLinesOf(ctx, r, false);
  if (ctx.frameControl != nullptr && !ctx.frameRect.IsRectEmpty()) {
    ctx.frameControl->DrawFrame(dc, ctx.frameRect);
    ctx.frameControl = nullptr;
  }
  if (ctx.drawSelection) {
    for (ROWCOL r = 0; r < ctx.nRows; ++r)
      for (ROWCOL c = 0; c < ctx.nCols; ++c)
        if (ctx.flags[ctx.Index(r, c)] & GX_PAINT_SELECTED)
          grid->DrawInvertCell(dc, ctx.rows[r], ctx.cols[c], ctx.CellRect(r, c));
  }
  return TRUE;
}

void CGXGridOldDrawingImp::DrawBackgrounds(CGXGridCore* grid, void* paintContext, int) {
  auto& ctx = *static_cast<GXPaintContext*>(paintContext);
  CGXGridParam* param = grid->GetParam();
  if (param == nullptr || param->m_bTransparentBackground || ctx.nRows == 0 || ctx.nCols == 0) return;
  CDC* dc = ctx.dc;
  CGXStyleInterior background = grid->GetStandardStyle().GetInterior();
  // Printing in black and white: paper white.
  if (!ctx.useColors) background = CGXStyleInterior(RGB(255, 255, 255));
  const int right = ctx.lefts[ctx.nCols - 1] + ctx.widths[ctx.nCols - 1];
  const int bottom = ctx.tops[ctx.nRows - 1] + ctx.heights[ctx.nRows - 1];
  CGXProperties* props = param->GetProperties();
  if (!grid->IsPrinting() && props != nullptr) {
    const COLORREF beyond = props->GetColor(4);
    if (ctx.cols[ctx.nCols] == 0) {
      CRect rect = grid->GetGridRect();
      rect.left = right;
      rect.bottom += 5;
      if (!rect.IsRectEmpty()) GXFillSolidRect(dc, rect, beyond);
      if (props->GetDisplayVertLines()) grid->DrawDragLine(dc, 1, ctx.cols[ctx.nCols - 1] + 1, 0);
    }
    if (ctx.rows[ctx.nRows] == 0) {
      CRect rect = grid->GetGridRect();
      rect.top = bottom;
      rect.right += 5;
      if (!rect.IsRectEmpty()) GXFillSolidRect(dc, rect, beyond);
      if (props->GetDisplayHorzLines()) grid->DrawDragLine(dc, 2, ctx.rows[ctx.nRows - 1] + 1, 0);
    }
  }
  grid->FillInterior(dc, CRect(ctx.lefts[0], ctx.tops[0], right, bottom), background);

  // Runs of equal backgrounds, grown downward while the next row matches,
  // are filled as one rectangle; a lone cell draws its own background.
  auto own = [&](ROWCOL r, ROWCOL c) {
    const WORD f = ctx.flags[ctx.Index(r, c)];
    return (f & GX_PAINT_BACKGROUND) && !(f & GX_PAINT_SPANNED) && ctx.styles[ctx.Index(r, c)] != nullptr;
  };
  for (ROWCOL r = 0; r < ctx.nRows; ++r) {
    for (ROWCOL c = 0; c < ctx.nCols; ++c) {
      if (!own(r, c)) continue;
      const CGXStyleInterior& interior = ctx.styles[ctx.Index(r, c)]->GetInterior();
      ROWCOL c2 = c;
      while (c2 + 1 < ctx.nCols && own(r, c2 + 1) && ctx.styles[ctx.Index(r, c2 + 1)]->GetInterior() == interior) ++c2;
      ROWCOL r2 = r;
      auto rowMatches = [&](ROWCOL rr) {
        for (ROWCOL cc = c; cc <= c2; ++cc) {
          const CGXStyle* s = ctx.styles[ctx.Index(rr, cc)];
          if (ctx.flags[ctx.Index(rr, cc)] & GX_PAINT_SPANNED) return false;
          if (s != nullptr && !(own(rr, cc) && s->GetInterior() == interior)) return false;
        }
        return true;
      };
      while (r2 + 1 < ctx.nRows && rowMatches(r2 + 1)) ++r2;
      if (r2 == r && c2 == c) continue;
      for (ROWCOL rr = r; rr <= r2; ++rr)
        for (ROWCOL cc = c; cc <= c2; ++cc) ctx.flags[ctx.Index(rr, cc)] &= static_cast<WORD>(~GX_PAINT_BACKGROUND);
      CGXStyleInterior fill = interior;
      if (!ctx.useColors) fill = CGXStyleInterior(RGB(255, 255, 255));
      grid->FillInterior(dc, CRect(ctx.lefts[c], ctx.tops[r], ctx.lefts[c2] + ctx.widths[c2], ctx.tops[r2] + ctx.heights[r2]),
                         fill);
      c = c2;
    }
  }
}

void CGXGridCore::EnableOldDrawing() {
  if (m_pOldDrawingImp != nullptr) return;
  auto* object = new CGXGridOldDrawingImp;
  m_pOldDrawingImp = object;
  AddAutoDelete(object);
}
