#include "platform/base/CTime.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

void AppendNumber(std::string& out, int value, int width, bool noPad) {
  char buf[32];
  if (noPad) std::snprintf(buf, sizeof buf, "%d", value);
  else std::snprintf(buf, sizeof buf, "%0*d", width, value);
  out += buf;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

void FormatInto(std::string& out, const char* format, const std::tm& t) {
  int wday = Clamp(t.tm_wday, 0, 6);
  int mon = Clamp(t.tm_mon, 0, 11);
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    const char* start = p;
    ++p;
    bool alt = false;
    if (*p == '#') {
      alt = true;
      ++p;
    }
    switch (*p) {
      case 'a': out.append(kDayNames[wday], 3); break;
      case 'A': out += kDayNames[wday]; break;
      case 'b': out.append(kMonthNames[mon], 3); break;
      case 'B': out += kMonthNames[mon]; break;
      case 'c':
        FormatInto(out, alt ? "%A, %B %#d, %Y %H:%M:%S" : "%m/%d/%y %H:%M:%S", t);
        break;
      case 'x': FormatInto(out, alt ? "%A, %B %#d, %Y" : "%m/%d/%y", t); break;
      case 'X': FormatInto(out, "%H:%M:%S", t); break;
      case 'd': AppendNumber(out, t.tm_mday, 2, alt); break;
      case 'H': AppendNumber(out, t.tm_hour, 2, alt); break;
      case 'I': AppendNumber(out, t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12, 2, alt); break;
      case 'j': AppendNumber(out, t.tm_yday + 1, 3, alt); break;
      case 'm': AppendNumber(out, t.tm_mon + 1, 2, alt); break;
      case 'M': AppendNumber(out, t.tm_min, 2, alt); break;
      case 'p': out += t.tm_hour < 12 ? "AM" : "PM"; break;
      case 'S': AppendNumber(out, t.tm_sec, 2, alt); break;
      case 'U': AppendNumber(out, (t.tm_yday + 7 - t.tm_wday) / 7, 2, alt); break;
      case 'W': AppendNumber(out, (t.tm_yday + 7 - (t.tm_wday + 6) % 7) / 7, 2, alt); break;
      case 'w': AppendNumber(out, t.tm_wday, 1, alt); break;
      case 'y': AppendNumber(out, (t.tm_year + 1900) % 100, 2, alt); break;
      case 'Y': AppendNumber(out, t.tm_year + 1900, 1, true); break;
      case 'z':
      case 'Z': {
        char buf[64];
        std::tm copy = t;
        std::size_t n = std::strftime(buf, sizeof buf, *p == 'z' ? "%z" : "%Z", &copy);
        out.append(buf, n);
        break;
      }
      case '%': out += '%'; break;
      case 0:  // a lone "%" at the end
        out.append(start, static_cast<std::size_t>(p - start));
        return;
      default:  // unknown code: kept as written
        out.append(start, static_cast<std::size_t>(p - start) + 1);
        break;
    }
  }
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long yy = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

const long long kOleEpoch = DaysFromCivil(1899, 12, 30);
const double kMinOleDate = -657434.0;
const double kMaxOleDate = 2958465.99999999;

int ExpandTwoDigitYear(int y) { return y >= 51 ? 1900 + y : 2000 + y; }

}  // namespace

CString AfxFormatTm(LPCTSTR format, const std::tm& parts) {
  std::string out;
  if (format) FormatInto(out, format, parts);
  return CString(std::move(out));
}

// ---- CTimeSpan

CString CTimeSpan::Format(LPCTSTR format) const {
  std::string out;
  for (const char* p = format ? format : ""; *p; ++p) {
    if (*p != '%' || p[1] == 0) {
      out += *p;
      continue;
    }
    ++p;
    char buf[32];
    switch (*p) {
      case 'D': std::snprintf(buf, sizeof buf, "%ld", static_cast<long>(GetDays())); out += buf; break;
      case 'H': std::snprintf(buf, sizeof buf, "%02d", GetHours()); out += buf; break;
      case 'M': std::snprintf(buf, sizeof buf, "%02d", GetMinutes()); out += buf; break;
      case 'S': std::snprintf(buf, sizeof buf, "%02d", GetSeconds()); out += buf; break;
      case '%': out += '%'; break;
      default: out += '%'; out += *p; break;
    }
  }
  return CString(std::move(out));
}

