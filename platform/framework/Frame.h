// CFrameWnd: the main window of a document template. It holds the control
// bars and the view (RecalcLayout gives each bar its share and the view the
// rest), routes commands to the active view, its document, itself and the
// application, runs command-UI updates for its menus and bars, shows command
// prompts on its status bar, translates its accelerators, and lets a
// derived class refuse to close (OnClose).
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/CWnd.h"
#include "platform/menus/Menu.h"
#include "platform/framework/CreateContext.h"
#include "platform/framework/FrameDefs.h"

class CControlBar;

// The window class of frames and views made by the framework (registered
// at the first call): double clicks, the arrow, the window colour behind.
LPCTSTR AfxFrameOrViewClass();
class CDocument;
class CView;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  CFrameWnd() = default;
  ~CFrameWnd() override;

  static const RECT rectDefault;

  // Caption from the string table entry of resId (the text before its first
  // line break), menu and accelerator table of the same id.
  virtual BOOL LoadFrame(UINT resId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                         CCreateContext* context = nullptr);
  using CWnd::Create;  // the generic forms stay callable
  BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCTSTR menuName = nullptr, DWORD exStyle = 0,
              CCreateContext* context = nullptr);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

  // ---- Views and documents ----
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view, BOOL notify = TRUE);
  virtual CDocument* GetActiveDocument();
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
  virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
  virtual void OnUpdateFrameTitle(BOOL addToTitle);

  // ---- Layout and bars ----
  virtual void RecalcLayout(BOOL notify = TRUE);
  void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
  CControlBar* GetControlBar(UINT id);
  // The status bar (the child with id AFX_IDW_STATUS_BAR), null when none.
  virtual CWnd* GetMessageBar();

  // ---- Prompts ----
  // The status-bar prompt of a command: its string-table text up to the
  // first line break (empty when there is none).
  virtual void GetMessageString(UINT nID, CString& message) const;
  void SetMessageText(LPCTSTR text);
  void SetMessageText(UINT nID);
  UINT m_nIDLastMessage = 0;
  // The prompt the status bar should show: a command under the mouse, else
  // the idle prompt; idle time brings the bar back to it.
  UINT m_nIDTracking = AFX_IDS_IDLEMESSAGE;

  // ---- Icons ----
  HICON SetIcon(HICON icon, BOOL big);
  HICON GetIcon(BOOL big) const;

  HACCEL m_hAccelTable = nullptr;
  BOOL m_bAutoMenuEnable = TRUE;
  CString m_strTitle;

  // F1 help (map ID_HELP to it): asks the frame with WM_COMMANDHELP, lParam
  // the help context of the command whose prompt shows (HID_BASE_COMMAND +
  // id), 0 when none. A frame answering nonzero has given the help; an
  // unanswered request goes to the application's WinHelp (the context, or
  // the finder without one).
  void OnHelp();

  // Command handlers of the bar menu items (ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR).
  BOOL OnBarCheck(UINT nID);
  void OnUpdateControlBarMenu(CCmdUI* cmdUI);

 protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnClose() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) override;
  void PostNcDestroy() override;

  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
  LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetIconMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetIconMessage(WPARAM wParam, LPARAM lParam);
  // A tool tip asks for a command's tip: its string-table text after the
  // line break.
  void OnToolTipText(UINT id, NMHDR* nm, LRESULT* result);

  CView* m_pViewActive = nullptr;
  UINT m_nIDHelp = 0;
  HICON m_hIconBig = nullptr;
  HICON m_hIconSmall = nullptr;

  DECLARE_MESSAGE_MAP()

 private:
  CCreateContext* creating_ = nullptr;
};
