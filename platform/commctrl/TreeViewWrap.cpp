// CTreeCtrl members that build or read a TVITEM.
#include "platform/commctrl/TreeView.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after) {
  return InsertItem(TVIF_TEXT, text, 0, 0, 0, 0, 0, parent, after);
}

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCTSTR text, int image, int selImage, UINT state, UINT stateMask,
                                LPARAM param, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCT in;
  in.hParent = parent;
  in.hInsertAfter = after;
  in.item.mask = mask;
  in.item.pszText = const_cast<LPSTR>(text);
  in.item.iImage = image;
  in.item.iSelectedImage = selImage;
  in.item.state = state;
  in.item.stateMask = stateMask;
  in.item.lParam = param;
  return InsertItem(&in);
}

// Grows the buffer until the text fits.
CString CTreeCtrl::GetItemText(HTREEITEM item) const {
  CString s;
  for (int size = 256;; size *= 2) {
    TVITEM it;
    it.mask = TVIF_TEXT;
    it.hItem = item;
    it.pszText = s.GetBuffer(size);
    it.cchTextMax = size;
    it.pszText[0] = 0;
    GetItem(&it);
    s.ReleaseBuffer();
    if (s.GetLength() < size - 1) return s;
  }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text) {
  TVITEM it;
  it.mask = TVIF_TEXT;
  it.hItem = item;
  it.pszText = const_cast<LPSTR>(text);
  return SetItem(&it);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEM it;
  it.mask = TVIF_PARAM;
  it.hItem = item;
  return GetItem(&it) ? static_cast<DWORD_PTR>(it.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  TVITEM it;
  it.mask = TVIF_PARAM;
  it.hItem = item;
  it.lParam = static_cast<LPARAM>(data);
  return SetItem(&it);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
  TVITEM it;
  it.mask = TVIF_STATE;
  it.hItem = item;
  it.stateMask = mask;
  return GetItem(&it) ? it.state & mask : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
  TVITEM it;
  it.mask = TVIF_STATE;
  it.hItem = item;
  it.state = state;
  it.stateMask = mask;
  return SetItem(&it);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
  TVITEM it;
  it.mask = TVIF_CHILDREN;
  it.hItem = item;
  return GetItem(&it) && it.cChildren != 0;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
  if (!rect) return FALSE;
  *reinterpret_cast<HTREEITEM*>(rect) = item;
  return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, static_cast<WPARAM>(textOnly), reinterpret_cast<LPARAM>(rect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* flags) const {
  TVHITTESTINFO info;
  info.pt = pt;
  auto h = reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags) *flags = info.flags;
  return h;
}
