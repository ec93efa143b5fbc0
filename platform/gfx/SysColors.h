// The classic system-colour table (COLOR_ indices) and its brushes.
#pragma once

#include "platform/window/Messages.h"
#include "platform/base/types.h"

COLORREF GetSysColor(int index);  // 0 for an unknown index
// A shared brush of the colour, owned by the layer (never deleted by callers).
HBRUSH GetSysColorBrush(int index);
// Changes colours and sends WM_SYSCOLORCHANGE to every top-level window.
BOOL SetSysColors(int count, const int* indices, const COLORREF* colors);
