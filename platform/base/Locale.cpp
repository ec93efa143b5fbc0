#include "platform/base/Locale.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

// The setting's text; false for an unknown setting.
bool Setting(LCTYPE type, std::string* out) {
  type &= ~(LOCALE_NOUSEROVERRIDE | LOCALE_RETURN_NUMBER);
  if (type >= LOCALE_SDAYNAME1 && type <= LOCALE_SDAYNAME7) {
    *out = kDays[type - LOCALE_SDAYNAME1];
    return true;
  }
  if (type >= LOCALE_SABBREVDAYNAME1 && type <= LOCALE_SABBREVDAYNAME7) {
    *out = std::string(kDays[type - LOCALE_SABBREVDAYNAME1], 3);
    return true;
  }
  if (type >= LOCALE_SMONTHNAME1 && type <= LOCALE_SMONTHNAME12) {
    *out = kMonths[type - LOCALE_SMONTHNAME1];
    return true;
  }
  if (type >= LOCALE_SABBREVMONTHNAME1 && type <= LOCALE_SABBREVMONTHNAME12) {
    *out = std::string(kMonths[type - LOCALE_SABBREVMONTHNAME1], 3);
    return true;
  }
  switch (type) {
    case LOCALE_SLIST: *out = ","; return true;
    case LOCALE_IMEASURE: *out = "1"; return true;
    case LOCALE_SDECIMAL: *out = "."; return true;
    case LOCALE_STHOUSAND: *out = ","; return true;
    case LOCALE_SGROUPING: *out = "3;0"; return true;
    case LOCALE_IDIGITS: *out = "2"; return true;
    case LOCALE_ILZERO: *out = "1"; return true;
    case LOCALE_INEGNUMBER: *out = "1"; return true;
    case LOCALE_SCURRENCY: *out = "$"; return true;
    case LOCALE_SINTLSYMBOL: *out = "USD"; return true;
    case LOCALE_SMONDECIMALSEP: *out = "."; return true;
    case LOCALE_SMONTHOUSANDSEP: *out = ","; return true;
    case LOCALE_SMONGROUPING: *out = "3;0"; return true;
    case LOCALE_ICURRDIGITS: *out = "2"; return true;
    case LOCALE_ICURRENCY: *out = "0"; return true;
    case LOCALE_INEGCURR: *out = "0"; return true;
    case LOCALE_SDATE: *out = "/"; return true;
    case LOCALE_STIME: *out = ":"; return true;
    case LOCALE_SSHORTDATE: *out = "M/d/yyyy"; return true;
    case LOCALE_SLONGDATE: *out = "dddd, MMMM d, yyyy"; return true;
    case LOCALE_STIMEFORMAT: *out = "h:mm:ss tt"; return true;
    case LOCALE_IDATE: *out = "0"; return true;
    case LOCALE_ILDATE: *out = "0"; return true;
    case LOCALE_ITIME: *out = "0"; return true;
    case LOCALE_ICENTURY: *out = "1"; return true;
    case LOCALE_ITLZERO: *out = "0"; return true;
    case LOCALE_IDAYLZERO: *out = "0"; return true;
    case LOCALE_IMONLZERO: *out = "0"; return true;
    case LOCALE_S1159: *out = "AM"; return true;
    case LOCALE_S2359: *out = "PM"; return true;
    case LOCALE_IFIRSTDAYOFWEEK: *out = "6"; return true;
    case LOCALE_SENGLANGUAGE: *out = "English"; return true;
    case LOCALE_SABBREVLANGNAME: *out = "ENU"; return true;
    case LOCALE_SENGCOUNTRY: *out = "United States"; return true;
    case LOCALE_ICOUNTRY: *out = "1"; return true;
    default: return false;
  }
}

int Deliver(const std::string& text, LPSTR buffer, int maxCount) {
  int needed = static_cast<int>(text.size()) + 1;
  if (maxCount == 0) return needed;
  if (!buffer || maxCount < needed) return 0;
  std::memcpy(buffer, text.c_str(), static_cast<std::size_t>(needed));
  return needed;
}

}  // namespace

LCID GetUserDefaultLCID() { return LOCALE_USER_DEFAULT; }
LCID GetSystemDefaultLCID() { return LOCALE_SYSTEM_DEFAULT; }

int GetLocaleInfo(LCID, LCTYPE type, LPSTR buffer, int maxCount) {
  std::string text;
  if (!Setting(type, &text)) return 0;
  return Deliver(text, buffer, maxCount);
}

int GetNumberFormat(LCID, DWORD, LPCSTR value, const NUMBERFMT* format, LPSTR buffer, int maxCount) {
  if (!value) return 0;
  // Parse.
  const char* p = value;
  bool negative = *p == '-';
  if (negative) ++p;
  std::string whole, fraction;
  while (*p >= '0' && *p <= '9') whole += *p++;
  if (*p == '.') {
    ++p;
    while (*p >= '0' && *p <= '9') fraction += *p++;
  }
  if (*p || (whole.empty() && fraction.empty())) return 0;

  const UINT digits = format ? format->NumDigits : 2;
  const bool leadingZero = format ? format->LeadingZero != 0 : true;
  const UINT grouping = format ? format->Grouping : 3;
  const std::string decimalSep = format && format->lpDecimalSep ? format->lpDecimalSep : ".";
  const std::string thousandSep = format && format->lpThousandSep ? format->lpThousandSep : ",";
  const UINT negativeOrder = format ? format->NegativeOrder : 1;
  if (negativeOrder > 4) return 0;

  // Round half up to the fraction digits.
  if (fraction.size() > digits) {
    bool up = fraction[digits] >= '5';
    fraction.resize(digits);
    std::string all = whole + fraction;
    for (std::size_t i = all.size(); up && i-- > 0;) {
      if (all[i] == '9') {
        all[i] = '0';
      } else {
        ++all[i];
        up = false;
      }
    }
    if (up) all.insert(all.begin(), '1');
    whole = all.substr(0, all.size() - digits);
    fraction = all.substr(all.size() - digits);
  }
  fraction.resize(digits, '0');
  std::size_t firstDigit = whole.find_first_not_of('0');
  whole = firstDigit == std::string::npos ? std::string() : whole.substr(firstDigit);
  if (whole.empty() && (leadingZero || fraction.empty())) whole = "0";
  if (whole.find_first_not_of('0') == std::string::npos && fraction.find_first_not_of('0') == std::string::npos)
    negative = false;  // no negative zero

  // Group from the decimal point leftwards; the last size repeats.
  std::vector<int> sizes;
  for (UINT g = grouping; g > 0; g /= 10) sizes.insert(sizes.begin(), static_cast<int>(g % 10));
  std::string grouped;
  if (sizes.empty() || sizes[0] == 0) {
    grouped = whole;
  } else {
    std::size_t next = 0;
    int left = sizes[0];
    for (std::size_t i = whole.size(); i-- > 0;) {
      grouped.insert(grouped.begin(), whole[i]);
      if (--left == 0 && i > 0) {
        grouped.insert(0, thousandSep);
        if (next + 1 < sizes.size() && sizes[next + 1] > 0) ++next;
        left = sizes[next];
      }
    }
  }
  std::string number = grouped + (digits > 0 ? decimalSep + fraction : std::string());
  if (negative) {
    static const char* const kPatterns[][2] = {{"(", ")"}, {"-", ""}, {"- ", ""}, {"", "-"}, {"", " -"}};
    number = kPatterns[negativeOrder][0] + number + kPatterns[negativeOrder][1];
  }
  return Deliver(number, buffer, maxCount);
}
