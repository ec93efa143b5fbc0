// The tool-tip control ("tooltips_class32"): a list of tools (rectangles of
// windows, or whole windows) and one transient pop-up that shows the text of
// the tool under the mouse. The owner relays its mouse messages
// (TTM_RELAYEVENT); a tip appears after the initial delay of resting on a
// tool, goes after the auto-pop delay, on a button press or when the mouse
// leaves the tool, and a next tool shows at once within the reshow delay.
// Delays run on the window layer's timers, so tests drive them with the
// virtual clock.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/controls/CtlCommon.h"
#include "platform/commctrl/ControlClass.h"
#include "platform/commctrl/ToolTipCtrl.h"

using namespace ctl;

namespace {

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kPopTimer = 2;
constexpr UINT_PTR kLeaveTimer = 3;  // watches the mouse leave the hot tool
constexpr UINT kLeavePollMs = 100;
constexpr int kMargin = 2;          // text inside the border
constexpr int kCursorHeight = 20;   // a tip sits below the arrow cursor

struct Tool {
  UINT flags = 0;
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  RECT rect{0, 0, 0, 0};
  bool callback = false;
  std::string text;
  LPARAM lParam = 0;
};

struct Tip {
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  std::vector<Tool> tools;
  bool active = true;
  int maxWidth = -1;
  UINT initial = 500, autopop = 5000, reshow = 100;
  int hot = -1;            // the tool under the mouse, -1 none
  bool shown = false;
  bool pressed = false;    // a press on the hot tool keeps it quiet until the mouse leaves it
  DWORD hiddenAt = 0;      // when the last tip went, for the reshow delay
  std::string shownText;
};

StateMap<Tip>& tipStates() {
  static StateMap<Tip> map;
  return map;
}

bool sameTool(const Tool& t, HWND hwnd, UINT_PTR id) { return t.hwnd == hwnd && t.id == id; }

int findTool(Tip* s, const TOOLINFO* ti) {
  if (!ti) return -1;
  for (size_t i = 0; i < s->tools.size(); ++i)
    if (sameTool(s->tools[i], ti->hwnd, ti->uId)) return static_cast<int>(i);
  return -1;
}

void setText(Tool& t, const TOOLINFO* ti) {
  t.callback = ti->lpszText == LPSTR_TEXTCALLBACK;
  t.text.clear();
  if (t.callback || !ti->lpszText) return;
  if (IS_INTRESOURCE(ti->lpszText)) {
    CString s;
    if (s.LoadString(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(ti->lpszText)))) t.text = s.str();
  } else {
    t.text = ti->lpszText;
  }
}

// The tool under a relayed message's point, -1 none.
int toolAt(Tip* s, HWND hwnd, POINT pt) {
  for (size_t i = 0; i < s->tools.size(); ++i) {
    const Tool& t = s->tools[i];
    if (t.flags & TTF_IDISHWND) {
      if (reinterpret_cast<HWND>(t.id) == hwnd) return static_cast<int>(i);
    } else if (t.hwnd == hwnd && PtInRect(&t.rect, pt)) {
      return static_cast<int>(i);
    } else if (t.hwnd != hwnd && IsChild(hwnd, t.hwnd) && !IsWindowVisible(t.hwnd)) {
      // An invisible child serving as the tool stands in for the window whose
      // mouse messages are relayed.
      POINT local = pt;
      MapWindowPoints(hwnd, t.hwnd, &local, 1);
      if (PtInRect(&t.rect, local)) return static_cast<int>(i);
    }
  }
  return -1;
}

// The text of a tool; a callback tool asks its window (TTN_NEEDTEXT).
std::string textOf(Tip* s, const Tool& t) {
  if (!t.callback) return t.text;
  NMTTDISPINFO di;
  di.hdr.hwndFrom = s->hwnd;
  di.hdr.idFrom = t.id;
  di.hdr.code = TTN_NEEDTEXT;
  di.uFlags = t.flags;
  di.lParam = t.lParam;
  di.lpszText = di.szText;
  HWND to = t.hwnd;
  if (!IsWindow(to)) return {};
  SendMessage(to, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&di));
  if (!di.lpszText || di.lpszText == LPSTR_TEXTCALLBACK) return {};
  if (IS_INTRESOURCE(di.lpszText)) {
    CString str;
    str.LoadString(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(di.lpszText)));
    return str.str();
  }
  return di.lpszText;
}

