// The grid's own combo cell: an edit cell with a drop-down button at its
// right edge and a list of the style's choices that drops down under the
// cell in a pop-up window. The mode chosen at construction decides whether
// the cell stores a choice's text or its index and whether typed text must
// match a choice.
#pragma once

#include "grid/cells/GXEditControl.h"
#include "grid/cells/GXGridCombo.h"
#include "platform/controls/CtlListBox.h"

constexpr DWORD GXCOMBO_TEXTFIT = 1;
constexpr DWORD GXCOMBO_NOTEXTFIT = 2;
constexpr DWORD GXCOMBO_ZEROBASED = 4;
constexpr DWORD GXCOMBO_ONEBASED = 8;
constexpr DWORD GXCOMBO_DISPLAYCHOICE = 0x10;

// Messages between the list and the combo's edit window.
constexpr UINT WM_GXCOMBO_SELECT = 0x07AD;
constexpr UINT WM_GXCOMBO_CLOSE = 0x07B8;
constexpr UINT WM_GXCOMBO_SELCHANGE = 0x07C3;
constexpr UINT WM_GXCOMBO_LISTKILLFOCUS = 0x07C4;

// Control ids of the combo cells.
constexpr WORD GX_IDS_CTRL_TEXTFIT = 52527;
constexpr WORD GX_IDS_CTRL_ZEROBASED = 52525;
constexpr WORD GX_IDS_CTRL_ONEBASED = 52526;
constexpr WORD GX_IDS_CTRL_ONEBASED_EX = 52531;
constexpr WORD GX_IDS_CTRL_ZEROBASED_EX = 52532;

class CGXComboBox;

// Whether the grid draws in black and white (printing with that property).
BOOL GXDrawsBlackWhite(CGXGridCore* grid);
// The desktop's area in screen coordinates.
CRect GXDesktopRect();
// Fills a dropped-down list with the brush its drop-down window gives for
// lists; FALSE when that window gives none (the list erases as usual).
BOOL GXEraseDroppedList(CWnd* list, HDC dc);

// The dropped-down list: tells the combo when an item was taken (Enter, a
// click, Tab), when it moved by a key, and when the list closes.
class CGXComboListBox : public CListBox {
 public:
  explicit CGXComboListBox(CWnd* owner) : m_pMsgWnd(owner) {}
  void DrawItem(LPDRAWITEMSTRUCT item) override { (void)item; }
  void MeasureItem(LPMEASUREITEMSTRUCT item) override { (void)item; }

  BOOL m_bKeyDown = FALSE;
  BOOL m_bLButtonDown = FALSE;
  CWnd* m_pMsgWnd;
  int m_nOldSel = -1;
  int m_nKeyCount = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CGXComboBox : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGXComboBox)

 public:
  CGXComboBox(CGXGridCore* grid, UINT editId, UINT listBoxId, DWORD mode);
  ~CGXComboBox() override;

  // The window operations of the drop-down list.
  virtual CWnd* CreateDropDownWnd(CWnd* parent, const CRect& rect);
  virtual CListBox* CreateListBox(CWnd* dropDown, UINT id);
  virtual void ShowDropDown(BOOL show);
  virtual BOOL IsDroppedDown() { return m_pDropDownWnd != nullptr; }
  virtual void TakeListSelection(CListBox* list);
  virtual void FillListBox(CListBox* list);
  virtual void GetDropDownRect(CRect& out, const CRect& cellRect);
  virtual void DestroyDropDownWnd(CWnd* dropDown);

  void SetActive(BOOL on) override;
  void Init(ROWCOL row, ROWCOL col) override;
  void Reset() override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  BOOL GetCurrentText(CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  // The cell's activation by the mouse and the window's message handler.
  using CEdit::OnMouseActivate;
  BOOL OnMouseActivate(CWnd* desktop, UINT hitCode, UINT message, int& result) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL SysKeyDown(UINT key, UINT repeat, UINT flags) override;
  void ReplaceSel(LPCTSTR text) override;
  void OnClickedButton(CGXChild* child) override;
  void OnGridScroll(MSG* message) override;
  void OnInitChildren(ROWCOL row, ROWCOL col, const CRect& text) override;
  BOOL ValidateString(const CString& text) override;

  // Whether cells that are not current show the drop-down button.
  BOOL ShowsButtonWhenInactive() const { return !m_bInactiveDrawButtonOnlyCurrent || m_bInactiveDrawAllCells; }

  BOOL m_bFillWithChoiceList = TRUE;
  BOOL m_bInactiveDrawButtonOnlyCurrent = FALSE;
  BOOL m_bInactiveDrawAllCells = FALSE;
  DWORD m_nMode;
  DWORD m_dwListBoxStyle = 0;
  BOOL m_bDispChoice = FALSE;  // the active cell draws as static text
  BOOL m_bSizeToContent = TRUE;  // the button is as high as a text line
  CGXComboBoxButton* m_pButton = nullptr;
  UINT m_nListBoxID;
  CGXGridCombo* m_pDropDownWnd = nullptr;
  CFont* m_pListFont = nullptr;
  int m_nTextHeight = 0;
  int m_nButtonMargin = 1;

 protected:
  // The width the text leaves for the button at the cell's right.
  static constexpr int kButtonStrip = 15;
  // Whether the text of the cell gives up the button strip.
  BOOL KeepsButtonStrip(ROWCOL row, ROWCOL col);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnListSelect();
  void OnCloseDropDown(BOOL keepEditing);
  void OnListSelChange();
  void OnListKillFocus();
  // The mode's conversion of a text to the value stored.
  BOOL ConvertByMode(CString& text, const CGXStyle& style);
  // Measures the cell font's line height once.
  void MeasureTextHeight(const CGXStyle& style);
  // Opens the list: the common steps of the combo and the tabbed combo.
  CRect PlaceDropDown(const CGXStyle& style, const CRect& cellRect, int lineHeight, CRect& desktop);
  // Starts editing from the keyboard with the list dropped.
  void DropFromKeyboard();
};
