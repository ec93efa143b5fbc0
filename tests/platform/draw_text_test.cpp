// Text metrics against the shipped fonts and the layout of DrawText.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "draw_canvas.h"
#include "platform/gfx/FontEngine.h"

namespace {

using drawtest::Canvas;

CFont* MakeFont(CFont& f, int height, const char* face, int weight = FW_NORMAL, BYTE italic = 0) {
  f.CreateFont(height, 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
  return &f;
}

TEST(DrawText, FacesMapOntoTheLiberationFonts) {
  struct Case { const char* face; bool bold, italic; const char* file; };
  const Case cases[] = {
      {"Arial", false, false, "LiberationSans-Regular"},
      {"Arial", true, false, "LiberationSans-Bold"},
      {"Arial", false, true, "LiberationSans-Italic"},
      {"MS Sans Serif", false, false, "LiberationSans-Regular"},
      {"System", true, false, "LiberationSans-Bold"},
      {"Helvetica", false, false, "LiberationSans-Regular"},
      {"Times New Roman", true, true, "LiberationSerif-BoldItalic"},
      {"Courier New", false, false, "LiberationMono-Regular"},
      {"courier", false, false, "LiberationMono-Regular"},
      {"No Such Face", false, false, "LiberationSans-Regular"},
  };
  for (const Case& c : cases)
    EXPECT_NE(std::string(fonts::MatchedFile(c.face, c.bold, c.italic)).find(c.file), std::string::npos)
        << c.face << " -> " << fonts::MatchedFile(c.face, c.bold, c.italic);
}

TEST(DrawText, MetricsOfTheMappedFonts) {
  Canvas cv(10, 10);
  struct Case { int height; const char* face; int minH, maxH; bool fixed; };
  const Case cases[] = {
      {-13, "Arial", 15, 16, false},
      {-11, "MS Sans Serif", 12, 14, false},
      {-16, "Times New Roman", 17, 19, false},
      {-13, "Courier New", 14, 16, true},
  };
  for (const Case& c : cases) {
    CFont f;
    CFont* old = cv.dc.SelectObject(MakeFont(f, c.height, c.face));
    TEXTMETRIC tm;
    ASSERT_TRUE(cv.dc.GetTextMetrics(&tm));
    EXPECT_GE(tm.tmHeight, c.minH) << c.face;
    EXPECT_LE(tm.tmHeight, c.maxH) << c.face;
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent) << c.face;
    // A negative height is the character height: the rest is internal leading.
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight + c.height) << c.face;
    EXPECT_GT(tm.tmAscent, 2 * tm.tmDescent) << c.face;
    EXPECT_GE(tm.tmExternalLeading, 0);
    EXPECT_GT(tm.tmAveCharWidth, 0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    // The classic pitch bit is set for variable-pitch fonts.
    EXPECT_EQ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0, c.fixed) << c.face;
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
    cv.dc.SelectObject(old);
  }
  // Arial at -13 (10 points): ascent 12, descent 3.
  CFont arial;
  CFont* old = cv.dc.SelectObject(MakeFont(arial, -13, "Arial"));
  TEXTMETRIC tm;
  cv.dc.GetTextMetrics(&tm);
  EXPECT_EQ(tm.tmAscent, 12);
  EXPECT_EQ(tm.tmDescent, 3);
  EXPECT_EQ(tm.tmAveCharWidth, 6);
  cv.dc.SelectObject(old);
  // A positive height is the cell height.
  CFont cell;
  old = cv.dc.SelectObject(MakeFont(cell, 20, "Arial"));
  cv.dc.GetTextMetrics(&tm);
  EXPECT_EQ(tm.tmHeight, 20);
  EXPECT_GT(tm.tmInternalLeading, 0);
  cv.dc.SelectObject(old);
  // Point sizes go through the resolution: 10 points at 96 dpi.
  CFont points;
  ASSERT_TRUE(points.CreatePointFont(100, "Arial", &cv.dc));
  LOGFONT lf;
  points.GetLogFont(&lf);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
}

