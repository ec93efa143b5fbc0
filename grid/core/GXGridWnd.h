// The grid as a child window: a framework window and a grid engine in one
// object. The window part does no grid work: it hands each message to the
// engine and falls back to the framework's processing when the engine does
// not handle it. Windows of the class "CGXGridWnd" (from a dialog template)
// get their object on their first message and delete it when destroyed.
#pragma once

#include <set>

#include "grid/core/GXGridCore.h"
#include "platform/framework/CWnd.h"

class CDataExchange;

class CGXGridWnd : public CWnd, public CGXGridCore {
  DECLARE_DYNCREATE(CGXGridWnd)

 public:
  CGXGridWnd();
  ~CGXGridWnd() override;

  // Sets the scroll-bar modes from the window's style (or for a shared
  // scroll-bar parent) and initialises the grid; called once after the
  // window exists.
  void Initialize() override;
  virtual void InitializeGrid();

  // The window's bar (const, the window's slot) and the grid's shared bar
  // (the core's slot) are two operations of one name; both stay visible.
  using CGXGridCore::GetScrollBarCtrl;
  CScrollBar* GetScrollBarCtrl(int bar) const override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  void ShowScrollBar(int bar, BOOL show) override;

  // Draw a 3-D frame around the window on its parent.
  BOOL m_bDraw3dFrame = FALSE;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT type) override;
  void OnDestroy() override;
  BOOL OnEraseBkgnd(CDC* dc) override;
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
  void OnChar(UINT key, UINT repeat, UINT flags) override;
  void OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnSysKeyUp(UINT key, UINT repeat, UINT flags) override;
  void OnSysChar(UINT key, UINT repeat, UINT flags) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnMButtonDown(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnMButtonUp(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMButtonDblClk(UINT flags, CPoint point) override;
  void OnRButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnPaint() override;
  void OnNcPaint() override;
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnShowWindow(BOOL show, UINT status) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  UINT OnGetDlgCode() override;
  void OnCancelMode() override;
  int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message) override;
  void OnWinIniChange(LPCTSTR section) override;
  void OnSettingChange(UINT flags, LPCTSTR section) override;
  void OnSysColorChange() override;
  void OnTimer(UINT_PTR id) override;

 private:
  // Gives the grid window the focus unless it or a child of it has it.
  void FocusForButton();
  void KeyMessage(UINT message, UINT key, UINT repeat, UINT flags);
};

// Registers the window class "CGXGridWnd" once for the module; a failed
// registration raises the resource exception. Returns the class name.
LPCTSTR GXRegisterGridWndClass(HINSTANCE instance);
void GXUnregisterGridWndClass(HINSTANCE instance);
// The procedure of the "CGXGridWnd" class: the first message makes the
// window's grid object.
LRESULT GXGridWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The grid objects made by that procedure, deleted with their windows.
std::set<CGXGridWnd*>& GXAutoCreatedGridWnds();
// The message number of "commdlg_FindReplace".
UINT GXFindReplaceMessage();
// Saving a dialog: fails the exchange (the dialog stays open) while the
// grid's current cell holds an edit that may not be left, else stores it.
void GXDDXGridWnd(CDataExchange* dx, CGXGridWnd* grid);
