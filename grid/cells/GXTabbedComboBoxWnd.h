// The windows combo cell with tab-separated choice rows: one column (the
// key) is stored, another (the text) is shown; the selection field shows
// a row's first field, and a typed character is taken only when some row's
// first field continues the typed text, which it then completes. The
// dropped list draws the rows in columns with separator lines, widens to
// show them all and, with titles, hangs under a header naming the columns.
#pragma once

#include <vector>

#include "grid/cells/GXComboBoxWnd.h"

class CGXTabbedComboBoxWnd;
class CGXTabbedLBoxHeader;

// The combo's edit child: shows a row's first field and completes typing.
class CGXTabbedCBEditWnd : public CGXComboEditPart {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CGXTabbedComboBoxWnd : public CGXComboBoxWnd {
  GX_DECLARE_CONTROL_CLASS(CGXTabbedComboBoxWnd)

 public:
  explicit CGXTabbedComboBoxWnd(CGXGridCore* grid);
  ~CGXTabbedComboBoxWnd() override;

  BOOL CreateComboWindow(DWORD style, UINT id) override;
  static void AddUserAttributes(CGXStylesMap* map);

  void Init(ROWCOL row, ROWCOL col) override;
  BOOL OnValidate() override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  const CGXStyle* StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                   const CGXStyle* currentStyle) override;
  void Hide() override;
  void OnClickedButton(CGXChild* child) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  void DrawItem(LPDRAWITEMSTRUCT item) override;
  void MeasureItem(LPMEASUREITEMSTRUCT item) override;
  // The rows keep the choice list's order.
  int CompareItem(LPCOMPAREITEMSTRUCT) override { return -1; }
  void GetValue(CString& text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  BOOL ValidateString(const CString& text) override;

  // Fills the combo with the style's rows (the titles row left out, sorted
  // by the sort column when there is one) and lays out their columns.
  virtual void FillComboBox();
  // Widens the dropped list to its columns, keeps it on the desktop and
  // hangs the title header on the side facing the cell.
  void PlaceDroppedList(CWnd* list);
  // Pixels the dropped list adds below the selection field: up to eight
  // rows (taller where they show pictures), the rest scroll.
  int DroppedListHeight(int count, int textHeight);
  // A read-only cell's edit refuses typing; the combo itself stays enabled
  // so that the keyboard stays with the cell and can leave it.
  void SetReadOnlyState(BOOL readOnly);

  int m_nKeyCol = 0;
  int m_nDisplayCol = 0;
  BOOL m_bDisplayAllCols = TRUE;
  BOOL m_bDispTitleRow = TRUE;
  int m_nSortCol = -1;
  CString m_sColWidths;
  COLORREF m_rgbGridLine = RGB(192, 192, 192);
  COLORREF m_rgbCellBackColor = RGB(255, 255, 255);
  COLORREF m_rgbCellTextColor = RGB(0, 0, 0);
  int m_nTotalWidth = 0;
  int m_nTabCount = 0;
  std::vector<int> m_TabStops;
  CGXTabbedLBoxHeader* m_pHeader = nullptr;
  CRect m_rcLastList;
  // Set while a click on the cell's button is on its way to the combo.
  BOOL m_bSkipNextActiveDraw = FALSE;
  int m_nLineHeight = 0;
  BOOL m_bReadOnlyState = FALSE;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The index of the item the combo's text stands for, -1 when none.
  int ShownItem();
  // Drops the list as a click on the combo's arrow, which lies where the
  // cell's button (in grid coordinates) was.
  void ClickComboButton(const CRect& button);
  // Where the bound cell's button lies in the grid window.
  CRect ButtonPlace();
  void DrawActive(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                  const CGXStyle* baseStyle);

  friend class CGXTabbedCBEditWnd;
  CGXTabbedCBEditWnd m_wndTabbedEdit;
};
