// Program icons: pictures of the resources drawn through a mask colour.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Resources.h"
#include "platform/gfx/GdiApi.h"
#include "platform/gfx/GdiObject.h"
#include "platform/window/Window.h"

namespace {

// The see-through colour of an icon picture.
constexpr BYTE kKeyR = 255, kKeyG = 0, kKeyB = 255;

}  // namespace

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  // LoadIcon hands out 0x100 plus the icon's number (below 0x100); the
  // stock icons have no picture of their own.
  const auto handle = reinterpret_cast<std::uintptr_t>(icon);
  if (!dc || handle < 0x100 || handle >= 0x200) return FALSE;
  const std::string path = ResourcePath(("icons/" + std::to_string(handle - 0x100) + ".bmp").c_str());
  CBitmap picture;
  if (!picture.Attach(LoadBitmapFile(path.c_str()))) return FALSE;
  BITMAP bm{};
  if (!picture.GetBitmap(&bm) || bm.bmBitsPixel < 24) return FALSE;
  std::vector<BYTE> bits(static_cast<std::size_t>(bm.bmWidthBytes) * static_cast<std::size_t>(bm.bmHeight));
  picture.GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
  const int step = bm.bmBitsPixel / 8;
  for (int row = 0; row < bm.bmHeight; ++row)
    for (int col = 0; col < bm.bmWidth; ++col) {
      const BYTE* px = &bits[static_cast<std::size_t>(row * bm.bmWidthBytes + col * step)];
      if (px[2] == kKeyR && px[1] == kKeyG && px[0] == kKeyB) continue;
      ::SetPixel(dc, x + col, y + row, RGB(px[2], px[1], px[0]));
    }
  return TRUE;
}
