#include "platform/gfx/Dc.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_set>

#include "platform/gfx/DcState.h"
#include "platform/host/Host.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

std::unordered_set<DcImpl*>& LiveDcs() {
  static auto* live = new std::unordered_set<DcImpl*>;
  return *live;
}

void SelectInitial(DcImpl* d) {
  d->st.pen = GetStockObject(BLACK_PEN);
  d->st.brush = GetStockObject(WHITE_BRUSH);
  d->st.font = GetStockObject(SYSTEM_FONT);
  gdi::Retain(d->st.pen);
  gdi::Retain(d->st.brush);
  gdi::Retain(d->st.font);
}

void ReleaseState(DcState& s) {
  gdi::Release(s.pen);
  gdi::Release(s.brush);
  gdi::Release(s.font);
  if (s.bitmap) gdi::Release(s.bitmap);
}

void RetainState(const DcState& s) {
  gdi::Retain(s.pen);
  gdi::Retain(s.brush);
  gdi::Retain(s.font);
  if (s.bitmap) gdi::Retain(s.bitmap);
}

void ScreenCaps(DcImpl* d) {
  platform::Host& host = platform::GetHost();
  d->dpiX = d->dpiY = host.Dpi() > 0 ? host.Dpi() : 96;
  d->horzRes = host.ScreenWidth();
  d->vertRes = host.ScreenHeight();
}

DcImpl* NewDc() {
  auto* d = new DcImpl;
  LiveDcs().insert(d);
  SelectInitial(d);
  return d;
}

// Points the DC at the bitmap selected into it (memory DCs).
void UseBitmap(DcImpl* d) {
  dc::ResetCairo(d);
  GdiObjectImpl* b = gdi::Lookup(d->st.bitmap, OBJ_BITMAP);
  d->surface = b ? b->surface : nullptr;
  const int w = d->surface ? cairo_image_surface_get_width(d->surface) : 0;
  const int h = d->surface ? cairo_image_surface_get_height(d->surface) : 0;
  d->deviceClip = RECT{0, 0, w, h};
  d->clipDirty = true;
}

long Round(double v) { return std::lround(v); }

// The viewport extent of an isotropic mapping: the larger scale is shrunk
// so that a logical unit is as long across as up.
void FixIsotropic(DcState& s) {
  if (s.mapMode != MM_ISOTROPIC || !s.windowExt.cx || !s.windowExt.cy) return;
  const double sx = std::fabs(static_cast<double>(s.viewportExt.cx) / s.windowExt.cx);
  const double sy = std::fabs(static_cast<double>(s.viewportExt.cy) / s.windowExt.cy);
  if (sx > sy) {
    const long cx = Round(std::fabs(static_cast<double>(s.windowExt.cx)) * sy);
    s.viewportExt.cx = s.viewportExt.cx < 0 ? -cx : cx;
  } else if (sy > sx) {
    const long cy = Round(std::fabs(static_cast<double>(s.windowExt.cy)) * sx);
    s.viewportExt.cy = s.viewportExt.cy < 0 ? -cy : cy;
  }
}

}  // namespace

// ---- the seam ----

HDC CreateSurfaceDC(cairo_surface_t* surface, int originX, int originY, const RECT& deviceClip) {
  DcImpl* d = NewDc();
  if (surface) d->surface = cairo_surface_reference(surface);
  d->originX = originX;
  d->originY = originY;
  d->deviceClip = deviceClip;
  ScreenCaps(d);
  return d;
}

HDC CreatePrinterSurfaceDC(const PrinterPage& page) {
  DcImpl* d = NewDc();
  d->printer = true;
  d->page = page;
  d->dpiX = page.dpiX;
  d->dpiY = page.dpiY;
  d->horzRes = page.horzRes;
  d->vertRes = page.vertRes;
  d->originX = page.offsetX;
  d->originY = page.offsetY;
  d->deviceClip = RECT{page.offsetX, page.offsetY, page.offsetX + page.horzRes, page.offsetY + page.vertRes};
  d->surfaceScale = 72.0 / page.dpiX;
  return d;
}

void SetPrinterSurface(HDC dc, cairo_surface_t* surface) {
  DcImpl* d = dc::Lookup(dc);
  if (!d || !d->printer) return;
  dc::ResetCairo(d);
  if (d->surface) cairo_surface_destroy(d->surface);
  d->surface = surface ? cairo_surface_reference(surface) : nullptr;
  d->clipDirty = true;
}

