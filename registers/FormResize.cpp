#include "registers/FormResize.h"

#include <algorithm>

#include "common/DialogSizer.h"
#include "common/DlgUtil.h"
#include "platform/framework/CWnd.h"
#include "platform/window/Window.h"

void StartFormSize(CWnd* dlg, FormSize& size) {
  RECT r{};
  dlg->GetWindowRect(&r);
  size.minCx = size.lastCx = r.right - r.left;
  size.minCy = size.lastCy = r.bottom - r.top;
}

void ResizeForm(CWnd* dlg, FormSize& size, int listId, std::initializer_list<int> rightIds) {
  RECT r{};
  dlg->GetWindowRect(&r);
  int width = r.right - r.left, height = r.bottom - r.top;
  const bool raised = width < size.minCx || height < size.minCy;
  width = std::max(width, size.minCx);
  height = std::max(height, size.minCy);
  const int dx = width - size.lastCx, dy = height - size.lastCy;
  if (size.firstSize || (dx == 0 && dy == 0)) {
    size.firstSize = 0;
    return;
  }
  size.lastCx = width;
  size.lastCy = height;
  CWnd* list = dlg->GetDlgItem(listId);
  RECT lr{};
  if (list) {
    list->GetWindowRect(&lr);
    dlg->ScreenToClient(&lr);
  }
  for (HWND child = ::GetWindow(dlg->GetSafeHwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    CWnd* wnd = CWnd::FromHandle(child);
    if (id == listId) {
      MoveControlBy(wnd, dx, dy, FALSE);
      continue;
    }
    bool right = false;
    for (int r2 : rightIds) right = right || r2 == id;
    if (right) {
      MoveControlBy(wnd, dx, dy, TRUE);
      continue;
    }
    RECT cr{};
    ::GetWindowRect(child, &cr);
    dlg->ScreenToClient(&cr);
    if (cr.top >= lr.bottom) MoveControlBy(wnd, 0, dy, TRUE);
  }
  dlg->Invalidate();
  if (raised) dlg->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  size.firstSize = 0;
}

void LoadFormPlacement(SettingsSection* section, int* cx, int* cy) {
  *cx = ReadDialogSize(section, 'X');
  *cy = ReadDialogSize(section, 'Y');
}

void SaveFormPlacement(SettingsSection* section, int cx, int cy) {
  WriteDialogSize(section, 'X', cx);
  WriteDialogSize(section, 'Y', cy);
}
