// Moving the current cell: leaving the old cell with validation, storing
// and notifications, entering the new one with its control bound; storing
// or discarding an edit on request; mouse actions routed to the control.
#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "platform/window/Window.h"

namespace {

bool IsInside(HWND parent, HWND wnd) { return parent != nullptr && wnd != nullptr && (wnd == parent || ::IsChild(parent, wnd)); }

}  // namespace

CGXControl* CGXGridCore::GetControl(ROWCOL row, ROWCOL col) {
  if (m_pCurrentCellControl != nullptr && IsCurrentCell(row, col)) return m_pCurrentCellControl;
  return GetRegisteredControl(GetCachedCellStyle(row, col).GetControl());
}

CGXControl* CGXGridCore::GetCurrentCellControl() {
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col) || row > GetRowCount() || col > GetColCount()) return nullptr;
  return GetControl(row, col);
}

BOOL CGXGridCore::IsCurrentCellActive() {
  if (m_bPrinting) return FALSE;
  CGXControl* control = GetCurrentCellControl();
  return control != nullptr && control->IsActive();
}

void CGXGridCore::StoreCurrentCell(BOOL exists, ROWCOL row, ROWCOL col) {
  if (exists) {
    m_bCurrentCell = FALSE;
    m_pCurrentCellControl = nullptr;
    m_pCurrentCellControl = GetControl(row, col);
  }
  m_bCurrentCell = exists;
  if (!exists) return;
  m_nCurrentRow = 0;
  m_nCurrentCol = 0;
  ForgetCurrentCellStyle();
  m_nCurrentRow = row;
  m_nCurrentCol = col;
  GetCachedCellStyle(row, col);
  if (m_pParam != nullptr) {
    m_pParam->m_nSharedCurrentRow = row;
    m_pParam->m_nSharedCurrentCol = col;
  }
}

void CGXGridCore::HideCurrentCell() {
  if (CGXControl* control = GetCurrentCellControl()) control->Hide();
}

void CGXGridCore::ResetCurrentCell(BOOL store) {
  ROWCOL row = 0, col = 0;
  if (GetCurrentCell(row, col) && row <= GetRowCount() && col <= GetColCount()) {
    if (CGXControl* control = GetControl(row, col)) {
      if (store && CanSelectCell(FALSE, row, col, row, col) && control->GetModify()) control->Store();
      control->Reset();
    }
  }
  m_bCurrentCell = FALSE;
  m_pCurrentCellControl = nullptr;
  ForgetCurrentCellStyle();
}

void CGXGridCore::MarkEditHeader(ROWCOL row, ROWCOL col, int hint, UINT flags) {
  if (m_pMarkEditHeaderImp != nullptr) m_pMarkEditHeaderImp->MarkEditHeader(this, row, col, hint, flags);
}

void CGXGridCore::SetSelection(POSITION pos, ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right) {
  if (m_pUserSelectRangeImp != nullptr) m_pUserSelectRangeImp->SetSelection(this, pos, top, left, bottom, right);
}

void CGXGridCore::SelectRange(const CGXRange& range, BOOL select, BOOL update) {
  if (m_pUserSelectRangeImp != nullptr) m_pUserSelectRangeImp->SelectRange(this, range, select, update);
}

// One change of the current cell: the cell asked for (its covered block's
// first cell), the cell left and its control, and the edit-header hint
// (-1 the same cell, 1 the same row, 2 the same column, 0 neither).
struct GXCurrentCellChange {
  ROWCOL row = 0, col = 0;
  UINT flags = 0;
  HWND gridWnd = nullptr;
  ROWCOL oldRow = 0, oldCol = 0;
  BOOL hadOld = FALSE;
  CGXControl* oldControl = nullptr;
  bool same = false;
  int hint = 0;
};

