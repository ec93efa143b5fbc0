#include <gtest/gtest.h>

#include <functional>

#include "grid/GridHost.h"
#include "platform/draw_canvas.h"

namespace {

// Refuses to validate while `refuse` is set (with a warning when one is
// given), vetoes entering `closed`, and records the cells it was told were
// left.
class VetoGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  BOOL OnValidateCell(ROWCOL, ROWCOL) override {
    if (!refuse) return TRUE;
    SetWarningText(warning.empty() ? nullptr : warning.c_str());
    return FALSE;
  }
  BOOL CanSelectCell(BOOL entering, ROWCOL row, ROWCOL col, ROWCOL oldRow, ROWCOL oldCol) override {
    if (entering && closed.IsCellInRange(row, col)) return FALSE;
    return CGXGridCore::CanSelectCell(entering, row, col, oldRow, oldCol);
  }
  BOOL OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol) override {
    left.push_back({row, col, newRow, newCol});
    return TRUE;
  }
  bool refuse = false;
  std::string warning;
  CGXRange closed;
  std::vector<std::array<ROWCOL, 4>> left;
};

class CurrentCellMove : public gridtest::GridHostTest<VetoGrid> {
 protected:
  void SetUp() override { MakeHostedGrid(10, 5); }
  // Makes (2, 2) current with "12x" typed into it.
  void TypeIntoCell() {
    ASSERT_TRUE(grid->SetCurrentCell(2, 2, 0));
    cell->HandleChar('1', 1, 0);
    cell->HandleChar('2', 1, 0);
    cell->HandleChar('x', 1, 0);
  }
};

TEST_F(CurrentCellMove, AMoveStoresTheEditAndTellsTheGridTheCellWasLeft) {
  TypeIntoCell();
  EXPECT_TRUE(grid->SetCurrentCell(3, 4, 0));
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{3}, ROWCOL{4}));
  EXPECT_EQ(std::string(grid->GetCellValue(2, 2)), "12x");
  ASSERT_EQ(grid->left.size(), 1u);
  EXPECT_EQ(grid->left[0], (std::array<ROWCOL, 4>{2, 2, 3, 4}));
  EXPECT_TRUE(cell->IsInitializedFor(3, 4));
  EXPECT_FALSE(cell->active);
  EXPECT_EQ(grid->GetCurrentCellControl(), cell);
  EXPECT_EQ(grid->GetParam()->m_nSharedCurrentRow, 3u);
}

TEST_F(CurrentCellMove, RefusedValidationWarnsOnceAndRestoresTheEdit) {
  TypeIntoCell();
  grid->refuse = true;
  grid->warning = "Amount:  Too large";
  automation::ExpectMessageBox("", "Too large", IDOK);
  EXPECT_FALSE(grid->SetCurrentCell(5, 1, 0));
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{2}, ROWCOL{2}));
  EXPECT_TRUE(cell->active);
  EXPECT_TRUE(cell->modified);
  EXPECT_EQ(std::string(cell->typed), "12x");
  EXPECT_TRUE(grid->GetCellValue(2, 2).IsEmpty()) << "nothing stored";
  EXPECT_TRUE(grid->left.empty());
  EXPECT_TRUE(grid->GetWarningText().IsEmpty());

  // Without a warning text the move is refused silently.
  grid->warning.clear();
  const size_t boxes = automation::ModalLog().size();
  EXPECT_FALSE(grid->SetCurrentCell(5, 1, 0));
  EXPECT_EQ(automation::ModalLog().size(), boxes);

  grid->refuse = false;
  EXPECT_TRUE(grid->SetCurrentCell(5, 1, 0));
  EXPECT_EQ(std::string(grid->GetCellValue(2, 2)), "12x");
}

TEST_F(CurrentCellMove, AFailedStoreKeepsTheCellActiveWithItsText) {
  TypeIntoCell();
  cell->storeOk = FALSE;
  EXPECT_FALSE(grid->SetCurrentCell(4, 4, 0));
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{2}, ROWCOL{2}));
  EXPECT_TRUE(cell->active && cell->modified);
  EXPECT_EQ(std::string(cell->typed), "12x");
}

