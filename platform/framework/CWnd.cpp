#include "platform/framework/CWnd.h"

#include <algorithm>
#include <vector>

#include "platform/framework/CWinApp.h"
#include "platform/window/CtlDefs.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/base/MessageBoxDefs.h"
#include "platform/host/Host.h"
#include "platform/window/WindowImpl.h"

CMenu* (*AfxMenuFromHandle)(HMENU) = [](HMENU) -> CMenu* { return nullptr; };
CScrollBar* (*AfxScrollBarFromHandle)(HWND) = [](HWND) -> CScrollBar* { return nullptr; };

// ---- CCmdTarget ------------------------------------------------------------

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, nullptr, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {
bool isRouted(UINT m) {
  return m == WM_COMMAND || m == WM_NOTIFY || m == WM_REFLECT_BASE + WM_COMMAND || m == WM_REFLECT_BASE + WM_NOTIFY;
}
}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
  UINT code = static_cast<UINT>(nCode);
  UINT msg = WM_COMMAND;
  bool byWord = false;
  UINT high = HIWORD(code);
  if (nCode != CN_UPDATE_COMMAND_UI &&
      (high == WM_NOTIFY || high == WM_REFLECT_BASE + WM_COMMAND || high == WM_REFLECT_BASE + WM_NOTIFY)) {
    msg = high;
    code = LOWORD(code);
    byWord = true;
  }
  bool reflected = msg >= WM_REFLECT_BASE;
  AFX_MSGCALL call{msg, 0, 0, nID, pExtra, nullptr};
  LRESULT dummy = 0;
  if (msg == WM_NOTIFY || msg == WM_REFLECT_BASE + WM_NOTIFY) {
    auto* n = static_cast<AFX_NOTIFY*>(pExtra);
    call.pExtra = n ? n->pNMHDR : nullptr;
    call.pResult = n && n->pResult ? n->pResult : &dummy;
  } else {
    call.pResult = &dummy;
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e) {
      if (e->nMessage != msg) continue;
      if (byWord ? LOWORD(e->nCode) != code : e->nCode != code) continue;
      if (!reflected && (nID < e->nID || nID > e->nLastID)) continue;
      if (pHandlerInfo && nCode == CN_COMMAND) {
        static_cast<AFX_CMDHANDLERINFO*>(pHandlerInfo)->pTarget = this;
        return TRUE;
      }
      if (e->pfn(this, call)) return TRUE;
    }
  }
  return FALSE;
}

BOOL CCmdTarget::DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT dummy = 0;
  AFX_MSGCALL call{message, wParam, lParam, 0, nullptr, pResult ? pResult : &dummy};
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e) {
      UINT m = e->pnMessage ? *e->pnMessage : e->nMessage;
      if (m != message || (!e->pnMessage && isRouted(m))) continue;
      if (e->pfn(this, call)) return TRUE;
    }
  }
  return FALSE;
}

// ---- Handle map and the window procedure -----------------------------------

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

std::vector<MSG>& msgStack() {
  static std::vector<MSG> s;
  return s;
}

struct MsgScope {
  MsgScope(HWND h, UINT m, WPARAM w, LPARAM l) {
    MSG msg;
    msg.hwnd = h;
    msg.message = m;
    msg.wParam = w;
    msg.lParam = l;
    msgStack().push_back(msg);
  }
  ~MsgScope() { msgStack().pop_back(); }
  MsgScope(const MsgScope&) = delete;
  MsgScope& operator=(const MsgScope&) = delete;
};

const char kDefaultClass[] = "AfxWnd";

void registerDefaultClass() {
  WNDCLASS wc;
  if (GetClassInfo(nullptr, kDefaultClass, &wc)) return;
  wc = WNDCLASS{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kDefaultClass;
  RegisterClass(&wc);
}

}  // namespace

LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (!wnd) return DefWindowProc(hwnd, message, wParam, lParam);
  MsgScope scope(hwnd, message, wParam, lParam);
  return wnd->WindowProc(message, wParam, lParam);
}

namespace {
// Deletes the temporary C++ object CWnd::FromHandle made for a window.
void dropTemp(HWND hwnd) {
  CWnd* t = hwnd->temp;
  if (!t) return;
  hwnd->temp = nullptr;
  t->m_hWnd = nullptr;
  delete t;
}
}  // namespace

