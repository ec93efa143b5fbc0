// The account register grid dialog: set-up, loading the rows with their
// balances, the buttons, the layout and the grid's row notifications.
#include "registers/TransGDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/PrefValues.h"
#include "common/Settings.h"
#include "common/Trace.h"
#include "grid/cells/GXControl.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/AccountChoices.h"
#include "registers/GridCellTypes.h"
#include "registers/TransRules.h"
#include "reports/RegisterReport.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/Queries.h"
#include "store/SplitStore.h"
#include "store/Xfer.h"

namespace {

const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr UINT kPostedInsert = WM_USER + 0x1A0;

std::vector<int> Positions(const std::vector<int>& index, int count) {
  std::vector<int> rows;
  for (int i = 0; i < count && i < static_cast<int>(index.size()); ++i) rows.push_back(index[static_cast<size_t>(i)]);
  return rows;
}

CString Cents(long cents) {
  CString text;
  text.Format("%ld", cents);
  return text;
}

}  // namespace

CTransGDlg::CTransGDlg(CWnd* parent)
    : CDialog(IDD_TRANSGRID, parent),
      m_edit(std::make_unique<TransactionDetail>()),
      m_loaded(std::make_unique<TransactionDetail>()) {
  ResetTransactionDetail(m_edit->lines, m_edit->splits, m_edit->shares);
  ResetTransactionDetail(m_loaded->lines, m_loaded->splits, m_loaded->shares);
  m_pGridSection = OpenSettingsSection(SettingsFileName, "TGRID");
  m_pTransSection = OpenSettingsSection(SettingsFileName, "TRANS");
  m_cx = GetSettingInt(m_pGridSection, 'X', 0);
  m_cy = GetSettingInt(m_pGridSection, 'Y', 0);
}

CTransGDlg::~CTransGDlg() {
  PutSettingInt(m_pGridSection, 'X', m_cx);
  PutSettingInt(m_pGridSection, 'Y', m_cy);
  CloseSettingsSection(m_pGridSection);
  CloseSettingsSection(m_pTransSection);
}

char CTransGDlg::ClassOf(int account) const { return GetAcctClass(account); }

ROWCOL CTransGDlg::CurrentRow() {
  ROWCOL row = 0, col = 0;
  return m_grid.GetCurrentCell(row, col) ? row : 0;
}

void CTransGDlg::SetCell(ROWCOL row, ROWCOL col, const CString& text) { m_grid.StoreShownCell(row, col, text); }

BOOL CTransGDlg::OnInitDialog() {
  SetWaitCursor(1);
  CDialog::OnInitDialog();
  m_cClass = ClassOf(m_account.number);
  CString title;
  title.Format("%d / %s", static_cast<int>(m_account.number), m_account.name);
  SetDlgItemText(IDC_TRG_TITLE, title);
  SetBoldFont(::GetDlgItem(GetSafeHwnd(), IDC_TRG_TITLE));
  SetDlgItemText(IDC_TRG_BALANCELABEL, m_cClass == 'S' ? "Net Allocated:" : "Balance:");
  m_grid.SubclassGridControl(IDC_TRG_GRID, this);
  LoadAccountLists(3);
  m_grid.SetSavePrompt("Do you wish to save your changes to the current transaction");
  m_grid.SetAccountKind(m_cClass == 'A' ? 0 : m_cClass == 'L' ? 1 : m_cClass == 'S' ? 2 : 0);
  m_grid.SetColorScheme(GridColours[0], GridColours[1], GridColours[2], GridColours[3], GridColours[4]);
  m_grid.EndLockedUpdate();
  StartFormSize(this, m_size);
  // The size message of the window's making came before the controls were
  // there: every size from now on lays them out.
  m_size.firstSize = 0;
  if (m_cx != 0) SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER);
  UpdateTotals();
  LoadRegister(true);
  SendMessage(DM_SETDEFID, IDC_TRG_SAVE);
  CenterWindow();
  m_bChanged = 0;
  SetWaitCursor(0);
  return TRUE;
}

