// The engine's cell store, references, escapes and error texts.
#include <algorithm>
#include <cstring>

#include "grid/formula/FormulaTestUtil.h"
#include "grid/core/GXStyle.h"
#include "grid/formula/GXErrorText.h"

TEST(FormulaSheetTable, FreedNumberIsReused) {
  int a = GXSheetCreate(), b = GXSheetCreate(), c = GXSheetCreate();
  EXPECT_EQ(b, a + 1);
  GXSheetDestroy(b);
  int d = GXSheetCreate();
  EXPECT_EQ(d, b);
  EXPECT_EQ(GXSheetGet(b + 100), nullptr);
  for (int n : {a, c, d}) GXSheetDestroy(n);
}

TEST_F(EngineSheet, SettersCheckTheSheetBounds) {
  struct Case {
    int row, col, ok;
  } cases[] = {{8388608, 0, 0}, {0, 0, 0}, {1, 4096, 0}, {1, -1, 0}, {8388607, 0, 1}, {1, 4095, 1}};
  for (const Case& c : cases) {
    int before = S()->cellCount;
    EXPECT_EQ(GXCellSetNumber(sheet_, c.row, c.col, 1), c.ok) << c.row << "," << c.col;
    EXPECT_EQ(GXCellSetText(sheet_, c.row, c.col, "x"), c.ok);
    EXPECT_EQ(GXCellSetFormula(sheet_, c.row, c.col, "=1+2"), c.ok);
    EXPECT_EQ(S()->cellCount, before + c.ok);
  }
}

TEST_F(EngineSheet, ShortTextsStayInPlaceLongOnesAreCopied) {
  Text("A1", "12345678");
  Text("A2", "123456789");
  EXPECT_EQ(Cell("A1")->ValueKind(), GX_VALUE_SHORT_TEXT);
  EXPECT_EQ(Cell("A1")->Text(), "12345678");
  EXPECT_EQ(Cell("A2")->ValueKind(), GX_VALUE_LONG_TEXT);
  EXPECT_EQ(Cell("A2")->Text(), "123456789");
  Text("A3", std::string(600, 'x'));
  EXPECT_EQ(Cell("A3")->Text().size(), 511u);
  Text("A4", "a\\tb");
  EXPECT_EQ(Cell("A4")->Text(), "a\tb");
}

TEST_F(EngineSheet, FormulaKindsFollowTheirContents) {
  Formula("A1", "=5");
  EXPECT_EQ(Cell("A1")->Kind(), GX_KIND_NUMBER);  // a plain number formula is a number cell
  Formula("A2", "=0x10");
  EXPECT_EQ(Cell("A2")->Kind(), GX_KIND_CONST_FORMULA);
  EXPECT_EQ(Value("A2"), "16");
  Formula("A3", "=1+2");
  EXPECT_EQ(Cell("A3")->Kind(), GX_KIND_CONST_FORMULA);
  EXPECT_EQ(Value("A3"), "3");  // computed when stored
  Formula("A4", "=A1*2");
  EXPECT_EQ(Cell("A4")->Kind(), GX_KIND_FORMULA);
  EXPECT_EQ(S()->formulas.count, 1);
  Formula("A5", "=5//note");
  EXPECT_EQ(Cell("A5")->Kind(), GX_KIND_CONST_FORMULA);
  // A failing compilation changes nothing.
  EXPECT_FALSE(GXCellSetFormula(sheet_, 1, 0, "=1+"));
  EXPECT_EQ(Cell("A1")->value.number, 5);
}

TEST_F(EngineSheet, ReplacingACellKeepsItsStyle) {
  Num("B2", 1);
  Cell("B2")->style = new CGXStyle;
  Cell("B2")->style->SetFormat(3);
  Text("B2", "x");
  ASSERT_NE(Cell("B2")->style, nullptr);
  EXPECT_EQ(Cell("B2")->style->GetFormat(), 3u);
  EXPECT_EQ(S()->cellCount, 1);
}

TEST_F(EngineSheet, UsedRangeNarrowsAsEdgeCellsGo) {
  Num("B2", 1);
  Num("C5", 1);
  Num("D9", 1);
  GX_REF used;
  ASSERT_TRUE(GXSheetGetUsedRange(sheet_, used));
  EXPECT_STREQ(GXRefToText(used), "B2..D9");
  GXCellRemove(sheet_, Cell("B2"));
  ASSERT_TRUE(GXSheetGetUsedRange(sheet_, used));
  EXPECT_STREQ(GXRefToText(used), "C5..D9");
  GXCellRemove(sheet_, Cell("C5"));
  GXCellRemove(sheet_, Cell("D9"));
  EXPECT_FALSE(GXSheetGetUsedRange(sheet_, used));
}

