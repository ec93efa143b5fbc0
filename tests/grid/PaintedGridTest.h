// A grid in a window that paints it, for the tests that read its pixels,
// with the library set up through the control factory as the program has it.
#pragma once

#include <string>

#include "grid/GridWindowTest.h"
#include "grid/cells/GXControlFactory.h"
#include "platform/framework/WindowDc.h"

namespace gridtest {

// A window whose paint draws its grid.
class PaintWnd : public CWnd {
 public:
  void OnPaint() override {
    CPaintDC dc(this);
    if (grid != nullptr) grid->OnDraw(&dc);
  }
  CGXGridCore* grid = nullptr;
};

class PaintedGridTest : public GridWindowTest<CGXGridCore, PaintWnd> {
 protected:
  // A 320 x 160 window holding a grid of rows x cols; `appFeatures` turns on
  // what the factory switches on for the program's grids.
  void MakePaintedGrid(ROWCOL rows, ROWCOL cols, bool appFeatures = false) {
    automation::ResetWindows();
    auto* factory = new CGXControlFactory;
    GXInitLibrary(factory);
    if (appFeatures) factory->EnableAppFeatures();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 320, 160, nullptr, nullptr));
    grid = std::make_unique<CGXGridCore>(&wnd);
    grid->Initialize();
    data()->StoreRowCount(rows);
    data()->StoreColCount(cols);
    wnd.grid = grid.get();
  }
  void TearDown() override {
    wnd.grid = nullptr;
    GridWindowTest::TearDown();
    GXTerminate();
    GXInitLibrary();
  }
  void Paint() {
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
  }
  // The colour at (x, y) of a fresh paint.
  COLORREF At(int x, int y) {
    Paint();
    return automation::PixelAt(wnd.m_hWnd, x, y);
  }
  // A fresh paint written as a PNG file.
  bool Render(const std::string& path) {
    Paint();
    return automation::RenderToPng(wnd.m_hWnd, path);
  }
};

}  // namespace gridtest
