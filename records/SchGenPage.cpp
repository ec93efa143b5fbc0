// "Generate Dates": the frequency and the range, and the generation itself.
#include <cstdio>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "records/FieldChange.h"
#include "records/SchDlg.h"
#include "records/ScheduleDates.h"
#include "res/resource.h"

CSchGen::CSchGen(CSchDlg* sheet) : CPropertyPage(IDD_SCHED_GEN), m_sheet(sheet) {}

BOOL CSchGen::OnInitDialog() {
  m_loading = true;
  CPropertyPage::OnInitDialog();
  m_first.SubclassEdit(IDC_SCH_FIRST_DATE, this, CString(), 0);
  m_second.SubclassEdit(IDC_SCH_SECOND_DATE, this, CString(), 0);
  m_loading = false;
  Load();
  return TRUE;
}

void CSchGen::Load() {
  if (!GetSafeHwnd()) return;
  m_loading = true;
  const ScheduleRecord& rec = m_sheet->m_edited;
  CheckRadioButton(IDC_SCH_WEEKLY, IDC_SCH_MONTHLY, rec.frequency == 'M' ? IDC_SCH_MONTHLY : IDC_SCH_WEEKLY);
  m_first.LoadValue(rec.firstDate);
  m_second.LoadValue(rec.secondDate);
  m_loading = false;
  SetSensitivity();
}

void CSchGen::SetSensitivity() {
  CString first, second;
  GetDlgItemText(IDC_SCH_FIRST_DATE, first);
  GetDlgItemText(IDC_SCH_SECOND_DATE, second);
  if (CWnd* b = GetDlgItem(IDC_SCH_GENERATE)) b->EnableWindow(!first.IsEmpty() && !second.IsEmpty());
}

void CSchGen::OnChangeData() {
  m_bChanged = 1;
  SetSensitivity();
}

BOOL CSchGen::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (!m_loading) {
    if ((id == IDC_SCH_WEEKLY || id == IDC_SCH_MONTHLY) && code == BN_CLICKED) OnChangeData();
    if (code == EN_CHANGE &&
        ((id == IDC_SCH_FIRST_DATE && DateFieldDiffers(m_first, CString(m_sheet->m_edited.firstDate))) ||
         (id == IDC_SCH_SECOND_DATE && DateFieldDiffers(m_second, CString(m_sheet->m_edited.secondDate)))))
      OnChangeData();
    else if ((id == IDC_SCH_FIRST_DATE || id == IDC_SCH_SECOND_DATE) && code == EN_CHANGE)
      SetSensitivity();
  }
  if (id == IDC_SCH_GENERATE && code == BN_CLICKED) {
    CWnd* b = GetDlgItem(IDC_SCH_GENERATE);
    if (b && b->IsWindowEnabled()) OnGenerateBtn();
    return TRUE;
  }
  return CPropertyPage::OnCommand(wParam, lParam);
}

void CSchGen::OnGenerateBtn() {
  ScheduleRecord& rec = m_sheet->m_edited;
  CString first, second;
  m_first.SaveValue(first);
  m_second.SaveValue(second);
  // The frequency and the range are the record's from here on, even when
  // a check below refuses them.
  rec.frequency = IsDlgButtonChecked(IDC_SCH_MONTHLY) == BST_CHECKED ? 'M' : 'W';
  std::snprintf(rec.firstDate, sizeof rec.firstDate, "%.8s", static_cast<const char*>(first));
  std::snprintf(rec.secondDate, sizeof rec.secondDate, "%.8s", static_cast<const char*>(second));
  if (!m_first.Validate("First Date") || !m_second.Validate("Second Date")) return;
  char message[256] = "";
  if (!ValidateDatePair(first, second, m_first.GetSafeHwnd(), m_second.GetSafeHwnd(), message)) {
    DispMessage(message, MSG_WARNING);
    return;
  }
  if (m_sheet->m_bHasDates &&
      AskQuestion("Do you really wish to overwrite the schedule's current dates", ANSWER_YES, 0) != ANSWER_YES)
    return;
  GenerateDueDates(&rec, rec.frequency, first, second);
  m_bChanged = 1;
  m_sheet->ShowPage(&m_sheet->m_dates);
  m_sheet->m_dates.LoadRecord(0);
  m_sheet->RefreshTabCaptions();
}
