#include "records/RecordList.h"

#include <strings.h>

#include <cstring>
#include <string>

#include "platform/framework/CWnd.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

bool RecordList::Attach(CWnd* dlg, int id) {
  CWnd* ctl = dlg ? dlg->GetDlgItem(id) : nullptr;
  m_hwnd = ctl ? ctl->GetSafeHwnd() : nullptr;
  if (!m_hwnd) return false;
  char cls[64] = "";
  GetClassName(m_hwnd, cls, sizeof cls);
  m_listView = strcasecmp(cls, WC_LISTVIEW) == 0;
  return true;
}

void RecordList::Clear() {
  if (!m_hwnd) return;
  SendMessage(m_hwnd, m_listView ? LVM_DELETEALLITEMS : LB_RESETCONTENT, 0, 0);
}

int RecordList::Add(const char* text, LPARAM data) {
  if (!m_hwnd) return -1;
  if (!m_listView) {
    int index = static_cast<int>(SendMessage(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    if (index >= 0) SendMessage(m_hwnd, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return index;
  }
  const std::string all = text ? text : "";
  const int row = Count();
  size_t start = 0;
  for (int column = 0;; ++column) {
    const size_t tab = all.find('\t', start);
    const std::string part = all.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    LVITEM item{};
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(part.c_str());
    if (column == 0) {
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.lParam = data;
      if (SendMessage(m_hwnd, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)) < 0) return -1;
    } else {
      item.mask = LVIF_TEXT;
      SendMessage(m_hwnd, LVM_SETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return row;
}

void RecordList::Remove(int index) {
  if (!m_hwnd || index < 0) return;
  SendMessage(m_hwnd, m_listView ? LVM_DELETEITEM : LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int RecordList::Count() const {
  if (!m_hwnd) return 0;
  return static_cast<int>(SendMessage(m_hwnd, m_listView ? LVM_GETITEMCOUNT : LB_GETCOUNT, 0, 0));
}

int RecordList::Selected() const {
  if (!m_hwnd) return -1;
  if (m_listView) return static_cast<int>(SendMessage(m_hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (GetWindowLong(m_hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    int first = -1;
    return SendMessage(m_hwnd, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) == 1 ? first : -1;
  }
  const int sel = static_cast<int>(SendMessage(m_hwnd, LB_GETCURSEL, 0, 0));
  return sel < 0 ? -1 : sel;
}

void RecordList::Select(int index, bool toTop) {
  if (!m_hwnd) return;
  if (m_listView) {
    LVITEM clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(m_hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (index < 0) return;
    LVITEM set{};
    set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(m_hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&set));
    SendMessage(m_hwnd, LVM_SETSELECTIONMARK, 0, index);
    SendMessage(m_hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    return;
  }
  if (GetWindowLong(m_hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
    SendMessage(m_hwnd, LB_SETSEL, FALSE, -1);
    if (index >= 0) SendMessage(m_hwnd, LB_SETSEL, TRUE, index);
  } else {
    SendMessage(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  if (index >= 0 && toTop) SendMessage(m_hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

LPARAM RecordList::Data(int index) const {
  if (!m_hwnd || index < 0) return -1;
  if (!m_listView) return SendMessage(m_hwnd, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  LVITEM item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  return SendMessage(m_hwnd, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : -1;
}

int RecordList::FindData(LPARAM data) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (Data(i) == data) return i;
  return -1;
}

CString RecordList::Text(int index, int column) const {
  char buf[512] = "";
  if (!m_hwnd || index < 0 || index >= Count()) return CString();
  if (m_listView) {
    LVITEM item{};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessage(m_hwnd, LVM_GETITEMTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return CString(buf);
  }
  const int len = static_cast<int>(SendMessage(m_hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
  if (len < 0) return CString();
  std::string text(static_cast<size_t>(len) + 1, '\0');
  SendMessage(m_hwnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return CString(text.c_str());
}
