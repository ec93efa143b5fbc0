// The application grid's row-at-a-time editing.
#include "registers/ZanthGrid.h"

#include <algorithm>

#include "common/Messages.h"
#include "common/Question.h"
#include "common/Trace.h"
#include "grid/cells/GXControl.h"
#include "grid/core/GXFont.h"
#include "grid/core/GXProperties.h"
#include "grid/core/GXStylesMap.h"
#include "platform/window/Messages.h"
#include "registers/GridCellTypes.h"

BOOL CZanthGrid::SubclassGridControl(UINT controlId, CWnd* parentDialog) {
  const BOOL result = SubclassDlgItem(controlId, parentDialog);
  if (!result) return FALSE;
  Initialize();
  GetParam()->EnableUndo(FALSE);
  SetLockRedraw(TRUE);
  m_bNotifyLock = TRUE;
  return result;
}

void CZanthGrid::InitializeGrid() {
  EnableCellTips(TRUE);
  CGXGridWnd::InitializeGrid();
  SetupGrid();
}

void CZanthGrid::StoreShownCell(ROWCOL row, ROWCOL col, const CString& text) {
  const BOOL guard = GetParam()->m_bReadOnlyGuard;
  GetParam()->SetReadOnlyGuard(FALSE);
  SetValueRange(CGXRange(row, col), text, 0, 1);
  GetParam()->SetReadOnlyGuard(guard);
  ROWCOL r = 0, c = 0;
  if (GetCurrentCell(r, c) && r == row && c == col) {
    if (CGXControl* control = GetCurrentCellControl()) control->Init(row, col);
  }
}

void CZanthGrid::SetupGrid() {
  const CGXStyleBorder pen(PS_SOLID, 1, RGB(0, 0, 0));
  // The wheel scrolls the rows, as the treasurer expects of any list.
  EnableIntelliMouse();
  RegisterControl(kGridComboId, new CGridCombo(this), FALSE, FALSE);
  RegisterControl(kGridDollarId, new CGridDollar(this), FALSE, FALSE);
  RegisterControl(kGridDateId, new CGridDate(this), FALSE, FALSE);
  RegisterControl(kGridAcctId, new CGridAcct(this), FALSE, FALSE);
  RegisterControl(kGridTNumId, new CGridTNum(this), FALSE, FALSE);
  GetParam()->SetAllowSelection(0);
  GetParam()->SetClickActivateMode(4);
  CGXStyle header;
  CGXFont normal;
  normal.SetWeight(FW_NORMAL);
  header.SetControl(52513).SetFont(normal).SetBorder(CGXStyle::kTop, pen).SetBorder(CGXStyle::kRight, pen);
  ChangeColHeaderStyle(header, 0, 2);
  ApplyHeaderColors();
  CGXStyle standard;
  standard.SetUserAttribute(52792, "1");
  ChangeStandardStyle(standard, 0, 2);
  if (CGXProperties* properties = GetParam()->GetProperties())
    properties->SetUserProperty(51005, CGXStyle().SetValue(GXGetString(20059)));
  ApplyStyle(CGXRange().SetTable(), CGXStyle().SetVerticalAlignment(DT_VCENTER), 0, 0);
  HideCols(0, 0);
  NotifyStateChanged();
  if (CWnd* parent = GetParent()) {
    if (CFont* font = parent->GetFont()) {
      LOGFONT lf{};
      font->GetLogFont(&lf);
      CGXFont dialogFont;
      dialogFont.SetLogFont(lf);
      ChangeStandardStyle(CGXStyle().SetFont(dialogFont), 0, 2);
      RecalcCharSize();
    }
  }
  m_bStylesDependOnCurrentCell = TRUE;
}

void CZanthGrid::SetColorScheme(COLORREF header, COLORREF odd, COLORREF even, COLORREF current, COLORREF edited) {
  m_rgbHeader = header;
  m_rgbOdd = odd;
  m_rgbEven = even;
  m_rgbCurrent = current;
  m_rgbEdited = edited;
  ApplyHeaderColors();
}

