// The composed styles of the row being evaluated for floating or merged
// cells, one slot per column, so that a cell's style is composed once per
// row however often its neighbours ask for it.
#pragma once

#include <map>
#include <memory>

#include "grid/core/GXStyle.h"

class CGXGridCore;
class CGXControl;

class CGXSpanRowCache {
 public:
  // The composed style of (row, col), from the cache or composed afresh;
  // for the current cell with an active control the text being edited
  // stands in for the stored value. `control` receives the cell's control.
  // With `useGridStyles` the grid's own style cache serves the other cells.
  const CGXStyle& Get(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXControl*& control, BOOL useGridStyles);
  // Forgets every style (after each row).
  void Release() { slots_.clear(); }

 private:
  std::map<ROWCOL, std::unique_ptr<CGXStyle>> slots_;
};

// The style and control of a cell outside any cache, with the edited text
// of the current cell as its value.
void GXComposeSpanStyle(CGXGridCore* grid, ROWCOL row, ROWCOL col, CGXStyle& style, CGXControl*& control);
