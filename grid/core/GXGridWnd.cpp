#include "grid/core/GXGridWnd.h"

#include "grid/core/GXFindReplaceState.h"
#include "platform/base/Exceptions.h"
#include "platform/controls/CtlControls.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"

namespace {

constexpr LPCTSTR kClassName = "CGXGridWnd";

// The library's private messages from its tab window and other windows.
constexpr UINT kCanRenameSheet = 0x790;
constexpr UINT kSheetRenamed = 0x791;
constexpr UINT kCanDeactivate = 0x792;
constexpr UINT kMoveCurrentCell = 0x7A3;
constexpr UINT kDeferSize = 0x7CB;

}  // namespace

// The engine's mouse operation of a message, when the engine has it;
// otherwise the message is not handled.
#define op(flags, point)                                  \
  [&](auto& g) -> BOOL {                                                 \
    if constexpr (requires { g.op(flags, point); }) return g.op(flags, point); \
    return FALSE;                                                        \
  }(*this)

IMPLEMENT_DYNCREATE(CGXGridWnd, CWnd)

CGXGridWnd::CGXGridWnd() : CWnd(), CGXGridCore(nullptr, nullptr, FALSE) {
  m_pGridWnd = this;
  m_pDocument = nullptr;
  m_bFurther = FALSE;
  m_bDraw3dFrame = FALSE;
}

CGXGridWnd::~CGXGridWnd() {
  GXAutoCreatedGridWnds().erase(this);
  if (m_hWnd != nullptr) DestroyWindow();
}

void CGXGridWnd::Initialize() {
  if (GetSharedScrollBarParent() == nullptr) {
    const DWORD style = GetSafeHwnd() != nullptr ? GetStyle() : 0;
    SetScrollBarMode(SB_VERT, (style & WS_VSCROLL) ? 10u : 0u, FALSE);
    SetScrollBarMode(SB_HORZ, (style & WS_HSCROLL) ? 10u : 0u, FALSE);
  } else {
    SetScrollBarMode(SB_BOTH, 12u, FALSE);
  }
  InitializeGrid();
}

void CGXGridWnd::InitializeGrid() { CGXGridCore::Initialize(); }

CScrollBar* CGXGridWnd::GetScrollBarCtrl(int bar) const {
  CWnd* shared = const_cast<CGXGridWnd*>(this)->CGXGridCore::GetScrollBarCtrl(bar);
  if (auto* control = dynamic_cast<CScrollBar*>(shared)) return control;
  return CWnd::GetScrollBarCtrl(bar);
}

BOOL CGXGridWnd::PreTranslateMessage(MSG* msg) {
  if (PreTranslateGridMessage(msg)) return TRUE;
  return CWnd::PreTranslateMessage(msg);
}

void CGXGridWnd::ShowScrollBar(int bar, BOOL show) {
  if (GetSafeHwnd() != nullptr) CWnd::ShowScrollBar(static_cast<UINT>(bar), show);
}

LRESULT CGXGridWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ProcessPluginMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case kCanRenameSheet:
      return CanRenameSheet(static_cast<int>(wParam));
    case kSheetRenamed:
      OnSheetRenamed(static_cast<int>(wParam));
      return 0;
    case kCanDeactivate:
      return CanDeactivateGrid(static_cast<BOOL>(wParam)) ? 0 : 1;
    case kMoveCurrentCell:
      SetFocus();
      OnMoveCurrentCellCommand(static_cast<UINT>(wParam), lParam);
      return 0;
    case kDeferSize:
      SetDeferSize(static_cast<BOOL>(wParam));
      return 0;
    default:
      break;
  }
  if (message == GXFindReplaceMessage()) {
    OnFindReplace(wParam, lParam);
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

void CGXGridWnd::PostNcDestroy() {
  auto& autoCreated = GXAutoCreatedGridWnds();
  auto it = autoCreated.find(this);
  if (it == autoCreated.end()) return;
  autoCreated.erase(it);
  delete this;
}

BOOL CGXGridWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (OnGridCommand(wParam, lParam)) return TRUE;
  return CWnd::OnCommand(wParam, lParam);
}

