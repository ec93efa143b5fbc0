// Pictures of windows as a user sees them: a top-level window together with
// the visible pop-ups it owns (a dropped list, an open menu), each at its
// screen position, on a margin of desktop colour.
#pragma once

#include <string>

#include "platform/base/types.h"

// Writes the picture as a PNG; false when the window is unknown or the file
// cannot be written.
bool SnapshotToPng(HWND top, const std::string& path, int margin = 8);
