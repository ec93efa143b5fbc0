// Pixel-exact drawing on small in-memory surfaces.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "draw_canvas.h"
#include "platform/gfx/SysColors.h"

namespace {

using drawtest::Canvas;
using Rows = std::vector<std::string>;

TEST(DrawPixels, LinesExcludeTheirEndPoint) {
  struct Case { POINT a, b; Rows rows; };
  const Case cases[] = {
      {{0, 1}, {4, 1}, {".....", "####.", ".....", ".....", "....."}},
      {{4, 1}, {0, 1}, {".....", ".####", ".....", ".....", "....."}},
      {{2, 0}, {2, 4}, {"..#..", "..#..", "..#..", "..#..", "....."}},
      {{0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
      {{4, 0}, {0, 4}, {"....#", "...#.", "..#..", ".#...", "....."}},
      {{0, 0}, {4, 2}, {"##...", "..##.", ".....", ".....", "....."}},
      {{3, 3}, {3, 3}, {".....", ".....", ".....", ".....", "....."}},
  };
  for (const Case& c : cases) {
    Canvas cv(5, 5);
    cv.dc.MoveTo(c.a);
    cv.dc.LineTo(c.b);
    EXPECT_EQ(cv.Rows(), c.rows) << c.a.x << "," << c.a.y << " -> " << c.b.x << "," << c.b.y;
    EXPECT_EQ(cv.dc.GetCurrentPosition(), CPoint(c.b));
  }
}

TEST(DrawPixels, PenStylesAndGapsByBackgroundMode) {
  struct Case { int style; int bkMode; std::string row; };
  const Case cases[] = {
      {PS_SOLID, OPAQUE, "############"},
      {PS_DOT, TRANSPARENT, "###...###..."},
      {PS_DOT, OPAQUE, "###rrr###rrr"},
      {PS_NULL, OPAQUE, "............"},
  };
  for (const Case& c : cases) {
    Canvas cv(12, 1);
    CPen pen(c.style, 1, RGB(0, 0, 0));
    cv.dc.SelectObject(&pen);
    cv.dc.SetBkMode(c.bkMode);
    cv.dc.SetBkColor(RGB(255, 0, 0));
    cv.dc.MoveTo(0, 0);
    cv.dc.LineTo(12, 0);
    EXPECT_EQ(cv.Rows()[0], c.row) << c.style;
    cv.dc.SelectStockObject(BLACK_PEN);
  }
}

TEST(DrawPixels, RectangleFillFrameAndNullPen) {
  Canvas cv(7, 5);
  CBrush red(RGB(255, 0, 0));
  cv.dc.SelectObject(&red);
  cv.dc.Rectangle(0, 0, 5, 4);
  EXPECT_EQ(cv.Rows(), (Rows{"#####..", "#rrr#..", "#rrr#..", "#####..", "......."}));

  // Without a pen the fill stops one pixel short on the right and bottom.
  Canvas np(7, 5);
  np.dc.SelectObject(&red);
  np.dc.SelectStockObject(NULL_PEN);
  np.dc.Rectangle(1, 1, 5, 4);
  EXPECT_EQ(np.Rows(), (Rows{".......", ".rrr...", ".rrr...", ".......", "......."}));

  // An inside-frame pen stays within the rectangle.
  Canvas wide(7, 6);
  CPen thick(PS_INSIDEFRAME, 2, RGB(0, 0, 255));
  wide.dc.SelectObject(&thick);
  wide.dc.SelectStockObject(NULL_BRUSH);
  wide.dc.Rectangle(1, 1, 6, 6);
  EXPECT_EQ(wide.Rows(), (Rows{".......", ".bbbbb.", ".bbbbb.", ".bb.bb.", ".bbbbb.", ".bbbbb."}));
}

TEST(DrawPixels, FillsFramesAnd3dRect) {
  Canvas cv(6, 5);
  CBrush blue(RGB(0, 0, 255));
  CRect r(1, 1, 5, 4);
  cv.dc.FillRect(&r, &blue);
  EXPECT_EQ(cv.Rows(), (Rows{"......", ".bbbb.", ".bbbb.", ".bbbb.", "......"}));
  CBrush black(RGB(0, 0, 0));
  cv.dc.FrameRect(&r, &black);
  EXPECT_EQ(cv.Rows(), (Rows{"......", ".####.", ".#bb#.", ".####.", "......"}));

  Canvas d3(6, 5);
  d3.dc.Draw3dRect(&r, RGB(255, 255, 0), RGB(0, 0, 0));
  EXPECT_EQ(d3.Rows(), (Rows{"......", ".yyy#.", ".y..#.", ".####.", "......"}));
  // Like the framework's, it leaves the background colour at the last fill.
  EXPECT_EQ(d3.dc.GetBkColor(), RGB(0, 0, 0));

  Canvas solid(4, 3);
  solid.dc.FillSolidRect(3, 2, -2, -1, RGB(0, 255, 0));  // negative sizes reach back
  EXPECT_EQ(solid.Rows(), (Rows{"....", ".gg.", "...."}));
}

TEST(DrawPixels, InversionsUndoThemselves) {
  struct Case { const char* name; std::function<void(CDC&)> draw; };
  const Case cases[] = {
      {"InvertRect", [](CDC& dc) { CRect r(1, 1, 9, 7); dc.InvertRect(&r); }},
      {"DrawFocusRect", [](CDC& dc) { CRect r(0, 1, 9, 8); dc.DrawFocusRect(&r); }},
      {"DSTINVERT", [](CDC& dc) { dc.PatBlt(2, 0, 5, 8, DSTINVERT); }},
      {"PATINVERT", [](CDC& dc) {
         CBrush b(HS_DIAGCROSS, RGB(10, 200, 30));
         CBrush* old = dc.SelectObject(&b);
         dc.PatBlt(0, 0, 10, 8, PATINVERT);
         dc.SelectObject(old);
       }},
      {"R2_NOT line", [](CDC& dc) {
         dc.SetROP2(R2_NOT);
         dc.MoveTo(0, 0);
         dc.LineTo(9, 7);
         dc.SetROP2(R2_COPYPEN);
       }},
      {"R2_XORPEN rectangle", [](CDC& dc) {
         CPen p(PS_DOT, 1, RGB(200, 100, 50));
         CBrush b(RGB(1, 2, 3));
         CPen* op = dc.SelectObject(&p);
         CBrush* ob = dc.SelectObject(&b);
         dc.SetROP2(R2_XORPEN);
         dc.SetBkMode(TRANSPARENT);
         dc.Rectangle(1, 1, 9, 7);
         dc.SetROP2(R2_COPYPEN);
         dc.SetBkMode(OPAQUE);
         dc.SelectObject(op);
         dc.SelectObject(ob);
       }},
      {"SRCINVERT", [](CDC& dc) {
         CDC mem;
         mem.CreateCompatibleDC(&dc);
         CBitmap bmp;
         bmp.CreateCompatibleBitmap(&dc, 10, 8);
         CBitmap* old = mem.SelectObject(&bmp);
         mem.FillSolidRect(0, 0, 10, 8, RGB(90, 60, 30));
         mem.FillSolidRect(2, 2, 4, 4, RGB(255, 0, 255));
         dc.BitBlt(0, 0, 10, 8, &mem, 0, 0, SRCINVERT);
         mem.SelectObject(old);
       }},
  };
  for (const Case& c : cases) {
    Canvas cv(10, 8);
    cv.Noise();
    const auto before = cv.Snapshot();
    c.draw(cv.dc);
    EXPECT_NE(cv.Snapshot(), before) << c.name;
    c.draw(cv.dc);
    EXPECT_EQ(cv.Snapshot(), before) << c.name;
  }
}

TEST(DrawPixels, FocusRectIsDotted) {
  Canvas cv(6, 4);
  CRect r(0, 0, 6, 4);
  cv.dc.DrawFocusRect(&r);
  EXPECT_EQ(cv.Rows(), (Rows{"#.#.#.", ".....#", "#.....", ".#.#.#"}));
}

TEST(DrawPixels, Rop2Table) {
  const COLORREF pen = RGB(0xF0, 0x0F, 0x55), dst = RGB(0xCC, 0x33, 0xAA);
  auto inv = [](COLORREF c) { return c ^ 0xFFFFFFu; };
  struct Case { int rop; COLORREF expected; };
  const Case cases[] = {
      {R2_COPYPEN, pen},          {R2_NOT, inv(dst)},          {R2_XORPEN, pen ^ dst},
      {R2_NOTXORPEN, inv(pen ^ dst)}, {R2_MASKPEN, pen & dst}, {R2_MERGEPEN, pen | dst},
      {R2_NOTCOPYPEN, inv(pen)},  {R2_BLACK, 0},               {R2_WHITE, 0xFFFFFF},
      {R2_NOP, dst},              {R2_MASKPENNOT, pen & inv(dst)}, {R2_MERGENOTPEN, inv(pen) | dst},
  };
  for (const Case& c : cases) {
    Canvas cv(2, 1, dst);
    CPen p(PS_SOLID, 1, pen);
    cv.dc.SelectObject(&p);
    cv.dc.SetROP2(c.rop);
    cv.dc.MoveTo(0, 0);
    cv.dc.LineTo(1, 0);
    EXPECT_EQ(cv.At(0, 0), c.expected) << c.rop;
    EXPECT_EQ(cv.At(1, 0), dst) << c.rop;
    cv.dc.SelectStockObject(BLACK_PEN);
  }
}

TEST(DrawPixels, BitBltRasterOperations) {
  const COLORREF src = RGB(0xF0, 0x0F, 0x55), dst = RGB(0xCC, 0x33, 0xAA), pat = RGB(0x81, 0x42, 0x24);
  auto inv = [](COLORREF c) { return c ^ 0xFFFFFFu; };
  struct Case { DWORD rop; COLORREF expected; };
  const Case cases[] = {
      {SRCCOPY, src},          {SRCPAINT, src | dst},     {SRCAND, src & dst},
      {SRCINVERT, src ^ dst},  {SRCERASE, src & inv(dst)}, {NOTSRCCOPY, inv(src)},
      {NOTSRCERASE, inv(src | dst)}, {MERGECOPY, pat & src}, {MERGEPAINT, inv(src) | dst},
      {PATCOPY, pat},          {PATPAINT, pat | inv(src) | dst}, {PATINVERT, pat ^ dst},
      {DSTINVERT, inv(dst)},   {BLACKNESS, 0},            {WHITENESS, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    Canvas cv(3, 1, dst);
    CDC mem;
    mem.CreateCompatibleDC(&cv.dc);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&cv.dc, 3, 1);
    CBitmap* old = mem.SelectObject(&bmp);
    mem.FillSolidRect(0, 0, 3, 1, src);
    CBrush brush(pat);
    CBrush* oldBrush = cv.dc.SelectObject(&brush);
    EXPECT_TRUE(cv.dc.BitBlt(1, 0, 1, 1, &mem, 0, 0, c.rop));
    EXPECT_EQ(cv.At(1, 0), c.expected) << std::hex << c.rop;
    EXPECT_EQ(cv.At(0, 0), dst);
    EXPECT_EQ(cv.At(2, 0), dst);
    cv.dc.SelectObject(oldBrush);
    mem.SelectObject(old);
  }
  Canvas cv(2, 1);
  EXPECT_FALSE(cv.dc.BitBlt(0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));  // needs a source
}

TEST(DrawPixels, MonochromeConversionsAndTransparentBlit) {
  // A colour image with a magenta key colour.
  Canvas cv(4, 1);
  CDC image, mask;
  image.CreateCompatibleDC(&cv.dc);
  mask.CreateCompatibleDC(&cv.dc);
  CBitmap ib, mb;
  ib.CreateCompatibleBitmap(&cv.dc, 4, 1);
  mb.CreateBitmap(4, 1, 1, 1, nullptr);
  CBitmap* oi = image.SelectObject(&ib);
  CBitmap* om = mask.SelectObject(&mb);
  image.SetPixel(0, 0, RGB(255, 0, 255));
  image.SetPixel(1, 0, RGB(0, 0, 255));
  image.SetPixel(2, 0, RGB(255, 0, 255));
  image.SetPixel(3, 0, RGB(255, 0, 0));
  // Colour to monochrome: the source's background colour becomes white.
  image.SetBkColor(RGB(255, 0, 255));
  mask.BitBlt(0, 0, 4, 1, &image, 0, 0, SRCCOPY);
  EXPECT_EQ(mask.GetPixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(mask.GetPixel(1, 0), RGB(0, 0, 0));
  EXPECT_EQ(mask.GetDeviceCaps(BITSPIXEL), 1);
  // Monochrome to colour: black takes the text colour, white the background.
  cv.dc.SetTextColor(RGB(0, 255, 0));
  cv.dc.SetBkColor(RGB(0, 255, 255));
  cv.dc.BitBlt(0, 0, 4, 1, &mask, 0, 0, SRCCOPY);
  EXPECT_EQ(cv.Rows()[0], "cgcg");
  // The transparent blit: key pixels become black in the image, the mask
  // cuts the shape out of the destination, the image is or-ed in.
  cv.Fill(RGB(255, 255, 0));
  image.SetBkColor(RGB(0, 0, 0));
  image.SetTextColor(RGB(255, 255, 255));
  image.BitBlt(0, 0, 4, 1, &mask, 0, 0, SRCAND);
  cv.dc.SetTextColor(RGB(0, 0, 0));
  cv.dc.SetBkColor(RGB(255, 255, 255));
  cv.dc.BitBlt(0, 0, 4, 1, &mask, 0, 0, SRCAND);
  cv.dc.BitBlt(0, 0, 4, 1, &image, 0, 0, SRCPAINT);
  EXPECT_EQ(cv.Rows()[0], "ybyr");
  image.SelectObject(oi);
  mask.SelectObject(om);
}

TEST(DrawPixels, StretchBltScalesAndMirrors) {
  Canvas cv(4, 2);
  CDC mem;
  mem.CreateCompatibleDC(&cv.dc);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&cv.dc, 2, 1);
  CBitmap* old = mem.SelectObject(&bmp);
  mem.SetPixel(0, 0, RGB(255, 0, 0));
  mem.SetPixel(1, 0, RGB(0, 0, 255));
  cv.dc.StretchBlt(0, 0, 4, 1, &mem, 0, 0, 2, 1, SRCCOPY);
  cv.dc.StretchBlt(3, 1, -4, 1, &mem, 0, 0, 2, 1, SRCCOPY);  // mirrored
  EXPECT_EQ(cv.Rows(), (Rows{"rrbb", "bbrr"}));
  mem.SelectObject(old);
}

TEST(DrawPixels, ClippingRectanglesAndRegions) {
  Canvas cv(8, 4);
  EXPECT_EQ(cv.dc.IntersectClipRect(1, 0, 7, 3), SIMPLEREGION);
  EXPECT_EQ(cv.dc.ExcludeClipRect(3, 1, 5, 2), COMPLEXREGION);
  cv.dc.FillSolidRect(0, 0, 8, 4, RGB(0, 0, 0));
  EXPECT_EQ(cv.Rows(), (Rows{".######.", ".##..##.", ".######.", "........"}));
  CRect box;
  EXPECT_EQ(cv.dc.GetClipBox(&box), COMPLEXREGION);
  EXPECT_EQ(box, CRect(1, 0, 7, 3));
  EXPECT_TRUE(cv.dc.PtVisible(1, 0));
  EXPECT_FALSE(cv.dc.PtVisible(3, 1));
  EXPECT_FALSE(cv.dc.RectVisible(CRect(0, 3, 8, 4)));
  EXPECT_TRUE(cv.dc.RectVisible(CRect(0, 2, 2, 4)));

  // A selected region replaces the clip; null removes it.
  CRgn rgn;
  rgn.CreateRectRgn(0, 3, 2, 4);
  EXPECT_EQ(cv.dc.SelectClipRgn(&rgn), SIMPLEREGION);
  cv.dc.FillSolidRect(0, 0, 8, 4, RGB(255, 0, 0));
  EXPECT_EQ(cv.Rows()[3], "rr......");
  EXPECT_EQ(cv.Rows()[0], ".######.");
  cv.dc.SelectClipRgn(nullptr);
  EXPECT_EQ(cv.dc.GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(box, CRect(0, 0, 8, 4));
}

TEST(DrawPixels, SaveAndRestoreState) {
  Canvas cv(4, 1);
  const int level = cv.dc.SaveDC();
  CPen red(PS_SOLID, 1, RGB(255, 0, 0));
  cv.dc.SelectObject(&red);
  cv.dc.SetTextColor(RGB(1, 2, 3));
  cv.dc.IntersectClipRect(0, 0, 1, 1);
  cv.dc.SaveDC();
  cv.dc.SetMapMode(MM_LOENGLISH);
  EXPECT_TRUE(cv.dc.RestoreDC(level));
  EXPECT_FALSE(cv.dc.RestoreDC(level));  // already consumed
  EXPECT_EQ(cv.dc.GetMapMode(), MM_TEXT);
  EXPECT_EQ(cv.dc.GetTextColor(), RGB(0, 0, 0));
  cv.dc.MoveTo(0, 0);
  cv.dc.LineTo(4, 0);
  EXPECT_EQ(cv.Rows()[0], "####");
}

TEST(DrawPixels, SelectObjectReturnsPreviousAndDefersDeletion) {
  Canvas cv(3, 1);
  CPen* stock = cv.dc.GetCurrentPen();
  ASSERT_NE(stock, nullptr);
  EXPECT_EQ(stock->m_hObject, GetStockObject(BLACK_PEN));
  auto* pen = new CPen(PS_SOLID, 1, RGB(0, 0, 255));
  EXPECT_EQ(cv.dc.SelectObject(pen), stock);
  EXPECT_EQ(cv.dc.GetCurrentPen(), pen);
  CBrush brush(RGB(1, 1, 1));
  CBrush* oldBrush = cv.dc.SelectObject(&brush);
  EXPECT_EQ(cv.dc.SelectObject(oldBrush), &brush);
  EXPECT_EQ(oldBrush->m_hObject, GetStockObject(WHITE_BRUSH));
  // Destroying a pen still selected keeps the DC drawing with it until it is
  // replaced.
  HPEN h = pen->m_hObject;
  delete pen;
  EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_PEN));
  cv.dc.MoveTo(0, 0);
  cv.dc.LineTo(3, 0);
  EXPECT_EQ(cv.Rows()[0], "bbb");
  cv.dc.SelectStockObject(BLACK_PEN);
  EXPECT_EQ(GetObjectType(h), 0u);
  // A bitmap goes into one memory DC at a time, and never into a window DC.
  CDC a, b;
  a.CreateCompatibleDC(&cv.dc);
  b.CreateCompatibleDC(&cv.dc);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&cv.dc, 2, 2);
  CBitmap* oa = a.SelectObject(&bmp);
  EXPECT_NE(oa, nullptr);
  EXPECT_EQ(b.SelectObject(&bmp), nullptr);
  EXPECT_EQ(cv.dc.SelectObject(&bmp), nullptr);
  a.SelectObject(oa);
  EXPECT_NE(b.SelectObject(&bmp), nullptr);
}

TEST(DrawPixels, SurfaceDcOriginAndDeviceClip) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 6, 4);
  CDC dc;
  dc.Attach(CreateSurfaceDC(s, 2, 1, RECT{1, 1, 5, 3}));
  CRect all(-10, -10, 10, 10);
  dc.FillSolidRect(&all, RGB(255, 255, 255));
  dc.SetPixel(0, 0, RGB(255, 0, 0));   // surface (2,1)
  dc.SetPixel(-1, 0, RGB(0, 0, 255));  // surface (1,1)
  EXPECT_EQ(dc.SetPixel(3, 0, RGB(0, 0, 0)), CLR_INVALID);  // surface (5,1): clipped
  CRect box;
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(-1, 0, 3, 2));
  DeleteSurfaceDC(dc.Detach());
  cairo_surface_flush(s);
  const auto* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  auto at = [&](int x, int y) { return reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF; };
  EXPECT_EQ(at(2, 1), 0xFF0000u);
  EXPECT_EQ(at(1, 1), 0x0000FFu);
  EXPECT_EQ(at(4, 2), 0xFFFFFFu);
  EXPECT_EQ(at(0, 0), 0u);  // outside the clip: untouched
  EXPECT_EQ(at(5, 1), 0u);
  EXPECT_EQ(at(1, 3), 0u);
  cairo_surface_destroy(s);
}

