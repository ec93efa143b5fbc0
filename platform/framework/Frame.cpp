// CFrameWnd: creation, views, command routing, menus, prompts and icons.
// The layout of bars and view is in FrameLayout.cpp.
#include "platform/framework/Frame.h"

#include <algorithm>

#include "platform/framework/CWinApp.h"
#include "platform/commctrl/ToolTipDefs.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "platform/shell/Help.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const RECT CFrameWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
  ON_MESSAGE(WM_EXITMENULOOP, OnExitMenuLoop)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETICON, OnSetIconMessage)
  ON_MESSAGE(WM_GETICON, OnGetIconMessage)
  ON_NOTIFY_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnToolTipText)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
  ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CFrameWnd::~CFrameWnd() = default;

LPCTSTR AfxFrameOrViewClass() {
  static const char kName[] = "AfxFrameOrView";
  WNDCLASS wc;
  if (!GetClassInfo(nullptr, kName, &wc)) {
    wc = WNDCLASS{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::intptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = kName;
    RegisterClass(&wc);
  }
  return kName;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass || !*cs.lpszClass) cs.lpszClass = AfxFrameOrViewClass();
  return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCTSTR menuName, DWORD exStyle, CCreateContext* context) {
  m_strTitle = windowName ? windowName : "";
  HMENU menu = menuName ? ::LoadMenu(nullptr, menuName) : nullptr;
  bool byDefault = rect.left == CW_USEDEFAULT;
  creating_ = context;
  BOOL ok = CreateEx(exStyle, className, m_strTitle, style, rect.left, rect.top,
                     byDefault ? CW_USEDEFAULT : rect.right - rect.left, byDefault ? 0 : rect.bottom - rect.top,
                     parent ? parent->GetSafeHwnd() : nullptr, menu, context);
  // A failed creation has deleted the frame (PostNcDestroy): touch nothing.
  if (!ok) {
    if (menu) ::DestroyMenu(menu);
    return FALSE;
  }
  creating_ = nullptr;
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resId, DWORD style, CWnd* parent, CCreateContext* context) {
  CString strings;
  CString title = AfxGetAppName();
  if (strings.LoadString(resId)) {
    int nl = strings.Find('\n');
    title = nl < 0 ? strings : strings.Left(nl);
  }
  m_nIDHelp = resId;
  HACCEL accel = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(resId));
  // The menu of resId when there is one; a frame without one has no bar.
  HMENU probe = ::LoadMenu(nullptr, MAKEINTRESOURCE(resId));
  if (probe) ::DestroyMenu(probe);
  if (!Create(nullptr, title, style, rectDefault, parent, probe ? MAKEINTRESOURCE(resId) : nullptr, 0, context))
    return FALSE;
  m_hAccelTable = accel;
  if (GetStyle() & FWS_ADDTOTITLE) OnUpdateFrameTitle(TRUE);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  CCreateContext* context = creating_ ? creating_ : static_cast<CCreateContext*>(cs ? cs->lpCreateParams : nullptr);
  return OnCreateClient(cs, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (context && context->m_pNewViewClass) return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  if (!context || !context->m_pNewViewClass) return nullptr;
  CObject* object = context->m_pNewViewClass->CreateObject();
  auto* view = dynamic_cast<CWnd*>(object);
  if (!view) {
    delete object;
    return nullptr;
  }
  RECT none{0, 0, 0, 0};
  // The view's window deletes the object when it goes (PostNcDestroy).
  if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, none, this, id, context)) return nullptr;
  return view;
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* old = m_pViewActive;
  if (old == view) return;
  m_pViewActive = view;
  if (!notify) return;
  if (old) old->OnActivateView(FALSE, view, old);
  if (view) view->OnActivateView(TRUE, view, old);
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
  if (!m_pViewActive) {
    CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
    CWnd* permanent = pane ? CWnd::FromHandlePermanent(pane->GetSafeHwnd()) : nullptr;
    if (permanent && permanent->IsKindOf(RUNTIME_CLASS(CView))) SetActiveView(static_cast<CView*>(permanent), FALSE);
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  OnUpdateFrameTitle(doc != nullptr);
  RecalcLayout();
  if (!makeVisible) return;
  // The main window is shown with the application's show command once;
  // a program that set it to SW_HIDE shows the window itself later.
  int show = SW_SHOW;
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    if (app->m_nCmdShow != -1) show = app->m_nCmdShow;
    app->m_nCmdShow = -1;
  }
  ShowWindow(show);
  if (show != SW_HIDE) UpdateWindow();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* doc = GetActiveDocument();
  if (!addToTitle || !doc || doc->GetTitle().IsEmpty()) {
    SetWindowText(m_strTitle);
    return;
  }
  if (GetStyle() & FWS_PREFIXTITLE) SetWindowText(doc->GetTitle() + " - " + m_strTitle);
  else SetWindowText(m_strTitle + " - " + doc->GetTitle());
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) {
  // The active view (and through it its document) first, then the frame,
  // then the application.
  if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
  if (msg && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable &&
      ::TranslateAccelerator(m_hWnd, m_hAccelTable, msg))
    return TRUE;
  return CWnd::PreTranslateMessage(msg);
}

