// Wizards: Back and Next move by the pages' answers (0 the neighbour, a
// template id that page, -1 stay), the buttons follow SetWizardButtons with
// Finish in Next's place, and the caption is the active page's title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/propsheet/PropSheet.h"

namespace {

const char* kWizardPages = R"(
dialog 7311
  caption "Welcome"
  rect 0 0 200 80
  control Static 1011 "Hello." 7 7 180 20
end
dialog 7312
  caption "Choices"
  rect 0 0 200 80
  control Button 201 "&Skip ahead" 7 7 80 10 BS_AUTOCHECKBOX | WS_TABSTOP
end
dialog 7313
  caption "Details"
  rect 0 0 200 80
  control Edit 202 "" 7 7 100 12 WS_BORDER | WS_TABSTOP
end
dialog 7314
  caption "Done"
  rect 0 0 200 80
  control Static 1011 "Finished." 7 7 180 20
end
)";

class Wizard;

// Pages of the test wizard: Back on all but the first, Finish (and Cancel
// hidden) on the last; the choices page can jump over the details page, the
// details page refuses an empty field.
class WizPage : public CPropertyPage {
 public:
  WizPage(UINT id, int slot, int last) : CPropertyPage(id), slot_(slot), last_(last) { m_psp.dwFlags &= ~PSP_HASHELP; }
  BOOL OnSetActive() override {
    auto* sheet = static_cast<CPropertySheet*>(GetParent());
    DWORD buttons = (slot_ > 0 ? PSWIZB_BACK : 0) | (slot_ == last_ ? PSWIZB_FINISH : PSWIZB_NEXT);
    sheet->SetWizardButtons(buttons);
    if (CWnd* cancel = sheet->GetDlgItem(IDCANCEL)) cancel->ShowWindow(slot_ == last_ ? SW_HIDE : SW_SHOW);
    return CPropertyPage::OnSetActive();
  }
  LRESULT OnWizardNext() override {
    if (slot_ == 1 && IsDlgButtonChecked(201)) return 7314;
    if (slot_ == 2 && GetDlgItem(202)->GetWindowTextLength() == 0) return -1;
    return 0;
  }
  LRESULT OnWizardBack() override { return slot_ == 3 && back_to_first ? 7311 : 0; }
  bool back_to_first = false;

 private:
  int slot_, last_;
};

class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kWizardPages, "wizard", &error)) << error;
    for (WizPage* p : {&welcome, &choices, &details, &done}) sheet.AddPage(p);
    sheet.SetWizardMode();
    ASSERT_TRUE(sheet.Create());
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    if (sheet.m_hWnd) sheet.DestroyWindow();
    automation::ResetWindows();
  }
  HWND button(int id) { return ::GetDlgItem(sheet.m_hWnd, id); }
  void press(int id) {
    ::SendMessage(sheet.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button(id)));
    automation::PumpUntilIdle();
  }
  CString caption() {
    CString c;
    sheet.GetWindowText(c);
    return c;
  }

  WizPage welcome{7311, 0, 3}, choices{7312, 1, 3}, details{7313, 2, 3}, done{7314, 3, 3};
  CPropertySheet sheet{"Setup"};
};