TEST(DrawPixels, PatternAndHatchBrushesFollowTheBrushOrigin) {
  // One black pixel at (0,0) of an 8 x 8 monochrome pattern: drawn in the
  // text colour, the rest in the background colour.
  WORD bits[8];
  for (WORD& w : bits) w = 0xFF;
  bits[0] = 0x7F;
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(8, 8, 1, 1, bits));
  CBrush brush(&bmp);
  Canvas cv(12, 4);
  cv.dc.SetTextColor(RGB(255, 0, 0));
  cv.dc.SetBkColor(RGB(0, 0, 255));
  cv.dc.SetBrushOrg(3, 2);
  CRect r(0, 0, 12, 4);
  cv.dc.FillRect(&r, &brush);
  const Rows rows = cv.Rows();
  EXPECT_EQ(rows[2], "bbbrbbbbbbbr");
  EXPECT_EQ(cv.Count(RGB(255, 0, 0)), 2);

  // Hatches: the gaps take the background colour only in OPAQUE mode.
  Canvas h(8, 2);
  CBrush hatch(HS_VERTICAL, RGB(0, 0, 0));
  h.dc.SetBkColor(RGB(0, 255, 0));
  CRect hr(0, 0, 8, 1);
  h.dc.FillRect(&hr, &hatch);
  h.dc.SetBkMode(TRANSPARENT);
  CRect hr2(0, 1, 8, 2);
  h.dc.FillRect(&hr2, &hatch);
  EXPECT_EQ(h.Rows(), (Rows{"#ggggggg", "#......."}));
}

