// PrintDlg: the default printer without showing, or the drawn dialog; the
// chosen printer goes back as DEVMODE and DEVNAMES blocks and, on request, a
// printer DC.
#include "platform/commdlg/PrintDlg.h"

#include <string>
#include <vector>

#include "platform/base/Kernel.h"
#include "platform/window/CtlDefs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"
#include "platform/window/Messages.h"

namespace {

BOOL Fail(DWORD code) {
  commdlg::SetExtendedError(code);
  return FALSE;
}

struct PaperName {
  short paper;
  const char* name;
};
constexpr PaperName kPapers[] = {
    {DMPAPER_LETTER, "Letter 8 1/2 x 11 in"},
    {DMPAPER_LEGAL, "Legal 8 1/2 x 14 in"},
    {DMPAPER_A4, "A4 210 x 297 mm"},
    {DMPAPER_A5, "A5 148 x 210 mm"},
};

// What the dialog edits: the printer, its settings and the page range.
struct Choice {
  std::vector<printing::PrinterInfo> printers;
  int printer = 0;
  DEVMODE devMode;
  std::string file;
};

class PrintDlgWindow : public CDialog {
 public:
  PrintDlgWindow(PRINTDLG* pd, Choice* choice, CWnd* parent)
      : CDialog((pd->Flags & PD_PRINTSETUP) ? IDD_PRINTSETUPDLG : IDD_PRINTDLG, parent),
        pd_(pd),
        choice_(choice),
        setup_((pd->Flags & PD_PRINTSETUP) != 0) {
    if (setup_ && (pd->Flags & PD_ENABLESETUPHOOK)) hook_ = pd->lpfnSetupHook;
    if (!setup_ && (pd->Flags & PD_ENABLEPRINTHOOK)) hook_ = pd->lpfnPrintHook;
  }

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    for (const auto& p : choice_->printers) Combo(IDC_PD_PRINTER, CB_ADDSTRING, 0, p.name.c_str());
    Combo(IDC_PD_PRINTER, CB_SETCURSEL, static_cast<WPARAM>(choice_->printer));
    const DEVMODE& dm = choice_->devMode;
    if (setup_) {
      int sel = 0;
      for (int i = 0; i < static_cast<int>(std::size(kPapers)); ++i) {
        Combo(IDC_PD_PAPER, CB_ADDSTRING, 0, kPapers[i].name);
        if (kPapers[i].paper == dm.dmPaperSize) sel = i;
      }
      Combo(IDC_PD_PAPER, CB_SETCURSEL, static_cast<WPARAM>(sel));
      CheckRadioButton(IDC_PD_PORTRAIT, IDC_PD_LANDSCAPE,
                       dm.dmOrientation == DMORIENT_LANDSCAPE ? IDC_PD_LANDSCAPE : IDC_PD_PORTRAIT);
    } else {
      const DWORD f = pd_->Flags;
      const bool useDevMode = (f & PD_USEDEVMODECOPIESANDCOLLATE) != 0;
      SetDlgItemInt(IDC_PD_COPIES, useDevMode ? dm.dmCopies : (pd_->nCopies ? pd_->nCopies : 1), FALSE);
      CheckDlgButton(IDC_PD_COLLATE, useDevMode ? dm.dmCollate == DMCOLLATE_TRUE : (f & PD_COLLATE) != 0);
      if (!(f & PD_NOPAGENUMS)) {
        SetDlgItemInt(IDC_PD_FROM, pd_->nFromPage, FALSE);
        SetDlgItemInt(IDC_PD_TO, pd_->nToPage, FALSE);
      }
      GetDlgItem(IDC_PD_PAGES)->EnableWindow(!(f & PD_NOPAGENUMS));
      GetDlgItem(IDC_PD_SELECTION)->EnableWindow(!(f & PD_NOSELECTION));
      const int range = (f & PD_PAGENUMS) ? IDC_PD_PAGES : (f & PD_SELECTION) ? IDC_PD_SELECTION : IDC_PD_ALL;
      CheckRadioButton(IDC_PD_ALL, IDC_PD_PAGES, range);
      CheckDlgButton(IDC_PD_TOFILE, (f & PD_PRINTTOFILE) ? BST_CHECKED : BST_UNCHECKED);
      if (f & PD_HIDEPRINTTOFILE) GetDlgItem(IDC_PD_TOFILE)->ShowWindow(SW_HIDE);
      if (f & PD_DISABLEPRINTTOFILE) GetDlgItem(IDC_PD_TOFILE)->EnableWindow(FALSE);
      SetDlgItemText(IDC_PD_FILE, choice_->file.c_str());
    }
    ShowPrinter();
    if (hook_) hook_(m_hWnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(pd_));
    return TRUE;
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (hook_ && message != WM_INITDIALOG) {
      if (const UINT_PTR handled = hook_(m_hWnd, message, wParam, lParam)) return static_cast<LRESULT>(handled);
    }
    return CDialog::WindowProc(message, wParam, lParam);
  }

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == IDC_PD_PRINTER && code == CBN_SELCHANGE) {
      const int sel = Combo(IDC_PD_PRINTER, CB_GETCURSEL);
      if (sel >= 0 && sel != choice_->printer) {
        choice_->printer = sel;
        const printing::PrinterInfo& p = choice_->printers[static_cast<std::size_t>(sel)];
        const DEVMODE old = choice_->devMode;
        choice_->devMode = printing::DefaultDevMode(p);
        choice_->devMode.dmCopies = old.dmCopies;
        choice_->devMode.dmCollate = old.dmCollate;
      }
      ShowPrinter();
      return TRUE;
    }
    if (id == IDC_PD_TOFILE || ((id == IDC_PD_FROM || id == IDC_PD_TO) && code == EN_CHANGE)) {
      if (id != IDC_PD_TOFILE && GetFocus() == GetDlgItem(id)) CheckRadioButton(IDC_PD_ALL, IDC_PD_PAGES, IDC_PD_PAGES);
      ShowPrinter();
    }
    return CDialog::OnCommand(wParam, lParam);
  }

  void OnOK() override {
    if (setup_ ? !TakeSetup() : !TakePrint()) return;
    CDialog::OnOK();
  }

 private:
  int Combo(int id, UINT message, WPARAM wParam = 0, const char* text = nullptr) {
    return static_cast<int>(::SendDlgItemMessage(m_hWnd, id, message, wParam, reinterpret_cast<LPARAM>(text)));
  }

  const printing::PrinterInfo& Printer() const {
    return choice_->printers[static_cast<std::size_t>(choice_->printer)];
  }
  bool ToFile() const { return Printer().pdf || IsDlgButtonChecked(IDC_PD_TOFILE) == BST_CHECKED; }

  void ShowPrinter() {
    const printing::PrinterInfo& p = Printer();
    SetDlgItemText(IDC_PD_WHERE, p.pdf ? "A PDF file" : "CUPS printer queue");
    if (!setup_) {
      GetDlgItem(IDC_PD_FILE)->EnableWindow(ToFile());
      GetDlgItem(IDC_PD_TOFILE)->EnableWindow(!p.pdf && !(pd_->Flags & PD_DISABLEPRINTTOFILE));
    }
  }

  bool Refuse(int control, const char* text) {
    MessageBox(text, setup_ ? "Print Setup" : "Print", MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(control));
    return false;
  }

  bool TakeSetup() {
    const int paper = Combo(IDC_PD_PAPER, CB_GETCURSEL);
    DEVMODE& dm = choice_->devMode;
    if (paper >= 0) dm.dmPaperSize = kPapers[paper].paper;
    dm.dmFields &= ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
    dm.dmOrientation = IsDlgButtonChecked(IDC_PD_LANDSCAPE) ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    return true;
  }

  bool TakePrint() {
    BOOL ok = FALSE;
    const UINT copies = GetDlgItemInt(IDC_PD_COPIES, &ok, FALSE);
    if (!ok || copies < 1 || copies > 9999)
      return Refuse(IDC_PD_COPIES, "The number of copies must be between 1 and 9999.");
    WORD from = pd_->nFromPage, to = pd_->nToPage;
    const bool pages = IsDlgButtonChecked(IDC_PD_PAGES) == BST_CHECKED;
    if (pages) {
      BOOL okFrom = FALSE, okTo = FALSE;
      const UINT f = GetDlgItemInt(IDC_PD_FROM, &okFrom, FALSE);
      const UINT t = GetDlgItemInt(IDC_PD_TO, &okTo, FALSE);
      if (!okFrom || !okTo || f < pd_->nMinPage || t > pd_->nMaxPage || f > t || t < pd_->nMinPage) {
        const CString text = CString("This value is not within the page range.\nEnter a number between ") +
                             CString(std::to_string(pd_->nMinPage).c_str()) + " and " +
                             CString(std::to_string(pd_->nMaxPage).c_str()) + ".";
        return Refuse(okFrom && f >= pd_->nMinPage && f <= pd_->nMaxPage ? IDC_PD_TO : IDC_PD_FROM, text);
      }
      from = static_cast<WORD>(f);
      to = static_cast<WORD>(t);
    }
    CString file;
    GetDlgItemText(IDC_PD_FILE, file);
    file.Trim();
    if (ToFile() && file.IsEmpty()) return Refuse(IDC_PD_FILE, "Enter the name of the file to print into.");
    const bool collate = IsDlgButtonChecked(IDC_PD_COLLATE) == BST_CHECKED;
    DWORD& f = pd_->Flags;
    f &= ~(PD_PAGENUMS | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE);
    if (pages) f |= PD_PAGENUMS;
    else if (IsDlgButtonChecked(IDC_PD_SELECTION) == BST_CHECKED) f |= PD_SELECTION;
    if (!Printer().pdf && ToFile()) f |= PD_PRINTTOFILE;
    pd_->nFromPage = from;
    pd_->nToPage = to;
    DEVMODE& dm = choice_->devMode;
    if (f & PD_USEDEVMODECOPIESANDCOLLATE) {
      dm.dmCopies = static_cast<short>(copies);
      dm.dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
      pd_->nCopies = 1;
    } else {
      // The program makes the copies itself; the printer prints each once.
      dm.dmCopies = 1;
      dm.dmCollate = DMCOLLATE_FALSE;
      pd_->nCopies = static_cast<WORD>(copies);
      if (collate) f |= PD_COLLATE;
    }
    choice_->file = ToFile() ? std::string(file.GetString()) : std::string();
    return true;
  }

  PRINTDLG* pd_;
  Choice* choice_;
  bool setup_;
  LPPRINTHOOKPROC hook_ = nullptr;
};

