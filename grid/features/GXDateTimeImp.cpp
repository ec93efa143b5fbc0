#include "grid/features/GXDateTimeImp.h"

#include <cctype>
#include <cstring>
#include <ctime>

#include "grid/core/GXAppData.h"
#include "platform/base/CTime.h"
#include "platform/base/Locale.h"

namespace {

// What the locale said when last read; shared by every grid.
struct LocaleCache {
  int order = 3;
  TCHAR dateSeparator = '/';
  BOOL fourDigitYear = FALSE;
  TCHAR timeSeparator = 0;
};
LocaleCache& Cache() {
  static LocaleCache cache;
  return cache;
}

bool EndsWithNoCase(const CString& text, const char* tail) {
  const int n = static_cast<int>(std::strlen(tail));
  if (text.GetLength() < n) return false;
  return text.Right(n).CompareNoCase(tail) == 0;
}

CString TrimLeading(const CString& text) {
  int i = 0;
  while (i < text.GetLength() && text[i] == ' ') ++i;
  return text.Mid(i);
}

// One number of a date: leading blanks and one separator dropped, then 1 to
// `most` digits; FALSE when there is none.
bool TakeNumber(const char*& p, int most, int& value, int& digits) {
  while (*p == ' ') ++p;
  if (*p != '\0' && !std::isdigit(static_cast<unsigned char>(*p))) ++p;
  value = 0;
  digits = 0;
  while (digits < most && std::isdigit(static_cast<unsigned char>(*p))) {
    value = value * 10 + (*p++ - '0');
    ++digits;
  }
  return digits > 0;
}

struct Parsed {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  bool hasDate = false, hasTime = false;
};

// The shared reading of a date-and-time text: full year, month 1-12.
BOOL ParseText(Parsed& out, LPCTSTR source, int order) {
  out = Parsed{};
  const CString text = source != nullptr ? CString(source) : CString();
  if (text.IsEmpty()) return TRUE;
  const TCHAR separator = GXGetTimeSeparator(FALSE);
  CString datePart, timePart;
  const int sep = separator != 0 ? text.Find(separator) : -1;
  const int blank = sep > 0 ? text.Left(sep).ReverseFind(' ') : -1;
  if (blank >= 0) {
    datePart = text.Left(blank);
    timePart = text.Mid(blank + 1);
  } else if (sep >= 0) {
    timePart = text;
  } else {
    datePart = text;
  }
  datePart = TrimLeading(datePart);
  timePart = TrimLeading(timePart);

  if (!timePart.IsEmpty()) {
    out.hasTime = true;
    const int at = timePart.Find(separator);
    int hour = std::atoi(at >= 0 ? static_cast<LPCTSTR>(timePart.Left(at)) : static_cast<LPCTSTR>(timePart));
    const TCHAR last = timePart[timePart.GetLength() - 1];
    if (EndsWithNoCase(timePart, "PM") || last == 'P' || last == 'p') {
      hour += 12;
      if (hour == 24) hour = 12;
    } else if (EndsWithNoCase(timePart, "AM") || last == 'A' || last == 'a') {
      if (hour > 12) return FALSE;
      if (hour == 12) hour = 0;
    }
    if (hour < 0 || hour > 24) return FALSE;
    out.hour = hour;
    if (at >= 0) {
      CString rest = timePart.Mid(at + 1);
      out.minute = std::atoi(rest.Left(2));
      if (out.minute < 0 || out.minute >= 60) return FALSE;
      rest = rest.Mid(3);
      out.second = std::atoi(rest.Left(2));
      if (out.second < 0 || out.second >= 60) return FALSE;
    }
  }

  if (!datePart.IsEmpty()) {
    for (int i = 0; i < datePart.GetLength(); ++i)
      if (std::strchr("0123456789/-. ", datePart[i]) == nullptr) return FALSE;
    CString date = datePart;
    if (date.GetLength() == 6 && date.SpanIncluding("0123456789").GetLength() == 6)
      date = date.Left(2) + "/" + date.Mid(2, 2) + "/" + date.Mid(4, 2);
    if (order == 3) order = GXGetDateOrder(FALSE, nullptr, nullptr);
    static const char kFields[3][3] = {{'d', 'm', 'y'}, {'m', 'd', 'y'}, {'y', 'm', 'd'}};
    const char* fields = kFields[order >= 0 && order <= 2 ? order : 1];
    const char* p = date;
    int day = 0, month = 0, year = 0;
    for (int f = 0; f < 3; ++f) {
      int value = 0, digits = 0;
      if (fields[f] == 'y') {
        if (!TakeNumber(p, 4, value, digits)) return FALSE;
        if (digits <= 2 && value >= 1 && value <= 99) value += 1900;
        year = value;
      } else if (fields[f] == 'm') {
        if (!TakeNumber(p, 2, value, digits) || value < 1 || value > 12) return FALSE;
        month = value;
      } else {
        if (!TakeNumber(p, 2, value, digits) || value < 1 || value > 31) return FALSE;
        day = value;
      }
    }
    if (day > GXDaysInMonth(month, year)) return FALSE;
    out.year = year;
    out.month = month;
    out.day = day;
    out.hasDate = true;
  }
  return TRUE;
}

}  // namespace

