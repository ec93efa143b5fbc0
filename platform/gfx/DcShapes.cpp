// Lines, shapes, fills, edges and pixels of CDC.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcState.h"
#include "platform/gfx/SysColors.h"

namespace {

struct Pen {
  bool none = true;
  int style = PS_SOLID;
  int width = 1;  // device pixels
  std::uint32_t color = 0;
};

Pen CurrentPen(DcImpl* d) {
  Pen p;
  GdiObjectImpl* o = gdi::Lookup(d->st.pen, OBJ_PEN);
  if (!o) return p;
  p.style = static_cast<int>(o->pen.lopnStyle & PS_STYLE_MASK);
  if (p.style == PS_NULL) return p;
  p.none = false;
  const int w = o->pen.lopnWidth.x;
  p.width = w <= 1 ? 1 : std::max(1, static_cast<int>(std::lround(w * std::fabs(dc::ScaleX(d->st)))));
  p.color = dc::Fit(d, o->pen.lopnColor);
  // Wide pens draw solid.
  if (p.width > 1 && p.style != PS_INSIDEFRAME) p.style = PS_SOLID;
  return p;
}

// On and off runs of the styled cosmetic pens, in pixels.
const std::vector<int>& Dashes(int style) {
  static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return none;
  }
}

// A mask of the pixels a cairo path covers (no antialiasing), limited to
// the clip; `box` receives its place in surface pixels. Null when nothing
// can show.
template <typename BuildPath>
cairo_surface_t* MakeMask(DcImpl* d, RECT bounds, RECT& box, BuildPath build) {
  dc::Clip(d);
  if (!IntersectRect(&box, &bounds, &d->clipBounds)) return nullptr;
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, box.right - box.left, box.bottom - box.top);
  cairo_t* cr = cairo_create(mask);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_translate(cr, -box.left, -box.top);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  build(cr);
  cairo_destroy(cr);
  return mask;
}

void ApplyMask(DcImpl* d, cairo_surface_t* mask, RECT box, const dc::Paint& paint) {
  if (!mask) return;
  dc::FillMask(d, mask, box, paint, d->st.rop2);
  cairo_surface_destroy(mask);
}

