// Converting a version-3 fiscal year filled to the main program's
// capacities, beside copying the same files (each copy synced, as the
// converter syncs what it writes).
//
// The generator writes the old record files directly: 100 accounts with
// budgets, 400 equipment items, 200 friends, 325 members, 50 schedules with
// 325 participants each, 700 transactions with 1400 support lines, 700
// splits and 8000 sub-accounts, 50 reserves.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/testing/Automation.h"
#include "wizard/Conversion.h"

namespace {

struct Rec {
  std::vector<unsigned char> b;
  explicit Rec(int size) : b(static_cast<std::size_t>(size), 0) {}
  Rec& I16(int off, int v) {
    b[static_cast<std::size_t>(off)] = static_cast<unsigned char>(v);
    b[static_cast<std::size_t>(off) + 1] = static_cast<unsigned char>(v >> 8);
    return *this;
  }
  Rec& I32(int off, long v) {
    for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(off + i)] = static_cast<unsigned char>(v >> (8 * i));
    return *this;
  }
  Rec& Byte(int off, int v) {
    b[static_cast<std::size_t>(off)] = static_cast<unsigned char>(v);
    return *this;
  }
  Rec& Text(int off, const std::string& t) {
    std::memcpy(&b[static_cast<std::size_t>(off)], t.data(), t.size());
    return *this;
  }
};

struct OldYear {
  std::string base, oldFolder, yearFolder, newFolder;
  std::vector<std::string> files;

  OldYear() {
    char tmpl[] = "/tmp/kestrova-bench-wizard-XXXXXX";
    base = ::mkdtemp(tmpl);
    oldFolder = base + "/old";
    yearFolder = oldFolder + "/fy08";
    newFolder = base + "/new";
    std::filesystem::create_directories(yearFolder);
    std::filesystem::create_directories(newFolder);
    Write(oldFolder + "/config3.sl", "Data Folder = 08/C:\\OLD\\FY08\r\n");
    std::string unit = "UNIT NUMBER = 1\r\nFISCAL DATE = 002008\r\n";
    for (int i = 0; i < 25; ++i) unit += "SUBUNIT = Patrol" + std::to_string(i) + "\r\n";
    Write(yearFolder + "/unit308.dat", unit);
    Records("acct", 100, [](int i) { return Rec(46).I16(0, 100 + i).Text(2, "Account").I32(30, 1000).I32(34, 1000); });
    Records("budge", 100, [](int i) { return Rec(52).I16(0, 100 + i).I32(4, 100); });
    Records("equip", 400, [](int i) { return Rec(276).Text(0, std::to_string(i)).Text(7, "Item").Text(28, "20070101"); });
    Records("fos", 200, [](int) { return Rec(226).Text(0, "First").Text(12, "Last").Text(34, "1 Main St"); });
    Records("scout", 325, [](int i) { return Rec(512).Text(0, "Last" + std::to_string(i)).Text(16, "First").I16(330, 1); });
    Records("sched", 50, [](int) { return Rec(822).Text(0, "Dues").I16(26, 599).Byte(30, ' '); });
    Records("part", 50 * 325, [](int i) { return Rec(12).I16(0, i / 325).I16(2, i % 325).I32(4, 500); });
    Records("resrv", 50, [](int i) { return Rec(8).I16(0, i).I16(2, 710).I32(4, 100); });
    Records("trans", 700, [](int i) { return Rec(78).I16(0, i).I16(2, 101).I32(4, i).Text(8, "20080110").I16(68, 1); });
    Records("suppt", 1400, [](int i) { return Rec(48).I16(0, i / 2).I16(2, i % 2).I16(4, 520).I32(10, 100).I16(14, 1); });
    Records("split", 700, [](int i) { return Rec(18).I32(0, i * 10).I16(16, 1); });
    Records("subac", 8000, [](int i) { return Rec(16).I32(0, (i % 700) * 10).I16(4, 1).I32(6, 10).I16(14, i % 325); });
  }
  ~OldYear() {
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
  }
  void Write(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    files.push_back(path);
  }
  template <class Make>
  void Records(const char* stem, int count, Make make) {
    std::string path = yearFolder + "/" + stem + "308.dat";
    FILE* f = std::fopen(path.c_str(), "wb");
    for (int i = 0; i < count; ++i) {
      Rec r = make(i);
      std::fwrite(r.b.data(), 1, r.b.size(), f);
    }
    std::fclose(f);
    files.push_back(path);
  }
};

}  // namespace

static void BM_ConvertCapacityYear(benchmark::State& state) {
  OldYear year;
  automation::AlwaysAnswer("", "", 1);
  CConversion job;
  job.SetAppType(0);
  job.SetOldFolder(year.oldFolder);
  job.SetInstallFolder(year.newFolder);
  job.ReadOldConfig();
  job.ScanOldData();
  for (auto _ : state) {
    if (!job.ConvertYear(0)) state.SkipWithError(job.GetErrorText().c_str());
  }
}
BENCHMARK(BM_ConvertCapacityYear)->Unit(benchmark::kMillisecond);

static void BM_CopyCapacityYearFiles(benchmark::State& state) {
  OldYear year;
  const std::string target = year.newFolder + "/copy";
  std::filesystem::create_directories(target);
  std::vector<char> buffer(1 << 16);
  for (auto _ : state) {
    for (const std::string& from : year.files) {
      std::string to = target + "/" + std::filesystem::path(from).filename().string();
      int in = ::open(from.c_str(), O_RDONLY);
      int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ssize_t n;
      while ((n = ::read(in, buffer.data(), buffer.size())) > 0) {
        if (::write(out, buffer.data(), static_cast<std::size_t>(n)) != n) break;
      }
      ::fsync(out);
      ::close(in);
      ::close(out);
    }
  }
}
BENCHMARK(BM_CopyCapacityYearFiles)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
