// The reserve dialogs: Reserve Clearance's proposed date and its check
// against the fiscal year (through Account Management's auto-clear), and
// Initial Passbook Reserves' rows over twenty holders with the scroll bar
// and the wheel, inactive holders, copy to all, totals and carrying back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RecordsTestUtil.h"
#include "common/Dates.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/host/Keys.h"
#include "platform/window/CommCtrlDefs.h"
#include "records/AcctMgmtDlg.h"
#include "records/InitResDlg.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/Queries.h"

namespace {

class ReservesTest : public RecordDialogTest {
 protected:
  void TearDown() override {
    TodayVsFiscalYear = 0;
    RecordDialogTest::TearDown();
  }
  fixture::FiscalYear fy;
};

TEST_F(ReservesTest, ClearanceProposesTheYearsLastDayAndRefusesDatesOutsideTheYear) {
  TodayVsFiscalYear = 1;  // today lies after the loaded year
  std::string proposed, text;
  const int usage = fixture::FiscalYear::Usage(710);
  Drive("Account Management", [&](HWND h) {
    HWND list = GetDlgItem(h, IDC_REC_LIST);
    for (int row = 0; row < SendMessage(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
      char cell[64] = "";
      LVITEM item{};
      item.pszText = cell;
      item.cchTextMax = sizeof cell;
      SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      if (std::atoi(cell) != 710) continue;
      LVITEM set{};
      set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&set));
    }
    automation::PumpUntilIdle();
    automation::OnDialog("Reserve Clearance", [&](HWND clear) {
      proposed = FieldText(clear, IDC_RES_DATE);
      text = FieldText(clear, IDC_RES_TEXT);
      SetField(clear, IDC_RES_DATE, "01/15/09");
      automation::ExpectMessageBox("Warning", "Clearance Date:  ", IDOK);
      Press(clear, IDOK);
      SetField(clear, IDC_RES_DATE, "06/30/08");
      automation::ExpectMessageBox("Information", "", IDOK);
      Press(clear, IDOK);
    }, IDABORT);
    Press(h, IDC_ACCT_AUTOCLEAR);
    Press(h, IDCANCEL);
  }, [] {
    CAcctMgmtDlg dlg;
    dlg.DoModal();
  });
  EXPECT_EQ(proposed, "12/31/08");
  EXPECT_EQ(text.rfind("You have elected to automatically clear reserve account 710 - Camp Reserve.  A transaction will "
                       "be generated for the 900 - Reserve Allocation account.",
                       0),
            0u);
  EXPECT_NE(text.find("date will remain reserved.\n\nThis action applies to the reserves of the troop as well as all "
                      "passbook holders."),
            std::string::npos);
  EXPECT_EQ(fixture::FiscalYear::Usage(710), usage + 1);
}

class InitResTest : public ReservesTest {
 protected:
  void SetUp() override {
    ReservesTest::SetUp();
    // Twenty passbook holders: the fixture's four and sixteen more scouts.
    for (int i = 0; i < 16; ++i) {
      MemberRow m;
      std::memset(&m, 0, sizeof m);
      std::snprintf(m.lastName, sizeof m.lastName, "Zz%02d", i);
      std::snprintf(m.firstName, sizeof m.firstName, "Kid");
      m.passbook = 1;
      int row = -1;
      ASSERT_EQ(AddMember(&m, &row), 1);
    }
    holderCount = 0;
    for (int p = 0; p < MemberTable.rowCount; ++p) {
      const int row = MemberTable.byTypeName[static_cast<size_t>(p)];
      if (MemberTable.keys[static_cast<size_t>(row)].passbook) holders[holderCount++] = row;
    }
    ASSERT_EQ(holderCount, 20);
  }
  int Run(std::function<void(HWND)> script) {
    int result = 0;
    Drive("Initial Passbook Reserves", std::move(script), [&] {
      CInitResDlg dlg;
      dlg.m_pOpening = &opening;
      dlg.m_pOwnerChanged = &ownerChanged;
      dlg.m_pHolderCount = &holderCount;
      dlg.m_pHolders = holders;
      dlg.m_pSharesOut = shares;
      std::memcpy(dlg.m_shares, shares, sizeof shares);
      result = static_cast<int>(dlg.DoModal());
    });
    return result;
  }
  static std::vector<std::string> Names(HWND h) {
    std::vector<std::string> names;
    for (int i = 0; i < CInitResDlg::kRows; ++i)
      names.push_back(Visible(h, IDC_INIT_NAME0 + i) ? FieldText(h, IDC_INIT_NAME0 + i) : "-");
    return names;
  }
  int opening = 10000, ownerChanged = 0, holderCount = 0;
  int holders[kMemberSlots] = {}, shares[kMemberSlots] = {};
};

