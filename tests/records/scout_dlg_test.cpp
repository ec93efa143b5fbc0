// Scout Information on the fixture year: the checks of its fields with their
// exact messages, the Date Left rules, the controls that follow Date Left,
// and the conversion of a scout into an adult on the same member record.
#include <gtest/gtest.h>

#include <string>

#include "RecordsTestUtil.h"
#include "common/Question.h"
#include "records/MemberMgmtDlgs.h"
#include "records/ScoutDlg.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "support/GoldenImage.h"

namespace {

class ScoutDlgTest : public RecordDialogTest {
 protected:
  // Runs Scout Information adding (row -1) or editing the scout at member
  // row `row`.
  int Run(int row, std::function<void(HWND)> script) {
    int pos = -1;
    for (int p = 0; p < MemberTable.rowCount; ++p)
      if (MemberTable.byTypeName[static_cast<size_t>(p)] == row) pos = p;
    return RunRecordDlg<CScoutDlg>("Scout Information", &pos, row < 0, std::move(script));
  }
  fixture::FiscalYear fy;
};

TEST_F(ScoutDlgTest, ChecksTheFieldsInOrderWithTheirMessages) {
  const struct {
    int row;
    const char* last;
    const char* first;
    const char* left;
    const char* current;  // the Current display, or null as loaded
    const char* message;
    int focus;
  } cases[] = {
      {-1, "", "Ann", "", nullptr, "Name (Last):  A value must be supplied", IDC_MEM_LAST},
      {-1, "Doe", " ", "", nullptr, "Name (First):  A value must be supplied", IDC_MEM_FIRST},
      {-1, "jones", "BEN", "", nullptr, "Name (Last,First):  A scout already exists with this name", IDC_MEM_LAST},
      {fixture::kAnna, "Smith", "Anna", "06/01/08", nullptr,
       "Current Balance:  Must be $0.00 before entering a 'Date Left'", IDC_MEM_LEFT},
      {fixture::kBen, "Jones", "Ben", "06/01/08", "$ 0.00", "Scout still has reserved funds", IDC_MEM_LEFT},
      {-1, "Doe", "Ann", "06/16/08", nullptr, "Date Left:  May not be a future date", IDC_MEM_LEFT},
      {-1, "Doe", "Ann", "06/15/08", nullptr, "Date Left:  Must be later than Date Joined", IDC_MEM_LEFT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    int focus = 0;
    std::string left;
    Run(c.row, [&](HWND h) {
      SetField(h, IDC_MEM_LAST, c.last);
      SetField(h, IDC_MEM_FIRST, c.first);
      SetField(h, IDC_MEM_LEFT, c.left);
      if (c.current) SetField(h, IDC_MEM_CURRENT, c.current);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(h, IDOK);
      focus = GetDlgCtrlID(GetFocus());
      left = FieldText(h, IDC_MEM_LEFT);
      automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(focus, c.focus);
    // A balance refuses the Date Left and empties it.
    if (std::string(c.message).rfind("Current Balance", 0) == 0) {
      EXPECT_EQ(left, "");
    }
  }
}

TEST_F(ScoutDlgTest, LooksAsDrawn) {
  std::string subunit, group;
  Run(fixture::kAnna, [&](HWND h) {
    subunit = FieldText(h, IDC_MEM_SUBUNIT);
    group = FieldText(h, IDC_MEM_INFO_GROUP);
    automation::PumpUntilIdle();
    EXPECT_TRUE(golden::Matches("records/scout_information.png", [&](const std::string& path) {
      return automation::RenderToPng(h, path);
    }));
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(subunit, "Eagles");
  EXPECT_EQ(group, "Troop Information");
}

TEST_F(ScoutDlgTest, MovingThroughTheFieldsChangesNothing) {
  EXPECT_EQ(Run(fixture::kAnna, [&](HWND h) {
              for (int id : {IDC_MEM_OBAL, IDC_MEM_JOINED, IDC_MEM_LEFT, IDC_MEM_LAST}) {
                SetFocus(GetDlgItem(h, id));
                automation::PumpUntilIdle();
              }
              Press(h, IDCANCEL);
            }),
            IDCANCEL);
}

TEST_F(ScoutDlgTest, AScoutMayShareAnAdultsNameAndTheNameItHad) {
  const int scouts = ScoutCount;
  EXPECT_EQ(Run(-1, [&](HWND h) {
              SetField(h, IDC_MEM_LAST, "brown");
              SetField(h, IDC_MEM_FIRST, "carl");
              Press(h, IDOK);
            }),
            IDOK);
  EXPECT_EQ(ScoutCount, scouts + 1);
  // Editing Anna in another letter case keeps her own name.
  EXPECT_EQ(Run(fixture::kAnna, [&](HWND h) {
              SetField(h, IDC_MEM_LAST, "SMITH");
              Press(h, IDOK);
            }),
            IDOK);
  EXPECT_STREQ(MemberTable.keys[fixture::kAnna].lastName, "SMITH");
}

TEST_F(ScoutDlgTest, DateLeftDisablesTheOpeningBalanceAndEnablesTheConversion) {
  bool before[2] = {}, after[2] = {}, adding = true;
  Run(fixture::kAnna, [&](HWND h) {
    before[0] = Enabled(h, IDC_MEM_OBAL);
    before[1] = Enabled(h, IDC_MEM_CONVERT);
    SetField(h, IDC_MEM_LEFT, "06/01/08");
    after[0] = Enabled(h, IDC_MEM_OBAL);
    after[1] = Enabled(h, IDC_MEM_CONVERT);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  Run(-1, [&](HWND h) {
    SetField(h, IDC_MEM_LEFT, "06/01/08");
    adding = Enabled(h, IDC_MEM_CONVERT);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_TRUE(before[0]);
  EXPECT_FALSE(before[1]);
  EXPECT_FALSE(after[0]);
  EXPECT_TRUE(after[1]);
  EXPECT_FALSE(adding);
}

TEST_F(ScoutDlgTest, ConvertToAdultKeepsTheMemberRecordWithItsPassbook) {
  const int balance = fixture::FiscalYear::MemberBalance(fixture::kAnna);
  const int scouts = ScoutCount, adults = AdultCount;
  std::string adultLast, adultLeft, adultCurrent;
  automation::OnDialog(
      "Adult Information",
      [&](HWND h) {
        adultLast = FieldText(h, IDC_MEM_LAST);
        adultLeft = FieldText(h, IDC_MEM_LEFT);
        adultCurrent = FieldText(h, IDC_MEM_CURRENT);
        EXPECT_FALSE(Enabled(h, IDC_REC_APPLY));
        EXPECT_FALSE(Enabled(h, IDC_REC_NEXT));
        Press(h, IDOK);
      },
      IDABORT);
  const int result = Run(fixture::kAnna, [&](HWND h) {
    SetField(h, IDC_MEM_ADDRESS1, "1 New Street");
    SetField(h, IDC_MEM_LEFT, "06/01/08");
    automation::ExpectMessageBox("Information",
                                 "Anna Smith has been moved to the Adult roster.  If Anna belongs to\nany payment "
                                 "schedules, you may wish to review them for appropriateness.",
                                 IDOK);
    Press(h, IDC_MEM_CONVERT);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(adultLast, "Smith");
  EXPECT_EQ(adultLeft, "");
  EXPECT_NE(adultCurrent, "");
  EXPECT_EQ(ScoutCount, scouts - 1);
  EXPECT_EQ(AdultCount, adults + 1);
  MemberRow m;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, fixture::kAnna), 1);
  EXPECT_EQ(m.type, 1);
  EXPECT_STREQ(m.subunit, "Adults");
  EXPECT_STREQ(m.address1, "1 New Street");
  EXPECT_EQ(m.passbook, 1);
  EXPECT_EQ(m.currentBalance, balance);
  EXPECT_EQ(MemberTable.keys[fixture::kAnna].type, 1);
  int pos = -1;
  EXPECT_EQ(FindMember(0, 1, "Smith", "Anna", &pos), 0);
  EXPECT_EQ(FindMember(0, 2, "Smith", "Anna", &pos), 1);
}

TEST_F(ScoutDlgTest, ListCountsScoutsAndRefusesToDeleteAScoutWithTransactions) {
  std::string caption, heading;
  int rows = 0;
  Drive("Scout Information (", [&](HWND h) {
    caption = Caption(h);
    heading = FieldText(h, IDC_MEM_HEAD3);
    rows = static_cast<int>(SendDlgItemMessage(h, IDC_REC_LIST, LB_GETCOUNT, 0, 0));
    SendDlgItemMessage(h, IDC_REC_LIST, LB_SETCURSEL, 0, 0);
    automation::ExpectMessageBox("Question", "Ben Jones", ANSWER_YES);
    automation::ExpectMessageBox("Warning", "Scout has an outstanding balance - cannot delete", IDOK);
    Press(h, IDC_REC_DELETE);
    EXPECT_EQ(SendDlgItemMessage(h, IDC_REC_LIST, LB_GETCOUNT, 0, 0), rows);
    Press(h, IDCANCEL);
  }, [] {
    CScoutMgmtDlg dlg;
    dlg.DoModal();
  });
  EXPECT_EQ(caption, "Scout Information (2 scouts)");
  EXPECT_EQ(heading, "Patrol");
  EXPECT_EQ(rows, 2);
}

}  // namespace

namespace {

// A rename re-sorts the scouts: every later save (Apply, OK) must still
// write this scout, and the dialog must not take its own saved name for
// another scout's.
TEST_F(ScoutDlgTest, SavesAfterARenameKeepWritingTheSameScout) {
  const int benBalance = fixture::FiscalYear::MemberBalance(fixture::kBen);
  EXPECT_EQ(Run(fixture::kAnna, [&](HWND h) {
              SetField(h, IDC_MEM_LAST, "Adams");
              Press(h, IDC_REC_APPLY);
              SetField(h, IDC_MEM_REMARKS, "renamed");
              Press(h, IDC_REC_APPLY);
              SetField(h, IDC_MEM_LAST, "Smith");
              Press(h, IDOK);
            }),
            IDOK);
  EXPECT_STREQ(MemberTable.keys[fixture::kAnna].lastName, "Smith");
  EXPECT_STREQ(MemberTable.keys[fixture::kBen].lastName, "Jones");
  EXPECT_STREQ(MemberTable.keys[fixture::kBen].firstName, "Ben");
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kBen), benBalance);
  MemberRow anna;
  ASSERT_EQ(ReadMemberRecord(MemberFile, &anna, 4, 0, fixture::kAnna), 1);
  EXPECT_STREQ(anna.remarks, "renamed");
}

}  // namespace
