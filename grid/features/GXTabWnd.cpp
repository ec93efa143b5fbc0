#include "grid/features/GXTabWnd.h"

#include <algorithm>
#include <set>

#include "grid/core/GXAppData.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/Frame.h"
#include "platform/framework/View.h"
#include "platform/framework/WindowDc.h"

namespace {

constexpr LPCTSTR kTabWndClass = "CGXTabWnd";
// The class of tab windows made by Create: a plain window class, the object
// being bound at creation.
constexpr LPCTSTR kFrameClass = "GxMdiFrame";

void RegisterFrameClass(HINSTANCE instance) {
  WNDCLASS existing{};
  if (::GetClassInfo(instance, kFrameClass, &existing)) return;
  WNDCLASS wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &::DefWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kFrameClass;
  ::RegisterClass(&wc);
}

std::set<CGXTabWnd*>& LiveTabWnds() {
  static std::set<CGXTabWnd*> windows;
  return windows;
}

// Places a child one pixel larger on every side than its rectangle, and
// only when its place changes.
void Place(CWnd& child, CRect rect) {
  if (child.GetSafeHwnd() == nullptr) return;
  rect.InflateRect(1, 1);
  CRect now;
  child.GetWindowRect(&now);
  if (CWnd* parent = child.GetParent()) parent->ScreenToClient(&now);
  if (!::EqualRect(&now, &rect)) child.MoveWindow(&rect, TRUE);
}

}  // namespace

// ------------------------------------------------------------ rename edit

BOOL CGXEditLabelPopup::Create(const RECT& rect, CWnd* parent, UINT id) {
  return CEdit::Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, parent, id);
}

// The answers are posted: the tab window destroys this edit in reply.
void CGXEditLabelPopup::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_RETURN) {
    GetParent()->PostMessage(GX_TAB_ACCEPTNAME);
    return;
  }
  if (key == VK_ESCAPE) {
    GetParent()->PostMessage(GX_TAB_CANCELNAME);
    return;
  }
  CEdit::OnKeyDown(key, repeat, flags);
}

void CGXEditLabelPopup::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  if (key == VK_RETURN || key == VK_ESCAPE) return;
  CEdit::OnKeyUp(key, repeat, flags);
}

void CGXEditLabelPopup::OnChar(UINT key, UINT repeat, UINT flags) {
  if (key == '\r' || key == 27) return;
  CEdit::OnChar(key, repeat, flags);
}

void CGXEditLabelPopup::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  if (CWnd* parent = GetParent()) parent->PostMessage(GX_TAB_CANCELNAME);
}

UINT CGXEditLabelPopup::OnGetDlgCode() { return CEdit::OnGetDlgCode() | DLGC_WANTALLKEYS; }

// ------------------------------------------------------------ tab window

IMPLEMENT_DYNCREATE(CGXTabWnd, CWnd)

CGXTabWnd::CGXTabWnd() {
  LoadMetrics();
  LiveTabWnds().insert(this);
  GXGetTabWndInterface();
}

CGXTabWnd::~CGXTabWnd() {
  LiveTabWnds().erase(this);
  if (m_hWnd != nullptr && !m_bAutoDelete) DestroyWindow();
}

void CGXTabWnd::LoadMetrics() {
  m_nVertBarWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  m_nHorzBarHeight = ::GetSystemMetrics(SM_CYHSCROLL);
  m_nBottomBarHeight = m_nHorzBarHeight + 2;
}

