// The SDL2 host on a real X server (Xvfb, skipped where there is none): a
// dialog becomes a real window showing the layer's pixels, and a mouse
// click delivered by SDL presses its button; a common dialog answers keys.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "dlg_support.h"
#include "platform/commdlg/FindReplaceDialog.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/WindowImpl.h"
#include "support/SdlDisplay.h"
#include "support/XServerTest.h"

namespace {

using sdl_display::PixelOf;
using sdl_display::PumpFor;

class ClickDialog : public CDialog {
 public:
  ClickDialog() : CDialog(7200) {}
  int clicks = 0;
  void OnPress() { ++clicks; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ClickDialog, CDialog)
  ON_BN_CLICKED(101, OnPress)
END_MESSAGE_MAP()

class SizableDialog : public CDialog {
 public:
  SIZE lastSize{0, 0};

 protected:
  void OnGetMinMaxInfo(MINMAXINFO* mmi) override { mmi->ptMinTrackSize = POINT{300, 150}; }
  void OnSize(UINT type, int cx, int cy) override {
    CDialog::OnSize(type, cx, cy);
    lastSize = SIZE{cx, cy};
  }
};

// Counts the find dialog's requests to find the next.
class FindOwner : public CWnd {
 public:
  int findNext = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == RegisterWindowMessage(FINDMSGSTRING)) {
      if (CFindReplaceDialog* dlg = CFindReplaceDialog::GetNotifier(lParam); dlg && dlg->FindNext()) ++findNext;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A key pressed and released on a window, as SDL delivers it from the X server.
void pushKey(Uint32 windowId, SDL_Scancode scancode, SDL_Keycode sym) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = windowId;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = sym;
  e.key.state = SDL_PRESSED;
  SDL_PushEvent(&e);
  e.type = SDL_KEYUP;
  e.key.state = SDL_RELEASED;
  SDL_PushEvent(&e);
}

class SdlHost : public sdl_display::XServerTest<false> {};

TEST_F(SdlHost, RealWindowsAnswerClicksKeysAndResizing) {
  {
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7200
  caption "On the display"
  rect 0 0 140 50
  control Button 101 "&Press" 45 18 50 14 WS_TABSTOP
end
)", "sdl", &error)) << error;
    ClickDialog d;
    ASSERT_TRUE(d.Create(7200));
    d.SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    d.ShowWindow(SW_SHOW);
    PumpFor(300);
    SDL_Window* win = sdl->Window(wnd::Get(d.m_hWnd)->native);
    ASSERT_NE(win, nullptr);
    EXPECT_TRUE(SDL_GetWindowFlags(win) & SDL_WINDOW_SHOWN);

    // The window shows the layer's pixels: the caption bar's colour.
    SDL_Surface* shown = SDL_GetWindowSurface(win);
    ASSERT_NE(shown, nullptr);
    COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(PixelOf(shown, 10, 10), caption);

    // A click on the button, as SDL delivers it from the X server.
    RECT wr, br;
    GetWindowRect(d.m_hWnd, &wr);
    GetWindowRect(::GetDlgItem(d.m_hWnd, 101), &br);
    int x = (br.left + br.right) / 2 - wr.left, y = (br.top + br.bottom) / 2 - wr.top;
    Uint32 id = SDL_GetWindowID(win);
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = id;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      e = SDL_Event{};
      e.type = type;
      e.button.windowID = id;
      e.button.button = SDL_BUTTON_LEFT;
      e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
      e.button.clicks = 1;
      e.button.x = x;
      e.button.y = y;
      SDL_PushEvent(&e);
    }
    PumpFor(2000, [&] { return d.clicks > 0; });
    EXPECT_EQ(d.clicks, 1);

