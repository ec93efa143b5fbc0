// The look shared by the tip of the day and the optional warning: a white
// band at the top, an owner-drawn frame filled white with a picture at its
// top-left corner and a heading beside it, vertically centred on the
// picture; the dialog's text inside the frame is drawn on white.
#pragma once

#include "platform/dialogs/Dialog.h"

class CBandDialog : public CDialog {
 public:
  CBandDialog(UINT templateId, CWnd* parent, int frameId, int textId, int bitmapId, const char* heading);

 protected:
  void OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

 private:
  int m_nFrameId, m_nTextId, m_nBitmapId;
  const char* m_pszHeading;
};
