// Printing a grid as the print dialog asks: every page, a range of pages or
// the selection (the page cutting itself handles the selection). The range
// is held to the grid's pages: pages it names beyond the last one are not
// printed (they would repeat the last page), and a range that holds no page
// prints nothing.
#pragma once

#include "platform/base/types.h"

class CDC;
class CGXGridCore;
struct CPrintInfo;

// The pages to print, from 1, once the grid has counted its pages
// (after OnBeginPrinting): first > last when the range holds none.
void GXGridPagesToPrint(const CPrintInfo& info, UINT& first, UINT& last);

// Runs the print loop on `dc` (a printer DC) as one document named
// `docName`. The number of pages printed, or -1 when the printer failed
// (the document is then thrown away).
int GXPrintGrid(CGXGridCore* grid, CDC* dc, CPrintInfo& info, LPCTSTR docName);

// One page of the loop: the page's drawing rectangle from the DC, then the
// grid's page step.
void GXPrintGridPage(CGXGridCore* grid, CDC* dc, CPrintInfo& info);