namespace wnd {

void AttachCreating(HWND hwnd) {
  State& s = S();
  CWnd* obj = s.creating;
  if (!obj) return;
  s.creating = nullptr;
  obj->Attach(hwnd);
  if (hwnd->proc != AfxWndProc) obj->m_pfnSuper = hwnd->proc;
  hwnd->proc = AfxWndProc;
  obj->PreSubclassWindow();
}

void ForgetObjects(HWND hwnd) {
  dropTemp(hwnd);
  if (hwnd->object) {  // a handler kept the base OnNcDestroy from running
    hwnd->object->m_hWnd = nullptr;
    hwnd->object = nullptr;
  }
}

}  // namespace wnd

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd && wnd::Get(m_hWnd) && m_hWnd->object == this) ::DestroyWindow(m_hWnd);
  if (m_hWnd && wnd::Get(m_hWnd) && m_hWnd->object == this) m_hWnd->object = nullptr;
  m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  WindowImpl* w = wnd::Get(hwnd);
  if (!w) return nullptr;
  if (w->object) return w->object;
  if (!w->temp) {
    w->temp = new CWnd;
    w->temp->m_hWnd = w;
  }
  return w->temp;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  WindowImpl* w = wnd::Get(hwnd);
  return w ? w->object : nullptr;
}

void CWnd::DeleteTempMap() {
  for (HWND h : wnd::S().live) dropTemp(h);
}

BOOL CWnd::Attach(HWND hwnd) {
  WindowImpl* w = wnd::Get(hwnd);
  if (!w || w->object || m_hWnd) return FALSE;
  w->object = this;
  m_hWnd = w;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (WindowImpl* w = wnd::Get(h))
    if (w->object == this) w->object = nullptr;
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  PreSubclassWindow();
  auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!parent) return FALSE;
  HWND h = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd) return nullptr;
  if (m_pfnSuper) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::PreSubclassWindow() {}

// ---- Creation --------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass || !*cs.lpszClass) {
    registerDefaultClass();
    cs.lpszClass = kDefaultClass;
  }
  return TRUE;
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  void* context) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID param) {
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param) {
  if (m_hWnd) return FALSE;
  CREATESTRUCT cs{param, AfxGetInstanceHandle(), idOrMenu, parent, height, width, y, x, static_cast<LONG>(style),
                  windowName, className, exStyle};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  wnd::S().creating = this;
  HWND h = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                            cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  wnd::S().creating = nullptr;
  return h != nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// ---- Simple wrappers -------------------------------------------------------

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }
int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const { return ::GetWindowText(m_hWnd, buffer, maxCount); }
void CWnd::GetWindowText(CString& text) const { text = wnd::WindowText(m_hWnd).c_str(); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}
CFont* CWnd::GetFont() const {
  auto f = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  return f ? CFont::FromHandle(f) : nullptr;
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }

namespace {
// GWL_STYLE or GWL_EXSTYLE less `remove` plus `add`; FALSE when nothing changes.
BOOL modifyStyleLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLong(hwnd, index));
  DWORD ns = (style & ~remove) | add;
  if (ns == style) return FALSE;
  ::SetWindowLong(hwnd, index, static_cast<LONG>(ns));
  if (swpFlags)
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags) {
  return modifyStyleLong(hwnd, GWL_STYLE, remove, add, swpFlags);
}
BOOL CWnd::ModifyStyleEx(HWND hwnd, DWORD remove, DWORD add, UINT swpFlags) {
  return modifyStyleLong(hwnd, GWL_EXSTYLE, remove, add, swpFlags);
}
BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) { return ModifyStyle(m_hWnd, remove, add, swpFlags); }
BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyStyleEx(m_hWnd, remove, add, swpFlags);
}

