// The locale: one fixed set of settings, the classic United States English
// ones, whatever the locale id asked for (the program's number, date and
// currency texts must not change with the machine). GetLocaleInfo reads a
// setting as text; GetNumberFormat formats a number with them.
#pragma once

#include "platform/base/types.h"

using LCID = DWORD;
using LCTYPE = DWORD;

#define LOCALE_SYSTEM_DEFAULT  0x0800u
#define LOCALE_USER_DEFAULT    0x0400u
#define LOCALE_INVARIANT       0x007Fu
// Accepted with a setting and ignored (there are no user overrides).
#define LOCALE_NOUSEROVERRIDE  0x80000000u
#define LOCALE_RETURN_NUMBER   0x20000000u

// Settings (our numbering). Names as text: S; numbers as text: I.
#define LOCALE_SLIST            0x0001u  // ","
#define LOCALE_IMEASURE         0x0002u  // "1" (US measures)
#define LOCALE_SDECIMAL         0x0003u  // "."
#define LOCALE_STHOUSAND        0x0004u  // ","
#define LOCALE_SGROUPING        0x0005u  // "3;0"
#define LOCALE_IDIGITS          0x0006u  // "2"
#define LOCALE_ILZERO           0x0007u  // "1"
#define LOCALE_INEGNUMBER       0x0008u  // "1" (-1.1)
#define LOCALE_SCURRENCY        0x0009u  // "$"
#define LOCALE_SINTLSYMBOL      0x000Au  // "USD"
#define LOCALE_SMONDECIMALSEP   0x000Bu  // "."
#define LOCALE_SMONTHOUSANDSEP  0x000Cu  // ","
#define LOCALE_SMONGROUPING     0x000Du  // "3;0"
#define LOCALE_ICURRDIGITS      0x000Eu  // "2"
#define LOCALE_ICURRENCY        0x000Fu  // "0" ($1.1)
#define LOCALE_INEGCURR         0x0010u  // "0" (($1.1))
#define LOCALE_SDATE            0x0011u  // "/"
#define LOCALE_STIME            0x0012u  // ":"
#define LOCALE_SSHORTDATE       0x0013u  // "M/d/yyyy"
#define LOCALE_SLONGDATE        0x0014u  // "dddd, MMMM d, yyyy"
#define LOCALE_STIMEFORMAT      0x0015u  // "h:mm:ss tt"
#define LOCALE_IDATE            0x0016u  // "0" (month, day, year)
#define LOCALE_ILDATE           0x0017u  // "0"
#define LOCALE_ITIME            0x0018u  // "0" (12 hours)
#define LOCALE_ICENTURY         0x0019u  // "1"
#define LOCALE_ITLZERO          0x001Au  // "0"
#define LOCALE_IDAYLZERO        0x001Bu  // "0"
#define LOCALE_IMONLZERO        0x001Cu  // "0"
#define LOCALE_S1159            0x001Du  // "AM"
#define LOCALE_S2359            0x001Eu  // "PM"
#define LOCALE_IFIRSTDAYOFWEEK  0x001Fu  // "6" (Sunday; 0 is Monday)
#define LOCALE_SENGLANGUAGE     0x0020u  // "English"
#define LOCALE_SABBREVLANGNAME  0x0021u  // "ENU"
#define LOCALE_SENGCOUNTRY      0x0022u  // "United States"
#define LOCALE_ICOUNTRY         0x0023u  // "1"
#define LOCALE_SDAYNAME1        0x0030u  // "Monday" ... LOCALE_SDAYNAME7 "Sunday"
#define LOCALE_SDAYNAME2        0x0031u
#define LOCALE_SDAYNAME3        0x0032u
#define LOCALE_SDAYNAME4        0x0033u
#define LOCALE_SDAYNAME5        0x0034u
#define LOCALE_SDAYNAME6        0x0035u
#define LOCALE_SDAYNAME7        0x0036u
#define LOCALE_SABBREVDAYNAME1  0x0037u  // "Mon" ... "Sun"
#define LOCALE_SABBREVDAYNAME2  0x0038u
#define LOCALE_SABBREVDAYNAME3  0x0039u
#define LOCALE_SABBREVDAYNAME4  0x003Au
#define LOCALE_SABBREVDAYNAME5  0x003Bu
#define LOCALE_SABBREVDAYNAME6  0x003Cu
#define LOCALE_SABBREVDAYNAME7  0x003Du
#define LOCALE_SMONTHNAME1      0x0040u  // "January" ... LOCALE_SMONTHNAME12 "December"
#define LOCALE_SMONTHNAME2      0x0041u
#define LOCALE_SMONTHNAME3      0x0042u
#define LOCALE_SMONTHNAME4      0x0043u
#define LOCALE_SMONTHNAME5      0x0044u
#define LOCALE_SMONTHNAME6      0x0045u
#define LOCALE_SMONTHNAME7      0x0046u
#define LOCALE_SMONTHNAME8      0x0047u
#define LOCALE_SMONTHNAME9      0x0048u
#define LOCALE_SMONTHNAME10     0x0049u
#define LOCALE_SMONTHNAME11     0x004Au
#define LOCALE_SMONTHNAME12     0x004Bu
#define LOCALE_SABBREVMONTHNAME1  0x0050u  // "Jan" ... "Dec"
#define LOCALE_SABBREVMONTHNAME2  0x0051u
#define LOCALE_SABBREVMONTHNAME3  0x0052u
#define LOCALE_SABBREVMONTHNAME4  0x0053u
#define LOCALE_SABBREVMONTHNAME5  0x0054u
#define LOCALE_SABBREVMONTHNAME6  0x0055u
#define LOCALE_SABBREVMONTHNAME7  0x0056u
#define LOCALE_SABBREVMONTHNAME8  0x0057u
#define LOCALE_SABBREVMONTHNAME9  0x0058u
#define LOCALE_SABBREVMONTHNAME10 0x0059u
#define LOCALE_SABBREVMONTHNAME11 0x005Au
#define LOCALE_SABBREVMONTHNAME12 0x005Bu

LCID GetUserDefaultLCID();
LCID GetSystemDefaultLCID();
// The setting as text with its terminating zero byte; with maxCount 0 only
// the size needed (terminator included). 0 for an unknown setting or a
// buffer too small (nothing useful is written then).
int GetLocaleInfo(LCID locale, LCTYPE type, LPSTR buffer, int maxCount);

// Overrides of the locale's number settings for GetNumberFormat. Grouping:
// the decimal digits of the number are the group sizes from the decimal
// point on, the last one repeating (3: thousands; 32: 3 then 2s); 0 none.
// NegativeOrder: 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -".
struct NUMBERFMT {
  UINT NumDigits;
  UINT LeadingZero;
  UINT Grouping;
  LPSTR lpDecimalSep;
  LPSTR lpThousandSep;
  UINT NegativeOrder;
};

// `value`: an optional minus sign, digits, optionally a point and digits
// (anything else fails with 0). Rounded half up to the fraction digits, then
// grouped, separated and signed as the locale (or `format`) says. The length
// written with the terminator; with maxCount 0 the size needed; 0 when the
// buffer is too small.
int GetNumberFormat(LCID locale, DWORD flags, LPCSTR value, const NUMBERFMT* format, LPSTR buffer, int maxCount);
