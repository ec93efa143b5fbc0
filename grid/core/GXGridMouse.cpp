// Mouse actions: presses, moves, releases and double clicks classified by
// hit test, offered to the features that own a gesture, else turned into
// cell actions; the capture and auto-scroll while a button is held.
#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXGridCore.h"
#include "platform/window/Window.h"

namespace {

constexpr UINT kLeftMask = MK_MBUTTON | MK_RBUTTON;
constexpr UINT kMiddleMask = MK_LBUTTON | MK_RBUTTON;
constexpr UINT kRightMask = MK_LBUTTON | MK_MBUTTON;

}  // namespace

// Runs a mouse handler so that a framework exception cancels the action
// instead of leaving the handler.
template <class F>
BOOL GXGuardMouse(CGXGridCore& grid, BOOL onException, F&& body) {
  try {
    return body();
  } catch (CException* e) {
    e->Delete();
  } catch (const std::exception&) {
  }
  if (grid.m_pGridWnd != nullptr && grid.m_pGridWnd->GetSafeHwnd() != nullptr)
    grid.m_pGridWnd->SendMessage(WM_CANCELMODE);
  return onException;
}

namespace {

bool HoldsCapture(CGXGridCore& g) {
  return g.m_pGridWnd != nullptr && g.m_pGridWnd->GetSafeHwnd() != nullptr && ::GetCapture() == g.m_pGridWnd->GetSafeHwnd();
}

void Cancel(CGXGridCore& g) {
  if (g.m_pGridWnd != nullptr && g.m_pGridWnd->GetSafeHwnd() != nullptr) g.m_pGridWnd->SendMessage(WM_CANCELMODE);
}

}  // namespace

BOOL CGXGridCore::BeginMouseDown(UINT flags, int x, int y, UINT otherButtons, int& hit, ROWCOL& row, ROWCOL& col) {
  if (!m_bInitDone) return FALSE;
  m_bGridActive = TRUE;
  m_nButtonFlags = flags;
  if (HoldsCapture(*this) || (flags & otherButtons) != 0) {
    // Another button is down: the pressed action ends instead.
    Cancel(*this);
    OnGridCancelMode();
    return FALSE;
  }
  if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr) m_pGridWnd->UpdateWindow();
  row = col = 0;
  hit = HitTest(CPoint(x, y), &row, &col);
  return TRUE;
}

BOOL CGXGridCore::BeginCellButtonDown(UINT flags, int x, int y, UINT otherButtons) {
  int hit = 0;
  ROWCOL row = 0, col = 0;
  if (!BeginMouseDown(flags, x, y, otherButtons, hit, row, col)) return FALSE;
  if (hit != kHitCell && hit != kHitHeader) return FALSE;
  m_nPressedRow = m_nLastHitRow = row;
  m_nPressedCol = m_nLastHitCol = col;
  m_nMouseAction = 1;
  if (IsCurrentCell(row, col)) m_nMouseAction |= 0x100;
  if (flags & MK_CONTROL) m_nMouseAction |= 0x80;
  return TRUE;
}

namespace {

// The point kept inside the grid rectangle, less the frame size at the
// right and bottom edges.
CPoint LimitPoint(CGXGridCore& g, CPoint p) {
  const CRect r = g.GetGridRect();
  p.x = std::max<int>(std::min<int>(p.x, r.right - g.m_nFrameSize), std::max<int>(r.left, 0));
  p.y = std::max<int>(std::min<int>(p.y, r.bottom - g.m_nFrameSize), std::max<int>(r.top, 0));
  return p;
}

// The phase bits of a move or release relative to the pressed cell.
UINT PhaseFlags(CGXGridCore& g, UINT phase, ROWCOL row, ROWCOL col) {
  UINT f = (g.m_nMouseAction & 0xFF) | phase | ((g.m_nMouseAction & 0xFF00));
  if (row == g.m_nPressedRow && col == g.m_nPressedCol) {
    f |= 0x40;
  } else if (g.m_nLastHitRow == g.m_nPressedRow && g.m_nLastHitCol == g.m_nPressedCol) {
    f |= 0x20;
  }
  return f;
}

}  // namespace

BOOL CGXGridCore::EndButtonUp(UINT, int x, int y, int& hit, ROWCOL& row, ROWCOL& col, UINT& actionFlags) {
  const CPoint p = LimitPoint(*this, CPoint(x, y));
  if (m_nMouseAction == 0) return FALSE;
  if (HoldsCapture(*this)) ::ReleaseCapture();
  row = col = 0;
  hit = HitTest(p, &row, &col);
  actionFlags = PhaseFlags(*this, 0x10, row, col);
  return TRUE;
}

