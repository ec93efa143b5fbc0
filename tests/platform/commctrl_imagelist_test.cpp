// Image lists: a strip cut into images, transparency by mask colour or
// mask bitmap, and the drawing styles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw_canvas.h"
#include "platform/base/Resources.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"
#include "platform/commctrl/ImageList.h"

namespace {

// A 32-bit bitmap from rows of legend characters.
HBITMAP Picture(const std::vector<std::string>& rows) {
  const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
  std::vector<BYTE> bits(static_cast<size_t>(w * h * 4), 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF c = RGB(0, 0, 0);
      for (const auto& [colour, ch] : drawtest::Legend())
        if (ch == rows[static_cast<size_t>(y)][static_cast<size_t>(x)]) c = colour;
      BYTE* p = &bits[static_cast<size_t>((y * w + x) * 4)];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  return CreateBitmap(w, h, 1, 32, bits.data());
}

TEST(ImageList, StripIsCutAndMaskColourShowsThrough) {
  CImageList list;
  ASSERT_TRUE(list.Create(3, 2, ILC_MASK, 0, 4));
  CBitmap strip;
  strip.Attach(Picture({"rfgfbb", "fr#ffg"}));
  EXPECT_EQ(list.Add(&strip, RGB(192, 192, 192)), 0);
  EXPECT_EQ(list.GetImageCount(), 2);
  EXPECT_EQ(list.Add(&strip, RGB(192, 192, 192)), 2) << "the next index";

  drawtest::Canvas canvas(8, 2, RGB(255, 255, 0));
  ASSERT_TRUE(list.Draw(&canvas.dc, 0, POINT{0, 0}, ILD_TRANSPARENT));
  ASSERT_TRUE(list.Draw(&canvas.dc, 1, POINT{4, 0}, ILD_TRANSPARENT));
  EXPECT_EQ(canvas.Rows(), (std::vector<std::string>{"rygyybby", "yr#yyygy"}));
  EXPECT_FALSE(list.Draw(&canvas.dc, 4, POINT{0, 0}, ILD_NORMAL)) << "no such image";
}

TEST(ImageList, BackgroundColourFillsTheMaskUnlessTransparent) {
  CImageList list;
  ASSERT_TRUE(list.Create(2, 1, ILC_MASK, 0, 4));
  CBitmap strip;
  strip.Attach(Picture({"rf"}));
  list.Add(&strip, RGB(192, 192, 192));
  list.SetBkColor(RGB(0, 0, 255));
  drawtest::Canvas canvas(4, 1, RGB(255, 255, 255));
  list.Draw(&canvas.dc, 0, POINT{0, 0}, ILD_NORMAL);
  list.Draw(&canvas.dc, 0, POINT{2, 0}, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::string>{"rbr."}));
}

TEST(ImageList, MaskBitmapAndUnmaskedLists) {
  CImageList masked, plain;
  ASSERT_TRUE(masked.Create(2, 1, ILC_MASK, 0, 1));
  ASSERT_TRUE(plain.Create(2, 1, ILC_COLOR24, 0, 1));
  CBitmap strip, mask;
  strip.Attach(Picture({"rg"}));
  mask.Attach(Picture({".#"}));  // white: transparent
  masked.Add(&strip, &mask);
  plain.Add(&strip, RGB(255, 0, 0));  // no mask in a list without ILC_MASK
  drawtest::Canvas canvas(4, 1, RGB(0, 0, 255));
  masked.Draw(&canvas.dc, 0, POINT{0, 0}, ILD_TRANSPARENT);
  plain.Draw(&canvas.dc, 0, POINT{2, 0}, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::string>{"bgrg"}));
}