TEST_F(InitResTest, EightRowsScrollThroughTheHoldersByBarAndWheel) {
  std::vector<std::vector<std::string>> seen;
  int rangeMax = 0;
  Run([&](HWND h) {
    HWND bar = GetDlgItem(h, IDC_INIT_SCROLL);
    int lo = 0;
    GetScrollRange(bar, SB_CTL, &lo, &rangeMax);
    seen.push_back(Names(h));
    SendMessage(h, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar));
    automation::PumpUntilIdle();
    seen.push_back(Names(h));
    SendMessage(h, WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar));
    automation::PumpUntilIdle();
    seen.push_back(Names(h));
    SendMessage(h, WM_VSCROLL, SB_TOP, reinterpret_cast<LPARAM>(bar));
    automation::PumpUntilIdle();
    automation::Wheel(h, POINT{20, 60}, -120);  // toward the user: down a line
    automation::PumpUntilIdle();
    seen.push_back(Names(h));
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(rangeMax, 19);
  ASSERT_EQ(seen.size(), 4u);
  // Page down from 0 shows holders 8 to 15; the bottom only holder 19.
  char name[80];
  FormatPersonName("", 1, MemberTable.keys[static_cast<size_t>(holders[8])], "", name);
  EXPECT_EQ(seen[1][0], name);
  FormatPersonName("", 1, MemberTable.keys[static_cast<size_t>(holders[19])], "", name);
  EXPECT_EQ(seen[2][0], name);
  EXPECT_EQ(std::vector<std::string>(seen[2].begin() + 1, seen[2].end()), std::vector<std::string>(7, "-"));
  FormatPersonName("", 1, MemberTable.keys[static_cast<size_t>(holders[1])], "", name);
  EXPECT_EQ(seen[3][0], name);
}

TEST_F(InitResTest, CopyToAllSkipsInactiveHoldersAndOkCarriesTheShares) {
  MemberTable.keys[static_cast<size_t>(holders[1])].status = 1;  // left the unit
  bool secondEnabled = true;
  std::string passbooks, unit;
  const int result = Run([&](HWND h) {
    secondEnabled = Enabled(h, IDC_INIT_AMOUNT1);
    SetFocus(GetDlgItem(h, IDC_INIT_AMOUNT0));
    automation::PumpUntilIdle();
    automation::TypeText("2");
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("Question", "Set all amounts to $2.00", ANSWER_YES);
    automation::PressKey('L', false, false, true);
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(h, IDOK));
    automation::PumpUntilIdle();
    passbooks = FieldText(h, IDC_INIT_PASSBOOKS);
    unit = FieldText(h, IDC_INIT_UNIT);
    Press(h, IDOK);
  });
  MemberTable.keys[static_cast<size_t>(holders[1])].status = 0;
  EXPECT_EQ(result, IDOK);
  EXPECT_FALSE(secondEnabled);
  EXPECT_EQ(shares[0], 200);
  EXPECT_EQ(shares[1], 0);
  EXPECT_EQ(shares[19], 200);
  EXPECT_EQ(passbooks, "$38.00");
  EXPECT_EQ(unit, "$62.00");
  EXPECT_EQ(ownerChanged, 1);
  EXPECT_EQ(opening, 10000);  // no carry-back prompt by default
}

TEST_F(InitResTest, CarryingBackMakesThePassbooksTotalTheOpeningBalance) {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "OPTWARN");
  PutSettingFlag(s, 'C', 1);
  CloseSettingsSection(s);
  shares[0] = 3000;
  shares[1] = 2000;
  std::string passbooks, unit;
  // A carried-back total is a change of the owner's form (Cancel there
  // must ask before dropping it), even when no share was typed.
  const struct {
    int answer;
    int result;
    int opening;
    int ownerChanged;
  } cases[] = {{ANSWER_CANCEL, IDABORT, 10000, 0}, {ANSWER_NO, IDOK, 10000, 0}, {ANSWER_YES, IDOK, 5000, 1}};
  for (const auto& c : cases) {
    opening = 10000;
    ownerChanged = 0;
    const int result = Run([&](HWND h) {
      passbooks = FieldText(h, IDC_INIT_PASSBOOKS);
      unit = FieldText(h, IDC_INIT_UNIT);
      automation::ExpectMessageBox("Question", "Carry passbooks' total back as opening balance", c.answer);
      Press(h, IDOK);
    });
    EXPECT_EQ(result, c.result) << c.answer;
    EXPECT_EQ(opening, c.opening) << c.answer;
    EXPECT_EQ(ownerChanged, c.ownerChanged) << c.answer;
  }
  EXPECT_EQ(passbooks, "$50.00");
  EXPECT_EQ(unit, "$50.00");
}

}  // namespace
