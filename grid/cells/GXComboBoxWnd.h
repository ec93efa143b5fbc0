// The cell that hosts a real combo box window. One hidden combo window
// serves every cell of the control: the current cell, once active, gets it
// placed over the cell in the cell's font and colours; every other cell is
// drawn as static text with a drop-down button at its right edge. The value
// stored is the item's text, or its index plus a base.
#pragma once

#include "grid/cells/GXChild.h"
#include "grid/cells/GXStatic.h"
#include "platform/controls/CtlComboBox.h"
#include "platform/gfx/GdiObject.h"

class CGXComboBoxWnd;

// The combo's edit child: focus loss and navigation keys reach the grid.
class CGXComboEditPart : public CWnd {
 public:
  CGXComboBoxWnd* m_pCombo = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CGXComboBoxWnd : public CComboBox, public CGXStatic {
  GX_DECLARE_CONTROL_CLASS(CGXComboBoxWnd)

 public:
  explicit CGXComboBoxWnd(CGXGridCore* grid);
  ~CGXComboBoxWnd() override;

  // Creates the button and the hidden combo window (child of the grid).
  virtual BOOL CreateComboWindow(DWORD style, UINT id);
  // The window's rectangle for a cell rectangle.
  virtual CRect CalcWindowRect(const CRect& rect) { return rect; }
  // The grid's keys: true when the grid took the key.
  virtual BOOL FilterGridKey(UINT key, UINT repeat, UINT flags);
  virtual BOOL ShowPendingDropDown();

  CWnd* GetWnd() override { return this; }
  void SetActive(BOOL on) override;
  BOOL IsActive() override { return m_bActive; }
  void SetModify(BOOL modified) override { m_bModified = modified; }
  BOOL GetModify() override { return m_bModified; }
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  void GetValue(CString& text) override;
  void SetValue(LPCTSTR text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL SetControlText(ROWCOL row, ROWCOL col, const CString& text, UINT flags, const CGXStyle* style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  void Hide() override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL InsertText(LPCTSTR text) override;
  BOOL SysKeyDown(UINT key, UINT repeat, UINT flags) override;
  void ReplaceSel(LPCTSTR text) override;
  int GetSelectedText(CString& text) override;
  void OnClickedButton(CGXChild* child) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnInitChildren(ROWCOL row, ROWCOL col, const CRect& text) override;
  BOOL ValidateString(const CString& text) override;

  BOOL ShowsButtonWhenInactive() const { return !m_bInactiveDrawButtonOnlyCurrent || m_bInactiveDrawAllCells; }
  BOOL IsDropDownList() const { return (m_dwComboStyle & 3) == CBS_DROPDOWNLIST; }

  int m_nMargin = 3;
  BOOL m_bFillWithChoiceList = TRUE;
  BOOL m_bWantArrowKeys = FALSE;
  BOOL m_bSizeToContent = FALSE;
  int m_nIndexValue = -1;
  BOOL m_bDispChoice = FALSE;
  BOOL m_bDropDownOnClick = TRUE;
  BOOL m_bInactiveDrawAllCells = FALSE;
  BOOL m_bInactiveDrawButtonOnlyCurrent = TRUE;
  BOOL m_bShrinkSelectionField = FALSE;
  BOOL m_bNotOwnerDrawn = TRUE;
  CGXComboEditPart m_wndEdit;
  CGXComboBoxWndButton* m_pButton = nullptr;
  BOOL m_bActive = FALSE;
  BOOL m_bModified = FALSE;
  CFont* m_pFont = nullptr;
  COLORREF m_rgbBackColor = RGB(255, 255, 255);
  int m_nSavedSelStart = 0, m_nSavedSelEnd = -1;
  BOOL m_bDropDownPending = FALSE;
  int m_nTextHeight = 0;
  BOOL m_bFrameInactiveCells = TRUE;
  CString m_sSavedText;
  int m_nSavedSel = -1;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ActivateAndDropDown();
  void RestoreSaved();
  BOOL StartAndActivate();
  int IndexBase() const { return m_nIndexValue; }
  // Fits the selection field into the cell rectangle `r` (the text height
  // with fit-to-content, aligned as the style says; grown by the margin
  // unless the field shrinks instead) and returns the field's item height.
  int PlaceSelectionField(CRect& r, const CGXStyle& style, int textHeight);
  // Pixels the text of a cell gives up at its right edge for the button.
  int ButtonStrip(ROWCOL row, ROWCOL col);

  DWORD m_dwComboStyle = 0;
};
