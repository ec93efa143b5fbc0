// The "ComboBox" control: its edit child, the dropped list as an owned
// pop-up, opening and closing by keys and mouse with the notifications in
// the framework's order, selection by keys and typing, and the CB_
// messages.
#include "ctl_support.h"

using namespace ctltest;

namespace {

class ComboBox : public ControlTest {
 protected:
  HWND combo(DWORD style, std::initializer_list<const char*> items = {"Apple", "Banana", "Cherry", "Damson"},
             RECT r = RECT{10, 10, 160, 200}) {
    HWND c = make(WC_COMBOBOX, style | WS_TABSTOP, r);
    for (const char* s : items) SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    pump();
    log().clear();
    return c;
  }
  // The dropped list: the visible top-level "ComboLBox" window.
  static HWND droppedList() {
    HWND l = automation::FindByClass(WC_COMBOLBOX);
    return l && IsWindowVisible(l) ? l : nullptr;
  }
  static POINT itemPoint(HWND list, int i) {
    RECT r;
    SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    return POINT{r.left + 5, (r.top + r.bottom) / 2};
  }
  static POINT buttonPoint(HWND c) {
    RECT r;
    GetClientRect(c, &r);
    return POINT{r.right - 6, r.bottom / 2};
  }
};

TEST_F(ComboBox, DropDownListOpensByClickAndChoosesAnItem) {
  HWND c = combo(CBS_DROPDOWNLIST | WS_VSCROLL);
  RECT wr;
  GetWindowRect(c, &wr);
  EXPECT_LT(wr.bottom - wr.top, 30) << "the window is as high as its selection field";
  automation::Click(c, POINT{20, 5});
  pump();
  HWND list = droppedList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetParent(list), GetAncestor(c, GA_ROOT)) << "an owned top-level pop-up";
  EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_CHILD);
  RECT lr;
  GetWindowRect(list, &lr);
  EXPECT_EQ(lr.top, wr.bottom);
  EXPECT_EQ(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  EXPECT_EQ(GetFocus(), c);
  EXPECT_EQ(taken(), (Log{"CBN_SETFOCUS", "CBN_DROPDOWN"}));
  // Hovering moves the highlight without a notification; the click chooses.
  automation::MouseMove(list, itemPoint(list, 1));
  automation::Click(list, itemPoint(list, 2));
  pump();
  EXPECT_EQ(droppedList(), nullptr);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(text(c), "Cherry");
  EXPECT_EQ(taken(), (Log{"CBN_SELENDOK", "CBN_CLOSEUP", "CBN_SELCHANGE"}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBox, ClosingWithoutChoosingCancels) {
  HWND c = combo(CBS_DROPDOWNLIST);
  HWND elsewhere = make(WC_BUTTON, BS_PUSHBUTTON, RECT{200, 10, 280, 35}, "Other", 300);
  SendMessage(c, CB_SETCURSEL, 1, 0);
  struct {
    const char* name;
    std::function<void()> close;
  } ways[] = {
      {"escape", [] { automation::PressKey(VK_ESCAPE); }},
      {"click elsewhere", [&] { automation::Click(elsewhere, POINT{5, 5}); }},
      {"click on the combo again", [&] { automation::Click(c, buttonPoint(c)); }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.name);
    SetFocus(c);
    automation::PressKey(VK_F4);
    pump();
    HWND list = droppedList();
    ASSERT_NE(list, nullptr);
    automation::MouseMove(list, itemPoint(list, 3));
    pump();
    log().clear();
    w.close();
    pump();
    EXPECT_EQ(droppedList(), nullptr);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1) << "the hovered item is not taken";
    Log got = taken();
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got[0], "CBN_SELENDCANCEL");
    EXPECT_EQ(got[1], "CBN_CLOSEUP");
  }
}

TEST_F(ComboBox, KeysOpenMoveAndChoose) {
  HWND c = combo(CBS_DROPDOWNLIST);
  SetFocus(c);
  pump();
  log().clear();
  struct {
    const char* name;
    std::function<void()> act;
    bool dropped;
    int cur;
    Log notes;
  } steps[] = {
      {"down selects", [] { automation::PressKey(VK_DOWN); }, false, 0, {"CBN_SELENDOK", "CBN_SELCHANGE"}},
      {"alt+down opens", [] { automation::PressKey(VK_DOWN, false, false, true); }, true, 0, {"CBN_DROPDOWN"}},
      {"down in the open list", [] { automation::PressKey(VK_DOWN); }, true, 1, {"CBN_SELCHANGE"}},
      {"enter chooses", [] { automation::PressKey(VK_RETURN); }, false, 1, {"CBN_SELENDOK", "CBN_CLOSEUP"}},
      {"f4 opens", [] { automation::PressKey(VK_F4); }, true, 1, {"CBN_DROPDOWN"}},
      {"f4 closes", [] { automation::PressKey(VK_F4); }, false, 1, {"CBN_SELENDOK", "CBN_CLOSEUP"}},
      {"typing selects by the first letter", [] { automation::TypeText("d"); }, false, 3,
       {"CBN_SELENDOK", "CBN_SELCHANGE"}},
      {"home", [] { automation::PressKey(VK_HOME); }, false, 0, {"CBN_SELENDOK", "CBN_SELCHANGE"}},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    automation::AdvanceClock(1100);
    s.act();
    pump();
    EXPECT_EQ(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0) != 0, s.dropped);
    EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), s.cur);
    EXPECT_EQ(taken(), s.notes);
  }
  EXPECT_EQ(SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0u);
  SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_NE(SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0u) << "Enter and Esc belong to the open list";
  SendMessage(c, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(taken(), (Log{"CBN_DROPDOWN", "CBN_CLOSEUP"}));
}