HBRUSH CGXGridWnd::OnCtlColor(CDC* dc, CWnd* wnd, UINT type) { return OnGridCtlColor(dc, wnd, type); }

void CGXGridWnd::OnDestroy() {
  if (!OnGridDestroy()) CWnd::OnDestroy();
}

BOOL CGXGridWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CGXGridWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (!OnGridHScroll(code, pos, bar)) CWnd::OnHScroll(code, pos, bar);
}

void CGXGridWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (!OnGridVScroll(code, pos, bar)) CWnd::OnVScroll(code, pos, bar);
}

void CGXGridWnd::KeyMessage(UINT message, UINT key, UINT repeat, UINT flags) {
  if (!ProcessKeys(this, message, key, repeat, flags)) Default();
}

void CGXGridWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) { KeyMessage(WM_KEYDOWN, key, repeat, flags); }
void CGXGridWnd::OnKeyUp(UINT key, UINT repeat, UINT flags) { KeyMessage(WM_KEYUP, key, repeat, flags); }
void CGXGridWnd::OnChar(UINT key, UINT repeat, UINT flags) { KeyMessage(WM_CHAR, key, repeat, flags); }
void CGXGridWnd::OnSysKeyDown(UINT key, UINT repeat, UINT flags) { KeyMessage(WM_SYSKEYDOWN, key, repeat, flags); }
void CGXGridWnd::OnSysKeyUp(UINT key, UINT repeat, UINT flags) { KeyMessage(WM_SYSKEYUP, key, repeat, flags); }
void CGXGridWnd::OnSysChar(UINT key, UINT repeat, UINT flags) { KeyMessage(WM_SYSCHAR, key, repeat, flags); }

void CGXGridWnd::FocusForButton() {
  const HWND focus = ::GetFocus();
  if (focus != m_hWnd && !::IsChild(m_hWnd, focus)) SetFocus();
}

void CGXGridWnd::OnLButtonDown(UINT flags, CPoint point) {
  FocusForButton();
  if (!OnGridLButtonDown(flags, point)) Default();
}
void CGXGridWnd::OnMButtonDown(UINT flags, CPoint point) {
  FocusForButton();
  if (!OnGridMButtonDown(flags, point)) Default();
}
void CGXGridWnd::OnRButtonDown(UINT flags, CPoint point) {
  FocusForButton();
  if (!OnGridRButtonDown(flags, point)) Default();
}
void CGXGridWnd::OnLButtonUp(UINT flags, CPoint point) {
  if (!OnGridLButtonUp(flags, point)) Default();
}
void CGXGridWnd::OnMButtonUp(UINT flags, CPoint point) {
  if (!OnGridMButtonUp(flags, point)) Default();
}
void CGXGridWnd::OnRButtonUp(UINT flags, CPoint point) {
  if (!OnGridRButtonUp(flags, point)) Default();
}
void CGXGridWnd::OnLButtonDblClk(UINT flags, CPoint point) {
  if (!OnGridLButtonDblClk(flags, point)) Default();
}
void CGXGridWnd::OnMButtonDblClk(UINT flags, CPoint point) {
  if (!OnGridMButtonDblClk(flags, point)) Default();
}
void CGXGridWnd::OnRButtonDblClk(UINT flags, CPoint point) {
  if (!OnGridRButtonDblClk(flags, point)) Default();
}
void CGXGridWnd::OnMouseMove(UINT flags, CPoint point) {
  if (!OnGridMouseMove(flags, point)) Default();
}

void CGXGridWnd::OnPaint() {
  if (!IsInitialized()) {
    // The area is validated first, so that the report comes once and not
    // with every paint the queue would generate for the still-invalid area.
    ValidateRect(nullptr);
    AfxThrowNotSupportedException();
  }
  CPaintDC dc(this);
  PrepareDC(&dc, FALSE);
  OnDraw(&dc);
}

