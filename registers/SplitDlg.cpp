#include "registers/SplitDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/DialogHelp.h"
#include "common/OptWarnDlg.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/Trace.h"
#include "common/UnitVocab.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/ScrollRows.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/Queries.h"
#include "store/RecIO.h"

namespace {

const int kBalanceIds[CSplitDlg::kRows] = {IDC_PBS_BAL0, IDC_PBS_BAL1, IDC_PBS_BAL2, IDC_PBS_BAL3,
                                           IDC_PBS_BAL4, IDC_PBS_BAL5, IDC_PBS_BAL6, IDC_PBS_BAL7};

const char kNonStandardWarning[] =
    "You have activated the non-standard column.\n\n"
    "The program initially activates the appropriate column based on "
    "the account register being updated and the transaction type.  "
    "You should only use both columns when contributions to a transaction "
    "involve both cash and funds from the passbook account.\n\n"
    "Please read the online help for more details.";

constexpr DWORD kNonStandardHelp = 131311;

bool InRange(int id, int first) { return id >= first && id < first + CSplitDlg::kRows; }

// Units are shown with one decimal: the cents form without its last digit.
CString UnitsText(long units) {
  CString text = FormatCents(units);
  if (text.GetLength() > 0) text = text.Left(text.GetLength() - 1);
  return text;
}

}  // namespace

CSplitDlg::CSplitDlg(CWnd* parent) : CDialog(IDD_PASSBOOKSPLIT, parent) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "OPTWARN");
  m_bCarryBack = GetSettingFlag(s, 'C', 0) ? 1 : 0;
  if (s) CloseSettingsSection(s);
}

bool AnyPassbookShare(const SubAccountRecord* shares) {
  for (int i = 0; i < kMemberSlots; ++i)
    if (shares[i].cash != 0 || shares[i].accountAmount != 0) return true;
  return false;
}

long CSplitDlg::ComputeShare(long perUnit, long increment, long units) {
  long long x = static_cast<long long>(units) * perUnit;
  x += x > 0 ? 50 : -50;
  TheTraceLog().Write("Earn/Min/Max: %lld/%ld/%ld", x, -99999L, 999999L);
  x = std::clamp(x, -9999900LL, 99999900LL);
  TheTraceLog().Write("\t\t\t%lld", x);
  const long long step = (increment == 0 ? 1LL : static_cast<long long>(increment)) * 100;
  x -= x % step;
  return static_cast<long>(x / 100);
}

bool CSplitDlg::HolderActive(int holder) const {
  const int row = m_holders[static_cast<size_t>(holder)].row;
  return row >= 0 && row < MemberTable.rowCount && MemberTable.keys[static_cast<size_t>(row)].status == kStatusLive;
}

long CSplitDlg::SignedShare(const SubAccountRecord& s) const {
  return static_cast<long>(SignedAmount(m_nSupportAccount, 0, m_nSplitFactor, s.cash, s.accountAmount) *
                           m_nSplitFactor);
}

