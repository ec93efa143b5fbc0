// The seam between the window layer and the drawing layer.
//
// The window layer owns the pixel surfaces of top-level windows; a device
// context for a window (paint, client or whole-window DC) is a DC drawing
// into such a surface, with its logical (0,0) at a given surface pixel and
// clipped to a rectangle of surface pixels. Child windows share their
// top-level window's surface through their own origin and clip.
#pragma once

#include <cairo.h>

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
