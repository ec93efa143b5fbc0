// The tree view's rows (the expanded tree, one item a row, indented by its
// level), its vertical scroll bar, its picture (dotted lines, plus and minus
// buttons, the selected label) and its mouse and keys.
#include <algorithm>

#include "platform/commctrl/TreeViewImpl.h"

using namespace ctl;

namespace tv {

int RowHeight(Tree* t) { return Measure(cc::FontOr(t->font)).height + 3; }

int PerPage(Tree* t) {
  RECT c;
  GetClientRect(t->hwnd, &c);
  return std::max(1, static_cast<int>(c.bottom - c.top) / RowHeight(t));
}

// Columns of indent before the item's text: its level, plus one for the
// buttons and lines of the top level with TVS_LINESATROOT.
int Depth(Tree* t, const Node* n) {
  int d = (StyleOf(t->hwnd) & TVS_LINESATROOT) ? 1 : 0;
  for (const Node* p = n->parent; p && p != &t->root; p = p->parent) ++d;
  return d;
}

RECT TextRect(Tree* t, int row) {
  Node* n = Rows(t)[row];
  FontInfo fi = Measure(cc::FontOr(t->font));
  int x = Depth(t, n) * t->indent + 2;
  int y = (row - t->top) * RowHeight(t);
  return RECT{x, y, x + TextWidth(fi, n->text.c_str(), static_cast<int>(n->text.size())) + 4, y + RowHeight(t)};
}

HTREEITEM HitTest(Tree* t, POINT p, UINT* flags) {
  *flags = TVHT_NOWHERE;
  RECT c;
  GetClientRect(t->hwnd, &c);
  if (!PtInRect(&c, p)) return nullptr;
  int row = t->top + p.y / RowHeight(t);
  if (row >= static_cast<int>(Rows(t).size())) return nullptr;
  Node* n = Rows(t)[row];
  RECT text = TextRect(t, row);
  int col = Depth(t, n);
  if (p.x >= text.left && p.x < text.right) *flags = TVHT_ONITEMLABEL;
  else if (p.x >= text.right) *flags = TVHT_ONITEMRIGHT;
  else if (col > 0 && p.x >= (col - 1) * t->indent && HasButton(n) && (StyleOf(t->hwnd) & TVS_HASBUTTONS))
    *flags = TVHT_ONITEMBUTTON;
  else *flags = TVHT_ONITEMINDENT;
  return HandleOf(n);
}

void UpdateBars(Tree* t) {
  if (t->settingBars) return;
  t->settingBars = true;
  HWND self = t->hwnd;
  for (int pass = 0; pass < 2 && (t = Get(self)); ++pass) {
    int count = static_cast<int>(Rows(t).size());
    t->top = std::clamp(t->top, 0, std::max(0, count - PerPage(t)));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, count - 1);
    si.nPage = static_cast<UINT>(PerPage(t));
    si.nPos = t->top;
    SetScrollInfo(self, SB_VERT, &si, TRUE);
  }
  if ((t = Get(self))) t->settingBars = false;
}

void SetTop(Tree* t, int top) {
  int count = static_cast<int>(Rows(t).size());
  top = std::clamp(top, 0, std::max(0, count - PerPage(t)));
  if (top == t->top) return;
  t->top = top;
  InvalidateRect(t->hwnd, nullptr, TRUE);
  SetScrollPos(t->hwnd, SB_VERT, top, TRUE);
}

void EnsureVisible(Tree* t, Node* n) {
  if (!n) return;
  bool opened = false;
  for (Node* p = n->parent; p && p != &t->root; p = p->parent)
    if (!Expanded(p)) p->state |= TVIS_EXPANDED, opened = true;
  if (opened) Changed(t);
  int row = RowOf(t, n);
  if (row < t->top) SetTop(t, row);
  else if (row >= t->top + PerPage(t)) SetTop(t, row - PerPage(t) + 1);
}

void OnVScroll(Tree* t, UINT code) { SetTop(t, cc::ScrollTarget(t->hwnd, SB_VERT, code, t->top, 1, PerPage(t))); }

namespace {

bool hasNextSibling(const Node* n) { return n->parent && n->parent->kids.back() != n; }

// Dotted lines: every other pixel on the window's pixel grid, so that the
// dots of neighbouring rows line up.
void dotsV(CDC* dc, int x, int y0, int y1, COLORREF c) {
  for (int y = y0 + ((x + y0) & 1); y < y1; y += 2) dc->FillSolidRect(x, y, 1, 1, c);
}
void dotsH(CDC* dc, int x0, int x1, int y, COLORREF c) {
  for (int x = x0 + ((x0 + y) & 1); x < x1; x += 2) dc->FillSolidRect(x, y, 1, 1, c);
}

void drawLines(Tree* t, CDC* dc, Node* n, int y, int rh) {
  COLORREF c = GetSysColor(COLOR_3DSHADOW);
  int col = Depth(t, n);
  if (col == 0) return;
  int mid = y + rh / 2;
  int x = (col - 1) * t->indent + t->indent / 2;
  bool firstAtTop = n->parent == &t->root && n->parent->kids.front() == n;
  dotsV(dc, x, firstAtTop ? mid : y, hasNextSibling(n) ? y + rh : mid + 1, c);
  dotsH(dc, x, col * t->indent, mid, c);
  int k = col - 1;
  for (Node* p = n->parent; p && p != &t->root && k > 0; p = p->parent, --k)
    if (hasNextSibling(p)) dotsV(dc, (k - 1) * t->indent + t->indent / 2, y, y + rh, c);
}

void drawButton(Tree* t, CDC* dc, Node* n, int y, int rh) {
  int col = Depth(t, n);
  if (col == 0 || !HasButton(n)) return;
  int cx = (col - 1) * t->indent + t->indent / 2, cy = y + rh / 2;
  RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
  dc->FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
  dc->Draw3dRect(&box, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DSHADOW));
  COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
  dc->FillSolidRect(cx - 2, cy, 5, 1, ink);
  if (!Expanded(n)) dc->FillSolidRect(cx, cy - 2, 1, 5, ink);
}

