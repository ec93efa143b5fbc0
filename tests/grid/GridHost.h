// A window that passes its keys and mouse messages to a grid the way the
// grid window does, and a windowless cell control that records what the
// grid asks of it; for the current-cell, keyboard and mouse tests.
#pragma once

#include <string>
#include <vector>

#include "grid/GridWindowTest.h"
#include "grid/cells/GXControl.h"
#include "platform/window/Messages.h"

namespace gridtest {

class GridHostWnd : public CWnd {
 public:
  CGXGridCore* grid = nullptr;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (grid != nullptr) {
      const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      const UINT keys = static_cast<UINT>(wParam);
      switch (message) {
        case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_SYSCHAR:
          if (grid->ProcessKeys(this, message, keys, LOWORD(lParam), HIWORD(lParam))) return 0;
          break;
        case WM_LBUTTONDOWN: if (grid->OnGridLButtonDown(keys, point)) return 0; break;
        case WM_LBUTTONUP: if (grid->OnGridLButtonUp(keys, point)) return 0; break;
        case WM_LBUTTONDBLCLK: if (grid->OnGridLButtonDblClk(keys, point)) return 0; break;
        case WM_RBUTTONDOWN: if (grid->OnGridRButtonDown(keys, point)) return 0; break;
        case WM_RBUTTONUP: if (grid->OnGridRButtonUp(keys, point)) return 0; break;
        case WM_MOUSEMOVE: if (grid->OnGridMouseMove(keys, point)) return 0; break;
        case WM_CANCELMODE: grid->OnGridCancelMode(); return 0;
        default: break;
      }
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// A windowless editing cell: typed characters make it active and modified;
// storing writes the typed text into the cell unless told to refuse.
class TestCell : public CGXControl {
 public:
  using CGXControl::CGXControl;
  // Activating starts the edit from the cell's value.
  void SetActive(BOOL on) override {
    if (on && !active && m_bInit) CGXControl::GetValue(typed);
    active = on;
  }
  BOOL IsActive() override { return active; }
  void SetModify(BOOL on) override { modified = on; }
  BOOL GetModify() override { return modified; }
  void GetValue(CString& text) override {
    if (active) text = typed;
    else CGXControl::GetValue(text);
  }
  void SetValue(LPCTSTR text) override { typed = text; }
  void SetCurrentText(const CString& text) override {
    typed = text;
    CGXControl::SetCurrentText(text);
  }
  void Init(ROWCOL row, ROWCOL col) override {
    CGXControl::Init(row, col);
    typed.Empty();
    log.push_back("init " + std::to_string(row) + "," + std::to_string(col));
  }
  BOOL Store() override {
    log.push_back("store");
    if (!storeOk) return FALSE;
    m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), typed, 0, 0);
    modified = FALSE;
    return TRUE;
  }
  BOOL HandleChar(UINT ch, UINT, UINT) override {
    if (ch < ' ') return FALSE;
    active = modified = TRUE;
    typed += static_cast<char>(ch);
    return TRUE;
  }
  BOOL LButtonDown(UINT, CPoint, UINT hit) override { return log.push_back("down " + std::to_string(hit)), FALSE; }
  BOOL LButtonUp(UINT, CPoint, UINT hit) override { return log.push_back("up " + std::to_string(hit)), FALSE; }
  BOOL LButtonDblClk(UINT, CPoint) override { return log.push_back("dblclk"), dblClkHandled; }
  BOOL RButtonDown(UINT, CPoint, UINT) override { return log.push_back("rdown"), FALSE; }
  void OnCancelMode() override { log.push_back("cancel"); }
  BOOL active = FALSE, modified = FALSE, storeOk = TRUE, dblClkHandled = TRUE;
  CString typed;
  std::vector<std::string> log;
};

// An initialised grid in a host window whose every cell is a TestCell.
template <class Grid>
class GridHostTest : public GridWindowTest<Grid, GridHostWnd> {
 protected:
  void MakeHostedGrid(ROWCOL rows, ROWCOL cols) {
    this->MakeGrid(500, 400, rows, cols);
    this->UseFixedCharacter();
    this->wnd.grid = this->grid.get();
    cell = new TestCell(this->grid.get());
    this->grid->RegisterControl(900, cell);
    this->grid->ChangeStandardStyle(CGXStyle().SetControl(900), 0, 0);
    this->grid->FreeObjectCache();
  }
  void TearDown() override {
    this->wnd.grid = nullptr;
    automation::ClearResponder();
    GridWindowTest<Grid, GridHostWnd>::TearDown();
  }
  std::pair<ROWCOL, ROWCOL> Current() {
    ROWCOL r = 0, c = 0;
    if (!this->grid->GetCurrentCell(r, c)) return {0, 0};
    return {r, c};
  }
  TestCell* cell = nullptr;
};

}  // namespace gridtest
