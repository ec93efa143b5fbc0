// The printer list from CUPS plus the PDF printer, and the printer
// description blocks in global memory.
#include "platform/print/Printers.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "platform/base/Kernel.h"

namespace printing {

namespace {

bool PrintersHidden() {
  const char* v = std::getenv("KESTROVA_NO_PRINTERS");
  return v && *v && std::strcmp(v, "0") != 0;
}

// The paper of a CUPS "media" option ("na_letter_8.5x11in", "iso_a4_210x297mm",
// "Letter", "A4", ...); letter when unknown.
short PaperOfMedia(const char* media) {
  if (!media) return DMPAPER_LETTER;
  std::string m(media);
  std::transform(m.begin(), m.end(), m.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (m.find("a4") != std::string::npos) return DMPAPER_A4;
  if (m.find("a5") != std::string::npos) return DMPAPER_A5;
  if (m.find("legal") != std::string::npos) return DMPAPER_LEGAL;
  return DMPAPER_LETTER;
}

void CopyName(BYTE* dst, std::size_t size, const std::string& src) {
  const std::size_t n = std::min(size - 1, src.size());
  std::memcpy(dst, src.data(), n);
  dst[n] = 0;
}

// The printing service's library, opened at the first question about
// printers rather than linked into the program: it brings TLS, Kerberos and
// service discovery with it, which every start would load for nothing. A
// machine without it still has the PDF printer.
struct Cups {
  decltype(&cupsGetDests2) getDests = nullptr;
  decltype(&cupsFreeDests) freeDests = nullptr;
  decltype(&cupsGetOption) getOption = nullptr;
  decltype(&cupsAddOption) addOption = nullptr;
  decltype(&cupsFreeOptions) freeOptions = nullptr;
  decltype(&cupsPrintFile2) printFile = nullptr;
  decltype(&cupsLastErrorString) lastError = nullptr;
};

template <typename F>
bool Bind(void* lib, const char* name, F* out) {
  *out = reinterpret_cast<F>(::dlsym(lib, name));
  return *out != nullptr;
}

const Cups* TheCups() {
  static const Cups cups = [] {
    Cups c;
    void* lib = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return c;
    const bool all = Bind(lib, "cupsGetDests2", &c.getDests) && Bind(lib, "cupsFreeDests", &c.freeDests) &&
                     Bind(lib, "cupsGetOption", &c.getOption) && Bind(lib, "cupsAddOption", &c.addOption) &&
                     Bind(lib, "cupsFreeOptions", &c.freeOptions) && Bind(lib, "cupsPrintFile2", &c.printFile) &&
                     Bind(lib, "cupsLastErrorString", &c.lastError);
    if (!all) c = Cups{};  // the library stays loaded: no other caller may hold a half-bound copy
    return c;
  }();
  return cups.getDests ? &cups : nullptr;
}

}  // namespace

std::vector<PrinterInfo> ListPrinters() {
  std::vector<PrinterInfo> list;
  if (PrintersHidden()) return list;
  const Cups* cups = TheCups();
  cups_dest_t* dests = nullptr;
  const int count = cups ? cups->getDests(CUPS_HTTP_DEFAULT, &dests) : 0;
  bool haveDefault = false;
  for (int i = 0; i < count; ++i) {
    const cups_dest_t& d = dests[i];
    if (d.instance) continue;  // instances are option sets of a queue shown once
    PrinterInfo p;
    p.name = d.name;
    p.isDefault = d.is_default != 0 && !haveDefault;
    haveDefault = haveDefault || p.isDefault;
    p.paperSize = PaperOfMedia(cups->getOption("media", d.num_options, d.options));
    const char* orient = cups->getOption("orientation-requested", d.num_options, d.options);
    p.orientation = orient && std::strcmp(orient, "4") == 0 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    p.marginTenthsMm = 64;  // a quarter inch, what most printers cannot reach
    list.push_back(p);
  }
  if (cups) cups->freeDests(count, dests);
  PrinterInfo pdf;
  pdf.name = kPdfPrinter;
  pdf.pdf = true;
  pdf.isDefault = !haveDefault;
  list.push_back(pdf);
  return list;
}

bool FindPrinter(const std::string& name, PrinterInfo* out) {
  const std::vector<PrinterInfo> list = ListPrinters();
  for (const PrinterInfo& p : list)
    if (p.name == name) return *out = p, true;
  for (const PrinterInfo& p : list)
    if (strcasecmp(p.name.c_str(), name.c_str()) == 0) return *out = p, true;
  return false;
}

bool DefaultPrinter(PrinterInfo* out) {
  for (const PrinterInfo& p : ListPrinters())
    if (p.isDefault) return *out = p, true;
  return false;
}

DEVMODE DefaultDevMode(const PrinterInfo& printer) {
  DEVMODE dm;
  CopyName(dm.dmDeviceName, sizeof dm.dmDeviceName, printer.name);
  dm.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_COLLATE | DM_PRINTQUALITY | DM_YRESOLUTION |
                DM_TTOPTION;
  dm.dmOrientation = printer.orientation;
  dm.dmPaperSize = printer.paperSize;
  return dm;
}

void PaperSize(const DEVMODE& dm, int* width, int* length) {
  switch (dm.dmPaperSize) {
    case DMPAPER_LEGAL: *width = 2159, *length = 3556; break;
    case DMPAPER_A4: *width = 2100, *length = 2970; break;
    case DMPAPER_A5: *width = 1480, *length = 2100; break;
    default: *width = 2159, *length = 2794; break;
  }
  // A custom size between 1 cm and 1.5 m.
  if ((dm.dmFields & DM_PAPERWIDTH) && dm.dmPaperWidth >= 100) *width = std::min<int>(dm.dmPaperWidth, 15000);
  if ((dm.dmFields & DM_PAPERLENGTH) && dm.dmPaperLength >= 100) *length = std::min<int>(dm.dmPaperLength, 15000);
}

PrinterPage PageFor(const PrinterInfo& printer, const DEVMODE& dm) {
  PrinterPage page;
  // Negative qualities are draft/high names, not resolutions; a resolution
  // read from a damaged block is kept to what a page image can hold.
  page.dpiX = dm.dmPrintQuality > 0 ? std::clamp<int>(dm.dmPrintQuality, 72, 1200) : 300;
  page.dpiY = dm.dmYResolution > 0 ? std::clamp<int>(dm.dmYResolution, 72, 1200) : page.dpiX;
  int w = 0, l = 0;
  PaperSize(dm, &w, &l);
  if (dm.dmOrientation == DMORIENT_LANDSCAPE) std::swap(w, l);
  auto px = [](int tenthsMm, int dpi) { return static_cast<int>(tenthsMm * static_cast<long>(dpi) / 254); };
  page.physWidth = px(w, page.dpiX);
  page.physHeight = px(l, page.dpiY);
  page.offsetX = px(printer.marginTenthsMm, page.dpiX);
  page.offsetY = px(printer.marginTenthsMm, page.dpiY);
  page.horzRes = page.physWidth - 2 * page.offsetX;
  page.vertRes = page.physHeight - 2 * page.offsetY;
  return page;
}

HGLOBAL NewDevModeBlock(const DEVMODE& dm) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVMODE));
  if (!h) return nullptr;
  std::memcpy(GlobalLock(h), &dm, sizeof(DEVMODE));
  GlobalUnlock(h);
  return h;
}

