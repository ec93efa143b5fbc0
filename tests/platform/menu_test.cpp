// Menus: building and item states, menu resources, accelerators, pop-up
// tracking by keys, mouse and the responder, the menu bar, command-UI.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/Automation.h"
#include "platform/framework/CWnd.h"
#include "platform/menus/Menu.h"
#include "platform_support.h"
#include "res/resource.h"

namespace {

struct Seen {
  std::vector<UINT> commands;
  std::vector<HMENU> popups;
  POINT clickInPopup{-1, -1};  // clicked once the pop-up is open
};
Seen& seen() {
  static Seen s;
  return s;
}

LRESULT OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) seen().commands.push_back(LOWORD(w));
  if (m == WM_INITMENUPOPUP) {
    seen().popups.push_back(reinterpret_cast<HMENU>(w));
    if (seen().clickInPopup.x >= 0) PostMessage(h, WM_USER + 1, 0, 0);  // the pop-up exists when it arrives
  }
  if (m == WM_USER + 1) {
    automation::Click(automation::FindByClass("#32768"), seen().clickInPopup);
    seen().clickInPopup = POINT{-1, -1};
  }
  return DefWindowProc(h, m, w, l);
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    seen() = Seen{};
    platformtest::registerClassOnce("MenuTestOwner", OwnerProc, COLOR_WINDOW);
    owner = CreateWindowEx(0, "MenuTestOwner", "Owner", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 50, 50, 400, 300,
                           nullptr, nullptr, nullptr, nullptr);
    SetFocus(owner);
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    for (HMENU m : made) DestroyMenu(m);
    automation::ResetWindows();
  }
  // File-like pop-up: New(1) Open(2) ---- Grayed(3, grayed) Recent(> Last(5)) Exit(4)
  HMENU sample() {
    HMENU recent = CreatePopupMenu();
    AppendMenu(recent, MF_STRING, 5, "&Last");
    HMENU m = CreatePopupMenu();
    AppendMenu(m, MF_STRING, 1, "&New");
    AppendMenu(m, MF_STRING | MF_CHECKED, 2, "&Open...\tCtrl+O");
    AppendMenu(m, MF_SEPARATOR, 0, nullptr);
    AppendMenu(m, MF_STRING | MF_GRAYED, 3, "&Grayed");
    AppendMenu(m, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "&Recent");
    AppendMenu(m, MF_STRING, 4, "E&xit");
    made.push_back(m);
    return m;
  }
  HWND owner = nullptr;
  std::vector<HMENU> made;
};

