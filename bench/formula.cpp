// The formula engine: recalculating a 100,000-cell sheet that holds a
// 10,000-link chain, and compiling 100,000 formulas.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "grid/formula/GXEngine.h"
#include "grid/formula/GXParser.h"
#include "grid/formula/GXRecalc.h"

namespace {

// 90,000 numbers in columns B..J and a 10,000-link chain in column A.
int MakeSheet() {
  int sheet = GXSheetCreate();
  GXSheetSetComputeNow(sheet, 1);
  for (int r = 1; r <= 10000; ++r)
    for (int c = 1; c <= 9; ++c) GXCellSetNumber(sheet, r, c, r + c);
  GXCellSetFormula(sheet, 1, 0, "=B1+1");
  for (int r = 2; r <= 10000; ++r) {
    std::string f = "=A" + std::to_string(r - 1) + "+B" + std::to_string(r);
    GXCellSetFormula(sheet, r, 0, f.c_str());
  }
  return sheet;
}

void BM_RecalcChain(benchmark::State& state) {
  int sheet = MakeSheet();
  double v = 0;
  for (auto _ : state) {
    GXCellSetNumber(sheet, 1, 1, ++v);  // the chain's first precedent
    GXRecalc(sheet);
  }
  benchmark::DoNotOptimize(GXCellFind(sheet, 10000, 0)->value.number);
  GXSheetDestroy(sheet);
}
BENCHMARK(BM_RecalcChain)->Unit(benchmark::kMillisecond);

void BM_RecalcChainChangedRange(benchmark::State& state) {
  int sheet = MakeSheet();
  GX_REF b1;
  GXParseRef("B1", b1);
  double v = 0;
  for (auto _ : state) {
    GXCellSetNumber(sheet, 1, 1, ++v);
    GXAddChangedRange(sheet, b1);
    GXRecalc(sheet);
  }
  GXSheetDestroy(sheet);
}
BENCHMARK(BM_RecalcChainChangedRange)->Unit(benchmark::kMillisecond);

void BM_Parse100k(benchmark::State& state) {
  int sheet = GXSheetCreate();
  std::vector<std::string> texts;
  for (int i = 0; i < 100000; ++i)
    texts.push_back("=A" + std::to_string(i % 5000 + 1) + "*(B" + std::to_string(i % 700 + 1) + "+" +
                    std::to_string(i) + ")/2");
  for (auto _ : state) {
    GX_CODE code;
    for (const std::string& t : texts) benchmark::DoNotOptimize(GXCompile(sheet, t.c_str(), &code));
  }
  GXSheetDestroy(sheet);
}
BENCHMARK(BM_Parse100k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
