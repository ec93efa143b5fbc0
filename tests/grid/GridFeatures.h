// Stand-ins for application-wide feature objects that the grid tests enable
// for a scope, restoring the empty slot afterwards.
#pragma once

#include <cstdlib>

#include "grid/core/GXAppData.h"

namespace gridtest {

// Parses plain decimal numbers, as the number-formatting feature does for
// texts without symbols.
class PlainNumbers : public CGXNumberFormattingImp {
 public:
  CString FormatDisplayText(const CGXStyle&, LPCTSTR value, unsigned, unsigned, unsigned) override {
    return value ? CString(value) : CString();
  }
  BOOL TextToNumber(LPCTSTR text, double& number, BOOL, BOOL) override {
    char* end = nullptr;
    number = std::strtod(text, &end);
    return end != text && *end == '\0';
  }
};

class ScopedNumberFormatting {
 public:
  ScopedNumberFormatting() { GXGetAppData()->m_pNumberFormattingImp = &imp_; }
  ~ScopedNumberFormatting() { GXGetAppData()->m_pNumberFormattingImp = nullptr; }

 private:
  PlainNumbers imp_;
};

}  // namespace gridtest