BOOL CWnd::ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsChild(const CWnd* w) const { return w && ::IsChild(m_hWnd, w->m_hWnd); }

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(LPCRECT r, BOOL repaint) {
  if (r) ::MoveWindow(m_hWnd, r->left, r->top, r->right - r->left, r->bottom - r->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}
void CWnd::GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
void CWnd::GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
void CWnd::ClientToScreen(LPPOINT pt) const { ::ClientToScreen(m_hWnd, pt); }
void CWnd::ClientToScreen(LPRECT r) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(r), 2); }
void CWnd::ScreenToClient(LPPOINT pt) const { ::ScreenToClient(m_hWnd, pt); }
void CWnd::ScreenToClient(LPRECT r) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(r), 2); }
void CWnd::MapWindowPoints(CWnd* to, LPPOINT pts, UINT count) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, pts, count);
}
void CWnd::MapWindowPoints(CWnd* to, LPRECT r) const {
  ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(r), 2);
}
CWnd* CWnd::ChildWindowFromPoint(POINT pt) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, pt)); }
CWnd* CWnd::ChildWindowFromPoint(POINT pt, UINT flags) const {
  return FromHandle(::ChildWindowFromPointEx(m_hWnd, pt, flags));
}
CWnd* CWnd::WindowFromPoint(POINT pt) { return FromHandle(::WindowFromPoint(pt)); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

void CWnd::CenterWindow(CWnd* alternateOwner) {
  RECT me, area;
  ::GetWindowRect(m_hWnd, &me);
  HWND center = alternateOwner ? alternateOwner->m_hWnd : ::GetParent(m_hWnd);
  if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
    if (GetStyle() & WS_CHILD) {
      ::GetClientRect(center, &area);
      ::MapWindowPoints(center, nullptr, reinterpret_cast<LPPOINT>(&area), 2);
    } else {
      ::GetWindowRect(center, &area);
    }
  } else {
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
  }
  int w = me.right - me.left, h = me.bottom - me.top;
  int x = (area.left + area.right) / 2 - w / 2, y = (area.top + area.bottom) / 2 - h / 2;
  // Keep a top-level window on the screen.
  if (!(GetStyle() & WS_CHILD)) {
    RECT work;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    x = std::max<int>(work.left, std::min<int>(x, work.right - w));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
  } else {
    POINT p{x, y};
    ::ScreenToClient(::GetParent(m_hWnd), &p);
    x = p.x;
    y = p.y;
  }
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetParent(CWnd* p) { return FromHandle(::SetParent(m_hWnd, p ? p->m_hWnd : nullptr)); }
CWnd* CWnd::GetOwner() const {
  WindowImpl* w = wnd::Get(m_hWnd);
  if (!w) return nullptr;
  return FromHandle(wnd::IsTop(w) ? w->owner : w->parent);
}
void CWnd::SetOwner(CWnd* owner) { ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner ? owner->m_hWnd : nullptr)); }
CWnd* CWnd::GetTopLevelParent() const {
  HWND r = wnd::Root(m_hWnd);
  while (r && r->owner && (r->style & WS_POPUP)) r = r->owner;
  return FromHandle(r);
}
CWnd* CWnd::GetParentOwner() const { return FromHandle(wnd::Root(m_hWnd)); }
CWnd* CWnd::GetWindow(UINT cmd) const { return FromHandle(::GetWindow(m_hWnd, cmd)); }
CWnd* CWnd::GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }


CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::GetDlgItem(int id, HWND* out) const {
  if (out) *out = ::GetDlgItem(m_hWnd, id);
}
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWLP_ID, id)); }
CWnd* CWnd::GetDesktopWindow() { return nullptr; }
CWnd* CWnd::GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapseMs, proc); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT r, BOOL erase) { ::InvalidateRect(m_hWnd, r, erase); }
void CWnd::InvalidateRgn(CRgn* rgn, BOOL erase) {
  ::InvalidateRgn(m_hWnd, rgn ? rgn->m_hObject : nullptr, erase);
}
void CWnd::ValidateRect(LPCRECT r) { ::ValidateRect(m_hWnd, r); }
void CWnd::ValidateRgn(CRgn* rgn) {
  ::ValidateRgn(m_hWnd, rgn ? rgn->m_hObject : nullptr);
}
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(LPCRECT r, CRgn* rgn, UINT flags) {
  return ::RedrawWindow(m_hWnd, r, rgn ? rgn->m_hObject : nullptr,
                        flags);
}
BOOL CWnd::GetUpdateRect(LPRECT r, BOOL erase) { return ::GetUpdateRect(m_hWnd, r, erase); }
void CWnd::ScrollWindow(int dx, int dy, LPCRECT scroll, LPCRECT clip) { ::ScrollWindow(m_hWnd, dx, dy, scroll, clip); }
int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT scroll, LPCRECT clip, CRgn* update, LPRECT updateRect, UINT flags) {
  return ::ScrollWindowEx(m_hWnd, dx, dy, scroll, clip,
                          update ? update->m_hObject : nullptr,
                          updateRect, flags);
}
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }

void CWnd::CreateSolidCaret(int width, int height) { ::CreateCaret(m_hWnd, nullptr, width, height); }
void CWnd::ShowCaret() { ::ShowCaret(m_hWnd); }
void CWnd::HideCaret() { ::HideCaret(m_hWnd); }
void CWnd::SetCaretPos(POINT pt) { ::SetCaretPos(pt.x, pt.y); }
CPoint CWnd::GetCaretPos() {
  POINT p{0, 0};
  ::GetCaretPos(&p);
  return CPoint(p);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL deep,
                                    BOOL permanentOnly) {
  for (HWND c = ::GetTopWindow(hwnd); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    if (!permanentOnly) {
      ::SendMessage(c, message, wParam, lParam);
    } else if (CWnd* p = FromHandlePermanent(c)) {
      p->SendMessage(message, wParam, lParam);
    }
    if (deep && ::IsWindow(c) && ::GetTopWindow(c)) SendMessageToDescendants(c, message, wParam, lParam, deep, permanentOnly);
  }
}
void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL permanentOnly) {
  SendMessageToDescendants(m_hWnd, message, wParam, lParam, deep, permanentOnly);
}

// ---- Modal loop ------------------------------------------------------------

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int result) {
  m_nModalResult = result;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostMessage(WM_NULL);
  }
}

BOOL AfxPumpMessage() {
  if (CWinThread* t = AfxGetThread()) return t->PumpMessage();
  MSG msg;
  if (!GetMessage(&msg, nullptr, 0, 0)) return FALSE;
  if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return TRUE;
}

// Runs messages until EndModalLoop. When the queue runs dry the loop sends
// WM_ENTERIDLE to its owner and WM_KICKIDLE to itself; with a host that has
// no user (headless) an idle modal loop hands over to the host, whose
// responder (in tests, the automation) acts inside the loop and then ends it.
int CWnd::RunModalLoop(DWORD flags) {
  m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
  platform::Host& host = platform::GetHost();
  LONG idleCount = 0;
  bool kick = !(flags & MLF_NOKICKIDLE);
  bool handedOver = false;
  HWND self = m_hWnd;
  while (ContinueModal()) {
    MSG msg;
    if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_QUIT) {
        // Leave the quit for the outer loop.
        m_nFlags &= ~WF_CONTINUEMODAL;
        break;
      }
      if (!AfxPumpMessage()) break;
      if (msg.message != WM_MOUSEMOVE && msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != 0x0118)
        idleCount = 0, kick = !(flags & MLF_NOKICKIDLE);
      continue;
    }
    if (!::IsWindow(self)) {  // the window went away without ending the loop
      m_nFlags &= ~WF_CONTINUEMODAL;
      break;
    }
    if ((flags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE)) ShowWindow(SW_SHOWNORMAL);
    if (!(flags & MLF_NOIDLEMSG)) {
      if (CWnd* owner = GetOwner()) owner->SendMessage(WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(m_hWnd));
    }
    if (kick && !SendMessage(WM_KICKIDLE, 0, idleCount++)) kick = false;
    if (!ContinueModal()) break;
    if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) continue;
    if (host.Interactive()) {
      WaitMessage();
      continue;
    }
    if (!handedOver) {
      handedOver = true;
      platform::ModalLoop loop;
      loop.window = self;
      loop.running = [this, self] { return ::IsWindow(self) && ContinueModal(); };
      loop.end = [this, self](int code) {
        if (::IsWindow(self)) EndModalLoop(code);
      };
      host.AnswerModalLoop(loop);
      continue;
    }
    // Nothing more can happen: whoever answers for the user did not end the loop.
    EndModalLoop(IDCANCEL);
  }
  m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  return m_nModalResult;
}

// ---- Dispatch --------------------------------------------------------------

