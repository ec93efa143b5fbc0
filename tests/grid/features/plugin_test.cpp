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

// The middle button puts an origin mark where it went down; panning scrolls
// the grid under it, and ending panning takes the mark away and puts the
// cursor back.
TEST_F(GridPlugins, PanningShowsAnOriginMarkWhileItLasts) {
  grid->EnableIntelliMouse();
  auto* pan = dynamic_cast<CGXGridIntelliMousePlugin*>(grid->m_pIntelliMousePlugin);
  ASSERT_NE(pan, nullptr);
  auto cursorInClient = [&] {
    POINT p;
    ::GetCursorPos(&p);
    ::ScreenToClient(wnd.m_hWnd, &p);
    return CPoint(p.x, p.y);
  };
  auto markRect = [&](CWnd* mark) {
    CRect r;
    mark->GetWindowRect(&r);
    wnd.ScreenToClient(&r);
    return r;
  };
  LRESULT result = 0;
  pan->HandleMessage(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(200, 150), &result);
  ASSERT_TRUE(pan->IsPanning());
  EXPECT_TRUE(pan->m_bExitMessage) << "the grid never sees the press";
  EXPECT_EQ(pan->GetOrigin(), CPoint(185, 135));
  EXPECT_EQ(cursorInClient(), CPoint(185, 135));
  CGXMouseWheelOriginWnd* mark = pan->GetOriginWnd();
  ASSERT_NE(mark, nullptr);
  const HWND markWnd = mark->m_hWnd;
  EXPECT_EQ(::GetParent(markWnd), wnd.m_hWnd);
  EXPECT_TRUE(mark->IsWindowVisible());
  EXPECT_EQ(markRect(mark), CRect(185, 135, 215, 165)) << "centred on the press";
  ASSERT_NE(mark->GetBitmap().GetSafeHandle(), nullptr);
  mark->UpdateWindow();
  // Red is see-through: the picture's own tones are drawn, with its dot in
  // the middle.
  EXPECT_NE(automation::PixelAt(markWnd, 15, 15), RGB(255, 0, 0));
  EXPECT_EQ(automation::PixelAt(markWnd, 15, 15), ::GetSysColor(COLOR_BTNTEXT));

  // 50 pixels below the origin: six rows down; the mark stays put.
  const ROWCOL top = grid->GetTopRow();
  EXPECT_EQ(pan->PanStep(CPoint(185, 185), 5000), 6u);
  EXPECT_EQ(grid->GetTopRow(), top + 6);
  EXPECT_EQ(pan->GetCursorId(), 20201u) << "the downward cursor";
  EXPECT_EQ(markRect(mark), CRect(185, 135, 215, 165));
  EXPECT_TRUE(mark->IsWindowVisible());
  pan->PanStep(CPoint(188, 137), 6000);
  EXPECT_EQ(pan->GetCursorId(), 20202u) << "near the origin: no direction";

  pan->HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), &result);
  EXPECT_FALSE(pan->IsPanning());
  EXPECT_EQ(pan->GetOriginWnd(), nullptr);
  EXPECT_FALSE(::IsWindow(markWnd));
  EXPECT_EQ(pan->GetCursorId(), 0u);
  EXPECT_EQ(cursorInClient(), CPoint(200, 150));

  // Ctrl with the middle button is the grid's.
  pan->HandleMessage(WM_MBUTTONDOWN, MK_MBUTTON | MK_CONTROL, MAKELPARAM(200, 150), &result);
  EXPECT_FALSE(pan->IsPanning());
  EXPECT_FALSE(pan->m_bExitMessage);
  EXPECT_EQ(pan->GetOriginWnd(), nullptr);
}

}  // namespace
