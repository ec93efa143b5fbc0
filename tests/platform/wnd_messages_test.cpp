// Message order: focus and activation, re-entrant sends, posted versus sent,
// paint and timers after posted messages, timers by deadline, keys to
// characters, modal loops inside handlers, the pre-translation chain and
// exceptions thrown by handlers.
#include <algorithm>
#include <stdexcept>

#include "platform/base/Exceptions.h"
#include "platform/host/HeadlessHost.h"
#include "platform/dialogs/MessageBox.h"
#include "wnd_support.h"

using namespace wndtest;

namespace {

class WndMessages : public WindowTest {};

TEST_F(WndMessages, FocusChangeSendsKillBeforeSetAndActivatesTheNewTopLevelFirst) {
  HWND a = top("A");
  HWND a1 = child(a, "a1", RECT{0, 0, 50, 20});
  HWND a2 = child(a, "a2", RECT{0, 30, 50, 50});
  HWND b = top("B", RECT{500, 100, 700, 300}, WS_POPUP);
  HWND b1 = child(b, "b1", RECT{0, 0, 50, 20});
  ShowWindow(b, SW_SHOWNA);
  ASSERT_EQ(GetActiveWindow(), a);

  mark();
  SetFocus(a1);
  SetFocus(a2);
  EXPECT_EQ(taken(), (Log{"A:KILLFOCUS(a1)", "a1:SETFOCUS(A)", "a1:KILLFOCUS(a2)", "a2:SETFOCUS(a1)"}));

  SetFocus(b1);
  EXPECT_EQ(taken(), (Log{"A:NCACTIVATE(0)", "A:ACTIVATE(0)", "a2:KILLFOCUS(0)", "B:NCACTIVATE(1)", "B:ACTIVATE(1)",
                          "B:SETFOCUS(0)", "B:KILLFOCUS(b1)", "b1:SETFOCUS(B)"}));
  EXPECT_EQ(GetFocus(), b1);
  EXPECT_EQ(GetActiveWindow(), b);

  // A focused window that is hidden hands the focus to its parent; one that
  // is destroyed leaves no focus behind.
  ShowWindow(b1, SW_HIDE);
  EXPECT_EQ(GetFocus(), b);
  SetFocus(a1);
  DestroyWindow(a1);
  EXPECT_EQ(GetFocus(), nullptr);
}

// A dropped list (a tool pop-up without caption) takes the keyboard from
// its dialog without turning the dialog's caption inactive; the caption goes
// inactive once another window takes over from the list.
TEST_F(WndMessages, ADroppedListKeepsItsDialogsCaptionActive) {
  HWND d = top("D", RECT{100, 100, 400, 300}, WS_POPUP | WS_CAPTION | WS_VISIBLE);
  HWND d1 = child(d, "d1", RECT{0, 0, 50, 20});
  HWND b = top("B", RECT{500, 100, 700, 300}, WS_POPUP | WS_CAPTION);
  ShowWindow(b, SW_SHOWNA);
  for (bool owned : {true, false}) {
    SCOPED_TRACE(owned);
    SetFocus(d1);
    ASSERT_EQ(GetActiveWindow(), d);
    auto dropList = [&] {
      HWND list = top("L", RECT{120, 200, 220, 280}, WS_POPUP, WS_EX_TOOLWINDOW);
      if (owned) SetWindowLongPtr(list, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(d));
      ShowWindow(list, SW_SHOW);
      SetFocus(list);
      return list;
    };
    mark();
    HWND list = dropList();
    ASSERT_EQ(GetActiveWindow(), list);
    Log taken1 = taken();
    EXPECT_EQ(std::count(taken1.begin(), taken1.end(), "D:NCACTIVATE(0)"), 0) << "the dialog's caption stays active";
    EXPECT_EQ(std::count(taken1.begin(), taken1.end(), "D:ACTIVATE(0)"), 1) << "the dialog still hears it";
    DestroyWindow(list);
    EXPECT_EQ(GetActiveWindow(), d) << "the closed list hands the activation back";
    SetFocus(d1);

    list = dropList();
    mark();
    SetFocus(b);
    Log taken2 = taken();
    EXPECT_EQ(std::count(taken2.begin(), taken2.end(), "D:NCACTIVATE(0)"), 1) << "another window took over";
    DestroyWindow(list);
  }
}

TEST_F(WndMessages, SendIsSynchronousAndReentrant) {
  HWND x = top("X");
  HWND y = top("Y", RECT{0, 0, 50, 50}, WS_POPUP);
  reactions()[y] = [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) { return m == WM_USER + 2 ? (*r = 5, true) : false; };
  reactions()[x] = [y](HWND self, UINT m, WPARAM, LPARAM, LRESULT* r) {
    if (m == WM_USER + 1) {
      *r = SendMessage(y, WM_USER + 2, 0, 0) + SendMessage(self, WM_USER + 3, 0, 0);
      log().push_back("X:done1");
      return true;
    }
    if (m == WM_USER + 3) return *r = 7, true;
    return false;
  };
  mark();
  EXPECT_EQ(SendMessage(x, WM_USER + 1, 0, 0), 12);
  EXPECT_EQ(taken(), (Log{"X:USER+1", "Y:USER+2", "X:USER+3", "X:done1"}));
  // A message to a window that no longer exists does nothing.
  DestroyWindow(y);
  EXPECT_EQ(SendMessage(y, WM_USER + 2, 0, 0), 0);
  EXPECT_FALSE(PostMessage(y, WM_USER + 2, 0, 0));
}

TEST_F(WndMessages, PostedMessagesComeInOrderThenPaintThenTimers) {
  HWND x = top("X");
  HWND y = top("Y", RECT{0, 0, 50, 50});
  automation::PumpUntilIdle();
  mark();
  SetTimer(x, 9, 1, nullptr);
  InvalidateRect(x, nullptr, TRUE);
  PostMessage(x, WM_USER + 1, 0, 0);
  PostMessage(y, WM_USER + 2, 0, 0);
  PostMessage(x, WM_USER + 3, 0, 0);
  SendMessage(x, WM_USER + 4, 0, 0);
  platform::GetHeadlessHost()->Advance(5);
  automation::PumpUntilIdle();
  KillTimer(x, 9);
  EXPECT_EQ(taken(), (Log{"X:USER+4", "X:USER+1", "Y:USER+2", "X:USER+3", "X:PAINT", "X:ERASEBKGND", "X:TIMER(9)"}));
}

TEST_F(WndMessages, TimersFireByDeadlineAndALateTimerFiresOnce) {
  HWND x = top("X");
  automation::PumpUntilIdle();
  SetTimer(x, 1, 30, nullptr);
  SetTimer(x, 2, 10, nullptr);
  SetTimer(x, 3, 20, nullptr);
  mark();
  automation::AdvanceClock(30);
  EXPECT_EQ(taken(), (Log{"X:TIMER(2)", "X:TIMER(2)", "X:TIMER(3)", "X:TIMER(1)", "X:TIMER(2)"}));
  KillTimer(x, 2);
  KillTimer(x, 1);
  automation::AdvanceClock(20);
  EXPECT_EQ(taken(), (Log{"X:TIMER(3)"}));

  // The clock ran on while nobody pumped: one WM_TIMER, not one per period.
  platform::GetHeadlessHost()->Advance(1000);
  automation::PumpUntilIdle();
  EXPECT_EQ(taken(), (Log{"X:TIMER(3)"}));

  // A timer with a procedure calls it instead of the window.
  static int calls = 0;
  calls = 0;
  UINT_PTR id = SetTimer(nullptr, 0, 5, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
  EXPECT_NE(id, 0u);
  automation::AdvanceClock(12);
  EXPECT_EQ(calls, 2);
  KillTimer(nullptr, id);
}

TEST_F(WndMessages, KeysBecomeCharactersThroughTranslateMessage) {
  HWND x = top("X");
  SetFocus(x);
  std::vector<int> shiftAtKey;
  reactions()[x] = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
    if (m == WM_KEYDOWN && (w == 'A' || w == 'B')) shiftAtKey.push_back(GetKeyState(VK_SHIFT) < 0);
    return false;
  };
  automation::TypeText("aB1!\t");
  automation::TypeChar(0xE9);  // no key on the layout: arrives as a character
  automation::PressKey('C', false, true);  // Ctrl+C: control character 3
  mark();
  automation::PumpUntilIdle();
  Log chars;
  for (const std::string& e : taken())
    if (e.find("CHAR") != std::string::npos) chars.push_back(e);
  EXPECT_EQ(chars, (Log{"X:CHAR(97)", "X:CHAR(66)", "X:CHAR(49)", "X:CHAR(33)", "X:CHAR(9)", "X:CHAR(233)",
                        "X:CHAR(3)"}));
  EXPECT_EQ(shiftAtKey, (std::vector<int>{0, 1}));
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

struct ModalCase {
  const char* name;
  bool rule;       // the test states what the dialog does
  bool endsItself; // a posted message ends the loop before it runs dry
  int expected;
};

TEST_F(WndMessages, ModalLoopRunsInsideAHandlerAndEndsAsTheTestSays) {
  const ModalCase cases[] = {
      {"rule", true, false, IDOK},
      {"posted end", false, true, 7},
      {"responder", false, false, IDNO},
  };
  for (const ModalCase& c : cases) {
    SCOPED_TRACE(c.name);
    automation::ResetWindows();
    automation::ClearResponder();
    log().clear();
    HWND x = top("X");
    HWND d = top("Pick Account", RECT{0, 0, 100, 100}, WS_POPUP);
    CWnd loop;
    loop.Attach(d);
    reactions()[d] = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT*) {
      if (m == WM_USER + 5) loop.EndModalLoop(7);
      return false;
    };
    reactions()[x] = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT*) {
      if (m != WM_USER + 1) return false;
      if (c.endsItself) PostMessage(d, WM_USER + 5, 0, 0);
      int r = loop.RunModalLoop();
      log().push_back("result " + std::to_string(r));
      return true;
    };
    if (c.rule) {
      automation::OnDialog("Pick", [&](HWND dlg) {
        EXPECT_EQ(dlg, d);
        PostMessage(x, WM_USER + 2, 0, 0);
        automation::PumpUntilIdle();  // runs inside the modal loop
        PostMessage(x, WM_USER + 3, 0, 0);
        log().push_back("callback");
      }, IDOK);
    }
    if (!c.rule && !c.endsItself) automation::ExpectMessageBox("Pick", "", IDNO);
    PostMessage(x, WM_USER + 1, 0, 0);
    automation::PumpUntilIdle();
    Log got;
    for (const std::string& e : log())
      if (e.rfind("X:USER", 0) == 0 || e == "callback" || e.rfind("result", 0) == 0) got.push_back(e);
    std::string result = "result " + std::to_string(c.expected);
    if (c.rule)
      EXPECT_EQ(got, (Log{"X:USER+1", "X:USER+2", "callback", result, "X:USER+3"}));
    else
      EXPECT_EQ(got, (Log{"X:USER+1", result}));
    EXPECT_EQ(automation::ModalLog().size(), c.rule || c.endsItself ? 0u : 1u);
    loop.Detach();
  }
}

