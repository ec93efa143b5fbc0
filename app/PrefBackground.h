// The Background page of the Preferences sheet: the main window's colour,
// its picture (the unit's own, a bitmap of the user's, or none), stretched
// or not, and a preview in the main window's proportions.
#pragma once

#include "app/PrefColours.h"
#include "common/BmpButton.h"
#include "platform/controls/CtlStatic.h"

class CPrefBack;

// The preview frame: paints the colour and the picture.
class CBackgroundPreview : public CStatic {
 public:
  CPrefBack* page = nullptr;
  void OnPaint() override;
};

class CPrefBack : public CColourPage {
 public:
  CPrefBack();

  void LoadValues() override;
  void StoreValues() override;
  bool Check(CString& error) override;
  void Refresh() override;

  CString m_strPicture;
  int m_nImageMode = 0;  // 0 the unit's picture, 1 another picture, 2 none
  int m_bStretch = 0;
  float m_fScaleX = 1.0f, m_fScaleY = 1.0f;

  // Draws the preview into `dc` over `rect` (the frame's client area).
  void DrawPreview(CDC* dc, const RECT& rect);

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnColourChanged() override;

 private:
  void FitPreview();
  void UpdateEnabling();
  void Redraw();
  void Browse();
  CBackgroundPreview m_preview;
  CBmpButton m_browse;
};
