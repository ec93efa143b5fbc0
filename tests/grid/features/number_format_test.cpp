#include <gtest/gtest.h>

#include <string>

#include "grid/core/GXStyle.h"
#include "grid/features/GXNumberFormattingImp.h"

namespace {

TEST(NumberFormat, DisplayTextsByFormatAndPlaces) {
  const struct {
    const char* value;
    unsigned format, places;
    const char* expect;
  } cases[] = {
      {"3.14159", 2, 2, "3.14"},
      {"-1234.5", 4, 2, "($1,234.50)"},
      {"1234.5", 4, 2, "$1,234.50 "},
      {"1234567.891", 5, 2, "1,234,567.89 "},
      {"-12", 5, 0, "(12)"},
      {"1234.5", 23, 1, " 1,234.5 "},
      {"1500", 1, 2, "1.50e+03"},
      {"0.125", 14, 1, "12.5%"},
      {"1.5", 7, 0, "1"},
      {"2", 7, 0, "?"},
      {"-0.5", 7, 0, "?"},
      {"255", 6, 0, "0xFF"},
      {"-255.7", 6, 0, "0xFF"},
      {"1e12", 6, 0, "0xFFFFFFFF"},
      {"2.25", 24, 0, " 2 1/4"},
      {"0.25", 24, 0, "  1/4"},
      {"0.1", 24, 0, "  1/10"},
      {"-0.5", 24, 0, "- 1/2"},
      {"45000", 8, 0, "15-Mar-23"},
      {"45000", 16, 0, "15.03.2023"},
      {"45000", 17, 0, "2023-03-15"},
      {"45000.5", 27, 0, "12:00"},
      {"45000.75", 25, 0, "06:00 PM"},
      {"anything", 12, 0, ""},
      {"text", 15, 0, "text"},
      {"7", 30, 0, " Format? "},
      {"1e307", 14, 0, " Percent! "},
  };
  for (const auto& c : cases) EXPECT_STREQ(GXFormatNumber(c.value, c.format, c.places), c.expect) << c.value << " " << c.format;
}

TEST(NumberFormat, HugeFixedValuesPrintInFull) {
  const CString text = GXFormatNumber("1e300", 2, 2);
  EXPECT_EQ(text.GetLength(), 304);
  EXPECT_EQ(GXFormatNumber("-1e300", 4, 0).GetLength(), 1 + 300 + 100 + 3);
}

TEST(NumberFormat, StylesWithoutAFormatOrWithTextShowTheValue) {
  CGXNumberFormattingImpl imp;
  CGXStyle style;
  style.SetValue("3.14159");
  EXPECT_STREQ(imp.FormatDisplayText(style, nullptr, 1, 0, 0), "3.14159");
  style.SetFormat(2).SetPlaces(1);
  EXPECT_STREQ(imp.FormatDisplayText(style, "3.14159", 1, 2, 1), "3.1");
  EXPECT_STREQ(imp.FormatDisplayText(style, "abc", 0, 2, 1), "abc") << "a text value is not formatted";
}

TEST(NumberFormat, ParsingRecognisesTheFormat) {
  const struct {
    const char* text;
    bool ok;
    double value;
    unsigned format, places;
  } cases[] = {
      {"($1,234.56)", true, -1234.56, 4, 2},
      {"1,23", false, 0, 0, 0},
      {"1.5e3", true, 1500, 1, 1},
      {"1,234", true, 1234, 5, 0},
      {"  -12.50  ", true, -12.5, 2, 2},
      {"(12)", true, -12, 5, 0},
      {"(-12)", false, 0, 0, 0},
      {"1.2.3", false, 0, 0, 0},
      {"12 x", false, 0, 0, 0},
      {"-", false, 0, 0, 0},
      {"abc", false, 0, 0, 0},
      {"", false, 0, 0, 0},
  };
  CGXNumberFormattingImpl imp;
  for (const auto& c : cases) {
    double value = 0;
    unsigned format = 99, places = 99;
    EXPECT_EQ(imp.ParseValue(c.text, value, &format, &places) != FALSE, c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    EXPECT_EQ(format, c.format) << c.text;
    EXPECT_EQ(places, c.places) << c.text;
  }
}

}  // namespace
