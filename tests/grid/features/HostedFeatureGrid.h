// A grid made with every feature of the control factory, in a window that
// passes it real mouse and key messages, with fixed character sizes.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "grid/GridHost.h"
#include "grid/features/FeatureGrid.h"

namespace gridtest {

template <class Grid = CGXGridCore>
class HostedFeatureGridTest : public ::testing::Test {
 protected:
  void MakeHostedGrid(ROWCOL rows, ROWCOL cols) {
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Grid", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr));
    grid = std::make_unique<Grid>(&wnd);
    grid->Initialize();
    grid->GetParam()->GetData()->StoreRowCount(rows);
    grid->GetParam()->GetData()->StoreColCount(cols);
    grid->m_dxWidth = 8;
    grid->m_dyHeight = 16;
    grid->ResetLastVisible();
    wnd.grid = grid.get();
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    automation::KeyUp(VK_SHIFT);
    automation::KeyUp(VK_CONTROL);
    wnd.grid = nullptr;
    grid.reset();
    wnd.DestroyWindow();
  }
  HWND Hwnd() { return wnd.GetSafeHwnd(); }
  CPoint At(ROWCOL row, ROWCOL col) { return grid->CalcCellRect(row, col).CenterPoint(); }
  CGXRangeList& Selection() { return grid->GetParam()->m_SelRects; }
  void Down(CPoint p, UINT keys = 0) {
    automation::AdvanceClock(1000);  // never a double click
    HoldKeys(keys);
    automation::MouseDown(Hwnd(), p, 0);
    automation::PumpUntilIdle();
  }
  void Move(CPoint p) {
    automation::MouseMove(Hwnd(), p);
    automation::PumpUntilIdle();
  }
  void Up(CPoint p) {
    automation::MouseUp(Hwnd(), p, 0);
    automation::PumpUntilIdle();
    HoldKeys(0);
  }
  void Drag(CPoint from, CPoint to, UINT keys = 0) {
    Down(from, keys);
    Move(to);
    Up(to);
  }
  void Click(CPoint at, UINT keys = 0) { Drag(at, at, keys); }
  // Holds Shift (MK_SHIFT) and Ctrl (MK_CONTROL) as given, releases the rest.
  void HoldKeys(UINT keys) {
    if (keys & MK_SHIFT) automation::KeyDown(VK_SHIFT); else automation::KeyUp(VK_SHIFT);
    if (keys & MK_CONTROL) automation::KeyDown(VK_CONTROL); else automation::KeyUp(VK_CONTROL);
    automation::PumpUntilIdle();
  }
  void Key(UINT vk, bool shift = false) {
    automation::PressKey(vk, shift);
    automation::PumpUntilIdle();
  }

  FeatureLibrary library;
  GridHostWnd wnd;
  std::unique_ptr<Grid> grid;
};

}  // namespace gridtest
