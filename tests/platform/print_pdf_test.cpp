// Printer DCs on the PDF printer: pages, paper, text and the document
// calls' failures, checked with poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/base/Kernel.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"
#include "print_support.h"

namespace {

using printtest::Output;

namespace fs = std::filesystem;


class PrintPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("KESTROVA_NO_PRINTERS");
    dir_ = fs::temp_directory_path() / ("kestrova-print-" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string File(const char* name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(PrintPdf, TwoPagesGiveTwoLetterPagesWithTheirText) {
  CDC dc;
  ASSERT_TRUE(dc.CreateDC(nullptr, "PDF file", nullptr, nullptr));
  EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 300);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALWIDTH), 2550);
  EXPECT_EQ(dc.GetDeviceCaps(PHYSICALHEIGHT), 3300);
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 2550);
  EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 3300);
  EXPECT_EQ(dc.GetDeviceCaps(HORZSIZE), 216);
  POINT size{};
  ASSERT_GT(dc.Escape(GETPHYSPAGESIZE, 0, nullptr, &size), 0);
  EXPECT_EQ(size.x, 2550);
  EXPECT_EQ(size.y, 3300);
  const int asked = GETPHYSPAGESIZE;
  EXPECT_GT(dc.Escape(QUERYESCSUPPORT, sizeof asked, reinterpret_cast<LPCSTR>(&asked), nullptr), 0);

  const std::string out = File("two.pdf");
  DOCINFO info;
  info.lpszDocName = "Ledger Report";
  info.lpszOutput = out.c_str();
  ASSERT_GT(dc.StartDoc(&info), 0);
  CFont font;
  font.CreateFont(-50, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  CFont* old = dc.SelectObject(&font);
  for (int page = 1; page <= 2; ++page) {
    ASSERT_GT(dc.StartPage(), 0);
    dc.TextOut(300, 300, page == 1 ? CString("Troop dues collected") : CString("Camp fees \xA7 paid"));
    dc.MoveTo(300, 400);
    dc.LineTo(2000, 400);
    dc.Rectangle(300, 500, 900, 800);
    ASSERT_GT(dc.EndPage(), 0);
  }
  dc.SelectObject(old);
  ASSERT_GT(dc.EndDoc(), 0);

  const std::string meta = Output("pdfinfo '" + out + "'");
  EXPECT_NE(meta.find("Pages:           2"), std::string::npos) << meta;
  EXPECT_NE(meta.find("612 x 792 pts"), std::string::npos) << meta;
  EXPECT_NE(meta.find("Ledger Report"), std::string::npos) << meta;
  const std::string page1 = Output("pdftotext -f 1 -l 1 '" + out + "' -");
  const std::string page2 = Output("pdftotext -f 2 -l 2 '" + out + "' -");
  EXPECT_NE(page1.find("Troop dues collected"), std::string::npos) << page1;
  EXPECT_NE(page2.find("Camp fees \xC2\xA7 paid"), std::string::npos) << page2;
}

TEST_F(PrintPdf, PaperAndOrientationComeFromTheDevMode) {
  printing::PrinterInfo pdf;
  ASSERT_TRUE(printing::FindPrinter("pdf FILE", &pdf));
  struct Case { short paper, orient; const char* size; int physW, physH; };
  const Case cases[] = {
      {DMPAPER_A4, DMORIENT_PORTRAIT, "595.2", 2480, 3507},
      {DMPAPER_LETTER, DMORIENT_LANDSCAPE, "792 x 612", 3300, 2550},
      {DMPAPER_LEGAL, DMORIENT_PORTRAIT, "612 x 1008", 2550, 4200},
  };
  // Settings from a damaged block stay within what a page can be.
  {
    DEVMODE dm = printing::DefaultDevMode(pdf);
    dm.dmPrintQuality = 30000;
    dm.dmYResolution = -4;
    dm.dmFields |= DM_PAPERWIDTH;
    dm.dmPaperWidth = -5;
    const PrinterPage page = printing::PageFor(pdf, dm);
    EXPECT_EQ(page.dpiX, 1200);
    EXPECT_EQ(page.dpiY, 1200);
    EXPECT_EQ(page.physWidth, 2159 * 1200 / 254);
  }
  for (const Case& c : cases) {
    DEVMODE dm = printing::DefaultDevMode(pdf);
    dm.dmPaperSize = c.paper;
    dm.dmOrientation = c.orient;
    const std::string out = File("paper.pdf");
    HDC dc = CreateDC("winspool", "PDF file", out.c_str(), &dm);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), c.physW) << c.paper;
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), c.physH) << c.paper;
    DOCINFO info;
    info.lpszDocName = "Paper";
    ASSERT_GT(StartDoc(dc, &info), 0);
    StartPage(dc);
    EndPage(dc);
    ASSERT_GT(EndDoc(dc), 0);
    DeleteDC(dc);
    EXPECT_NE(Output("pdfinfo '" + out + "'").find(c.size), std::string::npos) << c.size;
  }
}

