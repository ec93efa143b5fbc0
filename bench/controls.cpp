// The standard controls under load: typing 10,000 characters into an edit
// (each key through the queue, with its notifications and repaints), and
// filling a sorted list box with 10,000 items.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"

namespace {

constexpr int kCount = 10000;

HWND makeParent() {
  RegisterControlClasses();
  return CreateWindowEx(0, WC_STATIC, "Bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                        nullptr);
}

void BM_TypeIntoEdit(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    automation::ResetWindows();
    HWND parent = makeParent();
    HWND edit = CreateWindowEx(WS_EX_CLIENTEDGE, WC_EDIT, "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 300, 23,
                               parent, reinterpret_cast<HMENU>(100), nullptr, nullptr);
    SendMessage(edit, EM_LIMITTEXT, 0, 0);
    SetFocus(edit);
    automation::PumpUntilIdle();
    state.ResumeTiming();
    // Keys in batches, as a fast typist's keys queue up between repaints.
    for (int i = 0; i < kCount; i += 100) {
      std::string chunk;
      for (int k = 0; k < 100; ++k) chunk += static_cast<char>('a' + (i + k) % 26);
      automation::TypeText(chunk);
      automation::PumpUntilIdle();
    }
    state.PauseTiming();
    if (GetWindowTextLength(edit) != kCount) state.SkipWithError("not every key arrived");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_TypeIntoEdit)->Unit(benchmark::kMillisecond);

void BM_FillSortedListBox(benchmark::State& state) {
  char text[32];
  for (auto _ : state) {
    state.PauseTiming();
    automation::ResetWindows();
    HWND parent = makeParent();
    HWND list = CreateWindowEx(WS_EX_CLIENTEDGE, WC_LISTBOX, "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_SORT | LBS_NOTIFY, 10, 10, 200, 250, parent,
                               reinterpret_cast<HMENU>(100), nullptr, nullptr);
    automation::PumpUntilIdle();
    state.ResumeTiming();
    SendMessage(list, LB_INITSTORAGE, kCount, kCount * 16);
    for (int i = 0; i < kCount; ++i) {
      // Keys in a scattered order, so that insertion lands all over the list.
      std::snprintf(text, sizeof text, "Account %05d", (i * 7919) % kCount);
      SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    automation::PumpUntilIdle();
    state.PauseTiming();
    if (SendMessage(list, LB_GETCOUNT, 0, 0) != kCount) state.SkipWithError("items missing");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_FillSortedListBox)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
