// The record behind an HDC and the pixel engine the drawing operations
// share. Internal to the drawing layer.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/DcImpl.h"
#include "platform/gfx/GdiObjectImpl.h"
#include "platform/gfx/RegionData.h"

class CDC;

struct DcState {
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;  // memory DCs
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  int polyFillMode = ALTERNATE;
  UINT textAlign = TA_LEFT | TA_TOP;
  int charExtra = 0;
  POINT brushOrg{0, 0};
  POINT current{0, 0};
  int mapMode = MM_TEXT;
  POINT windowOrg{0, 0};
  SIZE windowExt{1, 1};
  POINT viewportOrg{0, 0};
  SIZE viewportExt{1, 1};
  bool hasClip = false;
  RegionData clip;  // device units (the DC's own pixels, not the surface's)
};

struct DcImpl {
  cairo_surface_t* surface = nullptr;  // a surface DC's (referenced) or the selected bitmap's
  bool memory = false;
  HGDIOBJ ownedBitmap = nullptr;       // a memory DC's initial 1 x 1 bitmap
  int originX = 0, originY = 0;        // surface pixel of device (0,0)
  RECT deviceClip{0, 0, 0, 0};         // surface pixels
  DcState st;
  std::vector<DcState> saved;
  CDC* owner = nullptr;
  std::unique_ptr<CDC> temp;
  cairo_t* cr = nullptr;               // for text and curves, made on demand

  // Device description (GetDeviceCaps).
  int dpiX = 96, dpiY = 96;
  int horzRes = 1024, vertRes = 768;
  // A printer DC: its page and the scale from device pixels to the vector
  // surface's units (points on a PDF page).
  bool printer = false;
  PrinterPage page;
  double surfaceScale = 1.0;
  std::shared_ptr<void> job;

  // Effective clip in surface pixels, rebuilt when the state changes.
  bool clipDirty = true;
  std::vector<RECT> clipRects;
  RECT clipBounds{0, 0, 0, 0};
};

namespace dc {

DcImpl* Lookup(HDC dc);
const std::vector<RECT>& Clip(DcImpl* d);
bool MonoTarget(DcImpl* d);
cairo_t* Cairo(DcImpl* d);  // clipped to the effective clip; caller saves/restores
void ResetCairo(DcImpl* d);

// Mapping: logical to device (DC pixels) and surface pixels.
double ScaleX(const DcState& s);
double ScaleY(const DcState& s);
POINT LpToDp(const DcState& s, int x, int y);
POINT DpToLp(const DcState& s, int x, int y);
RECT LpToDpRect(const DcState& s, const RECT& r);  // normalized
inline POINT ToSurface(const DcImpl* d, POINT p) { return POINT{p.x + d->originX, p.y + d->originY}; }
inline RECT ToSurface(const DcImpl* d, RECT r) {
  OffsetRect(&r, d->originX, d->originY);
  return r;
}

// ---- pixel engine ----

struct Pixels {
  std::uint32_t* data = nullptr;
  int stride = 0;  // in pixels
  int width = 0, height = 0;
  std::uint32_t* At(int x, int y) const { return data + static_cast<std::ptrdiff_t>(y) * stride + x; }
};
// Pixels of the DC's surface (flushed), or data == null when it is not an
// image surface. Call Dirty after writing.
Pixels Lock(DcImpl* d);
void Dirty(DcImpl* d);
// Sets a cairo source to an RGB24 pixel colour.
void SetSource(cairo_t* cr, std::uint32_t color);

// What a fill paints: a colour or a pattern repeated from an origin in
// surface pixels; `transparent` pattern pixels are left alone.
struct Paint {
  bool none = false;
  std::uint32_t color = 0;
  std::vector<std::uint32_t> pattern;
  std::vector<std::uint8_t> transparent;
  int pw = 0, ph = 0;
  int orgX = 0, orgY = 0;
  std::uint32_t At(int x, int y) const {
    if (pattern.empty()) return color;
    const int px = ((x - orgX) % pw + pw) % pw, py = ((y - orgY) % ph + ph) % ph;
    return pattern[static_cast<std::size_t>(py * pw + px)];
  }
  bool Skip(int x, int y) const {
    if (transparent.empty()) return false;
    const int px = ((x - orgX) % pw + pw) % pw, py = ((y - orgY) % ph + ph) % ph;
    return transparent[static_cast<std::size_t>(py * pw + px)] != 0;
  }
};
Paint BrushPaint(DcImpl* d, HGDIOBJ brush);
// A colour as the DC's target holds it (black or white on a monochrome one).
std::uint32_t Fit(DcImpl* d, COLORREF color);
Paint SolidPaint(std::uint32_t color);

std::uint32_t ApplyRop2(int rop2, std::uint32_t pen, std::uint32_t dst);
std::uint32_t ApplyRop3(DWORD rop, std::uint32_t pat, std::uint32_t src, std::uint32_t dst);

// Fills a rectangle of surface pixels, clipped, with ROP2 `rop2`.
void FillRect(DcImpl* d, RECT r, const Paint& paint, int rop2 = R2_COPYPEN);
// Inverts the pixels of a rectangle (surface pixels), clipped.
void InvertRect(DcImpl* d, RECT r);
// One pixel, clipped.
void PutPixel(DcImpl* d, const Pixels& px, int x, int y, std::uint32_t color, int rop2);
bool Visible(DcImpl* d, int x, int y);
// Applies a paint where an A8 mask (covering `box`, surface pixels) is set.
void FillMask(DcImpl* d, cairo_surface_t* mask, RECT box, const Paint& paint, int rop2);

}  // namespace dc