TEST_F(MenuTest, ItemsAndTheirStates) {
  HMENU m = sample();
  EXPECT_EQ(GetMenuItemCount(m), 6);
  EXPECT_EQ(GetMenuItemID(m, 0), 1u);
  EXPECT_EQ(GetMenuItemID(m, 2), 0u);                     // separator
  EXPECT_EQ(GetMenuItemID(m, 4), static_cast<UINT>(-1));  // pop-up
  EXPECT_EQ(GetMenuState(m, 2, MF_BYCOMMAND), MF_CHECKED);
  EXPECT_EQ(GetMenuState(m, 3, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(GetMenuState(m, 4, MF_BYPOSITION), MF_POPUP | (1u << 8));
  EXPECT_EQ(GetMenuState(m, 99, MF_BYCOMMAND), static_cast<UINT>(-1));
  // Commands are found in pop-ups too.
  EXPECT_EQ(CheckMenuItem(m, 5, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(GetMenuState(GetSubMenu(m, 4), 0, MF_BYPOSITION), MF_CHECKED);
  EXPECT_EQ(CheckMenuItem(m, 2, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(EnableMenuItem(m, 3, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(m, 1, MF_BYPOSITION | MF_DISABLED | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(m, 99, MF_BYCOMMAND), static_cast<UINT>(-1));
  char buf[32];
  EXPECT_EQ(GetMenuString(m, 2, buf, sizeof buf, MF_BYCOMMAND), 15);
  EXPECT_STREQ(buf, "&Open...\tCtrl+O");
  EXPECT_EQ(GetMenuString(m, 1, buf, 4, MF_BYPOSITION), 3);  // cut to the buffer
  EXPECT_STREQ(buf, "&Op");
  EXPECT_TRUE(CheckMenuRadioItem(m, 1, 2, 2, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(m, 1, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(MenuTest, InsertModifyDeleteAndRemove) {
  HMENU m = sample();
  EXPECT_TRUE(InsertMenu(m, 0, MF_BYPOSITION | MF_STRING, 10, "First"));
  EXPECT_TRUE(InsertMenu(m, 4, MF_BYCOMMAND | MF_STRING, 11, "Before Exit"));  // in front of command 4
  EXPECT_EQ(GetMenuItemID(m, 0), 10u);
  EXPECT_EQ(GetMenuItemID(m, 6), 11u);
  EXPECT_EQ(GetMenuItemID(m, 7), 4u);
  // By command: new text and id; by position: a new state.
  EXPECT_TRUE(ModifyMenu(m, 4, MF_BYCOMMAND | MF_STRING, 12, "Quit"));
  EXPECT_EQ(GetMenuItemID(m, 7), 12u);
  EXPECT_TRUE(ModifyMenu(m, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 10, "First (off)"));
  EXPECT_EQ(GetMenuState(m, 10, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_FALSE(ModifyMenu(m, 99, MF_BYCOMMAND, 1, "x"));
  // A pop-up replaced by an item goes with it.
  HMENU recent = GetSubMenu(m, 5);
  ASSERT_TRUE(IsMenu(recent));
  EXPECT_TRUE(ModifyMenu(m, 5, MF_BYPOSITION | MF_STRING, 13, "No more recent"));
  EXPECT_FALSE(IsMenu(recent));
  // RemoveMenu keeps a pop-up's menu, DeleteMenu destroys it.
  HMENU sub = CreatePopupMenu();
  AppendMenu(m, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
  int last = GetMenuItemCount(m) - 1;
  EXPECT_TRUE(RemoveMenu(m, static_cast<UINT>(last), MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(sub));
  AppendMenu(m, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
  EXPECT_TRUE(DeleteMenu(m, static_cast<UINT>(last), MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_TRUE(DeleteMenu(m, 1, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuState(m, 1, MF_BYCOMMAND), static_cast<UINT>(-1));
  // The CMenu wrapper of a handle is the same object each time.
  EXPECT_EQ(CMenu::FromHandle(m), CMenu::FromHandle(m));
}

TEST_F(MenuTest, MenusAndAcceleratorsFromResources) {
  CMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_GALLERY));
  ASSERT_EQ(bar.GetMenuItemCount(), 2u);
  CString text;
  bar.GetMenuString(0, text, MF_BYPOSITION);
  EXPECT_STREQ(static_cast<LPCTSTR>(text), "&File");
  CMenu* file = bar.GetSubMenu(0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->GetMenuItemID(2), static_cast<UINT>(ID_GAL_FILE_EXIT));
  file->GetMenuString(ID_GAL_FILE_EXIT, text, MF_BYCOMMAND);
  EXPECT_STREQ(static_cast<LPCTSTR>(text), "E&xit\tCtrl+Q");
  EXPECT_EQ(bar.GetMenuState(ID_GAL_VIEW_CHECKED, MF_BYCOMMAND), MF_CHECKED);
  EXPECT_EQ(bar.GetMenuState(ID_GAL_VIEW_GRAYED, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(bar.GetSubMenu(1)->GetSubMenu(2)->GetMenuItemID(0), static_cast<UINT>(ID_GAL_HELP_ABOUT));
  EXPECT_FALSE(CMenu().LoadMenu(4711));

  HACCEL a = LoadAccelerators(nullptr, MAKEINTRESOURCE(IDR_GALLERY));
  ASSERT_NE(a, nullptr);
  ACCEL entries[8];
  ASSERT_EQ(CopyAcceleratorTable(a, entries, 8), 3);
  EXPECT_EQ(entries[0].fVirt, FVIRTKEY | FCONTROL);
  EXPECT_EQ(entries[0].key, 'Q');
  EXPECT_EQ(entries[0].cmd, ID_GAL_FILE_EXIT);
  EXPECT_EQ(entries[2].key, VK_F1);
}

TEST_F(MenuTest, AcceleratorsTurnKeysIntoCommands) {
  ACCEL table[] = {{FVIRTKEY | FCONTROL, 'Q', 100}, {FVIRTKEY, VK_F1, 101}, {FVIRTKEY | FSHIFT, VK_DELETE, 102},
                   {FVIRTKEY | FALT, 'X', 103}};
  HACCEL a = CreateAcceleratorTable(table, 4);
  HMENU m = CreateMenu();
  AppendMenu(m, MF_STRING | MF_GRAYED, 102, "Cut");
  SetMenu(owner, m);
  struct Case {
    UINT vk;
    bool shift, ctrl, alt;
    int command;  // -1: taken without a command; 0: not taken
  } cases[] = {
      {'Q', false, true, false, 100}, {'Q', false, false, false, 0}, {'Q', true, true, false, 0},
      {VK_F1, false, false, false, 101}, {VK_F1, false, true, false, 0}, {'X', false, false, true, 103},
      {VK_DELETE, true, false, false, -1},  // its menu item is grayed
  };
  for (const Case& c : cases) {
    automation::PressKey(c.vk, c.shift, c.ctrl, c.alt);
    int taken = 0;
    MSG msg;
    seen().commands.clear();
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        if (TranslateAccelerator(owner, a, &msg)) {
          ++taken;
          continue;
        }
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    EXPECT_EQ(taken, c.command ? 1 : 0) << c.vk;
    if (c.command > 0) {
      ASSERT_EQ(seen().commands.size(), 1u) << c.vk;
      EXPECT_EQ(seen().commands[0], static_cast<UINT>(c.command));
    } else {
      EXPECT_TRUE(seen().commands.empty()) << c.vk;
    }
  }
  DestroyAcceleratorTable(a);
}

TEST_F(MenuTest, TrackPopupMenuByKeys) {
  struct Case {
    const char* what;
    std::vector<UINT> keys;
    UINT result;
  } cases[] = {
      {"first item", {VK_DOWN, VK_RETURN}, 1},
      {"the separator is skipped", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 0 /* grayed: nothing */},
      {"up wraps to the last item", {VK_UP, VK_RETURN}, 4},
      {"an access key chooses", {'X'}, 4},
      {"into a sub-menu", {'R', VK_RETURN}, 5},
      {"Esc dismisses", {VK_ESCAPE}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HMENU m = sample();
    for (UINT k : c.keys) automation::PressKey(k);
    if (c.result == 0 && c.keys.size() > 1) automation::PressKey(VK_ESCAPE);  // the grayed item stays open
    seen().popups.clear();
    UINT got = static_cast<UINT>(TrackPopupMenu(m, TPM_RETURNCMD | TPM_LEFTALIGN, 100, 100, 0, owner, nullptr));
    EXPECT_EQ(got, c.result);
    ASSERT_FALSE(seen().popups.empty());
    EXPECT_EQ(seen().popups[0], m);  // WM_INITMENUPOPUP before it opens
    EXPECT_EQ(automation::FindByClass("#32768"), nullptr);  // and every pop-up closed
  }
}

TEST_F(MenuTest, TrackPopupMenuByMouseAndWithoutReturnCmd) {
  HMENU m = sample();
  // Items lie below a 3-pixel frame, 17 pixels each: the first one.
  seen().clickInPopup = POINT{20, 3 + 8};
  EXPECT_TRUE(TrackPopupMenu(m, TPM_LEFTALIGN | TPM_RIGHTBUTTON, 100, 100, 0, owner, nullptr));
  // Without TPM_RETURNCMD the command is posted to the owner.
  EXPECT_TRUE(seen().commands.empty());
  automation::PumpUntilIdle();
  ASSERT_EQ(seen().commands.size(), 1u);
  EXPECT_EQ(seen().commands[0], 1u);
  // A click outside dismisses it.
  automation::MouseDown(owner, POINT{5, 5});
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);
}

TEST_F(MenuTest, AWaitingMenuAsksTheResponder) {
  HMENU m = sample();
  automation::ExpectMessageBox("Owner", "&New|&Open...\tCtrl+O", 2);
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 10, 10, 0, owner, nullptr), 2);
  automation::ExpectMessageBox("", "", 3);  // a grayed item cannot be chosen
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 10, 10, 0, owner, nullptr), 0);
  EXPECT_EQ(automation::ModalLog().back().kind, "menu");
}

// Globals: EXPECT_NONFATAL_FAILURE's statement cannot see the test's locals.
HMENU g_unansweredMenu = nullptr;
HWND g_unansweredOwner = nullptr;
BOOL g_unansweredResult = -1;

TEST_F(MenuTest, AnUnansweredMenuFailsTheTestAndChoosesNothing) {
  // The menu holds command 2, the code an unanswered box gets (IDCANCEL).
  g_unansweredMenu = sample();
  g_unansweredOwner = owner;
  EXPECT_NONFATAL_FAILURE(g_unansweredResult = TrackPopupMenu(g_unansweredMenu, TPM_RETURNCMD, 10, 10, 0,
                                                              g_unansweredOwner, nullptr),
                          "unanswered menu");
  EXPECT_EQ(g_unansweredResult, 0);
}

TEST_F(MenuTest, TheMenuBarTakesRoomAndAnswersTheKeyboard) {
  RECT before, after;
  GetClientRect(owner, &before);
  CMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_GALLERY));
  ASSERT_TRUE(SetMenu(owner, bar.m_hMenu));
  EXPECT_EQ(GetMenu(owner), bar.m_hMenu);
  GetClientRect(owner, &after);
  EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));
  struct Case {
    const char* what;
    std::vector<std::pair<UINT, bool>> keys;  // key, with Alt
    UINT command;
  } cases[] = {
      {"Alt+F and an item's key", {{'F', true}, {'X', false}}, ID_GAL_FILE_EXIT},
      {"F10, Enter, Up, Enter", {{VK_F10, false}, {VK_RETURN, false}, {VK_UP, false}, {VK_RETURN, false}},
       ID_GAL_FILE_EXIT},
      {"Alt alone, Right to View, Down, Enter", {{VK_MENU, false}, {VK_RIGHT, false}, {VK_DOWN, false}, {VK_RETURN, false}},
       ID_GAL_VIEW_CHECKED},
      {"Esc leaves", {{'V', true}, {VK_ESCAPE, false}, {VK_ESCAPE, false}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    seen().commands.clear();
    for (auto [k, alt] : c.keys) automation::PressKey(k, false, false, alt);
    automation::PumpUntilIdle();
    if (c.command) {
      ASSERT_EQ(seen().commands.size(), 1u);
      EXPECT_EQ(seen().commands[0], c.command);
    } else {
      EXPECT_TRUE(seen().commands.empty());
    }
    EXPECT_EQ(automation::FindByClass("#32768"), nullptr);
  }
  SetMenu(owner, nullptr);
}

// Command-UI routing to a window's update handlers.
class UpdatingWnd : public CWnd {
 public:
  bool checked = true;
  void OnUpdateCheck(CCmdUI* ui) { ui->SetCheck(checked); }
  void OnUpdateOff(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnUpdateText(CCmdUI* ui) { ui->SetText("Renamed"); }
  void OnHandled() {}
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(UpdatingWnd, CWnd)
  ON_UPDATE_COMMAND_UI(1, OnUpdateCheck)
  ON_UPDATE_COMMAND_UI(2, OnUpdateOff)
  ON_UPDATE_COMMAND_UI(3, OnUpdateText)
  ON_COMMAND(4, OnHandled)
END_MESSAGE_MAP()

TEST_F(MenuTest, UpdateCommandUiSetsTheItems) {
  CMenu m;
  m.CreatePopupMenu();
  m.AppendMenu(MF_STRING, 1, "Check");
  m.AppendMenu(MF_STRING, 2, "Off");
  m.AppendMenu(MF_STRING, 3, "Text");
  m.AppendMenu(MF_STRING, 4, "Has a handler");
  m.AppendMenu(MF_STRING, 5, "Has nothing");
  UpdatingWnd target;
  AfxUpdateMenuPopup(&target, &m, TRUE);
  EXPECT_EQ(m.GetMenuState(1, MF_BYCOMMAND), MF_CHECKED);
  EXPECT_EQ(m.GetMenuState(2, MF_BYCOMMAND), MF_GRAYED);
  CString text;
  m.GetMenuString(3, text, MF_BYCOMMAND);
  EXPECT_STREQ(static_cast<LPCTSTR>(text), "Renamed");
  EXPECT_EQ(m.GetMenuState(4, MF_BYCOMMAND), MF_ENABLED);
  EXPECT_EQ(m.GetMenuState(5, MF_BYCOMMAND), MF_GRAYED);
  target.checked = false;
  AfxUpdateMenuPopup(&target, &m, FALSE);
  EXPECT_EQ(m.GetMenuState(1, MF_BYCOMMAND), MF_ENABLED);
}

}  // namespace
