// The "ListBox" control: sorted and unsorted items, searching, selection in
// its three modes by mouse and keyboard, type-ahead, owner-drawn items,
// scrolling and the LB_ERR answers.
#include "ctl_support.h"
#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"

using namespace ctltest;

namespace {

class ListBox : public ControlTest {
 protected:
  HWND list(DWORD style, std::initializer_list<const char*> items = {}, RECT r = RECT{10, 10, 160, 140}) {
    HWND l = make(WC_LISTBOX, style, r, "", 100, WS_EX_CLIENTEDGE);
    for (const char* s : items) SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    pump();
    log().clear();
    return l;
  }
  static std::string item(HWND l, int i) {
    char buf[256] = {};
    LRESULT n = SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    return n < 0 ? "<err>" : buf;
  }
  static std::vector<std::string> items(HWND l) {
    std::vector<std::string> out;
    int n = static_cast<int>(SendMessage(l, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) out.push_back(item(l, i));
    return out;
  }
  static POINT at(HWND l, int i) {
    RECT r;
    SendMessage(l, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return POINT{r.left + 5, (r.top + r.bottom) / 2};
  }
  static std::vector<int> selected(HWND l) {
    int buf[64];
    int n = static_cast<int>(SendMessage(l, LB_GETSELITEMS, 64, reinterpret_cast<LPARAM>(buf)));
    return std::vector<int>(buf, buf + std::max(0, n));
  }
};

TEST_F(ListBox, SortedInsertionAndSearchesFromAStartIndex) {
  HWND l = list(LBS_SORT | LBS_NOTIFY, {"pear", "Apple", "banana", "apple", "Cherry"});
  EXPECT_EQ(items(l), (std::vector<std::string>{"Apple", "apple", "banana", "Cherry", "pear"}))
      << "without case, equal items in the order added";
  struct {
    UINT msg;
    int start;
    const char* text;
    LRESULT expected;
  } finds[] = {
      {LB_FINDSTRING, -1, "AP", 0},        {LB_FINDSTRING, 0, "ap", 1},   // after the start index
      {LB_FINDSTRING, 1, "ap", 0},                                       // wraps around
      {LB_FINDSTRING, -1, "ch", 3},        {LB_FINDSTRING, -1, "x", LB_ERR},
      {LB_FINDSTRINGEXACT, -1, "BANANA", 2}, {LB_FINDSTRINGEXACT, -1, "ban", LB_ERR},
      {LB_FINDSTRING, 99, "pe", 4},        // an index past the end searches from the top
      {LB_SELECTSTRING, 2, "a", 0},         {LB_SELECTSTRING, -1, "zz", LB_ERR},
  };
  for (const auto& f : finds)
    EXPECT_EQ(SendMessage(l, f.msg, static_cast<WPARAM>(f.start), reinterpret_cast<LPARAM>(f.text)), f.expected)
        << f.text << " from " << f.start;
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 0) << "SELECTSTRING selected it";
  EXPECT_TRUE(taken().empty()) << "messages from the program notify nothing";

  HWND u = list(0, {"b", "a"});
  SendMessage(u, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("c"));
  SendMessage(u, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("z"));
  EXPECT_EQ(items(u), (std::vector<std::string>{"b", "c", "a", "z"}));
}

TEST_F(ListBox, ErrorsAndItemData) {
  HWND l = list(0, {"a", "b"});
  struct {
    UINT msg;
    WPARAM w;
    LRESULT expected;
  } errs[] = {
      {LB_GETTEXTLEN, 2, LB_ERR}, {LB_DELETESTRING, 5, LB_ERR}, {LB_GETITEMDATA, static_cast<WPARAM>(-1), LB_ERR},
      {LB_SETCURSEL, 7, LB_ERR},  {LB_GETSELCOUNT, 0, LB_ERR},  {LB_SETSEL, TRUE, LB_ERR},
      {LB_INSERTSTRING, 9, LB_ERR},
  };
  for (const auto& e : errs) EXPECT_EQ(SendMessage(l, e.msg, e.w, 0), e.expected) << std::hex << e.msg;
  SendMessage(l, LB_SETITEMDATA, 1, 0x12345678);
  SendMessage(l, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first"));
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 2, 0), 0x12345678) << "data moves with its item";
  SendMessage(l, LB_SETCURSEL, 2, 0);
  SendMessage(l, LB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 1) << "the selection follows its item";
  SendMessage(l, LB_DELETESTRING, 1, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBox, SelectionByMouseInTheThreeModes) {
  struct Step {
    int item;
    UINT keys;  // MK_SHIFT / MK_CONTROL held
  };
  struct Case {
    const char* name;
    DWORD style;
    std::vector<Step> clicks;
    std::vector<int> selection;
    int notifications;
  } cases[] = {
      {"single", LBS_NOTIFY, {{1, 0}, {3, 0}}, {3}, 2},
      {"single without notify", 0, {{1, 0}, {3, 0}}, {3}, 0},
      {"multiple toggles", LBS_NOTIFY | LBS_MULTIPLESEL, {{1, 0}, {3, 0}, {1, 0}}, {3}, 3},
      {"extended range", LBS_NOTIFY | LBS_EXTENDEDSEL, {{1, 0}, {4, MK_SHIFT}}, {1, 2, 3, 4}, 2},
      {"extended add", LBS_NOTIFY | LBS_EXTENDEDSEL, {{0, 0}, {2, MK_CONTROL}, {4, MK_CONTROL}}, {0, 2, 4}, 3},
      {"extended plain click resets", LBS_NOTIFY | LBS_EXTENDEDSEL, {{0, 0}, {2, MK_CONTROL}, {3, 0}}, {3}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND l = list(c.style, {"a", "b", "c", "d", "e", "f"});
    for (const Step& s : c.clicks) {
      if (s.keys & MK_SHIFT) automation::KeyDown(VK_SHIFT);
      if (s.keys & MK_CONTROL) automation::KeyDown(VK_CONTROL);
      automation::Click(l, at(l, s.item));
      if (s.keys & MK_CONTROL) automation::KeyUp(VK_CONTROL);
      if (s.keys & MK_SHIFT) automation::KeyUp(VK_SHIFT);
      automation::AdvanceClock(1000);  // no double clicks
      pump();
    }
    if (c.style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
      EXPECT_EQ(selected(l), c.selection);
    } else {
      EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), c.selection[0]);
    }
    Log got = taken();
    EXPECT_EQ(std::count(got.begin(), got.end(), "LBN_SELCHANGE"), c.notifications);
    DestroyWindow(l);
  }
}

TEST_F(ListBox, KeyboardMovesTypeAheadAndDoubleClick) {
  HWND l = list(LBS_NOTIFY, {"Alpha", "Bravo", "Beta", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel",
                             "India", "Juliet", "Kilo", "Lima", "Mike"});
  SetFocus(l);
  pump();
  EXPECT_EQ(taken(), (Log{"LBN_SETFOCUS"}));
  struct {
    std::vector<UINT> keys;
    const char* typed;
    int cur;
  } steps[] = {
      {{VK_DOWN}, "", 0},  // nothing selected: the first item
      {{VK_DOWN, VK_DOWN}, "", 2},
      {{VK_END}, "", 13},
      {{VK_HOME, VK_UP}, "", 0},
      {{}, "b", 1},
      {{}, "b", 2},   // the same letter again steps to the next match
      {{}, "b", 1},   // and wraps round
      {{}, "d", 4},
  };
  for (const auto& s : steps) {
    for (UINT k : s.keys) automation::PressKey(k);
    if (*s.typed) {
      automation::AdvanceClock(1100);  // a pause: a new search
      automation::TypeText(s.typed);
    }
    pump();
    EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), s.cur);
  }
  // Letters typed quickly make a prefix.
  automation::AdvanceClock(2000);
  automation::TypeText("ju");
  pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 10);
  // Paging keeps the selection visible.
  automation::PressKey(VK_HOME);
  automation::PressKey(VK_NEXT);
  automation::PressKey(VK_NEXT);
  pump();
  int cur = static_cast<int>(SendMessage(l, LB_GETCURSEL, 0, 0));
  int top = static_cast<int>(SendMessage(l, LB_GETTOPINDEX, 0, 0));
  EXPECT_GT(cur, 8);
  EXPECT_LE(top, cur);
  log().clear();
  automation::DoubleClick(l, at(l, cur));
  pump();
  EXPECT_EQ(taken(), (Log{"LBN_DBLCLK"}));
}

