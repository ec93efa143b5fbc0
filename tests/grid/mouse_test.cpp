#include <gtest/gtest.h>

#include "grid/GridHost.h"

namespace {

class MouseGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  BOOL OnLeftDblClkCell(ROWCOL row, ROWCOL col, UINT, CPoint) override {
    dblClicks.emplace_back(row, col);
    return TRUE;
  }
  std::vector<std::pair<ROWCOL, ROWCOL>> dblClicks;
};

class GridMouse : public gridtest::GridHostTest<MouseGrid> {
 protected:
  void SetUp() override { MakeHostedGrid(30, 5); }
  CPoint At(ROWCOL row, ROWCOL col) { return grid->CalcCellRect(row, col).CenterPoint(); }
  HWND Hwnd() { return wnd.GetSafeHwnd(); }
  void Down(CPoint p, int button = 0) {
    automation::AdvanceClock(1000);  // never a double click
    automation::MouseDown(Hwnd(), p, button);
    automation::PumpUntilIdle();
  }
  void Up(CPoint p, int button = 0) {
    automation::MouseUp(Hwnd(), p, button);
    automation::PumpUntilIdle();
  }
  void Move(CPoint p) {
    automation::MouseMove(Hwnd(), p);
    automation::PumpUntilIdle();
  }
};

TEST_F(GridMouse, AClickMakesTheCellCurrentAndReachesItsControl) {
  Down(At(3, 2));
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{3}, ROWCOL{2}));
  EXPECT_EQ(::GetCapture(), Hwnd()) << "the mouse is held from press to release";
  Up(At(3, 2));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(grid->m_nMouseAction, 0u);
  // Press 0x44 with the action bit; release 0x10 over the pressed cell (0x40).
  EXPECT_EQ(cell->log, (std::vector<std::string>{"init 3,2", "down 69", "up 81"}));

  // A press on the current cell goes straight to its control (0x100).
  cell->log.clear();
  Down(At(3, 2));
  Up(At(3, 2));
  EXPECT_EQ(cell->log, (std::vector<std::string>{"down 325", "up 337"}));
}

TEST_F(GridMouse, ReleaseFlagsTellWhereTheMouseWas) {
  // Released elsewhere while the last reported cell was the pressed one: 0x20.
  Down(At(3, 2));
  cell->log.clear();
  Up(At(6, 2));
  EXPECT_EQ(cell->log, std::vector<std::string>{"up 49"}) << "the pressed cell's control gets the release (0x20)";
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{3}, ROWCOL{2}));

  // A drag reports the moves to the control of the pressed current cell.
  Down(At(3, 2));
  Move(At(5, 2));
  EXPECT_EQ(grid->m_nLastHitRow, 5u);
  Up(At(5, 2));
  EXPECT_EQ(grid->m_nMouseAction, 0u);
}

TEST_F(GridMouse, ReleaseFlagsBits) {
  struct Case {
    bool moveFirst;
    ROWCOL releaseRow;
    UINT bits;  // of 0x60
  } cases[] = {{false, 3, 0x40}, {false, 6, 0x20}, {true, 6, 0x00}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.releaseRow);
    ASSERT_TRUE(grid->SetCurrentCell(1, 1, 0));
    Down(At(3, 2));
    if (c.moveFirst) Move(At(5, 2));
    UINT flags = 0;
    int hit = 0;
    ROWCOL row = 0, col = 0;
    const CPoint p = At(c.releaseRow, 2);
    ASSERT_TRUE(grid->EndButtonUp(0, p.x, p.y, hit, row, col, flags));
    EXPECT_EQ(flags & 0x60, c.bits);
    EXPECT_EQ(flags & 0x10, 0x10u);
    grid->m_nMouseAction = 0;
  }
}

