// CListCtrl and CHeaderCtrl: the framework's thin wrappers of the
// "SysListView32" (report mode) and "SysHeader32" controls.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/CWnd.h"
#include "platform/base/Collections.h"
#include "platform/window/CommCtrlDefs.h"

class CHeaderCtrl : public CWnd {
  DECLARE_DYNAMIC(CHeaderCtrl)
 public:
  using CWnd::Create;  // the generic forms stay callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_HEADER, nullptr, style, rect, parent, id);
  }
  int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
  int InsertItem(int pos, HDITEM* item) {
    return static_cast<int>(SendMessage(HDM_INSERTITEM, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(item)));
  }
  BOOL DeleteItem(int pos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(pos))); }
  BOOL GetItem(int pos, HDITEM* item) const {
    return static_cast<BOOL>(SendMessage(HDM_GETITEM, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(item)));
  }
  BOOL SetItem(int pos, HDITEM* item) {
    return static_cast<BOOL>(SendMessage(HDM_SETITEM, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(item)));
  }
  BOOL GetItemRect(int pos, LPRECT rect) const {
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(pos), reinterpret_cast<LPARAM>(rect)));
  }
  BOOL Layout(HDLAYOUT* layout) { return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout))); }
};

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
 public:
  CListCtrl() = default;
  ~CListCtrl() override;
  using CWnd::Create;  // the generic forms stay callable
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTVIEW, nullptr, style, rect, parent, id);
  }

  // Columns.
  int InsertColumn(int col, const LVCOLUMN* column) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(column)));
  }
  int InsertColumn(int col, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  BOOL DeleteColumn(int col) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(col))); }
  BOOL GetColumn(int col, LVCOLUMN* column) const {
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(column)));
  }
  BOOL SetColumn(int col, const LVCOLUMN* column) {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(column)));
  }
  int GetColumnWidth(int col) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(col))); }
  BOOL SetColumnWidth(int col, int cx) {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(col), MAKELPARAM(static_cast<WORD>(cx), 0)));
  }
  CHeaderCtrl* GetHeaderCtrl() const;

  // Items.
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  int InsertItem(const LVITEM* item) { return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(item))); }
  int InsertItem(int item, LPCTSTR text);
  int InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param);
  BOOL DeleteItem(int item) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item))); }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
  BOOL GetItem(LVITEM* item) const { return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(item))); }
  BOOL SetItem(const LVITEM* item) { return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(item))); }
  BOOL SetItemText(int item, int subItem, LPCTSTR text);
  CString GetItemText(int item, int subItem) const;
  int GetItemText(int item, int subItem, LPTSTR text, int len) const;
  BOOL SetItemData(int item, DWORD_PTR data);
  DWORD_PTR GetItemData(int item) const;
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
  }
  int GetNextItem(int item, int flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(item), static_cast<LPARAM>(flags)));
  }
  UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
  // Selected items in order: the position is the item index + 1.
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int item) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, item)); }
  int FindItem(LVFINDINFO* info, int start = -1) const {
    return static_cast<int>(SendMessage(LVM_FINDITEM, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(info)));
  }
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
  }

  // View.
  BOOL EnsureVisible(int item, BOOL partialOk) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk));
  }
  int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
  int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
  BOOL Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy)); }
  BOOL RedrawItems(int first, int last) {
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
  }
  BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
  int HitTest(LVHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
  int HitTest(CPoint pt, UINT* flags = nullptr) const;
  int SubItemHitTest(LVHITTESTINFO* info) {
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
  DWORD SetExtendedStyle(DWORD style) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
  }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  int GetStringWidth(LPCTSTR text) const {
    return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(text)));
  }
  COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
  BOOL SetBkColor(COLORREF c) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(c))); }
  COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
  BOOL SetTextColor(COLORREF c) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(c))); }
  COLORREF GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
  BOOL SetTextBkColor(COLORREF c) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(c))); }

 private:
  mutable CHeaderCtrl header_;  // attached to the list's header at the first GetHeaderCtrl
};
