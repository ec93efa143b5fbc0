// A grid in a visible popup window, for the tests that need its client
// rectangle, and a grid whose hidden rows and columns are plain sets.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "grid/core/GXGridCore.h"
#include "platform/testing/Automation.h"

namespace gridtest {

// Registers (once) a plain window class for the frames that hold the
// controls under test; `background` is a system colour index, or -1 for
// none. Returns the class name.
inline const char* FrameClass(const char* name, int background = COLOR_BTNFACE) {
  WNDCLASS wc{};
  wc.lpfnWndProc = ::DefWindowProc;
  if (background >= 0) wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  wc.lpszClassName = name;
  if (!::GetClassInfo(nullptr, wc.lpszClassName, nullptr)) ::RegisterClass(&wc);
  return name;
}

// Stands in for the hiding feature.
class HidingGrid : public CGXGridCore {
 public:
  using CGXGridCore::CGXGridCore;
  BOOL IsRowHidden(ROWCOL row) override { return hiddenRows.count(row) != 0; }
  BOOL IsColHidden(ROWCOL col) override { return hiddenCols.count(col) != 0; }
  std::set<ROWCOL> hiddenRows, hiddenCols;
};

template <class Grid, class Wnd = CWnd>
class GridWindowTest : public ::testing::Test {
 protected:
  // A width x height window holding an initialised grid of rows x cols.
  void MakeGrid(int width, int height, ROWCOL rows, ROWCOL cols) {
    automation::ResetWindows();
    GXInitLibrary();
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr));
    grid = std::make_unique<Grid>(&wnd);
    grid->Initialize();
    data()->StoreRowCount(rows);
    data()->StoreColCount(cols);
  }
  // A character of 8 x 16 pixels: rows 19 px (header 22), columns 80 px
  // (header 48).
  void UseFixedCharacter() {
    grid->m_dxWidth = 8;
    grid->m_dyHeight = 16;
    grid->ResetLastVisible();
  }
  void TearDown() override {
    grid.reset();
    wnd.DestroyWindow();
  }
  CGXData* data() { return grid->GetParam()->GetData(); }
  Wnd wnd;
  std::unique_ptr<Grid> grid;
};

}  // namespace gridtest
