#include <gtest/gtest.h>

#include <cmath>

#include "draw_canvas.h"

namespace {

using drawtest::Canvas;

TEST(DrawMapping, FixedModesMeasureUpwardsAtScreenResolution) {
  struct Case { int mode; POINT logical; POINT device; };
  const Case cases[] = {
      {MM_TEXT, {10, 20}, {10, 20}},
      {MM_LOENGLISH, {100, -100}, {96, 96}},     // hundredths of an inch
      {MM_HIENGLISH, {1000, 500}, {96, -48}},    // thousandths
      {MM_LOMETRIC, {254, -127}, {96, 48}},      // tenths of a millimetre
      {MM_HIMETRIC, {2540, -2540}, {96, 96}},    // hundredths
      {MM_TWIPS, {1440, -720}, {96, 48}},        // twentieths of a point
      {MM_TWIPS, {15, -15}, {1, 1}},
  };
  for (const Case& c : cases) {
    Canvas cv(4, 4);
    cv.dc.SetMapMode(c.mode);
    POINT p = c.logical;
    cv.dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(p), CPoint(c.device)) << c.mode;
    cv.dc.DPtoLP(&p);
    EXPECT_EQ(CPoint(p), CPoint(c.logical)) << c.mode;
    // Fixed modes ignore extents.
    cv.dc.SetWindowExt(1, 1);
    EXPECT_EQ(cv.dc.GetMapMode(), c.mode);
  }
}

TEST(DrawMapping, ScalableModesWithOriginsAndExtents) {
  Canvas cv(4, 4);
  cv.dc.SetMapMode(MM_ANISOTROPIC);
  cv.dc.SetWindowExt(96, 96);
  cv.dc.SetViewportExt(300, 150);  // a 300 dpi device across, 150 up
  cv.dc.SetWindowOrg(10, 20);
  cv.dc.SetViewportOrg(5, 7);
  struct Case { POINT logical, device; };
  const Case cases[] = {{{10, 20}, {5, 7}}, {{106, 116}, {305, 157}}, {{42, 20}, {105, 7}}};
  for (const Case& c : cases) {
    POINT p = c.logical;
    cv.dc.LPtoDP(&p);
    EXPECT_EQ(CPoint(p), CPoint(c.device));
  }
  CSize s(96, 96);
  cv.dc.LPtoDP(&s);
  EXPECT_EQ(s, CSize(300, 150));

  // Isotropic: the larger scale shrinks to the smaller one.
  cv.dc.SetWindowOrg(0, 0);
  cv.dc.SetViewportOrg(0, 0);
  cv.dc.SetMapMode(MM_ISOTROPIC);
  cv.dc.SetWindowExt(100, 100);
  cv.dc.SetViewportExt(400, -200);
  EXPECT_EQ(cv.dc.GetViewportExt(), CSize(200, -200));
  POINT p{50, 50};
  cv.dc.LPtoDP(&p);
  EXPECT_EQ(CPoint(p), CPoint(100, -100));
}

TEST(DrawMapping, DrawingAndClipBoxFollowTheMapping) {
  Canvas cv(8, 8);
  cv.dc.SetMapMode(MM_ANISOTROPIC);
  cv.dc.SetWindowExt(2, 2);
  cv.dc.SetViewportExt(1, 1);  // two logical units per pixel
  CRect r(2, 2, 8, 6);
  cv.dc.FillSolidRect(&r, RGB(0, 0, 0));
  EXPECT_EQ(cv.Count(RGB(0, 0, 0)), 3 * 2);
  EXPECT_EQ(cv.At(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(cv.At(3, 2), RGB(0, 0, 0));
  CRect box;
  cv.dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 16, 16));

  // In a fixed mode the box keeps y measured upwards (top above bottom).
  Canvas up(96, 96);
  up.dc.SetMapMode(MM_LOENGLISH);
  up.dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 100, -100));
  CRect inch(0, 0, 50, -50);  // half an inch square at the top left
  up.dc.FillSolidRect(&inch, RGB(0, 0, 0));
  EXPECT_EQ(up.Count(RGB(0, 0, 0)), 48 * 48);
}

TEST(DrawMapping, DeviceCapabilities) {
  Canvas cv(4, 4);
  struct Case { int index; int value; };
  const Case cases[] = {{LOGPIXELSX, 96}, {LOGPIXELSY, 96}, {BITSPIXEL, 32}, {PLANES, 1},
                        {NUMCOLORS, -1}, {TECHNOLOGY, DT_RASDISPLAY}};
  for (const Case& c : cases) EXPECT_EQ(cv.dc.GetDeviceCaps(c.index), c.value) << c.index;
  EXPECT_GT(cv.dc.GetDeviceCaps(HORZRES), 0);
  EXPECT_EQ(cv.dc.GetDeviceCaps(HORZSIZE),
            static_cast<int>(std::lround(cv.dc.GetDeviceCaps(HORZRES) * 25.4 / 96)));
  EXPECT_TRUE(cv.dc.GetDeviceCaps(RASTERCAPS) & RC_BITBLT);
  CDC mem;
  mem.CreateCompatibleDC(&cv.dc);
  EXPECT_EQ(mem.GetDeviceCaps(BITSPIXEL), 1);  // its first bitmap is monochrome
  EXPECT_EQ(mem.GetDeviceCaps(LOGPIXELSY), 96);
}

}  // namespace
