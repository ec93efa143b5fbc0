// A push button that draws a bitmap of the program's resources instead of a
// caption (the button carries the owner-drawn style in its template).
#pragma once

#include <string>

#include "platform/controls/CtlButton.h"

class CBmpButton : public CButton {
 public:
  CBmpButton() = default;
  CBmpButton(int normal, int down, int disabled, int stretch)
      : m_bStretch(stretch) {
    SetBitmaps(normal, down, disabled);
  }

  // 0 for the pressed id uses the normal bitmap; 0 for the disabled id uses
  // the normal bitmap dithered.
  void SetBitmaps(int normal, int down, int disabled);
  // The same by bitmap names, with a picture of its own for the focused
  // button; a null or empty name falls back as a 0 id does (no focus
  // picture: the normal one).
  void SetBitmapNames(const char* normal, const char* down, const char* focus, const char* disabled);
  // Replace the horizontal (BS_LEFT, BS_RIGHT, centred) or vertical
  // (BS_TOP, BS_BOTTOM, centred) alignment bits; the old bits.
  UINT SetHAlign(UINT align);
  UINT SetVAlign(UINT align);

  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

 private:
  UINT ReplaceStyleBits(UINT mask, UINT bits);

  int m_bStretch = 0;
  std::string m_normal;
  std::string m_down;
  std::string m_focus;
  std::string m_disabled;
};
