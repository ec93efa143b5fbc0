// The check that a report's columns fit across its page.
#include <cmath>
#include <string>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "common/Question.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/print/Printers.h"

namespace {

bool Failed(const char* text) {
  DispMessage(text, 0);
  return true;
}

}  // namespace

bool CheckReportPageWidth(const PrintSetupRecord* setup, const LOGFONT* font, int columns, float pageWidth,
                          float leftMargin, float rightMargin) {
  // A device context of the setup's printer; without a printer, one like
  // the record's own (the screen's).
  CDC dc;
  if (setup && setup->printDlg.hDevNames) {
    std::string driver, device, output;
    DEVMODE mode;
    const bool haveMode = printing::ReadDevMode(setup->printDlg.hDevMode, &mode);
    if (!printing::ReadDevNames(setup->printDlg.hDevNames, &driver, &device, &output))
      return Failed("Clipping locks failed");
    if (!dc.CreateDC(driver.c_str(), device.c_str(), output.c_str(), haveMode ? &mode : nullptr))
      return Failed("Clipping DC creation failed");
  } else if (!dc.CreateCompatibleDC(setup && setup->dc ? CDC::FromHandle(setup->dc) : nullptr)) {
    return Failed("Clipping DC creation failed");
  }
  CFont reportFont;
  if (font == nullptr || !reportFont.CreateFontIndirect(font)) return Failed("Clipping font creation failed");
  CFont* old = dc.SelectObject(&reportFont);
  if (old == nullptr) return Failed("Clipping font selection failed");
  TEXTMETRIC tm{};
  const bool measured = dc.GetTextMetrics(&tm) != FALSE;
  // A record not yet filled has no resolution: the device's own serves, so
  // the width is never divided by zero.
  int dpi = setup ? setup->resolutionX : 0;
  if (dpi <= 0) dpi = dc.GetDeviceCaps(LOGPIXELSX);
  dc.SelectObject(old);
  if (!measured || dpi <= 0) return Failed("Clipping font metrics calculation failed");

  const double needed = std::floor(static_cast<double>(tm.tmAveCharWidth) * columns / dpi * 10.0) / 10.0;
  if (pageWidth - leftMargin - rightMargin >= needed) return true;
  return AskQuestion("The report's page is too narrow.  You may wish to adjust\n"
                     "your page orientation, margins, font, or font size to prevent\n"
                     "report columns from being truncated\n\n"
                     "Do you wish to continue",
                     ANSWER_NO, 0) == ANSWER_YES;
}
