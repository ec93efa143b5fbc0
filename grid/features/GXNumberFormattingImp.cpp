#include "grid/features/GXNumberFormattingImp.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "grid/core/GXStyle.h"
#include "platform/base/CTime.h"
#include "platform/base/Locale.h"

namespace {

// printf into a growable string: huge values print in full.
CString Print(const char* format, double v) {
  const int n = std::snprintf(nullptr, 0, format, v);
  if (n <= 0) return CString();
  std::string out(static_cast<std::size_t>(n) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, v);
  out.resize(static_cast<std::size_t>(n));
  return CString(out.c_str());
}

CString FixedFormat(unsigned places) {
  CString f;
  f.Format("%%.%ulf", places);
  return f;
}

CString Grouped(double v, unsigned places, const char* positive, const char* negative) {
  const CString digits = GXInsertThousands(Print(FixedFormat(places), std::fabs(v)));
  CString out;
  out.Format(v >= 0 ? positive : negative, static_cast<LPCTSTR>(digits));
  return out;
}

CString OleDate(double v, LPCTSTR format) { return COleDateTime(v).Format(format); }

CString Fraction(double v, unsigned places) {
  const int h = places >= 1 && places <= 6 ? static_cast<int>(places) : 3;
  const double a = std::fabs(v);
  long long denominator = 1;
  for (int i = 0; i < h + 2; ++i) denominator *= 10;
  long long numerator = static_cast<long long>((a - std::floor(a)) * static_cast<double>(denominator));
  GXReduceFraction(numerator, denominator);
  CString text;
  text.Format(" %lld/%lld", numerator, denominator);
  if (a >= 1) {
    CString whole;
    whole.Format("%.0f", std::floor(a));
    text = whole + text;
  }
  return (v < 0 ? CString("-") : CString(" ")) + text;
}

}  // namespace

CString GXInsertThousands(const CString& number) {
  const int point = number.Find('.');
  const int end = point >= 0 ? point : number.GetLength();
  int start = 0;
  while (start < end && !(number[start] >= '0' && number[start] <= '9')) ++start;
  CString out = number.Left(start);
  for (int i = start; i < end; ++i) {
    out += number[i];
    const int following = end - i - 1;
    if (following > 0 && following % 3 == 0) out += ',';
  }
  out += number.Mid(end);
  return out;
}

void GXReduceFraction(long long& numerator, long long& denominator) {
  static const int kPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
  for (int p : kPrimes) {
    if (static_cast<double>(p) > std::sqrt(static_cast<double>(numerator))) break;
    while (numerator % p == 0 && denominator % p == 0) {
      numerator /= p;
      denominator /= p;
    }
  }
}

CString GXFormatNumber(const CString& text, unsigned format, unsigned places) {
  const double v = std::atof(text);
  CString f;
  switch (format) {
    case 0:
    case 15:
    case 19:
    case 20:
    case 21:
    case 22:
      return text;
    case 1:
      f.Format("%%.%ule", places);
      return Print(f, v);
    case 2:
      return Print(FixedFormat(places), v);
    case 3:
      f.Format("%%.%ulg", places);
      return Print(f, v);
    case 4:
      return Grouped(v, places, "$%s ", "($%s)");
    case 5:
      return Grouped(v, places, "%s ", "(%s)");
    case 6: {
      // Beyond 32 bits the value saturates.
      const double a = std::fabs(std::trunc(v));
      const unsigned long value = a >= 4294967295.0 ? 0xFFFFFFFFul : static_cast<unsigned long>(a);
      f.Format("0x%lX", value);
      return f;
    }
    case 7:
      return v >= 0 && v < 1 ? CString("0") : v >= 1 && v < 2 ? CString("1") : CString("?");
    case 8:
      return OleDate(v, "%d-%b-%y");
    case 9:
      return OleDate(v, "%d-%b");
    case 10:
      return OleDate(v, "%b-%y");
    case 11:
      return COleDateTime(std::trunc(v)).Format(static_cast<DWORD>(0));
    case 12:
      return CString();
    case 13:
      return COleDateTime(v - std::trunc(v)).Format(static_cast<DWORD>(0));
    case 14:
      if (v >= 1.7976931348623156e306) return CString(" Percent! ");
      f.Format("%%.%ulf%%%%", places);
      return Print(f, v * 100);
    case 16:
      return OleDate(v, "%d.%m.%Y");
    case 17:
      return OleDate(v, "%Y-%m-%d");
    case 18:
      return COleDateTime(v).Format(static_cast<DWORD>(0));
    case 23:
      return Grouped(v, places, " %s ", "(%s)");
    case 24:
      return Fraction(v, places);
    case 25:
      return OleDate(v, "%I:%M %p");
    case 26:
      return OleDate(v, "%I:%M:%S %p");
    case 27:
      return OleDate(v, "%H:%M");
    case 28: {
      char buffer[257] = {};
      const CString plain = Print("%.14g", v);
      if (::GetNumberFormat(LOCALE_USER_DEFAULT, 0, plain, nullptr, buffer, 256) == 0)
        return Grouped(v, places, "%s ", "(%s)");
      CString out(buffer);
      if (!out.IsEmpty() && out[out.GetLength() - 1] >= '0' && out[out.GetLength() - 1] <= '9') out += ' ';
      return out;
    }
    default:
      return CString(" Format? ");
  }
}

