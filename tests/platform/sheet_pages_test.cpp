// Property sheets: pages made when first shown, the tab control turning the
// pages (and a page refusing to be left), OK and Apply asking every made
// page, Cancel, and the sheet's keyboard ring.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/propsheet/PropSheet.h"

namespace {

const char* kPages = R"(
dialog 7301
  caption "General"
  rect 0 0 150 60
  style WS_POPUP | WS_CAPTION
  control Static IDC_STATIC "&Name:" 7 9 30 8
  control Edit 101 "" 40 7 100 12 WS_BORDER | WS_TABSTOP
end
dialog 7302
  caption "Colours"
  rect 0 0 180 70
  style WS_POPUP | WS_CAPTION
  control Button 102 "&Bright" 7 7 60 10 BS_AUTOCHECKBOX | WS_TABSTOP
end
)";

// A page that logs what its sheet asks of it.
class LogPage : public CPropertyPage {
 public:
  LogPage(UINT id, std::vector<std::string>* log) : CPropertyPage(id), log_(log) {}
  bool refuseLeave = false;
  bool refuseApply = false;
  BOOL OnSetActive() override { return note("active"), CPropertyPage::OnSetActive(); }
  BOOL OnKillActive() override { return note("kill"), !refuseLeave; }
  BOOL OnApply() override { return note("apply"), !refuseApply; }
  void OnReset() override { note("reset"); }

 private:
  void note(const char* what) { log_->push_back(std::to_string(TemplateId()) + " " + what); }
  std::vector<std::string>* log_;
};

class Sheet : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kPages, "sheet", &error)) << error;
    sheet.AddPage(&general);
    sheet.AddPage(&colours);
  }
  void TearDown() override {
    if (sheet.m_hWnd) sheet.DestroyWindow();
    automation::ResetWindows();
  }
  void open() {
    ASSERT_TRUE(sheet.Create());
    automation::PumpUntilIdle();
  }
  void press(int id) {
    HWND b = ::GetDlgItem(sheet.m_hWnd, id);
    ASSERT_TRUE(b);
    RECT r;
    ::GetClientRect(b, &r);
    automation::Click(b, POINT{r.right / 2, r.bottom / 2});
    automation::PumpUntilIdle();
  }
  void clickTab(int index) {
    CTabCtrl* tab = sheet.GetTabControl();
    RECT r;
    ASSERT_TRUE(tab->GetItemRect(index, &r));
    automation::Click(tab->m_hWnd, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    automation::PumpUntilIdle();
  }

  std::vector<std::string> log;
  LogPage general{7301, &log}, colours{7302, &log};
  CPropertySheet sheet{"Options"};
};

TEST_F(Sheet, PagesAreMadeWhenFirstShownAndTabsCarryTheirCaptions) {
  open();
  EXPECT_TRUE(general.m_hWnd);
  EXPECT_FALSE(colours.m_hWnd);
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(general.m_hWnd, 101)) << ::GetDlgCtrlID(::GetFocus());  // the page first field
  CTabCtrl* tab = sheet.GetTabControl();
  ASSERT_TRUE(tab);
  ASSERT_EQ(tab->GetItemCount(), 2);
  char text[32];
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  tab->GetItem(1, &item);
  EXPECT_STREQ(text, "Colours");
  CString caption;
  sheet.GetWindowText(caption);
  EXPECT_EQ(caption, CString("Options"));
  // The page area holds the larger page: the smaller one fits inside.
  RECT g, c;
  clickTab(1);
  ASSERT_TRUE(colours.m_hWnd);
  ::GetWindowRect(general.m_hWnd, &g);
  ::GetWindowRect(colours.m_hWnd, &c);
  EXPECT_EQ(g.left, c.left);
  EXPECT_EQ(g.top, c.top);
  EXPECT_FALSE(::IsWindowVisible(general.m_hWnd));
  EXPECT_TRUE(::IsWindowVisible(colours.m_hWnd));
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  EXPECT_EQ((std::vector<std::string>{"7301 active", "7301 kill", "7302 active"}), log);
}

TEST_F(Sheet, APageThatRefusesToBeLeftKeepsTheTab) {
  open();
  general.refuseLeave = true;
  clickTab(1);
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
  EXPECT_FALSE(colours.m_hWnd);
  EXPECT_FALSE(sheet.SetActivePage(1));
  general.refuseLeave = false;
  EXPECT_TRUE(sheet.SetActivePage(&colours));
  EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1);
}

