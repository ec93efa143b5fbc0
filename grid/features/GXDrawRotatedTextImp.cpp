#include "grid/features/GXDrawRotatedTextImp.h"

#include <cmath>
#include <cstring>

#include "platform/gfx/Dc.h"

POINT GXRotatedTextOrigin(const RECT& rect, SIZE extent, UINT format, LONG angle) {
  constexpr double kRadiansPerDegree = 0.017453292519444445;
  double a = angle * 0.1;
  while (a < 0) a += 360;
  while (a >= 360) a -= 360;
  const double cx = extent.cx, cy = extent.cy;
  const double L = rect.left, T = rect.top, W = rect.right - rect.left, H = rect.bottom - rect.top;
  double r = 0, x = 0, y = 0;
  if (a <= 90) {
    r = a * kRadiansPerDegree;
    x = L;
    y = T + std::sin(r) * cx + cy / 2;
  } else if (a < 180) {
    r = (a - 90) * kRadiansPerDegree;
    x = L + std::sin(r) * cx;
    if (x > rect.right) x = rect.right - cy;
    y = T + std::cos(r) * cx + cy;
  } else if (a <= 270) {
    r = (a - 180) * kRadiansPerDegree;
    x = L + std::cos(r) * cx + cy;
    y = T;
  } else {
    r = (a - 270) * kRadiansPerDegree;
    x = L + std::sin(r) * cy;
    y = T;
  }
  if (format & DT_RIGHT) {
    x = x + (W - std::cos(r) * cx) - cy;
  } else if (format & DT_CENTER) {
    x = x + (W - std::cos(r) * cx) / 2 - cy / 2;
  }
  if (format & DT_BOTTOM) {
    y = y + (H - std::sin(r) * cx) - cy;
  } else if (format & DT_VCENTER) {
    y = (a >= 180 && a <= 270) ? y + (H - std::sin(r) * cx) / 2 : y + (H - std::sin(r) * cx) / 2 - cy / 2;
  }
  return POINT{static_cast<LONG>(std::trunc(x)), static_cast<LONG>(std::trunc(y))};
}

int CGXDrawRotatedTextImp::DrawRotatedText(CDC* dc, LPCTSTR text, int length, const RECT& rect, UINT format,
                                           LONG angle, LPCRECT clip) {
  if (dc == nullptr || text == nullptr) return 0;
  if (length < 0) length = static_cast<int>(std::strlen(text));
  const CSize extent = dc->GetTextExtent(text, length);
  const int saved = dc->SaveDC();
  dc->IntersectClipRect(clip != nullptr ? clip : &rect);
  const POINT origin = GXRotatedTextOrigin(rect, SIZE{extent.cx, extent.cy}, format, angle);
  dc->TextOut(origin.x, origin.y, text, length);
  dc->RestoreDC(saved);
  return 0;
}
