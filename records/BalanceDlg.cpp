#include "records/BalanceDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/DialogHelp.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/DialogSizer.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/AccountRegisterSeam.h"
#include "records/CancelQuestion.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/RecIO.h"

namespace {

enum Column { kDummy, kNum, kDate, kDescription, kDecrease, kIncrease, kClr, kIndex, kColumns };
const int kPercent[kColumns] = {0, 11, 15, 32, 16, 16, 6, 0};
// Item data of a row: the item's position, with this bit for the previous
// year's list.
constexpr LPARAM kPreviousBit = 0x100000;

// The panel at the right: moved as one when the window is resized.
const int kPanel[] = {IDC_BAL_PANEL,     IDC_BAL_DATE_LABEL,     IDC_BAL_DATE,         IDC_BAL_ENDING_LABEL,
                      IDC_BAL_ENDING,    IDC_BAL_DEP_LABEL,      IDC_BAL_DEP,          IDC_BAL_WD_LABEL,
                      IDC_BAL_WD,        IDC_BAL_ADJUSTED_LABEL, IDC_BAL_ADJUSTED,     IDC_BAL_CURRENT_LABEL,
                      IDC_BAL_CURRENT,   IDC_BAL_VARIANCE_LABEL, IDC_BAL_VARIANCE,     IDC_BAL_PREVYEAR,
                      IDC_BAL_REPORT};

void SetItemText(HWND list, int row, int column, const char* text) {
  LVITEM item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  ::SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

CBalanceDlg::CBalanceDlg(CWnd* parent) : CDialog(IDD_BALANCE, parent) {
  m_pSection = OpenSettingsSection(SettingsFileName, "BALAN");
  m_cx = GetSettingInt(m_pSection, 'X', 0);
  m_cy = GetSettingInt(m_pSection, 'Y', 0);
  ResetReconContext();
}

CBalanceDlg::~CBalanceDlg() {
  if (m_pSection) CloseSettingsSection(m_pSection);
  // The statement may not point at lists that are gone.
  if (TheReconContext.items == &m_items) ResetReconContext();
}

void CBalanceDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Date(pDX, m_date, m_strDate);
  DDX_Amount(pDX, m_endingEdit, m_strEnding);
}

void CBalanceDlg::FindPreviousYear() {
  const int current = std::atoi(CurrentFiscalYear);
  int best = 0;
  for (const FiscalYearNode* n = YearList; n; n = n->next) {
    const int y = std::atoi(n->year);
    if (y < current && y > best) {
      best = y;
      m_prevYear = n;
    }
  }
  m_prevYearNumber = m_prevYear ? best : current - 1;
}

BOOL CBalanceDlg::OnInitDialog() {
  char item[16];
  std::snprintf(item, sizeof item, "%d", static_cast<int>(m_account.number));
  char text[64];
  GetSettingString(m_pSection, 'A', item, "", "%s", text);
  m_strDate = text;
  GetSettingString(m_pSection, 'B', item, "", "%s", text);
  m_strEnding = text;

  m_date.SubclassEdit(IDC_BAL_DATE, this, CString(), 0);
  m_date.SetLimitText(8);
  m_endingEdit.SubclassDlgItem(IDC_BAL_ENDING, this);
  m_endingEdit.SetFormat(CAmountEdit::kDecimals, "-9999.99", "99999.99", 2);
  m_endingEdit.SetLimitText(8);
  CDialog::OnInitDialog();
  if (CWnd* title = GetDlgItem(IDC_REC_TITLE)) SetBoldFont(title->GetSafeHwnd());
  CString caption;
  caption.Format("%d / %s", static_cast<int>(m_account.number), m_account.name);
  SetWindowText(caption);
  HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_BAL_LIST);
  ::SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const bool asset = GetAcctClass(m_account.number) == 'A';
  SetDlgItemText(IDC_BAL_DEP_LABEL, asset ? "Uncl Deposits:" : "Uncl Charges:");
  SetDlgItemText(IDC_BAL_WD_LABEL, asset ? "Uncl Withdrawals:" : "Uncl Payments:");
  FindPreviousYear();
  char box[48];
  std::snprintf(box, sizeof box, "&Display FY%2.2d Trans", m_prevYearNumber % 100);
  SetDlgItemText(IDC_BAL_PREVYEAR, box);
  if (CWnd* prev = GetDlgItem(IDC_BAL_PREVYEAR)) prev->EnableWindow(m_prevYear ? TRUE : FALSE);
  if (CWnd* report = GetDlgItem(IDC_BAL_REPORT)) report->EnableWindow(GetRecordReportRunner() ? TRUE : FALSE);

