// Print preview of a grid: the grid's pages drawn on preview pages that
// measure as the printer does, every page of the print (or of the
// selection, when the dialog asks for it), and the page the preview opens
// at: the one that holds the part of the grid the window shows.
#pragma once

#include "platform/base/types.h"

class CGXGridCore;
class CPreviewPages;
class CWnd;
struct CPrintInfo;

// Draws every page onto `pages`; the index (from 0) of the page to show
// first, or -1 when the grid gave no page.
int GXPreviewGrid(CGXGridCore* grid, CPreviewPages& pages, CPrintInfo& info);

// Where a grid's preview is shown. The grid library cannot show one
// itself: the program installs a host (its preview window). Null: none.
using GXGridPreviewHost = void (*)(CGXGridCore* grid, CPreviewPages& pages, int firstPage);
void GXSetGridPreviewHost(GXGridPreviewHost host);
GXGridPreviewHost GXGetGridPreviewHost();

// The grid's Print Preview command: previews on the application's printer
// (US letter at 300 dpi without one) and hands the pages to the host.
// FALSE when no host is installed or the grid gave no page.
BOOL GXShowGridPreview(CGXGridCore* grid);

// Print from a grid's preview: the print dialog over `owner` (every page
// or a range of the `pageCount` pages shown), then the grid's print loop on
// the printer chosen, which the application keeps. The pages printed, 0
// when the dialog was cancelled or chose no printer, -1 when the printer
// failed (told).
int GXPrintGridWithDialog(CGXGridCore* grid, CWnd* owner, UINT pageCount);
