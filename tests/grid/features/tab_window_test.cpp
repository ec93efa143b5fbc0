#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/features/GXTabWnd.h"
#include "platform/framework/CWinApp.h"
#include "platform/testing/Automation.h"
#include "support/GoldenImage.h"

namespace {

// A sheet that answers the tab window's questions as the test says and
// records what it was told.
class Sheet : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case GX_TAB_CANRENAME: return allowRename ? 1 : 0;
      case GX_TAB_RENAMED: renamed.push_back(static_cast<int>(wParam)); return 0;
      case GX_TAB_CANDEACTIVATE: return (wParam == 0 ? refuseLeave : refuseEnter) ? 1 : 0;
      case GX_TAB_SHEETINDEX: index = static_cast<int>(wParam); return 0;
      case WM_SIZE:
        sizes.push_back({static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam)});
        return CWnd::WindowProc(message, wParam, lParam);
      default: return CWnd::WindowProc(message, wParam, lParam);
    }
  }
  BOOL allowRename = TRUE, refuseLeave = FALSE, refuseEnter = FALSE;
  std::vector<int> renamed;
  struct Size {
    int type, cx, cy;
  };
  std::vector<Size> sizes;
  int index = -1;
};

class TabWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Book", WS_POPUP | WS_VISIBLE, 0, 0, 400, 200, nullptr, nullptr));
    ASSERT_TRUE(tabs.Create(&frame, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 1));
    tabs.MoveWindow(0, 0, 400, 200);
    for (const char* name : {"Dues", "Camp", "Uniforms"}) {
      auto sheet = std::make_unique<Sheet>();
      ASSERT_TRUE(sheet->CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, tabs.m_hWnd, nullptr));
      tabs.InsertSheet(sheet.get(), name);
      sheets.push_back(std::move(sheet));
    }
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    tabs.DestroyWindow();
    sheets.clear();
    frame.DestroyWindow();
  }
  CGXTabBeam& Beam() { return *tabs.GetBeam(); }
  // The middle of a tab in the strip's client area.
  POINT TabPoint(int index) {
    return POINT{Beam().GetTabX(index) + Beam().m_nMargin + Beam().GetTab(index).nWidth / 2, Beam().m_nHeight / 2};
  }
  void ClickTab(int index, UINT keys = 0) {
    if (keys == 0) {
      automation::Click(Beam().m_hWnd, TabPoint(index));
    } else {
      const POINT p = TabPoint(index);
      Beam().SendMessage(WM_LBUTTONDOWN, keys, MAKELPARAM(p.x, p.y));
    }
    automation::PumpUntilIdle();
  }

  CWnd frame;
  CGXTabWnd tabs;
  std::vector<std::unique_ptr<Sheet>> sheets;
};

TEST_F(TabWindow, SheetsGetTabsAndTheFirstShows) {
  ASSERT_EQ(Beam().GetCount(), 3);
  EXPECT_EQ(tabs.GetSheetName(sheets[1].get()), "Camp");
  EXPECT_EQ(sheets[2]->index, 2) << "each sheet is told its number";
  EXPECT_EQ(tabs.GetActiveSheet(), sheets[0].get());
  EXPECT_TRUE(sheets[0]->IsWindowVisible());
  EXPECT_FALSE(sheets[1]->IsWindowVisible());
  EXPECT_EQ(Beam().m_nCurrent, 0);
  // The shared bars sit beside and below the sheet, the strip left of the
  // divider.
  CRect strip;
  Beam().GetWindowRect(&strip);
  tabs.ScreenToClient(&strip);
  EXPECT_EQ(strip.right, tabs.GetDividerX() + 1);
  ASSERT_NE(tabs.GetDlgItem(CGXTabWnd::kVertScrollId), nullptr);
  ASSERT_NE(tabs.GetDlgItem(CGXTabWnd::kHorzScrollId), nullptr);
}

TEST_F(TabWindow, ClickingATabSwitchesSheetsUnlessASheetRefuses) {
  ClickTab(1);
  EXPECT_EQ(tabs.GetActiveSheet(), sheets[1].get());
  EXPECT_TRUE(sheets[1]->IsWindowVisible());
  EXPECT_FALSE(sheets[0]->IsWindowVisible());
  EXPECT_EQ(Beam().m_nCurrent, 1);

  sheets[1]->refuseLeave = TRUE;
  ClickTab(2);
  EXPECT_EQ(tabs.GetActiveSheet(), sheets[1].get()) << "the active sheet may refuse to be left";
  EXPECT_EQ(Beam().m_nCurrent, 1) << "the strip keeps the old current tab";
  sheets[1]->refuseLeave = FALSE;
  sheets[2]->refuseEnter = TRUE;
  ClickTab(2);
  EXPECT_EQ(Beam().m_nCurrent, 1) << "and the new one to be entered";
  sheets[2]->refuseEnter = FALSE;
  ClickTab(2);
  EXPECT_EQ(tabs.GetActiveSheet(), sheets[2].get());
}

