#include "app/BackupDlg.h"

#include <dirent.h>
#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Backup.h"
#include "common/DialogHelp.h"
#include "common/UnitIcon.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/FolderPaths.h"
#include "common/FolderDialog.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "store/DataFiles.h"

namespace {

void TrimBlanks(char* text) {
  std::size_t start = 0, end = std::strlen(text);
  while (start < end && (text[start] == ' ' || text[start] == '\t')) ++start;
  while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  std::memmove(text, text + start, end - start);
  text[end - start] = '\0';
}

// The same folder by identity (a link or a trailing "/" does not hide it),
// or by its text without regard to case when it does not exist yet.
bool SameFolderText(const char* a, const char* b) {
  if (SameFolderPath(a, b)) return true;
  return strcasecmp(AbsoluteFolder(a).c_str(), AbsoluteFolder(b).c_str()) == 0;
}

// The picker starts at `edit`'s folder and puts the chosen one back.
void BrowseFolder(CWnd* dlg, int editId) {
  char start[MAX_PATH] = "";
  dlg->GetDlgItemText(editId, start, sizeof start);
  CFolderDialog picker(TRUE, nullptr, nullptr, CFolderDialog::kFlags, nullptr, dlg);
  picker.Prepare(start);
  if (picker.DoModal() != IDOK) return;
  dlg->SetDlgItemText(editId, picker.GetFolder());
}

void Warn(const char* text) { DispMessage(text, MSG_WARNING); }

// A failed path check: "Folder does not exist" after the user declined to
// create it needs no second word.
void WarnPath(const char* message, const char* folder, int flags) {
  if ((flags & VP_OFFER_CREATE) && !IsDirectory(folder) && std::strstr(message, "does not exist")) return;
  Warn(message);
}

// True when an account file of the folder belongs to another year.
bool HoldsOtherYear(const char* folder, const char* yy) {
  bool other = false;
  if (DIR* dir = ::opendir(folder)) {
    while (const dirent* e = ::readdir(dir)) {
      const std::size_t n = std::strlen(e->d_name);
      if (n < 10 || strncasecmp(e->d_name, "acct", 4) != 0 || strcasecmp(e->d_name + n - 4, ".dat") != 0) continue;
      if (std::strncmp(e->d_name + n - 6, yy, 2) != 0) other = true;
    }
    ::closedir(dir);
  }
  return other;
}

// "FY" and four digits: the name of a year's own folder.
bool ReservedName(const char* folder) {
  const char* slash = std::strrchr(folder, '/');
  const char* last = slash ? slash + 1 : folder;
  if (std::strlen(last) != 6 || std::toupper(static_cast<unsigned char>(last[0])) != 'F' ||
      std::toupper(static_cast<unsigned char>(last[1])) != 'Y')
    return false;
  for (int i = 2; i < 6; ++i)
    if (!std::isdigit(static_cast<unsigned char>(last[i]))) return false;
  return true;
}

}  // namespace

CBackupDlg::CBackupDlg(CWnd* parent) : CDialog(IDD_BACKUP, parent) {}

BOOL CBackupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_BACKUP_FOLDER, m_szFolder);
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  SendDlgItemMessage(IDC_BACKUP_FOLDER, EM_LIMITTEXT, MAX_PATH - 1, 0);
  m_browse.SubclassDlgItem(IDC_BACKUP_BROWSE, this);
  m_browse.SetBitmaps(325, 325, 0);
  CenterWindow();
  return TRUE;
}