void CTransGDlg::LoadAccountLists(int flags) {
  auto entries = [](const ListOfValues& list, int skip) {
    std::vector<CString> out;
    for (int i = 0; i < list.Count(); ++i) {
      const char* text = list.texts[static_cast<size_t>(i)].data();
      if (LeadingNumber(text) == skip) continue;
      out.emplace_back(text);
    }
    return out;
  };
  if (flags & 1) {
    GetListOfValues("NR-ACCT", 1, &m_nonReserve);
    if (m_account.number == kReserveAllocationAccount) {
      GetListOfValues("R-ACCT", 1, &m_reserve);
      m_supportChoices = entries(m_reserve, m_account.number);
    } else {
      m_supportChoices = entries(m_nonReserve, m_account.number);
    }
    m_supportChoices.emplace_back("Split / Multiple Support Accounts");
    m_grid.SetSupportChoices(m_supportChoices);
  }
  if (flags & 2) {
    GetListOfValues("R-ACCT", 1, &m_reserve);
    m_reserveChoices = entries(m_reserve, -1);
    m_grid.SetReserveChoices(m_reserveChoices);
  }
}

void CTransGDlg::LoadRegister(bool first) {
  const ROWCOL top = m_grid.GetTopRow(), left = m_grid.GetLeftCol();
  m_grid.SetLockRedraw(TRUE);
  const BOOL guard = m_grid.GetParam()->m_bReadOnlyGuard;
  m_grid.GetParam()->SetReadOnlyGuard(FALSE);
  m_grid.ResetCurrentCell(FALSE);
  if (m_grid.GetRowCount() > 0) m_grid.RemoveRows(1, m_grid.GetRowCount(), 0);
  ROWCOL row = 1;
  m_grid.SetRowCount(1, 0);
  m_grid.SetValueRange(CGXRange(1, kColDescription), "Opening Balance", 0, 0);
  m_grid.SetValueRange(CGXRange(1, kColBalance), Cents(m_account.openingBalance), 0, 0);
  m_grid.MarkRowReadOnly(1);
  char error[256] = "";
  TransactionDetail& t = *m_edit;
  auto put = [&](ROWCOL r, ROWCOL c, const CString& text) { m_grid.SetValueRange(CGXRange(r, c), text, 0, 0); };
  for (int index : Positions(TransTable.byDateAcctNumber, TransTable.rowCount)) {
    if (error[0]) break;
    if (index < 0 || index >= TransTable.rowCount) continue;
    const TransKey& key = TransTable.keys[static_cast<size_t>(index)];
    if (key.status == kStatusDeleted) continue;
    bool names = key.account == m_account.number;
    for (int s = 0; !names && s < SupportTable.rowCount; ++s) {
      const SupportKey& k = SupportTable.keys[static_cast<size_t>(s)];
      names = k.status != kStatusDeleted && k.id == key.id && k.account == m_account.number;
    }
    if (!names) continue;
    if (!LoadTransaction(index, &t.transaction, t.lines, t.splits, t.shares, error)) break;
    const TransactionRecord& tr = t.transaction;
    const CString date = FormatDateShort(tr.date, DF_YYYYMMDD);
    if (tr.account == m_account.number) {
      m_grid.SetRowCount(++row, 0);
      put(row, kColId, Cents(tr.id));
      put(row, kColDate, date);
      put(row, kColMonth, kMonthNames[std::clamp<int>(tr.month, 0, 11)]);
      put(row, kColNumber, tr.number);
      if (AllDigits(tr.number)) m_nHighestNumber = std::max(m_nHighestNumber, std::atoi(tr.number));
      put(row, kColDescription, tr.payee);
      put(row, tr.factor != -1 ? kColDeposit : kColWithdrawal, Cents(tr.amount));
      put(row, kColCleared, tr.cleared ? "1" : "0");
      const bool single = !tr.multiLine;
      put(row, kColSupport, single ? Cents(t.lines[0].account) : CString("Split"));
      if (single && t.lines[0].reserveAccount != 0 && ClassOf(t.lines[0].account) != 'R')
        put(row, kColReserve, Cents(t.lines[0].reserveAccount));
      put(row, kColPassbook, single && t.lines[0].split ? "1" : "0");
      put(row, kColNotes, tr.remarks);
      UpdateRowControls(row);
    }
    for (const SupportLineRecord& line : t.lines) {
      if (line.account != m_account.number || line.status == kStatusDeleted) continue;
      m_grid.SetRowCount(++row, 0);
      put(row, kColDate, date);
      put(row, kColDescription, tr.payee);
      put(row, kColNotes, line.remarks);
      put(row, line.factor != -1 ? kColDeposit : kColWithdrawal, Cents(line.amount));
      put(row, kColCleared, tr.cleared ? "1" : "0");
      put(row, kColSupport, Cents(tr.account));
      m_grid.MarkRowReadOnly(row);
    }
  }
  if (m_account.number == kEquipmentAccount) {
    int items = 0, change = 0;
    GetEquipValueAt(FiscalStartDate, TodayDate, &items);
    if (items != 0) {
      m_grid.SetRowCount(++row, 0);
      put(row, kColNumber, "AutoPost");
      put(row, kColDescription, "Manually Entered Items");
      put(row, kColDeposit, Cents(items));
      m_grid.MarkRowReadOnly(row);
    }
    const bool inside = std::strcmp(TodayDate, FiscalStartDate) >= 0 && std::strcmp(TodayDate, FiscalEndDate) <= 0;
    GetEquipValueChange(FiscalStartDate, inside ? TodayDate : FiscalEndDate, &change);
    if (change != 0) {
      m_grid.SetRowCount(++row, 0);
      put(row, kColNumber, "AutoPost");
      put(row, kColDescription, "Depreciation");
      put(row, kColWithdrawal, Cents(change));
      m_grid.MarkRowReadOnly(row);
    }
  }
  m_grid.GetParam()->SetReadOnlyGuard(guard);
  m_grid.SetLockRedraw(FALSE);
  m_grid.Redraw(2, TRUE);
  RecomputeBalances(1);
  if (first) m_grid.SetTopLeftRowCol(std::max<ROWCOL>(1, m_grid.GetRowCount()), 0);
  else m_grid.SetTopLeftRowCol(std::min(top, m_grid.GetRowCount()), left);
  LoadDescriptionChoices();
  UpdateTotals();
  UpdateButtons();
  if (error[0]) DispMessage(error, MSG_FATAL);
}

