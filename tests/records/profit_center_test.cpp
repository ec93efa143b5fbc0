// Profit centres on the fixture year (one centre, "Camp", of 620 and 710):
// the lists with multiple selection and the move buttons, the checks and
// their messages, renaming, Prev and Next, and the management dialog's
// fixed width.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordsTestUtil.h"
#include "common/Question.h"
#include "records/ProfitCenterDlg.h"
#include "res/resource.h"
#include "store/AcctGroup.h"
#include "store/Fixture.h"

namespace {

std::vector<std::string> Items(HWND dlg, int id) {
  std::vector<std::string> out;
  HWND list = GetDlgItem(dlg, id);
  const int n = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[64] = "";
    SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    out.emplace_back(text);
  }
  return out;
}

void SelectItems(HWND dlg, int id, std::initializer_list<int> items) {
  HWND list = GetDlgItem(dlg, id);
  SendMessage(list, LB_SETSEL, FALSE, -1);
  for (int i : items) SendMessage(list, LB_SETSEL, TRUE, i);
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  automation::PumpUntilIdle();
}

class ProfitCenterTest : public RecordDialogTest {
 protected:
  int RunInfo(bool isNew, const char* name, std::function<void(HWND)> script, CString* endedOn = nullptr) {
    int result = 0;
    Drive("Profit Center Information", std::move(script), [&] {
      CProfitCenterDlg dlg;
      dlg.m_bNew = isNew;
      dlg.m_name = name;
      result = static_cast<int>(dlg.DoModal());
      if (endedOn) *endedOn = dlg.m_name;
    });
    return result;
  }
  static AcctNumberList AccountsOf(const char* name) {
    CAcctGroup g;
    EXPECT_EQ(TheAcctGroupDBase().Get(name, &g), 1) << name;
    AcctNumberList a;
    g.CopyAccounts(&a);
    return a;
  }
  fixture::FiscalYear fy;
};

TEST_F(ProfitCenterTest, AccountsMoveBetweenTheListsInTheOrderOfTheMoves) {
  std::vector<std::string> avail, incl, captions;
  std::vector<bool> buttons;
  RunInfo(false, "Camp", [&](HWND h) {
    avail = Items(h, IDC_PC_AVAIL);
    incl = Items(h, IDC_PC_INCL);
    captions = {FieldText(h, IDC_PC_AVAIL_LABEL), FieldText(h, IDC_PC_INCL_LABEL)};
    buttons = {Enabled(h, IDC_PC_ADD), Enabled(h, IDC_PC_ADDALL), Enabled(h, IDC_PC_REMOVE),
               Enabled(h, IDC_PC_REMOVEALL), Enabled(h, IDC_REC_PREV)};
    Press(h, IDC_PC_REMOVEALL);
    EXPECT_EQ(Items(h, IDC_PC_INCL).size(), 0u);
    EXPECT_FALSE(Enabled(h, IDC_PC_REMOVEALL));
    SelectItems(h, IDC_PC_AVAIL, {1, 0});
    Press(h, IDC_PC_ADD);
    Press(h, IDC_PC_ADDALL);
    incl = Items(h, IDC_PC_INCL);
    EXPECT_EQ(FieldText(h, IDC_PC_AVAIL_LABEL), "A&vailable Accounts (0):");
    Press(h, IDOK);
  });
  // 599 "Dues" is never offered; 710 is a reserve, not income or expense.
  EXPECT_EQ(avail, (std::vector<std::string>{"520 / Fundraising"}));
  EXPECT_EQ(captions, (std::vector<std::string>{"A&vailable Accounts (1):", "&Included Accounts (1):"}));
  EXPECT_EQ(buttons, (std::vector<bool>{false, true, false, true, false}));
  EXPECT_EQ(incl, (std::vector<std::string>{"520 / Fundraising", "620 / Camping"}));
  EXPECT_EQ(AccountsOf("Camp"), (AcctNumberList{520, 620}));
}

