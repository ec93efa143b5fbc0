// The password cell: an edit cell whose text is never shown, neither in
// the cell nor while it is edited, and never leaves it through the
// clipboard.
#pragma once

#include "grid/cells/GXEditControl.h"

class CGXPasswordControl : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGXPasswordControl)

 public:
  CGXPasswordControl(CGXGridCore* grid, UINT id);

  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  void SetCurrentText(const CString& text) override;
  BOOL CreateControl(DWORD style, const RECT* rect) override;
  DWORD CalcEditStyle(CRect& rect, int lineHeight) override;
  BOOL FilterTypedChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL Copy() override { return TRUE; }
  BOOL Cut() override { return TRUE; }

  BOOL m_bMasking = TRUE;
  char m_chPassword = '*';

 protected:
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
};
