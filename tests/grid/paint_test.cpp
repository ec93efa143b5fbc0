#include <gtest/gtest.h>

#include <string>

#include "grid/GridWindowTest.h"
#include "platform/draw_canvas.h"
#include "platform/framework/WindowDc.h"
#include "support/GoldenImage.h"

namespace {

// A window that paints its grid.
class PaintWnd : public CWnd {
 public:
  void OnPaint() override {
    CPaintDC dc(this);
    if (grid != nullptr) grid->OnDraw(&dc);
  }
  CGXGridCore* grid = nullptr;
};

// Four rows and three columns under a frozen first row: column 1 yellow,
// a red bottom border under cells (2,2) and (2,3), one cell of row 4 blue,
// values in a few cells, row 3 selected with its second cell current.
class Paint : public gridtest::GridWindowTest<CGXGridCore, PaintWnd> {
 protected:
  void SetUp() override {
    MakeGrid(300, 130, 4, 3);
    wnd.grid = grid.get();
    grid->SetFrozenRows(1, 0, 0);
    grid->SetColWidth(1, 3, 70, nullptr, 0);
    grid->SetColWidth(0, 0, 30, nullptr, 0);
    grid->ApplyStyle(CGXRange(1, 1, 4, 1), CGXStyle().SetInteriorColor(RGB(255, 255, 0)), 0, 0);
    CGXStyle border;
    border.SetBorder(CGXStyle::kBottom, CGXStyleBorder(PS_SOLID, 2, RGB(255, 0, 0)));
    grid->ApplyStyle(CGXRange(2, 2, 2, 3), border, 0, 0);
    grid->ApplyStyle(CGXRange(4, 2), CGXStyle().SetInteriorColor(RGB(0, 0, 255)), 0, 0);
    grid->SetValueRange(CGXRange(1, 1), "Alpha", 0, 0);
    grid->SetValueRange(CGXRange(2, 3), "42", 0, 0);
    grid->GetParam()->m_SelRects.AddTail(new CGXRange(3, 1, 3, 2));
    grid->SetCurrentCellForStyles(3, 2);
    grid->GetParam()->m_bCurrentCellSelected = TRUE;
  }
  void TearDown() override {
    wnd.grid = nullptr;
    GridWindowTest::TearDown();
  }
  bool Render(const std::string& path) {
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    return automation::RenderToPng(wnd.m_hWnd, path);
  }
  COLORREF At(int x, int y) {
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    return automation::PixelAt(wnd.m_hWnd, x, y);
  }
  // Client x of a column's left and y of a row's top.
  int X(ROWCOL col) { return grid->CalcCellRect(1, col).left; }
  int Y(ROWCOL row) { return grid->CalcCellRect(row, 1).top; }
};

TEST_F(Paint, SmallGridGolden) {
  EXPECT_TRUE(golden::Matches("grid/paint_small.png", [&](const std::string& p) { return Render(p); }));
}

TEST_F(Paint, BufferedAndDirectPathsGiveTheSamePixels) {
  const std::string direct = ::testing::TempDir() + "grid_direct.png";
  const std::string buffered = ::testing::TempDir() + "grid_buffered.png";
  ASSERT_TRUE(Render(direct));
  EXPECT_EQ(grid->SetDrawMode(1), 0);
  ASSERT_TRUE(Render(buffered));
  EXPECT_EQ(golden::DifferingPixels(direct, buffered), 0);
}

TEST_F(Paint, BackgroundsLinesBordersAndSelection) {
  const COLORREF line = grid->GetParam()->GetProperties()->GetColor(0);
  // Interiors: yellow column, blue cell; grid lines on the left and top pixel.
  EXPECT_EQ(At(X(1) + 5, Y(2) + 5), RGB(255, 255, 0));
  EXPECT_EQ(At(X(2) + 5, Y(4) + 5), RGB(0, 0, 255));
  EXPECT_EQ(At(X(2), Y(2) + 5), line);
  EXPECT_EQ(At(X(2) + 5, Y(2)), line);
  // The red bottom border runs across both cells, 2 pixels high.
  const int borderY = Y(3) - 1;
  EXPECT_EQ(At(X(2) + 3, borderY), RGB(255, 0, 0));
  EXPECT_EQ(At(X(3) + 60, borderY - 1), RGB(255, 0, 0));
  EXPECT_NE(At(X(3) + 60, borderY - 2), RGB(255, 0, 0));
  // Selected yellow cell inverted; the current cell keeps its colour and
  // gets an inverted frame instead.
  EXPECT_EQ(At(X(1) + 20, Y(3) + 8), RGB(0, 0, 255));
  const COLORREF inside = At(X(2) + 20, Y(3) + 8);
  EXPECT_EQ(inside, grid->GetStandardStyle().GetInterior().GetColor());
  EXPECT_NE(At(X(2) + 1, Y(3) + 8), inside);

  // With lines at the right and bottom the grid line is the last pixel.
  grid->GetParam()->m_bLinesAtRightBottom = TRUE;
  EXPECT_EQ(At(X(3) - 1, Y(2) + 5), line);
  EXPECT_EQ(At(X(3), Y(2) + 5), grid->GetStandardStyle().GetInterior().GetColor());
}

// Each border side of a style is drawn on its own edge of the cell.
TEST_F(Paint, BorderSidesAreDrawnOnTheirOwnEdges) {
  struct Case {
    int side;
    CPoint on, inside;
  };
  const Case cases[] = {{CGXStyle::kTop, {10, 1}, {10, 2}},
                        {CGXStyle::kLeft, {1, 5}, {2, 5}},
                        {CGXStyle::kBottom, {10, 8}, {10, 7}},
                        {CGXStyle::kRight, {18, 5}, {17, 5}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    CGXStyle style;
    style.SetBorder(c.side, CGXStyleBorder(PS_SOLID, 2, RGB(255, 0, 0)));
    drawtest::Canvas canvas(20, 10);
    grid->DrawCellBorders(&canvas.dc, CRect(0, 0, 20, 10), style);
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0)), (c.side == CGXStyle::kTop || c.side == CGXStyle::kBottom) ? 40 : 20);
    EXPECT_EQ(canvas.At(c.on.x, c.on.y), RGB(255, 0, 0));
    EXPECT_NE(canvas.At(c.inside.x, c.inside.y), RGB(255, 0, 0));
  }
}

TEST_F(Paint, NothingIsPaintedWhilePrintingOrLocked) {
  grid->m_bPrinting = TRUE;
  wnd.Invalidate(TRUE);
  wnd.UpdateWindow();
  EXPECT_TRUE(grid->m_bPaintWhilePrinting);
  grid->m_bPrinting = FALSE;
  grid->GetParam()->m_bLockRedraw = TRUE;
  EXPECT_NE(At(X(1) + 5, Y(2) + 5), RGB(255, 255, 0));
}

}  // namespace
