// Resizing rows and columns by dragging the boundary at their bottom
// (right) edge, and resetting or revealing them by double-clicking it.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridUserResizeCellsImp : public CGXAbstractGridUserResizeCellsImp {
 public:
  // kind 1 a row height, 2 a column width.
  BOOL StartTracking(CGXGridCore* grid, ROWCOL row, ROWCOL col, int kind) override;
  void MoveTracking(CGXGridCore* grid, UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col) override;
  void CancelTracking(CGXGridCore* grid) override;
  void EndTracking(CGXGridCore* grid, UINT keyFlags, CPoint point, ROWCOL row, ROWCOL col) override;
  BOOL OnDoubleClick(CGXGridCore* grid, int hit, ROWCOL row, ROWCOL col) override;

  BOOL IsTracking() const { return tracking_; }

 private:
  // The size the point gives, raised to the minimum.
  int SizeAt(CGXGridCore* grid, CPoint point) const;
  void StoreTemporarily(CGXGridCore* grid, int size);
  void RestoreStart(CGXGridCore* grid);
  void Apply(CGXGridCore* grid, int size);

  BOOL tracking_ = FALSE, moved_ = FALSE, live_ = FALSE;
  BOOL rows_ = FALSE;
  ROWCOL index_ = 0;
  int startSize_ = 0, startEdge_ = 0, lastSize_ = 0;
  BOOL hadStoredSize_ = FALSE, wasHidden_ = FALSE;
  LONG storedValue_ = 0;
};
