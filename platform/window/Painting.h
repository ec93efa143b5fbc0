// Invalidation, painting and window device contexts.
//
// Every window keeps an update region (client coordinates) and flags for a
// pending background erase and a pending frame paint. WM_PAINT is produced
// by the queue only when no other message waits, parents before children;
// BeginPaint erases (WM_ERASEBKGND), validates and hands out a DC clipped to
// the visible part of the update area. Because child windows draw into their
// top-level window's surface, a window painted over its children's area
// invalidates those children, which paint next.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/types.h"

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;  // TRUE when the background still needs erasing
  RECT rcPaint{0, 0, 0, 0};
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};
using LPPAINTSTRUCT = PAINTSTRUCT*;

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);        // client area, clipped to the visible part
HDC GetWindowDC(HWND hwnd);  // whole window including the frame
HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);

BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase);  // null: the whole client area
BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL ValidateRect(HWND hwnd, LPCRECT rect);
BOOL ValidateRgn(HWND hwnd, HRGN rgn);
BOOL UpdateWindow(HWND hwnd);  // paints the window and its children now
BOOL RedrawWindow(HWND hwnd, LPCRECT rect, HRGN rgn, UINT flags);
BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase);
BOOL LockWindowUpdate(HWND hwnd);

// Moves the pixels of the client area (or of `scroll`) by (dx, dy), limited
// to `clip`; with SW_INVALIDATE the uncovered part is invalidated (and
// erased with SW_ERASE); with SW_SCROLLCHILDREN child windows move along.
// `updateRgn`/`update` receive the uncovered part.
int ScrollWindowEx(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clip, HRGN updateRgn, LPRECT update,
                   UINT flags);
BOOL ScrollWindow(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clip);
