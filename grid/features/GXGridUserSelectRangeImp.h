// The user's range selection: cells, whole rows, whole columns and the whole
// table, picked with the mouse and extended with Shift and the movement
// keys, several ranges with Ctrl. The selection is the parameter object's
// range list (shared by its views); the range being built, its anchor and
// the cell the mouse reached last live in the grid. Changes are painted by
// inverting the cells whose selected state changed.
//
// The grid's hooks: CanSelectRange(range, keys, x, y, TRUE) may refuse to
// start a selection at a cell, CanSelectRange(range, byMouse, byKey, FALSE,
// FALSE) may refuse a change (an invalid range: clearing it all), and every
// change is reported through NotifySelectionChanged and repaints the marked
// headers.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridUserSelectRangeImp : public CGXAbstractGridUserSelectRangeImp {
 public:
  BOOL MoveCurrentCell(CGXGridCore* grid, int direction, ROWCOL count) override;
  BOOL OnLButtonDown(CGXGridCore* grid, POINT point, UINT keys, int hit, ROWCOL row, ROWCOL col) override;
  BOOL OnMouseMove(CGXGridCore* grid, POINT point, UINT keys, ROWCOL row, ROWCOL col) override;
  BOOL OnLButtonUp(CGXGridCore* grid, POINT point, UINT keys) override;
  void SelectRange(CGXGridCore* grid, const CGXRange& range, BOOL select, BOOL update) override;
  BOOL StoreSelectRange(CGXGridCore* grid, const CGXRange& range, BOOL select) override;
  void RedrawSelectionChange(CGXGridCore* grid, const CGXRange& range, const CGXRangeList* oldList,
                             BOOL sendHint) override;
  void SetSelection(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) override;
  void RedrawRangeChange(CGXGridCore* grid, POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right,
                         BOOL sendHint) override;
  void RedrawSelection(CGXGridCore* grid, BOOL sendHint) override;
  BOOL OnLButtonClickedRowCol(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT keys, POINT point) override;
  BOOL CtrlClickHeader(CGXGridCore* grid, ROWCOL row, ROWCOL col, UINT keys, POINT point) override;
};

// The range a selection's four corners stand for: top and left 0 the whole
// table, top 0 whole columns, left 0 whole rows, else cells.
CGXRange GXSelectionRange(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right);
