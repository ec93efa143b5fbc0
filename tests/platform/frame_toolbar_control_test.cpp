// The tool-bar control through its messages: clicks and commands, check
// buttons and check groups, hidden buttons in the layout, the hot item and
// its notifications, and a press released elsewhere.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "platform/framework/BarDefs.h"
#include "platform/framework/ToolBar.h"
#include "platform/window/Painting.h"
#include "platform_support.h"

namespace {

std::vector<std::string>& heard() {
  static std::vector<std::string> h;
  return h;
}

// Runs inside the command, as a command's modal dialog would.
std::function<void(HWND bar)>& duringCommand() {
  static std::function<void(HWND)> f;
  return f;
}

LRESULT BarOwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) {
    heard().push_back("command " + std::to_string(LOWORD(w)));
    if (duringCommand()) duringCommand()(reinterpret_cast<HWND>(l));
  }
  if (m == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == TBN_HOTITEMCHANGE) {
    auto* hot = reinterpret_cast<NMTBHOTITEM*>(l);
    heard().push_back("hot " + std::to_string(hot->idOld) + ">" + std::to_string(hot->idNew));
  }
  return DefWindowProc(h, m, w, l);
}

class ToolBarControl : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    heard().clear();
    duringCommand() = nullptr;
    RegisterToolBarClass();
    platformtest::registerClassOnce("BarOwner", BarOwnerProc, COLOR_3DFACE);
    owner_ = platformtest::createAt(0, "BarOwner", "Bar", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 100});
    bar_ = platformtest::createAt(0, TOOLBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER,
                                  RECT{0, 0, 400, 30}, owner_, 1);
    const struct {
      int id;
      BYTE style;
    } buttons[] = {{11, TBSTYLE_BUTTON}, {12, TBSTYLE_CHECK}, {0, TBSTYLE_SEP},     {13, TBSTYLE_CHECKGROUP},
                   {14, TBSTYLE_CHECKGROUP}, {15, TBSTYLE_BUTTON}};
    std::vector<TBBUTTON> tb;
    for (const auto& b : buttons) {
      TBBUTTON t;
      t.idCommand = b.id;
      t.fsStyle = b.style;
      tb.push_back(t);
    }
    SendMessage(bar_, TB_SETBUTTONSIZE, 0, MAKELONG(24, 22));
    SendMessage(bar_, TB_ADDBUTTONS, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    duringCommand() = nullptr;
    automation::ResetWindows();
  }
  POINT centre(int index) {
    RECT r;
    SendMessage(bar_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void click(int index) {
    automation::Click(bar_, centre(index));
    automation::PumpUntilIdle();
  }
  bool checked(int id) { return SendMessage(bar_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0; }

  HWND owner_ = nullptr, bar_ = nullptr;
};

TEST_F(ToolBarControl, ClicksCheckButtonsAndGroups) {
  EXPECT_EQ(SendMessage(bar_, TB_BUTTONCOUNT, 0, 0), 6);
  click(0);
  click(1);
  EXPECT_TRUE(checked(12));
  click(1);
  EXPECT_FALSE(checked(12)) << "a check button toggles";
  click(3);
  click(4);
  EXPECT_FALSE(checked(13)) << "a check group keeps one button down";
  EXPECT_TRUE(checked(14));
  click(4);
  EXPECT_TRUE(checked(14)) << "clicking the one down keeps it down";
  const std::vector<std::string> commands = {"command 11", "command 12", "command 12", "command 13", "command 14",
                                             "command 14"};
  std::vector<std::string> got;
  for (const auto& h : heard())
    if (h.rfind("command", 0) == 0) got.push_back(h);
  EXPECT_EQ(got, commands);
}

TEST_F(ToolBarControl, APressReleasedElsewhereOrOnADisabledButtonDoesNothing) {
  SendMessage(bar_, TB_ENABLEBUTTON, 15, MAKELONG(FALSE, 0));
  heard().clear();
  automation::MouseDown(bar_, centre(0));
  automation::PumpUntilIdle();
  EXPECT_TRUE(SendMessage(bar_, TB_ISBUTTONPRESSED, 11, 0));
  automation::MouseMove(bar_, centre(5));
  automation::PumpUntilIdle();
  EXPECT_FALSE(SendMessage(bar_, TB_ISBUTTONPRESSED, 11, 0)) << "not pressed while the mouse is off it";
  automation::MouseUp(bar_, centre(5));
  automation::PumpUntilIdle();
  EXPECT_EQ(GetCapture(), nullptr);
  click(5);
  automation::PumpUntilIdle();
  for (const auto& h : heard()) EXPECT_EQ(h.rfind("command", 0), std::string::npos) << h;
}

TEST_F(ToolBarControl, HiddenButtonsLeaveNoRoomAndTheHotItemIsAnnounced) {
  RECT before;
  SendMessage(bar_, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&before));
  SendMessage(bar_, TB_HIDEBUTTON, 11, MAKELONG(TRUE, 0));
  RECT after;
  SendMessage(bar_, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&after));
  EXPECT_EQ(after.left, before.left - 24);
  SendMessage(bar_, TB_HIDEBUTTON, 11, MAKELONG(FALSE, 0));
  heard().clear();
  automation::MouseMove(bar_, centre(0));
  automation::MouseMove(bar_, centre(1));
  automation::MouseMove(bar_, centre(2));  // the separator is no button
  automation::PumpUntilIdle();
  EXPECT_EQ(heard(), (std::vector<std::string>{"hot 0>11", "hot 11>12", "hot 12>0"}));
  EXPECT_EQ(SendMessage(bar_, TB_GETHOTITEM, 0, 0), -1);
}

// The button clicked is drawn plain before its command runs: a dialog the
// command opens must not find it still drawn down or framed under the mouse.
TEST_F(ToolBarControl, TheClickedButtonIsDrawnReleasedBeforeItsCommandRuns) {
  bool pressed = true, hot = true, pending = true;
  duringCommand() = [&](HWND bar) {
    pressed = SendMessage(bar, TB_ISBUTTONPRESSED, 11, 0) != 0;
    hot = SendMessage(bar, TB_GETHOTITEM, 0, 0) != -1;
    pending = GetUpdateRect(bar, nullptr, FALSE) != FALSE;
  };
  automation::MouseMove(bar_, centre(0));
  automation::PumpUntilIdle();
  ASSERT_EQ(SendMessage(bar_, TB_GETHOTITEM, 0, 0), 0);
  click(0);
  EXPECT_FALSE(pressed);
  EXPECT_FALSE(hot);
  EXPECT_FALSE(pending) << "the bar waits to be painted while the command runs";
}

}  // namespace
