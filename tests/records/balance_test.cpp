// Account balancing on the fixture year: the items of an account, the
// previous year's files swapped in and always back (also after a failure
// halfway), the totals and variance, toggling, the cleared marks written
// back on OK, the remembered closing date and ending balance, the
// previous-year box, and the dialog's picture.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "RecordsTestUtil.h"
#include "common/ConfigFile.h"
#include "common/Question.h"
#include "platform/window/CommCtrlDefs.h"
#include "records/AccountRegisterSeam.h"
#include "records/BalanceDlg.h"
#include "records/Recon.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/WriteFailures.h"
#include "support/GoldenImage.h"

namespace {

void DoubleClickRow(HWND list, int row) {
  RECT item{};
  item.left = LVIR_BOUNDS;
  SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  automation::DoubleClick(list, POINT{item.left + 20, (item.top + item.bottom) / 2});
  automation::PumpUntilIdle();
}

class BalanceTest : public RecordDialogTest {
 protected:
  void SetUp() override {
    RecordDialogTest::SetUp();
    FreeYearList();
    FindYearNode("2008", 1, &YearList);
    std::snprintf(YearList->folder, sizeof YearList->folder, "%s", fy.folder().c_str());
  }
  void TearDown() override {
    write_failures::Reset();
    FreeYearList();
    RecordDialogTest::TearDown();
  }
  // A previous year 2007 whose files hold a deposit to 101 of 25.00 and a
  // payment of a loan with a support line of 7.00 on 101; `withTrans`
  // false leaves its transaction file out.
  FiscalYearNode* MakePreviousYear(bool withTrans = true) {
    const std::string folder = fy.home() + "/fy2007";
    std::filesystem::create_directories(folder);
    FILE* t = std::fopen((folder + "/trans407.dat").c_str(), "wb");
    FILE* s = std::fopen((folder + "/suppt407.dat").c_str(), "wb");
    TransactionRecord dep;
    dep.id = 1;
    dep.account = 101;
    SetText(dep.number, "D7");
    SetText(dep.date, "20071220");
    SetText(dep.payee, "Wreath sale");
    dep.factor = 1;
    dep.amount = 2500;
    TransactionRecord loan = dep;
    loan.id = 2;
    loan.account = 401;
    SetText(loan.payee, "Loan payment");
    SupportLineRecord line;
    line.id = 2;
    line.account = 101;
    line.amount = 700;
    line.factor = -1;
    EXPECT_EQ(WriteRecord(t, dep, 0), 1);
    EXPECT_EQ(WriteRecord(t, loan, 1), 1);
    EXPECT_EQ(WriteRecord(s, line, 0), 1);
    std::fclose(t);
    std::fclose(s);
    if (!withTrans) std::filesystem::remove(folder + "/trans407.dat");
    FiscalYearNode* node = FindYearNode("2007", 1, &YearList);
    std::snprintf(node->folder, sizeof node->folder, "%s", folder.c_str());
    return node;
  }
  // The loaded year's files and tables are the loaded year's.
  void ExpectLoadedYear(int transRows, const std::string& transPath) {
    EXPECT_EQ(std::string(TransPath), transPath);
    EXPECT_EQ(TransTable.rowCount, transRows);
    TransactionRecord t;
    ASSERT_NE(TransFile, nullptr);
    ASSERT_EQ(ReadRecord(TransFile, t, 0), 1);
    EXPECT_STREQ(t.payee, "Popcorn sale");
    EXPECT_NE(SupportFile, nullptr);
  }
  void Run(int number, std::function<void(HWND)> script) {
    Drive(std::to_string(number) + " / ", std::move(script), [&] {
      CBalanceDlg dlg;
      dlg.m_account = fixture::FiscalYear::Account(number);
      dlg.DoModal();
    });
  }
  fixture::FiscalYear fy;
};

TEST_F(BalanceTest, ItemsOfAYearAreTheAccountsTransactionsAndOtherTransactionsSupportLines) {
  ReconList list;
  ASSERT_EQ(LoadReconItems(101, fy.folder().c_str(), YearList, 1, &list), 1);
  ASSERT_EQ(ReconCount(list), 3);
  EXPECT_EQ(list.back().row, -1);
  EXPECT_STREQ(list[0].number, "DEP1");
  EXPECT_STREQ(list[0].date, "02/10/08");
  EXPECT_EQ(list[0].factor, 1);
  EXPECT_EQ(list[0].isTransaction, 1);
  EXPECT_EQ(list[0].thisYear, 1);

  ASSERT_EQ(LoadReconItems(620, fy.folder().c_str(), YearList, 1, &list), 1);
  ASSERT_EQ(ReconCount(list), 1);
  EXPECT_STREQ(list[0].description, "[Camp store]");
  EXPECT_EQ(list[0].amount, 5000);
  EXPECT_EQ(list[0].isTransaction, 0);
  EXPECT_STREQ(list[0].number, "");
}

TEST_F(BalanceTest, ThePreviousYearIsSwappedInAndAlwaysBack) {
  const int rows = TransTable.rowCount;
  const std::string path = TransPath;
  FiscalYearNode* prev = MakePreviousYear();
  ReconList list;
  ASSERT_EQ(LoadReconItems(101, prev->folder, prev, 0, &list), 1);
  ASSERT_EQ(ReconCount(list), 2);
  EXPECT_STREQ(list[0].description, "Wreath sale");
  EXPECT_STREQ(list[1].description, "[Loan payment]");
  EXPECT_EQ(list[1].thisYear, 0);
  ExpectLoadedYear(rows, path);

  // A failure halfway (the support lines loaded, the transactions missing)
  // still brings the loaded year back.
  std::filesystem::remove(std::string(prev->folder) + "/trans407.dat");
  automation::ExpectMessageBox("Fatal Error", "Failed open: transaction", IDOK);
  EXPECT_EQ(LoadReconItems(101, prev->folder, prev, 0, &list), 0);
  EXPECT_TRUE(list.empty());
  ExpectLoadedYear(rows, path);

  // Saving marks into the previous year fails on a refused write and still
  // swaps back.
  MakePreviousYear();
  ASSERT_EQ(LoadReconItems(101, prev->folder, prev, 0, &list), 1);
  list[0].cleared = 1;
  write_failures::FailAfter(0);
  automation::ExpectMessageBox("Fatal Error", "Failed write: transaction", IDOK);
  EXPECT_EQ(SaveClearedFlags(prev->folder, prev, 0, list), 0);
  write_failures::Reset();
  ExpectLoadedYear(rows, path);
  ASSERT_EQ(SaveClearedFlags(prev->folder, prev, 0, list), 1);
  ExpectLoadedYear(rows, path);
  FILE* t = std::fopen((std::string(prev->folder) + "/trans407.dat").c_str(), "rb");
  TransactionRecord written;
  ASSERT_EQ(ReadRecord(t, written, 0), 1);
  std::fclose(t);
  EXPECT_EQ(written.cleared, 1);
}

TEST_F(BalanceTest, TogglingComputesTheTotalsAndOkWritesTheMarksAndRemembersTheStatement) {
  struct Totals {
    std::string deposits, withdrawals, adjusted, current, variance;
  };
  std::vector<Totals> seen;
  std::string caption, depLabel, box, clr;
  bool boxEnabled = true;
  int rows = 0;
  auto look = [&](HWND h) {
    seen.push_back({FieldText(h, IDC_BAL_DEP), FieldText(h, IDC_BAL_WD), FieldText(h, IDC_BAL_ADJUSTED),
                    FieldText(h, IDC_BAL_CURRENT), FieldText(h, IDC_BAL_VARIANCE)});
  };
  Run(101, [&](HWND h) {
    caption = Caption(h);
    depLabel = FieldText(h, IDC_BAL_DEP_LABEL);
    box = FieldText(h, IDC_BAL_PREVYEAR);
    boxEnabled = Enabled(h, IDC_BAL_PREVYEAR);
    HWND list = GetDlgItem(h, IDC_BAL_LIST);
    rows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    look(h);
    SetField(h, IDC_BAL_DATE, "03/31/08");
    SetField(h, IDC_BAL_ENDING, "1050.00");
    FocusThrough(h, IDC_BAL_ENDING, IDC_BAL_DATE);
    look(h);
    DoubleClickRow(list, 0);  // DEP1 cleared
    clr = ListCell(list, 0, 6);
    look(h);
    DoubleClickRow(list, 1);
    DoubleClickRow(list, 1);  // twice: as before
    look(h);
    Press(h, IDOK);
  });
  EXPECT_EQ(caption, "101 / Checking");
  EXPECT_EQ(depLabel, "Uncl Deposits:");
  EXPECT_EQ(box, "&Display FY07 Trans");
  EXPECT_FALSE(boxEnabled);
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(clr, "x");
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].deposits, "$100.00");
  EXPECT_EQ(seen[0].withdrawals, "$130.00");
  EXPECT_EQ(seen[0].adjusted, "($30.00)");
  EXPECT_EQ(seen[0].variance, "($1000.00)");
  EXPECT_EQ(seen[1].adjusted, "$1020.00");
  EXPECT_EQ(seen[1].current, "$970.00");
  EXPECT_EQ(seen[1].variance, "$50.00");
  EXPECT_EQ(seen[2].deposits, "$0.00");
  EXPECT_EQ(seen[2].variance, "($50.00)");
  EXPECT_EQ(seen[3].variance, seen[2].variance);
  // DEP1's mark is written; the line toggled twice is not.
  TransactionRecord t;
  ASSERT_EQ(ReadRecord(TransFile, t, 0), 1);
  EXPECT_EQ(t.cleared, 1);
  ASSERT_EQ(ReadRecord(TransFile, t, 1), 1);
  EXPECT_EQ(t.cleared, 0);

  std::string date, ending;
  Run(101, [&](HWND h) {
    date = FieldText(h, IDC_BAL_DATE);
    ending = FieldText(h, IDC_BAL_ENDING);
    EXPECT_EQ(ListCell(GetDlgItem(h, IDC_BAL_LIST), 0, 6), "x");
    Press(h, IDCANCEL);  // nothing toggled: no question
  });
  EXPECT_EQ(date, "03/31/08");
  EXPECT_EQ(ending, "1050.00");
}

