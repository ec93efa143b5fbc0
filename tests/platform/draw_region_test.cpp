#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/GdiObject.h"

namespace {

// The region's pixels over a 10 x 6 area.
std::vector<std::string> Pixels(CRgn& r) {
  std::vector<std::string> rows;
  for (int y = 0; y < 6; ++y) {
    std::string row;
    for (int x = 0; x < 10; ++x) row += r.PtInRegion(x, y) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(DrawRegion, CombinesRectangles) {
  struct Case { int mode; int kind; std::vector<std::string> rows; };
  // a = (1,1)-(6,4), b = (4,2)-(9,5)
  const Case cases[] = {
      {RGN_AND, SIMPLEREGION, {"..........", "..........", "....##....", "....##....", "..........", ".........."}},
      {RGN_OR, COMPLEXREGION, {"..........", ".#####....", ".########.", ".########.", "....#####.", ".........."}},
      {RGN_XOR, COMPLEXREGION, {"..........", ".#####....", ".###..###.", ".###..###.", "....#####.", ".........."}},
      {RGN_DIFF, COMPLEXREGION, {"..........", ".#####....", ".###......", ".###......", "..........", ".........."}},
      {RGN_COPY, SIMPLEREGION, {"..........", ".#####....", ".#####....", ".#####....", "..........", ".........."}},
  };
  for (const Case& c : cases) {
    CRgn a, b, out;
    a.CreateRectRgn(1, 1, 6, 4);
    b.CreateRectRgn(4, 2, 9, 5);
    out.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(out.CombineRgn(&a, &b, c.mode), c.kind) << c.mode;
    EXPECT_EQ(Pixels(out), c.rows) << c.mode;
  }
}

TEST(DrawRegion, EqualityBoxOffsetAndEmpty) {
  // The same area built two ways compares equal.
  CRgn left, right, whole, joined;
  left.CreateRectRgn(0, 0, 3, 4);
  right.CreateRectRgn(3, 0, 7, 4);
  whole.CreateRectRgn(0, 0, 7, 4);
  joined.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(joined.CombineRgn(&left, &right, RGN_OR), SIMPLEREGION);
  EXPECT_TRUE(joined.EqualRgn(&whole));
  EXPECT_FALSE(left.EqualRgn(&whole));

  CRect box;
  EXPECT_EQ(joined.OffsetRgn(2, 3), SIMPLEREGION);
  EXPECT_EQ(joined.GetRgnBox(&box), SIMPLEREGION);
  EXPECT_EQ(box, CRect(2, 3, 9, 7));
  EXPECT_TRUE(joined.RectInRegion(CRect(8, 6, 20, 20)));
  EXPECT_FALSE(joined.RectInRegion(CRect(9, 7, 20, 20)));

  CRgn empty, inverted;
  empty.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(empty.GetRgnBox(&box), NULLREGION);
  EXPECT_EQ(box, CRect(0, 0, 0, 0));
  inverted.CreateRectRgn(5, 5, 1, 1);  // corners in either order
  EXPECT_TRUE(inverted.PtInRegion(1, 1));
  EXPECT_FALSE(inverted.PtInRegion(5, 5));
  EXPECT_EQ(::CombineRgn(empty.m_hObject, nullptr, nullptr, RGN_AND), RGN_ERROR);
}

}  // namespace
