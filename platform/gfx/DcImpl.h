// The seam between the window layer and the drawing layer.
//
// The window layer owns the pixel surfaces of top-level windows; a device
// context for a window (paint, client or whole-window DC) is a DC drawing
// into such a surface, with its logical (0,0) at a given surface pixel and
// clipped to a rectangle of surface pixels. Child windows share their
// top-level window's surface through their own origin and clip.
#pragma once

#include <cairo.h>

#include <memory>

#include "platform/base/Geometry.h"
#include "platform/base/types.h"

// A DC drawing into `surface` (an image surface for pixel-exact drawing):
// logical (0,0) at surface pixel (originX, originY), every drawing clipped to
// `deviceClip` (surface pixels). The DC keeps a reference on the surface.
HDC CreateSurfaceDC(cairo_surface_t* surface, int originX, int originY, const RECT& deviceClip);
// Releases a DC made by CreateSurfaceDC (or any other DC); objects selected
// into it stay alive with their owners.
void DeleteSurfaceDC(HDC dc);
// The surface a DC draws into (a memory DC: its selected bitmap's), or null.
cairo_surface_t* SurfaceOfDC(HDC dc);
// Flushes pending cairo drawing of the DC into its surface's pixels; called
// before the pixels are presented or read directly.
void FlushDC(HDC dc);

// The page of a printer, in device pixels at its resolution: the paper's
// whole size and the printable area's size and offset on it.
struct PrinterPage {
  int dpiX = 300, dpiY = 300;
  int physWidth = 2550, physHeight = 3300;  // US letter at 300 dpi
  int offsetX = 0, offsetY = 0;
  int horzRes = 2550, vertRes = 3300;
};
// A printer DC: device (0,0) is the printable area's top-left corner. It has
// no surface until a document gives it one; text metrics work without.
HDC CreatePrinterSurfaceDC(const PrinterPage& page);
// Gives a printer DC the vector surface of its document (units: points,
// 72 per inch), or takes it away with null. The DC keeps a reference.
void SetPrinterSurface(HDC dc, cairo_surface_t* surface);
// The page of a printer DC; null for any other DC.
const PrinterPage* PrinterPageOf(HDC dc);
// The document a printer DC is printing, kept by the printer layer; it is
// released (and an unfinished document thrown away) when the DC is deleted.
void SetPrinterJob(HDC dc, std::shared_ptr<void> job);
void* PrinterJobOf(HDC dc);