TEST_F(BalanceTest, ThePreviousYearsItemsComeFirstToggleTheirOwnMarksAndLoadOnce) {
  FiscalYearNode* prev = MakePreviousYear();
  std::vector<std::string> firstRows, deposits;
  int shownRows = 0, hiddenRows = 0;
  Run(101, [&](HWND h) {
    HWND list = GetDlgItem(h, IDC_BAL_LIST);
    EXPECT_TRUE(Enabled(h, IDC_BAL_PREVYEAR));
    Press(h, IDC_BAL_PREVYEAR);  // BS_AUTOCHECKBOX: the press does not check it
    CheckDlgButton(h, IDC_BAL_PREVYEAR, 1);
    Press(h, IDC_BAL_PREVYEAR);
    shownRows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    firstRows.push_back(ListCell(list, 0, 3));
    deposits.push_back(FieldText(h, IDC_BAL_DEP));
    DoubleClickRow(list, 0);
    firstRows.push_back(ListCell(list, 0, 6));
    firstRows.push_back(ListCell(list, 2, 6));
    CheckDlgButton(h, IDC_BAL_PREVYEAR, 0);
    Press(h, IDC_BAL_PREVYEAR);
    hiddenRows = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    deposits.push_back(FieldText(h, IDC_BAL_WD));
    // Checked again, the year is not read again: its file is gone.
    std::filesystem::remove(std::string(prev->folder) + "/suppt407.dat");
    CheckDlgButton(h, IDC_BAL_PREVYEAR, 1);
    Press(h, IDC_BAL_PREVYEAR);
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), shownRows);
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(shownRows, 5);
  EXPECT_EQ(hiddenRows, 3);
  EXPECT_EQ(firstRows, (std::vector<std::string>{"Wreath sale", "x", ""}));
  EXPECT_EQ(deposits[0], "$125.00");
  EXPECT_EQ(deposits[1], "$137.00");  // hidden, still counted
}

