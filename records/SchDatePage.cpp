// "Dates": twelve of the sixty due dates at a time over a scroll bar.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Money.h"
#include "common/Question.h"
#include "platform/controls/CtlScrollBar.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/FieldChange.h"
#include "records/ScrollRows.h"
#include "records/SchDlg.h"
#include "records/ScheduleDates.h"
#include "res/resource.h"

CSchDate::CSchDate(CSchDlg* sheet) : CPropertyPage(IDD_SCHED_DATES), m_sheet(sheet) {}

BOOL CSchDate::OnInitDialog() {
  m_loading = true;
  CPropertyPage::OnInitDialog();
  for (int r = 0; r < kRows; ++r) {
    m_date[r].SubclassEdit(IDC_SCH_DATE0 + r, this, CString(), 0);
    m_amount[r].SubclassDlgItem(IDC_SCH_AMOUNT0 + r, this);
    m_amount[r].SetFormat(CAmountEdit::kDollars, "-999.99", "9999.99", 2);
    m_amount[r].LimitText(7);
    m_amount[r].SetChangeFlag(&m_bChanged);
  }
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_POS;
  si.nMin = 0;
  si.nMax = kDueDateSlots - 1;
  SendDlgItemMessage(IDC_SCH_SCROLL, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si));
  if (CWnd* b = GetDlgItem(IDC_SCH_COPYALL)) b->EnableWindow(FALSE);
  m_focusRow = -1;
  m_loading = false;
  LoadRecord(0);
  return TRUE;
}

void CSchDate::LoadRecord(int first) {
  if (!GetSafeHwnd()) return;
  const int changed = m_bChanged;
  m_loading = true;
  m_sheet->m_bHasDates = 0;
  const ScheduleRecord& rec = m_sheet->m_edited;
  for (int r = 0; r < kRows; ++r) {
    const int slot = first + r;
    if (slot < kDueDateSlots && rec.dueDates[slot][0]) {
      char date[12];
      std::snprintf(date, sizeof date, "%.8s", rec.dueDates[slot]);
      m_date[r].LoadValue(date);
      m_amount[r].LoadValue(FormatCents(rec.amounts[slot]));
      m_sheet->m_bHasDates = 1;
    } else {
      m_date[r].LoadValue("");
      m_amount[r].LoadValue("");
    }
  }
  m_first = first;
  SendDlgItemMessage(IDC_SCH_SCROLL, SBM_SETPOS, static_cast<WPARAM>(first), TRUE);
  m_loading = false;
  m_bChanged = changed;
}

void CSchDate::StoreRows() {
  if (!GetSafeHwnd()) return;
  ScheduleRecord& rec = m_sheet->m_edited;
  for (int r = 0; r < kRows; ++r) {
    const int slot = m_first + r;
    if (slot >= kDueDateSlots) break;
    CString date, amount;
    m_date[r].SaveValue(date);
    m_amount[r].GetText(amount);
    std::snprintf(rec.dueDates[slot], sizeof rec.dueDates[slot], "%.8s", static_cast<const char*>(date));
    rec.amounts[slot] = ParseDollars(amount);
  }
  m_sheet->RefreshTabCaptions();
}

void CSchDate::ScrollTo(int first) {
  first = std::max(0, std::min(first, kDueDateSlots - 1));
  if (first == m_first) return;
  // No row edit keeps the focus while the rows change under it.
  if (CWnd* bar = GetDlgItem(IDC_SCH_SCROLL)) SetFocusHwnd(bar->GetSafeHwnd());
  StoreRows();
  LoadRecord(first);
}

void CSchDate::OnVScroll(UINT code, UINT pos, CScrollBar* /*bar*/) {
  int target = 0;
  if (ScrollRowTarget(code, pos, m_first, kRows, kDueDateSlots - 1, &target)) ScrollTo(target);
}

BOOL CSchDate::OnMouseWheel(UINT /*flags*/, short delta, CPoint /*point*/) {
  OnVScroll(delta <= 0 ? SB_LINEDOWN : SB_LINEUP, 0, nullptr);
  return TRUE;
}

BOOL CSchDate::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id >= IDC_SCH_DATE0 && id < IDC_SCH_DATE0 + kRows) {
    // A date rewritten in its short form on leaving is no change.
    const int slot = m_first + id - IDC_SCH_DATE0;
    if (code == EN_CHANGE && !m_loading && slot < kDueDateSlots &&
        DateFieldDiffers(m_date[id - IDC_SCH_DATE0], CString(m_sheet->m_edited.dueDates[slot])))
      m_bChanged = 1;
    if (code == EN_KILLFOCUS && !m_loading) StoreRows();
  }
  if (id >= IDC_SCH_AMOUNT0 && id < IDC_SCH_AMOUNT0 + kRows) {
    if (code == EN_SETFOCUS) {
      m_focusRow = id - IDC_SCH_AMOUNT0;
      if (CWnd* b = GetDlgItem(IDC_SCH_COPYALL)) b->EnableWindow(TRUE);
    }
    if (code == EN_KILLFOCUS) {
      if (!m_loading) StoreRows();
      m_focusRow = -1;
      if (CWnd* b = GetDlgItem(IDC_SCH_COPYALL)) b->EnableWindow(FALSE);
    }
  }
  if (id == IDC_SCH_COPYALL && code == BN_CLICKED) {
    OnCopyAll();
    return TRUE;
  }
  return CPropertyPage::OnCommand(wParam, lParam);
}

void CSchDate::OnCopyAll() {
  const int row = m_focusRow;
  if (row < 0) return;
  CString text;
  m_amount[row].GetText(text);
  char shown[32], question[64];
  std::snprintf(shown, sizeof shown, "%.2f", std::atof(text));
  std::snprintf(question, sizeof question, "Set all amounts to $%s", shown);
  if (AskQuestion(question, ANSWER_YES, 0) == ANSWER_YES) {
    StoreRows();
    ScheduleRecord& rec = m_sheet->m_edited;
    const long amount = ParseDollars(text);
    for (int slot = 0; slot < kDueDateSlots && (rec.dueDates[slot][0] || rec.amounts[slot] != 0); ++slot)
      rec.amounts[slot] = amount;
    m_bChanged = 1;
  }
  LoadRecord(m_first);
}

int CSchDate::Validate() {
  StoreRows();
  char message[256] = "";
  int slot = -1;
  if (CheckDueDates(m_sheet->m_edited, message, sizeof message, &slot)) return 1;
  m_sheet->ShowPage(this);
  if (slot >= 0) {
    LoadRecord(slot / kRows * kRows);
    if (CWnd* date = GetDlgItem(IDC_SCH_DATE0 + slot % kRows)) SetFocusHwnd(date->GetSafeHwnd());
  }
  DispMessage(message, MSG_WARNING);
  return 0;
}