  m_sizer.Start(this, m_cx, m_cy);
  // Without a remembered size the opening size is the one to remember.
  int dx = 0, dy = 0;
  if (m_cx == 0) m_sizer.Step(this, &m_cx, &m_cy, &dx, &dy);

  LoadReconItems(m_account.number, DataFolder, CurrentYearNode, 1, &m_items);
  SetupColumns();
  Fill(false);
  m_bChanged = 0;
  UpdateData(FALSE);
  CenterWindow();
  Recompute();
  return TRUE;
}

void CBalanceDlg::SetupColumns() {
  HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_BAL_LIST);
  char decrease[16], increase[16];
  GetAmountColumnLabel(m_account.number, -1, 0, decrease);
  GetAmountColumnLabel(m_account.number, 1, 0, increase);
  const struct {
    const char* heading;
    int format;
  } columns[kColumns] = {{"Dummy", LVCFMT_LEFT},       {"Num", LVCFMT_RIGHT},    {"Date", LVCFMT_LEFT},
                         {"Description", LVCFMT_LEFT}, {decrease, LVCFMT_RIGHT}, {increase, LVCFMT_RIGHT},
                         {"Clr", LVCFMT_CENTER},       {"<index>", LVCFMT_LEFT}};
  for (int i = 0; i < kColumns; ++i) {
    LVCOLUMN c{};
    c.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    c.fmt = columns[i].format;
    c.pszText = const_cast<char*>(columns[i].heading);
    c.iSubItem = i;
    ::SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
  }
  SizeColumns();
}

void CBalanceDlg::SizeColumns() {
  HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_BAL_LIST);
  RECT r{};
  ::GetClientRect(list, &r);
  const int width = r.right - r.left;
  for (int i = 0; i < kColumns; ++i)
    ::SendMessage(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(width * kPercent[i] / 100, 0));
}

void CBalanceDlg::AddItems(ReconList& list, bool previous) {
  HWND view = ::GetDlgItem(GetSafeHwnd(), IDC_BAL_LIST);
  for (size_t i = 0; i < list.size() && list[i].row >= 0; ++i) {
    const ReconItem& item = list[i];
    const int row = static_cast<int>(::SendMessage(view, LVM_GETITEMCOUNT, 0, 0));
    LVITEM lv{};
    lv.mask = LVIF_TEXT | LVIF_PARAM;
    lv.iItem = row;
    lv.pszText = const_cast<char*>("");
    lv.lParam = static_cast<LPARAM>(i) | (previous ? kPreviousBit : 0);
    ::SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&lv));
    char number[sizeof item.number + 1] = {};
    std::memcpy(number, item.number, sizeof item.number);
    SetItemText(view, row, kNum, number);
    SetItemText(view, row, kDate, item.date);
    SetItemText(view, row, kDescription, item.description);
    CString amount = FormatDollars(item.amount, 0);
    if (!item.isTransaction) amount = "[" + amount + "]";
    SetItemText(view, row, item.factor == 1 ? kIncrease : kDecrease, amount);
    SetItemText(view, row, kClr, item.cleared ? "x" : "");
    char index[16];
    std::snprintf(index, sizeof index, "%c%d", previous ? 'P' : 'C', static_cast<int>(i));
    SetItemText(view, row, kIndex, index);
  }
}

