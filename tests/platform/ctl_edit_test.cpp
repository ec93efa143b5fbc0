// The "Edit" control: keyboard editing, selection, clipboard and undo,
// styles, the text limit, line messages, mouse selection and the order of
// its notifications.
#include <cstring>

#include "ctl_support.h"
#include "platform/host/Host.h"

using namespace ctltest;

namespace {

struct Act {
  std::string text;  // typed when not empty
  UINT vk = 0;
  bool shift = false, ctrl = false;
};
Act T(const char* s) { return Act{s}; }
Act K(UINT vk) { return Act{"", vk}; }
Act S(UINT vk) { return Act{"", vk, true}; }
Act C(UINT vk) { return Act{"", vk, false, true}; }
Act CS(UINT vk) { return Act{"", vk, true, true}; }

void run(const std::vector<Act>& acts) {
  for (const Act& a : acts) {
    if (!a.text.empty()) automation::TypeText(a.text);
    else automation::PressKey(a.vk, a.shift, a.ctrl);
    automation::PumpUntilIdle();
  }
}

class Edit : public ControlTest {
 protected:
  HWND edit(DWORD style = ES_AUTOHSCROLL, const char* initial = "", RECT r = RECT{10, 10, 210, 33}) {
    HWND e = make(WC_EDIT, style, r, initial, 100, WS_EX_CLIENTEDGE);
    SetFocus(e);
    pump();
    log().clear();
    return e;
  }
};

TEST_F(Edit, KeyboardEditingAndSelection) {
  struct Case {
    const char* name;
    DWORD style;
    std::vector<Act> acts;
    const char* text;
    int selStart, selEnd;
  } cases[] = {
      {"backspace after arrows", ES_AUTOHSCROLL, {T("abcd"), K(VK_LEFT), K(VK_LEFT), K(VK_BACK)}, "acd", 1, 1},
      {"delete at home", ES_AUTOHSCROLL, {T("abcd"), K(VK_HOME), K(VK_DELETE)}, "bcd", 0, 0},
      {"ctrl+left then shift+end", ES_AUTOHSCROLL, {T("hello world"), C(VK_LEFT), S(VK_END)}, "hello world", 6, 11},
      {"ctrl+right skips word and spaces", ES_AUTOHSCROLL, {T("hello world"), K(VK_HOME), C(VK_RIGHT), CS(VK_RIGHT)},
       "hello world", 6, 11},
      {"typing replaces the selection", ES_AUTOHSCROLL, {T("abc"), S(VK_LEFT), S(VK_LEFT), T("X")}, "aX", 2, 2},
      {"left collapses a selection to its start", ES_AUTOHSCROLL, {T("abc"), S(VK_HOME), K(VK_LEFT)}, "abc", 0, 0},
      {"copy and paste", ES_AUTOHSCROLL, {T("abc"), S(VK_HOME), C('C'), K(VK_END), C('V')}, "abcabc", 6, 6},
      {"cut", ES_AUTOHSCROLL, {T("abc"), S(VK_LEFT), C('X')}, "ab", 2, 2},
      {"cut then paste back", ES_AUTOHSCROLL, {T("abc"), S(VK_LEFT), C('X'), K(VK_HOME), C('V')}, "cab", 1, 1},
      {"undo removes the typing run", ES_AUTOHSCROLL, {T("abc"), C('Z')}, "", 0, 0},
      {"undo twice restores it", ES_AUTOHSCROLL, {T("abc"), C('Z'), C('Z')}, "abc", 3, 3},
      {"upper case", ES_AUTOHSCROLL | ES_UPPERCASE, {T("ab\xE9")}, "AB\xC9", 3, 3},
      {"lower case", ES_AUTOHSCROLL | ES_LOWERCASE, {T("AbC")}, "abc", 3, 3},
      {"number refuses letters", ES_AUTOHSCROLL | ES_NUMBER, {T("1a2")}, "12", 2, 2},
      {"read-only refuses typing", ES_AUTOHSCROLL | ES_READONLY, {T("x"), K(VK_BACK), K(VK_DELETE)}, "", 0, 0},
      {"single line ignores Enter", ES_AUTOHSCROLL, {T("a"), K(VK_RETURN), T("b")}, "ab", 2, 2},
      {"Enter makes a new line", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, {T("ab"), K(VK_RETURN), T("cd")},
       "ab\r\ncd", 6, 6},
      {"backspace joins lines", ES_MULTILINE | ES_AUTOVSCROLL, {T("ab"), K(VK_RETURN), K(VK_BACK)}, "ab", 2, 2},
      {"up keeps the column", ES_MULTILINE | ES_AUTOVSCROLL, {T("ab"), K(VK_RETURN), T("ab"), K(VK_UP), T("X")},
       "abX\r\nab", 3, 3},
      {"home and end work per line", ES_MULTILINE | ES_AUTOVSCROLL,
       {T("ab"), K(VK_RETURN), T("cd"), K(VK_HOME), S(VK_END)}, "ab\r\ncd", 4, 6},
      {"ctrl+home goes to the start", ES_MULTILINE | ES_AUTOVSCROLL, {T("ab"), K(VK_RETURN), T("cd"), CS(VK_HOME)},
       "ab\r\ncd", 0, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RECT r = (c.style & ES_MULTILINE) ? RECT{10, 10, 210, 110} : RECT{10, 10, 210, 33};
    HWND e = edit(c.style, "", r);
    platform::GetHost().SetClipboardText("");
    run(c.acts);
    EXPECT_EQ(text(e), c.text);
    auto s = sel(e);
    EXPECT_EQ(s.first, c.selStart);
    EXPECT_EQ(s.second, c.selEnd);
    DestroyWindow(e);
  }
}

TEST_F(Edit, NotificationsComeInTheFrameworkOrder) {
  HWND other = make(WC_BUTTON, BS_PUSHBUTTON, RECT{10, 50, 90, 75}, "B", 200);
  HWND e = edit();
  automation::TypeText("a");
  pump();
  EXPECT_EQ(taken(), (Log{"EN_UPDATE", "EN_CHANGE"}));
  SetWindowText(e, "xyz");
  EXPECT_EQ(taken(), (Log{"EN_UPDATE", "EN_CHANGE"}));
  EXPECT_EQ(SendMessage(e, EM_GETMODIFY, 0, 0), FALSE) << "setting the text is not a modification";
  SetFocus(other);
  SetFocus(e);
  EXPECT_EQ(taken(), (Log{"EN_KILLFOCUS", "EN_SETFOCUS"}));
  // Moving the caret changes nothing.
  automation::PressKey(VK_LEFT);
  pump();
  EXPECT_TRUE(taken().empty());
}

TEST_F(Edit, TextLimitTruncatesAndReportsMaxText) {
  HWND e = edit();
  SendMessage(e, EM_LIMITTEXT, 5, 0);
  EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 5);
  automation::TypeText("abcdefg");
  pump();
  EXPECT_EQ(text(e), "abcde");
  Log l = taken();
  EXPECT_EQ(std::count(l.begin(), l.end(), "EN_MAXTEXT"), 2);
  EXPECT_EQ(std::count(l.begin(), l.end(), "EN_CHANGE"), 5);
  // A replacement keeps what fits; setting the text ignores the limit.
  SendMessage(e, EM_SETSEL, 1, 3);
  SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("XYZW"));
  EXPECT_EQ(text(e), "aXYde");
  EXPECT_EQ(taken().front(), "EN_MAXTEXT");
  SetWindowText(e, "0123456789");
  EXPECT_EQ(text(e), "0123456789");
}

