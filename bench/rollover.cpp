// The rollover of a fiscal year filled to every capacity into the next
// year, beside copying the same year's files with `cp` (the rollover's floor:
// it copies the files, then rewrites every record kind and opens the year).
//
// The year is written directly: 100 accounts with budgets (a member
// reserve account among them), 400 equipment items, 200 friends, 325
// members with their reserves, 50 schedules with 20 participants each, 700
// transactions with 1400 support lines, 699 splits and 8375 sub-accounts.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchYear.h"
#include "app/Rollover.h"
#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/testing/Automation.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"

namespace {


// Formats into a record's text field, cut to its width.
template <int N, class... Args>
void Fmt(char (&out)[N], const char* format, Args... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  CopyText(out, N, text);
}

struct Year : BenchYear {
  Year() : BenchYear("082008") { FillToCapacity(); }
  void FillToCapacity() const {
    const int fixed[] = {1, 101, 201, 399, 401, 599, 900, 710};
    Fill<AccountRecord>("acct", 100, [&](int i) {
      AccountRecord a;
      a.number = i < 8 ? fixed[i] : 600 + i;
      Fmt(a.name, "Account %d", i);
      a.budgetRow = i;
      a.currentBalance = i % 3 == 0 ? 0 : 1000 * i;
      a.memberReserves = a.number == 710;
      return a;
    });
    Fill<BudgetRecord>("budge", 100, [&](int i) {
      BudgetRecord b;
      b.number = i < 8 ? fixed[i] : 600 + i;
      for (LONG& m : b.months) m = 100;
      return b;
    });
    Fill<EquipmentRecord>("equip", 400, [](int i) {
      EquipmentRecord e;
      Fmt(e.inventoryId, "%d", i);
      Fmt(e.description, "Item %d", i);
      Fmt(e.purchaseDate, "2008%02d%02d", i % 12 + 1, i % 28 + 1);
      e.status = i % 10 == 0 ? 1 : 0;
      e.currentValue = 500;
      return e;
    });
    Fill<FriendRecord>("fos", 200, [](int i) {
      FriendRecord f;
      Fmt(f.lastName, "Friend%d", i);
      f.yearAmounts[i % 4] = 1000;
      f.total = 1000;
      return f;
    });
    Fill<MemberRecord>("scout", 325, [](int i) {
      MemberRow m;
      std::memset(&m, 0, sizeof m);
      m.type = i < 25 ? 2 : (i < 100 ? 1 : 0);
      m.status = i % 20 == 0 ? 1 : 0;
      Fmt(m.lastName, "Member%d", i);
      Fmt(m.subunit, "Unit%d", i % 25);
      m.passbook = 1;
      m.currentBalance = i;
      MemberRecord r;
      ConvertMemberRecord(&m, 0, 0, &r, 0);
      return r;
    });
    Fill<ScheduleRecord>("sched", 50, [](int i) {
      ScheduleRecord s;
      s.account = 599;
      Fmt(s.name, "Schedule %d", i);
      s.frequency = i % 2 ? 'M' : 'W';
      Fmt(s.firstDate, "20080905");
      Fmt(s.secondDate, "20090805");
      for (int d = 0; d < 12; ++d) {
        s.amounts[d] = 500;
        Fmt(s.dueDates[d], "%4.4d%2.2d05", d < 4 ? 2008 : 2009, (d + 8) % 12 + 1);
      }
      return s;
    });
    Fill<ParticipantRecord>("part", 1000, [](int i) {
      ParticipantRecord p;
      p.scheduleRow = i / 20;
      p.memberRow = 25 + i % 300;
      return p;
    });
    Fill<ReserveRecord>("resrv", 325, [](int i) {
      ReserveRecord r;
      r.memberRow = i;
      r.account = 710;
      r.amount = 100;
      return r;
    });
    Fill<TransactionRecord>("trans", 700, [](int i) {
      TransactionRecord t;
      t.id = i + 1;
      t.account = 101;
      t.month = i % 12;
      Fmt(t.number, "%d", 1000 + i);
      Fmt(t.date, "%4.4d%02d%02d", i % 12 < 8 ? 2009 : 2008, i % 12 + 1, i % 28 + 1);
      t.amount = 100;
      return t;
    });
    Fill<SupportLineRecord>("suppt", 1400, [](int i) {
      SupportLineRecord l;
      l.id = i / 2 + 1;
      l.line = i % 2;
      l.account = 608 + i % 90;
      l.amount = 50;
      l.factor = 1;
      return l;
    });
    Fill<SplitRecord>("split", 699, [](int i) {
      SplitRecord s;
      s.lineKey = LineKey(i / 2 + 1, i % 2);
      return s;
    });
    Fill<SubAccountRecord>("subac", 8375, [](int i) {
      SubAccountRecord s;
      s.lineKey = LineKey((i % 699) / 2 + 1, (i % 699) % 2);
      s.memberRow = i % 325;
      s.cash = 1;
      return s;
    });
  }
  // The year loaded and current, as at start-up.
  bool Load() const {
    FreeYearList();
    FiscalYearNode* node = FindYearNode("2008", 1, &YearList);
    std::snprintf(node->folder, sizeof node->folder, "%s", folder.c_str());
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", home.c_str());
    std::snprintf(ConfigFileName, sizeof ConfigFileName, "%s/config4.sl", home.c_str());
    std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2008");
    std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
    SortYearList();
    SetCapacities();
    CloseDataFiles();
    return ReadWriteConfig(1) && OpenDatabase(folder.c_str(), "08", 1);
  }
};

double CpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CopyWithCp(const Year& y, int run) {
  const std::string to = y.home + "/copy" + std::to_string(run);
  const std::string command = "cp -r '" + y.folder + "' '" + to + "'";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) return -1;
  return Seconds(start);
}

void BM_RolloverFullYear(benchmark::State& state) {
  automation::SetResponder([](const automation::ModalInfo&) { return IDOK; });
  double rollover = 0, copy = 0, cpu = 0;
  int runs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Year y;
    if (!y.Load()) {
      state.SkipWithError("the year did not open");
      break;
    }
    const double cp = CopyWithCp(y, runs);
    const std::string to = y.home + "/fy2009";
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    const int ok = DoRollover(to.c_str(), "Sep", 2009, 2009, 0, static_cast<int>(state.range(0)), 2);
    const double took = Seconds(start);
    cpu += CpuSeconds() - cpuStart;
    state.PauseTiming();
    if (!ok || cp < 0) {
      state.SkipWithError("the rollover or the copy failed");
      break;
    }
    rollover += took;
    copy += cp;
    ++runs;
    state.ResumeTiming();
  }
  if (runs > 0) {
    state.counters["cp_ms"] = copy / runs * 1000;
    state.counters["rollover_per_cp"] = rollover / copy;
    // The wall-clock ratio waits on the disk like the copy does; on a shared
    // machine the CPU of the rollover is the steadier figure.
    state.counters["rollover_cpu_ms"] = cpu / runs * 1000;
    state.counters["goal_per_cp"] = 5;
  }
}
// Argument: the budget mode (0 keeps the old budgets, 1 rebuilds them from
// the year's actual figures, month by month and account by account).
BENCHMARK(BM_RolloverFullYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
