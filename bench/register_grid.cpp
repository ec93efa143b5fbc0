// The account register grid on the fixture year: posting a year of
// transactions by typing rows into the grid, beside posting the same
// transactions through the store alone; opening the register of an account
// with 700 transactions; and repainting that register in full.
//
// The commits (fsyncs) are no-ops, so that the figures are the CPU of the
// work itself. Counters: "grid_us_qN" and "store_us_qN" the CPU per posting
// by quarter of the year's room (q4 at capacity); "open_ms" and
// "repaint_ms" for the 700-transaction register. Goal: every posting and
// the opening under "goal_ms" (a person never waits for them).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "grid/cells/GXControlFactory.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/TransGDlg.h"
#include "registers/TransGrid.h"
#include "res/resource.h"
#include "store/AcctClass.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/Xfer.h"

namespace {

double CpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The i-th posting's texts.
struct Posting {
  char number[16], stored[16], payee[16];
  bool withdrawal;
  explicit Posting(int i) {
    std::snprintf(number, sizeof number, "%d", 2000 + i);
    std::snprintf(stored, sizeof stored, "2008%02d%02d", i % 12 + 1, i % 28 + 1);
    std::snprintf(payee, sizeof payee, "Payee %d", i % 37);
    withdrawal = i % 2 != 0;
  }
  // The keys of the row: Num, Description, Withdrawal or Deposit, Suppt.
  std::string Keys() const {
    return std::string(number) + "\t" + payee + (withdrawal ? "\t1.00\t\t\t" : "\t\t1.00\t\t") +
           (withdrawal ? "620" : "520") + "\t";
  }
};

struct Quarters {
  double seconds[4] = {};
  int count[4] = {};
  void Add(int i, int room, double s) {
    const int q = std::min(3, i * 4 / std::max(room, 1));
    seconds[q] += s;
    ++count[q];
  }
  double Micros(int q) const { return count[q] ? seconds[q] * 1e6 / count[q] : 0; }
};

void Press(HWND dlg, int id) {
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
  automation::PumpUntilIdle();
}

// Types the room's transactions into the register of 101, a row each,
// saved with Save; the next row follows by itself.
Quarters ThroughTheGrid() {
  Quarters q;
  automation::ResetWindows();
  automation::AlwaysAnswer("", "", IDOK);
  ResetXferDefaults();
  GXInitLibrary(new CGXControlFactory);
  fixture::FiscalYear fy;
  SetRecordCommitHook([](FILE*) { return true; });
  const int room = TransTable.freeCount;
  automation::OnDialog("Account Register", [&](HWND h) {
    Press(h, IDC_TRG_INSERT);
    for (int i = 0; i < room; ++i) {
      const Posting p(i);
      const double start = CpuSeconds();
      automation::TypeText(p.Keys());
      automation::PumpUntilIdle();
      Press(h, IDC_TRG_SAVE);
      q.Add(i, room, CpuSeconds() - start);
    }
    Press(h, IDCANCEL);
  }, IDABORT);
  CTransGDlg dlg;
  dlg.m_account = fixture::FiscalYear::Account(101);
  dlg.DoModal();
  if (TransTable.freeCount != 0) std::fprintf(stderr, "register_grid: %d postings missing\n", TransTable.freeCount);
  SetRecordCommitHook(nullptr);
  automation::ClearResponder();
  return q;
}

// Posts the same transactions through the store's save function alone.
void PostThroughTheStore(Quarters* q) {
  const int room = TransTable.freeCount;
  auto d = std::make_unique<TransactionDetail>();
  for (int i = 0; i < room; ++i) {
    const Posting p(i);
    const double start = CpuSeconds();
    ResetTransactionDetail(d->lines, d->splits, d->shares);
    TransactionRecord& t = fixture::StartTransaction(*d, NextTransId, i % 12, p.stored, p.withdrawal ? -1 : 1, 100,
                                                     p.number, p.payee);
    d->lines[0].account = p.withdrawal ? 620 : 520;
    d->lines[0].amount = 100;
    d->lines[0].factor = static_cast<LONG>(SignedAmountByType('A', t.factor, d->lines[0].account));
    XferTransaction(1, 101, -1, 0, &t, d->lines, d->splits, d->shares);
    if (q != nullptr) q->Add(i, room, CpuSeconds() - start);
  }
}

void BM_RegisterGridPostsAYearOfTransactions(benchmark::State& state) {
  Quarters grid, store;
  for (auto _ : state) {
    grid = ThroughTheGrid();
    automation::AlwaysAnswer("", "", IDOK);
    ResetXferDefaults();
    fixture::FiscalYear fy;
    SetRecordCommitHook([](FILE*) { return true; });
    PostThroughTheStore(&store);
    SetRecordCommitHook(nullptr);
    automation::ClearResponder();
  }
  for (int q = 0; q < 4; ++q) {
    const std::string n = std::to_string(q + 1);
    state.counters["grid_us_q" + n] = grid.Micros(q);
    state.counters["store_us_q" + n] = store.Micros(q);
  }
  state.counters["goal_ms"] = 50;
}
BENCHMARK(BM_RegisterGridPostsAYearOfTransactions)->Unit(benchmark::kMillisecond)->Iterations(1);

// Opening the register of 101 once the year holds 700 transactions, and
// repainting the whole grid of it.
void BM_RegisterGridOpensAndRepaintsA700TransactionRegister(benchmark::State& state) {
  automation::ResetWindows();
  automation::AlwaysAnswer("", "", IDOK);
  ResetXferDefaults();
  GXInitLibrary(new CGXControlFactory);
  fixture::FiscalYear fy;
  SetRecordCommitHook([](FILE*) { return true; });
  PostThroughTheStore(nullptr);
  SetRecordCommitHook(nullptr);
  double open = 0, repaint = 0;
  int rows = 0, runs = 0;
  for (auto _ : state) {
    const double start = CpuSeconds();
    CTransGDlg dlg;
    dlg.m_account = fixture::FiscalYear::Account(101);
    dlg.Create(IDD_TRANSGRID);
    dlg.ShowWindow(SW_SHOW);
    automation::PumpUntilIdle();
    const double opened = CpuSeconds();
    CTransGrid& grid = dlg.Grid();
    grid.Invalidate(TRUE);
    grid.UpdateWindow();
    const double painted = CpuSeconds();
    open += opened - start;
    repaint += painted - opened;
    rows = static_cast<int>(grid.GetRowCount());
    ++runs;
    dlg.DestroyWindow();
    automation::PumpUntilIdle();
  }
  automation::ClearResponder();
  state.counters["rows"] = rows;
  state.counters["open_ms"] = runs ? open * 1e3 / runs : 0;
  state.counters["repaint_ms"] = runs ? repaint * 1e3 / runs : 0;
  state.counters["goal_ms"] = 50;
}
BENCHMARK(BM_RegisterGridOpensAndRepaintsA700TransactionRegister)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
