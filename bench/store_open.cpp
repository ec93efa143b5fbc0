// Opening a fiscal year filled to every capacity, beside reading the same
// files' bytes; and posting 700 transactions into an empty year.
//
// The capacity generator writes the record files directly: 100 accounts
// with budgets, 400 equipment items, 200 friends, 325 members, 50
// schedules, 700 transactions with 1400 support lines, 699 splits and 8375
// sub-accounts.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

struct Year {
  std::string home, folder;
  Year() {
    char tmpl[] = "/tmp/kestrova-bench-XXXXXX";
    home = ::mkdtemp(tmpl);
    folder = home + "/fy2008";
    std::filesystem::create_directories(folder);
    ::setenv("KESTROVA_HOME", home.c_str(), 1);
    std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", home.c_str());
    std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
    std::snprintf(TodayDate, sizeof TodayDate, "20080615");
    for (const char* s : kStems) Write(s, {});
    for (const char* s : {"/ag408_g.dat", "/ag408_a.dat"}) std::fclose(std::fopen((folder + s).c_str(), "wb"));
    FILE* u = std::fopen((folder + "/unit408.dat").c_str(), "wb");
    std::fputs("Fiscal Date = 002008\r\n", u);
    std::fclose(u);
  }
  ~Year() {
    CloseDataFiles();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
  }
  std::string Path(const char* stem) const { return folder + "/" + stem + "408.dat"; }
  void Write(const char* stem, const std::vector<BYTE>& bytes) const {
    FILE* f = std::fopen(Path(stem).c_str(), "wb");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  template <class Rec, class Make>
  void Fill(const char* stem, int count, Make make) const {
    std::vector<BYTE> bytes(static_cast<size_t>(count) * RecordSize<Rec>::value);
    for (int i = 0; i < count; ++i) Pack(make(i), bytes.data() + static_cast<size_t>(i) * RecordSize<Rec>::value);
    Write(stem, bytes);
  }
  int Open(int allocate) const {
    CloseDataFiles();
    return OpenDatabase(folder.c_str(), "08", allocate);
  }
};

void FillToCapacity(const Year& y) {
  const int accounts[] = {1, 101, 201, 399, 401, 599, 900};
  y.Fill<AccountRecord>("acct", 100, [&](int i) {
    AccountRecord a;
    a.number = i < 7 ? accounts[i] : 500 + i;
    std::snprintf(a.name, sizeof a.name, "Account %d", i);
    a.budgetRow = i;
    return a;
  });
  y.Fill<BudgetRecord>("budge", 100, [](int i) {
    BudgetRecord b;
    b.number = 500 + i;
    return b;
  });
  y.Fill<EquipmentRecord>("equip", 400, [](int i) {
    EquipmentRecord e;
    std::snprintf(e.inventoryId, sizeof e.inventoryId, "%d", 400 - i);
    std::snprintf(e.description, sizeof e.description, "Item %d", (i * 37) % 400);
    std::snprintf(e.purchaseDate, sizeof e.purchaseDate, "2008%02d%02d", (i % 12 + 1) & 15, (i % 28 + 1) & 31);
    return e;
  });
  y.Fill<FriendRecord>("fos", 200, [](int i) {
    FriendRecord f;
    std::snprintf(f.lastName, sizeof f.lastName, "Friend%d", (i * 13) % 200);
    f.total = i * 100;
    return f;
  });
  y.Fill<MemberRecord>("scout", 325, [](int i) {
    MemberRow m;
    std::memset(&m, 0, sizeof m);
    m.type = i < 25 ? 2 : (i < 100 ? 1 : 0);
    std::snprintf(m.lastName, sizeof m.lastName, "Member%d", (i * 7) % 325);
    std::snprintf(m.subunit, sizeof m.subunit, "Unit%d", i % 25);
    m.passbook = 1;
    MemberRecord r;
    ConvertMemberRecord(&m, 0, 0, &r, 0);
    return r;
  });
  y.Fill<ScheduleRecord>("sched", 50, [](int i) {
    ScheduleRecord s;
    s.account = 599;
    std::snprintf(s.name, sizeof s.name, "Schedule %d", 50 - i);
    return s;
  });
  y.Fill<TransactionRecord>("trans", 700, [](int i) {
    TransactionRecord t;
    t.id = i + 1;
    t.account = 101;
    std::snprintf(t.number, sizeof t.number, "%d", 1000 + (i * 7) % 700);
    std::snprintf(t.date, sizeof t.date, "2008%02d%02d", (i % 12 + 1) & 15, (i % 28 + 1) & 31);
    t.amount = 100;
    return t;
  });
  y.Fill<SupportLineRecord>("suppt", 1400, [](int i) {
    SupportLineRecord l;
    l.id = i / 2 + 1;
    l.line = i % 2;
    l.account = 520;
    l.amount = 50;
    l.factor = 1;
    return l;
  });
  y.Fill<SplitRecord>("split", 699, [](int i) {
    SplitRecord s;
    s.lineKey = LineKey(i / 2 + 1, i % 2);
    return s;
  });
  y.Fill<SubAccountRecord>("subac", 8375, [](int i) {
    SubAccountRecord s;
    s.lineKey = LineKey((i % 699) / 2 + 1, (i % 699) % 2);
    s.memberRow = i % 325;
    s.cash = 1;
    return s;
  });
}

void BM_OpenFullYear(benchmark::State& state) {
  Year y;
  FillToCapacity(y);
  SetCapacities();
  if (!y.Open(1)) state.SkipWithError("open failed");
  for (auto _ : state) benchmark::DoNotOptimize(y.Open(0));
  state.counters["subaccounts"] = SubAcctTable.liveCount;
}
BENCHMARK(BM_OpenFullYear)->Unit(benchmark::kMillisecond);

void BM_ReadFullYearBytes(benchmark::State& state) {
  Year y;
  FillToCapacity(y);
  std::vector<char> buf(1 << 20);
  for (auto _ : state) {
    size_t total = 0;
    for (const char* s : kStems) {
      FILE* f = std::fopen(y.Path(s).c_str(), "rb");
      size_t n;
      while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) total += n;
      std::fclose(f);
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_ReadFullYearBytes)->Unit(benchmark::kMillisecond);

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
    for (int i = 0; i < 700; ++i) {
      ResetTransactionDetail(d->lines, d->splits, d->shares);
      TransactionRecord& t = d->transaction;
      t = TransactionRecord{};
      t.id = NextTransId++;
      t.account = 101;
      std::snprintf(t.number, sizeof t.number, "%d", (i + 1) & 0xFFFF);
      std::snprintf(t.date, sizeof t.date, "2008%02d%02d", (i % 12 + 1) & 15, (i % 28 + 1) & 31);
      t.factor = 1;
      t.amount = 100;
      d->lines[0].account = 520;
      d->lines[0].amount = 100;
      d->lines[0].factor = 1;
      AddTransaction(&t, d->lines, d->splits, d->shares);
    }
    state.PauseTiming();
    y.reset();
    state.ResumeTiming();
  }
  state.counters["per_posting"] =
      benchmark::Counter(700, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Post700Transactions)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
