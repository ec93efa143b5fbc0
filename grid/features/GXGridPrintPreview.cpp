#include "grid/features/GXGridPrintPreview.h"

#include "grid/core/GXGridCore.h"
#include "grid/features/GXGridPrintLoop.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/CWnd.h"
#include "platform/framework/PrintInfo.h"
#include "platform/gfx/Dc.h"
#include "platform/print/PreviewPages.h"
#include "platform/print/PrinterDc.h"

namespace {

GXGridPreviewHost g_host = nullptr;

}  // namespace

int GXPreviewGrid(CGXGridCore* grid, CPreviewPages& pages, CPrintInfo& info) {
  if (grid == nullptr) return -1;
  CDC* dc = pages.GetDC();
  info.m_bPreview = TRUE;
  grid->OnBeginPrinting(dc, &info);
  // The page cutting names the page that holds what the window shows.
  const UINT start = info.m_nCurPage;
  const int before = pages.GetPageCount();
  // A preview shows every page, whatever range the dialog last named.
  for (info.m_nCurPage = 1; info.m_nCurPage <= info.GetMaxPage(); ++info.m_nCurPage) {
    pages.StartPage();
    GXPrintGridPage(grid, dc, info);
    pages.EndPage();
  }
  grid->OnEndPrinting(dc, &info);
  const int made = pages.GetPageCount() - before;
  if (made <= 0) return -1;
  return before + static_cast<int>(start >= 1 && start <= static_cast<UINT>(made) ? start - 1 : 0);
}

void GXSetGridPreviewHost(GXGridPreviewHost host) { g_host = host; }

GXGridPreviewHost GXGetGridPreviewHost() { return g_host; }

BOOL GXShowGridPreview(CGXGridCore* grid) {
  if (g_host == nullptr || grid == nullptr) return FALSE;
  CPrintInfo info;
  info.m_bPreview = TRUE;
  PRINTDLG defaults;
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->GetPrinterDeviceDefaults(&defaults)) {
    info.m_pPD->m_pd.hDevMode = defaults.hDevMode;
    info.m_pPD->m_pd.hDevNames = defaults.hDevNames;
    info.m_pPD->CreatePrinterDC();
  }
  CPreviewPages pages(info.m_pPD->m_pd.hDC);
  const int first = GXPreviewGrid(grid, pages, info);
  // The blocks are the application's printer; the DC goes with the info.
  info.m_pPD->m_pd.hDevMode = nullptr;
  info.m_pPD->m_pd.hDevNames = nullptr;
  if (first < 0) return FALSE;
  g_host(grid, pages, first);
  return TRUE;
}

int GXPrintGridWithDialog(CGXGridCore* grid, CWnd* owner, UINT pageCount) {
  if (grid == nullptr) return -1;
  CPrintInfo info;
  info.SetMinPage(1);
  info.SetMaxPage(pageCount > 0 ? pageCount : 1);
  PRINTDLG& pd = info.m_pPD->m_pd;
  pd.nFromPage = 1;
  pd.nToPage = static_cast<WORD>(info.GetMaxPage());
  if (!AfxPrintRangeDialog(&info, owner != nullptr ? owner->GetSafeHwnd() : nullptr))
    return 0;
  CDC dc;
  dc.Attach(pd.hDC);
  dc.m_bPrinting = TRUE;
  // The dialog's range named the preview's pages; the loop counts the
  // grid's pages again and holds the range to them.
  const int printed = GXPrintGrid(grid, &dc, info, AfxGetAppName() ? AfxGetAppName() : "Grid");
  dc.Detach();  // the info deletes the DC
  if (printed < 0) AfxMessageBox(CString("Printing failed.\n") + LastPrintError(), MB_OK | MB_ICONEXCLAMATION);
  return printed;
}
