// Account Management on the fixture year: its list (columns, empty balance
// and count cells), the buttons each class of account enables, the
// register seam, the picture buttons' moves, Add and Delete with the
// store's refusal, the hidden Log dump, and its picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RecordsTestUtil.h"
#include "common/CommandIds.h"
#include "common/CommandRegistry.h"
#include "common/PrefValues.h"
#include "common/TempFolder.h"
#include "common/Question.h"
#include "platform/host/Keys.h"
#include "platform/window/CommCtrlDefs.h"
#include "records/AccountCommands.h"
#include "records/AccountRegisterSeam.h"
#include "records/AcctMgmtDlg.h"
#include "records/LogDump.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "support/GoldenImage.h"

namespace {

int RowOf(HWND list, int number) {
  const int n = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i)
    if (std::atoi(ListCell(list, i, 0).c_str()) == number) return i;
  return -1;
}

void SelectRow(HWND list, int row) {
  LVITEM set{};
  set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&set));
  automation::PumpUntilIdle();
}

std::vector<int> opened;
void RecordOpen(const AccountRecord& a) { opened.push_back(a.number); }

class AcctMgmtTest : public RecordDialogTest {
 protected:
  void SetUp() override {
    RecordDialogTest::SetUp();
    std::snprintf(TempFolder, sizeof TempFolder, "%s", fy.home().c_str());
    opened.clear();
    UseGridEntry = 1;
  }
  void TearDown() override {
    SetAccountGridOpener(nullptr);
    SetAccountFormOpener(nullptr);
    RecordDialogTest::TearDown();
  }
  void Run(std::function<void(HWND)> script) {
    Drive("Account Management", std::move(script), [] {
      CAcctMgmtDlg dlg;
      dlg.DoModal();
    });
  }
  fixture::FiscalYear fy;
};

TEST_F(AcctMgmtTest, ListsTheAccountsWithTheirClassBalanceAndCount) {
  std::string caption;
  std::vector<std::vector<std::string>> rows;
  Run([&](HWND h) {
    caption = Caption(h);
    HWND list = GetDlgItem(h, IDC_REC_LIST);
    for (int number : {1, 520, 900, 710})
      rows.push_back({ListCell(list, RowOf(list, number), 0), ListCell(list, RowOf(list, number), 1),
                      ListCell(list, RowOf(list, number), 2), ListCell(list, RowOf(list, number), 3)});
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(caption, "Account Management (10 accounts)");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"  1-Petty Cash", "Cash", "$50.00", ""}));
  EXPECT_EQ(rows[1][1], "Income");
  EXPECT_NE(rows[1][3], "");
  EXPECT_EQ(rows[2][2], "");  // 900 never shows a balance
  EXPECT_EQ(rows[3][0], "710-Camp Reserve");
}

TEST_F(AcctMgmtTest, TheSelectedAccountsClassDecidesItsButtons) {
  struct Case {
    int number;
    bool registerOn, balance, budget, autoClear;
  };
  const Case withSeam[] = {
      {101, true, true, true, false}, {401, true, true, true, false}, {520, false, false, true, false},
      {620, false, false, true, false}, {710, false, false, true, true}, {900, true, false, true, false},
  };
  for (bool seam : {false, true}) {
    SetAccountGridOpener(seam ? RecordOpen : nullptr);
    Run([&](HWND h) {
      HWND list = GetDlgItem(h, IDC_REC_LIST);
      for (const Case& c : withSeam) {
        SelectRow(list, RowOf(list, c.number));
        EXPECT_EQ(Enabled(h, IDC_ACCT_REGISTER), c.registerOn && seam) << c.number;
        EXPECT_EQ(Enabled(h, IDC_ACCT_REGISTER_KEY), c.registerOn && seam) << c.number;
        EXPECT_EQ(Enabled(h, IDC_ACCT_BALANCE), c.balance) << c.number;
        EXPECT_EQ(Enabled(h, IDC_ACCT_BUDGET), c.budget) << c.number;
        EXPECT_EQ(Enabled(h, IDC_ACCT_AUTOCLEAR), c.autoClear) << c.number;
        EXPECT_TRUE(Enabled(h, IDC_REC_EDIT));
        EXPECT_FALSE(Visible(h, IDC_REC_LOG));
      }
      Press(h, IDCANCEL);
    });
  }
  // The preference chooses the form while only the grid is installed: off.
  UseGridEntry = 0;
  bool formOff = true;
  Run([&](HWND h) {
    HWND list = GetDlgItem(h, IDC_REC_LIST);
    SelectRow(list, RowOf(list, 101));
    formOff = !Enabled(h, IDC_ACCT_REGISTER);
    Press(h, IDCANCEL);
  });
  EXPECT_TRUE(formOff);
}

