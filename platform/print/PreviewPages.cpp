#include "platform/print/PreviewPages.h"

#include <cairo.h>

#include "platform/gfx/DcImpl.h"

namespace {

PrinterPage PageOf(HDC printer) {
  const PrinterPage* page = printer != nullptr ? PrinterPageOf(printer) : nullptr;
  return page != nullptr ? *page : PrinterPage();
}

}  // namespace

CPreviewPages::CPreviewPages(HDC printer) {
  dc_.Attach(CreatePrinterSurfaceDC(PageOf(printer)));
  dc_.m_bPrinting = TRUE;
}

CPreviewPages::~CPreviewPages() {
  SetPrinterSurface(dc_.GetSafeHdc(), nullptr);
  DeleteSurfaceDC(dc_.Detach());
  if (open_ != nullptr) cairo_surface_destroy(open_);
  for (cairo_surface_t* page : pages_) cairo_surface_destroy(page);
}

CSize CPreviewPages::GetPaperSize() const {
  const PrinterPage* page = PrinterPageOf(dc_.GetSafeHdc());
  return page != nullptr ? CSize(page->physWidth, page->physHeight) : CSize(0, 0);
}

int CPreviewPages::GetResolution() const {
  const PrinterPage* page = PrinterPageOf(dc_.GetSafeHdc());
  return page != nullptr ? page->dpiX : 0;
}

void CPreviewPages::StartPage() {
  // A page left open is kept as it stands.
  if (open_ != nullptr) EndPage();
  const PrinterPage* page = PrinterPageOf(dc_.GetSafeHdc());
  if (page == nullptr) return;
  const cairo_rectangle_t paper{0, 0, page->physWidth * 72.0 / page->dpiX, page->physHeight * 72.0 / page->dpiY};
  open_ = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &paper);
  SetPrinterSurface(dc_.GetSafeHdc(), open_);
}

void CPreviewPages::EndPage() {
  if (open_ == nullptr) return;
  SetPrinterSurface(dc_.GetSafeHdc(), nullptr);
  cairo_surface_flush(open_);
  pages_.push_back(open_);
  open_ = nullptr;
}

cairo_surface_t* CPreviewPages::GetPageDrawing(int index) const {
  return index >= 0 && index < GetPageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

BOOL CPreviewPages::DrawPage(CDC* target, int index, int x, int y, int ppi) const {
  cairo_surface_t* drawing = GetPageDrawing(index);
  cairo_surface_t* surface = target != nullptr ? SurfaceOfDC(target->GetSafeHdc()) : nullptr;
  const PrinterPage* page = PrinterPageOf(dc_.GetSafeHdc());
  if (drawing == nullptr || surface == nullptr || page == nullptr || ppi <= 0) return FALSE;
  FlushDC(target->GetSafeHdc());
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, x, y);
  cairo_scale(cr, ppi / 72.0, ppi / 72.0);
  cairo_rectangle(cr, 0, 0, page->physWidth * 72.0 / page->dpiX, page->physHeight * 72.0 / page->dpiY);
  cairo_clip(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_surface(cr, drawing, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_mark_dirty(surface);
  return TRUE;
}
