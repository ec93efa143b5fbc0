// CPrintInfo: what the print loop and a view's print steps share: the page
// range and the current page, whether to go on, preview or not, the
// drawing rectangle of the page and the print dialog behind it all.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/types.h"

class CPrintDialog;

struct CPrintInfo {
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  void SetMinPage(UINT page);
  void SetMaxPage(UINT page);
  UINT GetMinPage() const;
  UINT GetMaxPage() const;  // 0xFFFF while unknown
  // The range the user chose (the whole range unless pages were chosen).
  UINT GetFromPage() const;
  UINT GetToPage() const;
  UINT GetOffsetPage() const { return 0; }

  CPrintDialog* m_pPD;
  BOOL m_bDirect = FALSE;    // print on the application's printer without the dialog
  BOOL m_bPreview = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  CString m_strPageDesc = "Page %u\nPages %u-%u\n";
  LPVOID m_lpUserData = nullptr;
  CRect m_rectDraw;  // the page's printable area, logical units
};

// The print dialog over `owner` for the info's page range (every page or a
// range of them), with a DC for the printer chosen. FALSE when it was
// cancelled or made no DC; "No printers are installed." is told when there
// is no printer to choose.
BOOL AfxPrintRangeDialog(CPrintInfo* info, HWND owner);
