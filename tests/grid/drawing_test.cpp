#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "grid/core/GXDrawing.h"
#include "grid/core/GXStyle.h"
#include "platform/gfx/GdiObject.h"
#include "grid/core/GXAppData.h"
#include "platform/draw_canvas.h"

namespace {

// A canvas with the grid's usual cell font selected and black text.
class TextCanvas : public drawtest::Canvas {
 public:
  TextCanvas(int w, int h) : Canvas(w, h) {
    font_.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    old_ = dc.SelectObject(&font_);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
  }
  ~TextCanvas() { dc.SelectObject(old_); }
  int W(const char* s) { return dc.GetTextExtent(s, static_cast<int>(std::strlen(s))).cx; }
  int LineHeight() {
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    return tm.tmHeight + tm.tmExternalLeading;
  }

 private:
  CFont font_;
  CFont* old_ = nullptr;
};

struct Laid {
  std::vector<std::string> lines;
  RECT rect;
};

Laid Layout(TextCanvas& c, const char* text, RECT rect, UINT format) {
  int starts[32], lengths[32];
  const int n = GXGetDrawingAndFormatting()->LayoutLines(&c.dc, text, -1, rect, format, starts, lengths, 32);
  Laid out{{}, rect};
  for (int i = 0; i < n; ++i) out.lines.emplace_back(text + starts[i], static_cast<std::size_t>(lengths[i]));
  return out;
}

TEST(GridDrawing, LayoutTable) {
  TextCanvas c(400, 200);
  const int lh = c.LineHeight();
  const int twoWords = c.W("aaa bbb ");
  struct Case {
    const char* what;
    const char* text;
    int width;  // of the rectangle, right - left + 1
    int lines;  // of height
    UINT format;
    std::vector<std::string> expect;
  } cases[] = {
      {"word wrap", "aaa bbb ccc", twoWords, 4, DT_WORDBREAK, {"aaa bbb ", "ccc"}},
      {"line ends", "one\r\ntwo\r\n", 200, 5, DT_WORDBREAK, {"one", "two", ""}},
      {"bare line feed", "one\ntwo", 200, 5, DT_WORDBREAK, {"one", "two"}},
      {"single line cuts after the spaces", "aaa bbb ccc", twoWords, 4, DT_SINGLELINE, {"aaa bbb "}},
      {"one partly visible line", "a b c d e", c.W("a "), 2, DT_WORDBREAK, {"a ", "b ", "c "}},
  };
  for (const auto& k : cases) {
    const RECT r{10, 10, 10 + k.width - 1, 10 + k.lines * lh};
    EXPECT_EQ(Layout(c, k.text, r, k.format).lines, k.expect) << k.what;
  }
  // A word wider than the cell breaks between characters.
  const int three = c.W("www");
  const auto broken = Layout(c, "wwwwwww", RECT{0, 0, three - 1, 10 * lh}, DT_WORDBREAK).lines;
  ASSERT_GE(broken.size(), 3u);
  EXPECT_EQ(broken[0], "www");
  EXPECT_EQ(broken[1], "www");
  EXPECT_EQ(broken[2], "w");
}

TEST(GridDrawing, VerticalAlignmentMovesTheTop) {
  TextCanvas c(100, 100);
  const RECT r{0, 0, 99, 60};
  EXPECT_EQ(Layout(c, "x", r, DT_SINGLELINE).rect.top, 0);
  const int bottomTop = Layout(c, "x", r, DT_SINGLELINE | DT_BOTTOM).rect.top;
  const int centreTop = Layout(c, "x", r, DT_SINGLELINE | DT_VCENTER).rect.top;
  EXPECT_GT(bottomTop, centreTop);
  EXPECT_GT(centreTop, 0);
  EXPECT_LE(bottomTop, 60 - c.LineHeight() + 1);
}

// Draws `expect` lines with plain text output at the given positions.
void Expected(TextCanvas& c, const std::vector<std::pair<int, std::string>>& lines, int top, int step) {
  int y = top;
  for (const auto& [x, s] : lines) {
    c.dc.TextOut(x, y, s.c_str(), static_cast<int>(s.size()));
    y += step;
  }
}

TEST(GridDrawing, AlignedTextLandsWhereTheLayoutSays) {
  const int w = 120;
  for (UINT align : {static_cast<UINT>(DT_LEFT), static_cast<UINT>(DT_CENTER), static_cast<UINT>(DT_RIGHT)}) {
    TextCanvas drawn(w, 40), expect(w, 40);
    GXGetDrawingAndFormatting()->DrawMultiLineText(&drawn.dc, "Total 12.50", -1, 0, 0, w - 1, 39,
                                                   DT_SINGLELINE | align, nullptr);
    const int tw = expect.W("Total 12.50");
    const int x = align == DT_RIGHT ? (w - 1) - tw : align == DT_CENTER ? (w - 1 - tw) / 2 : 0;
    Expected(expect, {{x, "Total 12.50"}}, 0, 0);
    EXPECT_EQ(drawn.Snapshot(), expect.Snapshot()) << "alignment " << align;
    EXPECT_GT(drawn.Count(RGB(255, 255, 255)), 0);
  }
}

TEST(GridDrawing, DottedMarkEndsTheLastVisibleLine) {
  TextCanvas probe(10, 10);
  const int lh = probe.LineHeight();
  const int w = probe.W("line two ");
  const char* text = "line one line two line six line ten";
  TextCanvas drawn(w + 1, 2 * lh + 2), expect(w + 1, 2 * lh + 2);
  GXGetDrawingAndFormatting()->DrawTextWithMarks(&drawn.dc, text, -1, 0, 0, w - 1, 2 * lh, DT_WORDBREAK, nullptr, 1);
  std::string second = "line two ";
  while (expect.W((second + "...").c_str()) > w && second.size() > 1) second.pop_back();
  const int step = lh > 19 ? lh - 1 : lh;
  Expected(expect, {{0, "line one "}, {0, second + "..."}}, 0, step);
  EXPECT_EQ(drawn.Snapshot(), expect.Snapshot());
}

TEST(GridDrawing, PoundMarkFillsTheWidth) {
  TextCanvas probe(10, 10);
  const int hash = probe.W("#");
  const int w = hash * 4 + 1;
  TextCanvas drawn(w + 2, 20), expect(w + 2, 20);
  GXGetDrawingAndFormatting()->DrawTextWithMarks(&drawn.dc, "123456789.00", -1, 0, 0, w, 19, DT_SINGLELINE, nullptr, 2);
  Expected(expect, {{0, "####"}}, 0, 0);
  EXPECT_EQ(drawn.Snapshot(), expect.Snapshot());
}

TEST(GridDrawing, ThreeDRectRings) {
  drawtest::Canvas c(6, 6);
  GXGetDrawingAndFormatting()->Draw3dRect(&c.dc, 0, 0, 4, 4, 2, RGB(0, 0, 0), RGB(128, 128, 128));
  const std::vector<std::string> expect = {
      "####s.", "###ss.", "##.ss.", "#ssss.", "sssss.", "......",
  };
  EXPECT_EQ(c.Rows(), expect);
}

TEST(GridDrawing, CharFromPoint) {
  TextCanvas c(200, 40);
  const int aw = c.W("a");
  EXPECT_EQ(GXGetDrawingAndFormatting()->CharFromPoint(&c.dc, "abc", -1, 0, 0, 199, 39, DT_SINGLELINE, aw + 1, 2), 1);
  EXPECT_EQ(GXGetDrawingAndFormatting()->CharFromPoint(&c.dc, "abc", -1, 0, 0, 199, 39, DT_SINGLELINE, 150, 2), -1);
  EXPECT_EQ(GXGetDrawingAndFormatting()->CharFromPoint(&c.dc, "abc", -1, 0, 0, 199, 39, DT_SINGLELINE, 1, 30), -1);
}

TEST(GridTextHelpers, LinesAndFields) {
  CString text = "first\r\nsecond\rthird";
  CString line;
  EXPECT_EQ(GXExtractLine(text, line), 6);
  EXPECT_EQ(line, "first");
  EXPECT_EQ(GXExtractLine(text, line), 6);
  EXPECT_EQ(line, "second");
  EXPECT_EQ(GXExtractLine(text, line), -1);
  EXPECT_EQ(line, "third");
  EXPECT_TRUE(text.IsEmpty());

  char buf[8];
  GXGetTabField("a\tbb", 2, buf, sizeof buf);
  EXPECT_STREQ(buf, "");
  GXGetTabField("a\tbb\tc", 1, buf, sizeof buf);
  EXPECT_STREQ(buf, "bb");
  GXGetTabField("x\tabcdefghijk", 1, buf, 5);
  EXPECT_STREQ(buf, "abcd") << "never past the buffer";
  std::memset(buf, 'z', sizeof buf);
  GXGetTabField("abcdefghijk", 0, buf, 3);
  EXPECT_STREQ(buf, "ab");
  EXPECT_EQ(buf[3], 'z');
}

TEST(GridTextHelpers, FindAndSortChoices) {
  CString line;
  const char* list = "Header\nCash\t100\nchecking\t110\nSavings\t120";
  EXPECT_EQ(GXFindChoice("Check", 0, list, TRUE, line, FALSE), 1);
  EXPECT_EQ(line, "checking\t110");
  EXPECT_EQ(GXFindChoice("Check", 0, list, TRUE, line, TRUE), -1);
  EXPECT_TRUE(line.IsEmpty());
  EXPECT_EQ(GXFindChoice("120", 1, list, TRUE, line, TRUE), 2);
  EXPECT_EQ(GXFindChoice("Header", 0, list, FALSE, line, TRUE), 0);

  CString choices = "Title\nbeta\nAlpha\ngamma";
  GXSortChoiceList(choices, 0, TRUE);
  EXPECT_EQ(choices, "Title\r\nAlpha\r\nbeta\r\ngamma\r\n");
  CString byField = "x\t3\ny\t1\nz\t2";
  GXSortChoiceList(byField, 1, FALSE);
  EXPECT_EQ(byField, "y\t1\r\nz\t2\r\nx\t3\r\n");
}

TEST(GridTextHelpers, FillResolvesSystemColours) {
  drawtest::Canvas c(4, 2);
  GXFillRect(&c.dc, 0, 0, 2, 2, RGB(255, 0, 0));
  EXPECT_EQ(c.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GXResolveColor(0xF9000000u), GXGetSysColor(5) & 0xFFFFFF);
  EXPECT_EQ(GXResolveColor(RGB(1, 2, 3)), RGB(1, 2, 3));
  GXInvertRect(&c.dc, CRect(0, 0, 4, 2), CRect(0, 0, 1, 1));
  EXPECT_EQ(c.At(0, 0), RGB(0, 255, 255));
  EXPECT_EQ(c.At(1, 0), RGB(255, 0, 0));
}

}  // namespace

