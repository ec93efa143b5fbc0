// Input: host events become queued keyboard and mouse messages; the key
// state, focus, activation, capture, cursors, system metrics and beeps.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "platform/host/Host.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowImpl.h"

using namespace wnd;

namespace {

// The generic shift keys follow their left/right variants (down while either
// is), keeping their own toggle bit.
void syncGenericKey(BYTE* keys, UINT vk) {
  static const UINT kSided[][3] = {
      {VK_LSHIFT, VK_RSHIFT, VK_SHIFT}, {VK_LCONTROL, VK_RCONTROL, VK_CONTROL}, {VK_LMENU, VK_RMENU, VK_MENU}};
  for (const auto& [a, b, g] : kSided)
    if (vk == a || vk == b) keys[g] = static_cast<BYTE>(((keys[a] | keys[b]) & 0x80) | (keys[g] & 1));
}

WPARAM mouseKeys(const BYTE* keys) {
  WPARAM mk = 0;
  if (keys[VK_LBUTTON] & 0x80) mk |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & 0x80) mk |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & 0x80) mk |= MK_MBUTTON;
  if (keys[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
  if (keys[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
  return mk;
}

void post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD time, POINT pt) {
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = time;
  m.pt = pt;
  S().queue.push_back(m);
}

void keyEvent(const platform::HostEvent& e, DWORD now) {
  State& s = S();
  UINT vk = e.key & 0xFF;
  bool down = e.kind == platform::HostEvent::KeyDown;
  bool wasDown = (s.asyncKeys[vk] & 0x80) != 0;
  if (down) {
    if (!wasDown) s.asyncKeys[vk] ^= 1;  // toggle state (caps lock and friends)
    s.asyncKeys[vk] |= 0x80;
  } else {
    s.asyncKeys[vk] &= ~0x80;
  }
  syncGenericKey(s.asyncKeys, vk);
  bool alt = (s.asyncKeys[VK_MENU] & 0x80) != 0;
  bool ctrl = (s.asyncKeys[VK_CONTROL] & 0x80) != 0;
  HWND target = Get(s.focus) ? s.focus : nullptr;
  bool sys = (alt && !ctrl) || vk == VK_F10 || (!down && vk == VK_MENU);
  if (!target) {
    target = Get(s.active);
    sys = true;
  }
  if (!target) return;
  LPARAM lp = 1 | (static_cast<LPARAM>(e.ch) << 16);
  if (e.extended) lp |= 1L << 24;
  if (alt) lp |= 1L << 29;
  if (down ? wasDown : true) lp |= 1L << 30;
  if (!down) lp |= static_cast<LPARAM>(1UL << 31);
  UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  post(target, msg, vk, lp, now, s.cursorPos);
}

void charEvent(const platform::HostEvent& e, DWORD now) {
  State& s = S();
  HWND target = Get(s.focus) ? s.focus : Get(s.active);
  if (!target || e.ch == 0) return;
  post(target, WM_CHAR, e.ch, 1, now, s.cursorPos);
}

void mouseEvent(const platform::HostEvent& e, DWORD now) {
  State& s = S();
  HWND top = TopLevelOfNative(e.window);
  if (!top) return;
  POINT screen{top->rect.left + e.x, top->rect.top + e.y};
  s.cursorPos = screen;
  using K = platform::HostEvent;
  static const UINT vkOf[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
  static const UINT downMsg[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  int button = std::clamp(e.button, 0, 2);
  if (e.kind == K::ButtonDown) s.asyncKeys[vkOf[button]] |= 0x80;
  if (e.kind == K::ButtonUp) s.asyncKeys[vkOf[button]] &= ~0x80;

  if (e.kind == K::Wheel) {
    HWND target = Get(s.focus) ? s.focus : Get(s.active);
    if (!target) return;
    post(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(mouseKeys(s.asyncKeys)), static_cast<WORD>(e.delta)),
         MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)), now, screen);
    return;
  }

  HWND target;
  LRESULT hit = HTCLIENT;
  UINT base = e.kind == K::MouseMove ? WM_MOUSEMOVE
              : e.kind == K::ButtonDown ? downMsg[button]
                                        : downMsg[button] + 1;
  if (Get(s.capture)) {
    target = s.capture;
  } else {
    // A window disabled as a whole (the owner of a modal dialog) gets no mouse input.
    if (!IsWindowEnabled(top)) return;
    target = RouteMouse(top, screen, &hit);
    if (!target) return;
    if (e.kind == K::ButtonDown) {
      HWND root = Root(target);
      if (root != s.active || !IsTop(target)) {
        LRESULT ma = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root),
                                 MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(base)));
        if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT || ma == 0) && root != s.active && Get(root)) {
          Activate(root, WA_CLICKACTIVE);
        }
        if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) return;
      }
    }
    if (!Get(target)) return;
    if (e.kind != K::ButtonUp)
      SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                  MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(base)));
    if (!Get(target)) return;
  }
  UINT msg = base;
  if (e.kind == K::ButtonDown) {
    // A second press close in time and place is a double click for
    // classes that ask for them.
    DWORD dt = now - s.lastDownTime;
    bool dbl = s.lastDownWnd == target && s.lastDownMsg == base && dt <= GetDoubleClickTime() &&
               std::abs(screen.x - s.lastDownPt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(screen.y - s.lastDownPt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (dbl && (target->classStyle & CS_DBLCLKS)) {
      msg = base + 2;
      s.lastDownWnd = nullptr;
    } else {
      s.lastDownWnd = target;
      s.lastDownMsg = base;
      s.lastDownTime = now;
      s.lastDownPt = screen;
    }
  }
  s.lastMouseWnd = target;
  if (hit == HTCLIENT) {
    POINT c = screen;
    ScreenToClient(target, &c);
    post(target, msg, mouseKeys(s.asyncKeys), MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)), now, screen);
  } else {
    post(target, msg - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(hit),
         MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)), now, screen);
  }
}

}  // namespace

