// The formula sheet as a grid data object: typed input, texts, styles,
// structural operations, names, undo payload, archive and copying.
#include <gtest/gtest.h>

#include <memory>

#include "grid/GridTestUtil.h"
#include "grid/core/GXStyle.h"
#include "grid/formula/GXCodeToText.h"
#include "grid/formula/GXFormulaSheet.h"
#include "grid/features/FeatureGrid.h"
#include "grid/formula/GXNames.h"
#include "platform/base/Exceptions.h"

namespace {

std::string Display(CGXFormulaSheet& sheet, ROWCOL row, ROWCOL col) {
  CString text;
  sheet.FetchDisplayText(row, col, text);
  return static_cast<LPCTSTR>(text);
}

std::string Edit(CGXFormulaSheet& sheet, ROWCOL row, ROWCOL col) {
  CString text;
  sheet.FetchEditText(row, col, text);
  return static_cast<LPCTSTR>(text);
}

std::string Message(CGXFormulaSheet& sheet) {
  CString text;
  return sheet.GetMessageText(text) ? std::string(static_cast<LPCTSTR>(text)) : std::string("<armed>");
}

}  // namespace

TEST(FormulaSheet, TypedInput) {
  CGXFormulaSheet sheet;
  struct Case {
    const char* typed;
    const char* display;
    const char* edit;
  } cases[] = {
      {"12.5", "12.5", "12.5"},  {"'abc", "abc", "'abc"},  {"abc", "abc", "'abc"},
      {"=1/0", "Error!", "=1/0"}, {"=\"x\"&\"y\"", "xy", "=\"x\"&\"y\""},
  };
  ROWCOL row = 1;
  for (const Case& c : cases) {
    EXPECT_TRUE(sheet.StoreInput(row, 2, c.typed)) << c.typed;
    EXPECT_EQ(Display(sheet, row, 2), c.display) << c.typed;
    EXPECT_EQ(Edit(sheet, row, 2), c.edit) << c.typed;
    ++row;
  }
  // A formula reading another cell: computed when stored.
  sheet.StoreInput(10, 1, "4");
  EXPECT_TRUE(sheet.StoreInput(10, 2, "=A10*2"));
  EXPECT_EQ(Display(sheet, 10, 2), "8");
  EXPECT_EQ(Edit(sheet, 10, 2), "=A10*2");
  // An empty input leaves the cell without value: blank for formulas.
  sheet.StoreInput(10, 1, "");
  sheet.Recalculate(TRUE);
  EXPECT_EQ(Display(sheet, 10, 2), "Error!");
}

TEST(FormulaSheet, NotAvailableAndCompileErrors) {
  CGXFormulaSheet sheet;
  sheet.StoreNumber(3, 3, 7);
  EXPECT_FALSE(sheet.StoreInput(3, 3, "#n/a"));
  EXPECT_EQ(Display(sheet, 3, 3), "7");  // unchanged
  EXPECT_EQ(Message(sheet), "Cell C3: ERROR: undefined function (Pos 4)");
  sheet.ResetMessage();
  EXPECT_FALSE(sheet.StoreFormula(1, 1, "1+2"));  // no "=", no message
  EXPECT_EQ(Message(sheet), "<armed>");
}

TEST(FormulaSheet, EvaluationErrorMessage) {
  CGXFormulaSheet sheet;
  sheet.ResetMessage();
  sheet.StoreFormula(2, 3, "=1/0");
  EXPECT_EQ(Display(sheet, 2, 3), "Error!");
  EXPECT_EQ(Message(sheet), "Cell C2: ERROR:  divide by zero ");
  CString out = "kept";
  EXPECT_FALSE(sheet.EvalText(out, "=1+"));
  EXPECT_EQ(std::string(out), "kept");
  EXPECT_TRUE(sheet.EvalText(out, "=6*7"));
  EXPECT_EQ(std::string(out), "42");
}

