// The register grid on the fixture year: postings typed row by row into the
// grid move the same balances as the form's, the row protocol (save on
// leaving, discard of an untouched new row), the register's layout by kind
// of account, and saves and deletes the store refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/AppTestUtil.h"
#include "common/Question.h"
#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXControl.h"
#include "grid/cells/GXGridCombo.h"
#include "grid/cells/GXControlFactory.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "platform/window/Window.h"
#include "registers/TransGDlg.h"
#include "registers/TransGrid.h"
#include "registers/SuppGrid.h"
#include "registers/RegistersTestUtil.h"
#include "reports/RegisterReport.h"
#include "reports/RptDriver.h"
#include "reports/RptSelection.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/WriteFailures.h"
#include "store/Xfer.h"
#include "support/GoldenImage.h"

namespace {

CTransGrid* GridOf(HWND dlg) {
  return dynamic_cast<CTransGrid*>(CWnd::FromHandlePermanent(GetDlgItem(dlg, IDC_TRG_GRID)));
}

void TypeInto(CTransGrid* grid, ROWCOL row, ROWCOL col, const std::string& text) {
  TypeIntoCell(grid, row, col, text);
}

struct Posting {
  const char* name;
  int account;
  ROWCOL amountCol;
  const char* amount;
  const char* support;
  const char* reserve;
  std::vector<std::pair<int, int>> deltas;
};

class RegisterGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    ResetXferDefaults();
    GXInitLibrary(new CGXControlFactory);
  }
  void TearDown() override {
    write_failures::Reset();
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ResetWindows();
  }
  int Run(int number, std::function<void(HWND)> script) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "Account Register");
    automation::OnDialog(caption, std::move(script), IDABORT);
    CTransGDlg dlg;
    dlg.m_account = fixture::FiscalYear::Account(number);
    return static_cast<int>(dlg.DoModal());
  }
  // Inserts a row and types a posting into it; the row is left unsaved.
  static ROWCOL TypePosting(HWND h, const Posting& p) {
    CTransGrid* grid = GridOf(h);
    Press(h, IDC_TRG_INSERT);
    ROWCOL row = 0, col = 0;
    grid->GetCurrentCell(row, col);
    EXPECT_EQ(col, static_cast<ROWCOL>(kColNumber)) << "a new row starts in Num";
    TypeInto(grid, row, kColDescription, "Entry");
    TypeInto(grid, row, p.amountCol, p.amount);
    TypeInto(grid, row, kColSupport, p.support);
    if (p.reserve != nullptr) TypeInto(grid, row, kColReserve, p.reserve);
    TypeInto(grid, row, kColNotes, "typed");
    return row;
  }
  fixture::FiscalYear fy;
};

const Posting kPostings[] = {
    {"deposit of income", 101, kColDeposit, "25.00", "520", nullptr, {{101, 2500}, {520, 2500}}},
    {"payment of an expense", 101, kColWithdrawal, "12.50", "620", nullptr, {{101, -1250}, {620, 1250}}},
    {"transfer to savings", 101, kColWithdrawal, "100", "201", nullptr, {{101, -10000}, {201, 10000}}},
    {"expense from a reserve", 101, kColWithdrawal, "30", "620", "710", {{101, -3000}, {620, 3000}, {710, -3000}}},
    {"loan payment", 401, kColWithdrawal, "40", "101", nullptr, {{401, -4000}, {101, -4000}}},
};