TEST_F(CurrentCellMove, RefusedEntryReturnsToTheOldCell) {
  ASSERT_TRUE(grid->SetCurrentCell(2, 2, 0));
  grid->closed = CGXRange(4, 1, 4, 5);
  EXPECT_FALSE(grid->SetCurrentCell(4, 3, 0)) << "the veto hook";
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{2}, ROWCOL{2}));
  EXPECT_TRUE(cell->IsInitializedFor(2, 2));

  grid->ApplyStyle(CGXRange(6, 2), CGXStyle().SetEnabled(FALSE), 0, 0);
  grid->FreeObjectCache();
  EXPECT_FALSE(grid->SetCurrentCell(6, 2, 0)) << "a disabled cell";
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{2}, ROWCOL{2}));

  // A row beyond the count: the old cell was left, none is current.
  EXPECT_FALSE(grid->SetCurrentCell(11, 2, 0));
  EXPECT_FALSE(grid->IsCurrentCell());
}

TEST_F(CurrentCellMove, MovingOntoTheCurrentCellLeavesAndEntersItAgain) {
  TypeIntoCell();
  grid->closed = CGXRange(2, 2);  // entering is not asked again
  EXPECT_TRUE(grid->SetCurrentCell(2, 2, 0));
  EXPECT_EQ(std::string(grid->GetCellValue(2, 2)), "12x");
  ASSERT_EQ(grid->left.size(), 1u);
  EXPECT_TRUE(cell->IsInitializedFor(2, 2));
}

TEST_F(CurrentCellMove, TransferStoresOrDiscards) {
  TypeIntoCell();
  EXPECT_TRUE(grid->TransferCurrentCell(TRUE, 0, FALSE));
  EXPECT_EQ(std::string(grid->GetCellValue(2, 2)), "12x");
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{2}, ROWCOL{2}));

  cell->HandleChar('9', 1, 0);
  EXPECT_TRUE(grid->TransferCurrentCell(FALSE, 0, FALSE));
  EXPECT_FALSE(cell->active);
  CString shown;
  cell->GetValue(shown);
  EXPECT_EQ(std::string(shown), "12x") << "the stored value is shown again";

  grid->refuse = true;
  cell->HandleChar('7', 1, 0);
  EXPECT_FALSE(grid->TransferCurrentCell(TRUE, 0, FALSE));
  EXPECT_TRUE(cell->modified);
}

TEST_F(CurrentCellMove, ACellBeyondTheCountsIsNoLongerCurrent) {
  ASSERT_TRUE(grid->SetCurrentCell(8, 2, 0));
  data()->StoreRowCount(5);
  ROWCOL row = 0, col = 0;
  EXPECT_FALSE(grid->GetCurrentCell(row, col));
  data()->StoreRowCount(10);
  EXPECT_FALSE(grid->GetCurrentCell(row, col)) << "for good";
  EXPECT_EQ(grid->GetCurrentCellControl(), nullptr);
}

// A store that gives the current cell another kind of control takes effect
// with the cell's next composition.
TEST_F(CurrentCellMove, TheCurrentCellsControlFollowsItsStyle) {
  auto* other = new gridtest::TestCell(grid.get());
  grid->RegisterControl(901, other);
  ASSERT_TRUE(grid->SetCurrentCell(2, 2, 0));
  ASSERT_EQ(grid->GetControl(2, 2), cell);
  grid->ApplyStyle(CGXRange(2, 2), CGXStyle().SetControl(901), 0, 0);
  grid->GetCachedCellStyle(2, 2);
  EXPECT_EQ(grid->GetControl(2, 2), other);
  EXPECT_EQ(grid->GetCurrentCellControl(), other);
}

TEST_F(CurrentCellMove, DrawingTheCurrentCellBindsItsControl) {
  ASSERT_TRUE(grid->SetCurrentCell(3, 3, 0));
  cell->Reset();
  drawtest::Canvas canvas(500, 400);
  grid->OnDraw(&canvas.dc);
  EXPECT_TRUE(cell->IsInitializedFor(3, 3));
}

}  // namespace

