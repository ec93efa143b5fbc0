// The support lines of a register transaction as a grid on the fixture
// year: lines typed row by row into their slots, edits thrown away and
// saved again, the cells a support account allows, ten lines, deleting a
// line with its passbook split, the passbook check box, carrying the
// lines' total back, and a split deposit typed through the register.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/AppTestUtil.h"
#include "common/Question.h"
#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXGridCombo.h"
#include "platform/host/HeadlessHost.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "platform/window/WindowImpl.h"
#include "registers/RegistersTestUtil.h"
#include "registers/SuppGrid.h"
#include "registers/SuppGridDlg.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/SplitStore.h"
#include "store/Xfer.h"
#include "support/GoldenImage.h"

namespace {

CSuppGrid* GridOf(HWND dlg) {
  return dynamic_cast<CSuppGrid*>(CWnd::FromHandlePermanent(GetDlgItem(dlg, IDC_SGR_GRID)));
}

std::string Value(CSuppGrid* grid, ROWCOL row, ROWCOL col) { return std::string(grid->GetCellValue(row, col)); }

bool CellEnabled(CSuppGrid* grid, ROWCOL row, ROWCOL col) {
  CGXStyle style;
  grid->ComposeStyleRowCol(row, col, style);
  return style.GetIncludeEnabled() ? style.GetEnabled() != 0 : true;
}

int DefaultButton(HWND h) { return LOWORD(SendMessage(h, DM_GETDEFID, 0, 0)); }

// A line of `d` in `slot`: `account` for `amount` cents.
void PutLine(TransactionDetail& d, int slot, int account, LONG amount) {
  SupportLineRecord& l = d.lines[slot];
  l.id = d.transaction.id;
  l.line = slot;
  l.account = account;
  l.amount = amount;
  l.factor = 1;
}

// Inserts a row and types a line into it; the row is left unsaved.
ROWCOL TypeLine(HWND h, const char* support, const char* amount, const char* notes = nullptr) {
  CSuppGrid* grid = GridOf(h);
  Press(h, IDC_SGR_INSERT);
  ROWCOL row = 0, col = 0;
  grid->GetCurrentCell(row, col);
  EXPECT_EQ(col, static_cast<ROWCOL>(kSuppColSupport)) << "a new row starts in the support account";
  TypeIntoCell(grid, row, kSuppColSupport, support);
  TypeIntoCell(grid, row, kSuppColAmount, amount);
  if (notes != nullptr) TypeIntoCell(grid, row, kSuppColNotes, notes);
  return row;
}

class SupportGridTest : public ::testing::Test {
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
  fixture::FiscalYear fy;
};

TEST_F(SupportGridTest, LinesTypedIntoRowsFillTheSlotsAndTheTotalIsCarriedBack) {
  auto d = NewSupportTransaction(3000);
  std::string remaining, caption;
  const int result = RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    const ROWCOL first = TypeLine(h, "620", "10.00", "tent pegs");
    Press(h, IDC_SGR_SAVE);
    EXPECT_EQ(Value(grid, first, kSuppColSlot), "0");
    EXPECT_TRUE(grid->IsRowClean());
    const ROWCOL second = TypeLine(h, "520", "25.00");
    Press(h, IDC_SGR_SAVE);
    EXPECT_EQ(Value(grid, second, kSuppColSlot), "1");
    remaining = FieldText(h, IDC_SGR_REMAINING);
    char text[128] = "";
    GetWindowText(h, text, sizeof text);
    caption = text;
    // No keeps the dialog open; Yes carries the lines' total back.
    automation::ExpectMessageBox("", "Do you want to carry the support accounts' total back", ANSWER_NO);
    Press(h, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(h));
    automation::ExpectMessageBox("", "Do you want to carry the support accounts' total back", ANSWER_YES);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(caption, "Support Account Splits (2 accounts)");
  EXPECT_NE(remaining.find("5.00"), std::string::npos) << remaining;
  EXPECT_EQ(d->transaction.amount, 3500);
  EXPECT_EQ(d->lines[0].account, 620);
  EXPECT_EQ(d->lines[0].amount, 1000);
  EXPECT_STREQ(d->lines[0].remarks, "tent pegs");
  EXPECT_EQ(d->lines[0].line, 0);
  EXPECT_EQ(d->lines[1].account, 520);
  EXPECT_EQ(d->lines[1].amount, 2500);
  EXPECT_EQ(d->lines[1].factor, SignedAmountByType('A', -1, 520));
}

TEST_F(SupportGridTest, DiscardedEditsReloadTheRowsLineAndSavingRewritesTheSameSlot) {
  auto d = NewSupportTransaction(3000);
  PutLine(*d, 0, 620, 1000);
  PutLine(*d, 1, 520, 2000);
  RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    ASSERT_EQ(grid->GetRowCount(), 2u);
    TypeIntoCell(grid, 2, kSuppColAmount, "30.00");
    automation::ExpectMessageBox("", "Do you wish to save your changes to the current transaction", ANSWER_NO);
    grid->SetCurrentCell(1, kSuppColAmount);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, 2, kSuppColAmount), "2000");
    EXPECT_EQ(d->lines[1].amount, 2000);
    // Only the notes changed: the line keeps its slot and amount.
    TypeIntoCell(grid, 2, kSuppColNotes, "again");
    Press(h, IDC_SGR_SAVE);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(d->lines[1].account, 520);
  EXPECT_EQ(d->lines[1].amount, 2000);
  EXPECT_STREQ(d->lines[1].remarks, "again");
  EXPECT_EQ(d->lines[2].account, 0) << "no new slot taken";
}

