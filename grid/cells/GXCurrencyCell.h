// The cell for money amounts: edited in place with the amount field, whose
// value is a number with a sign; the cell stores the plain decimal text
// (1234.50) and shows it through a currency format made from the style's
// attributes (symbol, separators, patterns, digit counts, padding, leading
// zero, calculator button). Cells that are not edited are formatted by a
// second amount held for formatting alone.
#pragma once

#include "grid/cells/GXStatic.h"
#include "grid/controls/GXCurrencyEdit.h"

constexpr WORD GX_IDS_CTRL_CURRENCY = 52545;
// User attributes of the currency cell.
constexpr WORD GX_IDS_UA_CURRENCY_SEPARATORS = 51045;
constexpr WORD GX_IDS_UA_CURRENCY_ATTRIBUTES = 51046;
constexpr WORD GX_IDS_UA_CURRENCY_POSITIVE = 51047;
constexpr WORD GX_IDS_UA_CURRENCY_NEGATIVE = 51048;
constexpr WORD GX_IDS_UA_CURRENCY_DIGITS = 51049;
constexpr WORD GX_IDS_UA_CURRENCY_FRACTION = 51050;
constexpr WORD GX_IDS_UA_CURRENCY_SYMBOL = 51054;

class CGXCurrencyEdit : public CGXBCurrencyEdit, public CGXStatic {
  GX_DECLARE_CONTROL_CLASS(CGXCurrencyEdit)

 public:
  CGXCurrencyEdit(CGXGridCore* grid, UINT id);
  ~CGXCurrencyEdit() override;

  virtual BOOL CreateCurrencyWnds(DWORD style);
  // The format a style's attributes give, started from the user's locale.
  static CGXBCurrencyFormat FormatFromStyle(const CGXStyle& style);
  // Gives the editing window (null) the style's format.
  virtual void ApplyCurrencyAttributes(CGXBCurrencyEdit* target, const CGXStyle& style);
  static void AddUserAttributes(CGXStylesMap* map);
  // The edited value as the cell stores it.
  CString GetNumberText();
  // Whether the style asks for the calculator button.
  static BOOL ShowsCalculatorButton(const CGXStyle& style);

  CWnd* GetWnd() override { return this; }
  void SetActive(BOOL on) override { m_bActive = on && m_hWnd != nullptr; }
  BOOL IsActive() override { return m_bActive; }
  void SetModify(BOOL modified) override { m_bModified = modified; }
  BOOL GetModify() override { return m_bModified; }
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  void GetValue(CString& text) override;
  void SetValue(LPCTSTR text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  const CGXStyle* StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                   const CGXStyle* currentStyle) override;
  void Hide() override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL InsertText(LPCTSTR) override { return TRUE; }
  using CGXBCurrencyEdit::InsertText;
  BOOL SysKeyDown(UINT key, UINT repeat, UINT flags) override;
  void GetSortKey(ROWCOL row, ROWCOL col, void* sortInfo, const CGXStyle& style, CString& key) override;
  BOOL FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) override;
  BOOL ReplaceAll(void* request, ROWCOL row, ROWCOL col) override;
  void ReplaceSel(LPCTSTR text) override;
  int GetSelectedText(CString& text) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Replaces every `find` (ignoring case unless `matchCase`) in the cell's
  // shown amount and stores the amount that results; FALSE when nothing
  // was replaced or the result is no amount.
  BOOL ReplaceAllText(ROWCOL row, ROWCOL col, const CString& find, const CString& replacement, BOOL matchCase);

  UINT m_nWndId;
  BOOL m_bActive = FALSE;
  CFont* m_pFont = nullptr;
  int m_nLineHeight = 0;
  BOOL m_bBusy = FALSE;
  BOOL m_bModified = FALSE;
  // Formats the amounts of cells that are not being edited.
  CGXBCurrencyText m_captive;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Starts editing and activates; FALSE when editing may not start.
  BOOL StartAndActivate();
  // Space: the sign of the amount turns.
  void ToggleCellSign(const CString& text);
  CString DisplayText(const CString& value, const CGXStyle& style);
};
