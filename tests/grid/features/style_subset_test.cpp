#include <gtest/gtest.h>

#include <functional>

#include "grid/core/GXAppData.h"
#include "grid/core/GXStyle.h"
#include "grid/features/FeatureGrid.h"
#include "platform/gfx/GdiDefs.h"

namespace {

using gridtest::FeatureLibrary;

// A system colour given the way styles carry one.
COLORREF SystemColour(int index) { return static_cast<COLORREF>(254 - index) << 24; }

TEST(StyleSubset, ContainmentByAttribute) {
  FeatureLibrary library;
  const CGXStyleBorder thin(PS_SOLID, 1, RGB(0, 0, 0));
  const CGXStyleBorder thick(PS_SOLID, 3, RGB(0, 0, 0));
  const struct {
    const char* name;
    std::function<void(CGXStyle&)> style, subset;
    bool contained;
  } cases[] = {
      {"empty subset in empty style", [](CGXStyle&) {}, [](CGXStyle&) {}, true},
      {"empty subset in any style", [](CGXStyle& s) { s.SetValue("x").SetReadOnly(TRUE); }, [](CGXStyle&) {}, true},
      {"attribute the style lacks", [](CGXStyle&) {}, [](CGXStyle& s) { s.SetWrapText(FALSE); }, false},
      {"alignment 3 is left", [](CGXStyle& s) { s.SetHorizontalAlignment(DT_LEFT); },
       [](CGXStyle& s) { s.SetHorizontalAlignment(3); }, true},
      {"alignment differs", [](CGXStyle& s) { s.SetHorizontalAlignment(DT_LEFT); },
       [](CGXStyle& s) { s.SetHorizontalAlignment(DT_RIGHT); }, false},
      {"system colour against its RGB",
       [](CGXStyle& s) { s.SetTextColor(GXGetSysColor(COLOR_WINDOWTEXT)); },
       [](CGXStyle& s) { s.SetTextColor(SystemColour(COLOR_WINDOWTEXT)); }, true},
      {"bottom border among four", [&](CGXStyle& s) { s.SetBorder(CGXStyle::kAllSides, thin); },
       [&](CGXStyle& s) { s.SetBorder(CGXStyle::kBottom, thin); }, true},
      {"bottom border differs", [&](CGXStyle& s) { s.SetBorder(CGXStyle::kAllSides, thin); },
       [&](CGXStyle& s) { s.SetBorder(CGXStyle::kBottom, thick); }, false},
      {"border the style lacks", [&](CGXStyle& s) { s.SetBorder(CGXStyle::kTop, thin); },
       [&](CGXStyle& s) { s.SetBorder(CGXStyle::kBottom, thin); }, false},
      {"font part", [](CGXStyle& s) { s.SetFont(CGXFont().SetBold(TRUE).SetSize(10).SetFaceName("Arial")); },
       [](CGXStyle& s) { s.SetFont(CGXFont().SetBold(TRUE)); }, true},
      {"font differs", [](CGXStyle& s) { s.SetFont(CGXFont().SetBold(TRUE)); },
       [](CGXStyle& s) { s.SetFont(CGXFont().SetItalic(TRUE)); }, false},
      {"value is case-sensitive", [](CGXStyle& s) { s.SetValue("Abc"); }, [](CGXStyle& s) { s.SetValue("abc"); },
       false},
      {"interior", [](CGXStyle& s) { s.SetInteriorColor(RGB(1, 2, 3)); },
       [](CGXStyle& s) { s.SetInteriorColor(RGB(1, 2, 4)); }, false},
      {"user attribute in its position", [](CGXStyle& s) { s.SetUserAttributeText(10, "a"); },
       [](CGXStyle& s) { s.SetUserAttributeText(10, "a"); }, true},
      {"equal attribute only in a later position",
       [](CGXStyle& s) { s.SetUserAttributeText(5, "b").SetUserAttributeText(10, "a"); },
       [](CGXStyle& s) { s.SetUserAttributeText(10, "a"); }, false},
  };
  for (const auto& c : cases) {
    CGXStyle style, subset;
    c.style(style);
    c.subset(subset);
    EXPECT_EQ(static_cast<bool>(style.IsSubSet(subset)), c.contained) << c.name;
  }
  CGXStyle full;
  full.SetValue("v").SetBorder(CGXStyle::kAllSides, thin).SetFont(CGXFont().SetBold(TRUE)).SetUserAttributeText(7, "u");
  EXPECT_TRUE(full.IsSubSet(full)) << "a style contains itself";
}

TEST(StyleSubset, WithoutTheFeatureNothingIsContained) {
  CGXStyle style;
  EXPECT_FALSE(style.IsSubSet(style));
}

}  // namespace
