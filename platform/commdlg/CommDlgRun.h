// What the modal common dialogs share: running on the caller's template
// when one is asked for, owned by the window the parameter block names,
// with the extended error set when the dialog cannot be made.
#pragma once

#include "platform/commdlg/CommDlgDefs.h"
#include "platform/dialogs/Dialog.h"

namespace commdlg {

// templateName: null for the dialog's own template. IDCANCEL on failure.
INT_PTR RunModal(CDialog& dlg, LPCSTR templateName, HWND owner);

}  // namespace commdlg
