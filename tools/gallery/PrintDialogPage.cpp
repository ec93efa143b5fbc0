#include "PrintDialogPage.h"

#include <cstdio>
#include <string>

#include "CommonDialogsPage.h"
#include "platform/base/Kernel.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/testing/Automation.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace gallery {

namespace {

UINT_PTR RenameHook(HWND dlg, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) SetWindowText(dlg, "Print Ledger Report");
  return 0;
}

bool Shoot(const char* caption, PRINTDLG& pd, const std::string& png) {
  bool ok = false;
  automation::OnDialog(
      caption,
      [&](HWND h) {
        automation::PumpUntilIdle();
        ok = automation::RenderToPng(h, png);
      },
      IDCANCEL);
  PrintDlg(&pd);
  if (!ok) std::fprintf(stderr, "gallery: cannot write %s\n", png.c_str());
  return ok;
}

}  // namespace

int WritePrintDialogPngs(const char* path) {
  PRINTDLG print;
  print.Flags = PD_PAGENUMS | PD_NOSELECTION | PD_ENABLEPRINTHOOK;
  print.lpfnPrintHook = RenameHook;
  print.nMinPage = 1;
  print.nMaxPage = 12;
  print.nFromPage = 2;
  print.nToPage = 5;
  print.nCopies = 2;
  PRINTDLG setup;
  setup.Flags = PD_PRINTSETUP;
  const bool ok = Shoot("Print Ledger", print, PngBeside(path, "print")) &&
                  Shoot("Print Setup", setup, PngBeside(path, "printsetup"));
  return ok ? 0 : 1;
}

}  // namespace gallery
