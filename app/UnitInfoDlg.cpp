#include "app/UnitInfoDlg.h"

#include <cstdio>

#include "common/DialogHelp.h"
#include "common/UnitIcon.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Question.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "store/UnitInfo.h"
#include "store/Xfer.h"

namespace {

// The eight edit fields, their globals and their widths.
struct UnitField {
  int id;
  char* value;
  int size;  // the global's size: the limit is one less
};

const UnitField kFields[] = {
    {IDC_UNIT_ADDRESS1, UnitAddress1, sizeof UnitAddress1}, {IDC_UNIT_ADDRESS2, UnitAddress2, sizeof UnitAddress2},
    {IDC_UNIT_CITY, UnitCity, sizeof UnitCity},             {IDC_UNIT_STATE, UnitState, sizeof UnitState},
    {IDC_UNIT_ZIP, UnitZip, sizeof UnitZip},                {IDC_UNIT_INFO1, UnitInfo1, sizeof UnitInfo1},
    {IDC_UNIT_INFO2, UnitInfo2, sizeof UnitInfo2},          {IDC_UNIT_INFO3, UnitInfo3, sizeof UnitInfo3},
};

struct CaptionLabel {
  int labelId, editId;
  const char* caption;
  char key;
};

const CaptionLabel kCaptions[3] = {
    {IDC_UNIT_CAPTION1, IDC_UNIT_INFO1, "Information &1:", 'C'},
    {IDC_UNIT_CAPTION2, IDC_UNIT_INFO2, "Information &2:", 'D'},
    {IDC_UNIT_CAPTION3, IDC_UNIT_INFO3, "Information &3:", 'E'},
};

const char* ShortMonth(int month, char* out) {
  std::snprintf(out, 4, "%.3s", month >= 0 && month < 12 ? MonthNames[month] : "");
  return out;
}

}  // namespace

CUnitInfoDlg::CUnitInfoDlg(CWnd* parent) : CDialog(IDD_UNITINFO, parent) {}

void CUnitInfoDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SHELL_TITLE, m_strTitle);
  DDX_Text(pDX, IDC_UNIT_NAME, m_strUnit);
  DDX_Text(pDX, IDC_UNIT_PERIOD, m_strPeriod);
  DDX_Text(pDX, IDC_UNIT_ADDRESS1, m_strAddress1);
  DDX_Text(pDX, IDC_UNIT_ADDRESS2, m_strAddress2);
  DDX_Text(pDX, IDC_UNIT_CITY, m_strCity);
  DDX_Text(pDX, IDC_UNIT_STATE, m_strState);
  DDX_Text(pDX, IDC_UNIT_ZIP, m_strZip);
  DDX_Text(pDX, IDC_UNIT_INFO1, m_strInfo[0]);
  DDX_Text(pDX, IDC_UNIT_INFO2, m_strInfo[1]);
  DDX_Text(pDX, IDC_UNIT_INFO3, m_strInfo[2]);
}

BOOL CUnitInfoDlg::OnInitDialog() {
  for (int i = 0; i < 3; ++i)
    m_captions[i].SubclassDlgItem(kCaptions[i].labelId, this, kCaptions[i].editId, kCaptions[i].caption,
                                  kCaptions[i].key);
  CDialog::OnInitDialog();
  // Read again on every opening: another operation (the rollover) may have
  // changed the file since. A read that fails (after its message) keeps
  // the values the year had and ends the dialog: nothing half read is ever
  // saved.
  if (!ReReadUnitInfo()) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  for (const UnitField& f : kFields)
    if (CWnd* edit = GetDlgItem(f.id)) edit->SendMessage(EM_LIMITTEXT, f.size - 1, 0);

  m_strAddress1 = UnitAddress1;
  m_strAddress2 = UnitAddress2;
  m_strCity = UnitCity;
  m_strState = UnitState;
  m_strZip = UnitZip;
  m_strInfo[0] = UnitInfo1;
  m_strInfo[1] = UnitInfo2;
  m_strInfo[2] = UnitInfo3;
  m_strUnit = UnitName;
  char first[4], last[4], period[64];
  std::snprintf(period, sizeof period, "%s %d - %s %d", ShortMonth(FiscalFirstMonth, first), FiscalStartYear,
                ShortMonth(FiscalLastMonth, last), FiscalEndYear);
  m_strPeriod = period;
  char title[96];
  std::snprintf(title, sizeof title, "%s Information", UnitNoun);
  m_strTitle = title;
  SetWindowText(title);
  UpdateData(FALSE);
  m_bChanged = 0;
  CenterWindow();
  return TRUE;
}

BOOL CUnitInfoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_UNITINFO))) return TRUE;
  if (HIWORD(wParam) == EN_CHANGE) {
    for (const UnitField& f : kFields)
      if (f.id == LOWORD(wParam)) m_bChanged = 1;
  }
  return CDialog::OnCommand(wParam, lParam);
}

int CUnitInfoDlg::Save() {
  const CString* values[8] = {&m_strAddress1, &m_strAddress2, &m_strCity,   &m_strState,
                              &m_strZip,      &m_strInfo[0],  &m_strInfo[1], &m_strInfo[2]};
  for (int i = 0; i < 8; ++i)
    std::snprintf(kFields[i].value, static_cast<size_t>(kFields[i].size), "%s",
                  static_cast<const char*>(*values[i]));
  return XferUnitInfo(1);
}

void CUnitInfoDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  Save();
  EndDialog(IDOK);
}

void CUnitInfoDlg::OnCancel() {
  if (!UpdateData(TRUE)) return;
  if (!m_bChanged) {
    EndDialog(IDCANCEL);
    return;
  }
  switch (AskQuestion("Do you wish to save your changes", ANSWER_YES, ANSWER_CANCEL)) {
    case ANSWER_YES:
      Save();
      EndDialog(IDOK);
      break;
    case ANSWER_NO:
      EndDialog(IDCANCEL);
      break;
    default:
      break;
  }
}
