#include <cairo-pdf.h>
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "grid/core/GXGridParam.h"
#include "grid/features/FeatureGrid.h"
#include "grid/features/GXGridPrintPreview.h"
#include "platform/framework/PrintInfo.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/print/PreviewPages.h"
#include "reports/RptPdf.h"

namespace {

using gridtest::FeatureGridTest;

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

class GridPreview : public FeatureGridTest {
 protected:
  // 30 named rows cut into three pages of ten, a footer that counts pages.
  void SetUp() override {
    MakeGrid(30, 3);
    for (ROWCOL r = 1; r <= 30; ++r)
      for (ROWCOL c = 1; c <= 3; ++c) {
        const std::string name = "r" + std::to_string(r) + "c" + std::to_string(c);
        CGXStyle style(name.c_str());
        data()->StoreStyleRowCol(r, c, &style, 0, 0);
      }
    CGXProperties& props = *grid->GetParam()->GetProperties();
    props.m_awRowBreaks.Add(11);
    props.m_awRowBreaks.Add(21);
    CGXStyle pages("Page $p of $N");
    props.GetDataFooter().StoreStyleRowCol(1, 3, &pages, 2, 0);
  }

  // The texts of the preview's pages, replayed into a PDF.
  static std::vector<std::string> PageTexts(const CPreviewPages& pages) {
    const std::string pdf = ::testing::TempDir() + "grid_preview-" + std::to_string(::getpid()) + ".pdf";
    const CSize paper = pages.GetPaperSize();
    const double scale = 72.0 / pages.GetResolution();
    cairo_surface_t* out = cairo_pdf_surface_create(pdf.c_str(), paper.cx * scale, paper.cy * scale);
    cairo_t* cr = cairo_create(out);
    for (int page = 0; page < pages.GetPageCount(); ++page) {
      cairo_set_source_surface(cr, pages.GetPageDrawing(page), 0, 0);
      cairo_paint(cr);
      cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(out);
    std::vector<std::string> texts = PdfPageTexts(pdf);
    std::remove(pdf.c_str());
    return texts;
  }
};

TEST_F(GridPreview, PagesAreDrawnInOrderWithTheirFooters) {
  if (!HavePdfTools()) GTEST_SKIP() << "no pdftotext";
  CPreviewPages pages(nullptr);
  CPrintInfo info;
  EXPECT_EQ(GXPreviewGrid(grid.get(), pages, info), 0);
  ASSERT_EQ(pages.GetPageCount(), 3);
  const std::vector<std::string> texts = PageTexts(pages);
  ASSERT_EQ(texts.size(), 3u);
  for (int page = 0; page < 3; ++page) {
    const std::string& text = texts[static_cast<size_t>(page)];
    SCOPED_TRACE(text);
    EXPECT_TRUE(Has(text, "Page " + std::to_string(page + 1) + " of 3"));
    EXPECT_TRUE(Has(text, "r" + std::to_string(page * 10 + 1) + "c1"));
    EXPECT_TRUE(Has(text, "r" + std::to_string(page * 10 + 10) + "c3"));
    EXPECT_FALSE(Has(text, "r" + std::to_string(page * 10 + 11) + "c1"));
  }
}

TEST_F(GridPreview, APageImageIsWhitePaperWithTheGridOnIt) {
  CPreviewPages pages(nullptr);
  CPrintInfo info;
  ASSERT_EQ(GXPreviewGrid(grid.get(), pages, info), 0);
  constexpr int kPpi = 40, kGap = 5;
  const CSize paper = pages.GetPaperSize();
  const int w = paper.cx * kPpi / pages.GetResolution(), h = paper.cy * kPpi / pages.GetResolution();
  CDC image;
  image.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(nullptr, w + 2 * kGap, h + 2 * kGap);
  CBitmap* old = image.SelectObject(&bitmap);
  image.FillSolidRect(0, 0, w + 2 * kGap, h + 2 * kGap, RGB(128, 128, 128));
  ASSERT_TRUE(pages.DrawPage(&image, 1, kGap, kGap, kPpi));
  EXPECT_FALSE(pages.DrawPage(&image, 3, kGap, kGap, kPpi)) << "no fourth page";
  EXPECT_EQ(image.GetPixel(kGap - 1, kGap - 1), RGB(128, 128, 128)) << "outside the paper";
  EXPECT_EQ(image.GetPixel(kGap + 1, kGap + 1), RGB(255, 255, 255)) << "the paper's corner (margin)";
  int dark = 0;
  for (int y = kGap; y < kGap + h; ++y)
    for (int x = kGap; x < kGap + w; ++x) dark += GetRValue(image.GetPixel(x, y)) < 128 ? 1 : 0;
  EXPECT_GT(dark, 100) << "cells, frame and footer drawn";
  image.SelectObject(old);
}

// The preview opens at the page that holds the window's top row.
TEST_F(GridPreview, OpensAtThePageTheWindowShows) {
  grid->SetTopRow(15);
  CPreviewPages pages(nullptr);
  CPrintInfo info;
  EXPECT_EQ(GXPreviewGrid(grid.get(), pages, info), 1);
  EXPECT_EQ(pages.GetPageCount(), 3) << "still every page";
}

int g_hostPages = -1, g_hostFirst = -1;

TEST_F(GridPreview, TheCommandHandsThePagesToTheInstalledHost) {
  GXSetGridPreviewHost(nullptr);
  EXPECT_FALSE(GXShowGridPreview(grid.get())) << "nowhere to show it";
  GXSetGridPreviewHost([](CGXGridCore*, CPreviewPages& pages, int first) {
    g_hostPages = pages.GetPageCount();
    g_hostFirst = first;
  });
  EXPECT_TRUE(GXShowGridPreview(grid.get()));
  GXSetGridPreviewHost(nullptr);
  EXPECT_EQ(g_hostPages, 3);
  EXPECT_EQ(g_hostFirst, 0);
}

}  // namespace