// ---- CTime

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = dst < 0 ? -1 : (dst > 0 ? 1 : 0);
  time_ = std::mktime(&t);
}

CTime CTime::GetCurrentTime() { return CTime(std::time(nullptr)); }

std::tm* CTime::GetLocalTm(std::tm* result) const {
  static thread_local std::tm shared;
  std::tm* out = result ? result : &shared;
  if (!localtime_r(&time_, out)) *out = std::tm{};
  return out;
}

std::tm* CTime::GetGmtTm(std::tm* result) const {
  static thread_local std::tm shared;
  std::tm* out = result ? result : &shared;
  if (!gmtime_r(&time_, out)) *out = std::tm{};
  return out;
}

int CTime::GetYear() const { std::tm t; return GetLocalTm(&t)->tm_year + 1900; }
int CTime::GetMonth() const { std::tm t; return GetLocalTm(&t)->tm_mon + 1; }
int CTime::GetDay() const { std::tm t; return GetLocalTm(&t)->tm_mday; }
int CTime::GetHour() const { std::tm t; return GetLocalTm(&t)->tm_hour; }
int CTime::GetMinute() const { std::tm t; return GetLocalTm(&t)->tm_min; }
int CTime::GetSecond() const { std::tm t; return GetLocalTm(&t)->tm_sec; }
int CTime::GetDayOfWeek() const { std::tm t; return GetLocalTm(&t)->tm_wday + 1; }

CString CTime::Format(LPCTSTR format) const {
  std::tm t;
  return AfxFormatTm(format, *GetLocalTm(&t));
}

CString CTime::FormatGmt(LPCTSTR format) const {
  std::tm t;
  return AfxFormatTm(format, *GetGmtTm(&t));
}

// ---- COleDateTime

COleDateTime::COleDateTime(const CTime& t) {
  std::tm parts;
  t.GetLocalTm(&parts);
  SetDateTime(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
}

COleDateTime COleDateTime::GetCurrentTime() { return COleDateTime(CTime::GetCurrentTime()); }

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    m_dt = 0;
    m_status = invalid;
    return 1;
  }
  long long days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kOleEpoch;
  double time = (hour * 3600 + minute * 60 + second) / 86400.0;
  // Before the epoch the day counts down while the time still counts up.
  m_dt = days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
  m_status = valid;
  return 0;
}

bool COleDateTime::GetParts(std::tm& parts) const {
  parts = std::tm{};
  if (m_status != valid || !(m_dt >= kMinOleDate && m_dt <= kMaxOleDate)) return false;
  const double halfSecond = 0.5 / 86400.0;
  double value = m_dt + (m_dt > 0 ? halfSecond : -halfSecond);
  long long days = static_cast<long long>(value);  // toward zero
  double fraction = std::fabs(value - static_cast<double>(days));
  int seconds = static_cast<int>(fraction * 86400.0);
  if (seconds >= 86400) seconds = 86399;
  int y, m, d;
  CivilFromDays(days + kOleEpoch, y, m, d);
  parts.tm_year = y - 1900;
  parts.tm_mon = m - 1;
  parts.tm_mday = d;
  parts.tm_hour = seconds / 3600;
  parts.tm_min = seconds / 60 % 60;
  parts.tm_sec = seconds % 60;
  long long wday = (days + kOleEpoch + 4) % 7;  // 1970-01-01 was a Thursday
  parts.tm_wday = static_cast<int>(wday < 0 ? wday + 7 : wday);
  parts.tm_yday = static_cast<int>(days + kOleEpoch - DaysFromCivil(y, 1, 1));
  parts.tm_isdst = -1;
  return true;
}

