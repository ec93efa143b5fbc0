#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/features/GXGridUserDragSelectRangeImp.h"
#include "grid/features/HostedFeatureGrid.h"

namespace {

class DragRowsCols : public gridtest::HostedFeatureGridTest<> {
 protected:
  void SetUp() override {
    MakeHostedGrid(12, 6);
    for (ROWCOL r = 1; r <= 12; ++r) grid->SetValueRange(CGXRange(r, 1), ("r" + std::to_string(r)).c_str());
    for (ROWCOL c = 2; c <= 6; ++c) grid->SetValueRange(CGXRange(1, c), ("c" + std::to_string(c)).c_str());
  }
  std::string Column1() {
    std::string out;
    for (ROWCOL r = 1; r <= 8; ++r) out += std::string(grid->GetCellValue(r, 1)) + " ";
    return out;
  }
  std::string Row1() {
    std::string out;
    for (ROWCOL c = 2; c <= 6; ++c) out += std::string(grid->GetCellValue(1, c)) + " ";
    return out;
  }
  // The top edge of a row's header: the point a drop before that row uses.
  CPoint RowTop(ROWCOL row) { return CPoint(At(row, 0).x, grid->CalcCellRect(row, 0).top + 1); }
  CPoint ColLeft(ROWCOL col) { return CPoint(grid->CalcCellRect(0, col).left + 1, At(0, col).y); }
};

TEST_F(DragRowsCols, DroppedRowsLandBeforeTheTargetAndUndoInOneStep) {
  Drag(At(2, 0), At(3, 0));
  ASSERT_EQ(grid->GetParam()->m_SelRects.GetCount(), 1);
  const int undo = grid->GetParam()->GetUndoList().GetCount();
  Down(At(2, 0));
  EXPECT_TRUE(grid->m_bSelDragging);
  EXPECT_EQ(grid->m_nDragMode, 2);
  Move(RowTop(6));
  EXPECT_NE(grid->m_pDragLineWnd, nullptr) << "the line shows the place";
  Up(RowTop(6));
  EXPECT_FALSE(grid->m_bSelDragging);
  EXPECT_EQ(grid->m_pDragLineWnd, nullptr);
  EXPECT_EQ(Column1(), "r1 r4 r5 r2 r3 r6 r7 r8 ") << "rows 2-3 end before the old row 6";
  EXPECT_EQ(grid->GetParam()->GetUndoList().GetCount(), undo + 1);
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column1(), "r1 r2 r3 r4 r5 r6 r7 r8 ");
}

TEST_F(DragRowsCols, DroppedBelowTheLastRowTheyGoToTheEnd) {
  Drag(At(2, 0), At(3, 0));
  const CRect last = grid->CalcCellRect(12, 0);
  Drag(At(2, 0), CPoint(last.CenterPoint().x, last.bottom + 20));
  EXPECT_EQ(grid->GetCellValue(11, 1), "r2");
  EXPECT_EQ(grid->GetCellValue(12, 1), "r3");
  EXPECT_EQ(grid->GetCellValue(2, 1), "r4");
}

TEST_F(DragRowsCols, ColumnsDragLeft) {
  Click(At(0, 5));
  Drag(At(0, 5), ColLeft(2));
  EXPECT_EQ(Row1(), "c5 c2 c3 c4 c6 ");
}

TEST_F(DragRowsCols, DropsThatMoveNothing) {
  Drag(At(2, 0), At(3, 0));
  for (CPoint p : {RowTop(2), RowTop(3), RowTop(4)}) {
    Drag(At(2, 0), p);
    EXPECT_EQ(Column1(), "r1 r2 r3 r4 r5 r6 r7 r8 ") << "on itself or just below it";
  }
}

TEST_F(DragRowsCols, NoDragWithModifiersTheWholeTableOrUnselectedHeaders) {
  Drag(At(2, 0), At(3, 0));
  Down(At(2, 0), MK_CONTROL);
  EXPECT_FALSE(grid->m_bSelDragging) << "Ctrl adds or removes instead";
  Up(At(2, 0));
  Down(At(6, 0));
  EXPECT_FALSE(grid->m_bSelDragging) << "the header of a row not selected";
  Up(At(6, 0));
  Click(At(0, 0));
  Down(At(2, 0));
  EXPECT_FALSE(grid->m_bSelDragging) << "the whole table";
  Up(At(2, 0));
}

// A grid that lets only blocks below row 1 move, and never before row 2,
// and notes what its hooks were asked.
class PickyGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  BOOL OnStartDragRows(ROWCOL top, ROWCOL bottom) override {
    asked.push_back("start " + std::to_string(top) + "-" + std::to_string(bottom));
    return top > 1 && CGXGridCore::OnStartDragRows(top, bottom);
  }
  BOOL CanDropRows(ROWCOL top, ROWCOL bottom, ROWCOL target) override {
    asked.push_back("can " + std::to_string(top) + "-" + std::to_string(bottom) + ">" + std::to_string(target));
    return target > 2;
  }
  BOOL OnDropRows(ROWCOL top, ROWCOL bottom, ROWCOL target) override {
    asked.push_back("drop " + std::to_string(top) + "-" + std::to_string(bottom) + ">" + std::to_string(target));
    return TRUE;
  }
  std::vector<std::string> asked;
};

class PickyDrag : public gridtest::HostedFeatureGridTest<PickyGrid> {
 protected:
  void SetUp() override {
    MakeHostedGrid(8, 2);
    for (ROWCOL r = 1; r <= 8; ++r) grid->SetValueRange(CGXRange(r, 1), ("r" + std::to_string(r)).c_str());
  }
  std::string Column1() {
    std::string out;
    for (ROWCOL r = 1; r <= 8; ++r) out += std::string(grid->GetCellValue(r, 1)) + " ";
    return out;
  }
  CPoint RowTop(ROWCOL row) { return CPoint(At(row, 0).x, grid->CalcCellRect(row, 0).top + 1); }
};

TEST_F(PickyDrag, TheHooksSeeTheBlockAndTheTarget) {
  Drag(At(3, 0), At(4, 0));
  grid->asked.clear();
  Drag(At(3, 0), RowTop(2));
  EXPECT_EQ(Column1(), "r1 r2 r3 r4 r5 r6 r7 r8 ") << "a refused target";
  ASSERT_FALSE(grid->asked.empty());
  EXPECT_EQ(grid->asked.front(), "start 3-4");
  EXPECT_EQ(grid->asked.back(), "can 3-4>2");

  grid->asked.clear();
  Drag(At(3, 0), RowTop(7));
  EXPECT_EQ(Column1(), "r1 r2 r5 r6 r3 r4 r7 r8 ");
  EXPECT_EQ(grid->asked.back(), "drop 3-4>7");

  grid->asked.clear();
  Drag(At(1, 0), At(2, 0));
  Drag(At(1, 0), RowTop(6));
  EXPECT_EQ(grid->asked.front(), "start 1-2");
  EXPECT_FALSE(grid->m_bSelDragging);
  EXPECT_EQ(Column1(), "r1 r2 r5 r6 r3 r4 r7 r8 ") << "a refused block";
}

TEST(DragDestination, TheBlockIsTakenOutFirst) {
  struct Case {
    ROWCOL first, last, target, dest;
  } cases[] = {{2, 3, 6, 4}, {5, 6, 2, 2}, {2, 3, 13, 11}, {4, 4, 1, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(CGXGridUserDragSelectRangeImp::Destination(c.first, c.last, c.target), c.dest) << c.first << ".." << c.last
                                                                                             << " before " << c.target;
}

}  // namespace