void SetPrinterJob(HDC dc, std::shared_ptr<void> job) {
  if (DcImpl* d = dc::Lookup(dc); d && d->printer) d->job = std::move(job);
}

void* PrinterJobOf(HDC dc) {
  DcImpl* d = dc::Lookup(dc);
  return d ? d->job.get() : nullptr;
}

const PrinterPage* PrinterPageOf(HDC dc) {
  DcImpl* d = dc::Lookup(dc);
  return d && d->printer ? &d->page : nullptr;
}

void DeleteSurfaceDC(HDC dc) {
  DcImpl* d = dc::Lookup(dc);
  if (!d) return;
  LiveDcs().erase(d);
  d->job.reset();
  dc::ResetCairo(d);
  for (DcState& s : d->saved) ReleaseState(s);
  if (d->st.bitmap) {
    if (GdiObjectImpl* b = gdi::Lookup(d->st.bitmap, OBJ_BITMAP)) b->selectedInto = nullptr;
  }
  ReleaseState(d->st);
  if (d->ownedBitmap) ::DeleteObject(d->ownedBitmap);
  if (!d->memory && d->surface) cairo_surface_destroy(d->surface);
  if (d->owner) d->owner->m_hDC = nullptr;
  if (d->temp) d->temp->m_hDC = nullptr;
  delete d;
}

cairo_surface_t* SurfaceOfDC(HDC dc) {
  DcImpl* d = dc::Lookup(dc);
  return d ? d->surface : nullptr;
}

void FlushDC(HDC dc) {
  DcImpl* d = dc::Lookup(dc);
  if (d && d->surface) cairo_surface_flush(d->surface);
}

