// Helpers the platform test fixtures share: test window classes registered
// once, windows made from a rectangle, and message logs read and emptied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/SysColors.h"
#include "platform/window/Window.h"

namespace platformtest {

using Log = std::vector<std::string>;

// Registers a window class of the tests unless it is there already (from an
// earlier test); `background` is a COLOR_ index.
inline void registerClassOnce(const char* name, WNDPROC proc, int background, UINT style = 0) {
  WNDCLASS wc;
  if (GetClassInfo(nullptr, name, &wc)) return;
  wc = WNDCLASS{};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(background + 1));
  wc.lpszClassName = name;
  RegisterClass(&wc);
}

// A window of class `cls` covering `r` (parent client coordinates for a
// child, the screen for a top-level window); `id` is a child's id.
inline HWND createAt(DWORD ex, const char* cls, const char* text, DWORD style, RECT r, HWND parent = nullptr,
                     int id = 0) {
  return CreateWindowEx(ex, cls, text, style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                        reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
}

// What the log holds; the log is emptied.
inline Log takeAll(Log& log) {
  Log out = log;
  log.clear();
  return out;
}

}  // namespace platformtest