TEST_F(SupportGridTest, TheSupportAccountsClassGovernsTheReserveAndPassbookCells) {
  auto d = NewSupportTransaction(3000);
  RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    const ROWCOL row = TypeLine(h, "620", "10.00");
    TypeIntoCell(grid, row, kSuppColReserve, "710");
    EXPECT_TRUE(CellEnabled(grid, row, kSuppColReserve));
    EXPECT_TRUE(CellEnabled(grid, row, kSuppColPassbook));
    Press(h, IDC_SGR_SAVE);
    EXPECT_EQ(d->lines[0].reserveAccount, 710);
    EXPECT_EQ(d->lines[0].reserveAmount, 1000);
    // Savings (class A) allows neither.
    TypeIntoCell(grid, row, kSuppColSupport, "201");
    TypeIntoCell(grid, row, kSuppColAmount, "10.00");
    EXPECT_EQ(Value(grid, row, kSuppColReserve), "");
    EXPECT_FALSE(CellEnabled(grid, row, kSuppColReserve));
    EXPECT_FALSE(CellEnabled(grid, row, kSuppColPassbook));
    EXPECT_FALSE(CellEnabled(grid, row, kSuppColPassbookButton));
    Press(h, IDC_SGR_SAVE);
    // The reserve last saved with camping comes back with it.
    const ROWCOL next = TypeLine(h, "620", "5.00");
    EXPECT_EQ(Value(grid, next, kSuppColReserve), "710");
    Press(h, IDC_SGR_SAVE);
    automation::ExpectMessageBox("", "carry the support accounts' total back", ANSWER_YES);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(d->lines[0].account, 201);
  EXPECT_EQ(d->lines[0].reserveAccount, 0);
  EXPECT_EQ(d->lines[0].reserveAmount, 0);
  EXPECT_EQ(d->lines[1].reserveAccount, 710);
}

TEST_F(SupportGridTest, WithTenLinesInsertIsOffAndSaveIsNotTheDefault) {
  auto d = NewSupportTransaction(10000);
  for (int slot = 0; slot < kLinesPerTransaction; ++slot) PutLine(*d, slot, 620, 1000);
  bool insert = true;
  int defaultWhileEditing = 0;
  RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    EXPECT_EQ(grid->GetRowCount(), 10u);
    insert = IsWindowEnabled(GetDlgItem(h, IDC_SGR_INSERT)) != 0;
    TypeIntoCell(grid, 3, kSuppColNotes, "x");
    EXPECT_TRUE(grid->CanSaveRow());
    defaultWhileEditing = DefaultButton(h);
    Press(h, IDC_SGR_SAVE);
    Press(h, IDCANCEL);
  });
  EXPECT_FALSE(insert);
  EXPECT_EQ(defaultWhileEditing, IDCANCEL);
  EXPECT_STREQ(d->lines[2].remarks, "x");
}

