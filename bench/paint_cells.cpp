// Time to paint one 1000 x 700 frame full of grid-like text cells: each
// cell filled, framed and given a line of text, as a grid repaints.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdio>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"

namespace {

constexpr int kWidth = 1000, kHeight = 700;
constexpr int kCellWidth = 80, kCellHeight = 20;

void PaintFrame(CDC& dc, CFont& font, CBrush& grid, int frame) {
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  char text[32];
  for (int y = 0; y < kHeight; y += kCellHeight) {
    for (int x = 0; x < kWidth; x += kCellWidth) {
      CRect cell(x, y, x + kCellWidth, y + kCellHeight);
      const bool header = y == 0 || x == 0;
      dc.FillSolidRect(&cell, header ? RGB(192, 192, 192) : RGB(255, 255, 255));
      dc.FrameRect(&cell, &grid);
      std::snprintf(text, sizeof text, "%d,%03d.%02d", (x + frame) % 97, y % 1000, (x * y) % 100);
      CRect inside = cell;
      inside.DeflateRect(2, 1);
      dc.SetTextColor(header ? RGB(0, 0, 0) : RGB(0, 0, 128));
      dc.DrawText(text, -1, &inside, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  dc.SelectObject(old);
}

void BM_PaintCells(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
  CDC dc;
  dc.Attach(CreateSurfaceDC(surface, 0, 0, RECT{0, 0, kWidth, kHeight}));
  CFont font;
  font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  CBrush grid(RGB(160, 160, 160));
  int frame = 0;
  for (auto _ : state) {
    PaintFrame(dc, font, grid, frame++);
    FlushDC(dc.m_hDC);
  }
  state.counters["cells/frame"] = (kWidth / kCellWidth + 1) * (kHeight / kCellHeight);
  DeleteSurfaceDC(dc.Detach());
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_PaintCells)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
