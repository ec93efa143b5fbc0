// tornel's start on the sample installation, from the application object's
// start-up to the first painted main window, with the data in the page
// cache (the installation is made once before the timing).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "app/MainFrame.h"
#include "app/Preferences.h"
#include "app/TornelApp.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "tools/sampleinst/SampleInstall.h"

namespace {

void BM_StartToFirstPaint(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-bench-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  InstallOptions options;
  options.folder = pattern;
  options.year = 2026;
  if (!MakeInstallation(options)) {
    state.SkipWithError("the sample installation could not be made");
    return;
  }
  InstallCommandStrings();
  automation::AlwaysAnswer("", "", 1);
  for (auto _ : state) {
    CTornelApp app;
    if (!app.InitInstance()) {
      state.SkipWithError("tornel did not start");
      break;
    }
    automation::PumpUntilIdle();
    state.PauseTiming();
    IntegrityCheckMode = 2;
    app.m_pMainWnd->SendMessage(WM_CLOSE);
    automation::PumpUntilIdle();
    app.ExitInstance();
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    state.ResumeTiming();
  }
  automation::ClearResponder();
  std::error_code ec;
  std::filesystem::remove_all(pattern, ec);
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
