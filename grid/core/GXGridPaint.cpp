// Painting a grid: the direct and the buffered path, the block of cells in
// passes (backgrounds in runs, cells, lines in runs, the area beyond the
// last row and column, the selection), borders and the inverted selection.
#include <algorithm>
#include <vector>

#include "grid/core/GXDrawing.h"
#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXPaintContext.h"

namespace {

constexpr ROWCOL kNone = static_cast<ROWCOL>(-1);

enum : WORD {
  kTopBorder = GX_PAINT_TOP_BORDER,
  kLeftBorder = GX_PAINT_LEFT_BORDER,
  kBottomBorder = GX_PAINT_BOTTOM_BORDER,
  kRightBorder = GX_PAINT_RIGHT_BORDER,
  kSelected = GX_PAINT_SELECTED,
  kBackground = GX_PAINT_BACKGROUND,
  kSpanned = GX_PAINT_SPANNED,
  kHorzLine = GX_PAINT_HORZ_LINE,
  kVertLine = GX_PAINT_VERT_LINE,
  kFrozenCol = GX_PAINT_FROZEN_COL,
  kFrozenRow = GX_PAINT_FROZEN_ROW,
};

bool HasSide(const CGXStyle& style, int side) {
  if (!style.GetIncludeBorders() || !style.HasBorder(side)) return false;
  const CGXStyleBorder& b = style.GetBorders(side);
  return b.GetInclude() && b.style != 5;
}

}  // namespace

int CGXGridCore::SetDrawMode(int mode) {
  const int old = m_nDrawMode;
  m_nDrawMode = mode;
  return old;
}

// ------------------------------------------------------------------ entry

void CGXGridCore::OnDraw(CDC* dc) {
  FlushBeforeDraw();
  m_bScrollbarsChanged = FALSE;
  if (m_pParam == nullptr || m_pParam->m_bLockRedraw) return;
  CRect clip;
  dc->GetClipBox(&clip);
  if (clip.IsRectEmpty()) return;
  if (m_bPrinting) {
    m_bPaintWhilePrinting = TRUE;
    return;
  }
  const CRect grid = GetGridRect();
  const int rowsPerPage = GetDefaultRowHeight() > 0 ? grid.Height() / GetDefaultRowHeight() : grid.Height();
  const int colsPerPage = GetDefaultColWidth() > 0 ? grid.Width() / GetDefaultColWidth() : grid.Width();
  ROWCOL bottom = 0, right = 0;
  CalcBottomRightFromRect(clip, bottom, right);
  OnBeforeReach(bottom + static_cast<ROWCOL>(rowsPerPage), right + static_cast<ROWCOL>(colsPerPage));
  // Counts may have changed since the last paint; a scroll bar that comes
  // or goes changes the client area, and the next paint draws it all.
  UpdateScrollbars();
  if (m_bScrollbarsChanged) {
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr) m_pGridWnd->Invalidate(FALSE);
    return;
  }
  PaintDirect(dc, m_nDrawMode == 1);
  // The selection frame is drawn by inverting pixels: the part of it that
  // this paint covered is inverted again, so the frame stays whole.
  if (m_rgFrame.IsValid() && !m_bFrameLocked) TrackSelectionFrame(dc, m_rgFrame, m_nFrameHandle, FALSE);
}

