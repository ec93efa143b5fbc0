#include "grid/core/GXToolTipProxy.h"

#include "grid/core/GXGridCore.h"

namespace {

constexpr WORD kTooltipText = 51022;

}  // namespace

CGXToolTipCtrlProxy::~CGXToolTipCtrlProxy() {
  if (m_wndToolTip.GetSafeHwnd() != nullptr) m_wndToolTip.DestroyWindow();
  if (m_wndTool.GetSafeHwnd() != nullptr) m_wndTool.DestroyWindow();
}

BOOL CGXToolTipCtrlProxy::Create() {
  m_pGridWnd = m_pGrid->m_pGridWnd;
  if (m_wndTool.GetSafeHwnd() != nullptr) return TRUE;
  if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr) return FALSE;
  if (!m_wndTool.Create("button", "", WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), m_pGridWnd, kToolId)) return FALSE;
  if (!m_wndToolTip.Create(&m_wndTool, TTS_ALWAYSTIP)) {
    m_wndTool.DestroyWindow();
    return FALSE;
  }
  const CRect grid = m_pGrid->GetGridRect();
  m_wndToolTip.AddTool(&m_wndTool, LPSTR_TEXTCALLBACK, &grid, kToolId);
  m_wndToolTip.Activate(FALSE);
  return TRUE;
}

void CGXToolTipCtrlProxy::RelayEvent(MSG* msg) {
  if (m_wndToolTip.GetSafeHwnd() == nullptr || msg == nullptr) return;
  if (msg->message < WM_MOUSEFIRST || msg->message > WM_MOUSELAST) return;
  m_wndToolTip.RelayEvent(msg);
}

void CGXToolTipCtrlProxy::OnSize() {
  if (m_wndToolTip.GetSafeHwnd() == nullptr) return;
  const CRect grid = m_pGrid->GetGridRect();
  m_wndToolTip.SetToolRect(&m_wndTool, kToolId, &grid);
  Reset();
}

void CGXToolTipCtrlProxy::Reset() { m_nRow = m_nCol = static_cast<ROWCOL>(-1); }

BOOL CGXToolTipCtrlProxy::OnMouseMove(CPoint point) {
  ROWCOL row = 0, col = 0;
  const int hit = m_pGrid->HitTest(point, &row, &col);
  if (hit != CGXGridCore::kHitNone && hit != CGXGridCore::kHitCell && hit != CGXGridCore::kHitHeader) return FALSE;
  CGXRange block;
  if (hit != CGXGridCore::kHitNone && m_pGrid->GetCoveredCellsRowCol(row, col, block) != nullptr) {
    row = block.top;
    col = block.left;
  }
  if (hit == CGXGridCore::kHitNone) row = col = static_cast<ROWCOL>(-1);
  if (row == m_nRow && col == m_nCol) return FALSE;
  m_nRow = row;
  m_nCol = col;
  m_sText.Empty();
  if (hit != CGXGridCore::kHitNone) {
    CGXStyle* style = m_pGrid->CreateScratchStyle();
    const BOOL old = m_pGrid->m_bComposingForTip;
    m_pGrid->m_bComposingForTip = TRUE;
    try {
      m_pGrid->ComposeStyleRowCol(row, col, *style);
    } catch (...) {
      m_pGrid->m_bComposingForTip = old;
      m_pGrid->RecycleScratchStyle(style);
      throw;
    }
    m_pGrid->m_bComposingForTip = old;
    if (style->HasUserAttribute(kTooltipText)) m_sText = style->GetUserAttribute(kTooltipText).GetValue();
    m_pGrid->RecycleScratchStyle(style);
  }
  if (!m_sText.IsEmpty()) {
    if (!Create()) return TRUE;
    m_wndToolTip.Activate(TRUE);
    m_wndToolTip.Pop();
    m_wndToolTip.UpdateTipText(m_sText, &m_wndTool, kToolId);
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr) m_pGridWnd->UpdateWindow();
  } else if (m_wndToolTip.GetSafeHwnd() != nullptr) {
    m_wndToolTip.Activate(FALSE);
  }
  return TRUE;
}