TEST_F(ProfitCenterTest, NamesAndAccountsAreCheckedWithTheirMessages) {
  const struct {
    const char* name;
    bool withAccount;
    const char* message;
  } cases[] = {
      {"", true, "A name is mandatory"},
      {"Dinner", false, "At least one account must be identified"},
      {"Camp", true, "Name:  A Profit Center already exists with this name"},
  };
  for (const auto& c : cases) {
    RunInfo(true, "", [&](HWND h) {
      SetField(h, IDC_PC_NAME, c.name);
      if (c.withAccount) Press(h, IDC_PC_ADDALL);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(h, IDOK);
      EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_PC_NAME);
      automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
      Press(h, IDCANCEL);
    });
  }
  // A name differing only in case is accepted; Apply then offers a blank one.
  CString endedOn;
  std::string after;
  RunInfo(true, "", [&](HWND h) {
    SetField(h, IDC_PC_NAME, "camp");
    Press(h, IDC_PC_ADDALL);
    Press(h, IDC_REC_APPLY);
    after = FieldText(h, IDC_PC_NAME);
    Press(h, IDCANCEL);
  }, &endedOn);
  EXPECT_EQ(after, "");
  EXPECT_EQ(TheAcctGroupDBase().CountNames(), 2);
}

TEST_F(ProfitCenterTest, RenamingTwiceInOneRunAndStepping) {
  CAcctGroup dinner;
  dinner.SetName("Dinner");
  dinner.AddAccount(520);
  ASSERT_EQ(TheAcctGroupDBase().Add(dinner), 1);
  std::vector<std::string> names;
  RunInfo(false, "Camp", [&](HWND h) {
    EXPECT_TRUE(Enabled(h, IDC_REC_NEXT));
    // Its own unchanged name is accepted; a rename applied twice replaces
    // the group as it then is.
    Press(h, IDC_REC_APPLY);
    SetField(h, IDC_PC_NAME, "Camping");
    Press(h, IDC_REC_APPLY);
    SetField(h, IDC_PC_NAME, "Camps");
    Press(h, IDC_REC_APPLY);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDC_REC_NEXT);
    names.push_back(FieldText(h, IDC_PC_NAME));
    automation::ExpectMessageBox("Information", "Starting at first center", IDOK);
    Press(h, IDC_REC_NEXT);
    names.push_back(FieldText(h, IDC_PC_NAME));
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"Dinner", "Camps"}));
  GroupNameList all;
  TheAcctGroupDBase().GetNames(&all);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(std::string(all[0]), "Camps");
}

TEST_F(ProfitCenterTest, ManagementListsByNameDeletesAndOnlyGrowsTaller) {
  std::string caption, afterDelete;
  int minW = 0;
  Drive("Profit Center Management", [&](HWND h) {
    caption = Caption(h);
    EXPECT_FALSE(Visible(h, IDC_PC_RESET));
    EXPECT_FALSE(Visible(h, IDC_REC_LOG));
    RECT r{};
    GetWindowRect(h, &r);
    minW = r.right - r.left;
    SetWindowPos(h, nullptr, 0, 0, minW + 60, r.bottom - r.top + 30, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    GetWindowRect(h, &r);
    EXPECT_EQ(r.right - r.left, minW);
    automation::ExpectMessageBox("Question", "Camp", ANSWER_YES);
    Press(h, IDC_REC_DELETE);
    afterDelete = Caption(h);
    EXPECT_FALSE(Enabled(h, IDC_REC_EDIT));
    EXPECT_TRUE(Enabled(h, IDC_REC_ADD));
    Press(h, IDCANCEL);
  }, [] {
    CProfitCenterListDlg dlg;
    dlg.DoModal();
  });
  EXPECT_EQ(caption, "Profit Center Management (1 center)");
  EXPECT_EQ(afterDelete, "Profit Center Management (0 centers)");
}

}  // namespace