BOOL CGXTabWnd::Create(CWnd* parent, DWORD style, UINT id) {
  m_bShowHorzBar = (style & WS_HSCROLL) != 0;
  m_bShowVertBar = (style & WS_VSCROLL) != 0;
  GXRegisterTabWndClass(AfxGetInstanceHandle());
  RegisterFrameClass(AfxGetInstanceHandle());
  const DWORD own = (style & ~(WS_HSCROLL | WS_VSCROLL)) | WS_CLIPCHILDREN;
  m_bMakingFrame = TRUE;
  const BOOL made = CWnd::Create(kFrameClass, nullptr, own, CRect(0, 0, 1, 1), parent, id);
  m_bMakingFrame = FALSE;
  if (!made) return FALSE;
  if (!CreateParts(parent)) {
    DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

BOOL CGXTabWnd::CreateParts(CWnd* parent) {
  // Grids placed inside find their shared scroll bars through the class.
  GXGetAppData()->AddWindowOnce(m_hWnd);
  const CRect tiny(0, 0, 1, 1);
  if (!m_horzBar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, tiny, this, kHorzScrollId) ||
      !m_vertBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, tiny, this, kVertScrollId))
    return FALSE;
  if (!m_bShowHorzBar) m_horzBar.ShowWindow(SW_HIDE);
  if (!m_bShowVertBar) m_vertBar.ShowWindow(SW_HIDE);
  // The corner between the bars; the layout shows it when both bars are.
  if ((m_bShowHorzBar || m_bShowVertBar) && parent != nullptr && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) &&
      !m_sizeBox.Create(WS_CHILD | SBS_SIZEBOX, tiny, this, kSizeBoxId))
    return FALSE;
  auto* beam = static_cast<CGXTabBeam*>(m_pBeamClass->CreateObject());
  if (beam == nullptr || !beam->Create(WS_VISIBLE, tiny, this, kBeamId)) {
    delete beam;
    return FALSE;
  }
  m_pBeam = beam;
  m_bCreated = TRUE;
  return TRUE;
}

CRect CGXTabWnd::InsideRect() const {
  CRect inside;
  GetClientRect(&inside);
  inside.bottom -= m_nBottomBarHeight - 1 - 1;
  if (m_bShowVertBar) inside.right -= m_nVertBarWidth - 1 - 1;
  return inside;
}

CRect CGXTabWnd::DividerRect() const {
  const CRect inside = InsideRect();
  return CRect(m_nDividerX + 1, inside.bottom, m_nDividerX + kDividerWidth + 1, inside.bottom + m_nBottomBarHeight);
}

void CGXTabWnd::RecalcLayout(BOOL skipSheet) {
  if (m_hWnd == nullptr) return;
  if (!m_bCreated) {
    if (m_bMakingFrame) return;
    // A window of the registered class (a dialog's control) has only its
    // frame: its parts come now, both scroll bars shown.
    m_bShowHorzBar = m_bShowVertBar = TRUE;
    ModifyStyle(0, WS_CLIPCHILDREN);
    if (!CreateParts(GetParent())) return;
  }
  CRect client;
  GetClientRect(&client);
  const CRect inside = InsideRect();
  if (!m_bLaidOut) {
    m_bLaidOut = TRUE;
    m_nDividerX = client.Width() / 2;
    m_nDividerHundredths = m_nDividerX * 100;
  }
  const int barTop = inside.bottom, barBottom = inside.bottom + m_nBottomBarHeight;
  if (m_bShowHorzBar)
    Place(m_horzBar, CRect(m_nDividerX + kDividerWidth, barTop, inside.right, barBottom));
  if (m_bShowVertBar && !skipSheet) Place(m_vertBar, CRect(inside.right, 0, client.right, inside.bottom));
  if (m_sizeBox.GetSafeHwnd() != nullptr) {
    if (m_bShowHorzBar && m_bShowVertBar) {
      // A grip only where dragging it would size the frame: the frame has a
      // sizing border and its client corner is this corner.
      const bool grip = SizesFrameFromCorner();
      m_sizeBox.ModifyStyle(SBS_SIZEGRIP, grip ? SBS_SIZEGRIP : 0);
      m_sizeBox.EnableWindow(grip);
      Place(m_sizeBox, CRect(inside.right, barTop, client.right, barBottom));
      m_sizeBox.ShowWindow(SW_SHOW);
      m_sizeBox.Invalidate(FALSE);
    } else {
      m_sizeBox.ShowWindow(SW_HIDE);
    }
  }
  if (m_pBeam != nullptr) Place(*m_pBeam, CRect(0, barTop, m_bShowHorzBar ? m_nDividerX : client.right, barBottom));
  if (m_pActiveSheet != nullptr && !skipSheet) {
    CRect sheet = inside;
    sheet.DeflateRect(1, 1);
    Place(*m_pActiveSheet, sheet);
    // The sheet lays itself out as a window that fills its frame.
    m_pActiveSheet->SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(sheet.Width() - 3, sheet.Height() - 3));
  }
}

