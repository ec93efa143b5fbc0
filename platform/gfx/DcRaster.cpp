// The pixel engine behind the drawing operations: fills, raster operations
// and masks applied straight to the RGB24 words of an image surface, so
// that results are exact and inversions undo themselves.
#include <algorithm>

#include "platform/gfx/DcState.h"

namespace dc {

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

bool IsImage(cairo_surface_t* s) {
  return s && cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE &&
         cairo_image_surface_get_format(s) == CAIRO_FORMAT_RGB24;
}

// 8 x 8 hatch masks: bit (7 - x) of row y is set where the hatch line is.
constexpr std::uint8_t kHatch[6][8] = {
    {0xFF, 0, 0, 0, 0, 0, 0, 0},                          // HS_HORIZONTAL
    {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},     // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},     // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},     // HS_BDIAGONAL
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},     // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},     // HS_DIAGCROSS
};

// A colour on a monochrome target: white when light, else black.
std::uint32_t ToMono(std::uint32_t p) {
  const int sum = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
  return sum >= 3 * 128 ? kRgbMask : 0;
}

}  // namespace

void SetSource(cairo_t* cr, std::uint32_t c) {
  cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
}

Pixels Lock(DcImpl* d) {
  Pixels px;
  if (!IsImage(d->surface)) return px;
  cairo_surface_flush(d->surface);
  px.data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(d->surface));
  px.stride = cairo_image_surface_get_stride(d->surface) / 4;
  px.width = cairo_image_surface_get_width(d->surface);
  px.height = cairo_image_surface_get_height(d->surface);
  return px;
}

void Dirty(DcImpl* d) {
  if (d->surface) cairo_surface_mark_dirty(d->surface);
}

std::uint32_t Fit(DcImpl* d, COLORREF color) {
  const std::uint32_t p = gdi::ToPixel(color);
  return MonoTarget(d) ? ToMono(p) : p;
}

Paint SolidPaint(std::uint32_t color) {
  Paint p;
  p.color = color;
  return p;
}

Paint BrushPaint(DcImpl* d, HGDIOBJ brush) {
  Paint p;
  GdiObjectImpl* b = gdi::Lookup(brush, OBJ_BRUSH);
  if (!b || b->brush.lbStyle == BS_NULL) {
    p.none = true;
    return p;
  }
  const bool mono = MonoTarget(d);
  auto fix = [mono](std::uint32_t c) { return mono ? ToMono(c) : c; };
  p.orgX = d->st.brushOrg.x + d->originX;
  p.orgY = d->st.brushOrg.y + d->originY;
  if (b->brush.lbStyle == BS_HATCHED) {
    // Hatch lines in the brush colour; between them the background colour
    // in OPAQUE mode, the destination in TRANSPARENT mode.
    const int hatch = static_cast<int>(b->brush.lbHatch);
    const std::uint32_t fg = fix(gdi::ToPixel(b->brush.lbColor)), bg = fix(gdi::ToPixel(d->st.bkColor));
    p.pw = p.ph = 8;
    p.pattern.resize(64);
    if (d->st.bkMode == TRANSPARENT) p.transparent.assign(64, 0);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const bool on = (kHatch[hatch][y] >> (7 - x)) & 1;
        p.pattern[static_cast<std::size_t>(y * 8 + x)] = on ? fg : bg;
        if (!on && !p.transparent.empty()) p.transparent[static_cast<std::size_t>(y * 8 + x)] = 1;
      }
    return p;
  }
  if (b->brush.lbStyle == BS_PATTERN && b->pattern) {
    const PixelImage& img = *b->pattern;
    p.pw = img.width;
    p.ph = img.height;
    p.pattern = img.pixels;
    if (img.mono) {
      // Black bits take the text colour, white ones the background colour.
      const std::uint32_t fg = fix(gdi::ToPixel(d->st.textColor)), bg = fix(gdi::ToPixel(d->st.bkColor));
      for (auto& px : p.pattern) px = (px & kRgbMask) ? bg : fg;
    } else if (mono) {
      for (auto& px : p.pattern) px = ToMono(px);
    }
    return p;
  }
  p.color = fix(gdi::ToPixel(b->brush.lbColor));
  return p;
}

std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst) {
  switch (rop2) {
    case R2_COPYPEN: return pen;
    case R2_NOT: return ~dst & kRgbMask;
    case R2_XORPEN: return (pen ^ dst) & kRgbMask;
    case R2_NOP: return dst;
    default: break;
  }
  // Bit k of (rop2 - 1) gives the result for pen bit P and destination bit
  // D where k = 2P + D.
  const unsigned table = static_cast<unsigned>(rop2 - 1) & 0xF;
  std::uint32_t r = 0;
  if (table & 1) r |= ~pen & ~dst;
  if (table & 2) r |= ~pen & dst;
  if (table & 4) r |= pen & ~dst;
  if (table & 8) r |= pen & dst;
  return r & kRgbMask;
}

