// The find and replace state that every grid shares: the open dialog, the
// texts and options last given, and the grid that was activated last.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXGridCore;
class CGXStyle;

struct GXFindReplaceState {
  HWND m_pFindReplaceDlg = nullptr;
  BOOL m_bFindOnly = FALSE;
  CString strFind;
  CString strFindUpper;  // the search text copy
  CString strReplace;
  BOOL bCase = FALSE;
  BOOL bNext = TRUE;  // search down
  BOOL bOption1 = TRUE;
  CGXGridCore* m_pActiveGrid = nullptr;
  HWND m_hwndOwner = nullptr;
  BOOL bOption2 = FALSE;
  // The composed style of the cell a search is looking at, else null.
  const CGXStyle* m_pStyle = nullptr;

  // Takes the search text as the copy; without match case the copy is
  // emptied again.
  void CommitSearchText() {
    strFindUpper = strFind;
    if (!bCase) strFindUpper.Empty();
  }
};

GXFindReplaceState& GXGetFindReplaceState();
