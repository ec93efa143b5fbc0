#include "common/PickLabel.h"

#include "common/EditLabel.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/gfx/GdiObject.h"

CPickLabel::CPickLabel() {
  if (!m_menu.CreatePopupMenu()) AfxMessageBox("Could not create CPickLabel popup menu", MB_ICONEXCLAMATION);
}

int CPickLabel::SubclassDlgItem(UINT labelId, CDialog* parent, int* changed) {
  if (parent == nullptr || !CStatic::SubclassDlgItem(labelId, parent)) return 0;
  m_pbChanged = changed;
  ModifyStyle(0, SS_NOTIFY);
  m_rcLabel = RectInParent(this, parent);
  CreateLabelArrow(m_arrow, parent, m_rcLabel, labelId, OBM_COMBO);
  return 1;
}

void CPickLabel::AddChoice(const CString& choice) {
  if (m_menu.GetSafeHmenu() == nullptr) return;
  m_menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(m_menu.GetMenuItemCount() + 1), choice);
}

void CPickLabel::AddChoices(const CStringArray& choices) {
  for (INT_PTR i = 0; i < choices.GetSize(); ++i) AddChoice(choices[i]);
}

bool CPickLabel::IsValidItem(int item) const {
  return m_menu.GetSafeHmenu() != nullptr && item >= 1 && item <= static_cast<int>(m_menu.GetMenuItemCount());
}

void CPickLabel::GetSelText(CString& out) const {
  out.Empty();
  if (IsValidItem(m_nSel)) m_menu.GetMenuString(static_cast<UINT>(m_nSel), out, MF_BYCOMMAND);
}

int CPickLabel::SetSel(int item) {
  if (!IsValidItem(item)) item = -1;
  m_nSel = item;
  UpdateText();
  return item;
}

void CPickLabel::SelectText(const CString& text) {
  const int count = m_menu.GetSafeHmenu() ? static_cast<int>(m_menu.GetMenuItemCount()) : 0;
  for (int item = 1; item <= count; ++item) {
    CString choice;
    m_menu.GetMenuString(static_cast<UINT>(item), choice, MF_BYCOMMAND);
    if (choice == text) {
      SetSel(item);
      return;
    }
  }
  SetSel(-1);
}

void CPickLabel::UpdateText() {
  if (!IsValidItem(m_nSel)) {
    SetWindowText("");
    return;
  }
  CString text;
  GetSelText(text);
  SetWindowText(text + ":");
  if (m_pbChanged) *m_pbChanged = 1;
}

void CPickLabel::OnLButtonDown(UINT, CPoint) {
  if (m_menu.GetSafeHmenu() == nullptr) return;
  POINT at{m_rcLabel.left, m_rcLabel.top};
  if (CWnd* parent = GetParent()) parent->ClientToScreen(&at);
  const int item = static_cast<int>(
      m_menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, this));
  if (IsValidItem(item) && item != m_nSel) SetSel(item);
}

void DDX_PickLabel(CDataExchange* pDX, CPickLabel& label, CString& value) {
  if (label.GetSafeHwnd() == nullptr) return;
  if (pDX->m_bSaveAndValidate)
    label.GetSelText(value);
  else
    label.SelectText(value);
}
