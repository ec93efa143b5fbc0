// The "Button" and "Static" controls: clicks by mouse, space bar and
// BM_CLICK per button type, radio groups, the default-button style, owner
// drawing with the item states, and statics that report clicks or let them
// through.
#include "ctl_support.h"

using namespace ctltest;

namespace {

class Button : public ControlTest {
 protected:
  HWND button(DWORD style, const char* caption = "Caption", RECT r = RECT{10, 10, 110, 35}, int id = 100) {
    HWND b = make(WC_BUTTON, style, r, caption, id);
    log().clear();
    return b;
  }
};

TEST_F(Button, ClicksChangeTheCheckAsTheTypeSays) {
  struct {
    const char* name;
    DWORD style;
    std::vector<LRESULT> checks;  // after each of three clicks
  } cases[] = {
      {"push", BS_PUSHBUTTON, {0, 0, 0}},
      {"check box", BS_CHECKBOX, {0, 0, 0}},
      {"auto check box", BS_AUTOCHECKBOX, {1, 0, 1}},
      {"auto three states", BS_AUTO3STATE, {1, 2, 0}},
      {"auto radio", BS_AUTORADIOBUTTON, {1, 1, 1}},
      {"auto check box, text left", BS_AUTOCHECKBOX | BS_LEFTTEXT, {1, 0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND b = button(c.style);
    for (LRESULT want : c.checks) {
      automation::Click(b, POINT{5, 10});
      automation::AdvanceClock(1000);
      pump();
      EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), want);
    }
    EXPECT_EQ(taken(), (Log{"BN_CLICKED", "BN_CLICKED", "BN_CLICKED"}));
    DestroyWindow(b);
  }
}

TEST_F(Button, PressAndReleaseMustBothBeOnTheButton) {
  HWND b = button(BS_AUTOCHECKBOX);
  automation::MouseDown(b, POINT{5, 5});
  pump();
  EXPECT_EQ(GetCapture(), b);
  EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  automation::MouseMove(b, POINT{300, 5});
  pump();
  EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED) << "dragged off: released look";
  automation::MouseUp(b, POINT{300, 5});
  pump();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 0);
  EXPECT_TRUE(taken().empty());
  // The space bar clicks on its release; BM_CLICK clicks at once.
  automation::PressKey(VK_SPACE);
  pump();
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 1);
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(taken(), (Log{"BN_CLICKED", "BN_CLICKED"}));
  EnableWindow(b, FALSE);
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_TRUE(taken().empty()) << "a disabled button does not click";
}

TEST_F(Button, AutoRadioButtonsUncheckTheirGroupOnly) {
  HWND a = button(BS_AUTORADIOBUTTON | WS_GROUP, "A", RECT{10, 10, 100, 30}, 1);
  HWND b = button(BS_AUTORADIOBUTTON, "B", RECT{10, 30, 100, 50}, 2);
  HWND c = button(BS_AUTORADIOBUTTON, "C", RECT{10, 50, 100, 70}, 3);
  HWND d = button(BS_AUTORADIOBUTTON | WS_GROUP, "D", RECT{10, 70, 100, 90}, 4);
  SendMessage(d, BM_SETCHECK, BST_CHECKED, 0);
  automation::Click(a, POINT{5, 5});
  automation::AdvanceClock(1000);
  automation::Click(c, POINT{5, 5});
  pump();
  EXPECT_EQ(SendMessage(a, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessage(c, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(SendMessage(d, BM_GETCHECK, 0, 0), 1) << "another group";
  EXPECT_TRUE(GetWindowLong(c, GWL_STYLE) & WS_TABSTOP) << "the checked radio button is the group's tab stop";
  automation::AdvanceClock(1000);
  automation::DoubleClick(c, POINT{5, 5});
  pump();
  Log got = taken();
  EXPECT_EQ(got.back(), "BN_DOUBLECLICKED");
}

TEST_F(Button, DialogCodesAndTheDefaultStyle) {
  struct {
    DWORD style;
    LRESULT code;
  } cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON}, {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON}, {BS_AUTOCHECKBOX, DLGC_BUTTON},
      {BS_GROUPBOX, DLGC_STATIC},                           {BS_OWNERDRAW, DLGC_BUTTON},
  };
  for (const auto& c : cases) {
    HWND b = button(c.style);
    EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), c.code) << c.style;
    DestroyWindow(b);
  }
  HWND b = button(BS_PUSHBUTTON | WS_TABSTOP);
  SendMessage(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessage(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLong(b, GWL_STYLE) & WS_TABSTOP) << "only the type bits change";
  // The default button wears a dark frame.
  pump();
  EXPECT_EQ(automation::PixelAt(b, 0, 12), GetSysColor(COLOR_WINDOWFRAME));
}

