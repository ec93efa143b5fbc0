// Scroll bars: the "ScrollBar" control (SB_CTL) and the standard bars in the
// frame of any window with WS_HSCROLL/WS_VSCROLL, with 32-bit ranges.
//
// A press on an arrow or the page area sends its SB_ code at once and again
// by a timer while the button stays down over it; dragging the thumb sends
// SB_THUMBTRACK, and the release SB_THUMBPOSITION (thumb) and SB_ENDSCROLL.
// The control tracks through its own mouse messages under capture; a window
// bar tracks in a loop of its own, as the window's handlers must not see the
// mouse meanwhile.
#include <algorithm>
#include <cstdint>

#include "platform/controls/CtlCommon.h"
#include "platform/host/Host.h"
#include "platform/window/Dispatch.h"

using namespace ctl;

namespace {

constexpr UINT_PTR kRepeatTimer = 0xFFF0;
constexpr UINT kFirstDelay = 400, kRepeatDelay = 50;

// ---- Geometry --------------------------------------------------------------

struct Parts {
  RECT arrow1, track, thumb, arrow2;
  int trackStart = 0, trackLen = 0, thumbLen = 0;
};

int maxPos(const BarState& b) { return b.page ? std::max(b.min, b.max - static_cast<int>(b.page) + 1) : b.max; }
bool needed(const BarState& b) {
  long long range = static_cast<long long>(b.max) - b.min + 1;
  return b.page ? range > static_cast<long long>(b.page) : b.max > b.min;
}

Parts partsOf(const RECT& r, bool vert, const BarState& b) {
  Parts p;
  int len = vert ? r.bottom - r.top : r.right - r.left;
  int thick = vert ? r.right - r.left : r.bottom - r.top;
  int arrow = std::min(thick, len / 2);
  int start = vert ? r.top : r.left;
  p.trackStart = start + arrow;
  p.trackLen = std::max(0, len - 2 * arrow);
  long long range = static_cast<long long>(b.max) - b.min + 1;
  if (b.page && range > 0)
    p.thumbLen = static_cast<int>(std::max<long long>(8, p.trackLen * static_cast<long long>(b.page) / range));
  else
    p.thumbLen = thick;
  if (p.thumbLen > p.trackLen || !needed(b)) p.thumbLen = 0;  // no room or nothing to scroll
  int pos = b.tracking ? b.trackPos : b.pos;
  long long span = static_cast<long long>(maxPos(b)) - b.min;
  int thumbAt = p.trackStart;
  if (span > 0 && p.thumbLen)
    thumbAt += static_cast<int>((static_cast<long long>(p.trackLen - p.thumbLen) * (static_cast<long long>(pos) - b.min)) / span);
  auto seg = [&](int a, int z) { return vert ? RECT{r.left, a, r.right, z} : RECT{a, r.top, z, r.bottom}; };
  p.arrow1 = seg(start, start + arrow);
  p.arrow2 = seg(start + len - arrow, start + len);
  p.track = seg(p.trackStart, p.trackStart + p.trackLen);
  p.thumb = p.thumbLen ? seg(thumbAt, thumbAt + p.thumbLen) : RECT{0, 0, 0, 0};
  return p;
}

// 0 first arrow, 1 page before, 2 thumb, 3 page after, 4 second arrow, -1 none.
int partAt(const Parts& p, POINT pt, bool vert) {
  if (PtInRect(&p.arrow1, pt)) return 0;
  if (PtInRect(&p.arrow2, pt)) return 4;
  if (p.thumbLen && PtInRect(&p.thumb, pt)) return 2;
  if (PtInRect(&p.track, pt) && p.thumbLen) {
    int v = vert ? pt.y : pt.x, t = vert ? p.thumb.top : p.thumb.left;
    return v < t ? 1 : 3;
  }
  return -1;
}

void drawBar(CDC* dc, const RECT& r, bool vert, const BarState& b, bool enabled, HBRUSH trackBrush) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  Parts p = partsOf(r, vert, b);
  bool active = enabled && needed(b);
  auto arrow = [&](const RECT& a, int dir, bool disabled, bool pressed) {
    RECT in = DrawButtonFace(dc, a, pressed, false);
    if (pressed) OffsetRect(&in, 1, 1);
    DrawArrowGlyph(dc, in, dir, !disabled);
  };
  arrow(p.arrow1, vert ? 0 : 2, !active || (b.disabled & ESB_DISABLE_LTUP), b.pressed == 0);
  arrow(p.arrow2, vert ? 1 : 3, !active || (b.disabled & ESB_DISABLE_RTDN), b.pressed == 4);
  if (trackBrush) FillBrush(dc, p.track, trackBrush);
  else FillScrollTrack(dc, p.track);
  if (active && p.thumbLen) {
    if (b.pressed == 1 || b.pressed == 3) {
      RECT pg = p.track;
      if (vert) (b.pressed == 1 ? pg.bottom : pg.top) = (b.pressed == 1 ? p.thumb.top : p.thumb.bottom);
      else (b.pressed == 1 ? pg.right : pg.left) = (b.pressed == 1 ? p.thumb.left : p.thumb.right);
      dc->FillSolidRect(&pg, GetSysColor(COLOR_3DDKSHADOW));
    }
    DrawButtonFace(dc, p.thumb, false, false);
  }
}

