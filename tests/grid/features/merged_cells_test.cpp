#include <gtest/gtest.h>

#include <functional>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridMergeCellsImp.h"

namespace {

constexpr UINT kHorz = 1, kVert = 2, kValues = 4;

class MergedCells : public gridtest::FeatureGridTest {
 protected:
  void SetUp() override {
    MakeGrid(12, 8);
    Mode(2);
  }
  void Mode(WORD mode) { Merges()->SetMergeCellsMode(grid.get(), mode, FALSE); }
  CGXGridMergeCellsImp* Merges() { return static_cast<CGXGridMergeCellsImp*>(grid->m_pMergeCellsImp); }
  // Values into row 3 from column 1, each cell merging as `bits` says.
  void Row3(std::initializer_list<const char*> values, UINT bits = kHorz | kValues) {
    ROWCOL col = 1;
    for (const char* v : values) {
      grid->ApplyStyle(CGXRange(3, col), CGXStyle().SetValue(v).SetMergeCell(bits));
      ++col;
    }
  }
  BOOL Eval() { return grid->EvalMergeCells(CGXRange().SetTable(), FALSE); }
  CGXRange Block(ROWCOL row, ROWCOL col, int direction = -1) {
    CGXRange block(row, col);
    grid->GetMergedCellsRange(row, col, block, direction);
    return block;
  }
};

TEST_F(MergedCells, EqualNeighboursMergeAndPartWhenOneChanges) {
  Row3({"A", "A", "A", "B"});
  EXPECT_TRUE(Eval());
  EXPECT_EQ(Block(3, 2), CGXRange(3, 1, 3, 3));
  EXPECT_EQ(Block(3, 4), CGXRange(3, 4));
  CGXRange span;
  EXPECT_EQ(grid->GetCellSpanRange(3, 3, span), &span);
  EXPECT_EQ(span, CGXRange(3, 1, 3, 3));

  grid->SetValueRange(CGXRange(3, 2), "D");
  EXPECT_TRUE(grid->EvalMergeCells(CGXRange(3, 2), FALSE));
  for (ROWCOL col = 1; col <= 3; ++col) EXPECT_EQ(Block(3, col), CGXRange(3, col)) << col;
  EXPECT_FALSE(Eval()) << "nothing left to change";
}

TEST_F(MergedCells, WhatKeepsCellsApart) {
  CGXFont bold;
  bold.SetBold(TRUE);
  struct Case {
    const char* what;
    std::function<void(CGXGridCore&)> setUp;
    bool merges;
  };
  const Case cases[] = {
      {"equal values", [](CGXGridCore&) {}, true},
      {"different fonts, values compared only",
       [&](CGXGridCore& g) { g.ApplyStyle(CGXRange(3, 2), CGXStyle().SetFont(bold)); }, true},
      {"equal styles, whole styles compared",
       [&](CGXGridCore& g) { g.ApplyStyle(CGXRange(3, 1, 3, 2), CGXStyle().SetMergeCell(kHorz)); }, true},
      {"different fonts, whole styles compared",
       [&](CGXGridCore& g) {
         g.ApplyStyle(CGXRange(3, 1, 3, 2), CGXStyle().SetMergeCell(kHorz));
         g.ApplyStyle(CGXRange(3, 2), CGXStyle().SetFont(bold));
       },
       false},
      {"empty cells", [](CGXGridCore& g) { g.SetValueRange(CGXRange(3, 1, 3, 2), ""); }, false},
      {"covered cell", [](CGXGridCore& g) { g.SetCoveredCellsRowCol(3, 2, 4, 2, 0); }, false},
      {"vertical bit only", [](CGXGridCore& g) { g.ApplyStyle(CGXRange(3, 1, 3, 2), CGXStyle().SetMergeCell(kVert | kValues)); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeGrid(12, 8);
    Mode(2);
    Row3({"A", "A"});
    c.setUp(*grid);
    Eval();
    EXPECT_EQ(Block(3, 1, 0) == CGXRange(3, 1, 3, 2), c.merges);
  }
}

TEST_F(MergedCells, ModeBitsSwitchOffOneDirection) {
  grid->ApplyStyle(CGXRange(2, 1, 3, 2), CGXStyle().SetValue("A").SetMergeCell(kHorz | kVert | kValues));
  Mode(2 | 8);
  Eval();
  EXPECT_EQ(Block(2, 1, 0), CGXRange(2, 1)) << "no horizontal blocks";
  EXPECT_EQ(Block(2, 1, 1), CGXRange(2, 1, 3, 1));
  Mode(2 | 4);
  Eval();
  EXPECT_EQ(Block(2, 1, 0), CGXRange(2, 1, 2, 2));
  EXPECT_EQ(Block(2, 1, 1), CGXRange(2, 1)) << "no vertical blocks";
}

TEST_F(MergedCells, AModeWithoutPoolsIsRefused) {
  Mode(3);
  EXPECT_EQ(grid->GetParam()->m_wMergeCellsMode, 2);
  Mode(0);
  Mode(3 | 8);
  EXPECT_EQ(grid->GetParam()->m_wMergeCellsMode, 0);
  Row3({"A", "A"});
  EXPECT_FALSE(Eval());
}

TEST_F(MergedCells, DelayedModeWalksOverHiddenColumns) {
  Mode(1);
  Row3({"A", "B", "A"});
  grid->HideCols(2, 2);
  Eval();
  EXPECT_EQ(Block(3, 1, 0), CGXRange(3, 1, 3, 3));
  EXPECT_FALSE(Eval()) << "evaluated once";
}

TEST_F(MergedCells, BlocksFollowInsertedRows) {
  grid->ApplyStyle(CGXRange(3, 1, 3, 3), CGXStyle().SetValue("A").SetMergeCell(kHorz | kValues));
  grid->ApplyStyle(CGXRange(5, 6, 8, 6), CGXStyle().SetValue("B").SetMergeCell(kVert | kValues));
  Eval();
  grid->InsertRows(2, 1);
  EXPECT_EQ(Block(4, 2, 0), CGXRange(4, 1, 4, 3)) << "a block along the rows moves with them";
  EXPECT_EQ(Block(6, 6, 1), CGXRange(6, 6)) << "a block across them is dropped";
  Eval();
  EXPECT_EQ(Block(6, 6, 1), CGXRange(6, 6, 9, 6)) << "and found again";
}

TEST_F(MergedCells, ExpandRangeTakesBothDirections) {
  grid->ApplyStyle(CGXRange(2, 1, 2, 3), CGXStyle().SetValue("A").SetMergeCell(kHorz | kValues));
  grid->ApplyStyle(CGXRange(4, 5, 6, 5), CGXStyle().SetValue("B").SetMergeCell(kVert | kValues));
  Eval();
  CGXRange range(2, 2, 5, 5);
  grid->ExpandRangeToMergedCells(range);
  EXPECT_EQ(range, CGXRange(2, 1, 6, 5));
}

}  // namespace
