// CTabCtrl: the framework's thin wrapper of the "SysTabControl32" control.
#pragma once

#include "platform/framework/CWnd.h"
#include "platform/window/CommCtrlDefs.h"

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
 public:
  CTabCtrl() = default;
  using CWnd::Create;  // the generic forms stay callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_TABCONTROL, nullptr, style, rect, parent, id);
  }
  int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
  BOOL GetItem(int item, TCITEM* tcItem) const {
    return static_cast<BOOL>(SendMessage(TCM_GETITEM, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(tcItem)));
  }
  BOOL SetItem(int item, TCITEM* tcItem) {
    return static_cast<BOOL>(SendMessage(TCM_SETITEM, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(tcItem)));
  }
  LONG InsertItem(int item, TCITEM* tcItem) {
    return static_cast<LONG>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(tcItem)));
  }
  LONG InsertItem(int item, LPCTSTR text) {
    TCITEM t;
    t.mask = TCIF_TEXT;
    t.pszText = const_cast<LPSTR>(text);
    return InsertItem(item, &t);
  }
  BOOL DeleteItem(int item) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(item))); }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
  BOOL GetItemRect(int item, LPRECT rect) const {
    return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
  }
  int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
  int SetCurSel(int item) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(item))); }
  int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
  void SetCurFocus(int item) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(item)); }
  int HitTest(TCHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
  void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, static_cast<WPARAM>(larger), reinterpret_cast<LPARAM>(rect)); }
};
