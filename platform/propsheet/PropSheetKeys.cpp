// CPropertySheet: the keyboard interface of the sheet and its active page.
// Tab walks the tab control, the page's controls and the buttons as one
// ring; Ctrl+Tab and Ctrl+PgDn/PgUp turn the pages; other keys go to the
// dialog manager of the page that holds the focus, Enter and Esc to the
// sheet's buttons.
#include <algorithm>
#include <vector>

#include "platform/window/CtlDefs.h"
#include "platform/propsheet/PropSheet.h"

namespace {

bool tabStop(HWND h) {
  DWORD st = static_cast<DWORD>(GetWindowLong(h, GWL_STYLE));
  return (st & WS_TABSTOP) && IsWindowVisible(h) && IsWindowEnabled(h);
}

}  // namespace

// The focus moves to the next (or previous) tab stop of the ring: the tab
// control, the active page's controls, then the sheet's other controls.
bool CPropertySheet::tabKey(bool back) {
  HWND pageWnd = active_ >= 0 ? pages_[active_]->m_hWnd : nullptr;
  std::vector<HWND> ring;
  if (tab_.m_hWnd && tabStop(tab_.m_hWnd)) ring.push_back(tab_.m_hWnd);
  if (pageWnd)
    for (HWND k = ::GetWindow(pageWnd, GW_CHILD); k; k = ::GetWindow(k, GW_HWNDNEXT))
      if (tabStop(k)) ring.push_back(k);
  for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
    if (c != pageWnd && c != tab_.m_hWnd && tabStop(c)) ring.push_back(c);
  if (ring.empty()) return true;
  HWND focus = ::GetFocus();
  while (focus && ::GetParent(focus) != m_hWnd && ::GetParent(focus) != pageWnd) focus = ::GetParent(focus);
  auto at = std::find(ring.begin(), ring.end(), focus);
  int n = static_cast<int>(ring.size());
  int i = at == ring.end() ? (back ? n - 1 : 0) : (static_cast<int>(at - ring.begin()) + (back ? n - 1 : 1)) % n;
  HWND target = ring[i];
  DlgSetFocus(::GetParent(target), target);
  return true;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
  if (!m_hWnd || !msg || (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))) return FALSE;
  HWND pageWnd = active_ >= 0 ? pages_[active_]->m_hWnd : nullptr;
  if (msg->message == WM_KEYDOWN) {
    bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    UINT vk = static_cast<UINT>(msg->wParam);
    if (ctrl && (vk == VK_TAB || vk == VK_NEXT || vk == VK_PRIOR) && !IsWizard()) {
      int step = (vk == VK_PRIOR || (vk == VK_TAB && shift)) ? -1 : 1;
      int n = GetPageCount();
      if (n > 0) activate((active_ + step + n) % n, true);
      return TRUE;
    }
    if (vk == VK_TAB && !ctrl) {
      UINT code = static_cast<UINT>(::SendMessage(msg->hwnd, WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(msg)));
      if (!(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))) return tabKey(shift);
    }
  }
  bool inPage = pageWnd && ::IsChild(pageWnd, msg->hwnd);
  bool enterOrEsc = (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) &&
                    (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
  if (inPage && !enterOrEsc) return ::IsDialogMessage(pageWnd, msg);
  if (inPage) {
    UINT code = static_cast<UINT>(::SendMessage(msg->hwnd, WM_GETDLGCODE, 0, 0));
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) return ::IsDialogMessage(pageWnd, msg);
  }
  return CDialog::PreTranslateMessage(msg);
}
