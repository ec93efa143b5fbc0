// CWnd: the C++ object of a window.
//
// Messages reach a CWnd through AfxWndProc -> WindowProc -> OnWndMsg, which
// consults the message map (commands, notifications, private messages) and
// then calls the virtual handler of the message (OnPaint, OnKeyDown, ...).
// Every handler's base version passes the message on to Default(), that is
// to the window procedure the object replaced (the class's own procedure
// for a subclassed control) or to ::DefWindowProc.
//
// A CWnd is permanent when it is attached to a window (Create, Attach,
// SubclassWindow); FromHandle makes temporary objects for other windows,
// deleted when the loop is idle.
#pragma once

#include "platform/framework/CCmdTarget.h"
#include "platform/base/CString.h"
#include "platform/window/CtlDefs.h"
#include "platform/base/Geometry.h"
#include "platform/window/Messages.h"
#include "platform/window/Painting.h"
#include "platform/window/Window.h"

class CDC;
class CFont;
class CMenu;
class CScrollBar;
class CRgn;

// CWnd::m_nFlags bits.
#define WF_CONTINUEMODAL 0x0001u
#define WF_MODALLOOP     0x0002u

// RunModalLoop flags.
#define MLF_NOIDLEMSG     0x0001u
#define MLF_NOKICKIDLE    0x0002u
#define MLF_SHOWONIDLE    0x0004u

