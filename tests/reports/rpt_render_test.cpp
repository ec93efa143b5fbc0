// Rendering a built report: plain text and printing (to the PDF printer,
// read back page by page).
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "RptPdf.h"
#include "RptTestSupport.h"
#include "platform/gfx/Dc.h"
#include "reports/RptPaging.h"
#include "reports/RptRender.h"

namespace {

class RptRenderTest : public RptTest {
 protected:
  // A report of `pages` pages: a numbered body line per row.
  RptContext* BuildPages(int pages, const std::vector<std::string>& firstLines = {}) {
    RptContext* c = Prepare(18);
    SetRptTitle(c, "Render", 1);
    SetRptColumnHeaders(c, {"{10-}Head"});
    EXPECT_TRUE(OpenRpt(c));
    WriteRptBlock(c, RPT_BLOCK_TITLE);
    WriteRptBlock(c, RPT_BLOCK_HEADERS);
    for (const std::string& line : firstLines) WriteRptText(c, line.c_str());
    for (int i = 0; c->pageCount < pages || !RptPageFull(c, 1); ++i) {
      if (c->pageCount == pages && RptPageFull(c, 1)) break;
      NeedRptLines(c, 1);
      WriteRptText(c, ("{20}Body " + std::to_string(i)).c_str());
    }
    EXPECT_TRUE(CloseRpt(c));
    EXPECT_EQ(c->pageCount, pages);
    return c;
  }
  std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<int> PrintedPageNumbers(const RptPrintRange& range) {
    const std::string pdf = home_ + "/out.pdf";
    std::snprintf(ctx_->saveAsName, sizeof ctx_->saveAsName, "%s", pdf.c_str());
    CDC dc;
    EXPECT_TRUE(dc.CreateDC(nullptr, "PDF file", pdf.c_str(), nullptr));
    EXPECT_EQ(PrintRpt(ctx_, &dc, range), 1);
    dc.DeleteDC();
    std::vector<int> numbers;
    for (const std::string& page : PdfPageTexts(pdf)) {
      const std::size_t at = page.rfind("Page ");
      numbers.push_back(at == std::string::npos ? 0 : std::atoi(page.c_str() + at + 5));
    }
    return numbers;
  }
};

TEST_F(RptRenderTest, TextExportKeepsRowsPagesAndRules) {
  RptContext* c = BuildPages(3, {"{30.}Total Assets", "{20,2=}", "{*1.0,0.5:}", "{10r}12.50{10c}mid{5}x   "});
  const std::string out = home_ + "/report.txt";
  std::snprintf(c->saveAsName, sizeof c->saveAsName, "%s", out.c_str());
  ASSERT_EQ(ExportRptText(c), 1);
  const std::string text = ReadAll(out);
  // Two form feeds for three pages; each later page starts with an empty line.
  std::vector<std::string> pages;
  std::size_t start = 0;
  for (std::size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
    pages.push_back(text.substr(start, ff - start));
  pages.push_back(text.substr(start));
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[1].substr(0, 2), "\r\n");
  EXPECT_EQ(pages[2].substr(0, 2), "\r\n");
  // A page ends with its footer row; the break's row belongs to the next page.
  for (int p : {0, 1}) EXPECT_TRUE(pages[p].ends_with("Page " + std::to_string(p + 1) + "\r\n")) << pages[p];
  // Every line ends in CR LF without trailing blanks.
  std::istringstream lines(pages[0]);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) {
    ASSERT_FALSE(line.empty());
    ASSERT_EQ(line.back(), '\r');
    line.pop_back();
    if (!line.empty()) {
      ASSERT_NE(line.back(), ' ') << line;
    }
    rows.push_back(line);
  }
  ASSERT_GT(rows.size(), 12u);
  EXPECT_EQ(rows[0], "Render ======================================================================");
  EXPECT_EQ(rows[3].substr(0, 4), "Head");
  EXPECT_EQ(rows[4], "Total Assets .................");
  EXPECT_EQ(rows[5], "+==================+");
  EXPECT_EQ(rows[6], "|                  |");
  // The box hangs over the next lines, whose text overlays it; the outline
  // (row 6) gives nothing.
  EXPECT_EQ(rows[7], "|    12.50   mid   |x");
  EXPECT_EQ(rows[8], "Body 0=============+");  // the bottom, three rows down
  EXPECT_NE(text.find("December 11, 2026"), std::string::npos);
}

TEST_F(RptRenderTest, TextExportNeverDropsLines) {
  // Far more records on one page than the page has rows (label sheets,
  // absolute positions): every one is written.
  RptContext* c = Prepare();
  ASSERT_TRUE(OpenRpt(c));
  for (int i = 0; i < 200; ++i) WriteRptLine(c, ("{+0.5,0.5}{30}Label " + std::to_string(i)).c_str());
  ASSERT_TRUE(CloseRpt(c));
  const std::string out = home_ + "/labels.txt";
  std::snprintf(c->saveAsName, sizeof c->saveAsName, "%s", out.c_str());
  ASSERT_EQ(ExportRptText(c), 1);
  const std::string text = ReadAll(out);
  for (int i : {0, 78, 79, 199}) EXPECT_NE(text.find("Label " + std::to_string(i) + "\r\n"), std::string::npos) << i;
}

TEST_F(RptRenderTest, PrintingMakesTheRangeCopiesAndCollation) {
  if (!HavePdfTools()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  BuildPages(5);
  struct Case {
    RptPrintRange range;
    std::vector<int> pages;
  };
  const Case cases[] = {
      {{1, 0xFFFF, 1, 1}, {1, 2, 3, 4, 5}},
      {{3, 4, 1, 1}, {3, 4}},           // pages before the range use no paper
      {{1, 2, 2, 0}, {1, 1, 2, 2}},     // uncollated copies
      {{1, 2, 2, 1}, {1, 2, 1, 2}},     // collated copies
      {{5, 9, 3, 0}, {5, 5, 5}},        // a range past the end stops at the last page
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.range.firstPage) + "-" + std::to_string(c.range.lastPage));
    EXPECT_EQ(PrintedPageNumbers(c.range), c.pages);
  }
}

TEST_F(RptRenderTest, PrintedTextIsTheReportsText) {
  if (!HavePdfTools()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  BuildPages(1, {"{30}Scout {Name}", "{30.}Total Assets{10r}1,234.56 "});
  const std::string pdf = home_ + "/text.pdf";
  std::snprintf(ctx_->saveAsName, sizeof ctx_->saveAsName, "%s", pdf.c_str());
  CDC dc;
  ASSERT_TRUE(dc.CreateDC(nullptr, "PDF file", pdf.c_str(), nullptr));
  ASSERT_EQ(PrintRpt(ctx_, &dc, RptPrintRange{}), 1);
  dc.DeleteDC();
  const auto pages = PdfPageTexts(pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0].find("Render"), std::string::npos);
  EXPECT_NE(pages[0].find("Troop 123"), std::string::npos);
  EXPECT_NE(pages[0].find("Total Assets"), std::string::npos);
  EXPECT_NE(pages[0].find("1,234.56"), std::string::npos);
  EXPECT_NE(pages[0].find("Page 1"), std::string::npos);
}

}  // namespace
