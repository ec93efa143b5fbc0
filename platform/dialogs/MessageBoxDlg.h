// The message box as a dialog: laid out from its text (width from the text
// extent, wrapped when long), an icon drawn for the MB_ICON kind, and one
// row of buttons for the MB_ button set with the MB_DEFBUTTON default.
// MessageBox (platform/dialogs/MessageBox.h) runs it modally on a display host; in
// the headless host the box is answered by the test responder instead, and
// these functions are used to lay it out and picture it.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/types.h"

namespace msgbox {

struct Button {
  int id;              // IDOK, IDCANCEL, ...
  std::string label;   // with its access key
  RECT rect;           // client coordinates
};

struct Layout {
  SIZE client{0, 0};
  RECT icon{0, 0, 0, 0};  // empty without an icon
  RECT text{0, 0, 0, 0};
  std::vector<Button> buttons;
  int defaultId = 1;  // IDOK
};

// The buttons of a button set, left to right (OK alone for an unknown set).
std::vector<std::pair<int, std::string>> ButtonsOf(UINT type);
Layout ComputeLayout(const std::string& text, UINT type);
// The box as a modeless window (shown), for pictures and tests.
HWND Create(HWND owner, const char* text, const char* caption, UINT type);
// Runs the box modally; the ID* code of the button pressed.
int Run(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace msgbox
