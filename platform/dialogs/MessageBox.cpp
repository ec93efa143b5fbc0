#include "platform/dialogs/MessageBox.h"

#include "platform/testing/Automation.h"
#include "platform/host/Host.h"
#include "platform/dialogs/MessageBoxDlg.h"

// On a display the box is a real modal dialog; in the headless host nobody
// could press a button, so the test responder answers it.
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (!platform::GetHost().Interactive()) {
    automation::ModalInfo info;
    info.kind = "messagebox";
    info.caption = caption ? caption : "";
    info.text = text ? text : "";
    info.type = type;
    return automation::Respond(info);
  }
  return msgbox::Run(owner, text, caption ? caption : "Error", type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT) { return MessageBox(nullptr, text, "Kestrova", type); }
