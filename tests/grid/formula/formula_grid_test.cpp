// A formula sheet as the data object of a real grid: the options it sets,
// text typed into its edit cells, and the style of a violated constraint.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "grid/cells/GXControlFactory.h"
#include "grid/cells/GXEditControl.h"
#include "grid/core/GXGridCore.h"
#include "grid/formula/GXFormulaSheet.h"
#include "platform/testing/Automation.h"

namespace {

class FormulaGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(new CGXControlFactory);
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
    auto* param = new CGXGridParam;
    sheet = new CGXFormulaSheet;
    param->SetData(sheet, TRUE);
    // A sheet arriving with its parameter object sets the grid's options.
    sheet->InitParam(param);
    sheet->StoreRowCount(10);
    sheet->StoreColCount(5);
    grid = std::make_unique<CGXGridCore>(&wnd);
    grid->SetParam(param, TRUE);
    grid->Initialize();
  }
  void TearDown() override {
    grid.reset();
    wnd.DestroyWindow();
    automation::ResetWindows();
    automation::ClearResponder();
  }
  // Types `text` into the cell's editor and stores it by moving on.
  void Type(ROWCOL row, ROWCOL col, const char* text) {
    ASSERT_TRUE(grid->SetCurrentCell(row, col, 0));
    CGXControl* control = grid->GetCurrentCellControl();
    ASSERT_NE(control, nullptr);
    control->SetActive(TRUE);
    control->SetValue(text);
    control->SetModify(TRUE);
    ASSERT_TRUE(grid->SetCurrentCell(row == 10 ? 1 : row + 1, col, 0));
  }
  std::string Shown(ROWCOL row, ROWCOL col) {
    CString text;
    sheet->FetchDisplayText(row, col, text);
    return static_cast<LPCTSTR>(text);
  }
  CWnd wnd;
  std::unique_ptr<CGXGridCore> grid;
  CGXFormulaSheet* sheet = nullptr;
};

TEST_F(FormulaGrid, TheSheetSwitchesOnTheGridsFormulaOptions) {
  const CGXGridParam& param = *grid->GetParam();
  EXPECT_TRUE(param.m_bDirectCopy);
  EXPECT_TRUE(param.m_bDeferredCut);
  EXPECT_TRUE(param.m_bFormulaData);
  EXPECT_EQ(param.m_wEditOptions, 1);
}

// Dates typed into a cell become serial numbers with a date or time format;
// a number typed over a date format gives the cell the general format back.
TEST_F(FormulaGrid, TypedDatesAndTimesBecomeNumbersWithTheirFormat) {
  const struct {
    const char* typed;
    UINT format;
    double number;
  } cases[] = {
      {"12/24/2001", 11, 37249},
      {"6:00 PM", 13, 0.75},
      {"12/24/2001 6:00 PM", 18, 37249.75},
  };
  ROWCOL row = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Type(row, 2, c.typed);
    UINT places = 99;
    EXPECT_EQ(sheet->FetchFormat(row, 2, places), c.format);
    EXPECT_EQ(places, 0u);
    double number = 0;
    sheet->FetchNumber(row, 2, number);
    EXPECT_DOUBLE_EQ(number, c.number);
    ++row;
  }
  Type(1, 2, "42");
  UINT places = 0;
  EXPECT_EQ(sheet->FetchFormat(1, 2, places), 3u);
  EXPECT_EQ(places, 15u);
  Type(1, 2, "12/25/2001");
  EXPECT_EQ(sheet->FetchFormat(1, 2, places), 11u) << "a date typed over a number is a date again";
  Type(1, 2, "42");
  // Formulas typed into the grid read the typed values.
  Type(5, 3, "=B1+B2");
  EXPECT_EQ(Shown(5, 3), "42.75");
}

