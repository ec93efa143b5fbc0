// File/Transfer...: the Transfer Parameters dialog (type and destination
// folder, kept per type in section "TRANSFER") and the command that runs
// it and then the transfer.
#pragma once

#include "common/BmpButton.h"
#include "platform/base/types.h"
#include "platform/dialogs/Dialog.h"

struct SettingsSection;

class CTransferDlg : public CDialog {
 public:
  explicit CTransferDlg(CWnd* parent = nullptr);
  ~CTransferDlg() override;

  int m_nType = 0;                 // 0 the sibling program, 1 the district
  char m_szFolder[MAX_PATH] = {};  // out: the validated folder

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void ShowType();
  SettingsSection* m_section;
  CBmpButton m_browse;
  bool m_changed = false;
};

// The stored folder of a transfer type; the home folder when none is.
void TransferFolder(SettingsSection* section, int type, char* out, std::size_t size);
// Load (0) does nothing; save (1) runs the transfer.
void XferTransferFile(int save, int type, const char* folder);
void RunTransferCommand();
