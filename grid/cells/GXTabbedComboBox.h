// The combo cell for choice lists with several tab-separated columns: one
// column (the key) is stored, another (the text) is shown and typed. The
// list shows the rows in aligned columns, optionally under a title header;
// typed text is completed to the first matching row. A choice list with an
// id (user attribute 51055) builds its lookup maps once per parameter
// object, shared by every cell that uses it.
#pragma once

#include <vector>

#include "grid/cells/GXComboBox.h"

constexpr WORD GX_IDS_UA_TABLIST_KEYCOL = 51028;
constexpr WORD GX_IDS_UA_TABLIST_TEXTCOL = 51029;
constexpr WORD GX_IDS_UA_TABLIST_SHOWALLCOLS = 51030;
constexpr WORD GX_IDS_UA_TABLIST_TITLES = 51031;
constexpr WORD GX_IDS_UA_TABLIST_COLWIDTHS = 51032;
constexpr WORD GX_IDS_UA_TABLIST_SORT = 51033;
constexpr WORD GX_IDS_UA_TABLIST_UNIQUEID = 51055;

class CGXTabbedComboBox;
class CGXGridParam;
class CGXStylesMap;

// Frees the shared lookup maps of a choice-list id (-1: all of them).
void GXFreeChoiceListMaps(CGXGridParam* param, int id);

// A tabbed choice list laid out in columns: the list items (with a text
// column above 0 an item is the text field, a tab and the whole line, so
// that every item begins with the text shown), the titles line in the same
// form, and the right edge of each column but the last.
struct GXTabbedColumns {
  std::vector<CString> items;
  CString titles;
  std::vector<int> tabStops;
  int tabCount = 0;
  int totalWidth = 0;  // the shown columns plus a vertical scroll bar
};

// Measures the lines' fields (text, or the picture a field names) in the
// font selected into `dc`; a widths text
// such as "60,120" fixes the first columns' widths in pixels.
void GXLayoutTabbedChoices(CDC* dc, const CString& choices, BOOL titles, int textCol, BOOL showAll,
                           const CString& widths, GXTabbedColumns& out);

// Draws one item in columns with separator lines (all columns), or only its
// first field over the whole width; a field naming a picture shows it.
void GXDrawTabbedLine(CDC* dc, const CRect& rect, const CString& item, BOOL showAll, int textCol,
                      const std::vector<int>& tabStops, int tabCount, COLORREF back, COLORREF text,
                      COLORREF separator);

// A field may name a picture of the program ("#BMP(...)"), shown in its
// place: its size, empty when the field names none.
CSize GXTabbedFieldBitmapSize(const CString& field);
// The height of one line of fields: the text height raised to the height of
// any picture its shown fields name.
int GXTabbedLineHeight(int textHeight, const CString& item, BOOL showAll, int textCol);
// The room the shown (text-column) field of a style's rows needs, in the
// font selected into `dc`: the widest text or picture, and the tallest
// picture (0 when none names one). The titles row is left out.
CSize GXTabbedShownFieldExtent(CDC* dc, const CGXStyle& style);

// The list of a tabbed combo: rows drawn in columns with separator lines.
class CGXTabbedComboLBox : public CGXComboListBox {
 public:
  CGXTabbedComboLBox(CWnd* owner, CGXTabbedComboBox* combo) : CGXComboListBox(owner), m_pTabbedCombo(combo) {}
  void DrawItem(LPDRAWITEMSTRUCT item) override;
  void MeasureItem(LPMEASUREITEMSTRUCT item) override;

  CGXTabbedComboBox* m_pTabbedCombo;
};

// The title header over the list.
class CGXTabbedLBoxHeader : public CWnd {
 public:
  BOOL CreateHeaderWnd();

  BOOL m_bDisplayAllCols = TRUE;
  int m_nDisplayCol = 0;
  int m_nTabCount = 0;
  const int* m_pTabStops = nullptr;
  HFONT m_hFont = nullptr;
  CString m_sTitles;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CGXTabbedComboBox : public CGXComboBox {
  GX_DECLARE_CONTROL_CLASS(CGXTabbedComboBox)

 public:
  CGXTabbedComboBox(CGXGridCore* grid, UINT editId, UINT listBoxId);
  ~CGXTabbedComboBox() override;

  static void AddUserAttributes(CGXStylesMap* map);

  void Init(ROWCOL row, ROWCOL col) override;
  BOOL OnValidate() override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  const CGXStyle* StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                   const CGXStyle* currentStyle) override;
  BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) override;
  BOOL ValidateString(const CString& text) override;

  CWnd* CreateDropDownWnd(CWnd* parent, const CRect& rect) override;
  CListBox* CreateListBox(CWnd* dropDown, UINT id) override;
  void ShowDropDown(BOOL show) override;
  BOOL IsDroppedDown() override;
  void TakeListSelection(CListBox* list) override;
  void FillListBox(CListBox* list) override;
  void GetDropDownRect(CRect& out, const CRect& cellRect) override;
  void DestroyDropDownWnd(CWnd* dropDown) override;
  virtual void AutoComplete();

  // The key map and the text map of a choice-list id (built on first use).
  CMapStringToString* GetKeyMap(int id, const CGXStyle& style);
  CMapStringToString* GetTextMap(int id, const CGXStyle& style);

  int m_nKeyCol = 0;
  int m_nDisplayCol = 0;
  BOOL m_bDisplayAllCols = TRUE;
  BOOL m_bDispTitleRow = TRUE;
  int m_nSortCol = -1;
  CString m_sColWidths;
  COLORREF m_rgbGridLine = RGB(192, 192, 192);
  COLORREF m_rgbCellBackColor = RGB(255, 255, 255);
  COLORREF m_rgbCellTextColor = RGB(0, 0, 0);
  BOOL m_bAutoComplete = TRUE;
  int m_nLineHeight = 10;
  int m_nLastChoiceListId = 0;
  int m_nLastChoiceListVersion = -1;
  int m_nTotalWidth = 0;
  int m_nTabCount = 0;
  std::vector<int> m_TabStops;
  CGXTabbedLBoxHeader* m_pHeader = nullptr;
  BOOL m_bFilledSinceInit = FALSE;
  CGXTabbedComboLBox* m_pList = nullptr;
  CGXGridCombo* m_pKeptDropDown = nullptr;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The key of a text shown, or the text of a key, with the style's columns.
  BOOL TextToKey(CString& text, const CGXStyle& style);
  BOOL KeyToText(CString& text, const CGXStyle& style);
  static int ChoiceListId(const CGXStyle& style);
};