void CFrameWnd::OnClose() {
  // A derived frame that refuses to close overrides this and returns.
  DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* oldWnd) {
  if (m_pViewActive && m_pViewActive->GetSafeHwnd()) m_pViewActive->SetFocus();
  else CWnd::OnSetFocus(oldWnd);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) {
  CWnd::OnInitMenuPopup(popup, index, sysMenu);
  if (!sysMenu && popup) AfxUpdateMenuPopup(this, popup, m_bAutoMenuEnable);
}

void CFrameWnd::PostNcDestroy() { delete this; }

// ---- Prompts ----

void CFrameWnd::GetMessageString(UINT nID, CString& message) const {
  CString text;
  message.Empty();
  if (!text.LoadString(nID)) return;
  int nl = text.Find('\n');
  message = nl < 0 ? text : text.Left(nl);
}

CWnd* CFrameWnd::GetMessageBar() { return GetDlgItem(AFX_IDW_STATUS_BAR); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT last = m_nIDLastMessage;
  m_nIDLastMessage = static_cast<UINT>(wParam);
  CWnd* bar = GetMessageBar();
  if (!bar) return last;
  CString text;
  if (lParam) {
    text = reinterpret_cast<LPCTSTR>(lParam);
  } else if (wParam == AFX_IDS_IDLEMESSAGE) {
    if (!text.LoadString(AFX_IDS_IDLEMESSAGE)) text = "Ready";
  } else if (wParam) {
    GetMessageString(static_cast<UINT>(wParam), text);
  }
  bar->SetWindowText(text);
  bar->UpdateWindow();
  return last;
}

void CFrameWnd::SetMessageText(LPCTSTR text) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text)); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID, 0); }

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam) {
  UINT item = LOWORD(wParam), flags = HIWORD(wParam);
  if (flags == 0xFFFF && lParam == 0) m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
  else if (flags & (MF_POPUP | MF_SEPARATOR)) m_nIDTracking = 0;
  else m_nIDTracking = item;
  if (m_nIDTracking != m_nIDLastMessage) SetMessageText(m_nIDTracking);
  return 0;
}

LRESULT CFrameWnd::OnExitMenuLoop(WPARAM, LPARAM) {
  m_nIDTracking = AFX_IDS_IDLEMESSAGE;
  SetMessageText(AFX_IDS_IDLEMESSAGE);
  return 0;
}

void CFrameWnd::OnToolTipText(UINT, NMHDR* nm, LRESULT* result) {
  auto* info = reinterpret_cast<NMTTDISPINFO*>(nm);
  UINT_PTR id = nm->idFrom;
  if (info->uFlags & TTF_IDISHWND) id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
  CString text, tip;
  if (id && text.LoadString(static_cast<UINT>(id))) {
    int nl = text.Find('\n');
    if (nl >= 0) tip = text.Mid(nl + 1);
  }
  const int n = std::min(tip.GetLength(), static_cast<int>(sizeof info->szText) - 1);
  std::copy_n(static_cast<LPCTSTR>(tip), n, info->szText);
  info->szText[n] = '\0';
  info->lpszText = info->szText;
  *result = 0;
}

void CFrameWnd::OnHelp() {
  const UINT id = m_nIDTracking != AFX_IDS_IDLEMESSAGE ? m_nIDTracking : 0;
  const LPARAM context = id ? static_cast<LPARAM>(HID_BASE_COMMAND + id) : 0;
  if (SendMessage(WM_COMMANDHELP, 0, context)) return;
  if (CWinApp* app = AfxGetApp()) app->WinHelp(static_cast<DWORD_PTR>(context), context ? HELP_CONTEXT : HELP_FINDER);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIDTracking != m_nIDLastMessage && GetMessageBar()) SetMessageText(m_nIDTracking);
  return 0;
}

// ---- Icons ----

HICON CFrameWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? 1 : 0, reinterpret_cast<LPARAM>(icon)));
}

HICON CFrameWnd::GetIcon(BOOL big) const { return reinterpret_cast<HICON>(SendMessage(WM_GETICON, big ? 1 : 0, 0)); }

LRESULT CFrameWnd::OnSetIconMessage(WPARAM wParam, LPARAM lParam) {
  HICON& slot = wParam ? m_hIconBig : m_hIconSmall;
  HICON old = slot;
  slot = reinterpret_cast<HICON>(lParam);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT CFrameWnd::OnGetIconMessage(WPARAM wParam, LPARAM) {
  return reinterpret_cast<LRESULT>(wParam ? m_hIconBig : m_hIconSmall);
}

// ---- Bars on the View menu ----

CControlBar* CFrameWnd::GetControlBar(UINT id) {
  CWnd* child = GetDlgItem(static_cast<int>(id));
  CWnd* permanent = child ? CWnd::FromHandlePermanent(child->GetSafeHwnd()) : nullptr;
  return permanent && permanent->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(permanent) : nullptr;
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* bar = GetControlBar(nID);
  if (!bar) return FALSE;
  ShowControlBar(bar, !(bar->GetStyle() & WS_VISIBLE), FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI) {
  CControlBar* bar = GetControlBar(cmdUI->m_nID);
  if (!bar) {
    cmdUI->ContinueRouting();
    return;
  }
  cmdUI->Enable(TRUE);
  cmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) ? 1 : 0);
}
