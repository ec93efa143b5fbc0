// The report list under load: 10,000 rows of three columns inserted (with
// their sub-item texts) and shown, then scrolled from the top to the end a
// page at a time by the Page Down key, each page painted.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"
#include "platform/window/CommCtrlDefs.h"

namespace {

constexpr int kRows = 10000;

HWND makeList() {
  automation::ResetWindows();
  RegisterControlClasses();
  HWND parent = CreateWindowEx(0, WC_STATIC, "Bench", WS_POPUP | WS_VISIBLE, 0, 0, 500, 400, nullptr, nullptr,
                               nullptr, nullptr);
  HWND list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 10, 460, 360,
                             parent, reinterpret_cast<HMENU>(100), nullptr, nullptr);
  SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const char* heads[] = {"Date", "Key", "Amount"};
  const int widths[] = {120, 0, 140};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMN col;
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.pszText = const_cast<char*>(heads[c]);
    col.cx = widths[c];
    col.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  automation::PumpUntilIdle();
  return list;
}

void fill(HWND list) {
  for (int i = 0; i < kRows; ++i) {
    std::string date = std::to_string(i % 12 + 1) + "/" + std::to_string(i % 28 + 1) + "/26";
    std::string amount = std::to_string(i * 7 % 100000) + ".00";
    LVITEM it;
    it.mask = LVIF_TEXT | LVIF_PARAM;
    it.iItem = i;
    it.pszText = date.data();
    it.lParam = i;
    SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&it));
    it.iSubItem = 2;
    it.pszText = amount.data();
    SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
  }
}

void BM_FillListView(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    HWND list = makeList();
    state.ResumeTiming();
    fill(list);
    automation::PumpUntilIdle();
    state.PauseTiming();
    if (SendMessage(list, LVM_GETITEMCOUNT, 0, 0) != kRows) state.SkipWithError("rows missing");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FillListView)->Unit(benchmark::kMillisecond);

void BM_ScrollListViewByPages(benchmark::State& state) {
  HWND list = makeList();
  fill(list);
  SetFocus(list);
  automation::PumpUntilIdle();
  int pages = 0;
  for (auto _ : state) {
    automation::PressKey(VK_HOME);
    automation::PumpUntilIdle();
    while (SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) < kRows - 1) {
      automation::PressKey(VK_NEXT);
      automation::PumpUntilIdle();
      ++pages;
    }
  }
  state.SetItemsProcessed(pages);
  state.counters["pages"] = benchmark::Counter(pages, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScrollListViewByPages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