// A one-pixel line in surface pixels from a to b, b excluded, in the pen's
// style; `phase` carries the style across connected segments.
void CosmeticLine(DcImpl* d, const Pen& pen, POINT a, POINT b, int& phase) {
  dc::Pixels px = dc::Lock(d);
  if (!px.data) {
    // A vector surface: a line one device pixel wide through the pixel
    // centres, from a's near edge to b's near edge (b excluded).
    cairo_t* cr = dc::Cairo(d);
    if (!cr || (a.x == b.x && a.y == b.y)) return;
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const double ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
    dc::SetSource(cr, pen.color);
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    const auto& dashes = Dashes(pen.style);
    if (!dashes.empty()) {
      const std::vector<double> on(dashes.begin(), dashes.end());
      cairo_set_dash(cr, on.data(), static_cast<int>(on.size()), phase);
      phase += static_cast<int>(len);
    }
    cairo_move_to(cr, a.x + 0.5 - ux / 2, a.y + 0.5 - uy / 2);
    cairo_line_to(cr, b.x + 0.5 - ux / 2, b.y + 0.5 - uy / 2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    return;
  }
  const auto& dashes = Dashes(pen.style);
  int period = 0;
  for (int v : dashes) period += v;
  const bool opaqueGaps = d->st.bkMode == OPAQUE;
  const std::uint32_t bk = dc::Fit(d, d->st.bkColor);
  const int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
  const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
  const int steps = std::max(dx, dy);
  int x = a.x, y = a.y;
  int err = (dx >= dy ? dx : dy) / 2;
  for (int i = 0; i < steps; ++i) {
    bool on = true;
    if (period) {
      int pos = phase % period, k = 0;
      while (pos >= dashes[static_cast<std::size_t>(k)]) pos -= dashes[static_cast<std::size_t>(k++)];
      on = (k % 2) == 0;
    }
    ++phase;
    if (on) dc::PutPixel(d, px, x, y, pen.color, d->st.rop2);
    else if (opaqueGaps) dc::PutPixel(d, px, x, y, bk, d->st.rop2);
    if (dx >= dy) {
      x += sx;
      err -= dy;
      if (err < 0) { y += sy; err += dx; }
    } else {
      y += sy;
      err -= dx;
      if (err < 0) { x += sx; err += dy; }
    }
  }
  dc::Dirty(d);
}

void WideLine(DcImpl* d, const Pen& pen, const std::vector<POINT>& pts, bool closed) {
  if (pts.size() < 2) return;
  RECT bounds{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (const POINT& p : pts) {
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x);
    bounds.bottom = std::max(bounds.bottom, p.y);
  }
  InflateRect(&bounds, pen.width + 1, pen.width + 1);
  RECT box;
  cairo_surface_t* mask = MakeMask(d, bounds, box, [&](cairo_t* cr) {
    cairo_set_line_width(cr, pen.width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
    for (std::size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x + 0.5, pts[i].y + 0.5);
    if (closed) cairo_close_path(cr);
    cairo_stroke(cr);
  });
  ApplyMask(d, mask, box, dc::SolidPaint(pen.color));
}

// Connected lines through surface points; the last point is excluded
// unless the figure is closed.
void Lines(DcImpl* d, const std::vector<POINT>& pts, bool closed) {
  const Pen pen = CurrentPen(d);
  if (pen.none || pts.size() < 2) return;
  if (pen.width > 1) {
    WideLine(d, pen, pts, closed);
    return;
  }
  int phase = 0;
  for (std::size_t i = 1; i < pts.size(); ++i) CosmeticLine(d, pen, pts[i - 1], pts[i], phase);
  if (closed) CosmeticLine(d, pen, pts.back(), pts.front(), phase);
}

std::vector<POINT> ToSurface(DcImpl* d, const POINT* points, int count) {
  std::vector<POINT> out;
  out.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) out.push_back(dc::ToSurface(d, dc::LpToDp(d->st, points[i].x, points[i].y)));
  return out;
}

RECT SurfaceRect(DcImpl* d, const RECT& r) { return dc::ToSurface(d, dc::LpToDpRect(d->st, r)); }

// The frame of a rectangle, `w` pixels thick, inside it.
void FrameBand(DcImpl* d, RECT r, int w, const dc::Paint& paint, int rop2) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  w = std::max(1, std::min(w, std::min((r.right - r.left + 1) / 2, (r.bottom - r.top + 1) / 2)));
  dc::FillRect(d, RECT{r.left, r.top, r.right, r.top + w}, paint, rop2);
  dc::FillRect(d, RECT{r.left, r.bottom - w, r.right, r.bottom}, paint, rop2);
  dc::FillRect(d, RECT{r.left, r.top + w, r.left + w, r.bottom - w}, paint, rop2);
  dc::FillRect(d, RECT{r.right - w, r.top + w, r.right, r.bottom - w}, paint, rop2);
}

// Pixels of a rectangle frame, each once, for the dotted focus frame.
template <typename F>
void ForFramePixels(const RECT& r, F f) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  for (int x = r.left; x < r.right; ++x) f(x, r.top);
  if (r.bottom - 1 > r.top)
    for (int x = r.left; x < r.right; ++x) f(x, r.bottom - 1);
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    f(r.left, y);
    if (r.right - 1 > r.left) f(r.right - 1, y);
  }
}

}  // namespace

CPoint CDC::MoveTo(int x, int y) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.current);
  d->st.current = POINT{x, y};
  return old;
}

CPoint CDC::GetCurrentPosition() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CPoint(d->st.current) : CPoint(0, 0);
}

BOOL CDC::LineTo(int x, int y) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  const POINT pts[2] = {d->st.current, POINT{x, y}};
  Lines(d, ToSurface(d, pts, 2), false);
  d->st.current = POINT{x, y};
  return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !points || count < 2) return FALSE;
  Lines(d, ToSurface(d, points, count), false);
  return TRUE;
}

