#include <gtest/gtest.h>

#include <string>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridFloatCellsImp.h"
#include "grid/features/GXGridMergeCellsImp.h"
#include "grid/features/GXGridMoveRowsColsImp.h"

namespace {

using gridtest::FeatureGridTest;

class MoveRowsCols : public FeatureGridTest {
 protected:
  // Rows 1..10 hold "r1".."r10" in column 1, columns 1..6 "c1".."c6" in row 1.
  void SetUp() override {
    MakeGrid(10, 6);
    for (ROWCOL r = 1; r <= 10; ++r) grid->SetValueRange(CGXRange(r, 1), ("r" + std::to_string(r)).c_str());
    for (ROWCOL c = 2; c <= 6; ++c) grid->SetValueRange(CGXRange(1, c), ("c" + std::to_string(c)).c_str());
  }
  std::string Column1() {
    std::string out;
    for (ROWCOL r = 1; r <= 10; ++r) out += std::string(Value(r, 1)) + " ";
    return out;
  }
  std::string Row1() {
    std::string out;
    for (ROWCOL c = 2; c <= 6; ++c) out += std::string(Value(1, c)) + " ";
    return out;
  }
};

TEST_F(MoveRowsCols, RowsMoveDownAndOneUndoBringsThemBack) {
  const std::string before = Column1();
  grid->SetRowHeight(3, 3, 40);
  grid->HideRows(4, 4);
  const int undo = UndoCount();
  ASSERT_TRUE(grid->MoveRows(3, 4, 6));
  EXPECT_EQ(Column1(), "r1 r2 r5 r6 r7 r3 r4 r8 r9 r10 ");
  EXPECT_EQ(grid->GetRowHeight(6), 40) << "the height goes with its row";
  EXPECT_TRUE(grid->IsRowHidden(7)) << "so does the hidden state";
  EXPECT_FALSE(grid->IsRowHidden(4));
  EXPECT_EQ(UndoCount(), undo + 1) << "one step";
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column1(), before);
  EXPECT_EQ(grid->GetRowHeight(3), 40);
  EXPECT_TRUE(grid->IsRowHidden(4));
  ASSERT_TRUE(grid->Redo());
  EXPECT_EQ(Column1(), "r1 r2 r5 r6 r7 r3 r4 r8 r9 r10 ");
}

TEST_F(MoveRowsCols, ColumnsMoveUpAndBack) {
  ASSERT_TRUE(grid->MoveCols(5, 6, 2));
  EXPECT_EQ(Row1(), "c5 c6 c2 c3 c4 ");
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Row1(), "c2 c3 c4 c5 c6 ");
}

TEST_F(MoveRowsCols, RefusedMovesChangeNothing) {
  const std::string before = Column1();
  const int undo = UndoCount();
  EXPECT_FALSE(grid->MoveRows(3, 4, 3)) << "onto its own first row";
  EXPECT_FALSE(grid->MoveRows(8, 9, 10)) << "past the last row";
  EXPECT_FALSE(grid->MoveRows(5, 4, 1)) << "an empty block";
  EXPECT_EQ(Column1(), before);
  EXPECT_EQ(UndoCount(), undo);
}

TEST_F(MoveRowsCols, CurrentCellAndSelectionStayOnTheirData) {
  ASSERT_TRUE(grid->SetCurrentCell(4, 1));
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(7, 2, 7, 3));
  ASSERT_TRUE(grid->MoveRows(3, 4, 6));
  ROWCOL row = 0, col = 0;
  ASSERT_TRUE(grid->GetCurrentCell(row, col));
  EXPECT_EQ(row, 7u);
  EXPECT_EQ(Value(row, 1), "r4");
  EXPECT_EQ(*grid->GetParam()->m_SelRects.GetHead(), CGXRange(5, 2, 5, 3)) << "row 7 shifted up by two";
}

TEST_F(MoveRowsCols, CoveredBlockFollowsAndUndoRestoresItsCovering) {
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(5, 2, 6, 3));
  const int undo = UndoCount();
  ASSERT_TRUE(grid->MoveRows(2, 3, 8));
  EXPECT_EQ(UndoCount(), undo + 1);
  CGXRange block;
  ASSERT_NE(grid->GetCoveredCellsRowCol(3, 2, block), nullptr);
  EXPECT_EQ(block, CGXRange(3, 2, 4, 3));
  ASSERT_TRUE(grid->Undo());
  ASSERT_NE(grid->GetCoveredCellsRowCol(5, 2, block), nullptr);
  EXPECT_EQ(block, CGXRange(5, 2, 6, 3));
  EXPECT_EQ(grid->GetCoveredCellsRowCol(3, 2, block), nullptr);
}

