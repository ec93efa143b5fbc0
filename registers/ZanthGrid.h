// The application's grid: one row a record, edited cell by cell and saved
// or discarded as a whole when the user leaves the row, through a fixed
// protocol of notifications to the dialog that owns the grid. It installs
// the application's cell types, paints the current row and the stripes in
// the preference colours and stretches the last column to the right edge.
#pragma once

#include <vector>

#include "grid/core/GXGridWnd.h"

// Notifications to the owning dialog (WM_COMMAND: grid id, code; the grid).
enum GridNotifyCode : UINT {
  GridNotifyCancelEdit = 1124,
  GridNotifyDiscardNew = 1125,
  GridNotifyRowChanged = 1126,
  GridNotifySaveRow = 1127,
  GridNotifyStateChanged = 1128,
};

// Control ids of the application's cell types.
constexpr WORD kGridComboId = 1, kGridDollarId = 2, kGridDateId = 3, kGridAcctId = 4, kGridTNumId = 5;

class CZanthGrid : public CGXGridWnd {
 public:
  // Stores `text` into a cell the user may not edit, and shows it in the
  // current cell's editor when that cell is the one written.
  void StoreShownCell(ROWCOL row, ROWCOL col, const CString& text);
  static constexpr int EditStateNewRow = 1, EditStateModified = 2;

  CZanthGrid() = default;
  ~CZanthGrid() override = default;

  // Set-up, in this order: attach, colours, prompt, fill, end the bulk load.
  BOOL SubclassGridControl(UINT controlId, CWnd* parentDialog);
  void SetColorScheme(COLORREF header, COLORREF odd, COLORREF even, COLORREF current, COLORREF edited);
  void SetSavePrompt(LPCTSTR text);
  void EndLockedUpdate();

  CString GetCellText(ROWCOL row, ROWCOL col);
  ROWCOL InsertNewRow();
  BOOL DeleteRow(LPCTSTR prompt);
  BOOL RemoveCurrentRow();
  void MarkRowReadOnly(ROWCOL row);
  // True when the current row must not be left (ask: put the save question).
  BOOL CheckRowLeave(BOOL ask);
  BOOL CanDeleteRow();
  BOOL IsRowClean() { return m_nEditState == 0; }
  BOOL CanResetRow() { return m_nEditState != 0; }
  BOOL CanSaveRow() { return m_nEditState != 0; }
  BOOL ResetRow();
  BOOL CommitRow();
  BOOL DiscardRowEdits();
  BOOL RequestRowSave();
  void SetValidityFlag(int value) { m_nValidity = value; }
  void SetEditState(int bits);
  void AddEditState(int bits);
  int IsEditState(int bits) const { return bits == 0 ? m_nEditState == 0 : (m_nEditState & bits); }
  void MarkRowModified();
  void RefreshGrid();
  void NotifyStateChanged();
  void SaveRowCopy(ROWCOL row);
  void MoveToFirstEditableCell(ROWCOL row);
  void ApplyHeaderColors();

  void SetAllowNewAccount(BOOL allow) { m_bAllowNewAccount = allow; }
  BOOL AllowsNewAccount() const { return m_bAllowNewAccount; }
  void SetSampleMode(BOOL on) { m_bSampleMode = on; }
  void SetFirstEditableColumn(ROWCOL col) { m_nFirstEditableCol = col; }
  ROWCOL GetTrackedRow() const { return m_nTrackedRow; }
  // Sends a notification code to the owning dialog.
  void Notify(UINT code);

  void InitializeGrid() override;
  BOOL FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind) override;
  int GetColWidth(ROWCOL col) override;
  BOOL CanResizeCols(ROWCOL col) override;
  BOOL OnModifiedCell(ROWCOL row, ROWCOL col) override;
  BOOL OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol) override;
  void OnMovedCurrentCell(ROWCOL row, ROWCOL col) override;
  BOOL CanSelectCell(BOOL entering, ROWCOL row, ROWCOL col, ROWCOL oldRow, ROWCOL oldCol) override;
  void OnCellButtonClicked(ROWCOL row, ROWCOL col) override;

 protected:
  // The application's part of the grid's set-up.
  virtual void SetupGrid();

  BOOL m_bAllowNewAccount = TRUE;
  COLORREF m_rgbEdited = RGB(0xD4, 0xD4, 0xD4);
  COLORREF m_rgbEven = RGB(255, 255, 255);
  COLORREF m_rgbOdd = RGB(255, 255, 255);
  COLORREF m_rgbHeader = RGB(0x80, 0x80, 0x80);
  COLORREF m_rgbCurrent = RGB(0xD4, 0xD4, 0xD4);
  ROWCOL m_nFirstEditableCol = 1;
  BOOL m_bSampleMode = FALSE;
  COLORREF m_rgbTextEdited = 0, m_rgbTextEven = 0, m_rgbTextOdd = 0, m_rgbTextHeader = 0, m_rgbTextCurrent = 0;
  int m_nEditState = 0;
  ROWCOL m_nTrackedRow = 0;
  BOOL m_bNotifyLock = FALSE;
  BOOL m_bRepaintNewRow = TRUE;
  int m_nValidity = 0;
  BOOL m_bNotifyingCell = FALSE;  // a cell notification is being handled
  CString m_sSavePrompt;
  std::vector<CString> m_SavedRow;
};
