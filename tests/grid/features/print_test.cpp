#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "grid/core/GXGridParam.h"
#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridPrintImp.h"
#include "grid/features/GXGridPrintLoop.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/framework/PrintInfo.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"
#include "reports/RptPdf.h"

namespace {

using gridtest::FeatureGridTest;

class GridPrinting : public FeatureGridTest {
 protected:
  // A grid whose cells name their place ("r3c2").
  void MakeNamedGrid(ROWCOL rows, ROWCOL cols) {
    MakeGrid(rows, cols);
    for (ROWCOL r = 1; r <= rows; ++r)
      for (ROWCOL c = 1; c <= cols; ++c) {
        const std::string name = "r" + std::to_string(r) + "c" + std::to_string(c);
        CGXStyle style(name.c_str());
        data()->StoreStyleRowCol(r, c, &style, 0, 0);
      }
  }
  CGXProperties& Props() { return *grid->GetParam()->GetProperties(); }

  // Runs the print loop's steps on a PDF file, as the framework does; the
  // text of each page.
  std::vector<std::string> PrintToPdf() {
    // Tests run as parallel processes: each prints to a file of its own.
    const std::string pdf = ::testing::TempDir() + "grid_print-" + std::to_string(::getpid()) + ".pdf";
    std::remove(pdf.c_str());
    CDC dc;
    dc.Attach(::CreateDC(printing::kDriverName, printing::kPdfPrinter, pdf.c_str(), nullptr));
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    grid->OnBeginPrinting(&dc, &info);
    pageDesc = info.m_strPageDesc;
    DOCINFO doc;
    doc.lpszDocName = "Grid";
    EXPECT_GT(dc.StartDoc(&doc), 0);
    continued.clear();
    for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
      grid->PrepareDC(&dc, TRUE);
      dc.StartPage();
      info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
      dc.DPtoLP(&info.m_rectDraw);
      grid->OnPrint(&dc, &info);
      continued.push_back(info.m_bContinuePrinting);
      dc.EndPage();
    }
    grid->OnEndPrinting(&dc, &info);
    EXPECT_GT(dc.EndDoc(), 0);
    ::DeleteDC(dc.Detach());
    return PdfPageTexts(pdf);
  }

  CString pageDesc;
  std::vector<BOOL> continued;
};

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

TEST_F(GridPrinting, APrintedGridHasItsPagesHeadersAndFooters) {
  if (!HavePdfTools()) GTEST_SKIP() << "no pdftotext";
  MakeNamedGrid(30, 3);
  grid->GetParam()->m_sTitle = "Troop Ledger";
  Props().m_awRowBreaks.Add(11);
  Props().m_awRowBreaks.Add(21);
  CGXStyle date("$D{%Y}"), pages("Page $p of $N");
  Props().GetDataFooter().StoreStyleRowCol(1, 1, &date, 2, 0);
  Props().GetDataFooter().StoreStyleRowCol(1, 3, &pages, 2, 0);

  const std::vector<std::string> texts = PrintToPdf();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_TRUE(Has(std::string(pageDesc), " / 3"));
  const std::time_t now = std::time(nullptr);
  const std::string year = std::to_string(std::localtime(&now)->tm_year + 1900);
  for (int page = 0; page < 3; ++page) {
    const std::string& text = texts[static_cast<std::size_t>(page)];
    SCOPED_TRACE(text);
    EXPECT_TRUE(Has(text, "Troop Ledger"));
    EXPECT_TRUE(Has(text, "Page " + std::to_string(page + 1) + " of 3"));
    EXPECT_TRUE(Has(text, year));
    // Each page starts at its break and ends before the next.
    EXPECT_TRUE(Has(text, "r" + std::to_string(page * 10 + 1) + "c1"));
    EXPECT_TRUE(Has(text, "r" + std::to_string(page * 10 + 10) + "c3"));
    EXPECT_FALSE(Has(text, "r" + std::to_string(page * 10 + 11) + "c1"));
  }
  EXPECT_EQ(continued, (std::vector<BOOL>{TRUE, TRUE, FALSE}));
}

