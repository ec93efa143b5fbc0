// The "SysTreeView32" control: items under items, expanded and collapsed,
// one selected item, with buttons and dotted lines as the styles ask.
#include <algorithm>
#include <cstring>

#include "platform/base/Kernel.h"
#include "platform/commctrl/TreeViewImpl.h"

using namespace ctl;

namespace tv {

namespace {
StateMap<Tree> g_trees;
}

Tree* Get(HWND hwnd) { return g_trees.Get(hwnd); }

Node* NodeOf(Tree* t, HTREEITEM h) {
  auto* n = reinterpret_cast<Node*>(h);
  return t->live.count(n) ? n : nullptr;
}

bool HasButton(const Node* n) { return !n->kids.empty() || n->childrenFlag > 0; }
bool Expanded(const Node* n) { return (n->state & TVIS_EXPANDED) != 0; }

namespace {
void addRows(Node* n, std::vector<Node*>& out) {
  for (Node* k : n->kids) {
    out.push_back(k);
    if (Expanded(k)) addRows(k, out);
  }
}
}  // namespace

const std::vector<Node*>& Rows(Tree* t) {
  if (!t->rowsValid) {
    t->rows.clear();
    addRows(&t->root, t->rows);
    t->rowsValid = true;
  }
  return t->rows;
}

int RowOf(Tree* t, const Node* n) {
  const auto& rows = Rows(t);
  auto it = std::find(rows.begin(), rows.end(), n);
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

void Changed(Tree* t) {
  t->rowsValid = false;
  UpdateBars(t);
  InvalidateRect(t->hwnd, nullptr, TRUE);
}

namespace {

TVITEM describe(Node* n) {
  TVITEM it;
  if (!n) return it;
  it.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
  it.hItem = HandleOf(n);
  it.state = n->state;
  it.lParam = n->param;
  return it;
}

LRESULT notifyTree(Tree* t, UINT code, UINT action, Node* oldNode, Node* newNode) {
  NMTREEVIEW n{};
  n.action = action;
  n.itemOld = describe(oldNode);
  n.itemNew = describe(newNode);
  return SendNotify(t->hwnd, &n.hdr, code);
}

}  // namespace

bool Select(Tree* t, Node* n, UINT action) {
  if (n == t->sel) return true;
  HWND self = t->hwnd;
  if (notifyTree(t, TVN_SELCHANGING, action, t->sel, n)) return false;
  if (!(t = Get(self)) || (n && !t->live.count(n))) return false;
  Node* old = t->live.count(t->sel) ? t->sel : nullptr;
  if (old) old->state &= ~TVIS_SELECTED;
  t->sel = n;
  if (n) {
    for (Node* p = n->parent; p && p != &t->root; p = p->parent) p->state |= TVIS_EXPANDED;
    n->state |= TVIS_SELECTED;
    Changed(t);
    EnsureVisible(t, n);
  } else {
    InvalidateRect(self, nullptr, TRUE);
  }
  notifyTree(t, TVN_SELCHANGED, action, old, n);
  return Get(self) != nullptr;
}

bool Expand(Tree* t, Node* n, UINT how) {
  if (!n || n == &t->root) return false;
  bool open = how == TVE_TOGGLE ? !Expanded(n) : how == TVE_EXPAND;
  if (open == Expanded(n)) return true;
  HWND self = t->hwnd;
  UINT action = open ? TVE_EXPAND : TVE_COLLAPSE;
  if (notifyTree(t, TVN_ITEMEXPANDING, action, nullptr, n)) return false;
  if (!(t = Get(self)) || !t->live.count(n)) return false;
  if (open) n->state |= TVIS_EXPANDED;
  else n->state &= ~TVIS_EXPANDED;
  Changed(t);
  // A selection hidden by the collapse moves to the collapsed item.
  if (!open && t->sel && RowOf(t, t->sel) < 0 && !Select(t, n, TVC_UNKNOWN)) return false;
  if (!(t = Get(self))) return false;
  notifyTree(t, TVN_ITEMEXPANDED, action, nullptr, n);
  return Get(self) != nullptr;
}

namespace {

void assign(Node* n, const TVITEM& it) {
  if ((it.mask & TVIF_TEXT) && it.pszText) n->text = it.pszText;
  if (it.mask & TVIF_PARAM) n->param = it.lParam;
  if (it.mask & TVIF_IMAGE) n->image = it.iImage;
  if (it.mask & TVIF_SELECTEDIMAGE) n->selImage = it.iSelectedImage;
  if (it.mask & TVIF_CHILDREN) n->childrenFlag = it.cChildren;
  // The selected state follows TVM_SELECTITEM only.
  UINT mask = it.stateMask & ~TVIS_SELECTED;
  if (it.mask & TVIF_STATE) n->state = (n->state & ~mask) | (it.state & mask);
}

LRESULT insertItem(Tree* t, const TVINSERTSTRUCT* in) {
  if (!in) return 0;
  Node* parent = (!in->hParent || in->hParent == TVI_ROOT) ? &t->root : NodeOf(t, in->hParent);
  if (!parent) return 0;
  auto node = std::make_unique<Node>();
  Node* n = node.get();
  assign(n, in->item);
  n->parent = parent;
  auto& kids = parent->kids;
  auto at = kids.end();
  if (in->hInsertAfter == TVI_FIRST) {
    at = kids.begin();
  } else if (in->hInsertAfter == TVI_SORT) {
    at = std::find_if(kids.begin(), kids.end(), [&](Node* k) { return lstrcmpi(k->text.c_str(), n->text.c_str()) > 0; });
  } else if (in->hInsertAfter && in->hInsertAfter != TVI_LAST) {
    auto after = std::find(kids.begin(), kids.end(), reinterpret_cast<Node*>(in->hInsertAfter));
    if (after != kids.end()) at = after + 1;
  }
  kids.insert(at, n);
  t->live.insert(n);
  t->owned.push_back(std::move(node));
  Changed(t);
  return reinterpret_cast<LRESULT>(n);
}

void collect(Node* n, std::vector<Node*>& out) {
  for (Node* k : n->kids) collect(k, out);
  out.push_back(n);
}

LRESULT deleteItem(Tree* t, HTREEITEM h) {
  Node* n = (!h || h == TVI_ROOT) ? &t->root : NodeOf(t, h);
  if (!n) return FALSE;
  HWND self = t->hwnd;
  std::vector<Node*> gone;
  collect(n, gone);
  if (n == &t->root) gone.pop_back();
  for (Node* g : gone) {
    if (!(t = Get(self))) return FALSE;
    if (!t->live.count(g)) continue;
    notifyTree(t, TVN_DELETEITEM, 0, g, nullptr);
  }
  if (!(t = Get(self))) return FALSE;
  for (Node* g : gone) t->live.erase(g);
  if (t->sel && !t->live.count(t->sel)) t->sel = nullptr;
  if (n == &t->root) n->kids.clear();
  else {
    auto& sib = n->parent->kids;
    sib.erase(std::find(sib.begin(), sib.end(), n));
  }
  std::erase_if(t->owned, [&](const std::unique_ptr<Node>& p) { return !t->live.count(p.get()); });
  Changed(t);
  return TRUE;
}

LRESULT getItem(Tree* t, TVITEM* it) {
  Node* n = it ? NodeOf(t, it->hItem) : nullptr;
  if (!n) return FALSE;
  if ((it->mask & TVIF_TEXT) && it->pszText && it->cchTextMax > 0) {
    size_t len = std::min(n->text.size(), static_cast<size_t>(it->cchTextMax - 1));
    std::memcpy(it->pszText, n->text.data(), len);
    it->pszText[len] = 0;
  }
  if (it->mask & TVIF_PARAM) it->lParam = n->param;
  if (it->mask & TVIF_STATE) it->state = n->state & (it->stateMask ? it->stateMask : 0xFFFFFFFFu);
  if (it->mask & TVIF_IMAGE) it->iImage = n->image;
  if (it->mask & TVIF_SELECTEDIMAGE) it->iSelectedImage = n->selImage;
  if (it->mask & TVIF_CHILDREN) it->cChildren = n->kids.empty() ? n->childrenFlag : 1;
  return TRUE;
}

LRESULT setItem(Tree* t, const TVITEM* it) {
  Node* n = it ? NodeOf(t, it->hItem) : nullptr;
  if (!n) return FALSE;
  bool wasOpen = Expanded(n);
  assign(n, *it);
  if (wasOpen != Expanded(n)) t->rowsValid = false;
  Changed(t);
  return TRUE;
}

Node* sibling(Node* n, int step) {
  if (!n || !n->parent) return nullptr;
  auto& sib = n->parent->kids;
  auto it = std::find(sib.begin(), sib.end(), n);
  int i = static_cast<int>(it - sib.begin()) + step;
  return i >= 0 && i < static_cast<int>(sib.size()) ? sib[i] : nullptr;
}

Node* visibleStep(Tree* t, Node* n, int step) {
  int r = RowOf(t, n);
  const auto& rows = Rows(t);
  if (r < 0 || r + step < 0 || r + step >= static_cast<int>(rows.size())) return nullptr;
  return rows[r + step];
}

LRESULT getNextItem(Tree* t, UINT code, HTREEITEM h) {
  Node* n = NodeOf(t, h);
  Node* out = nullptr;
  switch (code) {
    case TVGN_ROOT: out = t->root.kids.empty() ? nullptr : t->root.kids.front(); break;
    case TVGN_NEXT: out = sibling(n, 1); break;
    case TVGN_PREVIOUS: out = sibling(n, -1); break;
    case TVGN_PARENT: out = n && n->parent != &t->root ? n->parent : nullptr; break;
    case TVGN_CHILD: {
      Node* p = (!h || h == TVI_ROOT) ? &t->root : n;
      out = p && !p->kids.empty() ? p->kids.front() : nullptr;
      break;
    }
    case TVGN_FIRSTVISIBLE: out = t->top < static_cast<int>(Rows(t).size()) ? Rows(t)[t->top] : nullptr; break;
    case TVGN_NEXTVISIBLE: out = visibleStep(t, n, 1); break;
    case TVGN_PREVIOUSVISIBLE: out = visibleStep(t, n, -1); break;
    case TVGN_CARET: out = t->sel; break;
    default: break;
  }
  return reinterpret_cast<LRESULT>(out);
}

LRESULT getItemRect(Tree* t, BOOL textOnly, RECT* r) {
  Node* n = r ? NodeOf(t, *reinterpret_cast<HTREEITEM*>(r)) : nullptr;
  int row = n ? RowOf(t, n) : -1;
  if (row < 0) return FALSE;
  RECT text = TextRect(t, row);
  if (!textOnly) {
    RECT c;
    GetClientRect(t->hwnd, &c);
    text.left = c.left;
    text.right = c.right;
  }
  *r = text;
  return TRUE;
}

LRESULT hitTestMsg(Tree* t, TVHITTESTINFO* info) {
  if (!info) return 0;
  info->hItem = HitTest(t, info->pt, &info->flags);
  return reinterpret_cast<LRESULT>(info->hItem);
}

void focusChange(Tree* t, bool on) {
  t->focus = on;
  InvalidateRect(t->hwnd, nullptr, TRUE);
  NMHDR n{};
  SendNotify(t->hwnd, &n, on ? NM_SETFOCUS : NM_KILLFOCUS);
}

LRESULT treeMessage(Tree* t, UINT msg, WPARAM wParam, LPARAM lParam, bool* handled) {
  auto h = reinterpret_cast<HTREEITEM>(lParam);
  switch (msg) {
    case TVM_INSERTITEM: return insertItem(t, reinterpret_cast<const TVINSERTSTRUCT*>(lParam));
    case TVM_DELETEITEM: return deleteItem(t, h);
    case TVM_EXPAND: return Expand(t, NodeOf(t, h), static_cast<UINT>(wParam) & TVE_TOGGLE);
    case TVM_GETITEMRECT: return getItemRect(t, static_cast<BOOL>(wParam), reinterpret_cast<RECT*>(lParam));
    case TVM_GETCOUNT: return static_cast<LRESULT>(t->live.size());
    case TVM_GETINDENT: return t->indent;
    case TVM_SETINDENT: t->indent = std::max(8, static_cast<int>(wParam)); Changed(t); return 0;
    case TVM_GETNEXTITEM: return getNextItem(t, static_cast<UINT>(wParam), h);
    case TVM_SELECTITEM:
      if (wParam == TVGN_CARET) return Select(t, h ? NodeOf(t, h) : nullptr, TVC_UNKNOWN);
      if (wParam == TVGN_FIRSTVISIBLE) { SetTop(t, RowOf(t, NodeOf(t, h))); return TRUE; }
      return FALSE;
    case TVM_GETITEM: return getItem(t, reinterpret_cast<TVITEM*>(lParam));
    case TVM_SETITEM: return setItem(t, reinterpret_cast<const TVITEM*>(lParam));
    case TVM_GETVISIBLECOUNT: return PerPage(t);
    case TVM_HITTEST: return hitTestMsg(t, reinterpret_cast<TVHITTESTINFO*>(lParam));
    case TVM_ENSUREVISIBLE: EnsureVisible(t, NodeOf(t, h)); return TRUE;
    default: *handled = false; return 0;
  }
}

LRESULT treeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    g_trees.Make(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wParam, lParam);
  }
  Tree* t = g_trees.Get(hwnd);
  if (!t) return DefWindowProc(hwnd, msg, wParam, lParam);
  bool handled = true;
  LRESULT r = treeMessage(t, msg, wParam, lParam, &handled);
  if (handled) return r;
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (msg) {
    case WM_NCDESTROY: g_trees.Drop(hwnd); return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT: t->font = reinterpret_cast<HFONT>(wParam); Changed(t); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(cc::FontOr(t->font));
    case WM_SIZE: UpdateBars(t); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(t); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFOCUS: focusChange(t, true); return 0;
    case WM_KILLFOCUS: focusChange(t, false); return 0;
    case WM_LBUTTONDOWN: MouseDown(t, p, false); return 0;
    case WM_LBUTTONDBLCLK: MouseDown(t, p, true); return 0;
    case WM_KEYDOWN: KeyDown(t, static_cast<UINT>(wParam)); return 0;
    case WM_VSCROLL: OnVScroll(t, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: SetTop(t, t->top - static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA * 3); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

}  // namespace tv

WNDPROC TreeViewWindowProc() { return &tv::treeProc; }
