// Bitmaps: device-dependent bitmaps held as RGB24 image surfaces (a
// monochrome bitmap holds only black and white), their bits in the classic
// row layout, and BMP files read from disk.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcState.h"
#include "platform/gfx/GdiObjectImpl.h"
#include "platform/base/Resources.h"

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFFu;

int RowBytes(int width, int bpp) { return ((width * bpp + 15) / 16) * 2; }

GdiObjectImpl* NewBitmapImpl(int width, int height, int bpp) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  // New bitmaps start black; callers fill them before use.
  GdiObjectImpl* o = gdi::NewObject(OBJ_BITMAP);
  o->surface = s;
  o->bpp = bpp;
  return o;
}

std::uint32_t* Data(GdiObjectImpl* b, int& stride) {
  cairo_surface_flush(b->surface);
  stride = cairo_image_surface_get_stride(b->surface) / 4;
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(b->surface));
}

DWORD SetBits(GdiObjectImpl* b, DWORD count, const BYTE* bits) {
  const int w = cairo_image_surface_get_width(b->surface), h = cairo_image_surface_get_height(b->surface);
  const int rb = RowBytes(w, b->bpp);
  int stride;
  std::uint32_t* px = Data(b, stride);
  DWORD used = 0;
  for (int y = 0; y < h; ++y) {
    if (used + static_cast<DWORD>(rb) > count) break;
    const BYTE* row = bits + used;
    for (int x = 0; x < w; ++x) {
      std::uint32_t v;
      if (b->bpp == 1) v = ((row[x / 8] >> (7 - x % 8)) & 1) ? kWhite : 0;
      else if (b->bpp == 24) v = (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3];
      else v = (row[x * 4 + 2] << 16) | (row[x * 4 + 1] << 8) | row[x * 4];
      px[static_cast<std::ptrdiff_t>(y) * stride + x] = v;
    }
    used += static_cast<DWORD>(rb);
  }
  cairo_surface_mark_dirty(b->surface);
  return used;
}

// ---- BMP files ----

struct Reader {
  const std::vector<unsigned char>& data;
  bool ok(std::size_t at, std::size_t n) const { return at <= data.size() && n <= data.size() - at; }
  std::uint32_t u16(std::size_t at) const { return data[at] | (data[at + 1] << 8); }
  std::uint32_t u32(std::size_t at) const {
    return data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) | (static_cast<std::uint32_t>(data[at + 3]) << 24);
  }
};

HBITMAP DecodeBmp(const std::vector<unsigned char>& bytes) {
  Reader r{bytes};
  if (!r.ok(0, 18) || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
  const std::uint32_t offBits = r.u32(10);
  const std::uint32_t headerSize = r.u32(14);
  std::int32_t width, height;
  std::uint32_t bpp, compression = 0, colorsUsed = 0;
  std::size_t paletteEntry = 4;
  if (headerSize == 12) {  // the old core header
    if (!r.ok(14, 12)) return nullptr;
    width = static_cast<std::int16_t>(r.u16(18));
    height = static_cast<std::int16_t>(r.u16(20));
    bpp = r.u16(24);
    paletteEntry = 3;
  } else if (headerSize >= 40) {
    if (!r.ok(14, 40)) return nullptr;
    width = static_cast<std::int32_t>(r.u32(18));
    height = static_cast<std::int32_t>(r.u32(22));
    bpp = r.u16(28);
    compression = r.u32(30);
    colorsUsed = r.u32(46);
  } else {
    return nullptr;
  }
  // Only uncompressed files (bit fields allowed for 32 bits in the usual
  // order).
  if (compression != 0 && !(compression == 3 && bpp == 32)) return nullptr;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return nullptr;
  const bool topDown = height < 0;
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;

  std::vector<std::uint32_t> palette;
  if (bpp <= 8) {
    std::size_t n = colorsUsed ? colorsUsed : (1u << bpp);
    if (n > 256) return nullptr;
    const std::size_t at = 14 + headerSize;
    if (!r.ok(at, n * paletteEntry)) return nullptr;
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t e = at + i * paletteEntry;
      palette.push_back((bytes[e + 2] << 16) | (bytes[e + 1] << 8) | bytes[e]);
    }
  }
  const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  if (!r.ok(offBits, stride * static_cast<std::size_t>(height))) return nullptr;

  // Two-colour black-and-white files become monochrome bitmaps.
  const bool mono = bpp == 1 && palette.size() == 2 &&
                    ((palette[0] == 0 && palette[1] == kWhite) || (palette[0] == kWhite && palette[1] == 0));
  HBITMAP h = gdi::NewBitmap(width, height, mono ? 1 : (bpp == 32 ? 32 : 24));
  GdiObjectImpl* b = gdi::Lookup(h, OBJ_BITMAP);
  if (!b) return nullptr;
  int pstride;
  std::uint32_t* px = Data(b, pstride);
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = bytes.data() + offBits + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y);
    std::uint32_t* out = px + static_cast<std::ptrdiff_t>(y) * pstride;
    for (int x = 0; x < width; ++x) {
      std::uint32_t v = 0;
      std::size_t index = 0;
      switch (bpp) {
        case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
        case 4: index = (row[x / 2] >> ((x % 2) ? 0 : 4)) & 0xF; break;
        case 8: index = row[x]; break;
        case 24: v = (row[x * 3 + 2] << 16) | (row[x * 3 + 1] << 8) | row[x * 3]; break;
        case 32: v = (row[x * 4 + 2] << 16) | (row[x * 4 + 1] << 8) | row[x * 4]; break;
      }
      if (bpp <= 8) v = index < palette.size() ? palette[index] : 0;
      out[x] = v;
    }
  }
  cairo_surface_mark_dirty(b->surface);
  return h;
}

}  // namespace

