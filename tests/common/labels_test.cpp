// Labels renamed in place, labels whose captions the user settings keep,
// and the pick label's choices.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CommonTestUtil.h"
#include "common/EditLabel.h"
#include "common/PhoneTypes.h"
#include "common/PickLabel.h"
#include "common/Settings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"

namespace {

const char kTemplate[] =
    "dialog 7904\n"
    "  caption \"Labels\"\n"
    "  rect 0 0 200 80\n"
    "  style WS_POPUP | WS_CAPTION | WS_VISIBLE\n"
    "  control Static 101 \"Category &1:\" 20 10 60 8\n"
    "  control Edit 102 \"\" 90 8 80 12 WS_BORDER | WS_TABSTOP\n"
    "  control Static 103 \"\" 20 40 60 8\n"
    "  control Edit 104 \"\" 90 38 80 12 WS_BORDER | WS_TABSTOP\n"
    "end\n";

class Labels : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kTemplate, "labels.dlg", &error)) << error;
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
  }
  void TearDown() override {
    automation::ClearResponder();
    automation::ResetWindows();
  }
  std::string Text(HWND h) {
    char buf[64] = "";
    GetWindowText(h, buf, sizeof buf);
    return buf;
  }
  std::string StoredLabel(char key) {
    SettingsSection* s = OpenSettingsSection(SettingsFileName, "LABELS");
    char out[256] = "";
    GetSettingText(s, key, "", out);
    CloseSettingsSection(s);
    return out;
  }
  void Click(HWND h) {
    automation::AdvanceClock(1000);
    automation::Click(h, POINT{2, 2});
    automation::PumpUntilIdle();
  }

  TempFolder dir;
};

}  // namespace

TEST_F(Labels, InPlaceEditingKeepsOrRestoresTheCaption) {
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(7904));
  CEditLabel label;
  ASSERT_EQ(label.SubclassDlgItem(101, &dlg, 102), 1);
  HWND h = label.GetSafeHwnd();
  HWND buddy = GetDlgItem(dlg.GetSafeHwnd(), 102);

  const struct {
    const char* typed;
    UINT endKey;
    const char* caption;
  } cases[] = {{"Tents:", VK_RETURN, "Tents:"}, {"Stoves:", VK_ESCAPE, "Tents:"}, {"Ropes:", VK_TAB, "Ropes:"}};
  for (const auto& c : cases) {
    Click(h);
    HWND edit = GetFocus();
    ASSERT_NE(edit, h);
    EXPECT_FALSE(IsWindowVisible(h));
    automation::TypeText(c.typed);
    automation::PressKey(c.endKey);
    automation::PumpUntilIdle();
    EXPECT_EQ(Text(h), c.caption) << c.typed;
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetFocus(), buddy);
    EXPECT_FALSE(IsWindow(edit));
  }
  // The in-place edit holds at most 20 characters.
  Click(h);
  automation::TypeText("abcdefghijklmnopqrstuvwxyz");
  automation::PumpUntilIdle();
  SetFocus(buddy);  // leaving ends the editing too
  automation::PumpUntilIdle();
  EXPECT_EQ(Text(h), "abcdefghijklmnopqrst");
}

TEST_F(Labels, StoredCaptionsAreCutTo15Characters) {
  {
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(7904));
    CLabelStatic label;
    ASSERT_EQ(label.SubclassDlgItem(101, &dlg, 102, "Category &1:", 'A'), 1);
    EXPECT_EQ(Text(label.GetSafeHwnd()), "Category &1:");
    Click(label.GetSafeHwnd());
    automation::TypeText("Winter camping gear");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    dlg.DestroyWindow();
  }
  EXPECT_EQ(StoredLabel('A'), "Winter camping ");
  CDialog again;
  ASSERT_TRUE(again.Create(7904));
  CLabelStatic label;
  ASSERT_EQ(label.SubclassDlgItem(101, &again, 102, "Category &1:", 'A'), 1);
  EXPECT_EQ(Text(label.GetSafeHwnd()), "Winter camping ");
  again.DestroyWindow();
}

TEST_F(Labels, PickLabelChoices) {
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(7904));
  int changed = 0;
  CPickLabel pick;
  ASSERT_EQ(pick.SubclassDlgItem(103, &dlg, &changed), 1);
  pick.AddChoices(PhoneTypeList.GetNames());
  HWND h = pick.GetSafeHwnd();

  auto load = [&](const char* value) {
    CDataExchange dx(&dlg, FALSE);
    CString v = value;
    DDX_PickLabel(&dx, pick, v);
  };
  auto save = [&]() {
    CDataExchange dx(&dlg, TRUE);
    CString v;
    DDX_PickLabel(&dx, pick, v);
    return std::string(static_cast<LPCTSTR>(v));
  };
  load("Cellular");
  EXPECT_EQ(Text(h), "Cellular:");
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(save(), "Cellular");
  changed = 0;
  load("cellular");  // not one of the choices
  EXPECT_EQ(Text(h), "");
  EXPECT_EQ(save(), "");
  EXPECT_EQ(changed, 0);

  automation::ExpectMessageBox("", "Home Phone|Work Phone", 2);
  Click(h);
  EXPECT_EQ(Text(h), "Work Phone:");
  EXPECT_EQ(changed, 1);
  // Choosing the present choice again changes nothing.
  changed = 0;
  automation::ExpectMessageBox("", "Home Phone|Work Phone", 2);
  Click(h);
  EXPECT_EQ(Text(h), "Work Phone:");
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(pick.SetSel(9), -1);
  EXPECT_EQ(Text(h), "");
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

// A label made while another dialog's labels are up shares their open
// section; when the last label goes, the section is closed, none leaks.
TEST_F(Labels, LabelsOfTwoDialogsShareOneSectionAndCloseIt) {
  CDialog first;
  ASSERT_TRUE(first.Create(7904));
  CLabelStatic a;
  ASSERT_EQ(a.SubclassDlgItem(101, &first, 102, "Category &1:", 'A'), 1);
  {
    CDialog second;
    ASSERT_TRUE(second.Create(7904));
    CLabelStatic b;
    ASSERT_EQ(b.SubclassDlgItem(101, &second, 102, "Category &2:", 'B'), 1);
    EXPECT_EQ(SettingsFileUseCount(SettingsFileName), 1);
    second.DestroyWindow();
  }
  EXPECT_EQ(SettingsFileUseCount(SettingsFileName), 1);
  first.DestroyWindow();
  EXPECT_EQ(SettingsFileUseCount(SettingsFileName), 0);
  EXPECT_EQ(StoredLabel('A'), "Category &1:");
  EXPECT_EQ(StoredLabel('B'), "Category &2:");
}
