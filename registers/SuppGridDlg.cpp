// The support lines of a register transaction as a grid: set-up, the rows
// and their line buffers, the single cells' effects on the line, saving a
// line into its slot, the buttons and the layout.
#include "registers/SuppGridDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/PrefValues.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/TempFolder.h"
#include "common/UnitVocab.h"
#include "grid/cells/GXControl.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/AccountChoices.h"
#include "registers/GridCellTypes.h"
#include "registers/SplitDlg.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/SplitStore.h"

namespace {

CString Number(long value) {
  CString text;
  text.Format("%ld", value);
  return text;
}

bool AccountExists(int number) {
  int pos = -1;
  return number != 0 && FindAcctIndex(number, &pos);
}

// The text up to its first blank.
CString FirstWord(const CString& text) {
  CString word = text;
  word.TrimLeft();
  const int blank = word.Find(' ');
  return blank >= 0 ? word.Left(blank) : word;
}

}  // namespace

CSuppGridDlg::CSuppGridDlg(TransactionDetail& detail, CWnd* parent)
    : CDialog(IDD_SUPPGRID, parent), m_detail(detail), m_shares(std::make_unique<SubAccountRecord[]>(kMemberSlots)) {
  ResetSplitBuffers(&m_split, m_shares.get());
  m_pGridSection = OpenSettingsSection(SettingsFileName, "SGRID");
  m_pTransSection = OpenSettingsSection(SettingsFileName, "TRANS");
  m_cx = GetSettingInt(m_pGridSection, 'X', 0);
  m_cy = GetSettingInt(m_pGridSection, 'Y', 0);
}

CSuppGridDlg::~CSuppGridDlg() {
  PutSettingInt(m_pGridSection, 'X', m_cx);
  PutSettingInt(m_pGridSection, 'Y', m_cy);
  CloseSettingsSection(m_pGridSection);
  CloseSettingsSection(m_pTransSection);
}

char CSuppGridDlg::AccountLetter() const { return GetAcctClass(m_pAccount ? m_pAccount->number : 0); }

int CSuppGridDlg::UsedSlots() const {
  int used = 0;
  for (const SupportLineRecord& line : m_detail.lines)
    if (line.account != 0) ++used;
  return used;
}

ROWCOL CSuppGridDlg::CurrentRow() {
  ROWCOL row = 0, col = 0;
  return m_grid.GetCurrentCell(row, col) ? row : 0;
}

int CSuppGridDlg::SlotOfRow(ROWCOL row) {
  if (row < 1 || row > m_grid.GetRowCount()) return -1;
  const CString text = m_grid.GetCellValue(row, kSuppColSlot);
  if (text.IsEmpty()) return -1;
  const int slot = std::atoi(text);
  return slot >= 0 && slot < kLinesPerTransaction ? slot : -1;
}

void CSuppGridDlg::SetCell(ROWCOL row, ROWCOL col, const CString& text) { m_grid.StoreShownCell(row, col, text); }

BOOL CSuppGridDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetBoldFont(Item(IDC_SGR_TITLE));
  m_grid.SubclassGridControl(IDC_SGR_GRID, this);
  FillAccountLists(3);
  m_grid.SetSavePrompt("Do you wish to save your changes to the current transaction");
  m_grid.SetColorScheme(GridColours[0], GridColours[1], GridColours[2], GridColours[3], GridColours[4]);
  m_grid.EndLockedUpdate();
  StartFormSize(this, m_size);
  // The size message of the window's making came before the controls were
  // there: every size from now on lays them out.
  m_size.firstSize = 0;
  if (m_cx != 0) SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER);
  UpdateTotals();
  FillGrid(true);
  LoadLine(-1);
  SendMessage(DM_SETDEFID, IDC_SGR_SAVE);
  CenterWindow();
  m_bPosted = 0;
  if (CWnd* log = GetDlgItem(IDC_SGR_LOG)) {
    log->EnableWindow(FALSE);
    log->ShowWindow(SW_HIDE);
  }
  return TRUE;
}

