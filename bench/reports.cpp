// The report engine on a 100-page report: building it (pages per second),
// printing it to a PDF file, saving it as plain text, and building one
// preview page image (the work of a page switch).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"
#include "common/TempFolder.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/testing/Automation.h"
#include "reports/RptDriver.h"
#include "reports/RptFonts.h"
#include "reports/RptPaging.h"
#include "reports/RptPreviewSource.h"
#include "reports/RptRender.h"

namespace {

constexpr int kPages = 100;

struct Home {
  Home() {
    char tmpl[] = "/tmp/kestrova-bench-rpt-XXXXXX";
    path = ::mkdtemp(tmpl);
    std::snprintf(TempFolder, sizeof TempFolder, "%s", path.c_str());
    std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", path.c_str());
    std::snprintf(TodayDate, sizeof TodayDate, "20261211");
    automation::AlwaysAnswer("", "", 1);
  }
  ~Home() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};
Home& TheHome() {
  static Home home;
  return home;
}

// A builder's work: headings, then numbered rows with amounts, each group
// of lines asking for room.
RptContext* Build() {
  TheHome();
  RptContext* c = nullptr;
  InitRpt(&c);
  c->reportId = 18;
  PrepareRptBuild(c);
  SetRptTitle(c, "Account Register", 1);
  SetRptSubtitle(c, "Fiscal Year 2026");
  SetRptColumnHeaders(c, {"{8-}Date{2} {6-}Num{2} {30-}Payee{2} {12r-}Amount{2} {12r-}Balance"});
  OpenRpt(c);
  WriteRptBlock(c, RPT_BLOCK_TITLE);
  WriteRptBlock(c, RPT_BLOCK_HEADERS);
  for (int i = 0; c->pageCount <= kPages; ++i) {
    char line[256];
    std::snprintf(line, sizeof line, "{8}%02d/%02d/26{2} {6}%d{2} {30}Camp fees collected %d{2} {12r}%d.%02d {2} {12r}%d.%02d ",
                  1 + i % 12, 1 + i % 28, 1000 + i, i, i * 3, i % 100, i * 11, i % 100);
    NeedRptLines(c, 1);
    WriteRptText(c, line);
    if (c->pageCount == kPages && RptPageFull(c, 1)) break;
  }
  CloseRpt(c);
  return c;
}

void BM_Build100Pages(benchmark::State& state) {
  for (auto _ : state) {
    RptContext* c = Build();
    FreeRpt(&c);
  }
  state.counters["pages/s"] = benchmark::Counter(kPages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_Build100Pages)->Unit(benchmark::kMillisecond);

void BM_Print100PagesToPdf(benchmark::State& state) {
  RptContext* c = Build();
  const std::string pdf = TheHome().path + "/report.pdf";
  for (auto _ : state) {
    CDC dc;
    dc.CreateDC(nullptr, "PDF file", pdf.c_str(), nullptr);
    std::snprintf(c->saveAsName, sizeof c->saveAsName, "%s", pdf.c_str());
    if (!PrintRpt(c, &dc, RptPrintRange{})) state.SkipWithError("printing failed");
    dc.DeleteDC();
  }
  state.counters["pages/s"] = benchmark::Counter(kPages, benchmark::Counter::kIsIterationInvariantRate);
  FreeRpt(&c);
}
BENCHMARK(BM_Print100PagesToPdf)->Unit(benchmark::kMillisecond);

void BM_Export100PagesAsText(benchmark::State& state) {
  RptContext* c = Build();
  std::snprintf(c->saveAsName, sizeof c->saveAsName, "%s/report.txt", TheHome().path.c_str());
  for (auto _ : state)
    if (!ExportRptText(c)) state.SkipWithError("export failed");
  state.counters["pages/s"] = benchmark::Counter(kPages, benchmark::Counter::kIsIterationInvariantRate);
  FreeRpt(&c);
}
BENCHMARK(BM_Export100PagesAsText)->Unit(benchmark::kMillisecond);

// One page image at 100% zoom (96 pixels per inch), as the preview renders
// the page that scrolls into its cache.
void BM_PreviewPageImage(benchmark::State& state) {
  RptContext* c = Build();
  const int ppi = 96;
  CreateRptFonts(c, ppi);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.CreateBitmap(static_cast<int>(9 * ppi), static_cast<int>(11.3 * ppi), 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  CRptPreviewSource source(c, 8.5f, 11.0f);
  int page = 0;
  for (auto _ : state) {
    dc.FillSolidRect(0, 0, 9 * ppi, static_cast<int>(11.3 * ppi), RGB(128, 128, 128));
    dc.FillSolidRect(24, 12, static_cast<int>(8.5 * ppi), 11 * ppi, RGB(255, 255, 255));
    source.DrawPage(&dc, page, 24, 12, ppi);
    page = (page + 1) % kPages;
  }
  dc.SelectObject(old);
  FreeRpt(&c);
}
BENCHMARK(BM_PreviewPageImage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
