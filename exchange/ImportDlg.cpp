#include "exchange/ImportDlg.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/FolderDialog.h"
#include "common/Messages.h"
#include "common/PrefValues.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/UnitIcon.h"
#include "common/UnitVocab.h"
#include "exchange/ImportMembers.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

constexpr const char* kSection = "IMPORT";

// The preferences' import folder, unless it names a drive of another
// system ("A:\" by default): then the user's home folder.
std::string DefaultFolder() {
  const bool drive = std::isalpha(static_cast<unsigned char>(ImportFolder[0])) && ImportFolder[1] == ':';
  if (ImportFolder[0] && !drive) return ImportFolder;
  const char* home = std::getenv("HOME");
  return home ? home : "";
}

}  // namespace

void XferImport(int save, CImportDlg& dlg) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, kSection);
  if (!save) {
    GetSettingString(s, 'A', nullptr, DefaultFolder().c_str(), "%s", dlg.m_szFolder, sizeof dlg.m_szFolder);
    char adults[8] = "";
    GetSettingString(s, 'B', nullptr, "N", "%s", adults, sizeof adults);
    dlg.m_bAdults = adults[0] == 'Y' ? 1 : 0;
    CloseSettingsSection(s);
    return;
  }
  PutSettingString(s, 'A', nullptr, dlg.m_szFolder);
  PutSettingString(s, 'B', nullptr, dlg.m_bAdults ? "Y" : "N");
  CloseSettingsSection(s);
  ImportMembers(dlg.m_szFolder, dlg.m_bAdults);
}

CImportDlg::CImportDlg(CWnd* parent) : CDialog(IDD_IMPORT, parent) {}

BOOL CImportDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  SendDlgItemMessage(IDC_IMP_FOLDER, EM_LIMITTEXT, MAX_PATH - 1, 0);
  char label[128];
  std::snprintf(label, sizeof label, "%s Data &Folder:", MasterAppName);
  SetDlgItemText(IDC_IMP_FOLDER_LABEL, label);
  m_changed = false;
  // A stored folder filled into the box counts as a change.
  SetDlgItemText(IDC_IMP_FOLDER, m_szFolder);
  ++loading_;
  CheckDlgButton(IDC_IMP_ADULTS, m_bAdults ? BST_CHECKED : BST_UNCHECKED);
  --loading_;
  CenterWindow();
  m_browse.SubclassDlgItem(IDC_XCH_BROWSE, this);
  m_browse.SetBitmaps(325, 325, 0);
  return TRUE;
}

BOOL CImportDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_IMPORT))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if ((id == IDC_IMP_FOLDER && code == EN_CHANGE) || (id == IDC_IMP_ADULTS && code == BN_CLICKED && !loading_))
    m_changed = true;
  if (id == IDC_XCH_BROWSE && code == BN_CLICKED) {
    char start[MAX_PATH] = "";
    GetDlgItemText(IDC_IMP_FOLDER, start, sizeof start);
    CFolderDialog picker(TRUE, nullptr, nullptr, CFolderDialog::kFlags, nullptr, this);
    picker.Prepare(start[0] ? start : ImportFolder);
    if (picker.DoModal() == IDOK) SetDlgItemText(IDC_IMP_FOLDER, picker.GetFolder());
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CImportDlg::OnOK() {
  char folder[MAX_PATH] = "", message[MAX_PATH + 64] = "";
  GetDlgItemText(IDC_IMP_FOLDER, folder, sizeof folder);
  HWND edit = GetDlgItem(IDC_IMP_FOLDER)->GetSafeHwnd();
  if (!ValidateDlgField("Data Folder", folder, 1, FIELD_PATH, VP_FOLDER | VP_MUST_EXIST, nullptr, nullptr, edit,
                        message)) {
    DispMessage(message, MSG_WARNING);
    return;
  }
  std::snprintf(m_szFolder, sizeof m_szFolder, "%s", folder);
  m_bAdults = IsDlgButtonChecked(IDC_IMP_ADULTS) == BST_CHECKED ? 1 : 0;
  EndDialog(IDOK);
}

void CImportDlg::OnCancel() {
  if (m_changed && AskCancelProcess("import") != ANSWER_YES) return;
  CDialog::OnCancel();
}

void RunImportCommand() {
  CImportDlg dlg;
  XferImport(0, dlg);
  if (dlg.DoModal() == IDOK) XferImport(1, dlg);
}
