// The block of cells one DrawCellRange call paints. The grid points at it
// while the block is drawn (m_pPaintContext), so that the spanned-cells and
// old-drawing feature objects can read and mark the cells of the pass.
#pragma once

#include <cstddef>
#include <vector>

#include "grid/core/GXStyle.h"
#include "platform/gfx/Dc.h"

class CGXControl;

// Flag word bits of one cell of the block.
enum GXPaintCellFlag : WORD {
  // One bit per border side, in the style's side order.
  GX_PAINT_TOP_BORDER = 1 << CGXStyle::kTop,
  GX_PAINT_LEFT_BORDER = 1 << CGXStyle::kLeft,
  GX_PAINT_BOTTOM_BORDER = 1 << CGXStyle::kBottom,
  GX_PAINT_RIGHT_BORDER = 1 << CGXStyle::kRight,
  GX_PAINT_SELECTED = 0x0010,
  GX_PAINT_BACKGROUND = 0x0020,
  // Drawn by the spanned-cells object; the passes leave the cell alone.
  GX_PAINT_SPANNED = 0x0040,
  GX_PAINT_HORZ_LINE = 0x0200,
  GX_PAINT_VERT_LINE = 0x0400,
  GX_PAINT_FROZEN_COL = 0x0800,
  GX_PAINT_FROZEN_ROW = 0x1000,
};

struct GXPaintContext {
  ROWCOL nRows = 0, nCols = 0;
  ROWCOL topRow = 0, leftCol = 0;
  ROWCOL frozenRows = 0, frozenCols = 0, headerRows = 0, headerCols = 0;
  std::vector<int> heights, widths, tops, lefts;
  // One entry more: the next row (column), 0 past the count.
  std::vector<ROWCOL> rows, cols;
  // Row-major, one per cell of the block.
  std::vector<const CGXStyle*> styles;
  std::vector<WORD> flags;
  // The current cell's control while its frame is still to be drawn.
  CGXControl* frameControl = nullptr;
  CRect frameRect;
  BOOL drawSelection = FALSE;
  // Off while printing in black and white.
  BOOL useColors = TRUE;
  COLORREF background = RGB(255, 255, 255);
  CDC* dc = nullptr;
  CRect clip;

  std::size_t Index(ROWCOL r, ROWCOL c) const { return c + static_cast<std::size_t>(r) * nCols; }
  CRect CellRect(ROWCOL r, ROWCOL c) const {
    return CRect(lefts[c], tops[r], lefts[c] + widths[c], tops[r] + heights[r]);
  }
};