TEST_F(ListBox, OwnerDrawMessagesGoToTheParent) {
  // Variable heights: one WM_MEASUREITEM per item as it is added.
  replies().measureHeight = -1;
  HWND v = list(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, {"x", "y", "z"});
  log().clear();
  EXPECT_EQ(SendMessage(v, LB_GETITEMHEIGHT, 2, 0), 12);
  RECT r;
  SendMessage(v, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 10 + 11);
  SendMessage(v, LB_SETCURSEL, 1, 0);
  InvalidateRect(v, nullptr, TRUE);
  pump();
  EXPECT_EQ(taken(), (Log{"DRAWITEM(0,1,0)", "DRAWITEM(1,1,1)", "DRAWITEM(2,1,0)"}));

  // Sorted without strings: the parent compares the item data; deleting
  // hands each item's data back.
  replies().measureHeight = 0;
  HWND s = list(LBS_OWNERDRAWFIXED | LBS_SORT);
  for (LPARAM d : {30, 10, 20}) SendMessage(s, LB_ADDSTRING, 0, d);
  EXPECT_EQ(SendMessage(s, LB_GETITEMDATA, 0, 0), 10);
  EXPECT_EQ(SendMessage(s, LB_GETITEMDATA, 2, 0), 30);
  log().clear();
  SendMessage(s, LB_DELETESTRING, 1, 0);
  SendMessage(s, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(taken(), (Log{"DELETEITEM(1,20)", "DELETEITEM(1,30)", "DELETEITEM(0,10)"}));
}

TEST_F(ListBox, TopIndexAndTheScrollBar) {
  HWND l = list(WS_VSCROLL | LBS_NOINTEGRALHEIGHT, {"short"});
  EXPECT_FALSE(GetWindowLong(l, GWL_STYLE) & WS_VSCROLL) << "nothing to scroll: no bar";
  for (int i = 0; i < 40; ++i) SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
  EXPECT_TRUE(GetWindowLong(l, GWL_STYLE) & WS_VSCROLL);
  SendMessage(l, LB_SETTOPINDEX, 10, 0);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 10);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(l, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 10);
  EXPECT_EQ(si.nMax, 40);
  SendMessage(l, WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessage(l, WM_VSCROLL, SB_PAGEUP, 0);
  int page = static_cast<int>(si.nPage);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), std::max(0, 11 - (page - 1)));
  SendMessage(l, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), 41 - page);
  // The item under a point.
  RECT r;
  SendMessage(l, LB_GETITEMRECT, 41 - page + 1, reinterpret_cast<LPARAM>(&r));
  LRESULT hit = SendMessage(l, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, static_cast<WORD>(r.top + 1)));
  EXPECT_EQ(LOWORD(hit), 41 - page + 1);
  EXPECT_EQ(HIWORD(hit), 0);

  // The horizontal bar, too, shows only for an extent wider than the list.
  HWND wide = list(WS_HSCROLL, {"short"});
  EXPECT_FALSE(GetWindowLong(wide, GWL_STYLE) & WS_HSCROLL) << "no extent: no bar";
  SendMessage(wide, LB_SETHORIZONTALEXTENT, 1000, 0);
  EXPECT_TRUE(GetWindowLong(wide, GWL_STYLE) & WS_HSCROLL);
}

