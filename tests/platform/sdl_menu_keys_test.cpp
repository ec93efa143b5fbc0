// Menu keys through the SDL2 host on a real X server (skipped where Xvfb or
// xdotool is missing): the keyboard focus moving to a menu's pop-up while
// Alt is still held does not make the layer see Alt let go and pressed
// again, which would leave the menu and select the menu bar instead.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/menus/Menu.h"
#include "platform/testing/Automation.h"
#include "platform/window/WindowImpl.h"
#include "support/SdlDisplay.h"
#include "support/XServerTest.h"
#include "support/XdoTool.h"

namespace {

using sdl_display::PumpFor;

std::vector<UINT>& commands() {
  static std::vector<UINT> seen;
  return seen;
}

LRESULT MenuFrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) commands().push_back(LOWORD(w));
  return DefWindowProc(h, m, w, l);
}

}  // namespace

class SdlMenuKeys : public sdl_display::XServerTest<true> {};

TEST_F(SdlMenuKeys, AltHeldWhileTheMenuOpensKeepsItOpen) {
  WNDCLASS wc{};
  wc.lpfnWndProc = MenuFrameProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "SdlMenuKeysFrame";
  RegisterClass(&wc);
  HWND frame = CreateWindowEx(0, "SdlMenuKeysFrame", "Menus", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                              60, 60, 400, 250, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(frame, nullptr);
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenu(file, MF_STRING, 1, "E&xit");
  HMENU help = CreatePopupMenu();
  AppendMenu(help, MF_STRING, 2, "&About");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  ASSERT_TRUE(SetMenu(frame, bar));
  SDL_Window* win = sdl->Window(wnd::Get(frame)->native);
  ASSERT_NE(win, nullptr);
  SDL_SetWindowInputFocus(win);
  PumpFor(1500, [&] { return (SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS) != 0; });
  ASSERT_TRUE(SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS);

  // As a person types it: Alt is let go only after the pop-up is shown.
  // Enter then chooses the Help menu's item; the Escapes end whatever
  // menu mode a fault left behind.
  commands().clear();
  ASSERT_EQ(xdotool::RunWhilePumping({xdo, "keydown", "alt", "sleep", "0.3", "key", "h", "sleep", "0.6", "keyup",
                                      "alt", "sleep", "0.3", "key", "Return", "sleep", "0.3", "key", "Escape",
                                      "sleep", "0.2", "key", "Escape"}),
            0);
  EXPECT_EQ(commands(), std::vector<UINT>{2});
  EXPECT_EQ(automation::FindByClass("#32768"), nullptr);

  DestroyWindow(frame);
  UnregisterClass("SdlMenuKeysFrame", nullptr);
}
