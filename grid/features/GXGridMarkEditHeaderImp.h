// Marks the row and column headers of the current cell (and of a row or
// column being resized): it repaints those header cells when the current
// cell moves, and tells a header cell whether it is to be drawn marked.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridMarkEditHeaderImp : public CGXAbstractGridMarkEditHeaderImp {
 public:
  // `hint` 0 both headers, 1 the column header only, 2 the row header only.
  void MarkEditHeader(CGXGridCore* grid, ROWCOL row, ROWCOL col, int hint, UINT flags) override;
  // Whether the header cell (row, col) is drawn marked.
  virtual BOOL IsHeaderMarked(CGXGridCore* grid, ROWCOL row, ROWCOL col);
};
