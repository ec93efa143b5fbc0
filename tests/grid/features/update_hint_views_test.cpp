// Update hints between two views of one document: the changing view's
// update steps reach the other view, replayed without a further broadcast.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/features/GXGridUpdateHintImp.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "tests/grid/features/FeatureGrid.h"

namespace {

using gridtest::FeatureLibrary;

// A grid that notes the update steps it runs, with their send-hint flag.
class RecordingGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  std::vector<std::string> steps;
  BOOL transferResult = TRUE;

  void Note(const std::string& step, BOOL sendHint) { steps.push_back(step + (sendHint ? " sending" : "")); }
  void Redraw(UINT flags, BOOL sendHint) override {
    Note("Redraw", sendHint);
    CGXGridCore::Redraw(flags, sendHint);
  }
  void UpdateInsertRows(ROWCOL at, ROWCOL count, UINT flags, BOOL sendHint) override {
    Note("InsertRows " + std::to_string(at) + "+" + std::to_string(count), sendHint);
    CGXGridCore::UpdateInsertRows(at, count, flags, sendHint);
  }
  void UpdateMoveRows(ROWCOL from, ROWCOL to, ROWCOL dest, UINT flags, BOOL sendHint) override {
    Note("MoveRows " + std::to_string(from) + "-" + std::to_string(to) + ">" + std::to_string(dest), sendHint);
    CGXGridCore::UpdateMoveRows(from, to, dest, flags, sendHint);
  }
  void UpdateSelectRange(const CGXRange& range, const CGXRangeList* old, BOOL sendHint) override {
    Note("SelectRange " + std::to_string(range.top) + "," + std::to_string(range.left), sendHint);
    CGXGridCore::UpdateSelectRange(range, old, sendHint);
  }
  void UpdateStyleRange(const CGXRange& range, const CGXStyle* style, int mode, int kind, UINT flags,
                        BOOL sendHint) override {
    Note("StyleRange " + std::to_string(range.top) + "," + std::to_string(range.left), sendHint);
    CGXGridCore::UpdateStyleRange(range, style, mode, kind, flags, sendHint);
  }
  void UpdateZoom(int old, UINT flags, BOOL sendHint) override {
    Note("Zoom", sendHint);
    CGXGridCore::UpdateZoom(old, flags, sendHint);
  }
  BOOL TransferCurrentCell(BOOL store, UINT flags, BOOL sendHint) override {
    Note("Transfer", sendHint);
    return CGXGridCore::TransferCurrentCell(store, flags, sendHint) && transferResult;
  }
};

// A view that hands the document's hints to its grid.
class GridView : public CView {
 public:
  RecordingGrid* grid = nullptr;
  int received = 0;
  void OnUpdate(CView* sender, LPARAM hint, CObject* object) override {
    ++received;
    if (grid != nullptr) grid->ReceiveHint(sender, hint, object);
  }
};

class UpdateHintsBetweenViews : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.m_bAutoDelete = FALSE;
    doc.AddView(&viewA);
    doc.AddView(&viewB);
    a = std::make_unique<RecordingGrid>(&viewA, &doc);
    a->Initialize();
    a->GetParam()->GetData()->StoreRowCount(10);
    a->GetParam()->GetData()->StoreColCount(5);
    // The second view shows the first one's parameter object.
    b = std::make_unique<RecordingGrid>(&viewB, &doc);
    b->SetParam(a->GetParam(), FALSE);
    b->Initialize();
    viewA.grid = a.get();
    viewB.grid = b.get();
  }
  void TearDown() override {
    viewA.grid = viewB.grid = nullptr;
    b.reset();
    a.reset();
  }

  FeatureLibrary library;
  CDocument doc;
  GridView viewA, viewB;
  std::unique_ptr<RecordingGrid> a, b;
};

TEST_F(UpdateHintsBetweenViews, ChangesInOneViewAreReplayedInTheOtherWithoutEcho) {
  const struct {
    const char* name;
    void (*change)(CGXGridCore&);
    const char* replayed;
  } cases[] = {
      {"redraw", [](CGXGridCore& g) { g.Redraw(1, TRUE); }, "Redraw"},
      {"insert rows", [](CGXGridCore& g) { g.InsertRows(3, 2); }, "InsertRows 3+2"},
      {"move rows", [](CGXGridCore& g) { g.MoveRows(2, 3, 6); }, "MoveRows 2-3>6"},
      {"select", [](CGXGridCore& g) { g.SelectRange(CGXRange(4, 2, 5, 3)); }, "SelectRange 4,2"},
      {"style", [](CGXGridCore& g) { g.SetValueRange(CGXRange(7, 1), "x"); }, "StyleRange 7,1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    a->steps.clear();
    b->steps.clear();
    viewA.received = 0;
    c.change(*a);
    EXPECT_EQ(viewA.received, 0) << "the sender hears its own hint";
    // Every step the receiver runs has its send-hint flag off.
    for (const std::string& step : b->steps) EXPECT_EQ(step.find("sending"), std::string::npos) << step;
    EXPECT_NE(std::find(b->steps.begin(), b->steps.end(), c.replayed), b->steps.end());
  }
  // Both views show the one moved table.
  EXPECT_EQ(a->GetRowCount(), 12u);
  EXPECT_EQ(b->GetRowCount(), 12u);
}

TEST_F(UpdateHintsBetweenViews, AGridWithoutDocumentSendsNothing) {
  RecordingGrid loose(&viewA);
  loose.SetParam(a->GetParam(), FALSE);
  loose.Initialize();
  loose.InsertRows(1, 1);
  loose.Redraw(1, TRUE);
  EXPECT_EQ(viewB.received, 0);
  EXPECT_TRUE(b->steps.empty());
}

TEST_F(UpdateHintsBetweenViews, TheCurrentCellIsSharedOnlyWhenAsked) {
  a->SetCurrentCell(2, 2);
  ROWCOL row = 0, col = 0;
  EXPECT_FALSE(b->GetCurrentCell(row, col) && row == 2 && col == 2);

  a->GetParam()->m_bSendCurrentCellHints = TRUE;
  viewA.received = 0;
  ASSERT_TRUE(a->SetCurrentCell(4, 3));
  ASSERT_TRUE(b->GetCurrentCell(row, col));
  EXPECT_EQ(row, 4u);
  EXPECT_EQ(col, 3u);
  EXPECT_EQ(viewA.received, 0) << "the second view's move went back";
}

TEST_F(UpdateHintsBetweenViews, StoringTheEditSucceedsOnlyWhenEveryViewCould) {
  EXPECT_TRUE(a->TransferCurrentCell(TRUE, 6, TRUE));
  EXPECT_EQ(b->steps.back(), "Transfer");
  b->transferResult = FALSE;
  EXPECT_FALSE(a->TransferCurrentCell(TRUE, 6, TRUE));
}

TEST_F(UpdateHintsBetweenViews, AZoomReachesOtherViewsOnlyWhenZoomIsShared) {
  a->SetZoom(150);
  EXPECT_TRUE(b->steps.empty() || std::find(b->steps.begin(), b->steps.end(), "Zoom") == b->steps.end());
  EXPECT_EQ(b->GetZoom(), 100);

  a->GetParam()->m_bShareZoom = TRUE;
  a->SetZoom(200);
  EXPECT_EQ(b->GetZoom(), 200);
  EXPECT_NE(std::find(b->steps.begin(), b->steps.end(), "Zoom"), b->steps.end());
}

}  // namespace
