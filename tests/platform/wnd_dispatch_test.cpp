// Dispatch to C++ objects: window procedures chained by subclassing and
// superclassing, the message map (commands, notifications, private and
// registered messages, reflection), mouse capture and double clicks.
#include "platform/host/HeadlessHost.h"
#include "wnd_support.h"

using namespace wndtest;

namespace {

class WndDispatch : public WindowTest {};

WNDPROC gBase = nullptr, gA = nullptr;
LRESULT baseProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CHAR) log().push_back("base");
  return DefWindowProc(h, m, w, l);
}
LRESULT superProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CHAR) log().push_back("super");
  return CallWindowProc(gBase, h, m, w, l);
}
LRESULT procA(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CHAR) log().push_back("A");
  return CallWindowProc(gA, h, m, w, l);
}

class CharSpy : public CWnd {
 protected:
  void OnChar(UINT, UINT, UINT) override {
    log().push_back("cwnd");
    Default();
  }
};

TEST_F(WndDispatch, SubclassingChainsProceduresAndObjects) {
  WNDCLASS wc{};
  wc.lpfnWndProc = baseProc;
  wc.lpszClassName = "WtBase";
  if (!GetClassInfo(nullptr, "WtBase", nullptr)) {
    ASSERT_NE(RegisterClass(&wc), 0);
  }
  // A superclass: the base class's description under a new name and procedure.
  ASSERT_TRUE(GetClassInfo(nullptr, "wtbase", &wc));
  gBase = wc.lpfnWndProc;
  wc.lpfnWndProc = superProc;
  wc.lpszClassName = "WtSuper";
  if (!GetClassInfo(nullptr, "WtSuper", nullptr)) {
    ASSERT_NE(RegisterClass(&wc), 0);
  }
  EXPECT_EQ(RegisterClass(&wc), 0) << "a name is registered once";

  HWND parent = top("P");
  HWND h = CreateWindowEx(0, "WtSuper", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                          reinterpret_cast<HMENU>(7), nullptr, nullptr);
  gA = reinterpret_cast<WNDPROC>(SetWindowLongPtr(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procA)));
  EXPECT_EQ(gA, &superProc);

  CharSpy spy;
  ASSERT_TRUE(spy.SubclassDlgItem(7, CWnd::FromHandle(parent)));
  EXPECT_EQ(CWnd::FromHandlePermanent(h), &spy);
  mark();
  SendMessage(h, WM_CHAR, 'x', 0);
  EXPECT_EQ(taken(), (Log{"cwnd", "A", "super", "base"}));

  EXPECT_EQ(spy.UnsubclassWindow(), h);
  EXPECT_EQ(GetWindowLongPtr(h, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&procA));
  SendMessage(h, WM_CHAR, 'x', 0);
  EXPECT_EQ(taken(), (Log{"A", "super", "base"}));

  // An object created on the class sees the messages from the very first.
  CharSpy created;
  ASSERT_TRUE(created.CreateEx(0, "WtSuper", "", WS_CHILD, 0, 0, 5, 5, parent, nullptr));
  SendMessage(created.m_hWnd, WM_CHAR, 'y', 0);
  EXPECT_EQ(taken(), (Log{"cwnd", "super", "base"}));
}

UINT gRegistered = RegisterWindowMessage("KestrovaTestMessage");

class MapParent : public CWnd {
 public:
  Log calls;
  void OnClick101() { calls.push_back("clicked 101"); }
  void OnClick103() { calls.push_back("clicked 103"); }
  void OnChange101() { calls.push_back("changed 101"); }
  void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }
  LRESULT OnPrivate(WPARAM w, LPARAM) { return calls.push_back("private"), static_cast<LRESULT>(w * 2); }
  LRESULT OnReg(WPARAM, LPARAM) { return calls.push_back("registered"), 1; }
  void OnNmClick(NMHDR* nm, LRESULT* r) {
    calls.push_back("notify " + std::to_string(nm->idFrom));
    *r = 99;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MapParent, CWnd)
  ON_WM_PAINT()
  ON_BN_CLICKED(101, OnClick101)
  ON_BN_CLICKED(103, OnClick103)
  ON_EN_CHANGE(101, OnChange101)
  ON_COMMAND_RANGE(200, 210, OnRange)
  ON_MESSAGE(WM_USER + 50, OnPrivate)
  ON_REGISTERED_MESSAGE(gRegistered, OnReg)
  ON_NOTIFY(NM_CLICK, 102, OnNmClick)
END_MESSAGE_MAP()

