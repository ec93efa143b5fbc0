// The CToolTipCtrl wrapper: builds TOOLINFO records and sends the messages.
#include "platform/commctrl/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

CToolTipCtrl::~CToolTipCtrl() { DestroyWindow(); }

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
  RegisterToolTipClass();
  // Tips are pop-ups of their own: they float above every window and never
  // take the focus.
  return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | style, 0, 0, 0,
                  0, parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* wnd, UINT_PTR id) {
  ti = TOOLINFO{};
  if (id == 0 && wnd) {
    // The window itself is the tool; it reports to its parent.
    CWnd* parent = wnd->GetParent();
    ti.hwnd = parent ? parent->GetSafeHwnd() : wnd->GetSafeHwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(wnd->GetSafeHwnd());
    ti.uFlags = TTF_IDISHWND;
  } else {
    ti.hwnd = wnd ? wnd->GetSafeHwnd() : nullptr;
    ti.uId = id;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect, UINT_PTR id) {
  if (!wnd) return FALSE;
  TOOLINFO ti;
  FillInToolInfo(ti, wnd, (rect || id) ? id : 0);
  if (rect) ti.rect = *rect;
  ti.lpszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR id) {
  return AddTool(wnd, MAKEINTRESOURCE(textId), rect, id);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
  TOOLINFO ti;
  FillInToolInfo(ti, wnd, id);
  SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& info, CWnd* wnd, UINT_PTR id) const {
  FillInToolInfo(info, wnd, id);
  return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR id) const {
  TOOLINFO ti;
  FillInToolInfo(ti, wnd, id);
  char buffer[80] = {};
  ti.lpszText = buffer;
  SendMessage(TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&ti));
  text = buffer;
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR id, LPCRECT rect) {
  if (!rect) return;
  TOOLINFO ti;
  FillInToolInfo(ti, wnd, id);
  ti.rect = *rect;
  SendMessage(TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR id) {
  TOOLINFO ti;
  FillInToolInfo(ti, wnd, id);
  ti.lpszText = const_cast<LPSTR>(text);
  SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT textId, CWnd* wnd, UINT_PTR id) {
  UpdateTipText(MAKEINTRESOURCE(textId), wnd, id);
}
