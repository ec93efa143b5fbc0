// Tip of the Day: one tip at a time from the plain-text tips file, in file
// order and round again, the position remembered in settings "TIPOFDAY"
// and restarted whenever the file changes.
#pragma once

#include <cstdio>

#include "platform/base/CString.h"
#include "common/HeadingBand.h"

struct SettingsSection;

class CTipDlg : public CBandDialog {
 public:
  explicit CTipDlg(const char* tipsFile, CWnd* parent = nullptr);
  ~CTipDlg() override;

  BOOL GetStartupFlag() const { return m_bStartup; }
  CString GetTipText() const { return m_strTip; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

 private:
  // The next tip into m_strTip; on an error its text, and Next is disabled.
  void ReadNextTip();

  FILE* m_pFile = nullptr;
  BOOL m_bStartup = TRUE;
  BOOL m_bNextEnabled = TRUE;
  CString m_strTip;
  SettingsSection* m_pSection = nullptr;
};