void CSuppGridDlg::FillAccountLists(int flags) {
  auto entries = [](const ListOfValues& list, int skip) {
    std::vector<CString> out;
    for (int i = 0; i < list.Count(); ++i) {
      const char* text = list.texts[static_cast<size_t>(i)].data();
      if (LeadingNumber(text) == skip) continue;
      out.emplace_back(text);
    }
    return out;
  };
  const int own = m_pAccount ? m_pAccount->number : 0;
  if (flags & 1) {
    GetListOfValues("NR-ACCT", 1, &m_nonReserve);
    if (own == kReserveAllocationAccount) {
      GetListOfValues("R-ACCT", 1, &m_reserve);
      m_supportChoices = entries(m_reserve, own);
    } else {
      m_supportChoices = entries(m_nonReserve, own);
    }
    m_grid.SetSupportChoices(m_supportChoices);
  }
  if (flags & 2) {
    GetListOfValues("R-ACCT", 1, &m_reserve);
    m_reserveChoices = entries(m_reserve, -1);
    m_grid.SetReserveChoices(m_reserveChoices);
  }
}

void CSuppGridDlg::FillGrid(bool selectLast) {
  const ROWCOL top = m_grid.GetTopRow(), left = m_grid.GetLeftCol();
  m_grid.SetLockRedraw(TRUE);
  m_grid.ResetCurrentCell(FALSE);
  if (m_grid.GetRowCount() > 0) m_grid.RemoveRows(1, m_grid.GetRowCount(), 0);
  const BOOL guard = m_grid.GetParam()->m_bReadOnlyGuard;
  m_grid.GetParam()->SetReadOnlyGuard(FALSE);
  auto put = [&](ROWCOL r, ROWCOL c, const CString& text) { m_grid.SetValueRange(CGXRange(r, c), text, 0, 0); };
  ROWCOL row = 0;
  for (int slot = 0; slot < kLinesPerTransaction; ++slot) {
    const SupportLineRecord& l = m_detail.lines[slot];
    if (l.account == 0) continue;
    m_grid.SetRowCount(++row, 0);
    put(row, kSuppColSlot, Number(slot));
    if (AccountExists(l.account)) put(row, kSuppColSupport, Number(l.account));
    put(row, kSuppColAmount, Number(l.amount));
    if (AccountExists(l.reserveAccount)) put(row, kSuppColReserve, Number(l.reserveAccount));
    put(row, kSuppColPassbook, l.split ? "1" : "0");
    put(row, kSuppColNotes, l.remarks);
    EnableRowCells(row);
  }
  m_grid.GetParam()->SetReadOnlyGuard(guard);
  m_grid.SetLockRedraw(FALSE);
  m_grid.Redraw(2, TRUE);
  if (selectLast) m_grid.SetTopLeftRowCol(std::max<ROWCOL>(1, m_grid.GetRowCount()), 0);
  else m_grid.SetTopLeftRowCol(std::max<ROWCOL>(1, std::min(top, m_grid.GetRowCount())), left);
  UpdateTotals();
  EnableButtons();
}

void CSuppGridDlg::UpdateTotals() {
  long sum = 0;
  int used = 0;
  for (const SupportLineRecord& line : m_detail.lines) {
    if (line.account == 0) continue;
    ++used;
    sum += line.amount;
  }
  CString caption;
  caption.Format("Support Account Splits (%d account%s)", used, used == 1 ? "" : "s");
  SetWindowText(caption);
  SetDlgItemText(IDC_SGR_TRANS, FormatDollars(m_detail.transaction.amount, 0));
  SetDlgItemText(IDC_SGR_LINES, FormatDollars(sum, 0));
  SetDlgItemText(IDC_SGR_REMAINING, FormatDollars(m_detail.transaction.amount - sum, 0));
}

void CSuppGridDlg::LoadLine(int slot) {
  if (slot < 0 || slot >= kLinesPerTransaction) {
    ResetSupportLine(-1, &m_line);
    m_line.id = m_detail.transaction.id;
    m_line.line = -1;
    ResetSplitBuffers(&m_split, m_shares.get());
    return;
  }
  m_line = m_detail.lines[slot];
  m_split = m_detail.splits[slot];
  std::memcpy(m_shares.get(), m_detail.shares[slot], sizeof(ShareArray));
}