// Replaces a block handle of the caller's with a new one.
void Replace(HGLOBAL& slot, HGLOBAL block) {
  if (slot) GlobalFree(slot);
  slot = block;
}

BOOL Deliver(PRINTDLG* pd, const Choice& c) {
  const printing::PrinterInfo& p = c.printers[static_cast<std::size_t>(c.printer)];
  HGLOBAL mode = printing::NewDevModeBlock(c.devMode);
  HGLOBAL names = printing::NewDevNamesBlock(p, c.file);
  if (!mode || !names) {
    if (mode) GlobalFree(mode);
    if (names) GlobalFree(names);
    return Fail(CDERR_INITIALIZATION);
  }
  Replace(pd->hDevMode, mode);
  Replace(pd->hDevNames, names);
  if (pd->Flags & (PD_RETURNDC | PD_RETURNIC)) {
    pd->hDC = (pd->Flags & PD_RETURNDC)
                  ? CreateDC(printing::kDriverName, p.name.c_str(), c.file.c_str(), &c.devMode)
                  : CreateIC(printing::kDriverName, p.name.c_str(), c.file.c_str(), &c.devMode);
    if (!pd->hDC) return Fail(PDERR_CREATEICFAILURE);
  }
  return TRUE;
}

}  // namespace

BOOL PrintDlg(PRINTDLG* pd) {
  commdlg::SetExtendedError(0);
  if (!pd) return Fail(CDERR_INITIALIZATION);
  if (pd->lStructSize != sizeof(PRINTDLG)) return Fail(CDERR_STRUCTSIZE);
  Choice c;
  c.printers = printing::ListPrinters();
  if (c.printers.empty()) return Fail(PDERR_NODEFAULTPRN);
  for (std::size_t i = 0; i < c.printers.size(); ++i)
    if (c.printers[i].isDefault) c.printer = static_cast<int>(i);

  if (pd->Flags & PD_RETURNDEFAULT) {
    // The caller's blocks would be lost: they must be empty.
    if (pd->hDevMode || pd->hDevNames) return Fail(PDERR_RETDEFFAILURE);
    c.devMode = printing::DefaultDevMode(c.printers[static_cast<std::size_t>(c.printer)]);
    return Deliver(pd, c);
  }

  // Start from the caller's printer and settings when it gives them.
  std::string driver, device, output;
  if (pd->hDevNames && printing::ReadDevNames(pd->hDevNames, &driver, &device, &output)) {
    for (std::size_t i = 0; i < c.printers.size(); ++i)
      if (c.printers[i].name == device) c.printer = static_cast<int>(i);
    if (output != printing::kPdfPort && output != printing::kCupsPort) c.file = output;
  }
  c.devMode = printing::DefaultDevMode(c.printers[static_cast<std::size_t>(c.printer)]);
  DEVMODE given;
  if (pd->hDevMode && printing::ReadDevMode(pd->hDevMode, &given)) c.devMode = given;

  const bool setup = (pd->Flags & PD_PRINTSETUP) != 0;
  if (!setup && (pd->Flags & PD_PAGENUMS) &&
      (pd->nMinPage > pd->nMaxPage || pd->nFromPage < pd->nMinPage || pd->nToPage > pd->nMaxPage ||
       pd->nFromPage > pd->nToPage))
    return Fail(PDERR_INITFAILURE);

  PrintDlgWindow dlg(pd, &c, CWnd::FromHandle(pd->hwndOwner));
  if (dlg.DoModal() != IDOK) return FALSE;
  return Deliver(pd, c);
}
