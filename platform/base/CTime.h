// Time values: CTime (seconds since 1970, shown in local time), CTimeSpan,
// and the OLE automation date COleDateTime (days since 30 December 1899 as
// a double, the fraction being the time of day) with COleDateTimeSpan.
//
// Format takes strftime-style codes (%a %A %b %B %c %d %H %I %j %m %M %p
// %S %U %w %W %x %X %y %Y %z %Z %%, with "#" to drop leading zeros and to
// choose the long forms of %c and %x). Day and month names are English
// whatever the user's locale, so texts written to files stay the same.
#pragma once

#include <ctime>
#include <cstdint>

#include "platform/base/CString.h"
#include "platform/base/types.h"

using LONGLONG = long long;
using ULONGLONG = unsigned long long;
using DATE = double;

class CTimeSpan {
 public:
  CTimeSpan() = default;
  CTimeSpan(std::time_t seconds) : span_(seconds) {}
  CTimeSpan(LONG days, int hours, int minutes, int seconds)
      : span_(seconds + 60 * (minutes + 60 * (hours + 24 * static_cast<std::time_t>(days)))) {}

  LONG GetDays() const { return static_cast<LONG>(span_ / (24 * 3600)); }
  LONG GetTotalHours() const { return static_cast<LONG>(span_ / 3600); }
  int GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
  LONG GetTotalMinutes() const { return static_cast<LONG>(span_ / 60); }
  int GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
  std::time_t GetTotalSeconds() const { return span_; }
  int GetSeconds() const { return static_cast<int>(span_ - static_cast<std::time_t>(GetTotalMinutes()) * 60); }
  std::time_t GetTimeSpan() const { return span_; }

  // %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
  CString Format(LPCTSTR format) const;

  CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(span_ - o.span_); }
  CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(span_ + o.span_); }
  CTimeSpan& operator+=(CTimeSpan o) { span_ += o.span_; return *this; }
  CTimeSpan& operator-=(CTimeSpan o) { span_ -= o.span_; return *this; }
  CTimeSpan operator-() const { return CTimeSpan(-span_); }
  auto operator<=>(const CTimeSpan&) const = default;

 private:
  std::time_t span_ = 0;
};

class CTime {
 public:
  CTime() = default;
  CTime(std::time_t t) : time_(t) {}
  // Local time; dst -1 lets the library decide. Fields out of range are
  // normalised (month 13 is January of the next year).
  CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);

  static CTime GetCurrentTime();

  std::time_t GetTime() const { return time_; }
  // The local broken-down time (into result, or a shared record).
  std::tm* GetLocalTm(std::tm* result) const;
  std::tm* GetGmtTm(std::tm* result) const;
  int GetYear() const;
  int GetMonth() const;      // 1-12
  int GetDay() const;        // 1-31
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 Sunday .. 7 Saturday

  CString Format(LPCTSTR format) const;
  CString FormatGmt(LPCTSTR format) const;

  CTimeSpan operator-(CTime o) const { return CTimeSpan(time_ - o.time_); }
  CTime operator-(CTimeSpan s) const { return CTime(time_ - s.GetTimeSpan()); }
  CTime operator+(CTimeSpan s) const { return CTime(time_ + s.GetTimeSpan()); }
  CTime& operator+=(CTimeSpan s) { time_ += s.GetTimeSpan(); return *this; }
  CTime& operator-=(CTimeSpan s) { time_ -= s.GetTimeSpan(); return *this; }
  auto operator<=>(const CTime&) const = default;

 private:
  std::time_t time_ = 0;
};

class COleDateTimeSpan {
 public:
  enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };
  COleDateTimeSpan() = default;
  COleDateTimeSpan(double days) : span_(days) {}
  COleDateTimeSpan(LONG days, int hours, int minutes, int seconds)
      : span_(days + hours / 24.0 + minutes / 1440.0 + seconds / 86400.0) {}

  double GetTotalDays() const { return span_; }
  double GetTotalHours() const { return span_ * 24; }
  double GetTotalMinutes() const { return span_ * 1440; }
  double GetTotalSeconds() const { return span_ * 86400; }
  LONG GetDays() const { return static_cast<LONG>(span_); }
  DateTimeSpanStatus GetStatus() const { return status_; }
  void SetStatus(DateTimeSpanStatus s) { status_ = s; }
  operator double() const { return span_; }

 private:
  double span_ = 0;
  DateTimeSpanStatus status_ = valid;
};

class COleDateTime {
 public:
  enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTime() = default;
  COleDateTime(DATE value) : m_dt(value) {}
  COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
  }
  COleDateTime(const CTime& t);
  COleDateTime(std::time_t t) : COleDateTime(CTime(t)) {}

  static COleDateTime GetCurrentTime();

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus s) { m_status = s; }
  operator DATE() const { return m_dt; }

  // Each returns 0 on success and 1 (status invalid) for a part out of
  // range: year 100-9999, month 1-12, day within the month, hour 0-23,
  // minute and second 0-59.
  int SetDateTime(int year, int month, int day, int hour, int minute, int second);
  int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
  int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

  // Parts (rounded to the nearest second); -1 (AM/PM: error) when the
  // value is invalid or outside 1 January 100 .. 31 December 9999.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 Sunday .. 7 Saturday
  int GetDayOfYear() const;  // 1 .. 366
  // The broken-down parts; false when the value cannot be split.
  bool GetParts(std::tm& parts) const;

  CString Format(LPCTSTR format) const;
  // Without a format: the date, the time, or both, as %x / %X / %c give
  // them, leaving out a zero time or the 30 December 1899 date.
  CString Format(DWORD flags = 0) const;
  // Reads "m/d/y", "y-m-d" or "m/d/y h:m[:s] [AM|PM]" or a time alone.
  // FALSE (status invalid) when the text is not a date.
  BOOL ParseDateTime(LPCTSTR text, DWORD flags = 0);

  COleDateTime operator+(COleDateTimeSpan s) const { return COleDateTime(m_dt + s.GetTotalDays()); }
  COleDateTime operator-(COleDateTimeSpan s) const { return COleDateTime(m_dt - s.GetTotalDays()); }
  COleDateTimeSpan operator-(const COleDateTime& o) const { return COleDateTimeSpan(m_dt - o.m_dt); }
  bool operator==(const COleDateTime& o) const { return m_status == o.m_status && m_dt == o.m_dt; }
  bool operator!=(const COleDateTime& o) const { return !(*this == o); }
  bool operator<(const COleDateTime& o) const { return m_dt < o.m_dt; }
  bool operator>(const COleDateTime& o) const { return m_dt > o.m_dt; }
  bool operator<=(const COleDateTime& o) const { return m_dt <= o.m_dt; }
  bool operator>=(const COleDateTime& o) const { return m_dt >= o.m_dt; }

  DATE m_dt = 0;
  DateTimeStatus m_status = valid;
};

// strftime-style formatting of a broken-down time with English names.
CString AfxFormatTm(LPCTSTR format, const std::tm& parts);