BOOL CSplitDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_nSplitFactor = static_cast<int>(ApplyAcctLetterSign(GetAcctClass(m_nTransAccount), m_nFactor));
  if (m_pSplit) m_pSplit->factor = m_nSplitFactor;

  // Every live passbook holder, scouts, adults and subunits, by name.
  m_holders.clear();
  const int indexed = std::min(MemberTable.rowCount, static_cast<int>(MemberTable.byTypeName.size()));
  for (int pos = 0; pos < indexed; ++pos) {
    const int row = MemberTable.byTypeName[static_cast<size_t>(pos)];
    if (row < 0 || row >= MemberTable.rowCount || row >= kMemberSlots) continue;
    const MemberKey& k = MemberTable.keys[static_cast<size_t>(row)];
    if (k.status == kStatusDeleted || !k.passbook) continue;
    Holder h;
    h.row = row;
    MemberRow member{};
    if (ReadMemberRecord(MemberFile, &member, 4, 1, row)) h.current = h.projected = member.currentBalance;
    h.contribution = SignedShare(m_pShares[row]);
    m_holders.push_back(h);
  }

  if (CWnd* title = GetDlgItem(IDC_TRN_TITLE)) SetLargeFont(title->GetSafeHwnd());
  int pos = -1;
  char caption[96] = "Passbook Split";
  if (FindAcctIndex(m_nSupportAccount, &pos) && pos >= 0 && pos < static_cast<int>(AcctTable.byNumber.size())) {
    const AcctKey& k = AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[static_cast<size_t>(pos)])];
    std::snprintf(caption, sizeof caption, "PassBook Split  (%d / %s)", m_nSupportAccount, k.name);
  }
  SetWindowText(caption);

  HWND bar = ::GetDlgItem(GetSafeHwnd(), IDC_PBS_SCROLL);
  ::SetScrollRange(bar, SB_CTL, 0, std::max(HolderCount() - 1, 0), TRUE);
  ::SetScrollPos(bar, SB_CTL, 0, TRUE);
  for (int i = 0; i < kRows; ++i) {
    m_units[i].SubclassDlgItem(IDC_PBS_UNITS0 + i, this);
    m_units[i].SetFormat(CAmountEdit::kDecimals, "-999.99", "9999.99", 2);
    m_cash[i].SubclassDlgItem(IDC_PBS_CASH0 + i, this);
    m_cash[i].SetFormat(CAmountEdit::kDollars, "-999.99", "9999.99", 2);
    m_account[i].SubclassDlgItem(IDC_PBS_ACCT0 + i, this);
    m_account[i].SetFormat(CAmountEdit::kDollars, "-999.99", "9999.99", 2);
    for (CAmountEdit* e : {&m_units[i], &m_cash[i], &m_account[i]}) e->SetLimitText(7);
    m_units[i].SetChangeFlag(&m_unitsTyped[i]);
    m_cash[i].SetChangeFlag(&m_bChanged);
    m_account[i].SetChangeFlag(&m_bChanged);
  }
  m_rate.SubclassDlgItem(IDC_PBS_RATE, this);
  m_rate.SetFormat(CAmountEdit::kDollars, "-9.99", "99.99", 2);
  m_rate.SetLimitText(5);
  m_rate.SetChangeFlag(&m_bChanged);
  m_increment.SubclassDlgItem(IDC_PBS_INCR, this);
  m_increment.SetFormat(CAmountEdit::kDollars, "0.00", "99.99", 2);
  m_increment.SetLimitText(5);
  m_increment.SetChangeFlag(&m_bChanged);
  char label[64];
  std::snprintf(label, sizeof label, "%s's Share:", UnitNoun);
  SetDlgItemText(IDC_PBS_UNIT_LABEL, label);

  m_bCashStandard = (m_nFactor == 1 && m_nTransAccount != kReserveAllocationAccount) ? 1 : 0;
  // The three headings' ids are not in order: each is set on its own.
  CheckDlgButton(IDC_PBS_UNITS_RADIO, BST_UNCHECKED);
  CheckDlgButton(IDC_PBS_CASH_RADIO, m_bCashStandard ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_PBS_ACCOUNT_RADIO, m_bCashStandard ? BST_UNCHECKED : BST_CHECKED);
  m_bWarned = 1;  // the first choice is the program's, not the user's
  OnColumnChoice();
  m_bWarned = 0;
  ShowRows(0);
  UpdateTotals();
  m_bChanged = 0;
  CenterWindow();
  return TRUE;
}

void CSplitDlg::OnColumnChoice() {
  const int mode = IsDlgButtonChecked(IDC_PBS_UNITS_RADIO) ? 0 : IsDlgButtonChecked(IDC_PBS_CASH_RADIO) ? 1 : 2;
  m_nMode = mode;
  const bool nonStandard = (mode == 2 && m_bCashStandard) || (mode == 1 && !m_bCashStandard);
  if (nonStandard && !m_bWarned) {
    m_bWarned = 1;
    COptWarnDlg warn(this, 'A', kNonStandardWarning, kNonStandardHelp);
    warn.DoModal();
  }
  EnableRows();
}

