// The system bitmaps: sizes, format and glyph pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/GdiObject.h"
#include "platform/window/Messages.h"

namespace {

// The glyph as text rows, '#' black and '.' white.
std::vector<std::string> Rows(CBitmap& bitmap) {
  BITMAP bm{};
  bitmap.GetBitmap(&bm);
  std::vector<BYTE> bits(static_cast<std::size_t>(bm.bmWidthBytes * bm.bmHeight));
  bitmap.GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
  std::vector<std::string> rows;
  for (int y = 0; y < bm.bmHeight; ++y) {
    std::string row;
    for (int x = 0; x < bm.bmWidth; ++x)
      row += (bits[static_cast<std::size_t>(y * bm.bmWidthBytes + x / 8)] & (0x80 >> (x % 8))) ? '.' : '#';
    rows.push_back(row);
  }
  return rows;
}

TEST(GapOemBitmap, ArrowsAreMonochromeGlyphs) {
  struct Case {
    UINT id;
    int size;
    std::vector<std::pair<int, std::string>> rows;  // row index -> expected row
  };
  const Case cases[] = {
      {OBM_COMBO, 16, {{5, "................"}, {6, "....#######....."}, {7, ".....#####......"},
                       {8, "......###......."}, {9, ".......#........"}, {10, "................"}}},
      {OBM_DNARROW, 16, {{6, "....#######....."}, {9, ".......#........"}}},
      {OBM_UPARROW, 16, {{6, ".......#........"}, {9, "....#######....."}}},
      {OBM_RGARROW, 16, {{3, "................"}, {4, "......#........."}, {7, "......####......"}, {10, "......#........."}}},
      {OBM_LFARROW, 16, {{4, ".........#......"}, {7, "......####......"}, {10, ".........#......"}}},
      {OBM_MNARROW, 8, {{0, "..#....."}, {3, "..####.."}, {6, "..#....."}, {7, "........"}}},
  };
  for (const auto& c : cases) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadOEMBitmap(c.id)) << c.id;
    BITMAP bm{};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(bm.bmWidth, c.size) << c.id;
    EXPECT_EQ(bm.bmHeight, c.size) << c.id;
    EXPECT_EQ(bm.bmBitsPixel, 1) << c.id;
    std::vector<std::string> rows = Rows(bitmap);
    int black = 0;
    for (const auto& row : rows)
      for (char ch : row) black += ch == '#';
    EXPECT_EQ(black, 16) << c.id;  // 7 + 5 + 3 + 1
    for (const auto& [y, expected] : c.rows) EXPECT_EQ(rows[static_cast<std::size_t>(y)], expected) << c.id << " row " << y;
  }
  CBitmap none;
  EXPECT_FALSE(none.LoadOEMBitmap(1));
  EXPECT_EQ(LoadBitmap(nullptr, nullptr), nullptr);
  HBITMAP raw = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_COMBO));
  ASSERT_NE(raw, nullptr);
  DeleteObject(raw);
}

}  // namespace