bool CGXTabWnd::SizesFrameFromCorner() const {
  CWnd* frame = GetParent();
  while (frame != nullptr && !frame->IsKindOf(RUNTIME_CLASS(CFrameWnd))) frame = frame->GetParent();
  if (frame == nullptr || (frame->GetStyle() & WS_THICKFRAME) == 0) return false;
  CRect ours, theirs;
  GetClientRect(&ours);
  ClientToScreen(&ours);
  frame->GetClientRect(&theirs);
  frame->ClientToScreen(&theirs);
  return ours.right == theirs.right && ours.bottom == theirs.bottom;
}

CWnd* CGXTabWnd::InsertSheet(CWnd* sheet, LPCTSTR name) {
  if (sheet == nullptr) return sheet;
  RecalcLayout();
  if (m_pBeam == nullptr) return sheet;
  CRect inside = InsideRect();
  inside.DeflateRect(1, 1);
  inside.InflateRect(1, 1);
  if (sheet->GetSafeHwnd() != nullptr) sheet->MoveWindow(&inside, FALSE);
  m_pBeam->InsertTab(FALSE, name, sheet, FALSE, -1, 0);
  const int index = m_pBeam->GetCount() - 1;
  if (sheet->GetSafeHwnd() != nullptr) sheet->ShowScrollBar(SB_BOTH, FALSE);
  if (m_pActiveSheet == nullptr) {
    m_pActiveSheet = sheet;
    if (sheet->GetSafeHwnd() != nullptr) sheet->ShowWindow(SW_SHOW);
  } else if (sheet->GetSafeHwnd() != nullptr) {
    sheet->ShowWindow(SW_HIDE);
  }
  if (sheet->GetSafeHwnd() != nullptr) sheet->SendMessage(GX_TAB_SHEETINDEX, static_cast<WPARAM>(index));
  SaveScrollState(index);
  return sheet;
}

CString CGXTabWnd::GetSheetName(const CWnd* sheet) {
  const int index = m_pBeam != nullptr ? m_pBeam->FindTab(sheet) : -1;
  return index >= 0 ? m_pBeam->GetTab(index).sLabel : CString();
}

void CGXTabWnd::SetSheetName(int index, LPCTSTR name, BOOL notify) {
  if (m_pBeam == nullptr || index < 0 || index >= m_pBeam->GetCount()) return;
  m_pBeam->GetTab(index).sLabel = name;
  m_pBeam->RecalcTabWidth(index);
  if (notify) SendMessage(GX_TAB_RENAMED, static_cast<WPARAM>(index));
}

void CGXTabWnd::SetSheetName(const CWnd* sheet, LPCTSTR name, BOOL notify) {
  if (m_pBeam != nullptr) SetSheetName(m_pBeam->FindTab(sheet), name, notify);
}

// ------------------------------------------------------------ switching

BOOL CGXTabWnd::CanSwitchTo(int index) {
  if (m_pBeam == nullptr || index < 0 || index >= m_pBeam->GetCount()) return FALSE;
  CWnd* next = m_pBeam->GetTab(index).pSheet;
  if (next == m_pActiveSheet) return TRUE;
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr &&
      m_pActiveSheet->SendMessage(GX_TAB_CANDEACTIVATE, 0) != 0)
    return FALSE;
  if (next != nullptr && next->GetSafeHwnd() != nullptr && next->SendMessage(GX_TAB_CANDEACTIVATE, 1) != 0)
    return FALSE;
  return TRUE;
}

