// A push button that draws a bitmap of the program's resources instead of a
// caption (the button carries the owner-drawn style in its template).
#pragma once

#include "platform/controls/CtlButton.h"

class CBmpButton : public CButton {
 public:
  CBmpButton() = default;
  CBmpButton(int normal, int down, int disabled, int stretch)
      : m_bStretch(stretch), m_nBitmap(normal), m_nBitmapDown(down), m_nBitmapDisabled(disabled) {}

  // 0 for the pressed id uses the normal bitmap; 0 for the disabled id uses
  // the normal bitmap dithered.
  void SetBitmaps(int normal, int down, int disabled) {
    m_nBitmap = normal;
    m_nBitmapDown = down;
    m_nBitmapDisabled = disabled;
  }
  // Replace the horizontal (BS_LEFT, BS_RIGHT, centred) or vertical
  // (BS_TOP, BS_BOTTOM, centred) alignment bits; the old bits.
  UINT SetHAlign(UINT align);
  UINT SetVAlign(UINT align);

  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

 private:
  UINT ReplaceStyleBits(UINT mask, UINT bits);

  int m_bStretch = 0;
  int m_nBitmap = 0;
  int m_nBitmapDown = 0;
  int m_nBitmapDisabled = 0;
};
