#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/features/FeatureGrid.h"
#include "grid/features/GXMouseWheelPlugin.h"
#include "platform/window/Messages.h"

namespace {

// Records what the wheel asks of its host.
class RecordingWheel : public CGXIntelliMousePlugin {
 public:
  int GetZoom() override { return zoom; }
  void SetZoom(int z) override { zoom = z, log.push_back("zoom " + std::to_string(z)); }
  void VScroll(int code, ROWCOL count) override { log.push_back("v" + std::to_string(code) + " " + std::to_string(count)); }
  void HScroll(int code, ROWCOL count) override { log.push_back("h" + std::to_string(code) + " " + std::to_string(count)); }
  int zoom = 100;
  std::vector<std::string> log;
};

WPARAM Wheel(UINT keys, short delta) { return MAKEWPARAM(static_cast<WORD>(keys), static_cast<WORD>(delta)); }

TEST(MouseWheel, NotchesScrollLinesAndCtrlZooms) {
  const int lines = GXGetWheelScrollLines(FALSE);
  ASSERT_GT(lines, 0);
  const struct {
    UINT keys;
    short delta;
    int zoom;
    std::vector<std::string> expect;
  } cases[] = {
      {0, 120, 100, {"v0 " + std::to_string(lines)}},
      {0, -240, 100, {"v1 " + std::to_string(2 * lines)}},
      {MK_CONTROL, 120, 100, {"zoom 90"}},
      {MK_CONTROL, 120, 50, {}},
      {MK_CONTROL, -120, 195, {"zoom 205"}},
      {MK_CONTROL | MK_SHIFT, 120, 100, {}},
  };
  for (const auto& c : cases) {
    RecordingWheel wheel;
    wheel.zoom = c.zoom;
    LRESULT result = 0;
    wheel.HandleMessage(WM_MOUSEWHEEL, Wheel(c.keys, c.delta), 0, &result);
    EXPECT_TRUE(wheel.m_bExitMessage) << "the host never sees the wheel";
    EXPECT_EQ(wheel.log, c.expect) << c.keys << " " << c.delta;
  }
}

TEST(MousePanning, StepCountAndInterval) {
  RecordingWheel wheel;
  wheel.StartPanning(CPoint(100, 100), 1000);
  EXPECT_EQ(wheel.PanStep(CPoint(100, 105), 2000), 0u) << "5 pixels only changes the cursor";
  EXPECT_EQ(wheel.GetDirection(), -1);
  EXPECT_EQ(wheel.PanStep(CPoint(100, 150), 3000), 6u) << "50 pixels below: 6 lines";
  EXPECT_EQ(wheel.GetDirection(), 3);
  EXPECT_EQ(wheel.PanStep(CPoint(100, 150), 3020), 0u) << "next step after 600 / 20 ms";
  EXPECT_EQ(wheel.PanStep(CPoint(100, 150), 3031), 6u);
  EXPECT_EQ(wheel.PanStep(CPoint(40, 120), 4000), 11u) << "diagonal follows the larger distance";
  EXPECT_EQ(wheel.log.back(), "h0 11");
  wheel.EndPanning();
  EXPECT_FALSE(wheel.IsPanning());
}

class GridPlugins : public gridtest::FeatureGridTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    MakeGrid(200, 50, &wnd);
  }
  void TearDown() override {
    grid.reset();
    wnd.DestroyWindow();
  }
  CWnd wnd;
};

TEST_F(GridPlugins, WheelScrollsAndZoomsTheGrid) {
  grid->EnableIntelliMouse();
  auto* wheel = dynamic_cast<CGXGridIntelliMousePlugin*>(grid->m_pIntelliMousePlugin);
  ASSERT_NE(wheel, nullptr);
  const ROWCOL top = grid->GetTopRow();
  wheel->VScroll(1, 3);
  EXPECT_EQ(grid->GetTopRow(), top + 3);
  wheel->VScroll(0, 2);
  EXPECT_EQ(grid->GetTopRow(), top + 1);
  wheel->VScroll(3, 1);
  EXPECT_GT(grid->GetTopRow(), top + 3) << "a page down";
  wheel->SetZoom(wheel->GetZoom() - 10);
  EXPECT_EQ(grid->GetZoom(), 90);
}

TEST_F(GridPlugins, AutoScrollSpeedsUpTheFartherTheMouseIs) {
  auto* scroll = dynamic_cast<CGXAutoScrollPlugin*>(grid->m_pAutoScrollPlugin);
  ASSERT_NE(scroll, nullptr);
  EXPECT_TRUE(grid->m_bAutoScrollAvailable);
  grid->SetTopRow(100);
  grid->m_bAutoScrollStart = TRUE;
  grid->m_bAutoScrollVert = TRUE;
  grid->m_bAutoScrollStop = FALSE;
  const CRect rect = grid->GetGridRect();
  // 100 pixels above the scrolling area (below the column headers).
  const int innerTop = rect.top + grid->SumRowHeights(0, grid->GetFrozenRows());
  const CPoint above(rect.left + 10, innerTop - 100);
  DWORD now = 10000;
  std::vector<int> delays;
  for (int i = 0; i < 10; ++i) {
    scroll->Tick(now, above);
    delays.push_back(scroll->GetDelay());
    now += 200;
  }
  EXPECT_EQ(delays, (std::vector<int>{70, 60, 50, 40, 30, 20, 10, 0, 0, 0}));
  EXPECT_EQ(scroll->GetSpeed(), 5) << "from the ninth step the speed grows by 2";
  EXPECT_LT(grid->GetTopRow(), 100u);
  // Coming back toward the grid drops to the slowest speed.
  scroll->Tick(now, CPoint(above.x, innerTop - 10));
  EXPECT_EQ(scroll->GetDelay(), 80);
  EXPECT_EQ(scroll->GetSpeed(), 1);
  scroll->HandleMessage(WM_LBUTTONUP, 0, 0, nullptr);
  EXPECT_TRUE(grid->m_bAutoScrollStop);
}

}  // namespace
