// Floating cells: the text of a cell wider than its column spills over the
// empty cells to its right, as in a spreadsheet. The cell and the
// neighbours it reaches form a floated span, kept in the parameter
// object's span-cell pool and drawn as one cell. Delayed mode queues
// changed areas and evaluates them when they are drawn or measured;
// immediate mode evaluates every requested area at once.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXSpanRowCache;

class CGXGridFloatCellsImp : public CGXAbstractGridFloatCellsImp {
 public:
  void SetFloatCellsMode(CGXGridCore* grid, WORD mode, BOOL redraw) override;
  void DelayFloatCells(CGXGridCore* grid, const CGXRange& range, ROWCOL colLimit) override;
  BOOL EvalFloatCells(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                      BOOL useGridStyles) override;
  BOOL GetFloatedCellsRange(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range) override;
  BOOL CanFloatCellForControl(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats) override;
  BOOL CanFloatCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats) override;
  BOOL SetFloatedCellsRange(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                            UINT flags) override;
  void RedrawWithFloatCells(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) override;
  void ExpandRange(CGXGridCore* grid, CGXRange& range) override;
  void AdjustAfterInsert(CGXGridCore* grid, BOOL rows, ROWCOL at, ROWCOL count) override;
  void AdjustAfterRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to) override;

  BOOL EvalImmediate(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                     BOOL useGridStyles);
  BOOL EvalDelayed(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                   BOOL useGridStyles);
  // Re-evaluates the spans a changed cell can start or end.
  BOOL EvalCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange* changed, BOOL useGridStyles,
                CGXSpanRowCache& cache);
  // Re-evaluates the span that begins at (or holds) a cell.
  BOOL EvalFloatStart(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange* changed, BOOL useGridStyles,
                      CGXSpanRowCache& cache);
  BOOL StoreFloatedCells(CGXGridCore* grid, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, BOOL set);
};