BOOL CDC::PolyPolyline(const POINT* points, const DWORD* counts, int polylines) {
  if (!points || !counts) return FALSE;
  for (int i = 0; i < polylines; ++i) {
    Polyline(points, static_cast<int>(counts[i]));
    points += counts[i];
  }
  return TRUE;
}

int CDC::SetPolyFillMode(int mode) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || (mode != ALTERNATE && mode != WINDING)) return 0;
  std::swap(d->st.polyFillMode, mode);
  return mode;
}

int CDC::GetPolyFillMode() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? d->st.polyFillMode : 0;
}

BOOL CDC::Polygon(const POINT* points, int count) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !points || count < 2) return FALSE;
  const std::vector<POINT> pts = ToSurface(d, points, count);
  RECT bounds{pts[0].x, pts[0].y, pts[0].x + 1, pts[0].y + 1};
  for (const POINT& p : pts) {
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x + 1);
    bounds.bottom = std::max(bounds.bottom, p.y + 1);
  }
  RECT box;
  cairo_surface_t* mask = MakeMask(d, bounds, box, [&](cairo_t* cr) {
    cairo_set_fill_rule(cr, d->st.polyFillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_move_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
    for (std::size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x + 0.5, pts[i].y + 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
  });
  ApplyMask(d, mask, box, dc::BrushPaint(d, d->st.brush));
  Lines(d, pts, true);
  return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  const RECT r = SurfaceRect(d, RECT{left, top, right, bottom});
  const Pen pen = CurrentPen(d);
  const dc::Paint brush = dc::BrushPaint(d, d->st.brush);
  if (pen.none) {
    // Without a pen the fill is one pixel smaller on the right and bottom.
    dc::FillRect(d, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, brush, d->st.rop2);
    return TRUE;
  }
  if (pen.width <= 1) {
    dc::FillRect(d, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, brush, d->st.rop2);
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    if (r.right - r.left == 1 || r.bottom - r.top == 1) {
      dc::FillRect(d, r, dc::SolidPaint(pen.color), d->st.rop2);
      return TRUE;
    }
    // The four sides each exclude their end point, so every frame pixel is
    // drawn once (an XOR frame stays self-inverse).
    Lines(d, {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}}, true);
    return TRUE;
  }
  RECT outer = r;
  if (pen.style != PS_INSIDEFRAME) {
    // A wide pen is centred on the rectangle's one-pixel outline.
    outer = RECT{r.left - pen.width / 2, r.top - pen.width / 2, r.right + (pen.width - 1) / 2,
                 r.bottom + (pen.width - 1) / 2};
  }
  dc::FillRect(d, RECT{outer.left + pen.width, outer.top + pen.width, outer.right - pen.width, outer.bottom - pen.width},
               brush, d->st.rop2);
  FrameBand(d, outer, pen.width, dc::SolidPaint(pen.color), d->st.rop2);
  return TRUE;
}