TEST_F(ComboBox, DropDownHasASubclassableEditChild) {
  HWND c = combo(CBS_DROPDOWN | CBS_AUTOHSCROLL);
  HWND e = GetDlgItem(c, IDC_COMBOEDIT);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(GetWindow(c, GW_CHILD), e) << "the first child";
  RECT er;
  GetWindowRect(e, &er);
  POINT p{er.left + 3, er.top + 3};
  ScreenToClient(c, &p);
  EXPECT_EQ(ChildWindowFromPoint(c, p), e);
  char cls[16];
  GetClassName(e, cls, sizeof cls);
  EXPECT_STREQ(cls, "Edit");

  SetFocus(c);
  pump();
  EXPECT_EQ(GetFocus(), e) << "the combo hands its focus to the edit";
  EXPECT_EQ(taken(), (Log{"CBN_SETFOCUS"}));
  automation::TypeText("Ba");
  pump();
  EXPECT_EQ(text(c), "Ba");
  EXPECT_EQ(taken(), (Log{"CBN_EDITUPDATE", "CBN_EDITCHANGE", "CBN_EDITUPDATE", "CBN_EDITCHANGE"}));
  // The edit passes the combo's keys on: Down selects and fills the text.
  automation::PressKey(VK_DOWN);
  pump();
  EXPECT_EQ(text(c), "Apple");
  // Clicking the button opens; choosing fills the edit and selects it all.
  automation::Click(c, buttonPoint(c));
  pump();
  HWND list = droppedList();
  ASSERT_NE(list, nullptr);
  automation::Click(list, itemPoint(list, 3));
  pump();
  EXPECT_EQ(text(c), "Damson");
  DWORD a = 0, b = 0;
  SendMessage(c, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 6u);
  SendMessage(c, CB_SETEDITSEL, 0, MAKELPARAM(2, 4));
  EXPECT_EQ(SendMessage(c, CB_GETEDITSEL, 0, 0), MAKELONG(2, 4));
  SendMessage(c, CB_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 3);
  // Leaving the edit is leaving the combo.
  HWND other = make(WC_BUTTON, BS_PUSHBUTTON, RECT{200, 10, 280, 35}, "Other", 300);
  log().clear();
  SetFocus(other);
  EXPECT_EQ(taken(), (Log{"CBN_KILLFOCUS"}));
}

TEST_F(ComboBox, TheParentColoursTheEditAndTheListOnTheirBehalf) {
  static std::vector<std::string> asked;
  asked.clear();
  HWND c = combo(CBS_DROPDOWN);
  WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongPtr(parent, GWLP_WNDPROC));
  SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CTLCOLOREDIT || m == WM_CTLCOLORLISTBOX) {
      char cls[32] = {};
      GetClassName(reinterpret_cast<HWND>(l), cls, sizeof cls);
      asked.push_back(std::string(m == WM_CTLCOLOREDIT ? "edit:" : "list:") + cls);
    }
    return parentProc(h, m, w, l);
  }));
  InvalidateRect(GetDlgItem(c, IDC_COMBOEDIT), nullptr, TRUE);
  SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
  pump();
  SendMessage(c, CB_SHOWDROPDOWN, FALSE, 0);
  SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  EXPECT_NE(std::find(asked.begin(), asked.end(), "edit:Edit"), asked.end());
  EXPECT_NE(std::find(asked.begin(), asked.end(), "list:ComboLBox"), asked.end());
}

TEST_F(ComboBox, SimpleComboKeepsItsListShown) {
  HWND c = combo(CBS_SIMPLE, {"one", "two", "three"}, RECT{10, 10, 160, 120});
  HWND list = GetDlgItem(c, 1000);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_CHILD);
  RECT lr;
  SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&lr));
  automation::Click(list, POINT{lr.left + 5, (lr.top + lr.bottom) / 2});
  pump();
  EXPECT_EQ(text(c), "two");
  Log got = taken();
  EXPECT_EQ(got.back(), "CBN_SELCHANGE");
  SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_EQ(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0), FALSE) << "nothing to drop";
}

