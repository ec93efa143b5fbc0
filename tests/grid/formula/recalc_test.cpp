// Recalculation order, modes, cycles, constraints, and a property test:
// incremental recalculation after random edits equals a fresh full one.
#include <map>
#include <random>

#include "grid/formula/FormulaTestUtil.h"

TEST_F(EngineSheet, ComputeNowRecalculatesTheChain) {
  GXSheetSetComputeNow(sheet_, 1);
  Num("A1", 1);
  Formula("B1", "=A1+1");
  Formula("C1", "=B1*2");
  GXRecalc(sheet_);
  EXPECT_EQ(Describe(Cell("C1")), "4");
  Num("A1", 5);
  EXPECT_EQ(GXRecalc(sheet_), 1);
  EXPECT_EQ(Describe(Cell("B1")), "6");
  EXPECT_EQ(Describe(Cell("C1")), "12");
}

TEST_F(EngineSheet, AsNeededModeComputesOnRead) {
  Num("A1", 1);
  Formula("B1", "=A1+1");
  Formula("C1", "=B1*2");
  Num("A1", 5);
  GXRecalc(sheet_);
  EXPECT_TRUE(Cell("B1")->flags & kGXNeedsRecalc);
  EXPECT_TRUE(Cell("C1")->flags & kGXNeedsRecalc);
  EXPECT_EQ(Describe(Cell("C1")), "");  // only marked
  GXCellUpdate(sheet_, Cell("C1"));
  EXPECT_EQ(Describe(Cell("B1")), "6");
  EXPECT_EQ(Describe(Cell("C1")), "12");
}

TEST_F(EngineSheet, ManualModeWaitsForAForcedRecalculation) {
  GXSheetSetComputeNow(sheet_, 1);
  GXSheetSetManual(sheet_, 1);
  Num("A1", 1);
  Formula("B1", "=A1+1");
  GX_REF r;
  GXParseRef("A1", r);
  GXAddChangedRange(sheet_, r);
  EXPECT_EQ(GXRecalc(sheet_), 0);
  EXPECT_TRUE(S()->pending.empty());
  EXPECT_EQ(Describe(Cell("B1")), "");
  GXRecalcForced(sheet_);
  EXPECT_EQ(Describe(Cell("B1")), "2");
  EXPECT_EQ(GXSheetGetManual(sheet_), 1);
  EXPECT_EQ(S()->recalcFlags, 0);
}

TEST_F(EngineSheet, CyclesAreMarkedAndIterated) {
  GXSheetSetComputeNow(sheet_, 1);
  GXSheetSetBlankZero(sheet_, 1);
  Formula("A1", "=B1+1");
  Formula("B1", "=A1+1");
  GXRecalc(sheet_);
  EXPECT_FALSE(Cell("A1")->flags & kGXCircular);
  EXPECT_TRUE(Cell("B1")->flags & kGXCircular);
  EXPECT_TRUE(S()->cycle);
  double a = Cell("A1")->value.number, b = Cell("B1")->value.number;
  GXSheetSetIterationCount(sheet_, 10);
  GXRecalc(sheet_);
  // 11 passes, each adding 2 to both.
  EXPECT_EQ(Cell("A1")->value.number, a + 22);
  EXPECT_EQ(Cell("B1")->value.number, b + 22);
}

TEST_F(EngineSheet, ConstraintsAreCountedWhenTheSlotIsArmed) {
  GXSheetSetComputeNow(sheet_, 1);
  GXSheetSetCheckConstraints(sheet_, 1);
  Num("A1", 0);
  Formula("B1", "=A1;A1>0");
  S()->messageArmed = 1;
  GXRecalc(sheet_);
  EXPECT_EQ(S()->message, "There is 1 constraint violation!");
  EXPECT_TRUE(Cell("B1")->flags & kGXViolated);
  Formula("B2", "=A1+1;A1>0");
  S()->messageArmed = 1;
  GXRecalc(sheet_);
  EXPECT_EQ(S()->message, "There are 2 constraint violations!");
  Num("A1", 1);
  S()->messageArmed = 1;
  Cell("B1")->flags &= ~kGXChanged;
  GXRecalc(sheet_);
  EXPECT_FALSE(Cell("B1")->flags & kGXViolated);
  EXPECT_TRUE(Cell("B1")->flags & kGXChanged);
  EXPECT_EQ(S()->messageArmed, 1);  // no violation, no message
}

