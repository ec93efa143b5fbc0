#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/GridWindowTest.h"
#include "grid/controls/GXCurrencyEdit.h"
#include "grid/controls/GXPopupCalculator.h"
#include "platform/framework/CWnd.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"
#include "platform/testing/Automation.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "support/GoldenImage.h"

namespace {

const char* FrameClass() { return gridtest::FrameClass("CurrencyTestFrame"); }

// A parent that records the edit's notifications and the commands it gets.
class Parent : public CWnd {
 public:
  std::vector<UINT> codes;
  int commands = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && lParam != 0) {
      codes.push_back(HIWORD(wParam));
      if (HIWORD(wParam) == 0) ++commands;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class CurrencyEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ASSERT_TRUE(parent.CreateEx(0, FrameClass(), "Amounts", WS_OVERLAPPED | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                                nullptr));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 160, 32), &parent, 77));
    edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
    edit.SetValue(1234.5);
    automation::PumpUntilIdle();
  }
  void TearDown() override { automation::ResetWindows(); }
  std::string Shown() {
    CString text;
    edit.GetWindowText(text);
    return static_cast<LPCTSTR>(text);
  }
  Parent parent;
  CGXBCurrencyEdit edit;
};

TEST_F(CurrencyEdit, TypingThroughTheWindowKeepsAFormattedAmount) {
  EXPECT_EQ(Shown(), "$1,234.50");
  edit.SetFocus();
  automation::PumpUntilIdle();
  EXPECT_TRUE(edit.Text().IsSelectAll()) << "the focus selects everything";
  parent.codes.clear();
  automation::TypeText("78.25");
  automation::PumpUntilIdle();
  EXPECT_EQ(Shown(), "$78.25");
  EXPECT_DOUBLE_EQ(edit.GetValue(), 78.25);
  EXPECT_NE(std::find(parent.codes.begin(), parent.codes.end(), static_cast<UINT>(EN_CHANGE)), parent.codes.end());
  automation::TypeText("-");
  automation::PumpUntilIdle();
  EXPECT_EQ(Shown(), "($78.25)");
  automation::PressKey(VK_HOME);
  automation::PressKey(VK_DELETE);
  automation::PumpUntilIdle();
  EXPECT_EQ(Shown(), "($8.25)");
  automation::PressKey('Z', false, true);
  automation::PumpUntilIdle();
  EXPECT_EQ(Shown(), "($78.25)");
  // Letters are not amounts.
  automation::TypeText("ab");
  automation::PumpUntilIdle();
  EXPECT_EQ(Shown(), "($78.25)");
  // A text the format cannot read is refused as a whole.
  EXPECT_EQ(edit.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("(12")), 0);
  EXPECT_EQ(edit.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1234")), 1);
  EXPECT_EQ(Shown(), "$1,234.00");
}

TEST_F(CurrencyEdit, SelectionMessagesAndClipboard) {
  DWORD start = 7;
  DWORD end = 7;
  edit.SetSel(-1, 0);
  EXPECT_EQ(edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end)), 0x0000FFFF);
  EXPECT_EQ(static_cast<int>(start), -1);
  EXPECT_EQ(end, 0u);
  EXPECT_FALSE(edit.SetSel(2, 40));
  edit.SetFocus();
  edit.SetSel(1, 6);
  edit.SendMessage(WM_COPY);
  ASSERT_TRUE(::OpenClipboard(parent.m_hWnd));
  HANDLE h = ::GetClipboardData(CF_TEXT);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(static_cast<const char*>(::GlobalLock(h)), "1,234");
  ::GlobalUnlock(h);
  // Paste is offered only for text the format reads.
  ::EmptyClipboard();
  auto put = [&](const char* text) {
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(::GlobalLock(mem)), text);
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_TEXT, mem);
  };
  put("no amount");
  ::CloseClipboard();
  EXPECT_FALSE(edit.IsCommandEnabled(CGXBCurrencyEdit::kPaste));
  ASSERT_TRUE(::OpenClipboard(parent.m_hWnd));
  ::EmptyClipboard();
  put("abc12");
  ::CloseClipboard();
  EXPECT_TRUE(edit.IsCommandEnabled(CGXBCurrencyEdit::kPaste));
  edit.SetSel(-1, 0);
  edit.Text().SetCaret(1);
  edit.SendMessage(WM_PASTE);
  EXPECT_EQ(Shown(), "$121,234.50");
  edit.SendMessage(EM_SETREADONLY, TRUE);
  EXPECT_FALSE(edit.IsCommandEnabled(CGXBCurrencyEdit::kPaste));
  automation::TypeText("9");
  automation::PumpUntilIdle();
  EXPECT_EQ(Shown(), "$121,234.50");
}