void clampPos(BarState& b) { b.pos = std::clamp(b.pos, b.min, maxPos(b)); }

void applyInfo(BarState& b, const SCROLLINFO& si) {
  if (si.fMask & SIF_RANGE) {
    b.min = si.nMin;
    b.max = std::max(si.nMin, si.nMax);
  }
  if (si.fMask & SIF_PAGE) {
    long long range = static_cast<long long>(b.max) - b.min + 1;
    b.page = static_cast<UINT>(std::min<long long>(si.nPage, range));
  }
  if (si.fMask & SIF_POS) b.pos = si.nPos;
  clampPos(b);
}

void readInfo(const BarState& b, SCROLLINFO* si) {
  if (si->fMask & SIF_RANGE) {
    si->nMin = b.min;
    si->nMax = b.max;
  }
  if (si->fMask & SIF_PAGE) si->nPage = b.page;
  if (si->fMask & SIF_POS) si->nPos = b.pos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = b.tracking ? b.trackPos : b.pos;
}

// ---- Tracking, shared by the control and the window bars --------------------

struct Tracker {
  HWND owner = nullptr;   // the window whose bar it is
  HWND target = nullptr;  // receives WM_xSCROLL
  HWND ctl = nullptr;     // lParam of WM_xSCROLL: the control, or null
  bool vert = true;
  BarState* bar = nullptr;
  RECT rect{0, 0, 0, 0};  // the bar, in the coordinates of the points given
  POINT last{0, 0};
};

void send(const Tracker& t, int code, int pos) {
  SendMessage(t.target, t.vert ? WM_VSCROLL : WM_HSCROLL,
              MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)), reinterpret_cast<LPARAM>(t.ctl));
}

int codeOf(int part) {
  switch (part) {
    case 0: return SB_LINEUP;
    case 1: return SB_PAGEUP;
    case 3: return SB_PAGEDOWN;
    case 4: return SB_LINEDOWN;
    default: return -1;
  }
}

void trackPress(Tracker& t, POINT pt, HWND timerWnd) {
  Parts p = partsOf(t.rect, t.vert, *t.bar);
  int part = partAt(p, pt, t.vert);
  t.last = pt;
  if (part < 0 || !needed(*t.bar)) return;
  if ((part == 0 && (t.bar->disabled & ESB_DISABLE_LTUP)) || (part == 4 && (t.bar->disabled & ESB_DISABLE_RTDN))) return;
  t.bar->pressed = part;
  if (part == 2) {
    t.bar->tracking = true;
    t.bar->trackPos = t.bar->pos;
    t.bar->thumbOffset = (t.vert ? pt.y - p.thumb.top : pt.x - p.thumb.left);
    return;
  }
  send(t, codeOf(part), 0);
  SetTimer(timerWnd, kRepeatTimer, kFirstDelay, nullptr);
}