// The change goes in steps, each of which may stop it: leaving the old cell
// (its edit is validated, stored and its control let go), entering the new
// one (its control bound and its frame drawn) and following with the
// selection. Splitting them keeps the order of the notifications visible.
BOOL CGXGridCore::SetCurrentCell(ROWCOL row, ROWCOL col, UINT flags) {
  GXCurrentCellChange change;
  BeginCurrentCellChange(change, row, col, flags);
  BOOL done = change.oldControl == nullptr || LeaveCurrentCell(change);
  if (done && (change.row > GetRowCount() || change.col > GetColCount())) done = FALSE;
  if (done) done = EnterCurrentCell(change);
  if (done) SelectEnteredCell(change);
  if (done) {
    if (auto* hints = HintSender(TRUE)) hints->HintSetCurrentCell(this, change.row, change.col, flags);
  }
  return done;
}

// Where the change goes and what it leaves.
void CGXGridCore::BeginCurrentCellChange(GXCurrentCellChange& change, ROWCOL row, ROWCOL col, UINT flags) {
  OnBeforeReach(row, col);
  CGXRange covered;
  if (GetCoveredCellsRowCol(row, col, covered) != nullptr) {
    row = covered.top;
    col = covered.left;
  }
  change.row = row;
  change.col = col;
  change.flags = flags;
  change.gridWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
  change.hadOld = GetCurrentCell(change.oldRow, change.oldCol) && change.oldRow <= GetRowCount() &&
                  change.oldCol <= GetColCount();
  change.oldControl = change.hadOld ? GetControl(change.oldRow, change.oldCol) : nullptr;
  change.same = change.hadOld && change.oldRow == row && change.oldCol == col;
  if (change.oldControl != nullptr && change.oldRow != 0 && change.oldCol != 0) {
    if (change.same && row != 0 && col != 0) {
      change.hint = -1;
    } else if (change.oldRow == row) {
      change.hint = 1;
    } else if (change.oldCol == col) {
      change.hint = 2;
    }
  }
}

// Leaving the old cell: the grid may refuse; a modified edit is stored and
// editing ended; a refused edit stays in its cell, active and modified.
// FALSE when the current cell stays where it is.
BOOL CGXGridCore::LeaveCurrentCell(GXCurrentCellChange& change) {
  CGXControl* oldControl = change.oldControl;
  const ROWCOL oldRow = change.oldRow, oldCol = change.oldCol;
  const BOOL modified = oldControl->GetModify();
  CString saved;
  if (oldControl->IsInitialized()) oldControl->GetValue(saved);
  const BOOL oldBusy = m_bBusy;
  m_bBusy = TRUE;
  m_bWarningDuringMove = FALSE;
  const HWND focus = ::GetFocus();
  // What is left of the key that moves (its character) must not reach the
  // next cell; keys typed after it are meant for that cell and stay.
  if (oldControl->IsActive() && focus != nullptr && change.gridWnd != nullptr && ::IsChild(change.gridWnd, focus)) {
    MSG msg;
    while (::PeekMessage(&msg, focus, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE | PM_QS_POSTMESSAGE)) {
    }
  }
  // Gives the focus back to the editing window after a refusal.
  auto restoreFocus = [&] {
    if (!m_sWarningText.IsEmpty() || !oldControl->IsActive()) return;
    if (focus == nullptr || !::IsWindow(focus) || !::IsWindowVisible(focus)) return;
    ::SetFocus(focus);
    if (IsInside(change.gridWnd, focus)) m_bHasFocus = TRUE;
  };
  if (!CanSelectCell(FALSE, change.row, change.col, oldRow, oldCol)) {
    restoreFocus();
    ShowWarningText();
    oldControl->Refresh();
    m_bBusy = oldBusy;
    return FALSE;
  }
  BOOL stored = FALSE;
  const BOOL ok = StoreLeftEdit(change, modified, stored);
  if (!ok) {
    restoreFocus();
    ShowWarningText();
    StoreCurrentCell(TRUE, oldRow, oldCol);
    oldControl->Hide();
    if (!oldControl->IsInitializedFor(oldRow, oldCol)) oldControl->Init(oldRow, oldCol);
    oldControl->SetActive(TRUE);
    oldControl->SetModify(TRUE);
    oldControl->SetValue(saved);
    if (stored) {
      RedrawRowCol(oldRow, oldCol, oldRow, oldCol, change.flags, TRUE);
    } else {
      oldControl->Refresh();
    }
    m_bBusy = oldBusy;
    return FALSE;
  }
  ReleaseLeftCell(change, stored);
  m_bBusy = oldBusy;
  return TRUE;
}

