// Hints that reach only some views: a sheet renamed on its tab renames the
// other views' tabs; a pane of a splitter scrolls the pane beside it.
#include <gtest/gtest.h>

#include <memory>

#include "grid/core/GXGridParam.h"
#include "grid/features/GXTabWnd.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "platform/testing/Automation.h"
#include "tests/grid/features/FeatureGrid.h"

namespace {

// A view showing a grid, as a sheet of a tab window: it hands document
// hints and the tab window's renaming news to its grid.
class SheetView : public CView {
 public:
  CGXGridCore* grid = nullptr;
  void OnUpdate(CView* sender, LPARAM hint, CObject* object) override {
    if (grid != nullptr) grid->ReceiveHint(sender, hint, object);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == GX_TAB_RENAMED && grid != nullptr) {
      grid->OnSheetRenamed(static_cast<int>(wParam));
      return 0;
    }
    return CView::WindowProc(message, wParam, lParam);
  }

 protected:
  void PostNcDestroy() override {}  // the test owns it
};

TEST(TabNameHint, RenamingOneViewsTabRenamesTheOtherViewsTab) {
  gridtest::FeatureLibrary library;
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, nullptr, "Book", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400, nullptr, nullptr));
  CDocument doc;
  doc.m_bAutoDelete = FALSE;
  CGXTabWnd tabs[2];
  SheetView views[2];
  std::unique_ptr<CGXGridCore> grids[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(tabs[i].Create(&frame, WS_CHILD | WS_VISIBLE, 1 + i));
    tabs[i].MoveWindow(0, 200 * i, 400, 200);
    ASSERT_TRUE(views[i].CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, tabs[i].m_hWnd, nullptr));
    doc.AddView(&views[i]);
    grids[i] = std::make_unique<CGXGridCore>(&views[i], &doc);
    if (i == 1) grids[1]->SetParam(grids[0]->GetParam(), FALSE);
    grids[i]->Initialize();
    views[i].grid = grids[i].get();
    tabs[i].InsertSheet(&views[i], "Sheet1");
  }
  automation::PumpUntilIdle();

  tabs[0].SetSheetName(&views[0], "Dues", TRUE);
  EXPECT_EQ(grids[0]->GetParam()->m_sSheetName, "Dues");
  EXPECT_EQ(tabs[1].GetSheetName(&views[1]), "Dues") << "the other view's tab follows";

  for (int i = 0; i < 2; ++i) {
    views[i].grid = nullptr;
    tabs[i].DestroyWindow();
  }
  frame.DestroyWindow();
}

// Two panes side by side in a splitter (pane ids 0xE900 + 16 x row +
// column) and a third view of the document outside it.
TEST(PaneScrollHints, APaneScrollsThePaneBesideItOnly) {
  gridtest::FeatureLibrary library;
  CWnd splitter;
  ASSERT_TRUE(splitter.CreateEx(0, nullptr, "Split", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
  CDocument doc;
  doc.m_bAutoDelete = FALSE;
  SheetView views[3];
  std::unique_ptr<CGXGridCore> grids[3];
  for (int i = 0; i < 3; ++i) {
    const bool pane = i < 2;
    ASSERT_TRUE(views[i].CreateEx(0, nullptr, "", pane ? WS_CHILD | WS_VISIBLE : WS_POPUP, 200 * i, 0, 200, 200,
                                  pane ? splitter.m_hWnd : nullptr,
                                  pane ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0xE900 + i)) : nullptr));
    doc.AddView(&views[i]);
    grids[i] = std::make_unique<CGXGridCore>(&views[i], &doc);
    if (i > 0) grids[i]->SetParam(grids[0]->GetParam(), FALSE);
    grids[i]->Initialize();
    if (i == 0) {
      grids[0]->GetParam()->GetData()->StoreRowCount(100);
      grids[0]->GetParam()->GetData()->StoreColCount(30);
    }
    if (pane) {
      grids[i]->m_pSplitterWnd = &splitter;
      grids[i]->m_nSplitCol = i;
    }
    views[i].grid = grids[i].get();
  }

  grids[0]->SetTopRow(40);
  EXPECT_EQ(grids[1]->GetTopRow(), 40u) << "the pane in the same pane row follows";
  EXPECT_EQ(grids[2]->GetTopRow(), 1u) << "a view outside the splitter keeps its place";
  // Columns follow only between panes of one column: these two sit side by side.
  grids[1]->SetLeftCol(12);
  EXPECT_EQ(grids[0]->GetLeftCol(), 1u);
  grids[2]->SetTopRow(70);
  EXPECT_EQ(grids[0]->GetTopRow(), 40u);

  for (auto& view : views) {
    view.grid = nullptr;
    view.DestroyWindow();
  }
  splitter.DestroyWindow();
}

}  // namespace
