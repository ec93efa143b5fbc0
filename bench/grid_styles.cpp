// Grid library costs: composing the style of every cell of a 1,000 x 20
// range with row, column and base styles (time per cell), and drawing 455
// cells of text (a register's 35 rows of 13 columns) into an image surface.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdio>

#include "grid/core/GXDrawing.h"
#include "grid/core/GXGridCore.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"

namespace {

constexpr ROWCOL kRows = 1000, kCols = 20;

void BM_ComposeCells(benchmark::State& state) {
  GXInitLibrary();
  CGXGridCore grid;
  grid.Initialize();
  CGXData* data = grid.GetParam()->GetData();
  data->StoreRowCount(kRows);
  data->StoreColCount(kCols);
  CGXStylesMap* map = grid.GetParam()->GetStylesMap();
  CGXStyle amount;
  amount.SetHorizontalAlignment(DT_RIGHT).SetFont(CGXFont().SetFaceName("Courier New"));
  const WORD amountId = map->RegisterStyleByName("Amount", amount, FALSE);
  for (ROWCOL c = 1; c <= kCols; ++c) {
    CGXStyle col;
    if (c % 3 == 0) col.SetBaseStyle(amountId);
    col.SetMaxLength(static_cast<WORD>(c));
    data->StoreStyleRowCol(0, c, &col, 0, -1);
  }
  for (ROWCOL r = 1; r <= kRows; ++r) {
    CGXStyle row;
    if (r % 2 == 0) row.SetInteriorColor(RGB(240, 240, 255));
    row.SetReadOnly(r % 7 == 0);
    data->StoreStyleRowCol(r, 0, &row, 0, -1);
    for (ROWCOL c = 1; c <= kCols; c += 2) {
      char text[32];
      std::snprintf(text, sizeof text, "%u.%02u", static_cast<unsigned>(r * c), static_cast<unsigned>(c));
      CGXStyle cell(text);
      data->StoreStyleRowCol(r, c, &cell, 0, 0);
    }
  }
  CGXStyle s;
  for (auto _ : state) {
    for (ROWCOL r = 1; r <= kRows; ++r) {
      for (ROWCOL c = 1; c <= kCols; ++c) {
        s.Free();
        grid.ComposeStyleRowCol(r, c, s, TRUE);
        benchmark::DoNotOptimize(s.GetValue().GetLength());
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kRows * kCols);
  state.counters["ns/cell"] = benchmark::Counter(static_cast<double>(state.iterations() * kRows * kCols),
                                                 benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                 benchmark::Counter::kIs1000);
}
BENCHMARK(BM_ComposeCells)->Unit(benchmark::kMillisecond);

void BM_DrawCellText(benchmark::State& state) {
  constexpr int kCellW = 70, kCellH = 18, kColsDrawn = 13, kRowsDrawn = 35;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kCellW * kColsDrawn, kCellH * kRowsDrawn);
  CDC dc;
  dc.Attach(CreateSurfaceDC(surface, 0, 0, RECT{0, 0, kCellW * kColsDrawn, kCellH * kRowsDrawn}));
  CFont font;
  font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  CGXDrawingAndFormatting* draw = GXGetDrawingAndFormatting();
  char text[32];
  for (auto _ : state) {
    for (int r = 0; r < kRowsDrawn; ++r) {
      for (int c = 0; c < kColsDrawn; ++c) {
        std::snprintf(text, sizeof text, c % 2 ? "%d.%02d" : "Payee %d", r * 37 + c, c);
        const int x = c * kCellW, y = r * kCellH;
        draw->DrawTextWithMarks(&dc, text, -1, x + 2, y + 1, x + kCellW - 3, y + kCellH - 2,
                                (c % 2 ? DT_RIGHT : DT_LEFT) | DT_SINGLELINE, nullptr, c % 2 ? 2 : 1);
      }
    }
    FlushDC(dc.m_hDC);
  }
  state.counters["cells/frame"] = kRowsDrawn * kColsDrawn;
  dc.SelectObject(old);
  DeleteSurfaceDC(dc.Detach());
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_DrawCellText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