const MSG* CWnd::GetCurrentMessage() {
  static MSG none{};
  return msgStack().empty() ? &none : &msgStack().back();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG* m = GetCurrentMessage();
  return DefWindowProc(m->message, m->wParam, m->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hwndStop, MSG* msg) {
  for (HWND h = msg ? msg->hwnd : nullptr; h; h = ::GetParent(h)) {
    if (CWnd* p = FromHandlePermanent(h))
      if (p->PreTranslateMessage(msg)) return TRUE;
    if (h == hwndStop) break;
  }
  return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  auto ctl = reinterpret_cast<HWND>(lParam);
  int code = HIWORD(wParam);
  if (ctl) {
    if (ReflectLastMsg(ctl)) return TRUE;  // the control handled its own notification
  } else {
    code = CN_COMMAND;  // menus and accelerators
  }
  return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  auto* nm = reinterpret_cast<NMHDR*>(lParam);
  if (!nm) return FALSE;
  if (nm->hwndFrom && ReflectLastMsg(nm->hwndFrom, pResult)) return TRUE;
  AFX_NOTIFY n{pResult, nm};
  return OnCmdMsg(static_cast<UINT>(nm->idFrom), static_cast<int>(MAKELONG(static_cast<WORD>(nm->code), WM_NOTIFY)), &n,
                  nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND:
      return OnCmdMsg(0, static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr);
    case WM_NOTIFY: {
      auto* nm = reinterpret_cast<NMHDR*>(lParam);
      if (!nm) return FALSE;
      AFX_NOTIFY n{pResult, nm};
      return OnCmdMsg(0, static_cast<int>(MAKELONG(static_cast<WORD>(nm->code), WM_REFLECT_BASE + WM_NOTIFY)), &n,
                      nullptr);
    }
    default: {
      LRESULT r = 0;
      BOOL done = DispatchMapMessage(WM_REFLECT_BASE + message, wParam, lParam, &r);
      if (done && pResult) *pResult = r;
      return done;
    }
  }
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* pResult) {
  CWnd* p = FromHandlePermanent(child);
  return p ? p->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG* m = GetCurrentMessage();
  return OnChildNotify(m->message, m->wParam, m->lParam, pResult);
}

namespace {
CPoint pointOf(LPARAM l) { return CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)); }
CWnd* wndOf(std::uintptr_t h) { return CWnd::FromHandle(reinterpret_cast<HWND>(h)); }
}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT r = 0;
  if (DispatchMapMessage(message, wParam, lParam, &r)) {
    if (pResult) *pResult = r;
    return TRUE;
  }
  UINT lo = LOWORD(static_cast<std::uintptr_t>(lParam)), hi = HIWORD(static_cast<std::uintptr_t>(lParam));
  auto l = static_cast<std::uintptr_t>(lParam);
  switch (message) {
    case WM_COMMAND:
      if (!OnCommand(wParam, lParam)) return FALSE;
      r = 1;
      break;
    case WM_NOTIFY:
      if (!OnNotify(wParam, lParam, &r)) return FALSE;
      break;
    case WM_CREATE: r = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case WM_NCCREATE: r = OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_NCDESTROY: OnNcDestroy(); break;
    case WM_CLOSE: OnClose(); break;
    case WM_PAINT: OnPaint(); break;
    case WM_NCPAINT: OnNcPaint(); break;
    case WM_ERASEBKGND: r = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); break;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), static_cast<int>(lo), static_cast<int>(hi)); break;
    case WM_MOVE: OnMove(static_cast<short>(lo), static_cast<short>(hi)); break;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); break;
    case WM_ENABLE: OnEnable(static_cast<BOOL>(wParam)); break;
    case WM_SETFOCUS: OnSetFocus(wndOf(wParam)); break;
    case WM_KILLFOCUS: OnKillFocus(wndOf(wParam)); break;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam), wndOf(l), HIWORD(wParam)); break;
    case WM_NCACTIVATE: r = OnNcActivate(static_cast<BOOL>(wParam)); break;
    case WM_MOUSEACTIVATE: r = OnMouseActivate(wndOf(wParam), lo, hi); break;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), lo, hi); break;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), lo, hi); break;
    case WM_SYSKEYDOWN: OnSysKeyDown(static_cast<UINT>(wParam), lo, hi); break;
    case WM_SYSKEYUP: OnSysKeyUp(static_cast<UINT>(wParam), lo, hi); break;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), lo, hi); break;
    case WM_SYSCHAR: OnSysChar(static_cast<UINT>(wParam), lo, hi); break;
    case WM_DEADCHAR: OnDeadChar(static_cast<UINT>(wParam), lo, hi); break;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_MBUTTONDOWN: OnMButtonDown(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_MBUTTONUP: OnMButtonUp(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_MBUTTONDBLCLK: OnMButtonDblClk(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_MOUSEWHEEL:
      r = OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), pointOf(lParam));
      break;
    case WM_NCHITTEST: r = OnNcHitTest(pointOf(lParam)); break;
    case WM_NCCALCSIZE: OnNcCalcSize(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)); break;
    case WM_NCMOUSEMOVE: OnNcMouseMove(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_NCLBUTTONDOWN: OnNcLButtonDown(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_NCLBUTTONUP: OnNcLButtonUp(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_NCRBUTTONDOWN: OnNcRButtonDown(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_NCRBUTTONUP: OnNcRButtonUp(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_NCMBUTTONDOWN: OnNcMButtonDown(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case WM_TIMER: OnTimer(wParam); break;
    case WM_HSCROLL:
      OnHScroll(LOWORD(wParam), HIWORD(wParam), lParam ? AfxScrollBarFromHandle(reinterpret_cast<HWND>(lParam)) : nullptr);
      break;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wParam), HIWORD(wParam), lParam ? AfxScrollBarFromHandle(reinterpret_cast<HWND>(lParam)) : nullptr);
      break;
    case WM_SETCURSOR: r = OnSetCursor(wndOf(wParam), lo, hi); break;
    case WM_GETDLGCODE: r = static_cast<LRESULT>(OnGetDlgCode()); break;
    case WM_CANCELMODE: OnCancelMode(); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(wndOf(l)); break;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); break;
    case WM_SETTINGCHANGE: OnSettingChange(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam)); break;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_CONTEXTMENU: OnContextMenu(wndOf(wParam), pointOf(lParam)); break;
    case WM_SYSCOMMAND: OnSysCommand(static_cast<UINT>(wParam), lParam); break;
    case WM_DRAWITEM:
      OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case WM_MEASUREITEM:
      OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case WM_COMPAREITEM:
      r = OnCompareItem(static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      break;
    case WM_DELETEITEM:
      OnDeleteItem(static_cast<int>(wParam), reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      r = TRUE;
      break;
    case WM_PARENTNOTIFY: OnParentNotify(LOWORD(wParam), lParam); break;
    case WM_INITMENU: OnInitMenu(AfxMenuFromHandle(reinterpret_cast<HMENU>(wParam))); break;
    case WM_INITMENUPOPUP:
      OnInitMenuPopup(AfxMenuFromHandle(reinterpret_cast<HMENU>(wParam)), lo, static_cast<BOOL>(hi));
      break;
    case WM_COPYDATA: r = OnCopyData(wndOf(wParam), reinterpret_cast<COPYDATASTRUCT*>(lParam)); break;
    case WM_STYLECHANGED: OnStyleChanged(static_cast<int>(wParam), reinterpret_cast<LPSTYLESTRUCT>(lParam)); break;
    case WM_STYLECHANGING: OnStyleChanging(static_cast<int>(wParam), reinterpret_cast<LPSTYLESTRUCT>(lParam)); break;
    default:
      if (!wnd::IsCtlColorMessage(message)) return FALSE;
      r = reinterpret_cast<LRESULT>(
          OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), wndOf(l), message - WM_CTLCOLORMSGBOX));
      break;
  }
  if (pResult) *pResult = r;
  return TRUE;
}

