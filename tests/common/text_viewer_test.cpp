// The text viewer: its remembered size, the smallest size it allows, the
// keys that close it and a file that cannot be read.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "CommonTestUtil.h"
#include "common/DlgUtil.h"
#include "common/Settings.h"
#include "common/TextViewDlg.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

class TextViewer : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    file = dir / "log.txt";
    std::ofstream(file) << "Account 101\r\nCamp Fund\r\n";
  }
  void TearDown() override {
    automation::ClearResponder();
    automation::ResetWindows();
  }
  static SIZE SizeOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }
  static RECT Child(HWND h, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(h, id), &r);
    return r;
  }

  TempFolder dir;
  std::string file;
};

}  // namespace

TEST_F(TextViewer, RemembersItsSizeAndNeverShrinksBelowItsTemplate) {
  SIZE templ{};
  std::string shown;
  automation::OnDialog(
      "Log",
      [&](HWND h) {
        templ = SizeOf(h);
        char text[128] = "";
        GetWindowText(GetDlgItem(h, IDC_TEXTVIEW_TEXT), text, sizeof text);
        shown = text;
        const RECT editBefore = Child(h, IDC_TEXTVIEW_TEXT);
        const RECT closeBefore = Child(h, IDCANCEL);
        SetWindowPos(h, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
        automation::PumpUntilIdle();
        const RECT editAfter = Child(h, IDC_TEXTVIEW_TEXT);
        const RECT closeAfter = Child(h, IDCANCEL);
        const int dx = 700 - templ.cx, dy = 500 - templ.cy;
        EXPECT_EQ(editAfter.right - editBefore.right, dx);
        EXPECT_EQ(editAfter.bottom - editBefore.bottom, dy);
        EXPECT_EQ(editAfter.left, editBefore.left);
        EXPECT_EQ(closeAfter.left - closeBefore.left, dx);
        EXPECT_EQ(closeAfter.top - closeBefore.top, dy);
        // Enter does not close it; Esc does.
        automation::PressKey(VK_RETURN);
        automation::PumpUntilIdle();
        EXPECT_TRUE(IsWindow(h));
        automation::PressKey(VK_ESCAPE);
        automation::PumpUntilIdle();
      },
      IDOK);
  EXPECT_FALSE(ShowTextFile(file.c_str(), "Log"));
  EXPECT_EQ(shown, "Account 101\r\nCamp Fund\r\n");

  SIZE reopened{};
  RECT at{};
  automation::OnDialog(
      "Log",
      [&](HWND h) {
        reopened = SizeOf(h);
        GetWindowRect(h, &at);
        // Dragged smaller than the template, it snaps back.
        SetWindowPos(h, nullptr, 0, 0, 100, 80, SWP_NOMOVE | SWP_NOZORDER);
        automation::PumpUntilIdle();
        const SIZE snapped = SizeOf(h);
        EXPECT_EQ(snapped.cx, templ.cx);
        EXPECT_EQ(snapped.cy, templ.cy);
        automation::Click(GetDlgItem(h, IDCANCEL), POINT{5, 5});
        automation::PumpUntilIdle();
      },
      IDOK);
  EXPECT_FALSE(ShowTextFile(file.c_str(), "Log"));
  EXPECT_EQ(reopened.cx, 700);
  EXPECT_EQ(reopened.cy, 500);
  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_NEAR(at.left, (screenW - 700) / 2, 1);

  // The snapped size is the one remembered.
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "SCAN");
  char x[32] = "", y[32] = "";
  GetSettingString(s, 'X', nullptr, "", "%s", x);
  GetSettingString(s, 'Y', nullptr, "", "%s", y);
  CloseSettingsSection(s);
  EXPECT_EQ(std::to_string(templ.cx), x);
  EXPECT_EQ(std::to_string(templ.cy), y);
}

TEST_F(TextViewer, AFileThatCannotBeReadShowsTheErrorAndCloses) {
  automation::ExpectMessageBox("", "", IDOK);
  EXPECT_FALSE(ShowTextFile((dir / "missing.txt").c_str(), "Log"));
  ASSERT_FALSE(automation::ModalLog().empty());
  EXPECT_EQ(automation::FindByCaption("Log"), nullptr);
}
