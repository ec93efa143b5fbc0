#include <gtest/gtest.h>

#include "grid/GridWindowTest.h"

namespace {

// A 10 x 6 grid with hidden row 4 and column 3, a covered block rows 6-7 x
// columns 4-5, and disabled cell (2, 2) and row 9.
class BlockGrid : public gridtest::HidingGrid {
 public:
  using HidingGrid::HidingGrid;
  CGXRange* GetCoveredCellsRowCol(ROWCOL row, ROWCOL col, CGXRange& range) override {
    if (!CGXRange(6, 4, 7, 5).IsCellInRange(row, col)) return nullptr;
    range = CGXRange(6, 4, 7, 5);
    return &range;
  }
};

class NextCell : public gridtest::GridWindowTest<BlockGrid> {
 protected:
  void SetUp() override {
    MakeGrid(600, 400, 10, 6);
    grid->hiddenRows = {4};
    grid->hiddenCols = {3};
    grid->ApplyStyle(CGXRange(2, 2), CGXStyle().SetEnabled(FALSE), 0, 0);
    grid->ApplyStyle(CGXRange(9, 1, 9, 6), CGXStyle().SetEnabled(FALSE), 0, 0);
    grid->FreeObjectCache();
  }
};

struct Search {
  int direction;
  ROWCOL row, col;
  bool found;
  ROWCOL foundRow, foundCol;
};

TEST_F(NextCell, SkipsHiddenCoveredAndDisabledCells) {
  const Search cases[] = {
      {4, 1, 3, true, 1, 4},     // hidden column passed over
      {2, 1, 3, true, 1, 2},     // left over the hidden column
      {3, 4, 1, true, 5, 1},     // hidden row passed over
      {1, 4, 1, true, 3, 1},     // up over the hidden row
      {4, 2, 2, true, 2, 4},     // disabled cell, then the hidden column
      {2, 2, 2, true, 2, 1},     // disabled cell leftwards
      {4, 7, 5, true, 7, 6},     // inside a covered block: not its first column
      {4, 6, 4, true, 6, 4},     // the block's first column counts
      {3, 7, 4, true, 8, 4},     // down from inside the block
      {3, 9, 1, true, 10, 1},    // disabled row skipped
      {3, 10, 1, true, 10, 1},   // the start itself
      {3, 11, 1, false, 0, 0},   // past the last row
      {4, 1, 7, false, 0, 0},    // past the last column
      {1, 0, 1, false, 0, 0},    // reaching row 0
      {2, 2, 0, false, 0, 0},    // reaching column 0
  };
  for (const Search& s : cases) {
    ROWCOL row = s.row;
    ROWCOL col = s.col;
    SCOPED_TRACE(testing::Message() << "direction " << s.direction << " from " << s.row << "," << s.col);
    EXPECT_EQ(grid->FindNextCell(s.direction, row, col) != FALSE, s.found);
    if (s.found) {
      EXPECT_EQ(row, s.foundRow);
      EXPECT_EQ(col, s.foundCol);
    } else {
      // Nothing is written back on failure.
      EXPECT_EQ(row, s.row);
      EXPECT_EQ(col, s.col);
    }
  }
}

TEST_F(NextCell, AllDisabledAheadFindsNothing) {
  grid->ApplyStyle(CGXRange(10, 1, 10, 6), CGXStyle().SetEnabled(FALSE), 0, 0);
  grid->FreeObjectCache();
  ROWCOL row = 9;
  ROWCOL col = 2;
  EXPECT_FALSE(grid->FindNextCell(3, row, col));
  EXPECT_EQ(row, 9u);
}

}  // namespace
