// File/Backup... and File/Restore...: the folder of a backup and, for a
// restore, the year and whether the program-wide files come back too.
#pragma once

#include "common/BmpButton.h"
#include "platform/base/CString.h"
#include "platform/base/types.h"
#include "platform/dialogs/Dialog.h"

class CBackupDlg : public CDialog {
 public:
  explicit CBackupDlg(CWnd* parent = nullptr);

  char m_szFolder[MAX_PATH] = {};  // the backup folder, in and out

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

 private:
  CBmpButton m_browse;
};

class CRestoreDlg : public CDialog {
 public:
  explicit CRestoreDlg(CWnd* parent = nullptr);

  char m_szYear[5] = {};           // four digits
  char m_szFolder[MAX_PATH] = {};  // the restore folder
  int m_bSystemFiles = 0;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

 private:
  void ExpandTypedYear();
  CBmpButton m_browse;
};

// Runs the Backup dialog with its remembered folder and, on OK, the backup.
void RunBackupDialog();
// The same for the Restore dialog and the restore.
void RunRestoreDialog();