TEST(ImageList, DisabledLookIsEmbossedFromTheDarkPixels) {
  CImageList list;
  ASSERT_TRUE(list.Create(3, 2, ILC_MASK, 0, 1));
  CBitmap strip;
  strip.Attach(Picture({"#.f", "ff."}));
  list.Add(&strip, RGB(192, 192, 192));
  drawtest::Canvas canvas(4, 3, RGB(0, 255, 0));
  ImageList_Draw(list, 0, canvas.dc.GetSafeHdc(), 0, 0, ILD_DISABLED);
  EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DSHADOW)) << "the dark pixel in the shadow colour";
  EXPECT_EQ(canvas.At(1, 1), GetSysColor(COLOR_3DHILIGHT)) << "its highlight one pixel down and right";
  EXPECT_EQ(canvas.At(1, 0), RGB(0, 255, 0)) << "light pixels leave the background";
}

// A grey body inside a dark outline is drawn as its outline, not a block:
// the tool bar's calculator picture is one.
TEST(ImageList, DisabledGreyBodyKeepsItsOutline) {
  CImageList list;
  ASSERT_TRUE(list.Create(5, 5, ILC_MASK, 0, 1));
  CBitmap strip;
  strip.Attach(Picture({"ddddd", "dSSSd", "dSdSd", "dSSSd", "ddddd"}));
  list.Add(&strip, RGB(192, 192, 192));
  drawtest::Canvas canvas(6, 6, RGB(0, 255, 0));
  ImageList_Draw(list, 0, canvas.dc.GetSafeHdc(), 0, 0, ILD_DISABLED);
  const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const bool outline = x == 0 || y == 0 || x == 4 || y == 4 || (x == 2 && y == 2);
      EXPECT_EQ(canvas.At(x, y) == shadow, outline) << x << "," << y;
    }
}

TEST(ImageList, DisabledCalculatorPictureIsNoBlock) {
  CBitmap strip;
  strip.Attach(LoadBitmapFile(ResourcePath("bitmaps/TOOLBAR.bmp").c_str()));
  ASSERT_NE(strip.GetSafeHandle(), nullptr);
  CImageList list;
  ASSERT_TRUE(list.Create(24, 23, ILC_MASK, 14, 1));
  ASSERT_EQ(list.Add(&strip, RGB(192, 192, 192)), 0);
  constexpr int kCalculator = 12;
  drawtest::Canvas shown(24, 23, RGB(192, 192, 192)), disabled(25, 24, RGB(192, 192, 192));
  ImageList_Draw(list, kCalculator, shown.dc.GetSafeHdc(), 0, 0, ILD_TRANSPARENT);
  ImageList_Draw(list, kCalculator, disabled.dc.GetSafeHdc(), 0, 0, ILD_DISABLED);
  int opaque = 0, shaded = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 24; ++x) {
      if (shown.At(x, y) == RGB(192, 192, 192)) continue;
      ++opaque;
      if (disabled.At(x, y) == GetSysColor(COLOR_3DSHADOW)) ++shaded;
    }
  ASSERT_GT(opaque, 300) << "the calculator picture is missing";
  // The outline, the display's frame and the gaps between the keys, not the
  // grey body and the keys themselves (a block shades every pixel).
  EXPECT_LT(shaded * 3, opaque * 2) << shaded << " of " << opaque << " pixels shaded";
  EXPECT_GT(shaded * 5, opaque) << "too little of the picture left to recognise";
}

TEST(ImageList, RemoveAndReplace) {
  CImageList list;
  ASSERT_TRUE(list.Create(1, 1, 0, 0, 1));
  CBitmap strip, one;
  strip.Attach(Picture({"rgb"}));
  one.Attach(Picture({"y"}));
  list.Add(&strip, nullptr);
  EXPECT_TRUE(list.Replace(1, &one, nullptr));
  EXPECT_TRUE(list.Remove(0));
  EXPECT_EQ(list.GetImageCount(), 2);
  drawtest::Canvas canvas(2, 1);
  list.Draw(&canvas.dc, 0, POINT{0, 0}, ILD_NORMAL);
  list.Draw(&canvas.dc, 1, POINT{1, 0}, ILD_NORMAL);
  EXPECT_EQ(canvas.Rows(), (std::vector<std::string>{"yb"}));
  EXPECT_TRUE(list.Remove(-1));
  EXPECT_EQ(list.GetImageCount(), 0);
  EXPECT_FALSE(list.Remove(0));
}

}  // namespace
