// The print and print setup dialog: our own drawn dialog in the classic
// look. It lists the printers, takes the page range, copies and collation
// (print) or the paper and orientation (setup), and returns the chosen
// printer as DEVMODE and DEVNAMES blocks of global memory, and a printer DC
// when asked. PD_RETURNDEFAULT gives the default printer without showing.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/types.h"
#include "platform/commdlg/CommDlgDefs.h"
#include "platform/print/PrinterDefs.h"

using LPPRINTHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPSETUPHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

#define PD_ALLPAGES                 0x00000000u
#define PD_SELECTION                0x00000001u
#define PD_PAGENUMS                 0x00000002u
#define PD_NOSELECTION              0x00000004u
#define PD_NOPAGENUMS               0x00000008u
#define PD_COLLATE                  0x00000010u
#define PD_PRINTTOFILE              0x00000020u
#define PD_PRINTSETUP               0x00000040u
#define PD_NOWARNING                0x00000080u
#define PD_RETURNDC                 0x00000100u
#define PD_RETURNIC                 0x00000200u
#define PD_RETURNDEFAULT            0x00000400u
#define PD_SHOWHELP                 0x00000800u
#define PD_ENABLEPRINTHOOK          0x00001000u
#define PD_ENABLESETUPHOOK          0x00002000u
#define PD_ENABLEPRINTTEMPLATE      0x00004000u
#define PD_ENABLESETUPTEMPLATE      0x00008000u
#define PD_USEDEVMODECOPIES         0x00040000u
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000u
#define PD_DISABLEPRINTTOFILE       0x00080000u
#define PD_HIDEPRINTTOFILE          0x00100000u
#define PD_NONETWORKBUTTON          0x00200000u


struct PRINTDLG {
  DWORD lStructSize = sizeof(PRINTDLG);
  HWND hwndOwner = nullptr;
  HGLOBAL hDevMode = nullptr;
  HGLOBAL hDevNames = nullptr;
  HDC hDC = nullptr;
  DWORD Flags = 0;
  WORD nFromPage = 0;
  WORD nToPage = 0;
  WORD nMinPage = 0;
  WORD nMaxPage = 0;
  WORD nCopies = 1;
  HINSTANCE hInstance = nullptr;
  LPARAM lCustData = 0;
  LPPRINTHOOKPROC lpfnPrintHook = nullptr;
  LPSETUPHOOKPROC lpfnSetupHook = nullptr;
  LPCSTR lpPrintTemplateName = nullptr;
  LPCSTR lpSetupTemplateName = nullptr;
  HGLOBAL hPrintTemplate = nullptr;
  HGLOBAL hSetupTemplate = nullptr;
};
using LPPRINTDLG = PRINTDLG*;

// TRUE when the user chose OK (or the default printer was returned); FALSE
// on Cancel or failure, CommDlgExtendedError telling which.
BOOL PrintDlg(PRINTDLG* pd);

// The dialog ids of the two templates and of their controls.
#define IDD_PRINTDLG      1538
#define IDD_PRINTSETUPDLG 1539
#define IDC_PD_PRINTER    1139
#define IDC_PD_WHERE      1101
#define IDC_PD_FILE       1155
#define IDC_PD_TOFILE     1040
#define IDC_PD_ALL        1056
#define IDC_PD_SELECTION  1057
#define IDC_PD_PAGES      1058
#define IDC_PD_FROM       1152
#define IDC_PD_TO         1153
#define IDC_PD_COPIES     1154
#define IDC_PD_COLLATE    1041
#define IDC_PD_PAPER      1137
#define IDC_PD_PORTRAIT   1072
#define IDC_PD_LANDSCAPE  1073
#define IDC_PD_SETUP      1024

class CWnd;
class CDC;

// The framework's print dialog object around PRINTDLG.
class CPrintDialog {
 public:
  explicit CPrintDialog(BOOL printSetupOnly,
                        DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                      PD_NOSELECTION,
                        CWnd* parent = nullptr);
  virtual ~CPrintDialog();
  CPrintDialog(const CPrintDialog&) = delete;
  CPrintDialog& operator=(const CPrintDialog&) = delete;

  virtual INT_PTR DoModal();  // IDOK or IDCANCEL
  // The default printer without showing (with its DC unless setup only);
  // FALSE when none.
  BOOL GetDefaults();
  // A DC for the chosen printer, put in m_pd.hDC. The DC, like the blocks,
  // is the caller's to delete.
  HDC CreatePrinterDC();
  HDC GetPrinterDC() const { return m_pd.hDC; }
  LPDEVMODE GetDevMode() const;  // a pointer into the locked block, or null
  CString GetDriverName() const;
  CString GetDeviceName() const;
  CString GetPortName() const;
  int GetCopies() const;
  BOOL PrintCollate() const;
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
  int GetFromPage() const;
  int GetToPage() const;

  PRINTDLG m_pd;

 private:
  CString Name(int which) const;
  mutable DEVMODE devMode_;
};