void CGXGridCore::StartAutoScroll(BOOL capture, BOOL vertical, BOOL horizontal) {
  m_bAutoScrollVert = vertical;
  m_bAutoScrollHorz = horizontal;
  m_bAutoScrollStart = TRUE;
  m_bAutoScrollStop = FALSE;
  if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr) {
    m_bAutoScrollStart = FALSE;
    return;
  }
  if (capture) m_pGridWnd->SetCapture();
  m_nAutoScrollTimer = m_pGridWnd->SetTimer(kAutoScrollTimer, 10);
  if (m_nAutoScrollTimer == 0) {
    m_bAutoScrollStart = FALSE;
    return;
  }
  // The first step comes at once, not after the first period.
  m_pGridWnd->PostMessage(WM_TIMER, kAutoScrollTimer, 0);
}

BOOL CGXGridCore::GetResizeTracking(UINT& flags, ROWCOL& index) {
  flags = m_nResizeTrackFlags;
  index = m_nResizeTrackIndex;
  return m_bResizeTracking;
}

namespace {

// After a press that left a button action in progress: capture the mouse,
// with auto-scroll (when available) in the directions the pressed cell
// allows.
void HoldButton(CGXGridCore& g, bool autoScroll) {
  if (HoldsCapture(g) || g.m_nMouseAction == 0) return;
  if (autoScroll && g.m_bAutoScrollAvailable) {
    g.StartAutoScroll(FALSE, g.m_nPressedRow != 0 && !g.IsFrozenRow(g.m_nPressedRow),
                      g.m_nPressedCol != 0 && !g.IsFrozenCol(g.m_nPressedCol));
  }
  g.SetCapture();
}

}  // namespace

BOOL CGXGridCore::OnGridLButtonDown(UINT flags, CPoint point) {
  return GXGuardMouse(*this, TRUE, [&]() -> BOOL {
    int hit = 0;
    ROWCOL row = 0, col = 0;
    if (!BeginMouseDown(flags, point.x, point.y, kLeftMask, hit, row, col)) return FALSE;
    if (hit == kHitSelectionEdge) {
      if (m_bDragSelectionByEdge) {
        CGXRange block;
        if (GetCoveredCellsRowCol(row, col, block) != nullptr) row = block.top, col = block.left;
        if (OnSelectionEdgeClick(row, col)) return TRUE;
      }
      hit = kHitCell;
    }
    if (hit == kHitFillHandle) {
      // The fill feature takes the drag from here; the core only keeps
      // the button held.
      m_nPressedRow = row;
      m_nPressedCol = col;
      m_nMouseAction = 1;
      if (m_pExcelLikeFillImp != nullptr && m_pParam != nullptr && m_pParam->m_bFillOption)
        m_pExcelLikeFillImp->OnStartFill(this, point, flags, hit, row, col);
      HoldButton(*this, true);
      return TRUE;
    }
    if ((hit == kHitCell || hit == kHitHeader) && (row != 0 || col != 0)) {
      if (m_pUserDragSelectRangeImp != nullptr &&
          m_pUserDragSelectRangeImp->OnLButtonDown(this, point, flags, hit, row, col))
        return TRUE;
      m_nPressedRow = row;
      m_nPressedCol = col;
      m_nMouseAction = 1;
      ROWCOL testRow = row, testCol = col;
      CGXRange block;
      if (GetCoveredCellsRowCol(row, col, block) != nullptr) {
        CGXControl* blockControl = GetControl(block.top, block.left);
        if (blockControl != nullptr && blockControl->HandlesCoveredClick()) testRow = block.top, testCol = block.left;
      }
      if (IsCurrentCell(testRow, testCol)) {
        CGXControl* control = GetControl(testRow, testCol);
        if (control != nullptr && control->IsInitialized()) m_nMouseAction |= 0x100;
      }
      if (flags & MK_CONTROL) m_nMouseAction |= 0x80;
      if (m_pUserSelectRangeImp != nullptr) m_pUserSelectRangeImp->OnLButtonDown(this, point, flags, hit, row, col);
      // Ctrl+click on the header of a row or column selected before takes
      // it out of the selection; the press ends there.
      if (hit == kHitHeader && (flags & MK_CONTROL) && m_pUserSelectRangeImp != nullptr &&
          m_pUserSelectRangeImp->CtrlClickHeader(this, row, col, flags, point)) {
        m_nMouseAction = 0;
        return TRUE;
      }
      m_nLastHitRow = m_nPressedRow;
      m_nLastHitCol = m_nPressedCol;
      if (!OnLeftButtonCellAction(m_nPressedRow, m_nPressedCol, row, col, point.x, point.y, flags,
                                  (m_nMouseAction & 0xFF) | 0x44 | (m_nMouseAction & 0xFF00))) {
        Cancel(*this);
        return TRUE;
      }
      HoldButton(*this, true);
      return TRUE;
    }
    if (hit == kHitCell || hit == kHitHeader) {
      m_nPressedRow = m_nPressedCol = 0;
      m_nMouseAction = 1;
      if (IsCurrentCell(0, 0)) m_nMouseAction |= 0x100;
      if (m_pUserSelectRangeImp != nullptr) m_pUserSelectRangeImp->OnLButtonDown(this, point, flags, hit, 0, 0);
      m_nLastHitRow = m_nLastHitCol = 0;
      if (!OnLeftButtonCellAction(0, 0, 0, 0, point.x, point.y, flags, (m_nMouseAction & 0xFF) | 0x44 | (m_nMouseAction & 0xFF00))) {
        Cancel(*this);
        return TRUE;
      }
      HoldButton(*this, false);
      return TRUE;
    }
    // Other hits are row and column edges: the resize feature tracks them
    // while the mouse is held.
    if (m_pUserResizeCellsImp == nullptr || (hit != kHitRowEdge && hit != kHitColEdge && hit != kHitHiddenRow &&
                                             hit != kHitHiddenCol))
      return FALSE;
    const int kind = hit == kHitRowEdge || hit == kHitHiddenRow ? 1 : 2;
    if (!StartResizeTracking(row, col, kind)) return FALSE;
    m_bResizeTracking = TRUE;
    m_nResizeTrackFlags = static_cast<UINT>(kind);
    m_nResizeTrackIndex = kind == 1 ? row : col;
    SetCapture();
    return TRUE;
  });
}

