// The frame of a control's window procedure: a state record made at
// WM_NCCREATE and dropped at WM_NCDESTROY, every other message handed to the
// control's dispatcher with its record; and the one-time registration of a
// control class. Shared by the common controls and the bars.
#pragma once

#include "platform/controls/CtlCommon.h"

namespace ctl {

// State must have an `hwnd` member; Map returns the control's record map.
template <class State, StateMap<State>& (*Map)(), LRESULT (*Dispatch)(State*, HWND, UINT, WPARAM, LPARAM)>
LRESULT StatefulWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    Map().Make(hwnd)->hwnd = hwnd;
    return DefWindowProc(hwnd, msg, wp, lp);
  }
  State* s = Map().Get(hwnd);
  if (!s) return DefWindowProc(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    Map().Drop(hwnd);
    return DefWindowProc(hwnd, msg, wp, lp);
  }
  return Dispatch(s, hwnd, msg, wp, lp);
}

// Fills a control's client area with a system colour; the area.
inline RECT FillClient(CDC* dc, HWND hwnd, int colour) {
  RECT r;
  GetClientRect(hwnd, &r);
  dc->FillSolidRect(&r, GetSysColor(colour));
  return r;
}

// Registers a global class with the arrow cursor unless it exists already.
inline void RegisterClassOnce(const char* name, WNDPROC proc, UINT style) {
  WNDCLASS existing;
  if (GetClassInfo(nullptr, name, &existing)) return;
  WNDCLASS wc;
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClass(&wc);
}

}  // namespace ctl