TEST_F(EngineSheet, IteratingStopsAtAPassWithoutViolations) {
  GXSheetSetComputeNow(sheet_, 1);
  GXSheetSetBlankZero(sheet_, 1);
  GXSheetSetCheckConstraints(sheet_, 1);
  GXSheetSetIterationCount(sheet_, 50);
  Formula("A1", "=B1+1;1");
  Formula("B1", "=A1+1");
  S()->messageArmed = 1;
  GXRecalc(sheet_);
  double once = Cell("A1")->value.number;
  // First pass plus one iteration: a cycle without violations.
  GXRecalc(sheet_);
  EXPECT_EQ(Cell("A1")->value.number, once + 4);
}

TEST_F(EngineSheet, ConstraintReferencesMarkButDoNotForce) {
  GXSheetSetComputeNow(sheet_, 1);
  Num("A1", 1);
  Formula("C1", "=A1*2");
  Formula("B1", "=7;C1>0");
  GXRecalc(sheet_);
  uint32_t generation = Cell("B1")->generation;
  // C1 is recomputed (it reads A1) but B1 only reads it in its constraint.
  GX_REF a1;
  GXParseRef("A1", a1);
  GXAddChangedRange(sheet_, a1);
  GXRecalc(sheet_);
  EXPECT_EQ(Cell("B1")->generation, generation);
  // A recorded change of C1 itself marks B1 as affected.
  GX_REF c1;
  GXParseRef("C1", c1);
  GXAddChangedRange(sheet_, c1);
  GXRecalc(sheet_);
  EXPECT_EQ(Cell("B1")->generation, S()->generation);
}

TEST_F(EngineSheet, ExplicitDependenciesAndRelativeFormulas) {
  GXSheetSetComputeNow(sheet_, 1);
  Num("A1", 1);
  Formula("B1", "=5\\A1");
  EXPECT_EQ(Cell("B1")->Kind(), GX_KIND_FORMULA);
  GXRecalc(sheet_);
  uint32_t before = Cell("B1")->generation;
  GX_REF a1;
  GXParseRef("A1", a1);
  GXAddChangedRange(sheet_, a1);
  GXRecalc(sheet_);
  EXPECT_GT(Cell("B1")->generation, before);
  Num("D1", 3);
  Formula("D2", "=#{0,-1}");
  EXPECT_EQ(Cell("D2")->Kind(), GX_KIND_CONST_FORMULA);
  EXPECT_EQ(Describe(Cell("D2")), "3");
  Num("D1", 4);
  GXRecalc(sheet_);
  EXPECT_EQ(Describe(Cell("D2")), "3");  // computed once, when stored
}

TEST_F(EngineSheet, ChangedRangesAreKeptOnce) {
  GX_REF a, b;
  GXParseRef("A1..B2", a);
  GXParseRef("$A$1:B2", b);
  GXAddChangedRange(sheet_, a);
  GXAddChangedRange(sheet_, b);
  EXPECT_EQ(S()->pending.size(), 1u);
  GXClearChangedRanges(sheet_);
  EXPECT_TRUE(S()->pending.empty());
}

TEST_F(EngineSheet, LongChainsDoNotOverflowTheStack) {
  GXSheetSetComputeNow(sheet_, 1);
  constexpr int kLinks = 100000;
  GXCellSetNumber(sheet_, 1, 0, 1);
  for (int r = 2; r <= kLinks; ++r) {
    std::string f = "=A" + std::to_string(r - 1) + "+1";
    ASSERT_TRUE(GXCellSetFormula(sheet_, r, 0, f.c_str()));
  }
  GXRecalc(sheet_);
  EXPECT_EQ(GXCellFind(sheet_, kLinks, 0)->value.number, kLinks);
}

namespace {

// Cells as typed: numbers, texts or formulas over A1..E8.
class RandomSheet {
 public:
  explicit RandomSheet(unsigned seed) : rng_(seed) {}

