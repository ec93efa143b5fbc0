// How an amount field shows a number and reads one back: currency symbol,
// positive and negative patterns, separators, grouping, digit counts,
// padding and colours. The value is a non-negative magnitude plus a
// negative flag, so that -0.00 can be shown and typed.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CString.h"
#include "platform/base/Locale.h"

class CGXBCurrencyFormat {
 public:
  // Colour flag bits.
  enum ColorFlags : DWORD { kBackColor = 1, kNegativeColor = 2, kPositiveColor = 4 };
  static constexpr int kPositivePatterns = 4;
  static constexpr int kNegativePatterns = 16;

  explicit CGXBCurrencyFormat(BOOL fromLocale = TRUE);
  virtual ~CGXBCurrencyFormat() = default;
  CGXBCurrencyFormat(const CGXBCurrencyFormat& other) { Assign(other); }
  CGXBCurrencyFormat& operator=(const CGXBCurrencyFormat& other) {
    Assign(other);
    return *this;
  }

  virtual BOOL ParseValue(const CString& text, double& value, BOOL& negative) const;
  virtual void FormatValue(double value, CString& text, BOOL negative) const;
  // Position of the last `ch` (the decimal separator when 0), -1 when none.
  virtual int FindDecimalSeparator(const CString& text, char ch = 0) const;
  // First and last character of the number in `text`; FALSE (and -1, -1)
  // when the text holds no digit.
  virtual BOOL FindNumberBounds(const CString& text, int& start, int& end) const;
  virtual void Assign(const CGXBCurrencyFormat& other);
  virtual BOOL IsEqual(const CGXBCurrencyFormat& other) const;
  virtual BOOL IsNotEqual(const CGXBCurrencyFormat& other) const { return !IsEqual(other); }

  void ReadLocale();
  BOOL SetPaddingChar(char ch);

  void SetBackgroundColor(COLORREF c) { SetColor(m_clrBack, kBackColor, c); }
  void SetNegativeColor(COLORREF c) { SetColor(m_clrNegative, kNegativeColor, c); }
  void SetPositiveColor(COLORREF c) { SetColor(m_clrPositive, kPositiveColor, c); }
  BOOL GetBackgroundColor(COLORREF& c) const { return GetColor(m_clrBack, kBackColor, c); }
  BOOL GetNegativeColor(COLORREF& c) const { return GetColor(m_clrNegative, kNegativeColor, c); }
  BOOL GetPositiveColor(COLORREF& c) const { return GetColor(m_clrPositive, kPositiveColor, c); }

  // The prefix and suffix of a pattern ("%s" stands for the symbol). An
  // index beyond the tables takes the last pattern of its table.
  static void GetPattern(BOOL negative, int index, const char*& prefix, const char*& suffix);

  // Digits of the integer part of a magnitude (0 for values below 1).
  static int IntegerDigitsOf(double magnitude);

  BOOL m_bLeadingZero = TRUE;
  BOOL m_bSeparatorLine = FALSE;
  BOOL m_bKeepTrailing = FALSE;
  BOOL m_bGroupPadding = FALSE;
  CString m_strSymbol;
  CString m_strGrouping;
  char m_cThousandsSep = ',';
  char m_cDecimalSep = '.';
  char m_cPaddingChar = ' ';
  COLORREF m_clrBack = 0;
  COLORREF m_clrNegative = 0;
  COLORREF m_clrPositive = 0;
  COLORREF m_clrSeparatorLine = 0;
  DWORD m_dwColorFlags = 0;
  int m_nPositivePattern = 0;
  int m_nNegativePattern = 0;
  // -1: any number of integer digits. A limit never shortens an amount;
  // the edit refuses typing that would go beyond it.
  int m_nIntegerDigits = -1;
  int m_nFractionalDigits = 2;

 private:
  void SetColor(COLORREF& slot, DWORD bit, COLORREF c) {
    slot = c;
    m_dwColorFlags |= bit;
  }
  BOOL GetColor(COLORREF slot, DWORD bit, COLORREF& c) const {
    if ((m_dwColorFlags & bit) == 0) return FALSE;
    c = slot;
    return TRUE;
  }
};

// Text helpers shared by the amount field and the currency cell.
CString GXGetLocaleString(LCTYPE type, LPCTSTR defaultText);
int GXGetLocaleInt(LCTYPE type, int defaultValue);
// Puts `separator` into the integer digits `text[0, integerEnd)` after every
// character followed by a positive multiple of the first group size of
// `grouping` ("3;0").
void GXInsertGrouping(CString& text, int integerEnd, const CString& grouping, char separator);
void GXRemoveChar(CString& text, char ch);
BOOL GXIsAllDigits(const CString& text);
CString GXKeepDigits(const CString& text);
int GXCountDigits(const CString& text);
int GXDigitsBefore(const CString& text, int count);
// Position of the digit that follows the first `digits` digits; -1 when none.
int GXPositionOfDigit(const CString& text, int digits);
