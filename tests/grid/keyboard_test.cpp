#include <gtest/gtest.h>

#include "grid/GridWindowTest.h"

namespace {

// A 10 x 6 grid with hidden row 4 and column 3, a covered block rows 6-7 x
// columns 4-5, and disabled cell (2, 2) and row 9.
class BlockGrid : public gridtest::HidingGrid {
 public:
  using HidingGrid::HidingGrid;
  CGXRange* GetCoveredCellsRowCol(ROWCOL row, ROWCOL col, CGXRange& range) override {
    if (!CGXRange(6, 4, 7, 5).IsCellInRange(row, col)) return nullptr;
    range = CGXRange(6, 4, 7, 5);
    return &range;
  }
};

class NextCell : public gridtest::GridWindowTest<BlockGrid> {
 protected:
  void SetUp() override {
    MakeGrid(600, 400, 10, 6);
    grid->hiddenRows = {4};
    grid->hiddenCols = {3};
    grid->ApplyStyle(CGXRange(2, 2), CGXStyle().SetEnabled(FALSE), 0, 0);
    grid->ApplyStyle(CGXRange(9, 1, 9, 6), CGXStyle().SetEnabled(FALSE), 0, 0);
    grid->FreeObjectCache();
  }
};

struct Search {
  int direction;
  ROWCOL row, col;
  bool found;
  ROWCOL foundRow, foundCol;
};

TEST_F(NextCell, SkipsHiddenCoveredAndDisabledCells) {
  const Search cases[] = {
      {4, 1, 3, true, 1, 4},     // hidden column passed over
      {2, 1, 3, true, 1, 2},     // left over the hidden column
      {3, 4, 1, true, 5, 1},     // hidden row passed over
      {1, 4, 1, true, 3, 1},     // up over the hidden row
      {4, 2, 2, true, 2, 4},     // disabled cell, then the hidden column
      {2, 2, 2, true, 2, 1},     // disabled cell leftwards
      {4, 7, 5, true, 7, 6},     // inside a covered block: not its first column
      {4, 6, 4, true, 6, 4},     // the block's first column counts
      {3, 7, 4, true, 8, 4},     // down from inside the block
      {3, 9, 1, true, 10, 1},    // disabled row skipped
      {3, 10, 1, true, 10, 1},   // the start itself
      {3, 11, 1, false, 0, 0},   // past the last row
      {4, 1, 7, false, 0, 0},    // past the last column
      {1, 0, 1, false, 0, 0},    // reaching row 0
      {2, 2, 0, false, 0, 0},    // reaching column 0
  };
  for (const Search& s : cases) {
    ROWCOL row = s.row;
    ROWCOL col = s.col;
    SCOPED_TRACE(testing::Message() << "direction " << s.direction << " from " << s.row << "," << s.col);
    EXPECT_EQ(grid->FindNextCell(s.direction, row, col) != FALSE, s.found);
    if (s.found) {
      EXPECT_EQ(row, s.foundRow);
      EXPECT_EQ(col, s.foundCol);
    } else {
      // Nothing is written back on failure.
      EXPECT_EQ(row, s.row);
      EXPECT_EQ(col, s.col);
    }
  }
}

TEST_F(NextCell, AllDisabledAheadFindsNothing) {
  grid->ApplyStyle(CGXRange(10, 1, 10, 6), CGXStyle().SetEnabled(FALSE), 0, 0);
  grid->FreeObjectCache();
  ROWCOL row = 9;
  ROWCOL col = 2;
  EXPECT_FALSE(grid->FindNextCell(3, row, col));
  EXPECT_EQ(row, 9u);
}

}  // namespace

namespace {

// Records which clipboard and undo operations the character hooks call.
class ClipGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  BOOL CanCopy() override { return allowed; }
  BOOL CanCut() override { return allowed; }
  BOOL CanPaste() override { return allowed; }
  BOOL Copy() override { return Log("copy"); }
  BOOL Cut() override { return Log("cut"); }
  BOOL Paste() override { return Log("paste"); }
  BOOL Undo() override { return Log("undo"); }
  BOOL Redo() override { return Log("redo"); }
  BOOL Log(const char* what) {
    calls.emplace_back(what);
    return TRUE;
  }
  BOOL allowed = TRUE;
  std::vector<std::string> calls;
};

class GridChars : public gridtest::GridWindowTest<ClipGrid> {
 protected:
  void SetUp() override { MakeGrid(400, 300, 10, 5); }
};

TEST_F(GridChars, ControlCharactersReachTheClipboardAndUndo) {
  struct Case {
    UINT ch;
    BOOL handled;
    const char* call;      // with the clipboard allowed
  };
  const Case cases[] = {
      {3, TRUE, "copy"},  {22, TRUE, "paste"}, {24, TRUE, "cut"}, {26, TRUE, "undo"}, {18, TRUE, "redo"},
      {9, TRUE, nullptr}, {13, TRUE, nullptr}, {127, TRUE, nullptr}, {'a', FALSE, nullptr}, {1, FALSE, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ch);
    grid->calls.clear();
    EXPECT_EQ(grid->OnGridChar(c.ch, 1, 0), c.handled);
    EXPECT_EQ(grid->calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{});
  }
  // Refused clipboard operations are still swallowed but not called.
  grid->allowed = FALSE;
  for (UINT ch : {3u, 22u, 24u}) {
    grid->calls.clear();
    EXPECT_TRUE(grid->OnGridChar(ch, 1, 0));
    EXPECT_TRUE(grid->calls.empty());
  }
}

TEST_F(GridChars, AltBackspaceUndoes) {
  EXPECT_TRUE(grid->OnGridSysKeyDown(VK_BACK, 1, 0));
  EXPECT_FALSE(grid->OnGridSysKeyDown('A', 1, 0));
  EXPECT_EQ(grid->calls, std::vector<std::string>{"undo"});
}

}  // namespace
