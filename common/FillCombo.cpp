#include "common/FillCombo.h"

#include "platform/window/Messages.h"

int CFillCombo::SubclassDlgItem(UINT id, CWnd* parent) {
  if (parent == nullptr || !CComboBox::SubclassDlgItem(id, parent)) return 0;
  ModifyStyle(0, CBS_DROPDOWN | CBS_SORT);
  return 1;
}

void CFillCombo::AddCurrentText() {
  CString text;
  GetWindowText(text);
  if (SendMessage(CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text))) ==
      CB_ERR)
    SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}

// The combo's inner windows ask it for their colours; the first request of
// each is where they are attached.
HBRUSH CFillCombo::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  if (wnd != nullptr && wnd->GetSafeHwnd() != nullptr) {
    if (ctlColor == CTLCOLOR_EDIT && m_edit.GetSafeHwnd() == nullptr && CWnd::FromHandlePermanent(*wnd) == nullptr) {
      if (m_edit.SubclassWindow(wnd->GetSafeHwnd())) m_edit.m_pCombo = this;
    } else if (ctlColor == CTLCOLOR_LISTBOX && m_list.GetSafeHwnd() == nullptr &&
               CWnd::FromHandlePermanent(*wnd) == nullptr) {
      if (m_list.SubclassWindow(wnd->GetSafeHwnd())) m_list.ModifyStyle(0, LBS_SORT);
    }
  }
  return CComboBox::OnCtlColor(dc, wnd, ctlColor);
}

void CFillEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CEdit::OnChar(nChar, nRepCnt, nFlags);
  if (m_pCombo == nullptr) return;
  const DWORD sel = static_cast<DWORD>(m_pCombo->SendMessage(CB_GETEDITSEL));
  const int caret = LOWORD(sel);
  CString typed;
  GetWindowText(typed);
  // A key that shortened or merely changed the earlier text completes nothing.
  if (m_strTyped.Find(typed) < 0) {
    const int found = static_cast<int>(m_pCombo->SendMessage(
        CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(typed))));
    if (found != CB_ERR) {
      CString entry;
      m_pCombo->GetLBText(found, entry);
      m_pCombo->SetWindowText(entry);
      m_pCombo->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(caret, 0xFFFF));
      typed = entry.Left(caret);
    }
  }
  m_strTyped = typed;
}