void CGXTabWnd::SaveScrollState(int index) {
  CGXTabInfo& tab = m_pBeam->GetTab(index);
  CWnd* sheet = tab.pSheet;
  if (sheet == nullptr || sheet->GetSafeHwnd() == nullptr) return;
  for (int bar : {SB_VERT, SB_HORZ}) {
    SCROLLINFO& info = bar == SB_VERT ? tab.scrollVert : tab.scrollHorz;
    info = SCROLLINFO{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    // A sheet without that scroll bar, its own or a shared one, has no
    // state to keep.
    const DWORD style = sheet->GetStyle();
    const bool hasBar = (style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) != 0 || sheet->GetScrollBarCtrl(bar) != nullptr;
    if (!hasBar) {
      info.fMask = 0;
      continue;
    }
    if (!sheet->GetScrollInfo(bar, &info, SIF_ALL)) {
      int low = 0, high = 0;
      sheet->GetScrollRange(bar, &low, &high);
      info.nMin = low;
      info.nMax = high;
    }
    info.nTrackPos = info.nPos;
  }
}

void CGXTabWnd::RestoreScrollState(int index) {
  CGXTabInfo& tab = m_pBeam->GetTab(index);
  CWnd* sheet = tab.pSheet;
  if (sheet == nullptr || sheet->GetSafeHwnd() == nullptr) return;
  for (int bar : {SB_VERT, SB_HORZ}) {
    SCROLLINFO info = bar == SB_VERT ? tab.scrollVert : tab.scrollHorz;
    if (info.nMax == 0) continue;
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    sheet->SetScrollInfo(bar, &info, TRUE);
    sheet->SetScrollPos(bar, info.nTrackPos, TRUE);
  }
}

namespace {

// A sheet that is a view becomes its frame's active view when it gets the
// focus, so that the frame's commands reach it.
void FocusSheet(CWnd* sheet) {
  sheet->SetFocus();
  if (!sheet->IsKindOf(RUNTIME_CLASS(CView))) return;
  auto* view = static_cast<CView*>(sheet);
  CFrameWnd* frame = view->GetParentFrame();
  if (frame != nullptr) frame->SetActiveView(view);
  // The titles name the document of the sheet in front: the view's frame
  // and, when that is a child of it, the main window.
  if (frame != nullptr) frame->OnUpdateFrameTitle(TRUE);
  if (CWnd* main = AfxGetMainWnd(); main != nullptr && main != frame && main->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    static_cast<CFrameWnd*>(main)->OnUpdateFrameTitle(TRUE);
}

}  // namespace

void CGXTabWnd::ActivateTab(int index) {
  if (m_pBeam == nullptr || index < 0 || index >= m_pBeam->GetCount()) return;
  CWnd* next = m_pBeam->GetTab(index).pSheet;
  if (next == m_pActiveSheet) {
    MSG waiting;
    if (!::PeekMessage(&waiting, m_hWnd, GX_TAB_RENAME, GX_TAB_RENAME, PM_NOREMOVE) && next != nullptr &&
        next->GetSafeHwnd() != nullptr) {
      FocusSheet(next);
      next->Invalidate(FALSE);
    }
    return;
  }
  if (!CanSwitchTo(index)) {
    // The strip keeps the tab of the sheet that stays.
    const int stays = m_pBeam->FindTab(m_pActiveSheet);
    if (stays >= 0) m_pBeam->SetCurrentTab(stays);
    return;
  }
  const int old = m_pBeam->FindTab(m_pActiveSheet);
  if (old >= 0) SaveScrollState(old);
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr) m_pActiveSheet->ShowWindow(SW_HIDE);
  m_pBeam->SetCurrentTab(index);
  m_pActiveSheet = next;
  if (next != nullptr && next->GetSafeHwnd() != nullptr) {
    RecalcLayout();
    next->ShowWindow(SW_SHOW);
    FocusSheet(next);
    RestoreScrollState(index);
    next->Invalidate(FALSE);
  }
  RecalcLayout();
}

// ------------------------------------------------------------ renaming

void CGXTabWnd::StartRename(int index) {
  if (m_pRenameEdit != nullptr || m_pBeam == nullptr || index < 0 || index >= m_pBeam->GetCount()) return;
  CWnd* sheet = m_pBeam->GetTab(index).pSheet;
  if (sheet == nullptr || sheet->GetSafeHwnd() == nullptr || sheet->SendMessage(GX_TAB_CANRENAME, index) == 0)
    return;
  CClientDC dc(m_pBeam);
  CFont* old = dc.SelectObject(&m_pBeam->m_fontNormal);
  TEXTMETRIC tm{};
  dc.GetTextMetrics(&tm);
  const int charWidth = dc.GetTextExtent("W", 1).cx;
  dc.SelectObject(old);
  CRect client;
  GetClientRect(&client);
  const int frame = ::GetSystemMetrics(SM_CYDLGFRAME);
  const int height = tm.tmHeight + 4 * frame;
  int x = m_pBeam->GetTabX(index);
  const int width = std::min(15 * charWidth, client.Width());
  x = std::max(0, std::min(x, client.Width() - width));
  const int top = std::max(0, static_cast<int>(InsideRect().bottom) - 2 * (static_cast<int>(tm.tmHeight) + frame));
  auto* edit = new CGXEditLabelPopup;
  if (!edit->Create(CRect(x, top, x + width, top + height), this, kRenameEditId)) {
    delete edit;
    return;
  }
  m_pRenameEdit = edit;
  edit->SetFont(&m_pBeam->m_fontNormal);
  edit->SetWindowText(m_pBeam->GetTab(index).sLabel);
  edit->SetSel(0, -1);
  edit->SetFocus();
}

void CGXTabWnd::AcceptRename() {
  if (m_pRenameEdit == nullptr || m_pBeam == nullptr) return;
  CString text;
  m_pRenameEdit->GetWindowText(text);
  const int index = m_pBeam->m_nCurrent;
  CancelRename();
  if (index < 0) return;
  m_pBeam->GetTab(index).sLabel = text;
  m_pBeam->RecalcTabWidth(index);
  CWnd* sheet = m_pBeam->GetTab(index).pSheet;
  if (sheet != nullptr && sheet->GetSafeHwnd() != nullptr) sheet->SendMessage(GX_TAB_RENAMED, index);
}

void CGXTabWnd::CancelRename() {
  CGXEditLabelPopup* edit = m_pRenameEdit;
  if (edit == nullptr) return;
  m_pRenameEdit = nullptr;
  edit->DestroyWindow();  // deletes itself
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr) m_pActiveSheet->SetFocus();
}

