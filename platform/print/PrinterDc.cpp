// Printer DCs: a cairo PDF surface per document, delivered at EndDoc.
#include "platform/print/PrinterDc.h"

#include <cairo-pdf.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"
#include "platform/print/Printers.h"

namespace {

thread_local std::string g_lastError;

int Fail(const std::string& message, int result = SP_ERROR) {
  g_lastError = message;
  return result;
}

// One printer DC's printer, settings and the document in progress.
struct Job {
  printing::PrinterInfo printer;
  DEVMODE devMode;
  std::string output;  // CreateDC's output when it names a file
  ABORTPROC abortProc = nullptr;
  cairo_surface_t* surface = nullptr;
  std::string path;     // the PDF being written
  bool temporary = false;  // a spool file for a CUPS printer
  std::string title;
  bool pageOpen = false;
  int pages = 0;

  // Drops the document: its surface and any file written so far.
  void Discard() {
    if (surface) {
      cairo_surface_finish(surface);
      cairo_surface_destroy(surface);
      surface = nullptr;
      if (!path.empty()) std::remove(path.c_str());
    }
    path.clear();
    pageOpen = false;
  }
  ~Job() { Discard(); }
};

Job* JobOf(HDC dc) { return static_cast<Job*>(PrinterJobOf(dc)); }

// A port name is not a file to print into.
bool IsFileName(LPCSTR output) {
  if (!output || !*output) return false;
  const std::string o(output);
  return o != printing::kPdfPort && o != printing::kCupsPort && o.back() != ':';
}

HDC MakePrinterDC(LPCSTR device, LPCSTR output, const DEVMODE* devMode) {
  printing::PrinterInfo printer;
  if (!device || !printing::FindPrinter(device, &printer)) {
    g_lastError = std::string("There is no printer \"") + (device ? device : "") + "\".";
    return nullptr;
  }
  auto job = std::make_shared<Job>();
  job->printer = printer;
  job->devMode = devMode ? *devMode : printing::DefaultDevMode(printer);
  if (IsFileName(output)) job->output = output;
  HDC dc = CreatePrinterSurfaceDC(printing::PageFor(printer, job->devMode));
  SetPrinterJob(dc, job);
  return dc;
}

void EndSurface(HDC dc, Job* job) {
  SetPrinterSurface(dc, nullptr);
  cairo_surface_finish(job->surface);
}

}  // namespace

HDC CreateDC(LPCSTR, LPCSTR device, LPCSTR output, const DEVMODE* devMode) {
  return MakePrinterDC(device, output, devMode);
}

HDC CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODE* devMode) {
  return CreateDC(driver, device, output, devMode);
}

int StartDoc(HDC dc, const DOCINFO* info) {
  Job* job = JobOf(dc);
  if (!job) return Fail("Not a printer device context.");
  if (job->surface) return Fail("A document is already being printed on this printer.");
  job->title = info && info->lpszDocName ? info->lpszDocName : "Document";
  const std::string toFile = info && IsFileName(info->lpszOutput) ? info->lpszOutput : job->output;
  job->temporary = toFile.empty();
  if (!job->temporary) {
    job->path = toFile;
  } else if (job->printer.pdf) {
    return Fail("The \"PDF file\" printer needs the name of the file to write.");
  } else {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kestrova-print-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return Fail("Cannot make a spool file in the temporary folder.");
    close(fd);
    job->path = pattern;
  }
  const PrinterPage* page = PrinterPageOf(dc);
  const double w = page->physWidth * 72.0 / page->dpiX, h = page->physHeight * 72.0 / page->dpiY;
  cairo_surface_t* s = cairo_pdf_surface_create(job->path.c_str(), w, h);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    const std::string path = job->path;
    if (job->temporary) std::remove(path.c_str());
    job->path.clear();
    return Fail("Cannot write the file \"" + path + "\".");
  }
  cairo_pdf_surface_set_metadata(s, CAIRO_PDF_METADATA_TITLE, job->title.c_str());
  cairo_pdf_surface_set_metadata(s, CAIRO_PDF_METADATA_CREATOR, "Kestrova");
  job->surface = s;
  job->pages = 0;
  job->pageOpen = false;
  SetPrinterSurface(dc, s);
  return 1;
}