// ---- Default handlers ------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() {
  Default();
  if (CWinThread* t = AfxGetThread()) {
    if (t->m_pMainWnd == this) {
      // The main window is gone: the program ends.
      PostQuitMessage(0);
      t->m_pMainWnd = nullptr;
    }
    if (t->m_pActiveWnd == this) t->m_pActiveWnd = nullptr;
  }
  m_pfnSuper = nullptr;
  Detach();
  PostNcDestroy();
}
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
  const MSG* m = GetCurrentMessage();
  if (m->lParam && ReflectLastMsg(reinterpret_cast<HWND>(m->lParam))) return;
  Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
  const MSG* m = GetCurrentMessage();
  if (m->lParam && ReflectLastMsg(reinterpret_cast<HWND>(m->lParam))) return;
  Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT) {
  LRESULT r = 0;
  if (wnd && ReflectLastMsg(wnd->m_hWnd, &r)) return reinterpret_cast<HBRUSH>(r);
  return reinterpret_cast<HBRUSH>(Default());
}
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR section) { OnWinIniChange(section); }
void CWnd::OnWinIniChange(LPCTSTR) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
  if (dis && ReflectLastMsg(dis->hwndItem)) return;
  Default();
}
void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT) {
  if (HWND item = ::GetDlgItem(m_hWnd, id); item && ReflectLastMsg(item)) return;
  Default();
}
int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT cis) {
  LRESULT r = 0;
  if (cis && ReflectLastMsg(cis->hwndItem, &r)) return static_cast<int>(r);
  return static_cast<int>(Default());
}
void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT dis) {
  if (dis && ReflectLastMsg(dis->hwndItem)) return;
  Default();
}
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