TEST_F(BalanceTest, Picture) {
  Run(101, [&](HWND h) {
    SetField(h, IDC_BAL_DATE, "03/31/08");
    SetField(h, IDC_BAL_ENDING, "1050.00");
    DoubleClickRow(GetDlgItem(h, IDC_BAL_LIST), 0);
    EXPECT_TRUE(golden::Matches("records/account_balancing.png",
                                [&](const std::string& path) { return automation::RenderToPng(h, path); }));
    automation::ExpectMessageBox("Question", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
  });
}

}  // namespace

namespace {

int reportRuns = 0;
ReconContext seenContext;
int RecordReport(int id, void*) {
  if (id == 16) ++reportRuns;
  seenContext = TheReconContext;
  return 1;
}

TEST_F(BalanceTest, AnAccountWithoutLinesAndTheReportOnceItsDriverIsInstalled) {
  std::string adjusted, variance;
  bool reportOff = false;
  int rows = -1;
  Run(201, [&](HWND h) {
    rows = static_cast<int>(SendMessage(GetDlgItem(h, IDC_BAL_LIST), LVM_GETITEMCOUNT, 0, 0));
    reportOff = !Enabled(h, IDC_BAL_REPORT);
    SetField(h, IDC_BAL_ENDING, "150.00");
    FocusThrough(h, IDC_BAL_ENDING, IDC_BAL_DATE);
    adjusted = FieldText(h, IDC_BAL_ADJUSTED);
    variance = FieldText(h, IDC_BAL_VARIANCE);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(rows, 0);
  EXPECT_TRUE(reportOff);
  EXPECT_EQ(adjusted, "$150.00");
  EXPECT_EQ(variance, "($50.00)");  // the savings account holds 200.00

  SetRecordReportRunner(RecordReport);
  reportRuns = 0;
  Run(101, [&](HWND h) {
    EXPECT_TRUE(Enabled(h, IDC_BAL_REPORT));
    SetField(h, IDC_BAL_DATE, "03/31/08");
    SetField(h, IDC_BAL_ENDING, "1000.00");
    Press(h, IDC_BAL_REPORT);
    Press(h, IDCANCEL);
  });
  SetRecordReportRunner(nullptr);
  EXPECT_EQ(reportRuns, 1);
  EXPECT_STREQ(seenContext.statementDate, "033108");
  EXPECT_EQ(seenContext.statementBalance, 100000);
  EXPECT_EQ(seenContext.unclearedIncreases, 10000);
  EXPECT_EQ(seenContext.unclearedDecreases, 13000);
  EXPECT_EQ(seenContext.previousItems, nullptr);
  // The statement's lists went with the dialog.
  EXPECT_EQ(TheReconContext.items, nullptr);
}

}  // namespace
