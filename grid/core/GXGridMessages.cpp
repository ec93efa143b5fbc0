// The grid's reactions to the messages of the window that hosts it:
// scrolling, sizing, showing, focus and activation, control windows,
// settings and colours, pre-translation, plug-ins, the private messages of
// the library's windows, and the preparation of device contexts.
#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXFindReplaceState.h"
#include "grid/core/GXGridParam.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXPluginComponent.h"
#include "grid/core/GXScreenPpi.h"
#include "grid/core/GXToolTipProxy.h"
#include "grid/features/GXGridPrintPreview.h"
#include "platform/framework/FrameDefs.h"
#include "platform/framework/View.h"
#include "platform/gfx/Dc.h"

namespace {

bool HasWindow(CWnd* wnd) { return wnd != nullptr && wnd->GetSafeHwnd() != nullptr; }

// Whether `other` is the grid window or one of its children.
bool InsideGrid(CWnd* gridWnd, HWND other) {
  if (!HasWindow(gridWnd) || other == nullptr) return false;
  return other == gridWnd->GetSafeHwnd() || ::IsChild(gridWnd->GetSafeHwnd(), other);
}


}  // namespace

// ------------------------------------------------------------------ scrolling

namespace {

// The scroll-bar message of one axis; the vertical and horizontal handlers
// differ only in their axis.
BOOL OnAxisScroll(CGXGridCore& g, bool rows, UINT code, UINT pos) {
  if (!g.IsInitialized() || g.m_nScrollLock >= 1) return FALSE;
  if (CGXControl* control = g.GetCurrentCellControl()) {
    MSG msg{};
    msg.hwnd = g.m_pGridWnd != nullptr ? g.m_pGridWnd->GetSafeHwnd() : nullptr;
    msg.message = rows ? WM_VSCROLL : WM_HSCROLL;
    msg.wParam = MAKEWPARAM(code, pos);
    control->OnGridScroll(&msg);
  }
  const ROWCOL count = rows ? g.GetRowCount() : g.GetColCount();
  const ROWCOL frozen = rows ? g.GetFrozenRows() : g.GetFrozenCols();
  if (count == 0 || frozen + 1 >= count) return FALSE;
  const int back = rows ? 1 : 2, forward = rows ? 3 : 4;
  const ROWCOL top = rows ? g.GetTopRow() : g.GetLeftCol();
  auto size = [&](ROWCOL i) { return rows ? g.GetRowHeight(i) : g.GetColWidth(i); };
  auto sum = [&](ROWCOL from, ROWCOL to) { return rows ? g.SumRowHeights(from, to) : g.SumColWidths(from, to); };
  const ROWCOL first = frozen + 1;
  const int bar = rows ? SB_VERT : SB_HORZ;

  switch (code) {
    case SB_LINEUP:
      g.DoScroll(back, 1);
      break;
    case SB_LINEDOWN:
      g.DoScroll(forward, 1);
      break;
    case SB_PAGEUP: {
      if (top < 2) break;
      const CRect grid = g.GetGridRect();
      const int page = (rows ? grid.Height() : grid.Width()) - sum(0, frozen);
      int total = size(top);
      ROWCOL k = 0;
      while (total < page && top - k > 1) {
        ++k;
        total += size(top - k);
      }
      g.DoScroll(back, k == 0 ? 1 : k);
      break;
    }
    case SB_PAGEDOWN: {
      if (top >= count) break;
      const CRect grid = g.GetGridRect();
      const ROWCOL last = rows ? g.CalcBottomRowFromRect(grid) : g.CalcRightColFromRect(grid);
      if (last < top) break;
      g.DoScroll(forward, last == top ? 1 : last - top);
      break;
    }
    case SB_THUMBTRACK:
      if (g.GetParam() == nullptr || !g.GetParam()->m_bThumbTrack) break;
      [[fallthrough]];
    case SB_THUMBPOSITION: {
      // Bar positions fit the message's 16 bits: the divisor scales them.
      const ROWCOL p = pos;
      const ROWCOL target = first + (std::max(p, first) - first) * g.GetScrollDivisor(bar);
      if (target < top && sum(target, top - 1) > 0) {
        g.DoScroll(back, top - target);
      } else if (target > top && sum(top, target - 1) > 0) {
        g.DoScroll(forward, target - top);
      }
      break;
    }
    case SB_TOP:  // SB_LEFT
      if (top != 1) g.DoScroll(back, top - 1);
      break;
    case SB_BOTTOM:  // SB_RIGHT
      if (top != count) g.DoScroll(forward, count - top);
      break;
    case SB_ENDSCROLL:
      if (g.m_nAutoScrollSBCode != -1) g.m_bAutoScrollStop = TRUE;
      break;
    default:
      break;
  }
  return TRUE;
}

}  // namespace

