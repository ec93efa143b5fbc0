// Help/About: the program's title, version and description for the unit,
// the maker's notice and two links.
#pragma once

#include "app/StaticLink.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  CString m_strTitle, m_strVersion, m_strDescription;
  CStaticLink m_webSite;
  CStaticLink m_update;
};
