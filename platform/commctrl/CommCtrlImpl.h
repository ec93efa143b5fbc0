// Internal to the common controls (platform/commctrl/*.cpp): their window
// procedures and the drawing pieces they share with the standard controls
// (platform/CtlCommon.h).
#pragma once

#include "platform/controls/CtlCommon.h"
#include "platform/window/CommCtrlDefs.h"

WNDPROC TabCtrlWindowProc();
WNDPROC HeaderWindowProc();
WNDPROC ListViewWindowProc();
WNDPROC UpDownWindowProc();
WNDPROC TreeViewWindowProc();
WNDPROC MonthCalWindowProc();

namespace cc {

// The font a control draws with: the one set by WM_SETFONT, else the dialog font.
inline HFONT FontOr(HFONT f) { return f ? f : ctl::DefaultFont(); }

// The position a scroll-bar code asks for, from `pos` with the given line
// and page steps (the bar's tracking position while the thumb moves; far
// beyond either end for SB_TOP and SB_BOTTOM, for the caller to clamp).
int ScrollTarget(HWND hwnd, int bar, UINT code, int pos, int line, int page);

// Draws `text` in `r` with the DC's current colours in `font`.
void DrawLabel(CDC* dc, HFONT font, const char* text, RECT r, UINT format);

}  // namespace cc