TEST_F(TabWindow, DoubleClickRenamesTheCurrentTab) {
  automation::DoubleClick(Beam().m_hWnd, TabPoint(0));
  automation::PumpUntilIdle();
  ASSERT_NE(tabs.GetRenameEdit(), nullptr);
  CString text;
  tabs.GetRenameEdit()->GetWindowText(text);
  EXPECT_EQ(text, "Dues");
  tabs.GetRenameEdit()->SetWindowText("Dues 2026");
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_EQ(tabs.GetRenameEdit(), nullptr);
  EXPECT_EQ(tabs.GetSheetName(sheets[0].get()), "Dues 2026");
  EXPECT_EQ(sheets[0]->renamed, std::vector<int>{0}) << "the sheet hears of its new name";
  const int wide = Beam().GetTab(0).nWidth;
  EXPECT_GT(wide, Beam().GetTab(1).nWidth) << "the tab grows with its name";

  // Esc leaves the name alone; a sheet may refuse renaming altogether.
  automation::DoubleClick(Beam().m_hWnd, TabPoint(0));
  automation::PumpUntilIdle();
  ASSERT_NE(tabs.GetRenameEdit(), nullptr);
  tabs.GetRenameEdit()->SetWindowText("Other");
  automation::PressKey(VK_ESCAPE);
  automation::PumpUntilIdle();
  EXPECT_EQ(tabs.GetRenameEdit(), nullptr);
  EXPECT_EQ(tabs.GetSheetName(sheets[0].get()), "Dues 2026");
  sheets[0]->allowRename = FALSE;
  automation::DoubleClick(Beam().m_hWnd, TabPoint(0));
  automation::PumpUntilIdle();
  EXPECT_EQ(tabs.GetRenameEdit(), nullptr);
}

TEST_F(TabWindow, StripGolden) {
  ClickTab(1);
  frame.Invalidate(TRUE);
  frame.UpdateWindow();
  automation::PumpUntilIdle();
  EXPECT_TRUE(golden::Matches("grid/tab_window.png", [&](const std::string& p) {
    return automation::RenderToPng(frame.m_hWnd, p);
  }));
}

TEST_F(TabWindow, NamesThroughAnySheetWindow) {
  CGXTabWndInterface* names = GXGetTabWndInterface();
  CString name;
  ASSERT_TRUE(names->GetSetSheetName(sheets[2].get(), name, FALSE));
  EXPECT_EQ(name, "Uniforms");
  name = "Gear";
  ASSERT_TRUE(names->GetSetSheetName(sheets[2].get(), name, TRUE));
  EXPECT_EQ(tabs.GetSheetName(sheets[2].get()), "Gear");
  EXPECT_EQ(sheets[2]->renamed, std::vector<int>{2});
  EXPECT_EQ(names->GetSheetName(sheets[0].get(), 1), "Camp");
  EXPECT_FALSE(names->GetSetSheetName(&frame, name, FALSE)) << "not a sheet of any tab window";
}

TEST_F(TabWindow, TheDividerStartsHalfWayAndKeepsItsShare) {
  EXPECT_EQ(tabs.GetDividerX(), 200);
  const int c = Beam().ButtonAreaWidth() - 20;  // the share is of the room right of this
  tabs.MoveWindow(0, 0, 600, 200);
  EXPECT_NEAR(tabs.GetDividerX(), c + (200 - c) * 600 / 400, 1);

  // Dragged, it stays right of the strip's buttons and 20 pixels more.
  const int y = 200 - tabs.BottomBarHeight() / 2;
  const int x = tabs.GetDividerX() + 3;
  tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Beam().ButtonAreaWidth() + 5, y));
  EXPECT_EQ(tabs.GetDividerX(), c + (200 - c) * 600 / 400) << "refused";
  tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, y));
  tabs.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, y));
  EXPECT_EQ(tabs.GetDividerX(), 150);
  CRect strip;
  Beam().GetWindowRect(&strip);
  tabs.ScreenToClient(&strip);
  EXPECT_EQ(strip.right, 151);
}

TEST_F(TabWindow, ScrollButtonsMoveTheRowOnlyWhileTabsAreHidden) {
  // Narrow the strip so that not every tab fits.
  for (int i = 0; i < 6; ++i) {
    auto sheet = std::make_unique<Sheet>();
    ASSERT_TRUE(sheet->CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, tabs.m_hWnd, nullptr));
    tabs.InsertSheet(sheet.get(), "A long sheet name");
    sheets.push_back(std::move(sheet));
  }
  const POINT previous{Beam().m_nButtonWidth / 2, Beam().m_nHeight / 2};
  const POINT next{Beam().m_nButtonWidth + Beam().m_nButtonWidth / 2, Beam().m_nHeight / 2};
  EXPECT_FALSE(Beam().IsButtonEnabled(1)) << "the first tab shows";
  ASSERT_TRUE(Beam().IsButtonEnabled(2));
  automation::Click(Beam().m_hWnd, next);
  automation::PumpUntilIdle();
  EXPECT_EQ(Beam().m_nFirstVisible, 1);
  while (Beam().IsButtonEnabled(2)) {
    automation::Click(Beam().m_hWnd, next);
    automation::PumpUntilIdle();
  }
  const int first = Beam().m_nFirstVisible;
  EXPECT_EQ(Beam().GetLastVisibleTab(), Beam().GetCount() - 1);
  automation::Click(Beam().m_hWnd, next);
  automation::PumpUntilIdle();
  EXPECT_EQ(Beam().m_nFirstVisible, first) << "no scrolling past the last tab";
  automation::Click(Beam().m_hWnd, previous);
  automation::PumpUntilIdle();
  EXPECT_EQ(Beam().m_nFirstVisible, first - 1);

  // Removing the current tab makes tab 0 current and shows the row's start.
  Beam().SetCurrentTab(Beam().GetCount() - 1);
  Beam().RemoveTab(Beam().GetCount() - 1);
  EXPECT_EQ(Beam().m_nCurrent, 0);
  EXPECT_EQ(Beam().m_nFirstVisible, 0);
}