void CTransGDlg::RecomputeBalances(ROWCOL fromRow) {
  if (fromRow < 1) fromRow = 1;
  long balance = std::atol(m_grid.GetCellValue(fromRow <= 1 ? 1 : fromRow - 1, kColBalance));
  if (fromRow <= 1) fromRow = 2;
  const BOOL guard = m_grid.GetParam()->m_bReadOnlyGuard;
  m_grid.GetParam()->SetReadOnlyGuard(FALSE);
  for (ROWCOL r = fromRow; r <= m_grid.GetRowCount(); ++r) {
    balance += std::atol(m_grid.GetCellText(r, kColDeposit)) - std::atol(m_grid.GetCellText(r, kColWithdrawal));
    m_grid.SetValueRange(CGXRange(r, kColBalance), Cents(balance), 0, 1);
  }
  m_grid.GetParam()->SetReadOnlyGuard(guard);
  m_nRunningBalance = m_grid.GetRowCount() <= 1 ? m_account.openingBalance : balance;
}

void CTransGDlg::UpdateTotals() {
  CString count;
  count.Format("%d", static_cast<int>(m_grid.GetRowCount() > 0 ? m_grid.GetRowCount() - 1 : 0));
  SetDlgItemText(IDC_TRG_COUNT, count);
  SetDlgItemText(IDC_TRG_BALANCE, FormatDollars(m_nRunningBalance, 1));
}