bool toolWindowActive(const Tool& t) {
  HWND root = GetAncestor(t.hwnd, GA_ROOT);
  HWND active = GetActiveWindow();
  return active && (active == root || GetAncestor(active, GA_ROOTOWNER) == GetAncestor(root, GA_ROOTOWNER));
}

UINT drawFormat(Tip* s) {
  UINT f = DT_LEFT | DT_TOP | ((StyleOf(s->hwnd) & TTS_NOPREFIX) ? DT_NOPREFIX : 0);
  // Without a maximum width a tip is one line, as wide as its text.
  return s->maxWidth < 0 ? (f | DT_SINGLELINE) : (f | DT_WORDBREAK);
}

SIZE measure(Tip* s, const std::string& text) {
  HDC hdc = GetDC(s->hwnd);
  CDC* dc = CDC::FromHandle(hdc);
  dc->SelectObject(s->font ? s->font : DefaultFont());
  RECT r{0, 0, s->maxWidth < 0 ? 32767 : std::max(1, s->maxWidth), 0};
  dc->DrawText(text.c_str(), static_cast<int>(text.size()), &r, drawFormat(s) | DT_CALCRECT);
  ReleaseDC(s->hwnd, hdc);
  return SIZE{r.right - r.left + 2 * (kMargin + 1), r.bottom - r.top + 2 * (kMargin + 1)};
}

void hide(Tip* s) {
  KillTimer(s->hwnd, kShowTimer);
  KillTimer(s->hwnd, kPopTimer);
  if (!s->shown) return;
  s->shown = false;
  s->hiddenAt = GetTickCount();
  ShowWindow(s->hwnd, SW_HIDE);
  if (s->hot >= 0 && s->hot < static_cast<int>(s->tools.size())) {
    const Tool& t = s->tools[static_cast<size_t>(s->hot)];
    NMHDR nm{s->hwnd, t.id, TTN_POP};
    if (IsWindow(t.hwnd)) SendMessage(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&nm));
  }
}

void show(Tip* s) {
  KillTimer(s->hwnd, kShowTimer);
  if (s->hot < 0 || s->hot >= static_cast<int>(s->tools.size()) || !s->active) return;
  const Tool tool = s->tools[static_cast<size_t>(s->hot)];
  if (!(StyleOf(s->hwnd) & TTS_ALWAYSTIP) && !toolWindowActive(tool)) return;
  std::string text = textOf(s, tool);
  if (!IsWindow(s->hwnd) || text.empty()) return;
  s->shownText = text;
  SIZE size = measure(s, text);
  POINT at;
  GetCursorPos(&at);
  at.y += kCursorHeight;
  // A tip stays on the screen: near an edge it moves in, and near the bottom
  // it goes above the cursor.
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  if (at.x + size.cx > screenW) at.x = std::max(0, screenW - static_cast<int>(size.cx));
  if (at.y + size.cy > screenH) at.y = std::max(0, static_cast<int>(at.y) - kCursorHeight - static_cast<int>(size.cy));
  SetWindowPos(s->hwnd, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE);
  s->shown = true;
  NMHDR nm{s->hwnd, tool.id, TTN_SHOW};
  if (IsWindow(tool.hwnd)) SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&nm));
  ShowWindow(s->hwnd, SW_SHOWNOACTIVATE);
  InvalidateRect(s->hwnd, nullptr, TRUE);
  SetTimer(s->hwnd, kPopTimer, s->autopop, nullptr);
}

// A tip shows once the mouse rests: each move on a tool whose tip is not
// shown starts the wait again.
void restartShowTimer(Tip* s) {
  bool recent = GetTickCount() - s->hiddenAt < s->reshow;
  SetTimer(s->hwnd, kShowTimer, recent ? s->reshow : s->initial, nullptr);
}

