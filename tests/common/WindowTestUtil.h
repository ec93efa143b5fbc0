// Window geometry helpers shared by the common tests.
#pragma once

#include "platform/window/Window.h"

// A child window's rectangle in its parent's client coordinates.
inline RECT RectInClient(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  POINT a{r.left, r.top}, b{r.right, r.bottom};
  ScreenToClient(parent, &a);
  ScreenToClient(parent, &b);
  return RECT{a.x, a.y, b.x, b.y};
}
