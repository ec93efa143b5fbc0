// CTreeCtrl members that build or read a TVITEM.
#include "platform/commctrl/TreeView.h"

#include <cstring>

#include "platform/commctrl/ItemText.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

namespace {

TVITEM itemOf(HTREEITEM item, UINT mask) {
  TVITEM it;
  it.mask = mask;
  it.hItem = item;
  return it;
}

}  // namespace

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

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
  return ReadItemText([&](LPSTR buffer, int size) {
    TVITEM it = itemOf(item, TVIF_TEXT);
    it.pszText = buffer;
    it.cchTextMax = size;
    GetItem(&it);
    return static_cast<int>(std::strlen(buffer));
  });
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text) {
  TVITEM it = itemOf(item, TVIF_TEXT);
  it.pszText = const_cast<LPSTR>(text);
  return SetItem(&it);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEM it = itemOf(item, TVIF_PARAM);
  return GetItem(&it) ? static_cast<DWORD_PTR>(it.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  TVITEM it = itemOf(item, TVIF_PARAM);
  it.lParam = static_cast<LPARAM>(data);
  return SetItem(&it);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
  TVITEM it = itemOf(item, TVIF_STATE);
  it.stateMask = mask;
  return GetItem(&it) ? it.state & mask : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
  TVITEM it = itemOf(item, TVIF_STATE);
  it.state = state;
  it.stateMask = mask;
  return SetItem(&it);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const {
  TVITEM it = itemOf(item, TVIF_CHILDREN);
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
