// The "ListBox" control: sorted or unsorted items with item data, single,
// multiple or extended selection, owner-draw items, tab stops, type-ahead,
// and the window's own vertical scroll bar. A combo box's dropped list is a
// list box attached to its combo (ListBoxAttachCombo).
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/CtlCommon.h"
#include "platform/window/Dispatch.h"

using namespace ctl;

namespace {

struct Item {
  std::string text;
  ULONG_PTR data = 0;
  bool sel = false;
  int height = 0;
};

struct ListBox {
  HWND hwnd = nullptr;
  std::vector<Item> items;
  int cur = -1;     // the selection of a single-selection list
  int caret = 0;    // the item with the focus rectangle
  int anchor = 0;   // start of an extended range
  int top = 0;
  int itemHeight = 13;
  HFONT font = nullptr;
  FontInfo fi;
  bool focus = false;
  bool tracking = false;
  int hExtent = 0;
  int hOff = 0;
  std::vector<int> tabs;  // dialog units, turned into pixels with the font in use when drawn
  std::string typed;
  DWORD typedTime = 0;
  HWND combo = nullptr;
  // The bars asked for at creation: they come and go with the need to
  // scroll, so the current style does not tell.
  bool wantV = false, wantH = false;
};

StateMap<ListBox> g_lists;

DWORD styleOf(ListBox* l) { return StyleOf(l->hwnd); }
bool ownerDraw(ListBox* l) { return (styleOf(l) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool variable(ListBox* l) { return (styleOf(l) & LBS_OWNERDRAWVARIABLE) != 0; }
bool hasStrings(ListBox* l) { return !ownerDraw(l) || (styleOf(l) & LBS_HASSTRINGS); }
bool multiSel(ListBox* l) { return (styleOf(l) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool extended(ListBox* l) { return (styleOf(l) & LBS_EXTENDEDSEL) != 0; }
int count(ListBox* l) { return static_cast<int>(l->items.size()); }

// A font's horizontal dialog unit times four: the rounded average width of
// the 52 letters, the measure a dialog uses for its template's units.
int letterAverage(const FontInfo& f) {
  if (!f.advance) return f.aveWidth;
  int total = 0;
  for (int c = 'A'; c <= 'Z'; ++c) total += f.advance[c] + f.advance[c + ('a' - 'A')];
  int average = (total / 26 + 1) / 2;
  return average > 0 ? average : f.aveWidth;
}

HWND owner(ListBox* l) { return l->combo ? GetParent(l->combo) : GetParent(l->hwnd); }
HWND itemWindow(ListBox* l) { return l->combo ? l->combo : l->hwnd; }
UINT ctlType(ListBox* l) { return l->combo ? ODT_COMBOBOX : ODT_LISTBOX; }
UINT ctlId(ListBox* l) { return static_cast<UINT>(GetDlgCtrlID(itemWindow(l))); }

void notify(ListBox* l, int code) {
  if (l->combo) return;  // the combo reports for its list
  if (code == LBN_SETFOCUS || code == LBN_KILLFOCUS || (styleOf(l) & LBS_NOTIFY)) Notify(l->hwnd, code);
}

int heightOf(ListBox* l, int i) {
  if (variable(l) && i >= 0 && i < count(l)) return l->items[i].height;
  return l->itemHeight;
}

int clientHeight(ListBox* l) {
  RECT r;
  GetClientRect(l->hwnd, &r);
  return r.bottom - r.top;
}

// Items that fit wholly from the top (at least one).
int visibleCount(ListBox* l) {
  int h = clientHeight(l);
  if (!variable(l)) return std::max(1, h / std::max(1, l->itemHeight));
  int n = 0, y = 0;
  for (int i = l->top; i < count(l); ++i) {
    y += heightOf(l, i);
    if (y > h) break;
    ++n;
  }
  return std::max(1, n);
}

int maxTop(ListBox* l) {
  if (!variable(l)) return std::max(0, count(l) - visibleCount(l));
  int h = clientHeight(l), y = 0, i = count(l);
  while (i > 0 && y + heightOf(l, i - 1) <= h) y += heightOf(l, --i);
  return std::min(i, std::max(0, count(l) - 1));
}

void updateScrollBar(ListBox* l) {
  DWORD st = styleOf(l);
  if (l->wantV) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((st & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, count(l) - 1);
    si.nPage = static_cast<UINT>(visibleCount(l));
    si.nPos = l->top;
    SetScrollInfo(l->hwnd, SB_VERT, &si, TRUE);
  }
  // Without a horizontal extent the bar has nothing to scroll: hidden.
  if (l->wantH) {
    RECT r;
    GetClientRect(l->hwnd, &r);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, l->hExtent - 1);
    si.nPage = static_cast<UINT>(r.right - r.left);
    si.nPos = l->hOff;
    SetScrollInfo(l->hwnd, SB_HORZ, &si, TRUE);
  }
}

void redraw(ListBox* l) { InvalidateRect(l->hwnd, nullptr, TRUE); }

void setTop(ListBox* l, int top) {
  top = std::clamp(top, 0, maxTop(l));
  if (top == l->top) return;
  l->top = top;
  redraw(l);
  updateScrollBar(l);
}

void ensureVisible(ListBox* l, int i) {
  if (i < 0 || i >= count(l)) return;
  if (i < l->top) {
    setTop(l, i);
    return;
  }
  int h = clientHeight(l), y = 0;
  for (int k = l->top; k <= i; ++k) y += heightOf(l, k);
  if (y <= h) return;
  // Move the top down until item i fits.
  int t = l->top;
  while (t < i && y > h) y -= heightOf(l, t++);
  setTop(l, t);
}

RECT itemRect(ListBox* l, int i) {
  RECT c;
  GetClientRect(l->hwnd, &c);
  int y = 0;
  if (i >= l->top)
    for (int k = l->top; k < i; ++k) y += heightOf(l, k);
  else
    for (int k = i; k < l->top; ++k) y -= heightOf(l, k);
  return RECT{c.left - l->hOff, y, std::max(c.right, c.left + l->hExtent) - l->hOff, y + heightOf(l, i)};
}

// The item at a client point (clamped to the nearest); `outside` tells
// whether the point lies outside the items' area.
int itemAt(ListBox* l, POINT p, bool* outside) {
  RECT c;
  GetClientRect(l->hwnd, &c);
  bool out = !PtInRect(&c, p);
  if (count(l) == 0) {
    if (outside) *outside = true;
    return -1;
  }
  int i = l->top;
  if (p.y < 0) {
    i = std::max(0, l->top - 1);
  } else {
    int y = 0;
    while (i < count(l) && y + heightOf(l, i) <= p.y) y += heightOf(l, i++);
    if (i >= count(l)) {
      i = count(l) - 1;
      out = true;
    }
  }
  if (outside) *outside = out;
  return i;
}

void measure(ListBox* l, int i) {
  if (!variable(l)) return;
  MEASUREITEMSTRUCT mi{ctlType(l), ctlId(l), static_cast<UINT>(i), 0, static_cast<UINT>(l->itemHeight),
                       l->items[i].data};
  if (HWND o = owner(l)) SendMessage(o, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
  l->items[i].height = std::max<int>(1, static_cast<int>(mi.itemHeight));
}

void deleteNotify(ListBox* l, int i) {
  const Item& it = l->items[i];
  if (!ownerDraw(l) && !it.data) return;
  DELETEITEMSTRUCT di{ctlType(l), ctlId(l), static_cast<UINT>(i), itemWindow(l), it.data};
  if (HWND o = owner(l)) SendMessage(o, WM_DELETEITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
}

int compareText(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(Cp1252ToLower(a[i]));
    auto y = static_cast<unsigned char>(Cp1252ToLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool prefixOf(const std::string& prefix, const std::string& s) {
  if (prefix.size() > s.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Cp1252ToLower(prefix[i]) != Cp1252ToLower(s[i])) return false;
  return true;
}

int compareItems(ListBox* l, const Item& a, int ia, const Item& b, int ib) {
  if (hasStrings(l)) return compareText(a.text, b.text);
  COMPAREITEMSTRUCT ci{ctlType(l), ctlId(l), itemWindow(l), static_cast<UINT>(ia), a.data,
                       static_cast<UINT>(ib), b.data, 0};
  HWND o = owner(l);
  return o ? static_cast<int>(SendMessage(o, WM_COMPAREITEM, ci.CtlID, reinterpret_cast<LPARAM>(&ci))) : 0;
}

Item makeItem(ListBox* l, LPARAM lParam) {
  Item it;
  if (hasStrings(l)) {
    const char* s = reinterpret_cast<const char*>(lParam);
    it.text = s ? s : "";
  } else {
    it.data = static_cast<ULONG_PTR>(lParam);
  }
  it.height = l->itemHeight;
  return it;
}

int insertAt(ListBox* l, int index, Item it) {
  if (index < 0 || index > count(l)) index = count(l);
  l->items.insert(l->items.begin() + index, std::move(it));
  if (l->cur >= index) ++l->cur;
  if (l->caret >= index && count(l) > 1) ++l->caret;
  if (l->anchor >= index && count(l) > 1) ++l->anchor;
  measure(l, index);
  redraw(l);
  updateScrollBar(l);
  return index;
}

int addString(ListBox* l, LPARAM lParam) {
  Item it = makeItem(l, lParam);
  int index = count(l);
  if (styleOf(l) & LBS_SORT) {
    // After the last item that sorts at or before the new one.
    int lo = 0, hi = count(l);
    while (lo < hi) {
      int mid = (lo + hi) / 2;
      if (compareItems(l, l->items[mid], mid, it, -1) <= 0) lo = mid + 1;
      else hi = mid;
    }
    index = lo;
  }
  return insertAt(l, index, std::move(it));
}

bool deleteAt(ListBox* l, int i) {
  if (i < 0 || i >= count(l)) return false;
  deleteNotify(l, i);
  l->items.erase(l->items.begin() + i);
  if (l->cur == i) l->cur = -1;
  else if (l->cur > i) --l->cur;
  if (l->caret > i || l->caret >= count(l)) l->caret = std::max(0, l->caret - 1);
  if (l->anchor > i || l->anchor >= count(l)) l->anchor = std::max(0, l->anchor - 1);
  l->top = std::clamp(l->top, 0, maxTop(l));
  redraw(l);
  updateScrollBar(l);
  return true;
}

void resetContent(ListBox* l) {
  // The owner may destroy the list while it hears of a deleted item, which
  // frees `l`: test a copy of the handle, never `l` itself.
  const HWND self = l->hwnd;
  for (int i = count(l) - 1; i >= 0; --i) {
    deleteNotify(l, i);
    if (!g_lists.Get(self)) return;
  }
  l->items.clear();
  l->cur = -1;
  l->caret = l->anchor = l->top = 0;
  l->hOff = 0;
  redraw(l);
  updateScrollBar(l);
}

int find(ListBox* l, int start, const char* text, bool exact) {
  int n = count(l);
  if (n == 0) return LB_ERR;
  if (start < -1 || start >= n) start = -1;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    const Item& it = l->items[i];
    if (!hasStrings(l)) {
      if (it.data == reinterpret_cast<ULONG_PTR>(text)) return i;
      continue;
    }
    std::string t = text ? text : "";
    if (exact ? compareText(t, it.text) == 0 : prefixOf(t, it.text)) return i;
  }
  return LB_ERR;
}

void setCaret(ListBox* l, int i) {
  if (i < 0 || i >= count(l)) return;
  if (l->caret != i) {
    l->caret = i;
    redraw(l);
  }
}

// Selects one item of a single-selection list (-1 none); true when changed.
bool selectSingle(ListBox* l, int i) {
  if (i >= count(l)) i = -1;
  if (i == l->cur) return false;
  l->cur = i;
  if (i >= 0) l->caret = i;
  redraw(l);
  return true;
}

bool selectRange(ListBox* l, int a, int b, bool on, bool clearOthers) {
  bool changed = false;
  if (a > b) std::swap(a, b);
  for (int i = 0; i < count(l); ++i) {
    bool want = (i >= a && i <= b) ? on : (clearOthers ? false : l->items[i].sel);
    if (l->items[i].sel != want) {
      l->items[i].sel = want;
      changed = true;
    }
  }
  if (changed) redraw(l);
  return changed;
}

// Moves to item i as the keyboard or the mouse does.
void moveTo(ListBox* l, int i, bool shift, bool ctrl, bool fromMouse) {
  if (count(l) == 0) return;
  i = std::clamp(i, 0, count(l) - 1);
  bool changed = false;
  if (!multiSel(l)) {
    changed = selectSingle(l, i);
  } else if (extended(l)) {
    if (shift) {
      changed = selectRange(l, l->anchor, i, true, !ctrl);
    } else if (ctrl) {
      if (fromMouse) {
        l->items[i].sel = !l->items[i].sel;
        l->anchor = i;
        changed = true;
        redraw(l);
      }
    } else {
      l->anchor = i;
      changed = selectRange(l, i, i, true, true);
    }
  } else if (fromMouse) {
    l->items[i].sel = !l->items[i].sel;
    changed = true;
    redraw(l);
  }
  setCaret(l, i);
  ensureVisible(l, i);
  if (changed) notify(l, LBN_SELCHANGE);
}

void keyDown(ListBox* l, UINT vk) {
  if ((styleOf(l) & LBS_WANTKEYBOARDINPUT) && !l->combo) {
    HWND o = owner(l);
    const HWND self = l->hwnd;
    LRESULT r = o ? SendMessage(o, WM_VKEYTOITEM, MAKEWPARAM(static_cast<WORD>(vk), static_cast<WORD>(l->caret)),
                                reinterpret_cast<LPARAM>(self))
                  : -1;
    if (!g_lists.Get(self) || r == -2) return;
    if (r >= 0) {
      moveTo(l, static_cast<int>(r), false, false, false);
      return;
    }
  }
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  int base = multiSel(l) ? l->caret : (l->cur >= 0 ? l->cur : l->caret);
  int page = std::max(1, visibleCount(l) - 1);
  int target;
  switch (vk) {
    case VK_UP:
    case VK_LEFT: target = l->cur < 0 && !multiSel(l) ? 0 : base - 1; break;
    case VK_DOWN:
    case VK_RIGHT: target = l->cur < 0 && !multiSel(l) ? 0 : base + 1; break;
    case VK_PRIOR: target = base - page; break;
    case VK_NEXT: target = base + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count(l) - 1; break;
    case VK_SPACE:
      if (multiSel(l) && count(l) > 0 && (!extended(l) || ctrl)) {
        l->items[l->caret].sel = !l->items[l->caret].sel;
        l->anchor = l->caret;
        redraw(l);
        notify(l, LBN_SELCHANGE);
      }
      return;
    default: return;
  }
  if (count(l) == 0) return;
  moveTo(l, target, shift, ctrl, false);
}

void typeChar(ListBox* l, unsigned char ch) {
  if (!hasStrings(l)) {
    if ((styleOf(l) & LBS_WANTKEYBOARDINPUT) && !l->combo) {
      HWND o = owner(l);
      const HWND self = l->hwnd;
      LRESULT r = o ? SendMessage(o, WM_CHARTOITEM, MAKEWPARAM(ch, static_cast<WORD>(l->caret)),
                                  reinterpret_cast<LPARAM>(self))
                    : -1;
      if (g_lists.Get(self) && r >= 0) moveTo(l, static_cast<int>(r), false, false, false);
    }
    return;
  }
  if (ch < 32 || (ch == ' ' && multiSel(l))) return;
  DWORD now = GetTickCount();
  if (now - l->typedTime > 1000) l->typed.clear();
  l->typedTime = now;
  l->typed += static_cast<char>(ch);
  bool same = std::all_of(l->typed.begin(), l->typed.end(),
                          [&](char c) { return Cp1252ToLower(c) == Cp1252ToLower(l->typed[0]); });
  int from = multiSel(l) ? l->caret : (l->cur >= 0 ? l->cur : -1);
  // A new prefix may stay on the current item; a repeated letter steps on.
  int found = LB_ERR;
  if (l->typed.size() > 1 && !same) found = find(l, from - 1, l->typed.c_str(), false);
  else found = find(l, from, std::string(1, l->typed[0]).c_str(), false);
  if (found != LB_ERR) moveTo(l, found, false, false, false);
}

void drawItem(ListBox* l, CDC* dc, int i, const RECT& r, bool selected, bool focusRect) {
  bool enabled = IsWindowEnabled(itemWindow(l)) != FALSE;
  if (ownerDraw(l)) {
    DRAWITEMSTRUCT di{};
    di.CtlType = ctlType(l);
    di.CtlID = ctlId(l);
    di.itemID = static_cast<UINT>(i);
    di.itemAction = ODA_DRAWENTIRE;
    di.itemState = (selected ? ODS_SELECTED : 0) | (focusRect ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    di.hwndItem = itemWindow(l);
    di.hDC = dc->GetSafeHdc();
    di.rcItem = r;
    di.itemData = i >= 0 && i < count(l) ? l->items[i].data : 0;
    if (HWND o = owner(l)) SendMessage(o, WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    return;
  }
  if (i < 0 || i >= count(l)) return;
  COLORREF text = dc->GetTextColor();
  if (selected) {
    dc->FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
    dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else if (!enabled) {
    dc->SetTextColor(GetSysColor(COLOR_GRAYTEXT));
  }
  const std::string& s = l->items[i].text;
  int y = r.top + (r.bottom - r.top - l->fi.height) / 2;
  if (styleOf(l) & LBS_USETABSTOPS) {
    // Dialog units of the list's font, as a dialog lays out its controls:
    // the headings placed over the columns in the same units line up.
    int base = letterAverage(l->fi);
    std::vector<int> tabs;
    for (int t : l->tabs) tabs.push_back((t * base + 2) / 4);
    if (tabs.empty()) tabs.push_back(base * 8);  // every 32 units
    dc->TabbedTextOut(r.left + 2, y, s.c_str(), static_cast<int>(s.size()), static_cast<int>(tabs.size()),
                      tabs.data(), r.left + 2);
  } else {
    dc->TextOut(r.left + 2, y, s.c_str(), static_cast<int>(s.size()));
  }
  dc->SetTextColor(text);
  if (focusRect) dc->DrawFocusRect(&r);
}

void paint(ListBox* l) {
  const HWND self = l->hwnd;
  PaintScope painting(self);
  HDC hdc = painting.hdc;
  CDC* dc = painting.dc;
  if (!dc) return;
  dc->SelectObject(l->font ? l->font : DefaultFont());
  // A combo's list asks through its combo, which asks its parent on the
  // list's behalf (the parent sees the list's handle).
  HBRUSH brush = l->combo ? reinterpret_cast<HBRUSH>(SendMessage(l->combo, WM_CTLCOLORLISTBOX,
                                                                 reinterpret_cast<WPARAM>(hdc),
                                                                 reinterpret_cast<LPARAM>(l->hwnd)))
                          : CtlColor(l->hwnd, hdc, WM_CTLCOLORLISTBOX);
  if (!g_lists.Get(self)) return;
  RECT c;
  GetClientRect(l->hwnd, &c);
  FillBrush(dc, c, brush);
  dc->SetBkMode(TRANSPARENT);
  // A combo's dropped list (a pop-up, never focused itself) shows the focus
  // rectangle on its selected item, since the keys of the combo move it.
  bool dropped = l->combo && !(styleOf(l) & WS_CHILD);
  bool showFocus = (l->focus && !l->combo) || dropped;
  int focusItem = dropped ? l->cur : l->caret;
  for (int i = l->top; i < count(l); ++i) {
    RECT r = itemRect(l, i);
    if (r.top >= c.bottom) break;
    bool selected = multiSel(l) ? l->items[i].sel : (i == l->cur);
    drawItem(l, dc, i, r, selected, showFocus && i == focusItem);
  }
  if (showFocus && !dropped && count(l) == 0) {
    RECT r{c.left, c.top, c.right, c.top + l->itemHeight};
    if (ownerDraw(l)) drawItem(l, dc, -1, r, false, true);
    else dc->DrawFocusRect(&r);
  }
}

void comboMouse(ListBox* l, UINT msg, POINT p) {
  RECT c;
  GetClientRect(l->hwnd, &c);
  bool inside = PtInRect(&c, p) != FALSE;
  if (msg == WM_MOUSEMOVE) {
    if (inside) {
      int i = itemAt(l, p, nullptr);
      if (i >= 0) selectSingle(l, i);
    }
    return;
  }
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDOWN) {
    if (inside) {
      int i = itemAt(l, p, nullptr);
      if (i >= 0) selectSingle(l, i);
      l->tracking = true;
      return;
    }
    // A press outside closes the list; on the combo itself the combo knows
    // it was its own button.
    POINT s = p;
    ClientToScreen(l->hwnd, &s);
    RECT cr;
    GetWindowRect(l->combo, &cr);
    ComboListEvent(l->combo, PtInRect(&cr, s) ? ListEvent::CancelOnCombo : ListEvent::Cancel);
    return;
  }
  if (msg == WM_LBUTTONUP) {
    if (inside) {
      int i = itemAt(l, p, nullptr);
      if (i >= 0) {
        selectSingle(l, i);
        ComboListEvent(l->combo, ListEvent::Commit);
      }
    }
    l->tracking = false;
  }
}

LRESULT onCreate(ListBox* l, HWND hwnd, UINT, WPARAM, LPARAM) {
  DWORD st = StyleOf(hwnd);
  if (st & LBS_OWNERDRAWFIXED) {
    MEASUREITEMSTRUCT mi{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID(hwnd)), 0, 0,
                         static_cast<UINT>(l->itemHeight), 0};
    if (HWND o = GetParent(hwnd)) SendMessage(o, WM_MEASUREITEM, mi.CtlID, reinterpret_cast<LPARAM>(&mi));
    if (mi.itemHeight > 0) l->itemHeight = static_cast<int>(mi.itemHeight);
  }
  // Without LBS_NOINTEGRALHEIGHT the list shows whole items only.
  if (!(st & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE)) && (st & WS_CHILD)) {
    int h = clientHeight(l), extra = h % std::max(1, l->itemHeight);
    if (extra && h > l->itemHeight) {
      RECT wr;
      GetWindowRect(hwnd, &wr);
      SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top - extra,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  updateScrollBar(l);
  return 0;
}

LRESULT onDestroy(ListBox* l, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  resetContent(l);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onNcDestroy(ListBox*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_lists.Drop(hwnd);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT onGetDlgCode(ListBox*, HWND, UINT, WPARAM, LPARAM) {
  return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

LRESULT onSetFont(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  l->font = reinterpret_cast<HFONT>(wParam);
  l->fi = Measure(l->font);
  if (!ownerDraw(l)) l->itemHeight = l->fi.height;
  updateScrollBar(l);
  if (LOWORD(static_cast<std::uintptr_t>(lParam))) redraw(l);
  return 0;
}

LRESULT onGetFont(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  return reinterpret_cast<LRESULT>(l->font ? l->font : DefaultFont());
}

LRESULT onSize(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  l->top = std::clamp(l->top, 0, maxTop(l));
  updateScrollBar(l);
  redraw(l);
  return 0;
}

LRESULT onEnable(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  redraw(l);
  return 0;
}

LRESULT onEraseBkgnd(ListBox*, HWND, UINT, WPARAM, LPARAM) {
  return 1;
}

LRESULT onPaint(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  paint(l);
  return 0;
}

LRESULT onSetFocus(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  l->focus = true;
  redraw(l);
  notify(l, LBN_SETFOCUS);
  return 0;
}

LRESULT onKillFocus(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  l->focus = false;
  redraw(l);
  notify(l, LBN_KILLFOCUS);
  return 0;
}

LRESULT onKeyDown(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  keyDown(l, static_cast<UINT>(wParam));
  return 0;
}

LRESULT onChar(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  typeChar(l, static_cast<unsigned char>(wParam));
  return 0;
}

LRESULT onLButtonDown(ListBox* l, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (l->combo) {
    comboMouse(l, msg, p);
    return 0;
  }
  if (msg == WM_RBUTTONDOWN) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    if (!g_lists.Get(hwnd)) return 0;
    bool outside = false;
    int i = itemAt(l, p, &outside);
    if (i >= 0 && !outside) {
      moveTo(l, i, (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0, true);
      if (!g_lists.Get(hwnd)) return 0;
      if (msg == WM_LBUTTONDBLCLK) notify(l, LBN_DBLCLK);
    }
    if (!g_lists.Get(hwnd)) return 0;
    SetCapture(hwnd);
    l->tracking = true;
  } else if (msg == WM_MOUSEMOVE) {
    if (l->tracking && (!multiSel(l) || extended(l)) && count(l) > 0) {
      int i = itemAt(l, p, nullptr);
      if (p.y < 0) i = std::max(0, l->top - 1);
      if (i >= 0 && i != (multiSel(l) ? l->caret : l->cur))
        moveTo(l, i, extended(l), false, false);
    }
  } else if (l->tracking) {
    l->tracking = false;
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  return 0;
}

LRESULT onCaptureChanged(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  l->tracking = false;
  return 0;
}

LRESULT onVScroll(ListBox* l, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, SB_VERT, &si);
  int page = std::max(1, visibleCount(l) - 1);
  switch (LOWORD(wParam)) {
    case SB_LINEUP: setTop(l, l->top - 1); break;
    case SB_LINEDOWN: setTop(l, l->top + 1); break;
    case SB_PAGEUP: setTop(l, l->top - page); break;
    case SB_PAGEDOWN: setTop(l, l->top + page); break;
    case SB_TOP: setTop(l, 0); break;
    case SB_BOTTOM: setTop(l, count(l)); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: setTop(l, si.nTrackPos); break;
    default: break;
  }
  return 0;
}

LRESULT onHScroll(ListBox* l, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  RECT c;
  GetClientRect(hwnd, &c);
  int width = c.right - c.left, maxOff = std::max(0, l->hExtent - width), off = l->hOff;
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, SB_HORZ, &si);
  switch (LOWORD(wParam)) {
    case SB_LINELEFT: off -= l->fi.aveWidth; break;
    case SB_LINERIGHT: off += l->fi.aveWidth; break;
    case SB_PAGELEFT: off -= width; break;
    case SB_PAGERIGHT: off += width; break;
    case SB_LEFT: off = 0; break;
    case SB_RIGHT: off = maxOff; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: off = si.nTrackPos; break;
    default: break;
  }
  off = std::clamp(off, 0, maxOff);
  if (off != l->hOff) {
    l->hOff = off;
    updateScrollBar(l);
    redraw(l);
  }
  return 0;
}

LRESULT onMouseWheel(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  int delta = static_cast<short>(HIWORD(wParam));
  setTop(l, l->top - (delta / WHEEL_DELTA) * 3);
  return 0;
}

// ---- LB_ messages ----
LRESULT lbAddString(ListBox* l, HWND, UINT, WPARAM, LPARAM lParam) {
  return addString(l, lParam);
}

LRESULT lbInsertString(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i > count(l)) return LB_ERR;
  return insertAt(l, i, makeItem(l, lParam));
}

LRESULT lbDeleteString(ListBox* l, HWND hwnd, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (!deleteAt(l, i)) return LB_ERR;
  return g_lists.Get(hwnd) ? count(l) : 0;
}

LRESULT lbResetContent(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  resetContent(l);
  return 0;
}

LRESULT lbGetCount(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  return count(l);
}

LRESULT lbGetText(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i >= count(l)) return LB_ERR;
  if (!hasStrings(l)) {
    if (lParam) std::memcpy(reinterpret_cast<void*>(lParam), &l->items[i].data, sizeof(ULONG_PTR));
    return sizeof(ULONG_PTR);
  }
  const std::string& s = l->items[i].text;
  if (lParam) std::memcpy(reinterpret_cast<char*>(lParam), s.c_str(), s.size() + 1);
  return static_cast<LRESULT>(s.size());
}

LRESULT lbGetTextLen(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i >= count(l)) return LB_ERR;
  return hasStrings(l) ? static_cast<LRESULT>(l->items[i].text.size()) : static_cast<LRESULT>(sizeof(ULONG_PTR));
}

LRESULT lbSetCurSel(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  if (multiSel(l)) return LB_ERR;
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < -1 || i >= count(l)) i = -1;
  selectSingle(l, i);
  if (i >= 0) ensureVisible(l, i);
  return i < 0 ? LB_ERR : i;
}

LRESULT lbGetCurSel(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  if (multiSel(l)) return count(l) ? l->caret : LB_ERR;
  return l->cur;
}

LRESULT lbSetSel(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!multiSel(l)) return LB_ERR;
  int i = static_cast<int>(static_cast<LONG>(lParam));
  if (i == -1) {
    selectRange(l, 0, count(l) - 1, wParam != 0, false);
    return 0;
  }
  if (i < 0 || i >= count(l)) return LB_ERR;
  if (l->items[i].sel != (wParam != 0)) {
    l->items[i].sel = wParam != 0;
    redraw(l);
  }
  if (wParam) setCaret(l, i);
  return 0;
}

LRESULT lbGetSel(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i >= count(l)) return LB_ERR;
  return multiSel(l) ? (l->items[i].sel ? 1 : 0) : (i == l->cur ? 1 : 0);
}

LRESULT lbGetSelCount(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  if (!multiSel(l)) return LB_ERR;
  return std::count_if(l->items.begin(), l->items.end(), [](const Item& it) { return it.sel; });
}

LRESULT lbGetSelItems(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!multiSel(l)) return LB_ERR;
  int max = static_cast<int>(wParam), n = 0;
  int* out = reinterpret_cast<int*>(lParam);
  for (int i = 0; i < count(l) && n < max && out; ++i)
    if (l->items[i].sel) out[n++] = i;
  return n;
}

LRESULT lbSelItemRange(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!multiSel(l)) return LB_ERR;
  int a = LOWORD(static_cast<std::uintptr_t>(lParam)), b = HIWORD(static_cast<std::uintptr_t>(lParam));
  if (count(l) == 0) return LB_ERR;
  selectRange(l, std::min(a, count(l) - 1), std::min(b, count(l) - 1), wParam != 0, false);
  return 0;
}

LRESULT lbSelItemRangeEx(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!multiSel(l) || count(l) == 0) return LB_ERR;
  int a = static_cast<int>(static_cast<LONG>(wParam)), b = static_cast<int>(static_cast<LONG>(lParam));
  bool on = a <= b;
  selectRange(l, std::clamp(a, 0, count(l) - 1), std::clamp(b, 0, count(l) - 1), on, false);
  return 0;
}

LRESULT lbSetItemData(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i >= count(l)) return LB_ERR;
  l->items[i].data = static_cast<ULONG_PTR>(lParam);
  return 0;
}

LRESULT lbGetItemData(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i >= count(l)) return LB_ERR;
  return static_cast<LRESULT>(l->items[i].data);
}

