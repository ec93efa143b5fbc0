// CStatic: the framework's wrapper of a "Static" control.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
 public:
  CStatic() = default;
  using CWnd::Create;  // the generic form stays callable
  BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);

  HBITMAP SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
  HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
  HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
  HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }

  virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
