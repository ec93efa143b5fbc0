#include "app/FiscalYearDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/DialogHelp.h"
#include "common/UnitIcon.h"
#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

CFiscalYearDlg::CFiscalYearDlg(CWnd* parent) : CDialog(IDD_FISCALYEAR, parent) {}

void CFiscalYearDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FY_LABEL, m_strLabel);
  DDX_CBString(pDX, IDC_FY_COMBO, m_strCombo);
}

BOOL CFiscalYearDlg::OnInitDialog() {
  std::snprintf(m_szAction, sizeof m_szAction, "%s", m_nMode == 0 ? "open" : "delete");
  char label[64];
  std::snprintf(label, sizeof label, "files you wish to %s:", m_szAction);
  m_strLabel = label;
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  // Every known year but the loaded one; the latest of them shows first.
  if (CWnd* combo = GetDlgItem(IDC_FY_COMBO)) {
    for (FiscalYearNode* n = YearList; n; n = n->next) {
      if (n == CurrentYearNode) continue;
      combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n->year));
      m_strCombo = n->year;
    }
  }
  CDialog::OnInitDialog();
  CenterWindow();
  return TRUE;
}

BOOL CFiscalYearDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_FISCALYEAR))) return TRUE;
  if (LOWORD(wParam) == IDC_FY_COMBO && HIWORD(wParam) == CBN_KILLFOCUS) {
    // A two-digit year stands for the year in full.
    UpdateData(TRUE);
    char message[128];
    if (ValidateNumber(m_strCombo, VN_WHOLE, "0", "99", message)) {
      char year[16];
      std::snprintf(year, sizeof year, "%d", ExpandYear(std::atoi(m_strCombo)));
      m_strCombo = year;
      UpdateData(FALSE);
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CFiscalYearDlg::Refuse(const char* message) {
  DispMessage(message, MSG_WARNING);
  if (CWnd* combo = GetDlgItem(IDC_FY_COMBO)) SetFocusHwnd(combo->GetSafeHwnd());
}

void CFiscalYearDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  std::snprintf(m_szYear, sizeof m_szYear, "%s", static_cast<const char*>(m_strCombo));
  const char* first = YearList ? YearList->year : "";
  const char* last = first;
  for (FiscalYearNode* n = YearList; n; n = n->next) last = n->year;
  char message[256];
  HWND combo = GetDlgItem(IDC_FY_COMBO) ? GetDlgItem(IDC_FY_COMBO)->GetSafeHwnd() : nullptr;
  if (!ValidateDlgField("Fiscal Year", m_szYear, 1, FIELD_NUMBER, VN_WHOLE, first, last, combo, message)) {
    Refuse(message);
    return;
  }
  FiscalYearNode* chosen = FindYearNode(m_szYear, 0, &YearList);
  if (!chosen) {
    Refuse("Fiscal Year:  Unknown fiscal year");
    return;
  }
  if (std::strcmp(chosen->year, CurrentFiscalYear) == 0) {
    std::snprintf(message, sizeof message, "Fiscal Year:  You may not %s the current year", m_szAction);
    Refuse(message);
    return;
  }
  m_pNode = chosen;
  std::snprintf(message, sizeof message, "%sDo you really want to %s FY%s",
                m_nMode == 1 ? "Deleting a fiscal year is irreversible.\n\n" : "", m_szAction, chosen->year + 2);
  switch (AskQuestion(message, ANSWER_NO, ANSWER_CANCEL)) {
    case ANSWER_YES:
      EndDialog(IDOK);
      break;
    case ANSWER_NO:
      EndDialog(IDCANCEL);
      break;
    default:
      break;
  }
}