TEST(FormulaSheet, CycleShowsUntilIterated) {
  CGXFormulaSheet sheet;
  sheet.StoreFormula(1, 2, "=B1");
  sheet.Recalculate(FALSE);
  EXPECT_EQ(Display(sheet, 1, 2), "Cycle!");
  sheet.SetIterationCount(1);
  EXPECT_NE(Display(sheet, 1, 2), "Cycle!");
}

TEST(FormulaSheet, CoordinatesAndBounds) {
  CGXFormulaSheet sheet;
  EXPECT_TRUE(sheet.StoreNumber(5, 1, 1));
  GX_CELL* cell = GXCellFind(sheet.GetEngineSheet(), 5, 0);
  ASSERT_NE(cell, nullptr);  // grid column 1 is engine column A
  EXPECT_FALSE(sheet.StoreNumber(8388608, 1, 1));
  EXPECT_FALSE(sheet.StoreNumber(1, 4097, 1));
  EXPECT_TRUE(sheet.StoreNumber(8388607, 4096, 1));
  EXPECT_FALSE(sheet.StoreText(1, 4097, "x"));
}

TEST(FormulaSheet, StyleInterface) {
  CGXFormulaSheet sheet;
  CGXStyle in;
  in.SetValue("=1+1");
  in.SetInterior(RGB(0, 0, 255));
  ASSERT_TRUE(sheet.StoreStyleRowCol(2, 2, &in, 1, 1));
  CGXStyle out;
  ASSERT_TRUE(sheet.GetStyleRowCol(2, 2, out, 1, 0));
  EXPECT_EQ(std::string(out.GetValue()), "2");
  EXPECT_EQ(out.GetValueType(), 1u);
  EXPECT_TRUE(out.GetIncludeInterior());
  CGXStyle edit;
  ASSERT_TRUE(sheet.GetStyleRowCol(2, 2, edit, 1, 1));
  EXPECT_EQ(std::string(edit.GetValue()), "=1+1");
  EXPECT_EQ(edit.GetValueType(), 2u);
  // Remove the value only: the cell stays for its style.
  CGXStyle value;
  value.SetValue("");
  sheet.StoreStyleRowCol(2, 2, &value, 3, 0);
  ASSERT_NE(sheet.FindCell(2, 2), nullptr);
  EXPECT_EQ(sheet.FindCell(2, 2)->ValueKind(), GX_VALUE_NONE);
  // Mode 2 with an empty style removes the cell; headers go to the base.
  CGXStyle none;
  sheet.StoreStyleRowCol(2, 2, &none, 2, 0);
  EXPECT_EQ(sheet.FindCell(2, 2), nullptr);
  CGXStyle header("Head");
  sheet.StoreStyleRowCol(0, 2, &header, 1, 0);
  EXPECT_EQ(sheet.FindCell(0, 2), sheet.FindCell(1, 2));
  CGXStyle back;
  EXPECT_TRUE(sheet.GetStyleRowCol(0, 2, back, 1, 0));
  EXPECT_EQ(std::string(back.GetValue()), "Head");
  EXPECT_FALSE(sheet.GetStyleRowCol(7, 7, back, 1, 0));
}

TEST(FormulaSheet, StructuralOperations) {
  CGXFormulaSheet sheet;
  sheet.StoreRowCount(10);
  sheet.StoreColCount(5);
  for (ROWCOL r = 1; r <= 6; ++r) sheet.StoreNumber(r, 1, static_cast<double>(r));
  sheet.StoreFormula(1, 3, "=A3+A5");
  sheet.StoreRemoveRows(3, 4);
  EXPECT_EQ(Display(sheet, 3, 1), "5");
  EXPECT_EQ(Edit(sheet, 1, 3), "=A3+A3");
  EXPECT_EQ(Display(sheet, 1, 3), "10");
  EXPECT_EQ(sheet.GetRowCount(), 8u);
  sheet.StoreInsertRows(2, 1);
  EXPECT_EQ(Display(sheet, 3, 1), "2");
  EXPECT_EQ(Edit(sheet, 1, 3), "=A4+A4");
  sheet.StoreMoveCols(3, 3, 1);
  EXPECT_EQ(Edit(sheet, 1, 1), "=B4+B4");
}

