// The window layer's frame serving every window: caption text and close box,
// the menu bar and its keys from whichever window has the focus, size limits
// under any sizing, the native window's kind for the host; CWnd's dialog-item
// members on any parent; group boxes that leave their interior alone.
#include <string>

#include "platform/controls/CtlControls.h"
#include "platform/host/HeadlessHost.h"
#include "platform/menus/Menu.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/WindowImpl.h"
#include "res/resource.h"
#include "wnd_support.h"

using namespace wndtest;

namespace {

class WndIntegration2 : public WindowTest {
 protected:
  static void pump() { automation::PumpUntilIdle(); }
  // Pixels of one colour in a rectangle of client coordinates.
  static int count(HWND h, RECT r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += automation::PixelAt(h, x, y) == c;
    return n;
  }
  // Pixels dark enough to be text drawn in black (smoothed edges included).
  static int dark(HWND h, RECT r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        COLORREF c = automation::PixelAt(h, x, y);
        n += GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60;
      }
    return n;
  }
  // A rectangle in window coordinates as client coordinates.
  static RECT toClient(HWND h, RECT r) {
    RECT wr;
    GetWindowRect(h, &wr);
    POINT o{0, 0};
    ClientToScreen(h, &o);
    OffsetRect(&r, wr.left - o.x, wr.top - o.y);
    return r;
  }
};

TEST_F(WndIntegration2, EveryCaptionedWindowShowsItsCaptionAndCloseBox) {
  struct {
    const char* what;
    DWORD style;
    const char* text;
    bool box;
  } cases[] = {
      {"an overlapped window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, "Title", true},
      {"a sizable pop-up", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, "Title", true},
      {"no system menu: no box", WS_POPUP | WS_CAPTION, "Title", false},
      {"no text", WS_POPUP | WS_CAPTION | WS_SYSMENU, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND h = top(c.text, RECT{50, 50, 250, 150}, c.style | WS_VISIBLE);
    pump();
    RECT cap = toClient(h, wnd::CaptionRect(h));
    ASSERT_FALSE(IsRectEmpty(&cap));
    // The caption starts where the frame ends, right above the client area.
    EXPECT_EQ(cap.bottom + 1, 0);
    COLORREF textColor = GetSysColor(GetActiveWindow() == h ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    RECT textArea{cap.left, cap.top, cap.left + 60, cap.bottom};
    EXPECT_EQ(count(h, textArea, textColor) > 0, *c.text != 0);
    RECT box = toClient(h, wnd::CloseBoxRect(h));
    EXPECT_EQ(!IsRectEmpty(&box), c.box);
    if (!c.box) {
      DestroyWindow(h);
      continue;
    }
    EXPECT_EQ(automation::PixelAt(h, box.left + 2, box.top + 2), GetSysColor(COLOR_BTNFACE));
    POINT mid{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    POINT screen = mid;
    ClientToScreen(h, &screen);
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTCLOSE);
    automation::Click(h, mid);
    pump();
    EXPECT_FALSE(IsWindow(h));
  }
}

LRESULT CommandLogProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) log().push_back("COMMAND(" + std::to_string(LOWORD(w)) + ")");
  return DefWindowProc(h, m, w, l);
}

TEST_F(WndIntegration2, TheMenuBarWorksFromTheFocusedChildWithoutAnyHelpFromTheFrame) {
  WNDCLASS wc{};
  wc.lpfnWndProc = CommandLogProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "Integration2Frame";
  RegisterClass(&wc);
  HWND frame = CreateWindowEx(0, "Integration2Frame", "Frame", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40,
                              40, 400, 300, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 150, 20, frame, nullptr,
                             nullptr, nullptr);
  HMENU bar = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_GALLERY));
  ASSERT_NE(bar, nullptr);
  LONG_PTR proc = GetWindowLongPtr(frame, GWLP_WNDPROC);
  ASSERT_TRUE(SetMenu(frame, bar));
  EXPECT_EQ(GetWindowLongPtr(frame, GWLP_WNDPROC), proc);  // nothing put in front of the window's procedure
  SetFocus(edit);
  pump();
  // The bar is drawn in the frame: its first item's text is there.
  RECT barArea{0, -GetSystemMetrics(SM_CYMENU), 40, 0};
  EXPECT_GT(count(frame, barArea, GetSysColor(COLOR_MENUTEXT)), 0);

  struct {
    const char* what;
    std::vector<std::pair<UINT, bool>> keys;  // key, with Alt
    UINT command;
  } cases[] = {
      {"Alt+F and an item's key", {{'F', true}, {'X', false}}, ID_GAL_FILE_EXIT},
      {"Alt+V selects the first item for Enter", {{'V', true}, {VK_RETURN, false}}, ID_GAL_VIEW_CHECKED},
      {"F10, Enter, Up, Enter", {{VK_F10, false}, {VK_RETURN, false}, {VK_UP, false}, {VK_RETURN, false}},
       ID_GAL_FILE_EXIT},
      {"Alt alone, Right, Down, Enter", {{VK_MENU, false}, {VK_RIGHT, false}, {VK_DOWN, false}, {VK_RETURN, false}},
       ID_GAL_VIEW_CHECKED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    mark();
    for (auto [k, alt] : c.keys) automation::PressKey(k, false, false, alt);
    pump();
    EXPECT_EQ(taken(), (Log{"COMMAND(" + std::to_string(c.command) + ")"}));
    EXPECT_EQ(GetFocus(), edit);
  }
  // Alt used as a modifier opens nothing when it is let go; the edit typed nothing either.
  mark();
  automation::PressKey('Q', false, false, true);
  pump();
  EXPECT_EQ(automation::FindByClass("#32768"), nullptr);
  EXPECT_TRUE(taken().empty());

  // A press on the bar opens the item under it; the test answers the menu.
  automation::ExpectMessageBox("Frame", "E&xit", ID_GAL_FILE_EXIT);
  mark();
  automation::Click(frame, POINT{8, -GetSystemMetrics(SM_CYMENU) / 2});
  pump();
  EXPECT_EQ(taken(), (Log{"COMMAND(" + std::to_string(ID_GAL_FILE_EXIT) + ")"}));

  // The bar goes with its window.
  DestroyWindow(frame);
  EXPECT_FALSE(IsMenu(bar));
  UnregisterClass("Integration2Frame", nullptr);
}

