// The "msctls_updown32" control: two arrow buttons that step a position in a
// range (the classic default runs from 100 down to 0, so that Up lowers it).
// Each step asks the parent with UDN_DELTAPOS (nonzero refuses), then sends
// it WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with SB_THUMBPOSITION; with
// UDS_SETBUDDYINT the buddy window shows the position. A held button
// repeats. UDS_AUTOBUDDY takes the window made just before as the buddy,
// UDS_ALIGNRIGHT/LEFT sit at its edge, UDS_ARROWKEYS lets its arrow keys step.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/window/CtlDefs.h"
#include "platform/commctrl/CommCtrlImpl.h"

using namespace ctl;

namespace {

struct UpDown {
  HWND hwnd = nullptr;
  HWND buddy = nullptr;
  int lower = 100, upper = 0;
  int pos = 0;
  int base = 10;
  int pressed = -1;  // 0 the up (right) button, 1 the down (left) one
  bool pressedIn = false;
};

StateMap<UpDown> g_updowns;
// The buddies whose arrow keys step an up-down: buddy -> (up-down, its own procedure).
std::map<HWND, std::pair<HWND, WNDPROC>> g_buddyKeys;

constexpr UINT_PTR kRepeatTimer = 1;

bool horizontal(UpDown* u) { return (StyleOf(u->hwnd) & UDS_HORZ) != 0; }

// The two halves: 0 up (or right), 1 down (or left).
RECT half(UpDown* u, int which) {
  RECT c;
  GetClientRect(u->hwnd, &c);
  if (horizontal(u)) {
    int mid = (c.left + c.right) / 2;
    return which == 0 ? RECT{mid, c.top, c.right, c.bottom} : RECT{c.left, c.top, mid, c.bottom};
  }
  int mid = (c.top + c.bottom) / 2;
  return which == 0 ? RECT{c.left, c.top, c.right, mid} : RECT{c.left, mid, c.right, c.bottom};
}

std::string formatPos(UpDown* u) {
  char buf[40];
  if (u->base == 16) {
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(u->pos));
    return buf;
  }
  std::snprintf(buf, sizeof buf, "%d", std::abs(u->pos));
  std::string digits = buf, out;
  bool group = !(StyleOf(u->hwnd) & UDS_NOTHOUSANDS);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (group && i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return (u->pos < 0 ? "-" : "") + out;
}

void showInBuddy(UpDown* u) {
  if (u->buddy && IsWindow(u->buddy) && (StyleOf(u->hwnd) & UDS_SETBUDDYINT))
    SetWindowText(u->buddy, formatPos(u).c_str());
}

// The position the buddy shows, when it holds a number in the range.
bool readBuddy(UpDown* u, int* out) {
  if (!u->buddy || !IsWindow(u->buddy) || !(StyleOf(u->hwnd) & UDS_SETBUDDYINT)) return false;
  char text[64] = {};
  GetWindowText(u->buddy, text, sizeof text);
  std::string digits;
  for (const char* p = text; *p; ++p)
    if (*p != ',') digits += *p;
  char* end = nullptr;
  long v = std::strtol(digits.c_str(), &end, u->base == 16 ? 16 : 10);
  if (digits.empty() || *end) return false;
  int lo = std::min(u->lower, u->upper), hi = std::max(u->lower, u->upper);
  if (v < lo || v > hi) return false;
  *out = static_cast<int>(v);
  return true;
}

void step(UpDown* u, int which) {
  HWND self = u->hwnd;
  int v;
  if (readBuddy(u, &v)) u->pos = v;
  int dir = u->upper >= u->lower ? 1 : -1;
  int delta = which == 0 ? dir : -dir;
  NMUPDOWN n{};
  n.iPos = u->pos;
  n.iDelta = delta;
  if (SendNotify(self, &n.hdr, UDN_DELTAPOS) || !(u = g_updowns.Get(self))) return;
  int lo = std::min(u->lower, u->upper), hi = std::max(u->lower, u->upper);
  int next = u->pos + n.iDelta;
  if (next < lo) next = (StyleOf(self) & UDS_WRAP) ? hi : lo;
  if (next > hi) next = (StyleOf(self) & UDS_WRAP) ? lo : hi;
  u->pos = next;
  showInBuddy(u);
  if (HWND parent = GetParent(self))
    SendMessage(parent, horizontal(u) ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(next)),
                reinterpret_cast<LPARAM>(self));
}

