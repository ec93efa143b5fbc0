// Bitmaps: bits in both directions and BMP files from disk.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "draw_canvas.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<unsigned char>(v);
  b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
}

// A BMP file of 3 x 2 pixels: red green blue / white black red, written
// field by field with the given depth (palette files index those colours).
Bytes MakeBmp(int bpp, bool topDown) {
  const std::uint32_t colours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF0000};
  const std::uint32_t palette[5] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000};
  const int w = 3, h = 2;
  const std::size_t paletteSize = bpp <= 8 ? (1u << bpp) * 4 : 0;
  const std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 31) / 32) * 4;
  const std::size_t off = 14 + 40 + paletteSize;
  Bytes b(off + stride * h, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, static_cast<std::uint32_t>(off));
  Put32(b, 14, 40);
  Put32(b, 18, w);
  Put32(b, 22, static_cast<std::uint32_t>(topDown ? -h : h));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<unsigned>(bpp));
  for (std::size_t i = 0; bpp <= 8 && i < 5 && i < (1u << bpp); ++i) {
    b[54 + i * 4] = palette[i] & 0xFF;
    b[54 + i * 4 + 1] = (palette[i] >> 8) & 0xFF;
    b[54 + i * 4 + 2] = (palette[i] >> 16) & 0xFF;
  }
  auto index = [&](std::uint32_t c) {
    for (int i = 0; i < 5; ++i)
      if (palette[i] == c) return i;
    return 0;
  };
  for (int y = 0; y < h; ++y) {
    const std::size_t row = off + stride * static_cast<std::size_t>(topDown ? y : h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t c = colours[y * w + x];
      switch (bpp) {
        case 4: b[row + x / 2] |= static_cast<unsigned char>(index(c) << ((x % 2) ? 0 : 4)); break;
        case 8: b[row + x] = static_cast<unsigned char>(index(c)); break;
        case 24:
          b[row + x * 3] = c & 0xFF;
          b[row + x * 3 + 1] = (c >> 8) & 0xFF;
          b[row + x * 3 + 2] = (c >> 16) & 0xFF;
          break;
      }
    }
  }
  return b;
}

std::string WriteTemp(const Bytes& b, const char* name) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return path.string();
}

std::vector<std::string> Blit(CBitmap& bmp, int w, int h) {
  drawtest::Canvas cv(w, h);
  CDC mem;
  mem.CreateCompatibleDC(&cv.dc);
  CBitmap* old = mem.SelectObject(&bmp);
  cv.dc.BitBlt(0, 0, w, h, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
  return cv.Rows();
}

TEST(DrawBitmap, ReadsBmpFilesOfEveryDepth) {
  struct Case { int bpp; bool topDown; };
  const Case cases[] = {{4, false}, {8, false}, {8, true}, {24, false}, {24, true}};
  for (const Case& c : cases) {
    const std::string path = WriteTemp(MakeBmp(c.bpp, c.topDown), "kestrova_draw_test.bmp");
    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(path.c_str())) << c.bpp;
    BITMAP bm;
    bmp.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(Blit(bmp, 3, 2), (std::vector<std::string>{"rgb", ".#r"})) << c.bpp << " " << c.topDown;
    std::filesystem::remove(path);
  }
  // A black-and-white file becomes a monochrome bitmap.
  Bytes mono(14 + 40 + 8 + 4, 0);
  mono[0] = 'B';
  mono[1] = 'M';
  Put32(mono, 10, 62);
  Put32(mono, 14, 40);
  Put32(mono, 18, 3);
  Put32(mono, 22, 1);
  Put16(mono, 26, 1);
  Put16(mono, 28, 1);
  mono[58] = mono[59] = mono[60] = 0xFF;  // palette: black, white
  mono[62] = 0x40;                        // 0 1 0
  const std::string path = WriteTemp(mono, "kestrova_draw_mono.bmp");
  CBitmap bmp;
  ASSERT_TRUE(bmp.LoadBitmap(path.c_str()));
  BITMAP bm;
  bmp.GetBitmap(&bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  std::filesystem::remove(path);
}

TEST(DrawBitmap, RefusesMalformedFiles) {
  const Bytes good = MakeBmp(8, false);
  struct Case { const char* what; std::function<void(Bytes&)> spoil; };
  const Case cases[] = {
      {"empty", [](Bytes& b) { b.clear(); }},
      {"magic", [](Bytes& b) { b[0] = 'X'; }},
      {"truncated pixels", [](Bytes& b) { b.resize(b.size() - 3); }},
      {"truncated header", [](Bytes& b) { b.resize(30); }},
      {"pixel offset beyond end", [](Bytes& b) { Put32(b, 10, 0x7FFFFFF0u); }},
      {"huge width", [](Bytes& b) { Put32(b, 18, 0x40000000u); }},
      {"zero height", [](Bytes& b) { Put32(b, 22, 0); }},
      {"odd depth", [](Bytes& b) { Put16(b, 28, 7); }},
      {"compressed", [](Bytes& b) { Put32(b, 30, 1); }},
      {"palette too long", [](Bytes& b) { Put32(b, 46, 100000); }},
      {"tiny header size", [](Bytes& b) { Put32(b, 14, 20); }},
  };
  for (const Case& c : cases) {
    Bytes b = good;
    c.spoil(b);
    const std::string path = WriteTemp(b, "kestrova_draw_bad.bmp");
    CBitmap bmp;
    EXPECT_FALSE(bmp.LoadBitmap(path.c_str())) << c.what;
    std::filesystem::remove(path);
  }
  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap("/no/such/file.bmp"));
  EXPECT_FALSE(missing.LoadBitmap("no_such_resource"));
}

TEST(DrawBitmap, BitsRoundTrip) {
  // Monochrome rows padded to 16 bits; 1 is white.
  const BYTE monoBits[4] = {0xA0, 0x00, 0x50, 0x00};  // 1010 / 0101 of a 4 x 2 bitmap
  CBitmap mono;
  ASSERT_TRUE(mono.CreateBitmap(4, 2, 1, 1, monoBits));
  BITMAP bm;
  mono.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidthBytes, 2);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  BYTE out[4] = {};
  EXPECT_EQ(mono.GetBitmapBits(sizeof out, out), 4u);
  EXPECT_EQ(std::vector<BYTE>(out, out + 4), std::vector<BYTE>(monoBits, monoBits + 4));
  EXPECT_EQ(Blit(mono, 4, 2), (std::vector<std::string>{".#.#", "#.#."}));

  // 24 bits: blue, green, red bytes; rows padded to 16 bits.
  const BYTE colourBits[] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 0xEE, 0xEE, 0xEE};  // 3 pixels + pad
  CBitmap colour;
  ASSERT_TRUE(colour.CreateBitmap(3, 1, 1, 24, nullptr));
  EXPECT_EQ(colour.SetBitmapBits(10, colourBits), 10u);
  colour.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidthBytes, 10);
  EXPECT_EQ(Blit(colour, 3, 1), (std::vector<std::string>{"rgb"}));
  BYTE back[10] = {};
  EXPECT_EQ(colour.GetBitmapBits(sizeof back, back), 10u);
  EXPECT_EQ(std::vector<BYTE>(back, back + 9), std::vector<BYTE>(colourBits, colourBits + 9));
  // Too few bytes for a row: nothing is read.
  EXPECT_EQ(colour.SetBitmapBits(5, colourBits), 0u);
  CBitmap bad;
  EXPECT_FALSE(bad.CreateBitmap(0, 5, 1, 1, nullptr));
  EXPECT_FALSE(bad.CreateBitmap(4, 4, 1, 7, nullptr));
}

}  // namespace