BOOL CGXGridCore::OnGridMouseMove(UINT flags, CPoint point) {
  if (!m_bInitDone) return FALSE;
  return GXGuardMouse(*this, TRUE, [&]() -> BOOL {
    point = LimitPoint(*this, point);
    if (m_pUserDragSelectRangeImp != nullptr && m_pUserDragSelectRangeImp->OnMouseMove(this, point, flags)) return TRUE;
    if (m_bFillDragging && m_pExcelLikeFillImp != nullptr) {
      ROWCOL row = 0, col = 0;
      HitTest(point, &row, &col);
      m_pExcelLikeFillImp->OnTrackFill(this, point, flags, row, col);
      return TRUE;
    }
    if (m_nMouseAction != 0) {
      const HWND capture = ::GetCapture();
      if (capture != nullptr && !HoldsCapture(*this)) return FALSE;
      ROWCOL row = 0, col = 0;
      HitTest(point, &row, &col);
      const ROWCOL firstRow = GetRowFromClientRow(GetHeaderRows() + 1);
      const ROWCOL firstCol = GetColFromClientCol(GetHeaderCols() + 1);
      row = std::min(std::max(row, firstRow), GetRowCount());
      col = std::min(std::max(col, firstCol), GetColCount());
      const UINT action = PhaseFlags(*this, 0x08, row, col);
      if (m_nButtonFlags & MK_LBUTTON) {
        OnLeftButtonCellAction(m_nPressedRow, m_nPressedCol, row, col, point.x, point.y, flags, action);
      } else if (m_nButtonFlags & MK_MBUTTON) {
        OnMiddleButtonCellAction(m_nPressedRow, m_nPressedCol, row, col, point.x, point.y, flags, action);
      } else if (m_nButtonFlags & MK_RBUTTON) {
        OnRightButtonCellAction(m_nPressedRow, m_nPressedCol, row, col, point.x, point.y, flags, action);
      }
      if (row != m_nLastHitRow || col != m_nLastHitCol) {
        if (m_pUserSelectRangeImp != nullptr) m_pUserSelectRangeImp->OnMouseMove(this, point, flags, row, col);
        m_nLastHitRow = row;
        m_nLastHitCol = col;
      }
      return TRUE;
    }
    if (m_pUserResizeCellsImp != nullptr && m_bResizeTracking) {
      MoveResizeTracking(flags, point, 0, 0);
      return TRUE;
    }
    if (!GetGridRect().PtInRect(point) || m_bMouseOverCursorOnly) {
      UpdateCursor(point);
      return TRUE;
    }
    ROWCOL row = 0, col = 0;
    HitTest(point, &row, &col);
    CGXRange block;
    if (GetCoveredCellsRowCol(row, col, block) != nullptr) row = block.top, col = block.left;
    row = std::min(row, GetRowCount());
    col = std::min(col, GetColCount());
    CGXControl* control = GetControl(row, col);
    if (control == nullptr || !control->MouseMoveOver(row, col, flags, point)) UpdateCursor(point);
    return TRUE;
  });
}