CString CGXNumberFormattingImpl::FormatDisplayText(const CGXStyle& style, LPCTSTR value, unsigned valueType,
                                                   unsigned format, unsigned places) {
  CString text = value != nullptr ? CString(value) : style.GetValue();
  if (value == nullptr) valueType = style.GetValueType();
  if (format == 0 && !style.GetIncludeFormat()) return text;
  if (format == 12) return CString();
  if (valueType != 1) return text;
  try {
    return GXFormatNumber(text, format, places);
  } catch (...) {
    return text;
  }
}

BOOL CGXNumberFormattingImpl::TextToNumber(LPCTSTR text, double& number, BOOL, BOOL) {
  return ParseValue(text, number, nullptr, nullptr);
}

BOOL CGXNumberFormattingImpl::ParseValue(LPCTSTR text, double& number, unsigned* format, unsigned* places) {
  if (text == nullptr) return FALSE;
  const char* p = text;
  while (*p == ' ') ++p;
  bool paren = false, dollar = false;
  if (*p == '(') paren = true, ++p;
  if (*p == '$') dollar = true, ++p;
  std::string copy;
  int commas = 0, commaPos[20] = {}, pointPos = -1, expPos = -1, closePos = -1, endPos = 0;
  int significant = 0, fractional = 0;
  int i = 0;
  for (; p[i] != '\0'; ++i) {
    if (i > 257) return FALSE;
    const char ch = p[i];
    if (ch == '+' || ch == '-') {
      if (paren) return FALSE;
      copy += ch;
    } else if (ch == ',') {
      if (commas >= 19) return FALSE;
      commaPos[commas++] = i;
    } else if (ch == '.') {
      if (pointPos >= 0) return FALSE;
      pointPos = i;
      copy += ch;
    } else if (ch == 'E' || ch == 'e') {
      if (expPos >= 0 || paren) return FALSE;
      expPos = i;
      copy += ch;
    } else if (ch >= '0' && ch <= '9') {
      copy += ch;
      if (expPos < 0) {
        ++significant;
        if (pointPos >= 0) ++fractional;
      }
    } else if (ch == ')' && paren) {
      if (p[i + 1] != '\0') return FALSE;
      closePos = i;
      copy += ch;
    } else if (ch == ' ') {
      for (int k = i; p[k] != '\0'; ++k)
        if (p[k] != ' ') return FALSE;
      break;
    } else {
      return FALSE;
    }
  }
  endPos = i;
  const int reference = pointPos >= 0 ? pointPos : closePos >= 0 ? closePos : expPos >= 0 ? expPos : endPos;
  for (int c = 0; c < commas; ++c)
    if ((reference - commaPos[c]) % 4 != 0) return FALSE;
  if (copy.empty()) return FALSE;
  char* stop = nullptr;
  double value = std::strtod(copy.c_str(), &stop);
  const std::size_t consumed = static_cast<std::size_t>(stop - copy.c_str());
  if (paren) {
    if (*stop != ')' || consumed + 1 != copy.size()) return FALSE;
  } else if (consumed != copy.size()) {
    return FALSE;
  }
  if (consumed == 0 || (consumed == 1 && !(copy[0] >= '0' && copy[0] <= '9'))) return FALSE;
  if (paren) value = -value;
  number = value;
  if (fractional > 15) fractional = 15;
  if (significant > 16) significant = 16;
  if (format != nullptr && places != nullptr) {
    if (expPos >= 0) {
      *format = 1;
      *places = static_cast<unsigned>(significant > 0 ? significant - 1 : 0);
    } else {
      *format = dollar ? 4 : (commas > 0 || paren) ? 5 : 2;
      *places = static_cast<unsigned>(fractional);
    }
  }
  return TRUE;
}
