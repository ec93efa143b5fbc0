// The "SysHeader32" control: a row of column buttons. Dragging a divider
// resizes the column on its left (HDN_BEGINTRACK may refuse, HDN_TRACK
// follows the mouse, HDN_ITEMCHANGING/HDN_ITEMCHANGED report each new
// width, HDN_ENDTRACK the release); with HDS_BUTTONS a click on an item is
// HDN_ITEMCLICK. A column of width zero stays closed: its divider is the
// one of the column before it.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/commctrl/CommCtrlImpl.h"

using namespace ctl;

namespace {

struct Column {
  std::string text;
  int width = 0;
  int fmt = HDF_LEFT | HDF_STRING;
  LPARAM param = 0;
};

struct Header {
  HWND hwnd = nullptr;
  std::vector<Column> cols;
  HFONT font = nullptr;
  int tracking = -1;  // the column being sized
  int trackStartX = 0, trackStartWidth = 0;
  int pressed = -1;  // the button held down
  bool pressedIn = false;
};

StateMap<Header> g_headers;

constexpr int kDividerSlop = 3;

int count(Header* h) { return static_cast<int>(h->cols.size()); }
void redraw(Header* h) { InvalidateRect(h->hwnd, nullptr, TRUE); }

RECT itemRect(Header* h, int i) {
  RECT c;
  GetClientRect(h->hwnd, &c);
  int x = 0;
  for (int k = 0; k < i; ++k) x += h->cols[k].width;
  return RECT{x, 0, x + h->cols[i].width, c.bottom};
}

int height(Header* h) { return (StyleOf(h->hwnd) & HDS_HIDDEN) ? 0 : Measure(cc::FontOr(h->font)).height + 7; }

// The column whose right divider is at x (the first one, so that closed
// columns after it stay closed), or -1.
int dividerAt(Header* h, int x) {
  int right = 0;
  for (int i = 0; i < count(h); ++i) {
    right += h->cols[i].width;
    if (std::abs(x - right) <= kDividerSlop) return i;
  }
  return -1;
}

int itemAt(Header* h, POINT p) {
  for (int i = 0; i < count(h); ++i) {
    RECT r = itemRect(h, i);
    if (r.right > r.left && PtInRect(&r, p)) return i;
  }
  return -1;
}

LRESULT notify(Header* h, UINT code, int item, HDITEM* it = nullptr) {
  NMHEADER n{};
  n.iItem = item;
  n.pitem = it;
  return SendNotify(h->hwnd, &n.hdr, code);
}

void drawItem(Header* h, CDC* dc, int i) {
  RECT r = itemRect(h, i);
  if (r.right <= r.left) return;
  bool down = i == h->pressed && h->pressedIn;
  dc->FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
  RECT edge = r;
  if (down) dc->Draw3dRect(&edge, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW));
  else dc->DrawEdge(&edge, EDGE_RAISED, BF_RECT);
  const Column& c = h->cols[i];
  UINT align = (c.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT : (c.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER : DT_LEFT;
  RECT text{r.left + 6 + (down ? 1 : 0), r.top + (down ? 1 : 0), r.right - 6, r.bottom};
  dc->SetTextColor(GetSysColor(COLOR_BTNTEXT));
  cc::DrawLabel(dc, h->font, c.text.c_str(), text, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void paint(Header* h) {
  PaintScope ps(h->hwnd);
  if (!ps.dc) return;
  RECT c;
  GetClientRect(h->hwnd, &c);
  int right = 0;
  for (int i = 0; i < count(h); ++i) {
    drawItem(h, ps.dc, i);
    right += h->cols[i].width;
  }
  if (right < c.right) {
    RECT rest{right, 0, c.right, c.bottom};
    ps.dc->FillSolidRect(&rest, GetSysColor(COLOR_3DFACE));
    ps.dc->DrawEdge(&rest, EDGE_RAISED, BF_RECT);
  }
}

void assign(Column& c, const HDITEM& it) {
  if (it.mask & HDI_WIDTH) c.width = std::max(0, it.cxy);
  if ((it.mask & HDI_TEXT) && it.pszText) c.text = it.pszText;
  if (it.mask & HDI_FORMAT) c.fmt = it.fmt;
  if (it.mask & HDI_LPARAM) c.param = it.lParam;
}

LRESULT insertItem(Header* h, int i, const HDITEM* it) {
  if (!it || i < 0) return -1;
  i = std::min(i, count(h));
  Column c;
  assign(c, *it);
  h->cols.insert(h->cols.begin() + i, c);
  redraw(h);
  return i;
}

LRESULT getItem(Header* h, int i, HDITEM* it) {
  if (!it || i < 0 || i >= count(h)) return FALSE;
  const Column& c = h->cols[i];
  if (it->mask & HDI_WIDTH) it->cxy = c.width;
  if ((it->mask & HDI_TEXT) && it->pszText && it->cchTextMax > 0) {
    size_t n = std::min(c.text.size(), static_cast<size_t>(it->cchTextMax - 1));
    std::memcpy(it->pszText, c.text.data(), n);
    it->pszText[n] = 0;
  }
  if (it->mask & HDI_FORMAT) it->fmt = c.fmt;
  if (it->mask & HDI_LPARAM) it->lParam = c.param;
  return TRUE;
}

// A change of an item, by message or by dragging: the parent may refuse it.
LRESULT setItem(Header* h, int i, const HDITEM* it) {
  if (!it || i < 0 || i >= count(h)) return FALSE;
  HWND self = h->hwnd;
  HDITEM copy = *it;
  if (notify(h, HDN_ITEMCHANGING, i, &copy)) return FALSE;
  if (!(h = g_headers.Get(self)) || i >= count(h)) return FALSE;
  assign(h->cols[i], *it);
  redraw(h);
  notify(h, HDN_ITEMCHANGED, i, &copy);
  return TRUE;
}

LRESULT deleteItem(Header* h, int i) {
  if (i < 0 || i >= count(h)) return FALSE;
  h->cols.erase(h->cols.begin() + i);
  redraw(h);
  return TRUE;
}

LRESULT layout(Header* h, HDLAYOUT* l) {
  if (!l || !l->prc || !l->pwpos) return FALSE;
  int ht = height(h);
  *l->pwpos = WINDOWPOS{};
  l->pwpos->hwnd = h->hwnd;
  l->pwpos->x = l->prc->left;
  l->pwpos->y = l->prc->top;
  l->pwpos->cx = l->prc->right - l->prc->left;
  l->pwpos->cy = ht;
  l->pwpos->flags = SWP_NOZORDER | SWP_NOACTIVATE;
  l->prc->top += ht;
  return TRUE;
}

LRESULT hitTest(Header* h, HDHITTESTINFO* info) {
  if (!info) return -1;
  int d = dividerAt(h, info->pt.x);
  int i = itemAt(h, info->pt);
  info->iItem = d >= 0 ? d : i;
  info->flags = d >= 0 ? HHT_ONDIVIDER : i >= 0 ? HHT_ONHEADER : HHT_NOWHERE;
  return info->iItem;
}

void buttonDown(Header* h, POINT p, bool dbl) {
  HWND self = h->hwnd;
  int d = dividerAt(h, p.x);
  if (d >= 0) {
    if (dbl) {
      notify(h, HDN_DIVIDERDBLCLICK, d);
      return;
    }
    HDITEM it;
    it.mask = HDI_WIDTH;
    it.cxy = h->cols[d].width;
    if (notify(h, HDN_BEGINTRACK, d, &it)) return;
    if (!(h = g_headers.Get(self))) return;
    h->tracking = d;
    h->trackStartX = p.x;
    h->trackStartWidth = h->cols[d].width;
    SetCapture(self);
    return;
  }
  int i = itemAt(h, p);
  if (i < 0) return;
  if (dbl) {
    notify(h, HDN_ITEMDBLCLICK, i);
    return;
  }
  if (!(StyleOf(self) & HDS_BUTTONS)) return;
  h->pressed = i;
  h->pressedIn = true;
  SetCapture(self);
  redraw(h);
}

void mouseMove(Header* h, POINT p) {
  if (h->tracking >= 0) {
    HDITEM it;
    it.mask = HDI_WIDTH;
    it.cxy = std::max(0, h->trackStartWidth + p.x - h->trackStartX);
    int col = h->tracking;
    HWND self = h->hwnd;
    if (notify(h, HDN_TRACK, col, &it)) return;
    if ((h = g_headers.Get(self)) && h->cols[col].width != it.cxy) setItem(h, col, &it);
  } else if (h->pressed >= 0) {
    RECT r = itemRect(h, h->pressed);
    bool in = PtInRect(&r, p) != 0;
    if (in != h->pressedIn) h->pressedIn = in, redraw(h);
  }
}

void buttonUp(Header* h) {
  HWND self = h->hwnd;
  if (h->tracking >= 0) {
    int col = h->tracking;
    h->tracking = -1;
    ReleaseCapture();
    if ((h = g_headers.Get(self))) {
      HDITEM it;
      it.mask = HDI_WIDTH;
      it.cxy = h->cols[col].width;
      notify(h, HDN_ENDTRACK, col, &it);
    }
  } else if (h->pressed >= 0) {
    int i = h->pressed;
    bool in = h->pressedIn;
    h->pressed = -1;
    ReleaseCapture();
    if (!(h = g_headers.Get(self))) return;
    redraw(h);
    if (in) notify(h, HDN_ITEMCLICK, i);
  }
}

bool setCursor(Header* h) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(h->hwnd, &p);
  if (h->tracking < 0 && dividerAt(h, p.x) < 0) return false;
  SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
  return true;
}

LRESULT headerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    g_headers.Make(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  Header* h = g_headers.Get(hwnd);
  if (!h) return DefWindowProc(hwnd, msg, wParam, lParam);
  int i = static_cast<int>(wParam);
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_NCDESTROY: g_headers.Drop(hwnd); return 0;
    case WM_SETFONT: h->font = reinterpret_cast<HFONT>(wParam); if (lParam) redraw(h); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(cc::FontOr(h->font));
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: paint(h); return 0;
    case WM_LBUTTONDOWN: buttonDown(h, p, false); return 0;
    case WM_LBUTTONDBLCLK: buttonDown(h, p, true); return 0;
    case WM_MOUSEMOVE: mouseMove(h, p); return 0;
    case WM_LBUTTONUP: buttonUp(h); return 0;
    case WM_CAPTURECHANGED: h->tracking = -1; h->pressed = -1; return 0;
    case WM_SETCURSOR: return setCursor(h) ? TRUE : DefWindowProc(hwnd, msg, wParam, lParam);
    case HDM_GETITEMCOUNT: return count(h);
    case HDM_INSERTITEM: return insertItem(h, i, reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM: return deleteItem(h, i);
    case HDM_GETITEM: return getItem(h, i, reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM: return setItem(h, i, reinterpret_cast<const HDITEM*>(lParam));
    case HDM_LAYOUT: return layout(h, reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: return hitTest(h, reinterpret_cast<HDHITTESTINFO*>(lParam));
    case HDM_GETITEMRECT:
      if (i < 0 || i >= count(h) || !lParam) return FALSE;
      *reinterpret_cast<RECT*>(lParam) = itemRect(h, i);
      return TRUE;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

WNDPROC HeaderWindowProc() { return &headerProc; }