TEST_F(SupportGridTest, PassbookDataGoesWithItsFlagAndWithADeletedLine) {
  auto d = NewSupportTransaction(3000);
  d->transaction.factor = 1;
  fixture::SplitFundraisingLine(*d, 600, 400);
  d->lines[1] = d->lines[0];
  d->lines[1].line = 1;
  d->splits[1] = d->splits[0];
  std::memcpy(d->shares[1], d->shares[0], sizeof(ShareArray));
  std::string afterNo;
  RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    ASSERT_EQ(Value(grid, 1, kSuppColPassbook), "1");
    grid->SetCurrentCell(1, kSuppColNotes);
    automation::PumpUntilIdle();
    // Clicking the check box asks; No keeps the split.
    automation::ExpectMessageBox("", "Do you really want to discard the passbook split", ANSWER_NO);
    ClickCell(grid, 1, kSuppColPassbook);
    afterNo = Value(grid, 1, kSuppColPassbook);
    automation::ExpectMessageBox("", "Do you really want to discard the passbook split", ANSWER_YES);
    ClickCell(grid, 1, kSuppColPassbook);
    EXPECT_EQ(Value(grid, 1, kSuppColPassbook), "0");
    EXPECT_TRUE(grid->CanSaveRow());
    Press(h, IDC_SGR_SAVE);
    // The second line goes, and its slot keeps nothing of its split.
    grid->SetCurrentCell(2, kSuppColNotes);
    automation::PumpUntilIdle();
    Press(h, IDC_SGR_DELETE);
    EXPECT_EQ(grid->GetRowCount(), 1u);
    automation::ExpectMessageBox("", "carry the support accounts' total back", ANSWER_YES);
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(afterNo, "1");
  EXPECT_EQ(d->lines[0].account, 520);
  EXPECT_EQ(d->lines[0].split, 0);
  EXPECT_FALSE(TakesPart(d->shares[0][fixture::kAnna]));
  EXPECT_EQ(d->lines[1].account, 0);
  EXPECT_EQ(d->lines[1].split, 0);
  EXPECT_FALSE(TakesPart(d->shares[1][fixture::kAnna]));
  EXPECT_EQ(d->splits[1].lineKey, 0);
  EXPECT_EQ(d->transaction.amount, 1000);
}

TEST_F(SupportGridTest, PictureOfTheSupportLines) {
  auto d = NewSupportTransaction(4500);
  d->transaction.factor = 1;
  fixture::SplitFundraisingLine(*d, 1200, 800);
  PutLine(*d, 1, 620, 2500);
  d->lines[1].reserveAccount = 710;
  std::strcpy(d->lines[1].remarks, "refund");
  RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    grid->SetFocus();
    grid->SetCurrentCell(2, kSuppColAmount);
    automation::PumpUntilIdle();
    EXPECT_TRUE(golden::Matches("registers/support_grid.png",
                                [&](const std::string& path) { return automation::RenderToPng(h, path); }));
    Press(h, IDCANCEL);
  });
}