void CGXGridCore::PaintDirect(CDC* windowDC, BOOL buffered) {
  RefreshBaseStyles();
  FreeObjectCache();
  CRect clip;
  windowDC->GetClipBox(&clip);
  const CRect grid = GetGridRect();
  CRect area;
  if (!area.IntersectRect(&clip, &grid)) return;
  if (buffered && (clip.Width() <= 0 || clip.Height() <= 0)) return;

  CDC memDC;
  CBitmap bitmap;
  CBitmap* oldBitmap = nullptr;
  CDC* dc = windowDC;
  if (buffered) {
    memDC.CreateCompatibleDC(windowDC);
    bitmap.CreateCompatibleBitmap(windowDC, clip.Width(), clip.Height());
    oldBitmap = memDC.SelectObject(&bitmap);
    memDC.SetViewportOrg(-clip.left, -clip.top);
    memDC.SetBrushOrg(clip.left % 8, clip.top % 8);
    OnPrepareDC(&memDC);
    dc = &memDC;
  }

  CFont* oldFont = m_pStandardStyle != nullptr ? SelectStyleFont(dc, *m_pStandardStyle, nullptr) : nullptr;
  if (m_pStandardStyle != nullptr && m_pStandardStyle->GetIncludeFont()) GetFontMetrics(dc, m_dxWidth, m_dyHeight);

  auto frameStrips = [&](int right, int bottom) {
    dc->FillSolidRect(grid.left - 1, grid.top - 1, 1, grid.bottom - grid.top + 1, RGB(0, 0, 0));
    dc->FillSolidRect(right, grid.top - 1, 1, grid.bottom - grid.top + 1, RGB(0, 0, 0));
    dc->FillSolidRect(grid.left - 1, grid.top - 1, grid.right - grid.left + 1, 1, RGB(0, 0, 0));
    dc->FillSolidRect(grid.left - 1, bottom, grid.right - grid.left + 2, 1, RGB(0, 0, 0));
  };
  if (m_bDrawGridFrame && !buffered) frameStrips(grid.right, grid.bottom);

  // Restores the font and the paint state on every way out, exceptions
  // included (they go on to the window's handler).
  struct Restore {
    CGXGridCore* g;
    CDC* dc;
    CFont* font;
    int saved;
    ~Restore() {
      dc->RestoreDC(saved);
      if (font != nullptr) dc->SelectObject(font);
      g->m_pPaintDC = nullptr;
      g->m_ExcludedRects.clear();
      g->ReleaseClientDC();
    }
  } restore{this, dc, oldFont, dc->SaveDC()};

  dc->IntersectClipRect(&area);
  ROWCOL r1 = 0, c1 = 0, r2 = 0, c2 = 0;
  CalcClientCellFromPointClamped(area.TopLeft(), r1, c1);
  CalcClientCellFromPointClamped(CPoint(area.right - 1, area.bottom - 1), r2, c2);
  m_pPaintDC = dc;
  DrawCellRange(r1, c1, r2, c2, dc);

  if (buffered) {
    dc->SelectClipRgn(nullptr);
    if (m_bDrawGridFrame) frameStrips(grid.right - 1, grid.bottom - 1);
    for (const CRect& r : m_ExcludedRects) windowDC->ExcludeClipRect(&r);
    windowDC->BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &memDC, clip.left, clip.top, SRCCOPY);
    (void)oldBitmap;
  }
}

// ------------------------------------------------------------------ block

