// File/Open and File/Delete: choosing another known fiscal year, and the
// two operations on the chosen year.
#pragma once

#include "common/ConfigFile.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

class CFiscalYearDlg : public CDialog {
 public:
  explicit CFiscalYearDlg(CWnd* parent = nullptr);

  int m_nMode = 0;                        // 0 open, 1 delete
  FiscalYearNode* m_pNode = nullptr;      // in: the current node; on IDOK: the chosen one
  char m_szAction[8] = "";
  char m_szYear[8] = "";
  CString m_strLabel, m_strCombo;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

 private:
  void Refuse(const char* message);
};

// Closes the loaded year and opens `node`'s. 1: the chosen year is loaded
// and recorded as current; 0: it could not be opened and the old year is
// loaded again; -1: neither opens and the program is asked to quit.
int SwitchFiscalYear(FiscalYearNode* node);

// Erases a year that is not the loaded one: its record files, account-group
// files and the backup copies of the program files in its folder, then the
// folder when empty, and drops it from the list and the configuration.
// When a file cannot be removed, every such file is named and the year
// stays known. 1 when the year was dropped.
int DeleteFiscalYear(FiscalYearNode* node);

// What File/Open (mode 0) and File/Delete (mode 1) do.
void RunFiscalYearCommand(int mode, CWnd* parent);
