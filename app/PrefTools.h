// The Tools page of the Preferences sheet: the programs of the Tools menu.
#pragma once

#include "app/PrefPage.h"
#include "common/BmpButton.h"

class CPrefTool : public CPrefPage {
 public:
  CPrefTool();

  void LoadValues() override;
  void StoreValues() override;
  bool Check(CString& error) override;
  bool Changed() const override { return m_bChanged != 0; }
  void Refresh() override;

  CString m_strNotepad, m_strCalculator, m_strCalendar;
  int m_bChanged = 0;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void Browse(int editId, const char* title);
  CBmpButton m_browse[3];
  int loading_ = 0;
};
