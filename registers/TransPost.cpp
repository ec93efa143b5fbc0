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
#include "registers/TransRules.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/SplitStore.h"
#include "store/Xfer.h"

// The checks run in the order the treasurer reads the form; each step takes
// its fields into the working transaction and stops at the first problem,
// leaving its warning in `msg` (with the focus on the field) or, for a check
// that shows its own message (the date edit's), returning false with `msg`
// empty. One warning at most is shown, at the end.
int CTransDlg::Validate() {
  char msg[kMessageSize] = "";
  const bool taken = TakeHeader(msg) && TakeAmount(msg) && TakeSupport(msg) && TakeRemarks(msg) &&
                     CheckNumberInUse(msg) && CheckRoom(msg);
  if (taken) CompleteSingleLine();
  DropUnclaimedSplits();
  if (msg[0]) {
    DispMessage(msg, MSG_WARNING);
    return 0;
  }
  if (!taken) return 0;
  TransactionDetail& W = *m_work;
  // A save the store refuses keeps the form as it is: the store has shown
  // why.
  if (!XferTransaction(1, m_account.number, m_nRow, 0, &W.transaction, W.lines, W.splits, W.shares)) return 0;
  RefreshTransaction(W.transaction.id, m_nRow < 0);
  return 1;
}

bool CTransDlg::TakeHeader(char (&msg)[kMessageSize]) {
  TransactionRecord& t = m_work->transaction;
  char text[64];
  // The record's identity is the loaded one's, whatever the form holds.
  t.id = m_loaded->transaction.id;
  t.status = m_loaded->transaction.status;
  ::GetWindowText(Item(IDC_TRN_NUMBER), text, sizeof text);
  ValidateDlgField("Num", text, 0, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_NUMBER), msg);
  std::snprintf(t.number, sizeof t.number, "%.8s", text);
  if (msg[0]) return false;

  // The date edit checks its own text first and shows its own message.
  CString date;
  m_date.SaveValue(date);
  if (!m_date.Validate("Date")) return false;
  std::snprintf(text, sizeof text, "%s", static_cast<const char*>(date));
  ValidateDlgField("Date", text, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate, Item(IDC_TRN_DATE), msg);
  std::snprintf(t.date, sizeof t.date, "%.8s", text);
  if (msg[0]) return false;

  std::snprintf(text, sizeof text, "%s", static_cast<const char*>(ComboText(Item(IDC_TRN_MONTH))));
  if (!ValidateDlgField("Month", text, 1, FIELD_DATE, DF_MON, nullptr, nullptr, Item(IDC_TRN_MONTH), msg))
    return false;
  t.month = static_cast<LONG>(::SendMessage(Item(IDC_TRN_MONTH), CB_GETCURSEL, 0, 0));

  ::GetWindowText(Item(IDC_TRN_DESCR), text, sizeof text);
  std::snprintf(t.payee, sizeof t.payee, "%.25s", text);
  t.factor = FactorOfType(ComboText(Item(IDC_TRN_TYPE)));
  return true;
}

bool CTransDlg::TakeAmount(char (&msg)[kMessageSize]) {
  CString amount;
  m_amount.GetText(amount);
  char text[64];
  std::snprintf(text, sizeof text, "%s", static_cast<const char*>(amount));
  if (!ValidateDlgField("Amount", text, 1, FIELD_NUMBER, 0, nullptr, nullptr, Item(IDC_TRN_AMOUNT), msg))
    return false;
  // Enter and Alt+P post while the amount field still has the focus, so its
  // leave step has not run: it runs here, bringing the support lines or the
  // passbook shares to a changed amount (or opening them to be brought),
  // so that no amount is posted with lines or shares made for another.
  OnAmountKillFocus();
  return true;
}

