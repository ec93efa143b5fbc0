#include "registers/SuppSplitDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/DialogHelp.h"
#include "common/DlgUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/AccountChoices.h"
#include "registers/FormResize.h"
#include "registers/SplitDlg.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/TransStore.h"

namespace {

CString AccountName(int number) {
  int pos = -1;
  if (!FindAcctIndex(number, &pos) || pos < 0 || pos >= static_cast<int>(AcctTable.byNumber.size())) return CString();
  return CString(AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])].name);
}

}  // namespace

CSuppSplitDlg::CSuppSplitDlg(TransactionDetail& detail, CWnd* parent)
    : CDialog(IDD_SUPPSPLIT, parent), m_detail(detail), m_shares(std::make_unique<SubAccountRecord[]>(kMemberSlots)) {
  m_pSection = OpenSettingsSection(SettingsFileName, "MULTIACT");
  LoadFormPlacement(m_pSection, &m_cx, &m_cy);
  ResetSplitBuffers(&m_split, m_shares.get());
}

CSuppSplitDlg::~CSuppSplitDlg() {
  SaveFormPlacement(m_pSection, m_size.lastCx, m_size.lastCy);
  if (m_pSection) CloseSettingsSection(m_pSection);
}

char CSuppSplitDlg::AccountLetter() const { return GetAcctClass(m_pAccount ? m_pAccount->number : 0); }

int CSuppSplitDlg::UsedSlots() const {
  int used = 0;
  for (int i = 0; i < kLinesPerTransaction; ++i)
    if (m_detail.lines[i].account != 0) ++used;
  return used;
}

