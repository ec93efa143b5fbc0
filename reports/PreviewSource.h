// What the preview window shows: pages of one paper size, each drawn on
// demand at the preview's zoom. A report's page file is one source; pages
// kept as drawings (a grid's print, for instance) are another. The window
// does its paging, zoom, scrolling and caching the same for every source.
#pragma once

class CDC;
class CWnd;

class CPreviewPageSource {
 public:
  virtual ~CPreviewPageSource() = default;

  virtual int PageCount() const = 0;
  // The paper, in inches.
  virtual float PaperWidth() const = 0;
  virtual float PaperHeight() const = 0;
  // Draws page `page` (from 0) at `ppi` pixels per inch with the paper's
  // top-left corner at (x, y) of `dc`, a memory DC whose paper is already
  // white; nothing beyond the paper.
  virtual void DrawPage(CDC* dc, int page, int x, int y, int ppi) = 0;
  // The preview's Print: prints the pages' document through its own print
  // path, with `owner` over the print dialog.
  virtual void Print(CWnd* owner) = 0;
};
