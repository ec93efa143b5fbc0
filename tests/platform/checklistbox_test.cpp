// The check-list box: a click on an item's box changes its check (by the
// check style) and tells the parent, a click on the text only selects,
// Space changes the current item, disabled items keep their check, and the
// caller's item data lives beside the checks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/commctrl/CheckListBox.h"

namespace {

const char* kHostDialog = R"(
dialog 7801
  caption "Checks"
  rect 0 0 150 100
end
)";

class HostDialog : public CDialog {
 public:
  HostDialog() : CDialog(7801) {}
  int changes = 0;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (HIWORD(wParam) == CLBN_CHKCHANGE) ++changes;
    return CDialog::OnCommand(wParam, lParam);
  }
};

class CheckListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kHostDialog, "checks", &error)) << error;
    ASSERT_TRUE(dlg.Create(7801));
    dlg.ShowWindow(SW_SHOW);
    // The grid's check-list drop-down makes its list with this style.
    ASSERT_TRUE(list.Create(0x200001 | 0x10800040, CRect(5, 5, 150, 120), &dlg, 900));
    for (const char* s : {"Red", "Green", "Blue"}) list.AddString(s);
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    dlg.DestroyWindow();
    automation::ResetWindows();
  }
  void clickItem(int index, int x) {
    RECT r;
    list.GetItemRect(index, &r);
    automation::Click(list.m_hWnd, POINT{r.left + x, (r.top + r.bottom) / 2});
    automation::PumpUntilIdle();
  }

  HostDialog dlg;
  CCheckListBox list;
};

TEST_F(CheckListTest, TheBoxChangesTheCheckAndTheTextOnlySelects) {
  EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWFIXED);
  clickItem(2, 6);
  EXPECT_EQ(list.GetCheck(2), 1);
  EXPECT_EQ(dlg.changes, 1);
  clickItem(1, 60);
  EXPECT_EQ(list.GetCheck(1), 0);
  EXPECT_EQ(list.GetCurSel(), 1);
  EXPECT_EQ(dlg.changes, 1);
  automation::PressKey(VK_SPACE);
  automation::PumpUntilIdle();
  EXPECT_EQ(list.GetCheck(1), 1);
  EXPECT_EQ(dlg.changes, 2);
  // Checks in the picture: the box of a checked item has the tick's ink.
  RECT r;
  list.GetItemRect(1, &r);
  bool ink = false;
  for (int x = r.left + 2; x < r.left + 15; ++x)
    for (int y = r.top; y < r.bottom; ++y) ink = ink || automation::PixelAt(list.m_hWnd, x, y) == RGB(0, 0, 0);
  EXPECT_TRUE(ink);
}

TEST_F(CheckListTest, CheckStylesDisabledItemsAndItemData) {
  list.SetCheckStyle(BS_AUTO3STATE);
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    clickItem(0, 6);
    seen.push_back(list.GetCheck(0));
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));
  list.Enable(2, FALSE);
  clickItem(2, 6);
  EXPECT_EQ(list.GetCheck(2), 0);
  list.SetCheckStyle(BS_CHECKBOX);
  clickItem(1, 6);
  EXPECT_EQ(list.GetCheck(1), 0);
  list.SetItemData(1, 77);
  list.SetCheck(1, 1);
  EXPECT_EQ(list.GetItemData(1), 77u);
  EXPECT_EQ(list.GetCheck(1), 1);
  list.DeleteString(0);
  EXPECT_EQ(list.GetItemData(0), 77u);
  EXPECT_EQ(list.GetCheck(5), -1);
}

}  // namespace
