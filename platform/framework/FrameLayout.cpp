// The frame's layout: each visible control bar takes its share of the client
// area along its edge (WM_SIZEPARENT), in creation order; the view gets
// what remains.
#include <algorithm>

#include "platform/framework/ControlBar.h"
#include "platform/framework/Frame.h"

void CFrameWnd::RecalcLayout(BOOL) {
  if (!m_hWnd) return;
  AFX_SIZEPARENTPARAMS layout;
  GetClientRect(&layout.rect);
  layout.sizeTotal = SIZE{layout.rect.right, layout.rect.bottom};
  for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
    if (child->GetDlgCtrlID() == AFX_IDW_PANE_FIRST) continue;
    child->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if (CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST)) {
    RECT& r = layout.rect;
    pane->MoveWindow(r.left, r.top, std::max<int>(0, r.right - r.left), std::max<int>(0, r.bottom - r.top));
  }
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL) {
  if (!bar || !bar->GetSafeHwnd()) return;
  bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  RecalcLayout();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (type != SIZE_MINIMIZED) RecalcLayout();
}
