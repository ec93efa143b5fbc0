// Registration of the common control classes, and what they share.
#include <climits>
#include <cstring>
#include <utility>

#include "platform/gfx/GdiApi.h"
#include "platform/commctrl/CommCtrlImpl.h"

void RegisterCommonControlClasses() {
  const std::pair<const char*, WNDPROC> entries[] = {
      {WC_TABCONTROL, TabCtrlWindowProc()}, {WC_HEADER, HeaderWindowProc()},
      {WC_LISTVIEW, ListViewWindowProc()},  {WC_TREEVIEW, TreeViewWindowProc()},
      {MONTHCAL_CLASS, MonthCalWindowProc()}, {UPDOWN_CLASS, UpDownWindowProc()},
  };
  for (const auto& [name, proc] : entries) ctl::RegisterControlClass(name, proc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
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

int ScrollTarget(HWND hwnd, int bar, UINT code, int pos, int line, int page) {
  switch (code) {
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_TOP: return INT_MIN / 2;
    case SB_BOTTOM: return INT_MAX / 2;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, bar, &si);
      return si.nTrackPos;
    }
    default: return pos;
  }
}

}  // namespace cc
