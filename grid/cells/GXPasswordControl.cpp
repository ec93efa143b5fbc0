// The password cell.
#include "grid/cells/GXPasswordControl.h"

#include "platform/host/Keys.h"
#include "platform/window/CtlDefs.h"

const GXControlClass CGXPasswordControl::CGXPasswordControlRecord = {"CGXPasswordControl",
                                                                     &CGXEditControl::CGXEditControlRecord};

CGXPasswordControl::CGXPasswordControl(CGXGridCore* grid, UINT id) : CGXEditControl(grid, id) {
  // The whole cell is drawn anew when it becomes current, so no trace of
  // the masked text the inactive cell showed stays behind the editor.
  m_bRefreshOnSetCurrentCell = TRUE;
}

BOOL CGXPasswordControl::GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value,
                                        const CGXStyle& style) {
  const BOOL result = CGXEditControl::GetControlText(text, row, col, value, style);
  if (m_bMasking) text = CString(m_chPassword, text.GetLength());
  return result;
}

void CGXPasswordControl::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  // The editor holds the real text and masks it itself.
  m_bMasking = FALSE;
  CString plain;
  GetControlText(plain, m_nRow, m_nCol, text, CGXControl::GetStyle());
  m_bMasking = TRUE;
  SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(m_chPassword));
  SetWindowText(plain);
}

DWORD CGXPasswordControl::CalcEditStyle(CRect& rect, int lineHeight) {
  return (CGXEditControl::CalcEditStyle(rect, lineHeight) & ~static_cast<DWORD>(ES_MULTILINE)) | ES_PASSWORD;
}

BOOL CGXPasswordControl::CreateControl(DWORD style, const RECT* rect) {
  // One line from the start: a multi-line editor would show the text.
  if (style == 0) style = ES_AUTOHSCROLL | ES_NOHIDESEL | ES_PASSWORD;
  return CGXEditControl::CreateControl(style, rect);
}

BOOL CGXPasswordControl::FilterTypedChar(UINT ch, UINT repeat, UINT flags) {
  // Ctrl+C and Ctrl+X neither copy nor empty the clipboard.
  if ((ch == 3 || ch == 24) && (::GetKeyState(VK_CONTROL) & 0x8000) != 0) return FALSE;
  return CGXEditControl::FilterTypedChar(ch, repeat, flags);
}

void CGXPasswordControl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  // Shift+Delete would cut the hidden text.
  if (key == VK_DELETE && (::GetKeyState(VK_SHIFT) & 0x8000) != 0) return;
  CGXEditControl::OnKeyDown(key, repeat, flags);
}
