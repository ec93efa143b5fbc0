#include "records/AcctMgmtDlg.h"

#include <cstdio>
#include <cstdlib>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/AccountRegisterSeam.h"
#include "records/AcctDlg.h"
#include "records/BalanceDlg.h"
#include "records/BudgetDlg.h"
#include "records/LogDump.h"
#include "records/ResClearDlg.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

// The picture buttons and their hidden access-key twins.
struct PictureButton {
  int id, keyId;
  const char* bitmap;
  const char* tip;
};
const PictureButton kPictures[4] = {
    {IDC_ACCT_REGISTER, IDC_ACCT_REGISTER_KEY, "ACCTREG", "Account Register  (Alt-R)"},
    {IDC_ACCT_BALANCE, IDC_ACCT_BALANCE_KEY, "ACCTBAL", "Balance Account  (Alt-B)"},
    {IDC_ACCT_BUDGET, IDC_ACCT_BUDGET_KEY, "ACCTBUD", "Account Budget  (Alt-U)"},
    {IDC_ACCT_AUTOCLEAR, IDC_ACCT_AUTOCLEAR_KEY, "ACCTCLR", "Clear Reserve Account  (Alt-L)"},
};

void ShowError(ErrorTextIndex index, int kind) {
  char text[300];
  FormatErrorText(text, index, "account");
  DispMessage(text, kind);
}

}  // namespace

CAcctMgmtDlg::CAcctMgmtDlg(CWnd* parent) : CRecordListDlg(IDD_ACCTMGMT, "ACCTK", parent) {}

BOOL CAcctMgmtDlg::OnInitDialog() {
  for (int i = 0; i < 4; ++i) {
    m_pictures[i].SubclassDlgItem(kPictures[i].id, this);
    m_pictures[i].SetBitmapNames(kPictures[i].bitmap, nullptr, nullptr, nullptr);
  }
  CRecordListDlg::OnInitDialog();
  if (m_tips.Create(this, TTS_ALWAYSTIP))
    for (int i = 0; i < 4; ++i) m_tips.AddTool(&m_pictures[i], kPictures[i].tip);
  // Enter opens the register.
  SetDefID(IDC_ACCT_REGISTER);
  return TRUE;
}

BOOL CAcctMgmtDlg::PreTranslateMessage(MSG* msg) {
  if (m_tips.GetSafeHwnd() && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) m_tips.RelayEvent(msg);
  return CRecordListDlg::PreTranslateMessage(msg);
}

void CAcctMgmtDlg::SetupList() {
  HWND list = List().Handle();
  ::SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const struct {
    const char* heading;
    int format;
  } columns[4] = {{"Account", LVCFMT_LEFT}, {"Type", LVCFMT_LEFT}, {"Balance", LVCFMT_RIGHT}, {"Num Trans", LVCFMT_RIGHT}};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMN c{};
    c.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    c.fmt = columns[i].format;
    c.cx = 50;
    c.pszText = const_cast<char*>(columns[i].heading);
    c.iSubItem = i;
    ::SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
  }
  SizeColumns();
}

void CAcctMgmtDlg::SizeColumns() {
  HWND list = List().Handle();
  RECT r{};
  ::GetClientRect(list, &r);
  const int width = r.right - r.left;
  const int percent[4] = {45, 17, 17, 17};
  for (int i = 0; i < 4; ++i)
    ::SendMessage(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(width * percent[i] / 100, 0));
}

bool CAcctMgmtDlg::FillRows() {
  for (int pos = 0; pos < AcctTable.rowCount; ++pos) {
    const int row = AcctTable.byNumber[static_cast<size_t>(pos)];
    if (AcctTable.keys[static_cast<size_t>(row)].status == kStatusDeleted) continue;
    AccountRecord rec;
    if (ReadRecord(AcctFile, rec, row) != 1) return false;
    const char* className = rec.classRow >= 0 && rec.classRow < 9 ? AcctClassTable[rec.classRow].name : "";
    CString balance, count;
    if (rec.number != kReserveAllocationAccount && (rec.currentBalance != 0 || rec.usageCount != 0))
      balance = FormatDollars(rec.currentBalance, 0);
    if (rec.usageCount != 0) count.Format("%d", static_cast<int>(rec.usageCount));
    CString text;
    text.Format("%3d-%-s\t%s\t%s\t%s", static_cast<int>(rec.number), rec.name, className,
                static_cast<const char*>(balance), static_cast<const char*>(count));
    AddRow(text, pos);
  }
  return true;
}

void CAcctMgmtDlg::OnFillFailed() { ShowError(ERR_READ, MSG_FATAL); }

CString CAcctMgmtDlg::CaptionText() {
  CString s;
  const int n = AcctTable.liveCount;
  s.Format("Account Management (%d account%s)", n, n == 1 ? "" : "s");
  return s;
}

bool CAcctMgmtDlg::CanAdd() { return AcctTable.freeCount > 0; }

int CAcctMgmtDlg::SelectedAccount() const {
  const int row = const_cast<CAcctMgmtDlg*>(this)->List().Selected();
  if (row < 0) return 0;
  return std::atoi(const_cast<CAcctMgmtDlg*>(this)->List().Text(row, 0));
}

void CAcctMgmtDlg::UpdateEntityButtons() {
  const int number = SelectedAccount();
  const char letter = number ? GetAcctClass(number) : 0;
  const bool states[4] = {
      (letter == 'A' || letter == 'L' || letter == 'S') && GetAccountRegisterOpener() != nullptr,
      letter == 'A' || letter == 'L',
      number != 0,
      letter == 'R' && TransTable.freeCount > 0,
  };
  for (int i = 0; i < 4; ++i) {
    EnableItem(kPictures[i].id, states[i]);
    EnableItem(kPictures[i].keyId, states[i]);
  }
}

