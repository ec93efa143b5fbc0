// GetWindowPlacement and SetWindowPlacement over the window functions.
#include "platform/window/Window.h"

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  if (!IsWindow(hwnd) || !placement || placement->length != sizeof(WINDOWPLACEMENT)) return FALSE;
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  HWND parent = GetParent(hwnd);
  if ((GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) && parent) MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&rect), 2);
  placement->flags = 0;
  if (IsIconic(hwnd))
    placement->showCmd = SW_SHOWMINIMIZED;
  else if (IsZoomed(hwnd))
    placement->showCmd = SW_SHOWMAXIMIZED;
  else
    placement->showCmd = (GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) ? SW_SHOWNORMAL : SW_HIDE;
  placement->ptMinPosition = POINT{-1, -1};
  placement->ptMaxPosition = POINT{-1, -1};
  placement->rcNormalPosition = rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  if (!IsWindow(hwnd) || !placement || placement->length != sizeof(WINDOWPLACEMENT)) return FALSE;
  const RECT& r = placement->rcNormalPosition;
  SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!IsWindow(hwnd)) return FALSE;
  ShowWindow(hwnd, static_cast<int>(placement->showCmd));
  return TRUE;
}