void CBalanceDlg::Fill(bool keepScroll) {
  HWND view = ::GetDlgItem(GetSafeHwnd(), IDC_BAL_LIST);
  const int top = static_cast<int>(::SendMessage(view, LVM_GETTOPINDEX, 0, 0));
  const int perPage = static_cast<int>(::SendMessage(view, LVM_GETCOUNTPERPAGE, 0, 0));
  const int selected = static_cast<int>(::SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  ::SendMessage(view, LVM_DELETEALLITEMS, 0, 0);
  if (m_prevLoaded && m_prevShown) AddItems(m_prevItems, true);
  AddItems(m_items, false);
  const int count = static_cast<int>(::SendMessage(view, LVM_GETITEMCOUNT, 0, 0));
  if (count > 0) {
    int visible = keepScroll ? top + perPage - 1 : count - 1;
    if (visible >= count) visible = count - 1;
    if (visible < 0) visible = 0;
    ::SendMessage(view, LVM_ENSUREVISIBLE, static_cast<WPARAM>(visible), FALSE);
    if (selected >= 0 && selected < count) {
      LVITEM set{};
      set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      ::SendMessage(view, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&set));
    }
  }
  Recompute();
}

ReconItem* CBalanceDlg::ItemOfRow(int row) {
  HWND view = ::GetDlgItem(GetSafeHwnd(), IDC_BAL_LIST);
  LVITEM lv{};
  lv.mask = LVIF_PARAM;
  lv.iItem = row;
  if (!::SendMessage(view, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&lv))) return nullptr;
  ReconList& list = (lv.lParam & kPreviousBit) ? m_prevItems : m_items;
  const size_t index = static_cast<size_t>(lv.lParam & (kPreviousBit - 1));
  if (index >= list.size() || list[index].row < 0) return nullptr;
  return &list[index];
}

void CBalanceDlg::Recompute() {
  char text[16] = "";
  if (GetSafeHwnd()) ::GetWindowText(::GetDlgItem(GetSafeHwnd(), IDC_BAL_ENDING), text, sizeof text);
  m_ending = ParseDollars(text);
  m_unclearedIncreases = m_unclearedDecreases = 0;
  for (const ReconList* list : {&m_prevItems, &m_items}) {
    if (list == &m_prevItems && !m_prevLoaded) continue;
    for (const ReconItem& item : *list) {
      if (item.row < 0) break;
      if (item.cleared) continue;
      (item.factor == 1 ? m_unclearedIncreases : m_unclearedDecreases) += item.amount;
    }
  }
  const long adjusted = m_ending + m_unclearedIncreases - m_unclearedDecreases;
  SetDlgItemText(IDC_BAL_DEP, FormatDollars(m_unclearedIncreases, 0));
  SetDlgItemText(IDC_BAL_WD, FormatDollars(m_unclearedDecreases, 0));
  SetDlgItemText(IDC_BAL_ADJUSTED, FormatDollars(adjusted, 0));
  SetDlgItemText(IDC_BAL_CURRENT, FormatDollars(m_account.currentBalance, 0));
  SetDlgItemText(IDC_BAL_VARIANCE, FormatDollars(adjusted - m_account.currentBalance, 0));
}

void CBalanceDlg::Toggle(int row) {
  ReconItem* item = ItemOfRow(row);
  if (!item) return;
  m_bChanged = 1;
  item->cleared = item->cleared ? 0 : 1;
  Fill(true);
}

void CBalanceDlg::PreviousYearClicked() {
  const bool checked = IsDlgButtonChecked(IDC_BAL_PREVYEAR) != 0;
  if (checked && !m_prevLoaded) {
    if (!m_prevYear || !LoadReconItems(m_account.number, m_prevYear->folder, m_prevYear, 0, &m_prevItems)) {
      CheckDlgButton(IDC_BAL_PREVYEAR, 0);
      return;
    }
    m_prevLoaded = true;
  }
  m_prevShown = checked;
  Fill(false);
}

