// The print dialog: the default printer without showing, the drawn dialog
// driven through the automation (printer, page range, copies, file), its
// range checks, setup mode, the hook and the extended errors.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/base/Kernel.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/print/Printers.h"
#include "print_support.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

using printtest::Pick;

class PrintDialog : public ::testing::Test {
 protected:
  void SetUp() override { unsetenv("KESTROVA_NO_PRINTERS"); }
  void TearDown() override {
    unsetenv("KESTROVA_NO_PRINTERS");
    automation::ClearResponder();
    automation::ResetWindows();
  }
};


void Press(HWND dlg, int id) { SendDlgItemMessage(dlg, id, BM_CLICK, 0, 0); }

std::string Names(HGLOBAL names, int which) {
  std::string n[3];
  EXPECT_TRUE(printing::ReadDevNames(names, &n[0], &n[1], &n[2]));
  return n[which];
}

TEST_F(PrintDialog, ReturnDefaultGivesTheDefaultPrinterWithoutShowing) {
  printing::PrinterInfo def;
  ASSERT_TRUE(printing::DefaultPrinter(&def));
  PRINTDLG pd;
  pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  ASSERT_TRUE(PrintDlg(&pd));
  EXPECT_TRUE(automation::ModalLog().empty());
  EXPECT_EQ(Names(pd.hDevNames, 0), "winspool");
  EXPECT_EQ(Names(pd.hDevNames, 1), def.name);
  DEVMODE dm;
  ASSERT_TRUE(printing::ReadDevMode(pd.hDevMode, &dm));
  EXPECT_EQ(dm.dmOrientation, def.orientation);
  ASSERT_NE(pd.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(pd.hDC, TECHNOLOGY), DT_RASPRINTER);
  DeleteDC(pd.hDC);

  // Blocks already there would be lost: refused.
  pd.hDC = nullptr;
  EXPECT_FALSE(PrintDlg(&pd));
  EXPECT_EQ(CommDlgExtendedError(), PDERR_RETDEFFAILURE);
  GlobalFree(pd.hDevMode);
  GlobalFree(pd.hDevNames);

  PRINTDLG bad;
  bad.lStructSize = 66;
  EXPECT_FALSE(PrintDlg(&bad));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);

  // The framework's dialog gives the default printer with a DC that
  // outlives the dialog object.
  HDC kept = nullptr;
  {
    CPrintDialog defaults(FALSE);
    ASSERT_TRUE(defaults.GetDefaults());
    kept = defaults.GetPrinterDC();
    GlobalFree(defaults.m_pd.hDevMode);
    GlobalFree(defaults.m_pd.hDevNames);
  }
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(GetDeviceCaps(kept, TECHNOLOGY), DT_RASPRINTER);
  DeleteDC(kept);

  setenv("KESTROVA_NO_PRINTERS", "1", 1);
  CPrintDialog none(FALSE);
  EXPECT_FALSE(none.GetDefaults());
  EXPECT_EQ(CommDlgExtendedError(), PDERR_NODEFAULTPRN);
  EXPECT_EQ(none.GetPrinterDC(), nullptr);
}

TEST_F(PrintDialog, PagesCopiesAndFileComeBackFromTheDialog) {
  CPrintDialog dlg(FALSE, PD_PAGENUMS | PD_RETURNDC | PD_NOSELECTION);
  dlg.m_pd.nMinPage = 1;
  dlg.m_pd.nMaxPage = 5;
  dlg.m_pd.nFromPage = 1;
  dlg.m_pd.nToPage = 5;
  automation::OnDialog("Print", [](HWND d) {
    Pick(d, IDC_PD_PRINTER, "PDF file");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_PD_FILE)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_PD_SELECTION)));
    SetDlgItemText(d, IDC_PD_FROM, "2");
    SetDlgItemText(d, IDC_PD_TO, "3");
    SetDlgItemText(d, IDC_PD_COPIES, "2");
    CheckDlgButton(d, IDC_PD_COLLATE, BST_CHECKED);
    SetDlgItemText(d, IDC_PD_FILE, "/tmp/kestrova dues.pdf");
    Press(d, IDOK);
  }, IDCANCEL);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(dlg.PrintRange());
  EXPECT_EQ(dlg.GetFromPage(), 2);
  EXPECT_EQ(dlg.GetToPage(), 3);
  EXPECT_EQ(dlg.GetCopies(), 2);
  EXPECT_TRUE(dlg.PrintCollate());
  EXPECT_EQ(std::string(dlg.GetDeviceName()), "PDF file");
  EXPECT_EQ(std::string(dlg.GetPortName()), "/tmp/kestrova dues.pdf");
  // The program makes the copies; the printer's settings print each once.
  ASSERT_NE(dlg.GetDevMode(), nullptr);
  EXPECT_EQ(dlg.GetDevMode()->dmCopies, 1);
  ASSERT_NE(dlg.GetPrinterDC(), nullptr);
  DeleteDC(dlg.GetPrinterDC());
  GlobalFree(dlg.m_pd.hDevMode);
  GlobalFree(dlg.m_pd.hDevNames);
}

