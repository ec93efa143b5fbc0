#include "grid/controls/GXCurrencyFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/base/Locale.h"
#include "platform/gfx/SysColors.h"

namespace {

constexpr const char* kPositive[CGXBCurrencyFormat::kPositivePatterns][2] = {
    {"%s", ""}, {"", "%s"}, {"%s ", ""}, {"", " %s"}};
constexpr const char* kNegative[CGXBCurrencyFormat::kNegativePatterns][2] = {
    {"(%s", ")"}, {"-%s", ""},  {"%s-", ""},   {"%s", "-"},   {"(", "%s)"}, {"-", "%s"},
    {"", "-%s"},  {"", "%s-"},  {"-", " %s"},  {"-%s ", ""},  {"", " %s-"}, {"%s ", "-"},
    {"%s -", ""}, {"", "- %s"}, {"(%s ", ")"}, {"(", " %s)"}};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A pattern part with its "%s" replaced by the symbol.
CString Expand(const char* part, const CString& symbol) {
  CString out;
  for (const char* p = part; *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      out += symbol;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace

CString GXGetLocaleString(LCTYPE type, LPCTSTR defaultText) {
  const int size = ::GetLocaleInfo(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (size <= 0) return defaultText;
  std::vector<char> buf(static_cast<size_t>(size) + 1, '\0');
  if (::GetLocaleInfo(LOCALE_USER_DEFAULT, type, buf.data(), size) <= 0 || buf[0] == '\0') return defaultText;
  return CString(buf.data());
}

int GXGetLocaleInt(LCTYPE type, int defaultValue) {
  const CString text = GXGetLocaleString(type, "");
  return text.IsEmpty() ? defaultValue : std::atoi(text);
}

void GXInsertGrouping(CString& text, int integerEnd, const CString& grouping, char separator) {
  int group = 0;
  int second = 0;
  if (std::sscanf(grouping, "%i;%i", &group, &second) < 1 || group <= 0) return;
  integerEnd = std::clamp(integerEnd, 0, text.GetLength());
  CString out;
  for (int i = 0; i < integerEnd; ++i) {
    out += text[i];
    const int following = integerEnd - i - 1;
    if (following > 0 && following % group == 0) out += separator;
  }
  out += text.Mid(integerEnd);
  text = out;
}

void GXRemoveChar(CString& text, char ch) { text.Remove(ch); }

BOOL GXIsAllDigits(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (!IsDigit(text[i])) return FALSE;
  return TRUE;
}

CString GXKeepDigits(const CString& text) {
  CString out;
  for (int i = 0; i < text.GetLength(); ++i)
    if (IsDigit(text[i])) out += text[i];
  return out;
}

int GXCountDigits(const CString& text) { return GXDigitsBefore(text, text.GetLength()); }

int GXDigitsBefore(const CString& text, int count) {
  count = std::min(count, text.GetLength());
  int digits = 0;
  for (int i = 0; i < count; ++i)
    if (IsDigit(text[i])) ++digits;
  return digits;
}

int GXPositionOfDigit(const CString& text, int digits) {
  if (digits < 0) return -1;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (!IsDigit(text[i])) continue;
    if (digits-- == 0) return i;
  }
  return -1;
}

CGXBCurrencyFormat::CGXBCurrencyFormat(BOOL fromLocale) {
  m_clrSeparatorLine = ::GetSysColor(COLOR_BTNSHADOW);
  m_strSymbol = "$";
  m_strGrouping = "3;0";
  if (fromLocale) ReadLocale();
}

void CGXBCurrencyFormat::ReadLocale() {
  m_bLeadingZero = GXGetLocaleInt(LOCALE_ILZERO, 1) != 0;
  m_strSymbol = GXGetLocaleString(LOCALE_SCURRENCY, "$");
  m_strGrouping = GXGetLocaleString(LOCALE_SMONGROUPING, "3;0");
  m_cThousandsSep = GXGetLocaleString(LOCALE_SMONTHOUSANDSEP, ",")[0];
  m_cDecimalSep = GXGetLocaleString(LOCALE_SMONDECIMALSEP, ".")[0];
  m_nPositivePattern = GXGetLocaleInt(LOCALE_ICURRENCY, 0);
  m_nNegativePattern = GXGetLocaleInt(LOCALE_INEGCURR, 0);
  m_nFractionalDigits = GXGetLocaleInt(LOCALE_ICURRDIGITS, 2);
  // The locale's count of digits for plain numbers is no limit on the
  // integer part of an amount: a locale format takes any amount.
  m_nIntegerDigits = -1;
}

BOOL CGXBCurrencyFormat::SetPaddingChar(char ch) {
  if (IsDigit(ch) && ch != '0') return FALSE;
  m_cPaddingChar = ch;
  return TRUE;
}

void CGXBCurrencyFormat::GetPattern(BOOL negative, int index, const char*& prefix, const char*& suffix) {
  const int last = (negative ? kNegativePatterns : kPositivePatterns) - 1;
  index = std::clamp(index, 0, last);
  const char* const* row = negative ? kNegative[index] : kPositive[index];
  prefix = row[0];
  suffix = row[1];
}

int CGXBCurrencyFormat::IntegerDigitsOf(double magnitude) {
  magnitude = std::fabs(magnitude);
  if (!(magnitude >= 1)) return 0;
  char buf[400];
  const int n = std::snprintf(buf, sizeof buf, "%.0f", std::floor(magnitude));
  return n > 0 ? std::min(n, static_cast<int>(sizeof buf) - 1) : 0;
}

void CGXBCurrencyFormat::FormatValue(double value, CString& text, BOOL negative) const {
  if (!std::isfinite(value)) value = 0;
  value = std::fabs(value);
  const char* prefix = nullptr;
  const char* suffix = nullptr;
  GetPattern(negative, negative ? m_nNegativePattern : m_nPositivePattern, prefix, suffix);

  const int places = std::clamp(m_nFractionalDigits, 0, 15);
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", places, value);
  CString number(buf);
  // Without a leading zero 0.50 shows as .50.
  if (value < 1 && !m_bLeadingZero && !number.IsEmpty() && number[0] == '0') {
    number.SetAt(0, ' ');
    number.TrimLeft();
  }
  int point = number.ReverseFind('.');
  if (point >= 0) number.SetAt(point, m_cDecimalSep != 0 ? m_cDecimalSep : ' ');
  int integerEnd = point >= 0 ? point : number.GetLength();

  const int pad = m_nIntegerDigits >= 0 ? m_nIntegerDigits - integerEnd : 0;
  auto addPadding = [&] {
    if (pad <= 0) return;
    number = CString(m_cPaddingChar, pad) + number;
    integerEnd += pad;
  };
  if (m_bGroupPadding) addPadding();
  const int before = number.GetLength();
  if (m_cThousandsSep != 0) GXInsertGrouping(number, integerEnd, m_strGrouping, m_cThousandsSep);
  integerEnd += number.GetLength() - before;
  if (!m_bGroupPadding) addPadding();

  text = Expand(prefix, m_strSymbol) + number + Expand(suffix, m_strSymbol);
}

int CGXBCurrencyFormat::FindDecimalSeparator(const CString& text, char ch) const {
  if (ch == 0) ch = m_cDecimalSep;
  if (ch == 0) return -1;
  return text.ReverseFind(ch);
}

BOOL CGXBCurrencyFormat::FindNumberBounds(const CString& text, int& start, int& end) const {
  start = end = -1;
  for (int i = text.GetLength() - 1; i >= 0; --i) {
    if (IsDigit(text[i])) {
      end = i;
      break;
    }
  }
  if (end < 0) return FALSE;
  bool passedThousands = false;
  bool passedDecimal = false;
  start = end;
  for (int i = end - 1; i >= 0; --i) {
    const char c = text[i];
    if (IsDigit(c)) {
      start = i;
    } else if (m_cThousandsSep != 0 && c == m_cThousandsSep) {
      passedThousands = true;
      start = i;
    } else if (m_cDecimalSep != 0 && c == m_cDecimalSep && !passedThousands && !passedDecimal) {
      passedDecimal = true;
      start = i;
    } else {
      break;
    }
  }
  return TRUE;
}

BOOL CGXBCurrencyFormat::ParseValue(const CString& input, double& value, BOOL& negative) const {
  negative = FALSE;
  if (input.IsEmpty()) {
    value = 0;
    return TRUE;
  }
  CString text = input;
  text.Trim();
  const bool open = text.Find('(') >= 0;
  const bool close = text.Find(')') >= 0;
  if (open != close) return FALSE;
  if (open) negative = TRUE;
  int start = 0;
  int end = 0;
  if (!FindNumberBounds(text, start, end)) return FALSE;
  if (text.Left(start).Find('-') >= 0 || text.Mid(end + 1).Find('-') >= 0) negative = TRUE;
  const CString number = text.Mid(start, end - start + 1);
  const int point = FindDecimalSeparator(number);
  CString integer = point >= 0 ? number.Left(point) : number;
  const CString fraction = point >= 0 ? number.Mid(point + 1) : CString();
  if (m_cThousandsSep != 0) GXRemoveChar(integer, m_cThousandsSep);
  if (!GXIsAllDigits(integer) || !GXIsAllDigits(fraction)) return FALSE;
  const std::string plain = std::string(static_cast<LPCTSTR>(integer)) + "." + static_cast<LPCTSTR>(fraction);
  value = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(value)) return FALSE;
  return TRUE;
}

void CGXBCurrencyFormat::Assign(const CGXBCurrencyFormat& o) {
  m_bLeadingZero = o.m_bLeadingZero;
  m_bSeparatorLine = o.m_bSeparatorLine;
  m_bKeepTrailing = o.m_bKeepTrailing;
  m_bGroupPadding = o.m_bGroupPadding;
  m_strSymbol = o.m_strSymbol;
  m_strGrouping = o.m_strGrouping;
  m_cThousandsSep = o.m_cThousandsSep;
  m_cDecimalSep = o.m_cDecimalSep;
  m_cPaddingChar = o.m_cPaddingChar;
  m_clrBack = o.m_clrBack;
  m_clrNegative = o.m_clrNegative;
  m_clrPositive = o.m_clrPositive;
  m_clrSeparatorLine = o.m_clrSeparatorLine;
  m_dwColorFlags = o.m_dwColorFlags;
  m_nPositivePattern = o.m_nPositivePattern;
  m_nNegativePattern = o.m_nNegativePattern;
  m_nIntegerDigits = o.m_nIntegerDigits;
  m_nFractionalDigits = o.m_nFractionalDigits;
}

BOOL CGXBCurrencyFormat::IsEqual(const CGXBCurrencyFormat& o) const {
  return m_bLeadingZero == o.m_bLeadingZero && m_bSeparatorLine == o.m_bSeparatorLine &&
         m_bKeepTrailing == o.m_bKeepTrailing && m_bGroupPadding == o.m_bGroupPadding &&
         m_strSymbol == o.m_strSymbol && m_strGrouping == o.m_strGrouping && m_cThousandsSep == o.m_cThousandsSep &&
         m_cDecimalSep == o.m_cDecimalSep && m_cPaddingChar == o.m_cPaddingChar && m_clrBack == o.m_clrBack &&
         m_clrNegative == o.m_clrNegative && m_clrPositive == o.m_clrPositive &&
         m_clrSeparatorLine == o.m_clrSeparatorLine && m_dwColorFlags == o.m_dwColorFlags &&
         m_nPositivePattern == o.m_nPositivePattern && m_nNegativePattern == o.m_nNegativePattern &&
         m_nIntegerDigits == o.m_nIntegerDigits && m_nFractionalDigits == o.m_nFractionalDigits;
}
