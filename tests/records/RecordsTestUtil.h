// Helpers of the record dialogs' tests: a modal dialog run with a script,
// a control's state, and the fixture year with its settings file.
#pragma once

#include <functional>
#include <string>

#include "app/AppTestUtil.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "platform/window/Window.h"

// Runs `run` (which makes and runs the dialog) while `script` drives the
// window whose caption contains `caption`; the loop ends with IDABORT when
// the script left the dialog open.
inline void Drive(const std::string& caption, std::function<void(HWND)> script, const std::function<void()>& run) {
  automation::OnDialog(caption, std::move(script), IDABORT);
  run();
}

inline bool Enabled(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }
inline bool Visible(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != 0; }

inline std::string Caption(HWND h) {
  char text[256] = "";
  GetWindowText(h, text, sizeof text);
  return text;
}

// Moves the focus to a control and away again (to `next`), as Tab would.
inline void FocusThrough(HWND dlg, int id, int next) {
  SetFocus(GetDlgItem(dlg, id));
  automation::PumpUntilIdle();
  SetFocus(GetDlgItem(dlg, next));
  automation::PumpUntilIdle();
}
