#include "exchange/ExportDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/ConfigFile.h"
#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/UnitIcon.h"
#include "exchange/ExportData.h"
#include "platform/commdlg/FileDialog.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "store/KeyTable.h"

namespace {

constexpr const char* kSection = "EXPORT";
constexpr const char* kAll = "<all>";

// The leading account number of a list entry ("101 / Checking").
int EntryNumber(const char* entry) { return std::atoi(entry); }

}  // namespace

char ExportSetLetter(const char* dataSet) {
  if (std::strcmp(dataSet, "Adults") == 0) return 'D';
  return dataSet[0];
}

char ExportDelimiter(const char* delimiter) {
  if (delimiter[0] == 'T' || delimiter[0] == 't') return '\t';
  return delimiter[0];
}

std::vector<int> ExportAccounts(const ExportChoices& c) {
  std::vector<int> numbers;
  if (ExportSetLetter(c.dataSet) != 'R') return numbers;
  if (std::strcmp(c.account, kAll) == 0) {
    for (int i = 0; i < c.accounts.Count(); ++i) numbers.push_back(EntryNumber(c.accounts.texts[static_cast<std::size_t>(i)].data()));
  } else if (c.account[0] != '\0') {
    numbers.push_back(EntryNumber(c.account));
  }
  return numbers;
}

void XferExport(int save, ExportChoices& c) {
  if (!save) {
    c.accounts = ListOfValues{};
    GetListOfValues("AL-ACCT", 0, &c.accounts);
  }
  SettingsSection* s = OpenSettingsSection(SettingsFileName, kSection);
  if (!save) {
    GetSettingText(s, 'A', "Accounts", c.dataSet);
    GetSettingText(s, 'B', ",", c.delimiter);
    GetSettingText(s, 'F', "\"", c.qualifier);
    GetSettingText(s, 'C', kAll, c.account);
    GetSettingString(s, 'D', c.dataSet, "", "%s", c.file);
    c.namesRow = GetSettingFlag(s, 'E', 1) ? 1 : 0;
    CloseSettingsSection(s);
    return;
  }
  PutSettingText(s, 'A', c.dataSet);
  PutSettingText(s, 'B', c.delimiter);
  PutSettingText(s, 'F', c.qualifier);
  PutSettingText(s, 'C', c.account);
  PutSettingString(s, 'D', c.dataSet, c.file);
  PutSettingFlag(s, 'E', c.namesRow);
  CloseSettingsSection(s);
  ExportData(ExportSetLetter(c.dataSet), ExportAccounts(c), ExportDelimiter(c.delimiter), c.qualifier, c.namesRow,
             c.file);
}

CExportDlg::CExportDlg(ExportChoices& choices, CWnd* parent) : CDialog(IDD_EXPORT, parent), m_choices(choices) {}

CString CExportDlg::ComboText(int id) {
  CString text;
  const int sel = static_cast<int>(SendDlgItemMessage(id, CB_GETCURSEL, 0, 0));
  if (sel >= 0) {
    char buffer[64] = "";
    SendDlgItemMessage(id, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(buffer));
    text = buffer;
  }
  return text;
}

BOOL CExportDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_opening = true;
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  auto add = [this](int id, const char* text) {
    SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  };
  // Only data sets that hold something are offered; the register always is.
  if (AcctTable.liveCount > 0) add(IDC_EXP_DATA, "Accounts");
  if (AdultCount > 0) add(IDC_EXP_DATA, "Adults");
  if (EquipTable.liveCount > 0) add(IDC_EXP_DATA, "Equipment");
  if (FriendTable.liveCount > 0) add(IDC_EXP_DATA, "Friends");
  add(IDC_EXP_DATA, "Register");
  if (ScoutCount > 0) add(IDC_EXP_DATA, "Scouts");
  add(IDC_EXP_ACCOUNT, kAll);
  for (int i = 0; i < m_choices.accounts.Count(); ++i)
    add(IDC_EXP_ACCOUNT, m_choices.accounts.texts[static_cast<std::size_t>(i)].data());
  SendDlgItemMessage(IDC_EXP_DELIMITER, EM_LIMITTEXT, 1, 0);
  SendDlgItemMessage(IDC_EXP_QUALIFIER, EM_LIMITTEXT, 1, 0);
  SendDlgItemMessage(IDC_EXP_FILE, EM_LIMITTEXT, MAX_PATH - 1, 0);
  auto select = [this](int id, const char* text) {
    const LRESULT at = SendDlgItemMessage(id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  };
  select(IDC_EXP_DATA, m_choices.dataSet);
  select(IDC_EXP_ACCOUNT, m_choices.account);
  SetDlgItemText(IDC_EXP_DELIMITER, m_choices.delimiter);
  SetDlgItemText(IDC_EXP_QUALIFIER, m_choices.qualifier);
  SetDlgItemText(IDC_EXP_FILE, m_choices.file);
  CheckDlgButton(IDC_EXP_NAMES, m_choices.namesRow ? BST_CHECKED : BST_UNCHECKED);
  // Filling the boxes with stored texts counts as a change.
  m_changed = m_choices.delimiter[0] != '\0' || m_choices.file[0] != '\0';
  m_opening = false;
  CenterWindow();
  EnableAccount();
  m_browse.SubclassDlgItem(IDC_XCH_BROWSE, this);
  m_browse.SetBitmaps(325, 325, 0);
  return TRUE;
}

