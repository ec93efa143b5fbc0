// Shared fixture of the dialog tests: a clean desk, a small dialog template
// with the usual controls, and a CDialog that records the commands it gets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/dialogs/DlgTemplate.h"

namespace dlgtest {

// Ids of the test dialog.
enum : int {
  kName = 101,
  kCheck = 102,
  kRed = 103,
  kGreen = 104,
  kBlue = 105,
  kHidden = 106,
  kApply = 107,
  kNumber = 108,
  kAmount = 109,
};

inline const char* kTemplates = R"(
# The test dialog: a labelled edit, a check box, a radio group, a hidden
# access-key button and three push buttons.
dialog IDD_TEST 7001
  caption "Test Dialog"
  rect 0 0 200 120
  font 8 "MS Sans Serif"
  style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
  control Static IDC_STATIC "&Name:" 7 7 40 8
  control Edit 101 "" 50 5 100 12 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
  control Button 102 "&Check" 7 22 60 10 BS_AUTOCHECKBOX | WS_TABSTOP
  control Button 103 "&Red" 7 36 40 10 BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP
  control Button 104 "&Green" 7 48 40 10 BS_AUTORADIOBUTTON
  control Button 105 "Blue" 7 60 40 10 BS_AUTORADIOBUTTON
  control Static IDC_STATIC "N&umber:" 70 36 40 8 WS_GROUP
  control Edit 108 "" 110 34 40 12 WS_BORDER | WS_TABSTOP
  control Edit 109 "" 110 50 40 12 WS_BORDER | WS_TABSTOP
  control Button 106 "&Hidden" 0 0 10 10 BS_PUSHBUTTON | NOT WS_VISIBLE | WS_GROUP
  control Button 107 "&Apply" 35 100 50 14 WS_TABSTOP | WS_GROUP
  control Button IDOK "OK" 90 100 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  control Button IDCANCEL "Cancel" 145 100 50 14 WS_TABSTOP
end
)";

class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(7001) {}
  std::vector<int> commands;  // ids of WM_COMMAND BN_CLICKED from buttons
  CString name;
  int check = 0;
  int radio = -1;
  int number = 0;
  double amount = 0;
  bool exchange = false;  // DoDataExchange active
  int minNumber = 0, maxNumber = 100;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == BN_CLICKED) commands.push_back(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
  void DoDataExchange(CDataExchange* pDX) override;
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kTemplates, "test", &error)) << error;
  }
  void TearDown() override {
    delete dlg;
    dlg = nullptr;
    automation::ResetWindows();
  }
  // The test dialog, modeless and shown.
  TestDialog* open(bool exchange = false) {
    dlg = new TestDialog;
    dlg->exchange = exchange;
    EXPECT_TRUE(dlg->Create(7001));
    dlg->ShowWindow(SW_SHOW);
    automation::PumpUntilIdle();
    return dlg;
  }
  HWND item(int id) { return ::GetDlgItem(dlg->m_hWnd, id); }
  static void key(UINT vk, bool shift = false, bool ctrl = false, bool alt = false) {
    automation::PressKey(vk, shift, ctrl, alt);
    automation::PumpUntilIdle();
  }
  static void type(const std::string& text) {
    automation::TypeText(text);
    automation::PumpUntilIdle();
  }
  bool isDefault(int id) {
    return (::GetWindowLong(item(id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  }

  TestDialog* dlg = nullptr;
};

}  // namespace dlgtest