LRESULT buddyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = g_buddyKeys.find(hwnd);
  if (it == g_buddyKeys.end()) return DefWindowProc(hwnd, msg, wParam, lParam);
  auto [updown, own] = it->second;
  if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN))
    if (UpDown* u = g_updowns.Get(updown)) {
      step(u, wParam == VK_UP ? 0 : 1);
      return 0;
    }
  if (msg == WM_NCDESTROY) g_buddyKeys.erase(hwnd);
  return CallWindowProc(own, hwnd, msg, wParam, lParam);
}

void releaseBuddyKeys(UpDown* u) {
  auto it = g_buddyKeys.find(u->buddy);
  if (it == g_buddyKeys.end() || it->second.first != u->hwnd) return;
  SetWindowLongPtr(u->buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.second));
  g_buddyKeys.erase(it);
}

// Sits at the buddy's edge, as high as the buddy, which gives up the room.
void align(UpDown* u) {
  DWORD st = StyleOf(u->hwnd);
  if (!u->buddy || !(st & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
  RECT b, self;
  GetWindowRect(u->buddy, &b);
  GetWindowRect(u->hwnd, &self);
  HWND parent = GetParent(u->hwnd);
  ScreenToClient(parent, reinterpret_cast<POINT*>(&b.left));
  ScreenToClient(parent, reinterpret_cast<POINT*>(&b.right));
  int w = self.right - self.left;
  if (w <= 0) w = GetSystemMetrics(SM_CXVSCROLL);
  int bw = std::max(0, static_cast<int>(b.right - b.left) - w);
  if (st & UDS_ALIGNRIGHT) {
    MoveWindow(u->buddy, b.left, b.top, bw, b.bottom - b.top, TRUE);
    MoveWindow(u->hwnd, b.left + bw, b.top, w, b.bottom - b.top, TRUE);
  } else {
    MoveWindow(u->buddy, b.left + w, b.top, bw, b.bottom - b.top, TRUE);
    MoveWindow(u->hwnd, b.left, b.top, w, b.bottom - b.top, TRUE);
  }
}

HWND setBuddy(UpDown* u, HWND buddy) {
  HWND old = u->buddy;
  releaseBuddyKeys(u);
  u->buddy = buddy;
  if (!buddy) return old;
  align(u);
  if ((StyleOf(u->hwnd) & UDS_ARROWKEYS) && !g_buddyKeys.count(buddy)) {
    auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtr(buddy, GWLP_WNDPROC));
    g_buddyKeys[buddy] = {u->hwnd, own};
    SetWindowLongPtr(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&buddyProc));
  }
  return old;
}

void paint(UpDown* u) {
  PaintScope ps(u->hwnd);
  if (!ps.dc) return;
  bool enabled = IsWindowEnabled(u->hwnd) != 0;
  for (int which = 0; which < 2; ++which) {
    RECT r = half(u, which);
    RECT inner = DrawButtonFace(ps.dc, r, u->pressed == which && u->pressedIn, false);
    int dir = horizontal(u) ? (which == 0 ? 3 : 2) : (which == 0 ? 0 : 1);
    DrawArrowGlyph(ps.dc, inner, dir, enabled);
  }
}

void buttonDown(UpDown* u, POINT p) {
  RECT up = half(u, 0);
  u->pressed = PtInRect(&up, p) ? 0 : 1;
  u->pressedIn = true;
  SetCapture(u->hwnd);
  InvalidateRect(u->hwnd, nullptr, FALSE);
  SetTimer(u->hwnd, kRepeatTimer, 500, nullptr);
  step(u, u->pressed);
}

void buttonUp(UpDown* u) {
  if (u->pressed < 0) return;
  u->pressed = -1;
  KillTimer(u->hwnd, kRepeatTimer);
  ReleaseCapture();
  InvalidateRect(u->hwnd, nullptr, FALSE);
}