namespace {

void Curve(DcImpl* d, RECT r, double cornerW, double cornerH) {
  const Pen pen = CurrentPen(d);
  const dc::Paint brush = dc::BrushPaint(d, d->st.brush);
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return;
  auto path = [&](cairo_t* cr, double inset) {
    const double l = r.left + 0.5 + inset, t = r.top + 0.5 + inset;
    const double w = r.right - r.left - 1 - 2 * inset, h = r.bottom - r.top - 1 - 2 * inset;
    if (w <= 0 || h <= 0) return;
    if (cornerW < 0) {  // ellipse
      cairo_save(cr);
      cairo_translate(cr, l + w / 2, t + h / 2);
      cairo_scale(cr, w / 2, h / 2);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      return;
    }
    const double rx = std::min(cornerW / 2, w / 2), ry = std::min(cornerH / 2, h / 2);
    cairo_new_sub_path(cr);
    auto corner = [&](double cx, double cy, double a0) {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, std::max(rx, 0.01), std::max(ry, 0.01));
      cairo_arc(cr, 0, 0, 1, a0, a0 + M_PI / 2);
      cairo_restore(cr);
    };
    corner(l + w - rx, t + ry, -M_PI / 2);
    corner(l + w - rx, t + h - ry, 0);
    corner(l + rx, t + h - ry, M_PI / 2);
    corner(l + rx, t + ry, M_PI);
    cairo_close_path(cr);
  };
  RECT box;
  const double inset = pen.none ? 0 : (pen.width > 1 && pen.style != PS_INSIDEFRAME ? 0 : (pen.width - 1) / 2.0);
  RECT bounds = r;
  InflateRect(&bounds, pen.width, pen.width);
  if (!brush.none) {
    cairo_surface_t* fill = MakeMask(d, bounds, box, [&](cairo_t* cr) {
      path(cr, inset);
      cairo_fill(cr);
    });
    ApplyMask(d, fill, box, brush);
  }
  if (!pen.none) {
    cairo_surface_t* outline = MakeMask(d, bounds, box, [&](cairo_t* cr) {
      path(cr, inset);
      cairo_set_line_width(cr, pen.width);
      if (pen.width == 1 && pen.style != PS_SOLID && pen.style != PS_INSIDEFRAME) {
        std::vector<double> dashes(Dashes(pen.style).begin(), Dashes(pen.style).end());
        cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
      }
      cairo_stroke(cr);
    });
    ApplyMask(d, outline, box, dc::SolidPaint(pen.color));
  }
}

}  // namespace

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  Curve(d, SurfaceRect(d, RECT{left, top, right, bottom}), -1, -1);
  return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  Curve(d, SurfaceRect(d, RECT{left, top, right, bottom}), std::fabs(width * dc::ScaleX(d->st)),
        std::fabs(height * dc::ScaleY(d->st)));
  return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CLR_INVALID;
  const POINT p = dc::ToSurface(d, dc::LpToDp(d->st, x, y));
  dc::Pixels px = dc::Lock(d);
  if (!px.data || !dc::Visible(d, p.x, p.y)) return CLR_INVALID;
  const std::uint32_t v = dc::Fit(d, color);
  *px.At(p.x, p.y) = v;
  dc::Dirty(d);
  return gdi::FromPixel(v);
}

COLORREF CDC::GetPixel(int x, int y) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CLR_INVALID;
  const POINT p = dc::ToSurface(d, dc::LpToDp(d->st, x, y));
  dc::Pixels px = dc::Lock(d);
  if (!px.data || !dc::Visible(d, p.x, p.y)) return CLR_INVALID;
  return gdi::FromPixel(*px.At(p.x, p.y));
}

// ---- fills ----

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect || !brush) return;
  dc::FillRect(d, SurfaceRect(d, *rect), dc::BrushPaint(d, brush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect) return;
  // The framework fills through the background colour and leaves it set.
  d->st.bkColor = color;
  dc::FillRect(d, SurfaceRect(d, *rect), dc::SolidPaint(dc::Fit(d, color)));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  const RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, color);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect || !brush) return;
  FrameBand(d, SurfaceRect(d, *rect), 1, dc::BrushPaint(d, brush->m_hObject), R2_COPYPEN);
}