TEST_F(WizardTest, NextAndBackFollowThePagesAnswers) {
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_EQ(caption(), CString("Welcome"));
  EXPECT_FALSE(::IsWindowEnabled(button(ID_WIZBACK)));
  EXPECT_TRUE(::IsWindowVisible(button(ID_WIZNEXT)));
  EXPECT_FALSE(::IsWindowVisible(button(ID_WIZFINISH)));
  EXPECT_FALSE(::IsWindowVisible(button(IDHELP)));
  EXPECT_FALSE(sheet.GetTabControl()->IsWindowVisible());
  press(ID_WIZNEXT);
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  EXPECT_EQ(caption(), CString("Choices"));
  // A page's title set through the tab control later still reaches the caption.
  TCITEM title;
  title.mask = TCIF_TEXT;
  title.pszText = const_cast<char*>("Your Choices");
  sheet.GetTabControl()->SetItem(1, &title);
  EXPECT_EQ(caption(), CString("Your Choices"));
  EXPECT_TRUE(::IsWindowEnabled(button(ID_WIZBACK)));
  press(ID_WIZNEXT);
  EXPECT_EQ(sheet.GetActiveIndex(), 2);
  press(ID_WIZNEXT);  // empty field: the page stays
  EXPECT_EQ(sheet.GetActiveIndex(), 2);
  ::SetDlgItemText(details.m_hWnd, 202, "x");
  press(ID_WIZNEXT);
  EXPECT_EQ(sheet.GetActiveIndex(), 3);
  EXPECT_FALSE(::IsWindowVisible(button(ID_WIZNEXT)));
  EXPECT_TRUE(::IsWindowVisible(button(ID_WIZFINISH)));
  EXPECT_FALSE(::IsWindowVisible(button(IDCANCEL)));
  done.back_to_first = true;
  press(ID_WIZBACK);
  EXPECT_EQ(sheet.GetActiveIndex(), 0);
  EXPECT_TRUE(::IsWindowVisible(button(IDCANCEL)));
}

TEST_F(WizardTest, APageIdJumpsOverPagesAndFinishEndsTheSheet) {
  press(ID_WIZNEXT);
  ::CheckDlgButton(choices.m_hWnd, 201, BST_CHECKED);
  press(ID_WIZNEXT);
  EXPECT_EQ(sheet.GetActiveIndex(), 3);
  EXPECT_FALSE(details.m_hWnd);
  press(ID_WIZBACK);
  EXPECT_EQ(sheet.GetActiveIndex(), 2);
  press(ID_WIZBACK);
  press(ID_WIZNEXT);
  press(ID_WIZNEXT);
  EXPECT_EQ(sheet.GetActiveIndex(), 3);
  // Enter presses the default button, which is Finish on the last page
  // (Next had the focus and handed it over when it was hidden).
  EXPECT_EQ(::GetFocus(), button(ID_WIZFINISH)) << ::GetDlgCtrlID(::GetFocus());
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_FALSE(sheet.IsWindowVisible());
}

TEST_F(WizardTest, ButtonsSitInARowUnderTheSeparator) {
  RECT back, next, fin, cancel;
  ::GetWindowRect(button(ID_WIZBACK), &back);
  ::GetWindowRect(button(ID_WIZNEXT), &next);
  ::GetWindowRect(button(ID_WIZFINISH), &fin);
  ::GetWindowRect(button(IDCANCEL), &cancel);
  EXPECT_EQ(back.right, next.left);
  EXPECT_EQ(next.left, fin.left);
  EXPECT_LT(next.right, cancel.left);
  EXPECT_EQ(back.top, cancel.top);
  RECT page;
  ::GetWindowRect(welcome.m_hWnd, &page);
  EXPECT_EQ(cancel.right, page.right);  // Help is hidden: Cancel ends the row
}

}  // namespace

namespace {

// Run modally, Finish ends the sheet with ID_WIZFINISH and Cancel with IDCANCEL.
TEST(WizardModal, FinishAndCancelEndTheModalRun) {
  automation::ResetWindows();
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(kWizardPages, "wizard", &error)) << error;
  for (int finish = 1; finish >= 0; --finish) {
    WizPage welcome{7311, 0, 1}, done{7314, 1, 1};
    CPropertySheet sheet("Setup");
    sheet.AddPage(&welcome);
    sheet.AddPage(&done);
    sheet.SetWizardMode();
    automation::OnDialog("Welcome", [&](HWND h) {
      ::SendMessage(h, WM_COMMAND, finish ? ID_WIZNEXT : IDCANCEL, 0);
      if (finish) ::SendMessage(h, WM_COMMAND, ID_WIZFINISH, 0);
    }, -1);
    EXPECT_EQ(sheet.DoModal(), finish ? ID_WIZFINISH : IDCANCEL);
  }
  automation::ResetWindows();
}

}  // namespace
