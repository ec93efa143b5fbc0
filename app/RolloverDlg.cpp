#include "app/RolloverDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "common/DialogHelp.h"
#include "app/Rollover.h"
#include "common/UnitIcon.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/FileUtil.h"
#include "common/FolderPaths.h"
#include "common/FolderDialog.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/StrUtil.h"
#include "platform/controls/CtlScrollBar.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

constexpr int kFirstYear = 1980;

int CurrentYear() { return std::atoi(CurrentFiscalYear); }

void ReplaceFirst(std::string& text, size_t from, const std::string& what, const std::string& with) {
  const size_t at = text.find(what, from);
  if (at != std::string::npos) text.replace(at, what.size(), with);
}

}  // namespace

void DefaultRolloverFolder(const char* folder, const char* newYear, char* out, size_t size) {
  std::string path = folder ? folder : "";
  const size_t slash = path.find_last_of("/\\");
  if (slash != std::string::npos) {
    const std::string last = path.substr(slash);
    if (last.find(CurrentFiscalYear) != std::string::npos) {
      ReplaceFirst(path, slash, CurrentFiscalYear, newYear);
    } else if (last.find(FiscalYearYY) != std::string::npos) {
      ReplaceFirst(path, slash, FiscalYearYY, std::string(newYear).substr(2));
    } else {
      char yearFolder[MAX_PATH];
      GetYearFolder(0, ProgramFolder, newYear, yearFolder);
      path = yearFolder;
    }
  }
  // A year folder made elsewhere may differ in case ("FY2009").
  std::snprintf(out, size, "%s", ResolvePathCase(path).c_str());
}

int XferRollover(int save, RolloverFields& f) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "ROVER");
  if (!save) {
    char year[16];
    std::snprintf(year, sizeof year, "%d", CurrentYear() + 1);
    CopyText(f.year, sizeof f.year, year);
    const int month = FiscalFirstMonth >= 0 && FiscalFirstMonth < 12 ? FiscalFirstMonth : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%s %d", MonthAbbrs[month], FiscalStartYear + 1);
    CopyText(f.firstMonth, sizeof f.firstMonth, text);
    DefaultRolloverFolder(CurrentYearNode ? CurrentYearNode->folder : "", f.year, f.folder, sizeof f.folder);
    char value[8];
    GetSettingText(s, 'A', "Y", value);
    f.keepAllAccounts = value[0] == 'Y';
    GetSettingText(s, 'B', "2", value);
    f.budgetMode = value[0] == '1' || value[0] == '3' ? value[0] : '2';
    GetSettingText(s, 'C', "Y", value);
    f.keepAllFriends = value[0] == 'Y';
    GetSettingText(s, 'D', "3", value);
    std::snprintf(f.years, sizeof f.years, "%c", value[0] ? value[0] : '3');
    CloseSettingsSection(s);
    return 1;
  }
  PutSettingText(s, 'A', f.keepAllAccounts ? "Y" : "N");
  const char mode[2] = {f.budgetMode, 0};
  PutSettingText(s, 'B', mode);
  PutSettingText(s, 'C', f.keepAllFriends ? "Y" : "N");
  PutSettingText(s, 'D', f.years);
  CloseSettingsSection(s);
  char abbr[4];
  std::snprintf(abbr, sizeof abbr, "%.3s", f.firstMonth);
  const int firstMonthYear = std::strlen(f.firstMonth) > 4 ? std::atoi(f.firstMonth + 4) : 0;
  const int budgetMode = f.budgetMode == '1' ? 0 : f.budgetMode == '2' ? 1 : 2;
  const int friendYears = f.keepAllFriends ? 0 : std::atoi(f.years);
  return DoRollover(f.folder, abbr, firstMonthYear, std::atoi(f.year), f.keepAllAccounts, budgetMode, friendYears);
}

CRolloverDlg::CRolloverDlg(CWnd* parent) : CDialog(IDD_ROLLOVER, parent) {}

void CRolloverDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_RO_YEAR, m_strYear);
  DDX_Text(pDX, IDC_RO_MONTH, m_strMonth);
  DDX_Text(pDX, IDC_RO_FOLDER, m_strFolder);
  DDX_Check(pDX, IDC_RO_KEEP_ACCOUNTS, m_fields.keepAllAccounts);
  DDX_Text(pDX, IDC_RO_YEARS, m_strYears);
}

CString CRolloverDlg::Text(int id) const {
  char text[300] = "";
  if (CWnd* w = GetDlgItem(id)) w->GetWindowText(text, sizeof text);
  return CString(text);
}

BOOL CRolloverDlg::OnInitDialog() {
  const int budgetRadio = m_fields.budgetMode == '2'   ? IDC_RO_BUDGET_ACTUAL
                          : m_fields.budgetMode == '3' ? IDC_RO_BUDGET_EXCLUDE
                                                       : IDC_RO_BUDGET_OLD;
  CheckRadioButton(IDC_RO_BUDGET_OLD, IDC_RO_BUDGET_EXCLUDE, budgetRadio);
  CheckRadioButton(IDC_RO_FRIENDS_ALL, IDC_RO_FRIENDS_EXCLUDE,
                   m_fields.keepAllFriends ? IDC_RO_FRIENDS_ALL : IDC_RO_FRIENDS_EXCLUDE);
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  const struct {
    int id, limit;
  } limits[] = {{IDC_RO_YEAR, 4}, {IDC_RO_MONTH, 8}, {IDC_RO_FOLDER, 259}, {IDC_RO_YEARS, 1}};
  for (const auto& l : limits)
    if (CWnd* edit = GetDlgItem(l.id)) edit->SendMessage(EM_LIMITTEXT, l.limit, 0);
  m_yearMax = CurrentYear() + 10;
  const int month = MonthAbbrIndex(m_fields.firstMonth);
  const struct {
    int id, low, high, pos;
  } spins[] = {{IDC_RO_YEAR_SPIN, kFirstYear, m_yearMax, std::atoi(m_fields.year)},
               {IDC_RO_MONTH_SPIN, 1, 120, 49 + (month < 0 ? 0 : month)},
               {IDC_RO_YEARS_SPIN, 1, 3, std::atoi(m_fields.years)}};
  for (const auto& s : spins) {
    if (CWnd* bar = GetDlgItem(s.id)) {
      ::SetScrollRange(bar->GetSafeHwnd(), SB_CTL, s.low, s.high, FALSE);
      ::SetScrollPos(bar->GetSafeHwnd(), SB_CTL, s.pos, FALSE);
    }
  }
  m_strYear = m_fields.year;
  m_strMonth = m_fields.firstMonth;
  m_strFolder = m_fields.folder;
  m_strYears = m_fields.years;
  m_bChanged = 0;
  CDialog::OnInitDialog();
  CenterWindow();
  EnableYears();
  if (m_browse.SubclassDlgItem(IDC_RO_BROWSE, this)) m_browse.SetBitmaps(325, 0, 0);
  return TRUE;
}

void CRolloverDlg::EnableYears() {
  const BOOL enable = IsDlgButtonChecked(IDC_RO_FRIENDS_ALL) != BST_CHECKED;
  for (int id : {IDC_RO_YEARS_LABEL, IDC_RO_YEARS})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(enable);
}

void CRolloverDlg::NormaliseFirstMonth() {
  CString text = Text(IDC_RO_MONTH);
  char message[128];
  if (ValidateDateTimeField(text, DF_MON_YYYY, nullptr, nullptr, message)) return;
  for (int code : {DF_MM_YY_SPLIT, DF_MM_DD_YY_SPLIT, DF_MMDDYY}) {
    if (!ValidateDateTimeField(text, code, nullptr, nullptr, message)) continue;
    char converted[32];
    FormatDate(text, code, DF_MON_YYYY, converted);
    CapitalizeWords(converted);
    SetDlgItemText(IDC_RO_MONTH, converted);
    return;
  }
}

