#include <gtest/gtest.h>

#include <string>

#include "grid/features/GXGridExcelLikeFillImp.h"
#include "grid/features/HostedFeatureGrid.h"

namespace {

class Fill : public gridtest::HostedFeatureGridTest<> {
 protected:
  void SetUp() override {
    MakeHostedGrid(20, 6);
    grid->GetParam()->m_bFillOption = 1;
    for (ROWCOL r = 1; r <= 8; ++r)
      for (ROWCOL c = 1; c <= 3; ++c)
        grid->SetValueRange(CGXRange(r, c), (std::string(1, static_cast<char>('a' + c - 1)) + std::to_string(r)).c_str());
  }
  std::string Column(ROWCOL col, ROWCOL from = 1, ROWCOL to = 8) {
    std::string out;
    for (ROWCOL r = from; r <= to; ++r) out += std::string(grid->GetCellValue(r, col)) + " ";
    return out;
  }
  CPoint Handle(ROWCOL row, ROWCOL col) {
    const CRect cell = grid->CalcCellRect(row, col);
    return CPoint(cell.right - 2, cell.bottom - 2);
  }
  // Selects the block and drags its handle to the cell (row, col).
  void FillDrag(const CGXRange& block, ROWCOL row, ROWCOL col) {
    Drag(At(block.top, block.left), At(block.bottom, block.right));
    ASSERT_EQ(grid->HitTest(Handle(block.bottom, block.right)), CGXGridCore::kHitFillHandle);
    Down(Handle(block.bottom, block.right));
    ASSERT_TRUE(grid->m_bFillDragging);
    Move(At(row, col));
    Up(At(row, col));
    EXPECT_FALSE(grid->m_bFillDragging);
  }
};

TEST_F(Fill, DraggingDownRepeatsTheBlockAsOneUndoStep) {
  const int undo = grid->GetParam()->GetUndoList().GetCount();
  FillDrag(CGXRange(2, 1, 3, 2), 7, 2);
  EXPECT_EQ(Column(1), "a1 a2 a3 a2 a3 a2 a3 a8 ");
  EXPECT_EQ(Column(2), "b1 b2 b3 b2 b3 b2 b3 b8 ");
  EXPECT_EQ(Column(3), "c1 c2 c3 c4 c5 c6 c7 c8 ") << "only the block's columns";
  EXPECT_EQ(*Selection().GetTail(), CGXRange(2, 1, 7, 2)) << "the filled range is selected";
  EXPECT_EQ(grid->GetParam()->GetUndoList().GetCount(), undo + 1);
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Column(1), "a1 a2 a3 a4 a5 a6 a7 a8 ");
}

TEST_F(Fill, UpwardsAndSidewaysTheCycleStartsAtTheBlocksStart) {
  FillDrag(CGXRange(2, 1, 3, 1), 1, 1);
  EXPECT_EQ(Column(1, 1, 3), "a2 a2 a3 ");
  FillDrag(CGXRange(5, 1, 6, 2), 5, 4);
  EXPECT_EQ(std::string(grid->GetCellValue(5, 3)) + " " + std::string(grid->GetCellValue(5, 4)), "a5 b5");
  EXPECT_EQ(std::string(grid->GetCellValue(6, 3)), "a6");
}

TEST_F(Fill, DraggingBackInsideClearsWhatIsLeftOut) {
  FillDrag(CGXRange(2, 1, 5, 2), 3, 2);
  EXPECT_EQ(Column(1), "a1 a2 a3   a6 a7 a8 ");
  EXPECT_EQ(Column(2), "b1 b2 b3   b6 b7 b8 ");
  EXPECT_EQ(Column(3), "c1 c2 c3 c4 c5 c6 c7 c8 ");
}

TEST_F(Fill, TheOptionSaysWhetherTextsOrWholeStylesFill) {
  grid->ApplyStyle(CGXRange(2, 1), CGXStyle().SetFont(CGXFont().SetBold(TRUE)));
  FillDrag(CGXRange(2, 1), 3, 1);
  EXPECT_EQ(grid->GetCellValue(3, 1), "a2");
  EXPECT_FALSE(grid->GetCachedCellStyle(3, 1).GetFont().GetBold()) << "texts only";
  grid->GetParam()->m_bFillOption = 2;
  FillDrag(CGXRange(2, 1), 4, 1);
  EXPECT_EQ(grid->GetCellValue(4, 1), "a2");
  EXPECT_TRUE(grid->GetCachedCellStyle(4, 1).GetFont().GetBold()) << "whole styles";
}

TEST_F(Fill, NoFillFromWholeRowsOrWithTheOptionOff) {
  Drag(At(2, 0), At(3, 0));
  Down(Handle(3, 6));
  EXPECT_FALSE(grid->m_bFillDragging);
  Up(Handle(3, 6));
  grid->GetParam()->m_bFillOption = 0;
  EXPECT_FALSE(grid->FillCells(CGXRange(2, 1, 6, 1), CGXRange(2, 1, 3, 1)));
  EXPECT_EQ(Column(1), "a1 a2 a3 a4 a5 a6 a7 a8 ");
}

}  // namespace

namespace {

TEST_F(Fill, TheDragsDirectionFollowsTheFartherDistance) {
  Drag(At(5, 2), At(6, 3));
  auto* fill = dynamic_cast<CGXGridExcelLikeFillImp*>(grid->m_pExcelLikeFillImp);
  ASSERT_NE(fill, nullptr);
  ASSERT_TRUE(fill->OnStartFill(grid.get(), Handle(6, 3), 0, CGXGridCore::kHitFillHandle, 6, 3));
  struct Case {
    const char* what;
    ROWCOL row, col;
    CGXRange target;
  } cases[] = {
      {"right on the block's rows", 6, 5, CGXRange(5, 2, 6, 5)},
      {"a row up but far right", 4, 6, CGXRange(5, 2, 6, 6)},
      {"far up, a column right", 1, 4, CGXRange(1, 2, 6, 3)},
      {"below, a column left", 9, 1, CGXRange(5, 2, 9, 3)},
      {"left on the block's rows", 5, 1, CGXRange(5, 1, 6, 3)},
      {"inside shrinks to the nearer side", 5, 2, CGXRange(5, 2, 6, 2)},
  };
  for (const Case& c : cases) EXPECT_EQ(fill->TargetFor(grid.get(), At(c.row, c.col), c.row, c.col), c.target) << c.what;
  grid->OnGridCancelMode();
  EXPECT_FALSE(grid->m_bFillDragging);
}

}  // namespace