// The window procedure of every window that has a permanent CWnd.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)
 public:
  CWnd();
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }
  BOOL operator==(const CWnd& other) const { return other.m_hWnd == m_hWnd; }
  BOOL operator!=(const CWnd& other) const { return other.m_hWnd != m_hWnd; }

  // ---- Handle map ----
  static CWnd* FromHandle(HWND hwnd);           // permanent or temporary object; null for null
  static CWnd* FromHandlePermanent(HWND hwnd);  // null when none
  static void DeleteTempMap();
  BOOL Attach(HWND hwnd);
  HWND Detach();
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // ---- Creation ----
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      void* context = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id, LPVOID param = nullptr);
  virtual BOOL DestroyWindow();
  virtual void PostNcDestroy();
  virtual void PreSubclassWindow();

  // ---- Text ----
  void SetWindowText(LPCTSTR text);
  int GetWindowText(LPTSTR buffer, int maxCount) const;
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const;
  void SetFont(CFont* font, BOOL redraw = TRUE);
  CFont* GetFont() const;

  // ---- Styles ----
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
  static BOOL ModifyStyle(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags);
  static BOOL ModifyStyleEx(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags);
  LONG GetWindowLong(int index) const { return ::GetWindowLong(m_hWnd, index); }
  LONG SetWindowLong(int index, LONG value) { return ::SetWindowLong(m_hWnd, index, value); }
  LONG_PTR GetWindowLongPtr(int index) const { return ::GetWindowLongPtr(m_hWnd, index); }
  LONG_PTR SetWindowLongPtr(int index, LONG_PTR value) { return ::SetWindowLongPtr(m_hWnd, index, value); }

  // ---- Visibility and state ----
  BOOL ShowWindow(int cmd);
  BOOL IsWindowVisible() const;
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  BOOL IsChild(const CWnd* wnd) const;

  // ---- Geometry ----
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void GetClientRect(LPRECT rect) const;
  void GetWindowRect(LPRECT rect) const;
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const { return ::GetWindowPlacement(m_hWnd, placement); }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement) { return ::SetWindowPlacement(m_hWnd, placement); }
  void ClientToScreen(LPPOINT pt) const;
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT pt) const;
  void ScreenToClient(LPRECT rect) const;
  void MapWindowPoints(CWnd* to, LPPOINT pts, UINT count) const;
  void MapWindowPoints(CWnd* to, LPRECT rect) const;
  CWnd* ChildWindowFromPoint(POINT pt) const;
  CWnd* ChildWindowFromPoint(POINT pt, UINT flags) const;
  static CWnd* WindowFromPoint(POINT pt);
  void BringWindowToTop();
  void CenterWindow(CWnd* alternateOwner = nullptr);

  // ---- Tree ----
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* newParent);
  CWnd* GetOwner() const;
  void SetOwner(CWnd* owner);
  CWnd* GetTopLevelParent() const;
  CWnd* GetParentOwner() const;
  CWnd* GetWindow(UINT cmd) const;
  CWnd* GetTopWindow() const;
  CWnd* GetNextWindow(UINT cmd = GW_HWNDNEXT) const { return GetWindow(cmd); }
  CWnd* GetDlgItem(int id) const;
  void GetDlgItem(int id, HWND* out) const;
  int GetDlgCtrlID() const;
  int SetDlgCtrlID(int id);
  static CWnd* GetDesktopWindow();
  static CWnd* GetForegroundWindow();

  // ---- Dialog items (any parent window: dialogs, form views, property pages) ----
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  void SetDlgItemText(int nID, LPCTSTR text);
  int GetDlgItemText(int nID, LPTSTR buffer, int maxCount) const;
  int GetDlgItemText(int nID, CString& text) const;
  void SetDlgItemInt(int nID, UINT value, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* translated = nullptr, BOOL bSigned = TRUE) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

  // ---- Focus, capture, activation ----
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetCapture();
  static CWnd* GetCapture();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  BOOL SetForegroundWindow();

  // ---- Timers ----
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr);
  BOOL KillTimer(UINT_PTR id);

  // ---- Painting ----
  void Invalidate(BOOL erase = TRUE);
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  void InvalidateRgn(CRgn* rgn, BOOL erase = TRUE);
  void ValidateRect(LPCRECT rect);
  void ValidateRgn(CRgn* rgn);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* rgn = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
  void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr);
  int ScrollWindowEx(int dx, int dy, LPCRECT scroll, LPCRECT clip, CRgn* update, LPRECT updateRect, UINT flags);
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* dc);
  void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw, 0); }

  // ---- Scroll bars ----
  // The window's own bars (SB_HORZ, SB_VERT), or the scroll-bar control that
  // GetScrollBarCtrl names for the bar (a sibling shared with other panes).
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);
  int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
  int GetScrollPos(int bar) const;
  void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
  void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
  void ShowScrollBar(UINT bar, BOOL show = TRUE);
  // Shows or hides the window's own bar; enables or disables a control bar.
  void EnableScrollBarCtrl(int bar, BOOL enable = TRUE);
  BOOL EnableScrollBar(int sbFlags, UINT arrowFlags = ESB_ENABLE_BOTH);
  // The largest position the bar can reach (its maximum less the page).
  int GetScrollLimit(int bar);
  virtual CScrollBar* GetScrollBarCtrl(int bar) const;

  // ---- Caret ----
  void CreateSolidCaret(int width, int height);
  void CreateGrayCaret(int width, int height) { CreateSolidCaret(width, height); }
  void ShowCaret();
  void HideCaret();
  static void SetCaretPos(POINT pt);
  static CPoint GetCaretPos();
  static void DestroyCaret() { ::DestroyCaret(); }

  // ---- Messages ----
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                BOOL permanentOnly = FALSE);
  static void SendMessageToDescendants(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL deep,
                                       BOOL permanentOnly);
  int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = 0);

  // ---- Modal loop ----
  int RunModalLoop(DWORD flags = 0);
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int result);

  // ---- Dispatch ----
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Gives the message to PreTranslateMessage of the window and its parents
  // up to (and including) hwndStop; TRUE when one of them took it.
  static BOOL WalkPreTranslateTree(HWND hwndStop, MSG* msg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // A notification from this window to its parent comes back here first;
  // TRUE when the control handled it itself.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  static BOOL ReflectLastMsg(HWND child, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  // The message being processed by the innermost window procedure call.
  static const MSG* GetCurrentMessage();

  UINT m_nFlags = 0;
  WNDPROC m_pfnSuper = nullptr;  // the procedure this object replaced
  int m_nModalResult = -1;

 protected:
  // ---- Handlers (framework signatures) ----
  virtual int OnCreate(LPCREATESTRUCT cs);
  virtual BOOL OnNcCreate(LPCREATESTRUCT cs);
  virtual void OnDestroy();
  virtual void OnNcDestroy();
  virtual void OnClose();
  virtual void OnPaint();
  virtual void OnNcPaint();
  virtual BOOL OnEraseBkgnd(CDC* dc);
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnMove(int x, int y);
  virtual void OnShowWindow(BOOL show, UINT status);
  virtual void OnEnable(BOOL enable);
  virtual void OnSetFocus(CWnd* oldWnd);
  virtual void OnKillFocus(CWnd* newWnd);
  virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
  virtual BOOL OnNcActivate(BOOL active);
  virtual int OnMouseActivate(CWnd* desktopWnd, UINT hitTest, UINT message);
  virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  virtual void OnMouseMove(UINT nFlags, CPoint point);
  virtual void OnLButtonDown(UINT nFlags, CPoint point);
  virtual void OnLButtonUp(UINT nFlags, CPoint point);
  virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
  virtual void OnRButtonDown(UINT nFlags, CPoint point);
  virtual void OnRButtonUp(UINT nFlags, CPoint point);
  virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
  virtual void OnMButtonDown(UINT nFlags, CPoint point);
  virtual void OnMButtonUp(UINT nFlags, CPoint point);
  virtual void OnMButtonDblClk(UINT nFlags, CPoint point);
  virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
  virtual LRESULT OnNcHitTest(CPoint point);
  virtual void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
  virtual void OnNcMouseMove(UINT hitTest, CPoint point);
  virtual void OnNcLButtonDown(UINT hitTest, CPoint point);
  virtual void OnNcLButtonUp(UINT hitTest, CPoint point);
  virtual void OnNcLButtonDblClk(UINT hitTest, CPoint point);
  virtual void OnNcRButtonDown(UINT hitTest, CPoint point);
  virtual void OnNcRButtonUp(UINT hitTest, CPoint point);
  virtual void OnNcMButtonDown(UINT hitTest, CPoint point);
  virtual void OnTimer(UINT_PTR nIDEvent);
  virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* scrollBar);
  virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* scrollBar);
  virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  virtual UINT OnGetDlgCode();
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  virtual void OnCancelMode();
  virtual void OnCaptureChanged(CWnd* wnd);
  virtual void OnSysColorChange();
  virtual void OnSettingChange(UINT flags, LPCTSTR section);
  virtual void OnWinIniChange(LPCTSTR section);
  virtual void OnGetMinMaxInfo(MINMAXINFO* mmi);
  virtual void OnWindowPosChanging(WINDOWPOS* pos);
  virtual void OnWindowPosChanged(WINDOWPOS* pos);
  virtual void OnContextMenu(CWnd* wnd, CPoint point);
  virtual void OnSysCommand(UINT nID, LPARAM lParam);
  virtual void OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis);
  virtual void OnMeasureItem(int idCtl, LPMEASUREITEMSTRUCT mis);
  virtual int OnCompareItem(int idCtl, LPCOMPAREITEMSTRUCT cis);
  virtual void OnDeleteItem(int idCtl, LPDELETEITEMSTRUCT dis);
  virtual void OnParentNotify(UINT message, LPARAM lParam);
  virtual void OnInitMenu(CMenu* menu);
  virtual void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
  virtual BOOL OnCopyData(CWnd* wnd, COPYDATASTRUCT* data);
  virtual void OnStyleChanged(int styleType, LPSTYLESTRUCT styles);
  virtual void OnStyleChanging(int styleType, LPSTYLESTRUCT styles);

  DECLARE_MESSAGE_MAP()

 private:
  friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  friend struct CWndAccess;
};

// Objects for handles that the menus and the scroll-bar control provide;
// until they are installed, handlers receive null for those arguments.
extern CMenu* (*AfxMenuFromHandle)(HMENU menu);
extern CScrollBar* (*AfxScrollBarFromHandle)(HWND hwnd);

// Pumps one message through the application's PreTranslateMessage chain;
// FALSE on WM_QUIT.
BOOL AfxPumpMessage();
