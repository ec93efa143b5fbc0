#include "registers/TransDlg.h"
#include "registers/TransRules.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "common/DialogHelp.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/AccountChoices.h"
#include "registers/FormResize.h"
#include "registers/SplitDlg.h"
#include "registers/SuppSplitDlg.h"
#include "reports/RegisterReport.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/Xfer.h"

namespace {

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The first `count` entries of an index: the rest of it is unused room.
std::vector<int> Positions(const std::vector<int>& index, int count) {
  const size_t n = static_cast<size_t>(std::clamp(count, 0, static_cast<int>(index.size())));
  return std::vector<int>(index.begin(), index.begin() + static_cast<std::ptrdiff_t>(n));
}

}  // namespace

CTransDlg::CTransDlg(CWnd* parent)
    : CDialog(IDD_TRANSFORM, parent),
      m_work(std::make_unique<TransactionDetail>()),
      m_loaded(std::make_unique<TransactionDetail>()) {
  m_pSection = OpenSettingsSection(SettingsFileName, "TRANS");
  LoadFormPlacement(m_pSection, &m_cx, &m_cy);
  ResetTransactionDetail(m_work->lines, m_work->splits, m_work->shares);
  ResetTransactionDetail(m_loaded->lines, m_loaded->splits, m_loaded->shares);
}

CTransDlg::~CTransDlg() {
  SaveFormPlacement(m_pSection, m_size.lastCx, m_size.lastCy);
  if (m_pSection) CloseSettingsSection(m_pSection);
}

int CTransDlg::FactorOfType(const char* type) {
  if (!type || !type[0]) return 1;
  return std::strchr("DCA", type[0]) ? 1 : -1;
}