TEST_F(RegisterGridTest, PostingsTypedIntoRowsMoveTheBalancesAsTheFormDoes) {
  for (const Posting& p : kPostings) {
    SCOPED_TRACE(p.name);
    std::vector<int> before;
    for (const auto& d : p.deltas) before.push_back(fixture::FiscalYear::Balance(d.first));
    const int transactions = TransTable.liveCount;
    const int result = Run(p.account, [&](HWND h) {
      const ROWCOL row = TypePosting(h, p);
      Press(h, IDC_TRG_SAVE);
      CTransGrid* grid = GridOf(h);
      EXPECT_FALSE(grid->GetCellValue(row, kColId).IsEmpty()) << "the row knows its transaction";
      // A fresh row follows the save; left untouched it goes without a question.
      ROWCOL current = 0, col = 0;
      grid->GetCurrentCell(current, col);
      EXPECT_EQ(current, row + 1);
      Press(h, IDCANCEL);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(TransTable.liveCount, transactions + 1);
    for (size_t i = 0; i < p.deltas.size(); ++i)
      EXPECT_EQ(fixture::FiscalYear::Balance(p.deltas[i].first) - before[i], p.deltas[i].second)
          << "account " << p.deltas[i].first;
  }
}

TEST_F(RegisterGridTest, ASaveTheStoreRefusesKeepsTheRowInEditAndAFailedDeleteKeepsTheRow) {
  const int transactions = TransTable.liveCount;
  const int balance = fixture::FiscalYear::Balance(101);
  Run(101, [&](HWND h) {
    CTransGrid* grid = GridOf(h);
    const ROWCOL row = TypePosting(h, kPostings[0]);
    // A full transaction table: the store refuses the new transaction.
    const int free = TransTable.freeCount;
    TransTable.freeCount = 0;
    automation::ExpectMessageBox("", "maximum number of transactions", IDOK);
    Press(h, IDC_TRG_SAVE);
    TransTable.freeCount = free;
    EXPECT_TRUE(grid->GetCellValue(row, kColId).IsEmpty());
    EXPECT_TRUE(grid->CanSaveRow()) << "the row stays in edit";
    // A write failure inside the store: the same.
    write_failures::FailAfter(0);
    automation::AlwaysAnswer("", "", IDOK);
    Press(h, IDC_TRG_SAVE);
    write_failures::Reset();
    automation::ClearResponder();
    EXPECT_TRUE(grid->CanSaveRow());
    EXPECT_TRUE(grid->GetCellValue(row, kColId).IsEmpty());
    // Now it goes through.
    Press(h, IDC_TRG_SAVE);
    EXPECT_FALSE(grid->GetCellValue(row, kColId).IsEmpty());
    // The fresh row that followed is left untouched: it goes without a question.
    EXPECT_EQ(grid->GetRowCount(), row + 1);
    ASSERT_TRUE(grid->SetCurrentCell(row, kColNotes));
    automation::PumpUntilIdle();
    EXPECT_EQ(grid->GetRowCount(), row);
    // A delete the store cannot write keeps the row.
    const ROWCOL rows = grid->GetRowCount();
    automation::ExpectMessageBox("", "Do you really want to delete", IDYES);
    write_failures::FailAfter(0);
    automation::AlwaysAnswer("", "", IDOK);
    Press(h, IDC_TRG_DELETE);
    write_failures::Reset();
    automation::ClearResponder();
    EXPECT_EQ(grid->GetRowCount(), rows);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(TransTable.liveCount, transactions + 1);
  EXPECT_EQ(fixture::FiscalYear::Balance(101) - balance, 2500);
}

TEST_F(RegisterGridTest, ChecksRefuseTheRowAndLeavingAskesToSave) {
  Run(101, [&](HWND h) {
    CTransGrid* grid = GridOf(h);
    const ROWCOL row = TypePosting(h, kPostings[0]);
    // A date outside the fiscal year is refused with the date check's message.
    TypeInto(grid, row, kColDate, "03/15/09");
    automation::ExpectMessageBox("Warning", "Date:  ", IDOK);
    Press(h, IDC_TRG_SAVE);
    EXPECT_TRUE(grid->CanSaveRow());
    TypeInto(grid, row, kColDate, "03/15/08");
    // Leaving the row asks; Cancel keeps the user in it.
    automation::ExpectMessageBox("", "Do you wish to save your changes to the current transaction", ANSWER_CANCEL);
    grid->SetCurrentCell(1, kColDescription);
    automation::PumpUntilIdle();
    ROWCOL current = 0, col = 0;
    grid->GetCurrentCell(current, col);
    EXPECT_EQ(current, row);
    // No throws the typing away and removes the new row.
    automation::ExpectMessageBox("", "Do you wish to save your changes to the current transaction", ANSWER_NO);
    grid->SetCurrentCell(1, kColDescription);
    automation::PumpUntilIdle();
    EXPECT_EQ(grid->GetRowCount(), row - 1);
    Press(h, IDCANCEL);
  });
}

TEST_F(RegisterGridTest, AmountCellStoresWhatItShowsAndTheMonthFollowsTheDate) {
  Run(101, [&](HWND h) {
    CTransGrid* grid = GridOf(h);
    Press(h, IDC_TRG_INSERT);
    ROWCOL row = 0, col = 0;
    grid->GetCurrentCell(row, col);
    TypeInto(grid, row, kColDeposit, "123456.78");
    TypeInto(grid, row, kColDate, "03/15/08");
    TypeInto(grid, row, kColNotes, "x");
    EXPECT_EQ(std::string(grid->GetCellValue(row, kColDeposit)), "9999999") << "clamped to 99999.99 as shown";
    EXPECT_EQ(std::string(grid->GetCellValue(row, kColMonth)), "Mar");
    automation::AlwaysAnswer("", "", ANSWER_NO);
    Press(h, IDCANCEL);
    automation::ClearResponder();
  });
}

TEST_F(RegisterGridTest, LayoutFollowsTheKindOfAccount) {
  struct Case {
    int account;
    const char* deposit;
    const char* balance;
    bool withdrawalShown;
  } cases[] = {{101, "Deposit", "Balance", true}, {401, "Charge", "Balance", true}, {900, "Amount", "Net Alloc", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.account);
    Run(c.account, [&](HWND h) {
      CTransGrid* grid = GridOf(h);
      EXPECT_EQ(std::string(grid->GetCellValue(0, kColDeposit)), c.deposit);
      EXPECT_EQ(std::string(grid->GetCellValue(0, kColBalance)), c.balance);
      // Columns hide only with the hiding feature switched on.
      if (grid->m_pHideCellsImp != nullptr) {
        EXPECT_EQ(!grid->IsColHidden(kColWithdrawal), c.withdrawalShown);
        EXPECT_EQ(!grid->IsColHidden(kColCleared), c.withdrawalShown);
        EXPECT_EQ(!grid->IsColHidden(kColReserve), c.withdrawalShown);
      }
      EXPECT_EQ(std::string(grid->GetCellValue(1, kColDescription)), "Opening Balance");
      EXPECT_FALSE(grid->IsColResizable(kColPassbook));
      EXPECT_NE(grid->m_pIntelliMousePlugin, nullptr) << "the wheel scrolls the register";
      Press(h, IDCANCEL);
    });
  }
}

TEST_F(RegisterGridTest, ADepositWithTwoSupportLinesAndAPassbookSplitMovesEveryBalance) {
  const int anna = fixture::FiscalYear::MemberBalance(fixture::kAnna);
  const int ben = fixture::FiscalYear::MemberBalance(fixture::kBen);
  const int checking = fixture::FiscalYear::Balance(101), income = fixture::FiscalYear::Balance(520),
            savings = fixture::FiscalYear::Balance(201);
  Run(101, [&](HWND h) {
    CTransGrid* grid = GridOf(h);
    Press(h, IDC_TRG_INSERT);
    ROWCOL row = 0, col = 0;
    grid->GetCurrentCell(row, col);
    TypeInto(grid, row, kColDescription, "Car wash");
    TypeInto(grid, row, kColDeposit, "30.00");
    automation::OnDialog("Support Account", [](HWND s) {
      auto* lines = dynamic_cast<CSuppGrid*>(CWnd::FromHandlePermanent(GetDlgItem(s, IDC_SGR_GRID)));
      ASSERT_NE(lines, nullptr);
      Press(s, IDC_SGR_INSERT);
      TypeIntoCell(lines, 1, kSuppColSupport, "520");
      TypeIntoCell(lines, 1, kSuppColAmount, "20.00");
      automation::OnDialog("PassBook Split", [](HWND p) {
        TypeIntoPassbookField(p, IDC_PBS_CASH0 + PassbookHolderRow(p, "Smith"), "12");
        TypeIntoPassbookField(p, IDC_PBS_CASH0 + PassbookHolderRow(p, "Jones"), "8");
        Press(p, IDCANCEL);
      }, IDABORT);
      ClickCell(lines, 1, kSuppColPassbookButton);
      EXPECT_EQ(std::string(lines->GetCellValue(1, kSuppColPassbook)), "1");
      Press(s, IDC_SGR_SAVE);
      Press(s, IDC_SGR_INSERT);
      TypeIntoCell(lines, 2, kSuppColSupport, "201");
      TypeIntoCell(lines, 2, kSuppColAmount, "10.00");
      Press(s, IDC_SGR_SAVE);
      Press(s, IDCANCEL);
    }, IDABORT);
    TypeInto(grid, row, kColSupport, "Split");
    TypeInto(grid, row, kColNotes, "");
    EXPECT_EQ(std::string(grid->GetCellValue(row, kColSupport)), "Split");
    Press(h, IDC_TRG_SAVE);
    EXPECT_FALSE(grid->GetCellValue(row, kColId).IsEmpty());
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(fixture::FiscalYear::Balance(101) - checking, 3000);
  EXPECT_EQ(fixture::FiscalYear::Balance(520) - income, 2000);
  EXPECT_EQ(fixture::FiscalYear::Balance(201) - savings, -1000) << "the transfer comes out of savings";
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kAnna) - anna, 1200);
  EXPECT_EQ(fixture::FiscalYear::MemberBalance(fixture::kBen) - ben, 800);
}

}  // namespace

namespace {

// The parameter dialog of report 31 as the register's Print finds it:
// records the preset it is opened with and cancels.
int printedAccount = 0;
char printedDisplay = 0;
int RecordRegisterPreset(RptContext*) {
  printedAccount = RptOptionB;
  printedDisplay = RptOrder;
  return 0;
}

TEST_F(RegisterGridTest, PrintOpensTheRegisterReportForTheRegistersAccountWhenNoRowIsInEdit) {
  // Without the report's dialog the button stays off.
  ClearRptRegistry();
  InstallRegisterReports();
  Run(101, [](HWND h) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDC_TRG_PRINT)));
    Press(h, IDCANCEL);
  });
  RegisterRptLauncher(31, RecordRegisterPreset);
  printedAccount = 0;
  bool whileEditing = true;
  Run(401, [&](HWND h) {
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_TRG_PRINT)));
    Press(h, IDC_TRG_INSERT);
    whileEditing = IsWindowEnabled(GetDlgItem(h, IDC_TRG_PRINT)) != 0;
    automation::ExpectMessageBox("", "Do you really wish to discard your new data", ANSWER_YES);
    Press(h, IDC_TRG_RESET);
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(h, IDC_TRG_PRINT)));
    Press(h, IDC_TRG_PRINT);
    Press(h, IDCANCEL);
  });
  EXPECT_FALSE(whileEditing);
  EXPECT_EQ(printedAccount, 401);
  EXPECT_EQ(printedDisplay, '1');
  ClearRptRegistry();
}

