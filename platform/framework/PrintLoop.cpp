// The framework's print loop: the print dialog (or the application's
// printer), then a document with one page per call of the view's print
// steps; and the application's printer kept between runs of the dialog.
#include <cstring>
#include <string>

#include "platform/base/Kernel.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/commdlg/PrintDlg.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Document.h"
#include "platform/framework/PrintInfo.h"
#include "platform/framework/View.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiApi.h"
#include "platform/print/PrinterDc.h"

// ---- CPrintInfo ----

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() {
  // The DC is the loop's to delete; the blocks belong to the application.
  if (m_pPD && m_pPD->m_pd.hDC) {
    ::DeleteDC(m_pPD->m_pd.hDC);
    m_pPD->m_pd.hDC = nullptr;
  }
  delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }
void CPrintInfo::SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }
UINT CPrintInfo::GetMinPage() const { return m_pPD->m_pd.nMinPage; }
UINT CPrintInfo::GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
UINT CPrintInfo::GetFromPage() const {
  return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? m_pPD->m_pd.nFromPage : GetMinPage();
}
UINT CPrintInfo::GetToPage() const { return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? m_pPD->m_pd.nToPage : GetMaxPage(); }

// ---- The application's printer ----

namespace {

// A copy of a global block, or null.
HGLOBAL CopyBlock(HGLOBAL block) {
  if (!block) return nullptr;
  const SIZE_T size = GlobalSize(block);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  std::memcpy(GlobalLock(copy), GlobalLock(block), size);
  GlobalUnlock(copy);
  GlobalUnlock(block);
  return copy;
}

// The application takes the dialog's blocks as its printer.
void TakePrinter(CWinApp* app, PRINTDLG& pd) {
  if (app->m_hDevMode != pd.hDevMode && app->m_hDevMode) GlobalFree(app->m_hDevMode);
  if (app->m_hDevNames != pd.hDevNames && app->m_hDevNames) GlobalFree(app->m_hDevNames);
  app->m_hDevMode = pd.hDevMode;
  app->m_hDevNames = pd.hDevNames;
}

void UpdateDefaults(CWinApp* app) {
  if (app->m_hDevNames) return;
  PRINTDLG pd;
  pd.Flags = PD_RETURNDEFAULT;
  if (PrintDlg(&pd)) TakePrinter(app, pd);
}

}  // namespace

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pd) {
  UpdateDefaults(this);
  if (!m_hDevNames) return FALSE;
  pd->hDevMode = m_hDevMode;
  pd->hDevNames = m_hDevNames;
  return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* dialog) {
  UpdateDefaults(this);
  PRINTDLG& pd = dialog->m_pd;
  // The dialog works on copies, so that Cancel leaves the application's
  // printer as it was.
  pd.hDevMode = CopyBlock(m_hDevMode);
  pd.hDevNames = CopyBlock(m_hDevNames);
  const INT_PTR result = dialog->DoModal();
  if (result == IDOK) {
    TakePrinter(this, pd);
  } else {
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
  }
  pd.hDevMode = m_hDevMode;
  pd.hDevNames = m_hDevNames;
  return result;
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog dialog(TRUE);
  if (DoPrintDialog(&dialog) != IDOK && CommDlgExtendedError() == PDERR_NODEFAULTPRN)
    AfxMessageBox("No printers are installed.", MB_OK | MB_ICONEXCLAMATION);
}

// ---- the print dialog ----

BOOL AfxPrintRangeDialog(CPrintInfo* info, HWND owner) {
  PRINTDLG& pd = info->m_pPD->m_pd;
  pd.hwndOwner = owner;
  pd.Flags |= PD_RETURNDC;
  pd.Flags &= ~PD_NOPAGENUMS;
  if (pd.nFromPage < pd.nMinPage) pd.nFromPage = pd.nMinPage;
  if (pd.nToPage > pd.nMaxPage) pd.nToPage = pd.nMaxPage;
  CWinApp* app = AfxGetApp();
  const INT_PTR result = app ? app->DoPrintDialog(info->m_pPD) : info->m_pPD->DoModal();
  if (result != IDOK) {
    if (CommDlgExtendedError() == PDERR_NODEFAULTPRN)
      AfxMessageBox("No printers are installed.", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  return pd.hDC != nullptr;
}

// ---- CView ----

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
  CWinApp* app = AfxGetApp();
  PRINTDLG& pd = info->m_pPD->m_pd;
  if (info->m_bPreview || info->m_bDirect) {
    // No dialog: the application's printer as it stands.
    PRINTDLG defaults;
    if (!app || !app->GetPrinterDeviceDefaults(&defaults)) return FALSE;
    pd.hDevMode = defaults.hDevMode;
    pd.hDevNames = defaults.hDevNames;
    if (!info->m_pPD->CreatePrinterDC()) return FALSE;
  } else if (!AfxPrintRangeDialog(info, GetSafeHwnd())) {
    return FALSE;
  }
  return pd.hDC != nullptr;
}

void CView::OnFilePrint() {
  CPrintInfo info;
  if (!OnPreparePrinting(&info)) return;
  CDC dc;
  dc.Attach(info.m_pPD->m_pd.hDC);
  dc.m_bPrinting = TRUE;

  CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
  if (title.IsEmpty()) title = AfxGetAppName() ? AfxGetAppName() : "Document";
  const std::string docName(title.GetString());
  DOCINFO doc;
  doc.lpszDocName = docName.c_str();

  OnBeginPrinting(&dc, &info);
  bool failed = dc.StartDoc(&doc) <= 0;
  if (failed) {
    const CString text = CString("Printing could not start.\n") + LastPrintError();
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  }
  const UINT last = info.GetToPage();
  for (info.m_nCurPage = info.GetFromPage(); !failed && info.m_nCurPage <= last; ++info.m_nCurPage) {
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    if (dc.StartPage() <= 0) {
      failed = true;
      break;
    }
    // The page's printable area in the view's logical units, for OnPrint.
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&info.m_rectDraw);
    OnPrint(&dc, &info);
    if (dc.EndPage() <= 0) failed = true;
  }
  OnEndPrinting(&dc, &info);
  if (failed) {
    dc.AbortDoc();
  } else if (dc.EndDoc() <= 0) {
    AfxMessageBox(CString("Printing failed.\n") + LastPrintError(), MB_OK | MB_ICONEXCLAMATION);
  }
  dc.Detach();
}