TEST(FormulaSheet, RangeNames) {
  CGXFormulaSheet sheet;
  sheet.StoreNumber(2, 2, 4);
  ASSERT_TRUE(sheet.SetRangeName("Total", CGXRange(2, 2), nullptr));
  CGXRange range;
  ASSERT_TRUE(sheet.GetRangeName("total", range));
  EXPECT_EQ(range.top, 2u);
  EXPECT_EQ(range.left, 2u);
  EXPECT_TRUE(sheet.StoreFormula(1, 1, "=Total*2"));
  EXPECT_EQ(Display(sheet, 1, 1), "Error!");  // a one-cell range in arithmetic
  CObject* undo = nullptr;
  ASSERT_TRUE(sheet.DeleteRangeName("Total", undo, TRUE));
  EXPECT_EQ(Edit(sheet, 1, 1), "=B2..B2*2");
  ASSERT_NE(undo, nullptr);
  // Undoing the deletion brings the name and the formula back.
  sheet.SetRangeName("Total", CGXRange(2, 2), undo);
  EXPECT_EQ(Edit(sheet, 1, 1), "=Total*2");
  delete undo;
  EXPECT_FALSE(sheet.GetRangeName("Nope", range));
}

TEST(FormulaSheet, MoveCellsUndo) {
  CGXFormulaSheet sheet;
  sheet.StoreNumber(1, 1, 1);
  sheet.StoreNumber(3, 3, 30);
  sheet.StoreFormula(5, 5, "=C3+1");
  sheet.Recalculate(TRUE);
  EXPECT_EQ(Display(sheet, 5, 5), "31");
  // Storing a single cell leaves nothing to undo.
  EXPECT_EQ(sheet.TakeUndoInfo(), nullptr);
  sheet.SetUndoRecording(TRUE);
  CObject* noRecord = nullptr;
  sheet.StoreMoveCells(CGXRange(1, 1), 2, 2, noRecord, FALSE, 0);  // A1 onto B2, not recorded
  EXPECT_EQ(noRecord, nullptr);
  sheet.StoreMoveCells(CGXRange(2, 2), 1, 1, noRecord, FALSE, 0);
  EXPECT_EQ(noRecord, nullptr);
  EXPECT_EQ(sheet.TakeUndoInfo(), nullptr) << "the record flag, not the sheet's switch, decides";
  CObject* moved = nullptr;
  sheet.StoreMoveCells(CGXRange(1, 1), 3, 3, moved, TRUE, 0);  // A1 onto C3
  auto* info = dynamic_cast<CGXUndoEngineCellsInfo*>(moved);
  ASSERT_NE(info, nullptr) << "the caller's info is made and filled";
  EXPECT_EQ(Display(sheet, 3, 3), "1");
  EXPECT_EQ(Edit(sheet, 5, 5), "=C3+1");
  // Moving back with the info restores the overwritten C3.
  sheet.StoreMoveCells(CGXRange(3, 3), 1, 1, moved, TRUE, 0);
  ASSERT_EQ(moved, info);
  delete info;
  delete sheet.TakeUndoInfo();
  sheet.SetUndoRecording(FALSE);
  EXPECT_EQ(Display(sheet, 1, 1), "1");
  EXPECT_EQ(Display(sheet, 3, 3), "30");
  sheet.Recalculate(FALSE);
  EXPECT_EQ(Display(sheet, 5, 5), "31");
}

TEST(FormulaSheet, ApplyingUndoRecomputesReaders) {
  CGXFormulaSheet sheet;
  sheet.StoreNumber(1, 1, 5);
  sheet.StoreFormula(1, 2, "=A1*2");
  sheet.SetUndoRecording(TRUE);
  CGXUndoEngineCellsInfo info;
  GX_CELL* saved = GXCellClone(sheet.FindCell(1, 1));
  info.first = saved;
  sheet.StoreNumber(1, 1, 9);
  sheet.Recalculate(TRUE);
  EXPECT_EQ(Display(sheet, 1, 2), "18");
  ASSERT_TRUE(sheet.ApplyUndoInfo(&info, FALSE, FALSE));
  sheet.Recalculate(FALSE);
  EXPECT_EQ(Display(sheet, 1, 1), "5");
  EXPECT_EQ(Display(sheet, 1, 2), "10");
  CGXStyle other;
  EXPECT_FALSE(sheet.ApplyUndoInfo(&other, FALSE, FALSE));
}