namespace dc {

DcImpl* Lookup(HDC dc) { return dc && LiveDcs().count(dc) ? dc : nullptr; }

const std::vector<RECT>& Clip(DcImpl* d) {
  if (!d->clipDirty) return d->clipRects;
  d->clipDirty = false;
  RECT base = d->deviceClip;
  if (d->surface && cairo_surface_get_type(d->surface) == CAIRO_SURFACE_TYPE_IMAGE) {
    RECT bounds{0, 0, cairo_image_surface_get_width(d->surface), cairo_image_surface_get_height(d->surface)};
    IntersectRect(&base, &base, &bounds);
  }
  RegionData region(base);
  if (d->st.hasClip) {
    RegionData user = d->st.clip;
    user.Offset(d->originX, d->originY);
    region = RegionData::Combine(region, user, RGN_AND);
  }
  d->clipRects = region.Rects();
  d->clipBounds = region.Box();
  return d->clipRects;
}

bool MonoTarget(DcImpl* d) {
  if (!d->memory) return false;
  GdiObjectImpl* b = gdi::Lookup(d->st.bitmap, OBJ_BITMAP);
  return b && b->bpp == 1;
}

void ResetCairo(DcImpl* d) {
  if (d->cr) cairo_destroy(d->cr);
  d->cr = nullptr;
}

cairo_t* Cairo(DcImpl* d) {
  if (!d->surface) return nullptr;
  if (!d->cr) d->cr = cairo_create(d->surface);
  cairo_t* cr = d->cr;
  cairo_reset_clip(cr);
  cairo_identity_matrix(cr);
  if (d->surfaceScale != 1.0) cairo_scale(cr, d->surfaceScale, d->surfaceScale);
  cairo_new_path(cr);
  for (const RECT& r : Clip(d)) cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_clip(cr);  // an empty path clips everything away
  return cr;
}

double ScaleX(const DcState& s) {
  return s.windowExt.cx ? static_cast<double>(s.viewportExt.cx) / s.windowExt.cx : 1.0;
}
double ScaleY(const DcState& s) {
  return s.windowExt.cy ? static_cast<double>(s.viewportExt.cy) / s.windowExt.cy : 1.0;
}

POINT LpToDp(const DcState& s, int x, int y) {
  if (s.mapMode == MM_TEXT)
    return POINT{x - s.windowOrg.x + s.viewportOrg.x, y - s.windowOrg.y + s.viewportOrg.y};
  return POINT{static_cast<LONG>(Round((x - s.windowOrg.x) * ScaleX(s)) + s.viewportOrg.x),
               static_cast<LONG>(Round((y - s.windowOrg.y) * ScaleY(s)) + s.viewportOrg.y)};
}

POINT DpToLp(const DcState& s, int x, int y) {
  if (s.mapMode == MM_TEXT)
    return POINT{x - s.viewportOrg.x + s.windowOrg.x, y - s.viewportOrg.y + s.windowOrg.y};
  const double sx = ScaleX(s), sy = ScaleY(s);
  return POINT{static_cast<LONG>(Round((x - s.viewportOrg.x) / (sx ? sx : 1)) + s.windowOrg.x),
               static_cast<LONG>(Round((y - s.viewportOrg.y) / (sy ? sy : 1)) + s.windowOrg.y)};
}

RECT LpToDpRect(const DcState& s, const RECT& r) {
  const POINT a = LpToDp(s, r.left, r.top), b = LpToDp(s, r.right, r.bottom);
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace dc

// ---- CDC: handles ----

CDC::~CDC() {
  if (m_hDC) {
    DcImpl* d = dc::Lookup(m_hDC);
    if (d && d->owner == this) DeleteDC();
  }
}

BOOL CDC::Attach(HDC dc) {
  DcImpl* d = dc::Lookup(dc);
  if (!d || m_hDC) return FALSE;
  m_hDC = m_hAttribDC = dc;
  return TRUE;
}

void CDC::TakeHandle(HDC dc) {
  if (Attach(dc)) dc::Lookup(dc)->owner = this;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (DcImpl* d = dc::Lookup(h); d && d->owner == this) d->owner = nullptr;
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

CDC* CDC::FromHandle(HDC dc) {
  DcImpl* d = dc::Lookup(dc);
  if (!d) return nullptr;
  if (d->owner) return d->owner;
  if (!d->temp) {
    d->temp = std::make_unique<CDC>();
    d->temp->m_hDC = d->temp->m_hAttribDC = dc;
  }
  return d->temp.get();
}

BOOL CDC::CreateCompatibleDC(CDC* reference) {
  if (m_hDC) return FALSE;
  DcImpl* d = NewDc();
  d->memory = true;
  DcImpl* ref = reference ? dc::Lookup(reference->m_hDC) : nullptr;
  if (ref) {
    d->dpiX = ref->dpiX;
    d->dpiY = ref->dpiY;
    d->horzRes = ref->horzRes;
    d->vertRes = ref->vertRes;
  } else {
    ScreenCaps(d);
  }
  // The default bitmap lives as long as the DC, so that callers can
  // select it back after drawing into their own.
  d->ownedBitmap = d->st.bitmap = gdi::NewBitmap(1, 1, 1);
  gdi::Lookup(d->st.bitmap)->selectedInto = d;
  gdi::Retain(d->st.bitmap);
  UseBitmap(d);
  TakeHandle(d);
  return TRUE;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  HDC h = Detach();
  DeleteSurfaceDC(h);
  return TRUE;
}

int CDC::SaveDC() {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return 0;
  d->saved.push_back(d->st);
  RetainState(d->st);
  return static_cast<int>(d->saved.size());
}

BOOL CDC::RestoreDC(int saved) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  const int n = static_cast<int>(d->saved.size());
  const int index = saved < 0 ? n + saved : saved - 1;
  if (index < 0 || index >= n) return FALSE;
  const HGDIOBJ oldBitmap = d->st.bitmap;
  DcState restored = d->saved[static_cast<std::size_t>(index)];
  // The saved states from `index` on are dropped; the restored one keeps
  // the references its saved copy held.
  for (int i = n - 1; i > index; --i) ReleaseState(d->saved[static_cast<std::size_t>(i)]);
  d->saved.resize(static_cast<std::size_t>(index));
  if (oldBitmap != restored.bitmap) {
    if (GdiObjectImpl* b = gdi::Lookup(oldBitmap, OBJ_BITMAP)) b->selectedInto = nullptr;
    if (GdiObjectImpl* b = gdi::Lookup(restored.bitmap, OBJ_BITMAP)) b->selectedInto = d;
  }
  ReleaseState(d->st);
  d->st = restored;
  if (d->memory) UseBitmap(d);
  d->clipDirty = true;
  return TRUE;
}

// ---- objects ----

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
  DcImpl* d = dc::Lookup(m_hDC);
  GdiObjectImpl* o = gdi::Lookup(object);
  if (!d || !o) return nullptr;
  HGDIOBJ* slot = nullptr;
  switch (o->kind) {
    case OBJ_PEN: slot = &d->st.pen; break;
    case OBJ_BRUSH: slot = &d->st.brush; break;
    case OBJ_FONT: slot = &d->st.font; break;
    case OBJ_BITMAP: {
      // Only into memory DCs, and into one DC at a time.
      if (!d->memory || (o->selectedInto && o->selectedInto != d)) return nullptr;
      slot = &d->st.bitmap;
      break;
    }
    case OBJ_REGION: {
      CRgn* rgn = CRgn::FromHandle(object);
      return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SelectClipRgn(rgn)));
    }
    default: return nullptr;
  }
  HGDIOBJ old = *slot;
  if (old == object) return old;
  gdi::Retain(object);
  *slot = object;
  if (o->kind == OBJ_BITMAP) {
    if (GdiObjectImpl* b = gdi::Lookup(old, OBJ_BITMAP)) b->selectedInto = nullptr;
    o->selectedInto = d;
    UseBitmap(d);
  }
  // The previous object may be freed here when its deletion was deferred;
  // its handle is still returned, as the caller only compares or reselects
  // a live one.
  gdi::Release(old);
  return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
  return object ? CGdiObject::FromHandle(SelectObject(object->m_hObject)) : nullptr;
}
CPen* CDC::SelectObject(CPen* pen) {
  return pen ? static_cast<CPen*>(CGdiObject::FromHandle(SelectObject(pen->m_hObject))) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* brush) {
  return brush ? static_cast<CBrush*>(CGdiObject::FromHandle(SelectObject(brush->m_hObject))) : nullptr;
}
CFont* CDC::SelectObject(CFont* font) {
  return font ? static_cast<CFont*>(CGdiObject::FromHandle(SelectObject(font->m_hObject))) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return bitmap ? static_cast<CBitmap*>(CGdiObject::FromHandle(SelectObject(bitmap->m_hObject))) : nullptr;
}
int CDC::SelectObject(CRgn* region) { return SelectClipRgn(region); }