void CRolloverDlg::Browse() {
  CFolderDialog dlg(TRUE, nullptr, nullptr, CFolderDialog::kFlags, nullptr, this);
  const CString start = Text(IDC_RO_FOLDER);
  dlg.Prepare(start);
  if (dlg.DoModal() != IDOK) return;
  SetDlgItemText(IDC_RO_FOLDER, dlg.GetFolder());
  m_bChanged = 1;
}

BOOL CRolloverDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_ROLLOVER))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (code == EN_CHANGE) m_bChanged = 1;
  if (code == BN_CLICKED) {
    if (id == IDC_RO_BROWSE) {
      Browse();
      return TRUE;
    }
    if (id != IDOK && id != IDCANCEL) m_bChanged = 1;
    if (id == IDC_RO_FRIENDS_ALL || id == IDC_RO_FRIENDS_EXCLUDE) EnableYears();
  }
  if (id == IDC_RO_MONTH && code == EN_KILLFOCUS) NormaliseFirstMonth();
  return CDialog::OnCommand(wParam, lParam);
}

void CRolloverDlg::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  m_bChanged = 1;
  const int step = code == SB_LINEUP ? 1 : code == SB_LINEDOWN ? -1 : 0;
  const int id = bar ? bar->GetDlgCtrlID() : 0;
  if (step == 0 || id == 0) {
    CDialog::OnVScroll(code, pos, bar);
    return;
  }
  char text[32];
  if (id == IDC_RO_YEAR_SPIN || id == IDC_RO_YEARS_SPIN) {
    const int editId = id == IDC_RO_YEAR_SPIN ? IDC_RO_YEAR : IDC_RO_YEARS;
    const int low = id == IDC_RO_YEAR_SPIN ? kFirstYear : 1;
    const int high = id == IDC_RO_YEAR_SPIN ? m_yearMax : 3;
    const int value = std::atoi(Text(editId)) + step;
    if (value >= low && value <= high) {
      std::snprintf(text, sizeof text, "%d", value);
      SetDlgItemText(editId, text);
    }
  } else if (id == IDC_RO_MONTH_SPIN) {
    const CString now = Text(IDC_RO_MONTH);
    int month, year;
    if (now.GetLength() == 8) {
      month = MonthAbbrIndex(now);
      if (month < 0) month = 0;
      year = std::atoi(static_cast<const char*>(now) + 4);
    } else {
      month = (TodayDate[4] - '0') * 10 + (TodayDate[5] - '0') - 1;
      year = std::atoi(std::string(TodayDate, 4).c_str());
      if (month < 0 || month > 11) month = 0;
    }
    month += step;
    if (month > 11) {
      month = 0;
      ++year;
    } else if (month < 0) {
      month = 11;
      --year;
    }
    std::snprintf(text, sizeof text, "%s %d", MonthAbbrs[month], year);
    SetDlgItemText(IDC_RO_MONTH, text);
  }
}

void CRolloverDlg::Refuse(const char* message, int focusId) {
  if (message && *message) DispMessage(message, MSG_WARNING);
  if (CWnd* w = GetDlgItem(focusId)) SetFocusHwnd(w->GetSafeHwnd());
}

void CRolloverDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  RolloverFields& f = m_fields;
  CopyText(f.year, sizeof f.year, m_strYear);
  CopyText(f.firstMonth, sizeof f.firstMonth, m_strMonth);
  CopyText(f.folder, sizeof f.folder, m_strFolder);
  f.budgetMode = IsDlgButtonChecked(IDC_RO_BUDGET_OLD) == BST_CHECKED      ? '1'
                 : IsDlgButtonChecked(IDC_RO_BUDGET_ACTUAL) == BST_CHECKED ? '2'
                                                                           : '3';
  f.keepAllFriends = IsDlgButtonChecked(IDC_RO_FRIENDS_ALL) == BST_CHECKED;
  CopyText(f.years, sizeof f.years, m_strYears);

  char message[320], low[16], high[32], field[300];
  auto hwnd = [this](int id) { return GetDlgItem(id) ? GetDlgItem(id)->GetSafeHwnd() : nullptr; };
  std::snprintf(low, sizeof low, "%d", kFirstYear);
  std::snprintf(high, sizeof high, "%d", m_yearMax);
  CopyText(field, sizeof field, m_strYear);
  if (!ValidateDlgField("Fiscal Year", field, 1, FIELD_NUMBER, VN_WHOLE, low, high, hwnd(IDC_RO_YEAR), message)) {
    Refuse(message, IDC_RO_YEAR);
    return;
  }
  char year[16];
  std::snprintf(year, sizeof year, "%d", std::atoi(field));
  if (FindYearNode(year, 0, &YearList)) {
    if (std::strcmp(year, CurrentFiscalYear) == 0) {
      Refuse("You may not rollover to the current year", IDC_RO_YEAR);
      return;
    }
    std::snprintf(message, sizeof message, "FY%s already exists.\n\nDo you wish to overwrite it", year + 2);
    if (AskQuestion(message, ANSWER_NO, 0) != ANSWER_YES) {
      std::snprintf(message, sizeof message, "FY%s already exists.", year + 2);
      Refuse(message, IDC_RO_YEAR);
      return;
    }
  }
  std::snprintf(low, sizeof low, "Jan %d", CurrentYear() - 4);
  std::snprintf(high, sizeof high, "Dec %d", CurrentYear() + 5);
  CopyText(field, sizeof field, m_strMonth);
  if (!ValidateDlgField("First Month", field, 1, FIELD_DATE, DF_MON_YYYY, low, high, hwnd(IDC_RO_MONTH), message)) {
    Refuse(message, IDC_RO_MONTH);
    return;
  }
  CopyText(field, sizeof field, m_strFolder);
  const bool existed = IsDirectory(field);
  if (!ValidateDlgField("Fiscal Year Folder", field, 1, FIELD_PATH, VP_FOLDER | VP_MUST_EXIST | VP_OFFER_CREATE,
                        nullptr, nullptr, hwnd(IDC_RO_FOLDER), message)) {
    // A No to creating the folder needs no further word.
    const bool declined = !existed && std::strstr(message, "does not exist") != nullptr && field[0];
    Refuse(declined ? "" : message, IDC_RO_FOLDER);
    return;
  }
  // A relative folder would follow the working folder of the moment: the
  // year is recorded under its absolute folder.
  const std::string absolute = AbsoluteFolder(field);
  if (absolute.size() >= sizeof f.folder) {
    Refuse("Fiscal Year Folder:  The folder's name is too long", IDC_RO_FOLDER);
    return;
  }
  m_strFolder = absolute.c_str();
  SetDlgItemText(IDC_RO_FOLDER, absolute.c_str());
  CopyText(f.folder, sizeof f.folder, absolute.c_str());
  if (SameFolderPath(absolute, ProgramFolder)) {
    Refuse("You may not use the program's folder as a data folder", IDC_RO_FOLDER);
    return;
  }
  // The copy into the loaded year's own folder would write over the files
  // it reads.
  if (IsLoadedYearFolder(absolute.c_str())) {
    Refuse(kLoadedYearFolderRefusal, IDC_RO_FOLDER);
    return;
  }
  if (!f.keepAllFriends) {
    CopyText(field, sizeof field, m_strYears);
    if (!ValidateDlgField("Years", field, 1, FIELD_NUMBER, VN_WHOLE, "1", "3", hwnd(IDC_RO_YEARS), message)) {
      Refuse(message, IDC_RO_YEARS);
      return;
    }
  }
  EndDialog(IDOK);
}

void CRolloverDlg::OnCancel() {
  if (m_bChanged && AskCancelProcess("rollover") != ANSWER_YES) return;
  EndDialog(IDCANCEL);
}

namespace {

void RunRollover() {
  CRolloverDlg dlg;
  XferRollover(0, dlg.m_fields);
  if (dlg.DoModal() == IDOK) XferRollover(1, dlg.m_fields);
}

}  // namespace

void InstallFiscalYearCommands() { RegisterCommand(ID_FILE_ROLLOVER, RunRollover); }
