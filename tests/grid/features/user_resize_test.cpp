#include <gtest/gtest.h>

#include <memory>

#include "grid/GridHost.h"
#include "grid/features/FeatureGrid.h"

namespace {

// A grid with every feature in a host window, driven by real mouse messages.
class UserResize : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr));
    grid = std::make_unique<CGXGridCore>(&wnd);
    grid->Initialize();
    grid->GetParam()->GetData()->StoreRowCount(30);
    grid->GetParam()->GetData()->StoreColCount(5);
    grid->m_dxWidth = 8;
    grid->m_dyHeight = 16;
    grid->ResetLastVisible();
    wnd.grid = grid.get();
  }
  void TearDown() override {
    wnd.grid = nullptr;
    grid.reset();
    wnd.DestroyWindow();
  }
  HWND Hwnd() { return wnd.GetSafeHwnd(); }
  CPoint ColEdge(ROWCOL col) {
    const CRect header = grid->CalcCellRect(0, col);
    return CPoint(header.right - 1, header.CenterPoint().y);
  }
  void Drag(CPoint from, CPoint to) {
    automation::AdvanceClock(1000);
    automation::MouseDown(Hwnd(), from, 0);
    automation::PumpUntilIdle();
    automation::MouseMove(Hwnd(), to);
    automation::PumpUntilIdle();
    automation::MouseUp(Hwnd(), to, 0);
    automation::PumpUntilIdle();
  }
  void DoubleClick(CPoint at) {
    automation::AdvanceClock(1000);
    automation::MouseDown(Hwnd(), at, 0);
    automation::MouseUp(Hwnd(), at, 0);
    automation::MouseDown(Hwnd(), at, 0);
    automation::MouseUp(Hwnd(), at, 0);
    automation::PumpUntilIdle();
  }

  gridtest::FeatureLibrary library;
  gridtest::GridHostWnd wnd;
  std::unique_ptr<CGXGridCore> grid;
};

TEST_F(UserResize, DraggingABoundaryWidensTheColumnWithUndo) {
  const int width = grid->GetColWidth(2);
  const int undo = grid->GetParam()->GetUndoList().GetCount();
  const CPoint edge = ColEdge(2);
  ASSERT_EQ(grid->HitTest(edge), CGXGridCore::kHitColEdge);
  Drag(edge, CPoint(edge.x + 30, edge.y));
  EXPECT_NEAR(grid->GetColWidth(2), width + 30, 1);
  EXPECT_EQ(grid->GetParam()->GetUndoList().GetCount(), undo + 1) << "one undoable change";
  EXPECT_EQ(::GetCapture(), nullptr);
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(grid->GetColWidth(2), width);

  Drag(ColEdge(2), CPoint(ColEdge(2).x + 1, edge.y));
  EXPECT_EQ(grid->GetColWidth(2), width) << "a 1-pixel drag changes nothing";
}

TEST_F(UserResize, DraggingBelowOnePixelHidesAndADoubleClickShowsAgain) {
  const int width = grid->GetColWidth(3);
  const CPoint edge = ColEdge(3);
  const int left = grid->CalcCellRect(0, 3).left;
  Drag(edge, CPoint(left, edge.y));
  EXPECT_TRUE(grid->IsColHidden(3));
  EXPECT_EQ(grid->GetColWidth(3), 0);
  // The boundary of the hidden column sits on the previous column's edge.
  const CPoint hiddenEdge = ColEdge(2);
  const int hit = grid->HitTest(CPoint(hiddenEdge.x + 1, hiddenEdge.y));
  EXPECT_TRUE(hit == CGXGridCore::kHitHiddenCol || hit == CGXGridCore::kHitColEdge) << hit;
  DoubleClick(CPoint(hiddenEdge.x + 1, hiddenEdge.y));
  EXPECT_FALSE(grid->IsColHidden(3));
  EXPECT_EQ(grid->GetColWidth(3), width);
}

TEST_F(UserResize, DoubleClickResetsToTheDefaultWidth) {
  grid->SetColWidth(2, 2, 150);
  DoubleClick(ColEdge(2));
  EXPECT_EQ(grid->GetColWidth(2), grid->GetDefaultColWidth());
}

TEST_F(UserResize, SelectedColumnsAllTakeTheNewWidth) {
  grid->GetParam()->m_SelRects.AddTail(new CGXRange(CGXRange().SetCols(1, 3)));
  const CPoint edge = ColEdge(2);
  const int width = grid->GetColWidth(2);
  Drag(edge, CPoint(edge.x + 20, edge.y));
  for (ROWCOL c : {1u, 2u, 3u}) EXPECT_NEAR(grid->GetColWidth(c), width + 20, 1) << c;
  EXPECT_EQ(grid->GetColWidth(4), width);
}

TEST_F(UserResize, OptionBitOneChangesTheDefaultWidth) {
  grid->GetParam()->m_wColResize |= 1;
  const CPoint edge = ColEdge(2);
  const int width = grid->GetDefaultColWidth();
  Drag(edge, CPoint(edge.x + 24, edge.y));
  EXPECT_NEAR(grid->GetDefaultColWidth(), width + 24, 1);
  EXPECT_NEAR(grid->GetColWidth(4), width + 24, 1);
}

}  // namespace
