// The transaction form's checks and saving, and the actions that leave the
// transaction in the form: Edit, Delete, Reset and Close.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "registers/AccountChoices.h"
#include "registers/TransDlg.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/SplitStore.h"
#include "store/Xfer.h"

namespace {

bool AllDigits(const char* text) { return text[0] && SkipChars(text, "0123456789") == nullptr; }

// Passbook splits and member shares of the lines that carry a split.
void CountSplits(const TransactionDetail& d, int* splits, int* shares) {
  *splits = *shares = 0;
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    if (d.lines[i].account == 0 || !d.lines[i].split) continue;
    ++*splits;
    for (int m = 0; m < kMemberSlots; ++m)
      if (TakesPart(d.shares[i][m])) ++*shares;
  }
}

}  // namespace

int CTransDlg::Validate() {
  TransactionDetail& W = *m_work;
  TransactionRecord& t = W.transaction;
  char msg[256] = "";
  bool ok = true;
  char text[64];
  // 1.
  t.id = m_loaded->transaction.id;
  t.status = m_loaded->transaction.status;
  // 2. Num.
  ::GetWindowText(Item(IDC_TRN_NUMBER), text, sizeof text);
  ValidateDlgField("Num", text, 0, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_NUMBER), msg);
  std::snprintf(t.number, sizeof t.number, "%.8s", text);
  // 3. Date.
  if (!msg[0]) {
    CString date;
    m_date.SaveValue(date);
    ok = m_date.Validate("Date");
    if (ok) {
      std::snprintf(text, sizeof text, "%s", static_cast<const char*>(date));
      ValidateDlgField("Date", text, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate, Item(IDC_TRN_DATE),
                       msg);
      std::snprintf(t.date, sizeof t.date, "%.8s", text);
    }
  }
  // 4. Month.
  if (!msg[0] && ok) {
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(ComboText(Item(IDC_TRN_MONTH))));
    if (ValidateDlgField("Month", text, 1, FIELD_DATE, DF_MON, nullptr, nullptr, Item(IDC_TRN_MONTH), msg)) {
      t.month = static_cast<LONG>(::SendMessage(Item(IDC_TRN_MONTH), CB_GETCURSEL, 0, 0));
    }
  }
  // 5. Description.
  if (!msg[0] && ok) {
    ::GetWindowText(Item(IDC_TRN_DESCR), text, sizeof text);
    std::snprintf(t.payee, sizeof t.payee, "%.25s", text);
    t.factor = FactorOfType(ComboText(Item(IDC_TRN_TYPE)));
  }
  // 6. Amount.
  if (!msg[0] && ok) {
    CString amount;
    m_amount.GetText(amount);
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(amount));
    if (ValidateDlgField("Amount", text, 1, FIELD_NUMBER, 0, nullptr, nullptr, Item(IDC_TRN_AMOUNT), msg))
      t.amount = static_cast<LONG>(ParseDollars(text));
  }
  // 7. Cleared.
  if (!msg[0] && ok) t.cleared = IsDlgButtonChecked(IDC_TRN_CLEAR) ? 1 : 0;
  // 8, 9. Support.
  CString support = ComboText(Item(IDC_TRN_SUPPORT));
  support.TrimLeft();
  if (!msg[0] && ok) {
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(support));
    ValidateDlgField("Support", text, 1, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_SUPPORT), msg);
  }
  if (!msg[0] && ok) t.multiLine = support == "Split" ? 1 : 0;
  const bool single = !t.multiLine;
  // Lines follow the type and amount as they now stand.
  if (!msg[0] && ok) {
    OnTypeKillFocus();
    if (single) W.lines[0].amount = t.amount;
  }
  // 10. Remarks, required on an equipment purchase.
  if (!msg[0] && ok) {
    ::GetWindowText(Item(IDC_TRN_REMARKS), text, sizeof text);
    std::snprintf(t.remarks, sizeof t.remarks, "%.40s", text);
    const bool equipment = (m_account.number == kEquipmentAccount && t.factor == 1) ||
                           (single && W.lines[0].account == kEquipmentAccount && W.lines[0].factor == 1);
    if (equipment) ValidateDlgField("Remarks", text, 1, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_REMARKS), msg);
  }
  // 11. Number in use.
  if (!msg[0] && ok && t.number[0] && AllDigits(t.number) &&
      std::strcmp(t.number, m_loaded->transaction.number) != 0 && IsTransactionNumberUsed(t.account, t.number)) {
    if (AskQuestion("Num:  Transaction number is already used.\n\nDo you want to find the next available number",
                    ANSWER_YES, 0) != ANSWER_YES) {
      std::snprintf(msg, sizeof msg, "Num:  Duplicate transaction number");
      ::SetFocus(Item(IDC_TRN_NUMBER));
    } else if (!FindNextTransactionNumber(m_account.number, t.number)) {
      std::snprintf(msg, sizeof msg, "Num:  Remaining transaction numbers have been used");
      ::SetFocus(Item(IDC_TRN_NUMBER));
    } else {
      m_loading = true;
      SetDlgItemText(IDC_TRN_NUMBER, t.number);
      m_loading = false;
    }
  }
  // 12, 13. Room for the equipment item a new purchase brings.
  if (!msg[0] && ok && m_nRow < 0 && EquipTable.freeCount <= 0 &&
      ((m_account.number == kEquipmentAccount && t.factor == 1) ||
       (single && W.lines[0].account == kEquipmentAccount && W.lines[0].factor == 1))) {
    FormatErrorText(msg, ERR_TABLE_FULL, "equipment item");
    ::SetFocus(Item(IDC_TRN_SUPPORT));
  }
  // 14, 15. Room for passbook splits and their entries.
  if (!msg[0] && ok) {
    int workSplits, workShares, loadedSplits, loadedShares;
    CountSplits(W, &workSplits, &workShares);
    CountSplits(*m_loaded, &loadedSplits, &loadedShares);
    if (workSplits - loadedSplits > SplitTable.freeCount)
      std::snprintf(msg, sizeof msg, "Maximum number of passbook splits exceeded by %d",
                    workSplits - loadedSplits - SplitTable.freeCount);
    else if (workShares - loadedShares > SubAcctTable.freeCount)
      std::snprintf(msg, sizeof msg, "Maximum number of passbook split entries exceeded by %d",
                    workShares - loadedShares - SubAcctTable.freeCount);
  }
  // 16, 17. The single support line.
  if (!msg[0] && ok && single) {
    SupportLineRecord& l = W.lines[0];
    l.id = t.id;
    l.line = 0;
    l.status = 0;
    l.amount = t.amount;
    l.reserveAmount = l.reserveAccount ? t.amount : 0;
    l.cleared = t.cleared;
    l.remarks[0] = '\0';
    if (l.split) {
      const LONG key = l.id * 10 + l.line;
      W.splits[0].factor = static_cast<LONG>(ApplyAcctLetterSign(GetAcctClass(t.account), t.factor));
      l.reserveAmount = static_cast<LONG>(SumPassbookSplit(l.reserveAccount, &W.splits[0], W.shares[0]));
      W.splits[0].lineKey = key;
      for (int m = 0; m < kMemberSlots; ++m) W.shares[0][m].lineKey = key;
    }
  }
  // No line keeps passbook data its flag does not claim.
  for (int i = 0; i < kLinesPerTransaction; ++i)
    if (W.lines[i].account == 0 || !W.lines[i].split) {
      W.lines[i].split = 0;
      ResetSplitBuffers(&W.splits[i], W.shares[i]);
    }
  // 18.
  if (msg[0]) {
    DispMessage(msg, MSG_WARNING);
    return 0;
  }
  if (!ok) return 0;
  // A save the store refuses keeps the form as it is: the store has shown
  // why.
  if (!XferTransaction(1, m_account.number, m_nRow, 0, &t, W.lines, W.splits, W.shares)) return 0;
  FillList(m_nRow < 0);
  return 1;
}

