#include <gtest/gtest.h>

#include "grid/GridWindowTest.h"

namespace {

constexpr ROWCOL kNone = static_cast<ROWCOL>(-1);

// 400 x 300 pixels, 5 rows and 10 columns; the header row is 22 px and
// rows 19, the header column 48 px and columns 80.
class HitTesting : public gridtest::GridWindowTest<gridtest::HidingGrid> {
 protected:
  void SetUp() override {
    MakeGrid(400, 300, 5, 10);
    UseFixedCharacter();
  }
};

TEST_F(HitTesting, EdgesCellsAndHeaders) {
  struct Case {
    int x, y, code;
    ROWCOL row, col;
  } cases[] = {
      {125, 10, CGXGridCore::kHitColEdge, 0, 1},   // 3 px left of the boundary
      {131, 10, CGXGridCore::kHitColEdge, 0, 1},   // 3 px right: the column to its left
      {160, 10, CGXGridCore::kHitHeader, 0, 2},
      {60, 100, CGXGridCore::kHitCell, 5, 1},      // edges only from the headers
      {10, 100, CGXGridCore::kHitRowEdge, 4, 0},   // 2 px below row 4's end, in the row header
      {10, 30, CGXGridCore::kHitHeader, 1, 0},
      {60, 200, CGXGridCore::kHitNone, 6, 1},      // below the last row
      {60, 320, CGXGridCore::kHitNone, kNone, kNone},  // outside the window
  };
  for (const Case& c : cases) {
    ROWCOL row = kNone, col = kNone;
    EXPECT_EQ(grid->HitTest(CPoint(c.x, c.y), &row, &col), c.code) << c.x << "," << c.y;
    EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    EXPECT_EQ(col, c.col) << c.x << "," << c.y;
  }
  // Resizing from inside the cells.
  grid->GetParam()->m_wColResize |= 4;
  ROWCOL row = 0, col = 0;
  EXPECT_EQ(grid->HitTest(CPoint(126, 100), &row, &col), CGXGridCore::kHitColEdge);
  EXPECT_EQ(col, 1u);
  // The header column's own edge may be forbidden.
  grid->GetParam()->m_wColResize |= 8;
  EXPECT_EQ(grid->HitTest(CPoint(46, 10)), CGXGridCore::kHitHeader);
}

TEST_F(HitTesting, HiddenColumnsArePulledOpenRightOfTheirPlace) {
  grid->hiddenCols = {1};
  ROWCOL row = 0, col = 0;
  EXPECT_EQ(grid->HitTest(CPoint(51, 10), &row, &col), CGXGridCore::kHitHiddenCol);
  EXPECT_EQ(col, 1u);
  EXPECT_EQ(grid->HitTest(CPoint(49, 10), &row, &col), CGXGridCore::kHitColEdge);
  EXPECT_EQ(col, 0u);
}

TEST_F(HitTesting, SelectionEdgeFillHandleAndCursors) {
  grid->GetParam()->m_bFillOption = TRUE;
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(2, 1, 3, 2));
  // Cell (3, 2) spans x 128..207, y 60..78.
  EXPECT_EQ(grid->HitTest(CPoint(205, 76)), CGXGridCore::kHitFillHandle);
  EXPECT_EQ(grid->HitTest(CPoint(205, 65)), CGXGridCore::kHitSelectionEdge);
  EXPECT_EQ(grid->HitTest(CPoint(150, 65)), CGXGridCore::kHitCell);
  EXPECT_EQ(grid->HitTest(CPoint(130, 45)), CGXGridCore::kHitCell);  // column 2 is not the block's left

  grid->UpdateCursor(CPoint(205, 76));
  EXPECT_EQ(grid->GetShownCursorId(), 20209u);
  grid->UpdateCursor(CPoint(160, 10));
  EXPECT_EQ(grid->GetShownCursorId(), 20195u);
  // Without the resize feature a column edge shows the window's cursor.
  grid->UpdateCursor(CPoint(125, 10));
  EXPECT_EQ(grid->GetShownCursorId(), 0u);
  grid->SetGridCursor(20194);
  EXPECT_EQ(grid->GetShownCursorId(), 20194u);
  grid->SetGridCursor(0);
  EXPECT_EQ(grid->GetShownCursorId(), 0u);
}

TEST_F(HitTesting, TrackingLines) {
  EXPECT_EQ(grid->CalcDragLineRect(2, 1), CRect(0, 22, 401, 23));
  // Five rows end at 22 + 5 * 19 = 117.
  EXPECT_EQ(grid->CalcDragLineRect(1, 2), CRect(128, 0, 129, 118));
  grid->GetParam()->m_bLinesAtRightBottom = TRUE;
  EXPECT_EQ(grid->CalcDragLineRect(2, 1), CRect(0, 21, 401, 22));
}

}  // namespace
