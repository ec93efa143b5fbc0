// The fiscal year 2008 of a benchmark, in a temporary home of its own that
// is removed afterwards: the settings file's place, today's date, the
// year's empty group files and its unit file with the given fiscal date.
// The record files are written directly by the benchmark.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/Dates.h"
#include "common/Settings.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"

struct BenchYear {
  std::string home, folder;
  explicit BenchYear(const char* fiscalDate) {
    char tmpl[] = "/tmp/kestrova-bench-XXXXXX";
    home = ::mkdtemp(tmpl);
    folder = home + "/fy2008";
    std::filesystem::create_directories(folder);
    ::setenv("KESTROVA_HOME", home.c_str(), 1);
    std::snprintf(SettingsFileName, MAX_PATH, "%s/udata4.dat", home.c_str());
    std::snprintf(TodayDate, sizeof TodayDate, "20080615");
    for (const char* s : {"/ag408_g.dat", "/ag408_a.dat"}) std::fclose(std::fopen((folder + s).c_str(), "wb"));
    FILE* u = std::fopen((folder + "/unit408.dat").c_str(), "wb");
    std::fprintf(u, "Fiscal Date = %s\r\n", fiscalDate);
    std::fclose(u);
  }
  ~BenchYear() {
    CloseDataFiles();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
  }
  BenchYear(const BenchYear&) = delete;
  BenchYear& operator=(const BenchYear&) = delete;

  std::string Path(const char* stem) const { return folder + "/" + stem + "408.dat"; }
  void Write(const char* stem, const std::vector<BYTE>& bytes) const {
    FILE* f = std::fopen(Path(stem).c_str(), "wb");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  // `count` records of one kind, the i-th made by `make(i)`.
  template <class Rec, class Make>
  void Fill(const char* stem, int count, Make make) const {
    std::vector<BYTE> bytes(static_cast<size_t>(count) * RecordSize<Rec>::value);
    for (int i = 0; i < count; ++i) Pack(make(i), bytes.data() + static_cast<size_t>(i) * RecordSize<Rec>::value);
    Write(stem, bytes);
  }
};
