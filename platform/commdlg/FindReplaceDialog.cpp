#include "platform/commdlg/FindReplaceDialog.h"

#include <cstring>
#include <map>

#include "platform/framework/CWinApp.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CDialog)

namespace {

using commdlg::SetExtendedError;

// The records of the open dialogs, so that a message's lParam leads back
// to its dialog.
std::map<const FINDREPLACE*, CFindReplaceDialog*>& notifiers() {
  static std::map<const FINDREPLACE*, CFindReplaceDialog*> map;
  return map;
}

void showItem(CWnd* dlg, int id, bool show) {
  if (CWnd* w = dlg->GetDlgItem(id)) w->ShowWindow(show ? SW_SHOW : SW_HIDE);
}
void enableItem(CWnd* dlg, int id, bool enable) {
  if (CWnd* w = dlg->GetDlgItem(id)) w->EnableWindow(enable ? TRUE : FALSE);
}

void copyText(char* dest, WORD size, const char* text) {
  if (!dest || size == 0) return;
  std::strncpy(dest, text ? text : "", size - 1);
  dest[size - 1] = '\0';
}

}  // namespace

CFindReplaceDialog::CFindReplaceDialog() {
  m_fr.lpstrFindWhat = m_szFindWhat;
  m_fr.wFindWhatLen = sizeof m_szFindWhat;
  m_fr.lpstrReplaceWith = m_szReplaceWith;
  m_fr.wReplaceWithLen = sizeof m_szReplaceWith;
}

CFindReplaceDialog::~CFindReplaceDialog() {
  auto& map = notifiers();
  if (auto it = map.find(m_pRecord); it != map.end() && it->second == this) map.erase(it);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd) {
  if (!pParentWnd) pParentWnd = AfxGetMainWnd();
  m_fr.Flags = dwFlags;
  m_fr.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  copyText(m_szFindWhat, sizeof m_szFindWhat, lpszFindWhat);
  copyText(m_szReplaceWith, sizeof m_szReplaceWith, lpszReplaceWith);
  return CreateOn(bFindDialogOnly, &m_fr);
}

