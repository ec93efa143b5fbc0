// Opening a fiscal year filled to a quarter, half and every capacity,
// beside reading the same files' bytes (the open's goal,
// "goal_open_per_read", is within 5 times that); posting 700
// transactions into an empty year; and posting into a year at capacity,
// with the CPU per posting apart from the commits, and the commits (fsyncs)
// per posting with their time.
//
// The capacity generator writes the record files directly: 100 accounts
// with budgets, 400 equipment items, 200 friends, 325 members, 50
// schedules, 700 transactions with 1400 support lines, 699 splits and 8375
// sub-accounts.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchYear.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"
#include "platform/testing/Automation.h"
#include "store/AcctClass.h"
#include "store/AccountStore.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

namespace {

const char* const kStems[] = {"acct", "budge", "equip", "fos", "scout", "split", "subac",
                              "suppt", "trans", "sched", "part", "resrv"};

struct Year : BenchYear {
  Year() : BenchYear("002008") {
    std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
    for (const char* s : kStems) Write(s, {});
  }
  int Open(int allocate) const {
    CloseDataFiles();
    return OpenDatabase(folder.c_str(), "08", allocate);
  }
};

// Every table at its capacity; `transactions` below 700 leaves room for
// postings, `splitRoom` for as many splits of 12 shares each. Years with
// another `salt` hold other names, numbers and dates. With `percent` below
// 100 every table holds that share of its capacity (a year part-way).
void FillToCapacity(const Year& y, int transactions = 700, int salt = 0, int splitRoom = 0, int percent = 100) {
  auto part = [percent](int count) { return std::max(1, count * percent / 100); };
  transactions = part(transactions);
  const int accounts[] = {1, 101, 201, 399, 401, 599, 900};
  y.Fill<AccountRecord>("acct", std::max(7, part(100)), [&](int i) {
    AccountRecord a;
    a.number = i < 7 ? accounts[i] : 500 + i;
    std::snprintf(a.name, sizeof a.name, "Account %d", (i * 7 + salt) % 100);
    a.budgetRow = i;
    return a;
  });
  y.Fill<BudgetRecord>("budge", part(100), [](int i) {
    BudgetRecord b;
    b.number = 500 + i;
    return b;
  });
  y.Fill<EquipmentRecord>("equip", part(400), [salt](int i) {
    EquipmentRecord e;
    std::snprintf(e.inventoryId, sizeof e.inventoryId, "%d", (400 - i) & 1023);
    std::snprintf(e.description, sizeof e.description, "Item %d", (i * 37 + salt) % 400);
    std::snprintf(e.purchaseDate, sizeof e.purchaseDate, "2008%02d%02d", (i % 12 + 1) & 15, (i % 28 + 1) & 31);
    return e;
  });
  y.Fill<FriendRecord>("fos", part(200), [salt](int i) {
    FriendRecord f;
    std::snprintf(f.lastName, sizeof f.lastName, "Friend%d", (i * 13 + salt) % 200);
    f.total = i * 100;
    return f;
  });
  y.Fill<MemberRecord>("scout", part(325), [salt](int i) {
    MemberRow m;
    std::memset(&m, 0, sizeof m);
    m.type = i < 25 ? 2 : (i < 100 ? 1 : 0);
    std::snprintf(m.lastName, sizeof m.lastName, "Member%d", (i * 7 + salt) % 325);
    std::snprintf(m.subunit, sizeof m.subunit, "Unit%d", i % 25);
    m.passbook = 1;
    MemberRecord r;
    ConvertMemberRecord(&m, 0, 0, &r, 0);
    return r;
  });
  y.Fill<ScheduleRecord>("sched", part(50), [salt](int i) {
    ScheduleRecord s;
    s.account = 599;
    std::snprintf(s.name, sizeof s.name, "Schedule %d", (50 - i + salt) % 50);
    return s;
  });
  y.Fill<TransactionRecord>("trans", transactions, [salt](int i) {
    TransactionRecord t;
    t.id = i + 1;
    t.account = 101;
    std::snprintf(t.number, sizeof t.number, "%d", 1000 + (i * 7 + salt) % 700);
    std::snprintf(t.payee, sizeof t.payee, "Payee %d", (i * 11 + salt) % 97);
    std::snprintf(t.date, sizeof t.date, "2008%02d%02d", (i % 12 + 1) & 15, (i % 28 + 1) & 31);
    t.amount = 100;
    return t;
  });
  y.Fill<SupportLineRecord>("suppt", 2 * transactions, [](int i) {
    SupportLineRecord l;
    l.id = i / 2 + 1;
    l.line = i % 2;
    l.account = 520;
    l.amount = 50;
    l.factor = 1;
    return l;
  });
  const int splits = std::min(part(699) - splitRoom, 2 * transactions);
  y.Fill<SplitRecord>("split", splits, [](int i) {
    SplitRecord s;
    s.lineKey = LineKey(i / 2 + 1, i % 2);
    return s;
  });
  y.Fill<SubAccountRecord>("subac", part(8375) - 12 * splitRoom, [splits](int i) {
    SubAccountRecord s;
    s.lineKey = LineKey((i % splits) / 2 + 1, (i % splits) % 2);
    s.memberRow = i % 325;
    s.cash = 1;
    return s;
  });
}

// Reads every file of the year whole, as a plain copy would.
size_t ReadYearBytes(const Year& y, std::vector<char>& buf) {
  size_t total = 0;
  for (const char* s : kStems) {
    FILE* f = std::fopen(y.Path(s).c_str(), "rb");
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) total += n;
    std::fclose(f);
  }
  return total;
}

