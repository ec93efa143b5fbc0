// The General page of the Preferences sheet: the system date for this run,
// the closing modes of the integrity check and the backup, five option
// flags, and the data password.
#pragma once

#include "app/PrefPage.h"
#include "common/DateEdit.h"

class CPrefGen : public CPrefPage {
 public:
  CPrefGen();

  void LoadValues() override;
  void StoreValues() override;
  bool Changed() const override { return m_bChanged != 0; }
  void Refresh() override;

  // Checks the system date when it was changed; false after putting the
  // focus on it, with the message in `error`.
  bool CheckDate(CString& error);

  CString m_strDate;  // yyyymmdd
  int m_nCheckMode = 0;
  int m_nBackupMode = 0;
  // "OPTWARN" A, B, C, D and "TIPOFDAY" C.
  int m_bSplitCaution = 1, m_bScheduleCaution = 1, m_bCarryBack = 0, m_bSplash = 1, m_bTip = 1;
  int m_bChanged = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void SetPassword();
  CDateEditEx m_date;
  int loading_ = 0;
};
