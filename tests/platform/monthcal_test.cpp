// The month calendar: a click on a day selects it (MCN_SELCHANGE, then
// MCN_SELECT), a greyed day of the next month turns the page, the arrows
// and keys move the selection, and the minimum size holds the month.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/commctrl/MonthCal.h"

namespace {

const char* kCalDialog = R"(
dialog 7601
  caption "Calendar"
  rect 0 0 160 130
  control SysMonthCal32 1200 "" 5 5 140 110 WS_TABSTOP
end
)";

class CalDialog : public CDialog {
 public:
  CalDialog() : CDialog(7601) {}
  std::vector<std::string> log;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    auto* n = reinterpret_cast<NMSELCHANGE*>(lParam);
    if (n->nmhdr.code == MCN_SELCHANGE || n->nmhdr.code == MCN_SELECT) {
      const SYSTEMTIME& s = n->stSelStart;
      log.push_back(std::string(n->nmhdr.code == MCN_SELECT ? "select " : "change ") + std::to_string(s.wYear) + "-" +
                    std::to_string(s.wMonth) + "-" + std::to_string(s.wDay));
      return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
  }
};

SYSTEMTIME day(int y, int m, int d) {
  SYSTEMTIME st;
  st.wYear = static_cast<WORD>(y);
  st.wMonth = static_cast<WORD>(m);
  st.wDay = static_cast<WORD>(d);
  return st;
}

class MonthCalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(kCalDialog, "cal", &error)) << error;
    ASSERT_TRUE(dlg.Create(7601));
    dlg.ShowWindow(SW_SHOW);
    cal.SubclassDlgItem(1200, &dlg);
    SYSTEMTIME t = day(2026, 12, 10);
    cal.SetToday(&t);
    cal.SetCurSel(&t);
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    cal.UnsubclassWindow();
    dlg.DestroyWindow();
    automation::ResetWindows();
  }
  // The point of a date in the shown month's grid, found by hit testing.
  POINT pointOf(int y, int m, int d) {
    RECT r;
    cal.GetClientRect(&r);
    for (int py = 0; py < r.bottom; py += 3)
      for (int px = 0; px < r.right; px += 3) {
        MCHITTESTINFO info;
        info.pt = POINT{px, py};
        UINT hit = cal.HitTest(&info);
        if ((hit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE && info.st.wYear == y && info.st.wMonth == m && info.st.wDay == d)
          return info.pt;
      }
    ADD_FAILURE() << "no cell for the date";
    return POINT{};
  }
  std::string selected() {
    SYSTEMTIME s;
    cal.GetCurSel(&s);
    return std::to_string(s.wYear) + "-" + std::to_string(s.wMonth) + "-" + std::to_string(s.wDay);
  }

  CalDialog dlg;
  CMonthCalCtrl cal;
};

TEST_F(MonthCalTest, AClickSelectsTheDayAndAGreyedDayTurnsThePage) {
  automation::Click(cal.m_hWnd, pointOf(2026, 12, 24));
  automation::PumpUntilIdle();
  EXPECT_EQ((std::vector<std::string>{"change 2026-12-24", "select 2026-12-24"}), dlg.log);
  dlg.log.clear();
  automation::Click(cal.m_hWnd, pointOf(2027, 1, 2));  // shown greyed after December
  automation::PumpUntilIdle();
  EXPECT_EQ(selected(), "2027-1-2");
  EXPECT_EQ(dlg.log.back(), "select 2027-1-2");
  // Clicking the selected day again only selects.
  dlg.log.clear();
  automation::Click(cal.m_hWnd, pointOf(2027, 1, 2));
  automation::PumpUntilIdle();
  EXPECT_EQ((std::vector<std::string>{"select 2027-1-2"}), dlg.log);
}

TEST_F(MonthCalTest, ArrowsAndKeysMoveTheSelection) {
  MCHITTESTINFO info;
  RECT r;
  cal.GetClientRect(&r);
  info.pt = POINT{r.right - 12, 10};
  for (int x = r.right - 1; x > r.right / 2 && cal.HitTest(&info) != MCHT_TITLEBTNNEXT; --x) info.pt.x = x;
  ASSERT_EQ(cal.HitTest(&info), MCHT_TITLEBTNNEXT);
  automation::Click(cal.m_hWnd, info.pt);
  automation::PumpUntilIdle();
  EXPECT_EQ(selected(), "2027-1-10");
  cal.SetFocus();
  struct Step {
    UINT vk;
    const char* expect;
  };
  const Step steps[] = {{VK_END, "2027-1-31"}, {VK_RIGHT, "2027-2-1"}, {VK_PRIOR, "2027-1-1"},
                        {VK_UP, "2026-12-25"}, {VK_NEXT, "2027-1-25"}, {VK_HOME, "2027-1-1"}};
  for (const Step& s : steps) {
    automation::PressKey(s.vk);
    automation::PumpUntilIdle();
    EXPECT_EQ(selected(), s.expect) << s.vk;
  }
  EXPECT_EQ(dlg.log.size(), 7u);  // every move reported, none a selection
}

TEST_F(MonthCalTest, TheMinimumSizeHoldsTheMonthAndTheTitleTakesItsColour) {
  RECT min;
  ASSERT_TRUE(cal.GetMinReqRect(&min));
  EXPECT_GT(min.right, 100);
  EXPECT_GT(min.bottom, 100);
  cal.SetWindowPos(nullptr, 0, 0, min.right, min.bottom, SWP_NOMOVE | SWP_NOZORDER);
  COLORREF old = cal.SetColor(MCSC_TITLEBK, RGB(0, 128, 128));
  EXPECT_NE(old, RGB(0, 128, 128));
  EXPECT_EQ(cal.GetColor(MCSC_TITLEBK), RGB(0, 128, 128));
  automation::PumpUntilIdle();
  EXPECT_EQ(automation::PixelAt(cal.m_hWnd, 40, 2), RGB(0, 128, 128));
  SYSTEMTIME bad = day(2027, 2, 30);
  EXPECT_FALSE(cal.SetCurSel(&bad));
  EXPECT_EQ(selected(), "2026-12-10");
}

}  // namespace
