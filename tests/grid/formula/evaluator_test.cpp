// Values and error codes of every operator of the formula language.
#include "grid/formula/FormulaTestUtil.h"

namespace {

struct EvalCase {
  const char* formula;
  const char* blankIsError;  // result with blank-is-zero off
  const char* blankIsZero;   // with it on (null: the same)
};

}  // namespace

TEST_F(EngineSheet, OperatorsAndErrors) {
  Num("A5", 3);
  Text("A6", "abc");
  Text("A7", "");
  Formula("A8", "=1/0");
  Formula("A9", "=?\?");
  Num("A2", 42);
  std::string s300(300, 'x');
  const EvalCase cases[] = {
      {"=1+2*3", "7", nullptr},
      {"=7-10", "-3", nullptr},
      {"=+4", "4", nullptr},
      {"=-A5", "-3", nullptr},
      {"=7/2", "3.5", nullptr},
      {"=7/0", "#70", nullptr},
      {"=7%0", "#122", nullptr},
      {"=7.9%2", "1", nullptr},
      {"=-7%2", "-1", nullptr},
      {"=2**0.5", "1.4142135623731", nullptr},
      {"=(-8)**0.5", "#70", nullptr},
      {"=2**3**2", "64", nullptr},
      {"=\"ab\"&\"cd\"", "'abcd", nullptr},
      {"=6&3", "2", nullptr},
      {"=\"ab\"&1", "#140", nullptr},
      {"=A1:B2&1", "#91", nullptr},
      {"=6|3", "7", nullptr},
      {"=6^3", "5", nullptr},
      {"=~0", "-1", nullptr},
      {"=1<<4", "16", nullptr},
      {"=-16>>2", "-4", nullptr},
      {"=1<<33", "2", nullptr},
      {"=4294967296|0", "#136", nullptr},
      {"=2147483648|0", "-2147483648", nullptr},
      {"=-2147483649|0", "#136", nullptr},
      {"=\"x\"|0", "#128", nullptr},
      {"=0&&1/0", "0", nullptr},
      {"=2&&3", "1", nullptr},
      {"=1||1/0", "1", nullptr},
      {"=0||0", "0", nullptr},
      {"=!0", "1", nullptr},
      {"=!5", "0", nullptr},
      {"=\"abc \"==\"abc\"", "1", nullptr},
      {"=\"B\"<\"a\"", "1", nullptr},
      {"=\"a\"<5", "1", nullptr},
      {"=5<\"a\"", "0", nullptr},
      {"=\"a\">=5", "0", nullptr},
      {"=5>\"a\"", "1", nullptr},
      {"=1==\"1\"", "0", nullptr},
      {"=1!=\"1\"", "1", nullptr},
      {"=2<=2", "1", nullptr},
      {"=3>2", "1", nullptr},
      {"=A1==B1", "1", "1"},  // two blanks compare equal either way
      {"=A1:B1==1", "#94", nullptr},
      {"=A1:B1!=1", "#90", nullptr},
      {"=1<A1:B1", "#93", nullptr},
      {"=A1:B1>1", "#96", nullptr},
      {"=A1:B1<=1", "#92", nullptr},
      {"=A1:B1>=1", "#95", nullptr},
      {"=1?(A2):A1", "42", nullptr},
      {"=1?A2:A1", "compile 232", nullptr},  // A2:A1 reads as a range
      {"=0?1:\"no\"", "'no", nullptr},
      {"=50%", "0.5", nullptr},
      {"=?\?", "#89", nullptr},
      {"=?\?+1", "#89", nullptr},
      {"=A1", "#60", "0"},
      {"=A1+1", "#128", "1"},
      {"=A1|0", "0", "0"},
      {"=A7+1", "#128", "1"},  // an empty text
      {"=A6+1", "#128", nullptr},
      {"=A8+0", "#133", nullptr},
      {"=A8", "#60", nullptr},
      {"=A9", "#60", nullptr},
      {"=A1:B2", "#149", nullptr},
      {"=(A1)..(A5)", "compile 271", nullptr},
      {"=1..A5", "compile 271", nullptr},
      {"=A1:?\?", "compile 275", nullptr},
      {"=A5&\"\"", "#140", nullptr},
      {"=A6&\"d\"", "'abcd", nullptr},
      {"=#{0,-1}", "#60", "0"},  // at Z100: reads Z99
  };
  for (int blankZero = 0; blankZero <= 1; ++blankZero) {
    GXSheetSetBlankZero(sheet_, blankZero);
    for (const EvalCase& c : cases) {
      const char* want = blankZero && c.blankIsZero ? c.blankIsZero : c.blankIsError;
      EXPECT_EQ(Eval(c.formula), want) << c.formula << " blank-is-zero " << blankZero;
    }
  }
  GXSheetSetBlankZero(sheet_, 0);
  EXPECT_EQ(Eval("=\"" + s300 + "\"&\"" + s300 + "\""), "#150");
}

