#include "reports/PageSetupDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/DlgUtil.h"
#include "common/PrintSettings.h"
#include "common/Question.h"
#include "platform/commdlg/CommDlgDefs.h"
#include "platform/commdlg/FontDialog.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

const int kMarginIds[4] = {IDC_PSU_LEFT, IDC_PSU_RIGHT, IDC_PSU_TOP, IDC_PSU_BOTTOM};

}  // namespace

CPageSetupDlg::CPageSetupDlg(CWnd* parent) : CDialog(IDD_RPT_PAGE_SETUP, parent) {}

void CPageSetupDlg::UpdateHeight() {
  const int dpi = ThePrintSetup.resolutionY > 0 ? ThePrintSetup.resolutionY : 96;
  font_.lfHeight = (baseSize_ * dpi + 1) / -72;
}

BOOL CPageSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  loading_ = true;
  font_ = LOGFONT{};
  int weight = 400, italic = 0;
  GetPrintSettings(report_, lineWidth_ == 130 ? 0 : 1, font_.lfFaceName, sizeof font_.lfFaceName, &baseSize_,
                   &weight, &italic, &portrait_, &margins_[0], &margins_[1], &margins_[2], &margins_[3]);
  font_.lfWeight = weight;
  font_.lfItalic = italic ? 1 : 0;
  UpdateHeight();
  minimum_[0] = ThePrintSetup.unprintableLeft;
  minimum_[1] = ThePrintSetup.unprintableRight;
  minimum_[2] = ThePrintSetup.unprintableTop;
  minimum_[3] = ThePrintSetup.unprintableBottom;
  if (CWnd* heading = GetDlgItem(IDC_PSU_HEADING)) SetBoldFont(heading->GetSafeHwnd());
  ShowFont();
  for (int id : kMarginIds) SendDlgItemMessage(id, EM_LIMITTEXT, 4, 0);
  ShowMargins();
  scope_ = report_ > 0 ? 1 : 0;
  CheckRadioButton(IDC_PSU_ALL, IDC_PSU_CURRENT, scope_ ? IDC_PSU_CURRENT : IDC_PSU_ALL);
  if (CWnd* current = GetDlgItem(IDC_PSU_CURRENT)) current->EnableWindow(report_ > 0);
  changed_ = false;
  loading_ = false;
  return TRUE;
}

void CPageSetupDlg::ShowFont() {
  char text[96];
  std::snprintf(text, sizeof text, "\"%s %dpt\"", font_.lfFaceName, baseSize_);
  SetDlgItemText(IDC_PSU_FONT, text);
}

void CPageSetupDlg::ShowMargins() {
  const bool loading = loading_;
  loading_ = true;
  for (int i = 0; i < 4; ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", margins_[i]);
    SetDlgItemText(kMarginIds[i], text);
  }
  loading_ = loading;
}

void CPageSetupDlg::ReadMargins(bool limit) {
  for (int i = 0; i < 4; ++i) {
    char text[16] = {};
    GetDlgItemText(kMarginIds[i], text, sizeof text);
    float value = static_cast<float>(std::atof(text));
    if (limit) value = std::clamp(value, minimum_[i], maximum_[i]);
    margins_[i] = value;
  }
}

void CPageSetupDlg::ChooseFont() {
  LOGFONT chosen = font_;
  CFontDialog dlg(&chosen, CF_TTONLY | CF_SCALABLEONLY | CF_FORCEFONTEXIST | CF_BOTH | CF_LIMITSIZE |
                               CF_INITTOLOGFONTSTRUCT, nullptr, this);
  dlg.m_cf.nSizeMax = 12;
  dlg.m_cf.iPointSize = baseSize_ * 10;
  if (dlg.DoModal() == IDOK) {
    dlg.GetCurrentFont(&font_);
    baseSize_ = std::clamp(dlg.GetSize() / 10, 1, 12);
    changed_ = true;
    ShowFont();
  }
  UpdateHeight();
}

BOOL CPageSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (std::find(std::begin(kMarginIds), std::end(kMarginIds), id) != std::end(kMarginIds)) {
    if (code == EN_CHANGE && !loading_) changed_ = true;
    if (code == EN_KILLFOCUS && changed_) {
      ReadMargins(true);
      ShowMargins();
    }
    return TRUE;
  }
  if (id == IDC_PSU_CHOOSE_FONT && code == BN_CLICKED) {
    ChooseFont();
    return TRUE;
  }
  if ((id == IDC_PSU_ALL || id == IDC_PSU_CURRENT) && code == BN_CLICKED) {
    scope_ = id == IDC_PSU_CURRENT ? 1 : 0;  // the scope alone is no change
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CPageSetupDlg::OnOK() {
  ReadMargins(true);
  ShowMargins();
  scope_ = IsDlgButtonChecked(IDC_PSU_CURRENT) ? 1 : 0;
  // The report's own line width on the chosen paper; answering No to the
  // "too narrow" question goes back to the dialog, saving nothing.
  const float paper = paperWidth_ > 0 ? paperWidth_ : (ThePrintSetup.pageWidth > 0 ? ThePrintSetup.pageWidth : 8.5f);
  if (!CheckReportPageWidth(&ThePrintSetup, &font_, lineWidth_, paper, margins_[0], margins_[1])) return;
  const int defaultPortrait = lineWidth_ == 130 ? 0 : 1;
  if (scope_ == 0)
    SavePrintSettings(0, font_.lfFaceName, baseSize_, font_.lfWeight, font_.lfItalic, portrait_, margins_[0],
                      margins_[1], margins_[2], margins_[3]);
  if (report_ > 0)
    SavePrintSettings(report_, font_.lfFaceName, baseSize_, font_.lfWeight, font_.lfItalic, portrait_, margins_[0],
                      margins_[1], margins_[2], margins_[3], defaultPortrait);
  EndDialog(IDOK);
}

void CPageSetupDlg::OnCancel() {
  if (!changed_) {
    EndDialog(IDCANCEL);
    return;
  }
  const int answer = AskQuestion("Do you wish to save your changes", ANSWER_YES, ANSWER_CANCEL);
  if (answer == ANSWER_YES)
    OnOK();
  else if (answer == ANSWER_NO)
    EndDialog(IDCANCEL);
}
