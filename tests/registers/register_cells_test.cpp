// The register grid's cells as the treasurer uses them: keys and mouse of
// the number, date, description, amount and account cells, the description
// that fills a row from the last transaction it named, and the passbook
// and dues paths with no passbook data left behind by a line that lost
// its split.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/AppTestUtil.h"
#include "common/AmountEdit.h"
#include "common/Question.h"
#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "platform/testing/Automation.h"
#include "platform/window/Window.h"
#include "registers/RegistersTestUtil.h"
#include "registers/TransGDlg.h"
#include "registers/TransGrid.h"
#include "registers/TransRules.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/SplitStore.h"
#include "store/KeyTable.h"
#include "store/Xfer.h"

namespace {

CTransGrid* GridOf(HWND dlg) {
  return dynamic_cast<CTransGrid*>(CWnd::FromHandlePermanent(GetDlgItem(dlg, IDC_TRG_GRID)));
}

std::string Text(CTransGrid* grid, ROWCOL row, ROWCOL col) { return std::string(grid->GetCellText(row, col)); }
std::string Value(CTransGrid* grid, ROWCOL row, ROWCOL col) { return std::string(grid->GetCellValue(row, col)); }

// The text of the current cell's edit window.
std::string Shown(CTransGrid* grid) {
  CString text;
  if (CGXControl* control = grid->GetCurrentCellControl()) control->GetValue(text);
  return std::string(text);
}

void RightClick(CTransGrid* grid, ROWCOL row, ROWCOL col) {
  automation::AdvanceClock(600);
  automation::Click(grid->GetSafeHwnd(), grid->CalcCellRect(row, col).CenterPoint(), 1);
  automation::PumpUntilIdle();
}

class RegisterCellsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ResetXferDefaults();
    GXInitLibrary(new CGXControlFactory);
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }
  // Runs the register of 101 with a fresh row inserted; `script` gets the
  // dialog, the grid and the new row.
  int RunWithNewRow(std::function<void(HWND, CTransGrid*, ROWCOL)> script) {
    automation::OnDialog("Account Register", [&](HWND h) {
      Press(h, IDC_TRG_INSERT);
      CTransGrid* grid = GridOf(h);
      ROWCOL row = 0, col = 0;
      grid->GetCurrentCell(row, col);
      script(h, grid, row);
    }, IDABORT);
    CTransGDlg dlg;
    dlg.m_account = fixture::FiscalYear::Account(101);
    return static_cast<int>(dlg.DoModal());
  }
  // Leaves the dialog, throwing the row away.
  static void CloseDiscarding(HWND h) {
    automation::AlwaysAnswer("", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
    automation::ClearResponder();
  }
  fixture::FiscalYear fy;
};

TEST_F(RegisterCellsTest, KeysOfTheNumberDateDescriptionAmountAndAccountCells) {
  RunWithNewRow([&](HWND h, CTransGrid* grid, ROWCOL row) {
    // N over the whole number asks for the next free one.
    TypeIntoCell(grid, row, kColNumber, "N");
    EXPECT_TRUE(AllDigits(Text(grid, row, kColNumber).c_str())) << Text(grid, row, kColNumber);
    EXPECT_NE(Text(grid, row, kColNumber), "");
    // + moves the date a day on, across the year's end.
    TypeIntoCell(grid, row, kColDate, "12/31/08");
    automation::TypeText("+");
    automation::PumpUntilIdle();
    EXPECT_EQ(Shown(grid), "01/01/09");
    // A month and day alone become a whole date on leaving the cell.
    TypeIntoCell(grid, row, kColDate, "3/15");
    grid->SetCurrentCell(row, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, row, kColDate), "03/15/08");
    EXPECT_EQ(Value(grid, row, kColMonth), "Mar");
    // The description completes from the register's earlier descriptions:
    // the rest stays selected, and the next key replaces it.
    TypeIntoCell(grid, row, kColDescription, "O");
    EXPECT_EQ(Shown(grid), "Outfitters");
    automation::TypeText("x");
    automation::PumpUntilIdle();
    EXPECT_EQ(Shown(grid), "Ox");
    // An amount is stored in cents and shown in dollars once left.
    TypeIntoCell(grid, row, kColDeposit, "12.5");
    EXPECT_EQ(Shown(grid), "12.5");
    grid->SetCurrentCell(row, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, row, kColDeposit), "1250");
    CString shown;
    if (CGXControl* amount = grid->GetRegisteredControl(kGridDollarId))
      amount->GetControlText(shown, row, kColDeposit, "1250", CGXStyle());
    EXPECT_EQ(std::string(shown), "$ 12.50");
    // L over the whole amount recalls the last amount entered anywhere.
    LastAmount = 7.25;
    TypeIntoCell(grid, row, kColDeposit, "L");
    grid->SetCurrentCell(row, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, row, kColDeposit), "725");
    // The account cell completes a typed number.
    TypeIntoCell(grid, row, kColSupport, "52");
    grid->SetCurrentCell(row, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, row, kColSupport), "520");
    CloseDiscarding(h);
  });
}