TEST(DrawPixels, EdgesUseTheSystemColours) {
  const std::map<char, COLORREF> colours{{'L', GetSysColor(COLOR_3DLIGHT)},   {'H', GetSysColor(COLOR_3DHILIGHT)},
                                         {'S', GetSysColor(COLOR_3DSHADOW)},  {'D', GetSysColor(COLOR_3DDKSHADOW)},
                                         {'F', GetSysColor(COLOR_3DFACE)},    {'.', RGB(1, 2, 3)}};
  auto expect = [&](Canvas& cv, const Rows& rows, const char* what) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
      for (int x = 0; x < static_cast<int>(rows[static_cast<std::size_t>(y)].size()); ++x)
        EXPECT_EQ(cv.At(x, y), colours.at(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]))
            << what << " at " << x << "," << y;
  };
  struct Case { UINT edge, flags; Rows rows; CRect adjusted; };
  const Case cases[] = {
      {EDGE_RAISED, BF_RECT | BF_ADJUST, {"LLLLD", "LHHSD", "LH.SD", "LSSSD", "DDDDD"}, CRect(2, 2, 3, 3)},
      {EDGE_SUNKEN, BF_RECT | BF_MIDDLE, {"SSSSH", "SDDLH", "SDFLH", "SLLLH", "HHHHH"}, CRect(0, 0, 5, 5)},
      {BDR_RAISEDINNER, BF_TOP | BF_LEFT | BF_ADJUST, {"HHHHH", "H....", "H....", "H....", "H...."}, CRect(1, 1, 5, 5)},
  };
  for (const Case& c : cases) {
    Canvas cv(5, 5, RGB(1, 2, 3));
    CRect r(0, 0, 5, 5);
    EXPECT_TRUE(cv.dc.DrawEdge(&r, c.edge, c.flags));
    expect(cv, c.rows, "edge");
    EXPECT_EQ(r, c.adjusted);
  }
}

}  // namespace
