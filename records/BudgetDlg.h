// Account Budget: the twelve monthly budget amounts of one account, in the
// fiscal year's order, stepping through all accounts with Prev and Next.
// Opened by Account Management for the selected account (m_bNew 0, the
// address of its position), after LoadRecord(1).
#pragma once

#include <cstdio>

#include "common/AmountEdit.h"
#include "platform/base/CString.h"
#include "records/RecordInfoDlg.h"
#include "store/Records.h"

class CBudgetDlg : public CRecordInfoDlg {
 public:
  explicit CBudgetDlg(CWnd* parent = nullptr);

  int Validate() override;

  AccountRecord m_account{};
  BudgetRecord m_loaded{}, m_edited{};
  CString m_strCaption;
  CString m_strLabels[12], m_strAmounts[12];
  int m_nFocusRow = -1;

  // The calendar month (0-11) shown on display row `row`.
  static int MonthOfRow(int row);
  // The maintenance dump of the budget file ("budlog.txt").
  static void WriteLog(FILE* out);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  int LoadFields() override;
  void SetupFields() override;
  bool TableFull() const override { return false; }
  int LiveCount() const override;
  int IndexSize() const override;
  bool IsLiveAt(int pos) const override;
  const char* WrapToLastText() const override { return "Going to last accoumt"; }
  const char* WrapToFirstText() const override { return "Starting at first account"; }
  // Nothing to refresh but the hidden buttons: Prev and Next always work.
  void UpdateControls() override;
  bool IsEditableField(int) const override { return false; }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void CopyToAll();

  CAmountEdit m_amounts[12];
};
