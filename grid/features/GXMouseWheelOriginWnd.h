// The small child window that marks where middle-button panning started:
// the mouse moving away from it scrolls the window it sits on.
#pragma once

#include "platform/Afx.h"
#include "platform/gfx/GdiObject.h"
#include "platform/framework/CWnd.h"

class CGXMouseWheelOriginWnd : public CWnd {
 public:
  // A visible, borderless child of `parent` at `rect`, showing bitmap
  // resource `bitmapId` (loaded once).
  BOOL Create(CWnd* parent, const CRect& rect, UINT bitmapId);
  using CWnd::Create;
  CBitmap& GetBitmap() { return m_bitmap; }

 protected:
  void OnPaint() override;

 private:
  CBitmap m_bitmap;
};