int CTransDlg::PostTrans() {
  if (!Validate()) return 0;
  m_bChanged = 0;
  m_bPosted = 1;
  const TransactionDetail& W = *m_work;
  if (!W.transaction.multiLine) {
    char item[16], value[16];
    std::snprintf(item, sizeof item, "%d", static_cast<int>(W.lines[0].account));
    std::snprintf(value, sizeof value, "%d", static_cast<int>(W.lines[0].reserveAccount));
    PutSettingString(m_pSection, 'A', item, value);
    const CString type = ComboText(Item(IDC_TRN_TYPE)), support = ComboText(Item(IDC_TRN_SUPPORT));
    if (W.transaction.payee[0]) {
      PutSettingString(m_pSection, 'B', W.transaction.payee, type);
      PutSettingString(m_pSection, 'C', W.transaction.payee, support);
    }
  }
  LoadTrans(false);
  EnableListButtons();
  return 1;
}

void CTransDlg::OnEdit() {
  const int sel = SelectedRow();
  if (sel < 0 || m_bChanged || m_list.GetItemText(sel, 1).IsEmpty()) return;
  LoadTrans(true);
}

void CTransDlg::OnDelete() {
  const int sel = SelectedRow();
  if (sel < 0) return;
  const CString id = m_list.GetItemText(sel, 6);
  if (id.IsEmpty()) return;
  if (!DeleteTransaction(std::atoi(id), 1)) return;
  m_bPosted = 1;
  m_list.DeleteItem(sel);
  // A form still holding the deleted transaction would change a record
  // that no longer exists: it starts a new one instead.
  if (m_nRow >= 0 && m_loaded->transaction.id == std::atoi(id)) LoadTrans(false);
  FillList(false);
  EnableListButtons();
}

int CTransDlg::AskSaveCurrent() {
  if (!m_bChanged) return ANSWER_NO;
  return AskSaveChanges("Do you wish to save your changes to the current transaction");
}

void CTransDlg::OnReset() {
  switch (AskSaveCurrent()) {
    case ANSWER_YES: PostTrans(); break;
    case ANSWER_NO: LoadTrans(false); break;
    default: break;
  }
  EnableListButtons();
}

void CTransDlg::OnCancel() {
  switch (AskSaveCurrent()) {
    case ANSWER_CANCEL: return;
    case ANSWER_YES:
      if (!PostTrans()) return;
      break;
    default: break;
  }
  EndDialog(m_bPosted ? IDOK : IDCANCEL);
}