TEST(DrawText, ExtentsAddUpAndAgreeWithCharWidths) {
  Canvas cv(10, 10);
  CFont f;
  cv.dc.SelectObject(MakeFont(f, -13, "Arial"));
  const char* words[] = {"Scout", "Treasurer 1,234.56", "WWW iii", "\x80\xE9\xBB"};
  for (const char* w : words) {
    const int n = static_cast<int>(std::strlen(w));
    int sum = 0;
    for (int i = 0; i < n; ++i) sum += cv.dc.GetTextExtent(w + i, 1).cx;
    const CSize whole = cv.dc.GetTextExtent(w, n);
    EXPECT_EQ(whole.cx, sum) << w;
    EXPECT_EQ(whole.cy, 15);
    int widths[256];
    ASSERT_TRUE(cv.dc.GetCharWidth(0, 255, widths));
    int byWidths = 0;
    for (int i = 0; i < n; ++i) byWidths += widths[static_cast<unsigned char>(w[i])];
    EXPECT_EQ(byWidths, sum) << w;
  }
  EXPECT_GT(cv.dc.GetTextExtent("W", 1).cx, cv.dc.GetTextExtent("i", 1).cx);
  EXPECT_EQ(cv.dc.GetTextExtent(CString("abc")), cv.dc.GetTextExtent("abc", -1));
  const int plain = cv.dc.GetTextExtent("abc", 3).cx;
  cv.dc.SetTextCharacterExtra(2);
  EXPECT_EQ(cv.dc.GetTextExtent("abc", 3).cx, plain + 6);
  EXPECT_EQ(cv.dc.GetTextExtent("abc", 3).cx, cv.dc.GetTextExtent("a", 1).cx + cv.dc.GetTextExtent("bc", 2).cx);
  cv.dc.SetTextCharacterExtra(0);
  // Fixed pitch: every character as wide as the next.
  CFont mono;
  cv.dc.SelectObject(MakeFont(mono, -13, "Courier New"));
  EXPECT_EQ(cv.dc.GetTextExtent("iiii", 4), cv.dc.GetTextExtent("WWWW", 4));
  cv.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(DrawText, TextOutStaysInItsCellAndHonoursAlignment) {
  Canvas cv(80, 30);
  CFont f;
  cv.dc.SelectObject(MakeFont(f, -13, "Arial"));
  const CSize ext = cv.dc.GetTextExtent("Hello", 5);
  cv.dc.SetBkColor(RGB(255, 255, 0));
  cv.dc.TextOut(5, 4, "Hello", 5);
  // The opaque cell is exactly the extent; ink only inside it.
  int outside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      const bool in = x >= 5 && x < 5 + ext.cx && y >= 4 && y < 4 + ext.cy;
      if (!in && cv.At(x, y) != RGB(255, 255, 255)) ++outside;
    }
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(cv.At(5, 4), RGB(255, 255, 0));
  EXPECT_GT(cv.Count(RGB(0, 0, 0)), 10);

  // Right alignment with the current position moves it left by the width.
  cv.Fill(RGB(255, 255, 255));
  cv.dc.SetBkMode(TRANSPARENT);
  cv.dc.SetTextAlign(TA_RIGHT | TA_UPDATECP);
  cv.dc.MoveTo(70, 0);
  cv.dc.TextOut(0, 0, "Hello", 5);
  EXPECT_EQ(cv.dc.GetCurrentPosition(), CPoint(70 - ext.cx, 0));
  for (int y = 0; y < 30; ++y)
    for (int x = 70; x < 80; ++x) EXPECT_EQ(cv.At(x, y), RGB(255, 255, 255));

  // ETO_CLIPPED | ETO_OPAQUE: the rectangle is filled and nothing leaks out.
  cv.Fill(RGB(255, 255, 255));
  cv.dc.SetTextAlign(TA_LEFT | TA_TOP);
  cv.dc.SetBkColor(RGB(0, 255, 255));
  CRect clip(10, 5, 20, 25);
  cv.dc.ExtTextOut(0, 5, ETO_OPAQUE | ETO_CLIPPED, &clip, "Hello", nullptr);
  int leaked = 0, filled = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      if (!clip.PtInRect(CPoint(x, y)) && cv.At(x, y) != RGB(255, 255, 255)) ++leaked;
      if (cv.At(x, y) == RGB(0, 255, 255)) ++filled;
    }
  EXPECT_EQ(leaked, 0);
  EXPECT_GT(filled, 100);
}

