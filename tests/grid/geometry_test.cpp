#include <gtest/gtest.h>

#include "grid/GridWindowTest.h"

namespace {

constexpr ROWCOL kNone = static_cast<ROWCOL>(-1);

using gridtest::HidingGrid;

// A 400 x 300 window, a grid of 20 rows and 10 columns with a character of
// 8 x 16 pixels: rows are 19 px (header 22), columns 80 px (header 48).
class Geometry : public gridtest::GridWindowTest<HidingGrid> {
 protected:
  void SetUp() override {
    MakeGrid(400, 300, 20, 10);
    UseFixedCharacter();
  }
  LONG Stored(ROWCOL row) {
    LONG v = -99;
    grid->GetParam()->m_RowHeights.Lookup(row, v);
    return v;
  }
};

TEST_F(Geometry, SizesAreKeptInThousandthsOfTheCharacter) {
  EXPECT_EQ(grid->GetDefaultRowHeight(), 19);  // 1200 / 62
  EXPECT_EQ(grid->GetDefaultColWidth(), 80);   // 10000 / 125
  EXPECT_EQ(grid->GetRowHeight(0), 22);        // 1400 / 62
  EXPECT_EQ(grid->GetColWidth(0), 48);         // 6000 / 125
  EXPECT_TRUE(grid->StoreRowHeight(3, 20));
  EXPECT_EQ(Stored(3), 1240);
  EXPECT_EQ(grid->GetRowHeight(3), 20);
  EXPECT_TRUE(grid->StoreRowHeight(3, -1));
  EXPECT_EQ(Stored(3), -99);
  EXPECT_EQ(grid->GetRowHeight(3), 19);

  // A character taller than 1000 px keeps a factor of 1 instead of
  // dividing by zero.
  grid->m_dyHeight = 1200;
  grid->m_bCapRowHeights = FALSE;  // a 1400 px header leaves no room in the view
  EXPECT_TRUE(grid->StoreRowHeight(4, 30));
  EXPECT_EQ(Stored(4), 30);
  EXPECT_EQ(grid->GetRowHeight(4), 30);
}

TEST_F(Geometry, SettingHeightsAndDefaults) {
  EXPECT_TRUE(grid->SetRowHeight(5, 0, 30));
  EXPECT_EQ(grid->GetRowHeight(5), 30);
  EXPECT_EQ(grid->GetRowHeight(6), 19);
  int heights[] = {25, 26, 27};
  EXPECT_TRUE(grid->SetRowHeight(7, 9, 0, heights));
  EXPECT_EQ(grid->GetRowHeight(7), 25);
  EXPECT_EQ(grid->GetRowHeight(9), 27);
  EXPECT_EQ(grid->SumRowHeights(7, 9), 78);
  EXPECT_EQ(grid->SumRowHeights(7, 9, 30), 51);  // stops once past the limit

  EXPECT_FALSE(grid->SetDefaultRowHeight(0));
  EXPECT_FALSE(grid->SetDefaultColWidth(-3));
}

// Ranges reaching the largest index stop at the last row or column (their
// length would wrap to 0 and the old sizes overrun their array).
TEST_F(Geometry, SizeRangesToTheEndStopAtTheLastRowOrColumn) {
  const ROWCOL kEnd = static_cast<ROWCOL>(-1);
  EXPECT_TRUE(grid->SetRowHeight(0, kEnd, 23));
  EXPECT_EQ(grid->GetRowHeight(0), 23);
  EXPECT_EQ(grid->GetRowHeight(20), 23);
  EXPECT_TRUE(grid->SetColWidth(kEnd, 4, 50)) << "the corners may come in either order";
  EXPECT_EQ(grid->GetColWidth(4), 50);
  EXPECT_EQ(grid->GetColWidth(10), 50);
  EXPECT_TRUE(grid->SetRowHeight(30, 0, 21)) << "a single row beyond the count keeps its own size";
}

TEST_F(Geometry, DefaultSizes) {
  EXPECT_EQ(grid->GetDefaultRowHeight(), 19);
  EXPECT_TRUE(grid->SetDefaultColWidth(40));
  EXPECT_EQ(grid->GetColWidth(4), 40);
}

TEST_F(Geometry, HiddenRowsAndColumnsHaveNoSize) {
  grid->hiddenRows = {2};
  grid->hiddenCols = {1};
  EXPECT_EQ(grid->GetRowHeight(2), 0);
  EXPECT_EQ(grid->GetColWidth(1), 0);
  // Column 1 has no width: x = 48 is already column 2.
  EXPECT_EQ(grid->CalcClientColFromX(48), 2u);
  EXPECT_EQ(grid->CalcCellRect(3, 2), CRect(48, 22 + 19, 128, 22 + 38));
}

TEST_F(Geometry, TallRowsAreCappedToTheViewBelowTheFrozenRows) {
  grid->SetFrozenRows(1, 0);
  grid->StoreRowHeight(1, 500);
  grid->StoreRowHeight(5, 1000);
  EXPECT_EQ(grid->GetRowHeight(1), 500);            // frozen: never capped
  EXPECT_EQ(grid->GetRowHeight(5), 0);  // no room left below the frozen row
  grid->StoreRowHeight(1, 100);
  EXPECT_EQ(grid->GetRowHeight(5), 300 - 22 - 100);
  grid->m_bCapRowHeights = FALSE;
  EXPECT_EQ(grid->GetRowHeight(5), 1000);
}

TEST_F(Geometry, PointsMapToClientPositions) {
  struct Case {
    int x;
    ROWCOL col;
    int left;
  } cases[] = {
      {0, 0, 0}, {47, 0, 0}, {48, 1, 48}, {127, 1, 48}, {128, 2, 128}, {-5, 0, 0},
  };
  for (const Case& c : cases) {
    int left = -1;
    EXPECT_EQ(grid->CalcClientColFromX(c.x, &left), c.col) << c.x;
    EXPECT_EQ(left, c.left) << c.x;
  }
  // Three columns: the last one ends at 48 + 3 * 80 = 288.
  data()->StoreColCount(3);
  EXPECT_EQ(grid->CalcClientColFromX(288), 3u);
  EXPECT_EQ(grid->CalcClientColFromX(289), kNone);

  ROWCOL row = 9, col = 9;
  CRect rect;
  EXPECT_TRUE(grid->CalcClientCellFromPoint(CPoint(50, 22), row, col, &rect));
  EXPECT_EQ(row, 1u);
  EXPECT_EQ(col, 1u);
  EXPECT_EQ(rect, CRect(48, 22, 128, 41));
  EXPECT_FALSE(grid->CalcClientCellFromPoint(CPoint(-1, 30), row, col));
  EXPECT_EQ(row, 0u);
  EXPECT_EQ(col, 0u);
  grid->CalcClientCellFromPointClamped(CPoint(395, 30), row, col);
  EXPECT_EQ(col, 3u);
}

TEST_F(Geometry, FrozenRowsAndScrolledPositions) {
  ASSERT_TRUE(grid->SetFrozenRows(2, 0));
  grid->SetTopRow(1);
  EXPECT_EQ(grid->GetTopRow(), 3u);
  grid->SetTopRow(6);
  EXPECT_EQ(grid->GetTopRow(), 6u);
  struct Case {
    ROWCOL row, client;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}, {4, 0}, {6, 3}, {9, 6}, {kNone, kNone}};
  for (const Case& c : cases) {
    EXPECT_EQ(grid->GetClientRowFromRow(c.row), c.client) << c.row;
    if (c.client != 0) {
      EXPECT_EQ(grid->GetRowFromClientRow(c.client), c.row) << c.row;
    }
  }
  EXPECT_TRUE(grid->IsFrozenRow(2));
  EXPECT_FALSE(grid->IsFrozenRow(0));
  EXPECT_FALSE(grid->IsFrozenRow(3));