void CSuppGridDlg::EnableButtons() {
  auto enable = [&](int id, bool on) {
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on);
  };
  enable(IDC_SGR_DELETE, m_grid.CanDeleteRow());
  enable(IDC_SGR_INSERT, m_grid.IsRowClean() && UsedSlots() < kLinesPerTransaction);
  enable(IDC_SGR_RESET, m_grid.CanResetRow());
  enable(IDC_SGR_SAVE, m_grid.CanSaveRow());
}

void CSuppGridDlg::EnableRowCells(ROWCOL row) {
  if (row < 1 || row > m_grid.GetRowCount()) return;
  const bool current = row == CurrentRow();
  const char letter = GetAcctClass(std::atoi(FirstWord(m_grid.GetCellText(row, kSuppColSupport))));
  const bool reserveAllowed = letter == 'I' || letter == 'E';
  const BOOL guard = m_grid.GetParam()->m_bReadOnlyGuard;
  m_grid.GetParam()->SetReadOnlyGuard(FALSE);
  if (!reserveAllowed && !m_grid.GetCellValue(row, kSuppColReserve).IsEmpty())
    m_grid.SetValueRange(CGXRange(row, kSuppColReserve), "", 0, 1);
  m_grid.ApplyStyle(CGXRange(row, kSuppColReserve),
                    CGXStyle().SetEnabled(reserveAllowed).SetReadOnly(!reserveAllowed), 0, 0);
  const bool passbookAllowed = letter == 'I' || letter == 'E' || letter == 'R';
  if (!passbookAllowed) {
    if (m_grid.GetCellValue(row, kSuppColPassbook) != "0") m_grid.SetValueRange(CGXRange(row, kSuppColPassbook), "0", 0, 1);
    if (current) {
      m_line.split = 0;
      ResetSplitBuffers(&m_split, m_shares.get());
    }
  }
  const bool passbookOn = passbookAllowed && GetPassbookMemberTotal() > 0;
  for (ROWCOL c : {kSuppColPassbook, kSuppColPassbookButton})
    m_grid.ApplyStyle(CGXRange(row, c), CGXStyle().SetEnabled(passbookOn).SetReadOnly(!passbookOn), 0, 0);
  m_grid.GetParam()->SetReadOnlyGuard(guard);
  m_grid.SetAllowNewAccount(AccountSlotFree());
  if (current) {
    const bool save = !m_grid.IsRowClean() && UsedSlots() < kLinesPerTransaction;
    SendMessage(DM_SETDEFID, save ? IDC_SGR_SAVE : IDCANCEL);
  }
  m_grid.Invalidate(FALSE);
}

void CSuppGridDlg::OnRowChanged() { LoadLine(SlotOfRow(CurrentRow())); }

void CSuppGridDlg::OnInsertRow() {
  m_grid.InsertNewRow();
  LoadLine(-1);
  EnableRowCells(CurrentRow());
}

void CSuppGridDlg::OnDeleteRow() {
  const ROWCOL row = CurrentRow();
  const int slot = SlotOfRow(row);
  // A row without a saved line has no slot to free.
  if (slot < 0) return;
  if (CWnd* close = GetDlgItem(IDCANCEL)) close->SetFocus();
  if (!m_grid.DeleteRow(nullptr)) return;
  // The freed slot keeps no passbook data for the next line to inherit.
  m_detail.lines[slot].account = 0;
  m_detail.lines[slot].split = 0;
  ResetSplitBuffers(&m_detail.splits[slot], m_detail.shares[slot]);
  m_bPosted = 1;
  LoadLine(SlotOfRow(CurrentRow()));
  UpdateTotals();
  EnableButtons();
}

void CSuppGridDlg::OnSaveRow() {
  if (m_grid.TransferCurrentCell(TRUE, 2, TRUE) && SaveRow() && (m_grid.CommitRow() || m_grid.IsRowClean())) {
    SetCell(CurrentRow(), kSuppColSlot, Number(m_line.line));
    m_grid.SaveRowCopy(CurrentRow());
    m_grid.SetValidityFlag(1);
    m_bPosted = 1;
    EnableButtons();
  } else {
    m_grid.SetValidityFlag(2);
  }
}