int COleDateTime::GetYear() const { std::tm t; return GetParts(t) ? t.tm_year + 1900 : -1; }
int COleDateTime::GetMonth() const { std::tm t; return GetParts(t) ? t.tm_mon + 1 : -1; }
int COleDateTime::GetDay() const { std::tm t; return GetParts(t) ? t.tm_mday : -1; }
int COleDateTime::GetHour() const { std::tm t; return GetParts(t) ? t.tm_hour : -1; }
int COleDateTime::GetMinute() const { std::tm t; return GetParts(t) ? t.tm_min : -1; }
int COleDateTime::GetSecond() const { std::tm t; return GetParts(t) ? t.tm_sec : -1; }
int COleDateTime::GetDayOfWeek() const { std::tm t; return GetParts(t) ? t.tm_wday + 1 : -1; }
int COleDateTime::GetDayOfYear() const { std::tm t; return GetParts(t) ? t.tm_yday + 1 : -1; }

CString COleDateTime::Format(LPCTSTR format) const {
  if (m_status == null) return CString();
  std::tm t;
  if (!GetParts(t)) return CString("Invalid DateTime");
  return AfxFormatTm(format, t);
}

CString COleDateTime::Format(DWORD) const {
  if (m_status == null) return CString();
  std::tm t;
  if (!GetParts(t)) return CString("Invalid DateTime");
  bool hasTime = t.tm_hour || t.tm_min || t.tm_sec;
  bool hasDate = !(t.tm_year == -1 && t.tm_mon == 11 && t.tm_mday == 30);
  std::string fmt;
  if (hasDate || !hasTime) fmt = "%#m/%#d/%Y";
  if (hasTime) fmt += hasDate ? " %#I:%M:%S %p" : "%#I:%M:%S %p";
  return AfxFormatTm(fmt.c_str(), t);
}

BOOL COleDateTime::ParseDateTime(LPCTSTR text, DWORD) {
  auto fail = [this]() {
    m_dt = 0;
    m_status = invalid;
    return FALSE;
  };
  if (text == nullptr) return fail();
  const char* p = text;
  auto skipBlanks = [&]() {
    while (*p == ' ' || *p == '\t') ++p;
  };
  auto number = [&](int& value, int& digits) {
    value = 0;
    digits = 0;
    while (std::isdigit(static_cast<unsigned char>(*p)) && digits < 9) {
      value = value * 10 + (*p - '0');
      ++p;
      ++digits;
    }
    return digits > 0;
  };
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
  bool any = false;
  skipBlanks();
  // Date part: three numbers separated by "/", "-" or ".".
  const char* save = p;
  int a, b, c, da, db, dc;
  if (number(a, da) && (*p == '/' || *p == '-' || *p == '.')) {
    char sep = *p++;
    if (!number(b, db) || *p != sep) return fail();
    ++p;
    if (!number(c, dc)) return fail();
    if (da == 4) {
      year = a;
      month = b;
      day = c;
    } else {
      month = a;
      day = b;
      year = dc <= 2 ? ExpandTwoDigitYear(c) : c;
    }
    any = true;
    skipBlanks();
  } else {
    p = save;
  }
  // Time part: h:m[:s] [AM|PM].
  save = p;
  if (*p && number(a, da) && *p == ':') {
    ++p;
    if (!number(b, db)) return fail();
    hour = a;
    minute = b;
    if (*p == ':') {
      ++p;
      if (!number(second, dc)) return fail();
    }
    skipBlanks();
    if ((p[0] == 'A' || p[0] == 'a' || p[0] == 'P' || p[0] == 'p') && (p[1] == 'M' || p[1] == 'm')) {
      if (hour < 1 || hour > 12) return fail();
      bool pm = p[0] == 'P' || p[0] == 'p';
      hour = hour % 12 + (pm ? 12 : 0);
      p += 2;
    }
    any = true;
    skipBlanks();
  } else {
    p = save;
  }
  if (!any || *p != 0) return fail();
  return SetDateTime(year, month, day, hour, minute, second) == 0 ? TRUE : FALSE;
}
