// The message box: MessageBox / AfxMessageBox with the MB_ button sets,
// icons and default buttons, returning an ID* code. In a host without a
// user the host answers every box (in tests, the test responder).
#pragma once

#include "platform/base/MessageBoxDefs.h"
#include "platform/base/types.h"

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