namespace {

TEST(GridDrawing, WrappedLinesStepDownByTheLineHeight) {
  TextCanvas probe(10, 10);
  const int lh = probe.LineHeight();
  const int step = lh > 19 ? lh - 1 : lh;
  const int w = probe.W("alpha beta ");
  TextCanvas drawn(w + 4, 4 * lh), expect(w + 4, 4 * lh);
  GXGetDrawingAndFormatting()->DrawMultiLineText(&drawn.dc, "alpha beta gamma", -1, 0, 0, w - 1, 4 * lh - 1,
                                                 DT_WORDBREAK, nullptr);
  Expected(expect, {{0, "alpha beta "}, {0, "gamma"}}, 0, step);
  EXPECT_EQ(drawn.Snapshot(), expect.Snapshot());
}

TEST(GridDrawing, InteriorPatternsAreEightByEightBitmaps) {
  CGXStyleInterior interior;
  interior.SetPattern(1).SetColor(RGB(255, 0, 0)).SetBackColor(RGB(0, 0, 255));
  const LOGBRUSH lb = interior.GetLogBrushCopy();
  ASSERT_EQ(lb.lbStyle, static_cast<UINT>(BS_PATTERN));
  CBitmap* pattern = CBitmap::FromHandle(reinterpret_cast<HBITMAP>(lb.lbHatch));
  CBrush brush;
  ASSERT_TRUE(brush.CreatePatternBrush(pattern));
  drawtest::Canvas c(8, 2);
  c.dc.SetTextColor(interior.GetColor());
  c.dc.SetBkColor(interior.GetBackColor());
  CRect all(0, 0, 8, 2);
  c.dc.FillRect(&all, &brush);
  // Pattern 1 is a checker board: 55 then AA; a clear bit takes the fill colour.
  const std::vector<std::string> expect = {"rbrbrbrb", "brbrbrbr"};
  EXPECT_EQ(c.Rows(), expect);
}

}  // namespace
