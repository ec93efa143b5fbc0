// The default window procedure: the frame (size, hit test, painting, clicks
// on the close box, the menu bar and the scroll bars), text and font,
// closing, system keys and commands, cursors and control colours. Each
// message has its own handler; the procedure looks it up in a table.
#include <algorithm>
#include <cstring>

#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Host.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/MenuBar.h"
#include "platform/window/Painting.h"
#include "platform/window/WindowImpl.h"
#include "platform/window/Dispatch.h"

using namespace wnd;

namespace {

COLORREF brushColor(HBRUSH brush, bool* ok) {
  auto v = reinterpret_cast<std::uintptr_t>(brush);
  *ok = true;
  if (v >= 1 && v <= COLOR_COUNT) return GetSysColor(static_cast<int>(v - 1));
  LOGBRUSH lb;
  if (brush && GetObject(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle != BS_NULL) return lb.lbColor;
  *ok = false;
  return 0;
}

LRESULT hitTest(WindowImpl* w, POINT screen) {
  RECT wr;
  GetWindowRect(w, &wr);
  if (!PtInRect(&wr, screen)) return HTNOWHERE;
  POINT p{screen.x - wr.left, screen.y - wr.top};
  if (PtInRect(&w->client, p)) return HTCLIENT;
  // Inside the border ring lie the caption, the menu bar, the edges and the bars.
  int b = FrameOf(w->style & ~(WS_VSCROLL | WS_HSCROLL), w->exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false,
                  false).left;
  RECT inner{b, b, (wr.right - wr.left) - b, (wr.bottom - wr.top) - b};
  if ((w->style & WS_VSCROLL) && p.x >= w->client.right && p.x < inner.right && p.y >= w->client.top &&
      p.y < w->client.bottom)
    return HTVSCROLL;
  if ((w->style & WS_HSCROLL) && p.y >= w->client.bottom && p.y < inner.bottom && p.x >= w->client.left &&
      p.x < w->client.right)
    return HTHSCROLL;
  if (PtInRect(&inner, p)) {
    int below = inner.top;
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
      below += GetSystemMetrics(SM_CYCAPTION);
      if (p.y < below) {
        RECT box = CloseBoxRect(w);
        return PtInRect(&box, p) ? HTCLOSE : HTCAPTION;
      }
    }
    if (IsTop(w) && w->menu && p.y < below + GetSystemMetrics(SM_CYMENU)) return HTMENU;
    return HTNOWHERE;
  }
  if (w->style & WS_THICKFRAME) {
    bool l = p.x < inner.left, r = p.x >= inner.right, t = p.y < inner.top, b = p.y >= inner.bottom;
    if (t && l) return HTTOPLEFT;
    if (t && r) return HTTOPRIGHT;
    if (b && l) return HTBOTTOMLEFT;
    if (b && r) return HTBOTTOMRIGHT;
    if (l) return HTLEFT;
    if (r) return HTRIGHT;
    if (t) return HTTOP;
    return HTBOTTOM;
  }
  return HTBORDER;
}

// A menu key that arrived at a top-level window: Alt pressed and released
// alone or F10 opens the menu bar, Alt+letter opens the item with that
// access key, Alt+F4 closes the window.
LRESULT systemKey(WindowImpl* w, UINT msg, WPARAM wParam, LPARAM lParam) {
  bool alt = (static_cast<std::uintptr_t>(lParam) & (1u << 29)) != 0;
  switch (msg) {
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && alt) SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_SYSKEYUP: {
      bool shiftOrCtrl = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0;
      bool altAlone = wParam == VK_MENU && S().altAlone;
      S().altAlone = false;
      if ((wParam == VK_F10 && !shiftOrCtrl) || altAlone) SendMessage(w, WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    }
    case WM_SYSCHAR:
      // Without Alt a WM_SYSCHAR only means that no window had the focus.
      if (alt && wParam != ' ') SendMessage(w, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam & 0xFF));
      return 0;
    default: return 0;
  }
}

}  // namespace

namespace wnd {
void DefaultNcPaint(HWND hwnd);  // Paint.cpp
void FillDcRect(HDC dc, const RECT& r, COLORREF color);
}  // namespace wnd

