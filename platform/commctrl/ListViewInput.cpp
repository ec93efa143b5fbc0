// The list view's selection and focus: state changes that the parent hears
// of (and may refuse), the mouse and the keys.
#include <algorithm>

#include "platform/commctrl/ListViewImpl.h"

using namespace ctl;

namespace lv {

namespace {

bool singleSel(ListView* l) { return (StyleOf(l->hwnd) & LVS_SINGLESEL) != 0; }

LRESULT notifyItem(ListView* l, UINT code, int item, UINT newState, UINT oldState) {
  NMLISTVIEW n{};
  n.iItem = item;
  n.uChanged = LVIF_STATE;
  n.uNewState = newState;
  n.uOldState = oldState;
  n.lParam = item >= 0 && item < Count(l) ? l->items[item].param : 0;
  return SendNotify(l->hwnd, &n.hdr, code);
}

bool setOne(ListView* l, int i, UINT state, UINT mask) {
  if (i < 0 || i >= Count(l)) return false;
  UINT old = l->items[i].state;
  UINT now = (old & ~mask) | (state & mask);
  if (now == old) return true;
  HWND self = l->hwnd;
  if (notifyItem(l, LVN_ITEMCHANGING, i, now, old)) return false;
  if (!(l = Get(self)) || i >= Count(l)) return false;
  // One item has the focus, and a single-selection list one selected item.
  if ((now & LVIS_FOCUSED) && l->focusItem != i && l->focusItem >= 0)
    if (!setOne(l, l->focusItem, 0, LVIS_FOCUSED) || !(l = Get(self))) return false;
  if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED) && singleSel(l))
    for (int k = 0; k < Count(l); ++k)
      if (k != i && (l->items[k].state & LVIS_SELECTED))
        if (!setOne(l, k, 0, LVIS_SELECTED) || !(l = Get(self))) return false;
  if (i >= Count(l)) return false;
  l->items[i].state = now;
  if (now & LVIS_FOCUSED) l->focusItem = i;
  else if (l->focusItem == i) l->focusItem = -1;
  InvalidateItem(l, i);
  notifyItem(l, LVN_ITEMCHANGED, i, now, old);
  return Get(self) != nullptr;
}

// Selects exactly the items from `a` to `b` (either order).
bool selectOnly(ListView* l, int a, int b) {
  HWND self = l->hwnd;
  if (a > b) std::swap(a, b);
  for (int k = 0; k < Count(l); ++k) {
    bool want = k >= a && k <= b;
    if (((l->items[k].state & LVIS_SELECTED) != 0) != want)
      if (!setOne(l, k, want ? LVIS_SELECTED : 0, LVIS_SELECTED) || !(l = Get(self))) return false;
  }
  return true;
}

// Moves to item i as a click or a key does: with Ctrl in a multiple
// selection list the selection stays (a click toggles i), with Shift it runs
// from the mark.
void moveTo(ListView* l, int i, bool shift, bool ctrl, bool toggle) {
  HWND self = l->hwnd;
  if (i < 0 || i >= Count(l)) return;
  bool multi = !singleSel(l);
  if (multi && shift) {
    int mark = l->mark >= 0 ? l->mark : i;
    if (!selectOnly(l, mark, i) || !(l = Get(self))) return;
  } else if (multi && ctrl) {
    if (toggle && (!setOne(l, i, l->items[i].state ^ LVIS_SELECTED, LVIS_SELECTED) || !(l = Get(self)))) return;
    l->mark = i;
  } else {
    if (!selectOnly(l, i, i) || !(l = Get(self))) return;
    l->mark = i;
  }
  if (!setOne(l, i, LVIS_FOCUSED, LVIS_FOCUSED) || !(l = Get(self))) return;
  EnsureVisible(l, i, false);
}

LRESULT notifyActivate(ListView* l, UINT code, int item, int sub, POINT p) {
  NMITEMACTIVATE n{};
  n.iItem = item;
  n.iSubItem = sub;
  n.ptAction = p;
  n.lParam = item >= 0 && item < Count(l) ? l->items[item].param : 0;
  return SendNotify(l->hwnd, &n.hdr, code);
}

}  // namespace

bool SetState(ListView* l, int item, UINT state, UINT mask) {
  if (item >= 0) return setOne(l, item, state, mask);
  HWND self = l->hwnd;
  for (int k = 0; (l = Get(self)) && k < Count(l); ++k)
    if (!setOne(l, k, state, mask & ~LVIS_FOCUSED)) return false;
  return true;
}

void MouseDown(ListView* l, POINT p, bool dbl, bool right) {
  HWND self = l->hwnd;
  if (GetFocus() != self) SetFocus(self);
  if (!(l = Get(self))) return;
  UINT flags;
  int sub;
  int item = HitTest(l, p, &flags, &sub);
  bool onItem = item >= 0 && (flags & LVHT_ONITEM);
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  if (!onItem) {
    if (!ctrl && !shift && !SetState(l, -1, 0, LVIS_SELECTED)) return;
  } else if (!(right && (l->items[item].state & LVIS_SELECTED))) {
    moveTo(l, item, shift, ctrl, true);
  }
  if (!(l = Get(self))) return;
  if (dbl) notifyActivate(l, right ? NM_RDBLCLK : NM_DBLCLK, onItem ? item : -1, sub, p);
}

void MouseUp(ListView* l, POINT p, bool right) {
  UINT flags;
  int sub;
  int item = HitTest(l, p, &flags, &sub);
  notifyActivate(l, right ? NM_RCLICK : NM_CLICK, (flags & LVHT_ONITEM) ? item : -1, sub, p);
}

void KeyDown(ListView* l, UINT vk) {
  HWND self = l->hwnd;
  NMLVKEYDOWN k{};
  k.wVKey = static_cast<WORD>(vk);
  SendNotify(self, &k.hdr, LVN_KEYDOWN);
  if (!(l = Get(self)) || Count(l) == 0) return;
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  int cur = l->focusItem, per = PerPage(l), last = Count(l) - 1;
  int to = -1;
  switch (vk) {
    case VK_UP: to = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN: to = cur < 0 ? 0 : cur + 1; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = last; break;
    // A page key goes to the page's last (first) row, then a page further.
    case VK_NEXT: to = cur == l->top + per - 1 || cur < l->top ? cur + per : l->top + per - 1; break;
    case VK_PRIOR: to = cur == l->top ? cur - per : l->top; break;
    case VK_SPACE:
      if (cur >= 0) moveTo(l, cur, false, ctrl, true);
      return;
    case VK_RETURN: notifyActivate(l, NM_RETURN, cur, 0, POINT{}); return;
    default: return;
  }
  moveTo(l, std::clamp(to, 0, last), shift, ctrl, false);
}

}  // namespace lv
