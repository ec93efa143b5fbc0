// File/Import...: the Import Parameters dialog (the sibling program's data
// folder and whether adults come too, kept in section "IMPORT") and the
// command that runs it and then the import.
#pragma once

#include "common/BmpButton.h"
#include "platform/base/types.h"
#include "platform/dialogs/Dialog.h"

class CImportDlg : public CDialog {
 public:
  explicit CImportDlg(CWnd* parent = nullptr);

  char m_szFolder[MAX_PATH] = {};
  int m_bAdults = 0;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  CBmpButton m_browse;
  bool m_changed = false;
  int loading_ = 0;
};

// Load (0) fills the dialog's folder and adults flag from the settings;
// save (1) stores them and runs the import.
void XferImport(int save, CImportDlg& dlg);
void RunImportCommand();