int CTransDlg::SelectedRow() const {
  return static_cast<int>(::SendMessage(Item(IDC_TRN_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool CTransDlg::SelectedIsTransaction() const {
  const int sel = SelectedRow();
  return sel >= 0 && !m_list.GetItemText(sel, 6).IsEmpty();
}

BOOL CTransDlg::OnInitDialog() {
  m_descr.SubclassDlgItem(IDC_TRN_DESCR, this);
  CDialog::OnInitDialog();
  m_loading = true;
  m_cClass = GetAcctClass(m_account.number);
  if (CWnd* title = GetDlgItem(IDC_TRN_TITLE)) SetBoldFont(title->GetSafeHwnd());
  m_list.SubclassDlgItem(IDC_TRN_LIST, this);
  ::SendMessage(Item(IDC_TRN_LIST), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  ::SendMessage(Item(IDC_TRN_NUMBER), EM_LIMITTEXT, 8, 0);
  m_date.SubclassEdit(IDC_TRN_DATE, this, CString(), 0);
  ::SendMessage(Item(IDC_TRN_DESCR), CB_LIMITTEXT, 25, 0);
  HWND type = Item(IDC_TRN_TYPE);
  if (m_cClass == 'L') {
    ComboAdd(type, "Payment");
    ComboAdd(type, "Charge");
  } else if (m_cClass == 'S') {
    ComboAdd(type, "Allocation");
  } else {
    ComboAdd(type, "Deposit");
    ComboAdd(type, "Withdrawal");
  }
  for (const char* m : kMonths) ComboAdd(Item(IDC_TRN_MONTH), m);
  m_amount.SubclassDlgItem(IDC_TRN_AMOUNT, this);
  m_amount.SetLimitText(8);
  m_amount.SetChangeFlag(&m_bChanged);
  m_amount.SetFormat(CAmountEdit::kDollars, "-9999.99", "99999.99", 2);
  FillAccountCombos(3);
  ::SendMessage(Item(IDC_TRN_REMARKS), EM_LIMITTEXT, 40, 0);
  StartFormSize(this, m_size);
  m_size.firstSize = 0;
  if (m_cx != 0) SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER);
  // Printing needs the account register report and its dialog.
  if (CWnd* print = GetDlgItem(IDC_TRN_PRINT)) print->EnableWindow(AccountRegisterReportReady() ? TRUE : FALSE);
  SetListColumns();
  FillList(true);
  m_bPosted = 0;
  m_bChanged = 0;
  m_loading = false;
  LoadTrans(false);
  CenterWindow();
  return FALSE;
}

void CTransDlg::FillAccountCombos(int flags) {
  if (flags & 1) GetListOfValues("NR-ACCT", 1, &m_nonReserve);
  if (flags & 2 || (flags & 1 && m_account.number == kReserveAllocationAccount)) GetListOfValues("R-ACCT", 1, &m_reserve);
  if (flags & 1) FillSupportChoices(Item(IDC_TRN_SUPPORT), m_nonReserve, m_reserve, m_account.number, true);
  if (flags & 2) FillReserveChoices(Item(IDC_TRN_RESERVE), m_reserve);
}

void CTransDlg::SetListColumns() {
  RECT r{};
  ::GetClientRect(Item(IDC_TRN_LIST), &r);
  const int w = r.right - r.left;
  char minus[32] = "", plus[32] = "";
  GetAmountColumnLabel(m_account.number, -1, 0, minus);
  GetAmountColumnLabel(m_account.number, 1, 0, plus);
  struct Column {
    const char* heading;
    int percent;
    int format;
  };
  const Column columns[11] = {
      {"", 0, LVCFMT_LEFT},          {"Num", 8, LVCFMT_LEFT},        {"Date", 11, LVCFMT_LEFT},
      {"Description", 24, LVCFMT_LEFT}, {minus, 12, LVCFMT_RIGHT},  {plus, 12, LVCFMT_RIGHT},
      {"", 0, LVCFMT_LEFT},          {"Clr", 5, LVCFMT_CENTER},      {"Sup", 8, LVCFMT_LEFT},
      {"M", 5, LVCFMT_CENTER},
      {m_account.number == kReserveAllocationAccount ? "Net Alloc" : "Balance", 12, LVCFMT_RIGHT},
  };
  for (int i = 0; i < 11; ++i) m_list.InsertColumn(i, columns[i].heading, columns[i].format, w * columns[i].percent / 100);
}

void CTransDlg::RowsOf(const TransactionRecord& t, const SupportLineRecord* lines,
                       std::vector<RegisterRow>& rows) const {
  const char* date = FormatDateShort(t.date, DF_YYYYMMDD);
  const std::string dateText = date ? date : "";
  if (t.account == m_account.number) {
    int used = 0, first = -1;
    for (int i = 0; i < kLinesPerTransaction; ++i)
      if (lines[i].account != 0) {
        ++used;
        if (first < 0) first = i;
      }
    char sup[16] = "", id[16];
    if (used > 1)
      std::snprintf(sup, sizeof sup, "<split>");
    else if (first >= 0)
      std::snprintf(sup, sizeof sup, "%d", static_cast<int>(lines[first].account));
    std::snprintf(id, sizeof id, "%ld", static_cast<long>(t.id));
    RegisterRow row;
    row.id = t.id;
    row.delta = t.factor == -1 ? -t.amount : t.amount;
    row.texts[1] = t.number;
    row.texts[2] = dateText;
    row.texts[3] = t.payee;
    row.texts[t.factor == -1 ? 4 : 5] = static_cast<const char*>(FormatDollars(t.amount, 0));
    row.texts[6] = id;
    row.texts[7] = t.cleared ? "x" : "";
    row.texts[8] = sup;
    row.texts[9] = used == 1 && lines[first].split ? "x" : "";
    rows.push_back(std::move(row));
  }
  // A line of another register's transaction that names this account shows
  // in brackets, with that register's account.
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    const SupportLineRecord& l = lines[i];
    if (l.account != m_account.number) continue;
    char descr[40], amount[24], primary[16];
    std::snprintf(descr, sizeof descr, "[%s]", t.payee);
    std::snprintf(amount, sizeof amount, "[%s]", static_cast<const char*>(FormatDollars(l.amount, 0)));
    std::snprintf(primary, sizeof primary, "[%d]", static_cast<int>(t.account));
    RegisterRow row;
    row.id = t.id;
    row.delta = l.factor == -1 ? -l.amount : l.amount;
    row.texts[2] = dateText;
    row.texts[3] = descr;
    row.texts[l.factor == -1 ? 4 : 5] = amount;
    row.texts[7] = t.cleared ? "x" : "";
    row.texts[8] = primary;
    rows.push_back(std::move(row));
  }
}

void CTransDlg::InsertListRow(int at, RegisterRow row, long balance) {
  row.balance = balance;
  const int item = m_list.InsertItem(at, "");
  for (int c = 1; c < 10; ++c)
    if (!row.texts[c].empty()) m_list.SetItemText(item, c, row.texts[c].c_str());
  if (balance != kBalanceToCome) m_list.SetItemText(item, 10, FormatDollars(balance, 0));
  m_rows.insert(m_rows.begin() + at, std::move(row));
}

void CTransDlg::FillList(bool selectLast) {
  const int lastInView = m_list.GetTopIndex() + m_list.GetCountPerPage() - 1;
  const int selected = SelectedRow();
  m_list.DeleteAllItems();
  m_rows.clear();
  long balance = m_account.openingBalance;
  auto append = [&](RegisterRow row) {
    balance += row.delta;
    InsertListRow(static_cast<int>(m_rows.size()), std::move(row), balance);
  };
  {
    RegisterRow opening;
    opening.texts[3] = "Opening Balance ";
    append(std::move(opening));
  }
  // Only transactions of this account and those with a line naming it are read.
  std::set<LONG> offsets;
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && k.account == m_account.number) offsets.insert(k.id);
  }
  char error[256] = "";
  TransactionRecord t;
  SupportLineRecord lines[kLinesPerTransaction];
  std::vector<RegisterRow> rows;
  for (int row : Positions(TransTable.byDateAcctNumber, TransTable.rowCount)) {
    if (error[0]) break;
    if (row < 0 || row >= TransTable.rowCount) continue;
    const TransKey& key = TransTable.keys[static_cast<size_t>(row)];
    if (key.status == kStatusDeleted) continue;
    if (key.account != m_account.number && !offsets.count(key.id)) continue;
    if (!LoadTransaction(row, &t, lines, nullptr, nullptr, error)) break;
    rows.clear();
    RowsOf(t, lines, rows);
    for (RegisterRow& r : rows) {
      r.transRow = row;
      append(std::move(r));
    }
  }
  if (m_account.number == kEquipmentAccount) {
    int items = 0, change = 0;
    GetEquipValueAt(FiscalStartDate, TodayDate, &items);
    if (items != 0) {
      RegisterRow manual;
      manual.delta = items;
      manual.texts[3] = "Manually Entered Items ";
      manual.texts[5] = static_cast<const char*>(FormatDollars(items, 0));
      append(std::move(manual));
    }
    const bool inside = std::strcmp(TodayDate, FiscalStartDate) >= 0 && std::strcmp(TodayDate, FiscalEndDate) <= 0;
    GetEquipValueChange(FiscalStartDate, inside ? TodayDate : FiscalEndDate, &change);
    if (change != 0) {
      RegisterRow depreciation;
      depreciation.delta = -change;
      depreciation.texts[3] = "Depreciation ";
      depreciation.texts[4] = static_cast<const char*>(FormatDollars(change, 0));
      append(std::move(depreciation));
    }
  }
  const int count = m_list.GetItemCount();
  if (count > 0) m_list.EnsureVisible(selectLast ? count - 1 : std::clamp(lastInView, 0, count - 1), FALSE);
  if (!selectLast && selected >= 0 && selected < count)
    m_list.SetItemState(selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  FillDescriptions();
  UpdateTitle();
  EnableListButtons();
  if (error[0]) DispMessage(error, MSG_FATAL);
}

void CTransDlg::RefreshTransaction(LONG id, bool added) {
  // The equipment register ends in rows the items make: it is built anew.
  if (m_account.number == kEquipmentAccount) {
    FillList(added);
    return;
  }
  // Only the saved transaction is read again: a register at capacity would
  // otherwise read every transaction after every posting.
  int row = -1;
  char error[256] = "";
  TransactionRecord t;
  SupportLineRecord lines[kLinesPerTransaction];
  if (!FindTransaction(static_cast<int>(id), &row) ||
      !LoadTransaction(row, &t, lines, nullptr, nullptr, error)) {
    FillList(added);
    return;
  }
  std::vector<RegisterRow> rows;
  RowsOf(t, lines, rows);

  // Its old rows go; `from` is the first row whose balance may change.
  int from = static_cast<int>(m_rows.size());
  for (int i = static_cast<int>(m_rows.size()) - 1; i >= 1; --i)
    if (m_rows[static_cast<size_t>(i)].id == id) {
      m_list.DeleteItem(i);
      m_rows.erase(m_rows.begin() + i);
      from = i;
    }
  // Its new rows go where the register's order puts them: before the first
  // row of a transaction that sorts after it (the rows of no transaction,
  // the equipment's, come last).
  if (!rows.empty()) {
    // Each transaction's place in the register's order, by its key row; the
    // list's rows are in that order, so the place is found by halving.
    std::vector<int> rank(static_cast<size_t>(TransTable.rowCount), INT_MAX);
    int next = 0;
    for (int r : Positions(TransTable.byDateAcctNumber, TransTable.rowCount))
      if (r >= 0 && r < TransTable.rowCount) rank[static_cast<size_t>(r)] = next++;
    for (RegisterRow& r : rows) r.transRow = row;
    const int mine = rank[static_cast<size_t>(row)];
    auto rankOf = [&rank](const RegisterRow& r) {
      return r.transRow >= 0 && static_cast<size_t>(r.transRow) < rank.size() ? rank[static_cast<size_t>(r.transRow)]
                                                                              : INT_MAX;
    };
    const auto place = std::upper_bound(m_rows.begin() + 1, m_rows.end(), mine,
                                        [&rankOf](int value, const RegisterRow& r) { return value < rankOf(r); });
    int at = static_cast<int>(place - m_rows.begin());
    from = std::min(from, at);
    for (RegisterRow& r : rows) InsertListRow(at++, std::move(r), kBalanceToCome);
  }
  // The running balance from there on; unchanged texts are left alone.
  for (int i = std::max(from, 1); i < static_cast<int>(m_rows.size()); ++i) {
    RegisterRow& r = m_rows[static_cast<size_t>(i)];
    const long balance = m_rows[static_cast<size_t>(i - 1)].balance + r.delta;
    if (balance == r.balance) continue;
    r.balance = balance;
    m_list.SetItemText(i, 10, FormatDollars(balance, 0));
  }
  const int count = m_list.GetItemCount();
  if (added && count > 0) m_list.EnsureVisible(count - 1, FALSE);
  AddDescription(t.payee, t.account);
  UpdateTitle();
  EnableListButtons();
}

void CTransDlg::AddDescription(const char* payee, LONG account) {
  // The list holds this register's payees once each, in the index's order.
  if (account != m_account.number || !payee[0]) return;
  HWND combo = Item(IDC_TRN_DESCR);
  const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
  int at = 0;
  for (; at < count; ++at) {
    char text[64] = "";
    ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
    const int order = std::strcmp(text, payee);
    if (order == 0) return;
    if (order > 0) break;
  }
  const bool wasLoading = m_loading;
  m_loading = true;
  ::SendMessage(combo, CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(payee));
  m_loading = wasLoading;
}

void CTransDlg::FillDescriptions() {
  const bool wasLoading = m_loading;
  m_loading = true;
  CString text;
  ::GetWindowText(Item(IDC_TRN_DESCR), text.GetBuffer(64), 64);
  text.ReleaseBuffer();
  ComboClear(Item(IDC_TRN_DESCR));
  const char* previous = "";
  for (int row : Positions(TransTable.byAcctPayeeDate, TransTable.rowCount)) {
    if (row < 0 || row >= TransTable.rowCount) continue;
    const TransKey& k = TransTable.keys[static_cast<size_t>(row)];
    if (k.account != m_account.number || k.status != kStatusLive || !k.payee[0] ||
        std::strcmp(k.payee, previous) == 0)
      continue;
    ComboAdd(Item(IDC_TRN_DESCR), k.payee);
    previous = k.payee;
  }
  ::SetWindowText(Item(IDC_TRN_DESCR), text);
  m_loading = wasLoading;
}

void CTransDlg::UpdateTitle() {
  int count = 0;
  for (int r = 0; r < TransTable.rowCount; ++r) {
    const TransKey& k = TransTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && k.account == m_account.number) ++count;
  }
  for (int r = 0; r < SupportTable.rowCount; ++r) {
    const SupportKey& k = SupportTable.keys[static_cast<size_t>(r)];
    if (k.status != kStatusDeleted && k.account == m_account.number) ++count;
  }
  char caption[96];
  std::snprintf(caption, sizeof caption, "%d / %s (%d transaction%s)", static_cast<int>(m_account.number),
                m_account.name, count, count == 1 ? "" : "s");
  SetWindowText(caption);
}

void CTransDlg::ShowAmount(long cents) {
  const bool wasLoading = m_loading;
  m_loading = true;
  m_amount.LoadValue(FormatCents(cents));
  m_loading = wasLoading;
}

int CTransDlg::LoadTrans(bool fromList) {
  SetWaitCursor(1);
  int row = -1;
  if (fromList) {
    const int sel = SelectedRow();
    if (sel >= 0) FindTransaction(std::atoi(m_list.GetItemText(sel, 6)), &row);
  }
  TransactionDetail& L = *m_loaded;
  const int ok = XferTransaction(0, m_account.number, row, 0, &L.transaction, L.lines, L.splits, L.shares);
  if (!ok) {
    SetWaitCursor(0);
    return 0;
  }
  m_nRow = row;
  *m_work = L;
  const TransactionRecord& t = L.transaction;
  m_loading = true;
  SetDlgItemText(IDC_TRN_NUMBER, t.number);
  m_date.LoadValue(CString(t.date));
  ::SendMessage(Item(IDC_TRN_MONTH), CB_SETCURSEL, static_cast<WPARAM>(t.month >= 0 && t.month < 12 ? t.month : -1), 0);
  ::SetWindowText(Item(IDC_TRN_DESCR), t.payee);
  m_strPrevDescription = t.payee;
  char letter[2] = "A";
  if (m_cClass != 'S') letter[0] = t.factor == -1 ? (m_cClass == 'L' ? 'P' : 'W') : (m_cClass == 'L' ? 'C' : 'D');
  ComboSelectPrefix(Item(IDC_TRN_TYPE), letter);
  ShowAmount(row >= 0 ? t.amount : 0);
  CheckDlgButton(IDC_TRN_CLEAR, t.cleared ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(IDC_TRN_REMARKS, t.remarks);
  int used = 0;
  for (const SupportLineRecord& l : L.lines)
    if (l.account != 0) ++used;
  m_bMulti = row >= 0 && (used > 1 || t.multiLine) ? 1 : 0;
  if (row >= 0 && m_bMulti) {
    ComboSelectPrefix(Item(IDC_TRN_SUPPORT), "Split");
    ComboSelectPrefix(Item(IDC_TRN_RESERVE), nullptr);
    CheckDlgButton(IDC_TRN_PBCHECK, BST_UNCHECKED);
  } else if (row >= 0) {
    ComboSelectAccount(Item(IDC_TRN_SUPPORT), L.lines[0].account);
    ComboSelectAccount(Item(IDC_TRN_RESERVE), L.lines[0].reserveAccount);
    CheckDlgButton(IDC_TRN_PBCHECK, L.lines[0].split ? BST_CHECKED : BST_UNCHECKED);
  } else {
    ComboSelectPrefix(Item(IDC_TRN_SUPPORT), nullptr);
    ComboSelectPrefix(Item(IDC_TRN_RESERVE), nullptr);
    CheckDlgButton(IDC_TRN_PBCHECK, BST_UNCHECKED);
  }
  m_nLoadedLines = row >= 0 ? used : 0;
  // The focus moves while loading: the field it leaves (the amount, after
  // Enter posted from it) formats its text anew, which is no edit.
  ::SetFocus(Item(IDC_TRN_NUMBER));
  ::SendMessage(Item(IDC_TRN_NUMBER), EM_SETSEL, 0, -1);
  m_loading = false;
  m_bChanged = 0;
  SetWaitCursor(0);
  EnableControls();
  return ok;
}

void CTransDlg::MarkChanged() {
  if (m_loading) return;
  m_bChanged = 1;
  EnableControls();
}

void CTransDlg::OnDateChange() {
  if (m_loading) return;
  MarkChanged();
  CString stored;
  m_date.SaveValue(stored);
  char msg[128];
  if (stored.GetLength() == 8 && ValidateDateTimeField(stored, DF_YYYYMMDD, nullptr, nullptr, msg)) {
    const int month = std::atoi(stored.Mid(4, 2)) - 1;
    if (month >= 0 && month < 12) ::SendMessage(Item(IDC_TRN_MONTH), CB_SETCURSEL, static_cast<WPARAM>(month), 0);
  }
}

void CTransDlg::OnNumberChange() {
  if (m_loading) return;
  MarkChanged();
  char number[16] = "";
  ::GetWindowText(Item(IDC_TRN_NUMBER), number, sizeof number);
  for (char* p = number; *p; ++p) *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  if (std::strcmp(number, "N") != 0) return;
  char next[9] = "";
  const std::vector<int> byDate = Positions(TransTable.byDateAcctNumber, TransTable.rowCount);
  for (auto it = byDate.rbegin(); it != byDate.rend(); ++it) {
    if (*it < 0 || *it >= TransTable.rowCount) continue;
    const TransKey& k = TransTable.keys[static_cast<size_t>(*it)];
    if (k.account != m_account.number || k.status != kStatusLive || !AllDigits(k.number)) continue;
    std::snprintf(next, sizeof next, "%s", k.number);
    if (!FindNextTransactionNumber(m_account.number, next)) next[0] = '\0';
    break;
  }
  m_loading = true;
  ::SetWindowText(Item(IDC_TRN_NUMBER), next);
  m_loading = false;
  ::SendMessage(Item(IDC_TRN_NUMBER), EM_SETSEL, 0, -1);
}

void CTransDlg::OnDescriptionKillFocus() {
  char descr[32] = "";
  ::GetWindowText(Item(IDC_TRN_DESCR), descr, sizeof descr);
  CString amount;
  m_amount.GetText(amount);
  if (m_strPrevDescription == descr || !ComboText(Item(IDC_TRN_SUPPORT)).IsEmpty() || ParseDollars(amount) != 0)
    return;
  m_strPrevDescription = descr;
  char type[32] = "", support[40] = "";
  GetSettingString(m_pSection, 'B', descr, "", "%s", type);
  GetSettingString(m_pSection, 'C', descr, "", "%s", support);
  if (type[0]) {
    ComboSelectPrefix(Item(IDC_TRN_TYPE), type);
    OnTypeKillFocus();
  }
  if (support[0]) {
    ComboSelectPrefix(Item(IDC_TRN_SUPPORT), support);
    OnSupportAccount();
  }
}

void CTransDlg::OnTypeKillFocus() {
  TransactionDetail& W = *m_work;
  const int factor = FactorOfType(ComboText(Item(IDC_TRN_TYPE)));
  W.transaction.factor = factor;
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    SupportLineRecord& l = W.lines[i];
    if (l.account != 0) {
      l.factor = static_cast<LONG>(SignedAmountByType(m_cClass, factor, l.account));
      if (l.split) W.splits[i].factor = static_cast<LONG>(ApplyAcctLetterSign(GetAcctClass(W.transaction.account), factor));
    }
    if (l.reserveAccount != 0) l.reserveFactor = static_cast<LONG>(SignByAcctLetter(m_cClass, factor));
  }
}

void CTransDlg::OnAmountKillFocus() {
  TransactionDetail& W = *m_work;
  CString text;
  m_amount.GetText(text);
  const LONG value = static_cast<LONG>(ParseDollars(text.Left(15)));
  if (value == W.transaction.amount) return;
  W.transaction.amount = value;
  if (!IsMulti()) W.lines[0].amount = value;
  if (IsMulti()) {
    DispMessage("Support accounts are out of balance", MSG_INFORMATION);
    OnSplit();
  } else if (W.lines[0].split) {
    char msg[96];
    std::snprintf(msg, sizeof msg, "%s's sub-account share has changed", UnitNoun);
    DispMessage(msg, MSG_INFORMATION);
    OnPassbookSplit();
  }
}

void CTransDlg::OnSupportAccount() {
  TransactionDetail& W = *m_work;
  CString text = ComboText(Item(IDC_TRN_SUPPORT));
  if (IsMulti() && text != "Split") {
    if (AskQuestion("Do you really want to discard the multiple-account entries", ANSWER_NO, 0) != ANSWER_YES) {
      ComboSelectPrefix(Item(IDC_TRN_SUPPORT), "Split");
      return;
    }
    DiscardSupportLines();
  }
  if (text == "New") {
    CreateAccount(true);
    return;
  }
  m_bMulti = text == "Split" ? 1 : 0;
  if (text.IsEmpty()) {
    MarkChanged();
    return;
  }
  if (m_bMulti) {
    EnableControls();
    OnSplit();
    MarkChanged();
    return;
  }
  SupportLineRecord& l = W.lines[0];
  l.account = LeadingNumber(text);
  l.line = 0;
  l.factor = static_cast<LONG>(SignedAmountByType(m_cClass, Factor(), l.account));
  l.amount = W.transaction.amount;
  for (int i = 1; i < kLinesPerTransaction; ++i) {
    ResetSupportLine(i, &W.lines[i]);
    ResetSplitBuffers(&W.splits[i], W.shares[i]);
  }
  if (m_account.number == kReserveAllocationAccount) {
    l.reserveAccount = l.account;
    l.reserveFactor = static_cast<LONG>(SignByAcctLetter(GetAcctClass(kReserveAllocationAccount), Factor()));
  } else if (l.reserveAccount == 0) {
    char item[16], value[32] = "";
    std::snprintf(item, sizeof item, "%d", static_cast<int>(l.account));
    GetSettingString(m_pSection, 'A', item, "", "%s", value);
    int pos = -1;
    const int reserve = LeadingNumber(value);
    if (reserve != 0 && FindAcctIndex(reserve, &pos)) {
      ComboSelectAccount(Item(IDC_TRN_RESERVE), reserve);
      OnReserveAccount();
    }
  }
  if (l.account == kDuesAccount && l.split && W.splits[0].unitShare != 0) {
    char msg[96];
    std::snprintf(msg, sizeof msg, "There may not be a %s Share for dues", UnitNoun);
    DispMessage(msg, MSG_WARNING);
    OnPassbookSplit();
  }
  const char c = GetAcctClass(l.account);
  if (m_account.number != kReserveAllocationAccount && c != 'I' && c != 'E')
    l.reserveAccount = l.reserveFactor = l.reserveAmount = 0;
  EnableControls();
  MarkChanged();
}

void CTransDlg::DiscardSupportLines() {
  // Line 0 goes too: its reserve and passbook split belong to the entries
  // discarded, and the form (which shows neither) would post them.
  TransactionDetail& W = *m_work;
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    ResetSupportLine(i, &W.lines[i]);
    ResetSplitBuffers(&W.splits[i], W.shares[i]);
  }
  m_bMulti = 0;
  ComboSelectPrefix(Item(IDC_TRN_RESERVE), nullptr);
  CheckDlgButton(IDC_TRN_PBCHECK, BST_UNCHECKED);
}