void CTransGDlg::UpdateButtons() {
  auto enable = [&](int id, bool on) {
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on);
  };
  enable(IDC_TRG_DELETE, m_grid.CanDeleteRow());
  enable(IDC_TRG_INSERT, m_grid.IsRowClean() && TransTable.freeCount > 0);
  enable(IDC_TRG_RESET, m_grid.CanResetRow());
  enable(IDC_TRG_SAVE, m_grid.CanSaveRow());
  enable(IDC_TRG_SPLIT, m_grid.CanDeleteRow() || !m_grid.IsRowClean());
  // Printing needs the account register report and its dialog.
  enable(IDC_TRG_PRINT, m_grid.IsRowClean() && AccountRegisterReportReady());
}

void CTransGDlg::UpdateRowControls(ROWCOL row) {
  if (row < 2 || row > m_grid.GetRowCount()) return;
  if (m_grid.GetCellValue(row, kColId).IsEmpty() && !(row == CurrentRow() && m_nCurrentIndex < 0 &&
                                                      m_grid.IsEditState(CZanthGrid::EditStateNewRow)))
    return;
  const bool single = CurrentRow() == row ? IsSingleLine() : m_grid.GetCellValue(row, kColSupport) != "Split";
  const CString supportText = m_grid.GetCellText(row, kColSupport);
  const char letter = single ? ClassOf(std::atoi(supportText)) : ' ';
  const bool reserveAllowed = single && (letter == 'I' || letter == 'E');
  const BOOL guard = m_grid.GetParam()->m_bReadOnlyGuard;
  m_grid.GetParam()->SetReadOnlyGuard(FALSE);
  if (!reserveAllowed && !m_grid.GetCellValue(row, kColReserve).IsEmpty())
    m_grid.SetValueRange(CGXRange(row, kColReserve), "", 0, 1);
  m_grid.ApplyStyle(CGXRange(row, kColReserve), CGXStyle().SetEnabled(reserveAllowed).SetReadOnly(!reserveAllowed), 0, 0);
  const bool passbookAllowed = single && (letter == 'I' || letter == 'E' || letter == 'R');
  if (!passbookAllowed) {
    if (m_grid.GetCellValue(row, kColPassbook) != "0") m_grid.SetValueRange(CGXRange(row, kColPassbook), "0", 0, 1);
    if (single && row == CurrentRow()) {
      m_edit->lines[0].split = 0;
      ResetSplitBuffers(&m_edit->splits[0], m_edit->shares[0]);
    }
  }
  const bool passbookOn = passbookAllowed && GetPassbookMemberTotal() > 0;
  for (ROWCOL c : {kColPassbook, kColPassbookButton})
    m_grid.ApplyStyle(CGXRange(row, c), CGXStyle().SetEnabled(passbookOn).SetReadOnly(!passbookOn), 0, 0);
  m_grid.GetParam()->SetReadOnlyGuard(guard);
  m_grid.SetAllowNewAccount(AccountSlotFree());
  m_grid.Invalidate(FALSE);
}

void CTransGDlg::LoadDescriptionChoices() {
  std::vector<CString> list;
  CString previous;
  for (int index : Positions(TransTable.byAcctPayeeDate, TransTable.rowCount)) {
    if (index < 0 || index >= TransTable.rowCount) continue;
    const TransKey& key = TransTable.keys[static_cast<size_t>(index)];
    if (key.status == kStatusDeleted || key.account != m_account.number || key.payee[0] == '\0') continue;
    if (previous == key.payee) continue;
    previous = key.payee;
    list.push_back(previous);
  }
  m_grid.SetDescriptionChoices(list);
}

