// Registration of the standard control classes.
#include <cstring>

#include "platform/controls/CtlCommon.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/RichEditDefs.h"

namespace ctl {
void InstallWrapperHooks();  // CtlWrappers.cpp
}

void RegisterControlClasses() {
  ctl::InstallWrapperHooks();
  struct Entry {
    const char* name;
    WNDPROC proc;
    UINT style;
    LPCSTR cursor;
  };
  const Entry entries[] = {
      {WC_EDIT, EditWindowProc(), CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM},
      {RICHEDIT_CLASS, RichEditWindowProc(), CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM},
      {WC_BUTTON, ButtonWindowProc(), CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {WC_STATIC, StaticWindowProc(), CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {WC_LISTBOX, ListBoxWindowProc(), CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {WC_COMBOBOX, ComboBoxWindowProc(), CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
      {WC_COMBOLBOX, ComboListWindowProc(), CS_DBLCLKS | CS_SAVEBITS, IDC_ARROW},
      {WC_SCROLLBAR, ScrollBarWindowProc(), CS_DBLCLKS | CS_PARENTDC, IDC_ARROW},
  };
  for (const Entry& e : entries) ctl::RegisterControlClass(e.name, e.proc, e.style, e.cursor);
  RegisterCommonControlClasses();
}

void ctl::RegisterControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor) {
  WNDCLASS existing;
  if (GetClassInfo(nullptr, name, &existing)) return;
  WNDCLASS wc;
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursor(nullptr, cursor);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = name;
  RegisterClass(&wc);
}