TEST(DrawText, DrawTextCalcRectAndWordBreak) {
  Canvas cv(200, 100);
  CFont f;
  cv.dc.SelectObject(MakeFont(f, -13, "Arial"));
  TEXTMETRIC tm;
  cv.dc.GetTextMetrics(&tm);
  const int line = tm.tmHeight;
  const int wAaa = cv.dc.GetTextExtent("aaa bbb", 7).cx;

  struct Case { const char* text; UINT format; int width; int lines; };
  const Case cases[] = {
      {"aaa bbb ccc", DT_WORDBREAK, wAaa, 2},            // "aaa bbb" / "ccc"
      {"aaa bbb ccc", DT_WORDBREAK, wAaa - 1, 3},        // one word a line
      {"aaa bbb ccc", DT_SINGLELINE, 10, 1},
      {"one\r\ntwo\nthree", 0, 200, 3},
      {"one\r\ntwo", DT_SINGLELINE, 200, 1},
      {"", 0, 200, 1},
  };
  for (const Case& c : cases) {
    CRect r(10, 10, 10 + c.width, 12);
    const int h = cv.dc.DrawText(c.text, -1, &r, c.format | DT_CALCRECT);
    EXPECT_EQ(h, c.lines * line) << c.text << " " << c.width;
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.bottom, 10 + c.lines * line) << c.text;
    if (c.format & DT_WORDBREAK) {
      EXPECT_LE(r.Width(), c.width) << c.text;
    }
  }
  // A single line is as wide as its extent; "&" marks are not counted.
  CRect r(0, 0, 1, 1);
  cv.dc.DrawText("&File", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.Width(), cv.dc.GetTextExtent("File", 4).cx);
  cv.dc.DrawText("&File", -1, &r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(r.Width(), cv.dc.GetTextExtent("&File", 5).cx);
  cv.dc.DrawText("a&&b", -1, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.Width(), cv.dc.GetTextExtent("a&b", 3).cx);
  // Tabs expand to eight average characters.
  cv.dc.DrawText("\tx", -1, &r, DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS);
  EXPECT_EQ(r.Width(), 8 * tm.tmAveCharWidth + cv.dc.GetTextExtent("x", 1).cx);
}

