// LoadImage of bitmaps: files, system bitmaps, the 3-D colour mapping and
// stretching.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/window/CtlDefs.h"
#include "platform/gfx/GdiObject.h"
#include "platform/window/Messages.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Window.h"

namespace {

void Put(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A one-row 24-bit BMP file of the given colours.
std::string WriteRowBmp(const char* name, const std::vector<COLORREF>& colours) {
  const int width = static_cast<int>(colours.size());
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::string bmp = "BM";
  Put(bmp, static_cast<std::uint32_t>(54 + rowBytes), 4);
  Put(bmp, 0, 4);
  Put(bmp, 54, 4);
  Put(bmp, 40, 4);
  Put(bmp, static_cast<std::uint32_t>(width), 4);
  Put(bmp, 1, 4);
  Put(bmp, 1, 2);
  Put(bmp, 24, 2);
  Put(bmp, 0, 4);
  Put(bmp, static_cast<std::uint32_t>(rowBytes), 4);
  Put(bmp, 2835, 4);
  Put(bmp, 2835, 4);
  Put(bmp, 0, 4);
  Put(bmp, 0, 4);
  std::string row;
  for (COLORREF c : colours) {
    row += static_cast<char>(GetBValue(c));
    row += static_cast<char>(GetGValue(c));
    row += static_cast<char>(GetRValue(c));
  }
  row.resize(static_cast<std::size_t>(rowBytes), '\0');
  bmp += row;
  std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bmp;
  return path;
}

std::vector<COLORREF> Pixels(HANDLE image, int* width, int* height) {
  CBitmap b;
  b.Attach(static_cast<HBITMAP>(image));
  BITMAP bm{};
  b.GetBitmap(&bm);
  *width = bm.bmWidth;
  *height = bm.bmHeight;
  std::vector<BYTE> bits(static_cast<std::size_t>(bm.bmWidthBytes * bm.bmHeight));
  b.GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
  std::vector<COLORREF> out;
  const int step = bm.bmBitsPixel / 8;
  for (int y = 0; y < bm.bmHeight; ++y)
    for (int x = 0; x < bm.bmWidth; ++x) {
      const BYTE* p = &bits[static_cast<std::size_t>(y * bm.bmWidthBytes + x * step)];
      out.push_back(RGB(p[2], p[1], p[0]));
    }
  return out;  // b deletes the bitmap
}

TEST(GapLoadImage, MapsTheClassicGreysToTheThreeDColoursAndStretches) {
  const COLORREF grey128 = RGB(128, 128, 128), grey192 = RGB(192, 192, 192), grey223 = RGB(223, 223, 223),
                 red = RGB(255, 0, 0);
  const std::string path = WriteRowBmp("gap_loadimage.bmp", {grey128, grey192, grey223, red});
  const int indices[] = {COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DLIGHT};
  const COLORREF saved[] = {GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_3DLIGHT)};
  const COLORREF themed[] = {RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90)};
  SetSysColors(3, indices, themed);

  struct Case {
    const char* what;
    UINT flags;
    int width, height;
    std::vector<COLORREF> expected;  // row by row
  };
  const Case cases[] = {
      {"as stored", LR_LOADFROMFILE, 0, 0, {grey128, grey192, grey223, red}},
      {"mapped", LR_LOADFROMFILE | LR_LOADMAP3DCOLORS | LR_SHARED, 0, 0, {themed[0], themed[1], themed[2], red}},
      {"stretched", LR_LOADFROMFILE, 8, 2,
       {grey128, grey128, grey192, grey192, grey223, grey223, red, red,
        grey128, grey128, grey192, grey192, grey223, grey223, red, red}},
  };
  for (const auto& c : cases) {
    HANDLE image = LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, c.width, c.height, c.flags);
    ASSERT_NE(image, nullptr) << c.what;
    int w = 0, h = 0;
    std::vector<COLORREF> pixels = Pixels(image, &w, &h);
    EXPECT_EQ(w * h, static_cast<int>(c.expected.size())) << c.what;
    EXPECT_EQ(pixels, c.expected) << c.what;
  }
  SetSysColors(3, indices, saved);

  EXPECT_EQ(LoadImage(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE), nullptr);
  EXPECT_EQ(LoadImage(nullptr, "/nonexistent/x.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  HANDLE arrow = LoadImage(nullptr, MAKEINTRESOURCE(OBM_COMBO), IMAGE_BITMAP, 0, 0, LR_SHARED);
  ASSERT_NE(arrow, nullptr);
  DeleteObject(static_cast<HBITMAP>(arrow));
  std::remove(path.c_str());
}

}  // namespace
