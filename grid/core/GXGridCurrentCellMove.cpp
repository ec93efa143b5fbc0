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

BOOL CGXGridCore::SetCurrentCell(ROWCOL row, ROWCOL col, UINT flags) {
  OnBeforeReach(row, col);
  CGXRange covered;
  if (GetCoveredCellsRowCol(row, col, covered) != nullptr) {
    row = covered.top;
    col = covered.left;
  }
  const HWND gridWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;

  ROWCOL oldRow = 0, oldCol = 0;
  const BOOL hadOld = GetCurrentCell(oldRow, oldCol) && oldRow <= GetRowCount() && oldCol <= GetColCount();
  CGXControl* oldControl = hadOld ? GetControl(oldRow, oldCol) : nullptr;
  const bool same = hadOld && oldRow == row && oldCol == col;
  int hint = 0;
  if (oldControl != nullptr && oldRow != 0 && oldCol != 0) {
    if (same && row != 0 && col != 0) {
      hint = -1;
    } else if (oldRow == row) {
      hint = 1;
    } else if (oldCol == col) {
      hint = 2;
    }
  }

  BOOL failed = FALSE;
  if (oldControl != nullptr) {
    const BOOL modified = oldControl->GetModify();
    CString saved;
    if (oldControl->IsInitialized()) oldControl->GetValue(saved);
    const BOOL oldBusy = m_bBusy;
    m_bBusy = TRUE;
    m_bWarningDuringMove = FALSE;
    const HWND focus = ::GetFocus();
    if (oldControl->IsActive() && focus != nullptr && gridWnd != nullptr && ::IsChild(gridWnd, focus)) {
      MSG msg;
      while (::PeekMessage(&msg, focus, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
      }
    }
    // Gives the focus back to the editing window after a refusal.
    auto restoreFocus = [&] {
      if (!m_sWarningText.IsEmpty() || !oldControl->IsActive()) return;
      if (focus == nullptr || !::IsWindow(focus) || !::IsWindowVisible(focus)) return;
      ::SetFocus(focus);
      if (IsInside(gridWnd, focus)) m_bHasFocus = TRUE;
    };
    if (!CanSelectCell(FALSE, row, col, oldRow, oldCol)) {
      restoreFocus();
      ShowWarningText();
      oldControl->Refresh();
      m_bBusy = oldBusy;
      failed = TRUE;
    } else {
      BOOL stored = FALSE;
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
      if (!ok) {
        // The refused edit stays in its cell, active and modified.
        restoreFocus();
        ShowWarningText();
        StoreCurrentCell(TRUE, oldRow, oldCol);
        oldControl->Hide();
        if (!oldControl->IsInitializedFor(oldRow, oldCol)) oldControl->Init(oldRow, oldCol);
        oldControl->SetActive(TRUE);
        oldControl->SetModify(TRUE);
        oldControl->SetValue(saved);
        if (stored) {
          RedrawRowCol(oldRow, oldCol, oldRow, oldCol, flags, TRUE);
        } else {
          oldControl->Refresh();
        }
        failed = TRUE;
      } else {
        StoreCurrentCell(FALSE);
        if (oldControl->IsInitialized()) oldControl->Hide();
        oldControl->SetActive(FALSE);
        const BOOL left = oldControl->NotifyLeftCell(row, col);
        ShowWarningText();
        if (left) {
          const BOOL keep = m_bKeepCurrentCellStyle;
          m_bKeepCurrentCellStyle = TRUE;
          MarkEditHeader(oldRow, oldCol, hint, flags);
          if (stored) {
            RedrawRowCol(oldRow, oldCol, oldRow, oldCol, flags, TRUE);
          } else {
            oldControl->Refresh();
          }
          m_bKeepCurrentCellStyle = keep;
        }
        oldControl->Reset();
        if ((flags & 6) && gridWnd != nullptr) m_pGridWnd->UpdateWindow();
      }
      m_bBusy = oldBusy;
    }
  }

  if (!failed && (row > GetRowCount() || col > GetColCount())) failed = TRUE;
  if (!failed) {
    bool enterDone = false;
    if (same && oldControl != nullptr && oldControl->IsActive()) {
      if (!ScrollCellInView(row, col, flags)) oldControl->Refresh();
      enterDone = true;
    }
    if (!enterDone && !(oldControl != nullptr && same) && !CanSelectCell(TRUE, row, col, oldRow, oldCol)) {
      if (oldControl != nullptr && CanSelectCell(TRUE, oldRow, oldCol, 0, 0)) {
        StoreCurrentCell(TRUE, oldRow, oldCol);
        MarkEditHeader(oldRow, oldCol, 0, 2);
        oldControl->Init(oldRow, oldCol);
        oldControl->Refresh();
      }
      failed = TRUE;
    }
    if (!failed && !enterDone) {
      // Entering: the new cell's control is bound and drawn.
      CGXControl* control = GetControl(row, col);
      if (m_pParam != nullptr && m_pParam->m_bLockRedraw) {
        StoreCurrentCell(TRUE, row, col);
        if (control != nullptr) control->Init(row, col);
      } else {
        const BOOL selected = m_pParam != nullptr && m_pParam->m_SelRects.IsCellInListExcept(row, col, nullptr);
        if (!(flags & 0x20) && gridWnd != nullptr && m_pGridWnd->IsWindowVisible()) {
          m_bSettingFocus = TRUE;
          m_pGridWnd->SetFocus();
          m_bSettingFocus = FALSE;
        }
        StoreCurrentCell(TRUE, row, col);
        control = m_pCurrentCellControl;
        if (control != nullptr) {
          control->Init(row, col);
          if (flags & 0x10) control->SetActive(TRUE);
          if (m_pParam != nullptr && m_pParam->m_wCurrentCellFrame != 1) {
            if (!control->m_bRefreshOnSetCurrentCell && !m_bStylesDependOnCurrentCell && !control->IsActive() &&
                !same && m_pParam->m_wActivateCell != 4 && gridWnd != nullptr) {
              // Only the frame (and inversion) changes: draw it directly.
              CDC* dc = GetClientDC();
              if (dc != nullptr) {
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
            } else {
              control->Refresh();
            }
          }
        }
        if (flags & 0x08) ScrollCellInView(row, col, flags);
      }
    }
    if (!failed) {
      if ((flags & 6) && gridWnd != nullptr) m_pGridWnd->UpdateWindow();
      if (hint != -1) MarkEditHeader(row, col, hint, flags);
    }
  }

  // No grid of this system belongs to a document, so no current-cell hint
  // goes to other views.
  if (!failed && m_pParam != nullptr && m_pParam->m_bCurrentCellSelected && !(flags & 0x80) &&
      !m_pParam->m_SelRects.IsCellInListExcept(row, col, nullptr)) {
    SetSelection(nullptr);
    if (row > GetHeaderRows() && col > GetHeaderCols()) SelectRange(CGXRange(row, col), TRUE, TRUE);
  }
  return !failed;
}

BOOL CGXGridCore::TransferCurrentCell(BOOL store, UINT flags, BOOL) {
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
