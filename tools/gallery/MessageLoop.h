// The gallery's loop for windows on the display: messages pass the
// windows' PreTranslateMessage (dialog keys, accelerators) until WM_QUIT.
#pragma once

#include "platform/framework/CWnd.h"

namespace gallery {

inline void RunMessageLoop() {
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) > 0) {
    if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
}

}  // namespace gallery