TEST(FormulaSheet, ArchiveRoundTrip) {
  CGXFormulaSheet sheet;
  sheet.StoreNumber(1, 1, 2.5);
  sheet.StoreText(1, 2, "abc");
  sheet.StoreText(1, 3, "a text of thirty characters...");
  sheet.StoreFormula(2, 1, "=A1*2");
  sheet.StoreFormula(2, 2, "=1+2");
  sheet.StoreFormula(2, 3, "=1/0");
  sheet.SetRangeName("Pair", CGXRange(1, 1, 1, 2), nullptr);
  sheet.StoreFormula(2, 4, "=Pair .. C9");
  sheet.SetIterationCount(7);
  sheet.SetBlankZero(TRUE);
  sheet.Recalculate(TRUE);
  std::vector<BYTE> bytes = gridtest::Store([&](CArchive& ar) { sheet.Serialize(ar); });
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 0);

  CGXFormulaSheet back;
  gridtest::Load(bytes, [&](CArchive& ar) { back.Serialize(ar); });
  EXPECT_EQ(Display(back, 1, 1), "2.5");
  EXPECT_EQ(Display(back, 1, 2), "abc");
  EXPECT_EQ(Display(back, 1, 3), "a text of thirty characters...");
  EXPECT_EQ(Edit(back, 2, 1), "=A1*2");
  EXPECT_EQ(Display(back, 2, 1), "5");
  EXPECT_EQ(Display(back, 2, 2), "3");
  EXPECT_EQ(Display(back, 2, 3), "Error!");
  EXPECT_EQ(Edit(back, 2, 4), "=Pair .. C9");
  EXPECT_EQ(back.GetIterationCount(), 7);
  EXPECT_TRUE(back.GetBlankZero());
  EXPECT_EQ(back.FindCell(2, 1)->flags & 0x7F8000u, sheet.FindCell(2, 1)->flags & 0x7F8000u);
  CGXRange range;
  EXPECT_TRUE(back.GetRangeName("Pair", range));

  // A newer schema is refused.
  std::vector<BYTE> newer = bytes;
  newer[0] = 2;
  CGXFormulaSheet refused;
  try {
    gridtest::Load(newer, [&](CArchive& ar) { refused.Serialize(ar); });
    ADD_FAILURE() << "schema 2 accepted";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::badSchema);
    e->Delete();
  }
}

TEST(FormulaSheet, ArchivedCellStyleReferredToTwiceIsRefused) {
  gridtest::FeatureLibrary library;  // styles archive their contents
  CGXFormulaSheet sheet;
  CGXStyle blue;
  blue.SetValue("1").SetInterior(RGB(0, 0, 255));
  ASSERT_TRUE(sheet.StoreStyleRowCol(1, 1, &blue, 1, 1));
  ASSERT_TRUE(sheet.StoreStyleRowCol(1, 2, &blue, 1, 1));
  GX_CELL* second = sheet.FindCell(1, 2);
  ASSERT_TRUE(second != nullptr && second->style != nullptr);
  // One style written for both cells: the second cell's is a reference back
  // to the first's.
  CGXStyle* own = second->style;
  second->style = sheet.FindCell(1, 1)->style;
  const std::vector<BYTE> shared = gridtest::Store([&](CArchive& ar) { sheet.Serialize(ar); });
  second->style = own;

  CGXFormulaSheet back;
  try {
    gridtest::Load(shared, [&](CArchive& ar) { back.Serialize(ar); });
    ADD_FAILURE() << "a style shared by two cells was accepted";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::badIndex);
    e->Delete();
  }

  // Each cell keeps a style of its own otherwise.
  const std::vector<BYTE> bytes = gridtest::Store([&](CArchive& ar) { sheet.Serialize(ar); });
  CGXFormulaSheet copy;
  gridtest::Load(bytes, [&](CArchive& ar) { copy.Serialize(ar); });
  CGXStyle out;
  for (ROWCOL col : {1u, 2u}) {
    ASSERT_TRUE(copy.GetStyleRowCol(1, col, out, 1, 0));
    EXPECT_TRUE(out.GetIncludeInterior()) << col;
  }
}