  // Rectangles: the header 22, two frozen rows of 19, then row 6.
  EXPECT_EQ(grid->CalcCellRect(6, 1), CRect(48, 60, 128, 79));
  EXPECT_EQ(grid->CalcCellRect(4, 1), CRect(0, 0, 0, 0));  // scrolled away
  // A block from a frozen row into the scrolled rows spans the gap.
  EXPECT_EQ(grid->CalcRectFromRange(2, 1, 7, 2), CRect(48, 41, 208, 98));
  // A block starting in the scrolled-away rows starts at the top row.
  EXPECT_EQ(grid->CalcRectFromRange(4, 1, 6, 1), CRect(48, 60, 128, 79));
  EXPECT_EQ(grid->CalcClientCellRect(3, 1), CRect(48, 60, 128, 79));
  EXPECT_EQ(grid->CalcClientCellRectCached(4, 2), CRect(128, 79, 208, 98));
  EXPECT_EQ(grid->CalcClientCellRectCached(1, 0), CRect(0, 22, 48, 41));
  EXPECT_EQ(grid->CalcRectBelowRow(0).top, 22);
  EXPECT_EQ(grid->CalcRectBelowRow(6).top, 79);
  EXPECT_EQ(grid->CalcRectRightOfCol(1).left, 128);
}