// ------------------------------------------------------------ messages

LRESULT CGXTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case GX_TAB_ACTIVATE:
      ActivateTab(static_cast<int>(wParam));
      return 0;
    case GX_TAB_RENAME:
      StartRename(static_cast<int>(wParam));
      return 0;
    case GX_TAB_CANACTIVATE:
      return CanSwitchTo(static_cast<int>(wParam)) ? 0 : 1;
    case GX_TAB_ACCEPTNAME:
      AcceptRename();
      return 0;
    case GX_TAB_CANCELNAME:
      CancelRename();
      return 0;
    case GX_TAB_SHEETREMOVED:
      // The shown sheet lost its tab: the strip's current tab is shown
      // instead, without asking the sheet that is gone.
      if (reinterpret_cast<const CWnd*>(lParam) == m_pActiveSheet && m_pBeam != nullptr) {
        m_pActiveSheet = nullptr;
        const int current = m_pBeam->m_nCurrent;
        if (current >= 0) {
          CWnd* next = m_pBeam->GetTab(current).pSheet;
          m_pActiveSheet = next;
          if (next != nullptr && next->GetSafeHwnd() != nullptr) {
            next->ShowWindow(SW_SHOW);
            RestoreScrollState(current);
          }
        }
        RecalcLayout();
      }
      return 0;
    case GX_TAB_RENAMED:
      // SetSheetName with notify tells the sheet.
      if (m_pBeam != nullptr && static_cast<int>(wParam) < m_pBeam->GetCount()) {
        CWnd* sheet = m_pBeam->GetTab(static_cast<int>(wParam)).pSheet;
        if (sheet != nullptr && sheet->GetSafeHwnd() != nullptr) sheet->SendMessage(GX_TAB_RENAMED, wParam);
      }
      return 0;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CGXTabWnd::OnNcPaint() {
  Default();
  CWnd* parent = GetParent();
  if (parent == nullptr || (!m_bFrameBorder && (GetExStyle() & WS_EX_CLIENTEDGE) == 0)) return;
  // The sunken frame lies just around the window, on the parent.
  CRect frame;
  GetWindowRect(&frame);
  parent->ScreenToClient(&frame);
  frame.InflateRect(2, 2);
  CDC* dc = parent->GetDC();
  if (dc == nullptr) return;
  dc->DrawEdge(&frame, EDGE_SUNKEN, BF_RECT);
  parent->ReleaseDC(dc);
}

