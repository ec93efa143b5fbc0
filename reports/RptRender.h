// Rendering a built report: on a printer (a PDF file or a CUPS queue), as
// a plain text file, and in the text viewer. The preview draws its pages
// with the same drawer (RptDrawer) at its zoom.
#pragma once

#include <cstddef>
#include <string>

#include "reports/RptContext.h"
#include "reports/RptParser.h"

class CDC;
struct PrintSetupRecord;

// Draws segments on a DC: a printer's in 0.01-inch units with y negated
// (MM_LOENGLISH), or a preview page image in pixels.
class RptDrawer {
 public:
  // `preview`: pixels with y down, label outlines drawn, clipped text not
  // filled, cells kept inside `pageRight`.
  RptDrawer(CDC* dc, RptContext* context, bool preview, int pageRight = 0);
  // Draws one segment; false with the failing step in `error`.
  bool Draw(const RptSegment& segment, int font, std::string* error);
  // Forget the selected font and alignment (after a new page).
  void Forget();

 private:
  CDC* dc_;
  RptContext* c_;
  bool preview_;
  int pageRight_;
  int lastFont_ = -1;
  int lastAlign_ = -1;
};

// The page range and copies a print run makes.
struct RptPrintRange {
  int firstPage = 1;
  int lastPage = 0xFFFF;
  int copies = 1;
  int collate = 1;
};

// Prints the whole range on the printer DC: the document (its output file
// `saveAsName` when set), copies and collation made by the program.
int PrintRpt(RptContext* context, CDC* dc, const RptPrintRange& range);
// The range from ThePrintSetup.
int PrintRpt(RptContext* context, CDC* dc);
// The pages first..last on an open document; 0 with the text in `error`.
int PrintPages(RptContext* context, CDC* dc, int firstPage, int lastPage, std::string* error);
// Keeps windows painting while the document is written; always goes on.
BOOL RptAbortProc(HDC dc, int code);

// The report as plain text (CR LF lines, a form feed between pages) into
// `saveAsName`.
int ExportRptText(RptContext* context);
// The same into "preview.txt" of the temporary folder, shown in the text
// viewer as "Report Preview", then deleted.
int ShowRptTextPreview(RptContext* context);