BOOL GXIsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int GXDaysInMonth(int month, int year) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && GXIsLeapYear(year) ? 29 : kDays[month - 1];
}

int GXGetDateOrder(BOOL refresh, BOOL* fourDigitYear, TCHAR* separator) {
  CGXAbstractDateTimeImp* imp = GXGetAppData()->m_pDateTimeImp;
  return imp != nullptr ? imp->GetDateOrder(refresh, fourDigitYear, separator) : 3;
}

TCHAR GXGetTimeSeparator(BOOL refresh) {
  CGXAbstractDateTimeImp* imp = GXGetAppData()->m_pDateTimeImp;
  return imp != nullptr ? imp->GetTimeSeparator(refresh) : ':';
}

// -------------------------------------------------------------- no OLE

CString CGXNoOleDateTimeImp::ReadLocale(DWORD setting) {
  char buffer[129] = {};
  if (::GetLocaleInfo(LOCALE_USER_DEFAULT, setting, buffer, 128) == 0) return CString();
  return CString(buffer);
}

void CGXNoOleDateTimeImp::RefreshLocale() {
  GXGetDateOrder(TRUE, nullptr, nullptr);
  GXGetTimeSeparator(TRUE);
}

int CGXNoOleDateTimeImp::GetDateOrder(BOOL refresh, BOOL* fourDigitYear, TCHAR* separator) {
  LocaleCache& c = Cache();
  if (c.order == 3 || refresh) {
    CString pattern = ReadLocale(LOCALE_SSHORTDATE).Left(128);
    c.order = 1;
    c.fourDigitYear = FALSE;
    c.dateSeparator = 0;
    if (!pattern.IsEmpty()) {
      pattern.MakeUpper();
      if (pattern[0] == 'D') c.order = 0;
      if (pattern[0] == 'Y') c.order = 2;
      c.fourDigitYear = pattern.Find("YYYY") >= 0;
      for (int i = 0; i < pattern.GetLength(); ++i) {
        if (pattern[i] == ' ' || !std::isalpha(static_cast<unsigned char>(pattern[i]))) {
          c.dateSeparator = pattern[i];
          break;
        }
      }
    }
  }
  if (fourDigitYear != nullptr) *fourDigitYear = c.fourDigitYear;
  if (separator != nullptr) *separator = c.dateSeparator;
  return c.order;
}

TCHAR CGXNoOleDateTimeImp::GetTimeSeparator(BOOL refresh) {
  LocaleCache& c = Cache();
  if (c.timeSeparator == 0 || refresh) {
    const CString text = ReadLocale(LOCALE_STIME);
    c.timeSeparator = text.IsEmpty() ? ':' : text[0];
  }
  return c.timeSeparator;
}

BOOL CGXNoOleDateTimeImp::ParseTm(struct tm& out, LPCTSTR text, int order) {
  out = {};
  Parsed p;
  if (!ParseText(p, text, order)) return FALSE;
  out.tm_hour = p.hour;
  out.tm_min = p.minute;
  out.tm_sec = p.second;
  if (p.hasDate) {
    out.tm_mday = p.day;
    out.tm_mon = p.month - 1;
    out.tm_year = p.year >= 1900 ? p.year - 1900 : p.year <= 37 ? p.year + 100 : p.year;
  } else if (p.hasTime) {
    // A time alone is a time of 1 January 1970.
    out.tm_year = 70;
    out.tm_mday = 1;
  }
  return TRUE;
}

