// The dialog manager: tab order and groups, the default push button, Enter
// and Esc, access keys, modal runs through the automation.
#include "dlg_support.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/framework/CWinApp.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiObject.h"
#include "platform/window/Painting.h"

using namespace dlgtest;

void TestDialog::DoDataExchange(CDataExchange* pDX) {
  if (!exchange) return;
  DDX_Text(pDX, kName, name);
  DDV_MaxChars(pDX, name, 10);
  DDX_Check(pDX, kCheck, check);
  DDX_Radio(pDX, kRed, radio);
  DDX_Text(pDX, kNumber, number);
  DDV_MinMaxInt(pDX, number, minNumber, maxNumber);
  DDX_Text(pDX, kAmount, amount);
}

namespace {

TEST_F(DialogTest, TabWalksTheTabStopsInOrderSkippingHiddenAndDisabledOnes) {
  open();
  EXPECT_EQ(GetFocus(), item(kName));  // the first tab stop starts with the focus
  const int forward[] = {kCheck, kRed, kNumber, kAmount, kApply, IDOK, IDCANCEL, kName};
  for (int id : forward) {
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(id)) << "forward to " << id;
  }
  key(VK_TAB, true);
  EXPECT_EQ(GetFocus(), item(IDCANCEL));
  EnableWindow(item(kCheck), FALSE);
  EnableWindow(item(kAmount), FALSE);
  SetFocus(item(kName));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), item(kRed));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), item(kNumber));
  key(VK_TAB);
  EXPECT_EQ(GetFocus(), item(kApply));
}

