#include <gtest/gtest.h>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXCoveredCells.h"

namespace {

using gridtest::FeatureGridTest;

class CoveredCells : public FeatureGridTest {
 protected:
  // The block covering a cell, or an invalid range.
  CGXRange Block(ROWCOL row, ROWCOL col) {
    CGXRange range;
    return grid->GetCoveredCellsRowCol(row, col, range) != nullptr ? range : CGXRange();
  }
};

TEST_F(CoveredCells, CoverLookUpReplaceAndRemove) {
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(0, 4, 0, 5, 2, 0));
  EXPECT_EQ(Block(0, 5), CGXRange(0, 4, 0, 5));
  EXPECT_FALSE(Block(0, 3).IsValid());

  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 4, 4));
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 3, 6)) << "a new extent replaces the block";
  EXPECT_FALSE(Block(4, 2).IsValid());
  EXPECT_EQ(Block(2, 6), CGXRange(2, 2, 3, 6));

  EXPECT_FALSE(grid->SetCoveredCellsRowCol(3, 3, 3, 3)) << "a one-cell request inside a block fails";
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 2, 2)) << "on the top-left it removes the block";
  EXPECT_FALSE(Block(3, 6).IsValid());
  EXPECT_EQ(grid->GetParam()->m_CoveredCellsList.GetCount(), 1);
}

TEST_F(CoveredCells, OverlappingBlocksAreRefused) {
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 4, 4));
  const struct {
    ROWCOL top, left, bottom, right;
    const char* what;
  } cases[] = {
      {3, 3, 5, 5, "starts inside"},
      {1, 1, 3, 3, "reaches into it from above left"},
      {3, 0, 3, 8, "crosses it"},
      {0, 3, 6, 3, "crosses it downward"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(grid->SetCoveredCellsRowCol(c.top, c.left, c.bottom, c.right)) << c.what;
    EXPECT_EQ(grid->GetParam()->m_CoveredCellsList.GetCount(), 1) << c.what;
    EXPECT_EQ(Block(3, 3), CGXRange(2, 2, 4, 4)) << c.what;
  }
  EXPECT_FALSE(Block(1, 1).IsValid());
  EXPECT_FALSE(Block(3, 8).IsValid()) << "the pool was not touched";
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(6, 6, 7, 7));
  EXPECT_FALSE(grid->SetCoveredCellsRowCol(2, 2, 6, 6)) << "growing over another block";
  EXPECT_EQ(Block(2, 2), CGXRange(2, 2, 4, 4));
}

TEST_F(CoveredCells, UndoRestoresThePreviousCovering) {
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 4, 4));
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 3, 3));
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Block(4, 4), CGXRange(2, 2, 4, 4));
  ASSERT_TRUE(grid->Undo());
  EXPECT_FALSE(Block(2, 2).IsValid());
  ASSERT_TRUE(grid->Redo());
  EXPECT_EQ(Block(3, 3), CGXRange(2, 2, 4, 4));
}

TEST_F(CoveredCells, CoveringMovesTheCurrentCellToTheTopLeft) {
  ASSERT_TRUE(grid->SetCurrentCell(3, 3));
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 4, 4));
  ROWCOL row = 0, col = 0;
  ASSERT_TRUE(grid->GetCurrentCell(row, col));
  EXPECT_EQ(row, 2u);
  EXPECT_EQ(col, 2u);
}

TEST_F(CoveredCells, ExpandsARangeToTheBlocksItTouches) {
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 4, 4));
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(4, 5, 6, 6));
  CGXRange range(3, 3, 3, 3);
  grid->ExpandToCoveredCells(range);
  EXPECT_EQ(range, CGXRange(2, 2, 4, 4));
  CGXRange wide(3, 3, 3, 5);
  grid->ExpandToCoveredCells(wide);
  EXPECT_EQ(wide, CGXRange(2, 2, 6, 6)) << "growth reaches the second block";
}

TEST_F(CoveredCells, RemovingRowsShrinksOrDropsBlocks) {
  auto* covered = dynamic_cast<CGXGridCoveredCellsImp*>(grid->m_pCoveredCellsImp);
  ASSERT_NE(covered, nullptr);
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(3, 1, 6, 2));
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(6, 4, 10, 5));
  UINT flags = 2;
  EXPECT_TRUE(covered->PrepareRemoveRows(grid.get(), 5, 8, flags, 0));
  EXPECT_EQ(flags, 1u);
  EXPECT_EQ(Block(3, 1), CGXRange(3, 1, 4, 2));
  EXPECT_FALSE(Block(6, 4).IsValid());
  ASSERT_TRUE(grid->Undo()) << "one transaction";
  EXPECT_EQ(Block(3, 1), CGXRange(3, 1, 6, 2));
  EXPECT_EQ(Block(8, 5), CGXRange(6, 4, 10, 5));
}

TEST_F(CoveredCells, TheGridsRowRemovalTrimsBlocksAndOneUndoRestoresAll) {
  grid->SetValueRange(CGXRange(7, 1), "seven");
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(3, 1, 6, 2));
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(6, 4, 10, 5));
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 7, 12, 7));
  ASSERT_TRUE(grid->RemoveRows(5, 8));
  EXPECT_EQ(Block(3, 1), CGXRange(3, 1, 4, 2));
  EXPECT_FALSE(Block(5, 4).IsValid());
  EXPECT_EQ(Block(2, 7), CGXRange(2, 7, 8, 7)) << "a block across the removed rows shrinks with them";
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Block(3, 1), CGXRange(3, 1, 6, 2));
  EXPECT_EQ(Block(8, 5), CGXRange(6, 4, 10, 5));
  EXPECT_EQ(Block(12, 7), CGXRange(2, 7, 12, 7));
  EXPECT_STREQ(Value(7, 1), "seven");
  EXPECT_EQ(RedoCount(), 1);
}

TEST_F(CoveredCells, TheGridsColumnRemovalTrimsBlocks) {
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(1, 2, 2, 5));
  ASSERT_TRUE(grid->RemoveCols(4, 6));
  EXPECT_EQ(Block(1, 2), CGXRange(1, 2, 2, 3));
}

// Through the grid's own removal: the cut-back block comes back whole with
// the rows when the removal is undone.
TEST_F(CoveredCells, UndoingARowRemovalRestoresTheBlocksItCut) {
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(3, 1, 6, 2));
  ASSERT_TRUE(grid->RemoveRows(5, 8));
  EXPECT_EQ(Block(3, 1), CGXRange(3, 1, 4, 2));
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Block(3, 1), CGXRange(3, 1, 6, 2));
  EXPECT_EQ(grid->GetParam()->m_CoveredCellsList.GetCount(), 1);
}

TEST(CoveredCellsAbsent, NothingIsCovered) {
  gridtest::FeatureLibrary library;
  GXInitLibrary();
  CGXGridCore grid;
  grid.Initialize();
  CGXRange range;
  EXPECT_FALSE(grid.SetCoveredCellsRowCol(1, 1, 2, 2));
  EXPECT_EQ(grid.GetCoveredCellsRowCol(1, 1, range), nullptr);
}

}  // namespace
