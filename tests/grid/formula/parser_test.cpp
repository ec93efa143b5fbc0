// The scanner's tokens, the parser's items and errors, and the canonical
// formula text.
#include "grid/formula/FormulaTestUtil.h"
#include "grid/formula/GXFunctionHook.h"
#include "grid/formula/GXNames.h"
#include "grid/formula/GXScanner.h"

namespace {

// "kind:text@pos" for every token up to the end.
std::string Tokens(const std::string& text) {
  GXScanSetInput(text);
  std::string out;
  for (;;) {
    GX_TOKEN t = GXScan();
    if (!out.empty()) out += ' ';
    out += std::to_string(t.kind);
    if (!t.text.empty()) out += ":" + t.text;
    if (t.kind == GX_TK_ERROR) out += "!" + std::to_string(t.value);
    out += "@" + std::to_string(t.position);
    if (t.kind == GX_TK_END) return out;
  }
}

}  // namespace

TEST(FormulaScanner, Tokens) {
  struct Case {
    const char* in;
    const char* tokens;
  } cases[] = {
      {"=A1+b2", "22@0 33:A1@1 6@3 33:b2@4 40@6"},
      {"A1..B2", "33:A1@0 32@2 33:B2@4 40@6"},
      {"A1:B2", "33:A1@0 1@2 33:B2@3 40@5"},
      {"A1.B2", "33:A1@0 42@2 33:B2@3 40@5"},
      {"A1.5", "34:A1.5@0 40@4"},
      {"Sales.Total", "34:Sales.Total@0 40@11"},
      {"ZZZ1", "34:ZZZ1@0 40@4"},
      {"FAN1", "33:FAN1@0 40@4"},
      {"$A$1", "33:$A$1@0 40@4"},
      {"ABCD1", "34:ABCD1@0 40@5"},
      {"A12345678", "34:A12345678@0 40@9"},
      {"1e5", "37:1e5@0 40@3"},
      {"1E5", "37:1@0 33:E5@1 40@3"},
      {"1.5e-3", "37:1.5e-3@0 40@6"},
      {".5", "37:.5@0 40@2"},
      {"1.", "37:1.@0 40@2"},
      {"1.2.3", "37:1.2@0 37:.3@3 40@5"},
      {"0x1F", "38:1F@0 40@4"},
      {"0x", "37:0@0 34:x@1 40@2"},
      {"<> !=", "30@0 30@3 40@5"},
      {"#and# #OR# #Not#", "24@0 25@6 14@11 40@16"},
      {"???", "43@0 3@2 40@3"},
      {"**&&||<<>>>=<===..", "23@0 24@2 25@4 26@6 27@8 29@10 28@12 31@14 32@16 40@18"},
      {";:,?#\\+-*/%|^&!~<>(){}=", "0@0 1@1 2@2 3@3 4@4 5@5 6@6 7@7 8@8 9@9 10@10 11@11 12@12 13@13 14@14 15@15 30@16 "
                                   "18@18 19@19 20@20 21@21 22@22 40@23"},
      {"1\t+ 2", "37:1@0 6@2 37:2@4 40@5"},
      {"1\n+2", "37:1@0 6@1 37:2@2 40@3"},
      {"1\r", "37:1@0 41!223@1 40@2"},
      {"@", "35@0 40@1"},
      {"@sum(", "35:sum@0 18@4 40@5"},
      {"\"a\\\"b\"\"c\"", "36:a\\\"b@0 36:c@6 40@9"},
      {"\"abc", "41!223@0 34:abc@1 40@4"},
      {"1//note x", "37:1@0 39:note x@1 40@9"},
      {"\xe9", "41!223@0 40@1"},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.in), c.tokens) << c.in;
}

