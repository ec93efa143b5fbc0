// CPrintDialog: the framework's object around PrintDlg.
#include <string>

#include "platform/base/Kernel.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/framework/CWnd.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) {
  // The print dialog hands back a DC for printing; setup only chooses.
  m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
  if (printSetupOnly) m_pd.Flags &= ~PD_RETURNDC;
  m_pd.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
  m_pd.nFromPage = m_pd.nToPage = 0xFFFF;
  m_pd.nMinPage = 1;
  m_pd.nMaxPage = 0xFFFF;
  m_pd.nCopies = 1;
}

// The blocks and the DC in m_pd belong to whoever takes them (a program
// keeps the default printer's DC for the whole run), so nothing is freed
// here.
CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal() { return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL; }

BOOL CPrintDialog::GetDefaults() {
  m_pd.Flags |= PD_RETURNDEFAULT;
  const BOOL ok = ::PrintDlg(&m_pd);
  m_pd.Flags &= ~PD_RETURNDEFAULT;
  return ok;
}

HDC CPrintDialog::CreatePrinterDC() {
  std::string driver, device, output;
  if (!printing::ReadDevNames(m_pd.hDevNames, &driver, &device, &output)) return nullptr;
  DEVMODE dm;
  const bool haveMode = printing::ReadDevMode(m_pd.hDevMode, &dm);
  m_pd.hDC = ::CreateDC(driver.c_str(), device.c_str(), output.c_str(), haveMode ? &dm : nullptr);
  return m_pd.hDC;
}

LPDEVMODE CPrintDialog::GetDevMode() const {
  if (!printing::ReadDevMode(m_pd.hDevMode, &devMode_)) return nullptr;
  return &devMode_;
}

CString CPrintDialog::Name(int which) const {
  std::string names[3];
  if (!printing::ReadDevNames(m_pd.hDevNames, &names[0], &names[1], &names[2])) return CString();
  return CString(names[which].c_str());
}
CString CPrintDialog::GetDriverName() const { return Name(0); }
CString CPrintDialog::GetDeviceName() const { return Name(1); }
CString CPrintDialog::GetPortName() const { return Name(2); }

int CPrintDialog::GetCopies() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE) {
    const LPDEVMODE dm = GetDevMode();
    return dm ? dm->dmCopies : 1;
  }
  return m_pd.nCopies;
}

BOOL CPrintDialog::PrintCollate() const {
  if (m_pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE) {
    const LPDEVMODE dm = GetDevMode();
    return dm && dm->dmCollate == DMCOLLATE_TRUE;
  }
  return (m_pd.Flags & PD_COLLATE) != 0;
}

int CPrintDialog::GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
int CPrintDialog::GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
