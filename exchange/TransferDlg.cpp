#include "exchange/TransferDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/FolderDialog.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/UnitIcon.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "exchange/Transfer.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

void TransferFolder(SettingsSection* section, int type, char* out, std::size_t size) {
  const char* home = std::getenv("HOME");
  char item[8];
  std::snprintf(item, sizeof item, "%d", type);
  GetSettingString(section, 'A', item, home ? home : "", "%s", out, size);
}

void XferTransferFile(int save, int type, const char* folder) {
  if (save) TransferData(type, folder);
}

CTransferDlg::CTransferDlg(CWnd* parent)
    : CDialog(IDD_TRANSFER, parent), m_section(OpenSettingsSection(SettingsFileName, "TRANSFER")) {
  m_nType = GetSettingInt(m_section, 'B', 0) == 1 ? 1 : 0;
}

CTransferDlg::~CTransferDlg() { CloseSettingsSection(m_section); }

BOOL CTransferDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  SendDlgItemMessage(IDC_XFR_FOLDER, EM_LIMITTEXT, MAX_PATH - 1, 0);
  CheckDlgButton(IDC_XFR_SIBLING, m_nType == 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_XFR_DISTRICT, m_nType == 1 ? BST_CHECKED : BST_UNCHECKED);
  CenterWindow();
  const std::string sibling = std::string(MasterAppName) + " Transfer File";
  SetDlgItemText(IDC_XFR_SIBLING, sibling.c_str());
  ShowType();
  m_browse.SubclassDlgItem(IDC_XCH_BROWSE, this);
  m_browse.SetBitmaps(325, 325, 0);
  return TRUE;
}

// The chosen type's folder and what the transfer will do.
void CTransferDlg::ShowType() {
  m_nType = IsDlgButtonChecked(IDC_XFR_DISTRICT) == BST_CHECKED ? 1 : 0;
  char folder[MAX_PATH] = "";
  TransferFolder(m_section, m_nType, folder, sizeof folder);
  SetDlgItemText(IDC_XFR_FOLDER, folder);
  // Loading a folder into the box counts as a change.
  if (folder[0] != '\0') m_changed = true;
  std::string text;
  if (m_nType == 0) {
    text = std::string("Transferring data to ") + MasterAppName + " will cause all existing " + MasterAppName +
           " scouts, adults, and " + SubunitWord + "s to be overwritten.\n\nThis action cannot be reversed!!";
    SetDlgItemText(IDC_XFR_NOTE_FRAME, "WARNING");
  } else {
    text = std::string("Create a file containing summary information on your Friends of Scouting fund drive for "
                       "importing into the ") +
           static_cast<const char*>(ProgramVersion.GetVendorName()) + " district-level management program.";
    SetDlgItemText(IDC_XFR_NOTE_FRAME, "Note");
  }
  SetDlgItemText(IDC_XFR_NOTE, text.c_str());
}

BOOL CTransferDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_TRANSFER))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if ((id == IDC_XFR_SIBLING || id == IDC_XFR_DISTRICT) && code == BN_CLICKED) {
    CDialog::OnCommand(wParam, lParam);
    ShowType();
    return TRUE;
  }
  if (id == IDC_XFR_FOLDER && code == EN_CHANGE) m_changed = true;
  if (id == IDC_XCH_BROWSE && code == BN_CLICKED) {
    char start[MAX_PATH] = "";
    GetDlgItemText(IDC_XFR_FOLDER, start, sizeof start);
    CFolderDialog picker(TRUE, nullptr, nullptr, CFolderDialog::kFlags, nullptr, this);
    picker.Prepare(start);
    if (picker.DoModal() == IDOK) SetDlgItemText(IDC_XFR_FOLDER, picker.GetFolder());
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CTransferDlg::OnOK() {
  m_nType = IsDlgButtonChecked(IDC_XFR_DISTRICT) == BST_CHECKED ? 1 : 0;
  char folder[MAX_PATH] = "", message[MAX_PATH + 64] = "";
  GetDlgItemText(IDC_XFR_FOLDER, folder, sizeof folder);
  HWND edit = GetDlgItem(IDC_XFR_FOLDER)->GetSafeHwnd();
  const bool valid = ValidateDlgField("Data Folder", folder, 1, FIELD_PATH, VP_FOLDER | VP_MUST_EXIST | VP_OFFER_CREATE,
                                      nullptr, nullptr, edit, message);
  SetDlgItemText(IDC_XFR_FOLDER, folder);
  if (!valid) {
    // A declined offer to create the folder needs no further word.
    if (!std::strstr(message, "does not exist")) DispMessage(message, MSG_WARNING);
    return;
  }
  std::snprintf(m_szFolder, sizeof m_szFolder, "%s", folder);
  char item[8];
  std::snprintf(item, sizeof item, "%d", m_nType);
  PutSettingString(m_section, 'B', nullptr, item);
  PutSettingString(m_section, 'A', item, m_szFolder);
  EndDialog(IDOK);
}

void CTransferDlg::OnCancel() {
  if (m_changed && AskCancelProcess("transfer") != ANSWER_YES) return;
  CDialog::OnCancel();
}

void RunTransferCommand() {
  CTransferDlg dlg;
  XferTransferFile(0, dlg.m_nType, dlg.m_szFolder);
  if (dlg.DoModal() == IDOK) XferTransferFile(1, dlg.m_nType, dlg.m_szFolder);
}
