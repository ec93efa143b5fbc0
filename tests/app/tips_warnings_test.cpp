// The tip of the day (order, wrap-around, the remembered position and the
// file's errors) and the optional warning's remembered choice.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdio>
#include <string>

#include "AppTestUtil.h"
#include "common/OptWarnDlg.h"
#include "app/TipDlg.h"
#include "common/CommonTestUtil.h"
#include "common/Settings.h"
#include "common/UnitVocab.h"
#include "platform/host/Keys.h"
#include "res/resource.h"

namespace {

class TipsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
    SetUnitType(0);
    tips = dir / "varntips.qdx";
    WriteTips("; tips of the day\n\nEvery &unit keeps one book.\n\tindented: a comment\n"
              " blank first: a comment\nTwo lines:\\nthe second.\r\nLast tip\n",
              1000000);
  }
  void TearDown() override {
    EXPECT_TRUE(automation::PendingExpectations().empty());
    automation::ClearResponder();
    automation::ResetWindows();
  }
  void WriteTips(const std::string& text, time_t stamp) {
    WriteBytes(tips, text);
    utimbuf times{stamp, stamp};
    utime(tips.c_str(), &times);
  }
  // The tip a new dialog starts with (the dialog is not shown).
  std::string StartTip() { return static_cast<const char*>(CTipDlg(tips.c_str()).GetTipText()); }

  TempFolder dir;
  std::string tips;
};

TEST_F(TipsTest, TipsComeInFileOrderAndRoundAgain) {
  EXPECT_EQ(StartTip(), "Every troop keeps one book.");
  EXPECT_EQ(StartTip(), "Two lines:\nthe second.");
  std::string shown, next;
  bool nextEnabled = false;
  automation::OnDialog(
      "Tip of the Day",
      [&](HWND h) {
        shown = FieldText(h, IDC_TIP_TEXT);
        Press(h, IDC_TIP_NEXT);
        next = FieldText(h, IDC_TIP_TEXT);
        nextEnabled = IsWindowEnabled(GetDlgItem(h, IDC_TIP_NEXT));
        Press(h, IDOK);
      },
      IDCANCEL);
  {
    CTipDlg dlg(tips.c_str());
    dlg.DoModal();
  }
  EXPECT_EQ(shown, "Last tip");
  EXPECT_EQ(next, "Every troop keeps one book.");
  EXPECT_TRUE(nextEnabled);
  EXPECT_EQ(StartTip(), "Two lines:\nthe second.");

  // A changed file starts again at its first tip.
  WriteTips("New first\nNew second\n", 2000000);
  EXPECT_EQ(StartTip(), "New first");
  EXPECT_EQ(StartTip(), "New second");
}

TEST_F(TipsTest, StartupBoxIsKeptOnlyByClose) {
  EXPECT_TRUE(CTipDlg(tips.c_str()).GetStartupFlag());
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    automation::OnDialog(
        "Tip of the Day",
        [&](HWND h) {
          CheckDlgButton(h, IDC_TIP_STARTUP, BST_UNCHECKED);
          automation::PressKey(key);
          automation::PumpUntilIdle();
        },
        IDCANCEL);
    CTipDlg dlg(tips.c_str());
    dlg.DoModal();
    EXPECT_EQ(static_cast<bool>(CTipDlg(tips.c_str()).GetStartupFlag()), key == VK_ESCAPE) << key;
  }
}

TEST_F(TipsTest, FileErrorsShowInPlaceOfTheTip) {
  const struct {
    const char* content;  // null: no file
    std::string tip;
  } cases[] = {
      {nullptr, "Tip-of-the-Day file is missing: " + tips},
      {"; only comments\n\n \tnothing\n", "Empty Tip-of-the-Day file"},
  };
  for (const auto& c : cases) {
    std::remove(tips.c_str());
    if (c.content) WriteTips(c.content, 3000000);
    bool nextEnabled = true;
    std::string shown;
    automation::OnDialog(
        "Tip of the Day",
        [&](HWND h) {
          shown = FieldText(h, IDC_TIP_TEXT);
          nextEnabled = IsWindowEnabled(GetDlgItem(h, IDC_TIP_NEXT));
        },
        IDOK);
    CTipDlg dlg(tips.c_str());
    dlg.DoModal();
    EXPECT_EQ(shown, c.tip);
    EXPECT_FALSE(nextEnabled);
  }
}

class OptWarnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::snprintf(SettingsFileName, sizeof SettingsFileName, "%s", (dir / "udata4.dat").c_str());
  }
  void TearDown() override {
    automation::ClearResponder();
    automation::ResetWindows();
  }
  TempFolder dir;
};

TEST_F(OptWarnTest, ShownUntilSwitchedOffAndEscapeRecordsLikeOk) {
  int shown = 0;
  std::string text;
  const auto run = [&](bool tick, UINT key) {
    automation::OnDialog(
        "One Moment, Please",
        [&](HWND h) {
          ++shown;
          text = FieldText(h, IDC_OPTWARN_TEXT);
          if (tick) CheckDlgButton(h, IDC_OPTWARN_DONTSHOW, BST_CHECKED);
          automation::PressKey(key);
          automation::PumpUntilIdle();
        },
        IDCANCEL);
    COptWarnDlg dlg(nullptr, 'B', "The initial owed amount is charged once.", 0);
    return dlg.DoModal();
  };
  EXPECT_EQ(run(false, VK_RETURN), IDOK);
  EXPECT_EQ(run(true, VK_ESCAPE), IDOK);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(text, "The initial owed amount is charged once.");
  // Switched off: the caller goes on as if OK had been pressed.
  EXPECT_EQ(run(false, VK_RETURN), IDOK);
  EXPECT_EQ(shown, 2);
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "OPTWARN");
  EXPECT_FALSE(GetSettingFlag(s, 'B', 1));
  CloseSettingsSection(s);
}

}  // namespace

TEST_F(TipsTest, BandIsWhiteWithItsPicture) {
  COLORREF band = 0, bulb = 0;
  automation::OnDialog(
      "Tip of the Day",
      [&](HWND h) {
        automation::PumpUntilIdle();
        RECT frame{};
        GetWindowRect(GetDlgItem(h, IDC_TIP_FRAME), &frame);
        POINT at{frame.left, frame.top};
        ScreenToClient(h, &at);
        band = automation::PixelAt(h, frame.right - frame.left + at.x - 4, at.y + 4);
        bulb = automation::PixelAt(h, at.x + 10, at.y + 20);  // inside the globe
      },
      IDOK);
  CTipDlg dlg(tips.c_str());
  dlg.DoModal();
  EXPECT_EQ(band, RGB(255, 255, 255));
  EXPECT_EQ(bulb, RGB(255, 230, 60));
}
