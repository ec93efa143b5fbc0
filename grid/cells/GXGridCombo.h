// The drop-down list window of a combo cell: a borderless pop-up tool
// window opened on the desktop under the cell, holding the list box the
// cell puts into it. It passes the list's notifications on to the cell's
// edit window and paints the list in the colours the cell chooses.
#pragma once

#include "platform/Afx.h"
#include "platform/controls/CtlListBox.h"
#include "platform/gfx/GdiObject.h"

class CGXComboBox;

class CGXGridCombo : public CWnd {
 public:
  // Opens the window at `rect` (screen coordinates): one pixel wider than
  // the rectangle and one pixel further left.
  CGXGridCombo(CGXComboBox* combo, const CRect& rect);
  ~CGXGridCombo() override;

  void SetColors(COLORREF text, COLORREF background);
  // Hands the list box over; the window owns it from now on.
  void SetListBox(CListBox* list) { m_pListBox = list; }
  CListBox* GetListBox() const { return m_pListBox; }

  CListBox* m_pListBox = nullptr;
  CGXComboBox* m_pCombo;
  BOOL m_bColorsSet = FALSE;
  CBrush m_brush;
  COLORREF m_rgbText = 0, m_rgbBack = RGB(255, 255, 255);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The class of the library's pop-up windows (saving the pixels under them).
LPCTSTR GXGetPopupWndClassName();
