// The records behind drawing-object handles. Internal to the drawing layer.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/GdiDefs.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/RegionData.h"

// Pixels of a bitmap or a brush pattern: 0x00RRGGBB words, rows top down.
struct PixelImage {
  int width = 0;
  int height = 0;
  bool mono = false;  // only black and white, coloured by the DC when used
  std::vector<std::uint32_t> pixels;
};

struct GdiObjectImpl {
  DWORD kind = 0;  // OBJ_*
  bool stock = false;
  int selected = 0;            // references from DC states (current and saved)
  bool deletePending = false;  // deleted while selected: freed when released
  CGdiObject* owner = nullptr;
  std::unique_ptr<CGdiObject> temp;  // wrapper handed out by FromHandle

  // OBJ_PEN
  LOGPEN pen;
  // OBJ_BRUSH
  LOGBRUSH brush;
  std::shared_ptr<const PixelImage> pattern;  // BS_PATTERN
  // OBJ_FONT
  LOGFONT font;
  // OBJ_BITMAP: an RGB24 image surface; bpp as created (1, 24, 32)
  cairo_surface_t* surface = nullptr;
  int bpp = 32;
  HDC selectedInto = nullptr;
  // OBJ_REGION
  RegionData region;

  ~GdiObjectImpl();
};

namespace gdi {

// A new registered record of the kind.
GdiObjectImpl* NewObject(DWORD kind);
// The live object behind a handle, or null for a stale or foreign handle.
GdiObjectImpl* Lookup(HGDIOBJ object, DWORD kind = 0);
// Reference counting by DC states; Release frees an object whose deletion
// was deferred.
void Retain(HGDIOBJ object);
void Release(HGDIOBJ object);
HBITMAP NewBitmap(int width, int height, int bpp);
PixelImage SnapshotBitmap(GdiObjectImpl* bitmap);

inline std::uint32_t ToPixel(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}
inline COLORREF FromPixel(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace gdi
