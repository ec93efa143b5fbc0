// CScrollBar: the framework's wrapper of a "ScrollBar" control.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"

class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
 public:
  CScrollBar();
  using CWnd::Create;  // the generic form stays callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
  void GetScrollRange(LPINT minPos, LPINT maxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, minPos, maxPos); }
  void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw); }
  void ShowScrollBar(BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, show); }
  BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, arrows); }
  BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE) { return ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw) != 0 || info; }
  BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) {
    if (!info) return FALSE;
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, info);
  }
  // The largest position the bar can reach (its maximum less the page).
  int GetScrollLimit();
};

// The wrapper handed to OnHScroll/OnVScroll for a scroll-bar control: the
// permanent CScrollBar when there is one, else one kept for the window.
CScrollBar* ScrollBarFromHandle(HWND hwnd);