TEST_F(RegisterCellsTest, MouseOpensTheCalculatorTheDateMenuAndTheAccountMenu) {
  RunWithNewRow([&](HWND h, CTransGrid* grid, ROWCOL row) {
    // The calculator from the amount cell: its result is the amount.
    grid->SetCurrentCell(row, kColWithdrawal);
    automation::PumpUntilIdle();
    RightClick(grid, row, kColWithdrawal);
    automation::TypeText("12+30=");
    automation::PumpUntilIdle();
    grid->SetCurrentCell(row, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, row, kColWithdrawal), "4200");
    // The date menu: Copy Date in one row, Paste Date after changing it.
    TypeIntoCell(grid, row, kColDate, "04/01/08");
    automation::ExpectMessageBox("", "Copy Date|Paste Date|Calendar", 1);
    RightClick(grid, row, kColDate);
    TypeIntoCell(grid, row, kColDate, "05/02/08");
    automation::ExpectMessageBox("", "Copy Date|Paste Date|Calendar", 2);
    RightClick(grid, row, kColDate);
    EXPECT_EQ(Shown(grid), "04/01/08");
    // The account menu asks Account Information for a new account.
    grid->SetCurrentCell(row, kColSupport);
    automation::PumpUntilIdle();
    bool opened = false;
    automation::OnDialog("Account Information", [&](HWND a) {
      opened = true;
      Press(a, IDCANCEL);
    }, IDCANCEL);
    automation::ExpectMessageBox("", "Create New Account", 1);
    RightClick(grid, row, kColSupport);
    EXPECT_TRUE(opened);
    // Without room for accounts the menu is not offered at all.
    const size_t menus = automation::ModalLog().size();
    grid->SetAllowNewAccount(FALSE);
    RightClick(grid, row, kColSupport);
    EXPECT_EQ(automation::ModalLog().size(), menus);
    CloseDiscarding(h);
  });
}

TEST_F(RegisterCellsTest, ADescriptionUsedBeforeFillsTheAmountAndSupportOfItsLastTransaction) {
  RunWithNewRow([&](HWND h, CTransGrid* grid, ROWCOL row) {
    TypeIntoCell(grid, row, kColDescription, "Camp s");
    grid->SetCurrentCell(row, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, row, kColDescription), "Camp store");
    EXPECT_EQ(Value(grid, row, kColWithdrawal), "5000");
    EXPECT_EQ(Value(grid, row, kColDeposit), "");
    EXPECT_EQ(Value(grid, row, kColSupport), "620");
    EXPECT_TRUE(grid->CanSaveRow());
    // A row that has its amount already is left as typed.
    Press(h, IDC_TRG_SAVE);
    ROWCOL next = 0, col = 0;
    grid->GetCurrentCell(next, col);
    TypeIntoCell(grid, next, kColDeposit, "3.00");
    TypeIntoCell(grid, next, kColDescription, "Outf");
    grid->SetCurrentCell(next, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, next, kColDeposit), "300");
    EXPECT_EQ(Value(grid, next, kColSupport), "");
    CloseDiscarding(h);
  });
}

// Types a deposit of `amount` on `support` into the row and opens its
// passbook split with the "..." button, where Anna and Ben get `anna` and
// `ben` dollars in cash.
void DepositWithSplit(CTransGrid* grid, ROWCOL row, const char* amount, const char* support, const char* anna,
                      const char* ben) {
  TypeIntoCell(grid, row, kColDescription, "Troop night");
  TypeIntoCell(grid, row, kColDeposit, amount);
  TypeIntoCell(grid, row, kColSupport, support);
  automation::OnDialog("PassBook Split", [=](HWND p) {
    TypeIntoPassbookField(p, IDC_PBS_CASH0 + PassbookHolderRow(p, "Smith"), anna);
    if (ben != nullptr) TypeIntoPassbookField(p, IDC_PBS_CASH0 + PassbookHolderRow(p, "Jones"), ben);
    Press(p, IDCANCEL);
  }, IDABORT);
  ClickCell(grid, row, kColPassbookButton);
}

