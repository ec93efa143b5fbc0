// Account Types: a pick list of the account classes with their number
// ranges; on OK the caller's int holds the chosen class row.
#pragma once

#include "platform/dialogs/Dialog.h"

class CAcctTypesDlg : public CDialog {
 public:
  explicit CAcctTypesDlg(CWnd* parent = nullptr);

  // The caller's class row, set on OK (-1 when no line was chosen).
  int* m_pClassRow = nullptr;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
};
