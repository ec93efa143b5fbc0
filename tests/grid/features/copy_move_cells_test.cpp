#include <gtest/gtest.h>

#include <string>

#include "grid/features/FeatureGrid.h"
#include "platform/testing/Automation.h"

namespace {

using gridtest::FeatureGridTest;

class CopyMoveCells : public FeatureGridTest {
 protected:
  // Column 1 holds "r1".."r6"; row 1 of columns 1..4 holds "c1".."c4".
  void Fill() {
    for (ROWCOL r = 1; r <= 6; ++r) grid->SetValueRange(CGXRange(r, 1), ("r" + std::to_string(r)).c_str());
    for (ROWCOL c = 2; c <= 4; ++c) grid->SetValueRange(CGXRange(1, c), ("c" + std::to_string(c)).c_str());
  }
  // The values of rows 1..8 of a column, or of columns 1..6 of a row.
  std::string Column(ROWCOL col) {
    std::string out;
    for (ROWCOL r = 1; r <= 8; ++r) out += std::string(Value(r, col)) + "|";
    return out;
  }
  std::string Row(ROWCOL row) {
    std::string out;
    for (ROWCOL c = 1; c <= 6; ++c) out += std::string(Value(row, c)) + "|";
    return out;
  }
  // The same block pasted through the clipboard.
  void Paste(const CGXRange& source, ROWCOL row, ROWCOL col) {
    grid->GetParam()->m_SelRects.DeleteAll();
    grid->GetParam()->m_SelRects.AddTail(new CGXRange(source));
    grid->SetCurrentCell(source.top, source.left);
    ASSERT_TRUE(grid->Copy());
    grid->GetParam()->m_SelRects.DeleteAll();
    grid->SetCurrentCell(row, col);
    ASSERT_TRUE(grid->Paste());
  }
};

// An overlapping copy reads the block as it was, as a paste does.
TEST_F(CopyMoveCells, OverlappingCopiesMatchAPasteOfTheSameBlock) {
  const struct {
    CGXRange source;
    ROWCOL row, col;
    const char* column1;
    const char* row1;
  } cases[] = {
      {CGXRange(2, 1, 4, 1), 1, 1, "r2|r3|r4|r4|r5|r6|||", "r2|c2|c3|c4|||"},
      {CGXRange(1, 1, 3, 1), 2, 1, "r1|r1|r2|r3|r5|r6|||", "r1|c2|c3|c4|||"},
      {CGXRange(1, 1, 1, 3), 1, 2, "r1|r2|r3|r4|r5|r6|||", "r1|r1|c2|c3|||"},
      {CGXRange(1, 2, 1, 4), 1, 1, "c2|r2|r3|r4|r5|r6|||", "c2|c3|c4|c4|||"},
      {CGXRange(1, 1, 6, 1), 1, 1, "r1|r2|r3|r4|r5|r6|||", "r1|c2|c3|c4|||"},
  };
  for (const auto& c : cases) {
    Fill();
    ASSERT_TRUE(grid->CopyCells(c.source, c.row, c.col));
    const std::string copiedColumn = Column(1), copiedRow = Row(1);
    EXPECT_EQ(copiedColumn, c.column1);
    EXPECT_EQ(copiedRow, c.row1);
    MakeGrid();
    Fill();
    Paste(c.source, c.row, c.col);
    EXPECT_EQ(Column(1), copiedColumn) << "paste of rows " << c.source.top << "-" << c.source.bottom;
    EXPECT_EQ(Row(1), copiedRow);
    MakeGrid();
  }
}

TEST_F(CopyMoveCells, CopyIsUndoneInOneStepAndEmptySourcesEmptyTheTarget) {
  Fill();
  grid->SetValueRange(CGXRange(2, 5), "x");
  const std::string before = Column(1) + Column(5);
  const int undos = UndoCount();
  // Column 6 is empty: copying it over column 5 empties row 2 there.
  ASSERT_TRUE(grid->CopyCells(CGXRange(1, 6, 3, 6), 1, 5));
  EXPECT_EQ(Value(2, 5), "");
  ASSERT_TRUE(grid->CopyCells(CGXRange(1, 1, 2, 1), 4, 1));
  EXPECT_EQ(Column(1), "r1|r2|r3|r1|r2|r6|||");
  EXPECT_EQ(UndoCount(), undos + 2);
  ASSERT_TRUE(grid->Undo());
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column(1) + Column(5), before);
  ASSERT_TRUE(grid->Redo());
  EXPECT_EQ(Value(2, 5), "");
}

TEST_F(CopyMoveCells, MoveKeepsEveryMovedCellAndUndoRestoresTheOverwritten) {
  Fill();
  grid->SetValueRange(CGXRange(7, 1), "keep");
  // Rows 2-4 move down two rows onto 4-6: r4 moves, r5 and r6 are
  // overwritten, rows 2 and 3 are emptied.
  ASSERT_TRUE(grid->MoveCells(CGXRange(2, 1, 4, 1), 4, 1));
  EXPECT_EQ(Column(1), "r1|||r2|r3|r4|keep||");
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column(1), "r1|r2|r3|r4|r5|r6|keep||");
  ASSERT_TRUE(grid->Redo());
  EXPECT_EQ(Column(1), "r1|||r2|r3|r4|keep||");
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column(1), "r1|r2|r3|r4|r5|r6|keep||") << "the redo remembered the overwritten cells again";

  // Without undo the overwritten cells are dropped and nothing is kept.
  grid->GetParam()->m_bUndoEnabled = FALSE;
  const int undos = UndoCount();
  ASSERT_TRUE(grid->MoveCells(CGXRange(1, 1, 2, 1), 2, 1));
  EXPECT_EQ(Column(1), "|r1|r2|r4|r5|r6|keep||");
  EXPECT_EQ(UndoCount(), undos);
}

TEST_F(CopyMoveCells, RefusedOnAReadOnlyGridAndOnAnUndoTooLargeWhenCancelled) {
  Fill();
  grid->SetReadOnly(TRUE);
  EXPECT_FALSE(grid->CopyCells(CGXRange(1, 1, 2, 1), 5, 1));
  EXPECT_FALSE(grid->MoveCells(CGXRange(1, 1, 2, 1), 5, 1));
  EXPECT_EQ(Column(1), "r1|r2|r3|r4|r5|r6|||");
  grid->SetReadOnly(FALSE);

  MakeGrid(40010, 4);
  Fill();
  const int undos = UndoCount();
  automation::ExpectMessageBox("", "Operation is too large for the undo buffer", IDCANCEL);
  EXPECT_FALSE(grid->CopyCells(CGXRange(1, 1, 40000, 1), 1, 2));
  EXPECT_EQ(Value(1, 2), "c2");
  automation::ExpectMessageBox("", "Operation is too large for the undo buffer", IDOK);
  EXPECT_TRUE(grid->CopyCells(CGXRange(1, 1, 40000, 1), 1, 2));
  EXPECT_EQ(Value(6, 2), "r6");
  EXPECT_EQ(UndoCount(), undos) << "copied without undo information";
}

}  // namespace
