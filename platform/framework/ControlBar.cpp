// CControlBar: layout share, idle updates, borders and prompts.
#include "platform/framework/ControlBar.h"

#include "platform/gfx/Dc.h"
#include "platform/gfx/SysColors.h"
#include "platform/framework/Frame.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::~CControlBar() { DestroyWindow(); }

DWORD CControlBar::SplitStyle(DWORD style, DWORD* barStyle) {
  // The CBRS_ bits share the low word with class styles of the bar's own
  // control; they stay with the C++ object.
  const DWORD barBits = CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC | CBRS_GRIPPER;
  if (barStyle) *barStyle = style & barBits;
  return style & ~barBits;
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  for (CWnd* p = GetParent(); p; p = p->GetParent())
    if (p->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(p);
  return nullptr;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  // The frame may still be hidden: the bar's own style says whether it shows.
  if (!layout || !(GetStyle() & WS_VISIBLE)) return 0;
  RECT& room = layout->rect;
  const int width = room.right - room.left;
  if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
    CSize size = CalcFixedLayout(layout->bStretch, TRUE);
    room.bottom -= size.cy;
    MoveWindow(room.left, room.bottom, width, size.cy);
  } else if (m_dwStyle & CBRS_ALIGN_TOP) {
    CSize size = CalcFixedLayout(layout->bStretch, TRUE);
    MoveWindow(room.left, room.top, width, size.cy);
    room.top += size.cy;
  }
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  CFrameWnd* target = GetDockingFrame();
  if (target) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}

void CControlBar::SetStatusPrompt(UINT nID) {
  if (!(m_dwStyle & CBRS_FLYBY)) return;
  CFrameWnd* frame = GetDockingFrame();
  if (!frame) return;
  frame->m_nIDTracking = nID ? nID : static_cast<UINT>(AFX_IDS_IDLEMESSAGE);
  frame->SetMessageText(frame->m_nIDTracking);
}

void CControlBar::DrawBorders(CDC* dc, RECT& rect) {
  const COLORREF shadow = GetSysColor(COLOR_3DSHADOW), light = GetSysColor(COLOR_3DHILIGHT);
  if (m_dwStyle & CBRS_BORDER_TOP) {
    dc->FillSolidRect(rect.left, rect.top, rect.right - rect.left, 1, shadow);
    dc->FillSolidRect(rect.left, rect.top + 1, rect.right - rect.left, 1, light);
    rect.top += 2;
  }
  if (m_dwStyle & CBRS_BORDER_BOTTOM) {
    dc->FillSolidRect(rect.left, rect.bottom - 2, rect.right - rect.left, 1, shadow);
    dc->FillSolidRect(rect.left, rect.bottom - 1, rect.right - rect.left, 1, light);
    rect.bottom -= 2;
  }
}

BOOL CControlBar::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}
