// The main window: menu, flat tool bar and one-pane status bar in the
// unit's words; its close handler runs the closing checks.
#pragma once

#include "platform/framework/Frame.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/ToolBar.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CMainFrame() = default;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void GetMessageString(UINT nID, CString& message) const override;
  // 0 on success, -1 when the tool bar could not be set.
  int SetUnitMenuTexts();

  CToolBar m_wndToolBar;
  CStatusBar m_wndStatusBar;

 protected:
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnClose() override;
  LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  void OnHelpFinder();
  void OnExit();
  DECLARE_MESSAGE_MAP()
};

// The status-bar prompts and tool tips of the commands.
void InstallCommandStrings();
