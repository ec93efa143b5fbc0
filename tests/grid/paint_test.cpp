#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>

#include "grid/PaintedGridTest.h"
#include "grid/cells/GXControl.h"
#include "grid/core/GXPaintContext.h"
#include "platform/draw_canvas.h"
#include "platform/framework/WindowDc.h"
#include "support/GoldenImage.h"

namespace {

using gridtest::PaintWnd;

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

// Printed in black and white, the passes draw no colour: backgrounds (runs
// and single cells) white, borders and grid lines black, the area beyond
// the last row and column white.
TEST_F(Paint, BlackAndWhitePrintingDrawsNoColour) {
  grid->ApplyStyle(CGXRange(1, 2, 1, 3), CGXStyle().SetInteriorColor(RGB(0, 255, 0)), 0, 0);
  grid->GetParam()->m_SelRects.DeleteAll();
  At(0, 0);  // a screen paint first: the passes take the base styles from it
  const CRect grect = grid->GetGridRect();
  ASSERT_LT(grid->CalcCellRect(4, 1).bottom, grect.bottom - 2);
  drawtest::Canvas canvas(grect.right, grect.bottom, RGB(255, 0, 255));
  // A printer page the size of the window, with the screen's character.
  grid->m_rectPrint = grect;
  grid->m_dxPrintWidth = grid->m_dxWidth;
  grid->m_dyPrintHeight = grid->m_dyHeight;
  grid->m_bPrinting = TRUE;
  grid->GetParam()->GetProperties()->m_bBlackWhite = TRUE;
  grid->DrawCellRange(0, 0, grid->GetClientRowFromRow(4), grid->GetClientColFromCol(3), &canvas.dc);
  grid->m_bPrinting = FALSE;
  for (COLORREF colour : {RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 0, 255),
                          grid->GetParam()->GetProperties()->GetColor(4)})
    EXPECT_EQ(canvas.Count(colour), 0) << std::hex << colour;
  EXPECT_EQ(canvas.At(X(2) + 5, Y(1) + 5), RGB(255, 255, 255)) << "a run of one interior";
  EXPECT_EQ(canvas.At(X(2), Y(2) + 5), RGB(0, 0, 0)) << "a grid line";
  EXPECT_EQ(canvas.At(X(2) + 3, Y(3) - 1), RGB(0, 0, 0)) << "the red border";
  EXPECT_EQ(canvas.At(grect.right - 2, Y(2) + 5), RGB(255, 255, 255)) << "right of the last column";
  EXPECT_EQ(canvas.At(X(2) + 5, grect.bottom - 2), RGB(255, 255, 255)) << "below the last row";
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

namespace {

// A data object with formulas whose cells await recalculation until they
// are drawn.
class PendingData : public CGXData {
 public:
  BOOL GetRecalcValue(ROWCOL row, ROWCOL col) override { return pending.count({row, col}) != 0; }
  void SetUpdateFlag(ROWCOL row, ROWCOL col, BOOL flag) override {
    if (!flag) pending.erase({row, col});
  }
  std::set<std::pair<ROWCOL, ROWCOL>> pending;
};

// A cell that notes where it was drawn and draws nothing else, so that the
// frame of the current cell is the only mark inside it.
class NotingCell : public CGXControl {
 public:
  using CGXControl::CGXControl;
  void Draw(CDC*, const CRect&, ROWCOL row, ROWCOL col, const CGXStyle&, const CGXStyle*) override {
    drawn.insert({row, col});
  }
  std::set<std::pair<ROWCOL, ROWCOL>> drawn;
};

// Draws cell (2,2) itself, as covered and floating cells are drawn.
class SpanningCells : public CGXAbstractDrawSpannedCellsImp {
 public:
  BOOL PrepareCell(CGXGridCore*, void*, int, int) override { return FALSE; }
  BOOL DrawCell(CGXGridCore* grid, void* context, int r, int c) override {
    auto* ctx = static_cast<GXPaintContext*>(context);
    if (ctx != grid->GetPaintContext() || ctx->rows[r] != 2 || ctx->cols[c] != 2) return FALSE;
    ++drawn;
    return TRUE;
  }
  BOOL EvalVisibleSpans(CGXGridCore*, CGXRange&, ROWCOL, ROWCOL, ROWCOL, ROWCOL, ROWCOL, ROWCOL, BOOL, BOOL,
                        BOOL) override {
    return FALSE;
  }
  int drawn = 0;
};

// Four rows and three columns of noting cells over a data object with
// formulas.
class PaintPasses : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 300, 130, nullptr, nullptr));
    auto* param = new CGXGridParam;
    data = new PendingData;
    data->StoreRowCount(4);
    data->StoreColCount(3);
    param->SetData(data, TRUE);
    data->InitParam(param);
    grid = std::make_unique<CGXGridCore>(&wnd);
    grid->SetParam(param, TRUE);
    grid->Initialize();
    wnd.grid = grid.get();
    cell = new NotingCell(grid.get());
    grid->RegisterControl(900, cell);
    grid->ChangeStandardStyle(CGXStyle().SetControl(900), 0, 0);
    grid->GetParam()->m_wCurrentCellFrame = 0;  // framed with or without the focus
  }
  void TearDown() override {
    wnd.grid = nullptr;
    grid.reset();
    wnd.DestroyWindow();
  }
  void Repaint() {
    cell->drawn.clear();
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
  }
  PaintWnd wnd;
  std::unique_ptr<CGXGridCore> grid;
  PendingData* data = nullptr;
  NotingCell* cell = nullptr;
};