namespace {

// A pending edit belongs to its cell: rows and columns inserted or removed
// before it move both the stored value and the edit's cell.
TEST_F(CurrentCellMove, AnEditFollowsItsCellWhenRowsOrColumnsMove) {
  struct Case {
    const char* name;
    std::function<BOOL(CGXGridCore&)> change;
    ROWCOL row, col;
  };
  const Case cases[] = {
      {"insert rows above", [](CGXGridCore& g) { return g.InsertRows(2, 3); }, 8, 2},
      {"remove rows above", [](CGXGridCore& g) { return g.RemoveRows(1, 2); }, 3, 2},
      {"insert columns left", [](CGXGridCore& g) { return g.InsertCols(1, 2); }, 5, 4},
      {"remove a column left", [](CGXGridCore& g) { return g.RemoveCols(1, 1); }, 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wnd.grid = nullptr;
    grid.reset();
    wnd.DestroyWindow();
    MakeHostedGrid(10, 5);
    ASSERT_TRUE(grid->SetCurrentCell(5, 2, 0));
    cell->HandleChar('a', 1, 0);
    cell->HandleChar('b', 1, 0);
    ASSERT_TRUE(c.change(*grid));
    EXPECT_EQ(Current(), std::make_pair(c.row, c.col));
    EXPECT_EQ(std::string(grid->GetCellValue(c.row, c.col)), "ab");
    EXPECT_TRUE(cell->IsInitializedFor(c.row, c.col)) << "the control is bound to the moved cell";
    // A new edit goes to the moved cell, not to the one now at the old place.
    cell->HandleChar('c', 1, 0);
    ASSERT_TRUE(grid->SetCurrentCell(1, 1, 0));
    EXPECT_EQ(std::string(grid->GetCellValue(c.row, c.col)), "c");
    EXPECT_NE(std::string(grid->GetCellValue(5, 2)), "c");
  }
}

TEST_F(CurrentCellMove, ARefusedEditStopsTheInsertion) {
  ASSERT_TRUE(grid->SetCurrentCell(5, 2, 0));
  cell->HandleChar('a', 1, 0);
  cell->storeOk = FALSE;
  EXPECT_FALSE(grid->InsertRows(2, 3));
  EXPECT_FALSE(grid->RemoveRows(1, 1));
  EXPECT_EQ(grid->GetRowCount(), 10u);
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{5}, ROWCOL{2}));
}

// The covered blocks move with the rows only when the rows did move.
TEST_F(CurrentCellMove, CoveredBlocksStayWhenARemovalIsRefused) {
  CGXRangeList& covered = grid->GetParam()->m_CoveredCellsList;
  covered.AddTail(new CGXRange(6, 1, 7, 2));
  grid->SetReadOnly(TRUE);
  EXPECT_FALSE(grid->StoreRemoveRows(2, 3, FALSE));
  grid->RemoveRows(2, 3);
  EXPECT_EQ(*covered.GetHead(), CGXRange(6, 1, 7, 2));
  grid->SetReadOnly(FALSE);
  EXPECT_TRUE(grid->StoreRemoveRows(2, 3, FALSE)) << "the store step moves them itself";
  EXPECT_EQ(*covered.GetHead(), CGXRange(4, 1, 5, 2));
}

}  // namespace

namespace {

// A program's store into the current cell reaches the editor that is open
// on it, so that the next store of the edit does not bring the old text back.
TEST_F(CurrentCellMove, AProgramStoreIntoTheCurrentCellReachesItsEditor) {
  TypeIntoCell();
  ASSERT_TRUE(cell->active);
  EXPECT_TRUE(grid->SetValueRange(CGXRange(2, 2), "99", 0, 0));
  CString shown;
  cell->GetValue(shown);
  EXPECT_EQ(std::string(shown), "99");
  ASSERT_TRUE(grid->SetCurrentCell(3, 3, 0));
  EXPECT_EQ(std::string(grid->GetCellValue(2, 2)), "99");
}

// A negative amount is shown in its colour, except by the editor that is
// open on it.
TEST_F(CurrentCellMove, NegativeColourIsLeftToAnActiveEditor) {
  CGXStyle negative;
  negative.SetValue("-5").SetUserAttribute(52797, "255");
  grid->ApplyStyle(CGXRange(2, 2, 3, 2), negative, 0, 0);
  grid->FreeObjectCache();
  auto colour = [&](ROWCOL r) {
    CGXStyle s;
    grid->ComposeStyleRowCol(r, 2, s, TRUE);
    return s.GetTextColor();
  };
  EXPECT_EQ(colour(2), RGB(255, 0, 0));
  TypeIntoCell();
  EXPECT_NE(colour(2), RGB(255, 0, 0)) << "the active editor's cell";
  EXPECT_EQ(colour(3), RGB(255, 0, 0));
}

}  // namespace
