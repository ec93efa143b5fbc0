// The application's cell types for bookkeeping input: a combo cell that
// completes typed text, a money cell that stores cents and offers the
// calculator, a date cell with shortcut keys and a Copy/Paste/Calendar menu,
// an account cell that can ask its dialog for a new account, and a number
// cell that can ask its dialog for the next free number.
#pragma once

#include <vector>

#include "grid/cells/GXComboBox.h"
#include "grid/cells/GXEditControl.h"
#include "grid/cells/GXTabbedComboBox.h"

class CZanthGrid;

// Notifications of the cells to the grid's dialog (lParam: the edit window).
constexpr UINT GridNotifyNextNumber = 1324;
constexpr UINT GridNotifyNewAccount = 1325;

// Sends a cell's notification to the grid's parent dialog.
void SendCellNotification(CZanthGrid* grid, UINT code, HWND edit);

// The style of an account column: the account cell storing the number and
// listing number and name.
CGXStyle AccountCellStyle();
// Account entries "number / name" as the account cell's tabbed rows.
std::vector<CString> TabbedAccountChoices(const std::vector<CString>& list);
// A choice list of entries, one a line.
CString JoinChoices(const std::vector<CString>& list);
// The tip of an account cell holding `value`: "number - name" from the
// tabbed rows; empty when the number is not among them.
CString AccountChoiceTip(const std::vector<CString>& tabbed, const CString& value);

class CGridCombo : public CGXComboBox {
  GX_DECLARE_CONTROL_CLASS(CGridCombo)

 public:
  explicit CGridCombo(CZanthGrid* grid);
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  virtual void AutoComplete(UINT ch);
  void GetDropDownRect(CRect& out, const CRect& cellRect) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CZanthGrid* m_pZanthGrid;
};

class CGridDollar : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGridDollar)

 public:
  explicit CGridDollar(CZanthGrid* grid);

  BOOL GetCurrentText(CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL RButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL ValidateString(const CString& text) override;
  DWORD CalcEditStyle(CRect& rect, int lineHeight) override;

  // Stores a text into the current cell as typing would.
  void SetCellText(const CString& text);
  void RecallLastAmount(UINT ch);
  void OpenCalculator();
  // The amount shown for a number of cents, clamped to the limits.
  CString FormatAmount(long cents, BOOL editForm) const;

  long m_nMinimum = -999999;
  long m_nMaximum = 9999999;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CZanthGrid* m_pZanthGrid;
};

class CGridDate : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGridDate)

 public:
  explicit CGridDate(CZanthGrid* grid);

  BOOL NotifyLeftCell(ROWCOL newRow, ROWCOL newCol) override;
  BOOL RButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL ValidateString(const CString& text) override;
  DWORD CalcEditStyle(CRect& rect, int lineHeight) override;

  void SetCellText(const CString& text);
  // The shortcut keys; true when the character was taken.
  BOOL HandleDateKey(UINT ch);
  // The Copy Date / Paste Date / Calendar menu at a screen point.
  void DateMenu(CPoint screen);

  CString m_sShortcuts = "TLS+=_-";

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CZanthGrid* m_pZanthGrid;
};

class CGridAcct : public CGXTabbedComboBox {
  GX_DECLARE_CONTROL_CLASS(CGridAcct)

 public:
  explicit CGridAcct(CZanthGrid* grid);
  BOOL RButtonUp(UINT flags, CPoint point, UINT hit) override;
  void GetDropDownRect(CRect& out, const CRect& cellRect) override;
  // The "Create New Account" menu, offered while the grid allows it.
  void AccountMenu(CPoint screen);
  // What the menu's command does.
  void CreateNewAccount();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CZanthGrid* m_pZanthGrid;
};

class CGridTNum : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGridTNum)

 public:
  explicit CGridTNum(CZanthGrid* grid);
  BOOL HandleChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL HandleNextNumberKey(UINT ch);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CZanthGrid* m_pZanthGrid;
};