TEST_F(ListBox, WantKeyboardInputAsksTheParentFirst) {
  HWND l = list(LBS_WANTKEYBOARDINPUT | LBS_NOTIFY, {"a", "b", "c", "d"});
  UINT seenKey = 0;
  WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(parent, GWLP_WNDPROC));
  static UINT* seen;
  seen = &seenKey;
  SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM lp) -> LRESULT {
    if (m == WM_VKEYTOITEM) {
      *seen = LOWORD(w);
      return LOWORD(w) == VK_DOWN ? -2 : 3;  // eat Down; anything else selects item 3
    }
    return parentProc(h, m, w, lp);
  }));
  SetFocus(l);
  automation::PressKey(VK_DOWN);
  pump();
  EXPECT_EQ(seenKey, static_cast<UINT>(VK_DOWN));
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
  automation::PressKey(VK_HOME);
  pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3);
  SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
}

}  // namespace

TEST_F(ListBox, AnOwnerMayDestroyTheListWhileItHearsOfAnItemOrAKey) {
  // Each case: the message on which the parent destroys the list, and what
  // makes the list send it.
  struct Case {
    UINT destroyOn;
    DWORD style;
    void (*act)(HWND);
  } cases[] = {
      {WM_DELETEITEM, LBS_OWNERDRAWFIXED, [](HWND l) { SendMessage(l, LB_RESETCONTENT, 0, 0); }},
      {WM_VKEYTOITEM, LBS_WANTKEYBOARDINPUT | LBS_OWNERDRAWFIXED, [](HWND l) {
         SetFocus(l);
         automation::PressKey(VK_DOWN);
       }},
      {WM_CHARTOITEM, LBS_WANTKEYBOARDINPUT | LBS_OWNERDRAWFIXED, [](HWND l) {
         SetFocus(l);
         automation::TypeText("x");
       }},
  };
  WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(parent, GWLP_WNDPROC));
  static UINT destroyOn;
  for (const Case& c : cases) {
    HWND l = list(c.style);
    for (LPARAM d : {1, 2, 3}) SendMessage(l, LB_ADDSTRING, 0, d);
    destroyOn = c.destroyOn;
    SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM lp) -> LRESULT {
      if (m == destroyOn) {
        HWND child = m == WM_DELETEITEM ? GetDlgItem(h, reinterpret_cast<DELETEITEMSTRUCT*>(lp)->CtlID)
                                        : reinterpret_cast<HWND>(lp);
        if (child && IsWindow(child)) DestroyWindow(child);
        return -2;
      }
      return parentProc(h, m, w, lp);
    }));
    c.act(l);
    pump();
    EXPECT_FALSE(IsWindow(l)) << c.destroyOn;
    SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  }
}