BOOL CGXGridCore::OnGridLButtonUp(UINT flags, CPoint point) {
  m_bAutoScrollStop = TRUE;
  if (!HoldsCapture(*this)) return FALSE;
  return GXGuardMouse(*this, TRUE, [&]() -> BOOL {
    point = LimitPoint(*this, point);
    if (m_pUserDragSelectRangeImp != nullptr && m_pUserDragSelectRangeImp->OnLButtonUp(this, point, flags)) return TRUE;
    if (m_bFillDragging && m_pExcelLikeFillImp != nullptr) {
      ::ReleaseCapture();
      m_nMouseAction = 0;
      m_pExcelLikeFillImp->OnEndFill(this, point, flags);
      return TRUE;
    }
    if (m_nMouseAction != 0) {
      ::ReleaseCapture();
      if (m_pUserSelectRangeImp != nullptr) m_pUserSelectRangeImp->OnLButtonUp(this, point, flags);
      ROWCOL row = 0, col = 0;
      HitTest(point, &row, &col);
      row = std::min(row, GetRowCount());
      col = std::min(col, GetColCount());
      const UINT action = PhaseFlags(*this, 0x10, row, col);
      OnLeftButtonCellAction(m_nPressedRow, m_nPressedCol, row, col, point.x, point.y, flags, action);
      m_nMouseAction = 0;
    } else if (m_bResizeTracking) {
      m_bResizeTracking = FALSE;
      ::ReleaseCapture();
      EndResizeTracking(flags, point, 0, 0);
    }
    return TRUE;
  });
}

BOOL CGXGridCore::OnGridMButtonDown(UINT flags, CPoint point) {
  return GXGuardMouse(*this, FALSE, [&]() -> BOOL {
    if (!BeginCellButtonDown(flags, point.x, point.y, kMiddleMask)) return FALSE;
    if (!OnMiddleButtonCellAction(m_nPressedRow, m_nPressedCol, m_nPressedRow, m_nPressedCol, point.x, point.y, flags,
                                  (m_nMouseAction & 0xFF) | 0x44 | (m_nMouseAction & 0xFF00))) {
      Cancel(*this);
      return FALSE;
    }
    HoldButton(*this, false);
    return TRUE;
  });
}

BOOL CGXGridCore::OnGridRButtonDown(UINT flags, CPoint point) {
  return GXGuardMouse(*this, FALSE, [&]() -> BOOL {
    if (!BeginCellButtonDown(flags, point.x, point.y, kRightMask)) return FALSE;
    if (!OnRightButtonCellAction(m_nPressedRow, m_nPressedCol, m_nPressedRow, m_nPressedCol, point.x, point.y, flags,
                                 (m_nMouseAction & 0xFF) | 0x44 | (m_nMouseAction & 0xFF00))) {
      Cancel(*this);
      return FALSE;
    }
    HoldButton(*this, false);
    return TRUE;
  });
}

BOOL CGXGridCore::OnGridMButtonUp(UINT flags, CPoint point) {
  return GXGuardMouse(*this, FALSE, [&]() -> BOOL {
    int hit = 0;
    ROWCOL row = 0, col = 0;
    UINT action = 0;
    if (!EndButtonUp(flags, point.x, point.y, hit, row, col, action)) return FALSE;
    OnMiddleButtonCellAction(m_nPressedRow, m_nPressedCol, std::min(row, GetRowCount()), std::min(col, GetColCount()),
                             point.x, point.y, flags, action);
    m_nMouseAction = 0;
    return TRUE;
  });
}

