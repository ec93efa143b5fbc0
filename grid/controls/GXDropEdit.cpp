#include "grid/controls/GXDropEdit.h"

#include <algorithm>
#include <vector>

#include "grid/core/GXAppData.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/SysColors.h"
#include "platform/host/Keys.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

namespace {
COLORREF Sys(int index) { return GXGetSysColor(index); }
}  // namespace

void GXDrawEmbossedBitmap(CDC* dc, CBitmap& bitmap, int x, int y, int cx, int cy) {
  CDC mem;
  if (!mem.CreateCompatibleDC(dc)) return;
  CBitmap* old = mem.SelectObject(&bitmap);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  std::vector<bool> shape(static_cast<size_t>(cx * cy));
  for (int j = 0; j < cy; ++j)
    for (int i = 0; i < cx; ++i) {
      const COLORREF c = mem.GetPixel(i, j);
      shape[static_cast<size_t>(j * cx + i)] = c != face && c != light && c != 0xFFFFFFFF;
    }
  mem.SelectObject(old);
  for (int pass = 0; pass < 2; ++pass) {
    const COLORREF color = ::GetSysColor(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    const int shift = pass == 0 ? 1 : 0;
    for (int j = 0; j < cy; ++j)
      for (int i = 0; i < cx; ++i)
        if (shape[static_cast<size_t>(j * cx + i)]) dc->SetPixel(x + i + shift, y + j + shift, color);
  }
}

void CGXBDropEdit::SetButtonBitmap(UINT id) {
  bitmap_.DeleteObject();
  button_.SetRectEmpty();
  bitmapId_ = 0;
  if (id != 0 && GXLoadResourceBitmap(bitmap_, id)) bitmapId_ = id;
  if (m_hWnd != nullptr)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

void CGXBDropEdit::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) {
  const CRect window = params->rgrc[0];
  CEdit::OnNcCalcSize(calcValidRects, params);
  button_.SetRectEmpty();
  if (!HasButton()) return;
  BITMAP bm{};
  bitmap_.GetBitmap(&bm);
  const int width = bm.bmWidth + leftMargin_ + rightMargin_ + 4;
  RECT& client = params->rgrc[0];
  if (flags_ & kRightEnd) {
    const int oldRight = client.right;
    client.right = std::max(client.left, client.right - width);
    button_.SetRect(client.right, client.top, oldRight, client.bottom);
  } else {
    const int oldLeft = client.left;
    client.left = std::min(client.right, client.left + width);
    button_.SetRect(oldLeft, client.top, client.left, client.bottom);
  }
  // Kept relative to the window, as the non-client painting draws.
  button_.OffsetRect(-window.left, -window.top);
}

BOOL CGXBDropEdit::HitTestButton(int x, int y, BOOL client) {
  if (button_.IsRectEmpty() || m_hWnd == nullptr) return FALSE;
  CPoint p(x, y);
  if (client) ClientToScreen(&p);
  CRect window;
  GetWindowRect(&window);
  p.Offset(-window.left, -window.top);
  return button_.PtInRect(p);
}

void CGXBDropEdit::OnButtonClicked() {
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXBDropEdit::InvalidateButton() {
  if (m_hWnd == nullptr || button_.IsRectEmpty()) return;
  RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CGXBDropEdit::RepaintButton() {
  if (m_hWnd == nullptr || button_.IsRectEmpty()) return;
  CWindowDC dc(this);
  DrawButton(&dc, button_);
}

LRESULT CGXBDropEdit::OnNcHitTest(CPoint point) {
  const LRESULT hit = CEdit::OnNcHitTest(point);
  if ((hit == HTNOWHERE || hit == HTBORDER) && HitTestButton(point.x, point.y, FALSE)) return HTBORDER;
  return hit;
}

void CGXBDropEdit::OnNcLButtonDown(UINT hitTest, CPoint point) {
  if (!(flags_ & kPressed) && HitTestButton(point.x, point.y, FALSE)) {
    flags_ |= kPressed | kCaptured;
    RepaintButton();
    SetCapture();
    return;
  }
  CEdit::OnNcLButtonDown(hitTest, point);
}

void CGXBDropEdit::OnNcLButtonDblClk(UINT hitTest, CPoint point) {
  if (HitTestButton(point.x, point.y, FALSE)) {
    OnNcLButtonDown(hitTest, point);
    return;
  }
  CEdit::OnNcLButtonDblClk(hitTest, point);
}

void CGXBDropEdit::OnMouseMove(UINT flags, CPoint point) {
  if (!IsButtonCaptured()) {
    CEdit::OnMouseMove(flags, point);
    return;
  }
  const BOOL over = HitTestButton(point.x, point.y, TRUE);
  if (over != ((flags_ & kPressed) != 0)) {
    flags_ = static_cast<WORD>(over ? (flags_ | kPressed) : (flags_ & ~kPressed));
    RepaintButton();
  }
}

void CGXBDropEdit::OnLButtonUp(UINT flags, CPoint point) {
  if (!IsButtonCaptured()) {
    CEdit::OnLButtonUp(flags, point);
    return;
  }
  flags_ &= static_cast<WORD>(~(kCaptured | kPressed));
  ::ReleaseCapture();
  RepaintButton();
  if (HitTestButton(point.x, point.y, TRUE)) OnButtonClicked();
}

void CGXBDropEdit::OnCancelMode() {
  if (IsButtonCaptured()) {
    flags_ &= static_cast<WORD>(~(kCaptured | kPressed));
    ::ReleaseCapture();
    RepaintButton();
  }
  CEdit::OnCancelMode();
}

void CGXBDropEdit::OnEnable(BOOL enable) {
  InvalidateButton();
  CEdit::OnEnable(enable);
}

void CGXBDropEdit::OnSysColorChange() {
  GXGetSysColorCache().Refresh();
  if (bitmapId_ != 0) GXLoadResourceBitmap(bitmap_, bitmapId_);
  CEdit::OnSysColorChange();
}

void CGXBDropEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_F4) {
    OnButtonClicked();
    return;
  }
  CEdit::OnKeyDown(key, repeat, flags);
}

void CGXBDropEdit::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_DOWN) {
    OnButtonClicked();
    return;
  }
  CEdit::OnSysKeyDown(key, repeat, flags);
}

