// The printer's page geometry for the default printer, for a printer the
// print dialog chose (the PDF printer), and for a machine without printers;
// the page-width check on a real printer's context.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "common/DlgUtil.h"
#include "common/Question.h"
#include "platform/base/Kernel.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"
#include "platform/testing/Automation.h"
#include "platform/window/Painting.h"

namespace {

class PrintSetup : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("KESTROVA_NO_PRINTERS");
    automation::ResetWindows();
  }
  void TearDown() override {
    unsetenv("KESTROVA_NO_PRINTERS");
    automation::ClearResponder();
  }

  // A dialog's answer for the PDF printer in landscape A4, three copies of
  // pages 2 to 5.
  PRINTDLG PdfChoice(bool withDc) {
    printing::PrinterInfo pdf;
    EXPECT_TRUE(printing::FindPrinter(printing::kPdfPrinter, &pdf));
    DEVMODE dm = printing::DefaultDevMode(pdf);
    dm.dmOrientation = DMORIENT_LANDSCAPE;
    dm.dmPaperSize = DMPAPER_A4;
    dm.dmCopies = 3;
    dm.dmCollate = DMCOLLATE_FALSE;
    PRINTDLG pd;
    pd.hDevMode = printing::NewDevModeBlock(dm);
    pd.hDevNames = printing::NewDevNamesBlock(pdf);
    pd.Flags = PD_PAGENUMS | PD_USEDEVMODECOPIES;
    pd.nFromPage = 2;
    pd.nToPage = 5;
    if (withDc) pd.hDC = CreateDC(printing::kDriverName, pdf.name.c_str(), nullptr, &dm);
    return pd;
  }
  static void Release(PRINTDLG* pd) {
    if (pd->hDC) DeleteDC(pd->hDC);
    GlobalFree(pd->hDevMode);
    GlobalFree(pd->hDevNames);
  }
};

TEST_F(PrintSetup, WithoutPrintersTheScreenStandsInWithAPortraitLetterPage) {
  setenv("KESTROVA_NO_PRINTERS", "1", 1);
  PrintSetupRecord r;
  r.orientation = 2;  // left over from an earlier printer
  r.firstPage = 4;
  ASSERT_TRUE(SetupPrinter(nullptr, &r));
  ASSERT_NE(r.dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(r.dc, TECHNOLOGY), DT_RASDISPLAY);
  EXPECT_EQ(r.printDlg.hDevNames, nullptr);
  EXPECT_EQ(r.orientation, 1);
  EXPECT_GT(r.resolutionX, 0);
  EXPECT_EQ(r.physicalWidth, r.resolutionX * 17 / 2);
  EXPECT_EQ(r.physicalHeight, r.resolutionY * 11);
  EXPECT_EQ(r.printableWidth, r.physicalWidth);
  EXPECT_FLOAT_EQ(r.pageWidth, 8.5f);
  EXPECT_FLOAT_EQ(r.pageHeight, 11.0f);
  EXPECT_FLOAT_EQ(r.unprintableLeft + r.unprintableRight + r.unprintableTop + r.unprintableBottom, 0.0f);
  EXPECT_EQ(r.firstPage, 1);
  EXPECT_EQ(r.lastPage, 1);

  // The page-width check measures on it.
  LOGFONT font{};
  font.lfHeight = -13;
  std::strcpy(font.lfFaceName, "courier");
  EXPECT_TRUE(CheckReportPageWidth(&r, &font, 40, r.pageWidth, 0.75f, 0.75f));
  EXPECT_TRUE(automation::PendingExpectations().empty());

  // A choice that carries only a context and no settings keeps the
  // record's orientation: a landscape letter page.
  PRINTDLG bare;
  bare.hDC = r.dc;
  r.orientation = 2;
  ASSERT_TRUE(SetupPrinter(&bare, &r));
  EXPECT_EQ(r.orientation, 2);
  EXPECT_FLOAT_EQ(r.pageWidth, 11.0f);
  EXPECT_FLOAT_EQ(r.pageHeight, 8.5f);
  ReleaseDC(nullptr, r.dc);
}

