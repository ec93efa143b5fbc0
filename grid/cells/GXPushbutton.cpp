// The push-button cell.
#include "grid/cells/GXPushbutton.h"

const GXControlClass CGXPushbutton::CGXPushbuttonRecord = {"CGXPushbutton", &CGXControl::CGXControlRecord};

CGXPushbutton::CGXPushbutton(CGXGridCore* grid) : CGXControl(grid), m_pButton(new CGXButton(this)) {
  AddChild(m_pButton);
}

void CGXPushbutton::Init(ROWCOL row, ROWCOL col) {
  CGXControl::Init(row, col);
  if (CWnd* wnd = GetGridWnd(); wnd != nullptr && wnd->GetSafeHwnd() != nullptr) {
    const CRect r = m_pButton->GetRect();
    wnd->InvalidateRect(&r, FALSE);
  }
}

void CGXPushbutton::OnInitChildren(ROWCOL row, ROWCOL col, const CRect& cellRect) {
  SetCapturedChild(m_pButton);
  m_pButton->SetRect(cellRect);
  CGXStyle composed;
  const CGXStyle* style = &composed;
  if (IsInitializedFor(row, col)) style = &GetStyle();
  else m_pGrid->ComposeStyleRowCol(row, col, composed);
  m_pButton->SetText(style->GetIncludeChoiceList() ? static_cast<LPCTSTR>(style->GetChoiceList()) : "");
}

void CGXPushbutton::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                         const CGXStyle* baseStyle) {
  if (rect.Width() <= 1 || rect.Height() <= 1) return;
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  Draw3dFrame(dc, rect, style);
  dc->SetTextColor(style.GetIncludeTextColor() ? style.GetTextColor() : RGB(0, 0, 0));
  OnInitChildren(row, col, rect);
  const BOOL active = IsCurrentCell() && m_pGrid->m_pGridWnd != nullptr &&
                      ::GetFocus() == m_pGrid->m_pGridWnd->GetSafeHwnd();
  for (int i = 0; i < GetChildCount(); ++i) GetChild(i)->Draw(dc, active, style);
  (void)baseStyle;
  if (old != nullptr) dc->SelectObject(old);
}

CSize CGXPushbutton::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL, BOOL) {
  CFont* old = m_pGrid->SelectStyleFont(dc, style, nullptr);
  const CSize extent = dc->GetTextExtent(style.GetChoiceList());
  if (old != nullptr) dc->SelectObject(old);
  return CalcSize(extent.cx + 8, extent.cy + 4, style);
}
