// A dialog of two edits whose first one carries the control under test:
// typing into it, leaving it for the second, and exchanging its value.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "WindowTestUtil.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/testing/Automation.h"

// `Exchange` is the control's DDX_ function.
template <class Control, auto Exchange>
class FieldDialogTest : public ::testing::Test {
 protected:
  // Opens dialog `id`; the test then attaches `control` to item 101 and
  // calls Bind.
  void OpenDialog(int id, const char* caption) {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddTwoEditDialog(id, caption, &error)) << error;
    ASSERT_TRUE(dlg.Create(static_cast<UINT>(id)));
  }
  void Bind() {
    field = control.GetSafeHwnd();
    other = GetDlgItem(dlg.GetSafeHwnd(), 102);
  }
  void TearDown() override {
    automation::ClearResponder();
    automation::ResetWindows();
  }

  std::string Text() { return WindowText(field); }
  void Type(const std::string& keys) {
    automation::TypeText(keys);
    automation::PumpUntilIdle();
  }
  void Leave() {
    SetFocus(other);
    automation::PumpUntilIdle();
  }
  void Load(const CString& value) {
    CDataExchange dx(&dlg, FALSE);
    CString v = value;
    Exchange(&dx, control, v);
  }
  CString Save() {
    CDataExchange dx(&dlg, TRUE);
    CString v;
    Exchange(&dx, control, v);
    return v;
  }

  CDialog dlg;
  Control control;
  HWND field = nullptr;
  HWND other = nullptr;
};
