#include "common/Dates.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

char TodayDate[9] = "";
char FiscalStartDate[9] = "";
char FiscalEndDate[9] = "";
int FiscalFirstMonth = 0;
int FiscalStartYear = 0;
int TodayVsFiscalYear = 0;

const char* const MonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
const char* const MonthNamesUpper[12] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                         "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
const char* const MonthAbbrs[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const MonthAbbrsUpper[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const int MonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

namespace {

constexpr int kPadded = 31;
constexpr std::size_t kPartRoom = 32;

enum Part { P_YEAR4, P_YY, P_MONTHNAME, P_MONABBR, P_MM, P_DDD, P_DD, P_HHH, P_HH, P_MI, P_SS, P_COUNT };

struct Parts {
  std::string p[P_COUNT];
  bool has(Part which) const { return !p[which].empty(); }
};

struct Field {
  Part part;
  int pos;  // 1-based
  int len;
};

// Layouts read by position.
struct Layout {
  int count;
  Field fields[6];
};

const Layout kPositional[20] = {
    /*0*/ {3, {{P_DD, 1, 2}, {P_MONABBR, 4, 3}, {P_YY, 8, 2}}},
    /*1*/ {5, {{P_DD, 1, 2}, {P_MONABBR, 4, 3}, {P_YY, 8, 2}, {P_HH, 11, 2}, {P_MI, 14, 2}}},
    /*2*/ {2, {{P_HHH, 1, 3}, {P_MI, 4, 2}}},
    /*3*/ {3, {{P_HH, 1, 2}, {P_MI, 3, 2}, {P_SS, 5, 2}}},
    /*4*/ {0, {}},
    /*5*/ {0, {}},
    /*6*/ {0, {}},
    /*7*/ {3, {{P_MM, 1, 2}, {P_DD, 4, 2}, {P_YY, 7, 2}}},
    /*8*/ {2, {{P_MM, 1, 2}, {P_DD, 3, 2}}},
    /*9*/ {3, {{P_MM, 1, 2}, {P_DD, 3, 2}, {P_YY, 5, 2}}},
    /*10*/ {3, {{P_MM, 1, 2}, {P_DD, 3, 2}, {P_YEAR4, 5, 4}}},
    /*11*/ {1, {{P_MONABBR, 1, 3}}},
    /*12*/ {2, {{P_MONABBR, 1, 3}, {P_YEAR4, 5, 4}}},
    /*13*/ {0, {}},
    /*14*/ {4, {{P_YY, 1, 2}, {P_DDD, 3, 3}, {P_HH, 6, 2}, {P_MI, 8, 2}}},
    /*15*/ {3, {{P_YY, 1, 2}, {P_MM, 3, 2}, {P_DD, 5, 2}}},
    /*16*/ {5, {{P_YY, 1, 2}, {P_MM, 3, 2}, {P_DD, 5, 2}, {P_HH, 7, 2}, {P_MI, 9, 2}}},
    /*17*/ {5, {{P_YY, 1, 2}, {P_MONABBR, 3, 3}, {P_DD, 6, 2}, {P_HH, 8, 2}, {P_MI, 10, 2}}},
    /*18*/ {3, {{P_YEAR4, 1, 4}, {P_MM, 5, 2}, {P_DD, 7, 2}}},
    /*19*/ {6, {{P_YEAR4, 1, 4}, {P_MM, 5, 2}, {P_DD, 7, 2}, {P_HH, 9, 2}, {P_MI, 11, 2}, {P_SS, 13, 2}}},
};

// Written layouts: the parts in order and the separators between them.
struct OutLayout {
  int count;
  Part parts[6];
  const char* seps[6];  // separator after each part
};

const OutLayout kOutput[20] = {
    /*0*/ {3, {P_DD, P_MONABBR, P_YY}, {"-", "-", ""}},
    /*1*/ {5, {P_DD, P_MONABBR, P_YY, P_HH, P_MI}, {"-", "-", " ", ":", ""}},
    /*2*/ {2, {P_HHH, P_MI}, {"", ""}},
    /*3*/ {3, {P_HH, P_MI, P_SS}, {"", "", ""}},
    /*4*/ {2, {P_MM, P_DD}, {"/", ""}},
    /*5*/ {3, {P_MM, P_DD, P_YY}, {"/", "/", ""}},
    /*6*/ {2, {P_MM, P_YY}, {"/", ""}},
    /*7*/ {3, {P_MM, P_DD, P_YY}, {"/", "/", ""}},
    /*8*/ {2, {P_MM, P_DD}, {"", ""}},
    /*9*/ {3, {P_MM, P_DD, P_YY}, {"", "", ""}},
    /*10*/ {3, {P_MM, P_DD, P_YEAR4}, {"", "", ""}},
    /*11*/ {1, {P_MONABBR}, {""}},
    /*12*/ {2, {P_MONABBR, P_YEAR4}, {" ", ""}},
    /*13*/ {3, {P_MONTHNAME, P_DD, P_YEAR4}, {" ", ", ", ""}},
    /*14*/ {4, {P_YY, P_DDD, P_HH, P_MI}, {"", "", "", ""}},
    /*15*/ {3, {P_YY, P_MM, P_DD}, {"", "", ""}},
    /*16*/ {5, {P_YY, P_MM, P_DD, P_HH, P_MI}, {"", "", "", "", ""}},
    /*17*/ {5, {P_YY, P_MONABBR, P_DD, P_HH, P_MI}, {"", "", "", "", ""}},
    /*18*/ {3, {P_YEAR4, P_MM, P_DD}, {"", "", ""}},
    /*19*/ {6, {P_YEAR4, P_MM, P_DD, P_HH, P_MI, P_SS}, {"", "", "", "", "", ""}},
};

// The leading decimal number of a date field, as atoi reads it, but held to
// five digits: no field of a date is longer, and a longer one typed or read
// from a file must not overflow the arithmetic that follows.
int FieldNumber(const std::string& field) {
  constexpr int kLimit = 99999;
  std::size_t i = 0;
  while (i < field.size() && std::isspace(static_cast<unsigned char>(field[i]))) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  int value = 0;
  for (; i < field.size() && std::isdigit(static_cast<unsigned char>(field[i])); ++i)
    value = std::min(kLimit, value * 10 + (field[i] - '0'));
  return negative ? -value : value;
}

std::string Printf2(int value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", value);
  return buf;
}

Parts Split(const char* text, int code) {
  Parts parts;
  if (code < 0 || code > 19) return parts;
  std::string s = text ? text : "";
  std::size_t b = s.find_first_not_of(" \t");
  std::size_t e = s.find_last_not_of(" \t");
  s = (b == std::string::npos) ? std::string() : s.substr(b, e - b + 1);
  if (s.size() > static_cast<std::size_t>(kPadded)) s.resize(kPadded);
  s.resize(kPadded, ' ');

  if (code == 4 || code == 5 || code == 6) {
    static const Part kSplit[3][3] = {{P_MM, P_DD, P_COUNT}, {P_MM, P_DD, P_YY}, {P_MM, P_YY, P_COUNT}};
    const Part* order = kSplit[code - 4];
    std::size_t start = 0;
    for (int i = 0; i < 3 && order[i] != P_COUNT; ++i) {
      if (start > s.size()) break;
      std::size_t slash = s.find('/', start);
      std::string field = s.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
      parts.p[order[i]] = Printf2(FieldNumber(field));
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
    return parts;
  }
  if (code == 13) {
    std::size_t blank = s.find(' ');
    parts.p[P_MONTHNAME] = s.substr(0, blank);
    if (blank != std::string::npos) {
      std::size_t comma = s.find(',', blank + 1);
      parts.p[P_DD] = s.substr(blank + 1, comma == std::string::npos ? std::string::npos : comma - blank - 1);
      if (comma != std::string::npos) {
        std::size_t yearStart = comma + 1;
        if (yearStart < s.size() && s[yearStart] == ' ') ++yearStart;
        std::size_t yearEnd = s.find(' ', yearStart);
        parts.p[P_YEAR4] = s.substr(yearStart, yearEnd == std::string::npos ? std::string::npos : yearEnd - yearStart);
      }
    }
    // Padding blanks are not part of the day.
    std::size_t last = parts.p[P_DD].find_last_not_of(' ');
    parts.p[P_DD].resize(last == std::string::npos ? 0 : last + 1);
    return parts;
  }
  const Layout& layout = kPositional[code];
  for (int i = 0; i < layout.count; ++i) {
    const Field& f = layout.fields[i];
    parts.p[f.part] = s.substr(static_cast<std::size_t>(f.pos - 1), static_cast<std::size_t>(f.len));
  }
  return parts;
}

int MonthLength(int month, int year) {  // month 1..12
  if (month < 1 || month > 12) return 31;
  return (month == 2 && IsLeapYear(year)) ? 29 : MonthLengths[month - 1];
}

void Derive(Parts& d) {
  char buf[32];
  // 1. Four-digit year.
  if (!d.has(P_YEAR4)) {
    if (d.has(P_YY)) {
      int yy = FieldNumber(d.p[P_YY]);
      std::snprintf(buf, sizeof buf, "%4d", yy > 50 ? 1900 + yy : 2000 + yy);
      d.p[P_YEAR4] = buf;
    } else {
      d.p[P_YEAR4] = "0000";
    }
  }
  // 2. Two-digit year.
  if (!d.has(P_YY)) d.p[P_YY] = d.p[P_YEAR4].size() >= 2 ? d.p[P_YEAR4].substr(d.p[P_YEAR4].size() - 2) : "00";
  int year = FieldNumber(d.p[P_YEAR4]);
  bool leap = IsLeapYear(year);

  // 3. Day, from the day of the year or the hours of the month.
  int foundMonth = 0;
  if (!d.has(P_DD)) {
    int day = -1;
    if (d.has(P_DDD) || d.has(P_HHH)) {
      int month = 1;
      if (d.has(P_DDD)) {
        day = FieldNumber(d.p[P_DDD]);
      } else {
        day = FieldNumber(d.p[P_HHH]) / 24;
      }
      while (month < 12 && day > MonthLengths[month - 1]) {
        day -= MonthLengths[month - 1];
        ++month;
      }
      if (d.has(P_DDD) && leap && month > 2) {
        if (--day < 1) {
          --month;
          day = MonthLength(month, year);
        }
      }
      foundMonth = month;
    }
    if (day >= 0) {
      std::snprintf(buf, sizeof buf, "%2.2d", day);
      d.p[P_DD] = buf;
    }
  }
  // 4. Month name.
  if (!d.has(P_MONTHNAME)) {
    if (d.has(P_MM)) {
      int mm = FieldNumber(d.p[P_MM]);
      if (mm >= 1 && mm <= 12) d.p[P_MONTHNAME] = MonthNames[mm - 1];
    } else if (d.has(P_MONABBR)) {
      for (int m = 0; m < 12; ++m) {
        if (d.p[P_MONABBR] == MonthAbbrsUpper[m]) d.p[P_MONTHNAME] = MonthNamesUpper[m];
        if (d.p[P_MONABBR] == MonthAbbrs[m]) d.p[P_MONTHNAME] = MonthNames[m];
      }
    } else if (foundMonth) {
      d.p[P_MONTHNAME] = MonthNames[foundMonth - 1];
    }
  }
  // 5. Abbreviation.
  if (!d.has(P_MONABBR)) d.p[P_MONABBR] = d.p[P_MONTHNAME].substr(0, 3);
  // 6. Month number.
  if (!d.has(P_MM)) {
    for (int m = 0; m < 12; ++m) {
      if (d.p[P_MONTHNAME] == MonthNamesUpper[m] || d.p[P_MONTHNAME] == MonthNames[m]) {
        std::snprintf(buf, sizeof buf, "%2.2d", m + 1);
        d.p[P_MM] = buf;
      }
    }
  }
  // 7. Day of the year.
  if (!d.has(P_DDD)) {
    int mm = FieldNumber(d.p[P_MM]);
    int ddd = FieldNumber(d.p[P_DD]);
    for (int m = 1; m < mm && m <= 12; ++m) ddd += MonthLengths[m - 1];
    if (leap && mm > 2) ++ddd;
    std::snprintf(buf, sizeof buf, "%3.3d", ddd);
    d.p[P_DDD] = buf;
  }
  // 8.-10. Hours, minutes, seconds.
  if (!d.has(P_HHH)) {
    if (d.has(P_HH)) {
      std::snprintf(buf, sizeof buf, "0%2.2s", d.p[P_HH].c_str());
      d.p[P_HHH] = buf;
    } else {
      d.p[P_HHH] = "000";
    }
  }
  if (!d.has(P_HH)) {
    std::snprintf(buf, sizeof buf, "%2.2d", FieldNumber(d.p[P_HHH]) % 24);
    d.p[P_HH] = buf;
  }
  if (!d.has(P_MI)) d.p[P_MI] = "00";
  if (!d.has(P_SS)) d.p[P_SS] = "00";
}

void CopyPart(DatePart* out, const std::string& part) {
  if (!out) return;
  std::snprintf(*out, sizeof *out, "%s", part.c_str());
}

}  // namespace

void ParseDate(const char* text, int code, DatePart* year4, DatePart* yy, DatePart* monthName, DatePart* monAbbr,
               DatePart* mm, DatePart* ddd, DatePart* dd, DatePart* hhh, DatePart* hh, DatePart* mi, DatePart* ss) {
  Parts parts = Split(text, code);
  CopyPart(year4, parts.p[P_YEAR4]);
  CopyPart(yy, parts.p[P_YY]);
  CopyPart(monthName, parts.p[P_MONTHNAME]);
  CopyPart(monAbbr, parts.p[P_MONABBR]);
  CopyPart(mm, parts.p[P_MM]);
  CopyPart(ddd, parts.p[P_DDD]);
  CopyPart(dd, parts.p[P_DD]);
  CopyPart(hhh, parts.p[P_HHH]);
  CopyPart(hh, parts.p[P_HH]);
  CopyPart(mi, parts.p[P_MI]);
  CopyPart(ss, parts.p[P_SS]);
}

void FormatDate(const char* in, int inCode, int outCode, char* out, size_t size) {
  if (!out || size == 0) return;
  out[0] = '\0';
  if (outCode < 0 || outCode > 19 || inCode < 0 || inCode > 19) return;
  Parts parts = Split(in, inCode);
  Derive(parts);
  std::string text;
  const OutLayout& layout = kOutput[outCode];
  for (int i = 0; i < layout.count; ++i) text += parts.p[layout.parts[i]] + layout.seps[i];
  std::snprintf(out, size, "%s", text.c_str());
}

const char* FormatDateLong(const char* in, int inCode) {
  static char buffers[4][32];
  static int next = 0;
  char (&out)[32] = buffers[next];
  next = (next + 1) % 4;
  FormatDate(in, inCode, DF_LONG, out);
  return out;
}

const char* FormatDateShort(const char* in, int inCode) {
  static char buffers[4][9];
  static int next = 0;
  char* out = buffers[next];
  next = (next + 1) % 4;
  char full[kPartRoom];
  FormatDate(in, inCode, DF_MM_DD_YY, full);
  std::size_t n = strnlen(full, 8);
  std::memcpy(out, full, n);
  out[n] = '\0';
  return out;
}

namespace {

bool EightDigits(const char* s) {
  for (int i = 0; i < 8; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return s[8] == '\0';
}

}  // namespace

int CompareDates(const char* a, const char* b, int code) {
  // Stored dates ("yyyymmdd") compare as their texts do; schedules and
  // rollovers compare thousands of them.
  if (code == DF_YYYYMMDD && a && b && EightDigits(a) && EightDigits(b)) return std::strncmp(a, b, 8);
  char ta[kPartRoom];
  char tb[kPartRoom];
  FormatDate(a, code, DF_YYYYMMDDHHMISS, ta);
  FormatDate(b, code, DF_YYYYMMDDHHMISS, tb);
  return std::strcmp(ta, tb);
}

bool DateInRange(const char* start, const char* end, const char* date, int code) {
  if (!start || !*start) start = "00000101";
  if (!end || !*end) end = "99991231";
  if (!date || !*date) date = "99991231";
  return CompareDates(start, date, code) <= 0 && CompareDates(date, end, code) <= 0;
}

void AddToDate(const char* date, int years, int months, int days, char* out, size_t size) {
  char part[5] = "";
  std::string s = date ? date : "";
  s.resize(8, '0');
  std::memcpy(part, s.c_str(), 4);
  part[4] = '\0';
  int year = std::atoi(part) + years;
  int month = FieldNumber(s.substr(4, 2)) + months;
  int day = FieldNumber(s.substr(6, 2)) + days;
  if (day > MonthLength(month, year)) {
    day = 1;
    ++month;
  }
  if (month > 12) {
    month = 1;
    ++year;
  }
  if (day <= 0) {
    if (--month < 1) {
      month = 12;
      --year;
    }
    day = MonthLength(month, year);
  }
  if (year < 0) year = 0;
  // The result is always eight digits; the wider buffer only keeps the
  // compiler's truncation analysis quiet.
  char text[40];
  std::snprintf(text, sizeof text, "%4.4d%2.2d%2.2d", year % 10000, month, day);
  std::snprintf(out, size, "%.8s", text);
}

void GetTimestamp(int code, char* out, size_t size) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[kPartRoom];
  std::snprintf(stamp, sizeof stamp, "%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  FormatDate(stamp, DF_YYYYMMDDHHMISS, code, out, size);
}

bool MonthInRange(int first, int last, int month) {
  if (last >= first) return month >= first && month <= last;
  return (month >= first && month <= 11) || (month >= 0 && month <= last);
}

int GetFiscalYearOfMonth(int month) { return month < FiscalFirstMonth ? FiscalStartYear + 1 : FiscalStartYear; }

namespace {
DateNormaliser dateNormaliser = nullptr;
}

void SetDateNormaliser(DateNormaliser normaliser) { dateNormaliser = normaliser; }

CString GetDefaultDateText(bool normalise) {
  char text[kPartRoom];
  FormatDate(TodayVsFiscalYear == 0 ? TodayDate : FiscalEndDate, DF_YYYYMMDD, DF_MM_DD_YY, text);
  CString result = text;
  if (!normalise) return result;
  if (dateNormaliser) return dateNormaliser(result);
  // Before the date edit installs its own parse the stored form comes from
  // the date engine, so a caller never gets the short form by mistake.
  char stored[kPartRoom];
  FormatDate(text, DF_MM_DD_YY, DF_YYYYMMDD, stored);
  return CString(stored);
}

void FormatDateCStr(CString in, int inCode, int outCode, CString& out) {
  char input[kPartRoom];
  std::snprintf(input, sizeof input, "%s", static_cast<LPCTSTR>(in));
  char output[kPartRoom];
  FormatDate(input, inCode, outCode, output);
  out = output;
}
