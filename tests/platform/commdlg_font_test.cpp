// The font dialog: faces of the program's fonts, a LOGFONT in and out,
// the size limit and the refusals of what is not in the lists.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/commdlg/FontDialog.h"
#include "platform/gfx/FontEngine.h"
#include "tests/platform/commdlg_support.h"

using namespace commdlgtest;

namespace {

class FontDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { automation::ResetWindows(); }
  void TearDown() override { automation::ResetWindows(); }
};

TEST_F(FontDialogTest, FacesAreTheScalableFontsThatExist) {
  const std::vector<std::string> faces = fonts::ScalableFamilies();
  ASSERT_FALSE(faces.empty());
  EXPECT_NE(std::find(faces.begin(), faces.end(), "Liberation Mono"), faces.end());
  EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end()));
}

TEST_F(FontDialogTest, StartsOnTheGivenFontAndReturnsThePickedOne) {
  // The older system's face name starts on the family it is drawn with.
  LOGFONT lf{};
  std::strcpy(lf.lfFaceName, "Courier New");
  lf.lfHeight = -13;  // 10 points at 96 dpi
  lf.lfWeight = FW_BOLD;
  CFontDialog dlg(&lf, CF_TTONLY | CF_SCALABLEONLY | CF_FORCEFONTEXIST | CF_BOTH | CF_LIMITSIZE |
                           CF_INITTOLOGFONTSTRUCT);
  dlg.m_cf.nSizeMin = 4;
  dlg.m_cf.nSizeMax = 12;
  std::string face, style, size;
  std::vector<std::string> sizes;
  bool helpShown = true;
  automation::OnDialog("Font", [&](HWND h) {
    face = ItemText(h, cmb1);
    style = ItemText(h, cmb2);
    size = ItemText(h, cmb3);
    sizes = ListTexts(h, cmb3, true);
    helpShown = IsWindowVisible(GetDlgItem(h, pshHelp));
    // Pick another face from its list, an italic style and a size.
    const std::vector<std::string> faces = ListTexts(h, cmb1, true);
    const int serif = static_cast<int>(std::find(faces.begin(), faces.end(), "Liberation Serif") - faces.begin());
    SendDlgItemMessage(h, cmb1, CB_SETCURSEL, serif, 0);
    SendMessage(h, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(h, cmb1)));
    SetDlgItemText(h, cmb2, "Italic");
    SetDlgItemText(h, cmb3, "12");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
  }, IDCANCEL);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(face, "Liberation Mono");
  EXPECT_EQ(style, "Bold");
  EXPECT_EQ(size, "10");
  EXPECT_EQ(sizes, (std::vector<std::string>{"8", "9", "10", "11", "12"}));
  EXPECT_FALSE(helpShown);
  EXPECT_EQ(std::string(dlg.GetFaceName()), "Liberation Serif");
  EXPECT_EQ(dlg.GetSize(), 120);
  EXPECT_TRUE(dlg.IsItalic());
  EXPECT_FALSE(dlg.IsBold());
  EXPECT_EQ(std::string(dlg.GetStyleName()), "Italic");
  LOGFONT out{};
  dlg.GetCurrentFont(&out);
  EXPECT_EQ(out.lfHeight, -16);
  EXPECT_EQ(out.lfWeight, FW_NORMAL);
}

TEST_F(FontDialogTest, RefusesAnUnknownFaceAndASizeBeyondTheLimit) {
  LOGFONT lf{};
  std::strcpy(lf.lfFaceName, "Liberation Sans");
  lf.lfHeight = -16;
  CHOOSEFONT cf;
  cf.lpLogFont = &lf;
  cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST | CF_LIMITSIZE | CF_SCREENFONTS;
  cf.nSizeMin = 6;
  cf.nSizeMax = 12;
  automation::ExpectMessageBox("Font", "There is no font with that name", IDOK);
  automation::ExpectMessageBox("Font", "Size must be between 6 and 12 points.", IDOK);
  automation::ExpectMessageBox("Font", "Size must be a number.", IDOK);
  automation::OnDialog("Font", [&](HWND h) {
    SetDlgItemText(h, cmb1, "No Such Face");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    SetDlgItemText(h, cmb1, "liberation sans");
    SetDlgItemText(h, cmb3, "14");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    SetDlgItemText(h, cmb3, "big");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    SetDlgItemText(h, cmb3, "10.5");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
  }, IDCANCEL);
  EXPECT_TRUE(ChooseFont(&cf));
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(cf.iPointSize, 105);
  EXPECT_STREQ(lf.lfFaceName, "Liberation Sans");
  EXPECT_EQ(lf.lfHeight, -14);
  EXPECT_EQ(cf.nFontType & (SCREEN_FONTTYPE | REGULAR_FONTTYPE), SCREEN_FONTTYPE | REGULAR_FONTTYPE);
}

TEST_F(FontDialogTest, AnInvertedSizeLimitIsAnError) {
  LOGFONT lf{};
  CHOOSEFONT cf;
  cf.lpLogFont = &lf;
  cf.Flags = CF_LIMITSIZE;
  cf.nSizeMin = 12;
  cf.nSizeMax = 6;
  EXPECT_FALSE(ChooseFont(&cf));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CFERR_MAXLESSTHANMIN));
}

}  // namespace
