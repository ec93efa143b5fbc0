// Drawing covered, merged and floated blocks as one cell: while the paint
// pass is prepared the cells of a block are marked, and the block is drawn
// once, from its first visible cell, at its full size positioned so that
// its visible part lines up with the rows and columns on screen.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXDrawSpannedCellsImp : public CGXAbstractDrawSpannedCellsImp {
 public:
  BOOL PrepareCell(CGXGridCore* grid, void* paintContext, int rowIndex, int colIndex) override;
  BOOL DrawCell(CGXGridCore* grid, void* paintContext, int rowIndex, int colIndex) override;
  // Floating and merged cells of the visible parts are brought up to date
  // (the program's own grids switch neither on: nothing changes then).
  BOOL EvalVisibleSpans(CGXGridCore* grid, CGXRange& range, ROWCOL frozenRows, ROWCOL frozenCols, ROWCOL topRow,
                        ROWCOL leftCol, ROWCOL lastRow, ROWCOL lastCol, BOOL redraw, BOOL changed,
                        BOOL useGridStyles) override;
};

// Cell flags the spanned drawing adds to the core's: a covered block, and
// the cells of a block after its first.
constexpr WORD GX_PAINT_COVERED = 0x0080, GX_PAINT_CONTINUATION = 0x0100;

// Makes the grid's spanned-cells drawing object once (the covered, merged
// and floating cells registrars all need it).
void GXEnableDrawSpannedCells(CGXGridCore* grid);
