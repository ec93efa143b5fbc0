// A grid window made through the control factory, four columns of 100
// pixels, for driving one kind of cell as a user would; it counts the cell
// buttons clicked.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXGridWnd.h"
#include "platform/testing/Automation.h"

namespace gridtest {

class ButtonCountingGrid : public CGXGridWnd {
 public:
  void OnCellButtonClicked(ROWCOL, ROWCOL) override { ++clicks; }
  int clicks = 0;
};

class CellGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    GXInitLibrary(new CGXControlFactory);
    ASSERT_TRUE(grid.CreateEx(0, "GXWND", nullptr, WS_POPUP | WS_VISIBLE, 100, 100, 500, 300, nullptr, nullptr));
    grid.Initialize();
    grid.SetRowCount(10);
    grid.SetColCount(4);
    for (ROWCOL c = 1; c <= 4; ++c) grid.SetColWidth(c, c, 100);
    grid.SetFocus();
    automation::PumpUntilIdle();
  }
  void TearDown() override {
    grid.DestroyWindow();
    automation::ResetWindows();
  }
  void Column(ROWCOL col, const CGXStyle& style) { grid.ApplyStyle(CGXRange().SetCols(col, col), style); }
  void Current(ROWCOL row, ROWCOL col) {
    grid.SetCurrentCell(row, col);
    automation::PumpUntilIdle();
  }
  void ClickAt(CPoint point) {
    automation::AdvanceClock(600);
    automation::Click(grid.m_hWnd, point);
    automation::PumpUntilIdle();
  }
  void Type(const std::string& text) {
    automation::TypeText(text);
    automation::PumpUntilIdle();
  }
  void Key(UINT vk, bool shift = false, bool ctrl = false, bool alt = false) {
    automation::PressKey(vk, shift, ctrl, alt);
    automation::PumpUntilIdle();
  }
  std::string Value(ROWCOL row, ROWCOL col) { return std::string(grid.GetCellValue(row, col)); }
  // The text the cell shows while it is not being edited.
  std::string Shown(ROWCOL row, ROWCOL col) {
    CGXStyle style;
    grid.ComposeStyleRowCol(row, col, style);
    CString text;
    grid.GetRegisteredControl(style.GetControl())->GetControlText(text, row, col, nullptr, style);
    return std::string(text);
  }
  template <class T>
  T* Control(WORD id) {
    return static_cast<T*>(grid.GetRegisteredControl(id));
  }
  ButtonCountingGrid grid;
};

}  // namespace gridtest