TEST_F(ComboBox, SimpleComboListShowsWholeItemsUnlessAskedNot) {
  // Bottom edges one pixel apart: one of them cannot fit whole items.
  int cut = 0;
  for (LONG bottom : {70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84}) {
    for (DWORD extra : {0u, static_cast<DWORD>(CBS_NOINTEGRALHEIGHT)}) {
      HWND c = combo(CBS_SIMPLE | extra, {"one", "two", "three", "four", "five"}, RECT{10, 10, 160, bottom});
      HWND list = GetDlgItem(c, 1000);
      RECT lc;
      GetClientRect(list, &lc);
      int itemH = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
      ASSERT_GT(itemH, 0);
      if (extra) cut += lc.bottom % itemH != 0;
      else EXPECT_EQ(lc.bottom % itemH, 0) << bottom;
      DestroyWindow(c);
    }
  }
  EXPECT_GT(cut, 0);
}

TEST_F(ComboBox, PostedClickOpensADropDownList) {
  // A cell activates its combo by posting a button press and release at the
  // combo's corner: the list opens and stays open.
  HWND c = combo(CBS_DROPDOWNLIST);
  PostMessage(c, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
  PostMessage(c, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
  pump();
  EXPECT_NE(droppedList(), nullptr);
  EXPECT_EQ(taken(), (Log{"CBN_SETFOCUS", "CBN_DROPDOWN"}));
}

TEST_F(ComboBox, MessagesAndHeights) {
  HWND c = combo(CBS_DROPDOWNLIST | CBS_SORT, {"pear", "apple", "Fig"});
  struct {
    UINT msg;
    WPARAM w;
    const char* text;
    LRESULT expected;
  } cases[] = {
      {CB_GETCOUNT, 0, nullptr, 3},        {CB_FINDSTRING, static_cast<WPARAM>(-1), "f", 1},
      {CB_FINDSTRING, 1, "a", 0},          {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "PEAR", 2},
      {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "pea", CB_ERR}, {CB_GETLBTEXTLEN, 1, nullptr, 3},
      {CB_GETLBTEXTLEN, 5, nullptr, CB_ERR}, {CB_SELECTSTRING, static_cast<WPARAM>(-1), "zz", CB_ERR},
      {CB_SELECTSTRING, static_cast<WPARAM>(-1), "pe", 2},     {CB_GETCURSEL, 0, nullptr, 2},
  };
  for (const auto& k : cases)
    EXPECT_EQ(SendMessage(c, k.msg, k.w, reinterpret_cast<LPARAM>(k.text)), k.expected) << std::hex << k.msg;
  EXPECT_EQ(text(c), "pear");
  SendMessage(c, CB_SETITEMDATA, 0, 77);
  EXPECT_EQ(SendMessage(c, CB_GETITEMDATA, 0, 0), 77);
  EXPECT_TRUE(taken().empty()) << "messages from the program notify nothing";

  // The selection field's height sets the window's; a taller window asked
  // for becomes the dropped list's height.
  SendMessage(c, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 30);
  EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 30);
  RECT wr;
  GetWindowRect(c, &wr);
  EXPECT_EQ(wr.bottom - wr.top, 36);
  MoveWindow(c, 10, 10, 150, 36 + 60, TRUE);
  RECT dr;
  SendMessage(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dr));
  EXPECT_EQ(dr.bottom - dr.top, 96);
  GetWindowRect(c, &wr);
  EXPECT_EQ(wr.bottom - wr.top, 36);
  SendMessage(c, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(text(c), "");
}

TEST_F(ComboBox, OwnerDrawnItemsAndTheSelectionField) {
  replies().measureHeight = 18;
  HWND c = combo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, {"a", "b"});
  EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 18);
  EXPECT_EQ(SendMessage(c, CB_GETITEMHEIGHT, 0, 0), 18);
  SendMessage(c, CB_SETCURSEL, 1, 0);
  InvalidateRect(c, nullptr, TRUE);
  pump();
  Log got = taken();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), "DRAWITEM(1,1," + std::to_string(ODS_COMBOBOXEDIT) + ")");
  SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
  pump();
  got = taken();
  EXPECT_NE(std::find(got.begin(), got.end(), "DRAWITEM(0,1,0)"), got.end());
  // The selected item of the dropped list shows the focus rectangle.
  EXPECT_NE(std::find(got.begin(), got.end(), "DRAWITEM(1,1," + std::to_string(ODS_SELECTED | ODS_FOCUS) + ")"),
            got.end());
}

}  // namespace