BOOL Refuse(HDC, int) { return FALSE; }

TEST_F(PrintPdf, FailedAndAbortedDocumentsLeaveNoFile) {
  CDC dc;
  ASSERT_TRUE(dc.CreateDC(nullptr, "PDF file", nullptr, nullptr));
  // The PDF printer needs a file to write.
  EXPECT_EQ(dc.StartDoc("No file"), SP_ERROR);
  EXPECT_NE(std::string(LastPrintError()).find("PDF file"), std::string::npos);
  EXPECT_LE(dc.StartPage(), 0);
  EXPECT_LE(dc.EndDoc(), 0);

  const std::string aborted = File("aborted.pdf");
  DOCINFO info;
  info.lpszDocName = "Aborted";
  info.lpszOutput = aborted.c_str();
  ASSERT_GT(dc.StartDoc(&info), 0);
  dc.StartPage();
  dc.TextOut(10, 10, CString("gone"));
  EXPECT_GT(dc.AbortDoc(), 0);
  EXPECT_FALSE(fs::exists(aborted));

  // The abort procedure says no after the first page.
  ASSERT_GT(dc.SetAbortProc(Refuse), 0);
  ASSERT_GT(dc.StartDoc(&info), 0);
  dc.StartPage();
  EXPECT_EQ(dc.EndPage(), SP_APPABORT);
  EXPECT_FALSE(fs::exists(aborted));

  // A file that cannot be written is refused at the start.
  const std::string bad = File("missing/folder/x.pdf");
  info.lpszOutput = bad.c_str();
  dc.SetAbortProc(nullptr);
  EXPECT_EQ(dc.StartDoc(&info), SP_ERROR);

  // A DC deleted in the middle of a document throws it away.
  info.lpszOutput = aborted.c_str();
  ASSERT_GT(dc.StartDoc(&info), 0);
  dc.StartPage();
  dc.DeleteDC();
  EXPECT_FALSE(fs::exists(aborted));
}

TEST_F(PrintPdf, BitmapsAndStyledLinesReachThePage) {
  CDC dc;
  const std::string out = File("pictures.pdf");
  ASSERT_TRUE(dc.CreateDC(nullptr, "PDF file", out.c_str(), nullptr));
  CDC mem;
  ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(4, 4, 1, 32, nullptr));
  CBitmap* oldBmp = mem.SelectObject(&bmp);
  mem.FillSolidRect(0, 0, 4, 4, RGB(200, 0, 0));
  ASSERT_GT(dc.StartDoc("Pictures"), 0);
  dc.StartPage();
  EXPECT_TRUE(dc.StretchBlt(100, 100, 400, 400, &mem, 0, 0, 4, 4, SRCCOPY));
  CPen dash(PS_DASH, 1, RGB(0, 0, 0));
  CPen* oldPen = dc.SelectObject(&dash);
  dc.MoveTo(100, 600);
  dc.LineTo(1000, 600);
  dc.SelectObject(oldPen);
  dc.EndPage();
  ASSERT_GT(dc.EndDoc(), 0);
  mem.SelectObject(oldBmp);
  const std::string images = Output("pdfimages -list '" + out + "'");
  // One colour image at the device resolution, the stretched size.
  EXPECT_NE(images.find("image     400   400  rgb"), std::string::npos) << images;
  // The page shows red where the bitmap went (pdftoppm's plain PPM at
  // 30 dpi: the square covers 10..50 pixels).
  const std::string ppm = Output("pdftoppm -r 30 -f 1 -l 1 -x 30 -y 30 -W 1 -H 1 '" + out + "'");
  ASSERT_GE(ppm.size(), 3u);
  EXPECT_NEAR(static_cast<unsigned char>(ppm[ppm.size() - 3]), 200, 3);
  EXPECT_LT(static_cast<unsigned char>(ppm[ppm.size() - 2]), 4);
  // The dashed rule at device resolution: dark in dashes, light between.
  const std::string row = Output("pdftoppm -gray -r 300 -f 1 -l 1 -x 100 -y 600 -W 900 -H 1 '" + out + "'");
  ASSERT_GE(row.size(), 900u);
  int dark = 0;
  for (std::size_t i = row.size() - 900; i < row.size(); ++i) dark += static_cast<unsigned char>(row[i]) < 128;
  EXPECT_GT(dark, 900 * 6 / 10);
  EXPECT_LT(dark, 900 * 9 / 10);
}