// Stores a modified edit and ends editing; recalculates after a store and
// turns a data error into the warning. FALSE when the edit was refused.
BOOL CGXGridCore::StoreLeftEdit(GXCurrentCellChange& change, BOOL modified, BOOL& stored) {
  CGXControl* oldControl = change.oldControl;
  BOOL ok = TRUE;
  ResetDataError();
  if (modified) {
    stored = oldControl->Store();
    ok = (stored & 1) != 0;
  }
  if (ok && oldControl->IsInitialized()) {
    ok = oldControl->OnEndEditing();
    if (stored) {
      RunDataRecalc(FALSE);
      RecalcAndRedraw(FALSE, nullptr, TRUE);
    }
  }
  if (m_sWarningText.IsEmpty()) {
    CString error;
    if (GetDataErrorText(error)) m_sWarningText = error;
    ResetDataError();
  }
  if (m_bWarningDuringMove) m_bWarningShown = TRUE;
  return ok;
}

// The old cell is no longer current: its control is hidden, told and
// reset, and the cell drawn without its frame.
void CGXGridCore::ReleaseLeftCell(GXCurrentCellChange& change, BOOL stored) {
  CGXControl* oldControl = change.oldControl;
  StoreCurrentCell(FALSE);
  if (oldControl->IsInitialized()) oldControl->Hide();
  oldControl->SetActive(FALSE);
  const BOOL left = oldControl->NotifyLeftCell(change.row, change.col);
  ShowWarningText();
  if (left) {
    const BOOL keep = m_bKeepCurrentCellStyle;
    m_bKeepCurrentCellStyle = TRUE;
    MarkEditHeader(change.oldRow, change.oldCol, change.hint, change.flags);
    if (stored) {
      RedrawRowCol(change.oldRow, change.oldCol, change.oldRow, change.oldCol, change.flags, TRUE);
    } else {
      oldControl->Refresh();
    }
    m_bKeepCurrentCellStyle = keep;
  }
  oldControl->Reset();
  if ((change.flags & 6) && change.gridWnd != nullptr) m_pGridWnd->UpdateWindow();
}

// Entering the new cell. Staying on an active cell only shows it; a cell
// that may not be entered sends the current cell back to the old one.
// FALSE when the new cell was refused.
BOOL CGXGridCore::EnterCurrentCell(GXCurrentCellChange& change) {
  const ROWCOL row = change.row, col = change.col;
  CGXControl* oldControl = change.oldControl;
  if (change.same && oldControl != nullptr && oldControl->IsActive()) {
    if (!ScrollCellInView(row, col, change.flags)) oldControl->Refresh();
  } else {
    if (!(oldControl != nullptr && change.same) && !CanSelectCell(TRUE, row, col, change.oldRow, change.oldCol)) {
      if (oldControl != nullptr && CanSelectCell(TRUE, change.oldRow, change.oldCol, 0, 0)) {
        StoreCurrentCell(TRUE, change.oldRow, change.oldCol);
        MarkEditHeader(change.oldRow, change.oldCol, 0, 2);
        oldControl->Init(change.oldRow, change.oldCol);
        oldControl->Refresh();
      }
      return FALSE;
    }
    BindEnteredCell(change);
  }
  if ((change.flags & 6) && change.gridWnd != nullptr) m_pGridWnd->UpdateWindow();
  if (change.hint != -1) MarkEditHeader(row, col, change.hint, change.flags);
  return TRUE;
}

