// The register grid's row editing: the edit buffers follow the cells the
// treasurer changes, and a finished row is checked and saved.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/DateEdit.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/Trace.h"
#include "common/UnitVocab.h"
#include "grid/cells/GXControl.h"
#include "registers/AccountChoices.h"
#include "registers/SplitDlg.h"
#include "registers/SuppGridDlg.h"
#include "registers/TransGDlg.h"
#include "registers/TransRules.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/SplitStore.h"
#include "store/Xfer.h"

namespace {
const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
CString Cents(long cents) {
  CString text;
  text.Format("%ld", cents);
  return text;
}
}  // namespace

CString CTransGDlg::GetAmountText(ROWCOL row) {
  const CString withdrawal = m_grid.GetCellText(row, kColWithdrawal);
  return withdrawal.IsEmpty() ? m_grid.GetCellText(row, kColDeposit) : withdrawal;
}

void CTransGDlg::SetRowAmount(ROWCOL row, long amount) {
  SetCell(row, m_grid.GetCellText(row, kColWithdrawal).IsEmpty() ? kColDeposit : kColWithdrawal, Cents(amount));
  RecomputeBalances(row);
}

void CTransGDlg::AmountChanged(ROWCOL row, ROWCOL col) {
  TransactionDetail& W = *m_edit;
  TransactionRecord& t = W.transaction;
  long amount;
  if (col == kColWithdrawal) {
    SetCell(row, kColDeposit, "");
    amount = std::atol(m_grid.GetCellText(row, kColWithdrawal));
    t.factor = -1;
  } else {
    SetCell(row, kColWithdrawal, "");
    amount = std::atol(m_grid.GetCellText(row, kColDeposit));
    t.factor = 1;
  }
  RecomputeBalances(row);
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    SupportLineRecord& l = W.lines[i];
    if (l.account != 0) {
      l.factor = static_cast<LONG>(SignedAmountByType(m_cClass, t.factor, l.account));
      if (l.split) W.splits[i].factor = static_cast<LONG>(ApplyAcctLetterSign(ClassOf(t.account), t.factor));
    }
    if (l.reserveAccount != 0) l.reserveFactor = static_cast<LONG>(SignByAcctLetter(m_cClass, t.factor));
  }
  if (amount == t.amount) return;
  t.amount = amount;
  if (IsSingleLine()) W.lines[0].amount = amount;
  if (!IsSingleLine()) {
    DispMessage("Support accounts are out of balance", MSG_INFORMATION);
    OnSupportGrid();
  } else if (W.lines[0].split) {
    DispMessage(CString(UnitNoun) + "'s passbook share has changed", MSG_INFORMATION);
    EditPassbookSplit();
  }
}

void CTransGDlg::SupportChanged(ROWCOL row) {
  TransactionDetail& W = *m_edit;
  TransactionRecord& t = W.transaction;
  const CString text = m_grid.GetCellText(row, kColSupport);
  if (!IsSingleLine() && text != "Split") {
    if (AskQuestion("Do you really want to discard the multiple-account entries", ANSWER_NO, 0) != ANSWER_YES) {
      SetCell(row, kColSupport, "Split");
      return;
    }
  }
  t.multiLine = text == "Split" ? 1 : 0;
  if (t.multiLine) {
    UpdateRowControls(row);
    OnSupportGrid();
    return;
  }
  SupportLineRecord& l0 = W.lines[0];
  l0.account = std::atoi(text);
  l0.factor = static_cast<LONG>(SignedAmountByType(m_cClass, t.factor, l0.account));
  l0.amount = t.amount;
  for (int i = 1; i < kLinesPerTransaction; ++i) {
    ResetSupportLine(i, &W.lines[i]);
    ResetSplitBuffers(&W.splits[i], W.shares[i]);
  }
  if (m_account.number == kReserveAllocationAccount) {
    l0.reserveAccount = l0.account;
    l0.reserveFactor = static_cast<LONG>(SignByAcctLetter(m_cClass, t.factor));
  } else if (l0.reserveAccount == 0 && l0.account != 0) {
    char remembered[32] = "";
    GetSettingString(m_pTransSection, 'R', Cents(l0.account), "", "%s", remembered);
    int position = 0;
    if (remembered[0] && std::atoi(remembered) != 0 && FindAcctIndex(std::atoi(remembered), &position)) {
      SetCell(row, kColReserve, remembered);
      ReserveChanged(row);
    }
  }
  if (l0.account == kDuesAccount && l0.split && W.splits[0].unitShare != 0) {
    DispMessage(CString("There may not be a ") + UnitNoun + " Share for dues", MSG_WARNING);
    EditPassbookSplit();
  }
  const char letter = ClassOf(l0.account);
  if (m_account.number != kReserveAllocationAccount && letter != 'I' && letter != 'E') {
    l0.reserveAccount = 0;
    l0.reserveFactor = 0;
    l0.reserveAmount = 0;
  }
  UpdateRowControls(row);
}

