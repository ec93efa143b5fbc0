// Typing through the SDL2 host on a real X server, as xdotool types at 500
// keys a second: every key press gives exactly one character, in the order the X
// server sent them, and a Tab between letters moves on without losing a
// letter to the field before it. Skipped where Xvfb or xdotool is missing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/testing/Automation.h"
#include "platform/window/WindowImpl.h"
#include "support/SdlDisplay.h"
#include "support/XServerTest.h"
#include "support/XdoTool.h"

namespace {

using sdl_display::PumpFor;
using xdotool::RunWhilePumping;

// 200 characters of mixed case, spaces and digits in three fields.
std::vector<std::string> ThreeTexts() {
  const std::string words[] = {"Summer", "Camp", "at", "Lake", "Owasso", "Troop", "123", "Paid", "DUES", "for",
                               "Fall",   "QUIZ", "xYz", "Jamboree", "7", "Eagle", "Court", "Honor"};
  std::vector<std::string> out(3);
  size_t total = 0, w = 0;
  for (int field = 0; total < 198; field = (field + 1) % 3) {
    std::string& t = out[field];
    const std::string& word = words[w++ % std::size(words)];
    std::string piece = t.empty() ? word : " " + word;
    if (total + piece.size() > 198) piece = piece.substr(0, 198 - total);
    t += piece;
    total += piece.size();
  }
  return out;
}

}  // namespace

class SdlTyping : public sdl_display::XServerTest<true> {};

TEST_F(SdlTyping, FastTypingKeepsEveryCharacterInItsField) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7300
  caption "Three fields"
  rect 0 0 220 80
  control Edit 101 "" 10 8 200 12 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
  control Edit 102 "" 10 26 200 12 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
  control Edit 103 "" 10 44 200 12 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
end
)", "sdltyping", &error)) << error;
  CDialog d(7300);
  ASSERT_TRUE(d.Create(7300));
  d.SetWindowPos(nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  d.ShowWindow(SW_SHOW);
  SDL_Window* win = sdl->Window(wnd::Get(d.m_hWnd)->native);
  ASSERT_NE(win, nullptr);
  SDL_SetWindowInputFocus(win);
  PumpFor(1500, [&] { return (SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS) != 0; });
  ASSERT_TRUE(SDL_GetWindowFlags(win) & SDL_WINDOW_INPUT_FOCUS);
  ::SetFocus(::GetDlgItem(d.m_hWnd, 101));

  const std::vector<std::string> texts = ThreeTexts();
  const std::string typed = texts[0] + "\t" + texts[1] + "\t" + texts[2];
  ASSERT_EQ(typed.size(), 200u);
  // Two milliseconds a key, far beyond any typist: with no pause at all the
  // X client library now and then loses a Shift release between two
  // synthetic presses on a loaded machine, and the Tab after it goes back.
  ASSERT_EQ(RunWhilePumping({xdo, "type", "--delay", "2", typed}), 0);

  for (int i = 0; i < 3; ++i) {
    char buf[512] = "";
    ::GetWindowText(::GetDlgItem(d.m_hWnd, 101 + i), buf, sizeof buf);
    EXPECT_EQ(std::string(buf), texts[static_cast<size_t>(i)]) << "field " << i + 1;
  }
  d.DestroyWindow();
}
