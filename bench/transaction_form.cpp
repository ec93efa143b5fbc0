// Posting through the transaction form's save path on the fixture year,
// beside posting the same transactions through the store alone: each
// form posting fills the form (number, date, description, type, amount,
// support account), checks and saves it, brings the register list up to
// date and loads a new transaction, as the Post button does. The table's
// free slots are filled (700 less the fixture's own transactions).
//
// The commits (fsyncs) are no-ops in both runs, the record store's and the
// settings' the form remembers its choices in, so that the figures are the
// CPU of the work itself. Counters, by quarter of the year's room filled
// (q1 the first quarter ... q4 the last, at capacity): "form_us_qN" and
// "store_us_qN" the CPU per posting, "overhead_us_qN" the form's cost over
// the store's (goal: under "goal_overhead_us" at capacity, and flat).
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/Settings.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/TransDlg.h"
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

void Choose(HWND dlg, int id, const char* prefix) {
  HWND combo = GetDlgItem(dlg, id);
  const int index =
      static_cast<int>(SendMessage(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix)));
  SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// The i-th posting's texts.
struct Posting {
  char number[16], date[16], stored[16], payee[16];
  bool withdrawal;
  explicit Posting(int i) {
    std::snprintf(number, sizeof number, "%d", 2000 + i);
    std::snprintf(date, sizeof date, "%02d/%02d/08", i % 12 + 1, i % 28 + 1);
    std::snprintf(stored, sizeof stored, "2008%02d%02d", i % 12 + 1, i % 28 + 1);
    std::snprintf(payee, sizeof payee, "Payee %d", i % 37);
    withdrawal = i % 2 != 0;
  }
};

// CPU seconds of each posting, in four quarters of the room.
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

// Posts the room's transactions through the form.
Quarters ThroughTheForm() {
  Quarters q;
  automation::ResetWindows();
  automation::AlwaysAnswer("", "", IDOK);
  ResetXferDefaults();
  fixture::FiscalYear fy;
  SetRecordCommitHook([](FILE*) { return true; });
  SetSettingsCommitHook([](int) { return true; });
  const int room = TransTable.freeCount;
  automation::OnDialog("101 / ", [&](HWND h) {
    auto* form = static_cast<CTransDlg*>(CWnd::FromHandlePermanent(h));
    for (int i = 0; i < room; ++i) {
      const Posting p(i);
      const double start = CpuSeconds();
      SetWindowText(GetDlgItem(h, IDC_TRN_NUMBER), p.number);
      SetWindowText(GetDlgItem(h, IDC_TRN_DATE), p.date);
      SetWindowText(GetDlgItem(h, IDC_TRN_DESCR), p.payee);
      Choose(h, IDC_TRN_TYPE, p.withdrawal ? "Withdrawal" : "Deposit");
      SetWindowText(GetDlgItem(h, IDC_TRN_AMOUNT), "1.00");
      Choose(h, IDC_TRN_SUPPORT, p.withdrawal ? "620 /" : "520 /");
      form->PostTrans();
      q.Add(i, room, CpuSeconds() - start);
    }
  }, IDABORT);
  CTransDlg dlg;
  dlg.m_account = fixture::FiscalYear::Account(101);
  dlg.DoModal();
  SetRecordCommitHook(nullptr);
  SetSettingsCommitHook(nullptr);
  automation::ClearResponder();
  return q;
}

// Posts the same transactions through the store's save function alone.
Quarters ThroughTheStore() {
  Quarters q;
  automation::AlwaysAnswer("", "", IDOK);
  ResetXferDefaults();
  fixture::FiscalYear fy;
  SetRecordCommitHook([](FILE*) { return true; });
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
    q.Add(i, room, CpuSeconds() - start);
  }
  SetRecordCommitHook(nullptr);
  automation::ClearResponder();
  return q;
}

void BM_FormPostsAYearOfTransactions(benchmark::State& state) {
  Quarters form, store;
  for (auto _ : state) {
    form = ThroughTheForm();
    store = ThroughTheStore();
  }
  for (int q = 0; q < 4; ++q) {
    const std::string n = std::to_string(q + 1);
    state.counters["form_us_q" + n] = form.Micros(q);
    state.counters["store_us_q" + n] = store.Micros(q);
    state.counters["overhead_us_q" + n] = form.Micros(q) - store.Micros(q);
  }
  state.counters["goal_overhead_us"] = 1000;
}
BENCHMARK(BM_FormPostsAYearOfTransactions)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