BOOL CGXGridCore::OnGridVScroll(UINT code, UINT pos, CScrollBar*) { return OnAxisScroll(*this, true, code, pos); }
BOOL CGXGridCore::OnGridHScroll(UINT code, UINT pos, CScrollBar*) { return OnAxisScroll(*this, false, code, pos); }

// --------------------------------------------------------------------- sizing

BOOL CGXGridCore::OnGridSize(UINT type, int cx, int cy) {
  ResetLastVisible();
  if (type == SIZE_MAXIMIZED) UpdateScrollbars(TRUE, FALSE);
  CWnd* frame = HasWindow(m_pGridWnd) ? CWnd::FromHandle(::GetParent(m_pGridWnd->GetSafeHwnd())) : nullptr;
  const BOOL zoomed = frame != nullptr && frame->IsZoomed();
  if (type != SIZE_RESTORED) {
    m_bParentZoomed = zoomed;
    return FALSE;
  }
  if (m_bDeferSize) {
    if (zoomed == m_bParentZoomed && HasWindow(m_pGridWnd)) m_pGridWnd->ValidateRect(nullptr);
    return TRUE;
  }
  ResetLastVisible();
  if (HasWindow(m_pGridWnd) && m_pParam != nullptr && m_pParam->m_bMinimalRepaint && frame != nullptr &&
      m_nClientWidth > 0 && m_nClientHeight > 0 && !m_bUpdateScrollbar) {
    CRect now;
    m_pGridWnd->GetWindowRect(&now);
    if (now.TopLeft() == static_cast<POINT>(m_rcWindow.TopLeft())) {
      if (zoomed != m_bParentZoomed) {
        m_pGridWnd->Invalidate(TRUE);
        m_pGridWnd->UpdateWindow();
      } else {
        // Only what growing uncovered is painted, with the column and row
        // that were cut off at the old edges.
        m_pGridWnd->ValidateRect(nullptr);
        const int oldWidth = m_nClientWidth, oldHeight = m_nClientHeight;
        int xs = oldWidth, ys = oldHeight;
        int edge = 0;
        if (CalcClientColFromX(oldWidth, &edge) != static_cast<ROWCOL>(-1)) xs = edge;
        if (CalcClientRowFromY(oldHeight, &edge) != static_cast<ROWCOL>(-1)) ys = edge;
        if (xs < cx && cx != oldWidth) {
          CRect strip(xs, 0, cx, std::min(oldHeight, ys));
          m_pGridWnd->InvalidateRect(&strip, TRUE);
          m_pGridWnd->UpdateWindow();
        }
        if (ys < cy && cy != oldHeight) {
          CRect strip(0, ys, cx, cy);
          m_pGridWnd->InvalidateRect(&strip, TRUE);
          m_pGridWnd->UpdateWindow();
        }
      }
    }
  }
  if (m_bInitDone) {
    if (m_bTtnIsEnabled && m_pTooltipProxy != nullptr) m_pTooltipProxy->OnSize();
    if (!m_bUpdateScrollbar) {
      RecalcCharSize();
      if (m_pParam != nullptr && m_pParam->m_bMinimalRepaint && HasWindow(m_pGridWnd)) m_pGridWnd->UpdateWindow();
      UpdateScrollbars(TRUE, FALSE);
    }
  }
  if (HasWindow(m_pGridWnd) && m_pGridWnd->IsWindowVisible()) {
    CRect client;
    m_pGridWnd->GetClientRect(&client);
    const DWORD style = m_pGridWnd->GetStyle();
    m_nClientWidth = client.Width() - ((style & WS_VSCROLL) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0);
    m_nClientHeight = client.Height() - ((style & WS_HSCROLL) ? ::GetSystemMetrics(SM_CYHSCROLL) : 0);
    m_pGridWnd->GetWindowRect(&m_rcWindow);
  } else {
    m_nClientWidth = m_nClientHeight = 0;
  }
  m_bParentZoomed = zoomed;
  return TRUE;
}

