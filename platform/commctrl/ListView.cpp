// The "SysListView32" control in report mode: rows of items with sub-item
// texts under a column header ("SysHeader32" child), item data, focus and
// selection states, full-row selection and grid lines, scrolled by whole rows.
// Other view modes draw as the report view.
#include <algorithm>
#include <cstring>

#include "platform/window/CtlDefs.h"
#include "platform/base/Kernel.h"
#include "platform/commctrl/ListViewImpl.h"

using namespace ctl;

namespace lv {

namespace {
StateMap<ListView> g_lists;
}

ListView* Get(HWND hwnd) { return g_lists.Get(hwnd); }
int Count(const ListView* l) { return static_cast<int>(l->items.size()); }

const std::string& TextOf(const Item& it, int subItem) {
  static const std::string empty;
  return subItem >= 0 && subItem < static_cast<int>(it.text.size()) ? it.text[subItem] : empty;
}

namespace {

int copyText(const std::string& s, LPSTR out, int max) {
  if (!out || max <= 0) return 0;
  int n = std::min(static_cast<int>(s.size()), max - 1);
  std::memcpy(out, s.data(), static_cast<size_t>(n));
  out[n] = 0;
  return n;
}

// False when the text was already there.
bool setText(Item& it, int sub, LPCSTR text) {
  if (sub < 0) return false;
  if (!text) text = "";
  if (static_cast<int>(it.text.size()) <= sub) it.text.resize(static_cast<size_t>(sub) + 1);
  std::string& held = it.text[static_cast<size_t>(sub)];
  if (held == text) return false;
  held = text;
  return true;
}

bool singleSel(ListView* l) { return (StyleOf(l->hwnd) & LVS_SINGLESEL) != 0; }

void redrawRows(ListView* l) {
  RECT r = RowsArea(l);
  InvalidateRect(l->hwnd, &r, TRUE);
}

// ---- Items ---------------------------------------------------------------------

LRESULT insertItem(ListView* l, const LVITEM* in) {
  if (!in || in->iSubItem != 0) return -1;
  int i = std::clamp(in->iItem, 0, Count(l));
  Item it;
  if (in->mask & LVIF_TEXT) setText(it, 0, in->pszText);
  if (in->mask & LVIF_PARAM) it.param = in->lParam;
  if (in->mask & LVIF_IMAGE) it.image = in->iImage;
  if (in->mask & LVIF_STATE) it.state = in->state & in->stateMask & ~LVIS_FOCUSED;
  l->items.insert(l->items.begin() + i, std::move(it));
  if (l->focusItem >= i) ++l->focusItem;
  if (l->mark >= i) ++l->mark;
  if (singleSel(l) && (l->items[i].state & LVIS_SELECTED))
    for (int k = 0; k < Count(l); ++k)
      if (k != i) l->items[k].state &= ~LVIS_SELECTED;
  if (i < l->top + PerPage(l) + 1) redrawRows(l);
  UpdateBars(l);
  NMLISTVIEW n{};
  n.iItem = i;
  SendNotify(l->hwnd, &n.hdr, LVN_INSERTITEM);
  return i;
}

LRESULT deleteItem(ListView* l, int i) {
  if (i < 0 || i >= Count(l)) return FALSE;
  HWND self = l->hwnd;
  NMLISTVIEW n{};
  n.iItem = i;
  n.lParam = l->items[i].param;
  SendNotify(self, &n.hdr, LVN_DELETEITEM);
  if (!(l = Get(self)) || i >= Count(l)) return FALSE;
  l->items.erase(l->items.begin() + i);
  if (l->focusItem == i) l->focusItem = -1;
  else if (l->focusItem > i) --l->focusItem;
  if (l->mark == i) l->mark = -1;
  else if (l->mark > i) --l->mark;
  redrawRows(l);
  UpdateBars(l);
  return TRUE;
}

LRESULT deleteAll(ListView* l) {
  HWND self = l->hwnd;
  NMLISTVIEW n{};
  n.iItem = -1;
  bool quiet = SendNotify(self, &n.hdr, LVN_DELETEALLITEMS) != 0;
  for (int i = 0; !quiet && (l = Get(self)) && i < Count(l); ++i) {
    NMLISTVIEW d{};
    d.iItem = i;
    d.lParam = l->items[i].param;
    SendNotify(self, &d.hdr, LVN_DELETEITEM);
  }
  if (!(l = Get(self))) return FALSE;
  l->items.clear();
  l->focusItem = l->mark = -1;
  l->top = 0;
  redrawRows(l);
  UpdateBars(l);
  return TRUE;
}

LRESULT setItem(ListView* l, const LVITEM* in) {
  if (!in || in->iItem < 0 || in->iItem >= Count(l)) return FALSE;
  Item& it = l->items[in->iItem];
  if (in->mask & LVIF_TEXT) setText(it, in->iSubItem, in->pszText);
  if (in->iSubItem == 0) {
    if (in->mask & LVIF_PARAM) it.param = in->lParam;
    if (in->mask & LVIF_IMAGE) it.image = in->iImage;
  }
  InvalidateItem(l, in->iItem);
  if (in->iSubItem == 0 && (in->mask & LVIF_STATE)) return SetState(l, in->iItem, in->state, in->stateMask);
  return TRUE;
}

LRESULT getItem(ListView* l, LVITEM* out) {
  if (!out || out->iItem < 0 || out->iItem >= Count(l)) return FALSE;
  const Item& it = l->items[out->iItem];
  if (out->mask & LVIF_TEXT) copyText(TextOf(it, out->iSubItem), out->pszText, out->cchTextMax);
  if (out->mask & LVIF_PARAM) out->lParam = it.param;
  if (out->mask & LVIF_IMAGE) out->iImage = it.image;
  if (out->mask & LVIF_STATE) out->state = it.state & out->stateMask;
  return TRUE;
}

LRESULT getItemText(ListView* l, int i, LVITEM* out) {
  if (!out || i < 0 || i >= Count(l)) return 0;
  return copyText(TextOf(l->items[i], out->iSubItem), out->pszText, out->cchTextMax);
}

LRESULT setItemText(ListView* l, int i, const LVITEM* in) {
  if (!in || i < 0 || i >= Count(l)) return FALSE;
  // An unchanged text needs no repaint.
  if (setText(l->items[i], in->iSubItem, in->pszText)) InvalidateItem(l, i);
  return TRUE;
}

LRESULT getNextItem(ListView* l, int start, UINT flags) {
  UINT want = flags & (LVNI_SELECTED | LVNI_FOCUSED);
  int step = (flags & LVNI_ABOVE) ? -1 : 1;
  for (int i = start + step; i >= 0 && i < Count(l); i += step)
    if ((l->items[i].state & want) == want) return i;
  return -1;
}

LRESULT findItem(ListView* l, int start, const LVFINDINFO* f) {
  if (!f) return -1;
  for (int i = start + 1; i < Count(l); ++i) {
    const Item& it = l->items[i];
    if ((f->flags & LVFI_PARAM) && it.param == f->lParam) return i;
    if ((f->flags & LVFI_STRING) && f->psz) {
      const std::string& s = TextOf(it, 0);
      size_t n = std::strlen(f->psz);
      bool partial = (f->flags & LVFI_PARTIAL) != 0;
      if ((partial ? s.size() >= n : s.size() == n) && lstrcmpi(s.substr(0, n).c_str(), f->psz) == 0) return i;
    }
  }
  return -1;
}

LRESULT selectedCount(ListView* l) {
  return std::count_if(l->items.begin(), l->items.end(), [](const Item& it) { return (it.state & LVIS_SELECTED) != 0; });
}

LRESULT sortItems(ListView* l, LPARAM param, PFNLVCOMPARE compare) {
  if (!compare) return FALSE;
  LPARAM focusData = l->focusItem >= 0 ? l->items[l->focusItem].param : 0;
  std::stable_sort(l->items.begin(), l->items.end(),
                   [&](const Item& a, const Item& b) { return compare(a.param, b.param, param) < 0; });
  for (int i = 0; i < Count(l); ++i)
    if ((l->items[i].state & LVIS_FOCUSED) && l->items[i].param == focusData) l->focusItem = i;
  redrawRows(l);
  return TRUE;
}

LRESULT getItemRect(ListView* l, int i, RECT* r) {
  if (!r || i < 0 || i >= Count(l)) return FALSE;
  *r = ItemRect(l, i, r->left);
  return TRUE;
}

LRESULT hitTestMsg(ListView* l, LVHITTESTINFO* info, bool sub) {
  if (!info) return -1;
  int s;
  info->iItem = HitTest(l, info->pt, &info->flags, &s);
  info->iSubItem = s;
  if (sub && info->iItem >= 0) info->flags |= LVHT_ONITEMLABEL;
  if (!sub && !(info->flags & LVHT_ONITEM)) return -1;
  return info->iItem;
}

// ---- Columns -------------------------------------------------------------------

HDITEM headerItem(const LVCOLUMN* c, UINT mask) {
  HDITEM h;
  h.mask = 0;
  if (mask & LVCF_WIDTH) h.mask |= HDI_WIDTH, h.cxy = c->cx;
  if (mask & LVCF_TEXT) h.mask |= HDI_TEXT, h.pszText = c->pszText;
  if (mask & LVCF_FMT) h.mask |= HDI_FORMAT, h.fmt = (c->fmt & LVCFMT_JUSTIFYMASK) | HDF_STRING;
  return h;
}

LRESULT insertColumn(ListView* l, int i, const LVCOLUMN* in) {
  if (!in || i < 0) return -1;
  i = std::min(i, static_cast<int>(l->cols.size()));
  Column c;
  if (in->mask & LVCF_WIDTH) c.width = std::max(0, in->cx);
  if (in->mask & LVCF_FMT) c.fmt = in->fmt;
  c.subItem = (in->mask & LVCF_SUBITEM) ? in->iSubItem : i;
  l->cols.insert(l->cols.begin() + i, c);
  HDITEM h = headerItem(in, in->mask | LVCF_WIDTH | LVCF_FMT);
  h.cxy = c.width;
  h.fmt = (c.fmt & LVCFMT_JUSTIFYMASK) | HDF_STRING;
  if (!(h.mask & HDI_TEXT)) h.mask |= HDI_TEXT, h.pszText = const_cast<LPSTR>("");
  SendMessage(l->header, HDM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&h));
  redrawRows(l);
  UpdateBars(l);
  return i;
}

LRESULT deleteColumn(ListView* l, int i) {
  if (i < 0 || i >= static_cast<int>(l->cols.size())) return FALSE;
  l->cols.erase(l->cols.begin() + i);
  SendMessage(l->header, HDM_DELETEITEM, static_cast<WPARAM>(i), 0);
  redrawRows(l);
  UpdateBars(l);
  return TRUE;
}

LRESULT getColumn(ListView* l, int i, LVCOLUMN* out) {
  if (!out || i < 0 || i >= static_cast<int>(l->cols.size())) return FALSE;
  const Column& c = l->cols[i];
  if (out->mask & LVCF_WIDTH) out->cx = c.width;
  if (out->mask & LVCF_FMT) out->fmt = c.fmt;
  if (out->mask & LVCF_SUBITEM) out->iSubItem = c.subItem;
  if ((out->mask & LVCF_TEXT) && out->pszText) {
    HDITEM h;
    h.mask = HDI_TEXT;
    h.pszText = out->pszText;
    h.cchTextMax = out->cchTextMax;
    SendMessage(l->header, HDM_GETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&h));
  }
  return TRUE;
}

