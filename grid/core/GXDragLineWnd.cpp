#include "grid/core/GXDragLineWnd.h"

#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "platform/gfx/GdiObject.h"
#include "platform/framework/WindowDc.h"

BOOL CGXDragLineWnd::Create(CWnd* parent) {
  if (parent == nullptr) return FALSE;
  const CString& className = GXGetAppData()->m_texts[30];
  if (className.IsEmpty()) return FALSE;  // the library is not initialised
  return CreateEx(0, className, "", WS_CHILD, 0, 0, 1, 1, parent->m_hWnd, nullptr);
}

void CGXDragLineWnd::OnPaint() {
  CPaintDC dc(this);
  CRect r;
  GetClientRect(&r);
  if (m_bPatterned && m_pGrid != nullptr) {
    m_pGrid->DrawGridLine(&dc, r.left, r.top, r.Width(), r.Height(), m_nPatternValue1, 0,
                          static_cast<UINT>(m_nPatternValue2));
    return;
  }
  const LOGPEN lp = m_pen.GetLogPenCopy();
  CPen pen;
  pen.CreatePenIndirect(&lp);
  CPen* old = dc.SelectObject(&pen);
  dc.MoveTo(r.left, r.top);
  dc.LineTo(r.right - 1, r.bottom - 1);
  dc.SelectObject(old);
}
