// The "SysTabControl32" control: one row of tabs above a raised pane. A click
// or an arrow key asks the parent with TCN_SELCHANGING (a nonzero answer
// keeps the tab) and reports TCN_SELCHANGE; TCM_SETCURSEL does not notify.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/commctrl/CommCtrlImpl.h"

using namespace ctl;

namespace {

struct Tab {
  std::string text;
  LPARAM param = 0;
  int image = -1;
};

struct TabCtrl {
  HWND hwnd = nullptr;
  std::vector<Tab> tabs;
  int cur = -1;
  HFONT font = nullptr;
  bool focus = false;
};

StateMap<TabCtrl> g_tabs;

constexpr int kPadX = 6;     // text margin inside a tab
constexpr int kLift = 2;     // how far the selected tab stands out
constexpr int kPaneInset = 4;

int count(TabCtrl* t) { return static_cast<int>(t->tabs.size()); }

int rowHeight(TabCtrl* t) { return Measure(cc::FontOr(t->font)).height + 7; }

// Rectangle of tab i as it stands when not selected (client coordinates).
RECT itemRect(TabCtrl* t, int i) {
  FontInfo fi = Measure(cc::FontOr(t->font));
  int x = kLift;
  for (int k = 0; k < i; ++k) x += TextWidth(fi, t->tabs[k].text.c_str(), static_cast<int>(t->tabs[k].text.size())) + 2 * kPadX;
  const std::string& s = t->tabs[i].text;
  int w = TextWidth(fi, s.c_str(), static_cast<int>(s.size())) + 2 * kPadX;
  return RECT{x, kLift, x + w, kLift + rowHeight(t)};
}

int paneTop(TabCtrl* t) { return kLift + rowHeight(t); }

void redraw(TabCtrl* t) { InvalidateRect(t->hwnd, nullptr, TRUE); }

// The focus shows only on the row of tabs: repainting the whole control
// would paint its empty pane over the page that lies on it.
void redrawTabs(TabCtrl* t) {
  RECT r;
  GetClientRect(t->hwnd, &r);
  r.bottom = std::min<LONG>(r.bottom, paneTop(t) + kLift);
  InvalidateRect(t->hwnd, &r, TRUE);
}

int hitTest(TabCtrl* t, POINT p) {
  for (int i = 0; i < count(t); ++i) {
    RECT r = itemRect(t, i);
    if (i == t->cur) InflateRect(&r, kLift, 0), r.top -= kLift;
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

// A change asked for by the user: TCN_SELCHANGING may refuse it.
void userSelect(TabCtrl* t, int i) {
  if (i < 0 || i >= count(t) || i == t->cur) return;
  NMHDR hdr{};
  HWND self = t->hwnd;
  if (SendNotify(self, &hdr, TCN_SELCHANGING)) return;
  t = g_tabs.Get(self);
  if (!t) return;
  t->cur = i;
  redraw(t);
  SendNotify(self, &hdr, TCN_SELCHANGE);
}

void drawTab(TabCtrl* t, CDC* dc, int i) {
  RECT r = itemRect(t, i);
  bool sel = i == t->cur;
  if (sel) {
    InflateRect(&r, kLift, 0);
    r.top -= kLift;
    r.bottom += 1;  // covers the pane's top line
  }
  COLORREF light = GetSysColor(COLOR_3DHILIGHT), shadow = GetSysColor(COLOR_3DSHADOW),
           dark = GetSysColor(COLOR_3DDKSHADOW);
  dc->FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
  dc->FillSolidRect(r.left, r.top + 2, 1, r.bottom - r.top - 2, light);
  dc->FillSolidRect(r.left + 1, r.top + 1, 1, 1, light);
  dc->FillSolidRect(r.left + 2, r.top, r.right - r.left - 4, 1, light);
  dc->FillSolidRect(r.right - 2, r.top + 1, 1, 1, dark);
  dc->FillSolidRect(r.right - 1, r.top + 2, 1, r.bottom - r.top - 2, dark);
  dc->FillSolidRect(r.right - 2, r.top + 2, 1, r.bottom - r.top - 2, shadow);
  dc->SetTextColor(GetSysColor(IsWindowEnabled(t->hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT text = r;
  text.top += sel ? 1 : 2;
  cc::DrawLabel(dc, t->font, t->tabs[i].text.c_str(), text, DT_CENTER | DT_SINGLELINE | DT_TOP);
  if (sel && t->focus) {
    FontInfo fi = Measure(cc::FontOr(t->font));
    RECT f{r.left + 3, r.top + 3, r.right - 3, r.top + 3 + fi.height + 2};
    dc->DrawFocusRect(&f);
  }
}

void paint(TabCtrl* t) {
  PaintScope ps(t->hwnd);
  if (!ps.dc) return;
  RECT c;
  GetClientRect(t->hwnd, &c);
  ps.dc->FillSolidRect(&c, GetSysColor(COLOR_3DFACE));
  RECT pane{c.left, paneTop(t), c.right, c.bottom};
  ps.dc->DrawEdge(&pane, EDGE_RAISED, BF_RECT);
  for (int i = 0; i < count(t); ++i)
    if (i != t->cur) drawTab(t, ps.dc, i);
  if (t->cur >= 0) drawTab(t, ps.dc, t->cur);
}

LRESULT getItem(TabCtrl* t, int i, TCITEM* item) {
  if (!item || i < 0 || i >= count(t)) return FALSE;
  const Tab& tab = t->tabs[i];
  if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    size_t n = std::min(tab.text.size(), static_cast<size_t>(item->cchTextMax - 1));
    std::memcpy(item->pszText, tab.text.data(), n);
    item->pszText[n] = 0;
  }
  if (item->mask & TCIF_PARAM) item->lParam = tab.param;
  if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
  return TRUE;
}

void assign(Tab& tab, const TCITEM& item) {
  if ((item.mask & TCIF_TEXT) && item.pszText) tab.text = item.pszText;
  if (item.mask & TCIF_PARAM) tab.param = item.lParam;
  if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
}

LRESULT setItem(TabCtrl* t, int i, const TCITEM* item) {
  if (!item || i < 0 || i >= count(t)) return FALSE;
  assign(t->tabs[i], *item);
  redraw(t);
  return TRUE;
}

LRESULT insertItem(TabCtrl* t, int i, const TCITEM* item) {
  if (!item || i < 0) return -1;
  i = std::min(i, count(t));
  Tab tab;
  assign(tab, *item);
  t->tabs.insert(t->tabs.begin() + i, tab);
  if (t->cur >= i) ++t->cur;
  if (t->cur < 0) t->cur = 0;
  redraw(t);
  return i;
}

LRESULT deleteItem(TabCtrl* t, int i) {
  if (i < 0 || i >= count(t)) return FALSE;
  t->tabs.erase(t->tabs.begin() + i);
  if (t->cur == i) t->cur = -1;
  else if (t->cur > i) --t->cur;
  redraw(t);
  return TRUE;
}

LRESULT setCurSel(TabCtrl* t, int i) {
  if (i < 0 || i >= count(t)) return -1;
  int old = t->cur;
  t->cur = i;
  if (old != i) redraw(t);
  return old;
}

// TCM_ADJUSTRECT: the display area of a window rectangle (larger FALSE), or
// the window rectangle around a display area (TRUE).
void adjustRect(TabCtrl* t, BOOL larger, RECT* r) {
  if (!r) return;
  int top = paneTop(t) + kPaneInset;
  if (larger) {
    r->left -= kPaneInset, r->right += kPaneInset, r->bottom += kPaneInset, r->top -= top;
  } else {
    r->left += kPaneInset, r->right -= kPaneInset, r->bottom -= kPaneInset, r->top += top;
  }
}

LRESULT getItemRect(TabCtrl* t, int i, RECT* out) {
  if (!out || i < 0 || i >= count(t)) return FALSE;
  *out = itemRect(t, i);
  return TRUE;
}

LRESULT hitTestMsg(TabCtrl* t, TCHITTESTINFO* info) {
  if (!info) return -1;
  int i = hitTest(t, info->pt);
  info->flags = i < 0 ? TCHT_NOWHERE : TCHT_ONITEM;
  return i;
}

void buttonDown(TabCtrl* t, POINT p) {
  HWND self = t->hwnd;
  int i = hitTest(t, p);
  if (i < 0) return;
  if (!(StyleOf(self) & TCS_FOCUSNEVER)) SetFocus(self);
  if ((t = g_tabs.Get(self))) userSelect(t, i);
}

void keyDown(TabCtrl* t, UINT vk) {
  NMHDR hdr{};
  HWND self = t->hwnd;
  SendNotify(self, &hdr, TCN_KEYDOWN);
  if (!(t = g_tabs.Get(self)) || t->cur < 0) return;
  if (vk == VK_LEFT || vk == VK_UP) userSelect(t, t->cur - 1);
  else if (vk == VK_RIGHT || vk == VK_DOWN) userSelect(t, t->cur + 1);
  else if (vk == VK_HOME) userSelect(t, 0);
  else if (vk == VK_END) userSelect(t, count(t) - 1);
}

LRESULT tabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    g_tabs.Make(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  TabCtrl* t = g_tabs.Get(hwnd);
  if (!t) return DefWindowProc(hwnd, msg, wParam, lParam);
  int i = static_cast<int>(wParam);
  switch (msg) {
    case WM_NCDESTROY: g_tabs.Drop(hwnd); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFONT: t->font = reinterpret_cast<HFONT>(wParam); if (lParam) redraw(t); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(cc::FontOr(t->font));
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(t); return 0;
    case WM_SETFOCUS: t->focus = true; redrawTabs(t); return 0;
    case WM_KILLFOCUS: t->focus = false; redrawTabs(t); return 0;
    case WM_ENABLE: redraw(t); return 0;
    case WM_LBUTTONDOWN: buttonDown(t, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_KEYDOWN: keyDown(t, static_cast<UINT>(wParam)); return 0;
    case TCM_GETITEMCOUNT: return count(t);
    case TCM_GETITEM: return getItem(t, i, reinterpret_cast<TCITEM*>(lParam));
    case TCM_SETITEM: return setItem(t, i, reinterpret_cast<const TCITEM*>(lParam));
    case TCM_INSERTITEM: return insertItem(t, i, reinterpret_cast<const TCITEM*>(lParam));
    case TCM_DELETEITEM: return deleteItem(t, i);
    case TCM_DELETEALLITEMS: t->tabs.clear(); t->cur = -1; redraw(t); return TRUE;
    case TCM_GETITEMRECT: return getItemRect(t, i, reinterpret_cast<RECT*>(lParam));
    case TCM_GETCURSEL:
    case TCM_GETCURFOCUS: return t->cur;
    case TCM_SETCURSEL: return setCurSel(t, i);
    case TCM_SETCURFOCUS: userSelect(t, i); return 0;
    case TCM_HITTEST: return hitTestMsg(t, reinterpret_cast<TCHITTESTINFO*>(lParam));
    case TCM_ADJUSTRECT: adjustRect(t, static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam)); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

WNDPROC TabCtrlWindowProc() { return &tabProc; }
