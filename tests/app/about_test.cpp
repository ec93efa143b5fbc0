// The About box: its texts for the unit and the two links, opened through
// the desktop opener's seam.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "app/AboutDlg.h"
#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/framework/CWinApp.h"
#include "res/resource.h"

namespace {

std::vector<std::string> opened;
int openerResult = 33;
int RecordingOpener(const char* target) {
  opened.push_back(target);
  return openerResult;
}

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    opened.clear();
    openerResult = 33;
    SetShellOpener(RecordingOpener);
    SetUnitType(1);
    ProgramVersion.SetVersion("2", "11");
    ProgramVersion.WebSite().SetLink("https://kestrova.org/");
    ProgramVersion.PatchLink().SetLink("https://kestrova.org/release");
  }
  void TearDown() override {
    SetShellOpener(nullptr);
    automation::ClearResponder();
    automation::ResetWindows();
  }
  static CStaticLink* Link(HWND dlg, int id) {
    return dynamic_cast<CStaticLink*>(CWnd::FromHandlePermanent(GetDlgItem(dlg, id)));
  }
  // Whether some pixel of the control shows `color`.
  static bool Shows(HWND dlg, int id, COLORREF color) {
    automation::PumpUntilIdle();
    RECT r{};
    GetWindowRect(GetDlgItem(dlg, id), &r);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    ScreenToClient(dlg, &a);
    ScreenToClient(dlg, &b);
    for (int y = a.y; y < b.y; ++y)
      for (int x = a.x; x < b.x; ++x)
        if (automation::PixelAt(dlg, x, y) == color) return true;
    return false;
  }
  static void ClickLink(HWND dlg, int id) {
    automation::Click(GetDlgItem(dlg, id), POINT{3, 3});
    automation::PumpUntilIdle();
  }
  void Run(std::function<void(HWND)> act) {
    automation::OnDialog("About", std::move(act), IDOK);
    CAboutDlg dlg;
    dlg.DoModal();
  }
};

TEST_F(AboutTest, ShowsTheProgramForTheUnitAndOpensItsLinks) {
  std::string caption, version, description, title;
  COLORREF before = 0, after = 0, update = 0;
  Run([&](HWND h) {
    char text[128] = "";
    GetWindowText(h, text, sizeof text);
    caption = text;
    title = FieldText(h, IDC_SHELL_TITLE);
    version = FieldText(h, IDC_ABOUT_VERSION);
    description = FieldText(h, IDC_ABOUT_DESCRIPTION);
    before = Link(h, IDC_ABOUT_WEBSITE)->m_color;
    EXPECT_TRUE(Shows(h, IDC_ABOUT_WEBSITE, CStaticLink::kUnvisited));
    ClickLink(h, IDC_ABOUT_WEBSITE);
    after = Link(h, IDC_ABOUT_WEBSITE)->m_color;
    EXPECT_TRUE(Shows(h, IDC_ABOUT_WEBSITE, CStaticLink::kVisited));
    EXPECT_FALSE(Shows(h, IDC_ABOUT_WEBSITE, CStaticLink::kUnvisited));
    update = Link(h, IDC_ABOUT_UPDATE)->m_color;
    // The links show the hand.
    automation::MouseMove(GetDlgItem(h, IDC_ABOUT_UPDATE), POINT{3, 3});
    automation::PumpUntilIdle();
    EXPECT_EQ(automation::CurrentCursor(), LoadCursor(nullptr, IDC_HAND));
    ClickLink(h, IDC_ABOUT_UPDATE);
  });
  EXPECT_EQ(caption, std::string("About ") + ProgramName + " (tm)");
  EXPECT_EQ(title, ProgramTitle);
  EXPECT_EQ(version, "Version 2.11");
  EXPECT_EQ(description, "Comprehensive financial management system\nfor Cub Scout Packs");
  EXPECT_EQ(before, CStaticLink::kUnvisited);
  EXPECT_EQ(after, CStaticLink::kVisited);
  EXPECT_EQ(update, CStaticLink::kUnvisited);
  EXPECT_EQ(opened, (std::vector<std::string>{"https://kestrova.org/", "https://kestrova.org/release"}));

  // A new box starts with blue links again.
  Run([&](HWND h) { before = Link(h, IDC_ABOUT_WEBSITE)->m_color; });
  EXPECT_EQ(before, CStaticLink::kUnvisited);
}

TEST_F(AboutTest, AFailedOpenBeepsAndAnEmptyAddressOpensTheText) {
  openerResult = 0;
  ProgramVersion.WebSite().SetLink("");
  COLORREF color = 0;
  size_t beeps = 0;
  Run([&](HWND h) {
    const size_t start = automation::Beeps().size();
    ClickLink(h, IDC_ABOUT_WEBSITE);
    beeps = automation::Beeps().size() - start;
    color = Link(h, IDC_ABOUT_WEBSITE)->m_color;
  });
  EXPECT_EQ(beeps, 1u);
  EXPECT_EQ(color, CStaticLink::kUnvisited);
  EXPECT_EQ(opened, (std::vector<std::string>{"https://kestrova.org/"}));
}

// Without a program that opens links the box says so and names the address.
TEST_F(AboutTest, WithoutAnOpenerTheLinkSaysSo) {
  openerResult = 2;
  automation::ExpectMessageBox("Information", "https://kestrova.org/release", IDOK);
  COLORREF color = 0;
  Run([&](HWND h) {
    ClickLink(h, IDC_ABOUT_UPDATE);
    color = Link(h, IDC_ABOUT_UPDATE)->m_color;
  });
  EXPECT_TRUE(automation::PendingExpectations().empty());
  EXPECT_EQ(color, CStaticLink::kUnvisited);
}

}  // namespace

namespace {

// The Help buttons of the shell's dialogs ask the application's manual.
TEST_F(AboutTest, HelpButtonAsksForTheManual) {
  CWinApp app("Kestrova");
  app.m_pszHelpFilePath = "nosuchmanual.hlp";
  automation::ExpectMessageBox("Help", "manual is not installed", IDOK);
  Run([](HWND h) { Press(h, IDC_SHELL_HELP); });
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

}  // namespace