LRESULT lbSetTopIndex(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || (i >= count(l) && count(l) > 0)) return LB_ERR;
  setTop(l, i);
  return 0;
}

LRESULT lbGetTopIndex(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  return l->top;
}

LRESULT lbFindString(ListBox* l, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  return find(l, static_cast<int>(static_cast<LONG>(wParam)), reinterpret_cast<const char*>(lParam),
              msg == LB_FINDSTRINGEXACT);
}

LRESULT lbSelectString(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int i = find(l, static_cast<int>(static_cast<LONG>(wParam)), reinterpret_cast<const char*>(lParam), false);
  if (i == LB_ERR) return LB_ERR;
  if (multiSel(l)) setCaret(l, i);
  else selectSingle(l, i);
  ensureVisible(l, i);
  return i;
}

LRESULT lbGetItemHeight(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (variable(l) && (i < 0 || i >= count(l))) return LB_ERR;
  return heightOf(l, i);
}

LRESULT lbSetItemHeight(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int h = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (h <= 0 || h > 255) return LB_ERR;
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (variable(l)) {
    if (i < 0 || i >= count(l)) return LB_ERR;
    l->items[i].height = h;
  } else {
    l->itemHeight = h;
  }
  updateScrollBar(l);
  redraw(l);
  return 0;
}

