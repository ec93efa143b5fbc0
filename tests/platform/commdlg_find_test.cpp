// The modeless find and replace dialogs: what their owner is told, and
// their going away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/commdlg/FindReplaceDialog.h"
#include "platform/framework/CWnd.h"
#include "tests/platform/commdlg_support.h"

using namespace commdlgtest;

namespace {

// The owner: records every find-replace message as the grid reads it.
class Owner : public CWnd {
 public:
  struct Seen {
    DWORD action;
    std::string find, replace;
    bool down, matchCase;
  };
  std::vector<Seen> seen;
  CFindReplaceDialog* terminated = nullptr;
  bool closeOnTerm = false;  // closes the dialog itself, as some owners do

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == RegisterWindowMessage(FINDMSGSTRING)) {
      CFindReplaceDialog* dlg = CFindReplaceDialog::GetNotifier(lParam);
      if (!dlg) return 0;
      DWORD action = dlg->FindNext() ? FR_FINDNEXT : dlg->ReplaceCurrent() ? FR_REPLACE
                     : dlg->ReplaceAll() ? FR_REPLACEALL : dlg->IsTerminating() ? FR_DIALOGTERM : 0;
      if (dlg->IsTerminating()) terminated = dlg;
      seen.push_back({action, std::string(dlg->GetFindString()), std::string(dlg->GetReplaceString()),
                      dlg->SearchDown() != FALSE, dlg->MatchCase() != FALSE});
      if (dlg->IsTerminating() && closeOnTerm) dlg->DestroyWindow();
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class FindReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  }
  void TearDown() override { automation::ResetWindows(); }
  void Click(HWND dlg, int id) {
    automation::Click(GetDlgItem(dlg, id), POINT{3, 3});
    automation::PumpUntilIdle();
  }
  Owner owner;
};

TEST_F(FindReplaceTest, FindNextTellsTheOwnerTextDirectionAndCase) {
  auto* dlg = new CFindReplaceDialog;
  ASSERT_TRUE(dlg->Create(TRUE, "Dues", nullptr, FR_DOWN | FR_HIDEWHOLEWORD, &owner));
  HWND h = dlg->m_hWnd;
  automation::PumpUntilIdle();
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(h, chx1)));  // whole word hidden
  EXPECT_EQ(ItemText(h, edt1), "Dues");
  Click(h, IDOK);
  Click(h, chx2);  // match case
  Click(h, rad1);  // up
  TypeAndEnter(h, edt1, "Camp");
  ASSERT_EQ(owner.seen.size(), 2u);
  EXPECT_EQ(owner.seen[0].action, static_cast<DWORD>(FR_FINDNEXT));
  EXPECT_EQ(owner.seen[0].find, "Dues");
  EXPECT_TRUE(owner.seen[0].down);
  EXPECT_FALSE(owner.seen[0].matchCase);
  EXPECT_EQ(owner.seen[1].find, "Camp");
  EXPECT_FALSE(owner.seen[1].down);
  EXPECT_TRUE(owner.seen[1].matchCase);

  // An empty text cannot be searched for.
  SetDlgItemText(h, edt1, "");
  automation::PumpUntilIdle();
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDOK)));

  // Cancel: the owner hears of it while the dialog still answers, then the
  // window is gone (and the object deleted itself).
  Click(h, IDCANCEL);
  ASSERT_EQ(owner.seen.size(), 3u);
  EXPECT_EQ(owner.seen[2].action, static_cast<DWORD>(FR_DIALOGTERM));
  EXPECT_EQ(owner.terminated, dlg);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(CFindReplaceDialog::GetNotifier(reinterpret_cast<LPARAM>(&dlg->m_fr)), nullptr);
}

TEST_F(FindReplaceTest, ReplaceAndReplaceAllCarryBothTexts) {
  auto* dlg = new CFindReplaceDialog;
  ASSERT_TRUE(dlg->Create(FALSE, "Troop", "Pack", FR_DOWN | FR_MATCHCASE | FR_HIDEWHOLEWORD, &owner));
  HWND h = dlg->m_hWnd;
  automation::PumpUntilIdle();
  EXPECT_EQ(ItemText(h, edt2), "Pack");
  Click(h, psh1);
  SetDlgItemText(h, edt2, "Crew");
  Click(h, psh2);
  ASSERT_EQ(owner.seen.size(), 2u);
  owner.closeOnTerm = true;
  EXPECT_EQ(owner.seen[0].action, static_cast<DWORD>(FR_REPLACE));
  EXPECT_EQ(owner.seen[0].replace, "Pack");
  EXPECT_TRUE(owner.seen[0].matchCase);
  EXPECT_EQ(owner.seen[1].action, static_cast<DWORD>(FR_REPLACEALL));
  EXPECT_EQ(owner.seen[1].find, "Troop");
  EXPECT_EQ(owner.seen[1].replace, "Crew");
  dlg->SendMessage(WM_CLOSE);
  automation::PumpUntilIdle();
  EXPECT_EQ(owner.seen.back().action, static_cast<DWORD>(FR_DIALOGTERM));
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(FindReplaceTest, TheCallersRecordWithoutOwnerOrBufferIsRefused) {
  char find[32] = "x";
  FINDREPLACE fr;
  fr.lpstrFindWhat = find;
  fr.wFindWhatLen = sizeof find;
  EXPECT_EQ(FindText(&fr), nullptr);
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
  fr.hwndOwner = owner.m_hWnd;
  fr.wFindWhatLen = 0;
  EXPECT_EQ(FindText(&fr), nullptr);
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FRERR_BUFFERLENGTHZERO));
  fr.wFindWhatLen = sizeof find;
  fr.Flags = FR_DOWN;
  HWND h = FindText(&fr);
  ASSERT_NE(h, nullptr);
  TypeAndEnter(h, edt1, "Fees");
  EXPECT_STREQ(find, "Fees");
  ASSERT_EQ(owner.seen.size(), 1u);
  EXPECT_EQ(owner.seen[0].find, "Fees");
  DestroyWindow(h);
}

}  // namespace