void CGXGridCore::DrawCellRange(ROWCOL firstRow, ROWCOL firstCol, ROWCOL lastRow, ROWCOL lastCol, CDC* dc) {
  if (firstRow == kNone || firstCol == kNone || lastRow == kNone || lastCol == kNone || lastRow < firstRow ||
      lastCol < firstCol || m_pParam == nullptr)
    return;
  GXPaintContext ctx;
  ctx.dc = dc;
  ctx.nRows = lastRow - firstRow + 1;
  ctx.nCols = lastCol - firstCol + 1;
  ctx.frozenRows = GetFrozenRows();
  ctx.frozenCols = GetFrozenCols();
  ctx.headerRows = GetHeaderRows();
  ctx.headerCols = GetHeaderCols();
  ctx.drawSelection = !m_bPrinting && !m_pParam->m_SelRects.IsEmpty();
  const CRect first = CalcClientCellRect(firstRow, firstCol);
  const ROWCOL rowCount = GetRowCount(), colCount = GetColCount();

  auto axis = [](ROWCOL n, ROWCOL firstClient, int start, ROWCOL count, auto fromClient, auto size,
                 std::vector<ROWCOL>& index, std::vector<int>& sizes, std::vector<int>& starts) {
    index.resize(n + 1);
    sizes.resize(n);
    starts.resize(n);
    int at = start;
    for (ROWCOL i = 0; i <= n; ++i) {
      const ROWCOL abs = fromClient(firstClient + i);
      index[i] = abs <= count ? abs : 0;
      if (i == n) break;
      sizes[i] = size(abs);
      starts[i] = at;
      at += sizes[i];
    }
  };
  axis(ctx.nRows, firstRow, first.top, rowCount, [this](ROWCOL c) { return GetRowFromClientRow(c); },
       [this](ROWCOL r) { return GetRowHeight(r); }, ctx.rows, ctx.heights, ctx.tops);
  axis(ctx.nCols, firstCol, first.left, colCount, [this](ROWCOL c) { return GetColFromClientCol(c); },
       [this](ROWCOL c) { return GetColWidth(c); }, ctx.cols, ctx.widths, ctx.lefts);
  // The last entries were computed from positions past the block; a block
  // that ends on the last row (column) has no next one.
  if (ctx.rows[ctx.nRows - 1] >= rowCount) ctx.rows[ctx.nRows] = 0;
  if (ctx.cols[ctx.nCols - 1] >= colCount) ctx.cols[ctx.nCols] = 0;

  const std::size_t cells = static_cast<std::size_t>(ctx.nRows) * ctx.nCols;
  ctx.styles.assign(cells, nullptr);
  ctx.flags.assign(cells, 0);
  ctx.topRow = m_bPrinting ? m_nPrintTopRow : m_nTopRow;
  ctx.leftCol = m_bPrinting ? m_nPrintLeftCol : m_nLeftCol;
  ctx.useColors = !PrintsBlackWhite();
  ctx.background = ctx.useColors && m_pStandardStyle != nullptr ? m_pStandardStyle->GetInterior().GetColor()
                                                                 : RGB(255, 255, 255);
  dc->GetClipBox(&ctx.clip);

  GXPaintContext* const savedContext = m_pPaintContext;
  struct Restore {
    CGXGridCore* g;
    GXPaintContext* saved;
    ~Restore() {
      g->m_pPaintContext = saved;
      --g->m_nPaintNesting;
    }
  } restore{this, savedContext};
  m_pPaintContext = &ctx;
  ++m_nPaintNesting;

  // The current cell is composed afresh, so that a change of its style or
  // of its control shows.
  const bool currentInBlock = m_bCurrentCell && m_nCurrentRow >= ctx.rows[0] &&
                              m_nCurrentRow <= ctx.rows[ctx.nRows - 1] && m_nCurrentCol >= ctx.cols[0] &&
                              m_nCurrentCol <= ctx.cols[ctx.nCols - 1];
  if (currentInBlock && !m_bKeepCurrentCellStyle) {
    ForgetCurrentCellStyle();
    m_pCurrentCellControl = nullptr;
  }
  if (m_pParam->m_wComposeAllFirst == 1) {
    for (ROWCOL r = 0; r < ctx.nRows; ++r)
      for (ROWCOL c = 0; c < ctx.nCols; ++c) ctx.styles[ctx.Index(r, c)] = &GetCachedCellStyle(ctx.rows[r], ctx.cols[c]);
  }
  // Cells whose values changed since they were drawn float again; during a
  // redraw-all pass only their rows are drawn.
  std::vector<bool> rowPending(ctx.nRows, false);
  for (ROWCOL r = 0; r < ctx.nRows; ++r) {
    for (ROWCOL c = 0; c < ctx.nCols; ++c) {
      if (IsCellRecalcPending(ctx.rows[r], ctx.cols[c])) {
        rowPending[r] = true;
        DelayFloatCells(CGXRange(ctx.rows[r], ctx.cols[c]));
      }
    }
  }
  if (m_pDrawSpannedCellsImp != nullptr) {
    CGXRange block(ctx.rows[0], ctx.cols[0], ctx.rows[ctx.nRows - 1], ctx.cols[ctx.nCols - 1]);
    // With the grid's own cell styles: the ones this paint draws with.
    EvalVisibleSpans(block, ctx.frozenRows, ctx.frozenCols, ctx.topRow, ctx.leftCol, block.bottom, block.right, FALSE,
                     FALSE, TRUE);
  }
  auto rowDrawn = [&](ROWCOL r) { return !m_bRedrawAllPass || rowPending[r]; };

  const BOOL atRightBottom = m_pParam->m_bLinesAtRightBottom;
  const CGXStyleInterior standardInterior =
      m_pStandardStyle != nullptr ? m_pStandardStyle->GetInterior() : CGXStyleInterior();
  for (ROWCOL r = 0; r < ctx.nRows; ++r) {
    if (!rowDrawn(r)) {
      for (ROWCOL c = 0; c < ctx.nCols; ++c) m_ExcludedRects.push_back(ctx.CellRect(r, c));
      continue;
    }
    for (ROWCOL c = 0; c < ctx.nCols; ++c) {
      const std::size_t i = ctx.Index(r, c);
      WORD& f = ctx.flags[i];
      if (f & kSpanned) continue;
      if (m_pDrawSpannedCellsImp != nullptr &&
          m_pDrawSpannedCellsImp->PrepareCell(this, &ctx, static_cast<int>(r), static_cast<int>(c)))
        continue;
      if (ctx.styles[i] == nullptr) ctx.styles[i] = &GetCachedCellStyle(ctx.rows[r], ctx.cols[c]);
      const CGXStyle& style = *ctx.styles[i];
      if (ctx.widths[c] <= 0 || ctx.heights[r] <= 0) continue;
      if (!(style.GetInterior() == standardInterior)) f |= kBackground;
      for (int side = 0; side < 4; ++side)
        if (HasSide(style, side)) f |= static_cast<WORD>(1u << side);
      if (!(f & (atRightBottom ? kRightBorder : kLeftBorder))) {
        f |= kVertLine;
        if (ctx.cols[c] == ctx.frozenCols && ctx.frozenCols > ctx.headerCols) f |= kFrozenCol;
      }
      if (!(f & (atRightBottom ? kBottomBorder : kTopBorder))) {
        f |= kHorzLine;
        if (ctx.rows[r] == ctx.frozenRows && ctx.frozenRows > ctx.headerRows) f |= kFrozenRow;
      }
      if (ctx.drawSelection && m_pParam->m_SelRects.FindRangeWithCell(ctx.rows[r], ctx.cols[c]) != nullptr)
        f |= kSelected;
    }
  }

  if (m_pOldDrawingImp != nullptr && m_pOldDrawingImp->DrawPass(this, dc, &ctx)) return;

  for (ROWCOL r = 0; r < ctx.nRows; ++r) {
    if (!rowDrawn(r)) continue;
    const int saved = m_bRedrawAllPass ? dc->SaveDC() : 0;
    if (m_bRedrawAllPass) {
      const CRect rowRect(ctx.lefts[0], ctx.tops[r], ctx.lefts[ctx.nCols - 1] + ctx.widths[ctx.nCols - 1],
                          ctx.tops[r] + ctx.heights[r]);
      dc->IntersectClipRect(&rowRect);
      m_pParam->m_RecalcRanges.AddTail(new CGXRange(ctx.rows[r], ctx.cols[0], ctx.rows[r], ctx.cols[ctx.nCols - 1]));
    }
    if (!m_pParam->m_bNoBackgroundPass) FillRowBackground(ctx, r);
    ctx.frameControl = nullptr;
    for (ROWCOL c = 0; c < ctx.nCols; ++c) {
      DrawCellOfPass(ctx, r, c);
      MarkCellRecalc(ctx.rows[r], ctx.cols[c], FALSE);
    }
    // The frame goes over the whole row, so that a neighbour drawn after
    // the current cell cannot cover it.
    if (ctx.frameControl != nullptr) {
      ctx.frameControl->DrawFrame(dc, ctx.frameRect);
      ctx.frameControl = nullptr;
    }
    DrawLinesOf(ctx, r, false);
    if (m_bRedrawAllPass) dc->RestoreDC(saved);
  }

  CGXProperties* props = m_pParam->GetProperties();
  // Paper is white: the area beyond the grid's end prints as nothing.
  const COLORREF beyond = props != nullptr && !m_bPrinting ? props->GetColor(4) : RGB(255, 255, 255);
  const int blockLeft = ctx.lefts[0];
  const int blockBottom = ctx.tops[ctx.nRows - 1] + ctx.heights[ctx.nRows - 1];
  const int blockRight = ctx.lefts[ctx.nCols - 1] + ctx.widths[ctx.nCols - 1];
  const bool reachesLastCol = ctx.cols[ctx.nCols] == 0, reachesLastRow = ctx.rows[ctx.nRows] == 0;
  if (!m_pParam->m_bNoBackgroundPass) {
    if (reachesLastCol) {
      CRect rect = GetGridRect();
      rect.left = blockRight;
      rect.bottom += 5;
      if (!rect.IsRectEmpty()) GXFillSolidRect(dc, rect, beyond);
      if (props != nullptr && props->GetDisplayVertLines() && !atRightBottom)
        DrawDragLine(dc, 1, lastCol + 1, 0);
    }
    if (reachesLastRow) {
      CRect rect = GetGridRect();
      rect.top = blockBottom;
      rect.right += 5;
      if (reachesLastCol) rect.left = std::min<int>(rect.left, blockLeft);
      if (!rect.IsRectEmpty()) {
        CRect below(blockLeft, blockBottom, reachesLastCol ? rect.right : blockRight, rect.bottom);
        GXFillSolidRect(dc, below, beyond);
      }
      if (props != nullptr && props->GetDisplayHorzLines() && !atRightBottom)
        DrawDragLine(dc, 2, lastRow + 1, 0);
    }
  }
  for (ROWCOL c = 0; c < ctx.nCols; ++c) DrawLinesOf(ctx, c, true);

  if (ctx.drawSelection) {
    for (ROWCOL r = 0; r < ctx.nRows; ++r)
      for (ROWCOL c = 0; c < ctx.nCols; ++c)
        if (ctx.flags[ctx.Index(r, c)] & kSelected) DrawInvertCell(dc, ctx.rows[r], ctx.cols[c], ctx.CellRect(r, c));
  }
}