TEST_F(RegisterCellsTest, PassbookAndDuesPathsMoveTheMembersAndLeaveNoStaleSplit) {
  const int anna = fixture::FiscalYear::MemberBalance(fixture::kAnna);
  const int ben = fixture::FiscalYear::MemberBalance(fixture::kBen);
  const int dues = fixture::FiscalYear::Balance(599), income = fixture::FiscalYear::Balance(520);
  const int splits = SplitTable.freeCount;
  RunWithNewRow([&](HWND h, CTransGrid* grid, ROWCOL row) {
    // Fundraising earned by Anna and Ben.
    DepositWithSplit(grid, row, "10.00", "520", "6", "4");
    EXPECT_EQ(Value(grid, row, kColPassbook), "1");
    Press(h, IDC_TRG_SAVE);
    // Income shared out with 5.00 left to the unit, then moved to dues:
    // dues may not leave a unit share, and the split opens again.
    ROWCOL next = 0, col = 0;
    grid->GetCurrentCell(next, col);
    DepositWithSplit(grid, next, "8.00", "520", "5", nullptr);
    automation::ExpectMessageBox("Warning", "There may not be a", IDOK);
    automation::OnDialog("PassBook Split", [](HWND p) {
      automation::ExpectMessageBox("", "On a dues deposit (account #599)", ANSWER_YES);
      Press(p, IDCANCEL);
    }, IDABORT);
    TypeIntoCell(grid, next, kColSupport, "599");
    grid->SetCurrentCell(next, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, next, kColDeposit), "500") << "the amount follows the shares";
    Press(h, IDC_TRG_SAVE);
    // A split dropped with its check box or lost to a support account that
    // cannot have one posts nothing to the passbooks.
    grid->GetCurrentCell(next, col);
    DepositWithSplit(grid, next, "7.00", "520", "7", nullptr);
    automation::ExpectMessageBox("", "Do you really want to discard the passbook split", ANSWER_YES);
    ClickCell(grid, next, kColPassbook);
    EXPECT_EQ(Value(grid, next, kColPassbook), "0");
    Press(h, IDC_TRG_SAVE);
    grid->GetCurrentCell(next, col);
    DepositWithSplit(grid, next, "9.00", "520", "9", nullptr);
    TypeIntoCell(grid, next, kColSupport, "201");
    grid->SetCurrentCell(next, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, next, kColPassbook), "0");
    TypeIntoCell(grid, next, kColSupport, "520");
    grid->SetCurrentCell(next, kColNotes);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, next, kColPassbook), "0");
    Press(h, IDC_TRG_SAVE);
    Press(h, IDCANCEL);
  });
  // Dues paid out of a passbook split leave the passbook as it was.
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kAnna) - anna, 600);
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kBen) - ben, 400);
  EXPECT_EQ(fixture::FiscalYear::Balance(599) - dues, 500);
  EXPECT_EQ(fixture::FiscalYear::Balance(520) - income, 1000 + 700 + 900);
  EXPECT_EQ(SplitTable.freeCount, splits - 2) << "only the two kept splits are stored";
}

TEST_F(RegisterCellsTest, TabMovesThroughTheRowsCellsAsTheTreasurerTypes) {
  const int income = fixture::FiscalYear::Balance(520);
  RunWithNewRow([&](HWND h, CTransGrid* grid, ROWCOL row) {
    grid->SetFocus();
    automation::PumpUntilIdle();
    // Num, Description, Withdrawal, Deposit, C, Suppt, Resrv, PassB, "...", Notes.
    // Typed in one go, faster than the grid moves: nothing typed ahead is lost.
    automation::TypeText("1500\tCar wash\t\t25.00\t\t520\t\t\t\tfast");
    automation::PumpUntilIdle();
    EXPECT_EQ(Text(grid, row, kColNumber), "1500");
    EXPECT_EQ(Text(grid, row, kColDescription), "Car wash");
    EXPECT_EQ(Text(grid, row, kColDeposit), "2500");
    EXPECT_EQ(Text(grid, row, kColSupport), "520");
    EXPECT_EQ(Text(grid, row, kColNotes), "fast");
    Press(h, IDC_TRG_SAVE);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(fixture::FiscalYear::Balance(520) - income, 2500);
}

}  // namespace
