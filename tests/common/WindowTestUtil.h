// Window geometry helpers shared by the common tests.
#pragma once

#include <string>

#include "platform/dialogs/DlgTemplate.h"
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

// A window's text.
inline std::string WindowText(HWND h) {
  char buf[256] = "";
  GetWindowText(h, buf, sizeof buf);
  return buf;
}

// Registers dialog template `id`: two bordered edits, ids 101 and 102, one
// above the other, under `caption`. False with the problem in `error`.
inline bool AddTwoEditDialog(int id, const char* caption, std::string* error) {
  const std::string text = "dialog " + std::to_string(id) + "\n  caption \"" + caption +
                           "\"\n"
                           "  rect 0 0 160 60\n"
                           "  style WS_POPUP | WS_CAPTION | WS_VISIBLE\n"
                           "  control Edit 101 \"\" 10 10 60 12 WS_BORDER | WS_TABSTOP\n"
                           "  control Edit 102 \"\" 10 30 60 12 WS_BORDER | WS_TABSTOP\n"
                           "end\n";
  return AddDialogTemplates(text, "two-edits.dlg", error);
}
