// The printer's page geometry: which printer, its resolution, its page and
// the borders it cannot print on.
#include <string>

#include "common/DlgUtil.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/print/PrinterDc.h"
#include "platform/print/Printers.h"
#include "platform/window/Painting.h"

namespace {

// An information context for a dialog's printer when the dialog handed
// back no DC; null when it names no printer.
HDC InfoContextFor(const PRINTDLG& pd, const DEVMODE* mode) {
  std::string driver, device, output;
  if (!printing::ReadDevNames(pd.hDevNames, &driver, &device, &output)) return nullptr;
  return ::CreateIC(driver.c_str(), device.c_str(), output.c_str(), mode);
}

void PageRange(const PRINTDLG& pd, PrintSetupRecord* r) {
  if (pd.Flags & PD_PAGENUMS) {
    r->firstPage = pd.nFromPage;
    r->lastPage = pd.nToPage;
  } else {  // all pages the dialog allowed
    r->firstPage = pd.nMinPage > 0 ? pd.nMinPage : 1;
    r->lastPage = pd.nMaxPage > 0 ? pd.nMaxPage : 0xFFFF;
  }
}

}  // namespace

bool SetupPrinter(const PRINTDLG* given, PrintSetupRecord* out) {
  if (out == nullptr) return false;
  PrintSetupRecord& r = *out;
  DEVMODE mode;
  bool haveMode = false;
  HDC measure = nullptr;
  HDC ownInfo = nullptr;  // made here only to measure; deleted below

  if (given != nullptr) {
    // The caller's choice; the record's own DC stays as it was.
    r.printDlg = *given;
    haveMode = printing::ReadDevMode(given->hDevMode, &mode);
    measure = given->hDC;
    if (measure == nullptr) measure = ownInfo = InfoContextFor(*given, haveMode ? &mode : nullptr);
    if (measure == nullptr) measure = r.dc;
  } else {
    CPrintDialog defaults(FALSE);
    if (defaults.GetDefaults() && defaults.m_pd.hDC != nullptr) {
      r.printDlg = defaults.m_pd;
      r.dc = defaults.m_pd.hDC;
      haveMode = printing::ReadDevMode(r.printDlg.hDevMode, &mode);
    } else {
      // No printer on this machine: the screen stands in for one.
      r.printDlg = PRINTDLG{};
      r.dc = ::GetDC(nullptr);
    }
    measure = r.dc;
  }
  if (measure == nullptr) return false;
  // A choice without settings keeps the orientation the record had.
  if (haveMode)
    r.orientation = mode.dmOrientation == DMORIENT_LANDSCAPE ? 2 : 1;
  else if (given == nullptr)
    r.orientation = 1;

  r.resolutionX = ::GetDeviceCaps(measure, LOGPIXELSX);
  r.resolutionY = ::GetDeviceCaps(measure, LOGPIXELSY);
  const int offsetX = ::GetDeviceCaps(measure, PHYSICALOFFSETX);
  const int offsetY = ::GetDeviceCaps(measure, PHYSICALOFFSETY);
  bool ok = r.resolutionX > 0 && r.resolutionY > 0;
  if (haveMode) {
    PageRange(r.printDlg, &r);
    const bool ownCopies = (r.printDlg.Flags & PD_USEDEVMODECOPIESANDCOLLATE) != 0;
    r.copies = ownCopies ? mode.dmCopies : r.printDlg.nCopies;
    r.collate = ownCopies ? mode.dmCollate == DMCOLLATE_TRUE : (r.printDlg.Flags & PD_COLLATE) != 0;
    POINT size{};
    if (::Escape(measure, GETPHYSPAGESIZE, 0, nullptr, &size) <= 0) ok = false;
    r.physicalWidth = size.x;
    r.physicalHeight = size.y;
    r.printableWidth = ::GetDeviceCaps(measure, HORZRES);
    r.printableHeight = ::GetDeviceCaps(measure, VERTRES);
  } else {
    // A letter page in the record's orientation.
    r.firstPage = r.lastPage = 1;
    r.copies = 1;
    r.collate = 0;
    const bool landscape = r.orientation == 2;
    r.physicalWidth = landscape ? r.resolutionX * 11 : r.resolutionX * 17 / 2;
    r.physicalHeight = landscape ? r.resolutionY * 17 / 2 : r.resolutionY * 11;
    r.printableWidth = r.physicalWidth - 2 * offsetX;
    r.printableHeight = r.physicalHeight - 2 * offsetY;
  }
  if (ownInfo != nullptr) ::DeleteDC(ownInfo);
  if (!ok) return false;

  const float dpiX = static_cast<float>(r.resolutionX);
  const float dpiY = static_cast<float>(r.resolutionY);
  r.pageWidth = r.physicalWidth / dpiX;
  r.pageHeight = r.physicalHeight / dpiY;
  r.unprintableLeft = offsetX / dpiX;
  r.unprintableTop = offsetY / dpiY;
  r.unprintableRight = (r.physicalWidth - r.printableWidth - offsetX) / dpiX;
  r.unprintableBottom = (r.physicalHeight - r.printableHeight - offsetY) / dpiY;
  return true;
}
