#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/core/GXFont.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXStyle.h"
#include "grid/core/GXStylesMap.h"
#include "grid/features/FeatureGrid.h"
#include "platform/base/Profile.h"

namespace {

// The application profile in memory, emptied before and after each test.
class GridProfile : public ::testing::Test {
 protected:
  GridProfile() { platform::SetProfileFile(""); }
  ~GridProfile() override { platform::SetProfileFile(""); }

  static std::string Value(const char* section, const char* key) {
    char buffer[4096];
    GetProfileString(section, key, "<none>", buffer, sizeof buffer);
    return buffer;
  }
  static void Put(const char* section, const char* key, const char* value) {
    WriteProfileString(section, key, value);
  }

  gridtest::FeatureLibrary library;
};

TEST_F(GridProfile, PropertiesComeBackFromTheProfile) {
  CGXProperties written;
  written.m_bVertLines = FALSE;
  written.m_nPageOrder = 1;
  written.m_bCenterVertical = TRUE;
  written.m_nFirstPage = 10;
  written.m_nMargins[0] = 11;  // bottom
  written.m_nMargins[1] = 12;  // left
  written.m_nMargins[2] = 13;  // top
  written.m_nMargins[3] = 14;  // right
  written.m_nDistances[1] = 33;
  written.ColorValues()[0] = GXPackedColor::FromColorRef(RGB(9, 8, 7));
  written.AddDefaultUserProperties();
  written.WriteProfile();
  EXPECT_EQ(Value("Grid", "Margins"), "13,12,11,14") << "top, left, bottom, right";
  EXPECT_EQ(Value("Grid", "Page Order"), "1");

  CGXProperties read;
  read.AddDefaultUserProperties();
  ASSERT_TRUE(read.ReadProfile());
  EXPECT_FALSE(read.m_bVertLines);
  EXPECT_EQ(read.m_nPageOrder, 1);
  EXPECT_TRUE(read.m_bCenterVertical);
  EXPECT_EQ(read.m_nFirstPage, 10);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(read.m_nMargins[i], written.m_nMargins[i]) << i;
  EXPECT_EQ(read.m_nDistances[1], 33);
  EXPECT_EQ(read.GetColor(0), RGB(9, 8, 7));
  EXPECT_EQ(read.GetUserProperty(51005).GetValue(), written.GetUserProperty(51005).GetValue());

  // Two margins set top and left and keep the others.
  Put("Grid", "Margins", " 1, 2");
  ASSERT_TRUE(read.ReadProfile());
  EXPECT_EQ(read.m_nMargins[2], 1);
  EXPECT_EQ(read.m_nMargins[1], 2);
  EXPECT_EQ(read.m_nMargins[0], 11);
  EXPECT_EQ(read.m_nMargins[3], 14);

  read.m_sSection = "Nothing";
  EXPECT_FALSE(read.ReadProfile()) << "no section, nothing read";
}

TEST_F(GridProfile, AStyleWritesItsSetKeysAndRemovesTheOthers) {
  Put("S", "ReadOnly", "1");
  Put("S", "Top", "kept");
  Put("S", "UA7", "kept");
  CGXStyle value("Patrol");
  value.WriteProfile("S", nullptr);
  EXPECT_EQ(Value("S", "Value"), "Patrol");
  EXPECT_EQ(Value("S", "ReadOnly"), "<none>");
  EXPECT_EQ(Value("S", "Top"), "kept");
  EXPECT_EQ(Value("S", "UA7"), "kept");

  CGXStylesMap map;
  map.CreateStandardStyles();
  CGXStyle full;
  full.SetValue("x\\y")
      .SetHorizontalAlignment(DT_RIGHT)
      .SetVerticalAlignment(DT_VCENTER)
      .SetTextColor(RGB(10, 20, 30))
      .SetInterior(CGXStyleInterior(RGB(200, 100, 50)))
      .SetBorder(CGXStyle::kBottom, CGXStyleBorder(PS_SOLID, 2, RGB(0, 0, 255)))
      .SetFont(CGXFont().SetFaceName("Arial").SetSize(12).SetBold(TRUE))
      .SetChoiceList("one\ntwo\\\nthree")
      .SetMaxLength(40)
      .SetFormat(5)
      .SetPlaces(2)
      .SetBaseStyle(map.m_wStyleRowHeader);
  full.WriteProfile("Full", &map);
  EXPECT_EQ(Value("Full", "ChoicesList"), "one\\ntwo\\\\\\nthree");
  EXPECT_EQ(Value("Full", "BaseStyle"), "#52769");
  EXPECT_EQ(Value("Full", "HorizontalAlignment"), "2");

  CGXStyle read;
  EXPECT_EQ(read.ReadProfile("Full", &map), 1);
  EXPECT_EQ(read.GetValue(), "x\\y");
  EXPECT_EQ(read.GetChoiceList(), "one\r\ntwo\\\r\nthree");
  EXPECT_EQ(read.GetHorizontalAlignment(), static_cast<UINT>(DT_RIGHT));
  EXPECT_EQ(read.GetVerticalAlignment(), static_cast<UINT>(DT_VCENTER));
  EXPECT_EQ(read.GetTextColorRGB(), RGB(10, 20, 30));
  EXPECT_EQ(read.GetInterior().fill, full.GetInterior().fill);
  EXPECT_EQ(read.GetBorders(CGXStyle::kBottom), full.GetBorders(CGXStyle::kBottom));
  EXPECT_FALSE(read.GetBorders(CGXStyle::kTop).GetInclude());
  EXPECT_EQ(read.GetFont(), full.GetFont());
  EXPECT_EQ(read.GetMaxLength(), 40);
  EXPECT_EQ(read.GetFormat(), 5u);
  EXPECT_EQ(read.GetPlaces(), 2u);
  EXPECT_EQ(read.GetBaseStyle(), map.m_wStyleRowHeader);
  EXPECT_FALSE(read.GetIncludeReadOnly());

  // A "Borders" value other than exactly "1" reads no borders.
  Put("Full", "Borders", "1 ");
  EXPECT_EQ(read.ReadProfile("Full", &map), 1);
  EXPECT_FALSE(read.GetIncludeBorders());
  EXPECT_EQ(read.ReadProfile("", &map), 0);
}

TEST_F(GridProfile, BaseStylesComeBackByResourceIdOrName) {
  CGXStylesMap written;
  written.CreateStandardStyles();
  CGXStyle standard;
  standard.SetValue("std");
  written.SetStyleEntry(written.m_wStyleStandard, standard, "Renamed", 52768, TRUE);
  // Enough base styles that their names pass a thousand characters.
  for (int i = 0; i < 60; ++i) {
    CGXStyle style;
    style.SetValue(std::to_string(i).c_str());
    written.RegisterStyleByName(("A rather long base style name number " + std::to_string(i)).c_str(), style, FALSE);
  }
  written.WriteProfile();
  EXPECT_EQ(Value("Styles", "#52768"), "1");
  EXPECT_EQ(Value("Styles.#52768", "Value"), "std");

  CGXStylesMap read;
  read.CreateStandardStyles();
  ASSERT_TRUE(read.ReadProfile());
  const CGXStyle* style = nullptr;
  ASSERT_TRUE(read.LookupStyle(read.m_wStyleStandard, style));
  EXPECT_EQ(style->GetValue(), "std");
  EXPECT_TRUE(style->GetIncludeFont()) << "completed with the defaults";
  const WORD last = read.FindIdByName("A rather long base style name number 59");
  ASSERT_TRUE(read.LookupStyle(last, style)) << "the whole list is read";
  EXPECT_EQ(style->GetValue(), "59");

  CGXStylesMap empty;
  empty.m_sSection = "None";
  EXPECT_FALSE(empty.ReadProfile());
}

TEST_F(GridProfile, FontsAreKeptAsTheirTextForm) {
  CGXFont font;
  font.SetFaceName("Arial").SetSize(10).SetItalic(TRUE);
  GXWriteFontProfile(font, "F", "Heading");
  EXPECT_EQ(Value("F", "Heading"), std::string(font.GetDescription()));
  CGXFont read;
  ASSERT_TRUE(GXGetAppData()->m_pGridProfileImp->ReadFont(read, "F", "Heading"));
  EXPECT_EQ(read, font);
  EXPECT_FALSE(GXGetAppData()->m_pGridProfileImp->ReadFont(read, "F", "Missing"));
}

}  // namespace
