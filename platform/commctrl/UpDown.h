// CSpinButtonCtrl: the framework's thin wrapper of the "msctls_updown32" control.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/window/CommCtrlDefs.h"

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
 public:
  using CWnd::Create;  // the generic forms stay callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(UPDOWN_CLASS, nullptr, style, rect, parent, id);
  }
  void SetRange(short lower, short upper) { SendMessage(UDM_SETRANGE, 0, MAKELONG(static_cast<WORD>(upper), static_cast<WORD>(lower))); }
  void SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
  DWORD GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE)); }
  void GetRange(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
  }
  void GetRange32(int& lower, int& upper) const { GetRange(lower, upper); }
  int SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
  int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
  int GetPos32(BOOL* error = nullptr) const {
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
  }
  CWnd* SetBuddy(CWnd* buddy) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
  }
  CWnd* GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
  int SetBase(int base) { return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base))); }
  UINT GetBase() const { return static_cast<UINT>(SendMessage(UDM_GETBASE)); }
};
