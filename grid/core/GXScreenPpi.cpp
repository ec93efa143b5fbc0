#include "grid/core/GXScreenPpi.h"

CSize GXScreenPixelsPerInch() {
  static const CSize ppi = [] {
    HDC screen = ::GetDC(nullptr);
    const CSize size(::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    return size;
  }();
  return ppi;
}
