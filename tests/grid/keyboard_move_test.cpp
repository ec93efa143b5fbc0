#include <gtest/gtest.h>

#include "grid/GridHost.h"

namespace {

// Hidden row 4 and column 3, disabled cell (2, 5); records the clipboard
// and undo operations the keys call.
class KeyGrid : public gridtest::HidingGrid {
 public:
  using HidingGrid::HidingGrid;
  BOOL CanCopy() override { return TRUE; }
  BOOL CanCut() override { return TRUE; }
  BOOL CanPaste() override { return TRUE; }
  BOOL CanClear() override { return TRUE; }
  BOOL Copy() override { return Log("copy"); }
  BOOL Cut() override { return Log("cut"); }
  BOOL Paste() override { return Log("paste"); }
  BOOL Clear(BOOL) override { return Log("clear"); }
  BOOL Undo() override { return Log("undo"); }
  BOOL Redo() override { return Log("redo"); }
  BOOL Log(const char* what) {
    calls.emplace_back(what);
    return TRUE;
  }
  std::vector<std::string> calls;
};

class GridKeys : public gridtest::GridHostTest<KeyGrid> {
 protected:
  void SetUp() override {
    MakeHostedGrid(20, 6);
    grid->hiddenRows = {4};
    grid->hiddenCols = {3};
    grid->ApplyStyle(CGXRange(2, 5), CGXStyle().SetEnabled(FALSE), 0, 0);
    grid->FreeObjectCache();
  }
  void Press(UINT vk, bool shift = false, bool ctrl = false, bool alt = false) {
    automation::PressKey(vk, shift, ctrl, alt);
    automation::PumpUntilIdle();
  }
};

struct KeyCase {
  ROWCOL row, col;
  UINT vk;
  bool shift, ctrl;
  ROWCOL toRow, toCol;
};

TEST_F(GridKeys, NavigationKeysMoveTheCurrentCell) {
  const KeyCase cases[] = {
      {3, 2, VK_DOWN, false, false, 5, 2},     // over the hidden row
      {5, 2, VK_UP, false, false, 3, 2},
      {1, 2, VK_UP, false, false, 1, 2},       // nothing above the first row
      {1, 2, VK_RIGHT, false, false, 1, 4},    // over the hidden column
      {1, 4, VK_LEFT, false, false, 1, 2},
      {2, 4, VK_RIGHT, false, false, 2, 6},    // over the disabled cell
      {1, 6, VK_RIGHT, false, false, 1, 6},    // nothing right of the last column
      {20, 1, VK_DOWN, false, false, 20, 1},
      {3, 2, VK_DOWN, false, true, 20, 2},     // Ctrl: last row
      {9, 2, VK_UP, false, true, 1, 2},        // first row
      {9, 4, VK_LEFT, false, true, 9, 1},      // first column
      {9, 2, VK_RIGHT, false, true, 9, 6},     // last column
      {9, 4, VK_HOME, false, true, 1, 1},
      {9, 4, VK_END, false, true, 20, 6},
      {9, 4, VK_HOME, false, false, 9, 4},     // Home alone is not the grid's
      {1, 2, VK_TAB, false, false, 1, 4},
      {1, 4, VK_TAB, true, false, 1, 2},       // Shift+Tab
      {1, 2, VK_RETURN, false, false, 1, 4},   // Enter moves right by default
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.vk << " shift " << c.shift << " ctrl " << c.ctrl << " from "
                                    << c.row << "," << c.col);
    ASSERT_TRUE(grid->SetCurrentCell(c.row, c.col, 0));
    Press(c.vk, c.shift, c.ctrl);
    EXPECT_EQ(Current(), std::make_pair(c.toRow, c.toCol));
  }
}

TEST_F(GridKeys, PagesScrollTheViewAndMoveTheCurrentCellAlong) {
  grid->SetRowCount(200);
  ASSERT_TRUE(grid->SetCurrentCell(1, 2, 0));
  const ROWCOL page = grid->CalcBottomRowFromRect(grid->GetGridRect()) - 1;
  ASSERT_GT(page, 1u);
  Press(VK_NEXT);
  EXPECT_EQ(grid->GetTopRow(), 1 + page);
  EXPECT_EQ(Current(), std::make_pair(1 + page, ROWCOL{2}));
  // Page Up counts the rows that fit above the top row: the cell moves
  // with the view.
  Press(VK_PRIOR);
  EXPECT_LT(grid->GetTopRow(), 1 + page);
  EXPECT_EQ(Current(), std::make_pair(grid->GetTopRow(), ROWCOL{2}));
  Press(VK_PRIOR);
  EXPECT_EQ(grid->GetTopRow(), 1u);
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{2}));
  ASSERT_TRUE(grid->SetCurrentCell(5, 2, 0));
  Press(VK_PRIOR);  // the view is not scrolled: the first row
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{2}));
}

TEST_F(GridKeys, EditingKeysStoreDiscardAndActivate) {
  ASSERT_TRUE(grid->SetCurrentCell(1, 1, 0));
  automation::TypeText("42");
  automation::PumpUntilIdle();
  EXPECT_TRUE(cell->active);
  EXPECT_EQ(std::string(cell->typed), "42") << "typed characters reach the control";
  Press(VK_RETURN);
  EXPECT_EQ(std::string(grid->GetCellValue(1, 1)), "42");
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{2}));

  // Enter with direction 0 stores and stays.
  grid->GetParam()->m_wEnterDirection = 0;
  automation::TypeText("7");
  automation::PumpUntilIdle();
  Press(VK_RETURN);
  EXPECT_EQ(std::string(grid->GetCellValue(1, 2)), "7");
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{2}));

  // Esc discards the edit and shows the stored value again.
  automation::TypeText("9");
  automation::PumpUntilIdle();
  Press(VK_ESCAPE);
  EXPECT_FALSE(cell->active);
  EXPECT_EQ(std::string(grid->GetCellValue(1, 2)), "7");

  // F2 activates an inactive cell, a second F2 stores.
  Press(VK_F2);
  EXPECT_TRUE(cell->active);
  cell->HandleChar('5', 1, 0);
  Press(VK_F2);
  EXPECT_EQ(std::string(grid->GetCellValue(1, 2)), "75");
}

TEST_F(GridKeys, ClipboardAndUndoKeys) {
  ASSERT_TRUE(grid->SetCurrentCell(1, 1, 0));
  struct Case {
    UINT vk;
    bool shift, ctrl;
    const char* call;
  } cases[] = {{VK_INSERT, false, true, "copy"}, {VK_INSERT, true, false, "paste"}, {VK_DELETE, true, false, "cut"},
               {VK_DELETE, false, false, "clear"}, {VK_BACK, false, true, "redo"}, {'Z', false, true, "undo"},
               {'R', false, true, "redo"},        {'C', false, true, "copy"},         {'V', false, true, "paste"},
               {'X', false, true, "cut"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    grid->calls.clear();
    Press(c.vk, c.shift, c.ctrl);
    EXPECT_EQ(grid->calls, std::vector<std::string>{c.call});
  }
  grid->calls.clear();
  Press(VK_BACK, false, false, true);  // Alt+Backspace
  EXPECT_EQ(grid->calls, std::vector<std::string>{"undo"});
}

TEST_F(GridKeys, TabWithARefusedEditStays) {
  ASSERT_TRUE(grid->SetCurrentCell(1, 1, 0));
  automation::TypeText("1");
  automation::PumpUntilIdle();
  cell->storeOk = FALSE;
  Press(VK_TAB);
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{1}));
  EXPECT_TRUE(cell->active && cell->modified);
}

}  // namespace
