// The printers this machine offers: the CUPS destinations (when a CUPS
// server answers) and always a "PDF file" printer that writes a PDF file.
// KESTROVA_NO_PRINTERS=1 in the environment hides every printer, the PDF
// one included, so that the callers' fallback for a machine without a
// printer can be reached.
#pragma once

#include <string>
#include <vector>

#include "platform/base/types.h"
#include "platform/gfx/DcImpl.h"
#include "platform/print/PrinterDefs.h"

namespace printing {

// The name of the printer that writes PDF files, and its port.
inline constexpr const char* kPdfPrinter = "PDF file";
inline constexpr const char* kDriverName = "winspool";
inline constexpr const char* kPdfPort = "FILE:";
inline constexpr const char* kCupsPort = "CUPS:";

struct PrinterInfo {
  std::string name;
  bool pdf = false;
  bool isDefault = false;
  short paperSize = DMPAPER_LETTER;
  short orientation = DMORIENT_PORTRAIT;
  int marginTenthsMm = 0;  // unprintable edge on every side
  const char* Port() const { return pdf ? kPdfPort : kCupsPort; }
};

// Every printer, the default one marked (the CUPS default when there is
// one, else the PDF printer). Empty when printers are hidden.
std::vector<PrinterInfo> ListPrinters();
// The printer of that name (exact, else without regard to case).
bool FindPrinter(const std::string& name, PrinterInfo* out);
// The default printer; false when there is none.
bool DefaultPrinter(PrinterInfo* out);

// A DEVMODE with the printer's defaults.
DEVMODE DefaultDevMode(const PrinterInfo& printer);
// The paper's size in tenths of a millimetre (portrait) for a DEVMODE.
void PaperSize(const DEVMODE& dm, int* widthTenthsMm, int* lengthTenthsMm);
// The page a printer DC gets from a printer and its settings.
PrinterPage PageFor(const PrinterInfo& printer, const DEVMODE& dm);

// Global memory blocks: a DEVMODE and a DEVNAMES for a printer (an output
// file name may be given for the PDF printer). Null on failure.
HGLOBAL NewDevModeBlock(const DEVMODE& dm);
HGLOBAL NewDevNamesBlock(const PrinterInfo& printer, const std::string& output = {});
// The three names of a DEVNAMES block; false when it is not one.
bool ReadDevNames(HGLOBAL block, std::string* driver, std::string* device, std::string* output);
// A copy of a DEVMODE block; false when it is not one.
bool ReadDevMode(HGLOBAL block, DEVMODE* out);

// Sends a finished PDF file to a CUPS destination as one job; false with a
// message when it cannot.
bool SubmitJob(const std::string& printer, const std::string& pdfPath, const std::string& title, int copies,
               bool collate, std::string* error);

}  // namespace printing