BOOL CBackupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_BACKUP))) return TRUE;
  if (LOWORD(wParam) == IDC_BACKUP_BROWSE && HIWORD(wParam) == BN_CLICKED) {
    BrowseFolder(this, IDC_BACKUP_FOLDER);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CBackupDlg::OnOK() {
  char folder[MAX_PATH] = "";
  GetDlgItemText(IDC_BACKUP_FOLDER, folder, sizeof folder);
  TrimBlanks(folder);
  HWND edit = GetDlgItem(IDC_BACKUP_FOLDER)->GetSafeHwnd();
  const int flags = VP_FOLDER | VP_MUST_EXIST | VP_OFFER_CREATE;
  char message[MAX_PATH + 64] = "";
  const bool valid = ValidateDlgField("Backup Path", folder, 1, FIELD_PATH, flags, nullptr, nullptr, edit, message);
  SetDlgItemText(IDC_BACKUP_FOLDER, folder);
  if (!valid) {
    WarnPath(message, folder, flags);
    return;
  }
  const char* problem = nullptr;
  if (CurrentYearNode && SameFolderText(folder, CurrentYearNode->folder))
    problem = "Backup Path:  May not be the same as the original data path";
  else if (HoldsOtherYear(folder, FiscalYearYY))
    problem = "Backup folder contains a different fiscal year";
  else if (ReservedName(folder))
    problem = "Backup Path:  This folder name is reserved";
  if (problem) {
    Warn(problem);
    ::SetFocus(edit);
    return;
  }
  std::snprintf(m_szFolder, sizeof m_szFolder, "%s", folder);
  EndDialog(IDOK);
}

CRestoreDlg::CRestoreDlg(CWnd* parent) : CDialog(IDD_RESTORE, parent) {}

BOOL CRestoreDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SendDlgItemMessage(IDC_RESTORE_YEAR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
  for (const FiscalYearNode* node = YearList; node; node = node->next)
    SendDlgItemMessage(IDC_RESTORE_YEAR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(node->year));
  SetDlgItemText(IDC_RESTORE_YEAR, m_szYear);
  SetDlgItemText(IDC_RESTORE_FOLDER, m_szFolder);
  CheckDlgButton(IDC_RESTORE_SYSTEM, m_bSystemFiles ? BST_CHECKED : BST_UNCHECKED);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  SendDlgItemMessage(IDC_RESTORE_FOLDER, EM_LIMITTEXT, MAX_PATH - 1, 0);
  m_browse.SubclassDlgItem(IDC_BACKUP_BROWSE, this);
  m_browse.SetBitmaps(325, 325, 0);
  CenterWindow();
  return TRUE;
}

// A year typed with one or two digits becomes its four-digit year.
void CRestoreDlg::ExpandTypedYear() {
  char text[16] = "";
  GetDlgItemText(IDC_RESTORE_YEAR, text, sizeof text);
  TrimBlanks(text);
  const std::size_t n = std::strlen(text);
  if (n == 0 || n > 2 || !std::isdigit(static_cast<unsigned char>(text[0])) ||
      (n == 2 && !std::isdigit(static_cast<unsigned char>(text[1]))))
    return;
  std::snprintf(text, sizeof text, "%d", ExpandYear(std::atoi(text)));
  SetDlgItemText(IDC_RESTORE_YEAR, text);
}

BOOL CRestoreDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_RESTORE))) return TRUE;
  if (LOWORD(wParam) == IDC_RESTORE_YEAR && HIWORD(wParam) == CBN_KILLFOCUS) ExpandTypedYear();
  if (LOWORD(wParam) == IDC_BACKUP_BROWSE && HIWORD(wParam) == BN_CLICKED) {
    BrowseFolder(this, IDC_RESTORE_FOLDER);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CRestoreDlg::OnOK() {
  // A year typed and confirmed at once is expanded as leaving the box would.
  ExpandTypedYear();
  char year[16] = "", folder[MAX_PATH] = "", message[MAX_PATH + 64] = "";
  GetDlgItemText(IDC_RESTORE_YEAR, year, sizeof year);
  GetDlgItemText(IDC_RESTORE_FOLDER, folder, sizeof folder);
  TrimBlanks(year);
  TrimBlanks(folder);
  const int system = IsDlgButtonChecked(IDC_RESTORE_SYSTEM) == BST_CHECKED;
  HWND yearBox = GetDlgItem(IDC_RESTORE_YEAR)->GetSafeHwnd();
  HWND edit = GetDlgItem(IDC_RESTORE_FOLDER)->GetSafeHwnd();
  if (!ValidateDlgField("Fiscal Year", year, 1, FIELD_NUMBER, VN_WHOLE, nullptr, nullptr, yearBox, message)) {
    Warn(message);
    return;
  }
  // The year names its files by its last two digits: it must have four.
  if (std::strlen(year) != 4) {
    Warn("Fiscal Year:  A year of four digits is required");
    ::SetFocus(yearBox);
    return;
  }
  const FiscalYearNode* node = FindYearNode(year, 0, &YearList);
  if (!node && AskQuestion("Unknown fiscal year.\n\nDo you really wish to restore it", ANSWER_NO, 0) != ANSWER_YES)
    return;
  const bool valid =
      ValidateDlgField("Restore Path", folder, 1, FIELD_PATH, VP_FOLDER | VP_MUST_EXIST, nullptr, nullptr, edit, message);
  SetDlgItemText(IDC_RESTORE_FOLDER, folder);
  if (!valid) {
    Warn(message);
    return;
  }
  if (node && SameFolderText(node->folder, folder)) {
    Warn("Restore Path:  May not be the same as the original data path");
    ::SetFocus(edit);
    return;
  }
  char name[32];
  std::snprintf(name, sizeof name, "acct%s%s.dat", DataFormatMajor(), year + 2);
  if (!FileExists(ResolvePathCase(JoinPath(folder, name)).c_str())) {
    char text[MAX_PATH + 80];
    std::snprintf(text, sizeof text, "There are no backup files for fiscal year %s \nin folder %s", year, folder);
    Warn(text);
    ::SetFocus(edit);
    return;
  }
  // The year's files are replaced: never without asking.
  if (node) {
    char question[160];
    std::snprintf(question, sizeof question,
                  "Fiscal year %s exists.\n\nRestoring replaces its files with the backup.\n\nDo you wish to "
                  "replace FY%s",
                  year, year + 2);
    if (AskQuestion(question, ANSWER_NO, 0) != ANSWER_YES) return;
  }
  std::memcpy(m_szYear, year, sizeof m_szYear);  // four digits and the end
  std::snprintf(m_szFolder, sizeof m_szFolder, "%s", folder);
  m_bSystemFiles = system;
  EndDialog(IDOK);
}

void RunBackupDialog() {
  CBackupDlg dlg;
  XferBackup(0, dlg.m_szFolder);
  if (dlg.DoModal() == IDOK) XferBackup(1, dlg.m_szFolder);
}

void RunRestoreDialog() {
  CRestoreDlg dlg;
  XferRestore(0, dlg.m_szYear, dlg.m_szFolder, &dlg.m_bSystemFiles);
  if (dlg.DoModal() == IDOK) XferRestore(1, dlg.m_szYear, dlg.m_szFolder, &dlg.m_bSystemFiles);
}
