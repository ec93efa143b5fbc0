#include <gtest/gtest.h>

#include <vector>

#include "grid/GridWindowTest.h"
#include "platform/framework/WindowDc.h"

namespace {

// Notes the area of every paint, for the updates done at once.
class PaintNotingWnd : public CWnd {
 public:
  void OnPaint() override {
    CPaintDC dc(this);
    CRect clip;
    dc.GetClipBox(&clip);
    painted.push_back(clip);
  }
  std::vector<CRect> painted;
};

// Rows are 19 pixels high below a 22-pixel header row; nothing is pending
// on screen when an operation starts, so the window's update area is what
// the operation asked to repaint.
class OptimizedUpdate : public gridtest::GridWindowTest<CGXGridCore, PaintNotingWnd> {
 protected:
  void SetUp() override {
    MakeGrid(400, 300, 50, 4);
    UseFixedCharacter();
    grid->EnableCommandFactory();
    grid->EnableOptimizedUpdate();
    grid->GetParam()->m_bNumberedRowHeaders = FALSE;
    wnd.UpdateWindow();
    wnd.painted.clear();
  }
  // The bounding box of what was painted since the last call and of what
  // waits to be painted (empty when nothing).
  CRect Pending() {
    CRect r;
    if (!wnd.GetUpdateRect(&r, FALSE)) r.SetRectEmpty();
    for (const CRect& p : wnd.painted) {
      if (r.IsRectEmpty()) {
        r = p;
      } else if (!p.IsRectEmpty()) {
        r.UnionRect(&r, &p);
      }
    }
    wnd.painted.clear();
    return r;
  }
  int RowTop(ROWCOL row) { return 22 + static_cast<int>(row - grid->GetTopRow()) * 19; }
  CRect Grid() { return grid->GetGridRect(); }
};

TEST_F(OptimizedUpdate, InsertingRowsRepaintsOnlyTheNewRowsAndTheOneBelow) {
  ASSERT_TRUE(grid->InsertRows(3, 2, nullptr, nullptr, nullptr, 0, 4));
  const CRect r = Pending();
  EXPECT_EQ(r.top, RowTop(3));
  EXPECT_GE(r.bottom, RowTop(6) - 1);
  EXPECT_LE(r.bottom, RowTop(6) + 1);

  // Without the feature the whole grid is repainted.
  wnd.UpdateWindow();
  Pending();
  grid->m_pOptimizedUpdateImp = nullptr;
  ASSERT_TRUE(grid->InsertRows(3, 2, nullptr, nullptr, nullptr, 0, 4));
  EXPECT_EQ(Pending().top, 0);
}

TEST_F(OptimizedUpdate, RowsAboveTheViewOnlyMoveTheTopRow) {
  grid->SetTopRow(10, 2);
  wnd.UpdateWindow();
  Pending();
  ASSERT_TRUE(grid->InsertRows(3, 2, nullptr, nullptr, nullptr, 0, 4));
  EXPECT_EQ(grid->GetTopRow(), 12u);
  EXPECT_TRUE(Pending().IsRectEmpty());
  ASSERT_TRUE(grid->RemoveRows(3, 4, 4));
  EXPECT_EQ(grid->GetTopRow(), 10u);
  EXPECT_TRUE(Pending().IsRectEmpty());
}

TEST_F(OptimizedUpdate, RemovingRowsScrollsUpAndRepaintsTheUncoveredBottom) {
  ASSERT_TRUE(grid->RemoveRows(3, 4, 4));
  const CRect r = Pending();
  ASSERT_FALSE(r.IsRectEmpty());
  EXPECT_GE(r.top, Grid().bottom - 2 * 19 - 19) << "only the strip the scroll uncovered";
  EXPECT_EQ(r.bottom, Grid().bottom);
}

TEST_F(OptimizedUpdate, FrozenRowsRepaintEverything) {
  grid->SetFrozenRows(2, 0, 2);
  wnd.UpdateWindow();
  Pending();
  ASSERT_TRUE(grid->InsertRows(1, 1, nullptr, nullptr, nullptr, 0, 4));
  EXPECT_EQ(Pending().top, 0);
}

TEST_F(OptimizedUpdate, ResizedRowsScrollWhatIsBelow) {
  const struct {
    ROWCOL row;
    UINT flags;
    int top;     // expected top of the repainted area
    int bottom;  // 0: to the grid's bottom
  } cases[] = {
      {5, 4, RowTop(5), RowTop(5) + 29},  // a row below the top: only itself
      {1, 4, 0, 0},                       // the top row: the whole grid
      {5, 1, RowTop(5), 0},               // plain invalidation: from the row down
  };
  for (const auto& c : cases) {
    grid->SetRowHeight(1, 10, 19, nullptr, 2);
    wnd.UpdateWindow();
    Pending();
    ASSERT_TRUE(grid->SetRowHeight(c.row, c.row, 29, nullptr, c.flags));
    const CRect r = Pending();
    EXPECT_EQ(r.top, c.top) << c.row << " " << c.flags;
    if (c.bottom != 0) {
      EXPECT_LE(std::abs(r.bottom - c.bottom), 1) << c.row << " " << c.flags;
    } else {
      EXPECT_GE(r.bottom, Grid().bottom) << c.row << " " << c.flags;
    }
  }
}

}  // namespace
