// Account Budget on the fixture year: the twelve rows in fiscal order with
// a year starting in July, saving back to calendar months, a budget made
// and removed, Alt+L copying a month to all, the capacity messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "RecordsTestUtil.h"
#include "common/Dates.h"
#include "common/Question.h"
#include "platform/host/Keys.h"
#include "common/TempFolder.h"
#include "records/BudgetDlg.h"
#include "records/InitResDlg.h"
#include "records/LogDump.h"
#include "res/resource.h"
#include "store/AccountStore.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

namespace {

class BudgetDlgTest : public RecordDialogTest {
 protected:
  void TearDown() override {
    FiscalFirstMonth = 0;
    RecordDialogTest::TearDown();
  }
  void Run(int number, std::function<void(HWND)> script) {
    int pos = -1;
    ASSERT_EQ(FindAcctIndex(number, &pos), 1);
    Drive("Account Budget", std::move(script), [&] {
      CBudgetDlg dlg;
      dlg.m_pCurPos = &pos;
      ASSERT_EQ(dlg.LoadRecord(1), 1);
      dlg.DoModal();
    });
  }
  static BudgetRecord BudgetOf(int number) {
    const AccountRecord a = fixture::FiscalYear::Account(number);
    BudgetRecord b;
    if (a.budgetRow >= 0) {
      EXPECT_EQ(ReadRecord(BudgetFile, b, a.budgetRow), 1);
    }
    return b;
  }
  fixture::FiscalYear fy;
};

TEST_F(BudgetDlgTest, RowsFollowTheFiscalYearAndSaveToTheirCalendarMonths) {
  FiscalFirstMonth = 6;  // July
  std::string group, first, last;
  Run(101, [&](HWND h) {
    group = FieldText(h, IDC_BUD_CAPTION);
    first = FieldText(h, IDC_BUD_LABEL0);
    last = FieldText(h, IDC_BUD_LABEL11);
    SetField(h, IDC_BUD_AMOUNT0, "15.00");    // July
    SetField(h, IDC_BUD_AMOUNT11, "-20.50");  // June
    Press(h, IDOK);
  });
  EXPECT_EQ(group, "101 - Checking (Checking)");
  EXPECT_EQ(first, "Jul&y:");
  EXPECT_EQ(last, "J&une:");
  const AccountRecord a = fixture::FiscalYear::Account(101);
  ASSERT_GE(a.budgetRow, 0);
  EXPECT_EQ(a.budgetRow, 1);  // after 620's budget at row 0
  const BudgetRecord b = BudgetOf(101);
  EXPECT_EQ(b.months[6], 1500);
  EXPECT_EQ(b.months[5], -2050);
  EXPECT_EQ(b.months[0], 0);

  // Twelve zeros remove 620's budget and unlink the account.
  FiscalFirstMonth = 0;
  Run(620, [&](HWND h) {
    EXPECT_EQ(FieldText(h, IDC_BUD_AMOUNT3), "10.00");
    for (int i = 0; i < 12; ++i) SetField(h, IDC_BUD_AMOUNT0 + i, "0.00");
    Press(h, IDC_REC_APPLY);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(fixture::FiscalYear::Account(620).budgetRow, -1);
  EXPECT_EQ(BudgetTable.keys[0].status, kStatusDeleted);
}

TEST_F(BudgetDlgTest, AltLCopiesTheFocusedMonthToAllAndDoesNothingWithoutOne) {
  std::vector<std::string> amounts;
  Run(101, [&](HWND h) {
    // No month field has the focus: nothing happens.
    SetFocus(GetDlgItem(h, IDOK));
    automation::PumpUntilIdle();
    automation::PressKey('L', false, false, true);
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(h, IDC_BUD_AMOUNT2));
    automation::PumpUntilIdle();
    automation::TypeText("12.5");
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("Question", "Set all months' amount to $12.50", ANSWER_YES);
    automation::PressKey('L', false, false, true);
    automation::PumpUntilIdle();
    SetFocus(GetDlgItem(h, IDOK));
    automation::PumpUntilIdle();
    for (int i = 0; i < 12; ++i) amounts.push_back(FieldText(h, IDC_BUD_AMOUNT0 + i));
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(amounts, std::vector<std::string>(12, "12.50"));
  EXPECT_EQ(fixture::FiscalYear::Account(101).budgetRow, -1);
}

TEST_F(BudgetDlgTest, AmountsBeyondTheCapacityAreRefusedNamingTheMonth) {
  const struct {
    int row;
    const char* text;
    const char* message;
  } cases[] = {
      {0, "100000.00", "Jan:  Exceeds capacity ($99999.99)"},
      {4, "-10000.00", "May:  Exceeds capacity ($-9999.99)"},
  };
  for (const auto& c : cases) {
    int focus = 0;
    Run(101, [&](HWND h) {
      SetField(h, IDC_BUD_AMOUNT0 + c.row, c.text);
      automation::ExpectMessageBox("Warning", c.message, IDOK);
      Press(h, IDOK);
      focus = GetDlgCtrlID(GetFocus());
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(focus, IDC_BUD_AMOUNT0 + c.row) << c.message;
    EXPECT_EQ(fixture::FiscalYear::Account(101).budgetRow, -1);
  }
}

TEST_F(BudgetDlgTest, PrevAndNextStepThroughEveryAccount) {
  std::vector<std::string> groups;
  Run(900, [&](HWND h) {
    EXPECT_TRUE(Enabled(h, IDC_REC_PREV));
    automation::ExpectMessageBox("Information", "Starting at first account", IDOK);
    Press(h, IDC_REC_NEXT);
    groups.push_back(FieldText(h, IDC_BUD_CAPTION));
    Press(h, IDC_REC_NEXT);
    groups.push_back(FieldText(h, IDC_BUD_CAPTION));
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(groups, (std::vector<std::string>{"1 - Petty Cash (Cash)", "101 - Checking (Checking)"}));
}

}  // namespace

namespace {

TEST_F(BudgetDlgTest, TheHiddenLogsOfBudgetsAndReservesListTheirFiles) {
  std::snprintf(TempFolder, sizeof TempFolder, "%s", fy.home().c_str());
  const struct {
    const char* caption;
    std::function<void(FILE*)> write;
    const char* file;
    const char* header;
    const char* line;
  } dumps[] = {
      {"Budgets", CBudgetDlg::WriteLog, "budlog.txt",
       "Row  ID    Del         0         1         2         3         4         5         6         7         8         9"
       "        10        11 \r\n",
       "   0   620   0      1000      1000 "},
      {"Reserves", CInitResDlg::WriteLog, "reslog.txt", "Row  MemID  AcctID    OpenBal\r\n",
       "   0     0    710       3000\r\n"},
  };
  for (const auto& d : dumps) {
    std::string text;
    automation::OnDialog(d.caption, [&](HWND viewer) { text = FieldText(viewer, IDC_TEXTVIEW_TEXT); }, IDCANCEL);
    RunLogDump(d.file, d.caption, d.write);
    EXPECT_EQ(text.rfind(d.header, 0), 0u) << d.file << "\n" << text;
    EXPECT_NE(text.find(d.line), std::string::npos) << d.file << "\n" << text;
    EXPECT_FALSE(std::filesystem::exists(LogDumpPath(d.file)));
  }
}

}  // namespace