TEST_F(GridPrinting, PagesRunAcrossOrDownByThePageOrder) {
  if (!HavePdfTools()) GTEST_SKIP() << "no pdftotext";
  const struct {
    int order;
    const char* firstCells[4];
  } cases[] = {
      {0, {"r1c1", "r1c4", "r6c1", "r6c4"}},
      {1, {"r1c1", "r6c1", "r1c4", "r6c4"}},
  };
  for (const auto& c : cases) {
    MakeNamedGrid(8, 6);
    Props().m_nPageOrder = c.order;
    Props().m_awColBreaks.Add(4);
    Props().m_awRowBreaks.Add(6);
    const std::vector<std::string> texts = PrintToPdf();
    ASSERT_EQ(texts.size(), 4u);
    for (int page = 0; page < 4; ++page)
      EXPECT_TRUE(Has(texts[static_cast<std::size_t>(page)], c.firstCells[page])) << c.order << " page " << page + 1;
    // Only the page with the last row and column ends the job.
    EXPECT_EQ(continued, (std::vector<BOOL>{TRUE, TRUE, TRUE, FALSE})) << c.order;
  }
}

TEST_F(GridPrinting, EveryRowAndColumnIsPrintedOnceWithoutBreaks) {
  if (!HavePdfTools()) GTEST_SKIP() << "no pdftotext";
  MakeNamedGrid(120, 14);
  const std::vector<std::string> texts = PrintToPdf();
  ASSERT_GE(texts.size(), 4u) << "more rows and columns than one page holds";
  for (ROWCOL r = 1; r <= 120; r += 7)
    for (ROWCOL c = 1; c <= 14; ++c) {
      const std::string cell = " r" + std::to_string(r) + "c" + std::to_string(c) + " ";
      int found = 0;
      for (std::string text : texts) {
        std::replace(text.begin(), text.end(), '\n', ' ');
        found += Has(text + " ", cell) ? 1 : 0;
      }
      EXPECT_EQ(found, 1) << cell;
    }
}

TEST_F(GridPrinting, AGridSmallerThanAPageIsOnePage) {
  if (!HavePdfTools()) GTEST_SKIP() << "no pdftotext";
  MakeNamedGrid(3, 2);
  const std::vector<std::string> texts = PrintToPdf();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(Has(std::string(pageDesc), " / 1"));
  EXPECT_TRUE(Has(texts[0], "r3c2"));
  EXPECT_TRUE(Has(texts[0], "1/1")) << "the default footer";
}

TEST_F(GridPrinting, TokensAreReplacedInHeaderAndFooterTexts) {
  CGXProperties& props = Props();
  props.m_tokenValues = {"Book", "Kestrova", "2", "5", "", "Title"};
  std::tm when{};
  when.tm_year = 126;
  when.tm_mon = 11;
  when.tm_mday = 11;
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"Page $P of $N", "Page 2 of 5"},
      {"$p/$n", "2/5"},
      {"$X stays", "$X stays"},
      {"$F - $A - $R", "Book - Kestrova - Title"},
  };
  for (const auto& c : cases) EXPECT_EQ(std::string(props.SubstTokenText(c.text)), c.expected) << c.text;

  const std::time_t now = std::time(nullptr);
  char today[64], full[256];
  std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
  std::strftime(full, sizeof full, "%c", std::localtime(&now));
  EXPECT_EQ(std::string(props.SubstTokenText("$D{%Y-%m-%d}")), today);
  EXPECT_EQ(std::string(props.SubstTokenText("$D{%Y")).substr(std::string(full).size()), "{%Y");

  // Only the known conversions reach the formatter.
  EXPECT_EQ(std::string(GXFormatHeaderDate("%Y %Q %n %", when)), "2026 %Q %n %");
  EXPECT_EQ(std::string(GXFormatHeaderDate(std::string(300, 'x').c_str(), when)), "") << "too long";
}

