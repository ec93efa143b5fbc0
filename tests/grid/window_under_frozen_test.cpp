// Cells that edit in a window of their own, edited in a covered block
// scrolled partly under frozen rows or columns: the window may paint only
// its part in view, the frozen cells keep their pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/PaintedGridTest.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXMaskControl.h"
#include "grid/cells/GXRichEditCtrl.h"

namespace {

// A cell edited in a covered block whose first row (column) is scrolled
// away behind a frozen row (column): its window reaches over the frozen
// cells. The same for each cell that edits in a window of its own.
struct FrozenCase {
  WORD control;
  bool rows;
  int drawMode;  // 1 paints through a buffer
};

class EditedUnderFrozen : public gridtest::PaintedGridTest, public testing::WithParamInterface<FrozenCase> {};

TEST_P(EditedUnderFrozen, FrozenCellsKeepTheirPixelsOverTheEditingWindow) {
  const FrozenCase c = GetParam();
  const COLORREF frozenRed = RGB(255, 0, 0), editGreen = RGB(0, 160, 0);
  MakePaintedGrid(12, 6);
  grid->SetDrawMode(c.drawMode);
  grid->SetColWidth(1, 6, 50, nullptr, 0);
  grid->SetRowHeight(1, 12, 20, nullptr, 0);
  grid->ApplyStyle(CGXRange(1, 1, 1, 6), CGXStyle().SetInteriorColor(frozenRed), 0, 0);
  grid->ApplyStyle(CGXRange(1, 1, 12, 1), CGXStyle().SetInteriorColor(frozenRed), 0, 0);
  grid->ApplyStyle(CGXRange(2, 2),
                   CGXStyle().SetControl(c.control).SetInteriorColor(editGreen).SetWrapText(TRUE).SetChoiceList("a"), 0,
                   0);
  if (c.rows) {
    ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 5, 2, 0));
    grid->SetFrozenRows(1, 0, 0);
    grid->SetTopRow(4, 0);
  } else {
    ASSERT_TRUE(grid->SetCoveredCellsRowCol(2, 2, 2, 5, 0));
    grid->SetFrozenCols(1, 0, 0);
    grid->SetLeftCol(4, 0);
  }
  grid->SetCurrentCell(2, 2);
  CGXControl* control = grid->GetCurrentCellControl();
  ASSERT_NE(control->GetWnd(), nullptr);
  control->SetActive(TRUE);
  Paint();
  CRect window;
  control->GetWnd()->GetWindowRect(&window);
  wnd.ScreenToClient(&window);
  // The window spans the whole block, over the frozen cells.
  const CRect frozen = grid->CalcCellRect(1, 1);
  const CRect strip = c.rows ? CRect(window.left, frozen.top, window.right, frozen.bottom)
                             : CRect(frozen.left, window.top, frozen.right, window.bottom);
  CRect over;
  ASSERT_TRUE(over.IntersectRect(&window, &strip));
  const CPoint underWindow = over.CenterPoint();
  EXPECT_EQ(automation::PixelAt(wnd.m_hWnd, underWindow.x, underWindow.y), frozenRed)
      << "the frozen cell's pixels, not the editing window's";
  // A frozen cell drawn anew reaches the screen there, also through a buffer.
  const COLORREF frozenBlue = RGB(0, 0, 255);
  grid->ApplyStyle(c.rows ? CGXRange(1, 1, 1, 6) : CGXRange(1, 1, 12, 1), CGXStyle().SetInteriorColor(frozenBlue), 0,
                   0);
  Paint();
  EXPECT_EQ(automation::PixelAt(wnd.m_hWnd, underWindow.x, underWindow.y), frozenBlue);
  // The part in view is the editing window's (the rich edit fills it with
  // the cell's colour).
  const COLORREF inView = automation::PixelAt(wnd.m_hWnd, window.right - 4, window.bottom - 4);
  EXPECT_NE(inView, frozenBlue);
  if (c.control == GX_IDS_CTRL_RICHEDIT) {
    EXPECT_EQ(inView, editGreen);
  }
}

std::vector<FrozenCase> FrozenCases() {
  std::vector<FrozenCase> cases;
  for (WORD control : {GX_IDS_CTRL_RICHEDIT, GX_IDS_CTRL_LISTBOX, GX_IDS_CTRL_MASKEDIT, GX_IDS_CTRL_EDIT})
    for (bool rows : {true, false})
      for (int drawMode : {0, 1}) cases.push_back(FrozenCase{control, rows, drawMode});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(RowsAndColumns, EditedUnderFrozen, testing::ValuesIn(FrozenCases()),
                         [](const testing::TestParamInfo<FrozenCase>& info) {
                           return std::to_string(info.param.control) + (info.param.rows ? "Rows" : "Columns") +
                                  (info.param.drawMode == 1 ? "Buffered" : "Direct");
                         });

}  // namespace