namespace {

LRESULT onNcCreate(WindowImpl*, HWND, UINT, WPARAM, LPARAM) {
  return TRUE;
}

LRESULT onNcCalcSize(WindowImpl* w, HWND, UINT, WPARAM, LPARAM lParam) {
  auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
  if (!p) return 0;
  RECT f = FrameOf(w->style, w->exStyle, IsTop(w), IsTop(w) && w->menu);
  RECT& r = p->rgrc[0];
  r.left += f.left;
  r.top += f.top;
  r.right = std::max(r.left, r.right - f.right);
  r.bottom = std::max(r.top, r.bottom - f.bottom);
  return 0;
}

LRESULT onNcHitTest(WindowImpl* w, HWND, UINT, WPARAM, LPARAM lParam) {
  return hitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT onSetText(WindowImpl* w, HWND, UINT, WPARAM, LPARAM lParam) {
  const char* t = reinterpret_cast<const char*>(lParam);
  w->text = t ? t : "";
  if (IsTop(w) && w->native) platform::GetHost().SetNativeCaption(w->native, w->text);
  if ((w->style & WS_CAPTION) == WS_CAPTION) w->ncPaint = true;
  return TRUE;
}

LRESULT onGetText(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  char* buf = reinterpret_cast<char*>(lParam);
  int max = static_cast<int>(wParam);
  if (!buf || max <= 0) return 0;
  int n = std::min<int>(static_cast<int>(w->text.size()), max - 1);
  std::memcpy(buf, w->text.data(), n);
  buf[n] = 0;
  return n;
}

LRESULT onGetTextLength(WindowImpl* w, HWND, UINT, WPARAM, LPARAM) {
  return static_cast<LRESULT>(w->text.size());
}

LRESULT onSetFont(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  w->font = reinterpret_cast<HFONT>(wParam);
  if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(w, nullptr, TRUE);
  return 0;
}

LRESULT onGetFont(WindowImpl* w, HWND, UINT, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(w->font);
}

LRESULT onSetRedraw(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM) {
  w->redraw = wParam != 0;
  return 0;
}

LRESULT onClose(WindowImpl* w, HWND, UINT, WPARAM, LPARAM) {
  DestroyWindow(w);
  return 0;
}

LRESULT onSysCommand(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_CLOSE: SendMessage(w, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(w, SW_MINIMIZE); break;
    case SC_MAXIMIZE: ShowWindow(w, SW_SHOWMAXIMIZED); break;
    case SC_RESTORE: ShowWindow(w, SW_RESTORE); break;
    case SC_KEYMENU: menus::KeyMenu(Root(w), static_cast<unsigned char>(lParam)); break;
    default: break;
  }
  return 0;
}

LRESULT onPaint(WindowImpl* w, HWND, UINT, WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  BeginPaint(w, &ps);
  EndPaint(w, &ps);
  return 0;
}

LRESULT onEraseBkgnd(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM) {
  bool ok = false;
  COLORREF c = brushColor(w->classBrush, &ok);
  if (!w->classBrush || !wParam) return 0;
  RECT r;
  GetClientRect(w, &r);
  if (ok) FillDcRect(reinterpret_cast<HDC>(wParam), r, c);
  else if (CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam)))
    dc->FillRect(&r, CBrush::FromHandle(w->classBrush));
  return 1;
}

LRESULT onNcPaint(WindowImpl* w, HWND, UINT, WPARAM, LPARAM) {
  DefaultNcPaint(w);
  // Every window's WS_VSCROLL/WS_HSCROLL bars are real ones.
  ctl::PaintWindowScrollBars(w);
  return 0;
}

LRESULT onNcLButtonDown(WindowImpl* w, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (LRESULT r = 0; ctl::HandleScrollBarFrame(w, msg, wParam, lParam, &r)) return r;
  if (msg == WM_NCLBUTTONDOWN && wParam == HTCLOSE) SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, lParam);
  if (msg == WM_NCLBUTTONDOWN && wParam == HTMENU && IsTop(w))
    menus::ClickBar(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  return 0;
}

// The menu keys reach the top-level window from whichever window has
// the focus: each window passes them to its parent unless it takes them.
LRESULT onSysKeyDown(WindowImpl* w, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsTop(w)) return SendMessage(w->parent, msg, wParam, lParam);
  return systemKey(w, msg, wParam, lParam);
}