void CGXGridCore::SetDeferSize(BOOL defer) {
  m_bDeferSize = defer;
  if (!defer && HasWindow(m_pGridWnd)) m_pGridWnd->Invalidate(TRUE);
}

BOOL CGXGridCore::OnGridShowWindow(BOOL show, UINT) {
  if (!show) {
    ResetLastVisible();
    m_nClientWidth = m_nClientHeight = 0;
  }
  return TRUE;
}

// ---------------------------------------------------------------------- focus

BOOL CGXGridCore::OnGridSetFocus(CWnd* previous) {
  if (m_bIgnoreFocus) return FALSE;
  const HWND prev = previous != nullptr ? previous->GetSafeHwnd() : nullptr;
  if (prev == nullptr || !HasWindow(m_pGridWnd) || !::IsChild(m_pGridWnd->GetSafeHwnd(), prev)) OnActivateGrid(TRUE);
  m_hWndPrevFocus = prev;
  if (m_bRefusedLeave) {
    if (CGXControl* control = GetCurrentCellControl()) control->Refresh();
  }
  m_bRefusedLeave = FALSE;
  return TRUE;
}

BOOL CGXGridCore::OnGridKillFocus(CWnd* next) {
  m_bFocusLost = TRUE;
  if (m_bIgnoreFocus) return FALSE;
  if (next != nullptr && InsideGrid(m_pGridWnd, next->GetSafeHwnd())) return FALSE;
  OnActivateGrid(FALSE);
  return TRUE;
}

BOOL CGXGridCore::OnActivateGrid(BOOL activate) {
  if (HasWindow(m_pGridWnd)) m_pGridWnd->SendMessage(WM_CANCELMODE);
  if (activate) {
    GXGetFindReplaceState().m_pActiveGrid = this;
  } else if (m_bValidating) {
    return FALSE;
  }
  m_bHasFocus = activate;
  m_bGridActive = activate;
  if (m_bValidating || !m_bInitDone || m_pParam == nullptr) return FALSE;
  if (!activate && HasWindow(m_pGridWnd)) m_pGridWnd->SendMessage(WM_CANCELMODE);
  BOOL result = TRUE;
  if (IsCurrentCell() && !GXGetActivationLock()) {
    CGXControl* control = GetCurrentCellControl();
    if (control == nullptr || !control->IsInitialized()) {
      RedrawRowCol(m_nCurrentRow, m_nCurrentCol, m_nCurrentRow, m_nCurrentCol, 1, FALSE);
    } else if (activate) {
      if ((m_pParam->m_wActivateCell & 4) != 0) control->SetActive(TRUE);
      control->Refresh();
    } else if (!CanSelectCell(FALSE, m_nCurrentRow, m_nCurrentCol, m_nCurrentRow, m_nCurrentCol)) {
      result = FALSE;
    } else {
      const BOOL modified = control->GetModify();
      if (!modified || control->Store()) {
        if (control->OnEndEditing()) {
          control->SetActive(FALSE);
          control->SetModify(FALSE);
          control->Refresh();
        }
      }
      if (modified) {
        RunDataRecalc(FALSE);
        RecalcAndRedraw(FALSE, nullptr, TRUE);
      }
    }
  }
  if (activate) {
    RecalcCharSize();
    UpdateScrollbars();
  }
  m_nClientWidth = m_nClientHeight = 0;
  // The two application-wide grid listeners would be told here; no window
  // of this system installs one.
  return result;
}

