// The tabbed windows combo in a dialog's grid, used through the SDL2 host
// on an X server of the test's own (skipped without Xvfb or xdotool): the
// list dropped by the keyboard hangs under its title header on the real
// screen, and a row clicked there with the mouse stores its key. A screen
// shot of the dialog with the dropped list is written beside the test
// program.
#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXTabbedComboBox.h"
#include "grid/cells/GXTabbedComboBoxWnd.h"
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

HWND VisibleComboList() {
  HWND found = nullptr;
  EnumWindows(
      [](HWND hwnd, LPARAM out) -> BOOL {
        char name[32] = "";
        ::GetClassName(hwnd, name, sizeof name);
        if (CString(name).CompareNoCase(WC_COMBOLBOX) != 0 || !::IsWindowVisible(hwnd)) return TRUE;
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Paints the windows' shown surfaces where they lie on the screen.
bool WriteScreen(platform::SdlHost* sdl, std::initializer_list<HWND> windows, const std::string& path) {
  cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 480, 320);
  cairo_t* cr = cairo_create(screen);
  cairo_set_source_rgb(cr, 0.3, 0.4, 0.5);
  cairo_paint(cr);
  for (HWND hwnd : windows) {
    SDL_Window* win = sdl->Window(wnd::Get(hwnd)->native);
    SDL_Surface* shown = win != nullptr ? SDL_GetWindowSurface(win) : nullptr;
    if (shown == nullptr) continue;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(shown, SDL_PIXELFORMAT_ARGB8888, 0);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, argb->w, argb->h);
    cairo_surface_flush(image);
    for (int y = 0; y < argb->h; ++y)
      std::memcpy(cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image),
                  static_cast<const Uint8*>(argb->pixels) + y * argb->pitch, static_cast<size_t>(argb->w) * 4);
    cairo_surface_mark_dirty(image);
    RECT r;
    ::GetWindowRect(hwnd, &r);
    cairo_set_source_surface(cr, image, r.left, r.top);
    cairo_paint(cr);
    cairo_surface_destroy(image);
    SDL_FreeSurface(argb);
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(screen, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(screen);
  return ok;
}

class TabbedComboDisplay : public sdl_display::XServerTest<true> {};

TEST_F(TabbedComboDisplay, RowClickedInTheDroppedListOnTheDisplayStoresItsKey) {
  GXInitLibrary(new CGXControlFactory);
  {
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7312
  caption "Accounts"
  rect 0 0 200 100
  control CGXGridWnd 1763 "" 7 7 186 86 WS_VSCROLL | WS_BORDER | WS_TABSTOP
end
)", "tabbed", &error)) << error;
    CDialog dialog(7312);
    ASSERT_TRUE(dialog.Create(7312));
    dialog.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    auto* grid = dynamic_cast<CGXGridWnd*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog.m_hWnd, 1763)));
    ASSERT_NE(grid, nullptr);
    grid->Initialize();
    grid->SetRowCount(6);
    grid->SetColCount(1);
    grid->SetColWidth(1, 1, 120, nullptr, 0);
    grid->ApplyStyle(CGXRange().SetCols(1, 1),
                     CGXStyle()
                         .SetControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN)
                         .SetChoiceList("No.\tAccount\tKind\n1000\tCash Box\tAsset\n1010\tCash\tAsset\n"
                                        "4000\tDues\tIncome")
                         .SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "0")
                         .SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1")
                         .SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1"),
                     0, 0);
    grid->SetValueRange(CGXRange(1, 1), "1000", 0, 0);
    dialog.ShowWindow(SW_SHOW);
    grid->SetFocus();
    grid->SetCurrentCell(1, 1);
    PumpFor(400);

    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "key", "--delay", "20", "alt+Down"}), 0);
    PumpFor(300);
    const HWND list = VisibleComboList();
    ASSERT_NE(list, nullptr);
    auto* combo = static_cast<CGXTabbedComboBoxWnd*>(grid->GetRegisteredControl(GX_IDS_CTRL_CBS_TABBED_DROPDOWN));
    const HWND header = combo->m_pHeader->GetSafeHwnd();
    ASSERT_TRUE(header != nullptr && ::IsWindowVisible(header));
    RECT field, top, rows;
    ::GetWindowRect(combo->m_hWnd, &field);
    ::GetWindowRect(header, &top);
    ::GetWindowRect(list, &rows);
    EXPECT_EQ(top.top, field.bottom);
    EXPECT_EQ(rows.top, top.bottom);
    EXPECT_TRUE(WriteScreen(sdl, {dialog.m_hWnd, header, list}, ::testing::TempDir() + "tabbed-combo-screen.png"));

    // The third row (Dues), clicked on the screen.
    RECT item;
    ::SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &at);
    ASSERT_EQ(xdotool::RunWhilePumping(
                  {xdo, "mousemove", std::to_string(at.x), std::to_string(at.y), "sleep", "0.2", "click", "1"}),
              0);
    PumpFor(300);
    EXPECT_FALSE(::IsWindowVisible(list));
    EXPECT_FALSE(::IsWindowVisible(header));
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "key", "--delay", "20", "Down"}), 0);
    PumpFor(300);
    EXPECT_EQ(std::string(grid->GetCellValue(1, 1)), "4000");

    // One click on the button of the current cell, not yet being edited,
    // drops its list.
    ASSERT_TRUE(grid->IsCurrentCell(2, 1));
    ASSERT_FALSE(combo->IsActive());
    const CRect button = combo->m_pButton->GetRect();
    POINT press = button.CenterPoint();
    ::ClientToScreen(grid->m_hWnd, &press);
    ASSERT_EQ(xdotool::RunWhilePumping({xdo, "mousemove", std::to_string(press.x), std::to_string(press.y), "sleep",
                                        "0.2", "click", "1"}),
              0);
    PumpFor(400);
    EXPECT_TRUE(combo->IsActive());
    EXPECT_NE(VisibleComboList(), nullptr);
    dialog.DestroyWindow();
  }
}

}  // namespace