int g_minMaxAsked = 0;
LRESULT LimitedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_GETMINMAXINFO) {
    ++g_minMaxAsked;
    auto* mmi = reinterpret_cast<MINMAXINFO*>(l);
    mmi->ptMinTrackSize = POINT{200, 150};
    mmi->ptMaxTrackSize = POINT{600, 400};
    return 0;  // without the default: the layer's defaults are filled in before
  }
  return DefWindowProc(h, m, w, l);
}

TEST_F(WndIntegration2, SizeLimitsHoldForTheHostAndForSizableFrames) {
  WNDCLASS wc{};
  wc.lpfnWndProc = LimitedProc;
  wc.lpszClassName = "Integration2Limited";
  RegisterClass(&wc);
  platform::HeadlessHost* host = platform::GetHeadlessHost();
  ASSERT_NE(host, nullptr);
  constexpr DWORD kSizable = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE;
  constexpr DWORD kFixed = WS_POPUP | WS_CAPTION | WS_VISIBLE;
  constexpr DWORD kBare = WS_POPUP | WS_VISIBLE;  // a dropped list, a tip
  enum How { Host, SetPos, Move };
  struct {
    const char* what;
    DWORD style;
    How how;
    SIZE asked, got;
  } cases[] = {
      {"the host makes it too small", kSizable, Host, {100, 100}, {200, 150}},
      {"the host makes it too big", kSizable, Host, {900, 900}, {600, 400}},
      {"the host sizes it within the limits", kSizable, Host, {300, 200}, {300, 200}},
      {"the host sizes a fixed frame too", kFixed, Host, {100, 100}, {200, 150}},
      {"a pop-up without a frame keeps the size the host reports", kBare, Host, {100, 19}, {100, 19}},
      {"SetWindowPos on a sizable frame", kSizable, SetPos, {50, 50}, {200, 150}},
      {"MoveWindow on a sizable frame", kSizable, Move, {1000, 50}, {600, 150}},
      {"MoveWindow on a fixed frame: the program's size", kFixed, Move, {50, 50}, {50, 50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND h = CreateWindowEx(0, "Integration2Limited", "Limited", c.style, 10, 10, 300, 200, nullptr, nullptr, nullptr,
                            nullptr);
    pump();
    g_minMaxAsked = 0;
    if (c.how == Host) {
      platform::HostEvent e;
      e.kind = platform::HostEvent::Resized;
      e.window = wnd::Get(h)->native;
      e.width = c.asked.cx;
      e.height = c.asked.cy;
      host->Inject(e);
      pump();
    } else if (c.how == SetPos) {
      SetWindowPos(h, nullptr, 0, 0, c.asked.cx, c.asked.cy, SWP_NOMOVE | SWP_NOZORDER);
    } else {
      MoveWindow(h, 10, 10, c.asked.cx, c.asked.cy, TRUE);
    }
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, c.got.cx);
    EXPECT_EQ(r.bottom - r.top, c.got.cy);
    EXPECT_EQ(g_minMaxAsked > 0, c.style == kSizable || (c.how == Host && c.style != kBare));
    // The native window has the size the window layer kept.
    const auto* native = host->State(wnd::Get(h)->native);
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->width, c.got.cx);
    EXPECT_EQ(native->height, c.got.cy);
    DestroyWindow(h);
  }
  UnregisterClass("Integration2Limited", nullptr);
}

