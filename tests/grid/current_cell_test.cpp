#include <gtest/gtest.h>

#include "grid/GridHost.h"

namespace {

// Records the moves it is told about.
class MoveGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  void OnMovedCurrentCell(ROWCOL row, ROWCOL col) override { moves.emplace_back(row, col); }
  std::vector<std::pair<ROWCOL, ROWCOL>> moves;
};

class CurrentCell : public gridtest::GridWindowTest<MoveGrid> {
 protected:
  void SetUp() override { MakeGrid(400, 300, 10, 5); }
  void TearDown() override {
    automation::ClearResponder();
    GridWindowTest::TearDown();
  }
};

TEST_F(CurrentCell, WhichCellsMayBeEntered) {
  EXPECT_TRUE(grid->CanSelectCell(TRUE, 3, 3, 0, 0));
  EXPECT_FALSE(grid->CanSelectCell(TRUE, 11, 3, 0, 0));
  EXPECT_FALSE(grid->CanSelectCell(TRUE, 3, 6, 0, 0));
  grid->ApplyStyle(CGXRange(4, 2), CGXStyle().SetEnabled(FALSE), 0, 0);
  grid->FreeObjectCache();
  EXPECT_FALSE(grid->CanSelectCell(TRUE, 4, 2, 0, 0));

  // Leaving forgets a warning left from an earlier attempt.
  grid->SetWarningText("old");
  EXPECT_TRUE(grid->CanSelectCell(FALSE, 11, 11, 3, 3));
  EXPECT_TRUE(grid->GetWarningText().IsEmpty());
}

TEST_F(CurrentCell, AWarningIsShownOnceThenForgotten) {
  grid->ShowWarningText();  // nothing pending: no box
  EXPECT_TRUE(automation::ModalLog().empty());
  grid->SetWarningText("Num:  Duplicate transaction number");
  automation::ExpectMessageBox("", "Duplicate transaction number", IDOK);
  grid->ShowWarningText();
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_TRUE(grid->m_bWarningShown);
  EXPECT_FALSE(grid->m_bBusy);
  EXPECT_TRUE(grid->GetWarningText().IsEmpty());
  grid->ShowWarningText();
  EXPECT_EQ(automation::ModalLog().size(), 1u);
}

TEST_F(CurrentCell, MovesAreReportedOncePerPosition) {
  using Moves = std::vector<std::pair<ROWCOL, ROWCOL>>;
  // Moves are noticed when the cell's control binds to the new cell.
  grid->RegisterControl(900, new gridtest::TestCell(grid.get()));
  grid->ChangeStandardStyle(CGXStyle().SetControl(900), 0, 0);
  grid->FreeObjectCache();
  ASSERT_TRUE(grid->SetCurrentCell(2, 3));
  ASSERT_TRUE(grid->SetCurrentCell(2, 3));
  ASSERT_TRUE(grid->MoveCurrentCell(3));  // down
  ASSERT_TRUE(grid->SetCurrentCell(4, 1));
  EXPECT_EQ(grid->moves, (Moves{{2, 3}, {3, 3}, {4, 1}}));
  // Rows inserted above carry the current cell, and that is a move too.
  ASSERT_TRUE(grid->InsertRows(1, 2));
  ASSERT_FALSE(grid->moves.empty());
  EXPECT_EQ(grid->moves.back(), std::make_pair(ROWCOL{6}, ROWCOL{1}));
  grid->moves.clear();
  ASSERT_TRUE(grid->TransferCurrentCell(FALSE));  // a discarded edit rebinds in place
  EXPECT_TRUE(grid->moves.empty());

  grid->SetCurrentCellForStyles(4, 1);
  EXPECT_TRUE(grid->IsCurrentCell());
  EXPECT_TRUE(grid->IsCurrentCell(4));
  EXPECT_FALSE(grid->IsCurrentCell(4, 2));
  grid->m_bPrinting = TRUE;
  EXPECT_FALSE(grid->IsCurrentCell());
  EXPECT_TRUE(grid->IsCurrentCell(4, 1, TRUE));
  grid->m_bPrinting = FALSE;
  // A current cell beyond the counts is no current cell.
  grid->GetParam()->GetData()->StoreRowCount(3);
  EXPECT_FALSE(grid->IsCurrentCell());
}

}  // namespace