void CZanthGrid::SetSavePrompt(LPCTSTR text) {
  if (text != nullptr && *text != '\0') m_sSavePrompt = text;
}

void CZanthGrid::EndLockedUpdate() {
  SetLockRedraw(FALSE);
  GetParam()->EnableUndo(TRUE);
  Redraw(2, TRUE);
  m_bNotifyLock = FALSE;
  NotifyStateChanged();
}

void CZanthGrid::ApplyHeaderColors() {
  ChangeColHeaderStyle(CGXStyle().SetInteriorColor(m_rgbHeader).SetTextColor(m_rgbTextHeader), 0, 2);
}

CString CZanthGrid::GetCellText(ROWCOL row, ROWCOL col) {
  CString text;
  if (IsCurrentCell(row, col)) {
    CGXControl* control = GetCurrentCellControl();
    if (control != nullptr && control->IsActive() && control->GetCurrentText(text)) return text;
  }
  return GetCellValue(row, col);
}

void CZanthGrid::Notify(UINT code) {
  CWnd* parent = GetParent();
  if (parent == nullptr || m_hWnd == nullptr) return;
  parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(m_hWnd));
}

void CZanthGrid::NotifyStateChanged() {
  if (!m_bNotifyLock) Notify(GridNotifyStateChanged);
}

void CZanthGrid::RefreshGrid() {
  if (m_hWnd == nullptr) return;
  Invalidate(TRUE);
  NotifyStateChanged();
}

void CZanthGrid::SetEditState(int bits) {
  m_nEditState = bits;
  RefreshGrid();
}

void CZanthGrid::AddEditState(int bits) {
  m_nEditState |= bits;
  RefreshGrid();
}

void CZanthGrid::MarkRowModified() {
  if ((m_nEditState & EditStateModified) == 0) AddEditState(EditStateModified);
}

BOOL CZanthGrid::CanDeleteRow() {
  ROWCOL row = 0, col = 0;
  return GetCurrentCell(row, col) && row != 0 && m_nEditState == 0;
}

void CZanthGrid::MarkRowReadOnly(ROWCOL row) {
  ApplyStyle(CGXRange().SetRows(row, row),
             CGXStyle().SetEnabled(FALSE).SetReadOnly(TRUE).SetTextColor(RGB(0x7F, 0x7F, 0x7F)), 0, 0);
}

BOOL CZanthGrid::FetchCellStyle(ROWCOL row, ROWCOL col, CGXStyle& style, int mode, int storeKind) {
  const BOOL result = CGXGridWnd::FetchCellStyle(row, col, style, mode, storeKind);
  if (row == 0 || col == 0 || storeKind != kStoreCell) return result;
  const CGXStyleBorder dotted(PS_DOT, 1, RGB(0, 0, 0));
  auto edited = [&] {
    style.SetInteriorColor(m_rgbEdited).SetTextColor(m_rgbTextEdited);
    style.SetBorder(CGXStyle::kBottom, dotted).SetBorder(CGXStyle::kRight, dotted);
  };
  if (row == m_nTrackedRow) {
    if (IsCurrentCell(row, col)) {
      CGXStyleBorder frame;
      frame.SetWidth(1).SetColor(13);
      for (int side = 0; side < 4; ++side) style.SetBorder(side, frame);
    } else if ((m_nEditState & EditStateModified) != 0) {
      edited();
    } else {
      style.SetInteriorColor(m_rgbCurrent).SetTextColor(m_rgbTextCurrent);
      style.SetBorder(CGXStyle::kBottom, dotted).SetBorder(CGXStyle::kRight, dotted);
    }
  } else if (row == 5 && m_bSampleMode) {
    edited();
  } else {
    style.SetInteriorColor(row % 2 != 0 ? m_rgbOdd : m_rgbEven);
  }
  return result;
}

int CZanthGrid::GetColWidth(ROWCOL col) {
  int width = CGXGridWnd::GetColWidth(col);
  if (IsPrinting() || col != GetColCount() || m_hWnd == nullptr || IsColHidden(col)) return width;
  int before = 0;
  for (ROWCOL c = 0; c < col; ++c)
    if (!IsColHidden(c)) before += CGXGridWnd::GetColWidth(c);
  return std::max(width, GetGridRect().Width() - before - 1);
}

