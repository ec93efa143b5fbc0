// Moving, copying, inserting, removing and permuting cells with reference
// adjustment, and range names.
#include "grid/formula/FormulaTestUtil.h"
#include "grid/formula/GXNames.h"
#include "grid/formula/GXRangeOps.h"

namespace {

GX_REF Ref(const char* text) {
  GX_REF r;
  EXPECT_TRUE(GXParseRef(text, r)) << text;
  r.Set(GX_REF::kOneCell, false);
  GXRefNormalize(r);
  return r;
}

}  // namespace

class RangeOps : public EngineSheet {
 protected:
  std::string FormulaAt(const char* a1) {
    GX_CELL* c = Cell(a1);
    return c && c->code ? GXCodeToText(sheet_, c->code) : "<none>";
  }
  std::string NameRef(const char* name) {
    GX_REF r;
    return GXFindName(sheet_, name, &r) ? GXRefToText(r) : "<none>";
  }
};

TEST_F(RangeOps, MovingABlockAdjustsReferencesIntoIt) {
  Num("A1", 1);
  Num("B2", 2);
  Formula("A2", "=Z9+1");
  Num("C3", 30);
  Num("D4", 40);
  Formula("F1", "=A1");
  Formula("F2", "=A1..B2");
  Formula("F3", "=A1..A5");
  Formula("F4", "=$A$1*2");
  GXDefineName(sheet_, "Block", Ref("A1..B2"));
  GXDefineName(sheet_, "Wide", Ref("B2..E9"));
  S()->undoRecording = 1;
  ASSERT_TRUE(GXMoveCells(sheet_, Ref("A1..B2"), 3, 2));  // to C3
  S()->undoRecording = 0;
  EXPECT_EQ(FormulaAt("F1"), "=C3");
  EXPECT_EQ(FormulaAt("F2"), "=C3..D4");
  EXPECT_EQ(FormulaAt("F3"), "=A1..A5");
  EXPECT_EQ(FormulaAt("F4"), "=$C$3*2");  // absolute or not, it moves with the block
  EXPECT_EQ(FormulaAt("C4"), "=Z9+1");
  EXPECT_EQ(Value("C3"), "1");
  EXPECT_EQ(Value("D4"), "2");
  EXPECT_EQ(Cell("A1"), nullptr);
  EXPECT_EQ(NameRef("Block"), "C3..D4");
  EXPECT_EQ(NameRef("Wide"), "D4..E9");  // only its first corner was inside
  // The overwritten cells C3 and D4 were saved.
  int saved = 0;
  for (GX_CELL* c = S()->savedCells; c; c = c->next) ++saved;
  EXPECT_EQ(saved, 2);
}

TEST_F(RangeOps, MovingOutOfTheSheetGivesTheErrorLiteral) {
  Num("A2", 1);
  Num("A3", 2);
  Formula("B1", "=A3");
  Formula("B2", "=A2");
  ASSERT_TRUE(GXMoveCells(sheet_, Ref("A2..A3"), 8388607, 0));
  EXPECT_EQ(FormulaAt("B1"), "=?\?");
  EXPECT_EQ(FormulaAt("B2"), "=A8388607");
  EXPECT_EQ(Cell("A2"), nullptr);  // A2 now lies at the last row
  EXPECT_NE(GXCellFind(sheet_, 8388607, 0), nullptr);
}

TEST_F(RangeOps, InsertingRows) {
  Num("A3", 3);
  Num("A7", 7);
  Formula("C1", "=A7");
  Formula("C2", "=A1..A10");
  GXDefineName(sheet_, "Col", Ref("A1..A10"));
  ASSERT_TRUE(GXInsertRows(sheet_, 3, 2));
  EXPECT_EQ(Value("A5"), "3");
  EXPECT_EQ(Cell("A3"), nullptr);
  EXPECT_EQ(FormulaAt("C1"), "=A9");
  EXPECT_EQ(FormulaAt("C2"), "=A1..A10");
  EXPECT_EQ(NameRef("Col"), "A1..A12");
}

TEST_F(RangeOps, RemovingRows) {
  Num("A3", 3);
  Num("A4", 4);
  Num("A5", 5);
  Formula("C1", "=A3");
  Formula("C2", "=A5");
  ASSERT_TRUE(GXRemoveRows(sheet_, 3, 1));
  EXPECT_EQ(FormulaAt("C1"), "=A3");  // now reads the row that came up
  EXPECT_EQ(FormulaAt("C2"), "=A4");
  EXPECT_EQ(Value("A3"), "4");
  EXPECT_EQ(Value("A4"), "5");
  EXPECT_EQ(Cell("A5"), nullptr);
  EXPECT_EQ(S()->undoRecording, 0);
}

TEST_F(RangeOps, InsertingAndRemovingColumns) {
  Num("B1", 2);
  Num("C1", 3);
  Formula("A2", "=C1*2");
  ASSERT_TRUE(GXInsertCols(sheet_, 1, 1));
  EXPECT_EQ(Value("C1"), "2");
  EXPECT_EQ(FormulaAt("A2"), "=D1*2");
  ASSERT_TRUE(GXRemoveCols(sheet_, 1, 2));
  EXPECT_EQ(Value("B1"), "3");
  EXPECT_EQ(FormulaAt("A2"), "=B1*2");
}

