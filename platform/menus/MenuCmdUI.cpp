// Command-UI updates: each command item is offered to the target's
// ON_UPDATE_COMMAND_UI entries, which set its state through CCmdUI.
#include "platform/window/CtlDefs.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuImpl.h"

namespace {

MenuItemRec* item(CCmdUI* ui) {
  if (!ui->m_pMenu || ui->m_pSubMenu) return nullptr;
  return menus::Find(ui->m_pMenu->m_hMenu, ui->m_nIndex, MF_BYPOSITION);
}

}  // namespace

void CCmdUI::Enable(BOOL on) {
  if (MenuItemRec* r = item(this)) r->flags = (r->flags & ~(MF_GRAYED | MF_DISABLED)) | (on ? 0 : MF_GRAYED);
  else if (m_pOther) m_pOther->EnableWindow(on);
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
  if (MenuItemRec* r = item(this)) r->flags = (r->flags & ~MF_CHECKED) | (check ? MF_CHECKED : 0);
  else if (m_pOther) m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(check), 0);
}

void CCmdUI::SetRadio(BOOL on) { SetCheck(on ? 1 : 0); }

void CCmdUI::SetText(LPCTSTR text) {
  if (MenuItemRec* r = item(this)) r->text = text ? text : "";
  else if (m_pOther) m_pOther->SetWindowText(text);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
  if (!target || m_nID == 0 || m_nID == static_cast<UINT>(-1)) return TRUE;
  m_bEnableChanged = FALSE;
  BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (!handled && disableIfNoHandler && !m_bEnableChanged) {
    // Enabled when a command handler exists anywhere along the target's
    // routing (a frame's view and document included).
    AFX_CMDHANDLERINFO info;
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
  }
  return handled;
}

void AfxUpdateMenuPopup(CCmdTarget* target, CMenu* popup, BOOL disableIfNoHandler) {
  if (!target || !popup || !popup->m_hMenu) return;
  CCmdUI ui;
  ui.m_pMenu = popup;
  ui.m_nIndexMax = popup->GetMenuItemCount();
  for (ui.m_nIndex = 0; ui.m_nIndex < ui.m_nIndexMax; ++ui.m_nIndex) {
    ui.m_nID = popup->GetMenuItemID(static_cast<int>(ui.m_nIndex));
    if (ui.m_nID == 0 || ui.m_nID == static_cast<UINT>(-1)) continue;  // separators and pop-ups
    ui.m_pSubMenu = nullptr;
    ui.DoUpdate(target, disableIfNoHandler);
    // An update may have removed items.
    ui.m_nIndexMax = popup->GetMenuItemCount();
  }
}
