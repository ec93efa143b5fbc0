// CComboBox: the framework's wrapper of a "ComboBox" control.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
 public:
  CComboBox() = default;
  using CWnd::Create;  // the generic form stays callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int select) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(select))); }
  DWORD GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
  BOOL LimitText(int max) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(max))); }
  BOOL SetEditSel(int start, int end) {
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(end))));
  }
  DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index))); }
  void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index))); }
  int SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
  }
  int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
  int GetLBText(int index, LPTSTR buffer) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
  }
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))); }
  int SetItemHeight(int index, UINT height) {
    return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(static_cast<WORD>(height), 0)));
  }
  int GetItemHeight(int index) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
  int FindStringExact(int startAfter, LPCTSTR text) const {
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
  }
  int SetExtendedUI(BOOL extended = TRUE) { return static_cast<int>(SendMessage(CB_SETEXTENDEDUI, static_cast<WPARAM>(extended))); }
  BOOL GetExtendedUI() const { return static_cast<BOOL>(SendMessage(CB_GETEXTENDEDUI)); }
  void GetDroppedControlRect(LPRECT rect) const { SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(rect)); }
  BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
  void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(show)); }
  int SetDroppedWidth(UINT width) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, width)); }
  int GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
  int SetTopIndex(int index) { return static_cast<int>(SendMessage(CB_SETTOPINDEX, static_cast<WPARAM>(index))); }
  int GetTopIndex() const { return static_cast<int>(SendMessage(CB_GETTOPINDEX)); }
  void SetHorizontalExtent(UINT extent) { SendMessage(CB_SETHORIZONTALEXTENT, extent); }
  UINT GetHorizontalExtent() const { return static_cast<UINT>(SendMessage(CB_GETHORIZONTALEXTENT)); }
  int InitStorage(int items, UINT bytes) {
    return static_cast<int>(SendMessage(CB_INITSTORAGE, static_cast<WPARAM>(items), static_cast<LPARAM>(bytes)));
  }
  int AddString(LPCTSTR text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
  int DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
  int InsertString(int index, LPCTSTR text) {
    return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
  }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int FindString(int startAfter, LPCTSTR text) const {
    return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
  }
  int SelectString(int startAfter, LPCTSTR text) {
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
  }
  void Clear() { SendMessage(WM_CLEAR); }
  void Copy() { SendMessage(WM_COPY); }
  void Cut() { SendMessage(WM_CUT); }
  void Paste() { SendMessage(WM_PASTE); }

  virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT measureItem);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT compareItem);
  virtual void DeleteItem(LPDELETEITEMSTRUCT deleteItem);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
