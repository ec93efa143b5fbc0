#include "app/StaticLink.h"

#include "common/Messages.h"
#include "platform/base/CString.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiDefs.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

IMPLEMENT_DYNAMIC(CStaticLink, CStatic)

namespace {

// The hand cursor, looked for once per run and shared by every link; null
// when there is none, and the links then show the ordinary arrow.
HCURSOR HandCursor() {
  static const HCURSOR hand = ::LoadCursor(nullptr, IDC_HAND);
  return hand;
}

// The opener's answer when the desktop has no program to open links.
constexpr int kNoOpener = 2;

bool IsTextStatic(DWORD style) {
  const DWORD type = style & SS_TYPEMASK;
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

}  // namespace

CStaticLink::CStaticLink(const char* address, bool deleteOnDestroy)
    : m_link(address ? address : ""), m_color(kUnvisited), m_bDeleteOnDestroy(deleteOnDestroy) {}

BOOL CStaticLink::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message != WM_CTLCOLORSTATIC || !IsTextStatic(GetStyle()))
    return CStatic::OnChildNotify(message, wParam, lParam, pResult);
  CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
  if (m_font.GetSafeHandle() == nullptr) {
    if (CFont* current = GetFont()) {
      LOGFONT lf{};
      current->GetLogFont(&lf);
      lf.lfUnderline = TRUE;
      m_font.CreateFontIndirect(&lf);
    }
  }
  if (m_font.GetSafeHandle() != nullptr) dc->SelectObject(&m_font);
  dc->SetTextColor(m_color);
  dc->SetBkMode(TRANSPARENT);
  if (pResult) *pResult = reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
  return TRUE;
}

// A static text takes no clicks unless it claims them.
LRESULT CStaticLink::OnNcHitTest(CPoint) { return HTCLIENT; }

void CStaticLink::OnLButtonDown(UINT, CPoint) {
  if (m_link.GetLink().IsEmpty()) {
    CString address;
    if (!address.LoadString(static_cast<UINT>(GetDlgCtrlID())) || address.IsEmpty()) GetWindowText(address);
    m_link.SetLink(address);
  }
  if (m_link.GetLink().IsEmpty()) return;
  const int opened = m_link.Open();
  if (opened == kNoOpener) {
    // A beep alone would leave the user wondering why nothing opened.
    CString text = "There is no program on this computer that opens links (xdg-open), so the address could not "
                   "be opened. Please open it in a web browser: " +
                   m_link.GetLink();
    DispMessage(text, MSG_INFORMATION);
    return;
  }
  if (opened <= 32) {
    ::MessageBeep(0);
    return;
  }
  m_color = kVisited;
  Invalidate();
}

BOOL CStaticLink::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  if (HCURSOR hand = HandCursor()) {
    ::SetCursor(hand);
    return TRUE;
  }
  return CStatic::OnSetCursor(wnd, hitTest, message);
}

void CStaticLink::PostNcDestroy() {
  CStatic::PostNcDestroy();
  if (m_bDeleteOnDestroy) delete this;
}