// A column heading placed over the list in the dialog's units starts where
// the list draws the column of its tab stop, the first text column too.
TEST(ListBoxTabStops, ColumnsLineUpWithHeadingsInDialogUnits) {
  automation::ResetWindows();
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7320
  caption "Columns"
  rect 0 0 200 90
  font 8 "MS Sans Serif"
  control Static 201 "Last" 10 6 40 8 SS_LEFT
  control Static 202 "First" 90 6 40 8 SS_LEFT
  control Static 203 "Patrol" 150 6 40 8 SS_LEFT
  control ListBox 101 "" 8 16 190 60 LBS_USETABSTOPS | WS_BORDER
end
)", "tabstops", &error)) << error;
  CDialog d(7320);
  ASSERT_TRUE(d.Create(7320));
  HWND list = ::GetDlgItem(d.m_hWnd, 101);
  const int stops[] = {80, 140};
  ::SendMessage(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
  ::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Jones\tBen\tHawks"));
  d.ShowWindow(SW_SHOW);
  automation::PumpUntilIdle();

  // The screen x of the first dark pixel from `from` on in a window's band
  // of rows.
  auto firstInk = [](HWND h, int from, int top, int bottom) {
    RECT c;
    ::GetClientRect(h, &c);
    for (int x = from; x < c.right; ++x)
      for (int y = top; y < bottom; ++y)
        if (GetRValue(automation::PixelAt(h, x, y)) < 64) {
          POINT p{x, y};
          ::ClientToScreen(h, &p);
          return static_cast<int>(p.x);
        }
    return -1;
  };
  RECT item;
  ::SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  int from = 0;
  for (int id : {201, 202, 203}) {
    HWND heading = ::GetDlgItem(d.m_hWnd, id);
    RECT h;
    ::GetClientRect(heading, &h);
    int headingX = firstInk(heading, 0, 0, h.bottom);
    int columnX = firstInk(list, from, item.top, item.bottom);
    ASSERT_GT(columnX, 0);
    EXPECT_NEAR(columnX, headingX, 1) << "column of heading " << id;
    POINT next{0, 0};
    ::ScreenToClient(list, &next);
    // The next column: past this one's text (the columns lie 90 pixels and more apart).
    from = columnX + next.x + 40;
  }
  d.DestroyWindow();
}