void drawLabel(Tree* t, CDC* dc, Node* n, int row) {
  RECT r = TextRect(t, row);
  bool sel = n == t->sel;
  bool shown = sel && (t->focus || (StyleOf(t->hwnd) & TVS_SHOWSELALWAYS));
  COLORREF text = GetSysColor(IsWindowEnabled(t->hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  if (shown) {
    dc->FillSolidRect(&r, GetSysColor(t->focus ? COLOR_HIGHLIGHT : COLOR_3DFACE));
    if (t->focus) text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  dc->SetTextColor(text);
  RECT tr{r.left + 2, r.top, r.right, r.bottom};
  cc::DrawLabel(dc, t->font, n->text.c_str(), tr, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (sel && t->focus) dc->DrawFocusRect(&r);
}

}  // namespace

void Paint(Tree* t) {
  PaintScope ps(t->hwnd);
  if (!ps.dc) return;
  RECT c;
  GetClientRect(t->hwnd, &c);
  ps.dc->FillSolidRect(&c, GetSysColor(COLOR_WINDOW));
  DWORD st = StyleOf(t->hwnd);
  int rh = RowHeight(t);
  const auto& rows = Rows(t);
  for (int row = t->top; row < static_cast<int>(rows.size()) && (row - t->top) * rh < c.bottom; ++row) {
    int y = (row - t->top) * rh;
    if (st & TVS_HASLINES) drawLines(t, ps.dc, rows[row], y, rh);
    if (st & TVS_HASBUTTONS) drawButton(t, ps.dc, rows[row], y, rh);
    drawLabel(t, ps.dc, rows[row], row);
  }
}

void MouseDown(Tree* t, POINT p, bool dbl) {
  HWND self = t->hwnd;
  if (GetFocus() != self) SetFocus(self);
  if (!(t = Get(self))) return;
  UINT flags;
  Node* n = NodeOf(t, HitTest(t, p, &flags));
  if (!n) return;
  if (flags & TVHT_ONITEMBUTTON) {
    Expand(t, n, TVE_TOGGLE);
    return;
  }
  if (!(flags & TVHT_ONITEM)) return;
  if (!Select(t, n, TVC_BYMOUSE) || !(t = Get(self))) return;
  NMHDR hdr{};
  if (SendNotify(self, &hdr, dbl ? NM_DBLCLK : NM_CLICK) == 0 && dbl && (t = Get(self)) && t->live.count(n))
    Expand(t, n, TVE_TOGGLE);
}

void KeyDown(Tree* t, UINT vk) {
  HWND self = t->hwnd;
  NMTVKEYDOWN k{};
  k.wVKey = static_cast<WORD>(vk);
  SendNotify(self, &k.hdr, TVN_KEYDOWN);
  if (!(t = Get(self))) return;
  const auto& rows = Rows(t);
  if (rows.empty()) return;
  Node* n = t->sel;
  int row = n ? RowOf(t, n) : -1;
  int last = static_cast<int>(rows.size()) - 1;
  auto go = [&](int r) { Select(t, rows[std::clamp(r, 0, last)], TVC_BYKEYBOARD); };
  switch (vk) {
    case VK_UP: go(row - 1); break;
    case VK_DOWN: go(row + 1); break;
    case VK_HOME: go(0); break;
    case VK_END: go(last); break;
    case VK_PRIOR: go(row - (PerPage(t) - 1)); break;
    case VK_NEXT: go(row + (PerPage(t) - 1)); break;
    case VK_LEFT:
      if (n && Expanded(n) && HasButton(n)) Expand(t, n, TVE_COLLAPSE);
      else if (n && n->parent != &t->root) Select(t, n->parent, TVC_BYKEYBOARD);
      break;
    case VK_RIGHT:
      if (n && HasButton(n) && !Expanded(n)) Expand(t, n, TVE_EXPAND);
      else if (n && !n->kids.empty()) Select(t, n->kids.front(), TVC_BYKEYBOARD);
      break;
    case VK_ADD: if (n) Expand(t, n, TVE_EXPAND); break;
    case VK_SUBTRACT: if (n) Expand(t, n, TVE_COLLAPSE); break;
    case VK_RETURN: {
      NMHDR hdr{};
      SendNotify(self, &hdr, NM_RETURN);
      break;
    }
    default: break;
  }
}

}  // namespace tv
