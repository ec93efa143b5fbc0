// Block transfers of CDC: PatBlt, BitBlt and StretchBlt with ternary raster
// operations, converting between monochrome and colour as the classic layer
// does (a monochrome source's black takes the destination's text colour and
// its white the background colour; a colour source becomes white where it
// equals the source DC's background colour).
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcState.h"

namespace {

bool UsesSource(DWORD rop) {
  const unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 2) & 0x33) != (t & 0x33);
}

bool UsesPattern(DWORD rop) {
  const unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 4) & 0x0F) != (t & 0x0F);
}

// Applies the operation over `dst` (surface pixels) with source pixels from
// `src` (dst-sized, row-major), or none.
// On a vector surface (a printer's page) the result is placed as an image,
// computed over white paper: what is already on the page is not read back.
void BlendOntoPage(DcImpl* d, RECT dst, const std::vector<std::uint32_t>* src, DWORD rop, const dc::Paint& pattern) {
  cairo_t* cr = dc::Cairo(d);
  if (!cr) return;
  const int w = dst.right - dst.left, h = dst.bottom - dst.top;
  cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(img);
    return;
  }
  auto* data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(img));
  const int stride = cairo_image_surface_get_stride(img) / 4;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t s = src ? (*src)[static_cast<std::size_t>(y * w + x)] : 0;
      const std::uint32_t p = pattern.none ? 0 : pattern.At(x + dst.left, y + dst.top);
      data[static_cast<std::ptrdiff_t>(y) * stride + x] = dc::ApplyRop3(rop, p, s, 0xFFFFFFu);
    }
  cairo_surface_mark_dirty(img);
  cairo_set_source_surface(cr, img, dst.left, dst.top);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr, dst.left, dst.top, w, h);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);  // lets go of the image
  cairo_surface_destroy(img);
}

void Blend(DcImpl* d, RECT dst, const std::vector<std::uint32_t>* src, DWORD rop) {
  dc::Pixels px = dc::Lock(d);
  const dc::Paint pattern = UsesPattern(rop) ? dc::BrushPaint(d, d->st.brush) : dc::SolidPaint(0);
  if (!px.data) {
    BlendOntoPage(d, dst, src, rop, pattern);
    return;
  }
  const int w = dst.right - dst.left;
  for (const RECT& c : dc::Clip(d)) {
    RECT i;
    if (!IntersectRect(&i, &dst, &c)) continue;
    for (int y = i.top; y < i.bottom; ++y) {
      std::uint32_t* row = px.At(0, y);
      for (int x = i.left; x < i.right; ++x) {
        const std::uint32_t s =
            src ? (*src)[static_cast<std::size_t>((y - dst.top) * w + (x - dst.left))] : 0;
        const std::uint32_t p = pattern.none ? 0 : pattern.At(x, y);
        row[x] = dc::ApplyRop3(rop, p, s, row[x] & 0xFFFFFFu);
      }
    }
  }
  dc::Dirty(d);
}

// The pixels from p0 towards p1: a negative extent starts at p0 itself and
// runs back (so x = w - 1 with width -w mirrors a w-pixel-wide area).
RECT Span(POINT p0, POINT p1) {
  RECT r{p0.x, p0.y, p1.x, p1.y};
  if (p1.x < p0.x) r = RECT{p1.x + 1, r.top, p0.x + 1, r.bottom};
  if (p1.y < p0.y) r = RECT{r.left, p1.y + 1, r.right, p0.y + 1};
  return r;
}

bool Transfer(DcImpl* d, RECT dstLogical, DcImpl* s, RECT srcLogical, DWORD rop) {
  // Device rectangles keep their direction so that negative sizes mirror.
  const POINT d0 = dc::ToSurface(d, dc::LpToDp(d->st, dstLogical.left, dstLogical.top));
  const POINT d1 = dc::ToSurface(d, dc::LpToDp(d->st, dstLogical.right, dstLogical.bottom));
  const RECT dst = Span(d0, d1);
  const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
  if (dw <= 0 || dh <= 0) return true;
  if (!UsesSource(rop)) {
    Blend(d, dst, nullptr, rop);
    return true;
  }
  if (!s) return false;
  const POINT s0 = dc::ToSurface(s, dc::LpToDp(s->st, srcLogical.left, srcLogical.top));
  const POINT s1 = dc::ToSurface(s, dc::LpToDp(s->st, srcLogical.right, srcLogical.bottom));
  const bool flipX = (s1.x - s0.x < 0) != (d1.x - d0.x < 0);
  const bool flipY = (s1.y - s0.y < 0) != (d1.y - d0.y < 0);
  const RECT srcRect = Span(s0, s1);
  const int sl = srcRect.left, st = srcRect.top;
  const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
  if (sw == 0 || sh == 0) return true;

  dc::Pixels spx = dc::Lock(s);
  if (!spx.data) return false;
  const bool srcMono = dc::MonoTarget(s), dstMono = dc::MonoTarget(d);
  const std::uint32_t srcBk = gdi::ToPixel(s->st.bkColor);
  const std::uint32_t fg = dc::Fit(d, d->st.textColor), bg = dc::Fit(d, d->st.bkColor);
  // Copied first, so that a source overlapping the destination reads the
  // pixels as they were.
  std::vector<std::uint32_t> buf(static_cast<std::size_t>(dw) * dh);
  for (int y = 0; y < dh; ++y) {
    int sy = st + static_cast<int>(static_cast<long long>(y) * sh / dh);
    if (flipY) sy = st + sh - 1 - (sy - st);
    for (int x = 0; x < dw; ++x) {
      int sx = sl + static_cast<int>(static_cast<long long>(x) * sw / dw);
      if (flipX) sx = sl + sw - 1 - (sx - sl);
      std::uint32_t v = 0;
      if (sx >= 0 && sy >= 0 && sx < spx.width && sy < spx.height) v = *spx.At(sx, sy) & 0xFFFFFFu;
      if (srcMono && !dstMono) v = v ? bg : fg;
      else if (!srcMono && dstMono) v = v == srcBk ? 0xFFFFFFu : 0;
      buf[static_cast<std::size_t>(y * dw + x)] = v;
    }
  }
  Blend(d, dst, &buf, rop);
  return true;
}

}  // namespace

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || UsesSource(rop)) return FALSE;
  return Transfer(d, RECT{x, y, x + width, y + height}, nullptr, RECT{}, rop);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  DcImpl* s = source ? dc::Lookup(source->m_hDC) : nullptr;
  RECT dst{x, y, x + width, y + height};
  RECT src{xSrc, ySrc, xSrc + width, ySrc + height};
  if (s) {
    // The same logical size in both DCs' own units.
    const POINT a = dc::LpToDp(d->st, x, y), b = dc::LpToDp(d->st, x + width, y + height);
    const POINT sa = dc::DpToLp(s->st, 0, 0);
    const POINT sb = dc::DpToLp(s->st, b.x - a.x, b.y - a.y);
    src = RECT{xSrc, ySrc, xSrc + (sb.x - sa.x), ySrc + (sb.y - sa.y)};
  }
  return Transfer(d, dst, s, src, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  DcImpl* s = source ? dc::Lookup(source->m_hDC) : nullptr;
  return Transfer(d, RECT{x, y, x + width, y + height}, s, RECT{xSrc, ySrc, xSrc + srcWidth, ySrc + srcHeight},
                  rop);
}
