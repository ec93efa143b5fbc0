#include <gtest/gtest.h>

#include <memory>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridUpdateHintImp.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"

namespace {

using gridtest::FeatureLibrary;

// A grid that can belong to a document and counts the sort replays it gets.
class DocGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  void Attach(CDocument* document) {
    m_pDocument = document;
    m_bAttachedToDocument = document != nullptr;
    m_bHintsEnabled = TRUE;
  }
  void UpdateMoveDataRows(const CGXRange& range, UINT flags, BOOL sendHint) override {
    ++(sendHint ? sent : replayed);
    CGXGridCore::UpdateMoveDataRows(range, flags, sendHint);
  }
  int sent = 0, replayed = 0;
};

// A view of the test document: what the document tells it goes to its grid.
class GridView : public CView {
 public:
  void OnUpdate(CView* sender, LPARAM hint, CObject* object) override {
    if (grid != nullptr) grid->ReceiveHint(sender, hint, object);
  }
  DocGrid* grid = nullptr;
};

class UpdateHints : public ::testing::Test {
 protected:
  void SetUp() override {
    document.m_bAutoDelete = FALSE;  // it lives on the test's stack
    // Views delete themselves when their windows go.
    view1 = new GridView;
    view2 = new GridView;
    for (GridView* view : {view1, view2}) {
      ASSERT_TRUE(view->CreateEx(0, nullptr, "View", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
      document.AddView(view);
    }
    grid1 = std::make_unique<DocGrid>(view1);
    grid1->Initialize();
    grid1->GetParam()->GetData()->StoreRowCount(4);
    grid1->GetParam()->GetData()->StoreColCount(2);
    grid2 = std::make_unique<DocGrid>(view2);
    grid2->SetParam(grid1->GetParam(), FALSE);
    grid2->Initialize();
    view1->grid = grid1.get(), view2->grid = grid2.get();
    grid1->Attach(&document);
    grid2->Attach(&document);
  }
  void TearDown() override {
    view1->grid = view2->grid = nullptr;
    document.RemoveView(view1);
    document.RemoveView(view2);
    grid2.reset();
    grid1.reset();
    view1->DestroyWindow();
    view2->DestroyWindow();
  }
  void SortColumn1() {
    CGXSortInfoArray keys;
    CGXSortInfo key;
    key.nRC = 1;
    keys.Add(key);
    CGXRange table;
    table.SetTable();
    grid1->SortRows(table, keys);
  }

  FeatureLibrary library;
  CDocument document;
  GridView* view1 = nullptr;
  GridView* view2 = nullptr;
  std::unique_ptr<DocGrid> grid1, grid2;
};

TEST_F(UpdateHints, ASortIsReplayedInTheOtherViewOnce) {
  const char* keys[] = {"c", "a", "d", "b"};
  for (ROWCOL r = 1; r <= 4; ++r) grid1->SetValueRange(CGXRange(r, 1), keys[r - 1]);
  SortColumn1();
  EXPECT_EQ(grid1->sent, 1);
  EXPECT_EQ(grid1->replayed, 0) << "the sender does not hear itself";
  EXPECT_EQ(grid2->replayed, 1);
  EXPECT_EQ(grid2->sent, 0) << "a replay is not sent on";
  EXPECT_EQ(grid2->GetCellValue(1, 1), "a") << "both views show the shared data";

  // A grid without a document sends nothing.
  grid1->Attach(nullptr);
  SortColumn1();
  EXPECT_EQ(grid2->replayed, 1);
}

TEST_F(UpdateHints, GroupsAndIdsDecideWhoReplays) {
  const struct {
    UINT id;
    long group;
    DWORD receiverGroup;
    bool replayed;
  } cases[] = {
      {31, -1, 2, true},  // every group
      {31, 2, 0, false},  // another group
      {31, 0, 0, true},
      {0, -1, 0, false},
      {37, -1, 0, false},
  };
  for (const auto& c : cases) {
    grid2->m_nHintGroup = c.receiverGroup;
    CGXGridHint hint(c.id, c.group);
    hint.range.SetRows(1, 4);
    const int before = grid2->replayed;
    const BOOL result = grid2->m_pUpdateHintImp->OnHint(grid2.get(), &hint);
    EXPECT_EQ(grid2->replayed - before == 1, c.replayed) << "id " << c.id << " group " << c.group;
    EXPECT_EQ(result != FALSE, c.replayed);
  }
  EXPECT_FALSE(grid2->m_pUpdateHintImp->OnHint(grid2.get(), nullptr));
}

TEST_F(UpdateHints, ACurrentCellHintMovesTheOtherViewsCurrentCell) {
  CGXGridHint hint(27, -1);
  hint.nRow1 = 3, hint.nCol1 = 2;
  hint.flags = 0x20 | 0x40 | 0x80;
  EXPECT_TRUE(grid2->m_pUpdateHintImp->OnHint(grid2.get(), &hint));
  ROWCOL row = 0, col = 0;
  ASSERT_TRUE(grid2->GetCurrentCell(row, col));
  EXPECT_EQ(row, 3u);
  EXPECT_EQ(col, 2u);
}

}  // namespace