BOOL CGXGridCore::CanDeactivateGrid(BOOL flag) {
  if (flag) return TRUE;
  m_bValidating = TRUE;
  BOOL result = TRUE;
  CGXControl* control = IsCurrentCell() ? GetCurrentCellControl() : nullptr;
  if (control != nullptr && control->IsActive()) {
    const HWND focus = ::GetFocus();
    const HWND before = focus;
    if (InsideGrid(m_pGridWnd, focus)) {
      // Keys typed ahead must not reach the edit after the refusal.
      MSG msg;
      while (::PeekMessage(&msg, focus, WM_KEYFIRST, 0x108, PM_REMOVE)) {
      }
    }
    if (!control->OnValidate()) {
      if (GetWarningText().IsEmpty() && control->IsActive() && before != nullptr && ::IsWindow(before) &&
          ::IsWindowVisible(before)) {
        ::SetFocus(before);
        if (InsideGrid(m_pGridWnd, before)) m_bHasFocus = TRUE;
      }
      ShowWarningText();
      m_bRefusedLeave = TRUE;
      result = FALSE;
    }
  }
  m_bValidating = FALSE;
  return result;
}

BOOL CGXGridCore::OnGridMouseActivate(CWnd* desktop, UINT hitTest, UINT message, int& reply) {
  if (m_pParam != nullptr && m_pParam->m_bActivateView && hitTest == HTCLIENT && HasWindow(m_pGridWnd) &&
      m_pGridWnd->IsKindOf(RUNTIME_CLASS(CView))) {
    const HWND grid = m_pGridWnd->GetSafeHwnd();
    const HWND focus = ::GetFocus();
    const bool focusElsewhere =
        focus == nullptr || (focus != grid && !::IsChild(grid, focus)) || ::GetAncestor(focus, GA_ROOT) != ::GetAncestor(grid, GA_ROOT);
    if (m_hWndPrevFocus != grid && focusElsewhere) {
      m_pGridWnd->SetFocus();
      m_hWndPrevFocus = grid;
      reply = MA_ACTIVATEANDEAT;
      return TRUE;
    }
  }
  CGXControl* control = GetCurrentCellControl();
  if (control == nullptr) return FALSE;
  return control->OnMouseActivate(desktop, hitTest, message, reply);
}

BOOL CGXGridCore::OnGridSetCursor(CWnd* wnd, UINT hitTest, UINT) {
  return m_bInitDone && wnd != nullptr && HasWindow(m_pGridWnd) && wnd->GetSafeHwnd() == m_pGridWnd->GetSafeHwnd() &&
         hitTest == HTCLIENT;
}

// ------------------------------------------------------------ control windows

HBRUSH CGXGridCore::OnGridCtlColor(CDC* dc, CWnd* wnd, UINT type) {
  if (!IsCurrentCell()) return nullptr;
  const CGXStyle& style = GetCachedCellStyle(m_nCurrentRow, m_nCurrentCol);
  CGXControl* control = GetRegisteredControl(style.GetIncludeControl() ? style.GetControl() : 0);
  if (control != nullptr && control->OnCtlColor(dc, wnd, type)) return nullptr;
  if (style.GetIncludeTextColor()) dc->SetTextColor(style.GetTextColor());
  const CGXStyleInterior& interior = style.GetInterior();
  dc->SetBkColor(interior.brushStyle == BS_SOLID ? interior.GetColor() : interior.GetBackColor());
  CBrush* brush = LookupOrCreateBrush(interior);
  return brush != nullptr ? static_cast<HBRUSH>(brush->GetSafeHandle()) : nullptr;
}