TEST_F(Edit, WithoutAutoScrollTheTextMustFitTheField) {
  HWND e = edit(0, "", RECT{10, 10, 60, 33});
  automation::TypeText("WWWWWWWWWWWWWWWWWWWW");
  pump();
  std::string t = text(e);
  EXPECT_GT(t.size(), 0u);
  EXPECT_LT(t.size(), 20u);
  Log l = taken();
  EXPECT_NE(std::find(l.begin(), l.end(), "EN_MAXTEXT"), l.end());
}

TEST_F(Edit, MessagesOfSelectionLinesAndState) {
  HWND e = edit(ES_MULTILINE | ES_AUTOVSCROLL, "", RECT{10, 10, 210, 110});
  SetWindowText(e, "one\r\ntwo two\r\n\r\nfour");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);
  struct Line {
    int line, index, length;
  } lines[] = {{0, 0, 3}, {1, 5, 7}, {2, 14, 0}, {3, 16, 4}};
  for (const Line& l : lines) {
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, l.line, 0), l.index) << l.line;
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, l.index, 0), l.length) << l.line;
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, l.index, 0), l.line) << l.line;
  }
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 4, 0), -1);
  char buf[16];
  WORD size = sizeof buf;
  std::memcpy(buf, &size, sizeof size);
  LRESULT n = SendMessage(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buf));
  EXPECT_EQ(std::string(buf, static_cast<size_t>(n)), "two two");
  // Selection: -1 as the end means the end of the text; the return packs both.
  SendMessage(e, EM_SETSEL, 5, -1);
  EXPECT_EQ(SendMessage(e, EM_GETSEL, 0, 0), MAKELONG(5, 20));
  SendMessage(e, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(sel(e), (std::pair<int, int>{20, 20}));
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 16) << "the caret's line";
  // Read-only and modify flags, password character.
  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLong(e, GWL_STYLE) & ES_READONLY);
  SendMessage(e, EM_SETMODIFY, TRUE, 0);
  EXPECT_EQ(SendMessage(e, EM_GETMODIFY, 0, 0), TRUE);
  HWND pw = make(WC_EDIT, ES_PASSWORD | ES_AUTOHSCROLL, RECT{10, 150, 100, 170}, "secret", 101);
  EXPECT_EQ(SendMessage(pw, EM_GETPASSWORDCHAR, 0, 0), '*');
  platform::GetHost().SetClipboardText("keep");
  SendMessage(pw, EM_SETSEL, 0, -1);
  SendMessage(pw, WM_COPY, 0, 0);
  EXPECT_EQ(platform::GetHost().GetClipboardText(), "keep") << "a password is never copied";
}