TEST_F(Button, OwnerDrawAsksTheParentWithTheItemState) {
  auto item = [](UINT action, UINT state) {
    return "DRAWITEM(0," + std::to_string(action) + "," + std::to_string(state) + ")";
  };
  HWND b = button(BS_OWNERDRAW);
  InvalidateRect(b, nullptr, TRUE);
  pump();
  EXPECT_EQ(taken(), (Log{item(ODA_DRAWENTIRE, 0)}));
  // Each change is drawn as it happens: the focus, then the press.
  automation::MouseDown(b, POINT{5, 5});
  pump();
  EXPECT_EQ(taken(), (Log{item(ODA_FOCUS, ODS_FOCUS), item(ODA_SELECT, ODS_SELECTED | ODS_FOCUS)}));
  automation::MouseUp(b, POINT{5, 5});
  pump();
  EXPECT_EQ(taken(), (Log{item(ODA_SELECT, ODS_FOCUS), "BN_CLICKED"}));
  EnableWindow(b, FALSE);
  pump();
  Log got = taken();
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), item(ODA_DRAWENTIRE, ODS_DISABLED));
}

TEST_F(Button, StaticsReportClicksOnlyWithNotify) {
  HWND label = make(WC_STATIC, SS_LEFT, RECT{10, 100, 110, 120}, "Label", 9);
  EXPECT_EQ(SendMessage(label, WM_NCHITTEST, 0, MAKELPARAM(115, 205)), HTTRANSPARENT);
  // Attached labels add SS_NOTIFY at run time to hear their clicks.
  SetWindowLong(label, GWL_STYLE, GetWindowLong(label, GWL_STYLE) | SS_NOTIFY);
  EXPECT_EQ(SendMessage(label, WM_NCHITTEST, 0, MAKELPARAM(115, 205)), HTCLIENT);
  log().clear();
  automation::Click(label, POINT{5, 5});
  automation::AdvanceClock(1000);
  automation::DoubleClick(label, POINT{5, 5});
  pump();
  EXPECT_EQ(taken(), (Log{"STN_CLICKED", "STN_CLICKED", "STN_DBLCLK"}));
  EXPECT_EQ(SendMessage(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

// A group box drawn over its radio buttons (it comes first in a dialog, so
// it lies above them) lets their clicks through: the window layer passes an
// HTTRANSPARENT hit to the sibling below the point before the parent.
TEST_F(Button, ClicksFallThroughAGroupBoxToTheButtonBelow) {
  HWND group = make(WC_BUTTON, BS_GROUPBOX, RECT{10, 10, 200, 100}, "Group", 1);
  HWND radio = make(WC_BUTTON, BS_AUTORADIOBUTTON, RECT{20, 30, 120, 50}, "R", 2);
  ASSERT_EQ(GetWindow(parent, GW_CHILD), group) << "created first, it lies on top";
  log().clear();
  automation::Click(radio, POINT{5, 5});
  pump();
  EXPECT_EQ(SendMessage(radio, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(taken(), (Log{"BN_CLICKED"}));
}

TEST_F(Button, StaticDrawsFramesAndBitmaps) {
  struct {
    DWORD style;
    int x, y;
    int color;
  } cases[] = {
      {SS_BLACKRECT, 5, 5, COLOR_3DDKSHADOW},   {SS_GRAYRECT, 5, 5, COLOR_BTNSHADOW},
      {SS_WHITEFRAME, 0, 5, COLOR_BTNHIGHLIGHT}, {SS_ETCHEDFRAME, 0, 5, COLOR_BTNSHADOW},
      {SS_ETCHEDFRAME, 1, 5, COLOR_BTNHIGHLIGHT},
  };
  for (const auto& c : cases) {
    HWND s = make(WC_STATIC, c.style, RECT{10, 10, 60, 40}, "", 5);
    pump();
    EXPECT_EQ(automation::PixelAt(s, c.x, c.y), GetSysColor(c.color)) << c.style;
    DestroyWindow(s);
  }
  const BYTE bits[] = {0x00, 0x00, 0x00, 0x00};  // rows of a word each
  HBITMAP bmp = CreateBitmap(4, 2, 1, 1, bits);
  HWND s = make(WC_STATIC, SS_BITMAP, RECT{10, 10, 60, 40}, "", 6);
  EXPECT_EQ(SendMessage(s, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp)), 0);
  EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessage(s, STM_GETIMAGE, IMAGE_BITMAP, 0)), bmp);
  pump();
  EXPECT_EQ(automation::PixelAt(s, 1, 1), RGB(0, 0, 0));
  DestroyWindow(s);
  DeleteObject(bmp);
}

}  // namespace
