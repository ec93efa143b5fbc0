// The list box cell in a grid: drawing the lines with the value's line
// inverted, keys and clicks in the active list, and storing.
#include <gtest/gtest.h>

#include <string>

#include "grid/CellGrid.h"
#include "grid/cells/GXListBox.h"

namespace {

class ListBoxCell : public gridtest::CellGridTest {
 protected:
  void SetUp() override {
    CellGridTest::SetUp();
    grid.SetRowHeight(1, 3, 60);
    Column(1, CGXStyle().SetControl(GX_IDS_CTRL_LISTBOX).SetChoiceList("Red\nGreen\nBlue\nCyan\nMagenta\nYellow"));
  }
  CGXListBox* List() { return Control<CGXListBox>(GX_IDS_CTRL_LISTBOX); }
  // Whether the pixel near the right end of the cell at `y` is inverted.
  bool InvertedAt(ROWCOL row, int y) {
    grid.Invalidate();
    grid.UpdateWindow();
    const CRect cell = grid.CalcCellRect(row, 1);
    return automation::PixelAt(grid.m_hWnd, cell.right - 6, cell.top + y) == RGB(0, 0, 0);
  }
};

TEST_F(ListBoxCell, TheValuesLineIsInvertedAndScrolledIntoTheCell) {
  grid.SetValueRange(CGXRange(1, 1), "Green");
  grid.SetValueRange(CGXRange(2, 1), "Yellow");
  grid.SetValueRange(CGXRange(3, 1), "Purple");
  Current(5, 1);
  // Green is the second line, at the top of a 60-pixel cell.
  EXPECT_FALSE(InvertedAt(1, 5));
  int lineHeight = 0;
  for (int y = 1; y < 60; ++y)
    if (InvertedAt(1, y)) {
      lineHeight = y;
      break;
    }
  ASSERT_GT(lineHeight, 5) << "the second line is inverted";
  // Yellow, the sixth line, is drawn as the last line that fits.
  const int fitting = (60 - 1) / lineHeight;
  EXPECT_TRUE(InvertedAt(2, fitting * lineHeight - 3)) << fitting << " lines fit";
  EXPECT_FALSE(InvertedAt(2, 3));
  // A value that is no line inverts nothing.
  for (int y = 2; y < 58; y += 4) EXPECT_FALSE(InvertedAt(3, y)) << y;
}

TEST_F(ListBoxCell, VisitingKeepsTheValueAndKeysOrClicksChooseALine) {
  grid.SetValueRange(CGXRange(1, 1), "Gr");
  grid.SetValueRange(CGXRange(2, 1), "Blue");
  // Visiting, even with the list shown, stores nothing.
  Current(1, 1);
  Key(VK_DOWN);
  EXPECT_TRUE(List()->IsActive());
  EXPECT_EQ(List()->GetCurSel(), 1) << "the first line beginning with the value";
  Current(3, 1);
  EXPECT_EQ(Value(1, 1), "Gr");

  // Down and Up move the selection in the active list; Right leaves it.
  Current(2, 1);
  Key(VK_DOWN);
  ASSERT_TRUE(List()->IsActive());
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_UP);
  Key(VK_RIGHT);
  ROWCOL row = 0, col = 0;
  grid.GetCurrentCell(row, col);
  EXPECT_EQ(col, 2u) << "Right goes to the grid";
  EXPECT_EQ(Value(2, 1), "Cyan");

  // A click on a line of an inactive cell selects that line.
  const CRect cell = grid.CalcCellRect(3, 1);
  Current(3, 1);
  const CRect line = [&] {
    CRect r;
    List()->GetItemRect(0, &r);
    return r;
  }();
  ASSERT_GT(line.Height(), 0);
  Current(4, 1);
  ClickAt(CPoint(cell.left + 20, cell.top + 2 * line.Height() + line.Height() / 2 + 1));
  Current(4, 1);
  EXPECT_EQ(Value(3, 1), "Blue");
}

}  // namespace