TEST_F(Sheet, OkAppliesEveryMadePageAndARefusalKeepsTheSheetOpen) {
  open();
  sheet.SetActivePage(1);
  log.clear();
  colours.refuseApply = true;
  press(IDOK);
  EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
  EXPECT_EQ((std::vector<std::string>{"7302 kill", "7301 apply", "7302 apply"}), log);
  colours.refuseApply = false;
  log.clear();
  press(IDOK);
  EXPECT_FALSE(::IsWindowVisible(sheet.m_hWnd));
  EXPECT_EQ((std::vector<std::string>{"7302 kill", "7301 apply", "7302 apply"}), log);
}

TEST_F(Sheet, ApplyIsEnabledByAChangeAndCancelResetsTheMadePages) {
  open();
  HWND apply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW);
  ASSERT_TRUE(apply);
  EXPECT_FALSE(::IsWindowEnabled(apply));
  general.SetModified();
  EXPECT_TRUE(::IsWindowEnabled(apply));
  press(ID_APPLY_NOW);
  EXPECT_FALSE(::IsWindowEnabled(apply));
  EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
  log.clear();
  press(IDCANCEL);
  EXPECT_EQ((std::vector<std::string>{"7301 reset"}), log);
  EXPECT_FALSE(::IsWindowVisible(sheet.m_hWnd));
}

TEST_F(Sheet, WithoutApplyTheButtonsSitAtTheRightAndHelpFollowsThePages) {
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  general.m_psp.dwFlags &= ~PSP_HASHELP;
  open();
  EXPECT_FALSE(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW));
  HWND help = ::GetDlgItem(sheet.m_hWnd, IDHELP);
  ASSERT_TRUE(help);
  EXPECT_TRUE(::IsWindowVisible(help));
  EXPECT_FALSE(::IsWindowEnabled(help));  // the General page has none
  sheet.SetActivePage(1);
  EXPECT_TRUE(::IsWindowEnabled(help));
  RECT ok, cancel, tab;
  ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, IDOK), &ok);
  ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, IDCANCEL), &cancel);
  ::GetWindowRect(sheet.GetTabControl()->m_hWnd, &tab);
  RECT h;
  ::GetWindowRect(help, &h);
  EXPECT_EQ(h.right, tab.right);
  EXPECT_LT(ok.right, cancel.left);
  EXPECT_LT(cancel.right, h.left);
}

TEST_F(Sheet, KeysTurnPagesAndTabWalksThePageAndTheButtons) {
  open();
  sheet.GetTabControl()->SetFocus();
  automation::PressKey(VK_RIGHT);
  automation::PumpUntilIdle();
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  automation::PressKey(VK_TAB, false, true);
  automation::PumpUntilIdle();
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  // The ring: tab control, the page's edit, OK, Cancel, Apply (disabled, skipped), Help.
  sheet.GetTabControl()->SetFocus();
  std::vector<int> seen;
  for (int i = 0; i < 5; ++i) {
    automation::PressKey(VK_TAB);
    automation::PumpUntilIdle();
    seen.push_back(::GetDlgCtrlID(::GetFocus()));
  }
  EXPECT_EQ((std::vector<int>{101, IDOK, IDCANCEL, IDHELP, AFX_IDC_TAB_CONTROL}), seen);
  // Enter in the page's edit is the sheet's OK.
  ::SetFocus(::GetDlgItem(general.m_hWnd, 101));
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_FALSE(::IsWindowVisible(sheet.m_hWnd));
}

TEST_F(Sheet, RunsModallyAndEndsWithOk) {
  automation::OnDialog("Options", [&](HWND) {
    sheet.SetActivePage(1);
    ::CheckDlgButton(colours.m_hWnd, 102, BST_CHECKED);
    ::SendMessage(sheet.m_hWnd, WM_COMMAND, IDOK, 0);
  }, IDCANCEL);
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ((std::vector<std::string>{"7301 active", "7301 kill", "7302 active", "7302 kill", "7301 apply",
                                      "7302 apply"}),
            log);
}

}  // namespace

namespace {

// Clicking the tab already selected takes the focus to the tabs and leaves
// the page drawn.
TEST_F(Sheet, ReselectingTheCurrentTabKeepsThePageDrawn) {
  open();
  HWND edit = ::GetDlgItem(general.m_hWnd, 101);
  RECT r;
  ::GetWindowRect(edit, &r);
  POINT inside{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ScreenToClient(sheet.m_hWnd, &inside);
  const COLORREF before = automation::PixelAt(sheet.m_hWnd, inside.x, inside.y);
  ASSERT_EQ(before, GetSysColor(COLOR_WINDOW));
  clickTab(0);
  EXPECT_EQ(::GetFocus(), sheet.GetTabControl()->m_hWnd);
  EXPECT_EQ(automation::PixelAt(sheet.m_hWnd, inside.x, inside.y), before);
}

}  // namespace