BOOL CGXGridCore::OnGridRButtonUp(UINT flags, CPoint point) {
  return GXGuardMouse(*this, FALSE, [&]() -> BOOL {
    int hit = 0;
    ROWCOL row = 0, col = 0;
    UINT action = 0;
    if (!EndButtonUp(flags, point.x, point.y, hit, row, col, action)) return FALSE;
    OnRightButtonCellAction(m_nPressedRow, m_nPressedCol, std::min(row, GetRowCount()), std::min(col, GetColCount()),
                            point.x, point.y, flags, action);
    m_nMouseAction = 0;
    return TRUE;
  });
}

// The double clicks of the three buttons share one body.
BOOL CGXGridCore::OnGridDblClk(int button, UINT flags, CPoint point) {
  return GXGuardMouse(*this, FALSE, [&]() -> BOOL {
    static constexpr UINT kMasks[3] = {kLeftMask, kMiddleMask, kRightMask};
    int hit = 0;
    ROWCOL row = 0, col = 0;
    if (!BeginMouseDown(flags, point.x, point.y, kMasks[button], hit, row, col)) return FALSE;
    if (hit == kHitCell || hit == kHitHeader) {
      CGXRange block;
      if (GetCoveredCellsRowCol(row, col, block) != nullptr) row = block.top, col = block.left;
      auto bound = [&]() -> CGXControl* {
        if (!IsCurrentCell(row, col)) return nullptr;
        CGXControl* control = GetControl(row, col);
        return control != nullptr && control->IsInitialized() ? control : nullptr;
      };
      if (button != 0 || bound() == nullptr) SetCurrentCell(row, col, 10);
      BOOL handled = FALSE;
      if (CGXControl* control = bound()) {
        handled = button == 0   ? control->LButtonDblClk(flags, point)
                  : button == 1 ? control->MButtonDblClk(flags, point)
                                : control->RButtonDblClk(flags, point);
      } else {
        handled = button == 0   ? OnLeftDblClkCell(row, col, flags, point)
                  : button == 1 ? OnMiddleDblClkCell(row, col, flags, point)
                                : OnRightDblClkCell(row, col, flags, point);
      }
      if (handled) return TRUE;
      return button == 0 ? OnGridLButtonDown(flags, point)
             : button == 1 ? OnGridMButtonDown(flags, point)
                           : OnGridRButtonDown(flags, point);
    }
    // A double click on a row or column boundary resets or reveals it.
    if (button == 0 && m_pUserResizeCellsImp != nullptr &&
        (hit == kHitColEdge || hit == kHitRowEdge || hit == kHitHiddenCol || hit == kHitHiddenRow))
      return m_pUserResizeCellsImp->OnDoubleClick(this, hit, row, col);
    return FALSE;
  });
}

BOOL CGXGridCore::OnGridLButtonDblClk(UINT flags, CPoint point) { return OnGridDblClk(0, flags, point); }
BOOL CGXGridCore::OnGridMButtonDblClk(UINT flags, CPoint point) { return OnGridDblClk(1, flags, point); }
BOOL CGXGridCore::OnGridRButtonDblClk(UINT flags, CPoint point) { return OnGridDblClk(2, flags, point); }

BOOL CGXGridCore::OnGridCancelMode() {
  if (!m_bInitDone) return TRUE;
  if (m_bFillDragging) {
    m_bFillDragging = FALSE;
    if (m_pExcelLikeFillImp != nullptr) m_pExcelLikeFillImp->CancelFill(this);
  }
  if (m_bResizeTracking) {
    m_bResizeTracking = FALSE;
    CancelResizeTracking();
  } else if (m_nMouseAction != 0) {
    SetSelection(nullptr);
    if (m_pParam != nullptr && m_pParam->TestSelectionFlags(3))
      SetCurrentCell(static_cast<ROWCOL>(-1), static_cast<ROWCOL>(-1), 10);
    m_nMouseAction = 0;
  } else if (m_bSelDragging) {
    OnSelDragCancel();
  }
  // A pending cut's marking ends with any cancelled action.
  if (m_pParam != nullptr && m_pParam->m_bCutPending) {
    m_pParam->m_bCutPending = FALSE;
    Redraw(1, TRUE);
  }
  SetGridCursor(0);
  if (HoldsCapture(*this)) ::ReleaseCapture();
  m_bAutoScrollStop = TRUE;
  if (CGXControl* control = GetCurrentCellControl()) control->OnCancelMode();
  return TRUE;
}
