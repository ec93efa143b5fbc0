// The preview dialog: page display and buttons, the zoom table, paging
// with the three-page cache, save as text, page setup's rebuild flag, and
// a golden picture of a two-page report.
#include <fstream>
#include <sstream>

#include "RptTestSupport.h"
#include "common/PrintSettings.h"
#include "common/Question.h"
#include "platform/commdlg/CommDlgDefs.h"
#include "platform/window/Messages.h"
#include "reports/PrevDlg.h"
#include "reports/RptPaging.h"
#include "res/resource.h"
#include "support/GoldenImage.h"

namespace {

class RptPreviewTest : public RptTest {
 protected:
  // A report of `pages` pages through the registered test builder.
  RptContext* Build(int pages) {
    RptContext* c = Prepare(18);
    SetRptTitle(c, "Preview Test", 1);
    SetRptSubtitle(c, "Fiscal Year 2026");
    SetRptColumnHeaders(c, {"{6-}Num{3} {30-}Name{3} {12r-}Amount"});
    SetRptNotes(c, {"End of report."});
    EXPECT_TRUE(OpenRpt(c));
    WriteRptBlock(c, RPT_BLOCK_TITLE);
    WriteRptBlock(c, RPT_BLOCK_HEADERS);
    for (int i = 0; c->pageCount < pages || !RptPageFull(c, 1); ++i) {
      NeedRptLines(c, 1);
      char line[256];
      std::snprintf(line, sizeof line, "{6}%d{3} {30}Account %d{3} {12r}%d.%02d ", 100 + i, i, i * 7, i % 100);
      WriteRptText(c, line);
    }
    EXPECT_TRUE(CloseRpt(c));
    EXPECT_EQ(c->pageCount, pages);
    return c;
  }
  // Runs the preview with `body` inside its loop.
  void Run(int* rebuild, const std::function<void(CPrevDlg&, HWND)>& body, int endCode = IDCANCEL) {
    CPrevDlg dlg(ctx_, rebuild, ctx_->paperWidth, ctx_->paperHeight);
    automation::OnDialog("Preview", [&](HWND h) {
      automation::PumpUntilIdle();
      body(dlg, h);
    }, endCode);
    dlg.DoModal();
  }
  static std::string Text(HWND h, int id) {
    char text[128] = {};
    ::GetWindowText(::GetDlgItem(h, id), text, sizeof text);
    return text;
  }
  static bool Enabled(HWND h, int id) { return ::IsWindowEnabled(::GetDlgItem(h, id)) != 0; }
  static void Press(HWND h, int id) {
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(h, id)));
    automation::PumpUntilIdle();
  }
};

TEST_F(RptPreviewTest, OnePageShowsPageOneOfOneWithPagingDisabled) {
  Build(1);
  int rebuild = 5;
  Run(&rebuild, [&](CPrevDlg&, HWND h) {
    EXPECT_EQ(Text(h, IDC_PRV_PAGE), "Page 1 of 1");
    for (int id : {IDC_PRV_FIRST, IDC_PRV_PREV, IDC_PRV_NEXT, IDC_PRV_LAST}) EXPECT_FALSE(Enabled(h, id)) << id;
  });
  EXPECT_EQ(rebuild, 0);  // cleared on opening
  // The context leaves the preview with printing fonts.
  EXPECT_EQ(ctx_->scale, 100);
}

