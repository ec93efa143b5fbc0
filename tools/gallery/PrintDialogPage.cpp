#include "PrintDialogPage.h"

#include <cstdio>
#include <string>

#include "CommonDialogsPage.h"
#include "platform/base/Kernel.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/print/Printers.h"
#include "platform/testing/Automation.h"
#include "platform/testing/DlgSnapshot.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace gallery {

namespace {

std::string g_shot;
int g_afterMs = 500;

UINT_PTR RenameHook(HWND dlg, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return 0;
  SetWindowText(dlg, "Print Ledger Report");
  if (!g_shot.empty())
    SetTimer(dlg, 1, static_cast<UINT>(g_afterMs), [](HWND h, UINT, UINT_PTR, DWORD) {
      KillTimer(h, 1);
      if (!SnapshotToPng(h, g_shot)) std::fprintf(stderr, "gallery: cannot write %s\n", g_shot.c_str());
      PostMessage(h, WM_COMMAND, IDCANCEL, 0);
    });
  return 0;
}

// The gallery's print job: pages 2 to 5 of 12, two copies, the hook on.
PRINTDLG LedgerPrintDlg() {
  PRINTDLG print;
  print.Flags = PD_PAGENUMS | PD_NOSELECTION | PD_ENABLEPRINTHOOK;
  print.lpfnPrintHook = RenameHook;
  print.nMinPage = 1;
  print.nMaxPage = 12;
  print.nFromPage = 2;
  print.nToPage = 5;
  print.nCopies = 2;
  return print;
}

bool Shoot(const char* caption, PRINTDLG& pd, const std::string& png) {
  bool ok = false;
  PictureNextDialog(caption, png, ok, IDCANCEL);
  PrintDlg(&pd);
  return ReportWritten(ok, png);
}

}  // namespace

int WritePrintDialogPngs(const char* path) {
  PRINTDLG print = LedgerPrintDlg();
  PRINTDLG setup;
  setup.Flags = PD_PRINTSETUP;
  const bool ok = Shoot("Print Ledger", print, PngBeside(path, "print")) &&
                  Shoot("Print Setup", setup, PngBeside(path, "printsetup"));
  GlobalFree(print.hDevMode);
  GlobalFree(print.hDevNames);
  GlobalFree(setup.hDevMode);
  GlobalFree(setup.hDevNames);
  return ok ? 0 : 1;
}

int RunPrintDialog(const char* screenshot, int afterMs) {
  g_shot = screenshot ? screenshot : "";
  g_afterMs = afterMs;
  PRINTDLG pd = LedgerPrintDlg();
  if (!PrintDlg(&pd)) {
    std::printf("cancelled (extended error %lu)\n", static_cast<unsigned long>(CommDlgExtendedError()));
    return 0;
  }
  std::string driver, device, output;
  printing::ReadDevNames(pd.hDevNames, &driver, &device, &output);
  std::printf("printer \"%s\" to \"%s\", pages %u-%u, %u copies%s\n", device.c_str(), output.c_str(), pd.nFromPage,
              pd.nToPage, pd.nCopies, (pd.Flags & PD_COLLATE) ? ", collated" : "");
  GlobalFree(pd.hDevMode);
  GlobalFree(pd.hDevNames);
  return 0;
}

}  // namespace gallery
