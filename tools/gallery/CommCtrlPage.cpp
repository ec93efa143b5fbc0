#include "CommCtrlPage.h"

#include <cstdio>
#include <string>

#include "CommCtrlStates.h"
#include "CommonDialogsPage.h"
#include "MessageLoop.h"
#include "platform/testing/Automation.h"
#include "platform/testing/DlgSnapshot.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/commctrl/CheckListBox.h"
#include "platform/commctrl/ListView.h"
#include "platform/commctrl/MonthCal.h"
#include "platform/commctrl/TreeView.h"
#include "platform/commctrl/UpDown.h"
#include "platform/propsheet/PropSheet.h"

namespace gallery {

namespace {

const char* kPages = R"(
dialog 7991
  caption "Lists"
  rect 0 0 250 120
  control SysListView32 301 "" 5 5 130 110 LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP
  control SysTreeView32 302 "" 140 5 105 110 TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP
end
dialog 7992
  caption "Dates"
  rect 0 0 250 120
  control SysMonthCal32 1200 "" 5 5 120 110 WS_TABSTOP
  control Static IDC_STATIC "&Number to Create:" 135 7 70 8
  control Edit 1275 "" 135 18 50 12 WS_BORDER | WS_TABSTOP
  control msctls_updown32 1700 "" 0 0 0 0 UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS
  control Static IDC_STATIC "&Colours:" 135 38 70 8
end
dialog 7993
  caption "Welcome"
  rect 0 0 230 80
  control Static 1011 "This wizard converts the books of an older version of Kestrova." 7 7 210 20
end
)";

class ListsPage : public CPropertyPage {
 public:
  ListsPage() : CPropertyPage(7991) {}
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    list_.SubclassDlgItem(301, this);
    tree_.SubclassDlgItem(302, this);
    FillSampleList(list_, 120);
    FillSampleTree(tree_);
    return TRUE;
  }
  ~ListsPage() override {
    list_.UnsubclassWindow();
    tree_.UnsubclassWindow();
  }

 private:
  CListCtrl list_;
  CTreeCtrl tree_;
};

class DatesPage : public CPropertyPage {
 public:
  DatesPage() : CPropertyPage(7992) {}
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    cal_.SubclassDlgItem(1200, this);
    SetSampleCalendar(cal_);
    spin_.SubclassDlgItem(1700, this);
    spin_.SetRange(1, 500);
    spin_.SetPos(12);
    CRect r(135, 48, 185, 88);  // dialog units
    MapDialogRect(&r);
    checks_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, r, this, 1800);
    checks_.SetFont(GetFont(), FALSE);
    for (const char* s : {"Red", "Green", "Blue"}) checks_.AddString(s);
    checks_.SetCheck(0, 1);
    checks_.SetCheck(2, 1);
    return TRUE;
  }
  ~DatesPage() override {
    cal_.UnsubclassWindow();
    spin_.UnsubclassWindow();
  }

 private:
  CMonthCalCtrl cal_;
  CSpinButtonCtrl spin_;
  CCheckListBox checks_;
};

// The sheet of the gallery's pages, closing the program when it closes.
class GallerySheet : public CPropertySheet {
 public:
  GallerySheet() : CPropertySheet("Common Controls") {
    AddPage(&lists_);
    AddPage(&dates_);
  }
  void PostNcDestroy() override { ::PostQuitMessage(0); }

 private:
  ListsPage lists_;
  DatesPage dates_;
};

bool snapshot(HWND h, const std::string& path) {
  automation::PumpUntilIdle();
  bool ok = SnapshotToPng(h, path);
  if (!ok) std::fprintf(stderr, "gallery: cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace

int WriteCommCtrlPngs(const char* path) {
  std::string error;
  if (!AddDialogTemplates(kPages, "gallery", &error)) {
    std::fprintf(stderr, "gallery: %s\n", error.c_str());
    return 1;
  }
  bool ok = true;
  {
    ListsPage lists;
    DatesPage dates;
    CPropertySheet sheet("Common Controls");
    sheet.AddPage(&lists);
    sheet.AddPage(&dates);
    if (!sheet.Create()) return 1;
    sheet.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ok = snapshot(sheet.m_hWnd, PngBeside(path, "sheet-lists")) && ok;
    sheet.SetActivePage(1);
    ok = snapshot(sheet.m_hWnd, PngBeside(path, "sheet-dates")) && ok;
    sheet.DestroyWindow();
  }
  {
    CPropertyPage welcome(7993);
    welcome.m_psp.dwFlags &= ~PSP_HASHELP;
    CPropertySheet wizard("Conversion Wizard");
    wizard.AddPage(&welcome);
    wizard.SetWizardMode();
    if (!wizard.Create()) return 1;
    wizard.SetWizardButtons(PSWIZB_NEXT);
    wizard.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ok = snapshot(wizard.m_hWnd, PngBeside(path, "wizard")) && ok;
    wizard.DestroyWindow();
  }
  return ok ? 0 : 1;
}

int RunCommCtrl(const char* screenshot, int afterMs) {
  std::string error;
  if (!AddDialogTemplates(kPages, "gallery", &error)) {
    std::fprintf(stderr, "gallery: %s\n", error.c_str());
    return 1;
  }
  GallerySheet sheet;
  if (!sheet.Create()) return 1;
  sheet.CenterWindow();
  static std::string shot;
  if (screenshot) {
    shot = screenshot;
    ::SetTimer(sheet.m_hWnd, 1, static_cast<UINT>(afterMs), [](HWND h, UINT, UINT_PTR, DWORD) {
      ::KillTimer(h, 1);
      if (!SnapshotToPng(h, shot)) std::fprintf(stderr, "gallery: cannot write %s\n", shot.c_str());
      ::DestroyWindow(h);
    });
  }
  RunMessageLoop();
  return 0;
}

}  // namespace gallery