void CTransDlg::OnReserveAccount() {
  CString text = ComboText(Item(IDC_TRN_RESERVE));
  if (text == "New") {
    CreateAccount(false);
    return;
  }
  if (!text.IsEmpty()) {
    SupportLineRecord& l = m_work->lines[0];
    l.reserveAccount = LeadingNumber(text);
    l.reserveFactor = l.reserveAccount ? static_cast<LONG>(SignByAcctLetter(m_cClass, Factor())) : 0;
    l.reserveAmount = l.reserveAccount ? m_work->transaction.amount : 0;
  }
  MarkChanged();
}

void CTransDlg::CreateAccount(bool forSupport) {
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

void CTransDlg::OnPassbookCheck() {
  if (IsMulti()) {
    CheckDlgButton(IDC_TRN_PBCHECK, BST_UNCHECKED);
    return;
  }
  TransactionDetail& W = *m_work;
  if (!W.lines[0].split) {
    OnPassbookSplit();
    return;
  }
  if (AskDiscardPassbookSplit(W)) {
    CheckDlgButton(IDC_TRN_PBCHECK, BST_UNCHECKED);
    MarkChanged();
  } else {
    CheckDlgButton(IDC_TRN_PBCHECK, BST_CHECKED);
  }
}

void CTransDlg::OnPassbookSplit() {
  TransactionDetail& W = *m_work;
  CSplitDlg dlg(this);
  dlg.m_nFactor = Factor();
  dlg.m_nTransAccount = m_account.number;
  dlg.m_nSupportAccount = W.lines[0].account;
  dlg.m_pAmount = &W.transaction.amount;
  dlg.m_pSplit = &W.splits[0];
  dlg.m_pShares = W.shares[0];
  if (dlg.DoModal() == IDOK) {
    m_bChanged = 1;
    W.lines[0].amount = W.transaction.amount;
    ShowAmount(W.transaction.amount);
  }
  W.lines[0].split = AnyPassbookShare(W.shares[0]) ? 1 : 0;
  if (!W.lines[0].split) ResetSplitBuffers(&W.splits[0], W.shares[0]);
  CheckDlgButton(IDC_TRN_PBCHECK, W.lines[0].split ? BST_CHECKED : BST_UNCHECKED);
  EnableListButtons();
  EnableControls();
}

void CTransDlg::OnSplit() {
  TransactionDetail& W = *m_work;
  W.lines[0].id = W.transaction.id;
  CSuppSplitDlg dlg(W, this);
  dlg.m_pAccount = &m_account;
  dlg.m_pLoadedLines = &m_nLoadedLines;
  dlg.m_pReserveList = &m_reserve;
  dlg.m_pNonReserveList = &m_nonReserve;
  if (dlg.DoModal() == IDOK) {
    m_bChanged = 1;
    ShowAmount(W.transaction.amount);
  }
  const CString supportKept = ComboText(Item(IDC_TRN_SUPPORT));
  FillAccountCombos(3);
  int used = 0, first = -1;
  bool remarks = false;
  for (int i = 0; i < kLinesPerTransaction; ++i) {
    if (W.lines[i].account == 0) continue;
    ++used;
    if (first < 0) first = i;
    if (W.lines[i].remarks[0]) remarks = true;
  }
  m_bMulti = used > 1 || (used == 1 && remarks) ? 1 : 0;
  m_loading = true;
  if (m_bMulti) {
    ComboSelectPrefix(Item(IDC_TRN_SUPPORT), "Split");
  } else {
    ComboSelectPrefix(Item(IDC_TRN_SUPPORT), nullptr);
    if (first > 0) {
      W.lines[0] = W.lines[first];
      W.lines[0].line = 0;
      W.splits[0] = W.splits[first];
      std::memcpy(W.shares[0], W.shares[first], sizeof(ShareArray));
      W.lines[first].account = 0;
      W.lines[first].split = 0;
      ResetSplitBuffers(&W.splits[first], W.shares[first]);
    }
    if (used == 1) {
      ComboSelectAccount(Item(IDC_TRN_SUPPORT), W.lines[0].account);
      ComboSelectAccount(Item(IDC_TRN_RESERVE), W.lines[0].reserveAccount);
      CheckDlgButton(IDC_TRN_PBCHECK, W.lines[0].split ? BST_CHECKED : BST_UNCHECKED);
    }
  }
  (void)supportKept;
  m_loading = false;
  EnableListButtons();
  EnableControls();
}

void CTransDlg::EnableControls() {
  TransactionDetail& W = *m_work;
  const bool single = !IsMulti() && W.lines[0].account != 0;
  const char c = single ? GetAcctClass(W.lines[0].account) : ' ';
  const bool passbookOk = single && (c == 'I' || c == 'E' || c == 'R');
  if (!passbookOk) {
    CheckDlgButton(IDC_TRN_PBCHECK, BST_UNCHECKED);
    if (!IsMulti() && W.lines[0].split) {
      W.lines[0].split = 0;
      ResetSplitBuffers(&W.splits[0], W.shares[0]);
    }
  }
  const bool members = GetPassbookMemberTotal() > 0;
  for (int id : {IDC_TRN_PBCHECK, IDC_TRN_PBSPLIT})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(passbookOk && members);
  const bool reserveOk = single && (c == 'I' || c == 'E');
  if (!reserveOk) ComboSelectPrefix(Item(IDC_TRN_RESERVE), nullptr);
  for (int id : {IDC_TRN_RESERVE, IDC_TRN_RESERVE_LABEL})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(reserveOk);
  if (CWnd* w = GetDlgItem(IDC_TRN_ADDRESERVE)) w->EnableWindow(reserveOk && AccountSlotFree());
  if (CWnd* w = GetDlgItem(IDC_TRN_ADDSUPPORT)) w->EnableWindow(AccountSlotFree());
  if (CWnd* w = GetDlgItem(IDC_TRN_LIST)) w->EnableWindow(!m_bChanged);
  const bool post = m_bChanged && (m_nRow >= 0 || TransTable.freeCount > 0);
  if (CWnd* w = GetDlgItem(IDC_TRN_POST)) w->EnableWindow(post);
  if (m_bChanged) ::SendMessage(GetSafeHwnd(), DM_SETDEFID, IDC_TRN_POST, 0);
  if (CWnd* w = GetDlgItem(IDC_TRN_TYPE)) w->EnableWindow(m_cClass != 'S');
  EnableListButtons();
}

void CTransDlg::EnableListButtons() {
  const bool on = !m_bChanged && SelectedIsTransaction();
  for (int id : {IDC_TRN_EDIT, IDC_TRN_DELETE})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(on);
}

BOOL CTransDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_TRANSFORM))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (!m_loading) {
    switch (id) {
      case IDC_TRN_AMOUNT:
        if (code == EN_CHANGE) MarkChanged();
        if (code == EN_KILLFOCUS) OnAmountKillFocus();
        break;
      case IDC_TRN_DATE:
        if (code == EN_CHANGE) OnDateChange();
        break;
      case IDC_TRN_NUMBER:
        if (code == EN_CHANGE) OnNumberChange();
        break;
      case IDC_TRN_REMARKS:
        if (code == EN_CHANGE) MarkChanged();
        break;
      case IDC_TRN_DESCR:
        if (code == CBN_KILLFOCUS) OnDescriptionKillFocus();
        if (code == CBN_EDITUPDATE || code == CBN_EDITCHANGE || code == CBN_SELCHANGE) MarkChanged();
        break;
      case IDC_TRN_TYPE:
        if (code == CBN_KILLFOCUS) OnTypeKillFocus();
        if (code == CBN_SELCHANGE) MarkChanged();
        break;
      case IDC_TRN_MONTH:
        if (code == CBN_SELCHANGE) MarkChanged();
        break;
      case IDC_TRN_SUPPORT:
        if (code == CBN_SELCHANGE) OnSupportAccount();
        break;
      case IDC_TRN_RESERVE:
        if (code == CBN_SELCHANGE) OnReserveAccount();
        break;
      case IDC_TRN_CLEAR:
        if (code == BN_CLICKED) MarkChanged();
        break;
      default:
        break;
    }
  }
  if (code == BN_CLICKED) {
    CWnd* button = GetDlgItem(id);
    if (button && !button->IsWindowEnabled() && id != IDCANCEL) return TRUE;
    switch (id) {
      case IDC_TRN_RESET: OnReset(); return TRUE;
      case IDC_TRN_DELETE: OnDelete(); return TRUE;
      case IDC_TRN_EDIT: OnEdit(); return TRUE;
      case IDC_TRN_PBSPLIT: OnPassbookSplit(); return TRUE;
      case IDC_TRN_POST: PostTrans(); return TRUE;
      case IDC_TRN_SPLIT: OnSplit(); return TRUE;
      case IDC_TRN_PBCHECK: OnPassbookCheck(); return TRUE;
      case IDC_TRN_ADDSUPPORT: CreateAccount(true); return TRUE;
      case IDC_TRN_ADDRESERVE: CreateAccount(false); return TRUE;
      case IDC_TRN_PRINT: PrintAccountRegister(m_account.number, '1'); return TRUE;
      default: break;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CTransDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
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

void CTransDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  ResizeForm(this, m_size, IDC_TRN_LIST, {IDC_TRN_EDIT, IDC_TRN_DELETE, IDC_TRN_PRINT, IDCANCEL, IDC_SHELL_HELP});
}

void RunTransactionForm(const AccountRecord& account) {
  CTransDlg dlg;
  dlg.m_account = account;
  dlg.DoModal();
}