// The new cell becomes current: the grid takes the focus, the cell's
// control is bound (and activated when asked) and the cell shown.
void CGXGridCore::BindEnteredCell(GXCurrentCellChange& change) {
  const ROWCOL row = change.row, col = change.col;
  CGXControl* control = GetControl(row, col);
  if (m_pParam != nullptr && m_pParam->m_bLockRedraw) {
    StoreCurrentCell(TRUE, row, col);
    if (control != nullptr) control->Init(row, col);
    return;
  }
  const BOOL selected = m_pParam != nullptr && m_pParam->m_SelRects.IsCellInListExcept(row, col, nullptr);
  if (!(change.flags & 0x20) && change.gridWnd != nullptr && m_pGridWnd->IsWindowVisible()) {
    m_bSettingFocus = TRUE;
    m_pGridWnd->SetFocus();
    m_bSettingFocus = FALSE;
  }
  StoreCurrentCell(TRUE, row, col);
  control = m_pCurrentCellControl;
  if (control != nullptr) {
    control->Init(row, col);
    if (change.flags & 0x10) control->SetActive(TRUE);
    if (m_pParam != nullptr && m_pParam->m_wCurrentCellFrame != 1) {
      if (!control->m_bRefreshOnSetCurrentCell && !m_bStylesDependOnCurrentCell && !control->IsActive() &&
          !change.same && m_pParam->m_wActivateCell != 4 && change.gridWnd != nullptr) {
        DrawEnteredCellFrame(control, row, col, selected);
      } else {
        control->Refresh();
      }
    }
  }
  if (change.flags & 0x08) ScrollCellInView(row, col, change.flags);
}

// Only the frame (and the inversion of a selected cell) changes when an
// inactive cell becomes current: it is drawn directly.
void CGXGridCore::DrawEnteredCellFrame(CGXControl* control, ROWCOL row, ROWCOL col, BOOL selected) {
  CDC* dc = GetClientDC();
  if (dc == nullptr) return;
  OnPrepareDC(dc);
  const int saved = dc->SaveDC();
  const CRect grid = GetGridRect();
  dc->IntersectClipRect(grid.left, grid.top, grid.right, grid.bottom);
  const CRect cell = CalcCellRect(row, col);
  if (selected) {
    m_bInvertInPlace = TRUE;
    DrawInvertCell(dc, row, col, cell);
    m_bInvertInPlace = FALSE;
  }
  if (!cell.IsRectEmpty()) {
    CRect inside;
    GetCellInsideRect(inside, cell, &GetCachedCellStyle(row, col), TRUE);
    control->DrawFrame(dc, inside);
  }
  dc->RestoreDC(saved);
  ReleaseClientDC();
}

// When the current cell counts as selected, a selection that does not hold
// it gives way to the cell itself (unless the caller keeps the selection).
void CGXGridCore::SelectEnteredCell(GXCurrentCellChange& change) {
  if (m_pParam == nullptr || !m_pParam->m_bCurrentCellSelected || (change.flags & 0x80) ||
      m_pParam->m_SelRects.IsCellInListExcept(change.row, change.col, nullptr))
    return;
  SetSelection(nullptr);
  if (change.row > GetHeaderRows() && change.col > GetHeaderCols()) SelectRange(CGXRange(change.row, change.col), TRUE, TRUE);
}

BOOL CGXGridCore::TransferCurrentCell(BOOL store, UINT flags, BOOL sendHint) {
  // The other views store or discard their edits too; all must succeed.
  if (auto* hints = HintSender(sendHint)) {
    const BOOL self = TransferCurrentCell(store, flags, FALSE);
    return hints->HintTransferCurrentCell(this, store, flags) && self;
  }
  ROWCOL row = 0, col = 0;
  if (!GetCurrentCell(row, col) || row > GetRowCount() || col > GetColCount()) return TRUE;
  CGXControl* control = GetControl(row, col);
  if (control == nullptr) return TRUE;
  BOOL result = TRUE;
  if (store) {
    if (control->IsActive()) result = SetCurrentCell(row, col, flags);
    if (!m_bKeepCurrentCellStyle) {
      ForgetCurrentCellStyle();
      m_pCurrentCellControl = nullptr;
    }
  } else {
    if (!m_bKeepCurrentCellStyle) {
      ForgetCurrentCellStyle();
      m_pCurrentCellControl = nullptr;
    }
    if (control->IsActive()) result = control->OnCancelEditing();
    control->Init(row, col);
    control->Refresh();
    control->OnCanceledEditing();
  }
  return result;
}

