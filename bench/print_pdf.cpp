// A 100-page text document printed to the PDF printer: 60 lines of report
// text a page in a fixed-pitch font, a rule under each heading, through
// StartDoc/StartPage/EndPage/EndDoc into a file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/gfx/Dc.h"
#include "platform/print/PrinterDc.h"

namespace {

void BM_Print100PagesToPdf(benchmark::State& state) {
  const std::string file = "/tmp/kestrova-bench-print-" + std::to_string(getpid()) + ".pdf";
  for (auto _ : state) {
    CDC dc;
    if (!dc.CreateDC(nullptr, "PDF file", file.c_str(), nullptr)) {
      state.SkipWithError("no PDF printer");
      break;
    }
    CFont font;
    font.CreateFont(-dc.GetDeviceCaps(LOGPIXELSY) / 7, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                    "Courier New");
    dc.SelectObject(&font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
    dc.StartDoc("Bench Report");
    for (int page = 1; page <= 100; ++page) {
      dc.StartPage();
      int y = 150;
      dc.TextOut(150, y, CString(("Transactions by account - page " + std::to_string(page)).c_str()));
      y += lineHeight;
      dc.MoveTo(150, y);
      dc.LineTo(2400, y);
      for (int line = 0; line < 60; ++line) {
        y += lineHeight;
        char text[128];
        std::snprintf(text, sizeof text, "%02d/%02d/2025  %-28s %6d   %10.2f", 1 + line % 12, 1 + line % 28,
                      "Camp fees collected", page * 100 + line, (page * 61 + line * 7) / 3.0);
        dc.TextOut(150, y, CString(text));
      }
      dc.EndPage();
    }
    dc.EndDoc();
  }
  std::remove(file.c_str());
}
BENCHMARK(BM_Print100PagesToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
