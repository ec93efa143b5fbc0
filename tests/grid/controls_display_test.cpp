// An amount column and a date column of a grid in a dialog, used through
// the SDL2 host on an X server of the test's own (skipped without Xvfb or
// xdotool): keys typed fast by xdotool reach the cells, the calendar drops
// down and a day picked there is stored. Screen shots of the dialog and of
// the dropped calendar are written beside the test program.
#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXCurrencyCell.h"
#include "grid/cells/GXDateTimeCell.h"
#include "grid/controls/GXPopupCalendar.h"
#include "grid/core/GXGridWnd.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/testing/Automation.h"
#include "platform/window/WindowImpl.h"
#include "support/SdlDisplay.h"
#include "support/XServerTest.h"
#include "support/XdoTool.h"

namespace {

using sdl_display::PumpFor;

bool WritePng(SDL_Surface* shown, const std::string& path) {
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(shown, SDL_PIXELFORMAT_ARGB8888, 0);
  if (argb == nullptr) return false;
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, argb->w, argb->h);
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < argb->h; ++y)
    std::memcpy(data + y * stride, static_cast<const Uint8*>(argb->pixels) + y * argb->pitch, argb->w * 4);
  cairo_surface_mark_dirty(image);
  const bool ok = cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(image);
  SDL_FreeSurface(argb);
  return ok;
}

class ControlsDisplay : public sdl_display::XServerTest<true> {};

TEST_F(ControlsDisplay, AmountAndDateCellsTypedFastAndTheCalendarOnTheDisplay) {
  GXInitLibrary(new CGXControlFactory);
  {
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7311
  caption "Payments"
  rect 0 0 260 120
  control CGXGridWnd 1762 "" 7 7 246 106 WS_VSCROLL | WS_BORDER | WS_TABSTOP
end
)", "controls", &error)) << error;
    CDialog dialog(7311);
    ASSERT_TRUE(dialog.Create(7311));
    dialog.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    auto* grid = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, 1762)));
    ASSERT_NE(grid, nullptr);
    grid->Initialize();
    grid->SetRowCount(10);
    grid->SetColCount(2);
    grid->SetColWidth(1, 2, 150, nullptr, 0);
    grid->ApplyStyle(CGXRange().SetCols(1, 1), CGXStyle().SetControl(GX_IDS_CTRL_CURRENCY).SetUserAttribute(
                                                   GX_IDS_UA_CURRENCY_ATTRIBUTES, "11 1"), 0, 0);
    grid->ApplyStyle(CGXRange().SetCols(2, 2), CGXStyle().SetControl(GX_IDS_CTRL_DATETIME), 0, 0);
    grid->SetValueRange(CGXRange(2, 1), "-42.5", 0, 0);
    grid->SetValueRange(CGXRange(1, 2), "36600.25", 0, 0);
    grid->SetValueRange(CGXRange(2, 2), "36601", 0, 0);
    dialog.ShowWindow(SW_SHOW);
    grid->SetFocus();
    grid->SetCurrentCell(1, 1);
    PumpFor(400);

    // Typed fast: an amount, Tab, then a date field by field.
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "type", "--delay", "5", "1234.5"}), 0);
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "key", "--delay", "5", "Tab"}), 0);
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "type", "--delay", "5", "4/1/2001"}), 0);
    PumpFor(300);
    EXPECT_EQ(std::string(grid->GetCellValue(1, 1)), "1234.50");

    SDL_Window* win = sdl->Window(wnd::Get(dialog.m_hWnd)->native);
    ASSERT_NE(win, nullptr);
    SDL_Surface* shown = SDL_GetWindowSurface(win);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(WritePng(shown, ::testing::TempDir() + "controls-dialog-screen.png"));

    // The calendar drops down; a day picked with the keyboard is stored.
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "key", "--delay", "20", "alt+Down"}), 0);
    PumpFor(300);
    auto* dates = static_cast<CGXDateTimeCtrl*>(grid->GetRegisteredControl(GX_IDS_CTRL_DATETIME));
    ASSERT_NE(dates->GetCalendar(), nullptr);
    SDL_Window* popup = sdl->Window(wnd::Get(dates->GetCalendar()->m_hWnd)->native);
    ASSERT_NE(popup, nullptr);
    SDL_Surface* calendar = SDL_GetWindowSurface(popup);
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(WritePng(calendar, ::testing::TempDir() + "controls-calendar-screen.png"));
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "key", "--delay", "20", "Right", "Right", "Return"}), 0);
    PumpFor(300);
    EXPECT_EQ(dates->GetCalendar(), nullptr);
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "key", "--delay", "20", "Down"}), 0);
    PumpFor(300);
    EXPECT_EQ(std::string(grid->GetCellValue(1, 2)), "36984.25") << "3 April 2001, 06:00";
    EXPECT_TRUE(WritePng(SDL_GetWindowSurface(win), ::testing::TempDir() + "controls-dialog-after.png"));
    dialog.DestroyWindow();
  }
}

}  // namespace