BOOL CGXGridCore::OnGridCommand(WPARAM wParam, LPARAM lParam) {
  // Print Preview from a menu or key: a grid that prints shows its pages
  // in the window the program installed for grid previews.
  if (lParam == 0 && LOWORD(wParam) == ID_FILE_PRINT_PREVIEW && m_pPrintImp != nullptr)
    return GXShowGridPreview(this);
  CGXControl* control = GetCurrentCellControl();
  return control != nullptr && control->OnCommand(wParam, lParam);
}

UINT CGXGridCore::OnGridGetDlgCode(UINT code) { return code | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

CWnd* CGXGridCore::GetScrollBarCtrl(int bar) {
  if (!HasWindow(m_pGridWnd)) return nullptr;
  const DWORD style = m_pGridWnd->GetStyle();
  if ((bar == SB_VERT && (style & WS_VSCROLL)) || (bar == SB_HORZ && (style & WS_HSCROLL))) return nullptr;
  CWnd* parent = GetSharedScrollBarParent();
  if (parent == nullptr) return nullptr;
  return parent->GetDlgItem(bar == SB_VERT ? 59920 : 59904);
}

CWnd* CGXGridCore::GetSharedScrollBarParent() {
  if (!HasWindow(m_pGridWnd)) return nullptr;
  const HWND parent = ::GetParent(m_pGridWnd->GetSafeHwnd());
  if (parent == nullptr) return nullptr;
  char name[64] = {};
  ::GetClassName(parent, name, sizeof name);
  for (HWND owner : m_pAppData->GetRegisteredWindows()) {
    char ownerName[64] = {};
    ::GetClassName(owner, ownerName, sizeof ownerName);
    if (owner != nullptr && CString(name).CompareNoCase(ownerName) == 0) return CWnd::FromHandle(parent);
  }
  return nullptr;
}

// ------------------------------------------------------- settings and colours

BOOL CGXGridCore::OnGridWinIniChange(LPCTSTR section) {
  GXNotifyDateTimeImp();
  for (CGXControl* control : RegisteredControls()) control->OnWinIniChange(section);
  if (HasWindow(m_pGridWnd)) m_pGridWnd->Invalidate(TRUE);
  return TRUE;
}

BOOL CGXGridCore::OnGridSysColorChange() {
  GXGetSysColorCache().Refresh();
  for (CGXControl* control : RegisteredControls()) control->OnSysColorChange();
  return TRUE;
}

BOOL CGXGridCore::OnGridDestroy() {
  GXFindReplaceState& state = GXGetFindReplaceState();
  if (state.m_pFindReplaceDlg != nullptr && HasWindow(m_pGridWnd) &&
      state.m_hwndOwner == m_pGridWnd->GetSafeHwnd()) {
    ::SendMessage(state.m_pFindReplaceDlg, WM_CLOSE, 0, 0);
    state.m_pFindReplaceDlg = nullptr;
  }
  if (state.m_pActiveGrid == this) state.m_pActiveGrid = nullptr;
  return FALSE;
}

// ----------------------------------------------- pre-translation and plug-ins

BOOL CGXGridCore::PreTranslateGridMessage(MSG* msg) {
  if (!m_bInitDone || !HasWindow(m_pGridWnd) || !m_pGridWnd->IsWindowVisible()) return FALSE;
  if (m_bTtnIsEnabled && m_pTooltipProxy != nullptr) m_pTooltipProxy->RelayEvent(msg);
  CGXControl* control = GetCurrentCellControl();
  return control != nullptr && control->PreTranslateCellMessage(msg) != 0;
}

void CGXGridCore::AddPlugin(CGXPluginComponent* plugin) {
  if (plugin != nullptr) m_Plugins.push_back(plugin);
}

BOOL CGXGridCore::ProcessPluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!m_bInitDone) return FALSE;
  for (CGXPluginComponent* plugin : m_Plugins) {
    plugin->m_bExitMessage = FALSE;
    plugin->m_bSkipOtherPlugins = FALSE;
    plugin->HandleMessage(message, wParam, lParam, &result);
    if (plugin->m_bExitMessage) return TRUE;
    if (plugin->m_bSkipOtherPlugins) return FALSE;
  }
  return FALSE;
}