void CGXGridCore::FillRowBackground(GXPaintContext& ctx, ROWCOL r) {
  for (ROWCOL c = 0; c < ctx.nCols; ++c) ctx.flags[ctx.Index(r, c)] |= kBackground;
  for (ROWCOL c = 0; c < ctx.nCols;) {
    const std::size_t i = ctx.Index(r, c);
    if ((ctx.flags[i] & kSpanned) || !(ctx.flags[i] & kBackground) || ctx.styles[i] == nullptr) {
      ++c;
      continue;
    }
    const CGXStyleInterior& interior = ctx.styles[i]->GetInterior();
    ROWCOL end = c;
    while (end + 1 < ctx.nCols) {
      const std::size_t j = ctx.Index(r, end + 1);
      if (ctx.flags[j] & kSpanned) break;
      if (ctx.styles[j] != nullptr && !((ctx.flags[j] & kBackground) && ctx.styles[j]->GetInterior() == interior)) break;
      ctx.flags[j] &= static_cast<WORD>(~kBackground);
      ++end;
    }
    if (end > c) {
      ctx.flags[i] &= static_cast<WORD>(~kBackground);
      FillInterior(ctx.dc, CRect(ctx.lefts[c], ctx.tops[r], ctx.lefts[end] + ctx.widths[end], ctx.tops[r] + ctx.heights[r]),
                   interior);
    }
    c = end + 1;
  }
}

