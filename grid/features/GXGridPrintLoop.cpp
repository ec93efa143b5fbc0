#include "grid/features/GXGridPrintLoop.h"

#include <algorithm>

#include "grid/core/GXGridCore.h"
#include "platform/framework/PrintInfo.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/print/PrinterDefs.h"

void GXGridPagesToPrint(const CPrintInfo& info, UINT& first, UINT& last) {
  first = std::max<UINT>(info.GetFromPage(), 1);
  last = std::min(info.GetToPage(), info.GetMaxPage());
}

void GXPrintGridPage(CGXGridCore* grid, CDC* dc, CPrintInfo& info) {
  grid->PrepareDC(dc, TRUE);
  info.m_rectDraw.SetRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
  dc->DPtoLP(&info.m_rectDraw);
  grid->OnPrint(dc, &info);
}

int GXPrintGrid(CGXGridCore* grid, CDC* dc, CPrintInfo& info, LPCTSTR docName) {
  if (grid == nullptr || dc == nullptr) return -1;
  grid->OnBeginPrinting(dc, &info);
  UINT first = 0, last = 0;
  GXGridPagesToPrint(info, first, last);
  if (first > last) {
    grid->OnEndPrinting(dc, &info);
    return 0;
  }
  DOCINFO doc;
  doc.lpszDocName = docName != nullptr ? docName : "Grid";
  bool failed = dc->StartDoc(&doc) <= 0;
  int printed = 0;
  for (info.m_nCurPage = first; !failed && info.m_nCurPage <= last; ++info.m_nCurPage) {
    if (dc->StartPage() <= 0) {
      failed = true;
      break;
    }
    GXPrintGridPage(grid, dc, info);
    if (dc->EndPage() <= 0) {
      failed = true;
    } else {
      ++printed;
    }
    // The grid grows its page count when it grew meanwhile; the range
    // follows, still held to the pages there are.
    GXGridPagesToPrint(info, first, last);
  }
  grid->OnEndPrinting(dc, &info);
  if (failed) {
    dc->AbortDoc();
    return -1;
  }
  return dc->EndDoc() > 0 ? printed : -1;
}