TEST_F(AcctMgmtTest, DoubleClickAndEnterOpenTheRegisterOfAssetAccountsOnly) {
  SetAccountGridOpener(RecordOpen);
  Run([&](HWND h) {
    HWND list = GetDlgItem(h, IDC_REC_LIST);
    RECT item{};
    for (int number : {520, 101}) {
      const int row = RowOf(list, number);
      item.left = LVIR_BOUNDS;
      SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      automation::DoubleClick(list, POINT{item.left + 4, (item.top + item.bottom) / 2});
      automation::PumpUntilIdle();
    }
    SetFocus(list);
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(opened, (std::vector<int>{101, 101}));
}

TEST_F(AcctMgmtTest, AddAndDeleteRefillTheListAndTheStoreRefusesInUseAccounts) {
  std::vector<std::string> captions;
  Run([&](HWND h) {
    automation::OnDialog("Account Information", [](HWND info) {
      SetField(info, IDC_ACCT_NUMBER, "202");
      SetField(info, IDC_ACCT_NAME, "Savings Two");
      Press(info, IDOK);
    }, IDABORT);
    Press(h, IDC_REC_ADD);
    captions.push_back(Caption(h));
    HWND list = GetDlgItem(h, IDC_REC_LIST);
    EXPECT_EQ(ListCell(list, static_cast<int>(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)), 0),
              "202-Savings Two");
    automation::ExpectMessageBox("Question", "Savings Two", ANSWER_YES);
    Press(h, IDC_REC_DELETE);
    captions.push_back(Caption(h));
    SelectRow(list, RowOf(list, 101));
    automation::ExpectMessageBox("Question", "Checking", ANSWER_YES);
    automation::ExpectMessageBox("Warning", "Account is involved in transactions - cannot delete", IDOK);
    Press(h, IDC_REC_DELETE);
    captions.push_back(Caption(h));
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(captions, (std::vector<std::string>{"Account Management (11 accounts)", "Account Management (10 accounts)",
                                                "Account Management (10 accounts)"}));
}

TEST_F(AcctMgmtTest, PictureButtonsFollowTheWindowsSizeWhichKeepsItsMinimumAndIsRemembered) {
  int firstWidth = 0, firstHeight = 0;
  Run([&](HWND h) {
    const int ids[4] = {IDC_ACCT_REGISTER, IDC_ACCT_BALANCE, IDC_ACCT_BUDGET, IDC_ACCT_AUTOCLEAR};
    RECT before[4], after[4], r{};
    for (int i = 0; i < 4; ++i) GetWindowRect(GetDlgItem(h, ids[i]), &before[i]);
    GetWindowRect(h, &r);
    firstWidth = r.right - r.left;
    firstHeight = r.bottom - r.top;
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left + 41, r.bottom - r.top + 10, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    for (int i = 0; i < 4; ++i) GetWindowRect(GetDlgItem(h, ids[i]), &after[i]);
    const int expectedDx[4] = {0, 10, 20, 30};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(after[i].left - before[i].left, expectedDx[i]) << i;
      EXPECT_EQ(after[i].top - before[i].top, 10) << i;
    }
    // Below its first size it snaps back to that size.
    SetWindowPos(h, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    RECT small{};
    GetWindowRect(h, &small);
    EXPECT_EQ(small.right - small.left, r.right - r.left);
    EXPECT_EQ(small.bottom - small.top, r.bottom - r.top);
    SetWindowPos(h, nullptr, 0, 0, r.right - r.left + 41, r.bottom - r.top + 10, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    Press(h, IDCANCEL);
  });
  // It reopens at its last size.
  Run([&](HWND h) {
    RECT again{};
    GetWindowRect(h, &again);
    EXPECT_EQ(again.right - again.left, firstWidth + 41);
    EXPECT_EQ(again.bottom - again.top, firstHeight + 10);
    Press(h, IDCANCEL);
  });
}

// Resting the mouse on a picture button shows its command and access key
// (with an account selected that enables the button).
TEST_F(AcctMgmtTest, PictureButtonsHaveTips) {
  const struct {
    int id;
    const char* tip;
    int account;
  } cases[] = {{IDC_ACCT_REGISTER, "Account Register  (Alt-R)", 101},
               {IDC_ACCT_BALANCE, "Balance Account  (Alt-B)", 101},
               {IDC_ACCT_BUDGET, "Account Budget  (Alt-U)", 101},
               {IDC_ACCT_AUTOCLEAR, "Clear Reserve Account  (Alt-L)", 710}};
  SetAccountGridOpener(RecordOpen);
  Run([&](HWND h) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.tip);
      HWND list = GetDlgItem(h, IDC_REC_LIST);
      SelectRow(list, RowOf(list, c.account));
      HWND button = GetDlgItem(h, c.id);
      ASSERT_TRUE(IsWindowEnabled(button));
      automation::MouseMove(button, POINT{5, 5});
      automation::PumpUntilIdle();
      automation::AdvanceClock(600);
      HWND tips = automation::FindByClass("tooltips_class32");
      ASSERT_NE(tips, nullptr);
      EXPECT_TRUE(IsWindowVisible(tips));
      char text[80] = "";
      TOOLINFO ti{};
      ti.hwnd = h;
      ti.uId = reinterpret_cast<UINT_PTR>(button);
      ti.uFlags = TTF_IDISHWND;
      ti.lpszText = text;
      SendMessage(tips, TTM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(&ti));
      EXPECT_STREQ(text, c.tip);
      // Away from the pictures the tip goes.
      automation::MouseMove(GetDlgItem(h, IDC_REC_LIST), POINT{5, 5});
      automation::PumpUntilIdle();
      EXPECT_FALSE(IsWindowVisible(tips));
    }
    Press(h, IDCANCEL);
  });
}

TEST_F(AcctMgmtTest, TheHiddenLogShowsEveryRowOfTheAccountFileAndRemovesTheDump) {
  std::string text;
  Run([&](HWND h) {
    automation::OnDialog("Accounts", [&](HWND viewer) {
      text = FieldText(viewer, IDC_TEXTVIEW_TEXT);
    }, IDCANCEL);
    Press(h, IDC_REC_LOG);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(text.rfind("Row  ID    Sel Del Name                      OpenBal   CurrBal   TCnt BRec Type Multi\r\n", 0), 0u);
  EXPECT_NE(text.find("   0     1   0   0 Petty Cash                     5000      5000"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(LogDumpPath("acctlog.txt")));
}

TEST_F(AcctMgmtTest, TheMenuCommandOpensItOnceInstalled) {
  ClearCommands();
  EXPECT_EQ(FindCommand(ID_EDIT_ACCOUNTS), nullptr);
  InstallAccountDialogs();
  ASSERT_NE(FindCommand(ID_EDIT_ACCOUNTS), nullptr);
  bool shown = false;
  automation::OnDialog("Account Management", [&](HWND) { shown = true; }, IDCANCEL);
  FindCommand(ID_EDIT_ACCOUNTS)();
  EXPECT_TRUE(shown);
  ClearCommands();
}

TEST_F(AcctMgmtTest, Picture) {
  Run([&](HWND h) {
    EXPECT_TRUE(golden::Matches("records/account_management.png",
                                [&](const std::string& path) { return automation::RenderToPng(h, path); }));
    Press(h, IDCANCEL);
  });
}

}  // namespace
