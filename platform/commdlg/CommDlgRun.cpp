#include "platform/commdlg/CommDlgRun.h"

namespace commdlg {

INT_PTR RunModal(CDialog& dlg, LPCSTR templateName, HWND owner) {
  if (templateName) {
    if (!FindDialogTemplate(templateName)) {
      SetExtendedError(CDERR_FINDRESFAILURE);
      return IDCANCEL;
    }
    dlg.m_lpszTemplateName = templateName;
  }
  if (!dlg.m_pParentWnd && owner) dlg.m_pParentWnd = CWnd::FromHandle(owner);
  // The base's loop: the caller's DoModal is the one running this.
  INT_PTR r = dlg.CDialog::DoModal();
  if (r == -1) {
    SetExtendedError(CDERR_DIALOGFAILURE);
    return IDCANCEL;
  }
  return r;
}

}  // namespace commdlg
