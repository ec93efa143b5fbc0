// Cell tips of static and header cells: which cells need one, of which
// kind, where a bitmap sits, and how a text tip window is filled.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "grid/GridWindowTest.h"
#include "grid/cells/GXCellTip.h"
#include "grid/cells/GXControlFactory.h"
#include "platform/base/Kernel.h"

namespace {

class CellTips : public gridtest::GridWindowTest<CGXGridCore> {
 protected:
  void SetUp() override {
    MakeGrid(400, 200, 5, 3);
    GXInitLibrary(new CGXControlFactory);
    grid->SetColWidth(1, 1, 40, nullptr, 0);
    grid->SetColWidth(2, 2, 300, nullptr, 0);
    stat = grid->GetRegisteredControl(GX_IDS_CTRL_STATIC);
    ASSERT_NE(stat, nullptr);
    ASSERT_NE(stat->GetCellTip(), nullptr);
  }
  CGXStyle Style(ROWCOL row, ROWCOL col, LPCTSTR value, bool wrap = false) {
    grid->ApplyStyle(CGXRange(row, col), CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetValue(value).SetWrapText(wrap), 0,
                     0);
    CGXStyle style;
    grid->ComposeStyleRowCol(row, col, style);
    return style;
  }
  CGXControl* stat = nullptr;
};

TEST_F(CellTips, TextThatDoesNotFitNeedsATipUnlessItWraps) {
  const CGXStyle narrow = Style(1, 1, "A text far wider than forty pixels");
  EXPECT_TRUE(stat->NeedsCellTip(1, 1, narrow) & GX_TIP_WIDER);
  EXPECT_EQ(stat->GetCellTipKind(1, 1, narrow), 1);
  const CGXStyle wide = Style(1, 2, "Fits");
  EXPECT_EQ(stat->NeedsCellTip(1, 2, wide) & (GX_TIP_WIDER | GX_TIP_HIGHER), 0u);
  const CGXStyle wrapped = Style(2, 1, "A text far wider than forty pixels", true);
  EXPECT_EQ(stat->NeedsCellTip(2, 1, wrapped), 0u);
  // A bitmap reference gets a bitmap tip; one missing from the pool none.
  const CGXStyle picture = Style(3, 1, "#BMP(\"/nowhere/missing.bmp\")");
  EXPECT_EQ(stat->GetCellTipKind(3, 1, picture), 2);
  EXPECT_EQ(stat->NeedsCellTip(3, 1, picture), 0u);
}

TEST_F(CellTips, ATextTipWindowTakesTheTextAndCoversTheCell) {
  const CGXStyle narrow = Style(1, 1, "A text far wider than forty pixels");
  CGXTextCellTipWnd tip;
  ASSERT_TRUE(tip.CreateTip(&wnd));
  stat->InitCellTipWnd(1, 1, narrow, &tip);
  CString text;
  tip.GetWindowText(text);
  EXPECT_EQ(std::string(text), "A text far wider than forty pixels");
  CRect placed, cell = grid->CalcCellRect(1, 1);
  tip.GetWindowRect(&placed);
  wnd.ClientToScreen(&cell);
  EXPECT_GE(placed.Width(), GXCalcCellTipTextSize(grid.get(), text, narrow).cx);
  EXPECT_GE(placed.left, cell.left);
  EXPECT_LE(placed.left, cell.left + 2);
  EXPECT_FALSE(tip.IsWindowVisible());
  tip.DestroyWindow();
}

// A packed bitmap of the given size (header only; positions need no bits).
HGLOBAL PackedBitmap(int width, int height) {
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 40);
  auto* p = static_cast<BYTE*>(::GlobalLock(mem));
  const std::int32_t size = 40, w = width, h = height;
  std::memcpy(p, &size, 4);
  std::memcpy(p + 4, &w, 4);
  std::memcpy(p + 8, &h, 4);
  ::GlobalUnlock(mem);
  return mem;
}

TEST(CellTipBitmaps, SmallBitmapsAreAlignedInsideTheCell) {
  HGLOBAL bitmap = PackedBitmap(10, 6);
  const CRect inner(100, 50, 140, 70);
  struct Case {
    UINT align;
    CPoint expected;
  } cases[] = {
      {0, {100, 50}},
      {DT_CENTER, {115, 50}},
      {DT_RIGHT, {129, 50}},
      {DT_VCENTER, {100, 57}},
      // One pixel above the inner bottom edge.
      {DT_BOTTOM, {100, 63}},
  };
  for (const Case& c : cases) EXPECT_EQ(GXCalcCellTipBitmapPos(bitmap, inner, c.align), c.expected) << c.align;
  // A bitmap larger than the cell starts at its corner.
  HGLOBAL large = PackedBitmap(60, 30);
  EXPECT_EQ(GXCalcCellTipBitmapPos(large, inner, DT_RIGHT | DT_BOTTOM), CPoint(100, 50));
  EXPECT_EQ(GXCalcCellTipBitmapPos(nullptr, inner, 0), CPoint(0, 0));
  ::GlobalFree(bitmap);
  ::GlobalFree(large);
}

}  // namespace