void CGXTabWnd::OnSize(UINT type, int cx, int cy) {
  CancelRename();
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr)
    m_pActiveSheet->SendMessage(GX_TAB_RESIZING, 1);
  if (type != SIZE_MINIMIZED && cx > 0 && cy > 0 && cx < 0x7FFE && cy < 0x7FFE) {
    if (m_bDividerMoved) {
      m_nDividerHundredths = m_nDividerX * 100;
      m_bDividerMoved = FALSE;
    }
    if (m_pBeam != nullptr && m_nLayoutWidth > 0 && m_nDividerX > 0) {
      // The divider keeps its share of the room right of the strip's buttons.
      const int c = m_pBeam->ButtonAreaWidth() * 100 - 2000;
      m_nDividerHundredths = static_cast<int>(static_cast<long long>(cx) * (m_nDividerHundredths - c) / m_nLayoutWidth + c);
      m_nDividerX = m_nDividerHundredths / 100;
    }
    m_nLayoutWidth = cx;
    RecalcLayout();
  }
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr) {
    m_pActiveSheet->SendMessage(GX_TAB_RESIZING, 0);
    CRect sheet;
    m_pActiveSheet->GetClientRect(&sheet);
    m_pActiveSheet->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(sheet.Width(), sheet.Height()));
  }
}

void CGXTabWnd::OnPaint() {
  CPaintDC dc(this);
  if (!m_bShowHorzBar) return;
  const CRect divider = DividerRect();
  const COLORREF lines[5] = {RGB(0, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNFACE),
                             ::GetSysColor(COLOR_BTNSHADOW), RGB(0, 0, 0)};
  for (int i = 0; i < 5; ++i) dc.FillSolidRect(divider.left + i, divider.top, 1, divider.Height(), lines[i]);
}

BOOL CGXTabWnd::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  const CRect inside = InsideRect();
  dc->FillSolidRect(inside.right, inside.bottom, client.right - inside.right, client.bottom - inside.bottom,
                    ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

void CGXTabWnd::OnLButtonDown(UINT flags, CPoint point) {
  if (m_bShowHorzBar && DividerRect().PtInRect(point)) {
    m_bDragging = TRUE;
    SetCapture();
    return;
  }
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr) m_pActiveSheet->SetFocus();
  CWnd::OnLButtonDown(flags, point);
}

void CGXTabWnd::OnMouseMove(UINT flags, CPoint point) {
  if (!m_bDragging || point.x == m_nDividerX) {
    CWnd::OnMouseMove(flags, point);
    return;
  }
  CRect client;
  GetClientRect(&client);
  const int low = (m_pBeam != nullptr ? m_pBeam->ButtonAreaWidth() : 0) + 20;
  const int high = client.Width() - 2 * m_nBottomBarHeight;
  if (point.x < low || point.x > high) return;
  const CRect oldDivider = DividerRect();
  InvalidateRect(&oldDivider, TRUE);
  if (m_pBeam != nullptr) {
    m_pBeam->m_nRepaintFrom = std::min(m_nDividerX, static_cast<int>(point.x));
    m_pBeam->Invalidate(TRUE);
  }
  m_nDividerX = point.x;
  m_bDividerMoved = TRUE;
  RecalcLayout(TRUE);
  const CRect newDivider = DividerRect();
  InvalidateRect(&newDivider, TRUE);
}

void CGXTabWnd::OnLButtonUp(UINT flags, CPoint point) {
  if (m_bDragging) {
    m_bDragging = FALSE;
    ::ReleaseCapture();
    if (m_pBeam != nullptr) {
      m_pBeam->m_nRepaintFrom = -2;
      m_pBeam->Invalidate(TRUE);
    }
    return;
  }
  CWnd::OnLButtonUp(flags, point);
}

