// The tool-tip control: delays on the virtual clock, texts given or asked
// for, hiding on presses and on leaving, reshowing, activation, the maximum
// width, and a hidden child standing in for the window that relays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/framework/CWnd.h"
#include "platform/commctrl/ToolTipCtrl.h"
#include "platform_support.h"

namespace {

struct Seen {
  std::vector<UINT_PTR> asked;  // TTN_NEEDTEXT by tool id
  std::string answer = "Cell tip";
};
Seen& seen() {
  static Seen s;
  return s;
}

LRESULT OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NOTIFY) {
    auto* nm = reinterpret_cast<NMHDR*>(l);
    if (nm->code == TTN_NEEDTEXT) {
      auto* di = reinterpret_cast<NMTTDISPINFO*>(nm);
      seen().asked.push_back(nm->idFrom);
      di->lpszText = const_cast<char*>(seen().answer.c_str());
      return 0;
    }
  }
  return DefWindowProc(h, m, w, l);
}

class ToolTipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    seen() = Seen{};
    platformtest::registerClassOnce("TipOwner", OwnerProc, COLOR_WINDOW);
    owner_ = platformtest::createAt(0, "TipOwner", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{100, 100, 500, 400});
    ASSERT_TRUE(tips_.Create(CWnd::FromHandle(owner_), TTS_ALWAYSTIP));
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    tips_.DestroyWindow();
    automation::ResetWindows();
  }
  // What the owner would relay: a message in its client coordinates.
  void Relay(UINT message, POINT pt, HWND from = nullptr) {
    from = from ? from : owner_;
    automation::MouseMove(from, pt);  // the cursor is where the message says
    automation::PumpUntilIdle();
    MSG m;
    m.hwnd = from;
    m.message = message;
    m.lParam = MAKELPARAM(pt.x, pt.y);
    tips_.RelayEvent(&m);
  }
  bool Shown() const { return IsWindowVisible(tips_.m_hWnd) != FALSE; }
  void AddTool(UINT_PTR id, RECT r, LPCTSTR text = LPSTR_TEXTCALLBACK) {
    ASSERT_TRUE(tips_.AddTool(CWnd::FromHandle(owner_), text, &r, id));
  }

  HWND owner_ = nullptr;
  CToolTipCtrl tips_;
};

TEST_F(ToolTipTest, ShowsAfterTheInitialDelayAndGoesOnAPress) {
  AddTool(7, RECT{0, 0, 100, 50}, "Open (Ctrl+O)");
  EXPECT_EQ(tips_.GetToolCount(), 1);
  Relay(WM_MOUSEMOVE, POINT{10, 10});
  automation::AdvanceClock(499);
  EXPECT_FALSE(Shown());
  automation::AdvanceClock(1);
  EXPECT_TRUE(Shown());
  CString text;
  tips_.GetText(text, CWnd::FromHandle(owner_), 7);
  EXPECT_EQ(text, "Open (Ctrl+O)");
  Relay(WM_LBUTTONDOWN, POINT{10, 10});
  EXPECT_FALSE(Shown());
  // Moving within the pressed tool brings nothing back.
  Relay(WM_MOUSEMOVE, POINT{20, 10});
  automation::AdvanceClock(1000);
  EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, AutoPopAndLeavingTheToolHideTheTip) {
  AddTool(7, RECT{0, 0, 100, 50}, "Tip");
  Relay(WM_MOUSEMOVE, POINT{10, 10});
  automation::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  automation::AdvanceClock(5000);
  EXPECT_FALSE(Shown()) << "the auto-pop delay";
  Relay(WM_MOUSEMOVE, POINT{200, 200});
  Relay(WM_MOUSEMOVE, POINT{10, 10});
  automation::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  // The owner relays nothing once the mouse is elsewhere; the tip notices.
  automation::MouseMove(owner_, POINT{300, 250});
  automation::AdvanceClock(100);
  EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, CallbackTextIsAskedAtEveryShowAndEmptyShowsNothing) {
  AddTool(3, RECT{0, 0, 50, 50});
  AddTool(4, RECT{60, 0, 110, 50});
  Relay(WM_MOUSEMOVE, POINT{10, 10});
  automation::AdvanceClock(500);
  EXPECT_TRUE(Shown());
  // The next tool shows after the short reshow delay.
  seen().answer = "";
  Relay(WM_MOUSEMOVE, POINT{70, 10});
  automation::AdvanceClock(100);
  EXPECT_FALSE(Shown()) << "an empty text";
  EXPECT_EQ(seen().asked, (std::vector<UINT_PTR>{3, 4}));
}