void CTransGDlg::ReserveChanged(ROWCOL row) {
  TransactionDetail& W = *m_edit;
  SupportLineRecord& l0 = W.lines[0];
  l0.reserveAccount = std::atoi(m_grid.GetCellText(row, kColReserve));
  l0.reserveFactor = static_cast<LONG>(SignByAcctLetter(m_cClass, W.transaction.factor));
  l0.reserveAmount = W.transaction.amount;
}

void CTransGDlg::OnLeftEdited() {
  ROWCOL row = 0, col = 0;
  m_grid.GetLastEditedCell(row, col);
  if (row >= 1 && row <= m_grid.GetRowCount() && col == kColDescription) AutoFillFromDescription(row);
}

void CTransGDlg::AutoFillFromDescription(ROWCOL row) {
  const CString description = m_grid.GetCellText(row, kColDescription);
  if (description.IsEmpty() || !m_grid.GetCellText(row, kColWithdrawal).IsEmpty() ||
      !m_grid.GetCellText(row, kColDeposit).IsEmpty() || !m_grid.GetCellText(row, kColSupport).IsEmpty())
    return;
  const std::vector<int>& index = TransTable.byDateAcctNumber;
  for (int i = std::min<int>(TransTable.rowCount, static_cast<int>(index.size())) - 1; i >= 0; --i) {
    const int r = index[static_cast<size_t>(i)];
    const TransKey& key = TransTable.keys[static_cast<size_t>(r)];
    if (key.status == kStatusDeleted || key.account != m_account.number || description != key.payee) continue;
    auto earlier = std::make_unique<TransactionDetail>();
    char error[256] = "";
    if (!LoadTransaction(r, &earlier->transaction, earlier->lines, nullptr, nullptr, error)) return;
    const ROWCOL amountCol = earlier->transaction.factor == 1 ? kColDeposit : kColWithdrawal;
    SetCell(row, amountCol, Cents(earlier->transaction.amount));
    SetCell(row, amountCol == kColDeposit ? kColWithdrawal : kColDeposit, "");
    AmountChanged(row, amountCol);
    SetCell(row, kColSupport, earlier->transaction.multiLine ? CString() : Cents(earlier->lines[0].account));
    SupportChanged(row);
    m_grid.MarkRowModified();
    return;
  }
}

void CTransGDlg::OnPassbookCheck() {
  CTraceScope scope("CTransGDlg::OnPassbookCheck");
  if (!IsSingleLine()) return;
  TransactionDetail& W = *m_edit;
  if (!W.lines[0].split) {
    EditPassbookSplit();
    return;
  }
  if (!AskDiscardPassbookSplit(W)) {
    SetCell(CurrentRow(), kColPassbook, "1");
  }
}

void CTransGDlg::EditPassbookSplit() {
  TransactionDetail& W = *m_edit;
  const ROWCOL row = CurrentRow();
  CSplitDlg dlg(this);
  dlg.m_nFactor = W.transaction.factor;
  dlg.m_nTransAccount = m_account.number;
  dlg.m_nSupportAccount = W.lines[0].account;
  dlg.m_pAmount = &W.transaction.amount;
  dlg.m_pSplit = &W.splits[0];
  dlg.m_pShares = W.shares[0];
  const bool ok = dlg.DoModal() == IDOK;
  if (ok) {
    W.lines[0].amount = W.transaction.amount;
    SetRowAmount(row, W.transaction.amount);
  }
  W.lines[0].split = AnyPassbookShare(W.shares[0]) ? 1 : 0;
  if (!W.lines[0].split) ResetSplitBuffers(&W.splits[0], W.shares[0]);
  SetCell(row, kColPassbook, W.lines[0].split ? "1" : "0");
  UpdateButtons();
  UpdateRowControls(row);
  if (ok) m_grid.MarkRowModified();
}

