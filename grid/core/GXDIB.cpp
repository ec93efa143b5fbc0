#include "grid/core/GXDIB.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/gfx/GdiObject.h"
#include "platform/base/Resources.h"

IMPLEMENT_DYNAMIC(CGXDIBPool, CObject)
IMPLEMENT_DYNCREATE(CGXDIB, CObject)

namespace {

constexpr std::size_t kHeaderSize = 40;
// Far above any picture a cell shows.
constexpr std::uintmax_t kMaxBitmapFileSize = 16u << 20;

LONG I32(const BYTE* p) {
  std::int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
WORD U16(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

bool IsIntResource(LPCTSTR name) { return reinterpret_cast<std::uintptr_t>(name) < 0x10000; }

// A global-memory DIB as 32-bit top-down pixels (blue, green, red, 0).
bool DecodeDib(HGLOBAL dib, int& width, int& height, std::vector<BYTE>& pixels) {
  const SIZE_T size = ::GlobalSize(dib);
  const BYTE* p = static_cast<const BYTE*>(::GlobalLock(dib));
  if (p == nullptr) return false;
  bool ok = false;
  if (size >= kHeaderSize && I32(p) >= 40) {
    width = I32(p + 4);
    const LONG rawHeight = I32(p + 8);
    height = rawHeight < 0 ? -rawHeight : rawHeight;
    const int bits = U16(p + 14);
    const LONG compression = I32(p + 16);
    const int colors = GXDIBNumColors(p);
    const std::size_t palette = static_cast<std::size_t>(I32(p)) ;
    const std::size_t bitsAt = palette + static_cast<std::size_t>(colors) * 4;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (width > 0 && height > 0 && compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32) &&
        bitsAt + stride * static_cast<std::size_t>(height) <= size) {
      pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
      for (int y = 0; y < height; ++y) {
        const BYTE* row = p + bitsAt + stride * static_cast<std::size_t>(rawHeight < 0 ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
          BYTE* out = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
          if (bits >= 24) {
            const BYTE* in = row + static_cast<std::size_t>(x) * (bits / 8);
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
          } else {
            const int perByte = 8 / bits;
            const int shift = (perByte - 1 - x % perByte) * bits;
            const int index = (row[x / perByte] >> shift) & ((1 << bits) - 1);
            if (index < colors) std::memcpy(out, p + palette + static_cast<std::size_t>(index) * 4, 3);
          }
        }
      }
      ok = true;
    }
  }
  ::GlobalUnlock(dib);
  return ok;
}

}  // namespace

int GXDIBNumColors(const BYTE* header) {
  const LONG used = I32(header + 32);
  if (used != 0) return used;
  switch (U16(header + 14)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

HGLOBAL GXReadBitmapFile(const std::string& path) {
  // Only a plain file of a sensible size: a cell's value must never make
  // the program read a device or a huge file.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size < 14 + kHeaderSize || size > kMaxBitmapFileSize) return nullptr;
  std::ifstream in(path, std::ios::binary);
  if (!in) return nullptr;
  std::vector<BYTE> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (in.gcount() != static_cast<std::streamsize>(bytes.size()) || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() - 14);
  if (mem == nullptr) return nullptr;
  std::memcpy(::GlobalLock(mem), bytes.data() + 14, bytes.size() - 14);
  ::GlobalUnlock(mem);
  return mem;
}

HGLOBAL GXLoadBitmapResourceToGlobal(HINSTANCE, LPCTSTR name) {
  if (name == nullptr) return nullptr;
  if (IsIntResource(name))
    return GXReadBitmapFile(ResourcePath(("bitmaps/" + std::to_string(reinterpret_cast<std::uintptr_t>(name)) + ".bmp").c_str()));
  // A name only ever picks one of the program's own pictures.
  if (*name == '\0' || *name == '.' || std::strpbrk(name, "/\\") != nullptr) return nullptr;
  return GXReadBitmapFile(ResourcePath((std::string("bitmaps/") + name + ".bmp").c_str()));
}

// -------------------------------------------------------------------- pool

CGXDIBPool* GXGetDIBPool() {
  static CGXDIBPool pool;
  return &pool;
}

LPCTSTR CGXDIBPool::ParseReference(LPCTSTR text, CString& key) {
  static const char kPrefix[] = "#BMP(";
  if (text == nullptr || std::strncmp(text, kPrefix, 5) != 0) return nullptr;
  const char* rest = text + 5;
  const char* quote = std::strchr(rest, '"');
  if (quote == nullptr) {
    const UINT id = static_cast<UINT>(std::strtoul(rest, nullptr, 10));
    if (id == 0) return nullptr;
    key.Format("#%u", id);
    return reinterpret_cast<LPCTSTR>(static_cast<std::uintptr_t>(id));
  }
  const char* close = std::strchr(quote + 1, '"');
  if (close == nullptr) return nullptr;
  nameBuffer_ = CString(quote + 1, static_cast<int>(close - quote - 1));
  key = nameBuffer_;
  return nameBuffer_;
}

HGLOBAL CGXDIBPool::LoadBitmapResource(LPCTSTR resource) {
  return GXLoadBitmapResourceToGlobal(nullptr, resource);
}

HGLOBAL CGXDIBPool::GetBitmap(LPCTSTR text) {
  CString key;
  LPCTSTR resource = ParseReference(text, key);
  if (resource == nullptr) return nullptr;
  auto it = pool_.find(key);
  if (it != pool_.end()) return it->second;
  // A failure is kept as null, so that it is not tried again.
  HGLOBAL dib = LoadBitmapResource(resource);
  pool_[key] = dib;
  return dib;
}

CString& CGXDIBPool::FormatNameReference(LPCTSTR name, CString& text) {
  text.Format("#BMP(\"%s\")", name);
  return text;
}

CString& CGXDIBPool::FormatIdReference(UINT id, CString& text) {
  text.Format("%s%u)", "#BMP(", id);
  return text;
}

void CGXDIBPool::RemoveAll() {
  for (auto& [key, dib] : pool_)
    if (dib != nullptr) ::GlobalFree(dib);
  pool_.clear();
}

// ----------------------------------------------------------------- wrapper

CGXDIB::~CGXDIB() {
  // The cell types detach pooled bitmaps first; one still held is ours.
  if (handle_ != nullptr) ::GlobalFree(handle_);
}

BOOL CGXDIB::Attach(HGLOBAL dib) {
  if (handle_ != nullptr) {
    ::GlobalFree(handle_);
    handle_ = nullptr;
    isGdiObject_ = TRUE;
  }
  if (dib == nullptr) return FALSE;
  const BYTE* p = static_cast<const BYTE*>(::GlobalLock(dib));
  if (p == nullptr) return FALSE;
  colors_ = GXDIBNumColors(p);
  width_ = I32(p + 4);
  height_ = std::abs(static_cast<int>(I32(p + 8)));
  ::GlobalUnlock(dib);
  handle_ = dib;
  isGdiObject_ = FALSE;
  return TRUE;
}

HGLOBAL CGXDIB::Detach() {
  HGLOBAL h = handle_;
  handle_ = nullptr;
  isGdiObject_ = TRUE;
  return h;
}

// ----------------------------------------------------------------- drawing

void GXDrawDIB(CDC* dc, HGLOBAL dib, const CRect& rect, int mode, UINT align, const CRect* source) {
  int width = 0, height = 0;
  std::vector<BYTE> pixels;
  if (dc == nullptr || dib == nullptr || !DecodeDib(dib, width, height, pixels)) return;
  CRect src = source != nullptr ? *source : CRect(0, 0, width, height);
  CRect dst = rect;
  if (mode == 0) {
    if (src.Width() < dst.Width()) {
      const int free = dst.Width() - src.Width();
      dst.left += (align & GX_DIB_HCENTER) ? free / 2 : (align & GX_DIB_RIGHT) ? free : 0;
      dst.right = dst.left + src.Width();
    } else {
      src.right = src.left + dst.Width();
    }
    if (src.Height() < dst.Height()) {
      const int free = dst.Height() - src.Height();
      dst.top += (align & GX_DIB_VCENTER) ? free / 2 : (align & GX_DIB_BOTTOM) ? free : 0;
      dst.bottom = dst.top + src.Height();
    } else if (align & GX_DIB_BOTTOM) {
      src.bottom = src.top + dst.Height();
    } else {
      src.top = src.bottom - dst.Height();
    }
  } else if (mode == 2 && src.Width() > 0 && src.Height() > 0) {
    const int scale = std::min(rect.Width() * 1000 / src.Width(), rect.Height() * 1000 / src.Height());
    const int w = src.Width() * scale / 1000, h = src.Height() * scale / 1000;
    dst.SetRect(rect.left, rect.top, rect.left + w, rect.top + h);
    const int freeX = rect.Width() - w, freeY = rect.Height() - h;
    dst.OffsetRect((align & GX_DIB_HCENTER) ? freeX / 2 : (align & GX_DIB_RIGHT) ? freeX : 0,
                   (align & GX_DIB_VCENTER) ? freeY / 2 : (align & GX_DIB_BOTTOM) ? freeY : 0);
  }
  CBitmap bitmap;
  if (!bitmap.CreateBitmap(width, height, 1, 32, pixels.data())) return;
  CDC mem;
  if (!mem.CreateCompatibleDC(dc)) return;
  CBitmap* old = mem.SelectObject(&bitmap);
  dc->StretchBlt(dst.left, dst.top, dst.Width(), dst.Height(), &mem, src.left, src.top, src.Width(), src.Height(),
                 SRCCOPY);
  mem.SelectObject(old);
}
