#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "common/Dates.h"
#include "common/Money.h"

TEST(Money, FormatAndParse) {
  const std::pair<long, const char*> plain[] = {
      {0, "0.00"},         {-5, "-0.05"}, {100, "1.00"}, {123456, "1234.56"}, {-2147483647L, "-21474836.47"},
      {LONG_MIN, "-92233720368547758.08"}};
  for (const auto& c : plain) EXPECT_STREQ(FormatCents(c.first), c.second) << c.first;

  EXPECT_EQ(FormatDollars(-1, 0), "($0.01)");
  EXPECT_EQ(FormatDollars(-1234, 1), "($ 12.34)");
  EXPECT_EQ(FormatDollars(1234, 0), "$12.34");

  const std::pair<const char*, long> parsed[] = {
      {"($12.34)", -1234}, {"-12.34", -1234}, {"12.34-", -1234}, {"$ -12.34", -1234}, {"12.346", 1235},
      {"12", 1200},        {"", 0},           {"abc", 0},        {"1,234.50", 100},   {"0.29", 29},
      {"$99999.99", 9999999},
      // Malformed and oversized input: no overflow, no foreign number forms.
      {"99999999999999999999", 2147483647L}, {"-21474836.48", -2147483647L}, {"21474836.47", 2147483647L},
      {"inf", 0},          {"nan", 0},        {"0x1A", 0},       {"1e5", 100},        {"+7.5", 750},
      // Leading zeros are no extra length; fractions round as written in decimal.
      {"000000000012.34", 1234}, {"0000000000", 0}, {"-0000000000099", -9900}, {"1.005", 101}, {"2.675", 268},
      {"12.995", 1300}, {"0.0049", 0}, {"21474836.465", 2147483647L}};
  for (const auto& c : parsed) EXPECT_EQ(ParseDollars(c.first), c.second) << c.first;
}

TEST(Money, TheEleventhResultReusesTheFirstBuffer) {
  const char* first = FormatCents(1);
  for (int i = 0; i < 9; ++i) FormatCents(2);
  EXPECT_STREQ(first, "0.01");
  FormatCents(3);
  EXPECT_STREQ(first, "0.03");
}

TEST(Money, SignsAndColumnLabels) {
  EXPECT_EQ(SignByAcctLetter('A', 5), 5);
  EXPECT_EQ(SignByAcctLetter('S', 5), 5);
  EXPECT_EQ(SignByAcctLetter('E', 5), -5);
  EXPECT_EQ(ApplyAcctLetterSign('L', 5), -5);
  EXPECT_EQ(ApplyAcctLetterSign('A', -5), -5);
  struct Case {
    long acct;
    int side;
    int sign;
    const char* label;
  } cases[] = {{101, 1, 0, "Dep"}, {101, 2, 0, "W/D"}, {450, 1, 0, "Chg"}, {599, 2, 0, "Ref"},
               {650, 1, 1, "Pmt(+)"}, {650, 0, 1, "Ref(-)"}, {750, 1, 0, "Dep"}, {900, 1, 1, "All"},
               {850, 1, 0, "???"}};
  for (const Case& c : cases) {
    char out[8];
    GetAmountColumnLabel(c.acct, c.side, c.sign, out);
    EXPECT_STREQ(out, c.label) << c.acct;
  }
}

TEST(Dates, OneDateInEveryFormatCode) {
  // 5 March 2003, 14:07:09
  const char* expected[20] = {"05-Mar-03", "05-Mar-03 14:07", "01407", "140709", "03/05", "03/05/03", "03/03",
                              "03/05/03", "0305", "030503", "03052003", "Mar", "Mar 2003", "March 05, 2003",
                              "030641407", "030305", "0303051407", "03Mar051407", "20030305", "20030305140709"};
  for (int code = 0; code < 20; ++code) {
    char out[32];
    FormatDate("20030305140709", DF_YYYYMMDDHHMISS, code, out);
    EXPECT_STREQ(out, expected[code]) << code;
  }
  char out[32] = "x";
  FormatDate("20030305", DF_YYYYMMDD, 20, out);
  EXPECT_STREQ(out, "");
}

TEST(Dates, ReadingTheCodes) {
  struct Case {
    const char* in;
    int code;
    const char* out18;
  } cases[] = {
      {"3/5/3", DF_MM_DD_YY_SPLIT, "20030305"},  {"990101", DF_YYMMDD, "19990101"},
      {"500101", DF_YYMMDD, "20500101"},         {"510101", DF_YYMMDD, "19510101"},
      {"05-MAR-03", DF_DD_MON_YY, "20030305"},   {"March 05, 2003", DF_LONG, "20030305"},
      {"DECEMBER 31, 1999", DF_LONG, "19991231"}, {"  03.05.03 ", DF_MM_DD_YY, "20030305"},
      {"04060", DF_YYDDDHHMI, "20040229"},       {"03060", DF_YYDDDHHMI, "20030301"},
      {"04366", DF_YYDDDHHMI, "20041231"},       {"04061", DF_YYDDDHHMI, "20040301"},
      {"12312003", DF_MMDDYYYY, "20031231"},
  };
  for (const Case& c : cases) {
    char out[32];
    FormatDate(c.in, c.code, DF_YYYYMMDD, out);
    EXPECT_STREQ(out, c.out18) << c.in;
  }
  char out[32];
  FormatDate("20040229", DF_YYYYMMDD, DF_YYDDDHHMI, out);
  EXPECT_STREQ(out, "040600000");
  char mm[16], dd[16], yy[16], hh[16];
  ParseDate("12/25", DF_MM_DD_SPLIT, nullptr, &yy, nullptr, nullptr, &mm, nullptr, &dd, nullptr, &hh, nullptr, nullptr);
  EXPECT_STREQ(mm, "12");
  EXPECT_STREQ(dd, "25");
  EXPECT_STREQ(yy, "");
  EXPECT_STREQ(hh, "");
}