void CSplitDlg::ShowRows(int position) {
  m_filling = true;
  const int count = HolderCount();
  for (int i = 0; i < kRows; ++i) {
    const int holder = position + i;
    const bool shown = holder < count;
    CWnd* name = GetDlgItem(IDC_PBS_NAME0 + i);
    CWnd* balance = GetDlgItem(kBalanceIds[i]);
    if (shown) {
      const Holder& h = m_holders[static_cast<size_t>(holder)];
      const SubAccountRecord& s = m_pShares[h.row];
      char text[80] = "";
      FormatPersonName("", 1, MemberTable.keys[static_cast<size_t>(h.row)], "", text);
      if (name) name->SetWindowText(text);
      if (balance) balance->SetWindowText(FormatDollars(h.projected, 0));
      m_units[i].LoadValue(s.units ? UnitsText(s.units) : CString());
      m_cash[i].LoadValue(s.cash ? CString(FormatCents(s.cash)) : CString());
      m_account[i].LoadValue(s.accountAmount ? CString(FormatCents(s.accountAmount)) : CString());
    }
    for (CWnd* w : {name, balance, static_cast<CWnd*>(&m_units[i]), static_cast<CWnd*>(&m_cash[i]),
                    static_cast<CWnd*>(&m_account[i])})
      if (w) w->ShowWindow(shown ? SW_SHOW : SW_HIDE);
  }
  m_nPos = position;
  ::SetScrollPos(::GetDlgItem(GetSafeHwnd(), IDC_PBS_SCROLL), SB_CTL, position, TRUE);
  if (m_pSplit) {
    m_rate.LoadValue(FormatCents(m_pSplit->amountPerUnit));
    m_increment.LoadValue(FormatCents(m_pSplit->rounding));
  }
  m_filling = false;
  EnableRows();
}

void CSplitDlg::EnableRows() {
  if (CWnd* cash = GetDlgItem(IDC_PBS_CASH_RADIO))
    cash->EnableWindow(m_nTransAccount == kReserveAllocationAccount ? FALSE : TRUE);
  for (int i = 0; i < kRows; ++i) {
    const int holder = m_nPos + i;
    if (holder >= HolderCount()) break;
    const bool active = HolderActive(holder);
    if (CWnd* name = GetDlgItem(IDC_PBS_NAME0 + i)) name->EnableWindow(active);
    m_units[i].EnableWindow(active && m_nMode == 0);
    m_cash[i].EnableWindow(active && m_nMode == 1);
    m_account[i].EnableWindow(active && m_nMode == 2);
  }
  for (int id : {IDC_PBS_RATE, IDC_PBS_RATE_LABEL, IDC_PBS_INCR, IDC_PBS_INCR_LABEL})
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(m_nMode == 0);
}

long CSplitDlg::PassbooksTotal() const {
  long total = 0;
  for (const Holder& h : m_holders) total += StandardValue(m_pShares[h.row]);
  return total;
}

void CSplitDlg::UpdateTotals() {
  const bool reserveSupport = GetAcctClass(m_nSupportAccount) == 'R';
  for (int i = 0; i < HolderCount(); ++i) {
    if (!HolderActive(i) || reserveSupport) continue;
    Holder& h = m_holders[static_cast<size_t>(i)];
    h.projected = h.current - h.contribution + SignedShare(m_pShares[h.row]);
  }
  for (int i = 0; i < kRows && m_nPos + i < HolderCount(); ++i)
    SetDlgItemText(kBalanceIds[i], FormatDollars(m_holders[static_cast<size_t>(m_nPos + i)].projected, 0));
  const long amount = m_pAmount ? *m_pAmount : 0;
  const long total = PassbooksTotal();
  if (m_pSplit) m_pSplit->unitShare = amount - total;
  SetDlgItemText(IDC_PBS_TRANS, FormatDollars(amount, 0));
  SetDlgItemText(IDC_PBS_TOTAL, FormatDollars(total, 0));
  SetDlgItemText(IDC_PBS_UNIT, FormatDollars(amount - total, 0));
}