std::uint32_t ApplyRop3(DWORD rop, std::uint32_t pat, std::uint32_t src, std::uint32_t dst) {
  const unsigned table = (rop >> 16) & 0xFF;
  switch (table) {
    case 0xCC: return src & kRgbMask;
    case 0xF0: return pat & kRgbMask;
    case 0x55: return ~dst & kRgbMask;
    case 0x5A: return (pat ^ dst) & kRgbMask;
    case 0x66: return (src ^ dst) & kRgbMask;
    case 0x88: return src & dst & kRgbMask;
    case 0xEE: return (src | dst) & kRgbMask;
    case 0x00: return 0;
    case 0xFF: return kRgbMask;
    default: break;
  }
  // Bit k of the table gives the result for pattern, source and
  // destination bits P, S, D where k = 4P + 2S + D.
  std::uint32_t r = 0;
  for (unsigned k = 0; k < 8; ++k) {
    if (!((table >> k) & 1)) continue;
    const std::uint32_t p = (k & 4) ? pat : ~pat;
    const std::uint32_t s = (k & 2) ? src : ~src;
    const std::uint32_t dd = (k & 1) ? dst : ~dst;
    r |= p & s & dd;
  }
  return r & kRgbMask;
}

bool Visible(DcImpl* d, int x, int y) {
  for (const RECT& c : Clip(d))
    if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) return true;
  return false;
}

void PutPixel(DcImpl* d, const Pixels& px, int x, int y, std::uint32_t color, int rop2) {
  if (!px.data || !Visible(d, x, y)) return;
  std::uint32_t* p = px.At(x, y);
  *p = ApplyRop2(rop2, color, *p & kRgbMask);
}

void FillRect(DcImpl* d, RECT r, const Paint& paint, int rop2) {
  if (paint.none || r.right <= r.left || r.bottom <= r.top) return;
  Pixels px = Lock(d);
  if (!px.data) {
    // A vector surface (a printer's page): plain colour through cairo.
    if (cairo_t* cr = Cairo(d)) {
      SetSource(cr, paint.color);
      cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
      cairo_fill(cr);
    }
    return;
  }
  const bool mono = MonoTarget(d);
  for (const RECT& c : Clip(d)) {
    RECT i;
    if (!IntersectRect(&i, &r, &c)) continue;
    for (int y = i.top; y < i.bottom; ++y) {
      std::uint32_t* row = px.At(0, y);
      if (paint.pattern.empty() && rop2 == R2_COPYPEN) {
        std::fill(row + i.left, row + i.right, mono ? ToMono(paint.color) : paint.color);
        continue;
      }
      for (int x = i.left; x < i.right; ++x) {
        if (paint.Skip(x, y)) continue;
        std::uint32_t color = paint.At(x, y);
        if (mono && paint.pattern.empty()) color = ToMono(color);
        row[x] = ApplyRop2(rop2, color, row[x] & kRgbMask);
      }
    }
  }
  Dirty(d);
}

void InvertRect(DcImpl* d, RECT r) {
  Pixels px = Lock(d);
  if (!px.data) return;
  for (const RECT& c : Clip(d)) {
    RECT i;
    if (!IntersectRect(&i, &r, &c)) continue;
    for (int y = i.top; y < i.bottom; ++y) {
      std::uint32_t* row = px.At(0, y);
      for (int x = i.left; x < i.right; ++x) row[x] = ~row[x] & kRgbMask;
    }
  }
  Dirty(d);
}

void FillMask(DcImpl* d, cairo_surface_t* mask, RECT box, const Paint& paint, int rop2) {
  if (paint.none) return;
  Pixels px = Lock(d);
  if (!px.data) {
    // A vector surface: the mask's covered pixels in the paint's colour.
    if (cairo_t* cr = Cairo(d)) {
      SetSource(cr, paint.color);
      cairo_mask_surface(cr, mask, box.left, box.top);
    }
    return;
  }
  cairo_surface_flush(mask);
  const unsigned char* m = cairo_image_surface_get_data(mask);
  const int mstride = cairo_image_surface_get_stride(mask);
  const bool mono = MonoTarget(d);
  for (const RECT& c : Clip(d)) {
    RECT i;
    if (!IntersectRect(&i, &box, &c)) continue;
    for (int y = i.top; y < i.bottom; ++y) {
      std::uint32_t* row = px.At(0, y);
      const unsigned char* mrow = m + static_cast<std::ptrdiff_t>(y - box.top) * mstride;
      for (int x = i.left; x < i.right; ++x) {
        if (mrow[x - box.left] < 128 || paint.Skip(x, y)) continue;
        std::uint32_t color = paint.At(x, y);
        if (mono && paint.pattern.empty()) color = ToMono(color);
        row[x] = ApplyRop2(rop2, color, row[x] & kRgbMask);
      }
    }
  }
  Dirty(d);
}

}  // namespace dc
