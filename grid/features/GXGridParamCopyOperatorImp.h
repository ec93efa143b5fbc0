// Deep copies of the grid's shared state objects: a parameter object, its
// styles map and its properties get their own copies of every owned
// sub-object, so that source and target share nothing afterwards.
#pragma once

#include "grid/core/GXFeatures.h"

class CGXGridParamCopyOperatorImp : public CGXAbstractGridParamCopyOperatorImp {
 public:
  void CopyParam(CGXGridParam& target, const CGXGridParam& source) override;
  void CopyStylesMap(CGXStylesMap& target, const CGXStylesMap& source) override;
  void CopyProperties(CGXProperties& target, const CGXProperties& source) override;
};
