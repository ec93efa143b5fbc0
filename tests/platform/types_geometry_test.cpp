#include <gtest/gtest.h>

#include "platform/base/Geometry.h"

namespace {

TEST(GeometryTest, IntersectAndUnion) {
  CRect a(0, 0, 10, 10), b(5, 5, 20, 20), r;
  EXPECT_TRUE(r.IntersectRect(a, b));
  EXPECT_EQ(r, CRect(5, 5, 10, 10));
  // Touching edges do not intersect (right and bottom are excluded); the
  // result is stored as all zeros.
  r = CRect(1, 1, 2, 2);
  EXPECT_FALSE(r.IntersectRect(a, CRect(10, 0, 20, 10)));
  EXPECT_TRUE(r.IsRectNull());
  EXPECT_TRUE(r.UnionRect(a, b));
  EXPECT_EQ(r, CRect(0, 0, 20, 20));
  // An empty rectangle does not grow the union.
  EXPECT_TRUE(r.UnionRect(CRect(50, 50, 50, 60), a));
  EXPECT_EQ(r, a);
  EXPECT_FALSE(r.UnionRect(CRect(), CRect(3, 3, 3, 3)));
  EXPECT_EQ(a & b, CRect(5, 5, 10, 10));
  EXPECT_EQ(a | b, CRect(0, 0, 20, 20));
  CRect c = a;
  c &= CRect(20, 20, 30, 30);
  EXPECT_TRUE(c.IsRectEmpty());
}

TEST(GeometryTest, PointsInsideAndShapeOperations) {
  CRect r(10, 20, 30, 40);
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(30, 25)));
  EXPECT_FALSE(r.PtInRect(CPoint(15, 40)));
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.Height(), 20);
  EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
  EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
  EXPECT_EQ(r.BottomRight(), CPoint(30, 40));

  CRect m = r;
  m.InflateRect(1, 2);
  EXPECT_EQ(m, CRect(9, 18, 31, 42));
  m.DeflateRect(1, 2, 3, 4);
  EXPECT_EQ(m, CRect(10, 20, 28, 38));
  m.OffsetRect(-10, 5);
  EXPECT_EQ(m, CRect(0, 25, 18, 43));
  EXPECT_EQ(r + CPoint(1, 1), CRect(11, 21, 31, 41));
  EXPECT_EQ(r - CSize(10, 20), CRect(0, 0, 20, 20));

  CRect n(30, 40, 10, 20);
  EXPECT_TRUE(n.IsRectEmpty());
  n.NormalizeRect();
  EXPECT_EQ(n, r);
  EXPECT_FALSE(CRect(0, 0, 0, 5).IsRectNull());
  EXPECT_TRUE(CRect(0, 0, 0, 5).IsRectEmpty());

  CPoint p(5, 6);
  EXPECT_EQ(p - CPoint(1, 1), CSize(4, 5));
  EXPECT_EQ(p + CSize(1, 2), CPoint(6, 8));
  EXPECT_EQ(CPoint(static_cast<LPARAM>(MAKELPARAM(static_cast<WORD>(-3), 7))), CPoint(-3, 7));
}

TEST(GeometryTest, FreeFunctionsTakeNullAsFailure) {
  RECT r;
  EXPECT_TRUE(SetRect(&r, 1, 2, 3, 4));
  RECT c;
  EXPECT_TRUE(CopyRect(&c, &r));
  EXPECT_TRUE(EqualRect(&c, &r));
  EXPECT_FALSE(EqualRect(&c, nullptr));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
  EXPECT_FALSE(IntersectRect(&c, &r, nullptr));
  EXPECT_TRUE(IsRectEmpty(&c));
  RECT s{0, 0, 10, 10}, cut{0, 0, 4, 10}, out;
  EXPECT_TRUE(SubtractRect(&out, &s, &cut));
  EXPECT_TRUE(EqualRect(&out, CRect(4, 0, 10, 10)));
  RECT mid{3, 3, 6, 6};
  EXPECT_TRUE(SubtractRect(&out, &s, &mid));  // a hole cannot be cut
  EXPECT_TRUE(EqualRect(&out, &s));
}

}  // namespace
