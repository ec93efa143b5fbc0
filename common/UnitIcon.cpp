#include "common/UnitIcon.h"

#include "common/UnitVocab.h"
#include "platform/framework/CWnd.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Window.h"

void ShowUnitIcon(CWnd* dlg, int iconControlId) {
  CWnd* icon = dlg->GetDlgItem(iconControlId);
  if (icon == nullptr) return;
  HICON handle = ::LoadIcon(nullptr, MAKEINTRESOURCE(UnitIconId));
  icon->SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(handle), 0);
}