double CpuSeconds();

// Two years with other contents are opened in turn, so that no open finds
// the tables of the one before it. "open_per_read" is the CPU time of an
// open over that of reading the year's bytes; the argument is how full the
// year is, in percent of every capacity (a quarter, half and full), so that
// the ratio shows whether opening grows faster than the year.
void BM_OpenYear(benchmark::State& state) {
  const int percent = static_cast<int>(state.range(0));
  Year a, b;
  FillToCapacity(a, 700, 0, 0, percent);
  FillToCapacity(b, 700, 1, 0, percent);
  SetCapacities();
  if (!a.Open(1)) state.SkipWithError("open failed");
  std::vector<char> buf(1 << 20);
  constexpr int kReads = 200;
  double start = CpuSeconds();
  for (int i = 0; i < kReads; ++i) benchmark::DoNotOptimize(ReadYearBytes(a, buf));
  const double read = (CpuSeconds() - start) / kReads;
  bool first = false;
  double open = 0;
  long opens = 0;
  for (auto _ : state) {
    start = CpuSeconds();
    benchmark::DoNotOptimize((first ? a : b).Open(0));
    open += CpuSeconds() - start;
    ++opens;
    first = !first;
  }
  state.counters["subaccounts"] = SubAcctTable.liveCount;
  state.counters["open_per_read"] = open / static_cast<double>(opens) / read;
  state.counters["goal_open_per_read"] = 5;
}
BENCHMARK(BM_OpenYear)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ReadFullYearBytes(benchmark::State& state) {
  Year y;
  FillToCapacity(y);
  std::vector<char> buf(1 << 20);
  for (auto _ : state) benchmark::DoNotOptimize(ReadYearBytes(y, buf));
}
BENCHMARK(BM_ReadFullYearBytes)->Unit(benchmark::kMillisecond);

