#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/GridWindowTest.h"
#include "grid/controls/GXDateTimeCtrl.h"
#include "grid/controls/GXDateTimeGadgets.h"
#include "grid/controls/GXPopupCalendar.h"
#include "platform/framework/CWnd.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "support/GoldenImage.h"

namespace {

const char* FrameClass() { return gridtest::FrameClass("DateTimeTestFrame", COLOR_WINDOW); }

class Parent : public CWnd {
 public:
  int changes = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && HIWORD(wParam) == GXDTN_CHANGED) {
      ++changes;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

std::string Text(const COleDateTime& v) {
  GXDateTimeParts p;
  if (!GXDateTimeToParts(v, p)) return "invalid";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", p.year, p.month, p.day, p.hour, p.minute);
  return buf;
}

class DateTimeCtrl : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ASSERT_TRUE(parent.CreateEx(0, FrameClass(), "Dates", WS_OVERLAPPED | WS_VISIBLE, 40, 40, 320, 260, nullptr,
                                nullptr));
  }
  void TearDown() override { automation::ResetWindows(); }
  void Make(const CRect& r, DWORD exStyle = 0) {
    ASSERT_TRUE(ctrl.Create(exStyle, WS_VISIBLE | WS_BORDER | 0x0003, r, &parent, 31));
    ctrl.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    ctrl.SetDateTime(COleDateTime(2000, 3, 15, 9, 30, 0));
    ctrl.SetFocus();
    automation::PumpUntilIdle();
  }
  HWND Popup() { return ctrl.GetCalendar() != nullptr ? ctrl.GetCalendar()->m_hWnd : nullptr; }
  CPoint DayCentre(int day) {
    CGXBPopupCalendar* cal = ctrl.GetCalendar();
    for (int i = 0; i < CGXBCalendar::kBoxes; ++i) {
      CGXBDayBox& box = cal->GetBox(i);
      if (!box.IsOutsideMonth() && box.GetDate().GetDay() == day) return box.GetRect().CenterPoint();
    }
    return CPoint(-1, -1);
  }
  Parent parent;
  CGXBDateTimeCtrl ctrl;
};

TEST_F(DateTimeCtrl, TypingKeysAndTheParentsNotification) {
  Make(CRect(10, 10, 200, 32));
  // The short date fields, the spin and the calendar button.
  EXPECT_EQ(ctrl.GetFixedCount(), 2);
  EXPECT_EQ(ctrl.GetGadgets().size(), 7u);
  automation::TypeText("4/1/2001");
  automation::PumpUntilIdle();
  EXPECT_EQ(Text(ctrl.GetDateTime()), "2001-04-01 09:30");
  EXPECT_EQ(parent.changes, 3);
  // Left and Right move between fields; Up steps the current one.
  automation::PressKey(VK_LEFT);
  automation::PressKey(VK_UP);
  automation::PumpUntilIdle();
  EXPECT_EQ(Text(ctrl.GetDateTime()), "2001-04-02 09:30");
  // Clicking a field makes it current.
  const CRect month = ctrl.GetGadgets()[2]->GetRect();
  automation::Click(ctrl.m_hWnd, month.CenterPoint());
  automation::PressKey(VK_DOWN);
  automation::PumpUntilIdle();
  EXPECT_EQ(Text(ctrl.GetDateTime()), "2001-03-02 09:30");
  // Digits typed ahead of the focus stay pending when the focus arrives.
  parent.SetFocus();
  ctrl.MoveToGadget(ctrl.LastEditable());
  ctrl.HandleChar('2');
  ctrl.HandleChar('0');
  ctrl.SetFocus();
  ctrl.HandleChar('0');
  ctrl.HandleChar('5');
  EXPECT_EQ(ctrl.GetDateTime().GetYear(), 2005);
  // Without parent notification the value still changes.
  CGXBDateTimeCtrl quiet;
  ASSERT_TRUE(quiet.Create(WS_EX_NOPARENTNOTIFY, WS_VISIBLE, CRect(10, 40, 200, 62), &parent, 32));
  quiet.SetDateTime(COleDateTime(2000, 3, 15, 0, 0, 0));
  quiet.SetFocus();
  parent.changes = 0;
  automation::TypeText("7");
  automation::PressKey(VK_TAB);
  automation::PumpUntilIdle();
  EXPECT_EQ(quiet.GetDateTime().GetMonth(), 7);
  EXPECT_EQ(parent.changes, 0);
}