void CSplitDlg::RecomputeShares() {
  if (!m_pSplit) return;
  for (int i = 0; i < HolderCount(); ++i) {
    SubAccountRecord& s = ShareOf(i);
    if (!HolderActive(i) || s.units == 0) continue;
    SetStandardValue(s, ComputeShare(m_pSplit->amountPerUnit, m_pSplit->rounding, s.units));
  }
  ShowRows(m_nPos);
  UpdateTotals();
}

void CSplitDlg::OnRowFocus(int id) {
  int row = -1;
  for (int first : {IDC_PBS_UNITS0, IDC_PBS_CASH0, IDC_PBS_ACCT0})
    if (InRange(id, first)) row = id - first;
  m_nFocusRow = row;
  m_nFocusPos = m_nPos + row;
  if (row >= 0) m_unitsTyped[row] = 0;
}

void CSplitDlg::OnRowLeft(int id) {
  if (m_nFocusRow < 0 || m_nFocusPos >= HolderCount()) return;
  const int row = m_nFocusRow;
  CAmountEdit& edit = InRange(id, IDC_PBS_UNITS0) ? m_units[row] : InRange(id, IDC_PBS_CASH0) ? m_cash[row] : m_account[row];
  CString text;
  edit.GetText(text);
  SubAccountRecord& s = ShareOf(m_nFocusPos);
  m_nFocusRow = -1;
  if (InRange(id, IDC_PBS_UNITS0)) {
    if (!m_unitsTyped[row]) {
      UpdateTotals();
      return;
    }
    m_unitsTyped[row] = 0;
    m_bChanged = 1;
    s.units = static_cast<LONG>(ParseDollars(text));
    if (!text.IsEmpty() && m_pSplit) {
      const long share = ComputeShare(m_pSplit->amountPerUnit, m_pSplit->rounding, s.units);
      SetStandardValue(s, share);
      CAmountEdit& shown = m_bCashStandard ? m_cash[row] : m_account[row];
      m_filling = true;
      shown.LoadValue(share ? CString(FormatCents(share)) : CString());
      m_filling = false;
    }
  } else if (InRange(id, IDC_PBS_CASH0)) {
    s.cash = static_cast<LONG>(ParseDollars(text));
  } else {
    s.accountAmount = static_cast<LONG>(ParseDollars(text));
  }
  UpdateTotals();
}

void CSplitDlg::OnSetAll() {
  if (m_nFocusRow < 0 || m_nFocusPos >= HolderCount()) return;
  CAmountEdit& edit = m_nMode == 0 ? m_units[m_nFocusRow] : m_nMode == 1 ? m_cash[m_nFocusRow] : m_account[m_nFocusRow];
  CString text;
  edit.GetText(text);
  const char* raw = text;
  char value[48], question[96];
  if (m_nMode == 0) {
    std::snprintf(value, sizeof value, "%.1f", std::atof(raw));
    std::snprintf(question, sizeof question, "Set all units to %s", value);
  } else {
    std::snprintf(value, sizeof value, "%.2f", std::atof(raw));
    std::snprintf(question, sizeof question, "Set all %s amounts to $%s", m_nMode == 1 ? "cash" : "account", value);
  }
  if (AskQuestion(question, ANSWER_YES, 0) == ANSWER_YES) {
    const LONG v = static_cast<LONG>(ParseDollars(value));
    bool any = false;
    for (int i = 0; i < HolderCount(); ++i) {
      if (!HolderActive(i)) continue;
      SubAccountRecord& s = ShareOf(i);
      (m_nMode == 0 ? s.units : m_nMode == 1 ? s.cash : s.accountAmount) = v;
      any = true;
    }
    if (any) {
      m_bChanged = 1;
      if (m_nMode == 0)
        RecomputeShares();
      else
        UpdateTotals();
    }
  }
  // What the focused field held is now stored; leaving it changes nothing.
  m_nFocusRow = -1;
  ShowRows(m_nPos);
}