void CBalanceDlg::OnReport() {
  RecordReportRunner run = GetRecordReportRunner();
  if (!run) return;
  if (!UpdateData(TRUE)) return;
  if (!m_strDate.IsEmpty()) {
    if (!m_date.Validate(nullptr)) return;
    char date[16], message[300];
    std::snprintf(date, sizeof date, "%s", static_cast<const char*>(m_strDate));
    if (!ValidateDlgField("Closing Date", date, 0, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr,
                          ::GetDlgItem(GetSafeHwnd(), IDC_BAL_DATE), message)) {
      DispMessage(message, MSG_WARNING);
      return;
    }
  }
  Recompute();
  ReconContext& c = TheReconContext;
  c.account = &m_account;
  char mmddyy[16] = "";
  if (!m_strDate.IsEmpty()) FormatDate(m_strDate, DF_YYYYMMDD, DF_MMDDYY, mmddyy);
  std::snprintf(c.statementDate, sizeof c.statementDate, "%.6s", mmddyy);
  c.statementBalance = ParseDollars(m_strEnding);
  c.unclearedIncreases = m_unclearedIncreases;
  c.unclearedDecreases = m_unclearedDecreases;
  c.previousItems = m_prevLoaded ? &m_prevItems : nullptr;
  c.items = &m_items;
  run(16, nullptr);
}

BOOL CBalanceDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_BALANCE))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_BAL_ENDING && code == EN_KILLFOCUS) Recompute();
  if (code == BN_CLICKED && id == IDC_BAL_PREVYEAR) {
    PreviousYearClicked();
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_BAL_REPORT) {
    OnReport();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CBalanceDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && static_cast<int>(hdr->idFrom) == IDC_BAL_LIST && hdr->code == NM_DBLCLK) {
    const NMITEMACTIVATE* act = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
    int row = act->iItem;
    if (row < 0)
      row = static_cast<int>(::SendDlgItemMessage(GetSafeHwnd(), IDC_BAL_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                  LVNI_SELECTED));
    if (row >= 0) Toggle(row);
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

void CBalanceDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  if (!m_sizer.Started()) return;
  int dx = 0, dy = 0;
  m_sizer.Step(this, &m_cx, &m_cy, &dx, &dy);
  auto move = [this](int id, int x, int y, BOOL whole) {
    if (CWnd* w = GetDlgItem(id)) MoveControlBy(w, x, y, whole);
  };
  if (dx != 0 || dy != 0) {
    move(IDC_REC_SEPARATOR, dx, 0, FALSE);
    move(IDC_BAL_LIST, dx, dy, FALSE);
    for (int id : kPanel) move(id, dx, 0, TRUE);
    move(IDOK, dx / 3, dy, TRUE);
    move(IDCANCEL, 2 * dx / 3, dy, TRUE);
    move(IDC_SHELL_HELP, dx, dy, TRUE);
    SizeColumns();
  }
  m_sizer.Finish(this);
}

void CBalanceDlg::OnDestroy() {
  if (!m_closed && m_pSection) {
    WriteDialogSize(m_pSection, 'X', m_cx);
    WriteDialogSize(m_pSection, 'Y', m_cy);
    CloseSettingsSection(m_pSection);
    m_pSection = nullptr;
  }
  m_closed = true;
  CDialog::OnDestroy();
}

void CBalanceDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  char item[16];
  std::snprintf(item, sizeof item, "%d", static_cast<int>(m_account.number));
  PutSettingString(m_pSection, 'A', item, m_strDate);
  PutSettingString(m_pSection, 'B', item, m_strEnding);
  if (m_prevLoaded && !SaveClearedFlags(m_prevYear ? m_prevYear->folder : "", m_prevYear, 0, m_prevItems)) return;
  if (!SaveClearedFlags(DataFolder, CurrentYearNode, 1, m_items)) return;
  EndDialog(IDOK);
}

void CBalanceDlg::OnCancel() {
  CancelAskingToSave(*this, m_bChanged != 0, "Do you wish to save your changes", [this] { OnOK(); });
}
