// The windows combo cell with tab-separated choice rows: one column (the
// key) is stored, another (the text) is shown; the selection field shows
// a row's first field, and a typed character is taken only when some row's
// first field continues the typed text, which it then completes.
#pragma once

#include "grid/cells/GXComboBoxWnd.h"

class CGXTabbedComboBoxWnd;

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
  void GetValue(CString& text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  BOOL ValidateString(const CString& text) override;

  // Fills the combo with the style's rows (the titles row left out, sorted
  // by the sort column when there is one).
  virtual void FillComboBox();

  int m_nKeyCol = 0;
  int m_nDisplayCol = 0;
  BOOL m_bDisplayAllCols = TRUE;
  BOOL m_bDispTitleRow = TRUE;
  int m_nSortCol = -1;

 private:
  friend class CGXTabbedCBEditWnd;
  CGXTabbedCBEditWnd m_wndTabbedEdit;
};