CGdiObject* CDC::SelectStockObject(int index) {
  HGDIOBJ stock = GetStockObject(index);
  return stock ? CGdiObject::FromHandle(SelectObject(stock)) : nullptr;
}

CPen* CDC::GetCurrentPen() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CPen::FromHandle(d->st.pen) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CBrush::FromHandle(d->st.brush) : nullptr;
}
CFont* CDC::GetCurrentFont() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CFont::FromHandle(d->st.font) : nullptr;
}
CBitmap* CDC::GetCurrentBitmap() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CBitmap::FromHandle(d->st.bitmap) : nullptr;
}

// ---- colours and modes ----

#define KESTROVA_DC_ATTR(Setter, Getter, Type, field, fail)  \
  Type CDC::Setter(Type value) {                            \
    DcImpl* d = dc::Lookup(m_hDC);                          \
    if (!d) return fail;                                    \
    Type old = d->st.field;                                 \
    d->st.field = value;                                    \
    return old;                                             \
  }                                                         \
  Type CDC::Getter() const {                                \
    DcImpl* d = dc::Lookup(m_hDC);                          \
    return d ? d->st.field : fail;                          \
  }

KESTROVA_DC_ATTR(SetTextColor, GetTextColor, COLORREF, textColor, 0xFFFFFFFFu)
KESTROVA_DC_ATTR(SetBkColor, GetBkColor, COLORREF, bkColor, 0xFFFFFFFFu)
KESTROVA_DC_ATTR(SetStretchBltMode, GetStretchBltMode, int, stretchMode, 0)
KESTROVA_DC_ATTR(SetTextAlign, GetTextAlign, UINT, textAlign, 0xFFFFFFFFu)
KESTROVA_DC_ATTR(SetTextCharacterExtra, GetTextCharacterExtra, int, charExtra, 0x80000000)
#undef KESTROVA_DC_ATTR

int CDC::SetBkMode(int mode) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
  std::swap(d->st.bkMode, mode);
  return mode;
}
int CDC::GetBkMode() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? d->st.bkMode : 0;
}
int CDC::SetROP2(int mode) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || mode < R2_BLACK || mode > R2_WHITE) return 0;
  std::swap(d->st.rop2, mode);
  return mode;
}
int CDC::GetROP2() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? d->st.rop2 : 0;
}

CPoint CDC::SetBrushOrg(int x, int y) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.brushOrg);
  d->st.brushOrg = POINT{x, y};
  return old;
}
CPoint CDC::GetBrushOrg() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CPoint(d->st.brushOrg) : CPoint(0, 0);
}

// ---- mapping ----

