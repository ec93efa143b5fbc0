// Helpers of the record dialogs' tests: a modal dialog run with a script,
// a control's state, and the fixture year with its settings file.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/AppTestUtil.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/Window.h"

// Runs `run` (which makes and runs the dialog) while `script` drives the
// window whose caption contains `caption`; the loop ends with IDABORT when
// the script left the dialog open.
inline void Drive(const std::string& caption, std::function<void(HWND)> script, const std::function<void()>& run) {
  automation::OnDialog(caption, std::move(script), IDABORT);
  run();
}

// The fixture of the dialog tests: no window is left from an earlier test,
// and every expected message box or dialog was met.
class RecordDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { automation::ResetWindows(); }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }
};

// Runs the record dialog `Dlg` at key position `*pos` (adding when `adding`)
// while `script` drives the window captioned `caption`; `prepare` sets the
// dialog's own members before the load. The dialog's end code.
template <class Dlg>
int RunRecordDlg(const std::string& caption, int* pos, bool adding, std::function<void(HWND)> script,
                 const std::function<void(Dlg&)>& prepare = nullptr) {
  int result = 0;
  Drive(caption, std::move(script), [&] {
    Dlg dlg;
    dlg.m_bNew = adding;
    if (prepare) prepare(dlg);
    dlg.m_pCurPos = pos;
    ASSERT_EQ(dlg.LoadRecord(1), 1);
    result = static_cast<int>(dlg.DoModal());
  });
  return result;
}

// The text of a list view's cell.
inline std::string ListCell(HWND list, int row, int column) {
  char text[128] = "";
  LVITEM item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
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