TEST_F(TabWindow, WithOneTabBothArrowsAreGrey) {
  while (Beam().GetCount() > 1) Beam().RemoveTab(Beam().GetCount() - 1);
  EXPECT_FALSE(Beam().IsButtonEnabled(1));
  EXPECT_FALSE(Beam().IsButtonEnabled(2));
  automation::Click(Beam().m_hWnd, POINT{Beam().m_nButtonWidth + 2, 3});
  automation::PumpUntilIdle();
  EXPECT_EQ(Beam().m_nFirstVisible, 0);
}

TEST_F(TabWindow, ShiftAndCtrlClicksMarkTabs) {
  ClickTab(1);
  ASSERT_EQ(Beam().m_nCurrent, 1);
  ASSERT_EQ(Beam().m_nFirstVisible, 0);
  ClickTab(0, MK_SHIFT);
  EXPECT_TRUE(Beam().GetTab(0).bMarked && Beam().GetTab(1).bMarked);
  EXPECT_FALSE(Beam().GetTab(2).bMarked);
  ClickTab(0);
  EXPECT_EQ(Beam().m_nCurrent, 0);
  EXPECT_TRUE(Beam().GetTab(1).bMarked) << "a plain click on a marked tab keeps the marks";
  ClickTab(1, MK_CONTROL);
  EXPECT_FALSE(Beam().GetTab(1).bMarked);
  ClickTab(1);
  EXPECT_FALSE(Beam().GetTab(0).bMarked) << "a click on an unmarked tab clears the marks";
}

TEST(TabWindowClass, WindowsOfTheRegisteredClassesGetTheirObjects) {
  automation::ResetWindows();
  const HINSTANCE instance = AfxGetInstanceHandle();
  ASSERT_TRUE(GXRegisterTabWndClass(instance));
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, nullptr, "Dialog", WS_POPUP | WS_VISIBLE, 0, 0, 300, 120, nullptr, nullptr));
  HWND tabWnd = ::CreateWindowEx(0, "CGXTabWnd", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 120, frame.m_hWnd, nullptr,
                                 instance, nullptr);
  HWND beamWnd = ::CreateWindowEx(0, "CGXTabBeam", "", WS_CHILD | WS_VISIBLE, 0, 100, 300, 16, frame.m_hWnd,
                                  nullptr, instance, nullptr);
  ASSERT_NE(tabWnd, nullptr);
  ASSERT_NE(beamWnd, nullptr);
  EXPECT_NE(dynamic_cast<CGXTabWnd*>(CWnd::FromHandlePermanent(tabWnd)), nullptr);
  EXPECT_NE(dynamic_cast<CGXTabBeam*>(CWnd::FromHandlePermanent(beamWnd)), nullptr);
  // The objects go with their windows.
  ::DestroyWindow(tabWnd);
  ::DestroyWindow(beamWnd);
  EXPECT_EQ(CWnd::FromHandlePermanent(tabWnd), nullptr);
  frame.DestroyWindow();
  GXUnregisterTabWndClass(instance);
}

TEST_F(TabWindow, TheVisibleSheetIsToldItsSizeAsAFilledFrameAndAfterResizing) {
  char name[32] = {};
  ::GetClassName(tabs.m_hWnd, name, sizeof name);
  EXPECT_STREQ(name, "GxMdiFrame");
  Sheet& sheet = *sheets[0];
  sheet.sizes.clear();
  sheets[1]->sizes.clear();
  tabs.MoveWindow(0, 0, 300, 150);
  automation::PumpUntilIdle();
  CRect placed;
  sheet.GetWindowRect(&placed);
  // Placed one pixel larger each way than its rectangle; told that
  // rectangle less 3 as a filled frame, then its own client size.
  bool maximized = false;
  for (const Sheet::Size& s : sheet.sizes)
    maximized |= s.type == SIZE_MAXIMIZED && s.cx == placed.Width() - 2 - 3 && s.cy == placed.Height() - 2 - 3;
  EXPECT_TRUE(maximized);
  ASSERT_FALSE(sheet.sizes.empty());
  EXPECT_EQ(sheet.sizes.back().type, SIZE_RESTORED);
  EXPECT_EQ(sheet.sizes.back().cx, placed.Width());
  EXPECT_TRUE(sheets[1]->sizes.empty()) << "hidden sheets are left alone";
}

}  // namespace
