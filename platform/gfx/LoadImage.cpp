// LoadImage for bitmaps: lookup, the 3-D colour mapping and stretching.
#include <vector>

#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"

namespace {

void MapTo3DColours(HBITMAP bitmap) {
  CBitmap wrapper;
  wrapper.Attach(bitmap);
  CBitmap* b = &wrapper;
  BITMAP bm{};
  if (!b->GetBitmap(&bm) || bm.bmBitsPixel < 24) {
    wrapper.Detach();
    return;
  }
  std::vector<BYTE> bits(static_cast<std::size_t>(bm.bmWidthBytes * bm.bmHeight));
  b->GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
  const struct {
    BYTE grey;
    int colour;
  } map[] = {{128, COLOR_3DSHADOW}, {192, COLOR_3DFACE}, {223, COLOR_3DLIGHT}};
  const int step = bm.bmBitsPixel / 8;
  for (int y = 0; y < bm.bmHeight; ++y) {
    for (int x = 0; x < bm.bmWidth; ++x) {
      BYTE* px = &bits[static_cast<std::size_t>(y * bm.bmWidthBytes + x * step)];
      for (const auto& m : map) {
        if (px[0] == m.grey && px[1] == m.grey && px[2] == m.grey) {
          COLORREF c = GetSysColor(m.colour);
          px[0] = GetBValue(c);
          px[1] = GetGValue(c);
          px[2] = GetRValue(c);
          break;
        }
      }
    }
  }
  b->SetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
  wrapper.Detach();
}

HBITMAP Stretched(HBITMAP source, int width, int height) {
  BITMAP bm{};
  if (!GetObject(source, sizeof bm, &bm)) return nullptr;
  HBITMAP target = CreateBitmap(width, height, 1, bm.bmBitsPixel, nullptr);
  HDC from = CreateCompatibleDC(nullptr), to = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = SelectObject(from, source), oldTo = SelectObject(to, target);
  StretchBlt(to, 0, 0, width, height, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  return target;
}

}  // namespace

HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags) {
  if (type != IMAGE_BITMAP || !name) return nullptr;
  HBITMAP bitmap = (flags & LR_LOADFROMFILE) && !IS_INTRESOURCE(name) ? LoadBitmapFile(name) : ::LoadBitmap(instance, name);
  if (!bitmap) return nullptr;
  if (flags & LR_LOADMAP3DCOLORS) MapTo3DColours(bitmap);
  BITMAP bm{};
  GetObject(bitmap, sizeof bm, &bm);
  if ((width > 0 && width != bm.bmWidth) || (height > 0 && height != bm.bmHeight)) {
    HBITMAP stretched = Stretched(bitmap, width > 0 ? width : bm.bmWidth, height > 0 ? height : bm.bmHeight);
    DeleteObject(bitmap);
    bitmap = stretched;
  }
  return bitmap;
}
