// The cell for dates and times: the current cell is edited field by field
// in a date-time control window; every other cell is drawn field by field
// by an editor of the same kind that has no window, so an inactive cell
// looks like the active one. The stored value is the date number (days
// since 30 December 1899, the fraction the time of day).
#pragma once

#include "grid/cells/GXStatic.h"
#include "grid/controls/GXDateTimeCtrl.h"

constexpr WORD GX_IDS_CTRL_DATETIME = 52543;
constexpr WORD GX_IDS_CTRL_DATETIMENOCAL = 52544;
// User attributes of the date-time cell.
constexpr WORD GX_IDS_UA_DATENOEDIT = 51034;
constexpr WORD GX_IDS_UA_DATEMIN = 51035;
constexpr WORD GX_IDS_UA_DATEMAX = 51036;
constexpr WORD GX_IDS_UA_DATEVALIDMODE = 51037;
constexpr WORD GX_IDS_UA_DATEFORMATTYPE = 51038;
constexpr WORD GX_IDS_UA_CUSTOMFORMAT = 51039;
constexpr WORD GX_IDS_UA_FASTINPUT = 51044;
constexpr WORD GX_IDS_UA_FORCE_NUMBER = 52571;

// A field editor without a window that measures, formats and draws cells.
class CGXCaptiveDateTimeCtrl : public CGXBDateTimeFields {
 public:
  explicit CGXCaptiveDateTimeCtrl(DWORD style);
  // A date text (unless numbers are forced), else a non-zero number, else
  // the format's default date.
  void SetValueFromText(const CString& text);
  // Places the gadgets from left to right in a rectangle, the buttons at
  // its right edge.
  void LayoutGadgets(CDC* dc, const CRect& rect);
  // The fields' texts one after the other.
  CString GetFieldsText() const;
  BOOL m_bForceNumber = FALSE;
};

class CGXDateTimeCtrl : public CGXBDateTimeCtrl, public CGXStatic {
  GX_DECLARE_CONTROL_CLASS(CGXDateTimeCtrl)

 public:
  CGXDateTimeCtrl(CGXGridCore* grid, UINT id);
  ~CGXDateTimeCtrl() override;

  virtual BOOL CreateWindows(DWORD style, const CRect& rect);
  // Sets the format type or picture of a field editor from a style; TRUE
  // when the default date includes today.
  static BOOL ApplyFormatFromStyle(CGXBDateTimeFields& fields, const CGXStyle& style);
  static void AddUserAttributes(CGXStylesMap* map);
  // The date a text gives (a date text unless numbers are forced, else a
  // non-zero number); FALSE when it gives none.
  static BOOL DateFromText(const CString& text, BOOL forceNumber, COleDateTime& date);
  virtual int ActivateFromPoint(int x, int y, int flag);

  // Field editor hooks: a read-only cell refuses changes; a change
  // refreshes the cell.
  BOOL CanAcceptDateTime(const COleDateTime& value) override;
  void NotifyChanged() override;

  CWnd* GetWnd() override { return this; }
  void SetActive(BOOL on) override { m_bActive = on && m_hWnd != nullptr; }
  BOOL IsActive() override { return m_bActive; }
  void SetModify(BOOL modified) override { m_bModified = modified; }
  BOOL GetModify() override { return m_bModified; }
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  BOOL OnValidate() override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL vertical, BOOL mode2) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  void GetValue(CString& text) override;
  void SetValue(LPCTSTR text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  void Hide() override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL InsertText(LPCTSTR text) override;
  BOOL SysKeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL Copy() override;
  BOOL CanPaste() override;
  void GetSortKey(ROWCOL row, ROWCOL col, void* sortInfo, const CGXStyle& style, CString& key) override;
  int GetSelectedText(CString& text) override;
  BOOL FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) override;
  BOOL ReplaceAll(void* request, ROWCOL row, ROWCOL col) override;
  // Puts a number or a name into the focused field.
  void ReplaceSel(LPCTSTR text) override;

  UINT m_nWndId;
  BOOL m_bActive = FALSE;
  BOOL m_bModified = FALSE;
  BOOL m_bForceNumber = FALSE;
  BOOL m_bFormatHasDate = TRUE;
  CGXCaptiveDateTimeCtrl m_wndMeasure;
  CGXCaptiveDateTimeCtrl m_wndDraw;
  CFont m_font;
  // Where the last find hit was, and the field after it.
  ROWCOL m_nFoundRow = static_cast<ROWCOL>(-1);
  ROWCOL m_nFoundCol = static_cast<ROWCOL>(-1);
  int m_nNextField = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL StartAndActivate();
  // The remembered field when it can be edited, else the first editable one.
  void ChooseCurrentField();
  BOOL HasEmptyValue();
  // The first field from `start` on (counted without the buttons) that
  // matches `find`; -1 when none. `exact` asks for equal texts.
  int FindField(const CGXBDTGadgetArray& gadgets, int fixed, const CString& find, BOOL matchCase, int start,
                BOOL exact);
  // Makes (row, col) the current, active cell with field `field` current.
  void FocusField(ROWCOL row, ROWCOL col, int field);
  DWORD m_dwCellStyle;
};
