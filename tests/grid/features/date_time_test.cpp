#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "grid/core/GXAppData.h"
#include "grid/features/FeatureGrid.h"
#include "grid/features/GXDateTimeImp.h"
#include "grid/features/GXDrawRotatedTextImp.h"
#include "grid/features/GXFeatureRegistrars.h"
#include "platform/base/Locale.h"

namespace {

// The no-OLE variant under a short-date pattern of the test's choice.
class PatternDateTime : public CGXNoOleDateTimeImp {
 public:
  CString pattern = "M/d/yy";

 protected:
  CString ReadLocale(DWORD setting) override { return setting == LOCALE_SSHORTDATE ? pattern : CString(":"); }
};

class DateTime : public ::testing::Test {
 protected:
  void SetUp() override {
    GXGetAppData()->m_pDateTimeImp = &imp;
    imp.RefreshLocale();
  }
  void TearDown() override { GXGetAppData()->m_pDateTimeImp = nullptr; }
  void Use(const char* pattern) {
    imp.pattern = pattern;
    imp.RefreshLocale();
  }
  PatternDateTime imp;
};

TEST_F(DateTime, ReadsDatesInTheLocalesOrder) {
  const struct {
    const char* pattern;
    const char* text;
    int year, month, day;  // 0: refused
  } cases[] = {
      {"M/d/yy", "12/31/99", 1999, 12, 31},
      {"M/d/yy", "1/2/05", 1905, 1, 2},
      {"M/d/yy", "010203", 1903, 1, 2},
      {"M/d/yy", "1 Jan 99", 0, 0, 0},
      {"dd.MM.yyyy", "31/2/2000", 0, 0, 0},
      {"dd.MM.yyyy", "29/2/2000", 2000, 2, 29},
      {"dd.MM.yyyy", "29/2/1900", 0, 0, 0},
      {"yyyy-MM-dd", "2026-12-11", 2026, 12, 11},
      {"M/d/yy", "13/1/99", 0, 0, 0},
  };
  for (const auto& c : cases) {
    Use(c.pattern);
    GXTimestamp stamp;
    const BOOL ok = imp.ParseTimestamp(stamp, c.text, 3);
    EXPECT_EQ(ok, c.year != 0) << c.pattern << " " << c.text;
    if (ok) {
      EXPECT_EQ(stamp.year, c.year) << c.text;
      EXPECT_EQ(stamp.month, c.month) << c.text;
      EXPECT_EQ(stamp.day, c.day) << c.text;
    }
  }
  // The broken-down form counts years from 1900 and months from 0; years
  // up to 37 are this century's.
  struct tm parts {};
  Use("M/d/yy");
  ASSERT_TRUE(imp.ParseTm(parts, "12/31/99", 3));
  EXPECT_EQ(parts.tm_year, 99);
  EXPECT_EQ(parts.tm_mon, 11);
  ASSERT_TRUE(imp.ParseTm(parts, "1/1/0030", 3));
  EXPECT_EQ(parts.tm_year, 130);
}

TEST_F(DateTime, LearnsOrderSeparatorAndYearDigitsFromThePattern) {
  Use("dd.MM.yyyy");
  BOOL four = FALSE;
  TCHAR separator = 0;
  EXPECT_EQ(GXGetDateOrder(FALSE, &four, &separator), 0);
  EXPECT_TRUE(four);
  EXPECT_EQ(separator, '.');
  Use("M/d/yy");
  EXPECT_EQ(GXGetDateOrder(FALSE, &four, &separator), 1);
  EXPECT_FALSE(four);
  EXPECT_EQ(separator, '/');
}

TEST_F(DateTime, ReadsTimesWithAndWithoutTheirHalfOfTheDay) {
  const struct {
    const char* text;
    int hour, minute, second;  // hour -1: refused
  } cases[] = {
      {"12:30 AM", 0, 30, 0}, {"12:30 PM", 12, 30, 0}, {"1:05 p", 13, 5, 0},
      {"10:30", 10, 30, 0},   {"23:59:58", 23, 59, 58}, {"13:00 AM", -1, 0, 0},
      {"10:75", -1, 0, 0},
  };
  for (const auto& c : cases) {
    GXTimestamp stamp;
    const BOOL ok = imp.ParseTimestamp(stamp, c.text, 3);
    EXPECT_EQ(ok, c.hour >= 0) << c.text;
    if (!ok) continue;
    EXPECT_EQ(stamp.hour, c.hour) << c.text;
    EXPECT_EQ(stamp.minute, c.minute) << c.text;
    EXPECT_EQ(stamp.second, c.second) << c.text;
  }
  // A time alone is a time of 1 January 1970.
  struct tm parts {};
  ASSERT_TRUE(imp.ParseTm(parts, "10:30", 3));
  EXPECT_EQ(parts.tm_year, 70);
  EXPECT_EQ(parts.tm_mon, 0);
  EXPECT_EQ(parts.tm_mday, 1);
  EXPECT_EQ(parts.tm_hour, 10);
  // A date with a time.
  GXTimestamp both;
  ASSERT_TRUE(imp.ParseTimestamp(both, "12/31/99 10:30", 3));
  EXPECT_EQ(both.year, 1999);
  EXPECT_EQ(both.hour, 10);
  ASSERT_TRUE(imp.ParseTimestamp(both, "", 3));
  EXPECT_EQ(both.year, 0);
}

TEST_F(DateTime, WritesTimestampsInTheLocalesOrder) {
  const struct {
    const char* pattern;
    GXTimestamp stamp;
    const char* text;
  } cases[] = {
      {"M/d/yy", {1999, 12, 31, 0, 0, 0, 0}, "12/31/99"},
      {"dd.MM.yyyy", {2026, 3, 4, 0, 0, 0, 0}, "04.03.2026"},
      {"yyyy-MM-dd", {2026, 3, 4, 8, 5, 0, 0}, "2026-03-04 08:05:00"},
      {"M/d/yy", {0, 0, 0, 14, 0, 9, 0}, "14:00:09"},
  };
  for (const auto& c : cases) {
    Use(c.pattern);
    CString text;
    imp.FormatTimestamp(text, c.stamp);
    EXPECT_EQ(std::string(text), c.text) << c.pattern;
  }
}

TEST(DateTimeRegistration, TheFirstVariantEnabledStays) {
  gridtest::FeatureLibrary library;
  CGXAbstractDateTimeImp* installed = GXGetAppData()->m_pDateTimeImp;
  EXPECT_NE(dynamic_cast<CGXOleDateTimeImp*>(installed), nullptr);
  GXEnableNoOleDateTime();
  EXPECT_EQ(GXGetAppData()->m_pDateTimeImp, installed);
  EXPECT_EQ(GXGetDateOrder(FALSE, nullptr, nullptr), 3) << "the OLE variant leaves the order to its parser";
  GXTimestamp stamp;
  ASSERT_TRUE(installed->ParseTimestamp(stamp, "12/31/1999", 3));
  EXPECT_EQ(stamp.year, 1999);
  EXPECT_EQ(stamp.month, 12);
}

TEST(DateTimeRegistration, WithoutAVariantTheForwardersAnswerTheirDefaults) {
  GXGetAppData()->m_pDateTimeImp = nullptr;
  EXPECT_EQ(GXGetDateOrder(TRUE, nullptr, nullptr), 3);
  EXPECT_EQ(GXGetTimeSeparator(TRUE), ':');
}

// ------------------------------------------------------------ turned text

TEST(RotatedText, OriginFollowsTheAngleAndAlignment) {
  const RECT cell{10, 20, 110, 70};
  const SIZE extent{40, 10};
  const struct {
    LONG angle;
    UINT format;
    LONG x, y;
  } cases[] = {
      {0, 0, 10, 25},        // text on its base line
      {3600, 0, 10, 25},     // a full turn is no turn
      {900, 0, 10, 65},      // up the left side
      {-900, 0, 20, 20},     // 270 degrees: down from the top
      {2700, 0, 20, 20},
      {0, DT_RIGHT, 60, 25},
      {0, DT_CENTER, 35, 25},
      {0, DT_BOTTOM, 10, 65},
  };
  for (const auto& c : cases) {
    const POINT p = GXRotatedTextOrigin(cell, extent, c.format, c.angle);
    EXPECT_EQ(p.x, c.x) << c.angle << " " << c.format;
    EXPECT_EQ(p.y, c.y) << c.angle << " " << c.format;
  }
}

}  // namespace