void CSplitDlg::ScrollTo(int position) {
  position = std::clamp(position, 0, std::max(HolderCount() - 1, 0));
  if (position == m_nPos) return;
  ::SetFocus(::GetDlgItem(GetSafeHwnd(), IDC_PBS_SCROLL));
  ShowRows(position);
}

void CSplitDlg::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  int target = m_nPos;
  if (ScrollRowTarget(code, pos, m_nPos, kRows, HolderCount() - 1, &target))
    ScrollTo(target);
  else
    CDialog::OnVScroll(code, pos, bar);
}

BOOL CSplitDlg::OnMouseWheel(UINT, short delta, CPoint) {
  ScrollTo(delta <= 0 ? m_nPos + 1 : m_nPos - 1);
  return TRUE;
}

BOOL CSplitDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_PASSBOOKSPLIT))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  const bool rowField = InRange(id, IDC_PBS_UNITS0) || InRange(id, IDC_PBS_CASH0) || InRange(id, IDC_PBS_ACCT0);
  if (rowField && !m_filling) {
    if (code == EN_SETFOCUS) OnRowFocus(id);
    if (code == EN_KILLFOCUS) OnRowLeft(id);
  }
  if ((id == IDC_PBS_RATE || id == IDC_PBS_INCR) && code == EN_KILLFOCUS && !m_filling && m_pSplit) {
    CString text;
    (id == IDC_PBS_RATE ? m_rate : m_increment).GetText(text);
    (id == IDC_PBS_RATE ? m_pSplit->amountPerUnit : m_pSplit->rounding) =
        static_cast<LONG>(ParseDollars(text.Left(7)));
    RecomputeShares();
  }
  if (code == BN_CLICKED) {
    if (id == IDC_PBS_UNITS_RADIO || id == IDC_PBS_CASH_RADIO || id == IDC_PBS_ACCOUNT_RADIO) {
      OnColumnChoice();
      return TRUE;
    }
    if (id == IDC_PBS_SETALL) {
      OnSetAll();
      return TRUE;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CSplitDlg::OnCancel() {
  // The field being edited gives up its value first.
  ::SetFocus(::GetDlgItem(GetSafeHwnd(), IDCANCEL));
  UpdateTotals();
  const long total = PassbooksTotal();
  long unitShare = (m_pAmount ? *m_pAmount : 0) - total;
  if (unitShare != 0) {
    if (m_nSupportAccount == kDuesAccount) {
      char question[300];
      std::snprintf(question, sizeof question,
                    "On a dues deposit (account #%d), the Passbooks' Share must match the Transaction amount."
                    "\n\nDo you want to change the dues Transaction amount to equal the Passbooks' Share total",
                    static_cast<int>(kDuesAccount));
      if (AskQuestion(question, ANSWER_NO, 0) != ANSWER_YES) return;
      unitShare = 0;
      if (m_pAmount) *m_pAmount = static_cast<LONG>(total);
      m_bChanged = 1;
    } else if (m_bCarryBack) {
      const int answer =
          AskQuestion("Do you want to carry the Passbooks' Share back as the new support total", ANSWER_YES,
                      ANSWER_CANCEL);
      if (answer == ANSWER_CANCEL) return;
      if (answer == ANSWER_YES) {
        unitShare = 0;
        if (m_pAmount) *m_pAmount = static_cast<LONG>(total);
        m_bChanged = 1;
      }
    }
  }
  if (m_pSplit) m_pSplit->unitShare = static_cast<LONG>(unitShare);
  EndDialog(m_bChanged ? IDOK : IDCANCEL);
}
