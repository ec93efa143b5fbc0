#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/features/GXTabWnd.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Document.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"
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

TEST_F(TabWindow, RemovingTheShownSheetsTabShowsTheNewCurrentTab) {
  // An owned sheet goes with its tab; the window must not reach it after.
  auto* owned = new Sheet;
  ASSERT_TRUE(owned->CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, tabs.m_hWnd, nullptr));
  tabs.InsertSheet(owned, "Owned");
  Beam().GetTab(3).bDeleteWnd = TRUE;
  tabs.SendMessage(GX_TAB_ACTIVATE, 3);
  ASSERT_EQ(tabs.GetActiveSheet(), owned);
  Beam().RemoveTab(3);
  EXPECT_EQ(tabs.GetActiveSheet(), sheets[0].get());
  EXPECT_TRUE(sheets[0]->IsWindowVisible());
  tabs.MoveWindow(0, 0, 420, 200);
  ClickTab(1);
  EXPECT_EQ(tabs.GetActiveSheet(), sheets[1].get());
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

  // A window of the class (as a dialog's control) gets its strip and both
  // bars with its first sheet.
  auto* tabs = dynamic_cast<CGXTabWnd*>(CWnd::FromHandlePermanent(tabWnd));
  ASSERT_NE(tabs, nullptr);
  CWnd sheet;
  ASSERT_TRUE(sheet.CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, tabWnd, nullptr));
  tabs->InsertSheet(&sheet, "Header");
  ASSERT_NE(tabs->GetBeam(), nullptr);
  EXPECT_EQ(tabs->GetSheetName(&sheet), "Header");
  EXPECT_TRUE(sheet.IsWindowVisible());
  for (UINT id : {0xEA00u, 0xEA10u, 0xEA01u}) EXPECT_NE(::GetDlgItem(tabWnd, static_cast<int>(id)), nullptr) << id;
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

// Sheets that are views of a frame become its active view as they show.
TEST(TabWindowViews, TheShownViewBecomesTheFramesActiveView) {
  class SheetView : public CView {
   protected:
    void PostNcDestroy() override {}  // the test owns it
  };
  automation::ResetWindows();
  auto* frame = new CFrameWnd;  // deletes itself with its window
  ASSERT_TRUE(frame->Create(nullptr, "Book", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 200)));
  CGXTabWnd tabs;
  ASSERT_TRUE(tabs.Create(frame, WS_CHILD | WS_VISIBLE | WS_HSCROLL, 1));
  tabs.MoveWindow(0, 0, 400, 200);
  SheetView views[2];
  for (auto& view : views) {
    ASSERT_TRUE(view.CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, tabs.m_hWnd, nullptr));
    tabs.InsertSheet(&view, "Sheet");
  }
  tabs.SendMessage(GX_TAB_ACTIVATE, 1);
  EXPECT_EQ(frame->GetActiveView(), &views[1]);
  tabs.SendMessage(GX_TAB_ACTIVATE, 0);
  EXPECT_EQ(frame->GetActiveView(), &views[0]);
  frame->SetActiveView(nullptr, FALSE);
  tabs.DestroyWindow();
  frame->DestroyWindow();
}

// The corner box between the two bars is a working grip only where it sits
// on the frame's own sizing corner.
TEST(TabWindowCorner, SizeBoxIsAGripOnlyAtTheFramesSizingCorner) {
  automation::ResetWindows();
  auto* frame = new CFrameWnd;  // deletes itself with its window
  ASSERT_TRUE(frame->Create(nullptr, "Book", WS_POPUP | WS_THICKFRAME | WS_VISIBLE, CRect(0, 0, 400, 200)));
  CRect client;
  frame->GetClientRect(&client);
  CGXTabWnd tabs;
  ASSERT_TRUE(tabs.Create(frame, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 1));
  CWnd* box = tabs.GetDlgItem(CGXTabWnd::kSizeBoxId);
  ASSERT_NE(box, nullptr);
  struct Case {
    int width;
    bool grip;
  } cases[] = {{client.Width(), true}, {client.Width() - 30, false}};
  for (const Case& c : cases) {
    tabs.MoveWindow(0, 0, c.width, client.Height());
    automation::PumpUntilIdle();
    SCOPED_TRACE(c.width);
    EXPECT_TRUE(box->IsWindowVisible());
    EXPECT_EQ(box->IsWindowEnabled() != FALSE, c.grip);
    EXPECT_EQ((box->GetStyle() & SBS_SIZEGRIP) != 0, c.grip);
    CRect boxRect, tabsRect;
    box->GetWindowRect(&boxRect);
    tabs.GetWindowRect(&tabsRect);
    EXPECT_GE(boxRect.right, tabsRect.right) << "in the bottom-right corner";
    EXPECT_GE(boxRect.bottom, tabsRect.bottom);
    CRect inside;
    box->GetClientRect(&inside);
    EXPECT_EQ(automation::PixelAt(box->m_hWnd, inside.right - 4, inside.bottom - 4),
              ::GetSysColor(c.grip ? COLOR_BTNSHADOW : COLOR_BTNFACE));
  }
  CGXTabWnd oneBar;
  ASSERT_TRUE(oneBar.Create(frame, WS_CHILD | WS_VISIBLE | WS_HSCROLL, 2));
  oneBar.MoveWindow(0, 0, client.Width(), client.Height());
  CWnd* hidden = oneBar.GetDlgItem(CGXTabWnd::kSizeBoxId);
  EXPECT_TRUE(hidden == nullptr || !hidden->IsWindowVisible()) << "no corner with one bar";
  oneBar.DestroyWindow();
  tabs.DestroyWindow();
  frame->DestroyWindow();
}

