// The menu bar in a top-level window's frame, as the window layer's default
// non-client handling uses it. The menus layer above provides these; they
// are declared here so that the window layer needs nothing of that layer.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/base/types.h"

BOOL DestroyMenu(HMENU menu);

namespace menus {
void PaintBar(HWND frame);
void ClickBar(HWND frame, POINT screen);  // a press on the bar at a screen point
// Opens the bar from the keyboard: at the first item without selecting
// (ch 0: Alt or F10 alone), or at the item whose access key is ch. False
// when the window has no bar or no item answers.
bool KeyMenu(HWND frame, unsigned char ch);
}  // namespace menus