void CTransGDlg::OnSupportGrid() {
  TransactionDetail& W = *m_edit;
  const ROWCOL row = CurrentRow();
  if (row < 2) return;
  W.lines[0].id = W.transaction.id;
  CSuppGridDlg dlg(W, this);
  dlg.m_pAccount = &m_account;
  dlg.m_pLoadedLines = &m_nLineCount;
  const bool ok = dlg.DoModal() == IDOK;
  if (ok) SetRowAmount(row, W.transaction.amount);
  LoadAccountLists(3);
  int used = 0, first = -1;
  bool remarks = false;
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    if (W.lines[i].account == 0) continue;
    ++used;
    if (first < 0) first = i;
    if (W.lines[i].remarks[0]) remarks = true;
  }
  W.transaction.multiLine = used > 1 || (used == 1 && remarks) ? 1 : 0;
  if (W.transaction.multiLine) {
    SetCell(row, kColSupport, "Split");
  } else {
    if (first > 0) {
      W.lines[0] = W.lines[first];
      W.lines[0].line = 0;
      W.splits[0] = W.splits[first];
      std::memcpy(W.shares[0], W.shares[first], sizeof(ShareArray));
      W.lines[first].account = 0;
      W.lines[first].split = 0;
      ResetSplitBuffers(&W.splits[first], W.shares[first]);
    }
    SetCell(row, kColSupport, W.lines[0].account ? Cents(W.lines[0].account) : CString());
    SetCell(row, kColReserve, W.lines[0].reserveAccount ? Cents(W.lines[0].reserveAccount) : CString());
    SetCell(row, kColPassbook, W.lines[0].split ? "1" : "0");
  }
  UpdateButtons();
  UpdateRowControls(row);
  if (ok) m_grid.MarkRowModified();
}

void CTransGDlg::OnNextNumber(HWND edit) {
  char number[16] = "0";
  const std::vector<int>& index = TransTable.byDateAcctNumber;
  for (int i = std::min<int>(TransTable.rowCount, static_cast<int>(index.size())) - 1; i >= 0; --i) {
    const TransKey& key = TransTable.keys[static_cast<size_t>(index[static_cast<size_t>(i)])];
    if (key.status == kStatusDeleted || key.account != m_account.number || !AllDigits(key.number)) continue;
    std::snprintf(number, sizeof number, "%s", key.number);
    break;
  }
  char next[9];
  std::snprintf(next, sizeof next, "%.8s", number);
  if (!FindNextTransactionNumber(m_account.number, next)) {
    DispMessage("The next transaction number could not be found", MSG_ERROR);
    next[0] = '\0';
  }
  if (edit != nullptr) ::SetWindowText(edit, next);
}

void CTransGDlg::OnNewAccount(HWND edit) {
  ROWCOL row = 0, col = 0;
  m_grid.GetCurrentCell(row, col);
  const int number = CreateAccountByDialog(this);
  if (number == 0) return;
  LoadAccountLists(col == kColSupport ? 1 : 2);
  if (edit != nullptr) ::SetWindowText(edit, Cents(number));
}

