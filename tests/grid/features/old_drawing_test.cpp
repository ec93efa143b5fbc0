#include <gtest/gtest.h>

#include "grid/PaintedGridTest.h"
#include "grid/core/GXPaintContext.h"
#include "grid/features/GXGridOldDrawingImp.h"

namespace {

class OldDrawing : public gridtest::PaintedGridTest {
 protected:
  void SetUp() override {
    MakePaintedGrid(12, 12);
    grid->SetColWidth(0, 12, 24, nullptr, 0);
    grid->SetRowHeight(0, 12, 18, nullptr, 0);
  }
};

TEST_F(OldDrawing, ATransparentGridTakesTheOldPathAndKeepsIt) {
  ASSERT_NE(grid->m_pOldDrawingImp, nullptr) << "the factory switches it on";
  grid->ApplyStyle(CGXRange(2, 2), CGXStyle().SetInteriorColor(RGB(0, 128, 0)));
  const CRect cell = grid->CalcCellRect(2, 2);
  EXPECT_EQ(At(cell.left + 10, cell.top + 9), RGB(0, 128, 0));
  EXPECT_FALSE(grid->m_bOldDrawingPath) << "the core draws an ordinary grid";
  grid->GetParam()->m_bTransparentBackground = TRUE;
  EXPECT_EQ(At(cell.left + 10, cell.top + 9), RGB(0, 128, 0)) << "a cell with its own colour still shows it";
  EXPECT_TRUE(grid->m_bOldDrawingPath);
  grid->GetParam()->m_bTransparentBackground = FALSE;
  At(0, 0);
  EXPECT_TRUE(grid->m_bOldDrawingPath) << "once taken the old path stays";
}

TEST_F(OldDrawing, EqualBackgroundsAreFilledAsOneRectangle) {
  // A pass of two rows of twelve cells: ten equal cells in the first row
  // and a lone coloured cell below them.
  GXPaintContext ctx;
  ctx.nRows = 2;
  ctx.nCols = 12;
  for (ROWCOL r = 0; r < 2; ++r) {
    ctx.rows.push_back(r + 1);
    ctx.tops.push_back(20 + 18 * static_cast<int>(r));
    ctx.heights.push_back(18);
  }
  ctx.rows.push_back(3);
  for (ROWCOL c = 0; c < 12; ++c) {
    ctx.cols.push_back(c + 1);
    ctx.lefts.push_back(24 * static_cast<int>(c));
    ctx.widths.push_back(24);
  }
  ctx.cols.push_back(13);
  const CGXStyle plain, green = CGXStyle().SetInteriorColor(RGB(0, 128, 0)), red = CGXStyle().SetInteriorColor(RGB(200, 0, 0));
  ctx.styles.assign(24, &plain);
  ctx.flags.assign(24, 0);
  for (ROWCOL c = 1; c <= 10; ++c) {
    ctx.styles[ctx.Index(0, c)] = &green;
    ctx.flags[ctx.Index(0, c)] = GX_PAINT_BACKGROUND;
  }
  ctx.styles[ctx.Index(1, 4)] = &red;
  ctx.flags[ctx.Index(1, 4)] = GX_PAINT_BACKGROUND;
  CClientDC dc(&wnd);
  ctx.dc = &dc;
  ctx.clip = CRect(0, 0, 320, 160);
  CGXGridOldDrawingImp().DrawBackgrounds(grid.get(), &ctx, 0);
  for (ROWCOL c = 1; c <= 10; ++c) EXPECT_EQ(ctx.flags[ctx.Index(0, c)] & GX_PAINT_BACKGROUND, 0) << c;
  EXPECT_NE(ctx.flags[ctx.Index(1, 4)] & GX_PAINT_BACKGROUND, 0) << "a lone cell draws its own background";
  EXPECT_EQ(automation::PixelAt(wnd.m_hWnd, 24 * 6 + 12, 29), RGB(0, 128, 0));

  // A transparent grid leaves every background to the cells.
  ctx.flags[ctx.Index(0, 1)] = ctx.flags[ctx.Index(0, 2)] = GX_PAINT_BACKGROUND;
  grid->GetParam()->m_bTransparentBackground = TRUE;
  CGXGridOldDrawingImp().DrawBackgrounds(grid.get(), &ctx, 0);
  EXPECT_NE(ctx.flags[ctx.Index(0, 1)] & GX_PAINT_BACKGROUND, 0);
}

}  // namespace
