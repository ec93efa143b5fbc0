// The document the single-document template needs; it holds no data (all
// data lives in the loaded fiscal year's record files).
#pragma once

#include "platform/framework/Document.h"

class CTornelDoc : public CDocument {
  DECLARE_DYNCREATE(CTornelDoc)
 public:
  CTornelDoc() = default;
};