int CDC::SetMapMode(int mode) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  DcState& s = d->st;
  const int old = s.mapMode;
  s.mapMode = mode;
  // The fixed modes measure in physical units with y growing upwards.
  auto fixed = [&](int unitsPerInch) {
    s.windowExt = SIZE{unitsPerInch, unitsPerInch};
    s.viewportExt = SIZE{d->dpiX, -d->dpiY};
  };
  switch (mode) {
    case MM_TEXT: s.windowExt = s.viewportExt = SIZE{1, 1}; break;
    case MM_LOMETRIC: fixed(254); break;
    case MM_HIMETRIC: fixed(2540); break;
    case MM_LOENGLISH: fixed(100); break;
    case MM_HIENGLISH: fixed(1000); break;
    case MM_TWIPS: fixed(1440); break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
      // Switching from a fixed mode keeps its extents, as callers then set
      // their own; from MM_TEXT the extents start equal.
      if (old == MM_TEXT) s.windowExt = s.viewportExt = SIZE{1, 1};
      FixIsotropic(s);
      break;
  }
  return old;
}
int CDC::GetMapMode() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? d->st.mapMode : 0;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.windowOrg);
  d->st.windowOrg = POINT{x, y};
  return old;
}
CPoint CDC::GetWindowOrg() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CPoint(d->st.windowOrg) : CPoint(0, 0);
}
CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  CPoint o = GetWindowOrg();
  return SetWindowOrg(o.x + dx, o.y + dy);
}
CPoint CDC::SetViewportOrg(int x, int y) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CPoint(0, 0);
  CPoint old(d->st.viewportOrg);
  d->st.viewportOrg = POINT{x, y};
  return old;
}
CPoint CDC::GetViewportOrg() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CPoint(d->st.viewportOrg) : CPoint(0, 0);
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  CPoint o = GetViewportOrg();
  return SetViewportOrg(o.x + dx, o.y + dy);
}

CSize CDC::SetWindowExt(int cx, int cy) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CSize(0, 0);
  CSize old(d->st.windowExt);
  // Only the scalable modes take extents; zero is refused.
  if ((d->st.mapMode == MM_ISOTROPIC || d->st.mapMode == MM_ANISOTROPIC) && cx && cy) {
    d->st.windowExt = SIZE{cx, cy};
    FixIsotropic(d->st);
  }
  return old;
}
CSize CDC::GetWindowExt() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CSize(d->st.windowExt) : CSize(0, 0);
}
CSize CDC::SetViewportExt(int cx, int cy) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return CSize(0, 0);
  CSize old(d->st.viewportExt);
  if ((d->st.mapMode == MM_ISOTROPIC || d->st.mapMode == MM_ANISOTROPIC) && cx && cy) {
    d->st.viewportExt = SIZE{cx, cy};
    FixIsotropic(d->st);
  }
  return old;
}
CSize CDC::GetViewportExt() const {
  DcImpl* d = dc::Lookup(m_hDC);
  return d ? CSize(d->st.viewportExt) : CSize(0, 0);
}

void CDC::LPtoDP(LPPOINT points, int count) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !points) return;
  for (int i = 0; i < count; ++i) points[i] = dc::LpToDp(d->st, points[i].x, points[i].y);
}
void CDC::DPtoLP(LPPOINT points, int count) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !points) return;
  for (int i = 0; i < count; ++i) points[i] = dc::DpToLp(d->st, points[i].x, points[i].y);
}
void CDC::LPtoDP(LPRECT rect) const { LPtoDP(reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::DPtoLP(LPRECT rect) const { DPtoLP(reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::LPtoDP(LPSIZE size) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !size) return;
  size->cx = static_cast<LONG>(Round(size->cx * std::fabs(dc::ScaleX(d->st))));
  size->cy = static_cast<LONG>(Round(size->cy * std::fabs(dc::ScaleY(d->st))));
}
void CDC::DPtoLP(LPSIZE size) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !size) return;
  size->cx = static_cast<LONG>(Round(size->cx / std::fabs(dc::ScaleX(d->st))));
  size->cy = static_cast<LONG>(Round(size->cy / std::fabs(dc::ScaleY(d->st))));
}

// ---- clipping ----