TEST_F(EngineSheet, ParserRoundTripsToCanonicalText) {
  GX_REF total;
  GXParseRef("B2:B3", total);
  GXDefineName(sheet_, "Total", total);
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"=a1:B2*( 1+0x1F )", "=A1..B2*(1+0x1F)"},
      {"=A1=1#and#!B1", "=A1==1&&!B1"},
      {"=A1<>2", "=A1!=2"},
      {"=#{1,-1}", "=#{1,-1}"},
      {"=#", "=#"},
      {"=#{1}", "=#{1}"},
      {"=1;A1>0\\B1//x", "=1;A1>0\\B1//x"},
      {"=A1;A1>0\\B5,C1..C9//note", "=A1;A1>0\\B5,C1..C9//note"},
      {"=\"a\\tb\\\"c\"", "=\"a\\tb\\\"c\""},
      {"=1+2*3", "=1+2*3"},
      {"=(1+2)*3", "=(1+2)*3"},
      {"=2**3**2", "=2**3**2"},
      {"=-2**2", "=-2**2"},
      {"=50%", "=50%"},
      {"=50%3", "=50%3"},
      {"=A1%B1", "=A1%B1"},
      {"=A1?1:B1?2:3", "=A1?1:B1?2:3"},
      {"=??", "=??"},
      {"=1e5", "=100000"},
      {"=0xFFFFFFFF", "=0xFFFFFFFF"},
      {"=$A$1.B$2", "=$A$1..B$2"},
      {"=~1|2^3&4<<5>>6", "=~1|2^3&4<<5>>6"},
      {"=1 #or# 0 || 1", "=1||0||1"},
      {"=A1..B2..C3", "error 281 at 1"},  // one name token, not a reference
      {"=1\n+2", "=1+2"},
      {"=A1  ..  Total", "=A1 .. Total"},  // written so that it reads back as the same operator
  };
  for (const Case& c : cases) EXPECT_EQ(RoundTrip(c.in), c.out) << c.in;
}

TEST_F(EngineSheet, ParserErrors) {
  struct Case {
    const char* in;
    int error;
    int position;
  } cases[] = {
      {"==1", 274, 1},    {"1+2", 253, 0},   {"=1 2", 271, 3},  {"=SUM(A1)", 227, 7}, {"=@PI", 227, 1},
      {"=Total", 281, 1}, {"=- -1", 274, 3}, {"=(1", 250, 3},   {"=1+", 274, 3},      {"=A1:", 275, 4},
      {"=1?2", 232, 4}, {"=\r", 223, 1}, {"=ABC9999999", 226, 1}, {"=#{1", 252, 4},  {"=A1:1", 275, 4},
      {"", 253, 0},       {"=1e999", 282, 1},       {"=1;", 274, 3},
  };
  for (const Case& c : cases) {
    GX_CODE code;
    EXPECT_FALSE(GXCompile(sheet_, c.in, &code)) << c.in;
    EXPECT_EQ(GXEngineState()->errorFlag, 1);
    EXPECT_EQ(GXEngineState()->errorCode, c.error) << c.in;
    EXPECT_EQ(GXEngineState()->errorPos, c.position) << c.in;
    EXPECT_EQ(code.root, -1);
    EXPECT_TRUE(code.items.empty());
  }
}

TEST_F(EngineSheet, ParserItemShapes) {
  GX_CODE code;
  ASSERT_TRUE(GXCompile(sheet_, "=1+2*3", &code));
  const GX_ITEM& root = code.items[code.root];
  EXPECT_EQ(root.op, GX_OP_ADD);
  EXPECT_EQ(code.items[root.right].op, GX_OP_MUL);

  ASSERT_TRUE(GXCompile(sheet_, "=2**3**2", &code));
  EXPECT_EQ(code.items[code.root].op, GX_OP_POW);
  EXPECT_EQ(code.items[code.items[code.root].left].op, GX_OP_POW);  // left-associative

  ASSERT_TRUE(GXCompile(sheet_, "=A1:B2", &code));
  ASSERT_EQ(code.ItemCount(), 1);
  EXPECT_EQ(code.items[0].kind, GX_ITEM_RANGE);

  GX_REF b2;
  GXParseRef("B2..B2", b2);
  b2.Set(GX_REF::kOneCell, false);
  ASSERT_TRUE(GXDefineName(sheet_, "Total", b2));
  ASSERT_TRUE(GXCompile(sheet_, "=A1 .. Total", &code));
  EXPECT_EQ(code.items[code.root].op, GX_OP_RANGE);
  EXPECT_EQ(code.items[code.items[code.root].right].kind, GX_ITEM_NAMED_RANGE);
  ASSERT_TRUE(GXCompile(sheet_, "=total*2", &code));
  EXPECT_EQ(GXCodeToText(sheet_, &code), "=Total*2");

  ASSERT_TRUE(GXCompile(sheet_, "=#{0,-1}", &code));
  EXPECT_EQ(code.items[code.root].kind, GX_ITEM_RELATIVE);
  EXPECT_FALSE(GXCodeHasRefs(code.items.data(), code.ItemCount()));

  ASSERT_TRUE(GXCompile(sheet_, "=A1;A1>0\\B5,C1..C9//note", &code));
  EXPECT_GE(code.constraintRoot, 0);
  EXPECT_EQ(code.items[code.depList].kind, GX_ITEM_CELL);
  EXPECT_EQ(code.items[code.items[code.depList].right].kind, GX_ITEM_RANGE);
  EXPECT_EQ(code.comment, "note");
}