namespace wnd {

bool PumpHostEvent(int timeoutMs) {
  platform::Host& host = platform::GetHost();
  platform::HostEvent e;
  if (!host.WaitEvent(e, timeoutMs)) return false;
  DWORD now = host.Now();
  using K = platform::HostEvent;
  switch (e.kind) {
    case K::KeyDown:
    case K::KeyUp: keyEvent(e, now); break;
    case K::Char: charEvent(e, now); break;
    case K::MouseMove:
    case K::ButtonDown:
    case K::ButtonUp:
    case K::Wheel: mouseEvent(e, now); break;
    case K::CloseRequest:
      if (HWND top = TopLevelOfNative(e.window)) PostMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case K::Moved:
      if (HWND top = TopLevelOfNative(e.window))
        SetWindowPos(top, nullptr, e.x, e.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case K::Resized:
      if (HWND top = TopLevelOfNative(e.window)) {
        // A framed window's limits hold however the host sized it; a size
        // outside them is sent back to the host. A pop-up without a frame
        // (a dropped list, a tip; a thin border is no frame) is sized to its
        // contents and has none.
        SIZE limited{e.width, e.height};
        if (top->style & (WS_DLGFRAME | WS_THICKFRAME)) limited = ClampTrackSize(top, e.width, e.height);
        if (!Get(top)) break;
        SetWindowPos(top, nullptr, 0, 0, limited.cx, limited.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (Get(top) && (limited.cx != e.width || limited.cy != e.height))
          host.MoveNativeWindow(top->native, top->rect.left, top->rect.top, top->rect.right - top->rect.left,
                                top->rect.bottom - top->rect.top);
      }
      break;
    case K::FocusIn:
      if (HWND top = TopLevelOfNative(e.window))
        if (IsWindowEnabled(top)) SetActiveWindow(top);
      break;
    case K::Expose:
      if (HWND top = TopLevelOfNative(e.window))
        MarkDirty(top, RECT{0, 0, top->rect.right - top->rect.left, top->rect.bottom - top->rect.top});
      break;
    case K::Quit: PostQuitMessage(0); break;
    default: break;
  }
  return true;
}

void UpdateKeyState(const MSG& m) {
  State& s = S();
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN || m.message == WM_KEYUP || m.message == WM_SYSKEYUP) {
    UINT vk = static_cast<UINT>(m.wParam) & 0xFF;
    bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
    bool was = (s.keys[vk] & 0x80) != 0;
    if (down && vk == VK_MENU) {
      if (!was) s.altAlone = true;
    } else if (down) {
      s.altAlone = false;
    }
    if (down) {
      if (!was) s.keys[vk] ^= 1;
      s.keys[vk] |= 0x80;
    } else {
      s.keys[vk] &= ~0x80;
    }
    syncGenericKey(s.keys, vk);
  } else if (m.message >= WM_MOUSEFIRST && m.message <= WM_MBUTTONDBLCLK) {
    if (m.message != WM_MOUSEMOVE) s.altAlone = false;
    WPARAM mk = m.wParam;
    auto set = [&](int vk, bool on) { s.keys[vk] = static_cast<BYTE>((on ? 0x80 : 0) | (s.keys[vk] & 1)); };
    set(VK_LBUTTON, mk & MK_LBUTTON);
    set(VK_RBUTTON, mk & MK_RBUTTON);
    set(VK_MBUTTON, mk & MK_MBUTTON);
  }
}

}  // namespace wnd

SHORT GetKeyState(int vk) {
  BYTE k = S().keys[vk & 0xFF];
  return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 1));
}

