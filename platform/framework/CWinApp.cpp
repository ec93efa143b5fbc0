#include "platform/framework/CWinApp.h"

#include "platform/base/Kernel.h"
#include "platform/gfx/GdiObject.h"

#include "platform/framework/CWnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* theApp = nullptr;
}

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL CWinThread::PumpMessage() {
  if (!GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
    TranslateMessage(&m_msgCur);
    DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
  HWND stop = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  if (CWnd::WalkPreTranslateTree(stop, msg)) return TRUE;
  // A message for a window outside the main window's tree (a modeless
  // pop-up) still gives the main window its say.
  if (m_pMainWnd && msg->hwnd != stop && !::IsChild(stop, msg->hwnd) && m_pMainWnd->PreTranslateMessage(msg))
    return TRUE;
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* msg) {
  // Mouse moves, paints and the caret's blink keep no idle work waiting.
  return msg->message != WM_MOUSEMOVE && msg->message != WM_NCMOUSEMOVE && msg->message != WM_PAINT &&
         msg->message != WM_TIMER && msg->message != WM_NULL;
}

BOOL CWinThread::OnIdle(LONG count) {
  if (count <= 0) {
    if (m_pMainWnd && ::IsWindow(m_pMainWnd->m_hWnd) && m_pMainWnd->IsWindowVisible()) {
      m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
      m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    }
    return TRUE;
  }
  CWnd::DeleteTempMap();
  return FALSE;
}

int CWinThread::Run() {
  bool idle = true;
  LONG count = 0;
  for (;;) {
    MSG peek;
    while (idle && !PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(count++)) idle = false;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        idle = true;
        count = 0;
      }
    } while (PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE));
  }
}

CWinApp::CWinApp(LPCTSTR appName) : appName_(appName ? appName : "Kestrova") {
  m_pszAppName = appName_;
  theApp = this;
}

CWinApp::~CWinApp() {
  if (m_hDevMode) ::GlobalFree(m_hDevMode);
  if (m_hDevNames) ::GlobalFree(m_hDevNames);
  if (dialogBrush_) ::DeleteObject(dialogBrush_);
  if (theApp == this) theApp = nullptr;
}

void CWinApp::SetDialogBkColor(COLORREF back, COLORREF text) {
  HBRUSH brush = ::CreateSolidBrush(back);
  if (!brush) return;
  if (dialogBrush_) ::DeleteObject(dialogBrush_);
  dialogBrush_ = brush;
  dialogBack_ = back;
  dialogText_ = text;
}

void CWinApp::BeginWaitCursor() {
  if (m_nWaitCursorCount++ == 0) m_hcurWaitCursorRestore = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}
void CWinApp::EndWaitCursor() {
  if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0) ::SetCursor(m_hcurWaitCursorRestore);
}
void CWinApp::RestoreWaitCursor() {
  if (m_nWaitCursorCount > 0) ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

CWinApp* AfxGetApp() { return theApp; }
CWinThread* AfxGetThread() { return theApp; }
CWnd* AfxGetMainWnd() { return theApp ? theApp->GetMainWnd() : nullptr; }
HINSTANCE AfxGetInstanceHandle() { return theApp ? theApp->m_hInstance : nullptr; }
HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
LPCTSTR AfxGetAppName() { return theApp ? theApp->m_pszAppName : "Kestrova"; }
