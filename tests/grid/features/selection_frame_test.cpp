#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/features/GXGridExcelLikeFrameImp.h"
#include "grid/features/HostedFeatureGrid.h"
#include "platform/draw_canvas.h"

namespace {

// Notes every piece of frame the grid is asked to draw.
class FrameGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  struct Piece {
    CRect clip, frame;
    BOOL top, left;
    int handle;
    BOOL handleOnly;
  };
  void DrawFrameOutline(CDC* dc, const CRect& clip, const CRect& frame, BOOL top, BOOL left, int handle,
                        BOOL handleOnly) override {
    pieces.push_back({clip, frame, top, left, handle, handleOnly});
    CGXGridCore::DrawFrameOutline(dc, clip, frame, top, left, handle, handleOnly);
  }
  std::vector<Piece> pieces;
};

class SelectionFrame : public gridtest::HostedFeatureGridTest<FrameGrid> {
 protected:
  void SetUp() override {
    MakeHostedGrid(100, 20);
    grid->GetParam()->m_bSpreadsheetFrame = TRUE;
  }
};

TEST(SelectionFrameShape, AThickFrameWithItsHandleAndASecondDrawingErasesIt) {
  CGXGridCore grid;
  CGXGridExcelLikeFrameImp frame;
  drawtest::Canvas canvas(20, 16);
  frame.DrawFrame(&grid, &canvas.dc, CRect(), CRect(2, 2, 16, 11), TRUE, TRUE, 0, FALSE);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::string>{
                               "....................",
                               ".#################..",
                               ".#..............##..",
                               ".#..............##..",
                               ".#..###########.##..",
                               ".#..#.........#.##..",
                               ".#..#.........#.##..",
                               ".#..#.........#.##..",
                               ".#..#.........#.##..",
                               ".#..############....",
                               ".#............#.###.",
                               ".#############.####.",
                               ".#############.####.",
                               "...............####.",
                               "....................",
                               "....................",
                           }));
  // Every variant restores the picture when drawn a second time.
  for (int handle : {0, 2, 7}) {
    for (BOOL top : {FALSE, TRUE}) {
      for (BOOL left : {FALSE, TRUE}) {
        for (BOOL handleOnly : {FALSE, TRUE}) {
          drawtest::Canvas noisy(20, 16);
          noisy.Noise();
          const auto before = noisy.Snapshot();
          frame.DrawFrame(&grid, &noisy.dc, CRect(), CRect(2, 2, 16, 11), top, left, handle, handleOnly);
          EXPECT_NE(noisy.Snapshot(), before);
          frame.DrawFrame(&grid, &noisy.dc, CRect(), CRect(2, 2, 16, 11), top, left, handle, handleOnly);
          EXPECT_EQ(noisy.Snapshot(), before) << handle << top << left << handleOnly;
        }
      }
    }
  }
  // The clip keeps the frame inside its pane.
  drawtest::Canvas clipped(20, 16);
  frame.DrawFrame(&grid, &clipped.dc, CRect(0, 0, 9, 16), CRect(2, 2, 16, 11), TRUE, TRUE, 0, FALSE);
  for (int y = 0; y < 16; ++y)
    for (int x = 9; x < 20; ++x) ASSERT_EQ(clipped.At(x, y), RGB(255, 255, 255)) << x << "," << y;
}

TEST_F(SelectionFrame, SelectingDrawsTheFrameOfTheLastRange) {
  Drag(At(3, 2), At(5, 4));
  EXPECT_TRUE(grid->m_rgFrame.IsValid());
  EXPECT_EQ(grid->m_rgFrame, CGXRange(3, 2, 5, 4));
  EXPECT_EQ(grid->m_nFrameHandle, 0);
  Click(At(0, 3));
  EXPECT_EQ(grid->m_rgFrame, CGXRange(1, 3, 100, 3)) << "a column's frame runs over its cells";
  EXPECT_EQ(grid->m_nFrameHandle, 7);
  Click(At(4, 0));
  EXPECT_EQ(grid->m_nFrameHandle, 2);
}