namespace {

int ClipKind(DcImpl* d) {
  const auto& rects = dc::Clip(d);
  if (rects.empty()) return NULLREGION;
  return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// The current clip as a region of device pixels: the selected clip region,
// or the whole drawing area when none is selected.
RegionData CurrentClip(DcImpl* d) {
  if (d->st.hasClip) return d->st.clip;
  RECT area = d->deviceClip;
  OffsetRect(&area, -d->originX, -d->originY);
  return RegionData(area);
}

}  // namespace

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return RGN_ERROR;
  const RegionData r(dc::LpToDpRect(d->st, RECT{left, top, right, bottom}));
  d->st.clip = RegionData::Combine(CurrentClip(d), r, RGN_AND);
  d->st.hasClip = true;
  d->clipDirty = true;
  return ClipKind(d);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return RGN_ERROR;
  const RegionData r(dc::LpToDpRect(d->st, RECT{left, top, right, bottom}));
  d->st.clip = RegionData::Combine(CurrentClip(d), r, RGN_DIFF);
  d->st.hasClip = true;
  d->clipDirty = true;
  return ClipKind(d);
}

int CDC::SelectClipRgn(CRgn* region) { return SelectClipRgn(region, RGN_COPY); }

int CDC::SelectClipRgn(CRgn* region, int mode) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return RGN_ERROR;
  GdiObjectImpl* r = region ? gdi::Lookup(region->m_hObject, OBJ_REGION) : nullptr;
  if (!r) {
    if (mode != RGN_COPY) return RGN_ERROR;
    d->st.hasClip = false;
    d->st.clip = RegionData();
  } else if (mode == RGN_COPY) {
    d->st.clip = r->region;
    d->st.hasClip = true;
  } else if (mode >= RGN_AND && mode <= RGN_DIFF) {
    d->st.clip = RegionData::Combine(CurrentClip(d), r->region, mode);
    d->st.hasClip = true;
  } else {
    return RGN_ERROR;
  }
  d->clipDirty = true;
  return ClipKind(d);
}

int CDC::OffsetClipRgn(int dx, int dy) {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return RGN_ERROR;
  if (d->st.hasClip) {
    const POINT a = dc::LpToDp(d->st, 0, 0), b = dc::LpToDp(d->st, dx, dy);
    d->st.clip.Offset(b.x - a.x, b.y - a.y);
    d->clipDirty = true;
  }
  return ClipKind(d);
}

int CDC::GetClipBox(LPRECT rect) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect) return RGN_ERROR;
  const int kind = ClipKind(d);
  RECT box = d->clipBounds;
  if (kind == NULLREGION) {
    *rect = RECT{0, 0, 0, 0};
    return kind;
  }
  OffsetRect(&box, -d->originX, -d->originY);
  const POINT a = dc::DpToLp(d->st, box.left, box.top), b = dc::DpToLp(d->st, box.right, box.bottom);
  *rect = RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  // Fixed modes measure upwards: the box keeps top above bottom in their
  // sense.
  if (dc::ScaleY(d->st) < 0) std::swap(rect->top, rect->bottom);
  return kind;
}

BOOL CDC::PtVisible(int x, int y) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return FALSE;
  const POINT p = dc::ToSurface(d, dc::LpToDp(d->st, x, y));
  return dc::Visible(d, p.x, p.y);
}

BOOL CDC::RectVisible(LPCRECT rect) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d || !rect) return FALSE;
  const RECT r = dc::ToSurface(d, dc::LpToDpRect(d->st, *rect));
  for (const RECT& c : dc::Clip(d)) {
    RECT i;
    if (IntersectRect(&i, &r, &c)) return TRUE;
  }
  return FALSE;
}

int CDC::GetDeviceCaps(int index) const {
  DcImpl* d = dc::Lookup(m_hDC);
  if (!d) return 0;
  const bool mono = dc::MonoTarget(d);
  if (d->printer) {
    switch (index) {
      case TECHNOLOGY: return DT_RASPRINTER;
      case PHYSICALWIDTH: return d->page.physWidth;
      case PHYSICALHEIGHT: return d->page.physHeight;
      case PHYSICALOFFSETX: return d->page.offsetX;
      case PHYSICALOFFSETY: return d->page.offsetY;
      case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_STRETCHBLT;
      default: break;
    }
  }
  switch (index) {
    case DRIVERVERSION: return 0x400;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return static_cast<int>(Round(d->horzRes * 25.4 / d->dpiX));
    case VERTSIZE: return static_cast<int>(Round(d->vertRes * 25.4 / d->dpiY));
    case HORZRES: return d->horzRes;
    case VERTRES: return d->vertRes;
    case BITSPIXEL: return mono ? 1 : 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return mono ? 2 : -1;
    case NUMFONTS: return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return d->dpiX;
    case LOGPIXELSY: return d->dpiY;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    default: return 0;  // PHYSICALWIDTH and the like: not a printer
  }
}
