// The older way of drawing a paint pass, cell by cell with per-row
// clipping, taken when the grid's background is transparent; a grid that
// took it once keeps it. Equal backgrounds are merged into rectangles and
// filled once before the cells draw.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXGridOldDrawingImp : public CGXAbstractGridOldDrawingImp {
 public:
  BOOL DrawPass(CGXGridCore* grid, CDC* dc, void* paintContext) override;
  void DrawBackgrounds(CGXGridCore* grid, void* paintContext, int pass) override;
};
