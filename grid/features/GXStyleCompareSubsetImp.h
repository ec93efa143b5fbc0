// Whether one style contains another: every attribute the subset sets is
// set in the style with the same value. Merged cells use it to find
// neighbours that look alike.
#pragma once

#include "grid/core/GXFeatures.h"

class CGXStyleCompareSubsetImp : public CGXAbstractStyleCompareSubsetImp {
 public:
  BOOL ContainsStyle(const CGXStyle& style, const CGXStyle& subset) override;
};