TEST_F(Edit, LongLinesWrapAtWordsUnlessTheEditScrollsSideways) {
  const char* words = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
  HWND wrap = make(WC_EDIT, ES_MULTILINE | ES_AUTOVSCROLL, RECT{10, 10, 110, 200}, words, 101);
  HWND nowrap = make(WC_EDIT, ES_MULTILINE | ES_AUTOHSCROLL, RECT{120, 10, 220, 200}, words, 102);
  int n = static_cast<int>(SendMessage(wrap, EM_GETLINECOUNT, 0, 0));
  EXPECT_GT(n, 2);
  EXPECT_EQ(SendMessage(nowrap, EM_GETLINECOUNT, 0, 0), 1);
  // Every wrapped line starts a word.
  for (int i = 1; i < n; ++i) {
    int at = static_cast<int>(SendMessage(wrap, EM_LINEINDEX, i, 0));
    EXPECT_EQ(words[at - 1], ' ') << i;
  }
  EXPECT_EQ(text(wrap), words) << "soft breaks add nothing to the text";
}

TEST_F(Edit, MouseSetsCaretDragsSelectionAndDoubleClickSelectsAWord) {
  HWND e = edit(ES_AUTOHSCROLL, "hello big world");
  auto pos = [&](int i) {
    LRESULT r = SendMessage(e, EM_POSFROMCHAR, i, 0);
    return POINT{static_cast<short>(LOWORD(r)), static_cast<short>(HIWORD(r)) + 3};
  };
  automation::Click(e, pos(6));
  pump();
  EXPECT_EQ(sel(e), (std::pair<int, int>{6, 6}));
  automation::MouseDown(e, pos(1));
  automation::MouseMove(e, pos(4));
  automation::MouseUp(e, pos(4));
  pump();
  EXPECT_EQ(sel(e), (std::pair<int, int>{1, 4}));
  EXPECT_EQ(GetCapture(), nullptr);
  automation::AdvanceClock(1000);
  automation::DoubleClick(e, pos(7));
  pump();
  EXPECT_EQ(sel(e), (std::pair<int, int>{6, 10})) << "the word and its trailing space";
  // Character from a point agrees with the point of a character.
  POINT p = pos(9);
  EXPECT_EQ(LOWORD(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(p.x, p.y))), 9);
}

