// Scrolling by rows and columns, bringing cells into view, and scroll bars
// whose ranges go beyond the 16-bit positions of scroll-bar messages.
#include <gtest/gtest.h>

#include <set>

#include "grid/GridWindowTest.h"
#include "grid/core/GXGridWnd.h"

namespace {

// 300 x 127 pixels: the header row (22) and five rows of 19 with 10 pixels
// to spare; the header column (48) and three columns of 80 with 12 to spare.
class Scroll : public gridtest::GridWindowTest<gridtest::HidingGrid> {
 protected:
  void SetUp() override {
    MakeGrid(300, 127, 20, 10);
    UseFixedCharacter();
  }
};

struct ScrollCase {
  ROWCOL top, left;
  int direction;
  ROWCOL count;
  std::set<ROWCOL> hiddenRows;
  ROWCOL expectedTop, expectedLeft;
  BOOL scrolled;
};

TEST_F(Scroll, ScrollsByRowsAndColumnsUpToTheLastPossibleFirst) {
  const ScrollCase cases[] = {
      {1, 1, 3, 5, {}, 6, 1, TRUE},
      // Rows 16-20 are the last that fit: down stops there.
      {14, 1, 3, 5, {}, 16, 1, TRUE},
      {16, 1, 3, 1, {}, 16, 1, FALSE},
      {6, 1, 1, 2, {}, 4, 1, TRUE},
      {2, 1, 1, 5, {}, 1, 1, TRUE},
      {1, 1, 1, 1, {}, 1, 1, FALSE},
      // A hidden row above the top row is passed over.
      {10, 1, 1, 1, {9}, 8, 1, TRUE},
      // A hidden top row is passed over going down.
      {4, 1, 3, 1, {4}, 6, 1, TRUE},
      // Columns 8-10 are the last that fit.
      {1, 1, 4, 20, {}, 1, 8, TRUE},
      {1, 8, 2, 3, {}, 1, 5, TRUE},
      {1, 1, 2, 1, {}, 1, 1, FALSE},
  };
  for (const ScrollCase& c : cases) {
    grid->hiddenRows = c.hiddenRows;
    grid->SetTopRow(c.top, 0);
    grid->SetLeftCol(c.left, 0);
    const BOOL scrolled = grid->DoScroll(c.direction, c.count);
    EXPECT_EQ(scrolled, c.scrolled) << "from " << c.top << "," << c.left << " direction " << c.direction;
    EXPECT_EQ(grid->GetTopRow(), c.expectedTop) << "from " << c.top << " direction " << c.direction;
    EXPECT_EQ(grid->GetLeftCol(), c.expectedLeft) << "from " << c.left << " direction " << c.direction;
  }
}

TEST_F(Scroll, FrozenRowsStayAndTheTopRowNeverPassesThem) {
  grid->SetFrozenRows(2, 0, 0);
  EXPECT_EQ(grid->GetTopRow(), 3u);
  EXPECT_FALSE(grid->DoScroll(1, 1));
  EXPECT_TRUE(grid->DoScroll(3, 2));
  EXPECT_EQ(grid->GetTopRow(), 5u);
  EXPECT_TRUE(grid->DoScroll(1, 10));
  EXPECT_EQ(grid->GetTopRow(), 3u);
}

TEST_F(Scroll, ALineStepMovesThePixelsAndPaintsOnlyTheStripItUncovers) {
  wnd.UpdateWindow();
  automation::ClearInvalidationLog();
  ASSERT_TRUE(grid->DoScroll(3, 1));
  int painted = 0;
  for (const auto& record : automation::InvalidationLog(wnd.m_hWnd)) {
    if (!record.painted) continue;
    ++painted;
    // The strip of the row that came in (and the spare pixels below it).
    EXPECT_LE(record.rect.bottom - record.rect.top, 19 + 10 + 1);
    EXPECT_GE(record.rect.top, 22);
  }
  EXPECT_GE(painted, 1);
}

TEST_F(Scroll, ScrollCellInViewBringsRowsAndColumnsIn) {
  struct Case {
    ROWCOL top, row, col;
    ROWCOL expectedTop, expectedLeft;
    BOOL scrolled;
  } cases[] = {
      {10, 5, 1, 5, 1, TRUE},
      // The partly shown row 6 becomes the last fully shown one.
      {1, 6, 1, 2, 1, TRUE},
      {1, 20, 1, 16, 1, TRUE},
      {1, 3, 1, 1, 1, FALSE},
      {1, 0, 0, 1, 1, FALSE},
      // Column 4 is cut off at the right edge: columns 2-4 then fit.
      {1, 1, 4, 1, 2, TRUE},
  };
  for (const Case& c : cases) {
    grid->SetTopRow(c.top, 0);
    grid->SetLeftCol(1, 0);
    EXPECT_EQ(grid->ScrollCellInView(c.row, c.col, 0), c.scrolled) << c.row << "," << c.col;
    EXPECT_EQ(grid->GetTopRow(), c.expectedTop) << c.row << "," << c.col;
    EXPECT_EQ(grid->GetLeftCol(), c.expectedLeft) << c.row << "," << c.col;
  }
}

// A grid window with both scroll bars, as a dialog's grid has them.
class ScrollBars : public ::testing::Test {
 protected:
  void Make(ROWCOL rows, ROWCOL frozen = 0, int height = 200) {
    automation::ResetWindows();
    GXInitLibrary();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 300,
                             height, nullptr, nullptr));
    wnd.Initialize();
    wnd.GetParam()->GetData()->StoreRowCount(rows);
    wnd.GetParam()->GetData()->StoreColCount(3);
    if (frozen != 0) wnd.SetFrozenRows(frozen, 0, 0);
    wnd.UpdateScrollbars(FALSE, FALSE);
  }
  void TearDown() override { wnd.DestroyWindow(); }
  SCROLLINFO Info(int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    wnd.CWnd::GetScrollInfo(bar, &info, SIF_ALL);
    return info;
  }
  LRESULT Send(UINT message, UINT code, UINT pos = 0) {
    return wnd.SendMessage(message, MAKEWPARAM(code, pos), 0);
  }
  CGXGridWnd wnd;
};

