// The member reports' dialogs on the fixture year: the roster's enabling
// and width, the statements' pickers (the passbook list's four-state
// cycle), their checks, envelope format and resizing, and the return
// address kept through the Addresses dialog.
#include <cstring>

#include "RptDialogTest.h"
#include "common/Dates.h"
#include "common/UnitVocab.h"
#include "reports/MemberParams.h"
#include "reports/RptAddress.h"
#include "res/resource.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/UnitInfo.h"

namespace {

class MemberParamsTest : public RptDialogTest {
 protected:
  void SetUp() override {
    RptDialogTest::SetUp();
    std::snprintf(UnitName, sizeof UnitName, "Troop 123");
  }
  static int Selected(int row) {
    MemberRow m{};
    EXPECT_EQ(ReadMemberRecord(MemberFile, &m, 4, 0, row), 1);
    return m.selected;
  }
  using RptDialogTest::Selected;
};

const std::string kBen = " Jones, Ben", kAnna = " Smith, Anna", kCarl = "*Brown, Carl";

TEST_F(MemberParamsTest, RosterAndPassbookBalances) {
  PutKey("RPT8", 'C', "Y");  // the subunits, stored by report 10
  std::string caption;
  EXPECT_EQ(Run(8, "Roster", [&](HWND h) {
    char text[64] = "";
    GetWindowText(h, text, sizeof text);
    caption = text;
    EXPECT_EQ(FieldText(h, IDC_RPT_PAGE), std::string("Display one ") + SubunitNoun + " per &Page");
    // The roster starts without subunits and never dates.
    EXPECT_FALSE(Checked(h, IDC_RPT_SUBUNITS));
    EXPECT_FALSE(Enabled(h, IDC_RPT_SUBUNITS));
    EXPECT_FALSE(Enabled(h, IDC_RPT_FROM));
    EXPECT_TRUE(Enabled(h, IDC_RPT_EXTENDED));
    Check(h, IDC_RPT_GROUP_BY, true);
    Check(h, IDC_RPT_PAGE, true);
    // Scouts off: grouping is greyed and no longer counts, the page check
    // still does.
    Check(h, IDC_RPT_SCOUTS, false);
    EXPECT_FALSE(Enabled(h, IDC_RPT_GROUP_BY));
    EXPECT_FALSE(Enabled(h, IDC_RPT_PAGE));
    automation::ExpectMessageBox("Warning", "At least one Group must be included", IDOK);
    Press(h, IDOK);
    Check(h, IDC_RPT_ADULTS, true);
    Check(h, IDC_RPT_EXTENDED, true);
    Press(h, IDOK);
  }, GetRpt8Params), 1);
  EXPECT_EQ(caption, std::string(UnitNoun) + " Roster");
  EXPECT_EQ(RptOptionD, 2);
  EXPECT_EQ(RptOrder, 'N');
  EXPECT_EQ(RptOptionG, 1);
  EXPECT_EQ(RptOptionH, 1);
  EXPECT_EQ(ctx_.lineWidth, kRptLandscapeWidth);
  EXPECT_EQ(Key("RPT8", 'C'), "N");
  EXPECT_EQ(Key("RPT8", 'E', "Y"), "Y");

  // Report 10: subunits alone are a valid choice; the width stays 77.
  EXPECT_EQ(Run(10, "Passbook Balances Report", [&](HWND h) {
    EXPECT_TRUE(Enabled(h, IDC_RPT_SUBUNITS));
    EXPECT_TRUE(Enabled(h, IDC_RPT_FROM));
    EXPECT_FALSE(Enabled(h, IDC_RPT_EXTENDED));
    Check(h, IDC_RPT_ADULTS, false);
    Check(h, IDC_RPT_SUBUNITS, true);
    EXPECT_TRUE(Checked(h, IDC_RPT_PAGE));  // the choice kept for grouping on
    SetField(h, IDC_RPT_FROM, "03/01/08");
    SetField(h, IDC_RPT_TO, "02/01/08");
    automation::ExpectMessageBox("Warning", "Second Date", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_RPT_TO, "06/30/08");
    Press(h, IDOK);
  }, GetRpt8Params), 1);
  EXPECT_EQ(RptOptionD, 4);
  EXPECT_EQ(RptOrder, 'N');  // grouping needs scouts
  EXPECT_STREQ(RptFirstDate, "20080301");
  EXPECT_STREQ(RptSecondDate, "20080630");
  EXPECT_EQ(ctx_.lineWidth, kRptPortraitWidth);
  // The page choice is read under the stored grouping value.
  PutKey("RPT8", 'E', "N", "N");
  PutKey("RPT8", 'E', "Y", "Y");
  for (const char* grouping : {"N", "Y"}) {
    PutKey("RPT8", 'D', grouping);
    Run(10, "Passbook Balances Report", [&](HWND h) {
      EXPECT_EQ(Checked(h, IDC_RPT_PAGE), grouping[0] == 'Y') << grouping;
      Press(h, IDCANCEL);
    }, GetRpt8Params);
  }
}

TEST_F(MemberParamsTest, StatementPickersChecksAndSlots) {
  MemberTable.keys[fixture::kBen].status = 1;  // Ben has left, passbook kept
  const std::vector<std::string> none;
  const std::vector<std::string> holders = {kBen, kAnna, kCarl, std::string("\xBB") + "Eagles " + SubunitNoun};
  EXPECT_EQ(Run(9, "Member Income/Expense Totals Report", [&](HWND h) {
    EXPECT_EQ(Entries(h, IDC_RPT_MEMBERS), holders);
    EXPECT_EQ(Entries(h, IDC_RPT_STMT_ACCTS),
              (std::vector<std::string>{"520/Fundraising", "599/Dues", "620/Camping", "710/Camp Reserve"}));
    EXPECT_FALSE(Enabled(h, IDC_RPT_ADDRESSES));
    // Stored (none), all, the active ones, none, stored again.
    EXPECT_EQ(Selected(h, IDC_RPT_MEMBERS), none);
    Press(h, IDC_RPT_HOLDERS);
    EXPECT_EQ(Selected(h, IDC_RPT_MEMBERS), holders);
    Press(h, IDC_RPT_HOLDERS);
    EXPECT_EQ(Selected(h, IDC_RPT_MEMBERS), (std::vector<std::string>{kAnna, kCarl, holders[3]}));
    Press(h, IDC_RPT_HOLDERS);
    EXPECT_EQ(Selected(h, IDC_RPT_MEMBERS), none);
    Press(h, IDC_RPT_HOLDERS);
    EXPECT_EQ(Selected(h, IDC_RPT_MEMBERS), none);
    // Members are checked first, then accounts.
    automation::ExpectMessageBox("Warning", "Members:  No members were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_MEMBERS, {kBen, kCarl});
    automation::ExpectMessageBox("Warning", "Accounts:  No accounts were selected", IDOK);
    Press(h, IDOK);
    Select(h, IDC_RPT_STMT_ACCTS, {"620/Camping"});
    Click(h, IDC_RPT_BY_NAME);
    Press(h, IDOK);
  }, GetRpt9Params), 1);
  EXPECT_EQ(RptOptionG, 3);  // no window envelope
  EXPECT_EQ(RptOrder, 'A');
  EXPECT_EQ(RptOptionA, 1);
  ASSERT_EQ(AcctCount, 1);
  EXPECT_EQ(AcctList[0], 620);
  ASSERT_EQ(ScoutListCount, 2);
  EXPECT_EQ(ScoutList[0], fixture::kBen);
  EXPECT_EQ(ScoutList[1], fixture::kCarl);
  EXPECT_EQ(Selected(fixture::kBen), 1);
  EXPECT_EQ(Selected(fixture::kCarl), 1);
  EXPECT_EQ(Selected(fixture::kAnna), 0);
  EXPECT_EQ(fixture::FiscalYear::Account(620).selected, 1);
  EXPECT_EQ(Key("RPT9", 'D'), "1");

  // Report 20 lists the scheduled accounts and starts from the stored
  // selection; report 29 has no account list.
  Run(20, "Member Payment Details Report", [&](HWND h) {
    EXPECT_EQ(Entries(h, IDC_RPT_STMT_ACCTS), (std::vector<std::string>{"599/Dues"}));
    EXPECT_EQ(Selected(h, IDC_RPT_STMT_ACCTS), none);
    EXPECT_EQ(Selected(h, IDC_RPT_MEMBERS), (std::vector<std::string>{kBen, kCarl}));
    Press(h, IDC_RPT_ACCOUNTS);
    EXPECT_EQ(Selected(h, IDC_RPT_STMT_ACCTS), (std::vector<std::string>{"599/Dues"}));
    Check(h, IDC_RPT_FUTURE, true);
    Press(h, IDOK);
  }, GetRpt20Params);
  EXPECT_EQ(RptOptionB, 1);
  EXPECT_EQ(AcctList[0], 599);
}

TEST_F(MemberParamsTest, StatementDatesAndMissingData) {
  EXPECT_EQ(Run(17, "Member Transaction Details Report", [&](HWND h) {
    Select(h, IDC_RPT_MEMBERS, {kAnna});
    Select(h, IDC_RPT_STMT_ACCTS, {"520/Fundraising"});
    SetField(h, IDC_RPT_FROM, "01/01/07");
    automation::ExpectMessageBox("Warning", "First Date", IDOK);
    Press(h, IDOK);
    SetField(h, IDC_RPT_FROM, "02/01/08");
    SetField(h, IDC_RPT_TO, "02/29/08");
    Check(h, IDC_RPT_REMARKS, true);
    Press(h, IDOK);
  }, GetRpt17Params), 1);
  EXPECT_STREQ(RptFirstDate, "20080201");
  EXPECT_STREQ(RptSecondDate, "20080229");
  EXPECT_EQ(RptOptionH, 1);
  EXPECT_EQ(std::string(RptDates.GetFirstDate(DF_YYYYMMDD)), "20080201");

  // Only deleted reserve accounts: report 29 warns and opens nothing.
  for (int r = 0; r < AcctTable.rowCount; ++r)
    if (AcctTable.keys[static_cast<size_t>(r)].number == 710) AcctTable.keys[static_cast<size_t>(r)].status = 2;
  automation::ExpectMessageBox("Warning", "No reserve accounts are defined yet", IDOK);
  EXPECT_EQ(GetRpt29Params(&ctx_), 0);
}

TEST_F(MemberParamsTest, StatementResizingKeepsTheWidth) {
  RECT opened{}, grown{}, listOpened{}, listGrown{};
  Run(29, "Member Reserve Totals Report", [&](HWND h) {
    opened = WindowSize(h);
    listOpened = WindowSize(GetDlgItem(h, IDC_RPT_MEMBERS));
    SetWindowPos(h, nullptr, 0, 0, opened.right - opened.left + 80, opened.bottom - opened.top + 30,
                 SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    grown = WindowSize(h);
    listGrown = WindowSize(GetDlgItem(h, IDC_RPT_MEMBERS));
    Select(h, IDC_RPT_MEMBERS, {kAnna});
    Press(h, IDOK);
  }, GetRpt29Params);
  EXPECT_EQ(grown.right - grown.left, opened.right - opened.left);
  EXPECT_EQ(listGrown.bottom - listOpened.bottom, 30);
  EXPECT_EQ(Key("RPT29", 'Y'), std::to_string(opened.bottom - opened.top + 30));
}

TEST_F(MemberParamsTest, AddressesKeepACustomReturnAddress) {
  const std::vector<std::string> unit = DefaultReturnAddress();
  ASSERT_EQ(unit.size(), 3u);
  EXPECT_EQ(unit[0], "Troop 123");
  EXPECT_EQ(unit[1], "12 Oak Lane");
  std::vector<std::string> shown;
  auto run29 = [&](const std::function<void(HWND)>& addresses) {
    return Run(29, "Member Reserve Totals Report", [&](HWND h) {
      Check(h, IDC_RPT_ENVELOPE, true);
      EXPECT_TRUE(Enabled(h, IDC_RPT_ADDRESSES));
      automation::OnDialog("Addresses", addresses, IDABORT);
      Press(h, IDC_RPT_ADDRESSES);
      Select(h, IDC_RPT_MEMBERS, {kAnna});
      Press(h, IDOK);
    }, GetRpt29Params);
  };
  // The unit's address first; typed lines with a gap come back closed up.
  EXPECT_EQ(run29([&](HWND a) {
    shown = {FieldText(a, IDC_ADDR_LINE1), FieldText(a, IDC_ADDR_LINE2), FieldText(a, IDC_ADDR_LINE3),
             FieldText(a, IDC_ADDR_LINE4)};
    SetField(a, IDC_ADDR_LINE1, "Troop 123");
    SetField(a, IDC_ADDR_LINE2, "");
    SetField(a, IDC_ADDR_LINE3, "PO Box 9");
    SetField(a, IDC_ADDR_LINE4, "Springfield");
    SendMessage(GetDlgItem(a, IDC_ADDR_FORMAT), CB_SETCURSEL, 1, 0);
    Press(a, IDOK);
  }), 1);
  EXPECT_EQ(shown, (std::vector<std::string>{unit[0], unit[1], unit[2], ""}));
  EXPECT_EQ(RptOptionG, 1);
  EXPECT_STREQ(RptAddressLines[1], "PO Box 9");
  EXPECT_STREQ(RptAddressLines[3], "");
  EXPECT_EQ(Key("RPTADDR", 'A'), "1");
  EXPECT_EQ(Key("RPTADDR", 'B'), "Y");
  EXPECT_EQ(Key("RPTADDR", 'D'), "PO Box 9");

  // Reopened: the custom address; Reset to Default leaves none of it.
  EXPECT_EQ(run29([&](HWND a) {
    EXPECT_EQ(FieldText(a, IDC_ADDR_LINE2), "PO Box 9");
    Press(a, IDC_ADDR_RESET);
    EXPECT_EQ(FieldText(a, IDC_ADDR_LINE2), unit[1]);
    EXPECT_EQ(FieldText(a, IDC_ADDR_LINE4), "");
    Press(a, IDOK);
  }), 1);
  EXPECT_EQ(Key("RPTADDR", 'B'), "N");
  EXPECT_EQ(RptOptionG, 1);  // the format stayed

  // A stored line longer than 34 characters is cut; one more line than
  // the default makes the address custom.
  PutKey("RPTADDR", 'B', "Y");
  PutKey("RPTADDR", 'C', "A very long unit name that goes on and on");
  LoadRptAddress();
  EXPECT_EQ(std::strlen(RptAddressLines[0]), 34u);
  std::snprintf(RptAddressLines[0], sizeof RptAddressLines[0], "%s", unit[0].c_str());
  std::snprintf(RptAddressLines[3], sizeof RptAddressLines[3], "Attn: Treasurer");
  SaveRptAddress();
  EXPECT_EQ(Key("RPTADDR", 'B'), "Y");
  EXPECT_EQ(Key("RPTADDR", 'F'), "Attn: Treasurer");
}

TEST_F(MemberParamsTest, HoldersOfOneNameStayApart) {
  // Ben renamed in memory to Anna's name: two entries read alike.
  std::snprintf(MemberTable.keys[fixture::kBen].lastName, sizeof MemberTable.keys[fixture::kBen].lastName, "Smith");
  std::snprintf(MemberTable.keys[fixture::kBen].firstName, sizeof MemberTable.keys[fixture::kBen].firstName, "Anna");
  EXPECT_EQ(Run(29, "Member Reserve Totals Report", [&](HWND h) {
    const std::vector<std::string> entries = Entries(h, IDC_RPT_MEMBERS);
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0], entries[1]);
    SendMessage(GetDlgItem(h, IDC_RPT_MEMBERS), LB_SETSEL, TRUE, 1);  // the second one: Anna
    Press(h, IDOK);
  }, GetRpt29Params), 1);
  ASSERT_EQ(ScoutListCount, 1);
  EXPECT_EQ(ScoutList[0], fixture::kAnna);
  EXPECT_EQ(Selected(fixture::kBen), 0);
}

}  // namespace