// The columns and rows a drawing touched.
CRect Ink(const Canvas& cv, int w, int h) {
  CRect box(w, h, 0, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (cv.At(x, y) != RGB(255, 255, 255)) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

TEST(DrawText, DrawTextAlignsEllipsisesAndClips) {
  Canvas cv(200, 60);
  CFont f;
  cv.dc.SelectObject(MakeFont(f, -13, "Arial"));
  cv.dc.SetBkMode(TRANSPARENT);
  const CSize ext = cv.dc.GetTextExtent("Cash", 4);
  struct Case { UINT format; int left, right; };
  const Case cases[] = {
      {DT_LEFT, 20, 20 + ext.cx},
      {DT_RIGHT, 180 - ext.cx, 180},
      {DT_CENTER, 20 + (160 - ext.cx) / 2, 20 + (160 - ext.cx) / 2 + ext.cx},
  };
  for (const Case& c : cases) {
    cv.Fill(RGB(255, 255, 255));
    CRect r(20, 10, 180, 50);
    const int h = cv.dc.DrawText("Cash", -1, &r, c.format | DT_SINGLELINE | DT_VCENTER);
    const CRect ink = Ink(cv, 200, 60);
    EXPECT_GE(ink.left, c.left) << c.format;
    EXPECT_LE(ink.right, c.right) << c.format;
    EXPECT_LE(ink.right - ink.left, ext.cx);
    // Vertically centred in the 40-pixel box.
    const int top = 10 + (40 - ext.cy) / 2;
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + ext.cy);
    EXPECT_EQ(h, top - 10 + ext.cy);
  }
  // The end ellipsis keeps the text inside a narrow box even without clipping.
  cv.Fill(RGB(255, 255, 255));
  CRect narrow(20, 10, 70, 30);
  cv.dc.DrawText("Transaction register", -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(Ink(cv, 200, 60).right, 70);
  // Without an ellipsis the text is clipped to the box.
  cv.Fill(RGB(255, 255, 255));
  cv.dc.DrawText("Transaction register", -1, &narrow, DT_SINGLELINE);
  EXPECT_LE(Ink(cv, 200, 60).right, 70);
  EXPECT_GT(Ink(cv, 200, 60).right, 64);
  // The access-key underline sits below the baseline, under its letter.
  cv.Fill(RGB(255, 255, 255));
  CRect box(20, 10, 180, 50);
  TEXTMETRIC tm;
  cv.dc.GetTextMetrics(&tm);
  cv.dc.DrawText("&File", -1, &box, DT_SINGLELINE);
  int under = 0;
  for (int x = 20; x < 20 + cv.dc.GetTextExtent("F", 1).cx; ++x)
    under += cv.At(x, 10 + tm.tmAscent + 1) == RGB(0, 0, 0);
  EXPECT_EQ(under, cv.dc.GetTextExtent("F", 1).cx);
}

TEST(DrawText, TabbedTextOutStops) {
  Canvas cv(300, 20);
  CFont f;
  cv.dc.SelectObject(MakeFont(f, -13, "Arial"));
  const int stops[] = {50, 120};
  const CSize s = cv.dc.TabbedTextOut(10, 0, "a\tb\tc", -1, 2, stops, 10);
  EXPECT_EQ(s.cx, 120 + cv.dc.GetTextExtent("c", 1).cx);
  EXPECT_EQ(cv.dc.GetTabbedTextExtent("a\tb", 3, 1, stops).cx, 50 + cv.dc.GetTextExtent("b", 1).cx);
}

}  // namespace

namespace {

// Dialog-size text is crisp as on the classic desktop: at 8 points on the
// button face, every vertical stem of "l", "I" and "H" is one black pixel
// wide, with nothing grey beside it.
TEST(DrawText, EightPointStemsAreOneBlackPixelWide) {
  const COLORREF face = RGB(192, 192, 192);
  struct Case { const char* text; int stems; } cases[] = {{"l", 1}, {"I", 1}, {"H", 2}};
  for (const Case& c : cases) {
    Canvas cv(20, 20, face);
    CFont f;
    CFont* old = cv.dc.SelectObject(MakeFont(f, -11, "MS Sans Serif"));
    cv.dc.SetBkMode(TRANSPARENT);
    cv.dc.SetTextColor(RGB(0, 0, 0));
    cv.dc.TextOut(4, 2, c.text, static_cast<int>(std::strlen(c.text)));
    cv.dc.SelectObject(old);
    // A row through the stems, below the bar of the "H" (the baseline is
    // 10 pixels below the top).
    const int y = 2 + 10 - 2;
    int stems = 0, run = 0;
    std::string row;
    for (int x = 0; x < 20; ++x) {
      COLORREF p = cv.At(x, y);
      row += p == face ? '.' : p == RGB(0, 0, 0) ? '#' : '?';
    }
    for (int x = 0; x <= 20; ++x) {
      bool ink = x < 20 && row[static_cast<size_t>(x)] != '.';
      if (ink) ++run;
      else if (run) {
        EXPECT_EQ(run, 1) << c.text << ": " << row;
        ++stems;
        run = 0;
      }
    }
    EXPECT_EQ(stems, c.stems) << c.text << ": " << row;
    EXPECT_EQ(row.find('?'), std::string::npos) << c.text << ": " << row;
  }
}

}  // namespace