TEST_F(ToolTipTest, DeactivatedControlStaysQuiet) {
  AddTool(3, RECT{0, 0, 50, 50}, "Tip");
  tips_.Activate(FALSE);
  Relay(WM_MOUSEMOVE, POINT{10, 10});
  automation::AdvanceClock(1000);
  EXPECT_FALSE(Shown());
  // Activated while the mouse is on the tool (the grid's way), the tip
  // shows once the mouse rests there.
  tips_.Activate(TRUE);
  Relay(WM_MOUSEMOVE, POINT{12, 10});
  automation::AdvanceClock(300);
  Relay(WM_MOUSEMOVE, POINT{14, 10});
  automation::AdvanceClock(300);
  EXPECT_FALSE(Shown()) << "the wait starts again with each move";
  automation::AdvanceClock(200);
  EXPECT_TRUE(Shown());
}

TEST_F(ToolTipTest, MaximumWidthWrapsLongTipsAndRectanglesMove) {
  std::string longText = "A long tip that needs more than one line when the width is limited";
  AddTool(3, RECT{0, 0, 50, 50}, longText.c_str());
  Relay(WM_MOUSEMOVE, POINT{10, 10});
  automation::AdvanceClock(500);
  RECT oneLine;
  GetWindowRect(tips_.m_hWnd, &oneLine);
  tips_.Pop();
  EXPECT_EQ(tips_.SetMaxTipWidth(120), -1);
  const RECT moved{200, 0, 250, 50};
  tips_.SetToolRect(CWnd::FromHandle(owner_), 3, &moved);
  Relay(WM_MOUSEMOVE, POINT{10, 10});
  automation::AdvanceClock(1000);
  EXPECT_FALSE(Shown()) << "the tool moved away";
  Relay(WM_MOUSEMOVE, POINT{210, 10});
  automation::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  RECT wrapped;
  GetWindowRect(tips_.m_hWnd, &wrapped);
  EXPECT_LE(wrapped.right - wrapped.left, 120 + 8);
  EXPECT_GT(wrapped.bottom - wrapped.top, oneLine.bottom - oneLine.top);
  EXPECT_LT(wrapped.right - wrapped.left, oneLine.right - oneLine.left);
}

TEST_F(ToolTipTest, TipsStayOnTheScreen) {
  // The owner at the bottom right corner of the 1024 x 768 screen.
  SetWindowPos(owner_, nullptr, 900, 700, 124, 68, SWP_NOZORDER);
  AddTool(3, RECT{0, 0, 124, 40}, "A tip with some words in it");
  Relay(WM_MOUSEMOVE, POINT{100, 20});
  automation::AdvanceClock(500);
  ASSERT_TRUE(Shown());
  RECT r;
  GetWindowRect(tips_.m_hWnd, &r);
  EXPECT_LE(r.right, 1024);
  EXPECT_LE(r.bottom, 768);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_LE(r.bottom, cursor.y) << "above the cursor near the bottom";
}

TEST_F(ToolTipTest, AHiddenChildStandsInForTheRelayingWindow) {
  // As the grid does it: the tool belongs to an invisible child at the
  // corner, the messages come from the grid window itself.
  HWND child = platformtest::createAt(0, "TipOwner", "", WS_CHILD, RECT{0, 0, 0, 0}, owner_, 51085);
  RECT all{0, 0, 400, 300};
  ASSERT_TRUE(tips_.AddTool(CWnd::FromHandle(child), LPSTR_TEXTCALLBACK, &all, 51085));
  Relay(WM_MOUSEMOVE, POINT{150, 150});
  automation::AdvanceClock(500);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(seen().asked, (std::vector<UINT_PTR>{51085}));
  tips_.DelTool(CWnd::FromHandle(child), 51085);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(tips_.GetToolCount(), 0);
}

}  // namespace
