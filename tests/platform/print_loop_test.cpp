// The framework's print loop: a view's print steps in order, the range
// chosen in the print dialog, and the pages landing in the PDF file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/PrintInfo.h"
#include "platform/framework/View.h"
#include "platform/gfx/Dc.h"
#include "platform/print/Printers.h"
#include "print_support.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

using printtest::Output;
using printtest::Pick;

namespace fs = std::filesystem;


class PagesView : public CView {
 public:
  explicit PagesView(UINT pages) : pages_(pages) {}
  std::vector<std::string> log;

 protected:
  BOOL OnPreparePrinting(CPrintInfo* info) override {
    if (pages_) info->SetMaxPage(pages_);
    return DoPreparePrinting(info);
  }
  void OnBeginPrinting(CDC* dc, CPrintInfo*) override { log.push_back(dc->IsPrinting() ? "begin printing" : "begin"); }
  void OnPrepareDC(CDC* dc, CPrintInfo* info) override {
    CView::OnPrepareDC(dc, info);
    log.push_back("prepare " + std::to_string(info->m_nCurPage));
  }
  void OnPrint(CDC* dc, CPrintInfo* info) override {
    log.push_back("print " + std::to_string(info->m_nCurPage));
    EXPECT_EQ(info->m_rectDraw.right, dc->GetDeviceCaps(HORZRES));
    dc->TextOut(200, 200, CString(("Ledger page " + std::to_string(info->m_nCurPage)).c_str()));
  }
  void OnEndPrinting(CDC*, CPrintInfo*) override { log.push_back("end"); }

 private:
  UINT pages_;
};

class PrintLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("KESTROVA_NO_PRINTERS");
    file_ = (fs::temp_directory_path() / ("kestrova-loop-" + std::to_string(getpid()) + ".pdf")).string();
  }
  void TearDown() override {
    automation::ClearResponder();
    automation::ResetWindows();
    fs::remove(file_);
  }
  // Answers the print dialog: the PDF printer into the test's file, and
  // pages from-to when given.
  void Answer(const char* from, const char* to, int button = IDOK) {
    automation::OnDialog("Print", [this, from, to, button](HWND d) {
      Pick(d, IDC_PD_PRINTER, "PDF file");
      SetDlgItemText(d, IDC_PD_FILE, file_.c_str());
      if (from) {
        CheckRadioButton(d, IDC_PD_ALL, IDC_PD_PAGES, IDC_PD_PAGES);
        SetDlgItemText(d, IDC_PD_FROM, from);
        SetDlgItemText(d, IDC_PD_TO, to);
      }
      SendDlgItemMessage(d, button, BM_CLICK, 0, 0);
    }, IDCANCEL);
  }
  std::string file_;
};

TEST_F(PrintLoop, TheChosenPagesArePrintedInOrderIntoTheFile) {
  CWinApp app("PrintLoop");
  PagesView view(4);
  Answer("2", "3");
  view.OnFilePrint();
  const std::vector<std::string> expected{"begin printing", "prepare 2", "print 2", "prepare 3", "print 3", "end"};
  EXPECT_EQ(view.log, expected);
  EXPECT_NE(Output("pdfinfo '" + file_ + "'").find("Pages:           2"), std::string::npos);
  const std::string text = Output("pdftotext '" + file_ + "' -");
  EXPECT_NE(text.find("Ledger page 2"), std::string::npos) << text;
  EXPECT_NE(text.find("Ledger page 3"), std::string::npos) << text;
  EXPECT_EQ(text.find("Ledger page 1"), std::string::npos) << text;
  // The application keeps the printer chosen.
  PRINTDLG pd;
  ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
  std::string driver, device, output;
  ASSERT_TRUE(printing::ReadDevNames(pd.hDevNames, &driver, &device, &output));
  EXPECT_EQ(device, "PDF file");
}

TEST_F(PrintLoop, WithoutAPageCountOnlyTheFirstPagePrints) {
  CWinApp app("PrintLoop");
  PagesView view(0);
  Answer(nullptr, nullptr);
  view.OnFilePrint();
  const std::vector<std::string> expected{"begin printing", "prepare 1", "print 1", "prepare 2", "end"};
  EXPECT_EQ(view.log, expected);
  EXPECT_NE(Output("pdfinfo '" + file_ + "'").find("Pages:           1"), std::string::npos);
}

TEST_F(PrintLoop, AFileThatCannotBeWrittenStopsBeforeThePagesWithAMessage) {
  CWinApp app("PrintLoop");
  PagesView view(2);
  file_ = "/no/such/folder/report.pdf";
  Answer(nullptr, nullptr);
  automation::ExpectMessageBox("", "Printing could not start", IDOK);
  view.OnFilePrint();
  const std::vector<std::string> expected{"begin printing", "end"};
  EXPECT_EQ(view.log, expected);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(PrintLoop, CancelPrintsNothingAndNoPrinterSaysSo) {
  CWinApp app("PrintLoop");
  PagesView view(2);
  Answer(nullptr, nullptr, IDCANCEL);
  view.OnFilePrint();
  EXPECT_TRUE(view.log.empty());
  EXPECT_FALSE(fs::exists(file_));

  setenv("KESTROVA_NO_PRINTERS", "1", 1);
  CWinApp bare("NoPrinter");
  automation::ExpectMessageBox("", "No printers are installed", IDOK);
  view.OnFilePrint();
  EXPECT_TRUE(view.log.empty());
  EXPECT_TRUE(automation::PendingExpectations().empty());
  unsetenv("KESTROVA_NO_PRINTERS");
}

}  // namespace