TEST_F(EngineSheet, BlocksOpenAndCloseWithTheirCells) {
  for (int r = 1; r <= 32; ++r) GXCellSetNumber(sheet_, r, 0, r);
  EXPECT_EQ(S()->values.blocks, 1);
  GXCellSetNumber(sheet_, 33, 0, 33);
  EXPECT_EQ(S()->values.blocks, 2);
  EXPECT_EQ(S()->values.count, 33);
  for (int r = 1; r <= 32; ++r) GXCellRemove(sheet_, GXCellFind(sheet_, r, 0));
  EXPECT_EQ(S()->values.blocks, 1);
  EXPECT_EQ(GXCellFind(sheet_, 33, 0)->value.number, 33);
}

TEST_F(EngineSheet, DeferredFreesKeepBlocksUntilTheEnd) {
  for (int r = 1; r <= 40; ++r) GXCellSetNumber(sheet_, r, 0, r);
  {
    GXDeferScope defer(sheet_);
    for (int r = 1; r <= 40; ++r) GXCellRemove(sheet_, GXCellFind(sheet_, r, 0));
    EXPECT_EQ(S()->values.blocks, 2);
  }
  EXPECT_LE(S()->values.blocks, 1);
  EXPECT_EQ(S()->values.count, 0);
}

TEST_F(EngineSheet, RangeIterationProbesOrScansWithTheSameCells) {
  for (int r = 1; r <= 20; ++r)
    for (int c = 0; c < 5; ++c) GXCellSetNumber(sheet_, r, c, r * 10 + c);
  auto collect = [&](const char* range, bool& probed) {
    GX_REF ref;
    GXParseRef(range, ref);
    GX_CELL_ITER it;
    GXCellIterInitRef(sheet_, ref, it, kGXPoolAll);
    probed = it.probe;
    std::vector<double> out;
    while (GX_CELL* c = GXCellIterNext(it)) out.push_back(c->value.number);
    std::sort(out.begin(), out.end());
    return out;
  };
  bool probed = false;
  EXPECT_EQ(collect("C4", probed), std::vector<double>{42});
  EXPECT_TRUE(probed);
  auto all = collect("A1..Z999", probed);
  EXPECT_FALSE(probed);
  EXPECT_EQ(all.size(), 100u);
  auto block = collect("B2..C3", probed);
  EXPECT_EQ(block, (std::vector<double>{21, 22, 31, 32}));
}

TEST_F(EngineSheet, OptionsRefuseValuesOutsideTheirDomain) {
  EXPECT_TRUE(GXSheetSetIterationCount(sheet_, 100));
  EXPECT_FALSE(GXSheetSetIterationCount(sheet_, 101));
  EXPECT_EQ(GXSheetGetIterationCount(sheet_), 100);
  EXPECT_FALSE(GXSheetSetManual(sheet_, 2));
  EXPECT_FALSE(GXSheetSetBlankZero(sheet_, -1));
  EXPECT_TRUE(GXSheetSetComputeNow(sheet_, 1));
  EXPECT_EQ(GXSheetGetComputeNow(sheet_), 1);
}

TEST_F(EngineSheet, StoreValueCopyAndClone) {
  Formula("A1", "=\"a long text value\"");
  GX_CELL* a = Cell("A1");
  EXPECT_EQ(a->Text(), "a long text value");
  a->style = new CGXStyle;
  GX_CELL* clone = GXCellClone(a);
  EXPECT_FALSE(clone->IsLinked());
  EXPECT_NE(clone->style, a->style);
  EXPECT_NE(clone->value.longText, a->value.longText);
  EXPECT_EQ(clone->Text(), a->Text());
  EXPECT_EQ(GXCodeToText(sheet_, clone->code), "=\"a long text value\"");
  GX_VALUE none;
  GXCellStoreValue(clone, none);
  EXPECT_EQ(clone->ValueKind(), GX_VALUE_NONE);
  GXCellFree(clone);
  EXPECT_EQ(a->Text(), "a long text value");
}

TEST(FormulaRefs, ParseAndText) {
  struct Case {
    const char* in;
    const char* out;  // null: rejected
  } cases[] = {
      {"A1", "A1"},         {"B5..A1", "A1..B5"},     {"B5:A1", "A1..B5"},   {"B5.A1", "A1..B5"},
      {"B5:.A1", "A1..B5"}, {"$A1", "$A1"},           {"A$1", "A$1"},         {"$A$1..B$2", "$A$1..B$2"},
      {"b$2..$A1", "$A1..B$2"}, {"FAN1", "FAN1"},     {"FAO1", nullptr},      {"A0", nullptr},
      {"A8388608", nullptr}, {"A8388607", "A8388607"}, {"A1.", nullptr},      {"A1..", nullptr},
      {"A1...B2", nullptr},  {"1A", nullptr},          {"A1x", nullptr},       {"AA10", "AA10"},
  };
  for (const Case& c : cases) {
    GX_REF ref;
    int ok = GXParseRef(c.in, ref);
    EXPECT_EQ(ok, c.out != nullptr) << c.in;
    if (ok && c.out) {
      EXPECT_STREQ(GXRefToText(ref), c.out) << c.in;
    }
  }
  GX_REF one;
  GXParseRef("C3", one);
  EXPECT_TRUE(one.IsOneCell());
  EXPECT_EQ(one.Row2(), 3);
  EXPECT_EQ(one.Col2(), 2);
}

