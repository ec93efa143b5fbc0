#include "app/AboutDlg.h"

#include <cstdio>

#include "common/DialogHelp.h"
#include "common/UnitIcon.h"
#include "common/DlgUtil.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/dialogs/DataExchange.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {
  m_strTitle = ProgramTitle;
  m_strVersion = "Version " + ProgramVersion.Format(6);
  char unit[96];
  std::snprintf(unit, sizeof unit, "for %s Scout %ss", UnitKindWord, UnitNoun);
  m_strDescription = CString("Comprehensive financial management system\n") + unit;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_SHELL_TITLE, m_strTitle);
  DDX_Text(pDX, IDC_ABOUT_VERSION, m_strVersion);
  DDX_Text(pDX, IDC_ABOUT_DESCRIPTION, m_strDescription);
  char caption[96];
  std::snprintf(caption, sizeof caption, "About %s (tm)", ProgramName);
  SetWindowText(caption);
  CenterWindow();
}

BOOL CAboutDlg::OnInitDialog() {
  ShowUnitIcon(this, IDC_SHELL_ICON);
  if (CWnd* title = GetDlgItem(IDC_SHELL_TITLE)) SetBoldFont(title->GetSafeHwnd());
  if (CWnd* version = GetDlgItem(IDC_ABOUT_VERSION)) SetLargeFont(version->GetSafeHwnd());
  m_webSite.SubclassDlgItem(IDC_ABOUT_WEBSITE, this);
  m_webSite.m_link.SetLink(ProgramVersion.WebSite().GetLink());
  m_update.SubclassDlgItem(IDC_ABOUT_UPDATE, this);
  m_update.m_link.SetLink(ProgramVersion.PatchLink().GetLink());
  return CDialog::OnInitDialog();
}

BOOL CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_ABOUTBOX))) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}