void trackMove(Tracker& t, POINT pt) {
  t.last = pt;
  BarState& b = *t.bar;
  if (b.pressed != 2 || !b.tracking) return;
  Parts p = partsOf(t.rect, t.vert, b);
  int room = p.trackLen - p.thumbLen;
  int at = (t.vert ? pt.y : pt.x) - b.thumbOffset - p.trackStart;
  at = std::clamp(at, 0, std::max(0, room));
  long long span = static_cast<long long>(maxPos(b)) - b.min;
  int np = room > 0 ? static_cast<int>(b.min + (span * at + room / 2) / room) : b.min;
  if (np != b.trackPos) {
    b.trackPos = np;
    send(t, SB_THUMBTRACK, np);
  }
}

void trackTimer(Tracker& t, HWND timerWnd) {
  BarState& b = *t.bar;
  if (b.pressed < 0 || b.pressed == 2) return;
  Parts p = partsOf(t.rect, t.vert, b);
  SetTimer(timerWnd, kRepeatTimer, kRepeatDelay, nullptr);
  // Paging stops once the thumb reaches the pointer.
  if (partAt(p, t.last, t.vert) != b.pressed) return;
  send(t, codeOf(b.pressed), 0);
}

void trackRelease(Tracker& t, HWND timerWnd) {
  BarState& b = *t.bar;
  KillTimer(timerWnd, kRepeatTimer);
  int pressed = b.pressed;
  b.pressed = -1;
  if (pressed < 0) return;
  if (pressed == 2 && b.tracking) {
    int pos = b.trackPos;
    send(t, SB_THUMBPOSITION, pos);
    b.tracking = false;
  }
  send(t, SB_ENDSCROLL, 0);
}

// ---- The control -----------------------------------------------------------

struct Control {
  HWND hwnd = nullptr;
  BarState bar;
  Tracker tracker;
  bool focus = false;
};

StateMap<Control> g_controls;

bool vertical(HWND hwnd) { return (StyleOf(hwnd) & SBS_VERT) != 0; }

void controlRedraw(Control* c) { InvalidateRect(c->hwnd, nullptr, FALSE); }

void beginControlTrack(Control* c) {
  c->tracker.owner = c->hwnd;
  c->tracker.target = GetParent(c->hwnd);
  c->tracker.ctl = c->hwnd;
  c->tracker.vert = vertical(c->hwnd);
  c->tracker.bar = &c->bar;
  GetClientRect(c->hwnd, &c->tracker.rect);
}

