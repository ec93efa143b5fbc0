// Scroll bars: the "ScrollBar" control's codes for arrow, page and thumb
// presses with auto-repeat by the clock, its keys, 32-bit ranges, and the
// standard bars in a window's frame that come and go with the need to
// scroll; the wheel over a multi-line edit.
#include "ctl_support.h"

using namespace ctltest;

namespace {

class ScrollBar : public ControlTest {
 protected:
  // A vertical bar 17 wide and 200 high: arrows of 17, track from 17 to 183.
  HWND bar(int minPos, int maxPos, UINT page, int pos) {
    HWND b = make(WC_SCROLLBAR, SBS_VERT | WS_TABSTOP, RECT{10, 10, 27, 210});
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = minPos;
    si.nMax = maxPos;
    si.nPage = page;
    si.nPos = pos;
    SetScrollInfo(b, SB_CTL, &si, TRUE);
    pump();
    log().clear();
    return b;
  }
};

TEST_F(ScrollBar, RangesAndPositionsAreThirtyTwoBit) {
  HWND b = bar(-5, 3000000, 1000000, 2500000);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(b, SB_CTL, &si));
  EXPECT_EQ(si.nMin, -5);
  EXPECT_EQ(si.nMax, 3000000);
  EXPECT_EQ(si.nPage, 1000000u);
  EXPECT_EQ(si.nPos, 2000001) << "the position stops where the last page begins";
  EXPECT_EQ(SetScrollPos(b, SB_CTL, -100, TRUE), 2000001);
  EXPECT_EQ(GetScrollPos(b, SB_CTL), -5);
  int lo = 0, hi = 0;
  SetScrollRange(b, SB_CTL, 10, 20, TRUE);
  GetScrollRange(b, SB_CTL, &lo, &hi);
  EXPECT_EQ(lo, 10);
  EXPECT_EQ(hi, 20);
  EXPECT_EQ(GetScrollPos(b, SB_CTL), 10);
}

TEST_F(ScrollBar, PressesSendCodesAndRepeatWhileHeld) {
  HWND b = bar(0, 100, 10, 0);
  struct {
    const char* name;
    POINT at;
    Log first;
  } parts[] = {
      {"down arrow", {8, 195}, {"VLINEDOWN"}},
      {"up arrow", {8, 5}, {"VLINEUP"}},
      {"page below the thumb", {8, 150}, {"VPAGEDOWN"}},
  };
  for (const auto& p : parts) {
    SCOPED_TRACE(p.name);
    automation::MouseDown(b, p.at);
    pump();
    EXPECT_EQ(GetCapture(), b);
    EXPECT_EQ(taken(), p.first);
    automation::AdvanceClock(400);
    pump();
    automation::AdvanceClock(50);
    pump();
    EXPECT_EQ(taken(), (Log{p.first[0], p.first[0]})) << "repeated by the timer";
    automation::MouseUp(b, p.at);
    automation::AdvanceClock(500);
    pump();
    EXPECT_EQ(taken(), (Log{"VENDSCROLL"}));
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(ScrollBar, ThumbDragTracksAndEndsWithThePosition) {
  HWND b = bar(0, 100, 0, 0);
  // No page: the thumb is a square of 17 at the top of the track (17..34),
  // and the 149 pixels of travel cover positions 0..100.
  automation::MouseDown(b, POINT{8, 20});
  automation::MouseMove(b, POINT{8, 20 + 149});
  automation::MouseUp(b, POINT{8, 20 + 149});
  pump();
  EXPECT_EQ(taken(), (Log{"VTHUMBTRACK(100)", "VTHUMBPOSITION(100)", "VENDSCROLL"}));
  EXPECT_EQ(GetScrollPos(b, SB_CTL), 0) << "the owner moves the bar";
  SetScrollPos(b, SB_CTL, 100, TRUE);
  automation::MouseDown(b, POINT{8, 176});
  automation::MouseMove(b, POINT{8, 176 - 75});
  automation::MouseUp(b, POINT{8, 176 - 75});
  pump();
  Log got = taken();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], "VTHUMBTRACK(50)");
  EXPECT_EQ(got[1], "VTHUMBPOSITION(50)");
}

TEST_F(ScrollBar, KeysOfAFocusedBar) {
  HWND b = bar(0, 100, 10, 50);
  SetFocus(b);
  struct {
    UINT vk;
    const char* code;
  } keys[] = {{VK_DOWN, "VLINEDOWN"}, {VK_UP, "VLINEUP"}, {VK_NEXT, "VPAGEDOWN"},
              {VK_PRIOR, "VPAGEUP"},  {VK_HOME, "VTOP"},  {VK_END, "VBOTTOM"}};
  for (const auto& k : keys) {
    automation::PressKey(k.vk);
    pump();
    EXPECT_EQ(taken(), (Log{k.code, "VENDSCROLL"}));
  }
}

LRESULT viewProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  LRESULT r = 0;
  if (ctl::HandleScrollBarFrame(h, m, w, l, &r)) return r;
  return parentProc(h, m, w, l);
}

TEST_F(ScrollBar, WindowBarsComeAndGoWithTheRange) {
  platformtest::registerClassOnce("CtlTestView", viewProc, COLOR_WINDOW);
  HWND v = CreateWindowEx(0, "CtlTestView", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 150, parent, nullptr, nullptr,
                          nullptr);
  RECT before;
  GetClientRect(v, &before);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = 0;
  si.nMax = 499;
  si.nPage = 150;
  SetScrollInfo(v, SB_VERT, &si, TRUE);
  EXPECT_TRUE(GetWindowLong(v, GWL_STYLE) & WS_VSCROLL);
  RECT with;
  GetClientRect(v, &with);
  EXPECT_EQ(with.right, before.right - GetSystemMetrics(SM_CXVSCROLL));
  // The bar is drawn in the frame, right of the client area: the raised
  // edge of its upper arrow.
  pump();
  EXPECT_EQ(automation::PixelAt(v, with.right, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  // A press on its lower arrow.
  pump();
  log().clear();
  automation::MouseDown(v, POINT{with.right + 8, with.bottom - 5});
  automation::MouseUp(v, POINT{with.right + 8, with.bottom - 5});
  pump();
  EXPECT_EQ(taken(), (Log{"VLINEDOWN", "VENDSCROLL"}));

  si.nMax = 99;
  SetScrollInfo(v, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLong(v, GWL_STYLE) & WS_VSCROLL) << "it all fits: no bar";
  si.fMask |= SIF_DISABLENOSCROLL;
  SetScrollInfo(v, SB_VERT, &si, TRUE);
  EXPECT_TRUE(GetWindowLong(v, GWL_STYLE) & WS_VSCROLL) << "kept, disabled";
  ShowScrollBar(v, SB_BOTH, FALSE);
  EXPECT_FALSE(GetWindowLong(v, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
}

TEST_F(ScrollBar, WheelScrollsAMultiLineEdit) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "line\r\n";
  HWND e = make(WC_EDIT, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, RECT{10, 10, 150, 100}, text.c_str());
  SetFocus(e);
  automation::Wheel(e, POINT{10, 10}, -WHEEL_DELTA);
  pump();
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  SCROLLINFO si;
  si.fMask = SIF_POS;
  GetScrollInfo(e, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 3);
}

}  // namespace
