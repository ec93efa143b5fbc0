// "Participants": the passbook holders eight at a time, who takes part and
// with what initial amounts owed and paid.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/DialogHelp.h"
#include "common/OptWarnDlg.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "platform/controls/CtlScrollBar.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/ScrollRows.h"
#include "records/SchDlg.h"
#include "records/ScheduleParticipants.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/Queries.h"

CSchPart::CSchPart(CSchDlg* sheet) : CPropertyPage(IDD_SCHED_PART), m_sheet(sheet) {}

BOOL CSchPart::OnInitDialog() {
  m_loading = true;
  CPropertyPage::OnInitDialog();
  for (int r = 0; r < kRows; ++r) {
    for (CAmountEdit* e : {&m_owed[r], &m_paid[r]}) {
      e->SubclassDlgItem((e == &m_owed[r] ? IDC_SCH_OWED0 : IDC_SCH_PAID0) + r, this);
      e->SetFormat(CAmountEdit::kDollars, "-999.99", "9999.99", 2);
      e->LimitText(7);
      e->SetChangeFlag(&m_bChanged);
    }
  }
  if (CWnd* b = GetDlgItem(IDC_SCH_COPYALL)) b->EnableWindow(FALSE);
  m_owedRow = m_paidRow = -1;
  m_toggle = 0;
  m_loading = false;
  LoadRecord(0);
  return TRUE;
}

void CSchPart::LoadRecord(int first) {
  if (!GetSafeHwnd()) return;
  const int changed = m_bChanged;
  m_loading = true;
  for (int r = 0; r < kRows; ++r) {
    const int slot = first + r;
    const bool shown = slot < m_sheet->m_nHolders;
    CWnd* box = GetDlgItem(IDC_SCH_PART0 + r);
    CheckDlgButton(IDC_SCH_PART0 + r, BST_UNCHECKED);
    m_owed[r].LoadValue("");
    m_paid[r].LoadValue("");
    for (CWnd* w : {box, static_cast<CWnd*>(&m_owed[r]), static_cast<CWnd*>(&m_paid[r])})
      if (w) w->ShowWindow(shown ? SW_SHOW : SW_HIDE);
    if (!shown) continue;
    const ParticipantRecord& p = m_sheet->m_slots[slot];
    char name[64] = "";
    if (p.memberRow >= 0 && p.memberRow < MemberTable.rowCount)
      FormatPersonName("", 1, MemberTable.keys[static_cast<size_t>(p.memberRow)], "", name);
    if (box) box->SetWindowText(name);
    const bool taking = p.scheduleRow != -1;
    if (taking) {
      CheckDlgButton(IDC_SCH_PART0 + r, BST_CHECKED);
      m_owed[r].LoadValue(FormatCents(p.initialOwed));
      m_paid[r].LoadValue(FormatCents(p.initialPaid));
    }
    // A member who has left can be neither ticked nor cleared.
    const bool active = HolderIsActive(p);
    if (box) box->EnableWindow(active);
    m_owed[r].EnableWindow(active && taking);
    m_paid[r].EnableWindow(active && taking);
  }
  m_first = first;
  // The holders are known once the sheet has loaded.
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, m_sheet->m_nHolders - 1);
  si.nPos = first;
  SendDlgItemMessage(IDC_SCH_SCROLL, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
  m_loading = false;
  m_bChanged = changed;
}

void CSchPart::StoreRows() {
  if (!GetSafeHwnd() || (m_owedRow < 0 && m_paidRow < 0)) return;
  const bool owed = m_owedRow >= 0;
  for (int r = 0; r < kRows; ++r) {
    const int slot = m_first + r;
    if (slot >= m_sheet->m_nHolders) break;
    CString text;
    (owed ? m_owed[r] : m_paid[r]).GetText(text);
    ParticipantRecord& p = m_sheet->m_slots[slot];
    if (p.scheduleRow == -1) continue;
    (owed ? p.initialOwed : p.initialPaid) = ParseDollars(text);
  }
}

void CSchPart::ScrollTo(int first) {
  first = std::max(0, std::min(first, m_sheet->m_nHolders - 1));
  if (first < 0 || first == m_first) return;
  StoreRows();
  if (CWnd* bar = GetDlgItem(IDC_SCH_SCROLL)) SetFocusHwnd(bar->GetSafeHwnd());
  LoadRecord(first);
}

void CSchPart::OnVScroll(UINT code, UINT pos, CScrollBar* /*bar*/) {
  int target = 0;
  if (ScrollRowTarget(code, pos, m_first, kRows, m_sheet->m_nHolders - 1, &target)) ScrollTo(target);
}

BOOL CSchPart::OnMouseWheel(UINT /*flags*/, short delta, CPoint /*point*/) {
  OnVScroll(delta <= 0 ? SB_LINEDOWN : SB_LINEUP, 0, nullptr);
  return TRUE;
}

void CSchPart::OnTick(int row) {
  const int slot = m_first + row;
  if (slot >= m_sheet->m_nHolders) return;
  m_bChanged = 1;
  ParticipantRecord& p = m_sheet->m_slots[slot];
  const bool ticked = IsDlgButtonChecked(IDC_SCH_PART0 + row) == BST_CHECKED;
  m_loading = true;
  if (ticked) {
    // The store writes the schedule's real row when it saves.
    p.scheduleRow = 0;
    m_owed[row].EnableWindow(TRUE);
    m_paid[row].EnableWindow(TRUE);
    m_owed[row].LoadValue(FormatCents(0));
    m_paid[row].LoadValue(FormatCents(0));
  } else {
    p.scheduleRow = -1;
    p.initialOwed = p.initialPaid = 0;
    m_owed[row].LoadValue("");
    m_paid[row].LoadValue("");
    m_owed[row].EnableWindow(FALSE);
    m_paid[row].EnableWindow(FALSE);
  }
  m_loading = false;
  m_sheet->RefreshTabCaptions();
}

