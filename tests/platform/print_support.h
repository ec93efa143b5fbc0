// Helpers of the printing tests: the output of a test tool (pdfinfo,
// pdftotext) and choosing in a combo box of a dialog as the user does.
#pragma once

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "platform/dialogs/DlgManager.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace printtest {

inline std::string Output(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

// Selects `text` in the dialog's combo box and tells the dialog.
inline void Pick(HWND dlg, int combo, const char* text) {
  const LRESULT i = SendDlgItemMessage(dlg, combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text));
  ASSERT_GE(i, 0) << text;
  SendDlgItemMessage(dlg, combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
  SendMessage(dlg, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dlg, combo)));
}

}  // namespace printtest