TEST_F(SelectionFrame, PanesSplitTheFrameAndOnlyTheFirstShowsTheLeftEdge) {
  grid->SetFrozenCols(2, 0, 0);
  grid->SetLeftCol(6, 0);
  grid->pieces.clear();
  grid->TrackSelectionFrame(grid->GetClientDC(), CGXRange(3, 2, 4, 7), 0, FALSE);
  grid->ReleaseClientDC();
  ASSERT_EQ(grid->pieces.size(), 2u);
  EXPECT_TRUE(grid->pieces[0].left) << "the frozen pane holds the first column";
  EXPECT_FALSE(grid->pieces[1].left);
  EXPECT_EQ(grid->pieces[1].frame.left, grid->pieces[1].clip.left) << "the scrolled piece starts at its pane";

  grid->pieces.clear();
  grid->SetTopRow(50, 0);
  grid->TrackSelectionFrame(grid->GetClientDC(), CGXRange(3, 4, 4, 5), 0, FALSE);
  grid->ReleaseClientDC();
  EXPECT_TRUE(grid->pieces.empty()) << "rows scrolled out draw nothing";
}

TEST_F(SelectionFrame, LockingHidesItAndUnlockingDrawsTheLastRangeAgain) {
  Drag(At(3, 2), At(5, 4));
  ASSERT_TRUE(grid->m_rgFrame.IsValid());
  grid->pieces.clear();
  {
    CGXFrameStateSaver locked(grid.get());
    EXPECT_FALSE(grid->m_rgFrame.IsValid());
    EXPECT_EQ(grid->pieces.size(), 1u) << "erased once";
    grid->DrawSelectionFrame(grid->GetClientDC(), TRUE, CGXRange(7, 7));
    grid->ReleaseClientDC();
    EXPECT_EQ(grid->pieces.size(), 1u) << "nothing while locked";
  }
  EXPECT_TRUE(grid->m_rgFrame.IsValid());
  EXPECT_EQ(grid->m_rgFrame, CGXRange(3, 2, 5, 4));
  EXPECT_EQ(grid->pieces.size(), 2u);
}

TEST_F(SelectionFrame, WithTheOptionOffNothingIsDrawn) {
  grid->GetParam()->m_bSpreadsheetFrame = FALSE;
  Drag(At(3, 2), At(5, 4));
  grid->DrawSelectionFrame(grid->GetClientDC(), TRUE, CGXRange(2, 2));
  grid->ToggleSelectionFrame();
  grid->ReleaseClientDC();
  EXPECT_TRUE(grid->pieces.empty());
  EXPECT_FALSE(grid->m_rgFrame.IsValid());
  EXPECT_TRUE(grid->SetFrameState(FALSE, FALSE)) << "never locked";
}

}  // namespace

namespace {

// The frame is inverted pixels: a repaint of the area under it draws the
// frame's part again, so the frame stays whole.
TEST_F(SelectionFrame, ARepaintKeepsTheFrame) {
  Drag(At(3, 2), At(5, 4));
  ASSERT_TRUE(grid->m_rgFrame.IsValid());
  automation::PumpUntilIdle();
  const CRect cell = grid->CalcRectFromRange(3, 2, 3, 2);
  const CPoint edge(cell.left - 1, cell.top + 6);  // on the left edge's outer line
  const COLORREF framed = automation::PixelAt(Hwnd(), edge.x, edge.y);
  wnd.InvalidateRect(CRect(edge.x - 3, edge.y - 3, edge.x + 3, edge.y + 3), TRUE);
  automation::PumpUntilIdle();
  EXPECT_EQ(automation::PixelAt(Hwnd(), edge.x, edge.y), framed);
  wnd.Invalidate(TRUE);
  automation::PumpUntilIdle();
  EXPECT_EQ(automation::PixelAt(Hwnd(), edge.x, edge.y), framed);
  grid->SetSelection(nullptr);
  automation::PumpUntilIdle();
  EXPECT_NE(automation::PixelAt(Hwnd(), edge.x, edge.y), framed) << "gone with the selection";
}

}  // namespace

namespace {

// Scrolling moves the frame with the cells; what the window shows then is
// what a full repaint draws.
TEST_F(SelectionFrame, ScrollingKeepsTheFrameInStepWithARepaint) {
  Drag(At(4, 2), At(6, 4));
  automation::PumpUntilIdle();
  auto pixels = [&] {
    std::vector<COLORREF> out;
    const CRect area = grid->CalcRectFromRange(1, 1, 8, 5);
    for (int y = area.top; y < area.bottom; y += 1)
      for (int x = area.left; x < area.right; x += 3) out.push_back(automation::PixelAt(Hwnd(), x, y));
    return out;
  };
  for (ROWCOL top : {3u, 5u, 2u}) {
    grid->SetTopRow(top, 2);
    automation::PumpUntilIdle();
    const auto scrolled = pixels();
    wnd.Invalidate(TRUE);
    automation::PumpUntilIdle();
    EXPECT_EQ(pixels(), scrolled) << "top row " << top;
  }
}

}  // namespace