TEST(FormulaSheet, ArchivedFormulaThatNoLongerCompilesBecomesText) {
  CGXFormulaSheet sheet;
  sheet.StoreFormula(1, 1, "=B1+1");
  std::vector<BYTE> bytes = gridtest::Store([&](CArchive& ar) { sheet.Serialize(ar); });
  // Rewrite the stored formula text "=B1+1" as "=F(1)".
  std::string data(bytes.begin(), bytes.end());
  size_t at = data.find("=B1+1");
  ASSERT_NE(at, std::string::npos);
  data.replace(at, 5, "=F(1)");
  CGXFormulaSheet back;
  gridtest::Load(std::vector<BYTE>(data.begin(), data.end()), [&](CArchive& ar) { back.Serialize(ar); });
  ASSERT_NE(back.FindCell(1, 1), nullptr);
  EXPECT_EQ(back.FindCell(1, 1)->Kind(), GX_KIND_TEXT);
  EXPECT_EQ(Display(back, 1, 1), "=F(1)");
}

TEST(FormulaSheet, AssignCopiesSheetsAndConvertsPlainData) {
  CGXFormulaSheet source;
  source.StoreNumber(2, 2, 4);
  source.SetRangeName("Total", CGXRange(2, 2), nullptr);
  source.StoreFormula(3, 3, "=Total .. B2");
  source.SetComputeNow(TRUE);
  CGXFormulaSheet copy;
  static_cast<CGXData&>(copy) = source;
  EXPECT_EQ(Display(copy, 2, 2), "4");
  EXPECT_EQ(Edit(copy, 3, 3), "=Total .. B2");
  EXPECT_TRUE(copy.GetComputeNow());
  GX_REF ref;
  ASSERT_NE(GXFindName(copy.GetEngineSheet(), "Total", &ref), nullptr);
  // The copy's formula follows the copy's own name.
  GX_CELL* cell = copy.FindCell(3, 3);
  EXPECT_EQ(cell->code->items[0].name, GXFindName(copy.GetEngineSheet(), "Total", nullptr));

  CGXData plain;
  CGXStyle five("5");
  five.SetInterior(RGB(255, 0, 0));
  plain.StoreStyleRowCol(2, 2, &five, 1, 0);
  CGXStyle header("Row");
  plain.StoreStyleRowCol(2, 0, &header, 1, 0);
  CGXFormulaSheet converted;
  static_cast<CGXData&>(converted) = plain;
  GX_CELL* b2 = converted.FindCell(2, 2);
  ASSERT_NE(b2, nullptr);
  EXPECT_EQ(b2->ValueKind(), GX_VALUE_NUMBER);
  EXPECT_EQ(b2->value.number, 5);
  ASSERT_NE(b2->style, nullptr);
  EXPECT_TRUE(b2->style->GetIncludeInterior());
  ASSERT_NE(converted.Cells().RowAt(2), nullptr);
  EXPECT_EQ(converted.Cells().RowAt(2)->GetSize(), 1);
  EXPECT_NE(converted.Cells().RowAt(2)->StyleAt(0), nullptr);
}

TEST(FormulaSheet, ArchivesFindTheClassByName) {
  CRuntimeClass* cls = CRuntimeClass::FromName("CGXFormulaSheet");
  ASSERT_EQ(cls, GXRegisterFormulaSheetClass());
  EXPECT_EQ(cls->m_wSchema, 0u);
  std::unique_ptr<CObject> made(cls->CreateObject());
  EXPECT_NE(dynamic_cast<CGXFormulaSheet*>(made.get()), nullptr);
}