TEST_F(RptPreviewTest, PagingReusesTheCachedImages) {
  Build(5);
  Run(nullptr, [&](CPrevDlg& dlg, HWND h) {
    dlg.SelectZoom(4);  // 100%
    EXPECT_EQ(dlg.PixelsPerInch(), 96);
    EXPECT_EQ(dlg.CachedPage(0), 0);
    EXPECT_EQ(dlg.CachedPage(2), 2);
    int renders = dlg.RenderCount();
    Press(h, IDC_PRV_NEXT);
    EXPECT_EQ(Text(h, IDC_PRV_PAGE), "Page 2 of 5");
    EXPECT_EQ(dlg.RenderCount(), renders + 1);  // only the new third page
    EXPECT_EQ(dlg.CachedPage(0), 1);
    EXPECT_EQ(dlg.CachedPage(2), 3);
    renders = dlg.RenderCount();
    Press(h, IDC_PRV_PREV);
    EXPECT_EQ(dlg.RenderCount(), renders + 1);
    EXPECT_EQ(dlg.CachedPage(0), 0);
    EXPECT_EQ(dlg.CachedPage(1), 1);
    EXPECT_FALSE(Enabled(h, IDC_PRV_FIRST));
    renders = dlg.RenderCount();
    Press(h, IDC_PRV_LAST);
    EXPECT_EQ(dlg.RenderCount(), renders + 3);  // a jump renders all three
    EXPECT_EQ(Text(h, IDC_PRV_PAGE), "Page 5 of 5");
    EXPECT_FALSE(Enabled(h, IDC_PRV_NEXT));
    EXPECT_TRUE(Enabled(h, IDC_PRV_FIRST));
    // Choosing the zoom already selected does nothing.
    renders = dlg.RenderCount();
    dlg.SelectZoom(4);
    EXPECT_EQ(dlg.RenderCount(), renders);
  });
}

TEST_F(RptPreviewTest, AtTheDocumentsEndTheLastPageIsTheOneShown) {
  // A whole page per view: the last page's top never reaches the view's
  // top, yet scrolling to the end shows it entire.
  Build(3);
  Run(nullptr, [&](CPrevDlg& dlg, HWND h) {
    dlg.SelectZoom(1);
    Press(h, IDC_PRV_LAST);
    EXPECT_EQ(Text(h, IDC_PRV_PAGE), "Page 3 of 3");
    EXPECT_FALSE(Enabled(h, IDC_PRV_NEXT));
    EXPECT_FALSE(Enabled(h, IDC_PRV_LAST));
    Press(h, IDC_PRV_PREV);
    EXPECT_EQ(Text(h, IDC_PRV_PAGE), "Page 2 of 3");
    EXPECT_TRUE(Enabled(h, IDC_PRV_NEXT));
  });
}