TEST_F(PaintPasses, TheCurrentCellKeepsItsFrameThroughARepaint) {
  ASSERT_TRUE(grid->SetCurrentCell(2, 2, 0));
  Repaint();
  CRect inside;
  grid->GetCellInsideRect(inside, grid->CalcCellRect(2, 2), &grid->GetCachedCellStyle(2, 2), TRUE);
  const COLORREF background = grid->GetStandardStyle().GetInterior().GetColor();
  const COLORREF frame = automation::PixelAt(wnd.m_hWnd, inside.left, inside.CenterPoint().y);
  EXPECT_NE(frame, background);
  EXPECT_EQ(automation::PixelAt(wnd.m_hWnd, inside.CenterPoint().x, inside.CenterPoint().y), background);
  // A cell that is not current has no frame.
  grid->GetCellInsideRect(inside, grid->CalcCellRect(3, 2), &grid->GetCachedCellStyle(3, 2), TRUE);
  EXPECT_EQ(automation::PixelAt(wnd.m_hWnd, inside.left, inside.CenterPoint().y), background);
}

TEST_F(PaintPasses, ARecalculationRedrawsOnlyTheRowsAwaitingIt) {
  Repaint();
  data->pending = {{3, 2}};
  cell->drawn.clear();
  EXPECT_TRUE(grid->RecalcAndRedraw(FALSE, nullptr, FALSE));
  for (const auto& [row, col] : cell->drawn) EXPECT_EQ(row, 3u) << "cell " << row << "," << col;
  EXPECT_TRUE(cell->drawn.count({3, 1}) && cell->drawn.count({3, 2}) && cell->drawn.count({3, 3}));
  EXPECT_TRUE(data->pending.empty());
  EXPECT_TRUE(grid->GetParam()->m_RecalcRanges.IsEmpty()) << "the queue of drawn rows is emptied";
  // A plain paint draws every cell again.
  Repaint();
  EXPECT_TRUE(cell->drawn.count({1, 1}) && cell->drawn.count({4, 3}));
}

TEST_F(PaintPasses, TheSpannedCellsObjectDrawsTheCellsItTakes) {
  SpanningCells spans;
  grid->m_pDrawSpannedCellsImp = &spans;
  Repaint();
  grid->m_pDrawSpannedCellsImp = nullptr;
  EXPECT_EQ(spans.drawn, 1);
  EXPECT_FALSE(cell->drawn.count({2, 2}));
  EXPECT_TRUE(cell->drawn.count({2, 3}));
}

}  // namespace
