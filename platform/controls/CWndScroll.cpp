// CWnd's scroll-bar members: the scroll-bar functions of the window, or of
// the scroll-bar control that GetScrollBarCtrl names for a bar (so they live
// with the controls, above the core of the framework).
#include <algorithm>

#include "platform/controls/CtlScrollBar.h"
#include "platform/framework/CWnd.h"

namespace {

// The window a member acts on for `bar`, turning `bar` into SB_CTL when a
// control stands in for the window's own bar.
HWND barWindow(const CWnd* wnd, int& bar) {
  if (bar == SB_HORZ || bar == SB_VERT)
    if (CScrollBar* ctl = wnd->GetScrollBarCtrl(bar)) {
      bar = SB_CTL;
      return ctl->m_hWnd;
    }
  return wnd->m_hWnd;
}

}  // namespace

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return nullptr; }

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
  HWND h = barWindow(this, bar);
  if (!info || !::IsWindow(h)) return FALSE;
  ::SetScrollInfo(h, bar, info, redraw);
  return TRUE;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) {
  if (!info) return FALSE;
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  HWND h = barWindow(this, bar);
  return ::GetScrollInfo(h, bar, info);
}

int CWnd::SetScrollPos(int bar, int pos, BOOL redraw) {
  HWND h = barWindow(this, bar);
  return ::SetScrollPos(h, bar, pos, redraw);
}

int CWnd::GetScrollPos(int bar) const {
  HWND h = barWindow(this, bar);
  return ::GetScrollPos(h, bar);
}

void CWnd::SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw) {
  HWND h = barWindow(this, bar);
  ::SetScrollRange(h, bar, minPos, maxPos, redraw);
}

void CWnd::GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const {
  HWND h = barWindow(this, bar);
  ::GetScrollRange(h, bar, minPos, maxPos);
}

void CWnd::ShowScrollBar(UINT bar, BOOL show) { ::ShowScrollBar(m_hWnd, static_cast<int>(bar), show); }

void CWnd::EnableScrollBarCtrl(int bar, BOOL enable) {
  if (bar == SB_BOTH) {
    EnableScrollBarCtrl(SB_HORZ, enable);
    EnableScrollBarCtrl(SB_VERT, enable);
  } else if (CScrollBar* ctl = GetScrollBarCtrl(bar)) {
    ctl->EnableWindow(enable);
  } else {
    ShowScrollBar(static_cast<UINT>(bar), enable);
  }
}

BOOL CWnd::EnableScrollBar(int sbFlags, UINT arrowFlags) {
  if (sbFlags == SB_BOTH && (GetScrollBarCtrl(SB_HORZ) || GetScrollBarCtrl(SB_VERT))) {
    BOOL horz = EnableScrollBar(SB_HORZ, arrowFlags);
    BOOL vert = EnableScrollBar(SB_VERT, arrowFlags);
    return horz && vert;
  }
  HWND h = barWindow(this, sbFlags);
  return ::EnableScrollBar(h, static_cast<UINT>(sbFlags), arrowFlags);
}

int CWnd::GetScrollLimit(int bar) {
  SCROLLINFO si;
  if (!GetScrollInfo(bar, &si, SIF_RANGE | SIF_PAGE)) return 0;
  return si.nPage ? std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1) : si.nMax;
}