LRESULT setColumn(ListView* l, int i, const LVCOLUMN* in) {
  if (!in || i < 0 || i >= static_cast<int>(l->cols.size())) return FALSE;
  Column& c = l->cols[i];
  if (in->mask & LVCF_WIDTH) c.width = std::max(0, in->cx);
  if (in->mask & LVCF_FMT) c.fmt = in->fmt;
  if (in->mask & LVCF_SUBITEM) c.subItem = in->iSubItem;
  HDITEM h = headerItem(in, in->mask);
  SendMessage(l->header, HDM_SETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&h));
  redrawRows(l);
  UpdateBars(l);
  return TRUE;
}

// The widest text of a column (and of its header), with the cell margins.
int autoWidth(ListView* l, int i, bool header) {
  const FontInfo& fi = Metrics(l);
  int w = 0;
  for (const Item& it : l->items) {
    const std::string& s = TextOf(it, l->cols[i].subItem);
    w = std::max(w, TextWidth(fi, s.c_str(), static_cast<int>(s.size())));
  }
  if (header) {
    char text[260] = {};
    HDITEM h;
    h.mask = HDI_TEXT;
    h.pszText = text;
    h.cchTextMax = sizeof text;
    SendMessage(l->header, HDM_GETITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&h));
    w = std::max(w, TextWidth(fi, text, static_cast<int>(std::strlen(text))));
  }
  return w + 12;
}