TEST_F(DateTimeCtrl, CalendarPicksADayAndKeepsTheTime) {
  Make(CRect(10, 10, 200, 32));
  // The field row: month (current), day and year, then the spin and the
  // calendar button at the right edge.
  EXPECT_TRUE(golden::Matches("grid/date_time_ctrl.png",
                              [&](const std::string& path) { return automation::RenderToPng(parent.m_hWnd, path); }));
  automation::PressKey(VK_F4);
  automation::PumpUntilIdle();
  ASSERT_NE(Popup(), nullptr);
  CRect field;
  ctrl.GetWindowRect(&field);
  CRect drop;
  ::GetWindowRect(Popup(), &drop);
  EXPECT_EQ(drop.top, field.bottom);
  EXPECT_EQ(drop.left, field.left);
  EXPECT_TRUE(golden::Matches("grid/date_time_calendar.png",
                              [&](const std::string& path) { return automation::RenderToPng(Popup(), path); }));
  // Pressing on one day and releasing on another chooses the second.
  const HWND popup = Popup();
  automation::MouseMove(popup, DayCentre(20));
  automation::MouseDown(popup, DayCentre(20));
  automation::MouseMove(popup, DayCentre(22));
  automation::MouseUp(popup, DayCentre(22));
  automation::PumpUntilIdle();
  EXPECT_EQ(Text(ctrl.GetDateTime()), "2000-03-22 09:30");
  EXPECT_EQ(ctrl.GetCalendar(), nullptr);
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_EQ(parent.changes, 1);

  // Escape closes it and keeps the value.
  automation::PressKey(VK_DOWN, false, false, true);
  automation::PumpUntilIdle();
  ASSERT_NE(Popup(), nullptr);
  automation::PressKey(VK_ESCAPE);
  automation::PumpUntilIdle();
  EXPECT_EQ(ctrl.GetCalendar(), nullptr);
  EXPECT_EQ(Text(ctrl.GetDateTime()), "2000-03-22 09:30");

  // Releasing outside the calendar restores the selection and chooses nothing.
  ctrl.OpenCalendar();
  automation::PumpUntilIdle();
  const HWND again = Popup();
  ASSERT_NE(again, nullptr);
  automation::MouseDown(again, DayCentre(10));
  automation::MouseMove(again, CPoint(-30, -30));
  automation::MouseUp(again, CPoint(-30, -30));
  automation::PumpUntilIdle();
  ASSERT_EQ(Popup(), again);
  EXPECT_EQ(ctrl.GetCalendar()->GetSelectedDate().GetDay(), 22);
  // A click elsewhere cancels.
  parent.SetFocus();
  automation::PumpUntilIdle();
  EXPECT_EQ(ctrl.GetCalendar(), nullptr);
  EXPECT_EQ(Text(ctrl.GetDateTime()), "2000-03-22 09:30");
}

TEST_F(DateTimeCtrl, CalendarPlacementAndRange) {
  // Near the bottom right of the work area the calendar opens above and
  // lines up with the field's right edge.
  CRect screen;
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &screen, 0);
  parent.MoveWindow(screen.right - 225, screen.bottom - 80, 220, 70);
  Make(CRect(10, 10, 200, 32));
  ctrl.SetRange(COleDateTime(2000, 3, 10, 0, 0, 0), COleDateTime(2000, 3, 20, 0, 0, 0), 2);
  ctrl.OpenCalendar();
  automation::PumpUntilIdle();
  ASSERT_NE(Popup(), nullptr);
  CRect field;
  ctrl.GetWindowRect(&field);
  CRect drop;
  ::GetWindowRect(Popup(), &drop);
  EXPECT_EQ(drop.bottom, field.top);
  EXPECT_EQ(drop.right, field.right);
  // A day outside the date-only range leaves the value.
  automation::Click(Popup(), DayCentre(25));
  automation::PumpUntilIdle();
  EXPECT_EQ(ctrl.GetCalendar(), nullptr);
  EXPECT_EQ(Text(ctrl.GetDateTime()), "2000-03-15 09:30");
}

}  // namespace
