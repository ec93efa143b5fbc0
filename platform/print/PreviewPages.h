// Pages of a print preview. A print loop draws each page on a DC that
// measures and draws as the printer's does (same paper, printable area,
// resolution and fonts); the pages are kept as drawings, so that a preview
// shows them at any zoom without running the loop again.
#pragma once

#include <vector>

#include "platform/base/Geometry.h"
#include "platform/base/types.h"
#include "platform/gfx/Dc.h"

typedef struct _cairo_surface cairo_surface_t;

class CPreviewPages {
 public:
  // Pages like those of `printer` (a printer DC); US letter at 300 dpi when
  // it is not one.
  explicit CPreviewPages(HDC printer);
  ~CPreviewPages();
  CPreviewPages(const CPreviewPages&) = delete;
  CPreviewPages& operator=(const CPreviewPages&) = delete;

  // The printer-like DC: measure with it at any time, draw on it between
  // StartPage and EndPage.
  CDC* GetDC() { return &dc_; }
  void StartPage();
  void EndPage();
  int GetPageCount() const { return static_cast<int>(pages_.size()); }

  // The whole paper in printer pixels, and the printer's resolution.
  CSize GetPaperSize() const;
  int GetResolution() const;

  // Draws page `index` (from 0) on white paper at `ppi` pixels per inch,
  // the paper's top-left corner at pixel (x, y) of `target`'s bitmap (a
  // memory DC). FALSE for a page that does not exist or a target without
  // a bitmap.
  BOOL DrawPage(CDC* target, int index, int x, int y, int ppi) const;
  // The drawing of a page (units: points), to replay elsewhere; null for a
  // page that does not exist. It stays the pages' own.
  cairo_surface_t* GetPageDrawing(int index) const;

 private:
  CDC dc_;
  std::vector<cairo_surface_t*> pages_;
  cairo_surface_t* open_ = nullptr;
};
