// The current cell's veto points and notifications, the warning shown for
// a refused edit, and the data object's recalculation hooks.
#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Window.h"

BOOL CGXGridCore::IsCurrentCell(ROWCOL row, ROWCOL col, BOOL whilePrinting) {
  if (!m_bCurrentCell || (m_bPrinting && !whilePrinting)) return FALSE;
  if (m_nCurrentRow > GetRowCount() || m_nCurrentCol > GetColCount()) return FALSE;
  return (row == static_cast<ROWCOL>(-1) || row == m_nCurrentRow) &&
         (col == static_cast<ROWCOL>(-1) || col == m_nCurrentCol);
}

BOOL CGXGridCore::CanSelectCell(BOOL entering, ROWCOL row, ROWCOL col, ROWCOL, ROWCOL) {
  if (!entering) {
    // Leaving: a pending warning belongs to an earlier attempt. Only a
    // control holding a modified edit has anything to validate.
    m_sWarningText.Empty();
    ROWCOL curRow = 0, curCol = 0;
    if (!GetCurrentCell(curRow, curCol) || curRow > GetRowCount() || curCol > GetColCount()) return TRUE;
    CGXControl* control = GetControl(curRow, curCol);
    return control == nullptr || !control->GetModify() || control->OnValidate();
  }
  if (row > GetRowCount() || col > GetColCount()) return FALSE;
  const CGXStyle& style = GetCachedCellStyle(row, col);
  return !(style.GetIncludeEnabled() && !style.GetEnabled());
}

void CGXGridCore::SetWarningText(LPCTSTR text) {
  if (text == nullptr) {
    m_sWarningText.Empty();
  } else {
    m_sWarningText = text;
  }
}

void CGXGridCore::ShowWarningText() {
  if (m_sWarningText.IsEmpty()) return;
  const CString text = m_sWarningText;
  m_sWarningText.Empty();
  const BOOL oldBusy = m_bBusy;
  m_bBusy = TRUE;
  HWND focus = ::GetFocus();
  // Keys typed ahead of the refusal must not reach the box or the cell.
  MSG msg;
  while (focus != nullptr && ::PeekMessage(&msg, focus, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  AfxMessageBox(text, MB_OK);
  m_bWarningShown = TRUE;
  if (focus != nullptr && ::IsWindow(focus)) {
    ::SetFocus(focus);
    const HWND gridWnd = m_pGridWnd != nullptr ? m_pGridWnd->m_hWnd : nullptr;
    if (gridWnd != nullptr && (focus == gridWnd || ::IsChild(gridWnd, focus))) m_bHasFocus = TRUE;
  }
  m_bBusy = oldBusy;
}

BOOL CGXGridCore::OnValidateCell(ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnStartEditing(ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnModifiedCell(ROWCOL, ROWCOL) {
  SetModifiedFlag(TRUE);
  return TRUE;
}
BOOL CGXGridCore::OnCancelEditing(ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnEndEditing(ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnLeftCell(ROWCOL, ROWCOL, ROWCOL, ROWCOL) { return TRUE; }
BOOL CGXGridCore::OnDeleteCell(ROWCOL, ROWCOL) { return TRUE; }

void CGXGridCore::CheckMovedCurrentCell(ROWCOL row, ROWCOL col) {
  NotifyCellListeners();
  if (row != m_nLastMovedRow || col != m_nLastMovedCol) OnMovedCurrentCell(row, col);
  m_nLastMovedRow = row;
  m_nLastMovedCol = col;
}

// ------------------------------------------------------ recalculation hooks

namespace {

CGXData* DataOf(CGXGridParam* param) { return param != nullptr ? param->GetData() : nullptr; }

}  // namespace

BOOL CGXGridCore::IsCellRecalcPending(ROWCOL row, ROWCOL col) {
  CGXData* data = DataOf(m_pParam);
  return data != nullptr && data->GetRecalcValue(row, col);
}
void CGXGridCore::MarkCellRecalc(ROWCOL row, ROWCOL col, BOOL flag) {
  if (CGXData* data = DataOf(m_pParam)) data->SetUpdateFlag(row, col, flag);
}
void CGXGridCore::MarkRangeRecalc(const CGXRange& range) {
  if (m_bRedrawAllPass) return;
  if (CGXData* data = DataOf(m_pParam)) data->AddRecalcRange(range);
}
void CGXGridCore::RunDataRecalc(BOOL flag) {
  if (CGXData* data = DataOf(m_pParam)) data->Recalc(flag);
}
void CGXGridCore::ResetDataError() {
  if (CGXData* data = DataOf(m_pParam)) data->ResetError();
}
BOOL CGXGridCore::GetDataErrorText(CString& text) {
  CGXData* data = DataOf(m_pParam);
  return data != nullptr && data->GetError(text);
}