TEST_F(RangeOps, MovingABandOfRows) {
  for (int r = 1; r <= 7; ++r) GXCellSetNumber(sheet_, r, 0, r);
  Formula("C1", "=A2+A4");
  ASSERT_TRUE(GXMoveRowsCols(sheet_, true, 2, 3, 5));
  // Rows 2, 3 go to 5, 6; rows 4, 5, 6 come up to 2, 3, 4.
  const char* expected[] = {"1", "4", "5", "6", "2", "3", "7"};
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(Describe(GXCellFind(sheet_, r, 0)), expected[r - 1]) << r;
  EXPECT_EQ(FormulaAt("C1"), "=A5+A2");
}

TEST_F(RangeOps, CopyingAdjustsRelativeReferences) {
  Num("B1", 2);
  Num("B2", 5);
  Num("D1", 10);
  Formula("A1", "=B1+$D$1");
  Formula("C1", "=A1");
  GXSheetSetComputeNow(sheet_, 1);
  ASSERT_TRUE(GXCopyCells(sheet_, Ref("A1"), 2, 0, 0));
  EXPECT_EQ(FormulaAt("A2"), "=B2+$D$1");
  EXPECT_EQ(Value("A2"), "15");
  ASSERT_TRUE(GXCopyCells(sheet_, Ref("C1"), 1, 0, 1));  // to A1, two columns left
  EXPECT_EQ(FormulaAt("A1"), "=?\?");
}

TEST_F(RangeOps, ClearingARange) {
  Num("A1", 1);
  Num("B2", 2);
  Num("C3", 3);
  EXPECT_FALSE(GXClearRange(sheet_, Ref("D5..E9")));
  ASSERT_TRUE(GXClearRange(sheet_, Ref("A1..B2")));
  EXPECT_EQ(Cell("A1"), nullptr);
  EXPECT_EQ(Cell("B2"), nullptr);
  EXPECT_EQ(Value("C3"), "3");
  ASSERT_EQ(S()->pending.size(), 1u);
  EXPECT_STREQ(GXRefToText(S()->pending[0]), "A1..B2");
  S()->placeholderOption = 1;
  GXClearRange(sheet_, Ref("C3"));
  ASSERT_NE(Cell("C3"), nullptr);
  EXPECT_EQ(Cell("C3")->Kind(), GX_KIND_PLACEHOLDER);
}

TEST_F(RangeOps, PermutingRowsForASort) {
  Num("A1", 10);
  Num("A2", 20);
  Num("A3", 30);
  Num("B2", 2);
  Formula("D1", "=A1+A3");
  // The new order: old offsets 2, 0, 1 become offsets 0, 1, 2.
  GXPermute(sheet_, true, 1, 3, true, 0, 0, {2, 0, 1});
  EXPECT_EQ(Value("A1"), "30");
  EXPECT_EQ(Value("A2"), "10");
  EXPECT_EQ(Value("A3"), "20");
  EXPECT_EQ(Value("B2"), "2");  // outside the limited columns
  EXPECT_EQ(FormulaAt("D1"), "=A2+A1");
  EXPECT_TRUE(Cell("D1")->flags & kGXNeedsRecalc);
}

TEST_F(RangeOps, RangeNames) {
  EXPECT_TRUE(GXDefineName(sheet_, "Sales.Total", Ref("B2..B9")));
  EXPECT_FALSE(GXDefineName(sheet_, "9lives", Ref("A1")));
  EXPECT_FALSE(GXDefineName(sheet_, "Total-2", Ref("A1")));
  EXPECT_TRUE(GXDefineName(sheet_, "SALES.TOTAL", Ref("C1..C2")));
  EXPECT_EQ(NameRef("sales.total"), "C1..C2");
  EXPECT_TRUE(GXDefineName(sheet_, std::string(40, 'n').c_str(), Ref("A1")));
  EXPECT_EQ(NameRef(std::string(31, 'n').c_str()), "A1..A1");
  EXPECT_EQ(GXNamesToText(sheet_), (std::vector<std::string>{"Sales.Total=C1..C2", std::string(31, 'n') + "=A1..A1"}));
  std::string name;
  GX_REF ref;
  EXPECT_TRUE(GXNameFromText("X=$A$1:B2", name, ref));
  EXPECT_EQ(name, "X");
  EXPECT_FALSE(GXNameFromText("=A1", name, ref));
  EXPECT_FALSE(GXNameFromText("Y=nonsense", name, ref));
}

TEST_F(RangeOps, DeletingANameKeepsItsReferenceInFormulas) {
  GXDefineName(sheet_, "Total", Ref("B2"));
  Num("B2", 4);
  Formula("A1", "=Total*2");
  S()->undoRecording = 1;
  EXPECT_TRUE(GXDeleteName(sheet_, "total"));
  S()->undoRecording = 0;
  EXPECT_FALSE(GXDeleteName(sheet_, "Total"));
  EXPECT_EQ(FormulaAt("A1"), "=B2..B2*2");
  ASSERT_NE(S()->savedCells, nullptr);
  EXPECT_EQ(GXCodeToText(sheet_, S()->savedCells->code), "=Total*2");
  ASSERT_NE(S()->savedName, nullptr);
  GXRestoreName(sheet_, S()->savedName);
  EXPECT_EQ(NameRef("Total"), "B2..B2");
}