platform::NativeKind kindOf(HWND h) {
  const auto* s = platform::GetHeadlessHost()->State(wnd::Get(h)->native);
  return s ? s->kind : platform::NativeKind::Normal;
}

platform::NativeKind g_menuKind = platform::NativeKind::Normal;

TEST_F(WndIntegration2, TheHostLearnsWhatKindOfWindowItShows) {
  using K = platform::NativeKind;
  HWND owner = top("Owner", RECT{0, 0, 300, 200}, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
  struct {
    const char* what;
    DWORD style, ex;
    K kind;
  } cases[] = {
      {"an overlapped window", WS_OVERLAPPED | WS_CAPTION, 0, K::Normal},
      {"a pop-up with a caption", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, K::Dialog},
      {"a captionless pop-up (a splash)", WS_POPUP | WS_BORDER, 0, K::Dialog},
      {"a tool pop-up without caption (a tip)", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, K::Transient},
  };
  for (const auto& c : cases) {
    HWND h = CreateWindowEx(c.ex, "WndTestLog", "x", c.style, 10, 10, 100, 80, owner, nullptr, nullptr, nullptr);
    EXPECT_EQ(kindOf(h), c.kind) << c.what;
    DestroyWindow(h);
  }
  // A dialog, a menu and a dropped list as their code makes them.
  HWND combo = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10, 100, 80, owner,
                              nullptr, nullptr, nullptr);
  EXPECT_EQ(kindOf(automation::FindByClass(WC_COMBOLBOX)), K::Transient);
  DestroyWindow(combo);
  HMENU m = CreatePopupMenu();
  AppendMenu(m, MF_STRING, 7, "Item");
  automation::SetResponder([](const automation::ModalInfo& info) {
    HWND popup = automation::FindByClass("#32768");
    if (info.kind == "menu" && popup) g_menuKind = kindOf(popup);
    return 7;
  });
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 20, 20, 0, owner, nullptr), 7);
  EXPECT_EQ(g_menuKind, K::Transient);
  DestroyMenu(m);
  HWND dialog = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_GALLERY_CONTROLS), owner, nullptr, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(kindOf(dialog), K::Dialog);
  DestroyWindow(dialog);
}

