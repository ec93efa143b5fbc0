// Merged cells: neighbouring cells whose styles allow merging and whose
// contents are equal are shown as one block, either a run of cells in one
// row or a run in one column. Each evaluated cell is compared with its four
// neighbours; the blocks are kept in two span-cell pools of the parameter
// object, one per direction. Like floating cells it works delayed (queued
// areas) or immediately.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXSpanRowCache;

class CGXGridMergeCellsImp : public CGXAbstractGridMergeCellsImp {
 public:
  void SetMergeCellsMode(CGXGridCore* grid, WORD mode, BOOL redraw) override;
  void DelayMergeCells(CGXGridCore* grid, const CGXRange& range, ROWCOL rowLimit, ROWCOL colLimit) override;
  BOOL EvalMergeCells(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                      BOOL useGridStyles) override;
  BOOL GetMergedCellsRange(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange& range, int direction) override;
  BOOL CanMergeCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, const CGXStyle& style, int direction) override;
  BOOL CanMergeStyles(CGXGridCore* grid, const CGXStyle& a, const CGXStyle& b) override;
  BOOL SetMergedCellsRange(CGXGridCore* grid, int direction, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                           UINT flags) override;
  void RedrawWithMergeCells(CGXGridCore* grid, const CGXRange& range, UINT flags, BOOL sendHint) override;
  void ExpandRange(CGXGridCore* grid, CGXRange& range) override;
  void AdjustAfterInsert(CGXGridCore* grid, BOOL rows, ROWCOL at, ROWCOL count) override;
  void AdjustAfterRemove(CGXGridCore* grid, BOOL rows, ROWCOL from, ROWCOL to) override;

  BOOL EvalImmediate(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                     BOOL useGridStyles);
  BOOL EvalDelayed(CGXGridCore* grid, const CGXRange& range, BOOL redrawAtOnce, CGXRange* changed,
                   BOOL useGridStyles);
  BOOL EvalCell(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXRange* changed, BOOL useGridStyles,
                CGXSpanRowCache& cache);
  // Joins or parts the cells (row, c1) and (row, c2), c1 left of c2.
  BOOL EvalHorzPair(CGXGridCore* grid, ROWCOL row, ROWCOL c1, ROWCOL c2, CGXRange* changed, BOOL useGridStyles,
                    CGXSpanRowCache& cache);
  // Joins or parts the cells (r1, col) and (r2, col), r1 above r2.
  BOOL EvalVertPair(CGXGridCore* grid, ROWCOL col, ROWCOL r1, ROWCOL r2, CGXRange* changed);
  BOOL StoreMergedCells(CGXGridCore* grid, int direction, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                        BOOL set);
};
