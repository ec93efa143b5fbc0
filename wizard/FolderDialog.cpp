#include "wizard/FolderDialog.h"

#include "common/FolderOnly.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"

namespace wiz {

CFolderDialog::CFolderDialog(const std::string& title, const std::string& initialFolder, CWnd* parent)
    : CFileDialog(TRUE, nullptr, nullptr,
                  OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_NONETWORKBUTTON | OFN_LONGNAMES |
                      OFN_ENABLETEMPLATE,
                  nullptr, parent),
      title_(title),
      initial_(initialFolder) {
  if (!initial_.empty() && initial_.back() != '/' && initial_.back() != '\\') initial_ += '/';
  m_ofn.lpstrTitle = title_.c_str();
  m_ofn.lpstrInitialDir = initial_.c_str();
  m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_WIZ_FOLDER);
  m_ofn.Flags &= ~OFN_SHOWHELP;
}

BOOL CFolderDialog::OnInitDialog() {
  CFileDialog::OnInitDialog();
  ShowOnlyFolders(*this);
  if (CWnd* folders = GetDlgItem(lst2)) folders->SetFocus();
  CenterWindow();
  return FALSE;
}

std::string CFolderDialog::GetFolder() const {
  std::string path = static_cast<LPCTSTR>(GetPathName());
  const std::size_t cut = path.find_last_of("/\\");
  if (cut == std::string::npos) return std::string();
  return cut == 0 ? std::string("/") : path.substr(0, cut);
}

}  // namespace wiz

bool DialogFolderPicker::PickFolder(CWnd* owner, const std::string& title, std::string& folder) {
  wiz::CFolderDialog dialog(title, folder, owner);
  if (dialog.DoModal() != IDOK) return false;
  folder = dialog.GetFolder();
  return true;
}
