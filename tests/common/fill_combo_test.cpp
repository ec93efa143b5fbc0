// The fill combo's type-ahead completion and adding the typed text.
#include <gtest/gtest.h>

#include <string>

#include "common/FillCombo.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"

namespace {

const char kTemplate[] =
    "dialog 7905\n"
    "  caption \"Fill\"\n"
    "  rect 0 0 160 80\n"
    "  style WS_POPUP | WS_CAPTION | WS_VISIBLE\n"
    "  control ComboBox 101 \"\" 10 10 100 60 CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP\n"
    "end\n";

class FillCombo : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kTemplate, "fill.dlg", &error)) << error;
    ASSERT_TRUE(dlg.Create(7905));
    ASSERT_EQ(combo.SubclassDlgItem(101, &dlg), 1);
    EXPECT_EQ(combo.GetStyle() & (CBS_DROPDOWN | CBS_SORT), static_cast<DWORD>(CBS_DROPDOWN | CBS_SORT));
    combo.AddString("Tent");
    combo.AddString("Tarp");
    combo.SetFocus();
    automation::PumpUntilIdle();
  }
  void TearDown() override { automation::ResetWindows(); }

  std::string Text() {
    CString t;
    combo.GetWindowText(t);
    return static_cast<LPCTSTR>(t);
  }
  std::pair<int, int> Selection() {
    const DWORD sel = static_cast<DWORD>(combo.SendMessage(CB_GETEDITSEL));
    return {LOWORD(sel), HIWORD(sel)};
  }
  void Type(const std::string& keys) {
    automation::TypeText(keys);
    automation::PumpUntilIdle();
  }

  CDialog dlg;
  CFillCombo combo;
};

}  // namespace

TEST_F(FillCombo, TypeAheadCompletesAndBackspaceDoesNot) {
  Type("t");
  EXPECT_EQ(Text(), "Tarp");
  EXPECT_EQ(Selection(), std::make_pair(1, 4));
  Type("e");
  EXPECT_EQ(Text(), "Tent");
  EXPECT_EQ(Selection(), std::make_pair(2, 4));
  Type("\b");
  EXPECT_EQ(Text(), "Te");
  Type("x");
  EXPECT_EQ(Text(), "Tex");
}

TEST_F(FillCombo, AddCurrentTextAddsOnlyWhatNoEntryBeginsWith) {
  combo.SetWindowText("Ten");
  combo.AddCurrentText();
  EXPECT_EQ(combo.GetCount(), 2);
  combo.SetWindowText("Stove");
  combo.AddCurrentText();
  ASSERT_EQ(combo.GetCount(), 3);
  CString first;
  combo.GetLBText(0, first);
  EXPECT_EQ(first, "Stove");  // the list is sorted
}
