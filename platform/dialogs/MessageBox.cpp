#include "platform/dialogs/MessageBox.h"

#include "platform/base/Exceptions.h"
#include "platform/host/Host.h"
#include "platform/dialogs/MessageBoxDlg.h"

// On a display the box is a real modal dialog; without a user nobody could
// press a button, so the host answers it.
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (!platform::GetHost().Interactive()) {
    platform::ModalQuestion q;
    q.kind = "messagebox";
    q.caption = caption ? caption : "";
    q.text = text ? text : "";
    q.type = type;
    return platform::GetHost().Answer(q);
  }
  return msgbox::Run(owner, text, caption ? caption : "Error", type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT) { return MessageBox(nullptr, text, "Kestrova", type); }

int platform::ShowErrorMessage(LPCSTR text, UINT type) { return AfxMessageBox(text, type); }
