#include <gtest/gtest.h>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridMarkEditHeaderImp.h"
#include "platform/window/Window.h"

namespace {

class MarkHeader : public gridtest::FeatureGridTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr));
    MakeGrid(20, 10, &wnd);
    mark = dynamic_cast<CGXGridMarkEditHeaderImp*>(grid->m_pMarkEditHeaderImp);
  }
  void TearDown() override {
    grid.reset();
    wnd.DestroyWindow();
  }
  CWnd wnd;
  CGXGridMarkEditHeaderImp* mark = nullptr;
};

TEST_F(MarkHeader, HeadersOfTheCurrentCellAreMarked) {
  ASSERT_NE(mark, nullptr);
  ASSERT_TRUE(grid->SetCurrentCell(5, 3));
  const struct {
    ROWCOL row, col;
    BOOL marked;
  } cases[] = {{5, 0, TRUE}, {6, 0, FALSE}, {0, 3, TRUE}, {0, 4, FALSE}, {0, 0, FALSE}};
  for (const auto& c : cases) EXPECT_EQ(mark->IsHeaderMarked(grid.get(), c.row, c.col), c.marked) << c.row << "," << c.col;
  grid->GetParam()->GetProperties()->m_bMarkRowHeader = FALSE;
  EXPECT_FALSE(mark->IsHeaderMarked(grid.get(), 5, 0));
  EXPECT_TRUE(mark->IsHeaderMarked(grid.get(), 0, 3));
}

TEST_F(MarkHeader, MarkingRepaintsOnlyTheHeadersAsked) {
  wnd.ValidateRect(nullptr);
  mark->MarkEditHeader(grid.get(), 5, 3, 1, 0);
  RECT update{};
  ASSERT_TRUE(wnd.GetUpdateRect(&update, FALSE));
  const CRect colHeader = grid->CalcRectFromRange(0, 3, 0, 3);
  EXPECT_EQ(CRect(update), colHeader) << "only the column header";
  wnd.ValidateRect(nullptr);
  mark->MarkEditHeader(grid.get(), 5, 3, 0, 0);
  ASSERT_TRUE(wnd.GetUpdateRect(&update, FALSE));
  const CRect rowHeader = grid->CalcRectFromRange(5, 0, 5, 0);
  CRect both;
  both.UnionRect(&colHeader, &rowHeader);
  EXPECT_EQ(CRect(update), both);
}

TEST(MarkHeaderAbsent, NothingIsMarked) {
  gridtest::FeatureLibrary library;
  GXInitLibrary();
  CGXGridCore grid;
  grid.Initialize();
  EXPECT_EQ(grid.m_pMarkEditHeaderImp, nullptr);
  grid.MarkEditHeader(1, 1, 0, 0);  // nothing to do, nothing breaks
}

}  // namespace