TEST_F(GridPrinting, PageNumbersMayStartAtAnyNumber) {
  CGXProperties& props = Props();
  props.m_nFirstPage = 10;
  CPrintInfo info;
  info.SetMaxPage(3);
  info.m_nCurPage = 1;
  CDC dc;
  dc.Attach(::CreateDC(printing::kDriverName, printing::kPdfPrinter, (::testing::TempDir() + "n-" + std::to_string(::getpid()) + ".pdf").c_str(),
                       nullptr));
  grid->PrepareDC(&dc, TRUE);
  info.m_rectDraw.SetRect(100, 100, 500, 500);
  props.PrintHeaderFooter(&dc, &info, nullptr, grid->GetParam());
  EXPECT_EQ(std::string(props.SubstTokenText("$P")), "10");
  ::DeleteDC(dc.Detach());
}

}  // namespace

namespace {

TEST_F(GridPrinting, PrintSettingsTravelWithACopiedParameterObject) {
  grid->GetParam()->m_sTitle = "Ledger";
  Props().m_awColBreaks.Add(4);
  Props().m_wPrintOptions[1] = 3;
  CGXGridParam copy;
  copy.CopyFrom(*grid->GetParam());
  EXPECT_EQ(copy.m_sTitle, "Ledger");
  ASSERT_NE(copy.GetProperties(), nullptr);
  ASSERT_EQ(copy.GetProperties()->m_awColBreaks.GetSize(), 1);
  EXPECT_EQ(copy.GetProperties()->m_awColBreaks.GetAt(0), 4u);
  EXPECT_EQ(copy.GetProperties()->m_wPrintOptions[1], 3);
}

}  // namespace

namespace {

// The print dialog's choices on a grid of three pages (rows 1-10, 11-20,
// 21-30): the page range is held to the pages there are.
TEST_F(GridPrinting, ThePrintDialogsChoicesPickThePages) {
  if (!HavePdfTools()) GTEST_SKIP() << "no pdftotext";
  const struct {
    DWORD flags;
    WORD from, to;
    std::vector<const char*> firstCells;  // of each printed page; empty: no document
  } cases[] = {
      {PD_ALLPAGES, 0, 0, {"r1c1", "r11c1", "r21c1"}},
      {PD_PAGENUMS, 2, 3, {"r11c1", "r21c1"}},
      {PD_PAGENUMS, 3, 3, {"r21c1"}},
      {PD_PAGENUMS, 2, 99, {"r11c1", "r21c1"}},
      {PD_PAGENUMS, 5, 9, {}},
      {PD_SELECTION, 0, 0, {"r12c1"}},
  };
  for (const auto& c : cases) {
    MakeNamedGrid(30, 3);
    Props().m_awRowBreaks.Add(11);
    Props().m_awRowBreaks.Add(21);
    grid->GetParam()->m_SelRects.AddTail(new CGXRange(CGXRange().SetRows(12, 14)));
    const std::string pdf = ::testing::TempDir() + "grid_choice-" + std::to_string(::getpid()) + ".pdf";
    std::remove(pdf.c_str());
    CPrintInfo info;
    info.m_pPD->m_pd.Flags = c.flags;
    info.m_pPD->m_pd.nFromPage = c.from;
    info.m_pPD->m_pd.nToPage = c.to;
    CDC dc;
    dc.Attach(::CreateDC(printing::kDriverName, printing::kPdfPrinter, pdf.c_str(), nullptr));
    dc.m_bPrinting = TRUE;
    const int printed = GXPrintGrid(grid.get(), &dc, info, "Grid");
    ::DeleteDC(dc.Detach());
    SCOPED_TRACE(testing::Message() << c.flags << " " << c.from << "-" << c.to);
    EXPECT_EQ(printed, static_cast<int>(c.firstCells.size()));
    if (c.firstCells.empty()) {
      EXPECT_NE(::access(pdf.c_str(), F_OK), 0) << "no document for a range without pages";
      continue;
    }
    const std::vector<std::string> texts = PdfPageTexts(pdf);
    ASSERT_EQ(texts.size(), c.firstCells.size());
    for (size_t page = 0; page < texts.size(); ++page) EXPECT_TRUE(Has(texts[page], c.firstCells[page])) << page;
    if (c.flags == PD_SELECTION) {
      EXPECT_FALSE(Has(texts[0], "r11c1"));
      EXPECT_FALSE(Has(texts[0], "r15c1"));
    }
  }
}

}  // namespace
