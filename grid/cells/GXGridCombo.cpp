// The drop-down list window.
#include "grid/cells/GXGridCombo.h"

#include "grid/cells/GXComboBox.h"
#include "grid/core/GXAppData.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

LPCTSTR GXGetPopupWndClassName() {
  static const char* name = [] {
    WNDCLASS wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "GXPOPUPWND";
    WNDCLASS existing;
    if (!::GetClassInfo(nullptr, wc.lpszClassName, &existing)) ::RegisterClass(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

CGXGridCombo::CGXGridCombo(CGXComboBox* combo, const CRect& rect) : m_pCombo(combo) {
  // The grid ignores the focus change the new window brings.
  GXSetInDropDown(TRUE);
  CreateEx(WS_EX_TOOLWINDOW, GXGetPopupWndClassName(), nullptr, WS_POPUP | WS_VISIBLE, rect.left - 1, rect.top,
           rect.Width() + 1, rect.Height(), nullptr, nullptr);
  GXSetInDropDown(FALSE);
}

CGXGridCombo::~CGXGridCombo() {
  if (m_pListBox != nullptr) {
    if (m_pListBox->GetSafeHwnd() != nullptr) m_pListBox->DestroyWindow();
    delete m_pListBox;
  }
  if (m_hWnd != nullptr) DestroyWindow();
}

void CGXGridCombo::SetColors(COLORREF text, COLORREF background) {
  m_brush.DeleteObject();
  m_brush.CreateSolidBrush(background);
  m_rgbText = text;
  m_rgbBack = background;
  m_bColorsSet = TRUE;
}

LRESULT CGXGridCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORLISTBOX:
      if (m_bColorsSet) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, m_rgbBack);
        ::SetTextColor(dc, m_rgbText);
        return reinterpret_cast<LRESULT>(m_brush.GetSafeHandle());
      }
      break;
    case WM_COMMAND:
      if (m_pListBox != nullptr && reinterpret_cast<HWND>(lParam) == m_pListBox->GetSafeHwnd() &&
          m_pCombo != nullptr && m_pCombo->GetSafeHwnd() != nullptr)
        return m_pCombo->SendMessage(WM_COMMAND, wParam, lParam);
      break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      // An owner-drawn list draws its own items.
      if (auto* list = dynamic_cast<CGXComboListBox*>(m_pListBox)) {
        if (message == WM_DRAWITEM) list->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        else list->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
      }
      break;
    case WM_SYSCOMMAND: return 0;  // neither closed nor moved that way
    default: break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
