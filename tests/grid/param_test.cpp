#include <gtest/gtest.h>

#include "grid/core/GXGridParam.h"
#include "platform/window/Messages.h"
#include "platform/gfx/SysColors.h"

namespace {

TEST(GridProperties, Defaults) {
  CGXProperties p;
  ASSERT_EQ(p.GetColorCount(), 5);
  EXPECT_STREQ(p.GetColorName(0), "Grid Lines");
  EXPECT_STREQ(p.GetColorName(3), "Dragging Line");
  EXPECT_STREQ(p.GetColorName(4), "Background");
  EXPECT_EQ(p.GetColor(0), GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(p.GetColor(2), RGB(255, 0, 0));
  EXPECT_EQ(p.GetColor(5), 0u);
  EXPECT_EQ(p.m_nMargins[0], 144);
  EXPECT_EQ(p.m_nMargins[1], 96);
  EXPECT_EQ(p.m_nMargins[2], 144);
  EXPECT_EQ(p.m_nMargins[3], 96);
  EXPECT_EQ(p.m_nDistances[0], 38);
  EXPECT_EQ(p.m_nFirstPage, -1);
  ASSERT_EQ(p.GetTokens().size(), 6u);
  EXPECT_EQ(p.GetTokens()[5], "$R");
  CGXStyle cell;
  ASSERT_TRUE(p.GetDataFooter().GetStyleRowCol(1, 3, cell, 2, 0));
  EXPECT_EQ(cell.GetValue(), "$P/$N");
  ASSERT_TRUE(p.GetDataHeader().GetStyleRowCol(1, 2, cell, 2, 0));
  EXPECT_EQ(cell.GetFont().GetQuarterPoints(), 64u);
  EXPECT_EQ(p.GetDataHeader().GetRowCount(), 10u);
}

TEST(GridProperties, ColoursAndUserProperties) {
  CGXProperties p;
  EXPECT_EQ(p.AddColor("Grid Lines", RGB(1, 2, 3)), 0);
  EXPECT_EQ(p.GetColor(0), GetSysColor(COLOR_GRAYTEXT)) << "an existing name keeps its colour";
  EXPECT_EQ(p.AddColorById(60000, RGB(9, 9, 9)), 5);
  EXPECT_STREQ(p.GetColorName(5), "COLOR60000");

  EXPECT_FALSE(p.GetUserProperty(51005).HasAnyInclude());
  p.AddDefaultUserProperties();
  const CGXStyle& frame = p.GetUserProperty(51005);
  EXPECT_EQ(frame.GetControl(), 52529);
  EXPECT_EQ(frame.GetValue(), "Invert Thin.");
  EXPECT_EQ(frame.GetChoiceList(), "Invert Thin.\nInvert Thick.\nThin Border.\nThick Border.\nNo Border.");
  CGXStyle change("Thin Border.");
  p.ChangeUserProperty(51005, change);
  EXPECT_EQ(p.GetUserProperty(51005).GetValue(), "Thin Border.");
  bool thrown = false;
  try {
    p.ChangeUserProperty(40000, change);
  } catch (CException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}

TEST(GridParam, DefaultsAndOwnership) {
  CGXGridParam param;
  LONG h = 0;
  EXPECT_TRUE(param.m_RowHeights.Lookup(0, h));
  EXPECT_EQ(h, 1400);
  EXPECT_TRUE(param.m_ColWidths.Lookup(0, h));
  EXPECT_EQ(h, 6000);
  EXPECT_EQ(param.m_nDefaultRowHeight, 1200);
  EXPECT_EQ(param.m_nDefaultColWidth, 10000);
  EXPECT_EQ(param.m_nUndoLimit, 512);
  EXPECT_EQ(param.m_wEnterDirection, 4);

  CGXData borrowed;
  param.SetData(new CGXData, TRUE);
  param.SetData(&borrowed, FALSE);  // deletes the owned one (the sanitizer would see a leak otherwise)
  CGXStyle s("x");
  borrowed.StoreStyleRowCol(1, 1, &s, 0, 0);
  param.SetData(new CGXData, TRUE);
  EXPECT_EQ(borrowed.GetRowCount(), 1u) << "a borrowed object stays alive";
}

}  // namespace
