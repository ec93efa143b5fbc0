#include "reports/FirstLabelDlg.h"

#include <cstdio>
#include <cstdlib>

#include "common/DialogHelp.h"
#include "common/Messages.h"
#include "platform/framework/WindowDc.h"
#include "platform/window/Messages.h"
#include "res/resource.h"
#include "reports/RptDriver.h"

CFirstLabelDlg::CFirstLabelDlg(CWnd* parent) : CDialog(IDD_FIRST_LABEL, parent) {}

void CFirstLabelDlg::SetFirstLabel(int number) {
  m_strNumber.Format("%d", number);
  if (GetSafeHwnd()) SetDlgItemText(IDC_FIRST_LABEL_NUMBER, m_strNumber);
}

int CFirstLabelDlg::GetFirstLabel() const { return std::atoi(m_strNumber); }

BOOL CFirstLabelDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_FIRST_LABEL_NUMBER, m_strNumber);
  // The sheet is painted over the frame's place by the dialog itself.
  if (CWnd* frame = GetDlgItem(IDC_FIRST_LABEL_SHEET)) frame->ShowWindow(SW_HIDE);
  CenterWindow();
  // Checked here, once: a message from the painting would repaint the
  // dialog and show itself again without end.
  CString error;
  if (m_pLabel && !m_pLabel->Validate(error)) DispMessage(error, MSG_WARNING);
  return TRUE;
}

BOOL CFirstLabelDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_FIRST_LABEL))) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CFirstLabelDlg::OnPaint() {
  CPaintDC dc(this);
  CString error;
  if (m_pLabel) m_pLabel->DrawSheet(&dc, GetDlgItem(IDC_FIRST_LABEL_SHEET), true, error);
}

void CFirstLabelDlg::OnLButtonDown(UINT flags, CPoint point) {
  CWnd* frame = GetDlgItem(IDC_FIRST_LABEL_SHEET);
  if (m_pLabel && frame) {
    RECT area;
    frame->GetWindowRect(&area);
    ScreenToClient(&area);
    const int number = PtInRect(&area, point) ? m_pLabel->HitTest(point.x, point.y) : -1;
    if (number > 0) SetFirstLabel(number);
  }
  CDialog::OnLButtonDown(flags, point);
}

void CFirstLabelDlg::OnOK() {
  char text[32] = "";
  GetDlgItemText(IDC_FIRST_LABEL_NUMBER, text, sizeof text);
  m_strNumber = text;
  CString error;
  if (m_pLabel && !m_pLabel->ValidateLabelNumber(GetFirstLabel(), error)) {
    DispMessage(error, MSG_WARNING);
    return;
  }
  EndDialog(IDOK);
}

int AskFirstLabel(RptContext* context) {
  CFirstLabelDlg dlg;
  dlg.SetLabel(&CurrentMailLabel);
  dlg.SetFirstLabel(1);
  if (dlg.DoModal() != IDOK) return 0;
  context->firstLabel = dlg.GetFirstLabel();
  return 1;
}

void InstallFirstLabelDialog() { SetRptFirstLabelAsker(AskFirstLabel); }