LRESULT lbGetItemRect(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || (i >= count(l) && !(i == 0 && count(l) == 0))) return LB_ERR;
  if (lParam) *reinterpret_cast<RECT*>(lParam) = itemRect(l, i);
  return 1;
}

LRESULT lbItemFromPoint(ListBox* l, HWND, UINT, WPARAM, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  bool outside = false;
  int i = itemAt(l, p, &outside);
  if (i < 0) return MAKELONG(0xFFFF, 1);
  return MAKELONG(static_cast<WORD>(i), static_cast<WORD>(outside ? 1 : 0));
}

LRESULT lbSetCaretIndex(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i >= count(l)) return LB_ERR;
  setCaret(l, i);
  if (!LOWORD(static_cast<std::uintptr_t>(lParam))) ensureVisible(l, i);
  else if (i < l->top || i >= l->top + visibleCount(l)) ensureVisible(l, i);
  return 0;
}

LRESULT lbGetCaretIndex(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  return l->caret;
}

LRESULT lbSetAnchorIndex(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  int i = static_cast<int>(static_cast<LONG>(wParam));
  if (i < 0 || i >= count(l)) return LB_ERR;
  l->anchor = i;
  return 0;
}

LRESULT lbGetAnchorIndex(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  return l->anchor;
}

