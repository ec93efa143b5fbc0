#include "records/AcctTypesDlg.h"

#include <cstdio>

#include "common/DialogHelp.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "store/AcctClass.h"

CAcctTypesDlg::CAcctTypesDlg(CWnd* parent) : CDialog(IDD_ACCTTYPES, parent) {}

BOOL CAcctTypesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_TYPES_LIST);
  const int stop = 35;
  ::SendMessage(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
  // The System row has no number a user may give: it is not offered.
  for (int row = 0; row < 8; ++row) {
    const AcctClassRow& c = AcctClassTable[row];
    if (c.low >= c.userLimit) continue;
    char line[64];
    std::snprintf(line, sizeof line, "%3.3d-%3.3d\t%.*s", static_cast<int>(c.low) % 1000,
                  static_cast<int>(c.userLimit) % 1000, static_cast<int>(sizeof c.name - 1), c.name);
    const int index = static_cast<int>(::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line)));
    ::SendMessage(list, LB_SETITEMDATA, static_cast<WPARAM>(index), row);
  }
  CenterWindow();
  return TRUE;
}

BOOL CAcctTypesDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_ACCTTYPES))) return TRUE;
  if (LOWORD(wParam) == IDC_TYPES_LIST && HIWORD(wParam) == LBN_DBLCLK) {
    OnOK();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CAcctTypesDlg::OnOK() {
  HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_TYPES_LIST);
  const int sel = static_cast<int>(::SendMessage(list, LB_GETCURSEL, 0, 0));
  if (m_pClassRow) *m_pClassRow = sel < 0 ? -1 : static_cast<int>(::SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
  EndDialog(IDOK);
}
