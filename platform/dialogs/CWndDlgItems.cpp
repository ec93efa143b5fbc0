// CWnd's members over the dialog manager (dialog items, buttons, tab order)
// and the message box: they belong to the dialogs layer, which the core of
// the framework lies below.
#include "platform/dialogs/DlgManager.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
void CWnd::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }
int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
  return 0;
}
void CWnd::SetDlgItemText(int nID, LPCTSTR text) { ::SetDlgItemText(m_hWnd, nID, text); }
int CWnd::GetDlgItemText(int nID, LPTSTR buffer, int maxCount) const {
  return static_cast<int>(::GetDlgItemText(m_hWnd, nID, buffer, maxCount));
}
int CWnd::GetDlgItemText(int nID, CString& text) const {
  text.Empty();
  if (CWnd* c = GetDlgItem(nID)) c->GetWindowText(text);
  return text.GetLength();
}
void CWnd::SetDlgItemInt(int nID, UINT value, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, value, bSigned); }
UINT CWnd::GetDlgItemInt(int nID, BOOL* translated, BOOL bSigned) const {
  return ::GetDlgItemInt(m_hWnd, nID, translated, bSigned);
}
LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}
CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}
CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
  return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
  return ::MessageBox(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}