SHORT GetAsyncKeyState(int vk) {
  BYTE k = S().asyncKeys[vk & 0xFF];
  return static_cast<SHORT>((k & 0x80) ? 0x8000 : 0);
}

BOOL GetKeyboardState(BYTE* keys) {
  if (!keys) return FALSE;
  std::copy(std::begin(S().keys), std::end(S().keys), keys);
  return TRUE;
}

// ---- Focus and activation --------------------------------------------------

HWND GetFocus() { return Get(S().focus); }
HWND GetActiveWindow() { return Get(S().active); }
HWND GetForegroundWindow() { return Get(S().active); }
BOOL SetForegroundWindow(HWND hwnd) { return SetActiveWindow(Root(hwnd)) != nullptr || GetActiveWindow() == Root(hwnd); }

// Order of messages when the active window changes: the old window gets
// WM_NCACTIVATE(FALSE) and WM_ACTIVATE(WA_INACTIVE), the focus inside it
// WM_KILLFOCUS; then the new window WM_NCACTIVATE(TRUE) and
// WM_ACTIVATE(WA_ACTIVE), whose default processing gives it the focus.
namespace wnd {
HWND Activate(HWND hwnd, WORD how) {
  State& s = S();
  WindowImpl* w = Get(hwnd);
  HWND old = Get(s.active);
  if (hwnd && !w) return nullptr;
  if (w) w = Root(w);
  if (w == old) return old;
  // A menu or dropped list serves its window: that window keeps its active
  // caption while the list has the keyboard, and loses it once a third
  // window takes over from the list.
  HWND servedByOld = ServedBy(old);
  if (w) w->activatedFrom = servedByOld ? servedByOld : old;
  HWND servedByNew = ServedBy(w);  // after activatedFrom, which it may read
  if (old) {
    if (servedByOld && servedByOld != w && servedByNew != servedByOld && Get(servedByOld))
      SendMessage(servedByOld, WM_NCACTIVATE, FALSE, 0);
    if (w == nullptr || servedByNew != old) SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, old->minimized ? 1 : 0), reinterpret_cast<LPARAM>(w));
    HWND f = Get(s.focus);
    if (f && (f == old || IsChild(old, f))) {
      s.focus = nullptr;
      SendMessage(f, WM_KILLFOCUS, 0, 0);
    }
  }
  s.active = w;
  if (w && Get(w)) {
    RaiseTopLevel(w);
    SendMessage(w, WM_NCACTIVATE, TRUE, 0);
    if (Get(w)) SendMessage(w, WM_ACTIVATE, MAKEWPARAM(how, w->minimized ? 1 : 0), reinterpret_cast<LPARAM>(old));
  }
  return old;
}
}  // namespace wnd

HWND SetActiveWindow(HWND hwnd) { return Activate(hwnd, WA_ACTIVE); }