TEST(FormulaRefs, ColumnLetters) {
  struct Case {
    int col;
    const char* letters;
  } cases[] = {{0, "A"}, {25, "Z"}, {26, "AA"}, {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"}, {4095, "FAN"}};
  for (const Case& c : cases) {
    EXPECT_STREQ(GXColumnToLetters(c.col), c.letters);
    EXPECT_EQ(GXLettersToColumn(c.letters), c.col);
  }
  EXPECT_EQ(GXColumnToLetters(4096), nullptr);
  EXPECT_EQ(GXLettersToColumn("fao"), -1);
  EXPECT_EQ(GXLettersToColumn("zzz"), -1);
  EXPECT_EQ(GXLettersToColumn("ab12"), 27);
}

TEST(FormulaRefs, MakeIntersectEqual) {
  GX_REF a, b;
  EXPECT_TRUE(GXRefMake(a, 5, 3, 1, 1, kGXRefAbsCol1));
  EXPECT_STREQ(GXRefToText(a), "B1..$D5");
  EXPECT_TRUE(GXRefMake(b, 5, 3, 0, 0, kGXRefOneCell | kGXRefAbsRow1));
  EXPECT_STREQ(GXRefToText(b), "D$5");
  EXPECT_TRUE(GXRefIntersects(a, b));
  EXPECT_FALSE(GXRefEqual(a, b));
  GX_REF c;
  GXRefMake(c, 1, 1, 5, 3, 0);
  EXPECT_TRUE(GXRefEqual(a, c));  // flags are not compared
  GX_REF d;
  GXRefMake(d, 6, 0, 6, 0, 0);
  EXPECT_FALSE(GXRefIntersects(a, d));
  EXPECT_FALSE(GXRefMake(d, 0, 0, 0, 0, kGXRefOneCell));
}

TEST(FormulaTexts, Unescape) {
  struct Case {
    const char* in;
    std::string out;
  } cases[] = {{"\\t", "\t"},   {"\\101", "A"},    {"\\x41", "A"},     {"\\x0A", "\n"}, {"\\q", "q"},
               {"\\xg", "xg"},  {"\\\"", "\""},    {"ab\\", "ab"},     {"\\1015", "A5"}, {"\\a\\b\\f\\v\\r", "\a\b\f\v\r"},
               {"\\\\", "\\"},  {"\\0", std::string(1, '\0')}};
  for (const Case& c : cases) EXPECT_EQ(GXUnescapeText(c.in), c.out) << c.in;
  EXPECT_EQ(GXUnescapeText(std::string(600, 'y')).size(), 511u);
}

TEST(FormulaTexts, EscapeIsTheInverse) {
  EXPECT_EQ(GXEscapeText("a\t\"b", true), "a\\t\\\"b");
  EXPECT_EQ(GXEscapeText("\"", false), "\"");
  EXPECT_EQ(GXEscapeText(std::string("\x01") + "5", true), "\\0015");
  EXPECT_EQ(GXEscapeText("\x01x", true), "\\1x");
  EXPECT_EQ(GXEscapeText("\x1fx", true), "\\37x");
  EXPECT_EQ(GXEscapeText("\x7f", true), "\\177");
  EXPECT_EQ(GXEscapeText("\xe9\\", true), "\xe9\\\\");
  for (int c = 0; c < 256; ++c) {
    std::string s = std::string(1, static_cast<char>(c)) + "7z";
    EXPECT_EQ(GXUnescapeText(GXEscapeText(s, true)), s) << c;
  }
}

TEST(FormulaTexts, ErrorTexts) {
  EXPECT_STREQ(GXErrorText(227), "undefined function");
  EXPECT_STREQ(GXErrorText(382), "unknown error");
  EXPECT_STREQ(GXErrorText(-1), "unknown error");
  EXPECT_STREQ(GXErrorText(1), "");
  EXPECT_STREQ(GXErrorText(70), "divide by zero");
  EXPECT_STREQ(GXErrorText(253), "expected to find \"=\" here");
  EXPECT_STREQ(GXErrorText(355), "ending line with a \\");
  EXPECT_STREQ(GXErrorText(381), "precompiled regular expression is invalid");
}