    // Keys too: the access key through the dialog manager.
    pushKey(id, SDL_SCANCODE_P, SDLK_p);
    PumpFor(2000, [&] { return d.clicks > 1; });
    EXPECT_EQ(d.clicks, 2);
    d.DestroyWindow();
  }
  {
    // A resizable dialog keeps the minimum size it asks for while the user
    // drags its frame, and hears of every new size.
    std::string error;
    ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7201
  caption "Sizable"
  rect 0 0 140 50
  style WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME
end
)", "sdl", &error)) << error;
    SizableDialog d;
    ASSERT_TRUE(d.Create(7201));
    d.ShowWindow(SW_SHOW);
    PumpFor(200);
    SDL_Window* win = sdl->Window(wnd::Get(d.m_hWnd)->native);
    ASSERT_NE(win, nullptr);
    SDL_SetWindowSize(win, 100, 60);  // as a drag to below the minimum would
    PumpFor(1000, [&] { return d.lastSize.cx == 300 - 2 * GetSystemMetrics(SM_CXFRAME); });
    int w = 0, h = 0;
    SDL_GetWindowSize(win, &w, &h);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 150);
    RECT wr;
    GetWindowRect(d.m_hWnd, &wr);
    EXPECT_EQ(wr.right - wr.left, 300);
    EXPECT_EQ(d.lastSize.cx, 300 - 2 * GetSystemMetrics(SM_CXFRAME));
    d.DestroyWindow();
  }
  {
    // Without a window manager, the keyboard focus goes back to the owner
    // when an owned window closes, instead of to nowhere.
    ClickDialog owner;
    ASSERT_TRUE(owner.Create(7200));
    owner.ShowWindow(SW_SHOW);
    PumpFor(200);
    SDL_Window* ownerWin = sdl->Window(wnd::Get(owner.m_hWnd)->native);
    ClickDialog owned;
    ASSERT_TRUE(owned.Create(7200, &owner));
    owned.ShowWindow(SW_SHOW);
    PumpFor(200);
    SDL_Window* ownedWin = sdl->Window(wnd::Get(owned.m_hWnd)->native);
    ASSERT_NE(ownedWin, nullptr);
    SDL_SetWindowInputFocus(ownedWin);
    PumpFor(1000, [&] { return (SDL_GetWindowFlags(ownedWin) & SDL_WINDOW_INPUT_FOCUS) != 0; });
    ASSERT_TRUE(SDL_GetWindowFlags(ownedWin) & SDL_WINDOW_INPUT_FOCUS);
    owned.DestroyWindow();
    PumpFor(1000, [&] { return (SDL_GetWindowFlags(ownerWin) & SDL_WINDOW_INPUT_FOCUS) != 0; });
    EXPECT_TRUE(SDL_GetWindowFlags(ownerWin) & SDL_WINDOW_INPUT_FOCUS);
    owner.DestroyWindow();
  }
  {
    // A common dialog on the display: Enter in the find dialog, as SDL
    // delivers it, tells the owner to find the next.
    FindOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
    auto* find = new CFindReplaceDialog;
    ASSERT_TRUE(find->Create(TRUE, "Dues", nullptr, FR_DOWN, &owner));
    SDL_Window* win = sdl->Window(wnd::Get(find->m_hWnd)->native);
    ASSERT_NE(win, nullptr);
    // The X server's focus events come late on a loaded machine: let it
    // settle on the find dialog first, so that no late focus-in of the
    // owner takes the activation back after the focus is set below.
    PumpFor(300);
    SDL_SetWindowInputFocus(win);
    PumpFor(2000, [&] { return (SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS) != 0; });
    PumpFor(200);
    SetActiveWindow(find->m_hWnd);
    SetFocus(GetDlgItem(find->m_hWnd, edt1));
    PumpFor(100);
    ASSERT_EQ(GetFocus(), GetDlgItem(find->m_hWnd, edt1));
    pushKey(SDL_GetWindowID(win), SDL_SCANCODE_RETURN, SDLK_RETURN);
    PumpFor(2000, [&] { return owner.findNext > 0; });
    EXPECT_EQ(owner.findNext, 1);
    find->DestroyWindow();
    owner.DestroyWindow();
  }
}

}  // namespace

namespace {

// A window's move reported by the X server, as SDL delivers it.
void pushMoved(Uint32 windowId, int x, int y) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_MOVED;
  e.window.windowID = windowId;
  e.window.data1 = x;
  e.window.data2 = y;
  SDL_PushEvent(&e);
}

// X reports the places a window passed through late, on a loaded machine
// after the program has placed it again: a window placed twice quickly
// stays where it was placed last, while a move the program never asked
// for (the user's, through the window manager) is still followed.
TEST_F(SdlHost, AWindowMovedTwiceQuicklyStaysAtItsLastPlace) {
  CWnd w;
  ASSERT_TRUE(w.CreateEx(0, nullptr, "Moved", WS_POPUP | WS_VISIBLE, 40, 40, 120, 80, nullptr, nullptr));
  PumpFor(300);
  SDL_Window* win = sdl->Window(wnd::Get(w.m_hWnd)->native);
  ASSERT_NE(win, nullptr);
  const Uint32 id = SDL_GetWindowID(win);
  auto placedAt = [&](int x, int y) {
    RECT r;
    GetWindowRect(w.m_hWnd, &r);
    int sx = 0, sy = 0;
    SDL_GetWindowPosition(win, &sx, &sy);
    return r.left == x && r.top == y && sx == x && sy == y;
  };
  const POINT places[] = {{60, 300}, {400, 90}, {220, 180}};
  for (const POINT& p : places) w.SetWindowPos(nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpFor(300);
  pushMoved(id, 60, 300);  // the late reports of the places replaced
  pushMoved(id, 400, 90);
  PumpFor(500);
  EXPECT_TRUE(placedAt(220, 180));
  pushMoved(id, 500, 20);  // dragged by the user
  PumpFor(500, [&] { return placedAt(500, 20); });
  EXPECT_TRUE(placedAt(500, 20));
  w.DestroyWindow();
}

}  // namespace
