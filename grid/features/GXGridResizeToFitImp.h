// Measuring cell contents: the size a static or edit cell needs for its
// text, and fitting row heights or column widths of a range to what their
// cells need, as one undoable step the user can abort.
#pragma once

#include "grid/core/GXGridFeatures.h"

class CGXCalcSizeImp : public CGXAbstractCalcSizeImp {
 public:
  CSize CalcSize(CGXControl* control, CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style,
                 const CGXStyle* standard, BOOL vertical) override;
};

// Update flags: the update mode plus 8, which only lets sizes grow.
constexpr UINT GX_RESIZE_GROWONLY = 8;

class CGXGridResizeToFitImp : public CGXAbstractGridResizeToFitImp {
 public:
  // `spanned`: covered blocks count at their last row (or column); FALSE
  // when the user aborted (everything set is rolled back).
  BOOL ResizeRowHeightsToFit(CGXGridCore* grid, const CGXRange& range, BOOL spanned, UINT flags) override;
  BOOL ResizeColWidthsToFit(CGXGridCore* grid, const CGXRange& range, BOOL spanned, UINT flags) override;

 private:
  BOOL Resize(CGXGridCore* grid, BOOL rows, const CGXRange& range, BOOL spanned, UINT flags);
};
