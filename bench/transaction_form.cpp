// Posting through the transaction form's save path on the fixture year:
// each posting fills the form (number, date, description, type, amount,
// support account), checks and saves it, refills the register list and
// loads a new transaction, as the Post button does. The table's free slots
// are filled (700 less the fixture's own transactions); the time per
// posting is the "per_posting" counter, beside the store's own posting
// benchmark (bench_store_open, BM_Post700Transactions).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "registers/TransDlg.h"
#include "res/resource.h"
#include "store/Fixture.h"
#include "store/KeyTable.h"
#include "store/Xfer.h"

namespace {

void Choose(HWND dlg, int id, const char* prefix) {
  HWND combo = GetDlgItem(dlg, id);
  const int index =
      static_cast<int>(SendMessage(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix)));
  SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void BM_FormPostsAYearOfTransactions(benchmark::State& state) {
  // Information boxes (the last free slot's notice) are acknowledged.
  automation::AlwaysAnswer("", "", IDOK);
  int posted = 0;
  for (auto _ : state) {
    automation::ResetWindows();
    automation::AlwaysAnswer("", "", IDOK);
    ResetXferDefaults();
    fixture::FiscalYear fy;
    const int room = TransTable.freeCount;
    double seconds = 0;
    automation::OnDialog("101 / ", [&](HWND h) {
      auto* form = static_cast<CTransDlg*>(CWnd::FromHandlePermanent(h));
      const auto start = std::chrono::steady_clock::now();
      for (int i = 0; i < room; ++i) {
        char number[16], date[16], payee[16];
        std::snprintf(number, sizeof number, "%d", 2000 + i);
        std::snprintf(date, sizeof date, "%02d/%02d/08", i % 12 + 1, i % 28 + 1);
        std::snprintf(payee, sizeof payee, "Payee %d", i % 37);
        SetWindowText(GetDlgItem(h, IDC_TRN_NUMBER), number);
        SetWindowText(GetDlgItem(h, IDC_TRN_DATE), date);
        SetWindowText(GetDlgItem(h, IDC_TRN_DESCR), payee);
        Choose(h, IDC_TRN_TYPE, i % 2 ? "Withdrawal" : "Deposit");
        SetWindowText(GetDlgItem(h, IDC_TRN_AMOUNT), "1.00");
        Choose(h, IDC_TRN_SUPPORT, i % 2 ? "620 /" : "520 /");
        if (form->PostTrans()) ++posted;
      }
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }, IDABORT);
    CTransDlg dlg;
    dlg.m_account = fixture::FiscalYear::Account(101);
    dlg.DoModal();
    state.SetIterationTime(seconds);
  }
  state.counters["postings"] = posted;
  state.counters["per_posting"] =
      benchmark::Counter(posted, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FormPostsAYearOfTransactions)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