TEST_F(CurrencyEdit, DropButtonOpensTheCalculator) {
  edit.SetButtonBitmap(20036);
  automation::PumpUntilIdle();
  ASSERT_TRUE(edit.HasButton());
  CRect client;
  edit.GetClientRect(&client);
  CRect window;
  edit.GetWindowRect(&window);
  EXPECT_LT(client.Width(), window.Width() - 2) << "the button takes room from the text";
  EXPECT_GT(edit.GetButtonRect().left, client.right - 1);
  edit.SetFocus();
  automation::PumpUntilIdle();
  automation::PressKey(VK_F4);
  automation::PumpUntilIdle();
  HWND popup = automation::FindByClass("GXBCalculator:800");
  ASSERT_NE(popup, nullptr) << "F4 opens the calculator";
  automation::TypeText("*2");
  automation::PressKey(VK_RETURN);
  automation::PumpUntilIdle();
  EXPECT_FALSE(::IsWindow(popup));
  // The plain field has no handler for the result; its cell takes it.
  EXPECT_EQ(Shown(), "$1,234.50");

  // Pressing the button and releasing outside it does not click.
  CGXBDropEdit drop;
  ASSERT_TRUE(drop.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 50, 160, 72), &parent, 78));
  drop.SetButtonBitmap(20036);
  automation::PumpUntilIdle();
  const CRect b = drop.GetButtonRect();
  const POINT inButton{b.left + b.Width() / 2 - 1, b.top + b.Height() / 2 - 1};
  automation::MouseDown(drop.m_hWnd, inButton);
  automation::MouseMove(drop.m_hWnd, POINT{5, 5});
  automation::MouseUp(drop.m_hWnd, POINT{5, 5});
  automation::PumpUntilIdle();
  EXPECT_EQ(parent.commands, 0);
  // A quick second click on the button is a click too, not a double click.
  automation::Click(drop.m_hWnd, inButton);
  automation::PumpUntilIdle();
  EXPECT_EQ(parent.commands, 1);
  // Without a bitmap there is no button, and F4 still clicks.
  CGXBDropEdit plain;
  ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 80, 160, 102), &parent, 80));
  EXPECT_FALSE(plain.HasButton());
  plain.SetFocus();
  automation::PressKey(VK_F4);
  automation::PumpUntilIdle();
  EXPECT_EQ(parent.commands, 2);
  // At the left end the text starts after the button.
  drop.SetButtonAtRight(FALSE);
  drop.SetButtonBitmap(20036);
  EXPECT_EQ(drop.GetButtonRect().left, 1);
}

TEST_F(CurrencyEdit, LooksGolden) {
  edit.SetButtonBitmap(20036);
  CGXBCurrencyFormat format(FALSE);
  format.m_bSeparatorLine = TRUE;
  format.SetNegativeColor(RGB(200, 0, 0));
  edit.SetFormat(format);
  edit.SetValue(-98765.43);
  CGXBCurrencyEdit disabled;
  ASSERT_TRUE(disabled.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_DISABLED, CRect(10, 50, 160, 72), &parent, 79));
  disabled.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
  disabled.SetButtonBitmap(20036);
  disabled.SetValue(12.5);
  automation::PumpUntilIdle();
  EXPECT_TRUE(golden::Matches("grid/currency_edit.png",
                              [&](const std::string& path) { return automation::RenderToPng(parent.m_hWnd, path); }));
}

}  // namespace
