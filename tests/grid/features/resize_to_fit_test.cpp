#include <gtest/gtest.h>

#include "grid/GridWindowTest.h"
#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/features/GXGridResizeToFitImp.h"

namespace {

// A grid with real cell controls, its size calculation and undo.
class ResizeToFit : public gridtest::GridWindowTest<CGXGridCore> {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(new CGXControlFactory);
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 600, 300, nullptr, nullptr));
    grid = std::make_unique<CGXGridCore>(&wnd);
    grid->Initialize();
    data()->StoreRowCount(20);
    data()->StoreColCount(5);
  }
  void TearDown() override {
    GridWindowTest::TearDown();
    GXTerminate();
    GXInitLibrary();
  }
  int TextWidth(const char* text) {
    CClientDC dc(&wnd);
    CFont* old = grid->SelectStyleFont(&dc, grid->GetStandardStyle(), nullptr);
    const int width = dc.GetTextExtent(text).cx;
    if (old != nullptr) dc.SelectObject(old);
    return width;
  }
};

TEST_F(ResizeToFit, ColumnsTakeTheWidthOfTheirLongestValue) {
  const char* text = "A rather long value for one column";
  grid->SetValueRange(CGXRange(3, 2), text);
  ASSERT_TRUE(grid->ResizeColWidthsToFit(CGXRange().SetCols(2, 3), FALSE, 0));
  EXPECT_GT(grid->GetColWidth(2), TextWidth(text)) << "text plus frame and borders";
  EXPECT_LT(grid->GetColWidth(2), TextWidth(text) + 20);
  const int empty = grid->GetColWidth(3);
  EXPECT_GT(empty, 0);
  EXPECT_LT(empty, 40) << "an empty column becomes about one character wide";

  // Only-grow keeps a column wider than its contents.
  grid->SetColWidth(4, 4, 300, nullptr, 0);
  grid->SetValueRange(CGXRange(1, 4), "x");
  ASSERT_TRUE(grid->ResizeColWidthsToFit(CGXRange().SetCol(4), FALSE, GX_RESIZE_GROWONLY));
  EXPECT_EQ(grid->GetColWidth(4), 300);

  // One Undo restores the widths.
  ASSERT_TRUE(grid->Undo());
  EXPECT_NE(grid->GetColWidth(2), TextWidth(text));
}

TEST_F(ResizeToFit, WrappedTextMakesItsRowAsHighAsItsLinesButNoHigherThanTheView) {
  grid->SetColWidth(1, 1, 60, nullptr, 0);
  CGXStyle wrap;
  wrap.SetWrapText(TRUE).SetValue("one two three four five six seven eight nine ten");
  grid->ApplyStyle(CGXRange(2, 1), wrap);
  const int single = grid->GetRowHeight(2);
  ASSERT_TRUE(grid->ResizeRowHeightsToFit(CGXRange().SetRow(2), FALSE, 0));
  EXPECT_GT(grid->GetRowHeight(2), 3 * single);

  // Far more than 32 wrapped lines: the row stops at the view.
  CString many;
  for (int i = 0; i < 120; ++i) many += "word ";
  wrap.SetValue(many);
  grid->ApplyStyle(CGXRange(3, 1), wrap);
  ASSERT_TRUE(grid->ResizeRowHeightsToFit(CGXRange().SetRow(3), FALSE, 0));
  EXPECT_EQ(grid->GetRowHeight(3), grid->GetGridRect().Height() - grid->GetRowHeight(0) - 1);
  // The measure itself counts every line.
  CClientDC dc(&wnd);
  grid->SelectStyleFont(&dc, grid->GetStandardStyle(), nullptr);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  CGXStyle style;
  grid->ComposeStyleRowCol(3, 1, style);
  const CSize need = grid->GetRegisteredControl(style.GetControl())->CalcContentSize(&dc, 3, 1, style, TRUE, FALSE);
  EXPECT_GT(need.cy, 40 * (tm.tmHeight + tm.tmExternalLeading));
}

TEST_F(ResizeToFit, ACoveredBlockAddsToItsLastRowOnlyWhatTheOthersCannotHold) {
  grid->SetColWidth(1, 1, 50, nullptr, 0);
  CGXStyle wrap;
  wrap.SetWrapText(TRUE).SetValue("alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu");
  grid->ApplyStyle(CGXRange(2, 1), wrap);
  ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 1, 4, 1));
  grid->SetRowHeight(2, 3, 20, nullptr, 0);
  const int above = 40;
  // Only the block's column: the other cells of its rows would set their
  // own heights.
  ASSERT_TRUE(grid->ResizeRowHeightsToFit(CGXRange(2, 1, 4, 1), TRUE, 0));
  CGXRange block;
  ASSERT_NE(grid->GetCoveredCellsRowCol(2, 1, block), nullptr);
  CClientDC dc(&wnd);
  grid->SelectStyleFont(&dc, grid->GetStandardStyle(), nullptr);
  CGXStyle style;
  grid->ComposeStyleRowCol(2, 1, style);
  const CSize need = grid->GetRegisteredControl(style.GetControl())->CalcContentSize(&dc, 2, 1, style, TRUE, FALSE);
  EXPECT_EQ(grid->GetRowHeight(2) + grid->GetRowHeight(3), above) << "the rows above keep their heights";
  ASSERT_GT(need.cy, above);
  EXPECT_EQ(grid->GetRowHeight(4), need.cy - above);
}

TEST_F(ResizeToFit, WithoutTheFeatureNothingIsResized) {
  grid->m_pResizeToFitImp = nullptr;
  grid->SetValueRange(CGXRange(3, 2), "A rather long value");
  const int before = grid->GetColWidth(2);
  EXPECT_FALSE(grid->ResizeColWidthsToFit(CGXRange().SetCol(2), FALSE, 0));
  EXPECT_EQ(grid->GetColWidth(2), before);
}

}  // namespace