BOOL CZanthGrid::CanResizeCols(ROWCOL col) { return !IsColHidden(col); }

BOOL CZanthGrid::OnModifiedCell(ROWCOL row, ROWCOL col) {
  const BOOL result = CGXGridWnd::OnModifiedCell(row, col);
  MarkRowModified();
  return result;
}

BOOL CZanthGrid::OnLeftCell(ROWCOL row, ROWCOL col, ROWCOL newRow, ROWCOL newCol) {
  CTraceScope scope("CZanthGrid::OnLeftCell");
  CGXGridWnd::OnLeftCell(row, col, newRow, newCol);
  m_bRepaintNewRow = FALSE;
  if (newRow > 0 && newRow != static_cast<ROWCOL>(-1) && newRow != m_nTrackedRow) {
    const ROWCOL old = m_nTrackedRow;
    m_nTrackedRow = newRow;
    if (old > 0 && old <= GetRowCount()) RedrawRange(CGXRange().SetRows(old, old), 2);
    m_nTrackedRow = old;
    m_bRepaintNewRow = TRUE;
    return FALSE;
  }
  return TRUE;
}

void CZanthGrid::OnMovedCurrentCell(ROWCOL row, ROWCOL col) {
  CTraceScope scope("CZanthGrid::OnMovedCurrentCell");
  if (m_bRepaintNewRow && row > 0) RedrawRange(CGXRange().SetRows(row, row), 1);
  if (row > 0 && row != m_nTrackedRow) {
    SaveRowCopy(row);
    m_nTrackedRow = row;
    Notify(GridNotifyRowChanged);
    NotifyStateChanged();
  }
  CGXGridWnd::OnMovedCurrentCell(row, col);
}

BOOL CZanthGrid::CanSelectCell(BOOL entering, ROWCOL row, ROWCOL col, ROWCOL oldRow, ROWCOL oldCol) {
  BOOL answer = CGXGridWnd::CanSelectCell(entering, row, col, oldRow, oldCol);
  if (answer && !entering && row != oldRow) answer = !CheckRowLeave(TRUE);
  return answer;
}

void CZanthGrid::OnCellButtonClicked(ROWCOL row, ROWCOL col) {
  CGXControl* control = GetControl(row, col);
  if (control != nullptr && CString(control->GetControlClass()->name).CompareNoCase("CGXCheckBox") == 0)
    MarkRowModified();
  CGXGridWnd::OnCellButtonClicked(row, col);
}

BOOL CZanthGrid::CheckRowLeave(BOOL ask) {
  if (m_nEditState == 0) return FALSE;
  if (!ask) return TRUE;
  int answer = ANSWER_NO;
  if ((m_nEditState & EditStateModified) != 0)
    answer = AskSaveChanges(m_sSavePrompt.IsEmpty() ? "Do you wish to save your changes" : m_sSavePrompt);
  if (answer == ANSWER_CANCEL) return TRUE;
  if (answer == ANSWER_YES) return !RequestRowSave();
  return !DiscardRowEdits();
}

BOOL CZanthGrid::RequestRowSave() {
  m_nValidity = 1;
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col)) return TRUE;
  // A cell its validation refuses keeps the user in the row.
  if (!OnValidateCell(row, col)) return FALSE;
  if (CGXControl* control = GetCurrentCellControl(); control != nullptr && control->IsActive() &&
                                                      control->GetModify() && !control->OnValidate())
    return FALSE;
  m_nValidity = 0;
  Notify(GridNotifySaveRow);
  if (m_nValidity == 0) DispMessage("Programmer error:  Must set transaction validity flag", MSG_ERROR);
  return m_nValidity == 1;
}

