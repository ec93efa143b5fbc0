#include <gtest/gtest.h>

#include "grid/core/GXDragLineWnd.h"
#include "grid/core/GXGridCore.h"
#include "platform/testing/Automation.h"
#include "platform/draw_canvas.h"

namespace {

TEST(GridDragLine, IsAOnePixelChildThatPaintsItsPen) {
  automation::ResetWindows();
  GXInitLibrary();
  CWnd parent;
  WNDCLASS wc{};
  wc.lpfnWndProc = ::DefWindowProc;
  wc.lpszClassName = "GridDragLineHost";
  if (!::GetClassInfo(nullptr, wc.lpszClassName, nullptr)) ::RegisterClass(&wc);
  ASSERT_TRUE(parent.CreateEx(0, "GridDragLineHost", "Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
  CGXDragLineWnd line(nullptr);
  EXPECT_EQ(line.m_pen.style, CGXStyleBorder::kNotSet);
  ASSERT_TRUE(line.Create(&parent));
  CRect r;
  line.GetClientRect(&r);
  EXPECT_EQ(r, CRect(0, 0, 1, 1));
  EXPECT_EQ(line.GetStyle() & WS_CHILD, static_cast<DWORD>(WS_CHILD));
  line.m_pen.Set(PS_SOLID, 1, RGB(255, 0, 0));
  line.SetWindowPos(nullptr, 10, 10, 1, 50, SWP_NOZORDER | SWP_SHOWWINDOW);
  automation::PumpUntilIdle();
  EXPECT_EQ(automation::PixelAt(line.m_hWnd, 0, 0), RGB(255, 0, 0));
  line.DestroyWindow();
  automation::ResetWindows();
}

TEST(GridDragLine, GridLinePrimitiveFlags) {
  GXInitLibrary();
  CGXGridCore grid;
  grid.Initialize();
  CGXProperties* p = grid.GetParam()->GetProperties();
  drawtest::Canvas c(10, 4, RGB(0, 255, 0));
  grid.DrawGridLine(&c.dc, 0, 0, 10, 1, 2, 0, 0);
  grid.DrawGridLine(&c.dc, 0, 1, 10, 1, 2, 0, 1);
  grid.DrawGridLine(&c.dc, 0, 2, 10, 1, 2, 0, 8 | 1);
  grid.DrawGridLine(&c.dc, 0, 3, 10, 1, 2, 0, 4 | 1);
  EXPECT_EQ(c.At(3, 0), p->GetColor(0));
  EXPECT_EQ(c.At(3, 1), p->GetColor(2));
  EXPECT_EQ(c.At(3, 2), RGB(255, 0, 255)) << "flag 8 decides first: inverted";
  EXPECT_EQ(c.At(3, 3), p->GetColor(2)) << "flag 1 comes before flag 4";
}

}  // namespace