// An edit (or list box) with a border shows the two-pixel sunken client
// edge in a dialog, as the combo box's list does.
TEST_F(DialogTest, BorderedEditsGetTheSunkenClientEdge) {
  open();
  HWND e = item(kName);
  EXPECT_FALSE(GetWindowLong(e, GWL_STYLE) & WS_BORDER);
  EXPECT_TRUE(GetWindowLong(e, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  RECT w, c;
  GetWindowRect(e, &w);
  GetClientRect(e, &c);
  EXPECT_EQ(w.right - w.left - c.right, 4);
  EXPECT_EQ(w.bottom - w.top - c.bottom, 4);
}

TEST_F(DialogTest, TabIntoAnEditSelectsItsText) {
  open();
  SetWindowText(item(kNumber), "1234");
  SetFocus(item(kRed));
  key(VK_TAB);
  ASSERT_EQ(GetFocus(), item(kNumber));
  DWORD start = 0, end = 0;
  SendMessage(item(kNumber), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
}

TEST_F(DialogTest, ArrowKeysMoveWithinTheRadioGroupAndCheckTheButton) {
  open();
  SetFocus(item(kRed));
  struct Step {
    UINT vk;
    int focus;
  } steps[] = {{VK_DOWN, kGreen}, {VK_RIGHT, kBlue}, {VK_DOWN, kRed}, {VK_UP, kBlue}, {VK_LEFT, kGreen}};
  for (const Step& s : steps) {
    key(s.vk);
    EXPECT_EQ(GetFocus(), item(s.focus));
    for (int id : {kRed, kGreen, kBlue})
      EXPECT_EQ(IsDlgButtonChecked(dlg->m_hWnd, id), id == s.focus ? BST_CHECKED : BST_UNCHECKED) << id;
  }
  // The group ends where the next group starts: the label and its edits.
  EXPECT_EQ(GetNextDlgGroupItem(dlg->m_hWnd, item(kBlue), FALSE), item(kRed));
  EXPECT_EQ(GetNextDlgGroupItem(dlg->m_hWnd, item(kApply), TRUE), item(IDCANCEL));
}

TEST_F(DialogTest, TheDefaultLookFollowsTheFocusAmongPushButtons) {
  open();
  EXPECT_EQ(dlg->GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
  EXPECT_TRUE(isDefault(IDOK));
  SetFocus(item(kAmount));
  key(VK_TAB);  // onto Apply
  EXPECT_TRUE(isDefault(kApply));
  EXPECT_FALSE(isDefault(IDOK));
  key(VK_TAB);  // onto OK
  EXPECT_TRUE(isDefault(IDOK));
  EXPECT_FALSE(isDefault(kApply));
  key(VK_TAB);  // onto Cancel
  EXPECT_TRUE(isDefault(IDCANCEL));
  key(VK_TAB);  // off the buttons: the dialog's default comes back
  EXPECT_TRUE(isDefault(IDOK));
  EXPECT_FALSE(isDefault(IDCANCEL));
  // Changed at run time.
  dlg->SetDefID(kApply);
  EXPECT_TRUE(isDefault(kApply));
  EXPECT_FALSE(isDefault(IDOK));
  EXPECT_EQ(LOWORD(dlg->GetDefID()), kApply);
}

TEST_F(DialogTest, EnterPressesTheFocusedOrDefaultButtonAndEscCancels) {
  struct Case {
    const char* what;
    int focus;
    int defId;  // 0: as in the template
    UINT vk;
    int command;
  } cases[] = {
      {"Enter in an edit presses the default button", kName, 0, VK_RETURN, IDOK},
      {"Enter on a push button presses that button", kApply, 0, VK_RETURN, kApply},
      {"Enter after the default changed", kName, kApply, VK_RETURN, kApply},
      {"Esc anywhere cancels", kNumber, 0, VK_ESCAPE, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    open();
    if (c.defId) dlg->SetDefID(c.defId);
    SetFocus(item(c.focus));
    dlg->commands.clear();
    key(c.vk);
    ASSERT_EQ(dlg->commands.size(), 1u);
    EXPECT_EQ(dlg->commands[0], c.command);
    delete dlg;
    dlg = nullptr;
  }
}

TEST_F(DialogTest, ADisabledDefaultButtonIgnoresEnterWithABeep) {
  open();
  EnableWindow(item(IDOK), FALSE);
  SetFocus(item(kName));
  key(VK_RETURN);
  EXPECT_TRUE(dlg->commands.empty());
  EXPECT_FALSE(automation::Beeps().empty());
}

TEST_F(DialogTest, AccessKeys) {
  struct Case {
    const char* what;
    int focusBefore;
    UINT vk;
    bool alt;
    int focusAfter;   // 0: unchanged
    int command;      // 0: none
    int checkToggled;  // 0: none
  } cases[] = {
      {"a label hands the focus to the control after it", kCheck, 'N', true, kName, 0, 0},
      {"a label in front of two edits gives the first", kName, 'U', true, kNumber, 0, 0},
      {"a check box takes the focus, toggles and notifies", kName, 'C', true, kCheck, kCheck, kCheck},
      {"a radio button takes the focus, is checked and notifies", kName, 'G', true, kGreen, kGreen, kGreen},
      {"a hidden button still answers its key", kName, 'H', true, 0, kHidden, 0},
      {"a push button is pressed without moving the focus", kName, 'A', true, 0, kApply, 0},
      {"without Alt a button's key works when the focus is not in an edit", kCheck, 'A', false, 0, kApply, 0},
      {"without Alt the letter goes into an edit", kName, 'A', false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    open();
    SetFocus(item(c.focusBefore));
    UINT checkBefore = c.checkToggled ? IsDlgButtonChecked(dlg->m_hWnd, c.checkToggled) : 0;
    dlg->commands.clear();
    key(c.vk, false, false, c.alt);
    EXPECT_EQ(GetFocus(), item(c.focusAfter ? c.focusAfter : c.focusBefore));
    if (c.command) {
      ASSERT_EQ(dlg->commands.size(), 1u);
      EXPECT_EQ(dlg->commands[0], c.command);
    } else {
      EXPECT_TRUE(dlg->commands.empty());
    }
    if (c.checkToggled) {
      EXPECT_NE(IsDlgButtonChecked(dlg->m_hWnd, c.checkToggled), checkBefore);
    }
    delete dlg;
    dlg = nullptr;
  }
}

TEST_F(DialogTest, ADisabledHiddenButtonIgnoresItsKey) {
  open();
  EnableWindow(item(kHidden), FALSE);
  key('H', false, false, true);
  EXPECT_TRUE(dlg->commands.empty());
}

TEST_F(DialogTest, GotoNextAndPrevMoveTheFocusLikeTab) {
  open();
  dlg->GotoDlgCtrl(CWnd::FromHandle(item(kAmount)));
  EXPECT_EQ(GetFocus(), item(kAmount));
  dlg->NextDlgCtrl();
  EXPECT_EQ(GetFocus(), item(kApply));
  EXPECT_TRUE(isDefault(kApply));
  dlg->PrevDlgCtrl();
  dlg->PrevDlgCtrl();
  EXPECT_EQ(GetFocus(), item(kNumber));
  EXPECT_TRUE(isDefault(IDOK));
}

TEST_F(DialogTest, ItemHelpers) {
  open();
  HWND h = dlg->m_hWnd;
  CheckRadioButton(h, kRed, kBlue, kBlue);
  EXPECT_EQ(dlg->GetCheckedRadioButton(kRed, kBlue), kBlue);
  CheckDlgButton(h, kCheck, BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(h, kCheck), BST_CHECKED);
  struct IntCase {
    const char* text;
    BOOL isSigned;
    BOOL ok;
    UINT value;
  } ints[] = {{" 42 ", TRUE, TRUE, 42},          {"-7", TRUE, TRUE, static_cast<UINT>(-7)},
              {"-7", FALSE, FALSE, 0},          {"12x", TRUE, FALSE, 0},
              {"", TRUE, FALSE, 0},             {"4294967295", FALSE, TRUE, 4294967295u},
              {"4294967296", FALSE, FALSE, 0},  {"2147483648", TRUE, FALSE, 0}};
  for (const IntCase& c : ints) {
    SetDlgItemText(h, kNumber, c.text);
    BOOL ok = 2;
    UINT v = GetDlgItemInt(h, kNumber, &ok, c.isSigned);
    EXPECT_EQ(ok, c.ok) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  SetDlgItemInt(h, kNumber, static_cast<UINT>(-12), TRUE);
  char buf[16];
  GetDlgItemText(h, kNumber, buf, sizeof buf);
  EXPECT_STREQ(buf, "-12");
  EXPECT_EQ(SendDlgItemMessage(h, kName, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(DialogTest, ModalRunEndsWithTheCodeTheScriptLeadsTo) {
  TestDialog d;
  d.exchange = true;
  d.name = "old";
  automation::OnDialog("Test Dialog", [](HWND h) {
    // Inside the loop: the members are loaded, the focus is on the first field.
    char buf[32];
    GetDlgItemText(h, kName, buf, sizeof buf);
    EXPECT_STREQ(buf, "old");
    SetDlgItemText(h, kName, "Treasurer");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
  }, IDCANCEL);
  EXPECT_EQ(d.DoModal(), IDOK);
  EXPECT_STREQ(static_cast<LPCTSTR>(d.name), "Treasurer");
  EXPECT_EQ(d.m_hWnd, nullptr);
}

TEST_F(DialogTest, EndDialogCarriesAnyCode) {
  TestDialog d;
  automation::OnDialog("Test Dialog", [](HWND h) { EndDialog(h, 4321); }, IDCANCEL);
  EXPECT_EQ(d.DoModal(), 4321);
}

TEST_F(DialogTest, AnUnansweredModalDialogIsReportedWithItsCaption) {
  std::vector<std::string> seen;
  automation::SetUnansweredHandler([&](const automation::ModalInfo& info) {
    seen.push_back(info.kind + ":" + info.caption + ":" + info.text);
    return IDCANCEL;
  });
  TestDialog d;
  EXPECT_EQ(d.DoModal(), IDCANCEL);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "dialog:Test Dialog:IDD_TEST");
}

TEST_F(DialogTest, TheOwnerIsDisabledWhileAModalDialogRuns) {
  HWND owner = open()->m_hWnd;  // a modeless dialog owns the modal one
  SetActiveWindow(owner);
  TestDialog d;
  BOOL enabledInside = TRUE;
  HWND ownerInside = nullptr;
  automation::OnDialog("Test Dialog", [&](HWND h) {
    enabledInside = IsWindowEnabled(owner);
    ownerInside = GetWindow(h, GW_OWNER);
  }, IDOK);
  EXPECT_EQ(d.DoModal(), IDOK);
  EXPECT_FALSE(enabledInside);
  EXPECT_EQ(ownerInside, owner);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
}

}  // namespace

namespace dlgtest {

// The application's dialog colours reach the dialog's own background, its
// texts and buttons, and its painted face; edits keep the window colours.
TEST_F(DialogTest, TheApplicationsDialogColoursPaintTheDialogTextsAndButtons) {
  CWinApp app("DialogColours");
  const COLORREF back = RGB(10, 120, 30), text = RGB(200, 0, 0);
  app.SetDialogBkColor(back, text);
  open();
  HDC dc = ::GetDC(dlg->m_hWnd);
  const struct {
    UINT msg;
    int id;  // 0: the dialog itself
    bool ours;
  } cases[] = {{WM_CTLCOLORDLG, 0, true},
               {WM_CTLCOLORSTATIC, kCheck, true},
               {WM_CTLCOLORBTN, kApply, true},
               {WM_CTLCOLOREDIT, kName, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.msg);
    ::SetTextColor(dc, RGB(1, 2, 3));
    HWND ctl = c.id ? item(c.id) : dlg->m_hWnd;
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessage(dlg->m_hWnd, c.msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(ctl)));
    LOGBRUSH lb{};
    ASSERT_GT(::GetObject(brush, sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor == back, c.ours);
    EXPECT_EQ(::GetTextColor(dc) == text, c.ours);
  }
  ::ReleaseDC(dlg->m_hWnd, dc);
  ::InvalidateRect(dlg->m_hWnd, nullptr, TRUE);
  ::UpdateWindow(dlg->m_hWnd);
  HDC paint = ::GetDC(dlg->m_hWnd);
  EXPECT_EQ(::GetPixel(paint, 2, 95), back);
  ::ReleaseDC(dlg->m_hWnd, paint);
  delete dlg;
  dlg = nullptr;
}

TEST_F(DialogTest, DisablingTheFocusedControlMovesTheFocusOnAndKeysStillWork) {
  // As after a delete: the pressed button disables itself. The focus moves
  // to the next control that can take it, and Esc still cancels.
  open();
  ::SetFocus(item(107));
  ASSERT_EQ(::GetFocus(), item(107));
  ::EnableWindow(item(107), FALSE);
  EXPECT_EQ(::GetFocus(), item(IDOK));
  // Also when the next ones are disabled too, and from the last control.
  ::EnableWindow(item(IDOK), FALSE);
  EXPECT_EQ(::GetFocus(), item(IDCANCEL));
  ::EnableWindow(item(IDCANCEL), FALSE);
  EXPECT_EQ(::GetFocus(), item(101));
  ::EnableWindow(item(IDCANCEL), TRUE);
  key(VK_ESCAPE);
  EXPECT_EQ(dlg->commands.back(), IDCANCEL);
}

// The control the user was last in gets the keyboard back whenever a box or
// a modal dialog over the dialog closes, also after earlier boxes left an
// older control remembered.
TEST_F(DialogTest, TheFocusComesBackToTheLastFocusedControlAfterEachModalWindowOverTheDialog) {
  HWND owner = open()->m_hWnd;
  SetActiveWindow(owner);
  automation::AlwaysAnswer("Question", "", IDOK);
  struct Step {
    int focus;
    bool box;  // a message box, else a modal dialog
  };
  for (Step s : {Step{kApply, true}, Step{kAmount, false}, Step{kCheck, true}, Step{kName, false}}) {
    ::SetFocus(item(s.focus));
    if (s.box) ::MessageBox(owner, "Sure?", "Question", MB_OKCANCEL);
    else {
      automation::OnDialog("Test Dialog", [](HWND h) { EndDialog(h, IDOK); }, IDCANCEL);
      TestDialog{}.DoModal();
    }
    automation::PumpUntilIdle();
    EXPECT_EQ(::GetActiveWindow(), owner);
    EXPECT_EQ(::GetFocus(), item(s.focus)) << "after " << (s.box ? "a box" : "a dialog") << " from " << s.focus;
  }
}

}  // namespace dlgtest

namespace {

// A dialog its template and code leave at the owner's client origin opens
// centred on the owner; one the template places keeps its place.
TEST_F(DialogTest, AnUnplacedDialogOpensCentredOnItsOwner) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(R"(
dialog 7050
  caption "Unplaced"
  rect 0 0 100 40
end
dialog 7051
  caption "Placed"
  rect 20 10 100 40
end
)", "placement", &error)) << error;
  HWND owner = CreateWindowEx(0, "STATIC", "Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 80, 600, 400, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  CWnd* ownerWnd = CWnd::FromHandle(owner);
  RECT o;
  GetWindowRect(owner, &o);
  POINT client{0, 0};
  ClientToScreen(owner, &client);

  CDialog unplaced, placed;
  ASSERT_TRUE(unplaced.Create(7050, ownerWnd));
  ASSERT_TRUE(placed.Create(7051, ownerWnd));
  RECT u, p;
  GetWindowRect(unplaced.m_hWnd, &u);
  GetWindowRect(placed.m_hWnd, &p);
  EXPECT_NEAR((u.left + u.right) / 2, (o.left + o.right) / 2, 1);
  EXPECT_NEAR((u.top + u.bottom) / 2, (o.top + o.bottom) / 2, 1);
  RECT units{20, 10, 0, 0};
  MapDialogRect(placed.m_hWnd, &units);
  EXPECT_EQ(p.left, client.x + units.left);
  EXPECT_EQ(p.top, client.y + units.top);
  unplaced.DestroyWindow();
  placed.DestroyWindow();
  DestroyWindow(owner);
}

}  // namespace