LRESULT setColumnWidth(ListView* l, int i, int cx) {
  if (i < 0 || i >= static_cast<int>(l->cols.size())) return FALSE;
  if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) cx = autoWidth(l, i, cx == LVSCW_AUTOSIZE_USEHEADER);
  LVCOLUMN c;
  c.mask = LVCF_WIDTH;
  c.cx = cx;
  return setColumn(l, i, &c);
}

// The header's notifications go on to the list's parent (which may refuse a
// change, e.g. to keep a hidden column closed); a new width is taken over.
void headerNotify(ListView* l, NMHEADER* n, LRESULT* result) {
  HWND self = l->hwnd;
  HWND parent = GetParent(self);
  *result = parent ? SendMessage(parent, WM_NOTIFY, n->hdr.idFrom, reinterpret_cast<LPARAM>(n)) : 0;
  if (*result || !(l = Get(self))) return;
  if (n->hdr.code == HDN_ITEMCHANGED && n->pitem && (n->pitem->mask & HDI_WIDTH) && n->iItem >= 0 &&
      n->iItem < static_cast<int>(l->cols.size())) {
    if (l->cols[n->iItem].width == n->pitem->cxy) return;
    l->cols[n->iItem].width = n->pitem->cxy;
    redrawRows(l);
    UpdateBars(l);
  } else if (n->hdr.code == HDN_ITEMCLICK && !(StyleOf(l->hwnd) & LVS_NOSORTHEADER)) {
    NMLISTVIEW c{};
    c.iItem = -1;
    c.iSubItem = n->iItem;
    SendNotify(l->hwnd, &c.hdr, LVN_COLUMNCLICK);
  }
}