// Posts a deposit of 1.00 from 520 to 101 with the number `n`, as the
// treasurer enters one; with `members` the line is split in cash among as
// many members.
int Post(TransactionDetail& d, int n, int members = 0) {
  ResetTransactionDetail(d.lines, d.splits, d.shares);
  TransactionRecord& t = d.transaction;
  t = TransactionRecord{};
  t.id = NextTransId++;
  t.account = 101;
  std::snprintf(t.number, sizeof t.number, "%d", n & 0xFFFF);
  std::snprintf(t.date, sizeof t.date, "2008%02d%02d", (n % 12 + 1) & 15, (n % 28 + 1) & 31);
  std::snprintf(t.payee, sizeof t.payee, "Payee %d", n % 37);
  t.factor = 1;
  t.amount = 100;
  d.lines[0].account = 520;
  d.lines[0].amount = 100;
  d.lines[0].factor = 1;
  if (members > 0) {
    d.lines[0].amount = 100 * members;
    d.transaction.amount = 100 * members;
    d.lines[0].split = 1;
    d.splits[0].factor = 1;
    for (int m = 0; m < members; ++m) d.shares[0][(n * 7 + m * 25) % 300 + 25].cash = 100;
  }
  return AddTransaction(&t, d.lines, d.splits, d.shares);
}

// Each iteration posts 700 transactions (one support line each) into an
// empty year; the time per posting is the "per_posting" counter.
void BM_Post700Transactions(benchmark::State& state) {
  automation::AlwaysAnswer("", "", 1);
  for (auto _ : state) {
    state.PauseTiming();
    auto y = std::make_unique<Year>();
    SetCapacities();
    y->Open(1);
    for (int n : {101, 520}) {
      AccountRecord a;
      a.number = n;
      AddAcct(&a, nullptr, 0, nullptr, nullptr);
    }
    auto d = std::make_unique<TransactionDetail>();
    state.ResumeTiming();
    for (int i = 0; i < 700; ++i) Post(*d, i + 1);
    state.PauseTiming();
    y.reset();
    state.ResumeTiming();
  }
  state.counters["per_posting"] =
      benchmark::Counter(700, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Post700Transactions)->Unit(benchmark::kMillisecond)->Iterations(1);

double CpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double WallSeconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Posts 100 transactions into a year at capacity (600 transactions, 1200
// support lines, 699 splits, 8375 sub-accounts, 325 members ...), each with
// one support line, as the treasurer enters them. With the first argument
// 0 the commit after each record write is a no-op: "cpu_us_per_posting" is
// then the store's own work. With 1 the commits are real:
// "fsyncs_per_posting" and "fsync_ms_per_posting" give their number and
// their time; "goal_cpu_us" is the goal of the first figure. The second
// argument splits each line among as many members
// (the year then has room for the splits and their shares).
void BM_PostAtCapacity(benchmark::State& state) {
  const bool sync = state.range(0) != 0;
  const int members = static_cast<int>(state.range(1));
  automation::AlwaysAnswer("", "", 1);
  constexpr int kPostings = 100;
  double cpu = 0, commitTime = 0;
  long commits = 0, postings = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto y = std::make_unique<Year>();
    FillToCapacity(*y, 700 - kPostings, 0, members > 0 ? kPostings : 0);
    SetCapacities();
    if (!y->Open(1)) state.SkipWithError("open failed");
    SetRecordCommitHook([&](FILE* f) {
      ++commits;
      if (!sync) return true;
      double start = WallSeconds();
      bool ok = CommitRecordWrite(f);
      commitTime += WallSeconds() - start;
      return ok;
    });
    auto d = std::make_unique<TransactionDetail>();
    state.ResumeTiming();
    double start = CpuSeconds();
    for (int i = 0; i < kPostings; ++i)
      if (!Post(*d, i + 2000, members)) state.SkipWithError("posting failed");
    cpu += CpuSeconds() - start;
    postings += kPostings;
    state.PauseTiming();
    SetRecordCommitHook(nullptr);
    y.reset();
    state.ResumeTiming();
  }
  if (!sync) state.counters["cpu_us_per_posting"] = cpu * 1e6 / static_cast<double>(postings);
  // The goal for a posting with one support line, without its commits.
  if (!sync && members == 0) state.counters["goal_cpu_us"] = 35;
  state.counters["fsyncs_per_posting"] = static_cast<double>(commits) / static_cast<double>(postings);
  if (sync) state.counters["fsync_ms_per_posting"] = commitTime * 1e3 / static_cast<double>(postings);
}
BENCHMARK(BM_PostAtCapacity)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 12})
    ->Args({1, 12})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
