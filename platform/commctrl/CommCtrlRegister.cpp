// Registration of the common control classes, and what they share.
#include <cstring>

#include "platform/gfx/GdiApi.h"
#include "platform/commctrl/CommCtrlImpl.h"

void RegisterCommonControlClasses() {
  struct Entry {
    const char* name;
    WNDPROC proc;
    UINT style;
  };
  const Entry entries[] = {
      {WC_TABCONTROL, TabCtrlWindowProc(), CS_DBLCLKS | CS_PARENTDC},
      {WC_HEADER, HeaderWindowProc(), CS_DBLCLKS | CS_PARENTDC},
      {WC_LISTVIEW, ListViewWindowProc(), CS_DBLCLKS | CS_PARENTDC},
      {WC_TREEVIEW, TreeViewWindowProc(), CS_DBLCLKS | CS_PARENTDC},
      {MONTHCAL_CLASS, MonthCalWindowProc(), CS_DBLCLKS | CS_PARENTDC},
      {UPDOWN_CLASS, UpDownWindowProc(), CS_DBLCLKS | CS_PARENTDC},
  };
  for (const Entry& e : entries) {
    WNDCLASS existing;
    if (GetClassInfo(nullptr, e.name, &existing)) continue;
    WNDCLASS wc;
    wc.style = e.style | CS_GLOBALCLASS;
    wc.lpfnWndProc = e.proc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = e.name;
    RegisterClass(&wc);
  }
}

LRESULT SendNotify(HWND control, NMHDR* hdr, UINT code) {
  hdr->hwndFrom = control;
  hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
  hdr->code = code;
  HWND parent = GetParent(control);
  return parent ? SendMessage(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr)) : 0;
}

namespace cc {

void DrawLabel(CDC* dc, HFONT font, const char* text, RECT r, UINT format) {
  HGDIOBJ old = ::SelectObject(dc->GetSafeHdc(), FontOr(font));
  int mode = dc->SetBkMode(TRANSPARENT);
  dc->DrawText(text, static_cast<int>(std::strlen(text)), &r, format);
  dc->SetBkMode(mode);
  ::SelectObject(dc->GetSafeHdc(), old);
}

}  // namespace cc