class EscapeEater : public CWnd {
 public:
  int eaten = 0;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) return ++eaten, TRUE;
    return FALSE;
  }
};

TEST_F(WndMessages, PreTranslateMessageOfAParentSeesKeysOfItsChildren) {
  EscapeEater parent;
  ASSERT_TRUE(parent.CreateEx(0, "WndTestLog", "P", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
  names()[parent.m_hWnd] = "P";
  HWND c = child(parent.m_hWnd, "c", RECT{0, 0, 50, 20});
  SetFocus(c);
  automation::PressKey(VK_ESCAPE);
  automation::PressKey('Q');
  mark();
  automation::PumpUntilIdle();
  Log keys;
  for (const std::string& e : taken())
    if (e.find("KEYDOWN") != std::string::npos) keys.push_back(e);
  EXPECT_EQ(keys, (Log{"c:KEYDOWN"}));
  EXPECT_EQ(parent.eaten, 1);
}

TEST_F(WndMessages, ExceptionsFromHandlersAreReportedAndTheProgramGoesOn) {
  HWND x = top("X");
  reactions()[x] = [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) -> bool {
    if (m == WM_USER + 1) AfxThrowNotSupportedException();
    if (m == WM_USER + 2) throw std::runtime_error("boom");
    if (m == WM_USER + 3) return *r = 42, true;
    return false;
  };
  automation::AlwaysAnswer("", "", IDOK);
  EXPECT_EQ(SendMessage(x, WM_USER + 1, 0, 0), 0);
  PostMessage(x, WM_USER + 2, 0, 0);
  automation::PumpUntilIdle();
  EXPECT_EQ(SendMessage(x, WM_USER + 3, 0, 0), 42);
  ASSERT_EQ(automation::ModalLog().size(), 2u);
  EXPECT_EQ(automation::ModalLog()[1].text, "boom");
  EXPECT_TRUE(IsWindow(x));
}

}  // namespace