void CTransGDlg::OnLoadTrans() {
  CTraceScope scope("CTransGDlg::OnLoadTrans");
  m_nCurrentIndex = -1;
  int found = -1;
  if (const ROWCOL row = CurrentRow(); row > 0) {
    const CString id = m_grid.GetCellValue(row, kColId);
    if (!id.IsEmpty()) {
      const LONG wanted = std::atol(id);
      for (int i = 0; i < TransTable.rowCount && found < 0; ++i)
        if (TransTable.keys[static_cast<size_t>(i)].id == wanted &&
            TransTable.keys[static_cast<size_t>(i)].status != kStatusDeleted)
          found = i;
    }
  }
  LoadTrans(found);
}

void CTransGDlg::LoadTrans(int index) {
  CTraceScope scope("CTransGDlg::_LoadTrans");
  SetWaitCursor(1);
  m_nCurrentIndex = index;
  TransactionDetail& L = *m_loaded;
  if (XferTransaction(0, m_account.number, index, m_nHighestNumber, &L.transaction, L.lines, L.splits, L.shares)) {
    *m_edit = L;
    m_nLineCount = 0;
    for (const SupportLineRecord& line : L.lines)
      if (line.account != 0) ++m_nLineCount;
  }
  SetWaitCursor(0);
}

void CTransGDlg::OnGridStateChanged() {
  UpdateButtons();
  if (const ROWCOL row = CurrentRow(); row > 0) UpdateRowControls(row);
  if (CWnd* log = GetDlgItem(IDC_TRG_LOG)) {
    log->EnableWindow(FALSE);
    log->ShowWindow(SW_HIDE);
  }
}

void CTransGDlg::OnInsert() {
  m_insertPosted = false;
  m_grid.TransferCurrentCell(TRUE, 2, TRUE);
  const ROWCOL row = m_grid.InsertNewRow();
  LoadTrans(-1);
  const TransactionRecord& t = m_edit->transaction;
  const BOOL guard = m_grid.GetParam()->m_bReadOnlyGuard;
  m_grid.GetParam()->SetReadOnlyGuard(FALSE);
  m_grid.SetValueRange(CGXRange(row, kColDate), FormatDateShort(t.date, DF_YYYYMMDD), 0, 1);
  m_grid.SetValueRange(CGXRange(row, kColMonth), kMonthNames[std::clamp<int>(t.month, 0, 11)], 0, 1);
  m_grid.SetValueRange(CGXRange(row, kColNumber), t.number, 0, 1);
  m_grid.GetParam()->SetReadOnlyGuard(guard);
  if (CGXControl* control = m_grid.GetCurrentCellControl()) {
    ROWCOL r = 0, c = 0;
    if (m_grid.GetCurrentCell(r, c)) control->Init(r, c);
  }
  m_grid.SetEditState(CZanthGrid::EditStateNewRow);
  UpdateRowControls(row);
}

void CTransGDlg::OnDelete() {
  const ROWCOL row = CurrentRow();
  if (row < 2) return;
  const CString id = m_grid.GetCellValue(row, kColId);
  if (id.IsEmpty()) return;
  const CString prompt = "Transaction '" + m_grid.GetCellText(row, kColNumber) + "', dated " +
                         m_grid.GetCellText(row, kColDate);
  if (!ConfirmDelete(prompt)) return;
  // The store deletes first: a failed delete keeps the row.
  if (!DeleteTransaction(std::atoi(id), 0)) return;
  m_grid.RemoveCurrentRow();
  m_bChanged = 1;
  RecomputeBalances(std::min(row, m_grid.GetRowCount()));
  UpdateTotals();
  UpdateButtons();
}