TEST_F(PrintPdf, PrinterTextMetricsMatchTheScreensAtTheSameHeight) {
  CDC printer, screen;
  ASSERT_TRUE(printer.CreateDC(nullptr, "PDF file", nullptr, nullptr));
  ASSERT_TRUE(screen.CreateCompatibleDC(nullptr));
  CFont a, b;
  a.CreateFont(-42, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
  b.CreateFont(-42, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New");
  printer.SelectObject(&a);
  screen.SelectObject(&b);
  TEXTMETRIC tp{}, ts{};
  ASSERT_TRUE(printer.GetTextMetrics(&tp));
  ASSERT_TRUE(screen.GetTextMetrics(&ts));
  EXPECT_EQ(tp.tmHeight, ts.tmHeight);
  EXPECT_EQ(tp.tmAveCharWidth, ts.tmAveCharWidth);
  EXPECT_EQ(printer.GetTextExtent(CString("1,234.56")), screen.GetTextExtent(CString("1,234.56")));
}

TEST_F(PrintPdf, TheSwitchHidesEveryPrinter) {
  setenv("KESTROVA_NO_PRINTERS", "1", 1);
  EXPECT_TRUE(printing::ListPrinters().empty());
  printing::PrinterInfo p;
  EXPECT_FALSE(printing::DefaultPrinter(&p));
  EXPECT_EQ(CreateDC(nullptr, "PDF file", nullptr, nullptr), nullptr);
  unsetenv("KESTROVA_NO_PRINTERS");
  ASSERT_TRUE(printing::DefaultPrinter(&p));
  EXPECT_FALSE(printing::ListPrinters().empty());
}

TEST_F(PrintPdf, WithoutACupsServerThePdfPrinterIsTheLetterDefault) {
  cupsSetServer((dir_ / "no-cups.sock").c_str());
  printing::PrinterInfo def;
  ASSERT_TRUE(printing::DefaultPrinter(&def));
  EXPECT_EQ(def.name, "PDF file");
  EXPECT_EQ(printing::ListPrinters().size(), 1u);
  const DEVMODE dm = printing::DefaultDevMode(def);
  EXPECT_EQ(dm.dmPaperSize, DMPAPER_LETTER);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_PORTRAIT);
  // A job for a queue that cannot be reached fails with a message.
  std::string error;
  EXPECT_FALSE(printing::SubmitJob("Troop_Laser", File("none.pdf"), "Dues", 2, true, &error));
  EXPECT_NE(error.find("Troop_Laser"), std::string::npos) << error;
  cupsSetServer(nullptr);
}

TEST_F(PrintPdf, DevNamesBlocksRoundTripAndBrokenOnesAreRefused) {
  printing::PrinterInfo pdf;
  ASSERT_TRUE(printing::FindPrinter("PDF file", &pdf));
  HGLOBAL names = printing::NewDevNamesBlock(pdf, "/tmp/out.pdf");
  std::string driver, device, output;
  ASSERT_TRUE(printing::ReadDevNames(names, &driver, &device, &output));
  EXPECT_EQ(driver, "winspool");
  EXPECT_EQ(device, "PDF file");
  EXPECT_EQ(output, "/tmp/out.pdf");
  // An offset past the end, and a name without its terminating zero.
  auto* dn = static_cast<DEVNAMES*>(GlobalLock(names));
  const SIZE_T size = GlobalSize(names);
  dn->wOutputOffset = static_cast<WORD>(size + 4);
  EXPECT_FALSE(printing::ReadDevNames(names, &driver, &device, &output));
  dn->wOutputOffset = static_cast<WORD>(size - 1);
  static_cast<char*>(GlobalLock(names))[size - 1] = 'x';
  EXPECT_FALSE(printing::ReadDevNames(names, &driver, &device, &output));
  GlobalUnlock(names);
  GlobalUnlock(names);
  GlobalFree(names);
  EXPECT_FALSE(printing::ReadDevNames(nullptr, &driver, &device, &output));
}

}  // namespace
