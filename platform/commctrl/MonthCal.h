// CMonthCalCtrl: the framework's thin wrapper of the "SysMonthCal32" control.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/window/CommCtrlDefs.h"

class CMonthCalCtrl : public CWnd {
  DECLARE_DYNAMIC(CMonthCalCtrl)
 public:
  using CWnd::Create;  // the generic forms stay callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(MONTHCAL_CLASS, nullptr, style, rect, parent, id);
  }
  BOOL GetCurSel(LPSYSTEMTIME date) const {
    return static_cast<BOOL>(SendMessage(MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(date)));
  }
  BOOL SetCurSel(const SYSTEMTIME* date) {
    return static_cast<BOOL>(SendMessage(MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(date)));
  }
  BOOL GetToday(LPSYSTEMTIME date) const {
    return static_cast<BOOL>(SendMessage(MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(date)));
  }
  void SetToday(const SYSTEMTIME* date) { SendMessage(MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(date)); }
  BOOL GetMinReqRect(RECT* rect) const {
    return static_cast<BOOL>(SendMessage(MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(rect)));
  }
  COLORREF SetColor(int which, COLORREF colour) {
    return static_cast<COLORREF>(SendMessage(MCM_SETCOLOR, static_cast<WPARAM>(which), static_cast<LPARAM>(colour)));
  }
  COLORREF GetColor(int which) const { return static_cast<COLORREF>(SendMessage(MCM_GETCOLOR, static_cast<WPARAM>(which))); }
  DWORD HitTest(MCHITTESTINFO* info) { return static_cast<DWORD>(SendMessage(MCM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
};
