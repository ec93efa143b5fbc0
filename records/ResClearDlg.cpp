#include "records/ResClearDlg.h"

#include <cstdio>

#include "common/DialogHelp.h"
#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/UnitVocab.h"
#include "platform/dialogs/DataExchange.h"
#include "res/resource.h"
#include "store/AcctClass.h"

CResClearDlg::CResClearDlg(CWnd* parent) : CDialog(IDD_RESCLEAR, parent) {}

void CResClearDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_RES_TEXT, m_strText);
  DDX_Date(pDX, m_date, m_strDate);
}

BOOL CResClearDlg::OnInitDialog() {
  if (CWnd* title = GetDlgItem(IDC_REC_TITLE)) SetBoldFont(title->GetSafeHwnd());
  char allocation[64];
  std::snprintf(allocation, sizeof allocation, "%d - %s", static_cast<int>(kReserveAllocationAccount),
                "Reserve Allocation");
  m_strText = "You have elected to automatically clear reserve account " + m_strNumber + " - " + m_strName +
              ".  A " + "transaction will be generated for the " + allocation + " account.  This transaction will release " +
              "all funds reserved in account " + m_strNumber + " as of " +
              "the Clearance Date below.  Any funds reserved after that " + "date will remain reserved.\n\nThis action applies to the " +
              "reserves of the " + UnitWord + " as well as " + "all passbook holders.";
  m_date.SubclassEdit(IDC_RES_DATE, this, CString(), 0);
  CDialog::OnInitDialog();
  CenterWindow();
  return TRUE;
}

BOOL CResClearDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_RESCLEAR))) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CResClearDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (!m_date.Validate(nullptr)) return;
  char date[16];
  std::snprintf(date, sizeof date, "%s", static_cast<const char*>(m_strDate));
  char message[300];
  if (!ValidateDlgField("Clearance Date", date, 1, FIELD_DATE, DF_YYYYMMDD, FiscalStartDate, FiscalEndDate,
                        ::GetDlgItem(GetSafeHwnd(), IDC_RES_DATE), message)) {
    DispMessage(message, MSG_WARNING);
    return;
  }
  m_strDate = date;
  EndDialog(IDOK);
}