bool CTransDlg::TakeSupport(char (&msg)[kMessageSize]) {
  TransactionDetail& W = *m_work;
  TransactionRecord& t = W.transaction;
  t.cleared = IsDlgButtonChecked(IDC_TRN_CLEAR) ? 1 : 0;
  CString support = ComboText(Item(IDC_TRN_SUPPORT));
  support.TrimLeft();
  char text[64];
  std::snprintf(text, sizeof text, "%s", static_cast<const char*>(support));
  if (!ValidateDlgField("Support", text, 1, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_SUPPORT), msg))
    return false;
  t.multiLine = support == "Split" ? 1 : 0;
  // The lines follow the type and the amount as they now stand.
  OnTypeKillFocus();
  if (!t.multiLine) {
    W.lines[0].amount = t.amount;
    return true;
  }
  // Split lines are posted only when they add up to the transaction: the
  // splits dialog was left (or its total carried back) for another amount.
  long long lines = 0;
  for (const SupportLineRecord& l : W.lines)
    if (l.account != 0) lines += l.amount;
  if (lines != t.amount) {
    std::snprintf(msg, kMessageSize, "Support accounts are out of balance");
    ::SetFocus(Item(IDC_TRN_AMOUNT));
    return false;
  }
  return true;
}

bool CTransDlg::IsEquipmentPurchase() const { return ::IsEquipmentPurchase(*m_work, m_account.number); }

bool CTransDlg::TakeRemarks(char (&msg)[kMessageSize]) {
  TransactionRecord& t = m_work->transaction;
  char text[64];
  ::GetWindowText(Item(IDC_TRN_REMARKS), text, sizeof text);
  std::snprintf(t.remarks, sizeof t.remarks, "%.40s", text);
  // A purchase makes an equipment item, which the remarks describe.
  if (IsEquipmentPurchase())
    return ValidateDlgField("Remarks", text, 1, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_REMARKS), msg) != 0;
  return true;
}

bool CTransDlg::CheckNumberInUse(char (&msg)[kMessageSize]) {
  TransactionRecord& t = m_work->transaction;
  // Only a number the treasurer typed anew is checked: the loaded record's
  // own number is in use by itself.
  if (!t.number[0] || !AllDigits(t.number) || std::strcmp(t.number, m_loaded->transaction.number) == 0 ||
      !IsTransactionNumberUsed(t.account, t.number))
    return true;
  if (AskQuestion("Num:  Transaction number is already used.\n\nDo you want to find the next available number",
                  ANSWER_YES, 0) != ANSWER_YES) {
    std::snprintf(msg, kMessageSize, "Num:  Duplicate transaction number");
    ::SetFocus(Item(IDC_TRN_NUMBER));
    return false;
  }
  if (!FindNextTransactionNumber(m_account.number, t.number)) {
    std::snprintf(msg, kMessageSize, "Num:  Remaining transaction numbers have been used");
    ::SetFocus(Item(IDC_TRN_NUMBER));
    return false;
  }
  m_loading = true;
  SetDlgItemText(IDC_TRN_NUMBER, t.number);
  m_loading = false;
  return true;
}

bool CTransDlg::CheckRoom(char (&msg)[kMessageSize]) {
  // A new purchase brings an equipment item, which needs a free slot.
  if (m_nRow < 0 && EquipTable.freeCount <= 0 && IsEquipmentPurchase()) {
    FormatErrorText(msg, ERR_TABLE_FULL, "equipment item");
    ::SetFocus(Item(IDC_TRN_SUPPORT));
    return false;
  }
  // Passbook splits and their entries beyond what the loaded transaction
  // already holds need free slots too.
  const CString room = SplitRoomError(*m_work, *m_loaded);
  if (!room.IsEmpty()) {
    std::snprintf(msg, kMessageSize, "%s", static_cast<const char*>(room));
    return false;
  }
  return true;
}

void CTransDlg::CompleteSingleLine() {
  TransactionDetail& W = *m_work;
  const TransactionRecord& t = W.transaction;
  if (t.multiLine) return;
  // The one support line carries the transaction's amount, date status and
  // clearing; its reserve moves by the whole amount (or by what the
  // passbook split reserves).
  PrepareSingleLine(W);
}

void CTransDlg::DropUnclaimedSplits() {
  // No line keeps passbook data its flag does not claim: the store would
  // post it.
  ClearUnclaimedPassbookData(*m_work);
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
  if (m_bChanged || !SelectedIsTransaction()) return;
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