void repeat(UpDown* u) {
  if (u->pressed < 0) return;
  SetTimer(u->hwnd, kRepeatTimer, 100, nullptr);
  if (u->pressedIn) step(u, u->pressed);
}

void mouseMove(UpDown* u, POINT p) {
  if (u->pressed < 0) return;
  RECT r = half(u, u->pressed);
  bool in = PtInRect(&r, p) != 0;
  if (in != u->pressedIn) u->pressedIn = in, InvalidateRect(u->hwnd, nullptr, FALSE);
}

void create(UpDown* u) {
  if (StyleOf(u->hwnd) & UDS_AUTOBUDDY) setBuddy(u, GetWindow(u->hwnd, GW_HWNDPREV));
}

LRESULT setRange(UpDown* u, int lower, int upper) {
  u->lower = lower;
  u->upper = upper;
  u->pos = std::clamp(u->pos, std::min(lower, upper), std::max(lower, upper));
  return 0;
}

LRESULT setPos(UpDown* u, int pos) {
  int old = u->pos;
  u->pos = std::clamp(pos, std::min(u->lower, u->upper), std::max(u->lower, u->upper));
  showInBuddy(u);
  return old;
}

LRESULT getPos(UpDown* u, bool wide, BOOL* error) {
  int v;
  bool ok = !(u->buddy && (StyleOf(u->hwnd) & UDS_SETBUDDYINT)) || readBuddy(u, &v);
  if (ok && u->buddy && (StyleOf(u->hwnd) & UDS_SETBUDDYINT)) u->pos = v;
  if (wide) {
    if (error) *error = !ok;
    return u->pos;
  }
  return MAKELONG(static_cast<WORD>(u->pos), ok ? 0 : 1);
}

LRESULT rangeMessage(UpDown* u, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) {
  switch (msg) {
    case UDM_SETRANGE: return setRange(u, static_cast<short>(HIWORD(lParam)), static_cast<short>(LOWORD(lParam)));
    case UDM_GETRANGE: return MAKELONG(static_cast<WORD>(u->upper), static_cast<WORD>(u->lower));
    case UDM_SETRANGE32: return setRange(u, static_cast<int>(wParam), static_cast<int>(lParam));
    case UDM_GETRANGE32:
      if (wParam) *reinterpret_cast<int*>(wParam) = u->lower;
      if (lParam) *reinterpret_cast<int*>(lParam) = u->upper;
      return 0;
    case UDM_SETPOS: return setPos(u, static_cast<short>(LOWORD(lParam)));
    case UDM_SETPOS32: return setPos(u, static_cast<int>(lParam));
    case UDM_GETPOS: return getPos(u, false, nullptr);
    case UDM_GETPOS32: return getPos(u, true, reinterpret_cast<BOOL*>(lParam));
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(setBuddy(u, reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(u->buddy);
    case UDM_SETBASE: {
      int old = u->base;
      if (wParam == 10 || wParam == 16) u->base = static_cast<int>(wParam);
      return old;
    }
    case UDM_GETBASE: return u->base;
    default: *handled = false; return 0;
  }
}

LRESULT updownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    g_updowns.Make(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  UpDown* u = g_updowns.Get(hwnd);
  if (!u) return DefWindowProc(hwnd, msg, wParam, lParam);
  bool handled = true;
  LRESULT r = rangeMessage(u, msg, wParam, lParam, &handled);
  if (handled) return r;
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_CREATE: create(u); return 0;
    case WM_DESTROY: releaseBuddyKeys(u); return 0;
    case WM_NCDESTROY: g_updowns.Drop(hwnd); return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(u); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: buttonDown(u, p); return 0;
    case WM_MOUSEMOVE: mouseMove(u, p); return 0;
    case WM_LBUTTONUP: buttonUp(u); return 0;
    case WM_CAPTURECHANGED: u->pressed = -1; KillTimer(hwnd, kRepeatTimer); return 0;
    case WM_TIMER: if (wParam == kRepeatTimer) repeat(u); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

WNDPROC UpDownWindowProc() { return &updownProc; }