// Grid lines and borders along one row (horizontal) or one column
// (vertical), in runs of equal pens.
void CGXGridCore::DrawLinesOf(GXPaintContext& ctx, ROWCOL index, bool vertical) {
  const int size = vertical ? ctx.widths[index] : ctx.heights[index];
  if (size <= 0) return;
  CGXProperties* props = m_pParam->GetProperties();
  const BOOL shown = props != nullptr && (vertical ? props->GetDisplayVertLines() : props->GetDisplayHorzLines());
  const BOOL atRightBottom = m_pParam->m_bLinesAtRightBottom;
  CGXStyleBorder gridPen(m_pParam->m_wGridLineStyle & 7u, 1, props != nullptr ? props->GetColor(0) : RGB(0, 0, 0));
  const ROWCOL abs = vertical ? ctx.cols[index] : ctx.rows[index];
  const bool boundary = vertical ? (abs == ctx.frozenCols && ctx.frozenCols > ctx.headerCols)
                                 : (abs == ctx.frozenRows && ctx.frozenRows > ctx.headerRows);
  const ROWCOL cross = vertical ? ctx.nRows : ctx.nCols;
  const WORD lineBit = vertical ? kVertLine : kHorzLine, boundaryBit = vertical ? kFrozenCol : kFrozenRow;

  for (int pass = 0; pass < 2; ++pass) {
    const bool nearPass = pass == 0;
    const int side = vertical ? (nearPass ? CGXStyle::kLeft : CGXStyle::kRight)
                              : (nearPass ? CGXStyle::kTop : CGXStyle::kBottom);
    const WORD bit = static_cast<WORD>(1u << side);
    const bool linePass = atRightBottom ? !nearPass : nearPass;
    auto penOf = [&](ROWCOL k, bool& border) -> const CGXStyleBorder* {
      const std::size_t i = vertical ? ctx.Index(k, index) : ctx.Index(index, k);
      if (ctx.styles[i] == nullptr || (ctx.flags[i] & kSpanned)) return nullptr;
      border = (ctx.flags[i] & bit) != 0;
      if (border) return &ctx.styles[i]->GetBorders(side);
      if (shown && (((ctx.flags[i] & lineBit) && linePass) || (boundary && !nearPass && (ctx.flags[i] & boundaryBit))))
        return &gridPen;
      return nullptr;
    };
    for (ROWCOL k = 0; k < cross;) {
      bool border = false;
      const CGXStyleBorder* pen = penOf(k, border);
      if (pen == nullptr) {
        ++k;
        continue;
      }
      ROWCOL end = k;
      while (end + 1 < cross) {
        bool nextBorder = false;
        const CGXStyleBorder* next = penOf(end + 1, nextBorder);
        if (next == nullptr || nextBorder != border || !(*next == *pen)) break;
        ++end;
      }
      const int from = vertical ? ctx.tops[k] : ctx.lefts[k];
      const int to = vertical ? ctx.tops[end] + ctx.heights[end] : ctx.lefts[end] + ctx.widths[end];
      const int cellNear = vertical ? ctx.lefts[index] : ctx.tops[index];
      const CRect run = vertical ? CRect(cellNear, from, cellNear + size, to) : CRect(from, cellNear, to, cellNear + size);
      if (border || (pen->style >= 1 && pen->style <= 4)) {
        DrawBorderLine(*pen, run, side, ctx.dc, nullptr);
      } else {
        const int at = nearPass ? cellNear : cellNear + size - 1;
        if (vertical) {
          DrawGridLine(ctx.dc, at, from, 1, to - from, 1, abs, 0);
        } else {
          DrawGridLine(ctx.dc, from, at, to - from, 1, 2, abs, 0);
        }
      }
      k = end + 1;
    }
    // The line below (right of) the last frozen row (column) takes the
    // boundary colour.
    if (nearPass && boundary && props != nullptr) gridPen.SetColor(props->GetColor(1));
  }
}