int CSuppSplitDlg::SelectedRow() const {
  return static_cast<int>(::SendMessage(Item(IDC_TRN_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

BOOL CSuppSplitDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* title = GetDlgItem(IDC_TRN_TITLE)) SetLargeFont(title->GetSafeHwnd());
  m_list.SubclassDlgItem(IDC_TRN_LIST, this);
  ::SendMessage(Item(IDC_TRN_LIST), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  FillAccountCombos(3);
  m_amount.SubclassDlgItem(IDC_TRN_AMOUNT, this);
  m_amount.SetLimitText(8);
  m_amount.SetFormat(CAmountEdit::kDollars, "-9999.99", "99999.99", 2);
  m_amount.SetChangeFlag(&m_bChanged);
  ::SendMessage(Item(IDC_TRN_REMARKS), EM_LIMITTEXT, 40, 0);
  StartFormSize(this, m_size);
  m_size.firstSize = 0;
  if (m_cx != 0) SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER);

  RECT r{};
  ::GetClientRect(Item(IDC_TRN_LIST), &r);
  const int w = r.right - r.left;
  m_list.InsertColumn(0, "", LVCFMT_LEFT, 0);
  m_list.InsertColumn(1, "Support Account", LVCFMT_LEFT, w * 39 / 100);
  m_list.InsertColumn(2, "Amt", LVCFMT_RIGHT, w * 15 / 100);
  m_list.InsertColumn(3, "Remarks", LVCFMT_LEFT, w * 34 / 100);
  m_list.InsertColumn(4, "M", LVCFMT_CENTER, w * 7 / 100);
  m_list.InsertColumn(5, "", LVCFMT_LEFT, 0);
  FillList(true);
  LoadLine(false);
  m_bPosted = 0;
  m_bChanged = 0;
  CenterWindow();
  return FALSE;
}

void CSuppSplitDlg::FillAccountCombos(int flags) {
  if (flags & 1) {
    GetListOfValues("NR-ACCT", 1, m_pNonReserveList);
    if (flags & 1 && m_pAccount && m_pAccount->number == kReserveAllocationAccount)
      GetListOfValues("R-ACCT", 1, m_pReserveList);
    FillSupportChoices(Item(IDC_TRN_SUPPORT), *m_pNonReserveList, *m_pReserveList, m_pAccount->number, false);
  }
  if (flags & 2) {
    GetListOfValues("R-ACCT", 1, m_pReserveList);
    FillReserveChoices(Item(IDC_TRN_RESERVE), *m_pReserveList);
  }
}

void CSuppSplitDlg::FillList(bool selectLast) {
  const int lastInView = m_list.GetTopIndex() + m_list.GetCountPerPage() - 1;
  const int selected = SelectedRow();
  m_list.DeleteAllItems();
  for (int slot = 0; slot < kLinesPerTransaction; ++slot) {
    const SupportLineRecord& l = m_detail.lines[slot];
    if (l.account == 0) continue;
    const int item = m_list.InsertItem(m_list.GetItemCount(), "");
    char text[96];
    std::snprintf(text, sizeof text, "%d/%s", static_cast<int>(l.account),
                  static_cast<const char*>(AccountName(l.account)));
    m_list.SetItemText(item, 1, text);
    m_list.SetItemText(item, 2, FormatCents(l.amount));
    m_list.SetItemText(item, 3, l.remarks);
    m_list.SetItemText(item, 4, l.split ? "x" : "");
    std::snprintf(text, sizeof text, "%d", slot);
    m_list.SetItemText(item, 5, text);
  }
  const int count = m_list.GetItemCount();
  if (count > 0) m_list.EnsureVisible(selectLast ? count - 1 : std::min(std::max(lastInView, 0), count - 1), FALSE);
  if (selectLast && count > 0) {
    m_list.SetItemState(count - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  } else if (selected >= 0 && selected < count) {
    m_list.SetItemState(selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  UpdateTotals();
  const int used = UsedSlots();
  char title[64];
  std::snprintf(title, sizeof title, "Support Account Splits (%d account%s)", used, used == 1 ? "" : "s");
  SetWindowText(title);
  EnableListButtons();
}

void CSuppSplitDlg::UpdateTotals() {
  long sum = 0;
  for (int i = 0; i < kLinesPerTransaction; ++i)
    if (m_detail.lines[i].account != 0) sum += m_detail.lines[i].amount;
  SetDlgItemText(IDC_SSP_TRANS, FormatDollars(m_detail.transaction.amount, 0));
  SetDlgItemText(IDC_SSP_LINES, FormatDollars(sum, 0));
  SetDlgItemText(IDC_SSP_VARIANCE, FormatDollars(m_detail.transaction.amount - sum, 0));
}

void CSuppSplitDlg::LoadLine(bool fromList) {
  SetWaitCursor(1);
  m_loading = true;
  const int sel = fromList ? SelectedRow() : -1;
  if (sel >= 0) {
    const int slot = std::atoi(m_list.GetItemText(sel, 5));
    m_line = m_detail.lines[slot];
    m_split = m_detail.splits[slot];
    std::memcpy(m_shares.get(), m_detail.shares[slot], sizeof(ShareArray));
  } else {
    ResetSupportLine(-1, &m_line);
    m_line.id = m_detail.transaction.id;
    m_line.line = -1;
    ResetSplitBuffers(&m_split, m_shares.get());
  }
  ComboSelectAccount(Item(IDC_TRN_SUPPORT), sel >= 0 ? m_line.account : 0);
  ComboSelectAccount(Item(IDC_TRN_RESERVE), sel >= 0 ? m_line.reserveAccount : 0);
  m_amount.LoadValue(FormatCents(m_line.amount));
  CheckDlgButton(IDC_TRN_PBCHECK, m_line.split ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(IDC_TRN_REMARKS, m_line.remarks);
  m_loading = false;
  m_bChanged = 0;
  SetWaitCursor(0);
  EnableControls();
  ::SetFocus(Item(IDC_TRN_SUPPORT));
}

void CSuppSplitDlg::MarkChanged() {
  if (m_loading) return;
  m_bChanged = 1;
  EnableControls();
}

void CSuppSplitDlg::OnSupportAccount() {
  CString text = ComboText(Item(IDC_TRN_SUPPORT));
  if (text == "New") {
    CreateAccount(true);
    return;
  }
  if (text.IsEmpty()) return;
  const char letter = AccountLetter();
  m_line.account = LeadingNumber(text);
  m_line.factor = static_cast<LONG>(SignedAmountByType(letter, m_detail.transaction.factor, m_line.account));
  if (m_pAccount->number == kReserveAllocationAccount) {
    m_line.reserveAccount = m_line.account;
    m_line.reserveFactor = static_cast<LONG>(SignByAcctLetter(GetAcctClass(kReserveAllocationAccount), m_detail.transaction.factor));
  } else if (m_line.reserveAccount == 0) {
    char item[16], value[32] = "";
    std::snprintf(item, sizeof item, "%d", static_cast<int>(m_line.account));
    GetSettingString(m_pSection, 'A', item, "", "%s", value);
    int pos = -1;
    const int reserve = LeadingNumber(value);
    if (reserve != 0 && FindAcctIndex(reserve, &pos)) ComboSelectAccount(Item(IDC_TRN_RESERVE), reserve);
  }
  if (m_line.account == kDuesAccount && m_line.split && m_split.unitShare != 0) {
    char msg[96];
    std::snprintf(msg, sizeof msg, "There may not be a %s Share for dues", UnitNoun);
    DispMessage(msg, MSG_WARNING);
    OnPassbookSplit();
  }
  MarkChanged();
}

void CSuppSplitDlg::OnReserveAccount() {
  CString text = ComboText(Item(IDC_TRN_RESERVE));
  if (text == "New") {
    CreateAccount(false);
    return;
  }
  if (text.IsEmpty()) return;
  m_line.reserveAccount = LeadingNumber(text);
  m_line.reserveFactor = static_cast<LONG>(SignByAcctLetter(AccountLetter(), m_detail.transaction.factor));
  MarkChanged();
}

void CSuppSplitDlg::CreateAccount(bool forSupport) {
  const int target = forSupport ? IDC_TRN_SUPPORT : IDC_TRN_RESERVE;
  const int other = forSupport ? IDC_TRN_RESERVE : IDC_TRN_SUPPORT;
  if (CreateAccountFromChoice(this, Item(target), Item(other), forSupport,
                              [this](int flags) { FillAccountCombos(flags); }) == 0)
    return;
  if (forSupport)
    OnSupportAccount();
  else
    OnReserveAccount();
}

void CSuppSplitDlg::OnAmountKillFocus() {
  CString text;
  m_amount.GetText(text);
  const LONG value = static_cast<LONG>(ParseDollars(text.Left(15)));
  if (value == m_line.amount) return;
  m_line.amount = value;
  if (m_line.split) {
    char msg[96];
    std::snprintf(msg, sizeof msg, "%s's sub-account share has changed", UnitNoun);
    DispMessage(msg, MSG_INFORMATION);
    OnPassbookSplit();
  }
}

void CSuppSplitDlg::OnPassbookSplit() {
  CSplitDlg dlg(this);
  dlg.m_nFactor = m_detail.transaction.factor;
  dlg.m_nTransAccount = m_detail.transaction.account;
  dlg.m_nSupportAccount = m_line.account;
  dlg.m_pAmount = &m_line.amount;
  dlg.m_pSplit = &m_split;
  dlg.m_pShares = m_shares.get();
  if (dlg.DoModal() == IDOK) {
    m_bChanged = 1;
    m_loading = true;
    m_amount.LoadValue(FormatCents(m_line.amount));
    m_loading = false;
  }
  m_line.split = AnyPassbookShare(m_shares.get()) ? 1 : 0;
  if (!m_line.split) ResetSplitBuffers(&m_split, m_shares.get());
  CheckDlgButton(IDC_TRN_PBCHECK, m_line.split ? BST_CHECKED : BST_UNCHECKED);
  EnableListButtons();
  EnableControls();
}

void CSuppSplitDlg::OnPassbookCheck() {
  if (!m_line.split) {
    OnPassbookSplit();
    return;
  }
  // With a split the box only changes; the save takes its state.
  CheckDlgButton(IDC_TRN_PBCHECK, IsDlgButtonChecked(IDC_TRN_PBCHECK) ? BST_UNCHECKED : BST_CHECKED);
  MarkChanged();
}

int CSuppSplitDlg::SaveLine() {
  // Enter posts while the amount field still has the focus: its leave step
  // (which brings the line's passbook split to a changed amount) runs
  // first, so that no line is saved with shares made for another amount.
  OnAmountKillFocus();
  char msg[256] = "";
  char text[64] = "";
  // 1. Support account, required.
  CString support = ComboText(Item(IDC_TRN_SUPPORT));
  support.TrimLeft();
  std::snprintf(text, sizeof text, "%s", static_cast<const char*>(support));
  ValidateDlgField("Support", text, 1, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_SUPPORT), msg);
  SupportLineRecord line = m_line;
  const char letter = AccountLetter();
  if (!msg[0]) {
    line.account = LeadingNumber(text);
    line.factor = static_cast<LONG>(SignedAmountByType(letter, m_detail.transaction.factor, line.account));
  }
  // 3. Amount (the reserve amount follows it).
  CString amount;
  m_amount.GetText(amount);
  if (!msg[0]) {
    std::snprintf(text, sizeof text, "%s", static_cast<const char*>(amount));
    if (ValidateDlgField("Amount", text, 1, FIELD_NUMBER, 0, nullptr, nullptr, Item(IDC_TRN_AMOUNT), msg))
      line.amount = static_cast<LONG>(ParseDollars(text));
  }
  // 2. Reserve account.
  if (!msg[0]) {
    CString reserve = ComboText(Item(IDC_TRN_RESERVE));
    reserve.TrimLeft();
    if (m_pAccount->number == kReserveAllocationAccount) {
      line.reserveAccount = line.account;
      line.reserveFactor = line.factor;
      line.reserveAmount = line.amount;
    } else if (!reserve.IsEmpty() && LeadingNumber(reserve) != 0) {
      line.reserveAccount = LeadingNumber(reserve);
      line.reserveFactor = static_cast<LONG>(SignByAcctLetter(letter, m_detail.transaction.factor));
      line.reserveAmount = line.amount;
    } else {
      line.reserveAccount = line.reserveFactor = line.reserveAmount = 0;
    }
  }
  // 4, 5. Passbook flag and remarks.
  CString remarks;
  GetDlgItemText(IDC_TRN_REMARKS, remarks);
  if (!msg[0]) {
    line.split = IsDlgButtonChecked(IDC_TRN_PBCHECK) ? 1 : 0;
    std::snprintf(line.remarks, sizeof line.remarks, "%.40s", static_cast<const char*>(remarks));
    if (line.account == kEquipmentAccount && line.factor == 1) {
      std::snprintf(text, sizeof text, "%s", line.remarks);
      ValidateDlgField("Remarks", text, 1, FIELD_TEXT, 0, nullptr, nullptr, Item(IDC_TRN_REMARKS), msg);
    }
  }
  const bool isNew = m_line.line < 0;
  // 6. Room for the support lines.
  if (!msg[0]) {
    const int count = UsedSlots() + (isNew ? 1 : 0);
    const int excess = count - (m_pLoadedLines ? *m_pLoadedLines : 0) - SupportTable.freeCount;
    if (excess > 0) std::snprintf(msg, sizeof msg, "Maximum number of support accounts exceeded by %d", excess);
  }
  // 7. Room for the equipment item a new purchase brings.
  if (!msg[0] && isNew && line.account == kEquipmentAccount && line.factor == 1 && EquipTable.freeCount <= 0) {
    FormatErrorText(msg, ERR_TABLE_FULL, "equipment item");
    ::SetFocus(Item(IDC_TRN_SUPPORT));
  }
  if (msg[0]) {
    DispMessage(msg, MSG_WARNING);
    return 0;
  }
  int slot = -1;
  for (int i = 0; i < kLinesPerTransaction && slot < 0; ++i)
    if (isNew ? m_detail.lines[i].account == 0 : m_detail.lines[i].line == m_line.line) slot = i;
  if (slot < 0) {
    DispMessage("Maximum number of support accounts exceeded by 1", MSG_WARNING);
    return 0;
  }
  line.line = slot;
  line.id = m_detail.transaction.id;
  if (line.split) {
    const LONG key = LineKey(line.id, line.line);
    m_split.factor = static_cast<LONG>(ApplyAcctLetterSign(GetAcctClass(m_detail.transaction.account), m_detail.transaction.factor));
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
  FillList(isNew);
  return 1;
}

int CSuppSplitDlg::PostLine() {
  if (!SaveLine()) return 0;
  m_bChanged = 0;
  m_bPosted = 1;
  char item[16], value[16];
  std::snprintf(item, sizeof item, "%d", static_cast<int>(m_line.account));
  std::snprintf(value, sizeof value, "%d", static_cast<int>(m_line.reserveAccount));
  PutSettingString(m_pSection, 'A', item, value);
  LoadLine(false);
  EnableListButtons();
  return 1;
}

int CSuppSplitDlg::AskSaveCurrent() {
  if (!m_bChanged) return ANSWER_NO;
  return AskSaveChanges("Do you wish to save your changes");
}

void CSuppSplitDlg::OnEdit() {
  if (SelectedRow() < 0 || m_bChanged) return;
  LoadLine(true);
}

void CSuppSplitDlg::OnDelete() {
  const int sel = SelectedRow();
  if (sel < 0) return;
  const int slot = std::atoi(m_list.GetItemText(sel, 5));
  if (slot < 0 || slot >= kLinesPerTransaction) return;
  // The freed slot keeps no passbook data for the next line to inherit.
  m_detail.lines[slot].account = 0;
  m_detail.lines[slot].split = 0;
  ResetSplitBuffers(&m_detail.splits[slot], m_detail.shares[slot]);
  m_list.DeleteItem(sel);
  m_bPosted = 1;
  FillList(false);
  EnableControls();
}

void CSuppSplitDlg::OnReset() {
  switch (AskSaveCurrent()) {
    case ANSWER_YES: PostLine(); break;
    case ANSWER_NO: LoadLine(false); break;
    default: break;
  }
}

void CSuppSplitDlg::OnCancel() {
  switch (AskSaveCurrent()) {
    case ANSWER_CANCEL: return;
    case ANSWER_YES:
      if (!PostLine()) return;
      break;
    default: break;
  }
  long sum = 0;
  for (int i = 0; i < kLinesPerTransaction; ++i)
    if (m_detail.lines[i].account != 0) sum += m_detail.lines[i].amount;
  if (sum != m_detail.transaction.amount) {
    if (AskQuestion("Do you want to carry accounts' total back as transaction total", ANSWER_YES, 0) != ANSWER_YES)
      return;
    m_detail.transaction.amount = static_cast<LONG>(sum);
    m_bPosted = 1;
  }
  EndDialog(m_bPosted ? IDOK : IDCANCEL);
}

void CSuppSplitDlg::EnableControls() {
  const bool full = m_line.line < 0 && UsedSlots() >= kLinesPerTransaction;
  const bool slotFree = AccountSlotFree();
  for (int id : {IDC_TRN_SUPPORT, IDC_TRN_AMOUNT, IDC_TRN_REMARKS, IDC_TRN_RESET})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(!full);
  if (CWnd* w = GetDlgItem(IDC_TRN_ADDSUPPORT)) w->EnableWindow(!full && slotFree);
  const int support = LeadingNumber(ComboText(Item(IDC_TRN_SUPPORT)));
  const char c = GetAcctClass(support);
  const bool reserveOk = support != 0 && (c == 'I' || c == 'E');
  if (!reserveOk && m_pAccount->number != kReserveAllocationAccount) {
    ComboSelectPrefix(Item(IDC_TRN_RESERVE), nullptr);
    m_line.reserveAccount = 0;
  }
  for (int id : {IDC_TRN_RESERVE, IDC_TRN_RESERVE_LABEL})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(reserveOk && !full);
  if (CWnd* w = GetDlgItem(IDC_TRN_ADDRESERVE)) w->EnableWindow(reserveOk && !full && slotFree);
  const bool passbookOk = support != 0 && (c == 'I' || c == 'E' || c == 'R');
  if (!passbookOk) {
    CheckDlgButton(IDC_TRN_PBCHECK, BST_UNCHECKED);
    if (m_line.split) {
      m_line.split = 0;
      ResetSplitBuffers(&m_split, m_shares.get());
    }
  }
  const bool members = GetPassbookMemberTotal() > 0;
  for (int id : {IDC_TRN_PBCHECK, IDC_TRN_PBSPLIT})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(passbookOk && members && !full);
  const bool post = m_bChanged && !full;
  if (CWnd* w = GetDlgItem(IDC_TRN_POST)) w->EnableWindow(post);
  if (post) ::SendMessage(GetSafeHwnd(), DM_SETDEFID, IDC_TRN_POST, 0);
  EnableListButtons();
}

void CSuppSplitDlg::EnableListButtons() {
  const bool on = SelectedRow() >= 0 && !m_bChanged;
  for (int id : {IDC_TRN_EDIT, IDC_TRN_DELETE})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on);
}

BOOL CSuppSplitDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_SUPPSPLIT))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (!m_loading) {
    if (id == IDC_TRN_AMOUNT && code == EN_CHANGE) MarkChanged();
    if (id == IDC_TRN_AMOUNT && code == EN_KILLFOCUS) OnAmountKillFocus();
    if (id == IDC_TRN_REMARKS && code == EN_CHANGE) MarkChanged();
    if (id == IDC_TRN_SUPPORT && code == CBN_SELCHANGE) OnSupportAccount();
    if (id == IDC_TRN_RESERVE && code == CBN_SELCHANGE) OnReserveAccount();
  }
  if (code == BN_CLICKED) {
    CWnd* button = GetDlgItem(id);
    if (button && !button->IsWindowEnabled() && id != IDCANCEL) return TRUE;
    switch (id) {
      case IDC_TRN_RESET: OnReset(); return TRUE;
      case IDC_TRN_DELETE: OnDelete(); return TRUE;
      case IDC_TRN_EDIT: OnEdit(); return TRUE;
      case IDC_TRN_PBSPLIT: OnPassbookSplit(); return TRUE;
      case IDC_TRN_POST: PostLine(); return TRUE;
      case IDC_TRN_PBCHECK: OnPassbookCheck(); return TRUE;
      case IDC_TRN_ADDSUPPORT: CreateAccount(true); return TRUE;
      case IDC_TRN_ADDRESERVE: CreateAccount(false); return TRUE;
      default: break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CSuppSplitDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr && static_cast<int>(hdr->idFrom) == IDC_TRN_LIST) {
    if (hdr->code == NM_DBLCLK) {
      OnEdit();
      return TRUE;
    }
    if (hdr->code == NM_CLICK || hdr->code == LVN_ITEMCHANGED) {
      EnableListButtons();
      return TRUE;
    }
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

void CSuppSplitDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  ResizeForm(this, m_size, IDC_TRN_LIST, {IDC_TRN_EDIT, IDC_TRN_DELETE, IDCANCEL, IDC_SHELL_HELP});
}
