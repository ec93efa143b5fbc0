// CListCtrl and CHeaderCtrl members that take more than one message.
#include "platform/commctrl/ListView.h"

#include "platform/commctrl/ItemText.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int col, LPCTSTR heading, int format, int width, int subItem) {
  LVCOLUMN c;
  c.mask = LVCF_TEXT | LVCF_FMT;
  c.pszText = const_cast<LPSTR>(heading);
  c.fmt = format;
  if (width >= 0) c.mask |= LVCF_WIDTH, c.cx = width;
  if (subItem >= 0) c.mask |= LVCF_SUBITEM, c.iSubItem = subItem;
  return InsertColumn(col, &c);
}

CListCtrl::~CListCtrl() {
  if (header_.m_hWnd) header_.Detach();
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  HWND h = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  if (!h) return nullptr;
  if (header_.m_hWnd != h) {
    if (header_.m_hWnd) header_.Detach();
    header_.Attach(h);
  }
  return &header_;
}

int CListCtrl::InsertItem(int item, LPCTSTR text) { return InsertItem(LVIF_TEXT, item, text, 0, 0, 0, 0); }

int CListCtrl::InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param) {
  LVITEM it;
  it.mask = mask;
  it.iItem = item;
  it.pszText = const_cast<LPSTR>(text);
  it.state = state;
  it.stateMask = stateMask;
  it.iImage = image;
  it.lParam = param;
  return InsertItem(&it);
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text) {
  LVITEM it;
  it.iSubItem = subItem;
  it.pszText = const_cast<LPSTR>(text);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

int CListCtrl::GetItemText(int item, int subItem, LPTSTR text, int len) const {
  LVITEM it;
  it.iSubItem = subItem;
  it.pszText = text;
  it.cchTextMax = len;
  return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

CString CListCtrl::GetItemText(int item, int subItem) const {
  return ReadItemText([&](LPSTR buffer, int size) { return GetItemText(item, subItem, buffer, size); });
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
  LVITEM it;
  it.mask = LVIF_PARAM;
  it.iItem = item;
  it.lParam = static_cast<LPARAM>(data);
  return SetItem(&it);
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
  LVITEM it;
  it.mask = LVIF_PARAM;
  it.iItem = item;
  return GetItem(&it) ? static_cast<DWORD_PTR>(it.lParam) : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  LVITEM it;
  it.state = state;
  it.stateMask = mask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int i = GetNextItem(-1, LVNI_SELECTED);
  return reinterpret_cast<POSITION>(static_cast<INT_PTR>(i + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  int i = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
  int next = GetNextItem(i, LVNI_SELECTED);
  pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
  return i;
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const {
  if (!rect) return FALSE;
  rect->left = static_cast<LONG>(code);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)));
}

int CListCtrl::HitTest(CPoint pt, UINT* flags) const {
  LVHITTESTINFO info;
  info.pt = pt;
  int i = HitTest(&info);
  if (flags) *flags = info.flags;
  return i;
}