// ------------------------------------------------------------ one cell

void CGXGridCore::DrawCellOfPass(GXPaintContext& ctx, ROWCOL r, ROWCOL c) {
  if (m_pDrawSpannedCellsImp != nullptr &&
      m_pDrawSpannedCellsImp->DrawCell(this, &ctx, static_cast<int>(r), static_cast<int>(c)))
    return;
  const std::size_t i = ctx.Index(r, c);
  const CRect rect = ctx.CellRect(r, c);
  if ((ctx.flags[i] & kSpanned) || ctx.styles[i] == nullptr || rect.IsRectEmpty()) return;
  const ROWCOL row = ctx.rows[r], col = ctx.cols[c];
  const CGXStyle& style = *ctx.styles[i];
  CGXControl* current = m_bCurrentCell && row == m_nCurrentRow && col == m_nCurrentCol
                            ? GetRegisteredControl(style.GetControl())
                            : nullptr;
  m_bBackgroundToFill = (ctx.flags[i] & kBackground) != 0;
  DrawCell(ctx.dc, row, col, rect, style);
  m_bBackgroundToFill = FALSE;
  if (current != nullptr && !current->IsActive()) {
    ctx.frameControl = current;
    GetCellInsideRect(ctx.frameRect, rect, &style, TRUE);
  }
}