TEST_F(RptPreviewTest, TheOpeningSizeIsTheLeastAndTheLastSizeIsRemembered) {
  Build(1);
  const auto size = [](HWND h) {
    RECT r{};
    ::GetWindowRect(h, &r);
    return std::pair<long, long>(r.right - r.left, r.bottom - r.top);
  };
  std::pair<long, long> opened, shrunk;
  Run(nullptr, [&](CPrevDlg&, HWND h) {
    opened = size(h);
    ::SetWindowPos(h, nullptr, 0, 0, opened.first / 2, opened.second / 2, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    shrunk = size(h);
    ::SetWindowPos(h, nullptr, 0, 0, opened.first + 40, opened.second + 30, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
  });
  EXPECT_EQ(shrunk, opened);  // snapped back
  std::pair<long, long> reopened;
  Run(nullptr, [&](CPrevDlg&, HWND h) { reopened = size(h); });
  EXPECT_EQ(reopened, std::make_pair(opened.first + 40, opened.second + 30));
}

TEST_F(RptPreviewTest, ZoomTable) {
  Build(2);
  Run(nullptr, [&](CPrevDlg& dlg, HWND h) {
    const int fixed[] = {150, 125, 100, 75, 66, 50, 25};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(dlg.ZoomPercent(i + 2), fixed[i]);
    // Page Width fits the page and its gaps across the view; Whole Page a
    // whole page cell in it.
    RECT frame;
    ::GetWindowRect(::GetDlgItem(h, IDC_PRV_FRAME), &frame);
    const int V = frame.right - frame.left - 4;
    EXPECT_NEAR(dlg.ZoomPercent(0) * 96 / 100.0 * 9.0, V, 9.0 * 96 / 100 + 1);
    EXPECT_LE(dlg.ZoomPercent(1), dlg.ZoomPercent(0));
    dlg.SelectZoom(8);
    EXPECT_EQ(dlg.PixelsPerInch(), 24);
  });
}

TEST_F(RptPreviewTest, SaveAsWritesTheTextFile) {
  Build(2);
  const std::string out = home_ + "/saved.txt";
  Run(nullptr, [&](CPrevDlg&, HWND h) {
    automation::OnDialog("Report Save As", [&](HWND f) {
      ::SetDlgItemText(f, edt1, out.c_str());
      ::SendMessage(f, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }, IDCANCEL);
    Press(h, IDC_PRV_EXPORT);
  });
  std::ifstream in(out, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("Preview Test ==="), std::string::npos);
  EXPECT_NE(text.str().find('\f'), std::string::npos);
  EXPECT_STREQ(ctx_->saveAsName, out.c_str());
}

TEST_F(RptPreviewTest, PageSetupOkAsksForARebuildAndCancelDoesNot) {
  Build(1);
  for (bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    int rebuild = 0;
    Run(&rebuild, [&](CPrevDlg&, HWND h) {
      automation::OnDialog("Page Setup", [&](HWND s) {
        ::SetDlgItemText(s, IDC_PSU_LEFT, "1.00");
        if (!ok) automation::ExpectMessageBox("Question", "save your changes", ANSWER_NO);
        ::SendMessage(s, WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED), 0);
      }, IDCANCEL);
      Press(h, IDC_PRV_SETUP);
    });
    EXPECT_EQ(rebuild, ok ? 1 : 0);
  }
  float left = 0;
  GetPrintSettings(18, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr, &left, nullptr, nullptr, nullptr);
  EXPECT_FLOAT_EQ(left, 1.0f);  // saved for the report only
  GetPrintSettings(0, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr, &left, nullptr, nullptr, nullptr);
  EXPECT_FLOAT_EQ(left, 0.75f);
}

TEST_F(RptPreviewTest, PageSetupChecksTheReportsOwnWidthAndNoReturnsToTheDialog) {
  // A landscape report: 130 columns fit the default margins but not two
  // inches on either side (where 77 would).
  ASSERT_TRUE(SetupPrinter(nullptr, &ThePrintSetup));  // the default printer's paper
  Prepare(4, kRptLandscapeWidth);
  ASSERT_GT(ctx_->paperWidth, ctx_->paperHeight);
  ASSERT_TRUE(OpenRpt(ctx_));
  WriteRptBlock(ctx_, RPT_BLOCK_TITLE);
  ASSERT_TRUE(CloseRpt(ctx_));
  for (bool narrow : {true, false}) {
    SCOPED_TRACE(narrow);
    int rebuild = 0;
    bool backInDialog = false;
    Run(&rebuild, [&](CPrevDlg&, HWND h) {
      automation::OnDialog("Page Setup", [&](HWND s) {
        ::SetDlgItemText(s, IDC_PSU_LEFT, narrow ? "2.00" : "0.50");
        ::SetDlgItemText(s, IDC_PSU_RIGHT, narrow ? "2.00" : "0.50");
        if (narrow) automation::ExpectMessageBox("", "too narrow", ANSWER_NO);
        ::SendMessage(s, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (!narrow) return;
        backInDialog = ::IsWindowVisible(s) != 0;
        automation::ExpectMessageBox("Question", "save your changes", ANSWER_NO);
        ::SendMessage(s, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      }, IDCANCEL);
      Press(h, IDC_PRV_SETUP);
    });
    EXPECT_TRUE(automation::PendingExpectations().empty());
    EXPECT_EQ(backInDialog, narrow);
    EXPECT_EQ(rebuild, narrow ? 0 : 1);
    float left = 0;
    int portrait = 1;
    GetPrintSettings(4, 0, nullptr, 0, nullptr, nullptr, nullptr, &portrait, &left, nullptr, nullptr, nullptr);
    EXPECT_FLOAT_EQ(left, narrow ? 0.75f : 0.5f);  // nothing saved after No
    EXPECT_EQ(portrait, 0);                        // the report stays landscape
  }
}

TEST_F(RptPreviewTest, GoldenTwoPageReport) {
  Build(2);
  Run(nullptr, [&](CPrevDlg& dlg, HWND h) {
    dlg.SelectZoom(8);  // 25%: both pages in view
    automation::PumpUntilIdle();
    EXPECT_TRUE(golden::Matches("reports/preview_two_pages.png",
                                [&](const std::string& path) { return automation::RenderToPng(h, path); }));
  });
}

}  // namespace