namespace gdi {

HBITMAP NewBitmap(int width, int height, int bpp) { return NewBitmapImpl(width, height, bpp); }

PixelImage SnapshotBitmap(GdiObjectImpl* b) {
  PixelImage img;
  if (!b || !b->surface) return img;
  img.width = cairo_image_surface_get_width(b->surface);
  img.height = cairo_image_surface_get_height(b->surface);
  img.mono = b->bpp == 1;
  int stride;
  const std::uint32_t* px = Data(b, stride);
  img.pixels.resize(static_cast<std::size_t>(img.width) * img.height);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x)
      img.pixels[static_cast<std::size_t>(y * img.width + x)] = px[static_cast<std::ptrdiff_t>(y) * stride + x] & kWhite;
  return img;
}

}  // namespace gdi

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)) return nullptr;
  GdiObjectImpl* o = NewBitmapImpl(width, height, static_cast<int>(bitsPerPixel));
  if (!o) return nullptr;
  if (bits) SetBits(o, 0xFFFFFFFFu, static_cast<const BYTE*>(bits));
  return o;
}

HBITMAP LoadBitmapFile(const char* path) {
  if (!path) return nullptr;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeBmp(bytes);
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  DeleteObject();
  return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bm) {
  return bm && CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  DeleteObject();
  DcImpl* d = dc ? dc::Lookup(dc->m_hDC) : nullptr;
  const int bpp = d && dc::MonoTarget(d) ? 1 : 32;
  // A zero size gives the classic 1 x 1 monochrome bitmap.
  if (width <= 0 || height <= 0) return Attach(gdi::NewBitmap(1, 1, 1));
  return Attach(gdi::NewBitmap(width, height, bpp));
}

BOOL CBitmap::LoadBitmap(LPCTSTR name) {
  DeleteObject();
  if (!name || !*name) return FALSE;
  HBITMAP h = LoadBitmapFile(name);
  if (!h && !std::strchr(name, '/')) {
    const std::string rel = std::string("bitmaps/") + name + ".bmp";
    h = LoadBitmapFile(ResourcePath(rel.c_str()).c_str());
  }
  return Attach(h);
}

BOOL CBitmap::LoadBitmap(UINT id) { return LoadBitmap(std::to_string(id).c_str()); }

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) {
  GdiObjectImpl* b = gdi::Lookup(m_hObject, OBJ_BITMAP);
  if (!b || !bits) return 0;
  return SetBits(b, count, static_cast<const BYTE*>(bits));
}

DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID out) const {
  GdiObjectImpl* b = gdi::Lookup(m_hObject, OBJ_BITMAP);
  if (!b || !out) return 0;
  const int w = cairo_image_surface_get_width(b->surface), h = cairo_image_surface_get_height(b->surface);
  const int rb = RowBytes(w, b->bpp);
  int stride;
  const std::uint32_t* px = Data(b, stride);
  BYTE* bytes = static_cast<BYTE*>(out);
  DWORD used = 0;
  for (int y = 0; y < h && used + static_cast<DWORD>(rb) <= count; ++y) {
    BYTE* row = bytes + used;
    std::memset(row, 0, static_cast<std::size_t>(rb));
    for (int x = 0; x < w; ++x) {
      const std::uint32_t v = px[static_cast<std::ptrdiff_t>(y) * stride + x];
      if (b->bpp == 1) {
        if (v & kWhite) row[x / 8] = static_cast<BYTE>(row[x / 8] | (0x80 >> (x % 8)));
      } else {
        const int n = b->bpp / 8;
        row[x * n] = static_cast<BYTE>(v);
        row[x * n + 1] = static_cast<BYTE>(v >> 8);
        row[x * n + 2] = static_cast<BYTE>(v >> 16);
      }
    }
    used += static_cast<DWORD>(rb);
  }
  return used;
}

CSize CBitmap::GetBitmapDimension() const { return CSize(0, 0); }
