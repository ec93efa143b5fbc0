// The states the gallery shows in its controls dialog (IDD_GALLERY_CONTROLS):
// checked, indeterminate, a chosen radio button, filled and selected lists
// and combo boxes, scroll positions, the focus on the first edit. Header
// only, so that the golden-picture test sets the same states without the
// gallery program.
#pragma once

#include "platform/window/CtlDefs.h"
#include "platform/dialogs/DlgManager.h"
#include "platform/window/Window.h"
#include "res/resource.h"

namespace gallery {

inline void SetControlsStates(HWND h) {
  ::CheckDlgButton(h, IDC_GAL_CHECK_ON, BST_CHECKED);
  ::CheckDlgButton(h, IDC_GAL_CHECK_3STATE, BST_INDETERMINATE);
  ::CheckDlgButton(h, IDC_GAL_CHECK_DISABLED, BST_CHECKED);
  ::CheckRadioButton(h, IDC_GAL_RADIO1, IDC_GAL_RADIO3, IDC_GAL_RADIO2);

  const char* words[] = {"Foxtrot", "Alpha", "Echo", "Bravo", "Delta", "Charlie", "Golf", "Hotel"};
  for (const char* w : words) {
    ::SendDlgItemMessage(h, IDC_GAL_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w));
    ::SendDlgItemMessage(h, IDC_GAL_LIST_MULTI, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w));
    for (int id : {IDC_GAL_COMBO_DROPDOWN, IDC_GAL_COMBO_LIST, IDC_GAL_COMBO_SIMPLE, IDC_GAL_COMBO_DROPPED})
      ::SendDlgItemMessage(h, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w));
  }
  ::SendDlgItemMessage(h, IDC_GAL_LIST, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>("Charlie"));
  ::SendDlgItemMessage(h, IDC_GAL_LIST_MULTI, LB_SETSEL, TRUE, 1);
  ::SendDlgItemMessage(h, IDC_GAL_LIST_MULTI, LB_SETSEL, TRUE, 3);
  ::SetDlgItemText(h, IDC_GAL_COMBO_DROPDOWN, "Typed text");
  ::SendDlgItemMessage(h, IDC_GAL_COMBO_LIST, CB_SETCURSEL, 1, 0);
  ::SendDlgItemMessage(h, IDC_GAL_COMBO_SIMPLE, CB_SETCURSEL, 2, 0);
  ::SendDlgItemMessage(h, IDC_GAL_COMBO_DROPPED, CB_SETCURSEL, 3, 0);

  SCROLLINFO si;
  si.fMask = SIF_ALL;
  si.nMin = 0;
  si.nMax = 100;
  si.nPage = 20;
  si.nPos = 30;
  ::SetScrollInfo(::GetDlgItem(h, IDC_GAL_SCROLL_H), SB_CTL, &si, TRUE);
  si.nPos = 60;
  ::SetScrollInfo(::GetDlgItem(h, IDC_GAL_SCROLL_V), SB_CTL, &si, TRUE);

  // The focus on the first edit with its text selected.
  ::SendMessage(h, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(h, IDC_GAL_EDIT)), TRUE);
}

// Drops the list of the "dropped" combo box; call it once the dialog shows.
inline void DropControlsCombo(HWND h) { ::SendDlgItemMessage(h, IDC_GAL_COMBO_DROPPED, CB_SHOWDROPDOWN, TRUE, 0); }

}  // namespace gallery
