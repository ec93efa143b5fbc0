#include "grid/controls/GXPopupCalculator.h"

#include <algorithm>

BOOL CGXBPopupCalculator::CreatePopupEx(DWORD exStyle, DWORD style, const RECT& field, CWnd* parent, void* param) {
  PrepareLayout(parent, style);
  DWORD createStyle = style | WS_POPUP;
  DWORD createEx = exStyle;
  if (style & kStyleRaisedFrame) {
    createStyle &= ~static_cast<DWORD>(WS_BORDER);
    createEx &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
  }
  CRect size(0, 0, clientSize_.cx, clientSize_.cy);
  ::AdjustWindowRectEx(&size, createStyle, FALSE, createEx);
  if (style & kStyleRaisedFrame) size.InflateRect(2, 2);

  RECT work{};
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  int y = field.bottom;
  if (y + size.Height() >= work.bottom) y = field.top - size.Height();
  int x = field.left;
  if (x + size.Width() >= work.right) x = field.right - size.Width();

  if (!Create(exStyle, style | WS_POPUP, x, y, parent, 0, param)) return FALSE;
  SetFocus();
  return TRUE;
}

int CGXBPopupCalculator::HandleCommand(int id) {
  const int result = CGXBCalculator::HandleCommand(id);
  if (id == kEquals && (style_ & kStyleSendOnEquals) && m_hWnd != nullptr) {
    if (!SendResultAndStay()) return result;
    PostMessage(WM_CLOSE);
  }
  return result;
}

void CGXBPopupCalculator::SendResult() {
  HWND owner = resultOwner_;
  if (owner == nullptr) {
    CWnd* platformOwner = GetOwner();
    owner = platformOwner != nullptr ? platformOwner->m_hWnd : nullptr;
  }
  if (owner == nullptr || !::IsWindow(owner) || IsError()) return;
  // Owners read the number with the C library, whatever the locale shows.
  CString text = GetEntryText();
  if (!separator_.IsEmpty() && separator_ != ".") text.Replace(separator_, ".");
  ::SendMessage(owner, WM_GX_CALCULATOR_RESULT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}

bool CGXBPopupCalculator::SendResultAndStay() {
  bool destroyed = false;
  destroyedFlag_ = &destroyed;
  sending_ = TRUE;
  SendResult();
  if (destroyed) return false;
  destroyedFlag_ = nullptr;
  sending_ = FALSE;
  return true;
}

void CGXBPopupCalculator::EnterAndClose() {
  OnOperator(kEquals);
  if (SendResultAndStay() && m_hWnd != nullptr) DestroyWindow();
}

void CGXBPopupCalculator::OnKillFocus(CWnd* newWnd) {
  CGXBCalculator::OnKillFocus(newWnd);
  // During the send the caller closes the pop-up itself afterwards.
  if (newWnd != this && m_hWnd != nullptr && !sending_) DestroyWindow();
}

void CGXBPopupCalculator::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_ESCAPE) {
    DestroyWindow();
    return;
  }
  if (key == VK_RETURN) {
    EnterAndClose();
    return;
  }
  CGXBCalculator::OnKeyDown(key, repeat, flags);
}

void CGXBPopupCalculator::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_DOWN) {
    EnterAndClose();
    return;
  }
  CGXBCalculator::OnKeyDown(key, repeat, flags);
}

void CGXBPopupCalculator::PostNcDestroy() {
  if (destroyedFlag_ != nullptr) *destroyedFlag_ = true;
  CGXBCalculator::PostNcDestroy();
  if (m_bAutoDelete) delete this;
}
