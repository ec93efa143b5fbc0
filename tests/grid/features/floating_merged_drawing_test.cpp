#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "grid/PaintedGridTest.h"
#include "grid/features/GXGridFloatCellsImp.h"
#include "grid/features/GXGridMergeCellsImp.h"
#include "support/GoldenImage.h"

namespace {

// Counts how often each cell's style is composed.
class ComposeCountingGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  void ComposeStyleRowCol(ROWCOL row, ROWCOL col, CGXStyle& style, BOOL withStandard) override {
    ++composed[{row, col}];
    CGXGridCore::ComposeStyleRowCol(row, col, style, withStandard);
  }
  std::map<std::pair<ROWCOL, ROWCOL>, int> composed;
};

// A grid with every feature that switches floating and merged cells on.
class FloatingMergedDrawing : public gridtest::PaintedGridTest {
 protected:
  void SetUp() override {
    MakePaintedGrid(12, 5, true);
    grid->SetColWidth(0, 0, 30, nullptr, 0);
    grid->SetColWidth(1, 5, 55, nullptr, 0);
    grid->SetRowHeight(1, 12, 18, nullptr, 0);
  }
  void Floating(WORD mode) {
    static_cast<CGXGridFloatCellsImp*>(grid->m_pFloatCellsImp)->SetFloatCellsMode(grid.get(), mode, FALSE);
  }
  void Merging(WORD mode) {
    static_cast<CGXGridMergeCellsImp*>(grid->m_pMergeCellsImp)->SetMergeCellsMode(grid.get(), mode, FALSE);
  }
  CRect Cell(ROWCOL row, ROWCOL col) { return grid->CalcCellRect(row, col); }
};

TEST_F(FloatingMergedDrawing, ThePaintEvaluatesSpansWithTheStylesItDraws) {
  // The floating spans of the painted area are worked out from the grid's
  // own cell styles, which the paint then draws with: no cell is composed
  // twice.
  wnd.grid = nullptr;
  auto* counting = new ComposeCountingGrid(&wnd);
  grid.reset(counting);
  grid->Initialize();
  data()->StoreRowCount(12);
  data()->StoreColCount(5);
  wnd.grid = counting;
  Floating(1);
  grid->SetValueRange(CGXRange(2, 1), "Floating over three columns");
  grid->SetValueRange(CGXRange(5, 2), "Floats too");
  counting->composed.clear();
  Paint();
  CGXRange span;
  ASSERT_TRUE(grid->GetFloatedCellsRange(2, 2, span));
  for (const auto& cell : {std::make_pair(2u, 1u), std::make_pair(2u, 2u), std::make_pair(5u, 2u)})
    EXPECT_EQ(counting->composed[cell], 1) << "cell " << cell.first << "," << cell.second;
}

TEST_F(FloatingMergedDrawing, FloatingTextIsDrawnAcrossItsSpan) {
  Floating(1);
  grid->SetValueRange(CGXRange(2, 1), "Floating over three columns");
  grid->SetValueRange(CGXRange(4, 2), "Stops at a filled cell");
  grid->SetValueRange(CGXRange(4, 3), "x");
  grid->ApplyStyle(CGXRange(6, 1), CGXStyle().SetValue("Coloured text floats too").SetInteriorColor(RGB(255, 255, 0)));
  Paint();
  // Painting evaluated the delayed spans of the visible area.
  CGXRange span;
  ASSERT_TRUE(grid->GetFloatedCellsRange(2, 2, span));
  EXPECT_EQ(span.left, 1u);
  EXPECT_FALSE(grid->GetFloatedCellsRange(4, 2, span));
  // The floating cell's background runs over the flooded cells, with no
  // grid line between them.
  const CRect flooded = Cell(6, 2);
  EXPECT_EQ(At(flooded.left, flooded.bottom - 2), RGB(255, 255, 0));
  EXPECT_TRUE(golden::Matches("grid/floating_cells.png", [&](const std::string& p) { return Render(p); }));
}

TEST_F(FloatingMergedDrawing, MergedTextIsDrawnOnceOverItsBlock) {
  Merging(2);
  const CGXStyle merging = CGXStyle().SetMergeCell(1 | 2 | 4).SetInteriorColor(RGB(200, 230, 255));
  grid->ApplyStyle(CGXRange(2, 1, 2, 3), CGXStyle(merging).SetValue("Across"));
  grid->ApplyStyle(CGXRange(4, 5, 7, 5), CGXStyle(merging).SetValue("Down"));
  grid->ApplyStyle(CGXRange(4, 1), CGXStyle(merging).SetValue("One"));
  grid->ApplyStyle(CGXRange(4, 2), CGXStyle(merging).SetValue("Two"));
  Paint();
  CGXRange block;
  ASSERT_TRUE(grid->GetMergedCellsRange(2, 2, block, 0));
  EXPECT_EQ(block, CGXRange(2, 1, 2, 3));
  ASSERT_TRUE(grid->GetMergedCellsRange(6, 5, block, 1));
  EXPECT_EQ(block, CGXRange(4, 5, 7, 5));
  EXPECT_FALSE(grid->GetMergedCellsRange(4, 1, block, 0));
  // No grid line parts the merged cells.
  const COLORREF blue = RGB(200, 230, 255);
  EXPECT_EQ(At(Cell(2, 2).left, Cell(2, 2).top + 9), blue);
  EXPECT_EQ(At(Cell(6, 5).left + 20, Cell(6, 5).top), blue);
  EXPECT_TRUE(golden::Matches("grid/merged_cells.png", [&](const std::string& p) { return Render(p); }));
}

}  // namespace