LRESULT lbSetHorizontalExtent(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  l->hExtent = static_cast<int>(wParam);
  updateScrollBar(l);
  redraw(l);
  return 0;
}

LRESULT lbGetHorizontalExtent(ListBox* l, HWND, UINT, WPARAM, LPARAM) {
  return l->hExtent;
}

LRESULT lbSetTabStops(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM lParam) {
  l->tabs.clear();
  const int* t = reinterpret_cast<const int*>(lParam);
  int n = static_cast<int>(wParam);
  for (int i = 0; i < n && t; ++i) l->tabs.push_back(t[i]);
  redraw(l);
  return TRUE;
}

LRESULT lbInitStorage(ListBox* l, HWND, UINT, WPARAM wParam, LPARAM) {
  l->items.reserve(l->items.size() + static_cast<size_t>(wParam));
  return static_cast<LRESULT>(l->items.capacity());
}

LRESULT lbSetColumnWidth(ListBox*, HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

LRESULT lbDir(ListBox*, HWND, UINT, WPARAM, LPARAM) {
  return LB_ERR;
}

// The handler of each message the procedure answers itself.
const wnd::HandlerTable<ListBox>& listProcHandlers() {
  static const wnd::HandlerTable<ListBox> table = {
      {WM_CREATE, &onCreate},
      {WM_DESTROY, &onDestroy},
      {WM_NCDESTROY, &onNcDestroy},
      {WM_GETDLGCODE, &onGetDlgCode},
      {WM_SETFONT, &onSetFont},
      {WM_GETFONT, &onGetFont},
      {WM_SIZE, &onSize},
      {WM_ENABLE, &onEnable},
      {WM_ERASEBKGND, &onEraseBkgnd},
      {WM_PAINT, &onPaint},
      {WM_SETFOCUS, &onSetFocus},
      {WM_KILLFOCUS, &onKillFocus},
      {WM_KEYDOWN, &onKeyDown},
      {WM_CHAR, &onChar},
      {WM_LBUTTONDOWN, &onLButtonDown},
      {WM_LBUTTONDBLCLK, &onLButtonDown},
      {WM_MOUSEMOVE, &onLButtonDown},
      {WM_LBUTTONUP, &onLButtonDown},
      {WM_RBUTTONDOWN, &onLButtonDown},
      {WM_CAPTURECHANGED, &onCaptureChanged},
      {WM_VSCROLL, &onVScroll},
      {WM_HSCROLL, &onHScroll},
      {WM_MOUSEWHEEL, &onMouseWheel},
      {LB_ADDSTRING, &lbAddString},
      {LB_INSERTSTRING, &lbInsertString},
      {LB_DELETESTRING, &lbDeleteString},
      {LB_RESETCONTENT, &lbResetContent},
      {LB_GETCOUNT, &lbGetCount},
      {LB_GETTEXT, &lbGetText},
      {LB_GETTEXTLEN, &lbGetTextLen},
      {LB_SETCURSEL, &lbSetCurSel},
      {LB_GETCURSEL, &lbGetCurSel},
      {LB_SETSEL, &lbSetSel},
      {LB_GETSEL, &lbGetSel},
      {LB_GETSELCOUNT, &lbGetSelCount},
      {LB_GETSELITEMS, &lbGetSelItems},
      {LB_SELITEMRANGE, &lbSelItemRange},
      {LB_SELITEMRANGEEX, &lbSelItemRangeEx},
      {LB_SETITEMDATA, &lbSetItemData},
      {LB_GETITEMDATA, &lbGetItemData},
      {LB_SETTOPINDEX, &lbSetTopIndex},
      {LB_GETTOPINDEX, &lbGetTopIndex},
      {LB_FINDSTRING, &lbFindString},
      {LB_FINDSTRINGEXACT, &lbFindString},
      {LB_SELECTSTRING, &lbSelectString},
      {LB_GETITEMHEIGHT, &lbGetItemHeight},
      {LB_SETITEMHEIGHT, &lbSetItemHeight},
      {LB_GETITEMRECT, &lbGetItemRect},
      {LB_ITEMFROMPOINT, &lbItemFromPoint},
      {LB_SETCARETINDEX, &lbSetCaretIndex},
      {LB_GETCARETINDEX, &lbGetCaretIndex},
      {LB_SETANCHORINDEX, &lbSetAnchorIndex},
      {LB_GETANCHORINDEX, &lbGetAnchorIndex},
      {LB_SETHORIZONTALEXTENT, &lbSetHorizontalExtent},
      {LB_GETHORIZONTALEXTENT, &lbGetHorizontalExtent},
      {LB_SETTABSTOPS, &lbSetTabStops},
      {LB_INITSTORAGE, &lbInitStorage},
      {LB_SETCOLUMNWIDTH, &lbSetColumnWidth},
      {LB_DIR, &lbDir},
      {LB_ADDFILE, &lbDir},
      {LB_SETCOUNT, &lbDir},
  };
  return table;
}

LRESULT listProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListBox* l = g_lists.Get(hwnd);
  if (msg == WM_NCCREATE) {
    l = g_lists.Make(hwnd);
    l->hwnd = hwnd;
    l->fi = Measure(nullptr);
    l->itemHeight = l->fi.height;
    BarsAskedFor(lParam, &l->wantV, &l->wantH);
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  if (!l) return DefWindowProc(hwnd, msg, wParam, lParam);
  if (LRESULT r = 0; HandleScrollBarFrame(hwnd, msg, wParam, lParam, &r)) return r;
  if (LRESULT r = 0; wnd::Dispatch(listProcHandlers(), l, hwnd, msg, wParam, lParam, &r)) return r;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

WNDPROC ListBoxWindowProc() { return &listProc; }

namespace ctl {
void ListBoxAttachCombo(HWND list, HWND combo) {
  if (ListBox* l = g_lists.Get(list)) l->combo = combo;
}
HWND ListBoxCombo(HWND list) {
  ListBox* l = g_lists.Get(list);
  return l ? l->combo : nullptr;
}
}  // namespace ctl
