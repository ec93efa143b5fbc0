// Dates: eight-digit texts yyyymmdd (format code 18) that compare as text,
// and the conversion engine between the twenty date and time layouts.
#pragma once

#include <cstddef>

#include "platform/base/CString.h"

// Format codes.
enum DateFormatCode {
  DF_DD_MON_YY = 0,        // dd-Mon-yy
  DF_DD_MON_YY_HHMI = 1,   // dd-Mon-yy hh:mi
  DF_HHHMI = 2,            // hhhmi
  DF_HHMISS = 3,           // hhmiss
  DF_MM_DD_SPLIT = 4,      // mm/dd, fields split at "/"
  DF_MM_DD_YY_SPLIT = 5,   // mm/dd/yy, fields split at "/"
  DF_MM_YY_SPLIT = 6,      // mm/yy, fields split at "/"
  DF_MM_DD_YY = 7,         // mm/dd/yy by position
  DF_MMDD = 8,
  DF_MMDDYY = 9,
  DF_MMDDYYYY = 10,
  DF_MON = 11,
  DF_MON_YYYY = 12,
  DF_LONG = 13,            // Month dd, yyyy
  DF_YYDDDHHMI = 14,
  DF_YYMMDD = 15,
  DF_YYMMDDHHMI = 16,
  DF_YYMONDDHHMI = 17,
  DF_YYYYMMDD = 18,
  DF_YYYYMMDDHHMISS = 19,
};

// Dates of the loaded fiscal year and today, as code-18 texts; filled by the
// start-up (TodayDate) and by the record store when it reads the unit
// information (the fiscal-year dates).
extern char TodayDate[9];
extern char FiscalStartDate[9];
extern char FiscalEndDate[9];
extern int FiscalFirstMonth;   // 0 = January
extern int FiscalStartYear;
extern int TodayVsFiscalYear;  // CompareWithFiscalYear at the last year open

extern const char* const MonthNames[12];       // "January" ...
extern const char* const MonthNamesUpper[12];  // "JANUARY" ...
extern const char* const MonthAbbrs[12];       // "Jan" ...
extern const char* const MonthAbbrsUpper[12];  // "JAN" ...
extern const int MonthLengths[12];
bool IsLeapYear(int year);

// One part of a parsed date (a part longer than it holds is cut).
using DatePart = char[16];
// Splits `text` by `code` into its parts (each output may be null). Parts
// the code does not hold are empty.
void ParseDate(const char* text, int code, DatePart* year4, DatePart* yy, DatePart* monthName, DatePart* monAbbr,
               DatePart* mm, DatePart* ddd, DatePart* dd, DatePart* hhh, DatePart* hh, DatePart* mi, DatePart* ss);
// Converts `in` from one code to another (32 bytes hold every code).
void FormatDate(const char* in, int inCode, int outCode, char* out, size_t size);
template <size_t N>
void FormatDate(const char* in, int inCode, int outCode, char (&out)[N]) {
  FormatDate(in, inCode, outCode, out, N);
}
void FormatDateCStr(CString in, int inCode, int outCode, CString& out);
// Code 13 / code 7 into small rings of static buffers (4 each).
const char* FormatDateLong(const char* in, int inCode);
const char* FormatDateShort(const char* in, int inCode);

int CompareDates(const char* a, const char* b, int code);
bool DateInRange(const char* start, const char* end, const char* date, int code);
// Steps a code-18 date (9 bytes hold it).
void AddToDate(const char* date, int years, int months, int days, char* out, size_t size);
template <size_t N>
void AddToDate(const char* date, int years, int months, int days, char (&out)[N]) {
  AddToDate(date, years, months, days, out, N);
}
// The current local date and time in `code`.
void GetTimestamp(int code, char* out, size_t size);
template <size_t N>
void GetTimestamp(int code, char (&out)[N]) {
  GetTimestamp(code, out, N);
}
bool MonthInRange(int first, int last, int month);
int GetFiscalYearOfMonth(int month);

// The date the date edit offers as "today", in code 7. With `normalise` the
// text goes through the date edit's own parse (installed by the date edit;
// without one the text is returned as is).
CString GetDefaultDateText(bool normalise);
using DateNormaliser = CString (*)(const CString& text);
void SetDateNormaliser(DateNormaliser normaliser);