bool CTransGDlg::SaveRow() {
  TransactionDetail& W = *m_edit;
  TransactionRecord& t = W.transaction;
  const ROWCOL row = CurrentRow();
  char msg[256] = "";
  bool dateOk = true;
  char text[64];
  auto cell = [&](ROWCOL col) {
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(m_grid.GetCellText(row, col)));
    return text;
  };
  // 1.
  t.id = m_loaded->transaction.id;
  t.status = m_loaded->transaction.status;
  // 2. Num.
  ValidateField("Num", cell(kColNumber), 0, FIELD_TEXT, 0, nullptr, nullptr, msg);
  std::snprintf(t.number, sizeof t.number, "%.8s", text);
  // 3. Date.
  if (!msg[0]) {
    CDate8 date;
    if (!date.Parse(cell(kColDate))) {
      dateOk = false;
      std::snprintf(msg, sizeof msg, "Invalid date.");
    } else {
      std::snprintf(text, sizeof text, "%s", static_cast<const char*>(date.GetText()));
      ValidateField("Date", text, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate, msg);
      std::snprintf(t.date, sizeof t.date, "%.8s", text);
    }
  }
  // 4. Month.
  if (!msg[0] && dateOk && ValidateField("Month", cell(kColMonth), 1, FIELD_DATE, DF_MON, nullptr, nullptr, msg)) {
    for (int m = 0; m < 12; ++m)
      if (CString(kMonths[m]).CompareNoCase(text) == 0) t.month = m;
  }
  // 5. Description.
  if (!msg[0] && dateOk) std::snprintf(t.payee, sizeof t.payee, "%.25s", cell(kColDescription));
  // 6. Amount.
  if (!msg[0] && dateOk) {
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(GetAmountText(row)));
    if (ValidateField("Amount", text, 1, FIELD_NUMBER, 0, nullptr, nullptr, msg)) t.amount = std::atol(text);
    t.factor = m_grid.GetCellText(row, kColWithdrawal).IsEmpty() ? 1 : -1;
  }
  // 7. Cleared.
  if (!msg[0] && dateOk) t.cleared = std::atoi(cell(kColCleared)) != 0 ? 1 : 0;
  // 8. Support.
  if (!msg[0] && dateOk && ValidateField("Support", cell(kColSupport), 1, FIELD_TEXT, 0, nullptr, nullptr, msg))
    t.multiLine = CString(text) == "Split" ? 1 : 0;
  const bool single = !t.multiLine;
  if (!msg[0] && dateOk && single) {
    W.lines[0].account = std::atoi(text);
    W.lines[0].factor = static_cast<LONG>(SignedAmountByType(m_cClass, t.factor, W.lines[0].account));
  }
  // 9. Notes, required on an equipment purchase.
  if (!msg[0] && dateOk) {
    cell(kColNotes);
    if (IsEquipmentPurchase(W, m_account.number))
      ValidateField("Notes", text, 1, FIELD_TEXT, 0, nullptr, nullptr, msg);
    std::snprintf(t.remarks, sizeof t.remarks, "%.40s", text);
  }
  // 10. Number in use.
  if (!msg[0] && dateOk && t.number[0] && AllDigits(t.number) &&
      std::strcmp(t.number, m_loaded->transaction.number) != 0 && IsTransactionNumberUsed(t.account, t.number)) {
    if (AskQuestion("Num:  Transaction number is already used.\n\nDo you want to find the next available number",
                    ANSWER_YES, 0) != ANSWER_YES) {
      std::snprintf(msg, sizeof msg, "Num:  Duplicate transaction number");
    } else if (!FindNextTransactionNumber(m_account.number, t.number)) {
      std::snprintf(msg, sizeof msg, "Num:  Remaining transaction numbers have been used");
    } else {
      SetCell(row, kColNumber, t.number);
    }
  }
  // 11. Room for the equipment item of a new purchase.
  if (!msg[0] && dateOk && m_nCurrentIndex < 0 && EquipTable.freeCount <= 0 && IsEquipmentPurchase(W, m_account.number))
    FormatErrorText(msg, ERR_TABLE_FULL, "equipment item");
  // 12, 13. Room for passbook splits and their entries.
  if (!msg[0] && dateOk) std::snprintf(msg, sizeof msg, "%s", static_cast<const char*>(SplitRoomError(W, *m_loaded)));
  // 14, 15. The single support line.
  if (!msg[0] && dateOk && single) PrepareSingleLine(W);
  ClearUnclaimedPassbookData(W);
  // 16. The reserve account last used with this support account.
  if (single && W.lines[0].account != 0)
    PutSettingString(m_pTransSection, 'R', Cents(W.lines[0].account), Cents(W.lines[0].reserveAccount));
  // 17. A save the store refuses is a failed save: the row stays in edit
  // with the store's message.
  bool saved = false;
  if (msg[0]) DispMessage(msg, MSG_WARNING);
  else if (dateOk) saved = XferTransaction(1, m_account.number, m_nCurrentIndex, 0, &t, W.lines, W.splits, W.shares) != 0;
  // 18.
  if (dateOk) {
    LoadDescriptionChoices();
    if (saved) SetCell(row, kColId, Cents(t.id));
  }
  return dateOk && !msg[0] && saved;
}
