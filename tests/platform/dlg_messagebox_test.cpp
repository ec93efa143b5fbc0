// The message box as a dialog: buttons of each set, the default button,
// layout from the text, and the keys that answer it.
#include "dlg_support.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/MessageBoxDlg.h"
#include "platform/host/Host.h"
#include "tools/gallery/ControlsStates.h"

namespace {

TEST(MessageBoxLayout, ButtonSetsAndDefaults) {
  struct Case {
    UINT type;
    std::vector<int> ids;
    int defaultId;
  } cases[] = {
      {MB_OK, {IDOK}, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, {IDOK, IDCANCEL}, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE},
      {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO},
      {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDRETRY},
      {MB_OK | MB_DEFBUTTON3, {IDOK}, IDOK},  // a default past the last button falls back to the first
  };
  for (const Case& c : cases) {
    msgbox::Layout l = msgbox::ComputeLayout("Text", c.type);
    std::vector<int> ids;
    for (const msgbox::Button& b : l.buttons) ids.push_back(b.id);
    EXPECT_EQ(ids, c.ids) << c.type;
    EXPECT_EQ(l.defaultId, c.defaultId) << c.type;
    // One row, centred, equal buttons inside the box.
    const RECT& first = l.buttons.front().rect;
    const RECT& last = l.buttons.back().rect;
    EXPECT_NEAR(first.left, l.client.cx - last.right, 1) << c.type;
    for (const msgbox::Button& b : l.buttons) {
      EXPECT_EQ(b.rect.top, first.top);
      EXPECT_EQ(b.rect.right - b.rect.left, first.right - first.left);
    }
    EXPECT_LE(last.bottom, l.client.cy);
  }
}

TEST(MessageBoxLayout, SizeFollowsTheText) {
  msgbox::Layout shortText = msgbox::ComputeLayout("Saved.", MB_OK);
  msgbox::Layout wider = msgbox::ComputeLayout(std::string(30, 'W'), MB_OK);
  msgbox::Layout wrapped = msgbox::ComputeLayout(std::string(400, 'a') + " " + std::string(400, 'b'), MB_OK);
  msgbox::Layout lines = msgbox::ComputeLayout("one\ntwo\nthree", MB_OK);
  msgbox::Layout withIcon = msgbox::ComputeLayout("Saved.", MB_OK | MB_ICONEXCLAMATION);
  int lineH = shortText.text.bottom - shortText.text.top;
  ASSERT_GT(lineH, 0);
  EXPECT_GT(wider.client.cx, shortText.client.cx);
  EXPECT_EQ(wider.client.cy, shortText.client.cy);
  // A long text wraps at the limit instead of growing without end.
  EXPECT_LE(wrapped.text.right - wrapped.text.left, 420);
  EXPECT_GT(wrapped.text.bottom - wrapped.text.top, lineH);
  EXPECT_EQ(lines.text.bottom - lines.text.top, 3 * lineH);
  EXPECT_TRUE(IsRectEmpty(&shortText.icon));
  EXPECT_FALSE(IsRectEmpty(&withIcon.icon));
  EXPECT_GE(withIcon.text.left, withIcon.icon.right);
  // Text and buttons never overlap.
  EXPECT_LT(lines.text.bottom, lines.buttons[0].rect.top);
}

class MessageBoxDialog : public dlgtest::DialogTest {};

TEST_F(MessageBoxDialog, KeysAnswerTheBoxAsItsButtonsAllow) {
  struct Case {
    const char* what;
    UINT type;
    std::vector<std::pair<UINT, bool>> keys;  // key, with Alt
    int answer;
  } cases[] = {
      {"Enter presses the default button", MB_YESNO | MB_DEFBUTTON2, {{VK_RETURN, false}}, IDNO},
      {"an access key answers", MB_YESNOCANCEL, {{'N', true}}, IDNO},
      {"Esc is Cancel when there is one", MB_OKCANCEL, {{VK_ESCAPE, false}}, IDCANCEL},
      {"Esc answers a lone OK", MB_OK, {{VK_ESCAPE, false}}, IDOK},
      {"Esc does nothing without Cancel", MB_YESNO, {{VK_ESCAPE, false}, {'Y', false}}, IDYES},
      {"Tab moves the focus to the next button", MB_ABORTRETRYIGNORE, {{VK_TAB, false}, {VK_RETURN, false}}, IDRETRY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool stillOpenAfterFirst = false;
    automation::OnDialog("Question", [&](HWND h) {
      for (size_t i = 0; i < c.keys.size(); ++i) {
        automation::PressKey(c.keys[i].first, false, false, c.keys[i].second);
        automation::PumpUntilIdle();
        if (i == 0) stillOpenAfterFirst = IsWindowVisible(h);
      }
    }, -1);
    EXPECT_EQ(msgbox::Run(nullptr, "Keep it?", "Question", c.type | MB_ICONQUESTION), c.answer);
    EXPECT_EQ(stillOpenAfterFirst, c.keys.size() > 1);
  }
}

TEST_F(MessageBoxDialog, TheBoxShowsItsTextAndBeeps) {
  HWND h = msgbox::Create(nullptr, "Disk full.", "Problem", MB_OK | MB_ICONHAND);
  ASSERT_NE(h, nullptr);
  automation::PumpUntilIdle();
  EXPECT_NE(automation::FindByCaption("Disk full.", h), nullptr);
  EXPECT_NE(automation::FindByCaption("OK", h), nullptr);
  ASSERT_FALSE(automation::Beeps().empty());
  EXPECT_EQ(automation::Beeps().back(), MB_ICONHAND);
  DestroyWindow(h);
}

// The box stands over the middle of its owner: the one given (a control
// stands for its top-level window) or, without one, the active window.
TEST_F(MessageBoxDialog, TheBoxIsCentredOnItsOwner) {
  HWND owner = CreateWindowEx(0, WC_STATIC, "Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 560, 380, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  HWND control = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, owner, nullptr, nullptr,
                                nullptr);
  SetActiveWindow(owner);
  for (HWND given : {owner, control, static_cast<HWND>(nullptr)}) {
    RECT box{}, of{};
    automation::OnDialog("Where", [&](HWND h) {
      GetWindowRect(h, &box);
      GetWindowRect(owner, &of);
    }, IDOK);
    msgbox::Run(given, "Centred?", "Where", MB_OK);
    EXPECT_NEAR((box.left + box.right) / 2, (of.left + of.right) / 2, 1) << given;
    EXPECT_NEAR((box.top + box.bottom) / 2, (of.top + of.bottom) / 2, 1) << given;
  }
  DestroyWindow(owner);
  // With no window yet (the start-up's date note comes before the main
  // window) the box stands in the middle of the screen.
  RECT box{};
  automation::OnDialog("Where", [&](HWND h) { GetWindowRect(h, &box); }, IDOK);
  msgbox::Run(nullptr, "Centred?", "Where", MB_OK);
  EXPECT_NEAR((box.left + box.right) / 2, platform::GetHost().ScreenWidth() / 2, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, platform::GetHost().ScreenHeight() / 2, 1);
}

// The owner of a box stays as it was, its controls included, while the box
// is up and after it closes (the box has its own window; only the focus
// and the selection it hides may change in the owner).
TEST_F(MessageBoxDialog, TheOwnerKeepsItsControlsWhileABoxIsUp) {
  CDialog d(IDD_GALLERY_CONTROLS);
  ASSERT_TRUE(d.Create(IDD_GALLERY_CONTROLS));
  gallery::SetControlsStates(d.m_hWnd);
  d.ShowWindow(SW_SHOW);
  automation::PumpUntilIdle();
  RECT c;
  d.GetClientRect(&c);
  auto picture = [&] {
    std::vector<COLORREF> px;
    for (int y = 0; y < c.bottom; y += 2)
      for (int x = 0; x < c.right; x += 2) px.push_back(automation::PixelAt(d.m_hWnd, x, y));
    return px;
  };
  auto changed = [](const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return static_cast<double>(n) / static_cast<double>(a.size());
  };
  const std::vector<COLORREF> before = picture();
  std::vector<COLORREF> during;
  automation::OnDialog("Over", [&](HWND) {
    automation::PumpUntilIdle();
    during = picture();
  }, IDOK);
  msgbox::Run(d.m_hWnd, "Over the owner", "Over", MB_OK);
  ASSERT_EQ(during.size(), before.size());
  EXPECT_LT(changed(before, during), 0.02) << "while the box is up";
  automation::PumpUntilIdle();
  EXPECT_LT(changed(before, picture()), 0.02) << "after it closed";
  d.DestroyWindow();
}

}  // namespace
