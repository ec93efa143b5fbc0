// Adult Information in its three modes and the subunit dialogs on the
// fixture year: the refused switch-off of passbook use, the renaming of a
// subunit's scouts, the subunit word in the texts.
#include <gtest/gtest.h>

#include <string>

#include "RecordsTestUtil.h"
#include "common/Question.h"
#include "records/AdultDlg.h"
#include "records/MemberMgmtDlgs.h"
#include "records/SubunitDlg.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"

namespace {

int PositionOf(int row) {
  for (int p = 0; p < MemberTable.rowCount; ++p)
    if (MemberTable.byTypeName[static_cast<size_t>(p)] == row) return p;
  return -1;
}

class MemberDialogsTest : public RecordDialogTest {
 protected:
  int RunAdult(int mode, int row, std::function<void(HWND)> script) {
    int pos = row < 0 ? -1 : PositionOf(row);
    return RunRecordDlg<CAdultDlg>("Adult Information", &pos, false, std::move(script),
                                   [mode](CAdultDlg& dlg) { dlg.m_nMode = mode; });
  }
  int RunSubunit(int row, std::function<void(HWND)> script) {
    int pos = row < 0 ? -1 : PositionOf(row);
    return RunRecordDlg<CSubunitDlg>("Patrol Information", &pos, row < 0, std::move(script));
  }
  fixture::FiscalYear fy;
};

TEST_F(MemberDialogsTest, AdultsInTheirThreeModes) {
  const struct {
    int mode;
    int row;
    bool apply, prev, ok;
    const char* subunit;
  } cases[] = {
      {0, -1, true, false, true, "Adults"},
      {1, fixture::kCarl, true, false, true, "Adults"},  // one live adult: no stepping
      {2, fixture::kBen, false, false, true, "Adults"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    bool apply = false, prev = true, ok = false;
    std::string last, left;
    RunAdult(c.mode, c.row, [&](HWND h) {
      apply = Enabled(h, IDC_REC_APPLY);
      prev = Enabled(h, IDC_REC_PREV);
      ok = Enabled(h, IDOK);
      last = FieldText(h, IDC_MEM_LAST);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(apply, c.apply);
    EXPECT_EQ(prev, c.prev);
    EXPECT_EQ(ok, c.ok);
    if (c.mode == 2) {
      EXPECT_EQ(last, "Jones");
    }
  }
  // A second adult of the same name, in any letter case, is refused; a
  // scout's name is free.
  RunAdult(0, -1, [&](HWND h) {
    SetField(h, IDC_MEM_LAST, "BROWN");
    SetField(h, IDC_MEM_FIRST, "carl");
    automation::ExpectMessageBox("Warning", "Name (Last,First):  An adult already exists with this name", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_MEM_LAST, "Smith");
    SetField(h, IDC_MEM_FIRST, "Anna");
    SetFocus(GetDlgItem(h, IDOK));
    Press(h, IDOK);
  });
  int pos = -1;
  EXPECT_EQ(FindMember(0, 2, "Smith", "Anna", &pos), 1);
  MemberRow m;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, MemberTable.byTypeName[static_cast<size_t>(pos)]), 1);
  EXPECT_STREQ(m.subunit, "Adults");
  EXPECT_EQ(AdultCount, 2);
}

TEST_F(MemberDialogsTest, PassbookUseCannotBeTurnedOffWhileItHoldsSomething) {
  // The subunit's balance and transactions come from a split; its reserves
  // are looked at last.
  MemberRow eagles;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &eagles, 4, 0, fixture::kEagles), 1);
  const struct {
    LONG transCount;
    LONG balance;
    const char* message;
  } cases[] = {
      {2, 100, "Uses Passbook:  Patrol is already involved in transactions\nso you may not turn off passbook use."},
      {0, 100, "Uses Passbook:  Patrol has an outstanding balance\nso you may not turn off passbook use."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    MemberRow changed = eagles;
    changed.transCount = c.transCount;
    changed.currentBalance = c.balance;
    ASSERT_EQ(WriteMemberRecord(MemberFile, &changed, fixture::kEagles), 1);
    bool checked = false;
    int focus = 0;
    RunSubunit(fixture::kEagles, [&](HWND h) {
      SendDlgItemMessage(h, IDC_SUB_PASSBOOK, BM_SETCHECK, BST_UNCHECKED, 0);
      Press(h, IDC_SUB_PASSBOOK);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(h, IDOK);
      checked = SendDlgItemMessage(h, IDC_SUB_PASSBOOK, BM_GETCHECK, 0, 0) == BST_CHECKED;
      focus = GetDlgCtrlID(GetFocus());
      automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
      Press(h, IDCANCEL);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(focus, IDC_SUB_PASSBOOK);
  }
  // Nothing held: the switch-off saves and empties the passbook dates.
  eagles.transCount = 0;
  eagles.currentBalance = 0;
  ASSERT_EQ(WriteMemberRecord(MemberFile, &eagles, fixture::kEagles), 1);
  EXPECT_EQ(RunSubunit(fixture::kEagles, [&](HWND h) {
              SendDlgItemMessage(h, IDC_SUB_PASSBOOK, BM_SETCHECK, BST_UNCHECKED, 0);
              Press(h, IDC_SUB_PASSBOOK);
              Press(h, IDOK);
            }),
            IDOK);
  MemberRow saved;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &saved, 4, 0, fixture::kEagles), 1);
  EXPECT_EQ(saved.passbook, 0);
  EXPECT_STREQ(saved.dateJoined, "");
}

TEST_F(MemberDialogsTest, RenamingASubunitRenamesItsScoutsAndNotTheAdults) {
  std::string caption, title;
  EXPECT_EQ(RunSubunit(fixture::kEagles, [&](HWND h) {
              caption = Caption(h);
              title = FieldText(h, IDC_REC_TITLE);
              SetField(h, IDC_SUB_NAME, "Hawks");
              Press(h, IDOK);
            }),
            IDOK);
  EXPECT_EQ(caption, "Patrol Information");
  EXPECT_EQ(title, "Patrol Information");
  EXPECT_STREQ(MemberTable.keys[fixture::kAnna].subunit, "Hawks");
  EXPECT_STREQ(MemberTable.keys[fixture::kBen].subunit, "Hawks");
  EXPECT_STREQ(MemberTable.keys[fixture::kCarl].subunit, "Adults");

  // The list names the word; a subunit with scouts cannot be deleted.
  std::string listCaption;
  Drive("Patrol Management", [&](HWND h) {
    listCaption = Caption(h);
    SendDlgItemMessage(h, IDC_REC_LIST, LB_SETCURSEL, 0, 0);
    automation::ExpectMessageBox("Question", "Hawks", ANSWER_YES);
    automation::ExpectMessageBox("Warning", "There are members currently assigned to this patrol - cannot delete",
                                 IDOK);
    Press(h, IDC_REC_DELETE);
    Press(h, IDCANCEL);
  }, [] {
    CSubunitMgmtDlg dlg;
    dlg.DoModal();
  });
  EXPECT_EQ(listCaption, "Patrol Management (1 patrol)");
}

TEST_F(MemberDialogsTest, ASubunitRenamedTwiceTakesItsScoutsToTheLastName) {
  EXPECT_EQ(RunSubunit(fixture::kEagles, [&](HWND h) {
              SetField(h, IDC_SUB_NAME, "Hawks");
              Press(h, IDC_REC_APPLY);
              SetField(h, IDC_SUB_NAME, "Owls");
              Press(h, IDOK);
            }),
            IDOK);
  EXPECT_STREQ(MemberTable.keys[fixture::kEagles].subunit, "Owls");
  EXPECT_STREQ(MemberTable.keys[fixture::kAnna].subunit, "Owls");
  EXPECT_STREQ(MemberTable.keys[fixture::kBen].subunit, "Owls");
}

TEST_F(MemberDialogsTest, ADateClosedMustFollowTheDateOpened) {
  MemberRow eagles;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &eagles, 4, 0, fixture::kEagles), 1);
  eagles.currentBalance = 0;
  ASSERT_EQ(WriteMemberRecord(MemberFile, &eagles, fixture::kEagles), 1);
  RunSubunit(fixture::kEagles, [&](HWND h) {
    SetField(h, IDC_SUB_OPENED, "09/01/07");
    SetField(h, IDC_SUB_CLOSED, "09/01/07");
    SetField(h, IDC_SUB_CURRENT, "$ 0.00");
    automation::ExpectMessageBox("Warning", "Date Closed:  Must be later than Date Opened", IDOK);
    Press(h, IDOK);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
}

}  // namespace
