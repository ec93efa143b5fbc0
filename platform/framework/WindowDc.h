// DCs of a window for the life of the object: the paint DC of WM_PAINT
// (BeginPaint/EndPaint), the client-area DC and the whole-window DC
// (GetDC/GetWindowDC, released with ReleaseDC).
#pragma once

#include "platform/gfx/Dc.h"
#include "platform/window/Painting.h"

class CWnd;

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)

 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd = nullptr;
};

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)

 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd = nullptr;
};

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)

 public:
  explicit CWindowDC(CWnd* wnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd = nullptr;
};