void CSchPart::OnHolders() {
  StoreRows();
  m_toggle = m_toggle ? 0 : 1;
  m_bChanged = 1;
  SetHoldersTakingPart(m_sheet->m_slots, m_sheet->m_nHolders, m_toggle);
  LoadRecord(m_first);
  m_sheet->RefreshTabCaptions();
}

void CSchPart::OnCopyAll() {
  const bool owed = m_owedRow >= 0;
  const int row = owed ? m_owedRow : m_paidRow;
  if (row < 0) return;
  StoreRows();
  CString text;
  (owed ? m_owed[row] : m_paid[row]).GetText(text);
  char shown[32], question[64];
  std::snprintf(shown, sizeof shown, "%.2f", std::atof(text));
  std::snprintf(question, sizeof question, "Set all amounts to $%s", shown);
  if (AskQuestion(question, ANSWER_YES, 0) == ANSWER_YES) {
    const long amount = ParseDollars(text);
    for (int i = 0; i < m_sheet->m_nHolders; ++i) {
      ParticipantRecord& p = m_sheet->m_slots[i];
      if (p.scheduleRow != -1) (owed ? p.initialOwed : p.initialPaid) = amount;
    }
    m_bChanged = 1;
  }
  LoadRecord(m_first);
}

// The first real change of an Initial Owed explains the field once per
// opening of the sheet, unless the user has turned the explanation off.
void CSchPart::OnOwedChange(int row) {
  if (row != m_owedRow || !m_explain) return;
  CString now;
  m_owed[row].GetText(now);
  if (CString(FormatCents(ParseDollars(now))) == CString(FormatCents(ParseDollars(m_owedAtFocus)))) return;
  m_explain = 0;
  char text[700];
  std::snprintf(text, sizeof text,
                "The \"Initial Owed\" field of this dialog is used to identify the amount the participant initially "
                "owes for the scheduled account.  For example, if a scout has joined the %s part way through a dues "
                "period, you may elect to pro-rate what the scout owes in dues prior to the next scheduled dues "
                "payment.  You would enter that amount here.\n\nPlease read the online help for more details.",
                UnitWord);
  COptWarnDlg warning(this, 'B', text, DialogHelpContext(IDD_SCHED_PART));
  warning.DoModal();
  // Typing goes on where it was.
  SetFocusHwnd(m_owed[row].GetSafeHwnd());
}

BOOL CSchPart::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id >= IDC_SCH_PART0 && id < IDC_SCH_PART0 + kRows && code == BN_CLICKED) {
    if (!m_loading) OnTick(id - IDC_SCH_PART0);
    return TRUE;
  }
  const bool owed = id >= IDC_SCH_OWED0 && id < IDC_SCH_OWED0 + kRows;
  const bool paid = id >= IDC_SCH_PAID0 && id < IDC_SCH_PAID0 + kRows;
  if (owed || paid) {
    const int row = id - (owed ? IDC_SCH_OWED0 : IDC_SCH_PAID0);
    if (code == EN_SETFOCUS) {
      (owed ? m_owedRow : m_paidRow) = row;
      if (owed) m_owed[row].GetText(m_owedAtFocus);
      if (CWnd* b = GetDlgItem(IDC_SCH_COPYALL)) b->EnableWindow(TRUE);
    } else if (code == EN_KILLFOCUS) {
      if (!m_loading) StoreRows();
      m_owedRow = m_paidRow = -1;
      if (CWnd* b = GetDlgItem(IDC_SCH_COPYALL)) b->EnableWindow(FALSE);
    } else if (code == EN_CHANGE && owed && !m_loading) {
      OnOwedChange(row);
    }
  }
  if (id == IDC_SCH_HOLDERS && code == BN_CLICKED) {
    OnHolders();
    return TRUE;
  }
  if (id == IDC_SCH_COPYALL && code == BN_CLICKED) {
    OnCopyAll();
    return TRUE;
  }
  return CPropertyPage::OnCommand(wParam, lParam);
}

int CSchPart::Validate() {
  StoreRows();
  char message[512] = "";
  int slot = -1;
  if (CountTakingPart(m_sheet->m_slots, m_sheet->m_nHolders) == 0) {
    std::snprintf(message, sizeof message, "Participants:  You must identify participants in the schedule");
  } else {
    slot = FindParticipantConflict(m_sheet->m_edited, m_sheet->EditedRow(), m_sheet->m_slots, m_sheet->m_nHolders,
                                   message, sizeof message);
    if (slot == -2) return 0;
    if (slot == -1) return 1;
  }
  m_sheet->ShowPage(this);
  if (slot >= 0) {
    LoadRecord(slot / kRows * kRows);
    if (CWnd* box = GetDlgItem(IDC_SCH_PART0 + slot % kRows)) SetFocusHwnd(box->GetSafeHwnd());
  }
  DispMessage(message, MSG_WARNING);
  return 0;
}
