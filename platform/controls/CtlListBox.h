// CListBox: the framework's wrapper of a "ListBox" control. Owner-drawn
// lists draw, measure, compare and delete their items in the virtual
// functions below (the parent's messages reflected back).
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
 public:
  CListBox() = default;
  using CWnd::Create;  // the generic form stays callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int GetHorizontalExtent() const { return static_cast<int>(SendMessage(LB_GETHORIZONTALEXTENT)); }
  void SetHorizontalExtent(int extent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent)); }
  int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
  int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
  DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
  void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
  int SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
  }
  int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
  int GetItemRect(int index, LPRECT rect) const {
    return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
  }
  UINT ItemFromPoint(CPoint pt, BOOL& outside) const;
  int SetItemHeight(int index, UINT height) {
    return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELPARAM(static_cast<WORD>(height), 0)));
  }
  int GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index))); }
  int GetSel(int index) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index))); }
  int GetText(int index, LPTSTR buffer) const {
    return static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
  }
  void GetText(int index, CString& text) const;
  int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
  void SetColumnWidth(int width) { SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width)); }
  void SetTabStops() { SendMessage(LB_SETTABSTOPS, 0, 0); }
  BOOL SetTabStops(const int& eachStop) {
    return static_cast<BOOL>(SendMessage(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&eachStop)));
  }
  BOOL SetTabStops(int count, const int* tabStops) {
    return static_cast<BOOL>(SendMessage(LB_SETTABSTOPS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(tabStops)));
  }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int select) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(select))); }
  int SetSel(int index, BOOL select = TRUE) {
    return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(select), index));
  }
  int GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
  int SetCaretIndex(int index, BOOL scroll = TRUE) {
    return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index), MAKELPARAM(scroll ? 0 : 1, 0)));
  }
  int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
  int GetSelItems(int maxItems, LPINT indices) const {
    return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems), reinterpret_cast<LPARAM>(indices)));
  }
  int SelItemRange(BOOL select, int first, int last) {
    return static_cast<int>(SendMessage(LB_SELITEMRANGE, static_cast<WPARAM>(select),
                                        MAKELPARAM(static_cast<WORD>(first), static_cast<WORD>(last))));
  }
  void SetAnchorIndex(int index) { SendMessage(LB_SETANCHORINDEX, static_cast<WPARAM>(index)); }
  int GetAnchorIndex() const { return static_cast<int>(SendMessage(LB_GETANCHORINDEX)); }
  int AddString(LPCTSTR item) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item))); }
  int DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
  int InsertString(int index, LPCTSTR item) {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
  }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int FindString(int startAfter, LPCTSTR item) const {
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(item)));
  }
  int FindStringExact(int startAfter, LPCTSTR item) const {
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(item)));
  }
  int SelectString(int startAfter, LPCTSTR item) {
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(item)));
  }
  int InitStorage(int items, UINT bytes) {
    return static_cast<int>(SendMessage(LB_INITSTORAGE, static_cast<WPARAM>(items), static_cast<LPARAM>(bytes)));
  }

  virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT measureItem);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT compareItem);
  virtual void DeleteItem(LPDELETEITEMSTRUCT deleteItem);
  virtual int VKeyToItem(UINT key, UINT index);
  virtual int CharToItem(UINT key, UINT index);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
