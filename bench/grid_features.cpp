// The grid features at the sizes the bookkeeping grids reach: undoing a
// paste of 10,000 cells, copying 100,000 cells as text, and a full repaint
// of a 1,000,000-row grid whose header cells are covered, beside the same
// grid without features. Goals: each under 100 ms; the repaint within 1.2
// times the featureless one's.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <memory>
#include <string>

#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXGridCore.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"
#include "platform/testing/Automation.h"

namespace {

struct BenchGrid {
  BenchGrid(ROWCOL rows, ROWCOL cols, bool features) {
    automation::ResetWindows();
    if (features) {
      GXInit(0x600, nullptr, nullptr);
    } else {
      GXInitLibrary();
    }
    wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr);
    grid = std::make_unique<CGXGridCore>(&wnd);
    grid->Initialize();
    grid->GetParam()->GetData()->StoreRowCount(rows);
    grid->GetParam()->GetData()->StoreColCount(cols);
  }
  ~BenchGrid() {
    grid.reset();
    wnd.DestroyWindow();
    GXInitLibrary();
  }
  CWnd wnd;
  std::unique_ptr<CGXGridCore> grid;
};

std::string Block(int rows, int cols) {
  std::string text;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (c > 0) text += '\t';
      text += std::to_string(r * cols + c) + ".25";
    }
    text += "\r\n";
  }
  return text;
}

void BM_UndoPaste10000Cells(benchmark::State& state) {
  BenchGrid g(200, 120, true);
  const std::string text = Block(100, 100);
  for (auto _ : state) {
    state.PauseTiming();
    g.grid->PasteTextFromBuffer(text.c_str(), CGXRange(1, 1));
    state.ResumeTiming();
    g.grid->Undo();
  }
}
BENCHMARK(BM_UndoPaste10000Cells)->Unit(benchmark::kMillisecond);

void BM_Copy100000CellsAsText(benchmark::State& state) {
  BenchGrid g(1000, 100, true);
  g.grid->PasteTextFromBuffer(Block(1000, 100).c_str(), CGXRange(1, 1));
  CGXRangeList ranges;
  ranges.AddTail(new CGXRange(1, 1, 1000, 100));
  for (auto _ : state) {
    CString text;
    g.grid->CopyTextToBuffer(text, ranges);
    benchmark::DoNotOptimize(text.GetLength());
  }
}
BENCHMARK(BM_Copy100000CellsAsText)->Unit(benchmark::kMillisecond);

// Arg 0: without features; 1: with every feature and covered header cells.
void BM_Repaint1000000Rows(benchmark::State& state) {
  const bool features = state.range(0) != 0;
  BenchGrid g(1000000, 15, features);
  g.grid->SetColWidth(0, 15, 60, nullptr, 0);
  const int width = 16 * 60;
  const int height = g.grid->GetRowHeight(0) + 25 * g.grid->GetDefaultRowHeight();
  g.wnd.MoveWindow(0, 0, width, height, FALSE);
  for (ROWCOL r = 1; r <= 30; ++r)
    for (ROWCOL c = 1; c <= 15; ++c) g.grid->SetValueRange(CGXRange(r, c), "1,234.56", 0, 0);
  if (features) {
    g.grid->SetCoveredCellsRowCol(0, 14, 0, 15, 0, 1);
    g.grid->SetCoveredCellsRowCol(0, 2, 0, 3, 0, 1);
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  CDC dc;
  dc.Attach(CreateSurfaceDC(surface, 0, 0, RECT{0, 0, width, height}));
  for (auto _ : state) {
    g.grid->OnDraw(&dc);
    FlushDC(dc.m_hDC);
  }
  DeleteSurfaceDC(dc.Detach());
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_Repaint1000000Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