TEST_F(EngineSheet, ItemBufferHoldsTwoHundredItems) {
  std::string ok = "=1";
  for (int i = 0; i < 99; ++i) ok += "+1";  // 199 items
  GX_CODE code;
  EXPECT_TRUE(GXCompile(sheet_, ok.c_str(), &code));
  EXPECT_TRUE(GXCompile(sheet_, (ok + "+").c_str(), &code) == 0);
  EXPECT_EQ(GXEngineState()->errorCode, 274);
  EXPECT_FALSE(GXCompile(sheet_, (ok + "+1").c_str(), &code));  // 201 items
  EXPECT_EQ(GXEngineState()->errorCode, 280);
}

namespace {

void SumEntry(GX_OPERAND& result, std::vector<GX_OPERAND>& args) {
  result.kind = GX_OPND_NUMBER;
  result.number = 0;
  for (const GX_OPERAND& a : args) {
    if (a.kind == GX_OPND_NUMBER) result.number += a.number;
  }
}

// A small function library for the tests: SUM(numbers...), PAIR(a, [b]),
// MID(first, numbers..., last), XVALUE(a, b).
class TestHook : public CGXFunctionHook {
 public:
  TestHook() {
    sum_.name = "SUM";
    sum_.entry = SumEntry;
    sum_.params = {{0, kGXParamRepeating}};
    pair_.name = "PAIR";
    pair_.entry = SumEntry;
    pair_.params = {{0, kGXParamRequired}, {0, kGXParamOptional}};
    mid_.name = "MID";
    mid_.entry = SumEntry;
    mid_.params = {{5, kGXParamRequired}, {0, kGXParamRepeating}, {6, kGXParamRequired}};
    xvalue_.name = "XVALUE";
    xvalue_.entry = SumEntry;
    xvalue_.params = {{0, kGXParamRequired}, {7, kGXParamRequired}};
  }
  const GX_FUNCTION_DESC* LookupFunction(const char* name) override {
    for (const GX_FUNCTION_DESC* d : {&sum_, &pair_, &mid_, &xvalue_})
      if (d->name == name) return d;
    return nullptr;
  }

 private:
  GX_FUNCTION_DESC sum_, pair_, mid_, xvalue_;
};

}  // namespace

TEST_F(EngineSheet, FunctionCallsThroughAHook) {
  GXSetFunctionHook(new TestHook);
  struct Case {
    const char* in;
    const char* result;
  } cases[] = {
      {"=sum(1,2,3)", "6"},        {"=@SUM(1,\"2\")", "3"}, {"=SUM()", "compile 230"}, {"=SUM(1)", "1"},       {"=PAIR(1)", "1"},
      {"=PAIR(1,2)", "3"},          {"=PAIR()", "compile 230"}, {"=PAIR(1,2,3)", "compile 229"},
      {"=MID(1,2,3,4)", "10"},      {"=MID(1)", "compile 230"}, {"=SUM(Nope)", "compile 281"},
      {"=NOPE(Total)", "compile 227"}, {"=SUM(A1)", "#128"},  {"=SUM(?\?)", "#89"},
  };
  for (const Case& c : cases) EXPECT_EQ(Eval(c.in), c.result) << c.in;
  GX_CODE code;
  ASSERT_TRUE(GXCompile(sheet_, "=MID(1,2,3,4)", &code));
  EXPECT_EQ(GXCodeToText(sheet_, &code), "=MID(1,2,3,4)");
  std::vector<int> types;
  for (const GX_ITEM& item : code.items)
    if (item.kind == GX_ITEM_ARG) types.push_back(item.paramType);
  EXPECT_EQ(types, (std::vector<int>{5, 0, 0, 6}));
  ASSERT_TRUE(GXCompile(sheet_, "=XVALUE(A1,B1)", &code));
  int marked = 0;
  for (const GX_ITEM& item : code.items)
    if (item.flags & kGXItemNotDependency) {
      ++marked;
      EXPECT_EQ(item.ref.Col1(), 1);
    }
  EXPECT_EQ(marked, 1);
  GXSetFunctionHook(nullptr);
  EXPECT_EQ(Eval("=SUM(1)"), "compile 227");
}