void CTransGDlg::OnSave() {
  const int index = m_nCurrentIndex;
  if (m_grid.TransferCurrentCell(TRUE, 2, TRUE) && SaveRow() && (m_grid.CommitRow() || m_grid.IsRowClean())) {
    m_grid.SetValidityFlag(1);
    m_bChanged = 1;
    m_nCurrentIndex = -1;
    for (int i = 0; i < TransTable.rowCount; ++i)
      if (TransTable.keys[static_cast<size_t>(i)].id == m_edit->transaction.id) m_nCurrentIndex = i;
    *m_loaded = *m_edit;
    m_grid.SaveRowCopy(CurrentRow());
    RecomputeBalances(std::max<ROWCOL>(CurrentRow(), 2));
    UpdateTotals();
    UpdateButtons();
    // The next new row follows once the grid has finished moving: a row is
    // never inserted in the middle of a current-cell move.
    if (index < 0 && TransTable.freeCount > 0 && !m_insertPosted) {
      m_insertPosted = true;
      PostMessage(kPostedInsert);
    }
  } else {
    m_grid.SetValidityFlag(2);
  }
}

void CTransGDlg::OnPrint() { PrintAccountRegister(m_account.number, '1'); }

void CTransGDlg::OnCancel() {
  if (!m_grid.TransferCurrentCell(TRUE, 2, TRUE)) return;
  if (m_grid.CheckRowLeave(TRUE)) return;
  EndDialog(m_bChanged ? IDOK : IDCANCEL);
}

void CTransGDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  if (GetDlgItem(IDC_TRG_GRID) == nullptr) return;
  ResizeForm(this, m_size, IDC_TRG_GRID, {IDC_TRG_LOG, IDC_TRG_PRINT, IDCANCEL, IDC_SHELL_HELP});
  m_cx = m_size.lastCx;
  m_cy = m_size.lastCy;
}

BOOL CTransGDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_TRG_GRID && reinterpret_cast<HWND>(lParam) == m_grid.GetSafeHwnd()) {
    switch (code) {
      case GridNotifyCancelEdit: OnLoadTrans(); return TRUE;
      case GridNotifyRowChanged: OnLoadTrans(); return TRUE;
      case GridNotifySaveRow: OnSave(); return TRUE;
      case GridNotifyStateChanged: OnGridStateChanged(); return TRUE;
      case GridNotifyLeftEdited: OnLeftEdited(); return TRUE;
      case GridNotifyAmountChanged: {
        ROWCOL row = 0, col = 0;
        if (m_grid.GetCurrentCell(row, col)) AmountChanged(row, col);
        return TRUE;
      }
      case GridNotifyReserveChanged: ReserveChanged(CurrentRow()); return TRUE;
      case GridNotifySupportChanged: SupportChanged(CurrentRow()); return TRUE;
      case GridNotifyPassbookButton: EditPassbookSplit(); return TRUE;
      case GridNotifyPassbookCheck: OnPassbookCheck(); return TRUE;
      default: return TRUE;
    }
  }
  if (id == IDC_TRG_GRID && code == GridNotifyNextNumber) {
    OnNextNumber(reinterpret_cast<HWND>(lParam));
    return TRUE;
  }
  if (id == IDC_TRG_GRID && code == GridNotifyNewAccount) {
    OnNewAccount(reinterpret_cast<HWND>(lParam));
    return TRUE;
  }
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_TRG_INSERT: OnInsert(); return TRUE;
      case IDC_TRG_DELETE: OnDelete(); return TRUE;
      case IDC_TRG_RESET: m_grid.ResetRow(); return TRUE;
      case IDC_TRG_SAVE: OnSave(); return TRUE;
      case IDC_TRG_SPLIT: OnSupportGrid(); return TRUE;
      case IDC_TRG_PRINT: OnPrint(); return TRUE;
      default: break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

LRESULT CTransGDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPostedInsert) {
    m_insertPosted = false;
    if (m_grid.IsRowClean() && TransTable.freeCount > 0) OnInsert();
    return 0;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

void RunRegisterGrid(const AccountRecord& account) {
  CTransGDlg dlg;
  dlg.m_account = account;
  dlg.DoModal();
}