BOOL CGXTabWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  POINT cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  if (m_bShowHorzBar && (m_bDragging || DividerRect().PtInRect(cursor))) {
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
    return TRUE;
  }
  return CWnd::OnSetCursor(wnd, hitTest, message);
}

void CGXTabWnd::OnSetFocus(CWnd* oldWnd) {
  CWnd::OnSetFocus(oldWnd);
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr) m_pActiveSheet->SetFocus();
}

// The shared bars serve the visible sheet.
void CGXTabWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  CancelRename();
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr)
    m_pActiveSheet->SendMessage(WM_HSCROLL, MAKEWPARAM(code, pos),
                                reinterpret_cast<LPARAM>(bar != nullptr ? bar->GetSafeHwnd() : nullptr));
}

void CGXTabWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  CancelRename();
  if (m_pActiveSheet != nullptr && m_pActiveSheet->GetSafeHwnd() != nullptr)
    m_pActiveSheet->SendMessage(WM_VSCROLL, MAKEWPARAM(code, pos),
                                reinterpret_cast<LPARAM>(bar != nullptr ? bar->GetSafeHwnd() : nullptr));
}

void CGXTabWnd::OnSysColorChange() {
  CWnd::OnSysColorChange();
  Invalidate(TRUE);
}

void CGXTabWnd::OnSettingChange(UINT flags, LPCTSTR section) {
  CWnd::OnSettingChange(flags, section);
  LoadMetrics();
  RecalcLayout();
}

void CGXTabWnd::OnDestroy() {
  CancelRename();
  // The strip (and with it every owned sheet) goes with the window.
  if (m_pBeam != nullptr) {
    CGXTabBeam* beam = m_pBeam;
    m_pBeam = nullptr;
    m_pActiveSheet = nullptr;
    if (beam->GetSafeHwnd() != nullptr) beam->DestroyWindow();
    delete beam;
  }
  CWnd::OnDestroy();
}

void CGXTabWnd::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

// ------------------------------------------------------------ interface

BOOL CGXTabWndInterface::GetSetSheetName(CWnd* sheet, CString& name, BOOL set) {
  for (CGXTabWnd* tabWnd : LiveTabWnds()) {
    CGXTabBeam* beam = tabWnd->GetBeam();
    if (beam == nullptr) continue;
    const int index = beam->FindTab(sheet);
    if (index < 0) continue;
    if (set) {
      tabWnd->SetSheetName(index, name, TRUE);
    } else {
      name = beam->GetTab(index).sLabel;
    }
    return TRUE;
  }
  return FALSE;
}

CString CGXTabWndInterface::GetSheetName(CWnd* sheet, int index) {
  for (CGXTabWnd* tabWnd : LiveTabWnds()) {
    CGXTabBeam* beam = tabWnd->GetBeam();
    if (beam == nullptr || beam->FindTab(sheet) < 0) continue;
    return index >= 0 && index < beam->GetCount() ? beam->GetTab(index).sLabel : CString();
  }
  return CString();
}

CGXTabWndInterface* GXGetTabWndInterface() {
  static CGXTabWndInterface theInterface;
  GXGetAppData()->m_pTabWndInt = &theInterface;
  return &theInterface;
}

// ------------------------------------------------------------ window class

namespace {

LRESULT TabWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* tabWnd = new CGXTabWnd;
  if (!tabWnd->Attach(hwnd)) {
    delete tabWnd;
    return ::DefWindowProc(hwnd, message, wParam, lParam);
  }
  tabWnd->m_bAutoDelete = TRUE;
  ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  return AfxWndProc(hwnd, message, wParam, lParam);
}

}  // namespace

BOOL GXRegisterTabWndClass(HINSTANCE instance) {
  GXRegisterTabBeamClass(instance);
  WNDCLASS existing{};
  if (::GetClassInfo(instance, kTabWndClass, &existing)) return TRUE;
  WNDCLASS wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = &TabWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kTabWndClass;
  return ::RegisterClass(&wc) != 0;
}

void GXUnregisterTabWndClass(HINSTANCE instance) {
  ::UnregisterClass(kTabWndClass, instance);
  GXUnregisterTabBeamClass(instance);
}
