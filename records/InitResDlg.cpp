#include "records/InitResDlg.h"

#include <cstdlib>

#include "common/DialogHelp.h"
#include "common/UnitIcon.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "platform/controls/CtlScrollBar.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "records/CancelQuestion.h"
#include "records/LogDump.h"
#include "records/ScrollRows.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/Queries.h"
#include "store/RecIO.h"

CInitResDlg::CInitResDlg(CWnd* parent) : CDialog(IDD_INITRES, parent) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "OPTWARN");
  m_carryBack = GetSettingFlag(s, 'C', 0) != 0;
  if (s) CloseSettingsSection(s);
}

BOOL CInitResDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ShowUnitIcon(this, IDC_INIT_ICON);
  if (CWnd* title = GetDlgItem(IDC_REC_TITLE)) SetLargeFont(title->GetSafeHwnd());
  for (int i = 0; i < kRows; ++i) {
    m_amounts[i].SubclassDlgItem(IDC_INIT_AMOUNT0 + i, this);
    m_amounts[i].SetFormat(CAmountEdit::kDecimals, "-999.99", "9999.99", 2);
    m_amounts[i].SetLimitText(7);
    m_amounts[i].SetChangeFlag(&m_bChanged);
  }
  char label[64];
  std::snprintf(label, sizeof label, "%s's Share:", UnitNoun);
  SetDlgItemText(IDC_INIT_UNIT_LABEL, label);
  HWND bar = ::GetDlgItem(GetSafeHwnd(), IDC_INIT_SCROLL);
  ::SetScrollRange(bar, SB_CTL, 0, HolderCount() > 0 ? HolderCount() - 1 : 0, TRUE);
  ::SetScrollPos(bar, SB_CTL, 0, TRUE);
  ShowTotals();
  CenterWindow();
  FillRows(0);
  if (CWnd* copy = GetDlgItem(IDC_REC_COPYALL)) copy->EnableWindow(FALSE);
  m_bChanged = 0;
  return TRUE;
}

bool CInitResDlg::HolderEditable(int holder) const {
  const int row = m_pHolders[holder];
  return row >= 0 && row < MemberTable.rowCount && MemberTable.keys[static_cast<size_t>(row)].status == 0;
}

long CInitResDlg::PassbookTotal() const {
  long total = 0;
  for (int i = 0; i < HolderCount() && i < kMemberSlots; ++i) total += m_shares[i];
  return total;
}

void CInitResDlg::ShowTotals() {
  const long opening = m_pOpening ? *m_pOpening : 0;
  const long passbooks = PassbookTotal();
  SetDlgItemText(IDC_INIT_RESERVE, FormatDollars(opening, 0));
  SetDlgItemText(IDC_INIT_PASSBOOKS, FormatDollars(passbooks, 0));
  SetDlgItemText(IDC_INIT_UNIT, FormatDollars(opening - passbooks, 0));
}

void CInitResDlg::FillRows(int position) {
  m_filling = true;
  const int count = HolderCount();
  for (int i = 0; i < kRows; ++i) {
    const int holder = position + i;
    const bool shown = holder < count && holder < kMemberSlots;
    CWnd* name = GetDlgItem(IDC_INIT_NAME0 + i);
    if (shown) {
      char text[80] = "";
      const int row = m_pHolders[holder];
      if (row >= 0 && row < MemberTable.rowCount)
        FormatPersonName("", 1, MemberTable.keys[static_cast<size_t>(row)], "", text);
      if (name) name->SetWindowText(text);
      m_amounts[i].LoadValue(FormatCents(m_shares[holder]));
      const bool editable = HolderEditable(holder);
      m_amounts[i].EnableWindow(editable ? TRUE : FALSE);
      if (name) name->EnableWindow(editable ? TRUE : FALSE);
    }
    if (name) name->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    m_amounts[i].ShowWindow(shown ? SW_SHOW : SW_HIDE);
  }
  m_nPos = position;
  ::SetScrollPos(::GetDlgItem(GetSafeHwnd(), IDC_INIT_SCROLL), SB_CTL, position, TRUE);
  if (CWnd* log = GetDlgItem(IDC_REC_LOG)) {
    log->EnableWindow(FALSE);
    log->ShowWindow(SW_HIDE);
  }
  m_filling = false;
}

void CInitResDlg::StoreVisible() {
  const int count = HolderCount();
  for (int i = 0; i < kRows; ++i) {
    const int holder = m_nPos + i;
    if (holder >= count || holder >= kMemberSlots) break;
    CString text;
    m_amounts[i].GetText(text);
    m_shares[holder] = static_cast<int>(ParseDollars(text));
  }
  ShowTotals();
}

