// The full data integrity check, recalculation included, on a fiscal year
// filled to capacity: 690 transactions with two support lines each, one of
// them split among a dozen of 300 members.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Question.h"
#include "common/Settings.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/AccountStore.h"
#include "store/AcctClass.h"
#include "store/Integrity.h"
#include "store/KeyTable.h"
#include "store/MemberStore.h"
#include "store/RecIO.h"
#include "store/TransStore.h"

namespace {

namespace fs = std::filesystem;

class QuietProgress : public ProgressPresenter {
 public:
  bool Create() override { return true; }
  void SetCaption(const char*) override {}
  void DrawBar(int, int, int) override {}
  int Destroy() override { return 1; }
};

class FullYear {
 public:
  FullYear() {
    // A memory-backed folder keeps the set-up's thousands of synced writes
    // short where one exists.
    std::string base = fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
    std::string pattern = base + "/kestrova-bench-XXXXXX";
    home_ = ::mkdtemp(pattern.data());
    ::setenv("KESTROVA_HOME", home_.c_str(), 1);
    folder_ = home_ + "/fy2008";
    fs::create_directories(folder_);
    std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", home_.c_str());
    std::snprintf(CurrentFiscalYear, sizeof CurrentFiscalYear, "2008");
    std::snprintf(FiscalYearYY, sizeof FiscalYearYY, "08");
    std::snprintf(TodayDate, sizeof TodayDate, "20080615");
    for (const char* stem : {"acct", "budge", "equip", "fos", "scout", "split", "subac", "suppt", "trans", "sched",
                             "part", "resrv"})
      Touch(folder_ + "/" + stem + "408.dat");
    Touch(folder_ + "/ag408_g.dat");
    Touch(folder_ + "/ag408_a.dat");
    FILE* f = std::fopen((folder_ + "/unit408.dat").c_str(), "wb");
    std::fputs("City        = Springfield\r\nFiscal Date = 002008\r\n", f);
    std::fclose(f);
    SetCapacities();
    OpenDatabase(folder_.c_str(), "08", 1);
    Populate();
  }
  ~FullYear() {
    CloseDataFiles();
    std::error_code ec;
    fs::remove_all(home_, ec);
  }

 private:
  static void Touch(const std::string& path) { std::fclose(std::fopen(path.c_str(), "wb")); }

  void Populate() {
    const int accounts[] = {101, 399, 520, 599, 620, 900};
    for (int n : accounts) {
      AccountRecord a;
      a.number = n;
      std::snprintf(a.name, sizeof a.name, "Account %d", n);
      a.classRow = GetAcctClassRow(n);
      AddAcct(&a, nullptr, 0, nullptr, nullptr);
    }
    constexpr int kMembersUsed = 300;
    for (int m = 0; m < kMembersUsed; ++m) {
      MemberRow row;
      std::memset(&row, 0, sizeof row);
      SetText(row.lastName, ("Member" + std::to_string(m)).c_str());
      std::snprintf(row.firstName, sizeof row.firstName, "Scout");
      std::snprintf(row.subunit, sizeof row.subunit, "Eagles");
      row.passbook = 1;
      AddMember(&row, nullptr);
    }
    auto d = std::make_unique<TransactionDetail>();
    for (int i = 0; i < 690; ++i) {
      ResetTransactionDetail(d->lines, d->splits, d->shares);
      TransactionRecord& t = d->transaction;
      t = TransactionRecord{};
      t.id = NextTransId++;
      t.account = 101;
      t.month = i % 12;
      char date[16];
      std::snprintf(date, sizeof date, "2008%02d%02d", i % 12 + 1, i % 28 + 1);
      SetText(t.date, date);
      SetText(t.number, std::to_string(1000 + i).c_str());
      t.factor = 1;
      t.amount = 2400 + 100;
      d->lines[0].account = 520;
      d->lines[0].amount = 2400;
      d->lines[0].factor = SignedAmountByType('A', 1, 520);
      d->lines[0].split = 1;
      d->splits[0].factor = 1;
      for (int k = 0; k < 12; ++k) d->shares[0][(i * 7 + k * 25) % kMembersUsed].cash = 200;
      d->lines[1].account = 599;
      d->lines[1].amount = 100;
      d->lines[1].factor = SignedAmountByType('A', 1, 599);
      AddTransaction(&t, d->lines, d->splits, d->shares);
    }
  }

  std::string home_;
  std::string folder_;
};

void BM_IntegrityCheckFullYear(benchmark::State& state) {
  FullYear year;
  QuietProgress progress;
  SetProgressPresenter(&progress);
  for (auto _ : state) {
    automation::ClearResponder();
    automation::AlwaysAnswer("Question", "", ANSWER_YESTOALL);
    automation::AlwaysAnswer("", "", IDOK);
    benchmark::DoNotOptimize(CheckDataIntegrity(0));
  }
  state.counters["transactions"] = TransTable.liveCount;
  state.counters["sub-accounts"] = SubAcctTable.liveCount;
  SetProgressPresenter(nullptr);
}
BENCHMARK(BM_IntegrityCheckFullYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