BOOL CGXNoOleDateTimeImp::ParseTimestamp(GXTimestamp& out, LPCTSTR text, int order) {
  out = {};
  Parsed p;
  if (!ParseText(p, text, order)) return FALSE;
  out.hour = static_cast<short>(p.hour);
  out.minute = static_cast<short>(p.minute);
  out.second = static_cast<short>(p.second);
  if (p.hasDate) {
    out.year = static_cast<short>(p.year);
    out.month = static_cast<short>(p.month);
    out.day = static_cast<short>(p.day);
  } else if (p.hasTime) {
    out.year = 70;
    out.day = 1;
  }
  return TRUE;
}

void CGXNoOleDateTimeImp::FormatTimestamp(CString& out, const GXTimestamp& v) {
  out.Empty();
  const bool showDate = v.month != 0;
  const bool showTime = v.hour != 0 || v.minute != 0 || v.second != 0;
  CString date, time;
  if (showDate) {
    BOOL four = FALSE;
    TCHAR sep = '/';
    const int order = GXGetDateOrder(FALSE, &four, &sep);
    const int year = four ? v.year : v.year % 100;
    const char* format = four ? (order == 2 ? "%04d%c%02d%c%02d" : "%02d%c%02d%c%04d") : "%02d%c%02d%c%02d";
    if (order == 0) {
      date.Format(format, v.day, sep, v.month, sep, year);
    } else if (order == 1) {
      date.Format(format, v.month, sep, v.day, sep, year);
    } else if (order == 2) {
      date.Format(format, year, sep, v.month, sep, v.day);
    }
  }
  if (showTime) {
    const TCHAR sep = GXGetTimeSeparator(FALSE);
    time.Format("%02d%c%02d%c%02d", v.hour, sep, v.minute, sep, v.second);
  }
  if (showDate && showTime) {
    out = date + " " + time;
  } else if (showTime) {
    out = time;
  } else {
    out = date;
  }
}

void CGXNoOleDateTimeImp::FormatTime(CString& out, const CTime& value) {
  std::tm parts{};
  value.GetLocalTm(&parts);
  out = value.Format(parts.tm_hour != 0 || parts.tm_min != 0 || parts.tm_sec != 0 ? "%c" : "%x");
}

// ------------------------------------------------------------------ OLE

int CGXOleDateTimeImp::GetDateOrder(BOOL, BOOL*, TCHAR*) { return 3; }
TCHAR CGXOleDateTimeImp::GetTimeSeparator(BOOL) { return 0; }

BOOL CGXOleDateTimeImp::ParseTimestamp(GXTimestamp& out, LPCTSTR text, int) {
  out = {};
  COleDateTime date;
  if (text == nullptr || !date.ParseDateTime(text) || date.GetStatus() != COleDateTime::valid) return FALSE;
  out.year = static_cast<short>(date.GetYear());
  out.month = static_cast<short>(date.GetMonth());
  out.day = static_cast<short>(date.GetDay());
  out.hour = static_cast<short>(date.GetHour());
  out.minute = static_cast<short>(date.GetMinute());
  out.second = static_cast<short>(date.GetSecond());
  return TRUE;
}

BOOL CGXOleDateTimeImp::ParseTm(struct tm& out, LPCTSTR text, int order) {
  out = {};
  GXTimestamp stamp;
  if (!ParseTimestamp(stamp, text, order)) return FALSE;
  out.tm_year = stamp.year - 1900;
  out.tm_mon = stamp.month - 1;
  out.tm_mday = stamp.day;
  out.tm_hour = stamp.hour;
  out.tm_min = stamp.minute;
  out.tm_sec = stamp.second;
  return TRUE;
}

void CGXOleDateTimeImp::FormatTimestamp(CString& out, const GXTimestamp& v) {
  // A time without a date is a time of the OLE date's day zero.
  COleDateTime date;
  if (v.month == 0) {
    date.SetTime(v.hour, v.minute, v.second);
  } else {
    date.SetDateTime(v.year, v.month, v.day, v.hour, v.minute, v.second);
  }
  if (date.GetStatus() != COleDateTime::valid) {
    out.Empty();
    return;
  }
  out = date.Format(v.hour == 0 && v.minute == 0 && v.second == 0 ? "%x" : v.month != 0 ? "%c" : "%X");
}

void CGXOleDateTimeImp::FormatTime(CString& out, const CTime& value) {
  std::tm parts{};
  value.GetLocalTm(&parts);
  out = value.Format(parts.tm_hour != 0 || parts.tm_min != 0 || parts.tm_sec != 0 ? "%c" : "%x");
}