TEST_F(WndIntegration2, AnyParentWindowHasTheDialogItemMembers) {
  HWND p = top("P", RECT{0, 0, 300, 200});
  auto make = [&](const char* cls, const char* text, DWORD style, int id, int y) {
    return CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 120, 16, p,
                          reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
  };
  HWND edit = make(WC_EDIT, "", WS_TABSTOP, 10, 10);
  HWND r1 = make(WC_BUTTON, "One", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 1, 30);
  HWND r2 = make(WC_BUTTON, "Two", BS_AUTORADIOBUTTON, 2, 50);
  make(WC_BUTTON, "Three", BS_AUTORADIOBUTTON, 3, 70);
  make(WC_BUTTON, "Check", BS_AUTO3STATE | WS_GROUP | WS_TABSTOP, 4, 90);
  CWnd* w = CWnd::FromHandle(p);

  w->CheckRadioButton(1, 3, 2);
  EXPECT_EQ(w->GetCheckedRadioButton(1, 3), 2);
  EXPECT_EQ(w->IsDlgButtonChecked(1), static_cast<UINT>(BST_UNCHECKED));
  w->CheckDlgButton(4, BST_INDETERMINATE);
  EXPECT_EQ(w->IsDlgButtonChecked(4), static_cast<UINT>(BST_INDETERMINATE));

  w->SetDlgItemInt(10, static_cast<UINT>(-42));
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(w->GetDlgItemInt(10, &ok)), -42);
  EXPECT_TRUE(ok);
  CString text;
  EXPECT_EQ(w->GetDlgItemText(10, text), 3);
  EXPECT_STREQ(static_cast<LPCTSTR>(text), "-42");
  w->SetDlgItemText(10, "abc");
  w->GetDlgItemInt(10, &ok);
  EXPECT_FALSE(ok);
  char buf[8];
  EXPECT_EQ(w->GetDlgItemText(10, buf, sizeof buf), 3);
  EXPECT_EQ(w->SendDlgItemMessage(10, WM_GETTEXTLENGTH), 3);

  ASSERT_NE(w->GetNextDlgTabItem(nullptr), nullptr);
  EXPECT_EQ(w->GetNextDlgTabItem(nullptr)->m_hWnd, edit);
  EXPECT_EQ(w->GetNextDlgGroupItem(CWnd::FromHandle(r1))->m_hWnd, r2);
}

TEST_F(WndIntegration2, AGroupBoxLeavesItsInteriorToTheParentAndTheControlsInside) {
  HWND p = top("P", RECT{0, 0, 300, 200});  // white background
  // The natural order: the frame first (so on top), then what it surrounds.
  HWND group = CreateWindowEx(0, WC_BUTTON, "A long frame caption", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 200,
                              120, p, nullptr, nullptr, nullptr);
  HWND button = CreateWindowEx(0, WC_BUTTON, "Inside", WS_CHILD | WS_VISIBLE, 30, 40, 80, 24, p, nullptr, nullptr,
                               nullptr);
  pump();
  EXPECT_GT(dark(button, RECT{3, 3, 77, 21}), 0);                           // the button's text shows
  EXPECT_EQ(automation::PixelAt(p, 150, 100), GetSysColor(COLOR_WINDOW));  // the parent's background inside
  RECT band{30, 0, 190, 14};                                                // the caption, in the group box
  EXPECT_GT(dark(group, band), 0);
  // A shorter caption leaves nothing of the longer one.
  SetWindowText(group, "F");
  pump();
  EXPECT_EQ(dark(group, band), 0);
  EXPECT_GT(dark(button, RECT{3, 3, 77, 21}), 0);
}

TEST_F(WndIntegration2, AComboBoxHandsItsScrollBarStyleToItsList) {
  HWND p = top("P", RECT{0, 0, 300, 200});
  for (DWORD kind : {CBS_DROPDOWNLIST, CBS_DROPDOWN, CBS_SIMPLE}) {
    SCOPED_TRACE(kind);
    HWND combo = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | kind, 10, 10, 120, 100, p,
                                nullptr, nullptr, nullptr);
    for (int i = 0; i < 30; ++i) SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
    RECT wr, cr;
    GetWindowRect(combo, &wr);
    GetClientRect(combo, &cr);
    EXPECT_EQ(cr.right, wr.right - wr.left);  // no room taken for a bar of its own
    HWND list = automation::FindByClass(kind == CBS_SIMPLE ? WC_LISTBOX : WC_COMBOLBOX, kind == CBS_SIMPLE ? combo
                                                                                                           : nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL, 0);
    DestroyWindow(combo);
  }
}

}  // namespace