LRESULT onNcActivate(WindowImpl* w, HWND, UINT, WPARAM, LPARAM) {
  if ((w->style & WS_CAPTION) == WS_CAPTION) w->ncPaint = true;
  return TRUE;
}

LRESULT onActivate(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM) {
  if (LOWORD(wParam) != WA_INACTIVE && !w->minimized) {
    HWND f = GetFocus();
    if (f != w && !IsChild(w, f)) SetFocus(w);
  }
  return 0;
}

LRESULT onMouseActivate(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!IsTop(w)) {
    LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
    if (r) return r;
  }
  return MA_ACTIVATE;
}

LRESULT onSetCursor(WindowImpl* w, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!IsTop(w) && SendMessage(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
    if (w->classCursor) SetCursor(w->classCursor);
  } else {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
  }
  return FALSE;
}

LRESULT onMouseWheel(WindowImpl* w, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsTop(w)) return SendMessage(w->parent, msg, wParam, lParam);
  return 0;
}

LRESULT onCancelMode(WindowImpl* w, HWND, UINT, WPARAM, LPARAM) {
  if (GetCapture() == w) ReleaseCapture();
  return 0;
}

LRESULT onWindowPosChanged(WindowImpl* w, HWND, UINT, WPARAM, LPARAM lParam) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
  if (!pos) return 0;
  if (!(pos->flags & SWP_NOSIZE))
    SendMessage(w, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left),
                           static_cast<WORD>(w->client.bottom - w->client.top)));
  if (Get(w) && !(pos->flags & SWP_NOMOVE))
    SendMessage(w, WM_MOVE, 0,
                MAKELPARAM(static_cast<WORD>(w->rect.left + w->client.left),
                           static_cast<WORD>(w->rect.top + w->client.top)));
  return 0;
}

LRESULT onGetMinMaxInfo(WindowImpl*, HWND, UINT, WPARAM, LPARAM) {
  // the layer fills in the defaults before asking
  return 0;
}

// The handler of each message the procedure answers itself.
const wnd::HandlerTable<WindowImpl>& defWindowProcHandlers() {
  static const wnd::HandlerTable<WindowImpl> table = {
      {WM_NCCREATE, &onNcCreate},
      {WM_NCCALCSIZE, &onNcCalcSize},
      {WM_NCHITTEST, &onNcHitTest},
      {WM_SETTEXT, &onSetText},
      {WM_GETTEXT, &onGetText},
      {WM_GETTEXTLENGTH, &onGetTextLength},
      {WM_SETFONT, &onSetFont},
      {WM_GETFONT, &onGetFont},
      {WM_SETREDRAW, &onSetRedraw},
      {WM_CLOSE, &onClose},
      {WM_SYSCOMMAND, &onSysCommand},
      {WM_PAINT, &onPaint},
      {WM_ERASEBKGND, &onEraseBkgnd},
      {WM_NCPAINT, &onNcPaint},
      {WM_NCLBUTTONDOWN, &onNcLButtonDown},
      {WM_NCLBUTTONDBLCLK, &onNcLButtonDown},
      {WM_SYSKEYDOWN, &onSysKeyDown},
      {WM_SYSKEYUP, &onSysKeyDown},
      {WM_SYSCHAR, &onSysKeyDown},
      {WM_NCACTIVATE, &onNcActivate},
      {WM_ACTIVATE, &onActivate},
      {WM_MOUSEACTIVATE, &onMouseActivate},
      {WM_SETCURSOR, &onSetCursor},
      {WM_MOUSEWHEEL, &onMouseWheel},
      {WM_CONTEXTMENU, &onMouseWheel},
      {WM_CANCELMODE, &onCancelMode},
      {WM_WINDOWPOSCHANGED, &onWindowPosChanged},
      {WM_GETMINMAXINFO, &onGetMinMaxInfo},
  };
  return table;
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowImpl* w = Get(hwnd);
  if (!w) return 0;
  if (LRESULT r = 0; wnd::Dispatch(defWindowProcHandlers(), w, hwnd, msg, wParam, lParam, &r)) return r;
  if (!IsCtlColorMessage(msg)) return 0;
  bool windowLike = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  if (CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam))) {
    dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc->SetBkColor(GetSysColor(windowLike ? COLOR_WINDOW : COLOR_BTNFACE));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(windowLike ? COLOR_WINDOW : COLOR_BTNFACE));
}