// WM_KILLFOCUS goes to the old window (wParam: the new one) before
// WM_SETFOCUS goes to the new one (wParam: the old one). A window of an
// inactive top-level window activates it first.
HWND SetFocus(HWND hwnd) {
  State& s = S();
  HWND old = Get(s.focus);
  if (!hwnd) {
    if (old) {
      s.focus = nullptr;
      SendMessage(old, WM_KILLFOCUS, 0, 0);
    }
    return old;
  }
  WindowImpl* w = Get(hwnd);
  if (!w || w->destroying) return nullptr;
  if (w == old) return old;
  HWND root = Root(w);
  if (root != Get(s.active)) {
    SetActiveWindow(root);
    if (!Get(w)) return nullptr;
    old = Get(s.focus);
    if (old == w) return old;
  }
  s.focus = w;
  // Each window holding it remembers where its keyboard was as the focus
  // moves, so that it can give it back after a modal window over it or
  // when a hidden page comes back, however the focus left (disabling the
  // window, say, takes the focus before it is deactivated).
  for (HWND p = w->parent; p; p = p->parent) p->lastFocus = w;
  if (old) SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(w), 0);
  // The old window's handler may have moved the focus elsewhere already.
  if (Get(w) && s.focus == w) SendMessage(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

// ---- Capture ---------------------------------------------------------------

HWND SetCapture(HWND hwnd) {
  State& s = S();
  HWND old = Get(s.capture);
  if (!Get(hwnd)) return old;
  s.capture = hwnd;
  platform::GetHost().CaptureMouse(true);
  if (old && old != hwnd) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  State& s = S();
  HWND old = Get(s.capture);
  s.capture = nullptr;
  platform::GetHost().CaptureMouse(false);
  if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return Get(S().capture); }

// ---- Cursors ---------------------------------------------------------------

namespace {
struct StockCursor {
  WORD id;
  platform::CursorShape shape;
};
const StockCursor kCursors[] = {
    {32512, platform::CursorShape::Arrow},    {32513, platform::CursorShape::IBeam},
    {32514, platform::CursorShape::Wait},     {32515, platform::CursorShape::Cross},
    {32516, platform::CursorShape::UpArrow},  {32642, platform::CursorShape::SizeNWSE},
    {32643, platform::CursorShape::SizeNESW}, {32644, platform::CursorShape::SizeWE},
    {32645, platform::CursorShape::SizeNS},   {32646, platform::CursorShape::SizeAll},
    {32648, platform::CursorShape::No},       {32649, platform::CursorShape::Hand},
    {32650, platform::CursorShape::AppStarting},
};
}  // namespace

// Stock cursors are handles 1..13 (index + 1); others are not known.
HCURSOR LoadCursor(HINSTANCE, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  WORD id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name));
  for (size_t i = 0; i < std::size(kCursors); ++i)
    if (kCursors[i].id == id) return reinterpret_cast<HCURSOR>(i + 1);
  return nullptr;
}

HICON LoadIcon(HINSTANCE, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0x100 + reinterpret_cast<std::uintptr_t>(name) % 0x100));
}

HCURSOR SetCursor(HCURSOR cursor) {
  State& s = S();
  HCURSOR old = s.cursor;
  s.cursor = cursor;
  auto i = reinterpret_cast<std::uintptr_t>(cursor);
  if (i >= 1 && i <= std::size(kCursors)) platform::GetHost().SetCursor(kCursors[i - 1].shape);
  return old;
}

HCURSOR GetCursor() { return S().cursor; }

BOOL GetCursorPos(LPPOINT pt) {
  if (!pt) return FALSE;
  *pt = S().cursorPos;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  S().cursorPos = POINT{x, y};
  return TRUE;
}

int ShowCursor(BOOL show) { return show ? ++S().cursorShow : --S().cursorShow; }

// ---- System ----------------------------------------------------------------

int GetSystemMetrics(int index) {
  platform::Host& host = platform::GetHost();
  int w = host.ScreenWidth(), h = host.ScreenHeight();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN: return w;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return h;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 15;
    case SM_CYMENU: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXFULLSCREEN: return w;
    case SM_CYFULLSCREEN: return h - 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXMAXIMIZED: return w + 8;
    case SM_CYMAXIMIZED: return h + 8;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_CMONITORS: return 1;
    case SM_DBCSENABLED:
    case SM_MENUDROPALIGNMENT:
    default: return 0;
  }
}

BOOL SystemParametersInfo(UINT action, UINT, LPVOID pv, UINT) {
  switch (action) {
    case SPI_GETWORKAREA:
      if (!pv) return FALSE;
      *static_cast<RECT*>(pv) = RECT{0, 0, platform::GetHost().ScreenWidth(), platform::GetHost().ScreenHeight()};
      return TRUE;
    case SPI_GETWHEELSCROLLLINES:
      if (!pv) return FALSE;
      *static_cast<UINT*>(pv) = 3;
      return TRUE;
    default: return FALSE;
  }
}

UINT GetDoubleClickTime() { return 500; }

BOOL SetSysColors(int count, const int* indices, const COLORREF* colors) {
  if (!platform::SetSysColorTable(count, indices, colors)) return FALSE;
  for (HWND top : wnd::TopLevelOrder()) SendMessage(top, WM_SYSCOLORCHANGE, 0, 0);
  InvalidateRect(nullptr, nullptr, TRUE);
  return TRUE;
}

BOOL MessageBeep(UINT type) {
  platform::GetHost().Beep(type);
  return TRUE;
}

void Beep(DWORD, DWORD) { platform::GetHost().Beep(0xFFFFFFFFu); }
