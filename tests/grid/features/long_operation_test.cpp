#include <gtest/gtest.h>

#include <string>

#include "grid/core/GXLongOperation.h"
#include "grid/features/FeatureGrid.h"
#include "grid/features/GXLongOperationImp.h"
#include "platform/window/Window.h"

namespace {

// The long operation on a clock the test moves, with a window to receive
// the keys the user presses meanwhile.
class LongOperation : public gridtest::FeatureGridTest {
 protected:
  void SetUp() override {
    FeatureGridTest::SetUp();
    imp = dynamic_cast<CGXLongOperationImpl*>(GXGetAppData()->m_pLongOperationImp);
    ASSERT_NE(imp, nullptr);
    imp->m_clock = [this] { return now; };
    ASSERT_TRUE(window.CreateEx(0, nullptr, "Keys", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
  }
  void TearDown() override {
    window.DestroyWindow();
    FeatureGridTest::TearDown();
  }
  void PressEscape() { ::PostMessage(window.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }
  std::string Shown() { return std::string(imp->GetLastShownText()); }

  CGXLongOperationImpl* imp = nullptr;
  DWORD now = 0;
  CWnd window;
};

TEST_F(LongOperation, StatusAppearsAfterTheDelayAndUpdatesAtItsInterval) {
  {
    CGXLongOperation scope;
    scope.SetStatusText("Sorting");
    BOOL aborted = FALSE;
    now = 700;
    EXPECT_FALSE(scope.PollAbort(aborted));
    EXPECT_EQ(Shown(), "") << "nothing within the first delay";
    now = 800;
    EXPECT_TRUE(scope.PollAbort(aborted));
    EXPECT_NE(Shown().find("Sorting"), std::string::npos);
    EXPECT_NE(Shown().find("Press ESC to cancel"), std::string::npos);
    EXPECT_TRUE(imp->IsWaitCursorShown());
    scope.SetProgress(50, 100);
    now = 1000;
    EXPECT_FALSE(scope.PollAbort(aborted)) << "the next update waits its interval";
    now = 2400;
    EXPECT_TRUE(scope.PollAbort(aborted));
    EXPECT_NE(Shown().find(" 50%."), std::string::npos) << Shown();
    EXPECT_FALSE(aborted);
  }
  EXPECT_EQ(Shown(), "Done.");
  EXPECT_FALSE(imp->IsWaitCursorShown());
}

TEST_F(LongOperation, EscapeAbortsAfterTheQuestion) {
  const struct {
    BOOL rollbackPossible;
    int answer;
    BOOL aborted, rollback;
  } cases[] = {
      {FALSE, IDNO, FALSE, FALSE},
      {FALSE, IDYES, TRUE, FALSE},
      {TRUE, IDABORT, TRUE, FALSE},
      {TRUE, IDRETRY, TRUE, TRUE},
      {TRUE, IDIGNORE, FALSE, FALSE},
  };
  for (const auto& c : cases) {
    now = 0;
    CGXLongOperation scope;
    imp->rollbackPossible = c.rollbackPossible;
    now = 1000;
    PressEscape();
    automation::ExpectMessageBox("", "abort the operation", c.answer);
    BOOL aborted = FALSE;
    EXPECT_TRUE(scope.PollAbort(aborted));
    EXPECT_EQ(aborted, c.aborted) << c.answer;
    EXPECT_EQ(imp->rollbackRequested, c.rollback) << c.answer;
    EXPECT_TRUE(automation::PendingExpectations().empty()) << c.answer;
  }
}

TEST_F(LongOperation, DeepNestingKeepsCountingWithoutTexts) {
  for (int i = 0; i < 70; ++i) imp->Start();
  EXPECT_EQ(imp->GetLevel(), 70);
  imp->SetStatusText("too deep");
  for (int i = 0; i < 70; ++i) imp->End();
  EXPECT_EQ(imp->GetLevel(), 0);
}

TEST_F(LongOperation, AnAbortedResizeLeavesEveryHeightAsItWas) {
  for (ROWCOL row = 1; row <= 20; ++row) grid->SetValueRange(CGXRange(row, 1), "x");
  grid->SetRowHeight(1, 20, 40, nullptr, 0);
  const int undoBefore = UndoCount();
  // Every look at the clock finds an update due.
  imp->m_clock = [this] { return now += 2000; };
  PressEscape();
  automation::ExpectMessageBox("", "abort the operation", IDYES);
  EXPECT_FALSE(grid->ResizeRowHeightsToFit(CGXRange().SetRows(1, 20), FALSE, 0));
  for (ROWCOL row = 1; row <= 20; ++row) EXPECT_EQ(grid->GetRowHeight(row), 40) << row;
  EXPECT_EQ(UndoCount(), undoBefore);
}

}  // namespace
