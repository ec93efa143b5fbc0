#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/GridWindowTest.h"
#include "grid/controls/GXCalendar.h"
#include "grid/controls/GXDateTimeFields.h"
#include "platform/framework/CWnd.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {

const char* FrameClass() { return gridtest::FrameClass("CalendarTestFrame"); }

// The calendar's owner: it keeps the messages the calendar posts.
class Owner : public CWnd {
 public:
  std::vector<std::pair<UINT, WPARAM>> posted;
  int Count(UINT message) const {
    int n = 0;
    for (const auto& p : posted) n += p.first == message;
    return n;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message >= WM_GX_CAL_SELECTED && message <= WM_GX_CAL_CANCELLED) {
      posted.emplace_back(message, wParam);
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

std::string Day(const COleDateTime& d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.GetYear(), d.GetMonth(), d.GetDay());
  return buf;
}

class Calendar : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ASSERT_TRUE(owner.CreateEx(0, FrameClass(), "Owner", WS_OVERLAPPED | WS_VISIBLE, 20, 20, 400, 320, nullptr,
                               nullptr));
  }
  void TearDown() override { automation::ResetWindows(); }
  void Open(const COleDateTime& date) {
    if (cal.m_hWnd != nullptr) cal.DestroyWindow();
    cal.SetDisplayDate(date, FALSE);
    cal.SelectDate(date, TRUE);
    ASSERT_TRUE(cal.Create(WS_VISIBLE, CRect(5, 5, 285, 225), &owner, 9));
    automation::PumpUntilIdle();
    owner.posted.clear();
  }
  void Key(UINT vk, bool ctrl = false) {
    automation::PressKey(vk, false, ctrl);
    automation::PumpUntilIdle();
  }
  CPoint BoxCentre(int index) { return cal.GetBox(index).GetRect().CenterPoint(); }
  Owner owner;
  CGXBCalendar cal;
};

TEST_F(Calendar, MonthLayoutStartsOnSunday) {
  Open(COleDateTime(2000, 10, 15, 0, 0, 0));  // October 2000 starts on a Sunday
  EXPECT_EQ(Day(cal.GetBox(0).GetDate()), "2000-10-01");
  EXPECT_FALSE(cal.GetBox(0).IsOutsideMonth());
  EXPECT_EQ(Day(cal.GetBox(41).GetDate()), "2000-11-11");
  EXPECT_TRUE(cal.GetBox(31).IsOutsideMonth());
  EXPECT_EQ(std::string(cal.GetTitle().GetText()), "October 2000");
  Open(COleDateTime(2001, 3, 5, 0, 0, 0));  // a Thursday first: the grey days lead
  EXPECT_EQ(Day(cal.GetBox(0).GetDate()), "2001-02-25");
  EXPECT_EQ(cal.GetDisplayDate().GetHour(), 12) << "kept at noon";
}

TEST_F(Calendar, KeyboardMovesTheSelection) {
  const struct {
    COleDateTime start;
    UINT key;
    bool ctrl;
    const char* expect;
  } cases[] = {
      {COleDateTime(2001, 1, 31, 0, 0, 0), VK_NEXT, false, "2001-02-01"},
      {COleDateTime(2001, 3, 1, 0, 0, 0), VK_PRIOR, false, "2001-02-01"},
      {COleDateTime(2000, 2, 29, 0, 0, 0), VK_DOWN, true, "2001-02-28"},
      {COleDateTime(2000, 2, 29, 0, 0, 0), VK_UP, true, "1999-02-28"},
      {COleDateTime(2001, 1, 31, 0, 0, 0), VK_RIGHT, false, "2001-02-01"},
      {COleDateTime(2001, 1, 31, 0, 0, 0), VK_UP, false, "2001-01-24"},
      {COleDateTime(2001, 1, 31, 0, 0, 0), VK_RIGHT, true, "2001-02-01"},
      {COleDateTime(2001, 1, 15, 0, 0, 0), VK_END, false, "2001-01-31"},
      {COleDateTime(2001, 1, 15, 0, 0, 0), VK_HOME, false, "2001-01-01"},
      {COleDateTime(9998, 6, 1, 0, 0, 0), VK_DOWN, true, "9999-06-01"},
      {COleDateTime(9999, 6, 1, 0, 0, 0), VK_DOWN, true, "9999-06-01"},  // refused
  };
  for (const auto& c : cases) {
    automation::ResetWindows();
    ASSERT_TRUE(owner.CreateEx(0, FrameClass(), "Owner", WS_OVERLAPPED | WS_VISIBLE, 20, 20, 400, 320, nullptr,
                               nullptr));
    CGXBCalendar one;
    one.SetDisplayDate(c.start, FALSE);
    one.SelectDate(c.start, TRUE);
    ASSERT_TRUE(one.Create(WS_VISIBLE, CRect(5, 5, 285, 225), &owner, 9));
    automation::PumpUntilIdle();
    automation::PressKey(c.key, false, c.ctrl);
    automation::PumpUntilIdle();
    EXPECT_EQ(Day(one.GetSelectedDate()), c.expect) << Day(c.start) << " key " << c.key;
    EXPECT_EQ(Day(one.GetCurrentDate()), c.expect);
  }
}