void CDC::InvertRect(LPCRECT rect) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect) return;
  dc::InvertRect(d, SurfaceRect(d, *rect));
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx, y, -1, cy, bottomRight);
  FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  if (!rect) return;
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect) return FALSE;
  RECT r = SurfaceRect(d, *rect);
  const bool soft = flags & BF_SOFT, mono = flags & BF_MONO, flat = flags & BF_FLAT;
  auto sys = [](int index) { return gdi::ToPixel(GetSysColor(index)); };
  // Colours of the outer and inner rings: top-left, bottom-right.
  struct Ring { bool on; std::uint32_t tl, br; };
  Ring rings[2] = {{false, 0, 0}, {false, 0, 0}};
  if (edge & BDR_OUTER) {
    rings[0].on = true;
    if (mono) rings[0].tl = rings[0].br = sys(COLOR_WINDOWFRAME);
    else if (flat) rings[0].tl = rings[0].br = sys(COLOR_3DSHADOW);
    else if (edge & BDR_RAISEDOUTER) {
      rings[0].tl = sys(soft ? COLOR_3DHILIGHT : COLOR_3DLIGHT);
      rings[0].br = sys(COLOR_3DDKSHADOW);
    } else {
      rings[0].tl = sys(soft ? COLOR_3DDKSHADOW : COLOR_3DSHADOW);
      rings[0].br = sys(COLOR_3DHILIGHT);
    }
  }
  if (edge & BDR_INNER) {
    rings[1].on = true;
    if (mono) rings[1].tl = rings[1].br = sys(COLOR_WINDOW);
    else if (flat) rings[1].tl = rings[1].br = sys(COLOR_3DFACE);
    else if (edge & BDR_RAISEDINNER) {
      rings[1].tl = sys(soft ? COLOR_3DLIGHT : COLOR_3DHILIGHT);
      rings[1].br = sys(COLOR_3DSHADOW);
    } else {
      rings[1].tl = sys(soft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW);
      rings[1].br = sys(COLOR_3DLIGHT);
    }
  }
  for (const Ring& ring : rings) {
    if (!ring.on || r.right <= r.left || r.bottom <= r.top) continue;
    // Top and left first; bottom and right after, owning the far corners.
    if (flags & BF_TOP) dc::FillRect(d, RECT{r.left, r.top, r.right, r.top + 1}, dc::SolidPaint(ring.tl));
    if (flags & BF_LEFT) dc::FillRect(d, RECT{r.left, r.top, r.left + 1, r.bottom}, dc::SolidPaint(ring.tl));
    if (flags & BF_BOTTOM) dc::FillRect(d, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dc::SolidPaint(ring.br));
    if (flags & BF_RIGHT) dc::FillRect(d, RECT{r.right - 1, r.top, r.right, r.bottom}, dc::SolidPaint(ring.br));
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_BOTTOM) --r.bottom;
    if (flags & BF_RIGHT) --r.right;
  }
  if (flags & BF_MIDDLE) dc::FillRect(d, r, dc::SolidPaint(sys(mono ? COLOR_WINDOW : COLOR_3DFACE)));
  if (flags & BF_ADJUST) {
    OffsetRect(&r, -d->originX, -d->originY);
    const POINT a = dc::DpToLp(d->st, r.left, r.top), b = dc::DpToLp(d->st, r.right, r.bottom);
    *rect = RECT{a.x, a.y, b.x, b.y};
  }
  return TRUE;
}

void CDC::DrawFocusRect(LPCRECT rect) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect) return;
  const RECT r = SurfaceRect(d, *rect);
  dc::Pixels px = dc::Lock(d);
  if (!px.data) return;
  // Every other pixel of the frame, by the DC's own pixel grid, inverted:
  // drawing it again removes it.
  ForFramePixels(r, [&](int x, int y) {
    if (((x - d->originX) + (y - d->originY)) % 2 != 0) return;
    dc::PutPixel(d, px, x, y, 0, R2_NOT);
  });
  dc::Dirty(d);
}

BOOL CDC::FillRgn(CRgn* region, CBrush* brush) {
  DcImpl* d = dc::Lookup(m_hDC);
  GdiObjectImpl* r = region ? gdi::Lookup(region->m_hObject, OBJ_REGION) : nullptr;
  if (!d || !r || !brush) return FALSE;
  const dc::Paint paint = dc::BrushPaint(d, brush->m_hObject);
  for (const RECT& rc : r->region.Rects()) dc::FillRect(d, SurfaceRect(d, rc), paint);
  return TRUE;
}

BOOL CDC::PaintRgn(CRgn* region) {
  DcImpl* d = dc::Lookup(m_hDC);
  return d && FillRgn(region, CBrush::FromHandle(d->st.brush));
}

BOOL CDC::InvertRgn(CRgn* region) {
  DcImpl* d = dc::Lookup(m_hDC);
  GdiObjectImpl* r = region ? gdi::Lookup(region->m_hObject, OBJ_REGION) : nullptr;
  if (!d || !r) return FALSE;
  for (const RECT& rc : r->region.Rects()) dc::InvertRect(d, SurfaceRect(d, rc));
  return TRUE;
}