bool CSuppGridDlg::SaveRow() {
  const ROWCOL row = CurrentRow();
  if (row == 0) return false;
  const TransactionRecord& t = m_detail.transaction;
  const char letter = AccountLetter();
  const int own = m_pAccount ? m_pAccount->number : 0;
  char msg[256] = "";
  char text[64] = "";
  auto cell = [&](ROWCOL col, bool firstWord) {
    const CString value = m_grid.GetCellText(row, col);
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(firstWord ? FirstWord(value) : value));
    return text;
  };
  SupportLineRecord line = m_line;
  // 1. Support account.
  if (ValidateField("Support", cell(kSuppColSupport, true), 1, FIELD_TEXT, 0, nullptr, nullptr, msg)) {
    line.account = std::atoi(text);
    line.factor = static_cast<LONG>(SignedAmountByType(letter, t.factor, line.account));
  }
  // 2. Amount in cents.
  if (!msg[0] && ValidateField("Amount", cell(kSuppColAmount, false), 1, FIELD_NUMBER, 0, nullptr, nullptr, msg))
    line.amount = std::atol(text);
  // 3. Reserve account: the support account itself in the reserve allocation register.
  if (!msg[0]) {
    cell(kSuppColReserve, true);
    if (own == kReserveAllocationAccount) {
      line.reserveAccount = line.account;
      line.reserveFactor = line.factor;
      line.reserveAmount = line.amount;
    } else if (text[0] && std::atoi(text) != 0) {
      line.reserveAccount = std::atoi(text);
      line.reserveFactor = static_cast<LONG>(SignByAcctLetter(letter, t.factor));
      line.reserveAmount = line.amount;
    } else {
      line.reserveAccount = line.reserveFactor = line.reserveAmount = 0;
    }
  }
  // 4. Notes, required on an equipment purchase.
  if (!msg[0]) {
    std::snprintf(line.remarks, sizeof line.remarks, "%.40s", cell(kSuppColNotes, false));
    if (line.account == kEquipmentAccount && line.factor == 1)
      ValidateField("Notes", text, 1, FIELD_TEXT, 0, nullptr, nullptr, msg);
  }
  const bool isNew = m_line.line < 0;
  // 5. Room for the support lines and for the equipment item a purchase brings.
  if (!msg[0]) {
    const int count = UsedSlots() + (isNew ? 1 : 0);
    const int excess = count - (m_pLoadedLines ? *m_pLoadedLines : 0) - SupportTable.freeCount;
    if (excess > 0) std::snprintf(msg, sizeof msg, "Maximum number of support accounts exceeded by %d", excess);
  }
  if (!msg[0] && isNew && line.account == kEquipmentAccount && line.factor == 1 && EquipTable.freeCount <= 0)
    FormatErrorText(msg, ERR_TABLE_FULL, "equipment item");
  int slot = -1;
  for (int i = 0; !msg[0] && i < kLinesPerTransaction && slot < 0; ++i)
    if (isNew ? m_detail.lines[i].account == 0 : i == m_line.line) slot = i;
  if (!msg[0] && slot < 0) std::snprintf(msg, sizeof msg, "Maximum number of support accounts exceeded by 1");
  // 6.
  if (msg[0]) {
    DispMessage(msg, MSG_WARNING);
    return false;
  }
  line.line = slot;
  line.id = t.id;
  line.split = m_line.split ? 1 : 0;
  if (line.split) {
    const LONG key = LineKey(line.id, line.line);
    m_split.factor = static_cast<LONG>(ApplyAcctLetterSign(GetAcctClass(t.account), t.factor));
    line.reserveAmount = static_cast<LONG>(SumPassbookSplit(line.reserveAccount, &m_split, m_shares.get()));
    m_split.lineKey = key;
    for (int i = 0; i < kMemberSlots; ++i) m_shares[i].lineKey = key;
  } else {
    // A line without a passbook split carries none.
    ResetSplitBuffers(&m_split, m_shares.get());
  }
  m_detail.lines[slot] = line;
  m_detail.splits[slot] = m_split;
  std::memcpy(m_detail.shares[slot], m_shares.get(), sizeof(ShareArray));
  m_line = line;
  UpdateTotals();
  PutSettingString(m_pTransSection, 'R', Number(line.account), Number(line.reserveAccount));
  return true;
}

