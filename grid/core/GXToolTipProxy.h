// The tool tip of a grid: when the mouse rests over a cell whose style
// carries user attribute 51022 ("Tooltip-Text"), that text shows as a tip.
// A grid without tips holds the do-nothing proxy.
#pragma once

#include "platform/Afx.h"
#include "grid/core/GXRange.h"
#include "platform/commctrl/ToolTipCtrl.h"
#include "platform/framework/CWnd.h"

class CGXGridCore;

class CGXNoToolTipCtrlProxy {
 public:
  virtual ~CGXNoToolTipCtrlProxy() = default;
  virtual void RelayEvent(MSG*) {}
  virtual BOOL OnMouseMove(CPoint) { return FALSE; }
  virtual void OnSize() {}
  virtual void Reset() {}
  virtual BOOL Create() { return FALSE; }
};

class CGXToolTipCtrlProxy : public CGXNoToolTipCtrlProxy {
 public:
  // The id of the invisible tool window and of its one tool.
  static constexpr UINT kToolId = 51085;

  CGXToolTipCtrlProxy(CGXGridCore* grid, CWnd* gridWnd) : m_pGrid(grid), m_pGridWnd(gridWnd) {}
  ~CGXToolTipCtrlProxy() override;
  void RelayEvent(MSG* msg) override;
  BOOL OnMouseMove(CPoint point) override;
  void OnSize() override;
  void Reset() override;
  BOOL Create() override;

  CToolTipCtrl* GetToolTipCtrl() { return m_wndToolTip.GetSafeHwnd() != nullptr ? &m_wndToolTip : nullptr; }
  const CString& GetTipText() const { return m_sText; }
  ROWCOL GetTipRow() const { return m_nRow; }
  ROWCOL GetTipCol() const { return m_nCol; }

 private:
  CGXGridCore* m_pGrid;
  CWnd* m_pGridWnd;
  CWnd m_wndTool;
  CToolTipCtrl m_wndToolTip;
  ROWCOL m_nRow = static_cast<ROWCOL>(-1);
  ROWCOL m_nCol = static_cast<ROWCOL>(-1);
  CString m_sText;
};