HGLOBAL NewDevNamesBlock(const PrinterInfo& printer, const std::string& output) {
  const std::string driver = kDriverName;
  const std::string port = output.empty() ? std::string(printer.Port()) : output;
  const std::size_t size = sizeof(DEVNAMES) + driver.size() + printer.name.size() + port.size() + 3;
  if (size > 0xFFFF) return nullptr;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!h) return nullptr;
  auto* base = static_cast<char*>(GlobalLock(h));
  DEVNAMES dn;
  std::size_t at = sizeof(DEVNAMES);
  auto put = [&](const std::string& s) {
    std::memcpy(base + at, s.c_str(), s.size() + 1);
    const WORD offset = static_cast<WORD>(at);
    at += s.size() + 1;
    return offset;
  };
  dn.wDriverOffset = put(driver);
  dn.wDeviceOffset = put(printer.name);
  dn.wOutputOffset = put(port);
  dn.wDefault = printer.isDefault ? DN_DEFAULTPRN : 0;
  std::memcpy(base, &dn, sizeof dn);
  GlobalUnlock(h);
  return h;
}

bool ReadDevNames(HGLOBAL block, std::string* driver, std::string* device, std::string* output) {
  const SIZE_T size = block ? GlobalSize(block) : 0;
  if (size <= sizeof(DEVNAMES)) return false;
  const auto* base = static_cast<const char*>(GlobalLock(block));
  DEVNAMES dn;
  std::memcpy(&dn, base, sizeof dn);
  // Each name must start inside the block and end before its end.
  auto get = [&](WORD offset, std::string* out) {
    if (offset < sizeof(DEVNAMES) || offset >= size) return false;
    const void* end = std::memchr(base + offset, 0, size - offset);
    if (!end) return false;
    if (out) out->assign(base + offset, static_cast<const char*>(end));
    return true;
  };
  const bool ok = get(dn.wDriverOffset, driver) && get(dn.wDeviceOffset, device) && get(dn.wOutputOffset, output);
  GlobalUnlock(block);
  return ok;
}

bool ReadDevMode(HGLOBAL block, DEVMODE* out) {
  if (!block || GlobalSize(block) < sizeof(DEVMODE)) return false;
  std::memcpy(out, GlobalLock(block), sizeof(DEVMODE));
  GlobalUnlock(block);
  out->dmDeviceName[CCHDEVICENAME - 1] = 0;
  out->dmFormName[CCHFORMNAME - 1] = 0;
  return true;
}

bool SubmitJob(const std::string& printer, const std::string& pdfPath, const std::string& title, int copies,
               bool collate, std::string* error) {
  const Cups* cups = TheCups();
  if (!cups) {
    if (error) *error = std::string("The printer \"") + printer + "\" cannot be reached: no printing service is installed";
    return false;
  }
  cups_option_t* options = nullptr;
  int n = 0;
  n = cups->addOption("copies", std::to_string(std::max(1, copies)).c_str(), n, &options);
  n = cups->addOption("multiple-document-handling",
                    collate ? "separate-documents-collated-copies" : "separate-documents-uncollated-copies", n,
                    &options);
  const int job = cups->printFile(CUPS_HTTP_DEFAULT, printer.c_str(), pdfPath.c_str(), title.c_str(), n, options);
  cups->freeOptions(n, options);
  if (job == 0 && error) *error = std::string("The printer \"") + printer + "\" refused the job: " + cups->lastError();
  return job != 0;
}

}  // namespace printing
