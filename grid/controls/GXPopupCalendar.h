// The month calendar as a drop-down: it sizes itself to its content,
// places itself next to its owner field, and closes when the user chooses,
// cancels or clicks elsewhere, telling the owner by 0x7D7 or 0x7D8.
#pragma once

#include "grid/controls/GXCalendar.h"

class CGXBPopupCalendar : public CGXBCalendar {
 public:
  CGXBPopupCalendar();
  ~CGXBPopupCalendar() override;

  virtual BOOL CreatePopup(DWORD style, const RECT& ownerRect, CWnd* owner, UINT id = 0);
  // 1 on, anything else off; returns 1 when it was on before, else 2.
  int SetChooseOnDeactivate(int mode);
  void SetSizeToContent(BOOL on) {
    style_ = on ? (style_ | kSizeToContent) : (style_ & ~static_cast<DWORD>(kSizeToContent));
  }
  UINT GetClassStyle() override { return CS_DBLCLKS | CS_SAVEBITS; }
  // The size the content needs (client area).
  CSize CalcContentSize();

 protected:
  void OnActivate(UINT state, CWnd* other, BOOL minimized) override;

 private:
  BOOL chooseOnDeactivate_ = TRUE;
};
