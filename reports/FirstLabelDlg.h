// "First Label": shown before every label report, it draws the current
// sheet with numbered labels and asks on which label of a partly used sheet
// printing starts (typed, or clicked on the drawing).
#pragma once

#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"
#include "reports/MailLabel.h"
#include "reports/RptContext.h"

class CFirstLabelDlg : public CDialog {
 public:
  explicit CFirstLabelDlg(CWnd* parent = nullptr);

  void SetLabel(CMailLabel* label) { m_pLabel = label; }
  void SetFirstLabel(int number);
  int GetFirstLabel() const;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint() override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnOK() override;

 private:
  CMailLabel* m_pLabel = nullptr;
  CString m_strNumber;
};

// The report driver's question before a label report: the dialog on the
// current label; 1 on OK with the context's first label set.
int AskFirstLabel(RptContext* context);
void InstallFirstLabelDialog();
