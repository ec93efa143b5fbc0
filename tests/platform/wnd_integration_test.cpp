// The window layer working with the standard controls: clicks (and
// WindowFromPoint) passing through windows that answer HTTRANSPARENT, the frame scroll bars of any
// window, CWnd's scroll-bar members, and the control classes being there
// without anyone registering them.
#include <algorithm>

#include "platform/controls/CtlControls.h"
#include "platform/gfx/SysColors.h"
#include "wnd_support.h"

using namespace wndtest;

namespace {

class WndIntegration : public WindowTest {
 protected:
  static void pump() { automation::PumpUntilIdle(); }
  // The names of the windows that got a left-button press since the mark.
  Log pressed() {
    Log out;
    for (const std::string& e : taken())
      if (e.ends_with(":LBUTTONDOWN")) out.push_back(e.substr(0, e.find(':')));
    return out;
  }
  // Logs WM_HSCROLL/WM_VSCROLL as "H<code>"/"V<code>" (no window name, no colon).
  void logScrolls(HWND h) {
    reactions()[h] = [](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
      if (m == WM_VSCROLL || m == WM_HSCROLL)
        log().push_back(std::string(m == WM_VSCROLL ? "V" : "H").append(std::to_string(LOWORD(w))));
      return false;
    };
  }
};

bool transparentHit(HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
  if (m != WM_NCHITTEST) return false;
  *r = HTTRANSPARENT;
  return true;
}

TEST_F(WndIntegration, ATransparentWindowPassesTheClickToTheWindowBelowIt) {
  struct Win {
    const char* name;
    const char* parent;
    RECT r;
    DWORD style;  // added to WS_CHILD
    bool transparent;
  };
  constexpr DWORD V = WS_VISIBLE;
  struct {
    const char* what;
    std::vector<Win> wins;  // in creation order: the first lies on top
    const char* expected;
  } cases[] = {
      {"a group box over a button",
       {{"T", "P", {10, 10, 200, 100}, V, true}, {"B", "P", {20, 20, 80, 40}, V, false}}, "B"},
      {"a disabled window below takes the click for its parent",
       {{"T", "P", {10, 10, 200, 100}, V, true}, {"B", "P", {20, 20, 80, 40}, V | WS_DISABLED, false}}, "P"},
      {"hidden and transparent-styled windows are passed over",
       {{"T", "P", {10, 10, 200, 100}, V, true},
        {"H", "P", {20, 20, 80, 40}, 0, false},
        {"X", "P", {20, 20, 80, 40}, V, false},
        {"B", "P", {20, 20, 80, 40}, V, false}},
       "B"},
      {"nothing below at the point: the parent",
       {{"T", "P", {10, 10, 200, 100}, V, true}, {"B", "P", {150, 150, 180, 180}, V, false}}, "P"},
      {"the deepest window under the point below",
       {{"T", "P", {10, 10, 200, 100}, V, true},
        {"C", "P", {20, 20, 180, 90}, V, false},
        {"G", "C", {0, 0, 50, 30}, V, false}},
       "G"},
      {"two transparent layers", {{"T1", "P", {10, 10, 200, 100}, V, true},
                                  {"T2", "P", {10, 10, 200, 100}, V, true},
                                  {"B", "P", {20, 20, 80, 40}, V, false}},
       "B"},
      {"a transparent child in a transparent window: up, then below the window",
       {{"T", "P", {10, 10, 200, 100}, V, true},
        {"TG", "T", {0, 0, 150, 80}, V, true},
        {"B", "P", {20, 20, 80, 40}, V, false}},
       "B"},
  };
  for (const auto& c : cases) {
    HWND p = top("P");
    std::map<std::string, HWND> made{{"P", p}};
    for (const Win& w : c.wins) {
      HWND h = child(made[w.parent], w.name, w.r, 0, WS_CHILD | w.style,
                     std::string(w.name) == "X" ? WS_EX_TRANSPARENT : 0);
      made[w.name] = h;
      if (w.transparent) reactions()[h] = transparentHit;
    }
    pump();
    mark();
    automation::Click(p, POINT{30, 30});
    pump();
    EXPECT_EQ(pressed(), (Log{c.expected})) << c.what;
    // WindowFromPoint finds the window the click went to.
    POINT screen{30, 30};
    ClientToScreen(p, &screen);
    EXPECT_EQ(nameOf(WindowFromPoint(screen)), c.expected) << c.what;
    DestroyWindow(p);
  }
}

TEST_F(WndIntegration, AnyWindowsFrameScrollBarsAreDrawnAndTracked) {
  HWND p = top("P");
  HWND v = child(p, "V", RECT{10, 10, 210, 160}, 0, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
  logScrolls(v);
  for (int bar : {SB_VERT, SB_HORZ}) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMax = 499;
    si.nPage = 100;
    SetScrollInfo(v, bar, &si, TRUE);
  }
  pump();
  RECT c;
  GetClientRect(v, &c);
  // The raised edges of the upper and the left arrow, where the bare frame
  // has only the scroll-bar colour.
  EXPECT_EQ(automation::PixelAt(v, c.right, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(automation::PixelAt(v, 0, c.bottom), GetSysColor(COLOR_BTNHIGHLIGHT));

  POINT downArrow{c.right + 8, c.bottom - 5}, rightArrow{c.right - 5, c.bottom + 8}, corner{c.right + 8, c.bottom + 8};
  struct {
    POINT at;
    bool dbl;
    Log expected;
  } presses[] = {
      {downArrow, false, {"V1", "V8"}},
      {rightArrow, false, {"H1", "H8"}},
      {downArrow, true, {"V1", "V8", "V1", "V8"}},  // the second press comes as a double click
      {corner, false, {}},
  };
  for (const auto& press : presses) {
    automation::AdvanceClock(1000);
    pump();
    mark();
    if (press.dbl) automation::DoubleClick(v, press.at);
    else automation::Click(v, press.at);
    pump();
    Log got;
    for (const std::string& e : taken())
      if (e.find(':') == std::string::npos) got.push_back(e);
    EXPECT_EQ(got, press.expected) << press.at.x << "," << press.at.y;
  }
}

class Pane : public CWnd {
 public:
  CScrollBar* shared = nullptr;  // stands in for the vertical bar when set
  Log codes;
  CScrollBar* GetScrollBarCtrl(int bar) const override { return bar == SB_VERT ? shared : nullptr; }

 protected:
  void OnVScroll(UINT code, UINT, CScrollBar*) override { codes.push_back(std::string("V").append(std::to_string(code))); }
};

TEST_F(WndIntegration, CWndScrollMembersActOnTheOwnBarOrTheSharedControl) {
  HWND p = top("P");
  Pane pane;
  ASSERT_TRUE(pane.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{10, 10, 210, 160}, CWnd::FromHandle(p), 1));
  auto style = [&] { return pane.GetStyle() & (WS_VSCROLL | WS_HSCROLL); };

  pane.SetScrollRange(SB_VERT, 0, 99);
  EXPECT_EQ(style(), WS_VSCROLL) << "a range to scroll shows the bar";
  EXPECT_EQ(pane.SetScrollPos(SB_VERT, 40), 0);
  SCROLLINFO si;
  si.fMask = SIF_PAGE;
  si.nPage = 20;
  EXPECT_TRUE(pane.SetScrollInfo(SB_VERT, &si));
  SCROLLINFO got;
  ASSERT_TRUE(pane.GetScrollInfo(SB_VERT, &got));
  EXPECT_EQ((std::vector<int>{got.nMin, got.nMax, static_cast<int>(got.nPage), got.nPos}),
            (std::vector<int>{0, 99, 20, 40}));
  EXPECT_EQ(pane.GetScrollLimit(SB_VERT), 80);
  int lo = -1, hi = -1;
  pane.GetScrollRange(SB_VERT, &lo, &hi);
  EXPECT_EQ(std::pair(lo, hi), std::pair(0, 99));

  // Presses reach the bar through the object's frame handlers; a disabled
  // arrow takes none.
  RECT c;
  pane.GetClientRect(&c);
  POINT downArrow{c.right + 8, c.bottom - 5};
  for (UINT arrows : {ESB_DISABLE_DOWN, ESB_ENABLE_BOTH}) {
    EXPECT_TRUE(pane.EnableScrollBar(SB_VERT, arrows));
    pane.codes.clear();
    automation::AdvanceClock(1000);
    automation::Click(pane.m_hWnd, downArrow);
    pump();
    EXPECT_EQ(pane.codes, arrows == ESB_ENABLE_BOTH ? (Log{"V1", "V8"}) : Log{}) << arrows;
  }
  pane.EnableScrollBarCtrl(SB_VERT, FALSE);
  EXPECT_EQ(style(), 0u) << "the own bar is hidden";
  pane.ShowScrollBar(SB_VERT);
  EXPECT_EQ(style(), WS_VSCROLL);

  // A sibling control takes the vertical bar's part; the own bar keeps its state.
  CScrollBar sb;
  ASSERT_TRUE(sb.Create(SBS_VERT | WS_CHILD | WS_VISIBLE, RECT{220, 10, 237, 160}, CWnd::FromHandle(p), 2));
  pane.shared = &sb;
  pane.SetScrollRange(SB_VERT, 0, 9);
  pane.SetScrollPos(SB_VERT, 7);
  EXPECT_EQ(sb.GetScrollPos(), 7);
  EXPECT_EQ(pane.GetScrollPos(SB_VERT), 7);
  EXPECT_EQ(pane.GetScrollLimit(SB_VERT), 9);
  EXPECT_EQ(::GetScrollPos(pane.m_hWnd, SB_VERT), 40);
  pane.SetScrollRange(SB_HORZ, 0, 50);
  EXPECT_EQ(style(), WS_VSCROLL | WS_HSCROLL);
  pane.EnableScrollBarCtrl(SB_BOTH, FALSE);
  EXPECT_FALSE(sb.IsWindowEnabled()) << "the control is disabled, not hidden";
  EXPECT_TRUE(sb.IsWindowVisible());
  EXPECT_EQ(style(), WS_VSCROLL) << "the own horizontal bar is hidden";
}

TEST_F(WndIntegration, ControlClassesNeedNoRegistration) {
  const char* names[] = {WC_EDIT, WC_BUTTON, WC_STATIC, WC_LISTBOX, WC_COMBOBOX, WC_COMBOLBOX, WC_SCROLLBAR};
  // Start from none: earlier tests of this program may have made them.
  ASSERT_TRUE(GetClassInfo(nullptr, WC_EDIT, nullptr));
  for (const char* n : names) ASSERT_TRUE(UnregisterClass(n, nullptr)) << n;

  HWND p = top("P");
  HWND edit = CreateWindowEx(0, "edit", "12.50", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, p, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 0, 0), 5);

  // A superclass of the combo box, as a dialog's own field type makes one.
  WNDCLASS wc;
  ASSERT_TRUE(GetClassInfo(nullptr, WC_COMBOBOX, &wc));
  wc.lpszClassName = "WndTestAmountCombo";
  if (!GetClassInfo(nullptr, wc.lpszClassName, nullptr)) {
    ASSERT_NE(RegisterClass(&wc), 0);
  }
  HWND combo = CreateWindowEx(0, "WndTestAmountCombo", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 40, 100, 80,
                              p, nullptr, nullptr, nullptr);
  ASSERT_NE(combo, nullptr);
  SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Cash"));
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 1);

  // Registering explicitly as well changes nothing.
  WNDPROC before = wc.lpfnWndProc;
  RegisterControlClasses();
  ASSERT_TRUE(GetClassInfo(nullptr, WC_COMBOBOX, &wc));
  EXPECT_EQ(wc.lpfnWndProc, before);
  for (const char* n : names) EXPECT_TRUE(GetClassInfo(nullptr, n, nullptr)) << n;
}

}  // namespace
