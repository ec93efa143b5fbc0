#include <gtest/gtest.h>

#include <vector>

#include "grid/features/GXGridUserSelectRangeImp.h"
#include "grid/features/HostedFeatureGrid.h"

namespace {

std::vector<CGXRange> Ranges(const CGXRangeList& list) {
  std::vector<CGXRange> out;
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) out.push_back(*list.GetNext(pos));
  return out;
}

// Refuses every change of the selection while `refuse` is set.
class VetoGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  BOOL CanSelectRange(const CGXRange&, BOOL, BOOL, BOOL, BOOL) override { return !refuse; }
  BOOL refuse = FALSE;
};

class SelectRange : public gridtest::HostedFeatureGridTest<VetoGrid> {
 protected:
  void SetUp() override { MakeHostedGrid(30, 8); }
};

TEST_F(SelectRange, MouseSelectsBlocksColumnsRowsAndNothingOnAPlainClick) {
  Click(At(3, 2));
  EXPECT_TRUE(Selection().IsEmpty()) << "a plain click leaves only the current cell";

  Drag(At(3, 2), At(5, 4));
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange(3, 2, 5, 4)});

  Drag(At(4, 3), At(0, 0));
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange(1, 1, 4, 3)}) << "never into the headers";

  Drag(At(0, 2), At(0, 4));
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange().SetCols(2, 4)});

  Drag(At(6, 0), At(3, 0));
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange().SetRows(3, 6)});
}

TEST_F(SelectRange, CtrlAddsRangesShiftExtendsTheLastOne) {
  Click(At(2, 2));
  Click(At(6, 5), MK_CONTROL);
  EXPECT_EQ(Ranges(Selection()), (std::vector<CGXRange>{CGXRange(2, 2), CGXRange(6, 5)}))
      << "the cell that was current becomes the first range";
  Click(At(8, 6), MK_SHIFT);
  EXPECT_EQ(Ranges(Selection()), (std::vector<CGXRange>{CGXRange(2, 2), CGXRange(6, 5, 8, 6)}));
  Click(At(10, 1));
  EXPECT_TRUE(Selection().IsEmpty()) << "a plain click starts afresh";
}

TEST_F(SelectRange, CtrlClickOnASelectedHeaderDeselectsIt) {
  Drag(At(3, 0), At(5, 0));
  Click(At(4, 0), MK_CONTROL);
  EXPECT_EQ(Ranges(Selection()), (std::vector<CGXRange>{CGXRange().SetRows(3, 3), CGXRange().SetRows(5, 5)}));
  Click(At(0, 2), MK_CONTROL);
  EXPECT_EQ(Selection().GetCount(), 3) << "a header not selected before is added";
  Click(At(0, 2), MK_CONTROL);
  EXPECT_EQ(Ranges(Selection()), (std::vector<CGXRange>{CGXRange(3, 1, 3, 1), CGXRange(3, 3, 3, 8),
                                                         CGXRange(5, 1, 5, 1), CGXRange(5, 3, 5, 8)}))
      << "the column leaves the rows as cells around it";
}

TEST_F(SelectRange, TheCornerTogglesTheWholeTable) {
  Drag(At(3, 2), At(5, 4));
  Click(At(0, 0));
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange().SetTable()});
  Click(At(0, 0));
  EXPECT_TRUE(Selection().IsEmpty());
}

TEST_F(SelectRange, ShiftWithMovementKeysExtendsFromTheAnchor) {
  ASSERT_TRUE(grid->SetCurrentCell(4, 3));
  Key(VK_DOWN, true);
  Key(VK_RIGHT, true);
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange(4, 3, 5, 4)});
  Key(VK_UP, true);
  Key(VK_UP, true);
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange(3, 3, 4, 4)});
  Key(VK_DOWN);
  EXPECT_EQ(grid->m_posCurrentSelection, nullptr) << "a plain move forgets the range being built";
}

TEST_F(SelectRange, RowModesSelectWholeRows) {
  grid->GetParam()->m_wSelectionFlags = 1;
  ASSERT_TRUE(grid->SetCurrentCell(4, 3));
  Key(VK_DOWN);
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange().SetRows(5, 5)});
  Key(VK_DOWN, true);
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange().SetRows(6, 6)}) << "always exactly one row";

  grid->GetParam()->m_wSelectionFlags = 2;
  Key(VK_DOWN);
  Key(VK_DOWN, true);
  Key(VK_DOWN, true);
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange().SetRows(7, 9)});
  Drag(At(12, 2), At(14, 5));
  EXPECT_EQ(Ranges(Selection()), std::vector<CGXRange>{CGXRange().SetRows(12, 14)});
}