void CGXGridWnd::OnNcPaint() {
  Default();
  if (!m_bDraw3dFrame) return;
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  CRect rect;
  GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  rect.InflateRect(2, 2, 3, 3);
  CClientDC dc(parent);
  dc.DrawEdge(&rect, EDGE_SUNKEN, BF_RECT);
}

BOOL CGXGridWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (OnGridSetCursor(wnd, hitTest, message)) return TRUE;
  return static_cast<BOOL>(Default());
}

void CGXGridWnd::OnSize(UINT type, int cx, int cy) {
  if (!OnGridSize(type, cx, cy)) CWnd::OnSize(type, cx, cy);
}

void CGXGridWnd::OnShowWindow(BOOL show, UINT status) {
  CWnd::OnShowWindow(show, status);
  OnGridShowWindow(show, status);
}

void CGXGridWnd::OnSetFocus(CWnd* oldWnd) {
  CWnd::OnSetFocus(oldWnd);
  OnGridSetFocus(oldWnd);
}

void CGXGridWnd::OnKillFocus(CWnd* newWnd) {
  CWnd::OnKillFocus(newWnd);
  OnGridKillFocus(newWnd);
}

UINT CGXGridWnd::OnGetDlgCode() { return OnGridGetDlgCode(CWnd::OnGetDlgCode()); }

void CGXGridWnd::OnCancelMode() { OnGridCancelMode(); }

int CGXGridWnd::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message) {
  int reply = 0;
  if (OnGridMouseActivate(desktop, hitTest, message, reply)) return reply;
  return CWnd::OnMouseActivate(desktop, hitTest, message);
}

void CGXGridWnd::OnWinIniChange(LPCTSTR section) {
  OnGridWinIniChange(section);
  CWnd::OnWinIniChange(section);
}

void CGXGridWnd::OnSettingChange(UINT flags, LPCTSTR section) {
  OnGridWinIniChange(section);
  CWnd::OnSettingChange(flags, section);
}

void CGXGridWnd::OnSysColorChange() {
  OnGridSysColorChange();
  CWnd::OnSysColorChange();
}

void CGXGridWnd::OnTimer(UINT_PTR id) {
  OnGridTimer(id);
  CWnd::OnTimer(id);
}

// ------------------------------------------------------------ window class

std::set<CGXGridWnd*>& GXAutoCreatedGridWnds() {
  static std::set<CGXGridWnd*> windows;
  return windows;
}

UINT GXFindReplaceMessage() {
  static const UINT message = ::RegisterWindowMessage("commdlg_FindReplace");
  return message;
}

LRESULT GXGridWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* grid = new CGXGridWnd;
  if (!grid->Attach(hwnd)) {
    delete grid;
    return ::DefWindowProc(hwnd, message, wParam, lParam);
  }
  GXAutoCreatedGridWnds().insert(grid);
  ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  return AfxWndProc(hwnd, message, wParam, lParam);
}

LPCTSTR GXRegisterGridWndClass(HINSTANCE instance) {
  WNDCLASS existing{};
  if (::GetClassInfo(instance, kClassName, &existing)) return kClassName;
  WNDCLASS wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = &GXGridWndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  if (!::RegisterClass(&wc)) AfxThrowResourceException();
  return kClassName;
}

void GXUnregisterGridWndClass(HINSTANCE instance) { ::UnregisterClass(kClassName, instance); }

void GXDDXGridWnd(CDataExchange* dx, CGXGridWnd* grid) {
  if (dx == nullptr || grid == nullptr || !dx->m_bSaveAndValidate) return;
  dx->PrepareCtrl(grid->GetDlgCtrlID());
  if (!grid->CanDeactivateGrid(FALSE)) dx->Fail();
  grid->TransferCurrentCell(TRUE, 2, TRUE);
}