TEST_F(FormulaGrid, AViolatedConstraintShowsTheConstraintStyle) {
  sheet->SetCheckConstraints(TRUE);
  Type(1, 1, "0");
  // The recalculation after the store reports the violation once.
  automation::ExpectMessageBox("", "There is 1 constraint violation!", IDOK);
  Type(1, 2, "=A1;A1>0");
  grid->FreeObjectCache();
  const COLORREF violated = grid->GetCachedCellStyle(1, 2).GetInterior().GetColor();
  EXPECT_EQ(violated, RGB(255, 0, 0));
  EXPECT_NE(grid->GetCachedCellStyle(1, 1).GetInterior().GetColor(), RGB(255, 0, 0));
  Type(1, 1, "5");
  grid->FreeObjectCache();
  EXPECT_NE(grid->GetCachedCellStyle(1, 2).GetInterior().GetColor(), RGB(255, 0, 0));
  EXPECT_EQ(Shown(1, 2), "5");
}

// Sorting moves the sheet's cells, and references to a moved row follow it
// (also from outside the sorted rows); undo brings both back.
TEST_F(FormulaGrid, SortingMovesCellsAndTheReferencesToThem) {
  const double keys[] = {30, 10, 20};
  for (ROWCOL r = 1; r <= 3; ++r) {
    ASSERT_TRUE(sheet->StoreNumber(r, 1, keys[r - 1]));
    ASSERT_TRUE(sheet->StoreFormula(r, 2, ("=A" + std::to_string(r) + "*2").c_str()));
  }
  ASSERT_TRUE(sheet->StoreFormula(5, 4, "=A1"));
  sheet->Recalculate(TRUE);
  auto column = [&](ROWCOL col) { return Shown(1, col) + " " + Shown(2, col) + " " + Shown(3, col); };
  ASSERT_EQ(column(2), "60 20 40");

  CGXSortInfoArray sortKeys;
  CGXSortInfo key;
  key.nRC = 1;
  sortKeys.Add(key);
  CGXRange rows;
  rows.SetRows(1, 3);
  grid->SortRows(rows, sortKeys);
  EXPECT_EQ(sortKeys[0].sortType, static_cast<DWORD>(CGXSortInfo::numeric));
  EXPECT_EQ(column(1), "10 20 30");
  EXPECT_EQ(column(2), "20 40 60") << "each formula moved with its row and reads it";
  EXPECT_EQ(Shown(5, 4), "30") << "the reference followed the value";
  CString formula;
  sheet->FetchEditText(3, 2, formula);
  EXPECT_STREQ(formula, "=A3*2");

  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(column(1), "30 10 20");
  EXPECT_EQ(column(2), "60 20 40");
  EXPECT_EQ(Shown(5, 4), "30");
}

// A block moved through the grid takes its references along, and one undo
// puts back the block and the cell it overwrote.
TEST_F(FormulaGrid, MovingCellsIsUndoneWithWhatTheyOverwrote) {
  ASSERT_TRUE(sheet->StoreNumber(1, 1, 5));
  ASSERT_TRUE(sheet->StoreNumber(2, 1, 6));
  ASSERT_TRUE(sheet->StoreNumber(4, 1, 100));
  ASSERT_TRUE(sheet->StoreFormula(1, 3, "=A1+A2"));
  sheet->Recalculate(TRUE);
  ASSERT_EQ(Shown(1, 3), "11");
  ASSERT_TRUE(grid->MoveCells(CGXRange(1, 1, 2, 1), 4, 1));
  EXPECT_EQ(Shown(4, 1) + " " + Shown(5, 1), "5 6");
  EXPECT_EQ(Shown(1, 1), "");
  EXPECT_EQ(Shown(1, 3), "11") << "the formula follows the moved cells";
  ASSERT_TRUE(grid->Undo());
  EXPECT_EQ(Shown(1, 1) + " " + Shown(2, 1) + " " + Shown(4, 1), "5 6 100");
  EXPECT_EQ(Shown(1, 3), "11");
  ASSERT_TRUE(grid->Redo());
  EXPECT_EQ(Shown(4, 1) + " " + Shown(5, 1), "5 6");
}

}  // namespace
