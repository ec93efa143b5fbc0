#include "app/OptWarnDlg.h"

#include "app/HeadingBand.h"
#include "common/Settings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/framework/CWinApp.h"
#include "platform/gfx/Dc.h"
#include "platform/shell/Help.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "res/resource.h"

namespace {
constexpr int kCautionBitmap = 301;
}

COptWarnDlg::COptWarnDlg(CWnd* parent, char key, const char* text, DWORD helpContext)
    : CDialog(IDD_OPTWARN, parent), m_cKey(key), m_dwHelpContext(helpContext), m_strText(text) {
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
  if (LOWORD(wParam) == IDC_SHELL_HELP) {
    if (CWinApp* app = AfxGetApp()) app->WinHelp(m_dwHelpContext, HELP_CONTEXT);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void COptWarnDlg::OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis) {
  if (idCtl != IDC_OPTWARN_FRAME || dis == nullptr) {
    CDialog::OnDrawItem(idCtl, dis);
    return;
  }
  PaintHeadingBand(CDC::FromHandle(dis->hDC), dis->rcItem, kCautionBitmap, "One moment, please...", GetFont());
}

HBRUSH COptWarnDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  if (wnd && wnd->GetDlgCtrlID() == IDC_OPTWARN_TEXT) {
    dc->SetBkColor(RGB(255, 255, 255));
    return BandBrush();
  }
  return CDialog::OnCtlColor(dc, wnd, ctlColor);
}