TEST(MovedIndex, FollowsTheBlockAndShiftsTheRowsBetween) {
  struct Case {
    ROWCOL index, from, to, dest, expect;
  } cases[] = {
      {3, 3, 4, 6, 6}, {4, 3, 4, 6, 7}, {5, 3, 4, 6, 3}, {7, 3, 4, 6, 5}, {8, 3, 4, 6, 8},
      {2, 3, 4, 6, 2}, {2, 5, 6, 2, 4}, {5, 5, 6, 2, 2}, {4, 5, 6, 2, 6}, {7, 5, 6, 2, 7},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GXMovedIndex(c.index, c.from, c.to, c.dest), c.expect) << c.index << " in " << c.from << ".." << c.to
                                                                        << " to " << c.dest;
}

}  // namespace

namespace {

// Merged blocks within a row travel with it; blocks merged across the moved
// rows fall apart.
TEST_F(MoveRowsCols, MergedBlocksFollowOrPartAfterAMove) {
  auto* merges = static_cast<CGXGridMergeCellsImp*>(grid->m_pMergeCellsImp);
  ASSERT_NE(merges, nullptr);
  merges->SetMergeCellsMode(grid.get(), 2, FALSE);
  constexpr UINT kHorz = 1, kVert = 2, kValues = 4;
  for (ROWCOL c = 2; c <= 4; ++c) grid->ApplyStyle(CGXRange(3, c), CGXStyle().SetValue("A").SetMergeCell(kHorz | kValues));
  for (ROWCOL r = 5; r <= 6; ++r) grid->ApplyStyle(CGXRange(r, 6), CGXStyle().SetValue("V").SetMergeCell(kVert | kValues));
  grid->EvalMergeCells(CGXRange().SetTable(), FALSE);
  auto block = [&](ROWCOL row, ROWCOL col) {
    CGXRange b(row, col);
    grid->GetMergedCellsRange(row, col, b, -1);
    return b;
  };
  ASSERT_EQ(block(3, 3), CGXRange(3, 2, 3, 4));
  ASSERT_EQ(block(5, 6), CGXRange(5, 6, 6, 6));
  ASSERT_TRUE(grid->MoveRows(3, 3, 8));
  ASSERT_TRUE(grid->MoveRows(4, 4, 9)) << "old row 5 (now 4) goes away from old row 6";
  grid->EvalMergeCells(CGXRange().SetTable(), FALSE);
  EXPECT_EQ(block(7, 3), CGXRange(7, 2, 7, 4)) << "the row's block went with it";
  EXPECT_EQ(block(2, 3), CGXRange(2, 3));
  EXPECT_EQ(block(4, 6), CGXRange(4, 6)) << "old row 6, no longer merged";
  EXPECT_EQ(block(9, 6), CGXRange(9, 6));

  ASSERT_TRUE(grid->Undo());
  ASSERT_TRUE(grid->Undo());
  grid->EvalMergeCells(CGXRange().SetTable(), FALSE);
  EXPECT_EQ(block(3, 3), CGXRange(3, 2, 3, 4)) << "undone moves merge as before";
  EXPECT_EQ(block(5, 6), CGXRange(5, 6, 6, 6));
}

}  // namespace

namespace {

// A floated text keeps its span on the row it moves with, and Undo brings
// row and span back.
TEST_F(MoveRowsCols, AFloatedSpanTravelsWithItsRowAndBack) {
  grid->SetColWidth(1, 6, 40, nullptr, 0);
  static_cast<CGXGridFloatCellsImp*>(grid->m_pFloatCellsImp)->SetFloatCellsMode(grid.get(), 2, FALSE);
  grid->SetValueRange(CGXRange(4, 2), "A text of several columns");
  grid->EvalFloatCells(CGXRange().SetRows(4, 4), FALSE);
  CGXRange span;
  ASSERT_TRUE(grid->GetFloatedCellsRange(4, 3, span));
  const ROWCOL end = span.right;
  ASSERT_GT(end, 2u);

  ASSERT_TRUE(grid->MoveRows(4, 4, 8));
  CGXRange moved;
  EXPECT_TRUE(grid->GetFloatedCellsRange(8, 3, moved));
  EXPECT_EQ(moved, CGXRange(8, 2, 8, end));
  EXPECT_FALSE(grid->GetFloatedCellsRange(4, 3, moved)) << "old row 5 has no text to float";

  ASSERT_TRUE(grid->Undo());
  EXPECT_TRUE(grid->GetFloatedCellsRange(4, 3, moved));
  EXPECT_EQ(moved, CGXRange(4, 2, 4, end));
  EXPECT_FALSE(grid->GetFloatedCellsRange(8, 3, moved));
}

}  // namespace
