// The dialog utilities that work on windows: focus, main title, wait
// cursor, moving and growing controls, the heading fonts.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "WindowTestUtil.h"
#include "common/ConfigFile.h"
#include "common/DlgUtil.h"
#include "common/UnitVocab.h"
#include "platform/testing/Automation.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

class DlgUtilWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    parent = CreateWindowEx(0, "Static", "Parent", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200, nullptr, nullptr,
                            nullptr, nullptr);
    first = Child(10, 20, 80, 14);
    second = Child(10, 40, 80, 14);
  }
  void TearDown() override { automation::ResetWindows(); }

  HWND Child(int x, int y, int w, int h) {
    return CreateWindowEx(0, "Static", "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
  }
  RECT InParent(HWND child) { return RectInClient(parent, child); }
  static LOGFONT FontOf(HWND h) {
    LOGFONT lf{};
    GetObject(reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
  }

  HWND parent = nullptr;
  HWND first = nullptr;
  HWND second = nullptr;
};

}  // namespace

TEST_F(DlgUtilWindows, MoveControlByShiftsOrGrowsInTheParentsCoordinates) {
  MoveControlBy(CWnd::FromHandle(first), 5, -3, TRUE);
  RECT moved = InParent(first);
  EXPECT_EQ(moved.left, 15);
  EXPECT_EQ(moved.top, 17);
  EXPECT_EQ(moved.right - moved.left, 80);
  MoveControlBy(CWnd::FromHandle(first), 20, 6, FALSE);
  RECT grown = InParent(first);
  EXPECT_EQ(grown.left, 15);
  EXPECT_EQ(grown.top, 17);
  EXPECT_EQ(grown.right, 115);
  EXPECT_EQ(grown.bottom, 37);
}

TEST_F(DlgUtilWindows, HeadingFontsAreMadeOnceFromTheFirstControlsFont) {
  LOGFONT base{};
  base.lfHeight = -20;
  base.lfWeight = FW_NORMAL;
  std::strcpy(base.lfFaceName, "Arial");
  CFont own;
  ASSERT_TRUE(own.CreateFontIndirect(&base));
  SendMessage(first, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(own)), FALSE);

  SetLargeFont(first);
  SetBoldFont(second);  // made from the second control's own (default) font
  LOGFONT large = FontOf(first);
  EXPECT_EQ(large.lfHeight, -35);
  EXPECT_EQ(large.lfWeight, FW_NORMAL);
  EXPECT_EQ(large.lfQuality, PROOF_QUALITY);
  EXPECT_STREQ(large.lfFaceName, "Arial");
  LOGFONT bold = FontOf(second);
  EXPECT_EQ(bold.lfWeight, 600);
  EXPECT_EQ(bold.lfQuality, PROOF_QUALITY);

  // A heading shorter than its new font grows down to the font's full
  // height, so that no descender is cut; a taller one keeps its size.
  for (auto [h, top] : {std::pair{first, 20}, std::pair{second, 40}}) {
    RECT r = InParent(h);
    TEXTMETRIC tm{};
    CClientDC dc(CWnd::FromHandle(h));
    CFont* old = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(h, WM_GETFONT, 0, 0))));
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    EXPECT_GT(tm.tmHeight, 14);
    EXPECT_EQ(r.bottom - r.top, tm.tmHeight);
    EXPECT_EQ(r.top, top);
  }
  HWND tall = Child(10, 100, 80, 60);
  SetBoldFont(tall);
  EXPECT_EQ(InParent(tall).bottom, 160);

  // Later controls share the fonts made the first time, whatever their own.
  HWND third = Child(10, 60, 80, 14);
  SendMessage(third, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(own)), FALSE);
  SetLargeFont(third);
  EXPECT_EQ(SendMessage(third, WM_GETFONT, 0, 0), SendMessage(first, WM_GETFONT, 0, 0));
  SetBoldFont(third);
  EXPECT_EQ(SendMessage(third, WM_GETFONT, 0, 0), SendMessage(second, WM_GETFONT, 0, 0));
}

TEST_F(DlgUtilWindows, FocusTitleAndWaitCursor) {
  SetFocusHwnd(second);
  EXPECT_EQ(GetFocus(), second);

  CWinApp app("Kestrova");
  CWnd main;
  main.Attach(parent);
  app.m_pMainWnd = &main;
  SetUnitType(1);
  std::strcpy(CurrentFiscalYear, "2004");
  SetMainTitle(0);
  char title[128] = "";
  GetWindowText(parent, title, sizeof title);
  EXPECT_STREQ(title, (std::string(ProgramTitle) + " - FY2004").c_str());
  SetMainTitle(4);  // other hints leave the title alone
  std::strcpy(CurrentFiscalYear, "2005");
  SetMainTitle(4);
  GetWindowText(parent, title, sizeof title);
  EXPECT_STREQ(title, (std::string(ProgramTitle) + " - FY2004").c_str());
  SetMainTitle(8 | 1);
  GetWindowText(parent, title, sizeof title);
  EXPECT_STREQ(title, (std::string(ProgramTitle) + " - FY2005").c_str());
  app.m_pMainWnd = nullptr;
  main.Detach();
  SetUnitType(0);

  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  SetCursor(arrow);
  SetWaitCursor(1);
  EXPECT_EQ(automation::CurrentCursor(), LoadCursor(nullptr, IDC_WAIT));
  SetWaitCursor(1);
  SetWaitCursor(0);
  EXPECT_EQ(automation::CurrentCursor(), arrow);
}