BOOL CGXGridCore::OnLeftButtonCellAction(ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x, int y,
                                         UINT keyFlags, UINT actionFlags) {
  return ButtonCellAction(0, row, col, startRow, startCol, x, y, keyFlags, actionFlags);
}
BOOL CGXGridCore::OnMiddleButtonCellAction(ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x, int y,
                                           UINT keyFlags, UINT actionFlags) {
  return ButtonCellAction(1, row, col, startRow, startCol, x, y, keyFlags, actionFlags);
}
BOOL CGXGridCore::OnRightButtonCellAction(ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x, int y,
                                          UINT keyFlags, UINT actionFlags) {
  return ButtonCellAction(2, row, col, startRow, startCol, x, y, keyFlags, actionFlags);
}

BOOL CGXGridCore::ButtonCellAction(int button, ROWCOL row, ROWCOL col, ROWCOL startRow, ROWCOL startCol, int x,
                                   int y, UINT keyFlags, UINT actionFlags) {
  CGXRange covered;
  if (GetCoveredCellsRowCol(row, col, covered) != nullptr) {
    row = covered.top;
    col = covered.left;
  }
  m_nLastActionBit40 = actionFlags & 0x40;
  const CPoint point(x, y);
  auto boundControl = [&]() -> CGXControl* {
    if (!IsCurrentCell(row, col)) return nullptr;
    CGXControl* control = GetControl(row, col);
    return control != nullptr && control->IsInitialized() ? control : nullptr;
  };
  if (actionFlags & 4) {
    const BOOL alwaysSelected = m_pParam != nullptr && m_pParam->m_bCurrentCellSelected;
    const bool skipMove = button == 0 ? (actionFlags & 0x100) && !alwaysSelected : (actionFlags & 0x100) != 0;
    if (!skipMove) {
      m_bWarningShown = FALSE;
      const UINT moveFlags = button == 0 && (keyFlags & MK_CONTROL) ? 0x84 : 4;
      SetCurrentCell(row, col, moveFlags);
      if (m_bWarningShown || row > GetRowCount() || col > GetColCount()) return FALSE;
    }
    if (CGXControl* control = boundControl()) {
      if (button == 0) control->LButtonDown(keyFlags, point, actionFlags);
      if (button == 1) control->MButtonDown(keyFlags, point, actionFlags);
      if (button == 2) control->RButtonDown(keyFlags, point, actionFlags);
    }
    m_bMouseLeftCell = FALSE;
    return TRUE;
  }
  if (actionFlags & 0x10) {
    if (CGXControl* control = boundControl()) {
      if (button == 0) control->LButtonUp(keyFlags, point, actionFlags);
      if (button == 1) control->MButtonUp(keyFlags, point, actionFlags);
      if (button == 2) control->RButtonUp(keyFlags, point, actionFlags);
    } else if (button == 0) {
      OnLeftClickedCell(row, col, keyFlags, point);
    } else if (button == 1) {
      OnMiddleClickedCell(row, col, keyFlags, point);
    } else {
      OnRightClickedCell(row, col, keyFlags, point);
    }
    if (!m_bMouseLeftCell && IsCurrentCell(row, col)) {
      if (ScrollCellInView(row, col, 2)) {
        if (CGXControl* control = GetControl(row, col)) control->Refresh();
      }
    } else if (m_pParam != nullptr && m_pParam->TestSelectionFlags(3)) {
      if (!SetCurrentCell(startRow, startCol, 4)) return FALSE;
    }
    return TRUE;
  }
  if (actionFlags & 8) {
    if (CGXControl* control = boundControl()) control->MouseMove(keyFlags, point, actionFlags);
    if (row != startRow || col != startCol) m_bMouseLeftCell = TRUE;
  }
  return TRUE;
}