TEST_F(SupportGridTest, TheGridGrowsWithTheDialogAndTheSizeComesBack) {
  auto d = NewSupportTransaction(0);
  auto widthOf = [](HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r.right - r.left;
  };
  int gridBefore = 0, gridAfter = 0, closeMoved = 0, dialogWidth = 0, reopenedWidth = 0, reopenedGrid = 0;
  RunSupportGrid(*d, 101, [&](HWND h) {
    RECT dr, cr, cr2;
    GetWindowRect(h, &dr);
    GetWindowRect(GetDlgItem(h, IDCANCEL), &cr);
    gridBefore = widthOf(GetDlgItem(h, IDC_SGR_GRID));
    SetWindowPos(h, nullptr, 0, 0, dr.right - dr.left + 120, dr.bottom - dr.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    automation::PumpUntilIdle();
    gridAfter = widthOf(GetDlgItem(h, IDC_SGR_GRID));
    GetWindowRect(GetDlgItem(h, IDCANCEL), &cr2);
    closeMoved = cr2.left - cr.left;
    dialogWidth = widthOf(h);
    Press(h, IDCANCEL);
  });
  RunSupportGrid(*d, 101, [&](HWND h) {
    reopenedWidth = widthOf(h);
    reopenedGrid = widthOf(GetDlgItem(h, IDC_SGR_GRID));
    Press(h, IDCANCEL);
  });
  EXPECT_EQ(gridAfter - gridBefore, 120);
  EXPECT_EQ(closeMoved, 120);
  EXPECT_EQ(reopenedWidth, dialogWidth);
  EXPECT_EQ(reopenedGrid, gridAfter);
}

TEST_F(SupportGridTest, TheAccountCellsMenuAsksAccountInformationForANewAccount) {
  auto d = NewSupportTransaction(0);
  bool opened = false;
  RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    Press(h, IDC_SGR_INSERT);
    grid->SetCurrentCell(1, kSuppColSupport);
    automation::PumpUntilIdle();
    automation::OnDialog("Account Information", [&](HWND a) {
      opened = true;
      Press(a, IDCANCEL);
    }, IDCANCEL);
    automation::ExpectMessageBox("", "Create New Account", 1);
    automation::AdvanceClock(600);
    automation::Click(grid->GetSafeHwnd(), grid->CalcCellRect(1, kSuppColSupport).CenterPoint(), 1);
    automation::PumpUntilIdle();
    EXPECT_EQ(Value(grid, 1, kSuppColSupport), "");
    automation::AlwaysAnswer("", "Do you wish to save your changes", ANSWER_NO);
    Press(h, IDCANCEL);
    automation::ClearResponder();
  });
  EXPECT_TRUE(opened);
}

}  // namespace

namespace {

// The reserve account's dropped list holds the one reserve account: the
// pop-up ends with the list's border, also after the window system reports
// back the size the pop-up was given (smaller than a framed window's least
// size).
TEST_F(SupportGridTest, TheOneRowReserveListEndsAtItsBorder) {
  auto d = NewSupportTransaction(3000);
  PutLine(*d, 0, 620, 1000);
  RunSupportGrid(*d, 101, [&](HWND h) {
    CSuppGrid* grid = GridOf(h);
    grid->SetFocus();
    const DroppedCellList dropped = DropCellList(grid, 1, kSuppColReserve);
    ASSERT_NE(dropped.list, nullptr);
    HWND drop = dropped.popup, list = dropped.list;
    ASSERT_EQ(::SendMessage(list, LB_GETCOUNT, 0, 0), 1);
    // The window system's report of the size the pop-up was given.
    RECT popup, shown;
    ::GetWindowRect(drop, &popup);
    platform::HostEvent report;
    report.kind = platform::HostEvent::Resized;
    report.window = wnd::Get(drop)->native;
    report.width = popup.right - popup.left;
    report.height = popup.bottom - popup.top;
    platform::GetHeadlessHost()->Inject(report);
    automation::PumpUntilIdle();
    ::GetWindowRect(drop, &popup);
    ::GetWindowRect(list, &shown);
    EXPECT_EQ(popup.bottom, shown.bottom) << "popup " << popup.top << ".." << popup.bottom << ", list " << shown.top
                                          << ".." << shown.bottom;
    dropped.combo->ShowDropDown(FALSE);
    automation::PumpUntilIdle();
    automation::ExpectMessageBox("", "Do you want to carry the support accounts' total back", ANSWER_YES);
    Press(h, IDCANCEL);
  });
}

}  // namespace
