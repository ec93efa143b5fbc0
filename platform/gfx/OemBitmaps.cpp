// The system bitmaps: small monochrome arrow glyphs made at run time.
#include <vector>

#include "platform/gfx/GdiObject.h"

namespace {

// A monochrome bitmap of width x height, white, with the pixels `black`
// says black; rows are padded to 16 bits.
template <typename Black>
HBITMAP Glyph(int width, int height, Black black) {
  const int rowBytes = (width + 15) / 16 * 2;
  std::vector<BYTE> bits(static_cast<std::size_t>(rowBytes * height), 0xFF);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (black(x, y)) bits[static_cast<std::size_t>(y * rowBytes + x / 8)] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
  return CreateBitmap(width, height, 1, 1, bits.data());
}

// A triangle of `rows` rows, the widest (2 * rows - 1) first, pointing away
// from (cx, top) along +y; `transpose` swaps x and y.
HBITMAP Triangle(int size, int rows, int cx, int top, int direction, bool transpose) {
  return Glyph(size, size, [=](int x, int y) {
    int along = transpose ? x : y, across = transpose ? y : x;
    int step = direction > 0 ? along - top : top - along;
    if (step < 0 || step >= rows) return false;
    int half = rows - 1 - step;
    return across >= cx - half && across <= cx + half;
  });
}

}  // namespace

HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) {
  if (!name) return nullptr;
  if (!instance && IS_INTRESOURCE(name)) {
    switch (static_cast<int>(reinterpret_cast<std::uintptr_t>(name))) {
      case OBM_COMBO: return Triangle(16, 4, 7, 6, +1, false);
      case OBM_DNARROW: return Triangle(16, 4, 7, 6, +1, false);
      case OBM_UPARROW: return Triangle(16, 4, 7, 9, -1, false);
      case OBM_RGARROW: return Triangle(16, 4, 7, 6, +1, true);
      case OBM_LFARROW: return Triangle(16, 4, 7, 9, -1, true);
      case OBM_MNARROW: return Triangle(8, 4, 3, 2, +1, true);
      default: return nullptr;
    }
  }
  CBitmap bitmap;
  if (IS_INTRESOURCE(name) ? !bitmap.LoadBitmap(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name)))
                           : !bitmap.LoadBitmap(name))
    return nullptr;
  return static_cast<HBITMAP>(bitmap.Detach());
}

BOOL CBitmap::LoadOEMBitmap(UINT id) {
  DeleteObject();
  return Attach(::LoadBitmap(nullptr, MAKEINTRESOURCE(id)));
}
