#include <gtest/gtest.h>

#include <vector>

#include "grid/core/GXStylesMap.h"
#include "platform/window/Messages.h"
#include "platform/gfx/SysColors.h"

namespace {

TEST(GridStyle, PackedColourModes) {
  struct Case {
    COLORREF in;
    BYTE mode;
    DWORD value;
  } cases[] = {
      {0xF9123456u, 3, 5}, {0x01000010u, 1, 16}, {0xFF00ABCDu, 3, 0xABCD}, {0x40123456u, 0, 0x123456}, {0x00FF00FFu, 0, 0xFF00FF},
  };
  for (const auto& c : cases) {
    const GXPackedColor p = GXPackedColor::FromColorRef(c.in);
    EXPECT_EQ(p.mode, c.mode) << std::hex << c.in;
    EXPECT_EQ(p.value, c.value) << std::hex << c.in;
  }
  CGXStyle s;
  s.SetTextColor(0xF6000000u);  // window text, index 8
  EXPECT_EQ(s.GetTextColorRGB(), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(s.ResolveTextColor(), GetSysColor(COLOR_WINDOWTEXT) | 0xF6000000u);
  CGXStyle copy;
  copy.SetTextColor(s.ResolveTextColor());
  EXPECT_EQ(copy.GetTextColorRGB(), s.GetTextColorRGB()) << "the transfer form sets into another style unchanged";
}

TEST(GridStyle, IncludeMaskSwapsFloodAndFloat) {
  CGXStyle s;
  s.SetFloatCell(TRUE);
  EXPECT_EQ(s.ConvertIncludeBits(), 0x200000u);
  CGXStyle t;
  t.SetFloodCell(TRUE);
  EXPECT_EQ(t.ConvertIncludeBits(), 0x400000u);
  CGXStyle u;
  u.SetIncludeMask(0x200000u | 0x1u);
  EXPECT_TRUE(u.GetIncludeFloatCell());
  EXPECT_TRUE(u.GetIncludeHorizontalAlignment());
  EXPECT_FALSE(u.GetIncludeFloodCell());
  u.SetIncludeMask(0);
  EXPECT_FALSE(u.HasAnyInclude());
}

TEST(GridStyle, SettersClampAndFlags) {
  CGXStyle s;
  s.SetBaseStyle(258).SetHorizontalAlignment(DT_RIGHT).SetVerticalAlignment(3).SetPlaces(17).SetMergeCell(9);
  EXPECT_EQ(s.GetBaseStyle(), 2u);
  EXPECT_EQ(s.GetHorizontalAlignment(), static_cast<UINT>(DT_RIGHT));
  EXPECT_EQ(s.GetVerticalAlignment(), static_cast<UINT>(DT_TOP));
  EXPECT_EQ(s.GetPlaces(), 1u);
  EXPECT_EQ(s.GetMergeCell(), 1u);
  s.SetValueNumber(42);
  EXPECT_EQ(s.GetValue(), "42");
  EXPECT_EQ(s.GetValueType(), 1u);
  s.SetIncludeValue(FALSE);
  EXPECT_TRUE(s.GetValue().IsEmpty()) << "clearing the Value flag empties the text";
  EXPECT_TRUE(s.GetUserAttribute(51022).GetValue().IsEmpty());
  EXPECT_FALSE(s.GetIncludeUserAttributes());
}

TEST(GridStyle, BorderSidesKeepTheBordersFlag) {
  CGXStyle s;
  s.SetBorder(CGXStyle::kTop, CGXStyleBorder(PS_DOT, 1, RGB(255, 0, 0)));
  EXPECT_TRUE(s.HasBorder(CGXStyle::kTop));
  EXPECT_FALSE(s.HasBorder(CGXStyle::kLeft));
  s.SetIncludeBorder(CGXStyle::kTop, FALSE);
  EXPECT_FALSE(s.GetIncludeBorders()) << "no side left set";
  s.SetIncludeBorder(CGXStyle::kAllSides, TRUE);
  EXPECT_TRUE(s.HasBorder(CGXStyle::kRight));
  EXPECT_EQ(s.GetBorders(CGXStyle::kRight).style, static_cast<UINT>(PS_SOLID)) << "marking set turns 'not set' into solid";
  EXPECT_EQ(s.GetBorders(CGXStyle::kTop).style, static_cast<UINT>(PS_SOLID)) << "an unset side forgets its dots";
}

CGXStyle Source() {
  CGXStyle s;
  s.SetControl(1).SetValue("src").SetReadOnly(TRUE).SetInteriorColor(RGB(1, 2, 3)).SetUserAttributeText(10, "a");
  s.SetBorder(CGXStyle::kLeft, CGXStyleBorder(PS_SOLID, 2, RGB(0, 0, 255)));
  s.SetBorder(CGXStyle::kTop, CGXStyleBorder(PS_DASH, 1, RGB(0, 255, 0)));
  s.SetFont(CGXFont().SetBold(TRUE));
  return s;
}

TEST(GridStyle, MergeFillKeepsWhatIsSet) {
  CGXStyle t;
  t.SetControl(52512).SetBorder(CGXStyle::kTop, CGXStyleBorder(PS_DOT, 1, 0)).SetUserAttributeText(10, "mine");
  t.ChangeStyle(Source(), 1);
  EXPECT_EQ(t.GetControl(), 52512);
  EXPECT_EQ(t.GetValue(), "src");
  EXPECT_TRUE(t.GetReadOnly());
  EXPECT_EQ(t.GetBorders(CGXStyle::kTop).style, static_cast<UINT>(PS_DOT)) << "a side set here survives";
  EXPECT_EQ(t.GetBorders(CGXStyle::kLeft).width, 2u) << "an unset side is filled";
  EXPECT_EQ(t.GetUserAttribute(10).GetValue(), "mine");
  EXPECT_EQ(t.GetFont().GetWeight(), 700);
}

TEST(GridStyle, MergeOverrideIntoEmptyIsAssignment) {
  CGXStyle t;
  t.ChangeStyle(Source(), 0);
  const CGXStyle src = Source();
  EXPECT_EQ(t.ConvertIncludeBits(), src.ConvertIncludeBits());
  EXPECT_EQ(t.GetValue(), "src");
  CGXStyle u;
  u.SetControl(5).SetValue("old");
  u.ChangeStyle(src, 0);
  EXPECT_EQ(u.GetControl(), 1);
  EXPECT_EQ(u.GetValue(), "src");
}

TEST(GridStyle, MergeRemoveClearsFlagsSidesFontAndAttributes) {
  CGXStyle t = Source();
  t.SetBorder(CGXStyle::kBottom, CGXStyleBorder(PS_SOLID, 1, 0));
  t.SetFont(CGXFont().SetSize(10));
  t.SetUserAttributeText(11, "b");
  CGXStyle remove;
  remove.SetValue("x").SetBorder(CGXStyle::kLeft, CGXStyleBorder(PS_SOLID, 1, 0)).SetFont(CGXFont().SetBold(FALSE));
  remove.SetUserAttributeText(10, "");
  t.ChangeStyle(remove, 3);
  EXPECT_FALSE(t.GetIncludeValue());
  EXPECT_TRUE(t.GetValue().IsEmpty());
  EXPECT_FALSE(t.HasBorder(CGXStyle::kLeft));
  EXPECT_TRUE(t.HasBorder(CGXStyle::kBottom));
  EXPECT_FALSE(t.GetFont().GetIncludeWeight());
  EXPECT_TRUE(t.GetFont().GetIncludeSize());
  EXPECT_FALSE(t.HasUserAttribute(10));
  EXPECT_TRUE(t.HasUserAttribute(11));
  EXPECT_EQ(t.GetControl(), 1) << "untouched attributes stay";
}

TEST(GridStyle, CopyIsDeep) {
  auto* a = new CGXStyle(Source());
  CGXStyle b(*a);
  delete a;
  EXPECT_EQ(b.GetUserAttribute(10).GetValue(), "a");
  EXPECT_EQ(b.GetFont().GetWeight(), 700);
  EXPECT_TRUE(b.HasBorder(CGXStyle::kLeft));
  b = CGXStyle();
  EXPECT_FALSE(b.HasAnyInclude());
  EXPECT_FALSE(b.GetIncludeFont());
}

TEST(GridStyle, LineBrushPatterns) {
  CGXStyleInterior line(RGB(10, 20, 30));
  CGXStyleInterior out;
  CGXStyleBorder dot(PS_DOT, 1, RGB(200, 0, 0));
  ASSERT_TRUE(dot.MakeLineBrush(out, line, TRUE, FALSE));
  EXPECT_EQ(out.pattern, 34u);
  EXPECT_EQ(out.brushStyle, static_cast<UINT>(BS_PATTERN));
  EXPECT_EQ(out.GetColor(), RGB(200, 0, 0));
  EXPECT_EQ(out.GetBackColor(), RGB(10, 20, 30));
  ASSERT_TRUE(dot.MakeLineBrush(out, line, FALSE, TRUE));
  EXPECT_EQ(out.pattern, 38u);
  EXPECT_EQ(out.GetColor(), RGB(0, 0, 0));
  EXPECT_FALSE(CGXStyleBorder(PS_SOLID, 1, 0).MakeLineBrush(out, line, TRUE, FALSE));
  EXPECT_TRUE(CGXStyleBorder(PS_NULL, 1, 0).MakeLineBrush(out, line, TRUE, FALSE));
  EXPECT_EQ(out, line);
  EXPECT_NE(out.SetPattern(34).GetLogBrush().lbHatch, 0u);
  EXPECT_EQ(out.SetPattern(41).GetLogBrushCopy().lbStyle, static_cast<UINT>(BS_HOLLOW));
}

class GridStylesMapTest : public ::testing::Test {
 protected:
  void SetUp() override { map.CreateStandardStyles(); }
  CGXStylesMap map;
};

TEST_F(GridStylesMapTest, StandardStylesTakeTheFirstIds) {
  EXPECT_EQ(map.m_wStyleStandard, 0);
  EXPECT_EQ(map.m_wStyleColHeader, 1);
  EXPECT_EQ(map.m_wStyleRowHeader, 2);
  const CGXStyle* standard = nullptr;
  ASSERT_TRUE(map.LookupStyle(0, standard));
  EXPECT_EQ(standard->GetControl(), 52512);
  EXPECT_EQ(standard->GetFont().GetQuarterPoints(), 32u);
  EXPECT_EQ(standard->GetPlaces(), 13u);
  EXPECT_EQ(map.FindIdByName("Column Header"), 1);
  EXPECT_EQ(map.FindIdByName("Nowhere"), 0);
  UINT res = 99;
  EXPECT_EQ(map.GetStyleEntry(77, res), nullptr);
  EXPECT_EQ(res, 0u);
  EXPECT_STREQ(map.GetStyleEntry(2, res), "Row Header");
  EXPECT_EQ(res, 52769u);
}

TEST_F(GridStylesMapTest, RegisteringANameAgainReplacesItsStyle) {
  CGXStyle a;
  a.SetValue("a");
  const WORD id = map.RegisterStyleByName("Amount", a, FALSE);
  EXPECT_EQ(id, 3);
  CGXStyle b;
  b.SetValue("b");
  EXPECT_EQ(map.RegisterStyleByName("Amount", b, FALSE), id);
  const CGXStyle* got = nullptr;
  ASSERT_TRUE(map.LookupStyle(id, got));
  EXPECT_EQ(got->GetValue(), "b");
  EXPECT_EQ(map.RegisterStyle(60001, a, FALSE), 4) << "an unknown string id is named UA%u";
  EXPECT_EQ(map.FindIdByName("UA60001"), 4);
}

TEST_F(GridStylesMapTest, BaseStyleChainsFillInOrderAndStopOnCycles) {
  CGXStyle a;
  a.SetValue("from A").SetInteriorColor(RGB(1, 1, 1));
  const WORD idA = map.RegisterStyleByName("A", a, FALSE);
  CGXStyle b;
  b.SetBaseStyle(idA).SetInteriorColor(RGB(2, 2, 2));
  const WORD idB = map.RegisterStyleByName("B", b, FALSE);
  CGXStyle* storedA = nullptr;
  ASSERT_TRUE(map.LookupStyle(idA, storedA));
  storedA->SetBaseStyle(map.m_wStyleStandard);

  CGXStyle cell;
  cell.SetBaseStyle(idB);
  cell.LoadBaseStyle(map);
  EXPECT_EQ(cell.GetInterior().GetColor(), RGB(2, 2, 2)) << "the nearest base style wins";
  EXPECT_EQ(cell.GetValue(), "from A");
  EXPECT_EQ(cell.GetControl(), 52512) << "the standard style fills the rest";

  storedA->SetBaseStyle(idB);  // A <- B <- A
  CGXStyle looped;
  looped.SetBaseStyle(idB);
  looped.LoadBaseStyle(map);
  EXPECT_EQ(looped.GetValue(), "from A");
  EXPECT_FALSE(looped.GetIncludeControl());
}

TEST_F(GridStylesMapTest, UserAttributesAndControlsRegisterOnce) {
  CGXStyle editor;
  editor.SetControl(52512);
  map.AddUserAttribute(51022, &editor);
  CGXStyle other;
  other.SetControl(1);
  map.AddUserAttribute(51022, &other);
  ASSERT_EQ(map.GetUserAttributeMap().size(), 1u);
  EXPECT_EQ(map.GetUserAttributeMap().at(51022).style->GetControl(), 52512);
  EXPECT_EQ(map.GetUserAttributeMap().at(51022).name, "Tooltip-Text");
  bool thrown = false;
  try {
    map.AddUserAttribute(60123);
  } catch (CException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  EXPECT_EQ(map.GetUserAttributeMap().size(), 1u);
  map.AddControl(52520);
  EXPECT_STREQ(map.GetControlName(52520), "Header");
}

TEST_F(GridStylesMapTest, IterationVisitsEveryName) {
  std::vector<CString> names;
  for (POSITION pos = map.GetFirstStylePosition(); pos != nullptr;) {
    WORD id;
    CString name;
    UINT res;
    const CGXStyle* style;
    map.GetNextStyle(pos, id, name, res, style);
    EXPECT_NE(style, nullptr);
    names.push_back(name);
  }
  EXPECT_EQ(names.size(), 3u);
}

}  // namespace