BOOL CFindReplaceDialog::CreateOn(BOOL bFindDialogOnly, LPFINDREPLACE record) {
  SetExtendedError(0);
  if (!record || record->lStructSize != sizeof(FINDREPLACE)) {
    SetExtendedError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  if (!record->hwndOwner || !::IsWindow(record->hwndOwner)) {
    SetExtendedError(CDERR_INITIALIZATION);
    return FALSE;
  }
  if (!record->lpstrFindWhat || record->wFindWhatLen == 0 ||
      (!bFindDialogOnly && (!record->lpstrReplaceWith || record->wReplaceWithLen == 0))) {
    SetExtendedError(FRERR_BUFFERLENGTHZERO);
    return FALSE;
  }
  m_pRecord = record;
  m_findOnly = bFindDialogOnly != FALSE;
  m_terminated = false;
  LPCSTR templ = MAKEINTRESOURCE(m_findOnly ? IDD_COMMDLG_FIND : IDD_COMMDLG_REPLACE);
  if ((record->Flags & FR_ENABLETEMPLATE) && record->lpTemplateName) templ = record->lpTemplateName;
  const DlgTemplate* t = FindDialogTemplate(templ);
  if (!t) {
    SetExtendedError(CDERR_FINDRESFAILURE);
    return FALSE;
  }
  notifiers()[record] = this;
  if (!CreateIndirect(t, CWnd::FromHandle(record->hwndOwner))) {
    notifiers().erase(record);
    SetExtendedError(CDERR_DIALOGFAILURE);
    return FALSE;
  }
  ShowWindow(SW_SHOW);
  return TRUE;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam) {
  auto& map = notifiers();
  auto it = map.find(reinterpret_cast<const FINDREPLACE*>(lParam));
  return it == map.end() ? nullptr : it->second;
}

CString CFindReplaceDialog::GetFindString() const { return CString(Record().lpstrFindWhat ? Record().lpstrFindWhat : ""); }
CString CFindReplaceDialog::GetReplaceString() const {
  return CString(Record().lpstrReplaceWith ? Record().lpstrReplaceWith : "");
}

LRESULT CFindReplaceDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const FINDREPLACE& fr = Record();
  const bool hooked = (fr.Flags & FR_ENABLEHOOK) && fr.lpfnHook;
  if (message == WM_INITDIALOG) {
    LRESULT r = CDialog::WindowProc(message, wParam, lParam);
    if (hooked) fr.lpfnHook(m_hWnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(m_pRecord));
    return r;
  }
  if (hooked) {
    if (UINT_PTR r = fr.lpfnHook(m_hWnd, message, wParam, lParam)) return static_cast<LRESULT>(r);
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CFindReplaceDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  const FINDREPLACE& fr = Record();
  SetDlgItemText(edt1, fr.lpstrFindWhat);
  if (!m_findOnly) SetDlgItemText(edt2, fr.lpstrReplaceWith);
  CheckDlgButton(chx1, (fr.Flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(chx2, (fr.Flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(rad1, (fr.Flags & FR_DOWN) ? BST_UNCHECKED : BST_CHECKED);
  CheckDlgButton(rad2, (fr.Flags & FR_DOWN) ? BST_CHECKED : BST_UNCHECKED);
  showItem(this, chx1, !(fr.Flags & FR_HIDEWHOLEWORD));
  showItem(this, chx2, !(fr.Flags & FR_HIDEMATCHCASE));
  for (int id : {grp1, rad1, rad2}) showItem(this, id, !(fr.Flags & FR_HIDEUPDOWN));
  enableItem(this, chx1, !(fr.Flags & FR_NOWHOLEWORD));
  enableItem(this, chx2, !(fr.Flags & FR_NOMATCHCASE));
  for (int id : {rad1, rad2}) enableItem(this, id, !(fr.Flags & FR_NOUPDOWN));
  showItem(this, pshHelp, (fr.Flags & FR_SHOWHELP) != 0);
  UpdateButtons();
  GotoDlgCtrl(GetDlgItem(edt1));
  SendDlgItemMessage(edt1, EM_SETSEL, 0, -1);
  return FALSE;
}

void CFindReplaceDialog::UpdateButtons() {
  // Nothing to find, nothing to press.
  const bool any = GetDlgItem(edt1) && GetDlgItem(edt1)->GetWindowTextLength() > 0;
  for (int id : {IDOK, psh1, psh2}) enableItem(this, id, any);
}

void CFindReplaceDialog::Notify(DWORD action) {
  FINDREPLACE& fr = *m_pRecord;
  CString text;
  GetDlgItemText(edt1, text);
  copyText(fr.lpstrFindWhat, fr.wFindWhatLen, text);
  if (!m_findOnly) {
    GetDlgItemText(edt2, text);
    copyText(fr.lpstrReplaceWith, fr.wReplaceWithLen, text);
  }
  DWORD flags = fr.Flags & ~static_cast<DWORD>(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM |
                                                FR_MATCHCASE | FR_WHOLEWORD);
  if (IsDlgButtonChecked(chx1) == BST_CHECKED) flags |= FR_WHOLEWORD;
  if (IsDlgButtonChecked(chx2) == BST_CHECKED) flags |= FR_MATCHCASE;
  // The replace dialog has no direction: it searches down.
  if (m_findOnly && GetDlgItem(rad2)) {
    if (IsDlgButtonChecked(rad2) == BST_CHECKED) flags |= FR_DOWN;
    else flags &= ~static_cast<DWORD>(FR_DOWN);
  } else if (!m_findOnly) {
    flags |= FR_DOWN;
  }
  fr.Flags = flags | action;
  if (fr.hwndOwner && ::IsWindow(fr.hwndOwner))
    ::SendMessage(fr.hwndOwner, ::RegisterWindowMessage(FINDMSGSTRING), 0, reinterpret_cast<LPARAM>(m_pRecord));
}

BOOL CFindReplaceDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (lParam && id == edt1 && code == EN_CHANGE) {
    UpdateButtons();
    return TRUE;
  }
  if (lParam && code == BN_CLICKED && (id == psh1 || id == psh2) && !m_findOnly) {
    Notify(id == psh1 ? FR_REPLACE : FR_REPLACEALL);
    return TRUE;
  }
  if (lParam && code == BN_CLICKED && id == pshHelp) {
    if (m_pRecord->hwndOwner)
      ::SendMessage(m_pRecord->hwndOwner, ::RegisterWindowMessage(HELPMSGSTRING), reinterpret_cast<WPARAM>(m_hWnd),
                    reinterpret_cast<LPARAM>(m_pRecord));
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CFindReplaceDialog::OnOK() {
  if (GetDlgItem(edt1) && GetDlgItem(edt1)->GetWindowTextLength() > 0) Notify(FR_FINDNEXT);
}

void CFindReplaceDialog::OnCancel() {
  if (m_terminated) return;
  m_terminated = true;
  // The owner may close the dialog itself on hearing of it (and so delete
  // this object): only the handle is looked at afterwards.
  HWND self = m_hWnd;
  Notify(FR_DIALOGTERM);
  if (::IsWindow(self)) ::DestroyWindow(self);
}

void CFindReplaceDialog::PostNcDestroy() {
  auto& map = notifiers();
  if (auto it = map.find(m_pRecord); it != map.end() && it->second == this) map.erase(it);
  CDialog::PostNcDestroy();
  if (m_bAutoDelete) delete this;
}

namespace {
HWND openDialog(LPFINDREPLACE fr, BOOL findOnly) {
  auto* dlg = new CFindReplaceDialog;
  if (!dlg->CreateOn(findOnly, fr)) {
    delete dlg;
    return nullptr;
  }
  return dlg->m_hWnd;
}
}  // namespace

HWND FindText(LPFINDREPLACE fr) { return openDialog(fr, TRUE); }
HWND ReplaceText(LPFINDREPLACE fr) { return openDialog(fr, FALSE); }