TEST_F(Edit, LongTextScrollsToKeepTheCaretVisible) {
  HWND e = edit(ES_AUTOHSCROLL, "", RECT{10, 10, 80, 33});
  automation::TypeText("the quick brown fox jumps");
  pump();
  RECT r;
  SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  LRESULT caret = SendMessage(e, EM_POSFROMCHAR, 24, 0);
  int x = static_cast<short>(LOWORD(caret));
  EXPECT_GE(x, r.left);
  EXPECT_LE(x, r.right);
  LRESULT first = SendMessage(e, EM_POSFROMCHAR, 0, 0);
  EXPECT_LT(static_cast<short>(LOWORD(first)), r.left) << "the start scrolled out on the left";
}

// A text scrolled while its window was narrow comes back whole once the
// window is wide enough (a grid's cell editor is often sized after its text
// is selected).
TEST_F(Edit, AScrolledTextShowsWholeOnceTheWindowIsWideEnough) {
  for (DWORD style : {DWORD{ES_AUTOHSCROLL}, DWORD{ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL}}) {
    SCOPED_TRACE(style);
    HWND e = edit(style, "", RECT{10, 10, 30, 33});
    SetWindowText(e, "1003");
    SendMessage(e, EM_SETSEL, 0, -1);
    pump();
    ASSERT_LT(static_cast<short>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0))), 0) << "scrolled while narrow";
    MoveWindow(e, 10, 10, 200, 23, TRUE);
    pump();
    RECT r;
    SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(static_cast<short>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0))), r.left);
    DestroyWindow(e);
  }
}

TEST_F(Edit, DialogCodesFollowTheStyles) {
  struct {
    DWORD style;
    LRESULT code;
  } cases[] = {
      {ES_AUTOHSCROLL, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS},
      {ES_MULTILINE, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS},
      {ES_MULTILINE | ES_WANTRETURN, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS},
  };
  for (const auto& c : cases) {
    HWND e = make(WC_EDIT, c.style, RECT{10, 10, 100, 60});
    EXPECT_EQ(SendMessage(e, WM_GETDLGCODE, 0, 0), c.code) << std::hex << c.style;
    DestroyWindow(e);
  }
}

TEST_F(Edit, ParentColourPaintsTheBackgroundAndFontsAreKept) {
  HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
  replies().ctlColorBrush = green;
  HWND e = edit(ES_AUTOHSCROLL, "");
  InvalidateRect(e, nullptr, TRUE);
  pump();
  RECT c;
  GetClientRect(e, &c);
  EXPECT_EQ(automation::PixelAt(e, c.right - 3, c.bottom - 3), RGB(0, 160, 0));
  EXPECT_NE(SendMessage(e, WM_GETFONT, 0, 0), 0) << "the dialog font by default";
  HFONT f = reinterpret_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
  SendMessage(e, WM_SETFONT, reinterpret_cast<WPARAM>(f), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessage(e, WM_GETFONT, 0, 0)), f);
  DestroyWindow(e);
  replies().ctlColorBrush = nullptr;
  DeleteObject(green);
}

}  // namespace

namespace {

// A multi-line edit with WS_VSCROLL shows its bar even while all the text
// fits: disabled then, enabled once there is something to scroll.
TEST_F(Edit, AMultiLineEditShowsItsVerticalBarAlways) {
  HWND e = edit(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, "one line", RECT{10, 10, 210, 90});
  RECT c;
  GetClientRect(e, &c);
  EXPECT_EQ(c.right, 200 - 4 - GetSystemMetrics(SM_CXVSCROLL)) << "the bar takes its room";
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(e, SB_VERT, &si));
  EXPECT_LE(si.nMax - si.nMin + 1, static_cast<int>(si.nPage)) << "nothing to scroll yet";
  SetWindowText(e, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");
  GetClientRect(e, &c);
  EXPECT_EQ(c.right, 200 - 4 - GetSystemMetrics(SM_CXVSCROLL));
}

}  // namespace
