// The list view's geometry (rows under the header, columns side by side,
// scrolled by whole rows and by pixels), its scroll bars and its painting.
#include <algorithm>
#include <cstring>

#include "platform/gfx/GdiApi.h"
#include "platform/commctrl/ListViewImpl.h"

using namespace ctl;

namespace lv {

const FontInfo& Metrics(ListView* l) {
  if (!l->metricsKnown) {
    l->metrics = Measure(cc::FontOr(l->font));
    l->metricsKnown = true;
  }
  return l->metrics;
}

int RowHeight(ListView* l) { return Metrics(l).height + 3; }

int HeaderHeight(ListView* l) {
  if (!l->header || !IsWindowVisible(l->header)) return 0;
  RECT r;
  GetWindowRect(l->header, &r);
  return r.bottom - r.top;
}

RECT RowsArea(ListView* l) {
  RECT c;
  GetClientRect(l->hwnd, &c);
  c.top = std::min(c.bottom, c.top + HeaderHeight(l));
  return c;
}

int PerPage(ListView* l) {
  RECT r = RowsArea(l);
  return std::max(1, (r.bottom - r.top) / RowHeight(l));
}

int TotalWidth(ListView* l) {
  int w = 0;
  for (const Column& c : l->cols) w += c.width;
  return w;
}

RECT CellRect(ListView* l, int item, int col) {
  RECT rows = RowsArea(l);
  int x = -l->hOff;
  for (int k = 0; k < col; ++k) x += l->cols[k].width;
  int y = rows.top + (item - l->top) * RowHeight(l);
  int w = col < static_cast<int>(l->cols.size()) ? l->cols[col].width : 0;
  return RECT{x, y, x + w, y + RowHeight(l)};
}

// The highlighted part of an item: the whole row with full-row selection,
// else the text of its first column.
RECT ItemRect(ListView* l, int item, int code) {
  RECT first = CellRect(l, item, 0);
  if (code == LVIR_ICON) return RECT{first.left, first.top, first.left, first.bottom};
  if (code == LVIR_BOUNDS || (code == LVIR_SELECTBOUNDS && (l->exStyle & LVS_EX_FULLROWSELECT)))
    return RECT{first.left, first.top, first.left + TotalWidth(l), first.bottom};
  if (code == LVIR_SELECTBOUNDS && item >= 0 && item < Count(l)) {
    const std::string& s = TextOf(l->items[item], l->cols.empty() ? 0 : l->cols[0].subItem);
    const FontInfo& fi = Metrics(l);
    first.right = std::min<LONG>(first.right, first.left + TextWidth(fi, s.c_str(), static_cast<int>(s.size())) + 4);
  }
  return first;
}

int HitTest(ListView* l, POINT p, UINT* flags, int* subItem) {
  RECT rows = RowsArea(l);
  *flags = LVHT_NOWHERE;
  *subItem = 0;
  if (!PtInRect(&rows, p)) return -1;
  int item = l->top + (p.y - rows.top) / RowHeight(l);
  if (item >= Count(l)) {
    *flags = LVHT_NOWHERE | LVHT_BELOW;
    return -1;
  }
  int x = -l->hOff;
  for (size_t c = 0; c < l->cols.size(); ++c) {
    int w = l->cols[c].width;
    if (w > 0 && p.x >= x && p.x < x + w) {
      *subItem = l->cols[c].subItem;
      if (c == 0 || (l->exStyle & LVS_EX_FULLROWSELECT)) *flags = LVHT_ONITEMLABEL;
      return item;
    }
    x += w;
  }
  return item;
}

// The header moves with the horizontal scroll and is at least as wide as the
// window.
void LayoutHeader(ListView* l) {
  if (!l->header) return;
  bool hidden = (StyleOf(l->hwnd) & LVS_NOCOLUMNHEADER) != 0;
  ShowWindow(l->header, hidden ? SW_HIDE : SW_SHOWNA);
  RECT c;
  GetClientRect(l->hwnd, &c);
  WINDOWPOS pos{};
  HDLAYOUT layout{&c, &pos};
  SendMessage(l->header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
  int width = std::max<int>(pos.cx, TotalWidth(l)) + l->hOff;
  SetWindowPos(l->header, nullptr, pos.x - l->hOff, pos.y, width, pos.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InvalidateItem(ListView* l, int item) {
  // A row scrolled out of view has nothing on the screen to repaint: a
  // register updating the balances of hundreds of rows repaints only those
  // shown.
  if (item < l->top) return;
  RECT c = RowsArea(l);
  const int rh = RowHeight(l);
  const long long y = c.top + static_cast<long long>(item - l->top) * rh;
  if (y >= c.bottom) return;
  RECT r{c.left, static_cast<LONG>(y), c.right, static_cast<LONG>(y + rh)};
  InvalidateRect(l->hwnd, &r, TRUE);
}

namespace {

int maxTop(ListView* l) { return std::max(0, Count(l) - PerPage(l)); }
int maxHOff(ListView* l) {
  RECT r = RowsArea(l);
  return std::max(0, TotalWidth(l) - static_cast<int>(r.right - r.left));
}

void setBar(ListView* l, int bar, int max, int page, int pos) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, max);
  si.nPage = static_cast<UINT>(std::max(0, page));
  si.nPos = pos;
  SetScrollInfo(l->hwnd, bar, &si, TRUE);
}

}  // namespace

// Bars shown or hidden change the client area, so the sizes are taken twice.
void UpdateBars(ListView* l) {
  if (l->settingBars) return;
  l->settingBars = true;
  HWND self = l->hwnd;
  for (int pass = 0; pass < 2 && (l = Get(self)); ++pass) {
    l->top = std::clamp(l->top, 0, maxTop(l));
    l->hOff = std::clamp(l->hOff, 0, maxHOff(l));
    RECT r = RowsArea(l);
    setBar(l, SB_VERT, Count(l) - 1, PerPage(l), l->top);
    if ((l = Get(self))) setBar(l, SB_HORZ, TotalWidth(l) - 1, r.right - r.left, l->hOff);
  }
  if ((l = Get(self))) {
    l->settingBars = false;
    LayoutHeader(l);
  }
}

void SetTop(ListView* l, int top) {
  top = std::clamp(top, 0, maxTop(l));
  if (top == l->top) return;
  l->top = top;
  RECT rows = RowsArea(l);
  InvalidateRect(l->hwnd, &rows, TRUE);
  SetScrollPos(l->hwnd, SB_VERT, top, TRUE);
}

void SetHOff(ListView* l, int off) {
  off = std::clamp(off, 0, maxHOff(l));
  if (off == l->hOff) return;
  l->hOff = off;
  InvalidateRect(l->hwnd, nullptr, TRUE);
  SetScrollPos(l->hwnd, SB_HORZ, off, TRUE);
  LayoutHeader(l);
}

bool EnsureVisible(ListView* l, int item, bool partialOk) {
  if (item < 0 || item >= Count(l)) return false;
  int per = PerPage(l);
  if (item < l->top) SetTop(l, item);
  else if (item >= l->top + per) {
    RECT rows = RowsArea(l);
    bool partlyShown = item == l->top + per && (rows.bottom - rows.top) % RowHeight(l) != 0;
    if (!(partialOk && partlyShown)) SetTop(l, item - per + 1);
  }
  return true;
}

void OnVScroll(ListView* l, UINT code) { SetTop(l, cc::ScrollTarget(l->hwnd, SB_VERT, code, l->top, 1, PerPage(l))); }

void OnHScroll(ListView* l, UINT code) {
  RECT r = RowsArea(l);
  int line = Metrics(l).aveWidth * 2;
  SetHOff(l, cc::ScrollTarget(l->hwnd, SB_HORZ, code, l->hOff, line, r.right - r.left));
}

namespace {

struct RowColours {
  COLORREF text, bk;
  bool highlighted;
};

RowColours coloursOf(ListView* l, const Item& it) {
  bool sel = (it.state & LVIS_SELECTED) != 0;
  bool shown = l->focus || (StyleOf(l->hwnd) & LVS_SHOWSELALWAYS);
  if (sel && shown && IsWindowEnabled(l->hwnd)) {
    if (l->focus) return {GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT), true};
    return {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_3DFACE), true};
  }
  COLORREF text = IsWindowEnabled(l->hwnd) ? (l->textSet ? l->text : GetSysColor(COLOR_WINDOWTEXT)) : GetSysColor(COLOR_GRAYTEXT);
  return {text, l->textBkSet ? l->textBk : (l->bkSet ? l->bk : GetSysColor(COLOR_WINDOW)), false};
}

void drawRow(ListView* l, CDC* dc, int i) {
  const Item& it = l->items[i];
  RowColours rc = coloursOf(l, it);
  RECT hl = ItemRect(l, i, LVIR_SELECTBOUNDS);
  if (rc.highlighted) dc->FillSolidRect(&hl, rc.bk);
  for (size_t c = 0; c < l->cols.size(); ++c) {
    const Column& col = l->cols[c];
    if (col.width <= 0) continue;
    RECT cell = CellRect(l, i, static_cast<int>(c));
    bool inHighlight = rc.highlighted && (c == 0 || (l->exStyle & LVS_EX_FULLROWSELECT));
    dc->SetTextColor(inHighlight ? rc.text : coloursOf(l, Item{}).text);
    RECT text{cell.left + (c == 0 ? 2 : 6), cell.top, cell.right - (c == 0 ? 2 : 6), cell.bottom};
    int j = col.fmt & LVCFMT_JUSTIFYMASK;
    UINT align = j == LVCFMT_RIGHT ? DT_RIGHT : j == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    cc::DrawLabel(dc, l->font, TextOf(it, col.subItem).c_str(), text,
                  align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  if (l->focus && i == l->focusItem) dc->DrawFocusRect(&hl);
}

void drawGrid(ListView* l, CDC* dc, const RECT& rows) {
  COLORREF grid = GetSysColor(COLOR_3DFACE);
  int total = TotalWidth(l);
  int x = -l->hOff;
  for (const Column& c : l->cols) {
    x += c.width;
    if (c.width > 0) dc->FillSolidRect(x - 1, rows.top, 1, rows.bottom - rows.top, grid);
  }
  int rh = RowHeight(l);
  for (int y = rows.top + rh - 1; y < rows.bottom; y += rh) dc->FillSolidRect(-l->hOff, y, total, 1, grid);
}

}  // namespace

void Paint(ListView* l) {
  PaintScope ps(l->hwnd);
  if (!ps.dc) return;
  RECT rows = RowsArea(l);
  RECT area;
  if (!IntersectRect(&area, &ps.ps.rcPaint, &rows)) return;
  ps.dc->FillSolidRect(&area, l->bkSet ? l->bk : GetSysColor(COLOR_WINDOW));
  int rh = RowHeight(l);
  int first = l->top + (area.top - rows.top) / rh;
  int last = std::min(Count(l) - 1, l->top + (area.bottom - 1 - rows.top) / rh);
  for (int i = first; i <= last; ++i) drawRow(l, ps.dc, i);
  if (l->exStyle & LVS_EX_GRIDLINES) drawGrid(l, ps.dc, rows);
}

}  // namespace lv