TEST_F(SelectRange, NothingIsSelectedWhenNothingIsAllowedOrTheGridRefuses) {
  grid->GetParam()->SetAllowSelection(0);
  Drag(At(3, 2), At(5, 4));
  Drag(At(0, 2), At(0, 4));
  Click(At(0, 0));
  ASSERT_TRUE(grid->SetCurrentCell(4, 3));
  Key(VK_DOWN, true);
  EXPECT_TRUE(Selection().IsEmpty());
  ROWCOL row = 0, col = 0;
  ASSERT_TRUE(grid->GetCurrentCell(row, col));
  EXPECT_EQ(row, 5u) << "the keys still move the current cell";

  grid->GetParam()->SetAllowSelection(255);
  grid->refuse = TRUE;
  Drag(At(3, 2), At(5, 4));
  Key(VK_DOWN, true);
  EXPECT_TRUE(Selection().IsEmpty());
}

TEST_F(SelectRange, DeselectingSplitsTheRangesAroundTheHole) {
  struct Case {
    const char* what;
    CGXRange selected, removed;
    std::vector<CGXRange> left;
  } cases[] = {
      {"a hole in a block leaves bands above and below and full-height sides", CGXRange(2, 2, 8, 6),
       CGXRange(4, 3, 5, 4),
       {CGXRange(2, 2, 3, 6), CGXRange(6, 2, 8, 6), CGXRange(2, 2, 8, 2), CGXRange(2, 5, 8, 6)}},
      {"rows out of whole rows stay whole rows", CGXRange().SetRows(3, 9), CGXRange().SetRows(5, 6),
       {CGXRange().SetRows(3, 4), CGXRange().SetRows(7, 9)}},
      {"columns out of the table", CGXRange().SetTable(), CGXRange().SetCols(2, 7),
       {CGXRange().SetCols(1, 1), CGXRange().SetCols(8, 8)}},
      {"a block out of whole rows leaves cells", CGXRange().SetRows(3, 3), CGXRange(3, 2, 3, 7),
       {CGXRange(3, 1, 3, 1), CGXRange(3, 8, 3, 8)}},
      {"an untouched range stays", CGXRange(1, 1, 2, 2), CGXRange(5, 5), {CGXRange(1, 1, 2, 2)}},
  };
  for (const Case& c : cases) {
    grid->SetSelection(nullptr);
    grid->SelectRange(c.selected, TRUE, TRUE);
    grid->SelectRange(c.removed, FALSE, TRUE);
    EXPECT_EQ(Ranges(Selection()), c.left) << c.what;
    for (const CGXRange& r : c.left) EXPECT_FALSE(r.IsCellInRange(c.removed.top == 0 ? 5 : c.removed.top, c.removed.left == 0 ? 5 : c.removed.left)) << c.what;
  }
}

TEST(SelectionRange, CornersNameTheKind) {
  EXPECT_EQ(GXSelectionRange(0, 0, 5, 5), CGXRange().SetTable());
  EXPECT_EQ(GXSelectionRange(0, 4, 0, 2), CGXRange().SetCols(2, 4));
  EXPECT_EQ(GXSelectionRange(7, 0, 3, 0), CGXRange().SetRows(3, 7));
  EXPECT_EQ(GXSelectionRange(5, 4, 2, 1), CGXRange(2, 1, 5, 4));
}

}  // namespace

namespace {

// Selected cells show inverted, whether the change was painted at once or
// the window was repainted afterwards.
TEST_F(SelectRange, SelectedCellsShowInvertedOnScreen) {
  const CPoint inside = At(4, 3) + CPoint(5, 3);
  const COLORREF plain = automation::PixelAt(Hwnd(), inside.x, inside.y);
  Drag(At(3, 2), At(5, 4));
  const COLORREF selected = automation::PixelAt(Hwnd(), inside.x, inside.y);
  EXPECT_EQ(selected, plain ^ 0xFFFFFF);
  wnd.Invalidate(TRUE);
  automation::PumpUntilIdle();
  EXPECT_EQ(automation::PixelAt(Hwnd(), inside.x, inside.y), selected);
  grid->SelectRange(CGXRange(4, 3), FALSE, TRUE);
  EXPECT_EQ(automation::PixelAt(Hwnd(), inside.x, inside.y), plain) << "deselected in the middle";
  Click(At(10, 6));
  const CPoint other = At(3, 2) + CPoint(5, 3);
  EXPECT_EQ(automation::PixelAt(Hwnd(), other.x, other.y), plain);
  // Headers look the same whether the change was painted at once or the
  // window was repainted afterwards.
  const CPoint header = At(6, 0) + CPoint(-8, 0);
  auto consistent = [&](const char* what) {
    automation::PumpUntilIdle();
    const COLORREF now = automation::PixelAt(Hwnd(), header.x, header.y);
    wnd.Invalidate(TRUE);
    automation::PumpUntilIdle();
    EXPECT_EQ(automation::PixelAt(Hwnd(), header.x, header.y), now) << what;
  };
  grid->SelectRange(CGXRange().SetRows(6, 6), TRUE, TRUE);
  consistent("row selected");
  grid->SelectRange(CGXRange().SetTable(), TRUE, TRUE);
  consistent("table selected");
  grid->SetSelection(nullptr);
  consistent("cleared");
}

}  // namespace
