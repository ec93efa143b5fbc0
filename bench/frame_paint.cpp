// A full repaint of a main frame with its menu, a flat tool bar of images,
// a status bar and a view: what every uncovering of the main window costs.
#include <benchmark/benchmark.h>

#include "platform/testing/Automation.h"
#include "platform/framework/CWinApp.h"
#include "tools/gallery/GalleryFrame.h"

namespace {

void BM_RepaintMainFrame(benchmark::State& state) {
  automation::ResetWindows();
  CWinApp app("Bench");
  gallery::InstallFrameStrings();
  {
    gallery::GalleryFrame frame;
    if (!frame.Make(0, 0, 800, 600)) {
      state.SkipWithError("the frame could not be made");
      return;
    }
    app.m_pMainWnd = &frame;
    app.OnIdle(0);
    automation::PumpUntilIdle();
    for (auto _ : state) {
      frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      automation::PumpUntilIdle();
    }
    app.m_pMainWnd = nullptr;
  }
  AfxSetStringTable(nullptr);
  automation::ResetWindows();
}
BENCHMARK(BM_RepaintMainFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
