// The account register shown through the SDL2 host on an X server of the
// test's own (skipped where there is no Xvfb), with the support account's
// list dropped from the keyboard: the list lies under its cell on the
// display, the keyboard comes back to the register when the list closes,
// and one screen shot of the register with its list is written beside the
// test program for a person to look at.
#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXGridCombo.h"
#include "platform/host/sdl/SdlHost.h"
#include "platform/testing/Automation.h"
#include "platform/window/WindowImpl.h"
#include "registers/TransGDlg.h"
#include "registers/TransGrid.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/Xfer.h"
#include "support/SdlDisplay.h"
#include "support/XServerTest.h"

namespace {

using sdl_display::PumpFor;

// Paints what a top-level window shows into `cr` at its place relative to
// `origin` (screen coordinates).
bool PaintWindow(cairo_t* cr, platform::SdlHost* sdl, HWND hwnd, POINT origin) {
  SDL_Window* win = sdl->Window(wnd::Get(hwnd)->native);
  SDL_Surface* shown = win != nullptr ? SDL_GetWindowSurface(win) : nullptr;
  SDL_Surface* argb = shown != nullptr ? SDL_ConvertSurfaceFormat(shown, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
  if (argb == nullptr) return false;
  cairo_surface_t* image = cairo_image_surface_create_for_data(static_cast<unsigned char*>(argb->pixels),
                                                               CAIRO_FORMAT_RGB24, argb->w, argb->h, argb->pitch);
  RECT r;
  ::GetWindowRect(hwnd, &r);
  cairo_set_source_surface(cr, image, r.left - origin.x, r.top - origin.y);
  cairo_paint(cr);
  cairo_surface_destroy(image);
  SDL_FreeSurface(argb);
  return true;
}

class RegisterDisplay : public sdl_display::XServerTest<false> {};

TEST_F(RegisterDisplay, TheRegisterWithADroppedListOnTheDisplay) {
  fixture::FiscalYear fy;
  ResetXferDefaults();
  GXInitLibrary(new CGXControlFactory);
  {
    CTransGDlg dialog;
    dialog.m_account = fixture::FiscalYear::Account(101);
    ASSERT_TRUE(dialog.Create(IDD_TRANSGRID));
    dialog.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.ShowWindow(SW_SHOW);
    PumpFor(300);
    CTransGrid& grid = dialog.Grid();
    grid.SetFocus();
    grid.SetCurrentCell(3, kColSupport);
    PumpFor(200);
    CGXControl* support = grid.GetCurrentCellControl();
    ASSERT_NE(support, nullptr);
    SDL_Window* dialogWindow = sdl->Window(wnd::Get(dialog.m_hWnd)->native);
    ASSERT_EQ(SDL_GetKeyboardFocus(), dialogWindow) << "the register has the keyboard";
    support->SysKeyDown(VK_DOWN, 1, 0);  // Alt+Down
    PumpFor(400);
    HWND list = automation::FindByClass(GXGetPopupWndClassName());
    ASSERT_NE(list, nullptr) << "the list did not drop";
    EXPECT_TRUE(::IsWindowVisible(list));
    // The list hangs under its cell.
    CRect cell = grid.CalcCellRect(3, kColSupport);
    grid.ClientToScreen(&cell);
    RECT listRect;
    ::GetWindowRect(list, &listRect);
    EXPECT_NEAR(listRect.top, cell.bottom, 2);
    EXPECT_NEAR(listRect.left, cell.left, 2);

    // One picture of the register and its list, as the display shows them.
    RECT dialogRect;
    ::GetWindowRect(dialog.m_hWnd, &dialogRect);
    const POINT origin{dialogRect.left, dialogRect.top};
    const int width = std::max(dialogRect.right, listRect.right) - origin.x;
    const int height = std::max(dialogRect.bottom, listRect.bottom) - origin.y;
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(picture);
    EXPECT_TRUE(PaintWindow(cr, sdl, dialog.m_hWnd, origin));
    EXPECT_TRUE(PaintWindow(cr, sdl, list, origin));
    cairo_destroy(cr);
    // Kept for a person to look at; never in the source tree.
    const std::string shot = ::testing::TempDir() + "register-dropped-list.png";
    EXPECT_EQ(cairo_surface_write_to_png(picture, shot.c_str()), CAIRO_STATUS_SUCCESS) << shot;
    cairo_surface_destroy(picture);
    // Closing the list gives the keyboard back to the register's window.
    if (auto* combo = dynamic_cast<CGXComboBox*>(support)) combo->ShowDropDown(FALSE);
    PumpFor(300, [&] { return SDL_GetKeyboardFocus() == dialogWindow; });
    EXPECT_EQ(SDL_GetKeyboardFocus(), dialogWindow);
    dialog.DestroyWindow();
  }
}

}  // namespace
