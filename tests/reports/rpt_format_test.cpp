// The money and percentage fields of the reports.
#include <gtest/gtest.h>

#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"

namespace {

TEST(RptFormatTest, Amounts) {
  struct Case {
    long long cents;
    int width;
    const char* text;
  };
  const Case cases[] = {
      {-5, 10, "(      0.05)"},
      {123456, 6, " ______ "},   // three digits allowed
      {-123456, 6, "(______)"},
      {199950, -5, "  2000 "},   // whole dollars, rounded
      {199949, -5, "  1999 "},
      {-199950, -5, "( 2000)"},
      {0, 8, "     0.00 "},
      {1234567, 10, "   12345.67 "},
      {9999, 5, " 99.99 "},
      {10000, 5, " _____ "},
      {100000000000000000LL, 18, " _______________ "},  // at most 15 underscores
      {300000000000LL, 16, "    3000000000.00 "},        // past 32 bits
  };
  for (const Case& c : cases) EXPECT_EQ(FormatRptAmount(c.cents, c.width), c.text) << c.cents << " " << c.width;
}

TEST(RptFormatTest, Percentages) {
  struct Case {
    long long part, whole;
    int width;
    const char* text;
  };
  const Case cases[] = {
      {1, 3, 3, "  33%"},
      {1, 0, 3, "     "},
      {1, 0, -3, "    "},
      {50, 4, 2, "___%"},
      {1, 2, -2, " 50"},
      {-1, 4, 3, " -25%"},
      // Parts above $214,748.36 overflow a 32-bit product.
      {50000000, 100000000, 3, "  50%"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatRptPercent(c.part, c.whole, c.width), c.text) << c.part << "/" << c.whole << " " << c.width;
}

TEST(RptFormatTest, MarkupHelpersEscapeData) {
  EXPECT_EQ(RptEscape("a{b}{ff}"), "a(b}(ff}");
  EXPECT_EQ(RptCell(30, "Smith {Jr}", 'r'), "{30r}Smith (Jr}");
  EXPECT_EQ(RptCell(12, "x"), "{12}x");
  EXPECT_EQ(RptRuleCode(77, RPT_RULE_HEAVY), "{77=}");
  EXPECT_EQ(RptRuleCode(30, RPT_RULE_DOTTED), "{30.}");
  EXPECT_EQ(RptFontCode(3), "{F3}");
  EXPECT_EQ(RptAbsolute(0.75, 10.5), "{+0.750000,10.500000}");
}

}  // namespace
