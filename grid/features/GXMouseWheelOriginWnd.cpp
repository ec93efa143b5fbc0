#include "grid/features/GXMouseWheelOriginWnd.h"

#include <algorithm>

#include "grid/core/GXLibraryBitmaps.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"
#include "platform/window/Messages.h"

BOOL CGXMouseWheelOriginWnd::Create(CWnd* parent, const CRect& rect, UINT bitmapId) {
  if (m_bitmap.GetSafeHandle() == nullptr) GXLoadResourceBitmap(m_bitmap, bitmapId);
  return CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.Width(), rect.Height(),
                  parent != nullptr ? parent->GetSafeHwnd() : nullptr, nullptr);
}

void CGXMouseWheelOriginWnd::OnPaint() {
  CPaintDC dc(this);
  if (m_bitmap.GetSafeHandle() == nullptr) return;
  BITMAP bm{};
  m_bitmap.GetBitmap(&bm);
  CRect client;
  GetClientRect(&client);
  // A window shrunk to hide the mark draws nothing rather than a cut picture.
  if (client.Width() < bm.bmWidth || client.Height() < bm.bmHeight) return;
  const int x = std::max(1, (client.Width() - bm.bmWidth) / 2);
  const int y = std::max(1, (client.Height() - bm.bmHeight) / 2);
  // Pure red is the picture's see-through colour.
  GXDrawBitmap(&dc, m_bitmap, x, y, RGB(255, 0, 0));
}