void CInitResDlg::ScrollTo(int position) {
  const int last = HolderCount() > 0 ? HolderCount() - 1 : 0;
  if (position < 0) position = 0;
  if (position > last) position = last;
  if (position == m_nPos) return;
  // The scroll bar takes the focus first, so that a field being edited
  // gives up its amount before the rows move.
  ::SetFocus(::GetDlgItem(GetSafeHwnd(), IDC_INIT_SCROLL));
  StoreVisible();
  FillRows(position);
}

void CInitResDlg::OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar) {
  int target = m_nPos;
  if (ScrollRowTarget(code, pos, m_nPos, kRows, HolderCount() - 1, &target))
    ScrollTo(target);
  else
    CDialog::OnVScroll(code, pos, scrollBar);
}

BOOL CInitResDlg::OnMouseWheel(UINT, short delta, CPoint) {
  // One line a notch: toward the user moves down.
  const int notches = delta / 120;
  if (notches != 0) ScrollTo(m_nPos - notches);
  return TRUE;
}

BOOL CInitResDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_INITRES))) return TRUE;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id >= IDC_INIT_AMOUNT0 && id < IDC_INIT_AMOUNT0 + kRows && !m_filling) {
    if (code == EN_SETFOCUS) {
      m_nFocusRow = id - IDC_INIT_AMOUNT0;
      if (CWnd* copy = GetDlgItem(IDC_REC_COPYALL)) copy->EnableWindow(TRUE);
    } else if (code == EN_KILLFOCUS) {
      StoreVisible();
      if (CWnd* copy = GetDlgItem(IDC_REC_COPYALL)) copy->EnableWindow(FALSE);
      m_nFocusRow = -1;
    }
  }
  if (code == BN_CLICKED && id == IDC_REC_COPYALL) {
    CopyToAll();
    return TRUE;
  }
  if (code == BN_CLICKED && id == IDC_REC_LOG) {
    RunLogDump("reslog.txt", "Reserves", WriteLog);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CInitResDlg::CopyToAll() {
  if (m_nFocusRow < 0) return;
  char raw[32] = "";
  ::GetWindowText(::GetDlgItem(GetSafeHwnd(), IDC_INIT_AMOUNT0 + m_nFocusRow), raw, sizeof raw);
  char amount[48];
  std::snprintf(amount, sizeof amount, "%.2f", std::atof(raw));
  char question[96];
  std::snprintf(question, sizeof question, "Set all amounts to $%s", amount);
  if (AskQuestion(question, ANSWER_YES, 0) == ANSWER_YES) {
    const int cents = static_cast<int>(ParseDollars(amount));
    bool any = false;
    for (int i = 0; i < HolderCount() && i < kMemberSlots; ++i) {
      if (!HolderEditable(i)) continue;
      m_shares[i] = cents;
      any = true;
    }
    if (any) {
      m_bChanged = 1;
      ShowTotals();
    }
  }
  FillRows(m_nPos);
}

void CInitResDlg::OnOK() {
  StoreVisible();
  const long passbooks = PassbookTotal();
  const long opening = m_pOpening ? *m_pOpening : 0;
  if (opening - passbooks != 0 && m_carryBack) {
    const int answer = AskQuestion("Carry passbooks' total back as opening balance", ANSWER_YES, ANSWER_CANCEL);
    if (answer == ANSWER_CANCEL) return;
    if (answer == ANSWER_YES && m_pOpening) {
      *m_pOpening = static_cast<int>(passbooks);
      // The owner's opening balance changed: its Cancel must ask.
      m_bChanged = 1;
    }
  }
  if (m_pSharesOut)
    for (int i = 0; i < kMemberSlots; ++i) m_pSharesOut[i] = m_shares[i];
  if (m_bChanged && m_pOwnerChanged) *m_pOwnerChanged = 1;
  EndDialog(IDOK);
}

void CInitResDlg::OnCancel() {
  CancelAskingToSave(*this, m_bChanged != 0, "Do you wish to save your changes", [this] { OnOK(); });
}

void CInitResDlg::WriteLog(FILE* out) {
  LogLine(out, "Row  MemID  AcctID    OpenBal");
  if (!HasReserveAccounts() || !OpenReserveFile()) return;
  ReserveRecord rec;
  for (int row = 0; ReadRecord(ReserveFile, rec, row) == 1; ++row)
    LogLine(out, "%4d %5d  %5d  %9ld", row, static_cast<int>(rec.memberRow), static_cast<int>(rec.account),
            static_cast<long>(rec.amount));
  CloseReserveFile();
}