TEST_F(PrintDialog, PageRangesOutsideMinAndMaxAreRefusedAndTheDialogStays) {
  struct Case { const char* from; const char* to; };
  const Case bad[] = {{"0", "3"}, {"2", "6"}, {"4", "2"}, {"", "3"}};
  for (const Case& c : bad) {
    PRINTDLG pd;
    pd.Flags = PD_PAGENUMS;
    pd.nMinPage = 1;
    pd.nMaxPage = 5;
    pd.nFromPage = 1;
    pd.nToPage = 5;
    automation::ExpectMessageBox("Print", "Enter a number between 1 and 5", IDOK);
    automation::OnDialog("Print", [&c](HWND d) {
      Pick(d, IDC_PD_PRINTER, "PDF file");
      SetDlgItemText(d, IDC_PD_FILE, "/tmp/x.pdf");
      SetDlgItemText(d, IDC_PD_FROM, c.from);
      SetDlgItemText(d, IDC_PD_TO, c.to);
      Press(d, IDOK);
      EXPECT_TRUE(IsWindow(d)) << c.from << "-" << c.to;
      SetDlgItemText(d, IDC_PD_FROM, "5");
      SetDlgItemText(d, IDC_PD_TO, "5");
      Press(d, IDOK);
    }, IDCANCEL);
    ASSERT_TRUE(PrintDlg(&pd)) << c.from << "-" << c.to;
    EXPECT_TRUE(automation::PendingExpectations().empty()) << c.from << "-" << c.to;
    EXPECT_EQ(pd.nFromPage, 5);
    EXPECT_EQ(pd.nToPage, 5);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
  }
  // A range the caller gives outside its own limits fails at the start.
  PRINTDLG pd;
  pd.Flags = PD_PAGENUMS;
  pd.nMinPage = 3;
  pd.nMaxPage = 5;
  pd.nFromPage = 1;
  pd.nToPage = 5;
  EXPECT_FALSE(PrintDlg(&pd));
  EXPECT_EQ(CommDlgExtendedError(), PDERR_INITFAILURE);
}

TEST_F(PrintDialog, ThePdfPrinterNeedsAFileAndCancelChangesNothing) {
  PRINTDLG pd;
  automation::ExpectMessageBox("Print", "name of the file", IDOK);
  automation::OnDialog("Print", [](HWND d) {
    Pick(d, IDC_PD_PRINTER, "PDF file");
    SetDlgItemText(d, IDC_PD_FILE, "  ");
    Press(d, IDOK);
    EXPECT_TRUE(IsWindow(d));
  }, IDCANCEL);
  EXPECT_FALSE(PrintDlg(&pd));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(pd.hDevMode, nullptr);
  EXPECT_EQ(pd.hDevNames, nullptr);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

UINT_PTR g_hookInit = 0;
UINT_PTR Hook(HWND, UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_INITDIALOG) g_hookInit = static_cast<UINT_PTR>(reinterpret_cast<PRINTDLG*>(lp)->lCustData);
  return 0;
}

TEST_F(PrintDialog, SetupModeTakesPaperAndOrientationAndCallsItsHook) {
  PRINTDLG pd;
  pd.Flags = PD_PRINTSETUP | PD_ENABLESETUPHOOK;
  pd.lpfnSetupHook = Hook;
  pd.lCustData = 77;
  automation::OnDialog("Print Setup", [](HWND d) {
    Pick(d, IDC_PD_PRINTER, "PDF file");
    Pick(d, IDC_PD_PAPER, "A4 210 x 297 mm");
    CheckRadioButton(d, IDC_PD_PORTRAIT, IDC_PD_LANDSCAPE, IDC_PD_LANDSCAPE);
    Press(d, IDOK);
  }, IDCANCEL);
  ASSERT_TRUE(PrintDlg(&pd));
  EXPECT_EQ(g_hookInit, 77u);
  DEVMODE dm;
  ASSERT_TRUE(printing::ReadDevMode(pd.hDevMode, &dm));
  EXPECT_EQ(dm.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(dm.dmOrientation, DMORIENT_LANDSCAPE);
  // Shown again with those blocks, it starts from them.
  automation::OnDialog("Print Setup", [](HWND d) {
    EXPECT_EQ(IsDlgButtonChecked(d, IDC_PD_LANDSCAPE), static_cast<UINT>(BST_CHECKED));
    char paper[64] = {};
    GetDlgItemText(d, IDC_PD_PAPER, paper, sizeof paper);
    EXPECT_STREQ(paper, "A4 210 x 297 mm");
    Press(d, IDOK);
  }, IDCANCEL);
  pd.Flags = PD_PRINTSETUP;
  ASSERT_TRUE(PrintDlg(&pd));
  GlobalFree(pd.hDevMode);
  GlobalFree(pd.hDevNames);
}

}  // namespace