void CExportDlg::EnableAccount() {
  if (CWnd* account = GetDlgItem(IDC_EXP_ACCOUNT)) account->EnableWindow(ComboText(IDC_EXP_DATA) == "Register");
}

BOOL CExportDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_EXPORT))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_XCH_BROWSE && code == BN_CLICKED) {
    Browse();
    return TRUE;
  }
  if (!m_opening) {
    if ((id == IDC_EXP_DELIMITER || id == IDC_EXP_FILE) && code == EN_CHANGE) m_changed = true;
    if (id == IDC_EXP_NAMES && code == BN_CLICKED) m_changed = true;
    if (id == IDC_EXP_DATA && code == CBN_SELCHANGE) {
      m_changed = true;
      EnableAccount();
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CExportDlg::Browse() {
  char path[MAX_PATH] = "";
  GetDlgItemText(IDC_EXP_FILE, path, sizeof path);
  std::string folder = ProgramFolder, name;
  if (path[0] != '\0') {
    const std::string p = path;
    const std::size_t slash = p.find_last_of('/');
    folder = slash == std::string::npos ? std::string() : p.substr(0, slash == 0 ? 1 : slash);
    name = slash == std::string::npos ? p : p.substr(slash + 1);
  }
  CFileDialog dlg(FALSE, nullptr, name.c_str(),
                  OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN |
                      OFN_NONETWORKBUTTON,
                  "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", this);
  dlg.m_ofn.lpstrTitle = "Export File";
  dlg.m_ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  if (dlg.DoModal() != IDOK) return;
  SetDlgItemText(IDC_EXP_FILE, dlg.GetPathName());
}

void CExportDlg::OnOK() {
  ExportChoices& c = m_choices;
  std::snprintf(c.dataSet, sizeof c.dataSet, "%s", static_cast<const char*>(ComboText(IDC_EXP_DATA)));
  std::snprintf(c.account, sizeof c.account, "%s", static_cast<const char*>(ComboText(IDC_EXP_ACCOUNT)));
  GetDlgItemText(IDC_EXP_DELIMITER, c.delimiter, sizeof c.delimiter);
  GetDlgItemText(IDC_EXP_QUALIFIER, c.qualifier, sizeof c.qualifier);
  GetDlgItemText(IDC_EXP_FILE, c.file, sizeof c.file);
  c.namesRow = IsDlgButtonChecked(IDC_EXP_NAMES) == BST_CHECKED ? 1 : 0;
  char message[MAX_PATH + 64] = "";
  auto focus = [this](int id) { return GetDlgItem(id)->GetSafeHwnd(); };
  bool valid = ValidateDlgField("Data", c.dataSet, 1, FIELD_TEXT, 0, nullptr, nullptr, focus(IDC_EXP_DATA), message);
  if (valid) {
    // A blank is no delimiter.
    if (std::strcmp(c.delimiter, " ") == 0) {
      c.delimiter[0] = '\0';
      SetDlgItemText(IDC_EXP_DELIMITER, "");
    }
    valid = ValidateDlgField("Field Delimiter", c.delimiter, 1, FIELD_TEXT, 0, nullptr, nullptr,
                             focus(IDC_EXP_DELIMITER), message);
  }
  if (valid) {
    // A missing folder is offered for creation (the export makes it) and
    // an existing file for overwriting; a declined question needs no
    // further word.
    valid = ValidateDlgField("Export File", c.file, 1, FIELD_PATH, VP_FOLDER | VP_FILE | VP_OFFER_CREATE | VP_ASK_OVERWRITE,
                             nullptr, nullptr, focus(IDC_EXP_FILE), message);
    SetDlgItemText(IDC_EXP_FILE, c.file);
    if (!valid && (std::strstr(message, "does not exist") || std::strstr(message, "already exists"))) return;
  }
  if (!valid) {
    DispMessage(message, MSG_WARNING);
    return;
  }
  EndDialog(IDOK);
}

void CExportDlg::OnCancel() {
  if (m_changed && AskCancelProcess("export") != ANSWER_YES) return;
  CDialog::OnCancel();
}

void RunExportCommand() {
  ExportChoices choices;
  XferExport(0, choices);
  CExportDlg dlg(choices);
  if (dlg.DoModal() == IDOK) XferExport(1, choices);
}
