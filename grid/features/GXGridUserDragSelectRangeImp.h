// Dragging selected whole rows or columns by their headers and dropping
// them elsewhere: a line shows where they would go, and the drop moves them
// with the grid's undoable move. The state (drag flag and mode, drop target,
// the line window) lives in the grid.
//
// The grid's hooks: OnStartDragRows/Cols (the block) may refuse the start
// (by default while Ctrl or Shift is held), CanDropRows/Cols (the block and
// the target) a target and OnDropRows/Cols the drop.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridUserDragSelectRangeImp : public CGXAbstractGridUserDragSelectRangeImp {
 public:
  BOOL OnLButtonDown(CGXGridCore* grid, POINT point, UINT keys, int hit, ROWCOL row, ROWCOL col) override;
  BOOL OnMouseMove(CGXGridCore* grid, POINT point, UINT keys) override;
  BOOL OnLButtonUp(CGXGridCore* grid, POINT point, UINT keys) override;
  // Starts dragging the selected rows holding `row` (or columns holding
  // `col` when row is 0).
  BOOL OnSelDragStart(CGXGridCore* grid, ROWCOL row, ROWCOL col) override;
  // The target moved from `oldTarget` (along the dragged axis) to (row, col).
  BOOL OnSelDragMove(CGXGridCore* grid, ROWCOL oldTarget, ROWCOL row, ROWCOL col) override;
  // Drops the dragged block whose first row (column) is `first` before
  // `target`; TRUE when it moved.
  BOOL OnSelDragDrop(CGXGridCore* grid, ROWCOL first, ROWCOL last, ROWCOL target) override;
  void OnSelDragCancel(CGXGridCore* grid) override;

  // Where a block first..last dropped before `target` starts afterwards
  // (the block is taken out first).
  static ROWCOL Destination(ROWCOL first, ROWCOL last, ROWCOL target);

 private:
  ROWCOL TargetAt(CGXGridCore* grid, POINT point);
  void DestroyLine(CGXGridCore* grid);
};