TEST_F(PrintSetup, TheDefaultPrinterIsAskedWithoutShowingADialog) {
  printing::PrinterInfo def;
  ASSERT_TRUE(printing::DefaultPrinter(&def));
  PrintSetupRecord r;
  ASSERT_TRUE(SetupPrinter(nullptr, &r));
  EXPECT_TRUE(automation::ModalLog().empty());
  ASSERT_NE(r.dc, nullptr);
  EXPECT_EQ(r.printDlg.hDC, r.dc);
  EXPECT_EQ(GetDeviceCaps(r.dc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(r.orientation, def.orientation == DMORIENT_LANDSCAPE ? 2 : 1);
  EXPECT_GT(r.pageWidth, 3.0f);
  EXPECT_GT(r.printableWidth, 0);
  EXPECT_LE(r.printableWidth, r.physicalWidth);
  Release(&r.printDlg);
}

TEST_F(PrintSetup, AChosenPrinterGivesItsPageRangeCopiesAndGeometry) {
  for (bool withDc : {true, false}) {
    SCOPED_TRACE(withDc ? "the dialog's DC" : "no DC from the dialog");
    PRINTDLG pd = PdfChoice(withDc);
    PrintSetupRecord r;
    HDC kept = GetDC(nullptr);
    r.dc = kept;
    ASSERT_TRUE(SetupPrinter(&pd, &r));
    EXPECT_EQ(r.dc, kept);  // the record's own context is not replaced
    EXPECT_EQ(r.printDlg.hDevNames, pd.hDevNames);
    EXPECT_EQ(r.orientation, 2);
    EXPECT_EQ(r.resolutionX, 300);
    EXPECT_EQ(r.firstPage, 2);
    EXPECT_EQ(r.lastPage, 5);
    EXPECT_EQ(r.copies, 3);
    EXPECT_EQ(r.collate, 0);
    // A4 across: 297 by 210 millimetres.
    EXPECT_NEAR(r.pageWidth, 297 / 25.4f, 0.01f);
    EXPECT_NEAR(r.pageHeight, 210 / 25.4f, 0.01f);
    EXPECT_EQ(r.printableWidth, r.physicalWidth);
    EXPECT_FLOAT_EQ(r.unprintableRight, 0.0f);
    ReleaseDC(nullptr, kept);
    Release(&pd);
  }
}

TEST_F(PrintSetup, ThePageWidthCheckMeasuresOnThePrinter) {
  PRINTDLG pd = PdfChoice(true);
  PrintSetupRecord r;
  ASSERT_TRUE(SetupPrinter(&pd, &r));
  LOGFONT font{};
  font.lfHeight = -50;  // 12 points at 300 dots per inch
  std::strcpy(font.lfFaceName, "courier");
  EXPECT_TRUE(CheckReportPageWidth(&r, &font, 60, r.pageWidth, 0.5f, 0.5f));
  automation::ExpectMessageBox("", "The report's page is too narrow.", ANSWER_NO);
  EXPECT_FALSE(CheckReportPageWidth(&r, &font, 300, r.pageWidth, 0.5f, 0.5f));

  // A printer block that cannot be read is reported and lets the print go on.
  HGLOBAL names = r.printDlg.hDevNames;
  r.printDlg.hDevNames = GlobalAlloc(GMEM_MOVEABLE, 2);
  automation::ExpectMessageBox("", "Clipping locks failed", IDOK);
  EXPECT_TRUE(CheckReportPageWidth(&r, &font, 300, r.pageWidth, 0.5f, 0.5f));
  EXPECT_TRUE(automation::PendingExpectations().empty());
  GlobalFree(r.printDlg.hDevNames);
  r.printDlg.hDevNames = names;
  Release(&pd);
}

}  // namespace
