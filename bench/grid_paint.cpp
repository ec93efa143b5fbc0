// A full repaint of a register-sized grid (15 columns x 25 visible rows)
// and a one-row scroll step with its repaint, in grids of 1,000 and
// 1,000,000 rows. The goals: a repaint under 4 ms, and a scroll step in
// the large grid within 1.2 times the small one's.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <memory>

#include "grid/core/GXGridCore.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"
#include "platform/testing/Automation.h"

namespace {

struct BenchGrid {
  explicit BenchGrid(ROWCOL rows) {
    automation::ResetWindows();
    GXInitLibrary();
    wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr);
    grid = std::make_unique<CGXGridCore>(&wnd);
    grid->Initialize();
    grid->GetParam()->GetData()->StoreRowCount(rows);
    grid->GetParam()->GetData()->StoreColCount(15);
    grid->SetColWidth(0, 15, 60, nullptr, 0);
    // Exactly the header row and 25 rows, the header column and 15 columns.
    width = 16 * 60;
    height = grid->GetRowHeight(0) + 25 * grid->GetDefaultRowHeight();
    wnd.MoveWindow(0, 0, width, height, FALSE);
    for (ROWCOL r = 1; r <= 30; ++r)
      for (ROWCOL c = 1; c <= 15; ++c) grid->SetValueRange(CGXRange(r, c), "1,234.56", 0, 0);
    surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    dc.Attach(CreateSurfaceDC(surface, 0, 0, RECT{0, 0, width, height}));
  }
  ~BenchGrid() {
    DeleteSurfaceDC(dc.Detach());
    cairo_surface_destroy(surface);
    grid.reset();
    wnd.DestroyWindow();
  }
  void Paint() {
    grid->OnDraw(&dc);
    FlushDC(dc.m_hDC);
  }
  CWnd wnd;
  std::unique_ptr<CGXGridCore> grid;
  int width = 0, height = 0;
  cairo_surface_t* surface = nullptr;
  CDC dc;
};

void BM_Repaint(benchmark::State& state) {
  BenchGrid g(static_cast<ROWCOL>(state.range(0)));
  for (auto _ : state) g.Paint();
}
BENCHMARK(BM_Repaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& state) {
  const ROWCOL rows = static_cast<ROWCOL>(state.range(0));
  BenchGrid g(rows);
  const ROWCOL start = rows / 2;
  // The rows scrolled through carry text like the first ones.
  g.grid->SetValueRange(CGXRange(start, 1, start + 126, 15), "1,234.56", 0, 0);
  g.grid->SetTopRow(start, 0);
  ROWCOL top = start;
  for (auto _ : state) {
    top = top + 1 < start + 100 ? top + 1 : start;
    g.grid->SetTopRow(top, 0);
    g.Paint();
  }
}
BENCHMARK(BM_ScrollStep)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