bool sizeBox(HWND hwnd) { return (StyleOf(hwnd) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0; }

// A size box has no track: a plain face, with SBS_SIZEGRIP the diagonal
// ridges of a grip in its bottom-right corner.
void drawSizeBox(CDC* dc, const RECT& r, bool grip) {
  dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
  if (!grip) return;
  const int side = std::min(r.right - r.left, r.bottom - r.top);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  // Ridges every 4 pixels: two dark lines under one light line.
  for (int off = 3; off < side; off += 4) {
    for (int k = 0; k < 3; ++k) {
      const int d = off - k;
      if (d <= 0) continue;
      const COLORREF colour = k == 2 ? light : dark;
      for (int i = 0; i < d; ++i) dc->SetPixel(r.right - d + i, r.bottom - 1 - i, colour);
    }
  }
}

void controlPaint(Control* c) {
  PaintScope painting(c->hwnd);
  HDC hdc = painting.hdc;
  if (CDC* dc = painting.dc) {
    RECT r;
    GetClientRect(c->hwnd, &r);
    if (sizeBox(c->hwnd)) {
      drawSizeBox(dc, r, (StyleOf(c->hwnd) & SBS_SIZEGRIP) != 0);
      return;
    }
    HBRUSH brush = CtlColor(c->hwnd, hdc, WM_CTLCOLORSCROLLBAR);
    // The default colours mean the classic dotted track.
    if (brush == GetSysColorBrush(COLOR_BTNFACE) || brush == GetSysColorBrush(COLOR_SCROLLBAR)) brush = nullptr;
    drawBar(dc, r, vertical(c->hwnd), c->bar, IsWindowEnabled(c->hwnd) != FALSE, brush);
    if (c->focus && c->bar.pressed < 0) {
      Parts p = partsOf(r, vertical(c->hwnd), c->bar);
      if (p.thumbLen) {
        RECT f = p.thumb;
        InflateRect(&f, -2, -2);
        dc->DrawFocusRect(&f);
      }
    }
  }
}

LRESULT onNcDestroy(Control*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  KillTimer(hwnd, kRepeatTimer);
  g_controls.Drop(hwnd);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onGetDlgCode(Control*, HWND, UINT, WPARAM, LPARAM) {
  return DLGC_WANTARROWS;
}

LRESULT onEraseBkgnd(Control*, HWND, UINT, WPARAM, LPARAM) {
  return 1;
}

LRESULT onPaint(Control* c, HWND, UINT, WPARAM, LPARAM) {
  controlPaint(c);
  return 0;
}

LRESULT onEnable(Control* c, HWND, UINT, WPARAM, LPARAM) {
  controlRedraw(c);
  return 0;
}

LRESULT onSetFocus(Control* c, HWND, UINT, WPARAM, LPARAM) {
  c->focus = true;
  controlRedraw(c);
  return 0;
}

LRESULT onKillFocus(Control* c, HWND, UINT, WPARAM, LPARAM) {
  c->focus = false;
  controlRedraw(c);
  return 0;
}

LRESULT onLButtonDown(Control* c, HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if ((StyleOf(hwnd) & WS_TABSTOP) && GetFocus() != hwnd) SetFocus(hwnd);
  if (!g_controls.Get(hwnd) || sizeBox(hwnd)) return 0;
  beginControlTrack(c);
  SetCapture(hwnd);
  trackPress(c->tracker, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, hwnd);
  if (g_controls.Get(hwnd)) controlRedraw(c);
  return 0;
}

LRESULT onMouseMove(Control* c, HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if (GetCapture() == hwnd && c->bar.pressed >= 0) {
    trackMove(c->tracker, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (g_controls.Get(hwnd)) controlRedraw(c);
  }
  return 0;
}

LRESULT onTimer(Control* c, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (wParam == kRepeatTimer) {
    if (c->bar.pressed >= 0) trackTimer(c->tracker, hwnd);
    else KillTimer(hwnd, kRepeatTimer);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onLButtonUp(Control* c, HWND hwnd, UINT, WPARAM, LPARAM) {
  if (c->bar.pressed >= 0) {
    trackRelease(c->tracker, hwnd);
    if (!g_controls.Get(hwnd)) return 0;
    controlRedraw(c);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  return 0;
}

LRESULT onCaptureChanged(Control* c, HWND hwnd, UINT, WPARAM, LPARAM lParam) {
  if (c->bar.pressed >= 0 && reinterpret_cast<HWND>(lParam) != hwnd) {
    trackRelease(c->tracker, hwnd);
    if (g_controls.Get(hwnd)) controlRedraw(c);
  }
  return 0;
}

LRESULT onKeyDown(Control* c, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  int code;
  switch (wParam) {
    case VK_UP:
    case VK_LEFT: code = SB_LINEUP; break;
    case VK_DOWN:
    case VK_RIGHT: code = SB_LINEDOWN; break;
    case VK_PRIOR: code = SB_PAGEUP; break;
    case VK_NEXT: code = SB_PAGEDOWN; break;
    case VK_HOME: code = SB_TOP; break;
    case VK_END: code = SB_BOTTOM; break;
    default: return 0;
  }
  beginControlTrack(c);
  send(c->tracker, code, 0);
  if (g_controls.Get(hwnd)) send(c->tracker, SB_ENDSCROLL, 0);
  return 0;
}

LRESULT sbmSetPos(Control* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int old = c->bar.pos;
  c->bar.pos = static_cast<int>(static_cast<LONG>(wParam));
  clampPos(c->bar);
  if (lParam) controlRedraw(c);
  return old;
}

LRESULT sbmGetPos(Control* c, HWND, UINT, WPARAM, LPARAM) {
  return c->bar.pos;
}

LRESULT sbmSetRange(Control* c, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  int old = c->bar.pos;
  c->bar.min = static_cast<int>(static_cast<LONG>(wParam));
  c->bar.max = std::max(c->bar.min, static_cast<int>(static_cast<LONG>(lParam)));
  clampPos(c->bar);
  if (msg == SBM_SETRANGEREDRAW) controlRedraw(c);
  return old;
}

LRESULT sbmGetRange(Control* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (wParam) *reinterpret_cast<int*>(wParam) = c->bar.min;
  if (lParam) *reinterpret_cast<int*>(lParam) = c->bar.max;
  return 0;
}

LRESULT sbmEnableArrows(Control* c, HWND, UINT, WPARAM wParam, LPARAM) {
  c->bar.disabled = static_cast<UINT>(wParam);
  controlRedraw(c);
  return TRUE;
}

LRESULT sbmSetScrollInfo(Control* c, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  auto* si = reinterpret_cast<const SCROLLINFO*>(lParam);
  if (!si) return c->bar.pos;
  applyInfo(c->bar, *si);
  if (wParam) controlRedraw(c);
  return c->bar.pos;
}

LRESULT sbmGetScrollInfo(Control* c, HWND, UINT, WPARAM, LPARAM lParam) {
  auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
  if (!si) return FALSE;
  readInfo(c->bar, si);
  return TRUE;
}

// The handler of each message the procedure answers itself.
const wnd::HandlerTable<Control>& scrollBarProcHandlers() {
  static const wnd::HandlerTable<Control> table = {
      {WM_NCDESTROY, &onNcDestroy},
      {WM_GETDLGCODE, &onGetDlgCode},
      {WM_ERASEBKGND, &onEraseBkgnd},
      {WM_PAINT, &onPaint},
      {WM_ENABLE, &onEnable},
      {WM_SIZE, &onEnable},
      {WM_SETFOCUS, &onSetFocus},
      {WM_KILLFOCUS, &onKillFocus},
      {WM_LBUTTONDOWN, &onLButtonDown},
      {WM_LBUTTONDBLCLK, &onLButtonDown},
      {WM_MOUSEMOVE, &onMouseMove},
      {WM_TIMER, &onTimer},
      {WM_LBUTTONUP, &onLButtonUp},
      {WM_CAPTURECHANGED, &onCaptureChanged},
      {WM_KEYDOWN, &onKeyDown},
      {SBM_SETPOS, &sbmSetPos},
      {SBM_GETPOS, &sbmGetPos},
      {SBM_SETRANGE, &sbmSetRange},
      {SBM_SETRANGEREDRAW, &sbmSetRange},
      {SBM_GETRANGE, &sbmGetRange},
      {SBM_ENABLE_ARROWS, &sbmEnableArrows},
      {SBM_SETSCROLLINFO, &sbmSetScrollInfo},
      {SBM_GETSCROLLINFO, &sbmGetScrollInfo},
  };
  return table;
}

LRESULT scrollBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* c = g_controls.Get(hwnd);
  if (msg == WM_NCCREATE) {
    c = g_controls.Make(hwnd);
    c->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!c) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (LRESULT r = 0; wnd::Dispatch(scrollBarProcHandlers(), c, hwnd, msg, wParam, lParam, &r)) return r;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// ---- Window scroll bars ----------------------------------------------------

struct WindowBars {
  BarState horz, vert;
};

// State of the standard bars, by window. A record is trusted only while the
// window still carries the property that marks it, so that a new window at
// the address of a destroyed one starts afresh.
std::map<HWND, std::unique_ptr<WindowBars>> g_windowBars;
const char kBarsProp[] = "Kestrova.ScrollBars";

WindowBars* barsOf(HWND hwnd, bool make) {
  if (!IsWindow(hwnd)) return nullptr;
  auto it = g_windowBars.find(hwnd);
  if (it != g_windowBars.end()) {
    if (GetProp(hwnd, kBarsProp) == it->second.get()) return it->second.get();
    g_windowBars.erase(it);
  }
  if (!make) return nullptr;
  auto& p = g_windowBars[hwnd];
  p = std::make_unique<WindowBars>();
  SetProp(hwnd, kBarsProp, p.get());
  return p.get();
}

// The bar's rectangle in window coordinates (empty when not shown).
RECT windowBarRect(HWND hwnd, int bar) {
  DWORD st = StyleOf(hwnd);
  if (!(st & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return RECT{0, 0, 0, 0};
  RECT wr, cr;
  GetWindowRect(hwnd, &wr);
  GetClientRect(hwnd, &cr);
  POINT o{0, 0};
  ClientToScreen(hwnd, &o);
  int l = o.x - wr.left, t = o.y - wr.top, r = l + cr.right, b = t + cr.bottom;
  if (bar == SB_VERT) return RECT{r, t, r + GetSystemMetrics(SM_CXVSCROLL), b};
  return RECT{l, b, r, b + GetSystemMetrics(SM_CYHSCROLL)};
}

void paintWindowBars(HWND hwnd) {
  DWORD st = StyleOf(hwnd);
  if (!(st & (WS_VSCROLL | WS_HSCROLL)) || !IsWindowVisible(hwnd)) return;
  WindowBars* wb = barsOf(hwnd, true);
  HDC hdc = GetWindowDC(hwnd);
  if (!hdc) return;
  if (CDC* dc = CDC::FromHandle(hdc)) {
    bool enabled = IsWindowEnabled(hwnd) != FALSE;
    RECT v = windowBarRect(hwnd, SB_VERT), h = windowBarRect(hwnd, SB_HORZ);
    if (st & WS_VSCROLL) drawBar(dc, v, true, wb->vert, enabled, nullptr);
    if (st & WS_HSCROLL) drawBar(dc, h, false, wb->horz, enabled, nullptr);
    if ((st & WS_VSCROLL) && (st & WS_HSCROLL)) {
      RECT corner{v.left, h.top, v.right, h.bottom};
      dc->FillSolidRect(&corner, GetSysColor(COLOR_BTNFACE));
    }
  }
  ReleaseDC(hwnd, hdc);
}

// The bars repaint with the frame at the next paint, so that a burst of
// changes (a list filled item by item) draws them once.
void invalidateFrame(HWND hwnd) {
  if (!(StyleOf(hwnd) & (WS_VSCROLL | WS_HSCROLL))) return;
  RECT none{0, 0, 0, 0};
  RedrawWindow(hwnd, &none, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void showWindowBar(HWND hwnd, int bar, bool show) {
  DWORD st = StyleOf(hwnd);
  DWORD bits = (bar == SB_VERT ? WS_VSCROLL : 0) | (bar == SB_HORZ ? WS_HSCROLL : 0) |
               (bar == SB_BOTH ? WS_VSCROLL | WS_HSCROLL : 0);
  DWORD ns = show ? (st | bits) : (st & ~bits);
  if (ns == st) return;
  SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(ns));
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

WNDPROC ScrollBarWindowProc() { return &scrollBarProc; }

namespace ctl {

void PaintWindowScrollBars(HWND hwnd) { paintWindowBars(hwnd); }

bool HandleScrollBarFrame(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_NCPAINT:  // the default frame paint draws the bars too
      *result = DefWindowProc(hwnd, msg, wParam, lParam);
      return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam != HTVSCROLL && wParam != HTHSCROLL) return false;
      *result = 0;
      return WindowScrollBarPress(hwnd, static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    default: return false;
  }
}

bool WindowScrollBarPress(HWND hwnd, UINT hit, POINT screen) {
  if (hit != HTVSCROLL && hit != HTHSCROLL) return false;
  int which = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
  WindowBars* wb = barsOf(hwnd, true);
  if (!wb || !IsWindowEnabled(hwnd)) return true;
  RECT wr;
  GetWindowRect(hwnd, &wr);
  POINT o{0, 0};
  ClientToScreen(hwnd, &o);
  POINT clientInWindow{o.x - wr.left, o.y - wr.top};
  Tracker t;
  t.owner = hwnd;
  t.target = hwnd;
  t.ctl = nullptr;
  t.vert = which == SB_VERT;
  t.bar = which == SB_VERT ? &wb->vert : &wb->horz;
  t.rect = windowBarRect(hwnd, which);
  trackPress(t, POINT{screen.x - wr.left, screen.y - wr.top}, hwnd);
  if (!IsWindow(hwnd)) return true;
  paintWindowBars(hwnd);
  if (t.bar->pressed < 0) return true;
  // Track until the button comes up. In a host where no input can arrive
  // any more, running out of messages ends the press.
  SetCapture(hwnd);
  while (IsWindow(hwnd) && t.bar->pressed >= 0) {
    MSG m;
    if (!PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (!platform::GetHost().Interactive()) break;
      WaitMessage();
      continue;
    }
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.hwnd == hwnd && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
      POINT p{GET_X_LPARAM(m.lParam) + clientInWindow.x, GET_Y_LPARAM(m.lParam) + clientInWindow.y};
      if (m.message == WM_MOUSEMOVE) trackMove(t, p);
      else if (m.message == WM_LBUTTONUP) break;
      if (IsWindow(hwnd)) paintWindowBars(hwnd);
      continue;
    }
    if (m.hwnd == hwnd && m.message == WM_TIMER && m.wParam == kRepeatTimer) {
      trackTimer(t, hwnd);
      continue;
    }
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) break;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  if (!IsWindow(hwnd)) return true;
  trackRelease(t, hwnd);
  if (!IsWindow(hwnd)) return true;
  if (GetCapture() == hwnd) ReleaseCapture();
  paintWindowBars(hwnd);
  return true;
}

}  // namespace ctl

// ---- The scroll-bar functions ----------------------------------------------

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
  if (!IsWindow(hwnd) || !info) return 0;
  if (bar == SB_CTL)
    return static_cast<int>(SendMessage(hwnd, SBM_SETSCROLLINFO, static_cast<WPARAM>(redraw), reinterpret_cast<LPARAM>(info)));
  if (bar != SB_HORZ && bar != SB_VERT) return 0;
  WindowBars* wb = barsOf(hwnd, true);
  BarState& b = bar == SB_VERT ? wb->vert : wb->horz;
  applyInfo(b, *info);
  int pos = b.pos;
  // A bar shows while there is something to scroll; with
  // SIF_DISABLENOSCROLL it stays, disabled, when there is not.
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    bool need = needed(b);
    if (need || (info->fMask & SIF_DISABLENOSCROLL)) showWindowBar(hwnd, bar, true);
    else showWindowBar(hwnd, bar, false);
  }
  if (redraw && IsWindow(hwnd)) invalidateFrame(hwnd);
  return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  if (!IsWindow(hwnd) || !info) return FALSE;
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessage(hwnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
  if (bar != SB_HORZ && bar != SB_VERT) return FALSE;
  WindowBars* wb = barsOf(hwnd, true);
  readInfo(bar == SB_VERT ? wb->vert : wb->horz, info);
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  SCROLLINFO si;
  si.fMask = SIF_POS;
  GetScrollInfo(hwnd, bar, &si);
  int old = si.nPos;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  SCROLLINFO si;
  si.fMask = SIF_POS;
  if (!GetScrollInfo(hwnd, bar, &si)) return 0;
  return si.nPos;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = minPos;
  si.nMax = maxPos;
  if (!IsWindow(hwnd)) return FALSE;
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &si)) return FALSE;
  if (minPos) *minPos = si.nMin;
  if (maxPos) *maxPos = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  if (!IsWindow(hwnd)) return FALSE;
  if (bar == SB_CTL) {
    ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
    return TRUE;
  }
  showWindowBar(hwnd, bar, show != FALSE);
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  if (!IsWindow(hwnd)) return FALSE;
  if (bar == SB_CTL) return static_cast<BOOL>(SendMessage(hwnd, SBM_ENABLE_ARROWS, arrows, 0));
  WindowBars* wb = barsOf(hwnd, true);
  if (bar == SB_VERT || bar == SB_BOTH) wb->vert.disabled = arrows;
  if (bar == SB_HORZ || bar == SB_BOTH) wb->horz.disabled = arrows;
  invalidateFrame(hwnd);
  return TRUE;
}
