// Picture buttons: placement, the pressed shift, dithering when disabled,
// and their three drawing states kept as a golden picture.
#include <gtest/gtest.h>

#include <string>

#include "common/BmpButton.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/gfx/SysColors.h"
#include "platform/testing/Automation.h"
#include "support/GoldenImage.h"

namespace {

const char kTemplate[] =
    "dialog 7903\n"
    "  caption \"Pictures\"\n"
    "  rect 0 0 110 30\n"
    "  style WS_POPUP | WS_CAPTION | WS_VISIBLE\n"
    "  control Button 101 \"\" 4 4 30 16 BS_OWNERDRAW | WS_TABSTOP\n"
    "  control Button 102 \"\" 40 4 30 16 BS_OWNERDRAW | WS_TABSTOP\n"
    "  control Button 103 \"\" 76 4 30 16 BS_OWNERDRAW | WS_TABSTOP\n"
    "end\n";

constexpr int kPictureW = 20, kPictureH = 16;
const COLORREF kGreen = RGB(0, 128, 0);

class BmpButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kTemplate, "pictures.dlg", &error)) << error;
    ASSERT_TRUE(dlg.Create(7903));
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(buttons[i].SubclassDlgItem(101 + i, &dlg));
      buttons[i].SetBitmaps(325, 0, 0);
    }
    buttons[0].SetFocus();
    buttons[1].SetState(TRUE);
    buttons[2].EnableWindow(FALSE);
    automation::PumpUntilIdle();
  }
  void TearDown() override { automation::ResetWindows(); }

  // The picture's top-left corner in a button drawn at rest (centred).
  POINT Origin(int i) {
    RECT r{};
    buttons[i].GetClientRect(&r);
    return POINT{2 + (r.right - 4 - kPictureW) / 2, 2 + (r.bottom - 4 - kPictureH) / 2};
  }

  CDialog dlg;
  CBmpButton buttons[3];
};

}  // namespace

TEST_F(BmpButtons, PressedShiftsAndDisabledDithers) {
  const POINT at = Origin(0);
  EXPECT_EQ(automation::PixelAt(buttons[0].GetSafeHwnd(), at.x + 6, at.y + 6), kGreen);
  // Pressed: one border width right and down.
  const POINT down = Origin(1);
  // The green bar's top-right pixel (14, 6) lands at (15, 7).
  EXPECT_EQ(automation::PixelAt(buttons[1].GetSafeHwnd(), down.x + 15, down.y + 7), kGreen);
  EXPECT_NE(automation::PixelAt(buttons[1].GetSafeHwnd(), down.x + 14, down.y + 6), kGreen);
  // Disabled: every second pixel in the face colour, as a checkerboard.
  const POINT off = Origin(2);
  HWND h = buttons[2].GetSafeHwnd();
  EXPECT_EQ(automation::PixelAt(h, off.x + 6, off.y + 6), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(automation::PixelAt(h, off.x + 7, off.y + 6), kGreen);
  EXPECT_EQ(automation::PixelAt(h, off.x + 6, off.y + 7), kGreen);
  EXPECT_EQ(automation::PixelAt(h, off.x + 7, off.y + 7), GetSysColor(COLOR_BTNFACE));
}

TEST_F(BmpButtons, FocusedPressedAndDisabledMatchTheGoldenPicture) {
  EXPECT_TRUE(golden::Matches("common/bmp_buttons.png", [&](const std::string& path) {
    return automation::RenderToPng(dlg.GetSafeHwnd(), path);
  }));
}