  // Cells are numbered row by row; a formula reads only cells numbered below
  // its own, so that no cycle forms.
  static std::string AddressOf(int index) {
    return std::string(1, static_cast<char>('A' + index % 5)) + std::to_string(1 + index / 5);
  }
  std::string Address() {
    target_ = Pick(40);
    return AddressOf(target_);
  }
  std::string Reference() { return target_ ? AddressOf(Pick(target_)) : "1"; }

  std::string Operand(int depth) {
    switch (Pick(depth > 2 ? 3 : 6)) {
      case 0: return std::to_string(Pick(20));
      case 1: return Reference();
      case 2: return "\"t" + std::to_string(Pick(3)) + "\"";
      case 3: return "(" + Expression(depth + 1) + ")";
      case 4: return Operand(depth + 1) + "?" + Operand(depth + 1) + ":" + Operand(depth + 1);
      default: return "-" + Operand(depth + 1);
    }
  }

  std::string Expression(int depth) {
    static const char* const kOps[] = {"+", "-", "*", "/", "%", "&", "==", "<", "|", "&&", "**"};
    std::string e = Operand(depth);
    int n = Pick(3);
    for (int i = 0; i < n; ++i) e += std::string(kOps[Pick(11)]) + Operand(depth + 1);
    return e;
  }

  std::string Input() {
    switch (Pick(4)) {
      case 0: return "#" + std::to_string(Pick(100));
      case 1: return "'text" + std::to_string(Pick(3));
      default: return "=" + Expression(0);
    }
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

 private:
  std::mt19937 rng_;
  int target_ = 0;
};

int Store(int sheet, const std::string& address, const std::string& input) {
  GX_REF ref;
  GXParseRef(address.c_str(), ref);
  if (input[0] == '#') return GXCellSetNumber(sheet, ref.Row1(), ref.Col1(), std::stod(input.substr(1)));
  if (input[0] == '\'') return GXCellSetText(sheet, ref.Row1(), ref.Col1(), input.substr(1));
  return GXCellSetFormula(sheet, ref.Row1(), ref.Col1(), input.c_str());
}

}  // namespace

TEST(FormulaRecalcProperty, IncrementalEqualsFresh) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    RandomSheet gen(seed);
    int sheet = GXSheetCreate();
    bool computeNow = seed % 2;
    GXSheetSetComputeNow(sheet, computeNow);
    std::map<std::string, std::string> model;
    auto storeIt = [&](const std::string& a, const std::string& input) {
      if (Store(sheet, a, input)) model[a] = input;  // kept unless it did not compile
    };
    for (int i = 0; i < 25; ++i) {
      std::string a = gen.Address();
      storeIt(a, gen.Input());
    }
    GXRecalcForced(sheet);
    for (int edit = 0; edit < 30; ++edit) {
      std::string a = gen.Address();
      if (gen.Pick(5) == 0) {
        GX_REF ref;
        GXParseRef(a.c_str(), ref);
        GXCellRemove(sheet, GXCellFind(sheet, ref.Row1(), ref.Col1()));
        model.erase(a);
      } else {
        storeIt(a, gen.Input());
      }
      if (gen.Pick(2)) {
        GX_REF ref;
        GXParseRef(a.c_str(), ref);
        GXAddChangedRange(sheet, ref);
      }
      GXRecalc(sheet);
    }
    // The same cells stored into a new sheet and computed from scratch.
    int fresh = GXSheetCreate();
    GXSheetSetComputeNow(fresh, 1);
    for (const auto& [a, input] : model) Store(fresh, a, input);
    GXRecalcForced(fresh);
    ASSERT_EQ(GXSheetGet(fresh)->cycle, 0);
    for (const auto& [a, input] : model) {
      GX_REF ref;
      GXParseRef(a.c_str(), ref);
      GX_CELL* c1 = GXCellFind(sheet, ref.Row1(), ref.Col1());
      GX_CELL* c2 = GXCellFind(fresh, ref.Row1(), ref.Col1());
      ASSERT_TRUE(c1 && c2) << a;
      if (c1->Kind() == GX_KIND_FORMULA && !(c1->flags & kGXUpToDate)) GXCellUpdate(sheet, c1);
      EXPECT_EQ(EngineSheet::Describe(c1), EngineSheet::Describe(c2)) << "seed " << seed << " " << a << " " << input;
    }
    GXSheetDestroy(fresh);
    GXSheetDestroy(sheet);
  }
}