TEST_F(Geometry, BottomRowAndRightColumnOfTheView) {
  BOOL last = TRUE;
  // 300 px: header 22 + 14 rows of 19 = 288, row 15 is partly visible.
  EXPECT_EQ(grid->GetBottomRow(&last), 15u);
  EXPECT_FALSE(last);
  // 400 px: header 48 + 4 columns of 80 = 368, column 5 partly visible.
  EXPECT_EQ(grid->GetRightCol(&last), 5u);
  grid->SetTopRow(10);
  EXPECT_EQ(grid->GetBottomRow(&last), 20u);
  EXPECT_TRUE(last);
  // A smaller window is measured again.
  grid->SetTopRow(1);
  EXPECT_EQ(grid->GetBottomRow(), 15u);
  wnd.MoveWindow(0, 0, 400, 100, FALSE);
  EXPECT_EQ(grid->GetBottomRow(), 5u);  // 22 + 4 * 19 = 98
}

TEST_F(Geometry, ZoomAndPrinting) {
  grid->m_dxPrintWidth = 20;
  grid->m_dyPrintHeight = 40;
  grid->SetZoom(150, 0);
  EXPECT_EQ(grid->GetZoom(), 150);
  EXPECT_EQ(grid->GetParam()->GetProperties()->m_nZoom, 150);
  grid->m_dyHeight = 16;
  grid->m_bPrinting = TRUE;
  EXPECT_EQ(grid->GetZoom(), 100);
  EXPECT_EQ(grid->GetFontHeight(), 40);
  EXPECT_EQ(grid->GetDefaultRowHeight(), 1200 / 25);
  grid->m_bPrinting = FALSE;
  grid->GetParam()->m_bPrinterZoom = TRUE;
  EXPECT_EQ(grid->GetZoom(), 100);
}

TEST_F(Geometry, CountsInsertAndRemoveKeepTheCurrentCellInStep) {
  EXPECT_TRUE(grid->SetRowCount(20));
  EXPECT_EQ(grid->GetRowCount(), 20u);

  grid->SetCurrentCellForStyles(10, 4);
  grid->StoreRowHeight(12, 40);
  EXPECT_TRUE(grid->InsertRows(5, 3));
  ROWCOL r = 0, c = 0;
  EXPECT_TRUE(grid->GetCurrentCell(r, c));
  EXPECT_EQ(r, 13u);
  EXPECT_EQ(grid->GetRowHeight(15), 40);  // the size moved with its row
  EXPECT_EQ(grid->GetRowCount(), 23u);

  EXPECT_TRUE(grid->RemoveRows(1, 2));
  EXPECT_TRUE(grid->GetCurrentCell(r, c));
  EXPECT_EQ(r, 11u);
  EXPECT_EQ(grid->GetRowHeight(13), 40);

  EXPECT_TRUE(grid->RemoveRows(10, 12));
  EXPECT_FALSE(grid->GetCurrentCell(r, c));

  // Lowering the column count below the current cell's column resets it,
  // lowering it below the current cell's row number alone does not.
  grid->SetCurrentCellForStyles(8, 3);
  EXPECT_TRUE(grid->SetColCount(5));
  EXPECT_TRUE(grid->GetCurrentCell(r, c));
  EXPECT_TRUE(grid->SetColCount(2));
  EXPECT_FALSE(grid->GetCurrentCell(r, c));

  EXPECT_TRUE(grid->SetRowCount(0));
  EXPECT_EQ(grid->GetRowCount(), 0u);
}

TEST_F(Geometry, RemovingFromAReadOnlyGridReportsFailure) {
  grid->SetReadOnly(TRUE);
  EXPECT_FALSE(grid->RemoveRows(1, 3));
  EXPECT_FALSE(grid->InsertRows(1, 3));
  EXPECT_EQ(grid->GetRowCount(), 20u);
  EXPECT_FALSE(grid->SetFrozenRows(2, 0));
}

TEST_F(Geometry, MillionRowGridMapsPositionsBeyondSixteenBits) {
  data()->StoreRowCount(1000000);
  grid->SetTopRow(700000);
  EXPECT_EQ(grid->GetTopRow(), 700000u);
  EXPECT_EQ(grid->GetClientRowFromRow(700002), 3u);
  EXPECT_EQ(grid->GetRowFromClientRow(grid->CalcClientRowFromY(22 + 19 * 2 + 5)), 700002u);
  EXPECT_EQ(grid->CalcCellRect(700002, 1), CRect(48, 60, 128, 79));
  EXPECT_EQ(grid->GetBottomRow(), 700014u);
  grid->SetTopRow(5000000);
  EXPECT_EQ(grid->GetTopRow(), 1000000u);
}

}  // namespace