BOOL CZanthGrid::DiscardRowEdits() {
  BOOL result = TRUE;
  UINT code = GridNotifyCancelEdit;
  if ((m_nEditState & EditStateNewRow) != 0) {
    result = RemoveCurrentRow();
    code = GridNotifyDiscardNew;
  } else {
    ROWCOL row = 0, col = 0;
    if (GetCurrentCell(row, col)) {
      if (CGXControl* control = GetCurrentCellControl()) {
        control->SetModify(FALSE);
        control->SetActive(FALSE);
      }
      const BOOL guard = GetParam()->m_bReadOnlyGuard;
      GetParam()->SetReadOnlyGuard(FALSE);
      for (ROWCOL c = 0; c <= GetColCount() && c < m_SavedRow.size(); ++c)
        SetValueRange(CGXRange(row, c), m_SavedRow[c], 0, 1);
      GetParam()->SetReadOnlyGuard(guard);
      if (CGXControl* control = GetCurrentCellControl()) control->Init(row, col);
    }
  }
  if (result) {
    Notify(code);
    SetEditState(0);
  }
  return result;
}

BOOL CZanthGrid::ResetRow() {
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col) || row == 0 || m_nEditState == 0) return FALSE;
  if (AskQuestion("Do you really wish to discard your new data", ANSWER_YES, 0) != ANSWER_YES) return FALSE;
  return DiscardRowEdits();
}

BOOL CZanthGrid::CommitRow() {
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col) || row == 0 || m_nEditState == 0) return FALSE;
  SetEditState(0);
  return TRUE;
}

void CZanthGrid::SaveRowCopy(ROWCOL row) {
  m_SavedRow.clear();
  m_SavedRow.resize(GetColCount() + 1);
  for (ROWCOL c = 0; c <= GetColCount(); ++c) m_SavedRow[c] = GetCellValue(row, c);
}

void CZanthGrid::MoveToFirstEditableCell(ROWCOL row) {
  for (ROWCOL c = m_nFirstEditableCol; c <= GetColCount(); ++c) {
    if (GetControl(row, c) != nullptr && !IsColHidden(c)) {
      SetFocus();
      SetCurrentCell(row, c, 10);
      return;
    }
  }
}

ROWCOL CZanthGrid::InsertNewRow() {
  ROWCOL current = 0, col = 0;
  const BOOL has = GetCurrentCell(current, col);
  const ROWCOL row = (!has || current == 0 || current == GetRowCount()) ? GetRowCount() + 1 : current;
  InsertRows(row, 1);
  SetLeftCol(0);
  Invalidate();
  MoveToFirstEditableCell(row);
  const BOOL guard = GetParam()->m_bReadOnlyGuard;
  GetParam()->SetReadOnlyGuard(FALSE);
  for (ROWCOL c = 1; c <= GetColCount(); ++c) SetValueRange(CGXRange(row, c), "", 0, 1);
  GetParam()->SetReadOnlyGuard(guard);
  if (CGXControl* control = GetCurrentCellControl()) {
    ROWCOL r = 0, cc = 0;
    if (GetCurrentCell(r, cc)) control->Init(r, cc);
  }
  AddEditState(EditStateNewRow);
  return row;
}

BOOL CZanthGrid::DeleteRow(LPCTSTR prompt) {
  CTraceScope scope("CZanthGrid::DeleteRow");
  if (prompt != nullptr && *prompt != '\0' && !ConfirmDelete(prompt)) return FALSE;
  return RemoveCurrentRow();
}

BOOL CZanthGrid::RemoveCurrentRow() {
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col) || row == 0) return FALSE;
  // The row goes without its edits: nothing of it is stored on the way.
  if (CGXControl* control = GetCurrentCellControl()) {
    control->SetModify(FALSE);
    control->SetActive(FALSE);
  }
  ResetCurrentCell(FALSE);
  m_nEditState = 0;
  RemoveRows(row, row, 2);
  const ROWCOL target = std::min(row, GetRowCount());
  m_nTrackedRow = 0;
  if (target > 0 && CGXGridWnd::CanSelectCell(TRUE, target, col, row, col)) SetCurrentCell(target, col, 10);
  Invalidate();
  return TRUE;
}