GXPaintContext* CGXGridCore::GetPaintContext() const { return m_pPaintContext; }

BOOL CGXGridCore::PrintsBlackWhite() {
  CGXProperties* props = m_pParam != nullptr ? m_pParam->GetProperties() : nullptr;
  return m_bPrinting && props != nullptr && props->m_bBlackWhite;
}

BOOL CGXGridCore::DrawCell(CDC* dc, ROWCOL row, ROWCOL col, const CRect& rect, const CGXStyle& style) {
  if (CGXControl* control = GetRegisteredControl(style.GetControl())) {
    if (IsCurrentCell(row, col) && !control->IsInitializedFor(row, col)) control->Init(row, col);
    const BOOL oldFill = m_bCellBackgroundToFill;
    m_bCellBackgroundToFill = m_bBackgroundToFill;
    control->Draw(dc, rect, row, col, style, &GetStandardStyle());
    m_bCellBackgroundToFill = oldFill;
    return TRUE;
  }
  // A grid without controls (no control factory) shows each cell's
  // background, 3-D frame, borders and value as static text.
  if (m_bBackgroundToFill) FillInterior(dc, rect, style.GetInterior());
  const BOOL blackWhite = PrintsBlackWhite();
  if (style.GetIncludeDraw3dFrame() && style.GetDraw3dFrame() != 0 && !blackWhite) {
    CRect edge = rect;
    CGXProperties* props = m_pParam ? m_pParam->GetProperties() : nullptr;
    if (props != nullptr && props->GetDisplayVertLines() && !m_pParam->m_bLinesAtRightBottom) edge.left += 1;
    if (props != nullptr && props->GetDisplayHorzLines() && !m_pParam->m_bLinesAtRightBottom) edge.top += 1;
    const bool raised = style.GetDraw3dFrame() == 1;
    GXGetDrawingAndFormatting()->Draw3dRect(dc, edge.left, edge.top, edge.right, edge.bottom, 1,
                                            GXResolveColor(raised ? RGB(255, 255, 255) : RGB(128, 128, 128)),
                                            GXResolveColor(raised ? RGB(128, 128, 128) : RGB(255, 255, 255)));
  }
  DrawCellBorders(dc, rect, style);
  CString text = style.GetIncludeValue() ? style.GetValue() : CString();
  if (text.IsEmpty()) return TRUE;
  CRect inside;
  GetCellInsideRect(inside, rect, &style, TRUE);
  inside.DeflateRect(2, 0);
  CFont* old = SelectStyleFont(dc, style, nullptr);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColour =
      dc->SetTextColor(style.GetIncludeTextColor() && !blackWhite ? style.GetTextColor() : RGB(0, 0, 0));
  UINT format = DT_NOPREFIX | (style.GetIncludeHorizontalAlignment() ? style.GetHorizontalAlignment() : DT_LEFT) |
                (style.GetIncludeVerticalAlignment() ? style.GetVerticalAlignment() : DT_TOP);
  if (!(style.GetIncludeWrapText() && style.GetWrapText())) format |= DT_SINGLELINE;
  GXGetDrawingAndFormatting()->DrawTextWithMarks(dc, text, text.GetLength(), inside.left, inside.top, inside.right,
                                                 inside.bottom, format, &inside, 0);
  dc->SetTextColor(oldColour);
  dc->SetBkMode(oldMode);
  if (old != nullptr) dc->SelectObject(old);
  return TRUE;
}