TEST_F(EngineSheet, RelativeReferences) {
  Num("B1", 7);
  Num("C2", 9);
  EXPECT_EQ(Eval("=#{0,-1}", "B2"), "7");
  EXPECT_EQ(Eval("=#{0,-1}", "B1"), "#110");
  EXPECT_EQ(Eval("=#{-1}", "A1"), "#110");
  EXPECT_EQ(Eval("=#{1}", "B2"), "9");
  EXPECT_EQ(Eval("=#{1.9,0.9}", "B2"), "9");  // offsets are truncated
  EXPECT_EQ(Eval("=#", "B1"), "7");  // the cell itself
}

TEST_F(EngineSheet, CellEvaluateMarksOnlyRealChanges) {
  Num("A1", 2);
  Formula("B1", "=A1*2");
  GX_CELL* b1 = Cell("B1");
  GXCellEvaluate(sheet_, b1);
  EXPECT_EQ(Value("B1"), "4");
  EXPECT_TRUE(b1->flags & kGXChanged);
  b1->flags &= ~kGXChanged;
  GXCellEvaluate(sheet_, b1);
  EXPECT_FALSE(b1->flags & kGXChanged);
  Formula("C1", "=\"long text value\"&A1");
  GXCellEvaluate(sheet_, Cell("C1"));
  EXPECT_EQ(Value("C1"), "#140");
  Formula("C2", "=\"long text value\"&\"!\"");
  GX_CELL* c2 = Cell("C2");
  c2->flags &= ~kGXChanged;
  GXCellEvaluate(sheet_, c2);
  EXPECT_FALSE(c2->flags & kGXChanged);
  EXPECT_EQ(Value("C2"), "'long text value!");
}

TEST_F(EngineSheet, ErrorMessageWhenTheSlotIsArmed) {
  S()->messageArmed = 1;
  Formula("C4", "=1/0");
  EXPECT_EQ(S()->message, "Cell C4: ERROR:  divide by zero ");
  EXPECT_EQ(S()->messageArmed, 0);
  Formula("C5", "=1%0");
  EXPECT_EQ(S()->message, "Cell C4: ERROR:  divide by zero ");  // disarmed: kept
}

TEST_F(EngineSheet, EvaluationsNestAndRestoreTheirState) {
  Num("A1", 3);
  GX_CODE inner;
  ASSERT_TRUE(GXCompile(sheet_, "=1/0", &inner));
  GX_OPERAND o = GXEvaluate(sheet_, 1, 1, inner.items, inner.root);
  EXPECT_EQ(o.kind, GX_OPND_ERROR);
  EXPECT_EQ(GXEngineState()->errorFlag, 1);
  EXPECT_EQ(GXEngineState()->errorCode, 70);
  EXPECT_FALSE(GXEvalRunning());
  EXPECT_EQ(Eval("=A1*2"), "6");
  EXPECT_EQ(GXEngineState()->errorCode, 0);
}

TEST(FormulaCompareText, TrailingBlanksAndBytes) {
  EXPECT_EQ(GXCompareText("abc  ", "abc"), 0);
  EXPECT_EQ(GXCompareText(" ", ""), 1);  // the first character is never removed
  EXPECT_LT(GXCompareText("B", "a"), 0);
  EXPECT_GT(GXCompareText("\xe9", "z"), 0);
}