BOOL CGXGridCore::OnGridTimer(UINT_PTR) { return FALSE; }

// ------------------------------------------------------------ private messages

void CGXGridCore::OnMoveCurrentCellCommand(UINT command, LPARAM value) {
  static constexpr int kDirections[4] = {kMoveFirstRow, kMoveUp, kMoveDown, kMoveLastRow};
  if (command <= 3) {
    MoveCurrentCell(kDirections[command], 1);
  } else if (command == 4) {
    const ROWCOL row = static_cast<ROWCOL>(value) + GetHeaderRows();
    OnBeforeReach(row, GetRowCount());
    SetCurrentCell(std::min(row, GetRowCount()), std::min(GetHeaderCols() + 1, GetColCount()), 10);
    if (HasWindow(m_pGridWnd)) m_pGridWnd->SetFocus();
  }
}

BOOL CGXGridCore::CanRenameSheet(int) { return m_pParam != nullptr ? m_pParam->m_bRenameOption : TRUE; }

void CGXGridCore::OnSheetRenamed(int tab) {
  // The tab window holding this grid knows the new name; the parameter
  // object keeps it, and the other views of the document follow.
  CGXAbstractTabWndInterface* tabs = GXGetAppData()->m_pTabWndInt;
  if (tabs == nullptr || m_pParam == nullptr) return;
  CString stored = m_pParam->m_sSheetName;
  tabs->GetSetSheetName(m_pGridWnd, stored, FALSE);
  const CString name = tabs->GetSheetName(m_pGridWnd, tab);
  // A view renaming its tab after another view's rename hears the name the
  // parameter object already has; telling the views again would never end.
  if (name == m_pParam->m_sSheetName) return;
  m_pParam->m_sSheetName = name;
  UpdateTabName(TRUE);
}

void CGXGridCore::NotifyCellListeners() {
  // The application-wide grid listeners are not installed in this system.
}

// ------------------------------------------------------------ device contexts

void CGXGridCore::PrepareDC(CDC* dc, BOOL printing) {
  if (dc == nullptr) return;
  if (printing) {
    const CSize screen = GXScreenPixelsPerInch();
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(screen.cx, screen.cy);
    dc->SetViewportExt(dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
  }
  OnPrepareDC(dc);
}

void CGXGridCore::SetPrintDC(CDC* dc, BOOL recalc) {
  CGXControl* control = IsCurrentCell() ? GetCurrentCellControl() : nullptr;
  if (dc != nullptr && control != nullptr && control->IsActive()) {
    TransferCurrentCell(TRUE, 2, TRUE);
    control->SetActive(FALSE);
  }
  m_pPrintDC = dc;
  m_bPrinting = dc != nullptr;
  if (dc != nullptr && recalc) {
    MeasureStandardFont();
    m_nPrintLeftCol = GetFrozenCols() + 1;
    m_nPrintTopRow = GetFrozenRows() + 1;
  }
  if (m_pParam != nullptr && m_pParam->GetProperties() != nullptr)
    m_pParam->GetProperties()->SetPrintState(dc);
}

// -------------------------------------------------------------- cell tips

BOOL CGXGridCore::EnableCellTips(BOOL enable) {
  if (enable) {
    CreateToolTips();
  } else {
    m_bTtnIsEnabled = FALSE;
  }
  return TRUE;
}

void CGXGridCore::CreateToolTips() {
  if (m_pTooltipProxy == nullptr) m_pTooltipProxy = new CGXToolTipCtrlProxy(this, m_pGridWnd);
  m_bTtnIsEnabled = TRUE;
}