int StartPage(HDC dc) {
  Job* job = JobOf(dc);
  if (!job || !job->surface) return Fail("No document has been started.", 0);
  job->pageOpen = true;
  return 1;
}

int EndPage(HDC dc) {
  Job* job = JobOf(dc);
  if (!job || !job->surface || !job->pageOpen) return Fail("No page has been started.");
  cairo_surface_show_page(job->surface);
  job->pageOpen = false;
  ++job->pages;
  if (job->abortProc && !job->abortProc(dc, 0)) {
    SetPrinterSurface(dc, nullptr);
    job->Discard();
    return Fail("Printing was cancelled.", SP_APPABORT);
  }
  if (cairo_surface_status(job->surface) != CAIRO_STATUS_SUCCESS) {
    SetPrinterSurface(dc, nullptr);
    job->Discard();
    return Fail("Writing the printed pages failed.");
  }
  return 1;
}

int EndDoc(HDC dc) {
  Job* job = JobOf(dc);
  if (!job || !job->surface) return Fail("No document has been started.");
  // A page left open is still part of the document.
  if (job->pageOpen) {
    cairo_surface_show_page(job->surface);
    ++job->pages;
    job->pageOpen = false;
  }
  EndSurface(dc, job);
  const bool written = cairo_surface_status(job->surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(job->surface);
  job->surface = nullptr;
  const std::string path = job->path;
  job->path.clear();
  if (!written) {
    std::remove(path.c_str());
    return Fail("Writing the file \"" + path + "\" failed.");
  }
  if (!job->temporary) return 1;
  std::string error;
  const bool collate = !(job->devMode.dmFields & DM_COLLATE) || job->devMode.dmCollate == DMCOLLATE_TRUE;
  const int copies = (job->devMode.dmFields & DM_COPIES) ? job->devMode.dmCopies : 1;
  const bool sent = printing::SubmitJob(job->printer.name, path, job->title, copies, collate, &error);
  std::remove(path.c_str());
  return sent ? 1 : Fail(error);
}

int AbortDoc(HDC dc) {
  Job* job = JobOf(dc);
  if (!job || !job->surface) return Fail("No document has been started.");
  SetPrinterSurface(dc, nullptr);
  job->Discard();
  return 1;
}

int SetAbortProc(HDC dc, ABORTPROC proc) {
  Job* job = JobOf(dc);
  if (!job) return Fail("Not a printer device context.");
  job->abortProc = proc;
  return 1;
}

int Escape(HDC dc, int escape, int inSize, LPCSTR in, void* out) {
  const PrinterPage* page = PrinterPageOf(dc);
  if (!page) return 0;
  switch (escape) {
    case QUERYESCSUPPORT: {
      if (!in || inSize < static_cast<int>(sizeof(int))) return 0;
      int asked = 0;
      std::memcpy(&asked, in, sizeof asked);
      return asked == QUERYESCSUPPORT || asked == GETPHYSPAGESIZE || asked == GETPRINTINGOFFSET;
    }
    case GETPHYSPAGESIZE:
    case GETPRINTINGOFFSET: {
      if (!out) return 0;
      const POINT p = escape == GETPHYSPAGESIZE ? POINT{page->physWidth, page->physHeight}
                                                : POINT{page->offsetX, page->offsetY};
      std::memcpy(out, &p, sizeof p);
      return 1;
    }
    default: return 0;
  }
}

const char* LastPrintError() { return g_lastError.c_str(); }

// ---- CDC ----

BOOL CDC::CreateDC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData) {
  if (m_hDC) return FALSE;
  HDC dc = ::CreateDC(driver, device, output, static_cast<const DEVMODE*>(initData));
  if (!dc) return FALSE;
  TakeHandle(dc);
  return TRUE;
}

int CDC::StartDoc(LPCTSTR docName) {
  DOCINFO info;
  info.lpszDocName = docName;
  return ::StartDoc(m_hDC, &info);
}
int CDC::StartDoc(const DOCINFO* info) { return ::StartDoc(m_hDC, info); }
int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
int CDC::Escape(int escape, int inSize, LPCSTR in, void* out) { return ::Escape(m_hDC, escape, inSize, in, out); }
int CDC::SetAbortProc(BOOL (*proc)(HDC, int)) { return ::SetAbortProc(m_hDC, proc); }
