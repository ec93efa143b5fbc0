// CStatusBar: the frame's status bar. Its panes come from a list of ids
// (ID_SEPARATOR for the stretching prompt pane, else a string id whose text
// sizes the pane and is shown in it); the first pane shows the frame's
// prompts.
#pragma once

#include <vector>

#include "platform/framework/BarDefs.h"
#include "platform/framework/ControlBar.h"

// Pane styles.
#define SBPS_NORMAL    0x0000u
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT    SBT_POPOUT
#define SBPS_OWNERDRAW 0x1000u
#define SBPS_DISABLED  0x04000000u
#define SBPS_STRETCH   0x08000000u

void RegisterStatusBarClass();
int StatusBarHeight(HWND bar);

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar() = default;
  ~CStatusBar() override;

  using CControlBar::Create;  // the generic forms stay callable
  virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
  virtual BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = 0, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT id = AFX_IDW_STATUS_BAR);
  BOOL SetIndicators(const UINT* ids, int count);

  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  int GetCount() const { return static_cast<int>(panes_.size()); }
  CString GetPaneText(int index) const;
  void GetPaneText(int index, CString& text) const { text = GetPaneText(index); }
  BOOL SetPaneText(int index, LPCTSTR text, BOOL update = TRUE);
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  UINT GetPaneStyle(int index) const;
  void SetPaneStyle(int index, UINT style);

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

 protected:
  void OnSize(UINT type, int cx, int cy) override;

 private:
  struct Pane {
    UINT id = 0;
    UINT style = SBPS_NORMAL;
    int width = 0;
    CString text;
  };
  std::vector<Pane> panes_;
  // Gives the control the parts: fixed panes at their widths from the right,
  // the stretching pane the rest.
  void UpdateParts();
  void SendPaneText(int index);
};