void CGXGridCore::FillInterior(CDC* dc, const CRect& rect, const CGXStyleInterior& interior) {
  // Printed in black and white, a colour is white and a pattern black on
  // white.
  CGXStyleInterior printed;
  const CGXStyleInterior* fill = &interior;
  if (PrintsBlackWhite()) {
    printed = interior.brushStyle == BS_SOLID ? CGXStyleInterior(RGB(255, 255, 255))
                                              : CGXStyleInterior(interior).SetColor(RGB(0, 0, 0)).SetBackColor(
                                                    RGB(255, 255, 255));
    fill = &printed;
  }
  CBrush* brush = LookupOrCreateBrush(*fill);
  if (brush != nullptr && brush->m_hObject != nullptr) dc->FillRect(&rect, brush);
}

void CGXGridCore::DrawCellBorders(CDC* dc, const CRect& rect, const CGXStyle& style) {
  if (!style.GetIncludeBorders()) return;
  for (int side : {CGXStyle::kTop, CGXStyle::kBottom, CGXStyle::kLeft, CGXStyle::kRight})
    if (HasSide(style, side)) DrawBorderLine(style.GetBorders(side), rect, side, dc, nullptr);
}

void CGXGridCore::DrawBorderLine(const CGXStyleBorder& cellPen, const CRect& rect, int side, CDC* dc,
                                 const CGXStyleInterior* interior) {
  if (cellPen.style == 5 || !cellPen.GetInclude()) return;
  CGXStyleBorder pen = cellPen;
  if (PrintsBlackWhite()) pen.SetColor(RGB(0, 0, 0));
  const int width = static_cast<int>(std::max<UINT>(1, pen.width));
  const bool dashed = pen.style >= 1 && pen.style <= 4;
  CRect strip = rect;
  const bool horizontal = side == CGXStyle::kTop || side == CGXStyle::kBottom;
  switch (side) {
    case CGXStyle::kTop: strip.bottom = rect.top + width; break;
    case CGXStyle::kLeft: strip.right = rect.left + width; break;
    case CGXStyle::kBottom: strip.top = rect.bottom - width; break;
    default: strip.left = rect.right - width; break;
  }
  if (dashed && interior != nullptr) {
    CGXStyleInterior lineBrush;
    if (pen.MakeLineBrush(lineBrush, *interior, horizontal, FALSE)) {
      FillInterior(dc, strip, lineBrush);
      return;
    }
  }
  if (dashed && width == 1) {
    CPen* old = dc->SelectObject(LookupOrCreatePen(pen));
    const int right = rect.right - 1, bottom = rect.bottom - 1;
    switch (side) {
      case CGXStyle::kTop: dc->MoveTo(rect.left, rect.top); dc->LineTo(right + 1, rect.top); break;
      case CGXStyle::kLeft: dc->MoveTo(rect.left, rect.top); dc->LineTo(rect.left, bottom + 1); break;
      case CGXStyle::kBottom: dc->MoveTo(rect.left, bottom); dc->LineTo(right + 1, bottom); break;
      default: dc->MoveTo(right, rect.top); dc->LineTo(right, bottom + 1); break;
    }
    dc->SelectObject(old);
    return;
  }
  GXFillSolidRect(dc, strip, GXResolveColor(pen.GetColor()));
}

// --------------------------------------------------------------- selection

void CGXGridCore::DrawInvertCell(CDC* dc, ROWCOL row, ROWCOL col, const CRect& rect) {
  const bool current = m_bCurrentCell && row == m_nCurrentRow && col == m_nCurrentCol;
  if (current && m_pParam != nullptr && m_pParam->m_bCurrentCellSelected) {
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const CRect atRB[4] = {CRect(l, t, r, t + 2), CRect(l, t + 2, l + 2, b), CRect(r - 3, t + 2, r, b - 3),
                           CRect(l + 2, b - 3, r, b)};
    const CRect atLT[4] = {CRect(l, t, r - 2, t + 3), CRect(l, t + 3, l + 3, b - 2), CRect(l, b - 2, r - 2, b),
                           CRect(r - 2, t, r, b)};
    for (const CRect& s : m_pParam->m_bLinesAtRightBottom ? atRB : atLT) dc->InvertRect(&s);
  } else if (!current || m_bInvertInPlace || (m_pParam != nullptr && m_pParam->m_wCurrentCellFrame == 1)) {
    dc->InvertRect(&rect);
  }
  m_bInvertInPlace = FALSE;
}
