// The up-down control with a buddy edit: it takes the window before it as
// its buddy and sits at its right edge, steps within its range (held
// buttons repeat, arrow keys in the buddy step), shows the position in the
// buddy, reads a typed number back, and the parent may refuse a step.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/commctrl/UpDown.h"

namespace {

const char* kSpinDialog = R"(
dialog 7701
  caption "Labels"
  rect 0 0 150 60
  control Edit 1275 "" 60 7 40 12 WS_BORDER | WS_TABSTOP
  control msctls_updown32 1700 "" 0 0 0 0 UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS
end
)";

class SpinDialog : public CDialog {
 public:
  SpinDialog() : CDialog(7701) {}
  int scrolls = 0;
  bool refuse = false;

 protected:
  void OnVScroll(UINT code, UINT, CScrollBar*) override { scrolls += code == SB_THUMBPOSITION; }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    if (reinterpret_cast<NMHDR*>(lParam)->code == UDN_DELTAPOS) {
      *pResult = refuse;
      return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
  }
};

class UpDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kSpinDialog, "spin", &error)) << error;
    ASSERT_TRUE(dlg.Create(7701));
    dlg.ShowWindow(SW_SHOW);
    spin.SubclassDlgItem(1700, &dlg);
    spin.SetRange(1, 500);
    spin.SetPos(1);
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    spin.UnsubclassWindow();
    dlg.DestroyWindow();
    automation::ResetWindows();
  }
  CString text() {
    CString s;
    dlg.GetDlgItemText(1275, s);
    return s;
  }
  POINT upPoint() {
    RECT r;
    spin.GetClientRect(&r);
    return POINT{r.right / 2, 2};
  }

  SpinDialog dlg;
  CSpinButtonCtrl spin;
};

TEST_F(UpDownTest, SitsInsideTheBuddyAndShowsThePosition) {
  EXPECT_EQ(spin.GetBuddy()->m_hWnd, dlg.GetDlgItem(1275)->m_hWnd);
  RECT edit, s;
  ::GetWindowRect(dlg.GetDlgItem(1275)->m_hWnd, &edit);
  spin.GetWindowRect(&s);
  EXPECT_EQ(edit.right, s.left);
  EXPECT_EQ(edit.top, s.top);
  EXPECT_EQ(edit.bottom, s.bottom);
  EXPECT_EQ(text(), CString("1"));
  int lo, hi;
  spin.GetRange(lo, hi);
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 500);
}

TEST_F(UpDownTest, ClicksStepWithinTheRangeAndAHeldButtonRepeats) {
  automation::Click(spin.m_hWnd, upPoint());
  automation::PumpUntilIdle();
  EXPECT_EQ(text(), CString("2"));
  EXPECT_EQ(dlg.scrolls, 1);
  automation::MouseDown(spin.m_hWnd, upPoint());
  automation::AdvanceClock(500 + 3 * 100);
  automation::MouseUp(spin.m_hWnd, upPoint());
  automation::PumpUntilIdle();
  EXPECT_EQ(text(), CString("7"));  // the press, then the first repeat and three more
  spin.SetPos(499);
  automation::Click(spin.m_hWnd, upPoint());
  automation::Click(spin.m_hWnd, upPoint());
  automation::PumpUntilIdle();
  EXPECT_EQ(spin.GetPos32(), 500);
}

TEST_F(UpDownTest, TypedNumbersAreReadBackAndArrowKeysInTheBuddyStep) {
  dlg.GetDlgItem(1275)->SetWindowText("1,200");
  BOOL error = FALSE;
  spin.GetPos32(&error);
  EXPECT_TRUE(error);  // outside the range
  dlg.GetDlgItem(1275)->SetWindowText("42");
  EXPECT_EQ(spin.GetPos32(&error), 42);
  EXPECT_FALSE(error);
  dlg.GetDlgItem(1275)->SetFocus();
  automation::PressKey(VK_UP);
  automation::PumpUntilIdle();
  EXPECT_EQ(text(), CString("43"));
  dlg.refuse = true;
  automation::PressKey(VK_DOWN);
  automation::PumpUntilIdle();
  EXPECT_EQ(text(), CString("43"));
  spin.SetRange32(0, 5000);
  spin.SetPos(1234);
  EXPECT_EQ(text(), CString("1,234"));
}

}  // namespace
