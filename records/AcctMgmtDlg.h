// Account Management: every live account with its class, balance and
// transaction count; adds, edits and deletes accounts and opens the
// selected account's register, balancing, budget and reserve clearance.
#pragma once

#include "common/BmpButton.h"
#include "platform/commctrl/ToolTipCtrl.h"
#include "records/RecordListDlg.h"
#include "store/Records.h"

class CAcctMgmtDlg : public CRecordListDlg {
 public:
  explicit CAcctMgmtDlg(CWnd* parent = nullptr);

  // The number of the selected account (the number the first column
  // starts with); 0 when nothing is selected.
  int SelectedAccount() const;

  // The maintenance dump of the account file ("acctlog.txt").
  static void WriteAccountLog(FILE* out);

 protected:
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void SetupList() override;
  bool FillRows() override;
  void OnFillFailed() override;
  CString CaptionText() override;
  bool CanAdd() override;
  void UpdateEntityButtons() override;
  const char* EntityWord() const override { return "account"; }
  int LookupSelected() override;
  bool OpenInfo(bool isNew) override;
  bool DeleteSelected() override;
  const char* LogFileName() const override { return "acctlog.txt"; }
  const char* LogCaption() const override { return "Accounts"; }
  void WriteLog(FILE* out) override { WriteAccountLog(out); }
  void MoveControls(int dx, int dy) override;
  void OnDoubleClick() override;

 private:
  void SizeColumns();
  // Looks the selected account up (its position becomes the current one)
  // and reads its record; false after the message.
  bool ReadSelected(AccountRecord* out);
  void OnRegister();
  void OnBalance();
  void OnBudget();
  void OnAutoClear();

  CBmpButton m_pictures[4];
  // The pictures say nothing by themselves: each has a tip with its command
  // and access key.
  CToolTipCtrl m_tips;
};