class ReflectingChild : public CWnd {
 public:
  int reflected = 0;
  void OnReflected() { ++reflected; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
  ON_CONTROL_REFLECT(BN_CLICKED, OnReflected)
END_MESSAGE_MAP()

TEST_F(WndDispatch, MessageMapRoutesCommandsNotificationsAndReflections) {
  MapParent p;
  ASSERT_TRUE(p.CreateEx(0, nullptr, "P", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  HWND c101 = child(p.m_hWnd, "c101", RECT{0, 0, 10, 10}, 101);
  HWND c102 = child(p.m_hWnd, "c102", RECT{0, 20, 10, 30}, 102);
  ReflectingChild c103;
  ASSERT_TRUE(c103.Create("WndTestLog", "", WS_VISIBLE, RECT{0, 40, 10, 50}, &p, 103));

  auto command = [&](int id, int code, HWND from) {
    return SendMessage(p.m_hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                       reinterpret_cast<LPARAM>(from));
  };
  EXPECT_EQ(command(101, BN_CLICKED, c101), 1);
  command(101, EN_CHANGE, c101);
  command(205, 0, nullptr);  // a menu command
  command(211, 0, nullptr);  // no entry
  command(103, BN_CLICKED, c103.m_hWnd);  // the control takes its own notification
  EXPECT_EQ(p.SendMessage(WM_USER + 50, 21), 42);
  EXPECT_EQ(p.SendMessage(gRegistered), 1);
  NMHDR nm{c102, 102, NM_CLICK};
  EXPECT_EQ(p.SendMessage(WM_NOTIFY, 102, reinterpret_cast<LPARAM>(&nm)), 99);
  EXPECT_EQ(p.calls, (Log{"clicked 101", "changed 101", "range 205", "private", "registered", "notify 102"}));
  EXPECT_EQ(c103.reflected, 1);
}

TEST_F(WndDispatch, CaptureTakesTheMouseUntilReleased) {
  HWND x = top("X");
  HWND a = child(x, "a", RECT{0, 0, 100, 100});
  HWND b = child(x, "b", RECT{100, 0, 200, 100});
  std::vector<std::pair<std::string, POINT>> downs;
  for (HWND h : {a, b})
    reactions()[h] = [&](HWND self, UINT m, WPARAM, LPARAM l, LRESULT*) {
      if (m == WM_LBUTTONDOWN) downs.push_back({nameOf(self), POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}});
      return false;
    };
  SetCapture(a);
  automation::Click(b, POINT{10, 20});
  automation::PumpUntilIdle();
  mark();
  ReleaseCapture();
  EXPECT_EQ(taken(), (Log{"a:CAPTURECHANGED"}));
  automation::AdvanceClock(1000);
  automation::Click(b, POINT{10, 20});
  automation::PumpUntilIdle();
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].first, "a");
  EXPECT_EQ(downs[0].second.x, 110);  // b's point in a's client coordinates
  EXPECT_EQ(downs[0].second.y, 20);
  EXPECT_EQ(downs[1].first, "b");
  SetCapture(b);
  DestroyWindow(b);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WndDispatch, DoubleClicksOnlyForClassesThatAskAndOnlyWhenQuick) {
  WNDCLASS wc{};
  wc.lpfnWndProc = CALLBACK_Log;
  wc.lpszClassName = "WtNoDbl";
  if (!GetClassInfo(nullptr, "WtNoDbl", nullptr)) RegisterClass(&wc);
  struct Case {
    const char* cls;
    DWORD pauseMs;
    Log secondClick;
  } cases[] = {
      {"WndTestLog", 100, {"w:LBUTTONDBLCLK", "w:LBUTTONUP"}},
      {"WndTestLog", 600, {"w:LBUTTONDOWN", "w:LBUTTONUP"}},
      {"WtNoDbl", 100, {"w:LBUTTONDOWN", "w:LBUTTONUP"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.cls) + " " + std::to_string(c.pauseMs));
    automation::ResetWindows();
    HWND x = top("X");
    HWND w = CreateWindowEx(0, c.cls, "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, x, nullptr, nullptr, nullptr);
    names()[w] = "w";
    automation::AdvanceClock(1000);
    automation::Click(w, POINT{5, 5});
    automation::PumpUntilIdle();
    automation::AdvanceClock(c.pauseMs);
    mark();
    automation::Click(w, POINT{6, 5});
    automation::PumpUntilIdle();
    Log buttons;
    for (const std::string& e : log())
      if (e.find("BUTTON") != std::string::npos) buttons.push_back(e);
    EXPECT_EQ(buttons, c.secondClick);
  }
}

}  // namespace