void CGXBDropEdit::OnNcPaint() {
  CEdit::OnNcPaint();
  if (!HasButton() || button_.IsRectEmpty()) return;
  RepaintButton();
}

void CGXBDropEdit::DrawButton(CDC* dc, const CRect& rect) {
  CRect r = rect;
  const bool pressed = (flags_ & kPressed) != 0;
  if (pressed) {
    dc->Draw3dRect(&r, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNSHADOW));
    r.DeflateRect(1, 1);
    dc->FillSolidRect(&r, Sys(COLOR_BTNFACE));
  } else {
    dc->Draw3dRect(&r, Sys(COLOR_BTNFACE), Sys(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
    dc->Draw3dRect(&r, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    r.DeflateRect(1, 1);
    dc->FillSolidRect(&r, Sys(COLOR_BTNFACE));
  }
  if (!HasButton()) return;
  BITMAP bm{};
  bitmap_.GetBitmap(&bm);
  const int shift = pressed ? 1 : 0;
  const int x = rect.left + leftMargin_ + shift;
  const int y = rect.top + (rect.Height() - bm.bmHeight) / 2 + shift;
  if (m_hWnd != nullptr && !IsWindowEnabled()) {
    CRect inner = rect;
    inner.DeflateRect(2, 2);
    dc->FillSolidRect(&inner, ::GetSysColor(COLOR_BTNFACE));
    GXDrawEmbossedBitmap(dc, bitmap_, x, y, bm.bmWidth, bm.bmHeight);
    return;
  }
  GXDrawBitmap(dc, bitmap_, x, y, Sys(COLOR_BTNFACE));
}
