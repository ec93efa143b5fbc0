// An optional warning: a caution shown before the user edits a field that
// needs explaining, until the user ticks "Do not Display this Message
// Again". The choice is remembered per message in settings "OPTWARN".
#pragma once

#include "platform/base/CString.h"
#include "common/HeadingBand.h"

struct SettingsSection;

class COptWarnDlg : public CBandDialog {
 public:
  COptWarnDlg(CWnd* parent, char key, const char* text, DWORD helpContext);
  ~COptWarnDlg() override;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  // Stores the check box under the key and ends with OK, however closed.
  void Finish();
  void CloseSection();

  char m_cKey;
  SettingsSection* m_pSection = nullptr;
  DWORD m_dwHelpContext;
  BOOL m_bDontShow = FALSE;
  CString m_strText;
};
