// The report page setup: the report font and the four page margins, saved
// for all reports ("PRINT") and, with a report number, for that report
// ("PAGE%d"). The preview opens it with its report; the preferences with 0.
#pragma once

#include "platform/dialogs/Dialog.h"
#include "platform/gfx/GdiDefs.h"

class CPageSetupDlg : public CDialog {
 public:
  explicit CPageSetupDlg(CWnd* parent = nullptr);

  void SetReportNumber(int report) { report_ = report; }
  // The line width (77 or 130) and paper width (inches) the width check
  // uses; by default a portrait report on the printer's paper.
  void SetPage(int lineWidth, float paperWidth) {
    lineWidth_ = lineWidth;
    paperWidth_ = paperWidth;
  }

  // The values as the dialog holds them (tests).
  int BaseSize() const { return baseSize_; }
  float Margin(int index) const { return margins_[index]; }  // left, right, top, bottom
  bool Changed() const { return changed_; }

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void ReadMargins(bool limit);
  void ShowMargins();
  void ShowFont();
  void ChooseFont();
  void UpdateHeight();

  int report_ = 0;
  int scope_ = 0;  // 0 all reports, 1 the current report only
  LOGFONT font_{};
  int baseSize_ = 10;
  int portrait_ = 1;
  float margins_[4] = {};
  float minimum_[4] = {};
  float maximum_[4] = {2.0f, 2.0f, 2.0f, 2.0f};
  bool changed_ = false;
  bool loading_ = false;
  int lineWidth_ = 77;
  float paperWidth_ = 0;
};
