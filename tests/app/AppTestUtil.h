// Small helpers of the shell's dialog tests: typing into a field, pressing
// a button and reading a control's text.
#pragma once

#include <string>

#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

inline void SetField(HWND dlg, int id, const std::string& text) { SetWindowText(GetDlgItem(dlg, id), text.c_str()); }

inline std::string FieldText(HWND dlg, int id) {
  char buf[1024] = "";
  GetWindowText(GetDlgItem(dlg, id), buf, sizeof buf);
  return buf;
}

inline void Press(HWND dlg, int id) {
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
  automation::PumpUntilIdle();
}