// A mouse move onto another tool (or off every tool).
void hotChanged(Tip* s, int tool) {
  bool wasShowing = s->shown;
  hide(s);
  s->hot = tool;
  s->pressed = false;
  if (tool < 0) KillTimer(s->hwnd, kLeaveTimer);
  else SetTimer(s->hwnd, kLeaveTimer, kLeavePollMs, nullptr);
  if (tool < 0 || !s->active) return;
  if (wasShowing) SetTimer(s->hwnd, kShowTimer, s->reshow, nullptr);
  else restartShowTimer(s);
}

void relay(Tip* s, const MSG* m) {
  if (!m) return;
  switch (m->message) {
    case WM_MOUSEMOVE: {
      POINT pt{GET_X_LPARAM(m->lParam), GET_Y_LPARAM(m->lParam)};
      int tool = toolAt(s, m->hwnd, pt);
      if (tool != s->hot) hotChanged(s, tool);
      else if (tool >= 0 && !s->shown && !s->pressed && s->active) restartShowTimer(s);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      hide(s);
      s->pressed = true;
      break;
    default:
      break;
  }
}

void paint(Tip* s) {
  PaintScope painting(s->hwnd);
  CDC* dc = painting.dc;
  if (!dc) return;
  RECT r = FillClient(dc, s->hwnd, COLOR_INFOBK);
  dc->Draw3dRect(&r, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
  dc->SelectObject(s->font ? s->font : DefaultFont());
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(GetSysColor(COLOR_INFOTEXT));
  InflateRect(&r, -(kMargin + 1), -(kMargin + 1));
  dc->DrawText(s->shownText.c_str(), static_cast<int>(s->shownText.size()), &r, drawFormat(s));
}

LRESULT addTool(Tip* s, const TOOLINFO* ti) {
  if (!ti || !IsWindow(ti->hwnd) || findTool(s, ti) >= 0) return FALSE;
  Tool t;
  t.flags = ti->uFlags;
  t.hwnd = ti->hwnd;
  t.id = ti->uId;
  t.rect = ti->rect;
  t.lParam = ti->lParam;
  setText(t, ti);
  s->tools.push_back(std::move(t));
  return TRUE;
}

void delTool(Tip* s, const TOOLINFO* ti) {
  int i = findTool(s, ti);
  if (i < 0) return;
  if (i == s->hot) {
    hide(s);
    s->hot = -1;
  } else if (i < s->hot) {
    --s->hot;
  }
  s->tools.erase(s->tools.begin() + i);
}

LRESULT getToolInfo(Tip* s, TOOLINFO* ti) {
  int i = findTool(s, ti);
  if (i < 0) return FALSE;
  const Tool& t = s->tools[static_cast<size_t>(i)];
  ti->uFlags = t.flags;
  ti->rect = t.rect;
  ti->lParam = t.lParam;
  return TRUE;
}

void updateText(Tip* s, const TOOLINFO* ti) {
  int i = findTool(s, ti);
  if (i < 0) return;
  setText(s->tools[static_cast<size_t>(i)], ti);
  if (i == s->hot && s->shown) show(s);
}

void newRect(Tip* s, const TOOLINFO* ti) {
  int i = findTool(s, ti);
  if (i >= 0) s->tools[static_cast<size_t>(i)].rect = ti->rect;
}

void getText(Tip* s, TOOLINFO* ti) {
  int i = findTool(s, ti);
  if (i < 0 || !ti->lpszText) return;
  // The caller's buffer has room for 80 characters, as the classic control assumed.
  const std::string& text = s->tools[static_cast<size_t>(i)].text;
  size_t n = std::min<size_t>(text.size(), 79);
  std::copy_n(text.data(), n, ti->lpszText);
  ti->lpszText[n] = '\0';
}

void setDelay(Tip* s, WPARAM which, LPARAM ms) {
  int v = static_cast<int>(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(ms))));
  switch (which) {
    case TTDT_INITIAL: s->initial = v < 0 ? 500u : static_cast<UINT>(v); break;
    case TTDT_AUTOPOP: s->autopop = v < 0 ? 5000u : static_cast<UINT>(v); break;
    case TTDT_RESHOW: s->reshow = v < 0 ? 100u : static_cast<UINT>(v); break;
    default: {
      UINT base = v < 0 ? 500u : static_cast<UINT>(v);
      s->initial = base;
      s->autopop = base * 10;
      s->reshow = base / 5;
    }
  }
}

