// The mouse through the SDL2 host on a real X server with no window manager
// (skipped where Xvfb or xdotool is missing), as xdotool moves and clicks
// it: a click on a dialog's check box and button acts also when the dialog
// has just been shown or the click also gives it the keyboard, and a
// submenu follows the pointer and takes the click on its item, also while
// the program is slow to read the X server's news.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/menus/Menu.h"
#include "platform/testing/Automation.h"
#include "platform/window/WindowImpl.h"
#include "support/SdlDisplay.h"
#include "support/XServerTest.h"
#include "support/XdoTool.h"

namespace {

using sdl_display::PumpFor;

// The menu pop-ups shown.
std::vector<HWND> MenuPopups() {
  std::vector<HWND> found;
  EnumWindows(
      [](HWND h, LPARAM out) {
        char name[32] = "";
        GetClassName(h, name, sizeof name);
        if (std::string(name) == "#32768" && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The screen point of the middle of item `index` of a pop-up of two items.
POINT ItemOf(HWND popup, int index) {
  RECT r;
  GetWindowRect(popup, &r);
  int item = (r.bottom - r.top - 6) / 2;
  return POINT{(r.left + r.right) / 2, r.top + 3 + item * index + item / 2};
}

std::vector<UINT>& commands() {
  static std::vector<UINT> seen;
  return seen;
}

// The user's hand on the menus, driven from inside the menu loop: each
// pop-up that opens posts the next step, taken before the loop reads any
// more of the X server's news.
struct MenuWalk {
  std::string tool;
  HMENU reports = nullptr, ledger = nullptr;
  HWND first = nullptr;            // the pop-up of the menu bar's item
  bool busy = false;               // the click on the item is sent while the program does not read
  std::vector<UINT> hovered;       // items shown selected
  std::vector<pid_t> running;      // xdotool runs to wait for
};
MenuWalk walk;

LRESULT FrameProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_COMMAND: commands().push_back(LOWORD(w)); break;
    case WM_MENUSELECT:
      if (HIWORD(w) & MF_HILITE) walk.hovered.push_back(LOWORD(w));
      break;
    case WM_INITMENUPOPUP:
      if (reinterpret_cast<HMENU>(w) == walk.reports) PostMessage(h, WM_APP + 1, 0, 0);
      if (reinterpret_cast<HMENU>(w) == walk.ledger) PostMessage(h, WM_APP + 2, 0, 0);
      break;
    case WM_APP + 1: {  // onto the item that opens the submenu
      walk.first = MenuPopups().at(0);
      POINT p = ItemOf(walk.first, 0);
      walk.running.push_back(xdotool::Spawn({walk.tool, "mousemove", std::to_string(p.x), std::to_string(p.y)}));
      return 0;
    }
    case WM_APP + 2: {  // into the submenu and onto its second item, then the click
      std::vector<HWND> popups = MenuPopups();
      POINT p = ItemOf(popups.at(0) == walk.first ? popups.at(1) : popups.at(0), 1);
      const std::string x = std::to_string(p.x), y = std::to_string(p.y);
      if (walk.busy) xdotool::RunWhileBusy({walk.tool, "mousemove", x, y, "click", "1"});
      else walk.running.push_back(xdotool::Spawn({walk.tool, "sleep", "0.2", "mousemove", x, y, "sleep", "0.3", "click", "1"}));
      // Whatever went wrong, the menu is left in the end.
      walk.running.push_back(xdotool::Spawn({walk.tool, "sleep", "2", "key", "Escape", "Escape", "Escape"}));
      return 0;
    }
    default: break;
  }
  return DefWindowProc(h, m, w, l);
}

class ClickDialog : public CDialog {
 public:
  ClickDialog() : CDialog(7310) {}
  int presses = 0;
  void OnPress() { ++presses; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ClickDialog, CDialog)
  ON_BN_CLICKED(102, OnPress)
END_MESSAGE_MAP()

// The screen point at the middle of a window.
POINT MiddleOf(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<std::string> MoveAndClick(const std::string& tool, POINT p) {
  return {tool, "mousemove", std::to_string(p.x), std::to_string(p.y), "click", "1"};
}

class SdlMouse : public sdl_display::XServerTest<true> {
 protected:
  void SetUp() override {
    XServerTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    WNDCLASS wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SdlMouseFrame";
    RegisterClass(&wc);
    frame_ = CreateWindowEx(0, "SdlMouseFrame", "Mouse", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0,
                            700, 500, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame_, nullptr);
    PumpFor(300);
  }
  void TearDown() override {
    if (frame_) DestroyWindow(frame_);
    UnregisterClass("SdlMouseFrame", nullptr);
    XServerTest::TearDown();
  }

  HWND frame_ = nullptr;
};

TEST_F(SdlMouse, DialogClicksAct) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7310
  caption "Clicks"
  rect 0 0 160 60
  control Button 101 "&Show tips" 10 10 80 12 BS_AUTOCHECKBOX | WS_TABSTOP
  control Button 102 "&Next" 100 36 50 14 WS_TABSTOP
end
)", "sdlmouse", &error)) << error;
  ClickDialog d;
  ASSERT_TRUE(d.Create(7310, CWnd::FromHandle(frame_)));
  d.SetWindowPos(nullptr, 310, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HWND check = ::GetDlgItem(d.m_hWnd, 101), button = ::GetDlgItem(d.m_hWnd, 102);

  // Clicked at once as it shows, before the program read that it has the
  // keyboard.
  d.ShowWindow(SW_SHOW);
  ASSERT_EQ(xdotool::RunWhileBusy(MoveAndClick(xdo, MiddleOf(check))), 0);
  PumpFor(800);
  EXPECT_EQ(::SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED) << "click on a dialog just shown";

  // The keyboard went elsewhere (a click on the owner); the next click on
  // the dialog both brings the keyboard back and presses the button.
  ASSERT_EQ(xdotool::RunWhilePumping(MoveAndClick(xdo, POINT{600, 420})), 0);
  ASSERT_EQ(xdotool::RunWhilePumping(MoveAndClick(xdo, MiddleOf(button))), 0);
  EXPECT_EQ(d.presses, 1) << "click on a dialog without the keyboard";
  ASSERT_EQ(xdotool::RunWhileBusy(MoveAndClick(xdo, POINT{600, 420})), 0);
  ASSERT_EQ(xdotool::RunWhileBusy(MoveAndClick(xdo, MiddleOf(button))), 0);
  PumpFor(800);
  EXPECT_EQ(d.presses, 2) << "the same, read late";
  d.DestroyWindow();
}

}  // namespace

TEST_F(SdlMouse, SubmenuFollowsThePointerAndTakesTheClick) {
  HMENU bar = CreateMenu();
  walk.reports = CreatePopupMenu();
  walk.ledger = CreatePopupMenu();
  walk.tool = xdo;
  AppendMenu(walk.ledger, MF_STRING, 7, "&Statement");
  AppendMenu(walk.ledger, MF_STRING, 8, "&Detail");
  AppendMenu(walk.reports, MF_POPUP, reinterpret_cast<UINT_PTR>(walk.ledger), "&Ledger");
  AppendMenu(walk.reports, MF_STRING, 9, "&Roster");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(walk.reports), "&Reports");
  ASSERT_TRUE(SetMenu(frame_, bar));
  RECT fr;
  GetWindowRect(frame_, &fr);
  const POINT menuBarItem{fr.left + 20, fr.top + 3 + 19 + 9};

  // The program keeping up; then acting ahead of a slow program: the click
  // on the item sent before the program read that the submenu has the
  // keyboard.
  for (bool busy : {false, true}) {
    SCOPED_TRACE(busy ? "read late" : "kept up");
    commands().clear();
    walk.hovered.clear();
    walk.busy = busy;
    ASSERT_EQ(xdotool::RunWhilePumping(MoveAndClick(xdo, menuBarItem)), 0);
    for (pid_t pid : walk.running) waitpid(pid, nullptr, 0);
    walk.running.clear();
    PumpFor(300);
    EXPECT_EQ(commands(), std::vector<UINT>{8});
    if (!busy) {
      EXPECT_NE(std::find(walk.hovered.begin(), walk.hovered.end(), 8u), walk.hovered.end()) << "hover";
    }
  }
}