TEST_F(ScrollBars, RangesAbove65535RowsAreDividedToFitSixteenBits) {
  Make(100000);
  EXPECT_EQ(wnd.GetScrollBarMode(SB_VERT), 10u);
  EXPECT_EQ(wnd.GetScrollDivisor(SB_VERT), 4u);
  const SCROLLINFO info = Info(SB_VERT);
  EXPECT_EQ(info.nMin, 1);
  EXPECT_EQ(info.nMax, 25000);
  EXPECT_GT(info.nPage, 0u);

  Send(WM_VSCROLL, SB_THUMBPOSITION, 10000);
  EXPECT_EQ(wnd.GetTopRow(), 1u + 9999u * 4u);
  EXPECT_EQ(wnd.CGXGridCore::GetScrollPos(SB_VERT), (1u + 9999u * 4u) / 4u * 4u);

  Send(WM_VSCROLL, SB_BOTTOM);
  const ROWCOL last = wnd.GetTopRow();
  EXPECT_GT(last, 99980u);
  EXPECT_EQ(wnd.GetBottomRow(), 100000u);
  EXPECT_FALSE(wnd.DoScroll(3, 1));
  Send(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(wnd.GetTopRow(), 1u);
}

TEST_F(ScrollBars, ThumbPositionsCountFromTheFirstScrollableRow) {
  // 80,000 rows give a divisor of 3; with two frozen rows, thumb 10 is
  // row 3 + (10 - 3) x 3.
  Make(80000, 2);
  ASSERT_EQ(wnd.GetScrollDivisor(SB_VERT), 3u);
  Send(WM_VSCROLL, SB_THUMBPOSITION, 10);
  EXPECT_EQ(wnd.GetTopRow(), 24u);
}

TEST_F(ScrollBars, LinePageAndEndCodes) {
  Make(50);
  Send(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(wnd.GetTopRow(), 2u);
  Send(WM_VSCROLL, SB_PAGEUP);
  EXPECT_EQ(wnd.GetTopRow(), 1u);
  const ROWCOL bottom = wnd.CalcBottomRowFromRect(wnd.GetGridRect());
  Send(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(wnd.GetTopRow(), bottom);
  Send(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(wnd.GetTopRow(), bottom - 1);
  // Columns: all three fit, so nothing scrolls sideways.
  Send(WM_HSCROLL, SB_RIGHT);
  EXPECT_EQ(wnd.GetLeftCol(), 1u);
  // While scroll messages are locked they change nothing.
  wnd.m_nScrollLock = 1;
  Send(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(wnd.GetTopRow(), bottom - 1);
}

TEST_F(ScrollBars, ABarShownWhenNeededAppearsWhenTheRowsNoLongerFit) {
  Make(3);
  EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);
  wnd.SetRowCount(100);
  EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);
  wnd.SetRowCount(2);
  EXPECT_FALSE(wnd.GetStyle() & WS_VSCROLL);
}

// Rows added straight to the data object show their bar with the next
// paint; a program scroll moves the thumb with the rows.
TEST_F(ScrollBars, APaintUpdatesTheBarsAndAProgramScrollMovesTheThumb) {
  Make(3);
  ASSERT_FALSE(wnd.GetStyle() & WS_VSCROLL);
  wnd.GetParam()->GetData()->StoreRowCount(100);
  wnd.Invalidate(FALSE);
  wnd.UpdateWindow();
  EXPECT_TRUE(wnd.GetStyle() & WS_VSCROLL);

  for (UINT flags : {1u, 2u, 4u}) {
    SCOPED_TRACE(flags);
    wnd.SetTopRow(1, flags);
    wnd.SetTopRow(40, flags);
    EXPECT_EQ(Info(SB_VERT).nPos, 40 / static_cast<int>(wnd.GetScrollDivisor(SB_VERT)));
  }
}

TEST_F(ScrollBars, ProportionalModePullsTheTopRowBackWhenRowsGo) {
  Make(100);
  wnd.SetTopRow(95, 0);
  wnd.UpdateScrollbars(FALSE, FALSE);
  // No empty space below the last row.
  EXPECT_LT(wnd.GetTopRow(), 95u);
  EXPECT_EQ(wnd.CalcBottomRowFromRect(wnd.GetGridRect()), 100u);
}

}  // namespace
