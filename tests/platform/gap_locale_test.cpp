// The fixed locale: settings as text and number formatting.
#include <gtest/gtest.h>

#include <string>

#include "platform/base/Locale.h"

namespace {

TEST(GapLocale, SettingsAreTheFixedUnitedStatesOnes) {
  struct Case {
    LCTYPE type;
    const char* expected;
  };
  const Case cases[] = {
      {LOCALE_SDECIMAL, "."},          {LOCALE_STHOUSAND, ","},
      {LOCALE_SGROUPING, "3;0"},       {LOCALE_IDIGITS, "2"},
      {LOCALE_ILZERO, "1"},            {LOCALE_SCURRENCY, "$"},
      {LOCALE_SMONDECIMALSEP, "."},    {LOCALE_SMONTHOUSANDSEP, ","},
      {LOCALE_SMONGROUPING, "3;0"},    {LOCALE_ICURRDIGITS, "2"},
      {LOCALE_ICURRENCY, "0"},         {LOCALE_INEGCURR, "0"},
      {LOCALE_SSHORTDATE, "M/d/yyyy"}, {LOCALE_SLONGDATE, "dddd, MMMM d, yyyy"},
      {LOCALE_STIME, ":"},             {LOCALE_STIMEFORMAT, "h:mm:ss tt"},
      {LOCALE_SDAYNAME1, "Monday"},    {LOCALE_SDAYNAME7, "Sunday"},
      {LOCALE_SABBREVDAYNAME6, "Sat"}, {LOCALE_SMONTHNAME1, "January"},
      {LOCALE_SMONTHNAME12, "December"}, {LOCALE_SABBREVMONTHNAME9, "Sep"},
      {LOCALE_SDECIMAL | LOCALE_NOUSEROVERRIDE, "."},
  };
  for (const auto& c : cases) {
    const int size = GetLocaleInfo(LOCALE_USER_DEFAULT, c.type, nullptr, 0);
    EXPECT_EQ(size, static_cast<int>(std::string(c.expected).size()) + 1) << c.expected;
    char buffer[64] = {};
    EXPECT_EQ(GetLocaleInfo(LOCALE_SYSTEM_DEFAULT, c.type, buffer, sizeof buffer), size) << c.expected;
    EXPECT_STREQ(buffer, c.expected);
  }
  char two[2];
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, two, 2), 2);  // exactly fits
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1, two, 2), 0);  // too small
  EXPECT_EQ(GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7777, two, 2), 0);  // unknown
}

TEST(GapLocale, NumbersRoundGroupAndSign) {
  char sep[] = ";";
  char dot[] = ",";
  const NUMBERFMT threeDigits{3, 1, 3, dot, sep, 0};
  const NUMBERFMT noGroupNoZero{2, 0, 0, nullptr, nullptr, 3};
  const NUMBERFMT indian{0, 1, 32, nullptr, nullptr, 4};
  const NUMBERFMT spaceMinus{1, 1, 3, nullptr, nullptr, 2};
  struct Case {
    const char* value;
    const NUMBERFMT* format;
    const char* expected;  // nullptr: fails
  };
  const Case cases[] = {
      {"1234567.891", nullptr, "1,234,567.89"},
      {"-1234.5", nullptr, "-1,234.50"},
      {"0.005", nullptr, "0.01"},
      {"-0.004", nullptr, "0.00"},  // no negative zero
      {"999.995", nullptr, "1,000.00"},
      {".5", nullptr, "0.50"},
      {"12", nullptr, "12.00"},
      {"000123", nullptr, "123.00"},
      {"-1234.5", &threeDigits, "(1;234,500)"},
      {"0.25", &noGroupNoZero, ".25"},
      {"-1234567.25", &noGroupNoZero, "1234567.25-"},
      {"123456789", &indian, "12,34,56,789"},
      {"-99.5", &indian, "100 -"},
      {"-1.25", &spaceMinus, "- 1.3"},
      {"1e5", nullptr, nullptr},
      {"", nullptr, nullptr},
      {"-", nullptr, nullptr},
      {"1.2.3", nullptr, nullptr},
      {" 1", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    char buffer[64] = {};
    int n = GetNumberFormat(LOCALE_USER_DEFAULT, 0, c.value, c.format, buffer, sizeof buffer);
    if (!c.expected) {
      EXPECT_EQ(n, 0) << c.value;
      continue;
    }
    EXPECT_STREQ(buffer, c.expected) << c.value;
    EXPECT_EQ(n, static_cast<int>(std::string(c.expected).size()) + 1) << c.value;
    EXPECT_EQ(GetNumberFormat(LOCALE_USER_DEFAULT, 0, c.value, c.format, nullptr, 0), n) << c.value;
  }
  char small[4];
  EXPECT_EQ(GetNumberFormat(LOCALE_USER_DEFAULT, 0, "1234", nullptr, small, sizeof small), 0);
}

}  // namespace
