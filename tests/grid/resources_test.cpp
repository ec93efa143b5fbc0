#include <gtest/gtest.h>

#include "grid/GridWindowTest.h"
#include "platform/framework/WindowDc.h"

namespace {

class Resources : public gridtest::GridWindowTest<CGXGridCore> {
 protected:
  void SetUp() override {
    MakeGrid(400, 300, 20, 10);
    wnd.UpdateWindow();
  }
  BOOL HasUpdate() {
    CRect r;
    return wnd.GetUpdateRect(&r, FALSE);
  }
};

TEST_F(Resources, StyleFontsAreZoomedAndSkippedWhenUnchanged) {
  CClientDC dc(&wnd);
  CGXStyle plain, withFont;
  withFont.SetFont(CGXFont().SetFaceName("Arial").SetSize(10));
  EXPECT_EQ(grid->SelectStyleFont(&dc, plain, &withFont), nullptr);
  EXPECT_EQ(grid->SelectStyleFont(&dc, withFont, &withFont), nullptr);

  grid->SetZoom(150, 0);
  CFont* old = grid->SelectStyleFont(&dc, withFont, nullptr);
  ASSERT_NE(old, nullptr);
  CFont* selected = dc.SelectObject(old);
  LOGFONT got{};
  selected->GetLogFont(&got);
  const LOGFONT want = CGXFont().SetFaceName("Arial").SetSize(15).GetLogFont();
  EXPECT_EQ(got.lfHeight, want.lfHeight);
  // The same description gives the same cached object.
  EXPECT_EQ(grid->LookupOrCreateFont(CGXFont().SetFaceName("Arial").SetSize(15)), selected);
}

TEST_F(Resources, CachedStylesLiveUntilTheCachesAreReleased) {
  CGXStyle value("one");
  data()->StoreStyleRowCol(3, 2, &value, 0, 0);
  const CGXStyle& first = grid->GetCachedCellStyle(3, 2);
  EXPECT_EQ(first.GetValue(), "one");
  CGXStyle changed("two");
  data()->StoreStyleRowCol(3, 2, &changed, 0, 0);
  EXPECT_EQ(&grid->GetCachedCellStyle(3, 2), &first);
  EXPECT_EQ(grid->GetCachedCellStyle(3, 2).GetValue(), "one");
  grid->FreeObjectCache();
  EXPECT_EQ(grid->GetCachedCellStyle(3, 2).GetValue(), "two");

  // A read-only grid marks every composed style read-only.
  grid->SetReadOnly(TRUE);
  grid->FreeObjectCache();
  EXPECT_TRUE(grid->GetCachedCellStyle(4, 4).GetReadOnly());
  grid->SetReadOnly(FALSE);

  // During a keyboard move the kept row's styles survive a release.
  grid->GetCachedCellStyle(3, 2);
  grid->GetCachedCellStyle(5, 1);
  grid->m_nKeepRow = 3;
  grid->FreeObjectCache();
  data()->StoreStyleRowCol(3, 2, &value, 0, 0);
  data()->StoreStyleRowCol(5, 1, &value, 0, 0);
  EXPECT_EQ(grid->GetCachedCellStyle(3, 2).GetValue(), "two");
  EXPECT_EQ(grid->GetCachedCellStyle(5, 1).GetValue(), "one");
  grid->m_nKeepRow = 0;
}

TEST_F(Resources, InsertedRowsDoNotLeaveStaleCachedStyles) {
  CGXStyle value("moved");
  data()->StoreStyleRowCol(3, 2, &value, 0, 0);
  EXPECT_EQ(grid->GetCachedCellStyle(3, 2).GetValue(), "moved");
  ASSERT_TRUE(grid->InsertRows(2, 1, nullptr, nullptr, nullptr, 0, 0));
  EXPECT_EQ(grid->GetCachedCellStyle(4, 2).GetValue(), "moved");
  EXPECT_NE(grid->GetCachedCellStyle(3, 2).GetValue(), "moved");
}

TEST_F(Resources, TheCurrentCellsStyleIsKeptApart) {
  CGXStyle value("here");
  data()->StoreStyleRowCol(2, 2, &value, 0, 0);
  grid->SetCurrentCellForStyles(2, 2);
  EXPECT_EQ(grid->GetCachedCellStyle(2, 2).GetValue(), "here");
  CGXStyle changed("there");
  data()->StoreStyleRowCol(2, 2, &changed, 0, 0);
  // The copy answers until the caches are released.
  EXPECT_EQ(grid->GetCachedCellStyle(2, 2).GetValue(), "here");
  grid->FreeObjectCache();
  EXPECT_EQ(grid->GetCachedCellStyle(2, 2).GetValue(), "there");
}

TEST_F(Resources, InsideOfACell) {
  grid->GetParam()->m_bLinesAtRightBottom = FALSE;
  const CRect cell(10, 20, 110, 40);
  CGXStyle frame;
  frame.SetDraw3dFrame(1);
  CRect inside;
  EXPECT_EQ(grid->GetCellInsideRect(inside, cell, &frame, TRUE), CRect(12, 22, 109, 39));
  EXPECT_EQ(grid->GetCellInsideRect(inside, cell, &frame, FALSE), cell);

  CGXStyle bordered;
  bordered.SetBorder(CGXStyle::kTop, CGXStyleBorder(PS_SOLID, 3, RGB(0, 0, 0)));
  EXPECT_EQ(grid->GetCellInsideRect(inside, cell, &bordered, TRUE), CRect(11, 23, 110, 40));

  grid->GetParam()->m_bLinesAtRightBottom = TRUE;
  EXPECT_EQ(grid->GetCellInsideRect(inside, cell, &frame, TRUE), CRect(11, 21, 108, 38));

  CSize size;
  EXPECT_EQ(grid->AddCellFrameSize(size, 50, 20, &frame), CSize(53, 23));
  EXPECT_EQ(grid->AddCellFrameSize(size, 50, 20, &bordered), CSize(51, 24));
}

TEST_F(Resources, RedrawRequests) {
  EXPECT_FALSE(HasUpdate());
  grid->Redraw(0);
  EXPECT_FALSE(HasUpdate());
  grid->Redraw(1);
  EXPECT_TRUE(HasUpdate());
  grid->Redraw(2);
  EXPECT_FALSE(HasUpdate());  // painted before returning

  grid->RedrawRowCol(2, 2, 2, 2, 1);
  CRect r;
  ASSERT_TRUE(wnd.GetUpdateRect(&r, FALSE));
  EXPECT_EQ(r, grid->CalcCellRect(2, 2));
  wnd.UpdateWindow();

  grid->GetParam()->m_bLockRedraw = TRUE;
  grid->RedrawRange(CGXRange().SetRows(3, 4), 1);
  EXPECT_FALSE(HasUpdate());
  grid->GetParam()->m_bLockRedraw = FALSE;

  // A top row beyond the row count comes back within it.
  grid->SetTopRow(15, 0);
  data()->StoreRowCount(5);
  grid->Redraw(1);
  EXPECT_EQ(grid->GetTopRow(), 5u);
}

}  // namespace
