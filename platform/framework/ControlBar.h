// CControlBar: a bar along an edge of its frame (tool bar, status bar). It
// takes its share of the frame in RecalcLayout (WM_SIZEPARENT), runs the
// command-UI updates of its items against the frame at idle time, and turns
// fly-by hovering into prompts on the status bar.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/menus/Menu.h"
#include "platform/framework/FrameDefs.h"

class CFrameWnd;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  CControlBar() = default;
  ~CControlBar() override;

  // The bar's size along its edge: the height of a top or bottom bar.
  virtual CSize CalcFixedLayout(BOOL stretch, BOOL horz) = 0;
  // Runs the updates of every item (enabled, checked) against the target.
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;

  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD style) { m_dwStyle = style; }
  CFrameWnd* GetDockingFrame() const;
  BOOL IsVisible() const { return IsWindowVisible(); }

  DWORD m_dwStyle = 0;  // CBRS_ styles
  int m_cxLeftBorder = 0, m_cxRightBorder = 0, m_cyTopBorder = 0, m_cyBottomBorder = 0;
  BOOL m_bAutoDelete = FALSE;

 protected:
  // The frame's window style bits of a bar (the CBRS_ part kept apart).
  static DWORD SplitStyle(DWORD style, DWORD* barStyle);
  BOOL OnEraseBkgnd(CDC* dc) override;
  void PostNcDestroy() override;
  // Sends the prompt of a command (0: the idle prompt) to the frame.
  void SetStatusPrompt(UINT nID);
  // The border lines CBRS_BORDER_ asks for, drawn inside the client area.
  void DrawBorders(CDC* dc, RECT& rect);

  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()
};
