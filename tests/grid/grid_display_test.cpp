// A grid inside a dialog template, shown through the SDL2 host on an X
// server of the test's own (skipped where there is no Xvfb): the window on
// the display shows the grid's headers and cells, and one screen shot of it
// is written beside the test program.
#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "grid/core/GXGridWnd.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/gfx/SysColors.h"
#include "platform/testing/Automation.h"
#include "platform/window/WindowImpl.h"
#include "support/SdlDisplay.h"
#include "support/XServerTest.h"

namespace {

using sdl_display::PixelOf;
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

class GridDisplay : public sdl_display::XServerTest<false> {};

TEST_F(GridDisplay, AGridInADialogTemplateShowsOnTheDisplay) {
  GXInitLibrary();
  {
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7310
  caption "Dues"
  rect 0 0 230 120
  control CGXGridWnd 1761 "" 7 7 216 106 WS_VSCROLL | WS_BORDER | WS_TABSTOP
end
)", "grid", &error)) << error;
    CDialog dialog(7310);
    ASSERT_TRUE(dialog.Create(7310));
    dialog.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    auto* grid = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, 1761)));
    ASSERT_NE(grid, nullptr);
    grid->Initialize();
    grid->SetRowCount(40);
    grid->SetColCount(3);
    grid->SetColWidth(1, 3, 100, nullptr, 0);
    grid->SetValueRange(CGXRange(1, 1), "Dues", 0, 0);
    grid->SetValueRange(CGXRange(1, 2), "12.50", 0, 0);
    grid->ApplyStyle(CGXRange(2, 1, 2, 3), CGXStyle().SetInteriorColor(RGB(255, 255, 0)), 0, 0);
    dialog.ShowWindow(SW_SHOW);
    PumpFor(400);

    SDL_Window* win = sdl->Window(wnd::Get(dialog.m_hWnd)->native);
    ASSERT_NE(win, nullptr);
    SDL_Surface* shown = SDL_GetWindowSurface(win);
    ASSERT_NE(shown, nullptr);
    // Where the grid's cells lie in the dialog's window.
    RECT dialogRect;
    ::GetWindowRect(dialog.m_hWnd, &dialogRect);
    auto onScreen = [&](CPoint client) {
      grid->ClientToScreen(&client);
      return CPoint(client.x - dialogRect.left, client.y - dialogRect.top);
    };
    const CPoint yellow = onScreen(grid->CalcCellRect(2, 2).CenterPoint());
    const CRect header = grid->CalcCellRect(0, 3);
    const CPoint headerPoint = onScreen(CPoint(header.left + 3, header.top + 3));
    EXPECT_EQ(PixelOf(shown, yellow.x, yellow.y), RGB(255, 255, 0));
    EXPECT_EQ(PixelOf(shown, headerPoint.x, headerPoint.y), GetSysColor(COLOR_BTNFACE));
    // The bar appeared, since 40 rows do not fit.
    EXPECT_TRUE(grid->GetStyle() & WS_VSCROLL);

    // Kept for a person to look at; never in the source tree.
    const std::string shot = ::testing::TempDir() + "grid-dialog-screen.png";
    EXPECT_TRUE(WritePng(shown, shot)) << shot;
    dialog.DestroyWindow();
  }
}

}  // namespace