TEST_F(Calendar, MarksSelectionsAndTheOwnersMessages) {
  Open(COleDateTime(2001, 3, 5, 0, 0, 0));
  const COleDateTime day(2001, 3, 20, 0, 0, 0);
  cal.MarkDate(day, TRUE);
  cal.MarkDate(day, TRUE);
  EXPECT_EQ(cal.GetMarkCount(), 1u);
  EXPECT_TRUE(cal.IsMarkedDate(day));
  cal.ToggleMark(day);
  EXPECT_EQ(cal.GetMarkCount(), 0u);
  automation::PumpUntilIdle();
  EXPECT_EQ(owner.Count(WM_GX_CAL_MARKED), 3);
  // A right click marks; on a grey day it first shows that day's month.
  automation::Click(cal.m_hWnd, BoxCentre(20), 1);
  automation::PumpUntilIdle();
  EXPECT_TRUE(cal.GetBox(20).IsMarked());
  automation::Click(cal.m_hWnd, BoxCentre(1), 1);
  automation::PumpUntilIdle();

  EXPECT_EQ(cal.GetDisplayDate().GetMonth(), 2);
  EXPECT_TRUE(cal.IsMarkedDate(COleDateTime(2001, 2, 26, 0, 0, 0)));

  // Without the other-months bit a click on a grey day pages to its month.
  Open(COleDateTime(2001, 3, 5, 0, 0, 0));
  owner.posted.clear();
  automation::Click(cal.m_hWnd, BoxCentre(0));
  automation::PumpUntilIdle();
  EXPECT_EQ(cal.GetDisplayDate().GetMonth(), 2);
  EXPECT_EQ(Day(cal.GetSelectedDate()), "2001-02-25");
  EXPECT_GE(owner.Count(WM_GX_CAL_SELECTED), 1);
  // Escape cancels and hides without destroying.
  Key(VK_ESCAPE);
  EXPECT_EQ(owner.Count(WM_GX_CAL_CANCELLED), 1);
  EXPECT_TRUE(::IsWindow(cal.m_hWnd));
  EXPECT_FALSE(cal.IsWindowVisible());
}

TEST_F(Calendar, TitleButtonsPageTheDisplay) {
  Open(COleDateTime(2001, 3, 5, 0, 0, 0));
  // Paging moves only the display; the selection keeps its place in the
  // grid (the ninth box here).
  cal.SendMessage(WM_COMMAND, CGXBCalTitle::kNextMonth);
  EXPECT_EQ(std::string(cal.GetTitle().GetText()), "April 2001");
  EXPECT_EQ(Day(cal.GetSelectedDate()), "2001-04-09");
  cal.SendMessage(WM_COMMAND, CGXBCalTitle::kPrevYear);
  EXPECT_EQ(std::string(cal.GetTitle().GetText()), "April 2000");
  EXPECT_EQ(Day(cal.GetSelectedDate()), "2000-04-03");
  EXPECT_FALSE(cal.IsValidMonth(100, 1, 1));
  EXPECT_TRUE(cal.IsValidMonth(100, 2, 1));
  EXPECT_FALSE(cal.IsValidMonth(9999, 12, 1));
  EXPECT_FALSE(cal.SetDisplayDate(COleDateTime(9999, 12, 5, 0, 0, 0), TRUE));
}

}  // namespace
