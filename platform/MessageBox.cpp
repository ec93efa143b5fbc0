#include "platform/MessageBox.h"

#include "platform/Automation.h"

// Until the display hosts arrive every box is answered by the responder.
int MessageBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  automation::ModalInfo info;
  info.kind = "messagebox";
  info.caption = caption ? caption : "";
  info.text = text ? text : "";
  info.type = type;
  return automation::Respond(info);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT) { return MessageBox(nullptr, text, "Kestrova", type); }
