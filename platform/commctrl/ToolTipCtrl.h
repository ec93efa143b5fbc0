// CToolTipCtrl: the thin wrapper of the tool-tip control.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/commctrl/ToolTipDefs.h"

// Registers "tooltips_class32" once; creating a CToolTipCtrl does it too.
void RegisterToolTipClass();

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
 public:
  CToolTipCtrl() = default;
  ~CToolTipCtrl() override;

  // A transient pop-up owned by the parent's top-level window, hidden until
  // a tip shows.
  using CWnd::Create;  // the generic forms stay callable
  virtual BOOL Create(CWnd* parent, DWORD style = 0);

  void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate, 0); }
  // A tool over a rectangle of `wnd` (its whole client area when rect is
  // null and id is 0: then the window itself is the tool).
  BOOL AddTool(CWnd* wnd, LPCTSTR text = LPSTR_TEXTCALLBACK, LPCRECT rect = nullptr, UINT_PTR id = 0);
  BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT rect = nullptr, UINT_PTR id = 0);
  void DelTool(CWnd* wnd, UINT_PTR id = 0);
  BOOL GetToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR id = 0) const;
  void GetText(CString& text, CWnd* wnd, UINT_PTR id = 0) const;
  int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
  void SetToolRect(CWnd* wnd, UINT_PTR id, LPCRECT rect);
  void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR id = 0);
  void UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR id = 0);
  void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
  void Pop() { SendMessage(TTM_POP); }
  void Update() { SendMessage(TTM_UPDATE); }
  int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
  int GetMaxTipWidth() const { return static_cast<int>(SendMessage(TTM_GETMAXTIPWIDTH)); }
  void SetDelayTime(UINT ms) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, ms); }
  void SetDelayTime(DWORD which, int ms) { SendMessage(TTM_SETDELAYTIME, which, ms); }
  int GetDelayTime(DWORD which) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, which)); }

 private:
  static void FillInToolInfo(TOOLINFO& ti, CWnd* wnd, UINT_PTR id);
};
