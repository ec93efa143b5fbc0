#include "common/FolderDialog.h"

#include <algorithm>
#include <cstdio>

#include "common/FolderOnly.h"
#include "platform/framework/CWinApp.h"
#include "res/resource.h"

namespace {

// The drive label and list, hidden: there are no drive letters.
const int kDriveControls[] = {1091, 1137};
constexpr int kFolderList = 1121;

}  // namespace

CFolderDialog::CFolderDialog(BOOL openFileDialog, LPCTSTR defExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                             CWnd* parent)
    : CFileDialog(openFileDialog, defExt, fileName, flags, filter, parent) {}

void CFolderDialog::Prepare(const char* startFolder) {
  std::snprintf(m_szPath, sizeof m_szPath, "%s", startFolder ? startFolder : "");
  m_ofn.lpstrTitle = "Select Folder";
  m_ofn.hInstance = AfxGetInstanceHandle();
  m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_FOLDER_PICKER);
  m_ofn.lpstrFile = m_szPath;
  m_ofn.nMaxFile = sizeof m_szPath;
  m_ofn.Flags &= ~static_cast<DWORD>(OFN_SHOWHELP | OFN_EXPLORER);
}

CString CFolderDialog::GetFolder() const {
  const CString path = GetPathName();
  const int cut = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
  if (cut < 0) return path;
  // The root keeps its separator.
  return cut == 0 ? path.Left(1) : path.Left(cut);
}

BOOL CFolderDialog::OnInitDialog() {
  ShowOnlyFolders(*this);
  for (int id : kDriveControls)
    if (CWnd* c = GetDlgItem(id)) c->ShowWindow(SW_HIDE);
  if (CWnd* folders = GetDlgItem(kFolderList)) folders->SetFocus();
  m_bFirstPaint = 1;
  CenterWindow(CWnd::GetDesktopWindow());
  CFileDialog::OnInitDialog();
  if (CWnd* folders = GetDlgItem(kFolderList)) GotoDlgCtrl(folders);
  return FALSE;
}

void CFolderDialog::OnPaint() {
  if (m_bFirstPaint) {
    m_bFirstPaint = 0;
    SendDlgItemMessage(kFolderList, LB_SETCURSEL, 0, 0);
  }
  CFileDialog::OnPaint();
}
