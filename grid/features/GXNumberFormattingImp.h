// The display text of a cell value by its style's Format and Places
// (fixed, scientific, dollars, percent, fractions, hex, dates and times),
// and the reading of a typed number with its format recognised.
#pragma once

#include "grid/core/GXFeatures.h"
#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXNumberFormattingImpl : public CGXNumberFormattingImp {
 public:
  CString FormatDisplayText(const CGXStyle& style, LPCTSTR value, unsigned valueType, unsigned format,
                            unsigned places) override;
  BOOL TextToNumber(LPCTSTR text, double& number, BOOL mode1, BOOL mode2) override;
  // Reads a displayed number; the format id and places it shows when the
  // pointers are given. FALSE when the text is no number.
  virtual BOOL ParseValue(LPCTSTR text, double& number, unsigned* format, unsigned* places);
};

// "1234567.89" -> "1,234,567.89".
CString GXInsertThousands(const CString& number);
// Divides numerator and denominator by the small primes they share.
void GXReduceFraction(long long& numerator, long long& denominator);
// The text of a value by a format id and places (the table of ids 0-31).
CString GXFormatNumber(const CString& text, unsigned format, unsigned places);
