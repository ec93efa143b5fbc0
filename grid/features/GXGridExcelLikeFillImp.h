// The spreadsheet-like fill: dragging the fill handle of a selected block
// (or of the current cell) extends it down, up, left or right and fills the
// new cells by repeating the block's cells; dragging back inside the block
// clears the cells left out. It copies; it does not continue series. The
// parameter object's fill option says what is filled: bit 0 the cells'
// texts, bit 1 their whole styles (0: no fill). The whole fill is one
// undoable step.
//
// The grid's hooks: CanApplyFill(source, keys, FALSE) may refuse to start a
// fill, CanChangeFillRange(source, target) a target.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridExcelLikeFillImp : public CGXAbstractGridExcelLikeFillImp {
 public:
  BOOL OnStartFill(CGXGridCore* grid, POINT point, UINT keys, int hit, ROWCOL row, ROWCOL col) override;
  BOOL OnTrackFill(CGXGridCore* grid, POINT point, UINT keys, ROWCOL row, ROWCOL col) override;
  BOOL OnEndFill(CGXGridCore* grid, POINT point, UINT keys) override;
  void CancelFill(CGXGridCore* grid) override;
  void DrawFillFrame(CGXGridCore* grid, const CGXRange& target, BOOL erase, BOOL draw) override;
  BOOL FillRange(CGXGridCore* grid, const CGXRange& source, const CGXRange& target) override;
  void SelectFilledRange(CGXGridCore* grid, const CGXRange& target) override;

  // The target a drag to `point` (over the cell row, col) asks for.
  CGXRange TargetFor(CGXGridCore* grid, POINT point, ROWCOL row, ROWCOL col);

  const CGXRange& GetSource() const { return source_; }
  const CGXRange& GetTarget() const { return target_; }

 private:
  CGXRange source_;
  CRect drawn_;
  CGXRange target_;
};