TEST(Dates, OverlongFieldsOfTheSlashAndLongFormsStayBounded) {
  struct Case {
    const char* in;
    int code;
  } cases[] = {{"9/2147483647", DF_MM_YY_SPLIT},       {"2/2147483647", DF_MM_DD_SPLIT},
               {"99999999999/1/1", DF_MM_DD_YY_SPLIT}, {"1/1/-2147483648", DF_MM_DD_YY_SPLIT},
               {"March 2147483647, 2147483647", DF_LONG}, {"May 1, 99999999999999", DF_LONG}};
  for (const Case& c : cases) {
    char out[32];
    FormatDate(c.in, c.code, DF_YYYYMMDD, out);
    EXPECT_LT(std::strlen(out), sizeof out) << c.in;
    EXPECT_STRNE(out, "") << c.in;
  }
}

TEST(Dates, ShortAndLongRings) {
  const char* first = FormatDateLong("20030305", DF_YYYYMMDD);
  EXPECT_STREQ(first, "March 05, 2003");
  for (int i = 0; i < 3; ++i) FormatDateLong("20040101", DF_YYYYMMDD);
  EXPECT_STREQ(first, "March 05, 2003");
  FormatDateLong("20040101", DF_YYYYMMDD);
  EXPECT_STREQ(first, "January 01, 2004");
  EXPECT_STREQ(FormatDateShort("20030305", DF_YYYYMMDD), "03/05/03");
}

// Stored dates compare without being formatted; the order must be the one
// their full formatting gives, odd and short texts included.
TEST(Dates, StoredDatesCompareAsTheirFullFormsDo) {
  const char* dates[] = {"20080101", "20071231", "20080229", "20081399", "00000000", "99991231",
                         "19510101", "2008010",  "2008-1-1", "",         "20080101x"};
  auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const char* a : dates)
    for (const char* b : dates) {
      char fa[32], fb[32];
      FormatDate(a, DF_YYYYMMDD, DF_YYYYMMDDHHMISS, fa);
      FormatDate(b, DF_YYYYMMDD, DF_YYYYMMDDHHMISS, fb);
      EXPECT_EQ(sign(CompareDates(a, b, DF_YYYYMMDD)), sign(std::strcmp(fa, fb))) << a << " / " << b;
    }
}

TEST(Dates, CompareRangeAndSteps) {
  EXPECT_GT(CompareDates("20030101", "20021231", DF_YYYYMMDD), 0);
  EXPECT_TRUE(DateInRange("", "", "", DF_YYYYMMDD));
  EXPECT_TRUE(DateInRange("", "", "20030101", DF_YYYYMMDD));
  EXPECT_FALSE(DateInRange("20030101", "20031231", "20040101", DF_YYYYMMDD));
  EXPECT_FALSE(DateInRange("20030101", "20031231", "", DF_YYYYMMDD));
  EXPECT_TRUE(DateInRange("20030101", "20031231", "20031231", DF_YYYYMMDD));

  const std::pair<const char*, const char*> back[] = {
      {"20040301", "20040229"}, {"20030301", "20030228"}, {"20030101", "20021231"}, {"20030415", "20030414"}};
  for (const auto& c : back) {
    char out[9];
    AddToDate(c.first, 0, 0, -1, out);
    EXPECT_STREQ(out, c.second) << c.first;
  }
  char out[9];
  AddToDate("20031231", 0, 0, 1, out);
  EXPECT_STREQ(out, "20040101");
  AddToDate("20040228", 0, 0, 1, out);
  EXPECT_STREQ(out, "20040229");

  EXPECT_TRUE(MonthInRange(9, 2, 11));
  EXPECT_TRUE(MonthInRange(9, 2, 0));
  EXPECT_FALSE(MonthInRange(9, 2, 5));
  EXPECT_TRUE(MonthInRange(0, 11, 5));
  FiscalFirstMonth = 6;
  FiscalStartYear = 2003;
  EXPECT_EQ(GetFiscalYearOfMonth(0), 2004);
  EXPECT_EQ(GetFiscalYearOfMonth(6), 2003);

  char stamp[32];
  GetTimestamp(DF_YYYYMMDD, stamp);
  EXPECT_EQ(std::strlen(stamp), 8u);
}

TEST(Dates, DefaultDateIsTodayInsideTheYearElseItsEnd) {
  std::strcpy(TodayDate, "20031115");
  std::strcpy(FiscalEndDate, "20030630");
  TodayVsFiscalYear = 0;
  EXPECT_EQ(GetDefaultDateText(false), "11/15/03");
  TodayVsFiscalYear = 1;
  EXPECT_EQ(GetDefaultDateText(false), "06/30/03");
  // The stored form, even with no date edit around to normalise it.
  EXPECT_EQ(GetDefaultDateText(true), "20030630");
  TodayVsFiscalYear = 0;
}