// A bordered tab window draws a sunken frame on its parent just around
// itself: dark at the top left, light at the bottom right.
TEST_F(TabWindow, BorderIsASunkenFrameOnTheParent) {
  struct Case {
    BOOL flag;
    DWORD exStyle;
    bool framed;
  } cases[] = {{FALSE, 0, false}, {TRUE, 0, true}, {FALSE, WS_EX_CLIENTEDGE, true}};
  const COLORREF background = RGB(1, 2, 3);
  for (const Case& c : cases) {
    tabs.m_bFrameBorder = c.flag;
    tabs.ModifyStyleEx(WS_EX_CLIENTEDGE, c.exStyle);
    tabs.MoveWindow(20, 20, 300, 120);
    CDC* dc = frame.GetDC();
    dc->FillSolidRect(0, 0, 400, 200, background);
    frame.ReleaseDC(dc);
    tabs.SendMessage(WM_NCPAINT, 1, 0);
    SCOPED_TRACE(static_cast<int>(c.exStyle) + c.flag);
    CRect r;
    tabs.GetWindowRect(&r);
    frame.ScreenToClient(&r);
    EXPECT_EQ(automation::PixelAt(frame.m_hWnd, r.left - 2, r.top - 2), c.framed ? ::GetSysColor(COLOR_BTNSHADOW) : background);
    EXPECT_EQ(automation::PixelAt(frame.m_hWnd, r.right + 1, r.bottom + 1),
              c.framed ? ::GetSysColor(COLOR_BTNHIGHLIGHT) : background);
  }
}

// Bringing a view's sheet to the front names its document in the frame's
// title.
TEST(TabWindowViews, TheMainWindowsTitleFollowsTheShownView) {
  class SheetView : public CView {
   protected:
    void PostNcDestroy() override {}  // the test owns it
  };
  automation::ResetWindows();
  auto* frame = new CFrameWnd;  // deletes itself with its window
  ASSERT_TRUE(frame->Create(nullptr, "Book", WS_POPUP | WS_VISIBLE | FWS_ADDTOTITLE, CRect(0, 0, 400, 200)));
  CGXTabWnd tabs;
  ASSERT_TRUE(tabs.Create(frame, WS_CHILD | WS_VISIBLE | WS_HSCROLL, 1));
  tabs.MoveWindow(0, 0, 400, 200);
  CDocument* docs[2] = {new CDocument, new CDocument};  // each goes with its last view
  docs[0]->SetTitle("Dues");
  docs[1]->SetTitle("Camp");
  SheetView views[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(views[i].CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 10, 10, tabs.m_hWnd, nullptr));
    docs[i]->AddView(&views[i]);
    tabs.InsertSheet(&views[i], "Sheet");
  }
  CString title;
  tabs.SendMessage(GX_TAB_ACTIVATE, 1);
  frame->GetWindowText(title);
  EXPECT_NE(title.Find("Camp"), -1) << title.GetString();
  tabs.SendMessage(GX_TAB_ACTIVATE, 0);
  frame->GetWindowText(title);
  EXPECT_NE(title.Find("Dues"), -1) << title.GetString();
  frame->SetActiveView(nullptr, FALSE);
  tabs.DestroyWindow();
  for (int i = 0; i < 2; ++i) docs[i]->RemoveView(&views[i]);
  frame->DestroyWindow();
}

}  // namespace
