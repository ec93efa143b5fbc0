#include "platform/framework/WindowDc.h"

#include "platform/framework/CWnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

// The window layer hands out and takes back these DCs; the wrappers only
// attach to them, so that the layer's own bookkeeping (validation, the
// invalidation log) stays in one place.

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
  if (HDC dc = ::BeginPaint(m_hWnd, &m_ps)) Attach(dc);
}

CPaintDC::~CPaintDC() {
  if (m_hDC) {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
  }
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
  if (HDC dc = ::GetDC(m_hWnd)) Attach(dc);
}

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
  if (HDC dc = ::GetWindowDC(m_hWnd)) Attach(dc);
}

CWindowDC::~CWindowDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