LRESULT getDelay(Tip* s, WPARAM which) {
  switch (which) {
    case TTDT_AUTOPOP: return s->autopop;
    case TTDT_RESHOW: return s->reshow;
    default: return s->initial;
  }
}

void activate(Tip* s, bool on) {
  s->active = on;
  if (!on) hide(s);
}

// Relayed messages stop when the mouse leaves the window that relays them;
// the cursor tells whether it is still on the hot tool.
bool cursorOnHotTool(Tip* s) {
  if (s->hot < 0 || s->hot >= static_cast<int>(s->tools.size())) return false;
  POINT screen;
  GetCursorPos(&screen);
  HWND under = WindowFromPoint(screen);
  if (!under) return false;
  POINT local = screen;
  ScreenToClient(under, &local);
  return toolAt(s, under, local) == s->hot;
}

void timer(Tip* s, UINT_PTR id) {
  if (id == kLeaveTimer) {
    if (!cursorOnHotTool(s)) hotChanged(s, -1);
    return;
  }
  if (id == kShowTimer) {
    if (!s->pressed) show(s);
    else KillTimer(s->hwnd, kShowTimer);
  } else if (id == kPopTimer) {
    hide(s);
  }
}

LRESULT toolMessage(Tip* s, UINT msg, WPARAM wp, LPARAM lp) {
  auto* ti = reinterpret_cast<TOOLINFO*>(lp);
  switch (msg) {
    case TTM_ADDTOOL: return addTool(s, ti);
    case TTM_DELTOOL: delTool(s, ti); return 0;
    case TTM_NEWTOOLRECT: if (ti) newRect(s, ti); return 0;
    case TTM_GETTOOLINFO: return ti ? getToolInfo(s, ti) : FALSE;
    case TTM_SETTOOLINFO:
    case TTM_UPDATETIPTEXT: if (ti) updateText(s, ti); return 0;
    case TTM_GETTEXT: if (ti) getText(s, ti); return 0;
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(s->tools.size());
    default: (void)wp; return 0;
  }
}

LRESULT dispatch(Tip* s, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: paint(s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_TIMER: timer(s, wp); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_SETFONT: s->font = reinterpret_cast<HFONT>(wp); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case TTM_ACTIVATE: activate(s, wp != 0); return 0;
    case TTM_RELAYEVENT: relay(s, reinterpret_cast<const MSG*>(lp)); return 0;
    case TTM_POP: hide(s); return 0;
    case TTM_UPDATE: if (s->shown) show(s); return 0;
    case TTM_SETMAXTIPWIDTH: { int old = s->maxWidth; s->maxWidth = static_cast<int>(lp); return old; }
    case TTM_GETMAXTIPWIDTH: return s->maxWidth;
    case TTM_SETDELAYTIME: setDelay(s, wp, lp); return 0;
    case TTM_GETDELAYTIME: return getDelay(s, wp);
    case TTM_ADDTOOL: case TTM_DELTOOL: case TTM_NEWTOOLRECT: case TTM_GETTOOLINFO: case TTM_SETTOOLINFO:
    case TTM_UPDATETIPTEXT: case TTM_GETTEXT: case TTM_GETTOOLCOUNT:
      return toolMessage(s, msg, wp, lp);
    default: return DefWindowProc(hwnd, msg, wp, lp);
  }
}

}  // namespace

void RegisterToolTipClass() {
  RegisterClassOnce(TOOLTIPS_CLASS, StatefulWindowProc<Tip, tipStates, dispatch>, CS_SAVEBITS);
}