TEST_F(RegisterGridTest, PictureOfTheRegister) {
  Run(101, [&](HWND h) {
    CTransGrid* grid = GridOf(h);
    grid->SetFocus();
    grid->SetCurrentCell(3, kColDescription);
    automation::PumpUntilIdle();
    EXPECT_TRUE(golden::Matches("registers/register_grid.png",
                                [&](const std::string& path) { return automation::RenderToPng(h, path); }));
    Press(h, IDCANCEL);
  });
}

TEST_F(RegisterGridTest, TheGridGrowsWithTheDialogAndTheSizeComesBack) {
  auto widthOf = [](HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r.right - r.left;
  };
  int gridBefore = 0, gridAfter = 0, dialogWidth = 0, reopenedWidth = 0;
  Run(101, [&](HWND h) {
    RECT dr;
    GetWindowRect(h, &dr);
    gridBefore = widthOf(GetDlgItem(h, IDC_TRG_GRID));
    SetWindowPos(h, nullptr, 0, 0, dr.right - dr.left + 80, dr.bottom - dr.top + 40, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    gridAfter = widthOf(GetDlgItem(h, IDC_TRG_GRID));
    dialogWidth = widthOf(h);
    Press(h, IDCANCEL);
  });
  Run(101, [&](HWND h) {
    reopenedWidth = widthOf(h);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(gridAfter - gridBefore, 80);
  EXPECT_EQ(reopenedWidth, dialogWidth);
}


// A dropped list longer than its room shows whole rows: a last row cut at
// the bottom edge reads as a different account or description.
TEST_F(RegisterGridTest, DroppedListsShowWholeRows) {
  Run(101, [&](HWND h) {
    CTransGrid* grid = GridOf(h);
    std::vector<CString> descriptions;
    for (int i = 1; i <= 12; ++i) descriptions.push_back(CString("Payee ") + CString(std::to_string(i).c_str()));
    grid->SetDescriptionChoices(descriptions);
    grid->SetFocus();
    struct Case {
      ROWCOL col;
      int atLeast;  // rows the cell offers
    };
    for (const Case& c : {Case{kColDescription, 12}, Case{kColSupport, 8}, Case{kColReserve, 1}}) {
      SCOPED_TRACE(c.col);
      const DroppedCellList dropped = DropCellList(grid, 3, c.col);
      ASSERT_NE(dropped.list, nullptr);
      HWND list = dropped.list;
      RECT client;
      ::GetClientRect(list, &client);
      const int rows = static_cast<int>(::SendMessage(list, LB_GETCOUNT, 0, 0));
      const int rowHeight = static_cast<int>(::SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
      EXPECT_GE(rows, c.atLeast);
      ASSERT_GT(rowHeight, 0);
      const int shown = std::min(rows, static_cast<int>(client.bottom) / rowHeight);
      EXPECT_GE(shown, 1);
      // Whatever the list shows below its last whole row is no part of a row.
      if (shown < rows) {
        EXPECT_EQ(client.bottom % rowHeight, 0) << client.bottom << " / " << rowHeight;
      }
      dropped.combo->ShowDropDown(FALSE);
      automation::PumpUntilIdle();
    }
    Press(h, IDCANCEL);
  });
}

}  // namespace

namespace {

// The number proposed for a new row is selected in its cell and shows whole,
// not scrolled to its last digits.
TEST_F(RegisterGridTest, ANewRowsProposedNumberShowsWhole) {
  Run(101, [&](HWND h) {
    CTransGrid* grid = GridOf(h);
    Press(h, IDC_TRG_INSERT);
    automation::PumpUntilIdle();
    CGXControl* control = grid->GetCurrentCellControl();
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->GetWnd(), nullptr);
    HWND edit = control->GetWnd()->GetSafeHwnd();
    char text[32] = {};
    ::GetWindowText(edit, text, sizeof text);
    EXPECT_STREQ(text, "1003");
    RECT format;
    ::SendMessage(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(static_cast<short>(LOWORD(::SendMessage(edit, EM_POSFROMCHAR, 0, 0))), format.left);
    Press(h, IDCANCEL);
  });
}

}  // namespace