// ---- The window ------------------------------------------------------------------

void create(ListView* l) {
  DWORD hs = WS_CHILD | HDS_BUTTONS;
  if (StyleOf(l->hwnd) & LVS_NOSORTHEADER) hs &= ~HDS_BUTTONS;
  l->header = CreateWindowEx(0, WC_HEADER, "", hs, 0, 0, 0, 0, l->hwnd, nullptr, nullptr, nullptr);
  UpdateBars(l);
}

void setFont(ListView* l, HFONT font, bool redraw) {
  l->font = font;
  l->metricsKnown = false;
  SendMessage(l->header, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  UpdateBars(l);
  if (redraw) InvalidateRect(l->hwnd, nullptr, TRUE);
}

void focusChange(ListView* l, bool on) {
  l->focus = on;
  redrawRows(l);
  NMHDR n{};
  SendNotify(l->hwnd, &n, on ? NM_SETFOCUS : NM_KILLFOCUS);
}

LRESULT setExStyle(ListView* l, DWORD mask, DWORD style) {
  DWORD old = l->exStyle;
  if (!mask) mask = 0xFFFFFFFFu;
  l->exStyle = (old & ~mask) | (style & mask);
  InvalidateRect(l->hwnd, nullptr, TRUE);
  return static_cast<LRESULT>(old);
}

LRESULT setColour(ListView* l, bool* set, COLORREF* slot, LPARAM value) {
  *set = true;
  *slot = static_cast<COLORREF>(value);
  InvalidateRect(l->hwnd, nullptr, TRUE);
  return TRUE;
}

LRESULT scroll(ListView* l, int dx, int dy) {
  SetHOff(l, l->hOff + dx);
  int rh = RowHeight(l);
  SetTop(l, l->top + (dy >= 0 ? (dy + rh - 1) / rh : -((-dy + rh - 1) / rh)));
  return TRUE;
}

LRESULT wheel(ListView* l, int delta) {
  SetTop(l, l->top - delta / WHEEL_DELTA * 3);
  return 0;
}

LRESULT itemMessage(ListView* l, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled);
LRESULT columnMessage(ListView* l, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled);

LRESULT listProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    g_lists.Make(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  ListView* l = g_lists.Get(hwnd);
  if (!l) return DefWindowProc(hwnd, msg, wParam, lParam);
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  bool handled = true;
  LRESULT r = itemMessage(l, msg, wParam, lParam, &handled);
  if (handled) return r;
  handled = true;
  r = columnMessage(l, msg, wParam, lParam, &handled);
  if (handled) return r;
  switch (msg) {
    case WM_CREATE: create(l); return 0;
    case WM_NCDESTROY: g_lists.Drop(hwnd); return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT: setFont(l, reinterpret_cast<HFONT>(wParam), lParam != 0); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(cc::FontOr(l->font));
    case WM_SIZE: UpdateBars(l); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(l); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFOCUS: focusChange(l, true); return 0;
    case WM_KILLFOCUS: focusChange(l, false); return 0;
    case WM_LBUTTONDOWN: MouseDown(l, p, false, false); return 0;
    case WM_LBUTTONDBLCLK: MouseDown(l, p, true, false); return 0;
    case WM_RBUTTONDOWN: MouseDown(l, p, false, true); return 0;
    case WM_RBUTTONDBLCLK: MouseDown(l, p, true, true); return 0;
    case WM_LBUTTONUP: MouseUp(l, p, false); return 0;
    case WM_RBUTTONUP: MouseUp(l, p, true); return 0;
    case WM_KEYDOWN: KeyDown(l, static_cast<UINT>(wParam)); return 0;
    case WM_VSCROLL: OnVScroll(l, LOWORD(wParam)); return 0;
    case WM_HSCROLL: OnHScroll(l, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: return wheel(l, static_cast<short>(HIWORD(wParam)));
    case WM_NOTIFY: {
      auto* n = reinterpret_cast<NMHDR*>(lParam);
      if (!n || n->hwndFrom != l->header) return 0;
      headerNotify(l, reinterpret_cast<NMHEADER*>(lParam), &r);
      return r;
    }
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

LRESULT itemMessage(ListView* l, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) {
  int i = static_cast<int>(wParam);
  switch (msg) {
    case LVM_GETITEMCOUNT: return Count(l);
    case LVM_INSERTITEM: return insertItem(l, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_DELETEITEM: return deleteItem(l, i);
    case LVM_DELETEALLITEMS: return deleteAll(l);
    case LVM_GETITEM: return getItem(l, reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEM: return setItem(l, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMTEXT: return getItemText(l, i, reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEMTEXT: return setItemText(l, i, reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMSTATE: return i >= 0 && i < Count(l) ? l->items[i].state & static_cast<UINT>(lParam) : 0;
    case LVM_SETITEMSTATE: {
      auto* it = reinterpret_cast<const LVITEM*>(lParam);
      return it ? SetState(l, i, it->state, it->stateMask) : FALSE;
    }
    case LVM_GETNEXTITEM: return getNextItem(l, i, static_cast<UINT>(lParam));
    case LVM_FINDITEM: return findItem(l, i, reinterpret_cast<const LVFINDINFO*>(lParam));
    case LVM_GETSELECTEDCOUNT: return selectedCount(l);
    case LVM_GETSELECTIONMARK: return l->mark;
    case LVM_SETSELECTIONMARK: std::swap(l->mark, i); return i;
    case LVM_SORTITEMS: return sortItems(l, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_GETITEMRECT: return getItemRect(l, i, reinterpret_cast<RECT*>(lParam));
    case LVM_HITTEST: return hitTestMsg(l, reinterpret_cast<LVHITTESTINFO*>(lParam), false);
    case LVM_SUBITEMHITTEST: return hitTestMsg(l, reinterpret_cast<LVHITTESTINFO*>(lParam), true);
    case LVM_ENSUREVISIBLE: return EnsureVisible(l, i, lParam != 0);
    case LVM_SCROLL: return scroll(l, i, static_cast<int>(lParam));
    case LVM_REDRAWITEMS:
      for (int k = i; k <= static_cast<int>(lParam) && k < Count(l); ++k) InvalidateItem(l, k);
      return TRUE;
    case LVM_GETTOPINDEX: return l->top;
    case LVM_GETCOUNTPERPAGE: return PerPage(l);
    default: *handled = false; return 0;
  }
}

LRESULT columnMessage(ListView* l, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) {
  int i = static_cast<int>(wParam);
  switch (msg) {
    case LVM_INSERTCOLUMN: return insertColumn(l, i, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN: return deleteColumn(l, i);
    case LVM_GETCOLUMN: return getColumn(l, i, reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_SETCOLUMN: return setColumn(l, i, reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_GETCOLUMNWIDTH: return i >= 0 && i < static_cast<int>(l->cols.size()) ? l->cols[i].width : 0;
    case LVM_SETCOLUMNWIDTH: return setColumnWidth(l, i, static_cast<short>(LOWORD(lParam)));
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(l->header);
    case LVM_GETSTRINGWIDTH: {
      auto* s = reinterpret_cast<LPCSTR>(lParam);
      return s ? TextWidth(Metrics(l), s, static_cast<int>(std::strlen(s))) : 0;
    }
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return setExStyle(l, static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(l->exStyle);
    case LVM_GETBKCOLOR: return l->bkSet ? l->bk : GetSysColor(COLOR_WINDOW);
    case LVM_SETBKCOLOR: return setColour(l, &l->bkSet, &l->bk, lParam);
    case LVM_GETTEXTCOLOR: return l->textSet ? l->text : GetSysColor(COLOR_WINDOWTEXT);
    case LVM_SETTEXTCOLOR: return setColour(l, &l->textSet, &l->text, lParam);
    case LVM_GETTEXTBKCOLOR: return l->textBkSet ? l->textBk : GetSysColor(COLOR_WINDOW);
    case LVM_SETTEXTBKCOLOR: return setColour(l, &l->textBkSet, &l->textBk, lParam);
    default: *handled = false; return 0;
  }
}

}  // namespace

}  // namespace lv

WNDPROC ListViewWindowProc() { return &lv::listProc; }