int CAcctMgmtDlg::LookupSelected() {
  int pos = -1;
  return FindAcctIndex(SelectedAccount(), &pos) ? pos : -1;
}

bool CAcctMgmtDlg::OpenInfo(bool isNew) {
  CAcctDlg dlg;
  dlg.m_bNew = isNew ? 1 : 0;
  dlg.m_pCurPos = &m_nCurPos;
  if (!dlg.LoadRecord(1)) return false;
  dlg.DoModal();
  return true;
}

bool CAcctMgmtDlg::DeleteSelected() { return DeleteAcct(SelectedAccount()) == 1; }

void CAcctMgmtDlg::MoveControls(int dx, int dy) {
  CRecordListDlg::MoveControls(dx, dy);
  MoveItem(IDC_ACCT_REGISTER, 0, dy, true);
  MoveItem(IDC_ACCT_BALANCE, dx / 4, dy, true);
  MoveItem(IDC_ACCT_BUDGET, 2 * dx / 4, dy, true);
  MoveItem(IDC_ACCT_AUTOCLEAR, 3 * dx / 4, dy, true);
  SizeColumns();
}

bool CAcctMgmtDlg::ReadSelected(AccountRecord* out) {
  const int pos = LookupSelected();
  if (pos < 0) {
    ShowError(ERR_NOT_FOUND, MSG_ERROR);
    return false;
  }
  m_nCurPos = pos;
  if (ReadRecord(AcctFile, *out, AcctTable.byNumber[static_cast<size_t>(pos)]) != 1) {
    ShowError(ERR_READ, MSG_FATAL);
    return false;
  }
  return true;
}

void CAcctMgmtDlg::OnDoubleClick() { OnRegister(); }

void CAcctMgmtDlg::OnRegister() {
  const char letter = GetAcctClass(SelectedAccount());
  if (letter != 'A' && letter != 'L' && letter != 'S') return;
  AccountRegisterOpener open = GetAccountRegisterOpener();
  if (!open) return;
  AccountRecord rec;
  if (!ReadSelected(&rec)) return;
  open(rec);
  Refill();
}

void CAcctMgmtDlg::OnBalance() {
  const char letter = GetAcctClass(SelectedAccount());
  if (letter != 'A' && letter != 'L') return;
  CBalanceDlg dlg;
  if (!ReadSelected(&dlg.m_account)) return;
  dlg.DoModal();
}

void CAcctMgmtDlg::OnBudget() {
  if (SelectedAccount() == 0) return;
  const int pos = LookupSelected();
  if (pos < 0) {
    ShowError(ERR_NOT_FOUND, MSG_ERROR);
    return;
  }
  m_nCurPos = pos;
  CBudgetDlg dlg;
  dlg.m_bNew = 0;
  dlg.m_pCurPos = &m_nCurPos;
  if (dlg.LoadRecord(1)) dlg.DoModal();
}

void CAcctMgmtDlg::OnAutoClear() {
  const int number = SelectedAccount();
  if (GetAcctClass(number) != 'R' || TransTable.freeCount <= 0) return;
  const int pos = LookupSelected();
  if (pos < 0) {
    ShowError(ERR_NOT_FOUND, MSG_ERROR);
    return;
  }
  m_nCurPos = pos;
  CResClearDlg dlg;
  dlg.m_strNumber.Format("%d", number);
  dlg.m_strName = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].name;
  dlg.m_strDate = TodayVsFiscalYear != 0 ? FiscalEndDate : TodayDate;
  if (dlg.DoModal() != IDOK) return;
  SetWaitCursor(1);
  char message[512] = "";
  const int ok = AutoCloseReserves(number, dlg.m_strDate, message);
  SetWaitCursor(0);
  if (ok) Refill();
  if (message[0]) DispMessage(message, ok ? MSG_INFORMATION : MSG_ERROR);
}

BOOL CAcctMgmtDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    CWnd* button = GetDlgItem(id);
    const bool enabled = !button || button->IsWindowEnabled();
    switch (id) {
      case IDC_ACCT_REGISTER:
      case IDC_ACCT_REGISTER_KEY:
        if (enabled) OnRegister();
        return TRUE;
      case IDC_ACCT_BALANCE:
      case IDC_ACCT_BALANCE_KEY:
        if (enabled) OnBalance();
        return TRUE;
      case IDC_ACCT_BUDGET:
      case IDC_ACCT_BUDGET_KEY:
        if (enabled) OnBudget();
        return TRUE;
      case IDC_ACCT_AUTOCLEAR:
      case IDC_ACCT_AUTOCLEAR_KEY:
        if (enabled) OnAutoClear();
        return TRUE;
      default:
        break;
    }
  }
  return CRecordListDlg::OnCommand(wParam, lParam);
}

void CAcctMgmtDlg::WriteAccountLog(FILE* out) {
  LogLine(out, "Row  ID    Sel Del Name                      OpenBal   CurrBal   TCnt BRec Type Multi");
  AccountRecord rec;
  for (int row = 0; row < AcctTable.rowCount; ++row) {
    if (ReadRecord(AcctFile, rec, row) != 1) return;
    LogLine(out, "%4d %5d %3d %3d %-25.25s %9ld %9ld %4d %4d %4d %5d", row, static_cast<int>(rec.number),
            static_cast<int>(rec.selected), static_cast<int>(rec.status), rec.name, static_cast<long>(rec.openingBalance),
            static_cast<long>(rec.currentBalance), static_cast<int>(rec.usageCount), static_cast<int>(rec.budgetRow),
            static_cast<int>(rec.classRow), static_cast<int>(rec.memberReserves));
  }
}
