// The financial statement (report 2) with its passbook attachment on a
// fiscal year filled to capacity, built and printed to a PDF file, beside
// copying the year's record files ("statement_per_copy"). Goal: under
// "goal_ms" milliseconds, a tenth of what a popular open-source
// double-entry program takes for its balance sheet on a book of this size.
//
// The year: 100 accounts of every class (6 reserve accounts with member
// shares), 325 members with passbooks, 700 transactions with 1400 support
// lines, 699 passbook splits of 12 shares, 400 equipment items.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "BenchYear.h"
#include "common/ConfigFile.h"
#include "common/TempFolder.h"
#include "platform/gfx/Dc.h"
#include "platform/testing/Automation.h"
#include "reports/FinancialReports.h"
#include "reports/RptDriver.h"
#include "reports/RptRender.h"
#include "reports/RptSelection.h"
#include "store/AcctClass.h"
#include "store/MemberStore.h"

namespace {

const char* const kStems[] = {"acct", "budge", "equip", "fos", "scout", "split", "subac",
                              "suppt", "trans", "sched", "part", "resrv"};

// The account numbers: 4 cash, 10 checking, 5 savings, other assets and
// 399, 10 liabilities, 30 income with 599, 30 expense, 6 reserves, 900.
int AccountNumber(int i) {
  if (i < 4) return 1 + i;
  if (i < 14) return 100 + i - 4;
  if (i < 19) return 200 + i - 14;
  if (i < 22) return 300 + i - 19;
  if (i == 22) return 399;
  if (i < 33) return 400 + i - 23;
  if (i < 62) return 500 + i - 33;
  if (i == 62) return 599;
  if (i < 93) return 600 + i - 63;
  if (i < 99) return 700 + i - 93;
  return 900;
}

struct Year : BenchYear {
  Year() : BenchYear("002008") {
    std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
    for (const char* s : kStems) Write(s, {});
    Fill<AccountRecord>("acct", 100, [](int i) {
      AccountRecord a;
      a.number = AccountNumber(i);
      std::snprintf(a.name, sizeof a.name, "Account %d", a.number);
      a.classRow = GetAcctClassRow(a.number);
      a.openingBalance = GetAcctClass(a.number) == 'A' ? 500000 : 0;
      a.memberReserves = GetAcctClass(a.number) == 'R';
      return a;
    });
    Fill<EquipmentRecord>("equip", 400, [](int i) {
      EquipmentRecord e;
      std::snprintf(e.description, sizeof e.description, "Item %d", i);
      std::snprintf(e.purchaseDate, sizeof e.purchaseDate, "%d%02d15", i % 2 ? 2007 : 2008, i % 12 + 1);
      e.price = 5000 + i;
      e.currentValue = 4000 + i;
      e.openingValue = 4500;
      return e;
    });
    Fill<MemberRecord>("scout", 325, [](int i) {
      MemberRow m;
      std::memset(&m, 0, sizeof m);
      m.type = i < 25 ? 2 : (i < 100 ? 1 : 0);
      std::snprintf(m.firstName, sizeof m.firstName, "First%d", i);
      std::snprintf(m.lastName, sizeof m.lastName, "Member%d", (i * 7) % 325);
      std::snprintf(m.subunit, sizeof m.subunit, "Unit%d", i % 25);
      m.passbook = 1;
      m.openingBalance = 1000 + i;
      MemberRecord r;
      ConvertMemberRecord(&m, 0, 0, &r, 0);
      return r;
    });
    // Every member holds a share of each reserve account.
    Fill<ReserveRecord>("resrv", 6 * 325, [](int i) {
      ReserveRecord r;
      r.memberRow = i % 325;
      r.account = 700 + i / 325;
      r.amount = 200;
      return r;
    });
    Fill<TransactionRecord>("trans", 700, [](int i) {
      TransactionRecord t;
      t.id = i + 1;
      t.account = AccountNumber(i % 19);
      t.month = i % 12;
      std::snprintf(t.number, sizeof t.number, "%d", 1000 + i);
      std::snprintf(t.payee, sizeof t.payee, "Payee %d", i % 97);
      std::snprintf(t.date, sizeof t.date, "2008%02d%02d", i % 12 + 1, i % 28 + 1);
      t.factor = i % 3 ? 1 : -1;
      t.amount = 2400;
      return t;
    });
    // Line 0 income or expense, split among 12 members; line 1 with a
    // reserve amount on one of the reserve accounts.
    Fill<SupportLineRecord>("suppt", 1400, [](int i) {
      SupportLineRecord l;
      l.id = i / 2 + 1;
      l.line = i % 2;
      l.account = AccountNumber(33 + i % 60);
      l.amount = 1200;
      l.factor = 1;
      l.split = 1;
      if (i % 2) {
        l.reserveAccount = 700 + i % 6;
        l.reserveAmount = 300;
        l.reserveFactor = i % 4 == 1 ? 1 : -1;
      }
      return l;
    });
    Fill<SplitRecord>("split", 699, [](int i) {
      SplitRecord s;
      s.lineKey = LineKey(i / 2 + 1, i % 2);
      s.factor = 1;
      return s;
    });
    Fill<SubAccountRecord>("subac", 8375, [](int i) {
      SubAccountRecord s;
      const int split = i / 12 < 699 ? i / 12 : 698;
      s.lineKey = LineKey(split / 2 + 1, split % 2);
      s.memberRow = (i * 13) % 325;
      s.cash = 100;
      s.accountAmount = 25;
      return s;
    });
  }
};

double Seconds() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Copies the year's record files into a fresh folder (what a plain backup
// of the year does).
double CopyYearSeconds(const Year& y) {
  const std::string to = y.home + "/copy";
  std::error_code ec;
  std::filesystem::remove_all(to, ec);
  const double start = Seconds();
  std::filesystem::create_directories(to);
  for (const auto& entry : std::filesystem::directory_iterator(y.folder))
    std::filesystem::copy_file(entry.path(), to + "/" + entry.path().filename().string());
  return Seconds() - start;
}

void BM_FinancialStatementAtCapacity(benchmark::State& state) {
  automation::AlwaysAnswer("", "", 1);
  Year y;
  std::snprintf(TempFolder, sizeof TempFolder, "%s", y.home.c_str());
  SetCapacities();
  if (!OpenDatabase(y.folder.c_str(), "08", 1)) {
    state.SkipWithError("open failed");
    return;
  }
  AllocRptTables(2);
  for (int i = 0; i < AcctTable.rowCount; ++i) {
    const int n = static_cast<int>(AcctTable.keys[static_cast<size_t>(AcctTable.byNumber[i])].number);
    if (GetAcctClass(n) == 'A') Type1Acts[static_cast<size_t>(Type1Count++)] = n;
    if (GetAcctClass(n) == 'L') Type2Acts[static_cast<size_t>(Type2Count++)] = n;
  }
  std::snprintf(RptSecondDate, sizeof RptSecondDate, "20081231");
  RptOptionA = RptOptionB = RptOptionD = 1;
  const std::string pdf = y.home + "/statement.pdf";
  double total = 0, building = 0;
  int pages = 0;
  for (auto _ : state) {
    const double start = Seconds();
    ClearRptActivity();
    RptContext* c = nullptr;
    InitRpt(&c);
    c->reportId = 2;
    if (!BuildRpt(c)) state.SkipWithError("build failed");
    building += Seconds() - start;
    CDC dc;
    dc.CreateDC(nullptr, "PDF file", pdf.c_str(), nullptr);
    std::snprintf(c->saveAsName, sizeof c->saveAsName, "%s", pdf.c_str());
    if (!PrintRpt(c, &dc, RptPrintRange{})) state.SkipWithError("printing failed");
    dc.DeleteDC();
    pages = c->pageCount;
    FreeRpt(&c);
    total += Seconds() - start;
  }
  double copy = 0;
  for (int i = 0; i < 20; ++i) copy += CopyYearSeconds(y);
  copy /= 20;
  const double each = total / static_cast<double>(state.iterations());
  state.counters["pages"] = pages;
  state.counters["statement_ms"] = each * 1000;
  state.counters["build_ms"] = building / static_cast<double>(state.iterations()) * 1000;
  state.counters["copy_ms"] = copy * 1000;
  state.counters["statement_per_copy"] = each / copy;
  state.counters["goal_ms"] = 110;
  FreeRptTables();
}
BENCHMARK(BM_FinancialStatementAtCapacity)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  InstallFinancialReports();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
