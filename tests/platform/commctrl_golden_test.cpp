// The common controls drawn at a fixed size match their golden pictures to
// the pixel: a small property sheet, a wizard page, a report list with a
// hidden column, a tree and a month calendar. The versions of the drawing
// libraries and fonts the pictures were made with are in
// tests/data/platform/commctrl_versions.txt.
#include <gtest/gtest.h>

#include <string>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/testing/DlgSnapshot.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/commctrl/ListView.h"
#include "platform/commctrl/MonthCal.h"
#include "platform/commctrl/TreeView.h"
#include "platform/propsheet/PropSheet.h"
#include "support/GoldenImage.h"
#include "tools/gallery/CommCtrlStates.h"

namespace {

const char* kGoldenTemplates = R"(
dialog 7901
  caption "General"
  rect 0 0 160 60
  control Static IDC_STATIC "&Name:" 7 9 30 8
  control Edit 101 "Troop 12" 40 7 110 12 WS_BORDER | WS_TABSTOP
  control Button 102 "&Show tips" 7 26 80 10 BS_AUTOCHECKBOX | WS_TABSTOP
end
dialog 7902
  caption "Tools"
  rect 0 0 160 60
end
dialog 7903
  caption "Welcome"
  rect 0 0 200 70
  control Static 1011 "This wizard converts the books of an older version." 7 7 186 20
end
dialog 7904
  caption "Views"
  rect 0 0 230 110
  control SysListView32 301 "" 5 5 120 100 LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER
  control SysTreeView32 302 "" 130 5 95 100 TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER
end
dialog 7905
  caption "Calendar"
  rect 0 0 150 130
  style WS_POPUP | WS_BORDER
  control SysMonthCal32 1200 "" 0 0 140 120
end
)";

class CommCtrlGolden : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kGoldenTemplates, "golden", &error)) << error;
  }
  void TearDown() override { automation::ResetWindows(); }
  static void place(CWnd& w) {
    w.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    automation::PumpUntilIdle();
  }
};

TEST_F(CommCtrlGolden, ASmallSheet) {
  CPropertyPage general(7901), tools(7902);
  CPropertySheet sheet("Preferences");
  sheet.AddPage(&general);
  sheet.AddPage(&tools);
  ASSERT_TRUE(sheet.Create());
  place(sheet);
  EXPECT_TRUE(golden::Matches("platform/commctrl_sheet.png",
                              [&](const std::string& path) { return SnapshotToPng(sheet.m_hWnd, path); }));
  sheet.DestroyWindow();
}

TEST_F(CommCtrlGolden, AWizardPage) {
  CPropertyPage welcome(7903);
  welcome.m_psp.dwFlags &= ~PSP_HASHELP;
  CPropertySheet sheet("Conversion Wizard");
  sheet.AddPage(&welcome);
  sheet.SetWizardMode();
  ASSERT_TRUE(sheet.Create());
  sheet.SetWizardButtons(PSWIZB_NEXT);
  place(sheet);
  EXPECT_TRUE(golden::Matches("platform/commctrl_wizard.png",
                              [&](const std::string& path) { return SnapshotToPng(sheet.m_hWnd, path); }));
  sheet.DestroyWindow();
}

// The gallery's sample list (grid lines, full-row selection, a hidden key
// column) beside its sample tree.
TEST_F(CommCtrlGolden, AListWithAHiddenColumnAndATree) {
  CDialog dlg(7904);
  ASSERT_TRUE(dlg.Create(7904));
  CListCtrl list;
  CTreeCtrl tree;
  list.SubclassDlgItem(301, &dlg);
  tree.SubclassDlgItem(302, &dlg);
  gallery::FillSampleList(list, 80);
  gallery::FillSampleTree(tree);
  dlg.ShowWindow(SW_SHOW);
  place(dlg);
  EXPECT_TRUE(golden::Matches("platform/commctrl_list_tree.png",
                              [&](const std::string& path) { return automation::RenderToPng(dlg.m_hWnd, path); }));
  list.UnsubclassWindow();
  tree.UnsubclassWindow();
  dlg.DestroyWindow();
}

TEST_F(CommCtrlGolden, AMonthCalendar) {
  CDialog dlg(7905);
  ASSERT_TRUE(dlg.Create(7905));
  CMonthCalCtrl cal;
  cal.SubclassDlgItem(1200, &dlg);
  gallery::SetSampleCalendar(cal);
  RECT min;
  cal.GetMinReqRect(&min);
  cal.SetWindowPos(nullptr, 0, 0, min.right, min.bottom, SWP_NOMOVE | SWP_NOZORDER);
  dlg.SetWindowPos(nullptr, 0, 0, min.right + 2, min.bottom + 2, SWP_NOMOVE | SWP_NOZORDER);
  dlg.ShowWindow(SW_SHOW);
  place(dlg);
  EXPECT_TRUE(golden::Matches("platform/commctrl_monthcal.png",
                              [&](const std::string& path) { return automation::RenderToPng(dlg.m_hWnd, path); }));
  cal.UnsubclassWindow();
  dlg.DestroyWindow();
}

}  // namespace
