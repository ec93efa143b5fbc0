#include <gtest/gtest.h>

#include <string>

#include "grid/PaintedGridTest.h"
#include "support/GoldenImage.h"

namespace {

// A grid with every feature, a covered block over rows 2-5 of column 2,
// a hidden row and a widened column.
class SpannedDrawing : public gridtest::PaintedGridTest {
 protected:
  void SetUp() override {
    MakePaintedGrid(12, 4);
    grid->SetColWidth(0, 0, 30, nullptr, 0);
    grid->SetColWidth(1, 4, 60, nullptr, 0);
    grid->SetRowHeight(1, 12, 18, nullptr, 0);
    grid->ApplyStyle(CGXRange(2, 2), CGXStyle().SetValue("Block").SetInteriorColor(RGB(0, 128, 255)), 0, 0);
    ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 5, 2, 0));
  }
  CRect Cell(ROWCOL row, ROWCOL col) { return grid->CalcCellRect(row, col); }
};

TEST_F(SpannedDrawing, ACoveredBlockIsOneCellWithoutInnerLines) {
  const COLORREF blue = RGB(0, 128, 255);
  const CRect top = Cell(2, 2), bottom = Cell(5, 2);
  // The block's colour reaches down to its last row, over the lines that
  // would part its rows.
  EXPECT_EQ(At(top.left + 30, top.top + 9), blue);
  EXPECT_EQ(At(bottom.left + 30, bottom.bottom - 3), blue);
  // (Rows are measured in column 1: a covered cell's rectangle is its block's.)
  EXPECT_EQ(At(top.left + 30, Cell(3, 1).top), blue) << "no grid line inside the block";
  EXPECT_NE(At(top.left + 30, Cell(6, 1).top + 9), blue);
}

TEST_F(SpannedDrawing, ABlockScrolledHalfOutIsDrawnAtItsFullSize) {
  grid->SetTopRow(4, 0);
  // Rows 4 and 5 of the block are in view; the block still shows its
  // colour there, and its text, which sits at its top, is scrolled away.
  const CRect visible = Cell(4, 1);
  EXPECT_EQ(At(Cell(4, 3).left - 30, visible.top + 9), RGB(0, 128, 255));
}

TEST_F(SpannedDrawing, WithoutTheFeatureEachCellIsDrawnAlone) {
  grid->m_pDrawSpannedCellsImp = nullptr;
  EXPECT_NE(At(Cell(3, 3).left - 30, Cell(3, 1).top + 9), RGB(0, 128, 255));
}

TEST_F(SpannedDrawing, CoveredHiddenAndResizedGolden) {
  grid->HideRows(8, 8);
  grid->SetColWidth(3, 3, 90, nullptr, 0);
  grid->SetRowHeight(7, 7, 30, nullptr, 0);
  grid->SetValueRange(CGXRange(7, 3), "Tall");
  EXPECT_TRUE(golden::Matches("grid/spanned_cells.png", [&](const std::string& p) { return Render(p); }));
}

}  // namespace
