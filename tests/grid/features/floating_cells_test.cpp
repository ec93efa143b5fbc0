#include <gtest/gtest.h>

#include <functional>

#include "grid/cells/GXControlFactory.h"
#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridFloatCellsImp.h"

namespace {

// Columns 40 pixels wide and a text some three columns long.
class FloatingCells : public gridtest::FeatureGridTest {
 protected:
  void SetUp() override {
    MakeGrid(20, 8);
    grid->SetColWidth(1, 8, 40, nullptr, 0);
    Mode(2);
  }
  void Mode(WORD mode) { Floats()->SetFloatCellsMode(grid.get(), mode, FALSE); }
  CGXGridFloatCellsImp* Floats() { return static_cast<CGXGridFloatCellsImp*>(grid->m_pFloatCellsImp); }
  BOOL Eval(ROWCOL row) { return grid->EvalFloatCells(CGXRange().SetRows(row, row), FALSE); }
  // The last column of the span that starts at the cell, or the cell's own.
  ROWCOL SpanEnd(ROWCOL row, ROWCOL col) {
    CGXRange span;
    return grid->GetFloatedCellsRange(row, col, span) ? span.right : col;
  }
  static constexpr const char* kLong = "A text of several columns";
};

TEST_F(FloatingCells, LongTextFloatsOverEmptyNeighboursUntilOneIsFilled) {
  grid->SetValueRange(CGXRange(5, 2), kLong);
  EXPECT_TRUE(Eval(5));
  const ROWCOL end = SpanEnd(5, 2);
  EXPECT_GE(end, 3u);
  EXPECT_LT(end, 8u) << "the span stops where the text ends";
  CGXRange span;
  ASSERT_TRUE(grid->GetFloatedCellsRange(5, 3, span)) << "a flooded cell belongs to the span";
  EXPECT_EQ(span, CGXRange(5, 2, 5, end));
  EXPECT_EQ(grid->GetCellSpanRange(5, 3, span), &span);

  // A value typed into the neighbour cuts the text back to its own column.
  grid->SetValueRange(CGXRange(5, 3), "x");
  EXPECT_TRUE(Eval(5));
  EXPECT_FALSE(grid->GetFloatedCellsRange(5, 2, span));
  EXPECT_FALSE(grid->GetFloatedCellsRange(5, 3, span));
  EXPECT_FALSE(Eval(5)) << "nothing changes a second time";
}

TEST_F(FloatingCells, CellsThatMayNotFloatOrBeFlooded) {
  // A static cell floats as an edit cell does, unless its text is turned.
  MakeGrid(20, 8);
  grid->SetColWidth(1, 8, 40, nullptr, 0);
  Mode(2);
  grid->ApplyStyle(CGXRange(5, 2), CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetValue(kLong));
  grid->EvalFloatCells(CGXRange(5, 2), FALSE);
  EXPECT_GT(SpanEnd(5, 2), 2u);

  CGXFont turned;
  turned.SetOrientation(900);
  struct Case {
    const char* what;
    std::function<void(CGXGridCore&)> setUp;
  };
  const Case cases[] = {
      {"short text", [](CGXGridCore& g) { g.SetValueRange(CGXRange(5, 2), "ab"); }},
      {"turned static text",
       [&](CGXGridCore& g) { g.ApplyStyle(CGXRange(5, 2), CGXStyle().SetControl(GX_IDS_CTRL_STATIC).SetFont(turned)); }},
      {"no FloatCell", [](CGXGridCore& g) { g.ApplyStyle(CGXRange(5, 2), CGXStyle().SetFloatCell(FALSE)); }},
      {"neighbour no FloodCell", [](CGXGridCore& g) { g.ApplyStyle(CGXRange(5, 3), CGXStyle().SetFloodCell(FALSE)); }},
      {"covered cell", [](CGXGridCore& g) { g.SetCoveredCellsRowCol(5, 2, 6, 2, 0); }},
      // Text of a frozen column never reaches into the scrolling part.
      {"frozen column", [](CGXGridCore& g) { g.SetFrozenCols(2, 0, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeGrid(20, 8);
    grid->SetColWidth(1, 8, 40, nullptr, 0);
    Mode(2);
    grid->SetValueRange(CGXRange(5, 2), kLong);
    c.setUp(*grid);
    Eval(5);
    EXPECT_EQ(SpanEnd(5, 2), 2u);
  }
}

TEST_F(FloatingCells, HeaderCellsNeverFloat) {
  grid->SetValueRange(CGXRange(0, 2), kLong);
  grid->SetValueRange(CGXRange(4, 0), kLong);
  grid->EvalFloatCells(CGXRange().SetTable(), FALSE);
  EXPECT_EQ(SpanEnd(0, 2), 2u);
  EXPECT_EQ(SpanEnd(4, 0), 0u);
}

TEST_F(FloatingCells, DelayedModeEvaluatesQueuedAreasOnce) {
  Mode(1);
  grid->SetValueRange(CGXRange(5, 2), kLong);
  EXPECT_EQ(SpanEnd(5, 2), 2u) << "nothing floats before the area is evaluated";
  EXPECT_TRUE(Eval(5));
  EXPECT_GT(SpanEnd(5, 2), 2u);
  EXPECT_FALSE(Eval(5)) << "an area is evaluated once after it was queued";
  grid->SetValueRange(CGXRange(5, 4), "x");
  EXPECT_GT(SpanEnd(5, 2), 3u) << "still the old span until evaluated";
  EXPECT_TRUE(Eval(5));
  EXPECT_EQ(SpanEnd(5, 2), 3u);
}

TEST_F(FloatingCells, SwitchingTheModeDiscardsSpansAndQueuesTheTable) {
  Mode(1);
  grid->SetValueRange(CGXRange(5, 2), kLong);
  Eval(5);
  ASSERT_GT(SpanEnd(5, 2), 2u);
  Mode(0);
  EXPECT_EQ(grid->GetParam()->m_pFloatSpanPool, nullptr);
  EXPECT_EQ(SpanEnd(5, 2), 2u);
  EXPECT_FALSE(Eval(5));
  Mode(1);
  EXPECT_TRUE(Eval(5)) << "the whole table was queued again";
  EXPECT_GT(SpanEnd(5, 2), 2u);
}

TEST_F(FloatingCells, SpansFollowInsertedAndRemovedRowsAndColumns) {
  grid->SetValueRange(CGXRange(5, 2), kLong);
  Eval(5);
  const ROWCOL end = SpanEnd(5, 2);
  ASSERT_GT(end, 2u);
  grid->InsertRows(3, 2);
  EXPECT_EQ(SpanEnd(7, 2), end) << "the span moved down with its row";
  EXPECT_EQ(SpanEnd(5, 2), 2u);
  grid->RemoveRows(1, 1);
  EXPECT_EQ(SpanEnd(6, 2), end);
  // A column inserted inside the span drops it until it is evaluated anew.
  grid->InsertCols(3, 1);
  CGXRange span;
  EXPECT_FALSE(grid->GetFloatedCellsRange(6, 2, span));
  Eval(6);
  EXPECT_GT(SpanEnd(6, 2), 2u);
}

TEST_F(FloatingCells, ExpandRangeWidensToTheSpansItTouches) {
  grid->SetValueRange(CGXRange(5, 2), kLong);
  Eval(5);
  CGXRange range(4, 3, 5, 3);
  grid->ExpandRangeToFloatedCells(range);
  EXPECT_EQ(range, CGXRange(4, 2, 5, SpanEnd(5, 2)));
}

}  // namespace
