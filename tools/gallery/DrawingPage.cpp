#include "DrawingPage.h"

#include <cstdio>
#include <cstring>

#include "platform/gfx/Dc.h"
#include "platform/gfx/SysColors.h"

namespace gallery {
namespace {

void Heading(CDC& dc, int x, int y, const char* text) {
  CFont font;
  font.CreateFont(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 128));
  dc.TextOut(x, y, text);
  dc.SelectObject(old);
}

void Fonts(CDC& dc, int x, int y) {
  Heading(dc, x, y, "Fonts");
  y += 20;
  struct Sample { const char* face; int height; int weight; bool italic, underline, strike; };
  const Sample samples[] = {
      {"Arial", -11, FW_NORMAL, false, false, false},
      {"Arial", -13, FW_NORMAL, false, false, false},
      {"Arial", -13, FW_BOLD, false, false, false},
      {"Arial", -16, FW_NORMAL, true, false, false},
      {"MS Sans Serif", -11, FW_NORMAL, false, false, false},
      {"Times New Roman", -15, FW_NORMAL, false, false, false},
      {"Times New Roman", -15, FW_BOLD, true, false, false},
      {"Courier New", -13, FW_NORMAL, false, false, false},
      {"courier", -13, FW_BOLD, false, true, false},
      {"System", 16, FW_BOLD, false, false, false},
      {"Helvetica", -20, FW_NORMAL, false, false, true},
  };
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SetBkMode(TRANSPARENT);
  for (const Sample& s : samples) {
    CFont font;
    font.CreateFont(s.height, 0, 0, 0, s.weight, s.italic, s.underline, s.strike, ANSI_CHARSET, 0, 0, 0, 0, s.face);
    CFont* old = dc.SelectObject(&font);
    char line[160];
    std::snprintf(line, sizeof line, "%s %d%s%s: Scout Unit \x80 1,234.56 \xE9t\xE9 \xBB", s.face, s.height,
                  s.weight >= FW_BOLD ? " bold" : "", s.italic ? " italic" : "");
    dc.TextOut(x, y, line);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    y += tm.tmHeight + tm.tmExternalLeading + 2;
    dc.SelectObject(old);
  }
  // Opaque text and alignment around a marked point.
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(RGB(255, 255, 160));
  dc.TextOut(x, y + 4, "Opaque background");
  dc.SetBkMode(TRANSPARENT);
  const int px = x + 300, py = y + 12;
  dc.SetPixel(px, py, RGB(255, 0, 0));
  dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
  dc.TextOut(px, py, "right/base");
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  CFont rotated;
  rotated.CreateFont(-13, 0, 300, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  CFont* old = dc.SelectObject(&rotated);
  dc.TextOut(x + 330, y + 20, "Escapement 30");
  dc.SelectObject(old);
}

void DrawTexts(CDC& dc, int x, int y) {
  Heading(dc, x, y, "DrawText");
  y += 20;
  CFont font;
  font.CreatePointFont(80, "MS Sans Serif");
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  CBrush frame(RGB(160, 160, 160));
  struct Box { const char* text; UINT format; int w, h; };
  const Box boxes[] = {
      {"Left top", DT_LEFT | DT_TOP | DT_SINGLELINE, 120, 24},
      {"Centred", DT_CENTER | DT_VCENTER | DT_SINGLELINE, 120, 24},
      {"Right bottom", DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, 120, 24},
      {"A long text that is broken between words to fit the box", DT_WORDBREAK, 120, 56},
      {"A long text cut off with an ellipsis", DT_END_ELLIPSIS | DT_SINGLELINE, 120, 18},
      {"/home/treasurer/fy2024/accounts.dat", DT_PATH_ELLIPSIS | DT_SINGLELINE, 120, 18},
      {"&File and &&more", DT_SINGLELINE, 120, 18},
      {"Col1\tCol2\tCol3", DT_EXPANDTABS | DT_SINGLELINE, 120, 18},
  };
  int bx = x, by = y;
  for (const Box& b : boxes) {
    CRect r(bx, by, bx + b.w, by + b.h);
    dc.FrameRect(&r, &frame);
    r.DeflateRect(2, 1);
    dc.DrawText(b.text, -1, &r, b.format);
    by += b.h + 6;
    if (by > y + 130) {
      by = y;
      bx += b.w + 10;
    }
  }
  dc.SelectObject(old);
}

void Pens(CDC& dc, int x, int y) {
  Heading(dc, x, y, "Pens and lines");
  y += 22;
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  for (int i = 0; i < 5; ++i) {
    CPen pen(styles[i], 1, RGB(0, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(x, y + i * 8);
    dc.LineTo(x + 180, y + i * 8);
    dc.SelectObject(old);
  }
  const int widths[] = {2, 3, 5};
  const COLORREF colors[] = {RGB(200, 0, 0), RGB(0, 140, 0), RGB(0, 0, 200)};
  for (int i = 0; i < 3; ++i) {
    CPen pen(PS_SOLID, widths[i], colors[i]);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(x, y + 48 + i * 10);
    dc.LineTo(x + 180, y + 48 + i * 10);
    dc.SelectObject(old);
  }
  // A fan of one-pixel lines.
  for (int a = 0; a <= 8; ++a) {
    dc.MoveTo(x + 200, y + 80);
    dc.LineTo(x + 200 + a * 10, y);
  }
  const POINT poly[] = {{x + 300, y + 80}, {x + 330, y}, {x + 360, y + 80}, {x + 300, y + 30}, {x + 360, y + 30}};
  CBrush fill(RGB(200, 220, 255));
  CBrush* oldBrush = dc.SelectObject(&fill);
  dc.SetPolyFillMode(ALTERNATE);
  dc.Polygon(poly, 5);
  dc.SelectObject(oldBrush);
}

void Shapes(CDC& dc, int x, int y) {
  Heading(dc, x, y, "Shapes and brushes");
  y += 22;
  CBrush solid(RGB(255, 220, 120));
  CBrush* old = dc.SelectObject(&solid);
  dc.Rectangle(x, y, x + 60, y + 40);
  dc.Ellipse(x + 70, y, x + 130, y + 40);
  dc.RoundRect(x + 140, y, x + 200, y + 40, 16, 16);
  CPen thick(PS_INSIDEFRAME, 4, RGB(0, 100, 0));
  CPen* oldPen = dc.SelectObject(&thick);
  dc.Rectangle(x + 210, y, x + 270, y + 40);
  dc.SelectObject(oldPen);
  // Hatches, opaque and transparent.
  for (int h = HS_HORIZONTAL; h <= HS_DIAGCROSS; ++h) {
    CBrush hatch(h, RGB(0, 0, 160));
    dc.SetBkMode(h % 2 ? TRANSPARENT : OPAQUE);
    dc.SetBkColor(RGB(230, 255, 230));
    dc.SelectObject(&hatch);
    dc.Rectangle(x + h * 45, y + 50, x + h * 45 + 40, y + 90);
    dc.SelectObject(&solid);
  }
  dc.SetBkMode(OPAQUE);
  // A monochrome 8 x 8 pattern coloured by the text and background colours.
  static const WORD checker[8] = {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F};
  CBitmap bits;
  bits.CreateBitmap(8, 8, 1, 1, checker);
  CBrush pattern(&bits);
  dc.SelectObject(&pattern);
  dc.SetTextColor(RGB(160, 0, 0));
  dc.SetBkColor(RGB(255, 255, 255));
  dc.Rectangle(x, y + 100, x + 80, y + 140);
  dc.SetBrushOrg(4, 4);
  dc.Rectangle(x + 90, y + 100, x + 170, y + 140);
  dc.SetBrushOrg(0, 0);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SelectObject(old);
  // Stock brushes.
  const int stock[] = {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH};
  for (int i = 0; i < 5; ++i) {
    CRect r(x + 180 + i * 20, y + 100, x + 198 + i * 20, y + 140);
    dc.FillRect(&r, CBrush::FromHandle(static_cast<HBRUSH>(GetStockObject(stock[i]))));
  }
}

void Edges(CDC& dc, int x, int y) {
  Heading(dc, x, y, "Edges");
  y += 22;
  CRect back(x - 4, y - 4, x + 380, y + 90);
  dc.FillSolidRect(&back, GetSysColor(COLOR_3DFACE));
  struct E { UINT edge, flags; };
  const E edges[] = {{EDGE_RAISED, BF_RECT},
                     {EDGE_SUNKEN, BF_RECT},
                     {EDGE_ETCHED, BF_RECT},
                     {EDGE_BUMP, BF_RECT},
                     {EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE},
                     {EDGE_SUNKEN, BF_RECT | BF_MONO},
                     {EDGE_RAISED, BF_RECT | BF_FLAT}};
  for (int i = 0; i < 7; ++i) {
    CRect r(x + i * 52, y, x + i * 52 + 44, y + 34);
    dc.DrawEdge(&r, edges[i].edge, edges[i].flags);
  }
  dc.Draw3dRect(x, y + 44, 60, 30, RGB(255, 255, 255), RGB(128, 128, 128));
  CRect focus(x + 70, y + 44, x + 140, y + 74);
  dc.DrawFocusRect(&focus);
}

void Inversion(CDC& dc, int x, int y) {
  Heading(dc, x, y, "Inversion and ROP2");
  y += 22;
  for (int i = 0; i < 6; ++i) {
    CRect r(x + i * 20, y, x + i * 20 + 20, y + 60);
    dc.FillSolidRect(&r, RGB(i * 40, 120, 255 - i * 40));
  }
  CRect inv(x + 10, y + 10, x + 110, y + 30);
  dc.InvertRect(&inv);
  dc.PatBlt(x + 10, y + 35, 100, 15, DSTINVERT);
  // R2_XORPEN rubber band, drawn once.
  CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
  CPen* old = dc.SelectObject(&pen);
  dc.SetROP2(R2_XORPEN);
  dc.MoveTo(x, y + 70);
  dc.LineTo(x + 120, y);
  dc.SetROP2(R2_NOT);
  dc.MoveTo(x, y);
  dc.LineTo(x + 120, y + 70);
  dc.SetROP2(R2_COPYPEN);
  dc.SelectObject(old);
}

void Blits(CDC& dc, int x, int y) {
  Heading(dc, x, y, "Bitmaps and block transfers");
  y += 22;
  CDC mem;
  mem.CreateCompatibleDC(&dc);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&dc, 40, 40);
  CBitmap* old = mem.SelectObject(&bmp);
  CRect all(0, 0, 40, 40);
  mem.FillSolidRect(&all, RGB(255, 0, 255));
  CBrush disc(RGB(0, 160, 255));
  mem.SelectObject(&disc);
  mem.SelectStockObject(NULL_PEN);
  mem.Ellipse(4, 4, 37, 37);
  mem.SetTextColor(RGB(255, 255, 255));
  mem.SetBkMode(TRANSPARENT);
  mem.TextOut(13, 12, "K");
  dc.BitBlt(x, y, 40, 40, &mem, 0, 0, SRCCOPY);
  dc.StretchBlt(x + 50, y, 80, 60, &mem, 0, 0, 40, 40, SRCCOPY);
  // Transparent blit: a mask where the key colour is, then AND and PAINT.
  CDC maskDc;
  maskDc.CreateCompatibleDC(&dc);
  CBitmap mask;
  mask.CreateBitmap(40, 40, 1, 1, nullptr);
  CBitmap* oldMask = maskDc.SelectObject(&mask);
  mem.SetBkColor(RGB(255, 0, 255));
  maskDc.BitBlt(0, 0, 40, 40, &mem, 0, 0, SRCCOPY);
  CRect behind(x + 140, y, x + 200, y + 40);
  CBrush stripes(HS_BDIAGONAL, RGB(0, 120, 0));
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(RGB(255, 255, 255));
  dc.FillRect(&behind, &stripes);
  mem.SetBkColor(RGB(0, 0, 0));
  mem.SetTextColor(RGB(255, 255, 255));
  mem.BitBlt(0, 0, 40, 40, &maskDc, 0, 0, SRCAND);  // key colour to black
  dc.SetBkColor(RGB(255, 255, 255));
  dc.SetTextColor(RGB(0, 0, 0));
  dc.BitBlt(x + 150, y, 40, 40, &maskDc, 0, 0, SRCAND);
  dc.BitBlt(x + 150, y, 40, 40, &mem, 0, 0, SRCPAINT);
  maskDc.SelectObject(oldMask);
  mem.SelectObject(old);
}

}  // namespace

void DrawDrawingPage(CDC& dc) {
  CRect page(0, 0, kPageWidth, kPageHeight);
  dc.FillSolidRect(&page, RGB(255, 255, 255));
  const int save = dc.SaveDC();
  Fonts(dc, 10, 10);
  DrawTexts(dc, 460, 10);
  Pens(dc, 10, 300);
  Shapes(dc, 460, 190);
  Edges(dc, 10, 420);
  Inversion(dc, 460, 380);
  Blits(dc, 460, 480);
  // Clipping: a text drawn through an excluded band.
  dc.SaveDC();
  dc.IntersectClipRect(10, 560, 400, 600);
  dc.ExcludeClipRect(100, 560, 140, 600);
  CBrush band(HS_CROSS, RGB(120, 120, 120));
  CRect clipArea(0, 540, 420, 620);
  dc.FillRect(&clipArea, &band);
  dc.RestoreDC(-1);
  dc.RestoreDC(save);
}

}  // namespace gallery
