#include "common/OptWarnDlg.h"

#include "common/DialogHelp.h"
#include "common/Settings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "res/resource.h"

namespace {
constexpr int kCautionBitmap = 301;
}

COptWarnDlg::COptWarnDlg(CWnd* parent, char key, const char* text, DWORD helpContext)
    : CBandDialog(IDD_OPTWARN, parent, IDC_OPTWARN_FRAME, IDC_OPTWARN_TEXT, kCautionBitmap, "One moment, please..."),
      m_cKey(key),
      m_dwHelpContext(helpContext),
      m_strText(text) {
  m_pSection = OpenSettingsSection(SettingsFileName, "OPTWARN");
  // A message the user never switched off is shown, as the Preferences
  // page shows it switched on.
  m_bDontShow = !GetSettingFlag(m_pSection, m_cKey, 1);
}

COptWarnDlg::~COptWarnDlg() { CloseSection(); }

void COptWarnDlg::CloseSection() {
  if (m_pSection) CloseSettingsSection(m_pSection);
  m_pSection = nullptr;
}

void COptWarnDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_OPTWARN_DONTSHOW, m_bDontShow);
  DDX_Text(pDX, IDC_OPTWARN_TEXT, m_strText);
}

BOOL COptWarnDlg::OnInitDialog() {
  if (m_bDontShow) {
    CloseSection();
    EndDialog(IDOK);
    return TRUE;
  }
  CDialog::OnInitDialog();
  ::MessageBeep(MB_ICONEXCLAMATION);
  return TRUE;
}

void COptWarnDlg::Finish() {
  UpdateData(TRUE);
  PutSettingFlag(m_pSection, m_cKey, !m_bDontShow);
  CloseSection();
  EndDialog(IDOK);
}

void COptWarnDlg::OnOK() { Finish(); }
void COptWarnDlg::OnCancel() { Finish(); }

BOOL COptWarnDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, m_dwHelpContext)) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}
