// The edit cell: draws like a static cell while inactive and, once active,
// edits the cell in place in an edit window laid over it. Keys the edit
// window cannot use (leaving the text at either end, Tab, Enter, Esc, page
// and function keys) go on to the grid, which moves the current cell.
#pragma once

#include "grid/cells/GXStatic.h"
#include "platform/controls/CtlEdit.h"
#include "platform/gfx/GdiObject.h"

// Set while an input-method composition runs in any edit cell.
inline BOOL GXImeComposing = FALSE;

class CGXEditControl : public CEdit, public CGXStatic {
  DECLARE_DYNAMIC(CGXEditControl)
  GX_DECLARE_CONTROL_CLASS(CGXEditControl)

 public:
  CGXEditControl(CGXGridCore* grid, UINT id);
  ~CGXEditControl() override;

  // The edit window for the style, at `rect` (empty when none).
  virtual BOOL CreateControl(DWORD style, const RECT* rect);
  // Whether the edit window itself processes a typed character; a text
  // the control inserts itself is left in the pending text.
  virtual BOOL FilterTypedChar(UINT ch, UINT repeat, UINT flags);
  // The window style the cell's text and attributes call for, with the
  // formatting rectangle in `rect`.
  virtual DWORD CalcEditStyle(CRect& rect, int lineHeight);
  // Re-creates the window when the style it needs has changed (keeping
  // its text, selection and state), else only lays the text out anew.
  void UpdateEditStyle();

  CRuntimeClass* GetWndRuntimeClass() override { return RUNTIME_CLASS(CGXEditControl); }
  CWnd* GetWnd() override { return this; }
  void SetActive(BOOL on) override;
  BOOL IsActive() override { return m_bIsActive; }
  void SetModify(BOOL modified) override;
  BOOL GetModify() override;
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  BOOL OnEndEditing() override;
  BOOL CanFloatCell(ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  void GetValue(CString& text) override;
  void SetValue(LPCTSTR text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  void Hide() override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL InsertText(LPCTSTR text) override;
  BOOL FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) override;
  void ReplaceSel(LPCTSTR text) override;
  BOOL ReplaceAll(void* request, ROWCOL row, ROWCOL col) override;
  int GetSelectedText(CString& text) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL ValidateInsertion(const CString& text) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  // The window's handler and this one, which the procedure calls with the
  // change itself, share the name.
  using CEdit::OnStyleChanged;
  void OnStyleChanged(int which, const STYLESTRUCT& change);
  // The window text with the selection replaced by `text`.
  CString TextWithSelectionReplaced(const CString& text);
  // The character of the cell's text under a point, -1 when none.
  int CalcCharFromPoint(CPoint point);
  // Activates an inactive bound cell with the caret at `caret` (-1 the end).
  BOOL StartEditingAt(int caret);
  // The cell as a grid control: the edit window's own Copy, Cut and Paste
  // share the names of the cell's clipboard operations.
  CGXControl& AsControl() { return *this; }
  // The cell's display text searched for the request's text.
  static int FindIn(const CString& text, const CString& find, BOOL matchCase, int start);

  BOOL m_bAutoSize = FALSE;
  BOOL m_bVertScrollBar = FALSE;
  UINT m_nID;
  BOOL m_bIsActive = FALSE;
  CFont* m_pFont = nullptr;
  COLORREF m_rgbHighlightText;
  DWORD m_dwEditStyle = 0;
  int m_nHorzAlign = 0;
  BOOL m_bUpdateEditStyle = FALSE;
  int m_nLineHeight = 0;
  int m_nMaxCharWidth = 0;
  COLORREF m_rgbTextColor = 0;
  BOOL m_bAllowEnter = FALSE;
  BOOL m_bWrapText = FALSE;
  BOOL m_bRTLReading = FALSE;
  CString m_strPending;
  BOOL m_bInserting = FALSE;
  int m_nMaxLength = 0;
  BOOL m_bFloatChanged = FALSE;
};