void CSuppGridDlg::SupportChosen() {
  const ROWCOL row = CurrentRow();
  if (row == 0) return;
  const TransactionRecord& t = m_detail.transaction;
  const int own = m_pAccount ? m_pAccount->number : 0;
  m_line.account = std::atoi(FirstWord(m_grid.GetCellText(row, kSuppColSupport)));
  m_line.factor = static_cast<LONG>(SignedAmountByType(AccountLetter(), t.factor, m_line.account));
  if (own == kReserveAllocationAccount) {
    m_line.reserveAccount = m_line.account;
    m_line.reserveFactor = static_cast<LONG>(SignByAcctLetter(GetAcctClass(kReserveAllocationAccount), t.factor));
  } else if (m_line.reserveAccount == 0 && m_line.account != 0) {
    char remembered[32] = "";
    GetSettingString(m_pTransSection, 'R', Number(m_line.account), "", "%s", remembered);
    const int reserve = std::atoi(remembered);
    if (AccountExists(reserve)) {
      SetCell(row, kSuppColReserve, Number(reserve));
      ReserveChosen(row);
    }
  }
  if (m_line.account == kDuesAccount && m_line.split && m_split.unitShare != 0) {
    DispMessage(CString("There may not be a ") + UnitNoun + " Share for dues", MSG_WARNING);
    OnPassbookSplit();
  }
  EnableRowCells(row);
}

void CSuppGridDlg::ReserveChosen(ROWCOL row) {
  m_line.reserveAccount = std::atoi(FirstWord(m_grid.GetCellText(row, kSuppColReserve)));
  m_line.reserveFactor = static_cast<LONG>(SignByAcctLetter(AccountLetter(), m_detail.transaction.factor));
}

void CSuppGridDlg::AmountChanged() {
  const ROWCOL row = CurrentRow();
  if (row == 0) return;
  const LONG amount = std::atol(m_grid.GetCellText(row, kSuppColAmount));
  if (amount == m_line.amount) return;
  m_line.amount = amount;
  if (m_line.split) {
    DispMessage(CString(UnitNoun) + "'s passbook share has changed", MSG_INFORMATION);
    OnPassbookSplit();
  }
}

void CSuppGridDlg::OnPassbookCheck() {
  if (!m_line.split) {
    OnPassbookSplit();
    return;
  }
  if (AskQuestion("Do you really want to discard the passbook split", ANSWER_NO, 0) == ANSWER_YES) {
    m_line.split = 0;
    ResetSplitBuffers(&m_split, m_shares.get());
    SetCell(CurrentRow(), kSuppColPassbook, "0");
  } else {
    SetCell(CurrentRow(), kSuppColPassbook, "1");
  }
}

void CSuppGridDlg::OnPassbookSplit() {
  const ROWCOL row = CurrentRow();
  if (row == 0) return;
  const TransactionRecord& t = m_detail.transaction;
  CSplitDlg dlg(this);
  dlg.m_nFactor = t.factor;
  dlg.m_nTransAccount = t.account != 0 ? t.account : (m_pAccount ? m_pAccount->number : 0);
  dlg.m_nSupportAccount = m_line.account;
  dlg.m_pAmount = &m_line.amount;
  dlg.m_pSplit = &m_split;
  dlg.m_pShares = m_shares.get();
  const bool ok = dlg.DoModal() == IDOK;
  if (ok) SetCell(row, kSuppColAmount, Number(m_line.amount));
  m_line.split = AnyPassbookShare(m_shares.get()) ? 1 : 0;
  if (!m_line.split) ResetSplitBuffers(&m_split, m_shares.get());
  SetCell(row, kSuppColPassbook, m_line.split ? "1" : "0");
  EnableButtons();
  EnableRowCells(row);
  if (ok) m_grid.MarkRowModified();
}

void CSuppGridDlg::CreateAccountInCell(HWND edit) {
  ROWCOL row = 0, col = 0;
  m_grid.GetCurrentCell(row, col);
  const int number = CreateAccountByDialog(this);
  if (number == 0) return;
  FillAccountLists(col == kSuppColSupport ? 1 : 2);
  if (edit != nullptr) ::SetWindowText(edit, Number(number));
}