TEST_F(GridMouse, APressWithAnotherButtonHeldCancels) {
  ASSERT_TRUE(grid->SetCurrentCell(1, 1, 0));
  const CPoint p = At(3, 2);
  EXPECT_FALSE(grid->OnGridLButtonDown(MK_LBUTTON | MK_RBUTTON, p));
  EXPECT_EQ(grid->m_nMouseAction, 0u);
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{1}, ROWCOL{1}));
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(GridMouse, DraggingStartsAutoScrollUnlessTheRowIsFrozen) {
  grid->m_bAutoScrollAvailable = TRUE;
  Down(At(3, 2));
  EXPECT_TRUE(grid->m_bAutoScrollStart);
  EXPECT_TRUE(grid->m_bAutoScrollVert);
  EXPECT_TRUE(grid->m_bAutoScrollHorz);
  EXPECT_EQ(grid->m_nAutoScrollTimer, CGXGridCore::kAutoScrollTimer);
  // Below the grid the last row shown is reported.
  const CRect rect = grid->GetGridRect();
  Move(CPoint(At(3, 2).x, rect.bottom + 40));
  EXPECT_LE(grid->m_nLastHitRow, grid->GetRowCount());
  EXPECT_GT(grid->m_nLastHitRow, 3u);
  Up(CPoint(At(3, 2).x, rect.bottom + 40));
  EXPECT_TRUE(grid->m_bAutoScrollStop);

  grid->SetFrozenRows(2, 0);
  grid->m_bAutoScrollStart = FALSE;
  Down(At(1, 2));
  EXPECT_TRUE(grid->m_bAutoScrollStart);
  EXPECT_FALSE(grid->m_bAutoScrollVert) << "a frozen row does not scroll";
  EXPECT_TRUE(grid->m_bAutoScrollHorz);
  Up(At(1, 2));
}

TEST_F(GridMouse, DoubleClickMakesTheCellCurrentThenAsksItsControl) {
  ASSERT_TRUE(grid->SetCurrentCell(1, 1, 0));
  cell->log.clear();
  const CPoint p = At(4, 3);
  EXPECT_TRUE(grid->OnGridLButtonDblClk(MK_LBUTTON, p));
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{4}, ROWCOL{3}));
  EXPECT_EQ(cell->log, (std::vector<std::string>{"init 4,3", "dblclk"}));

  // Not handled by the control: taken as a press.
  cell->dblClkHandled = FALSE;
  cell->log.clear();
  EXPECT_TRUE(grid->OnGridLButtonDblClk(MK_LBUTTON, p));
  EXPECT_EQ(cell->log, (std::vector<std::string>{"dblclk", "down 325"}));
  grid->OnGridCancelMode();
}

TEST_F(GridMouse, CancelModeEndsTheActionAndReleasesTheMouse) {
  Down(At(3, 2));
  ASSERT_NE(grid->m_nMouseAction, 0u);
  cell->log.clear();
  wnd.SendMessage(WM_CANCELMODE);
  EXPECT_EQ(grid->m_nMouseAction, 0u);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(cell->log, std::vector<std::string>{"cancel"});
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{3}, ROWCOL{2})) << "selection flags 0 keep the current cell";
}

TEST_F(GridMouse, KeysWhileTheMouseIsHeldAreSwallowedAndEscCancels) {
  Down(At(3, 2));
  automation::PressKey(VK_DOWN);
  automation::PumpUntilIdle();
  EXPECT_EQ(Current(), std::make_pair(ROWCOL{3}, ROWCOL{2}));
  automation::PressKey(VK_ESCAPE);
  automation::PumpUntilIdle();
  EXPECT_EQ(grid->m_nMouseAction, 0u);
  EXPECT_EQ(::GetCapture(), nullptr);
}

// Records the tracking of an edge.
class RecordingResize : public CGXAbstractGridUserResizeCellsImp {
 public:
  BOOL StartTracking(CGXGridCore*, ROWCOL, ROWCOL col, int kind) override {
    return log.push_back("start " + std::to_string(kind) + " " + std::to_string(col)), TRUE;
  }
  void MoveTracking(CGXGridCore*, UINT, CPoint, ROWCOL, ROWCOL) override { log.push_back("move"); }
  void CancelTracking(CGXGridCore*) override { log.push_back("cancel"); }
  void EndTracking(CGXGridCore*, UINT, CPoint, ROWCOL, ROWCOL) override { log.push_back("end"); }
  std::vector<std::string> log;
};

TEST_F(GridMouse, APressOnAColumnEdgeIsTrackedByTheResizeFeature) {
  RecordingResize resize;
  grid->m_pUserResizeCellsImp = &resize;
  const CRect header = grid->CalcCellRect(0, 2);
  const CPoint edge(header.right - 1, header.CenterPoint().y);
  ASSERT_EQ(grid->HitTest(edge), CGXGridCore::kHitColEdge);
  Down(edge);
  Move(CPoint(edge.x + 20, edge.y));
  Up(CPoint(edge.x + 20, edge.y));
  EXPECT_EQ(resize.log, (std::vector<std::string>{"start 2 2", "move", "end"}));
  EXPECT_EQ(::GetCapture(), nullptr);
  grid->m_pUserResizeCellsImp = nullptr;
}

}  // namespace