void CSuppGridDlg::OnLog() {
  char path[MAX_PATH + 16];
  std::snprintf(path, sizeof path, "%s/supptlog.txt", TempFolder);
  FILE* f = std::fopen(path, "w");
  if (f == nullptr) return;
  std::fputs("Slot  ID     SubID  SupptID  ResID  Del  Amount   Fact RAmount  RFact  C  Multi  Remarks\n", f);
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    const SupportLineRecord& l = m_detail.lines[i];
    std::fprintf(f, "%-4d  %-5d  %5d  %7d  %5d  %3d  %7ld  %4d  %7ld  %4d  %1d  %5d  %s\n", i,
                 static_cast<int>(l.id), static_cast<int>(l.line), static_cast<int>(l.account),
                 static_cast<int>(l.reserveAccount), static_cast<int>(l.status), static_cast<long>(l.amount),
                 static_cast<int>(l.factor), static_cast<long>(l.reserveAmount), static_cast<int>(l.reserveFactor),
                 static_cast<int>(l.cleared), static_cast<int>(l.split), l.remarks);
  }
  std::fclose(f);
  ShowTextFile(path, "Current Split Supports");
  std::remove(path);
}

void CSuppGridDlg::OnCancel() {
  if (!m_grid.TransferCurrentCell(TRUE, 2, TRUE)) return;
  if (m_grid.CheckRowLeave(TRUE)) return;
  long sum = 0;
  for (const SupportLineRecord& line : m_detail.lines)
    if (line.account != 0) sum += line.amount;
  if (sum != m_detail.transaction.amount) {
    if (AskQuestion("Do you want to carry the support accounts' total back\nas the new transaction total", ANSWER_YES,
                    0) != ANSWER_YES)
      return;
    m_detail.transaction.amount = static_cast<LONG>(sum);
    m_bPosted = 1;
  }
  EndDialog(m_bPosted ? IDOK : IDCANCEL);
}

void CSuppGridDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  if (GetDlgItem(IDC_SGR_GRID) == nullptr) return;
  ResizeForm(this, m_size, IDC_SGR_GRID, {IDC_SGR_LOG, IDCANCEL, IDC_SHELL_HELP});
  m_cx = m_size.lastCx;
  m_cy = m_size.lastCy;
}

BOOL CSuppGridDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_SUPPGRID))) return TRUE;
  const UINT id = LOWORD(wParam), code = HIWORD(wParam);
  // The account cell asks for a new account with its edit window.
  if (id == IDC_SGR_GRID && code == GridNotifyNewAccount) {
    CreateAccountInCell(reinterpret_cast<HWND>(lParam));
    return TRUE;
  }
  if (id == IDC_SGR_GRID && reinterpret_cast<HWND>(lParam) == m_grid.GetSafeHwnd()) {
    switch (code) {
      case GridNotifyCancelEdit:
      case GridNotifyRowChanged: OnRowChanged(); return TRUE;
      case GridNotifySaveRow: OnSaveRow(); return TRUE;
      case GridNotifyStateChanged:
        EnableButtons();
        EnableRowCells(CurrentRow());
        return TRUE;
      case SuppNotifySupportLeft:
      case SuppNotifySupportChanged: SupportChosen(); return TRUE;
      case SuppNotifyReserveChanged: ReserveChosen(CurrentRow()); return TRUE;
      case SuppNotifyAmountChanged: AmountChanged(); return TRUE;
      case SuppNotifyPassbookButton: OnPassbookSplit(); return TRUE;
      case SuppNotifyPassbookCheck: OnPassbookCheck(); return TRUE;
      default: return TRUE;
    }
  }
  if (code == BN_CLICKED) {
    CWnd* button = GetDlgItem(static_cast<int>(id));
    if (button && !button->IsWindowEnabled() && id != IDCANCEL) return TRUE;
    switch (id) {
      case IDC_SGR_INSERT: OnInsertRow(); return TRUE;
      case IDC_SGR_DELETE: OnDeleteRow(); return TRUE;
      case IDC_SGR_RESET: m_grid.ResetRow(); return TRUE;
      case IDC_SGR_SAVE: OnSaveRow(); return TRUE;
      case IDC_SGR_LOG: OnLog(); return TRUE;
      default: break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}
