#include "platform/gfx/GdiObject.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "platform/gfx/GdiObjectImpl.h"
#include "platform/gfx/SysColors.h"

namespace {

std::unordered_set<GdiObjectImpl*>& Live() {
  static auto* live = new std::unordered_set<GdiObjectImpl*>;
  return *live;
}

}  // namespace

namespace gdi {

GdiObjectImpl* NewObject(DWORD kind) {
  auto* o = new GdiObjectImpl;
  o->kind = kind;
  Live().insert(o);
  return o;
}

}  // namespace gdi

using gdi::NewObject;

namespace {

// Wrappers of freed objects, kept until the next deletion: a caller may be
// deleting through the very wrapper the object owns.
std::vector<std::unique_ptr<CGdiObject>>& Graveyard() {
  static auto* graves = new std::vector<std::unique_ptr<CGdiObject>>;
  return *graves;
}

void Free(GdiObjectImpl* o) {
  Live().erase(o);
  if (o->temp) {
    o->temp->m_hObject = nullptr;
    Graveyard().push_back(std::move(o->temp));
  }
  if (o->owner) o->owner->m_hObject = nullptr;
  delete o;
}

HGDIOBJ MakeStock(int index) {
  GdiObjectImpl* o = nullptr;
  auto brush = [&](COLORREF c, UINT style) {
    o = NewObject(OBJ_BRUSH);
    o->brush.lbStyle = style;
    o->brush.lbColor = c;
  };
  auto pen = [&](COLORREF c, UINT style) {
    o = NewObject(OBJ_PEN);
    o->pen.lopnStyle = style;
    o->pen.lopnColor = c;
  };
  auto font = [&](int height, int weight, BYTE pitch, const char* face) {
    o = NewObject(OBJ_FONT);
    o->font.lfHeight = height;
    o->font.lfWeight = weight;
    o->font.lfPitchAndFamily = pitch;
    std::strncpy(o->font.lfFaceName, face, LF_FACESIZE - 1);
  };
  switch (index) {
    case WHITE_BRUSH: brush(RGB(255, 255, 255), BS_SOLID); break;
    case LTGRAY_BRUSH: brush(RGB(192, 192, 192), BS_SOLID); break;
    case GRAY_BRUSH: brush(RGB(128, 128, 128), BS_SOLID); break;
    case DKGRAY_BRUSH: brush(RGB(64, 64, 64), BS_SOLID); break;
    case BLACK_BRUSH: brush(RGB(0, 0, 0), BS_SOLID); break;
    case NULL_BRUSH: brush(0, BS_NULL); break;
    case WHITE_PEN: pen(RGB(255, 255, 255), PS_SOLID); break;
    case BLACK_PEN: pen(RGB(0, 0, 0), PS_SOLID); break;
    case NULL_PEN: pen(0, PS_NULL); break;
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: font(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System"); break;
    case ANSI_VAR_FONT: font(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"); break;
    case DEFAULT_GUI_FONT: font(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"); break;
    case ANSI_FIXED_FONT:
    case OEM_FIXED_FONT:
    case SYSTEM_FIXED_FONT: font(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier New"); break;
    case DEFAULT_PALETTE: o = NewObject(OBJ_PAL); break;
    default: return nullptr;
  }
  o->stock = true;
  return o;
}

CGdiObject* MakeWrapper(DWORD kind) {
  switch (kind) {
    case OBJ_PEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_REGION: return new CRgn;
    default: return new CGdiObject;
  }
}

int RegionKind(const RegionData& r) {
  if (r.IsEmpty()) return NULLREGION;
  return r.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

GdiObjectImpl::~GdiObjectImpl() {
  if (surface) cairo_surface_destroy(surface);
}

namespace gdi {

GdiObjectImpl* Lookup(HGDIOBJ object, DWORD kind) {
  if (!object || !Live().count(object)) return nullptr;
  if (kind && object->kind != kind) return nullptr;
  return object;
}

void Retain(HGDIOBJ object) {
  if (GdiObjectImpl* o = Lookup(object)) ++o->selected;
}

void Release(HGDIOBJ object) {
  GdiObjectImpl* o = Lookup(object);
  if (!o) return;
  if (o->selected > 0) --o->selected;
  if (o->selected == 0 && o->deletePending) Free(o);
}

}  // namespace gdi

HGDIOBJ GetStockObject(int index) {
  static HGDIOBJ stock[DEFAULT_GUI_FONT + 1] = {};
  if (index < 0 || index > DEFAULT_GUI_FONT) return nullptr;
  if (!stock[index]) stock[index] = MakeStock(index);
  return stock[index];
}

BOOL DeleteObject(HGDIOBJ object) {
  Graveyard().clear();
  GdiObjectImpl* o = gdi::Lookup(object);
  if (!o) return FALSE;
  if (o->stock) return TRUE;
  if (o->selected > 0) {
    // Still selected into a DC: freed when the DC lets go of it.
    o->deletePending = true;
    if (o->owner) o->owner->m_hObject = nullptr;
    o->owner = nullptr;
    return TRUE;
  }
  Free(o);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ object) {
  GdiObjectImpl* o = gdi::Lookup(object);
  return o ? o->kind : 0;
}

int GetObject(HGDIOBJ object, int size, LPVOID out) {
  GdiObjectImpl* o = gdi::Lookup(object);
  if (!o || size < 0) return 0;
  auto copy = [&](const auto& value) {
    const int n = static_cast<int>(sizeof(value));
    if (!out) return n;
    const int m = std::min(n, size);
    std::memcpy(out, &value, static_cast<std::size_t>(m));
    return m;
  };
  switch (o->kind) {
    case OBJ_PEN: return copy(o->pen);
    case OBJ_BRUSH: return copy(o->brush);
    case OBJ_FONT: return copy(o->font);
    case OBJ_BITMAP: {
      BITMAP bm;
      bm.bmType = 0;
      bm.bmWidth = cairo_image_surface_get_width(o->surface);
      bm.bmHeight = cairo_image_surface_get_height(o->surface);
      bm.bmBitsPixel = static_cast<WORD>(o->bpp);
      bm.bmPlanes = 1;
      bm.bmWidthBytes = ((bm.bmWidth * o->bpp + 15) / 16) * 2;
      return copy(bm);
    }
    default: return 0;
  }
}

HPEN CreatePen(int style, int width, COLORREF color) {
  const int s = style & PS_STYLE_MASK;
  if (s > PS_INSIDEFRAME) return nullptr;
  GdiObjectImpl* o = NewObject(OBJ_PEN);
  o->pen.lopnStyle = static_cast<UINT>(style);
  o->pen.lopnWidth = POINT{std::max(width, 0), 0};
  o->pen.lopnColor = color;
  return o;
}

HBRUSH CreateSolidBrush(COLORREF color) {
  GdiObjectImpl* o = NewObject(OBJ_BRUSH);
  o->brush.lbStyle = BS_SOLID;
  o->brush.lbColor = color;
  return o;
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  GdiObjectImpl* o = NewObject(OBJ_BRUSH);
  o->brush.lbStyle = BS_HATCHED;
  o->brush.lbColor = color;
  o->brush.lbHatch = static_cast<std::uintptr_t>(hatch);
  return o;
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  GdiObjectImpl* b = gdi::Lookup(bitmap, OBJ_BITMAP);
  if (!b) return nullptr;
  // The brush keeps its own copy: the bitmap may be deleted afterwards.
  auto image = std::make_shared<PixelImage>(gdi::SnapshotBitmap(b));
  if (image->width <= 0 || image->height <= 0) return nullptr;
  GdiObjectImpl* o = NewObject(OBJ_BRUSH);
  o->brush.lbStyle = BS_PATTERN;
  o->brush.lbHatch = reinterpret_cast<std::uintptr_t>(bitmap);
  o->pattern = std::move(image);
  return o;
}

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (!font) return nullptr;
  GdiObjectImpl* o = NewObject(OBJ_FONT);
  o->font = *font;
  o->font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return o;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  GdiObjectImpl* o = NewObject(OBJ_REGION);
  o->region = RegionData(RECT{left, top, right, bottom});
  return o;
}

HRGN CreateRectRgnIndirect(LPCRECT rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
  GdiObjectImpl* d = gdi::Lookup(dest, OBJ_REGION);
  GdiObjectImpl* ra = gdi::Lookup(a, OBJ_REGION);
  if (!d || !ra) return RGN_ERROR;
  if (mode == RGN_COPY) {
    d->region = ra->region;
    return RegionKind(d->region);
  }
  GdiObjectImpl* rb = gdi::Lookup(b, OBJ_REGION);
  if (!rb || mode < RGN_AND || mode > RGN_DIFF) return RGN_ERROR;
  d->region = RegionData::Combine(ra->region, rb->region, mode);
  return RegionKind(d->region);
}

BOOL PtInRegion(HRGN region, int x, int y) {
  GdiObjectImpl* r = gdi::Lookup(region, OBJ_REGION);
  return r && r->region.Contains(x, y);
}

int GetRgnBox(HRGN region, LPRECT box) {
  GdiObjectImpl* r = gdi::Lookup(region, OBJ_REGION);
  if (!r || !box) return RGN_ERROR;
  *box = r->region.Box();
  return RegionKind(r->region);
}

int OffsetRgn(HRGN region, int dx, int dy) {
  GdiObjectImpl* r = gdi::Lookup(region, OBJ_REGION);
  if (!r) return RGN_ERROR;
  r->region.Offset(dx, dy);
  return RegionKind(r->region);
}

BOOL EqualRgn(HRGN a, HRGN b) {
  GdiObjectImpl* ra = gdi::Lookup(a, OBJ_REGION);
  GdiObjectImpl* rb = gdi::Lookup(b, OBJ_REGION);
  return ra && rb && ra->region == rb->region;
}

// ---- wrappers ----

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  GdiObjectImpl* o = gdi::Lookup(object);
  if (!o || m_hObject) return FALSE;
  m_hObject = object;
  if (!o->owner && !o->stock) o->owner = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (GdiObjectImpl* o = gdi::Lookup(h); o && o->owner == this) o->owner = nullptr;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  HGDIOBJ h = Detach();
  return ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int index) {
  DeleteObject();
  m_hObject = ::GetStockObject(index);
  return m_hObject != nullptr;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
  GdiObjectImpl* o = gdi::Lookup(object);
  if (!o) return nullptr;
  if (o->owner) return o->owner;
  if (!o->temp) {
    o->temp.reset(MakeWrapper(o->kind));
    o->temp->m_hObject = object;
  }
  return o->temp.get();
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
  DeleteObject();
  return Attach(::CreatePen(style, width, color));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* pen) {
  return pen && CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

CBrush::CBrush(CBitmap* pattern) { CreatePatternBrush(pattern); }

BOOL CBrush::CreateSolidBrush(COLORREF color) {
  DeleteObject();
  return Attach(::CreateSolidBrush(color));
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) {
  DeleteObject();
  return Attach(::CreateHatchBrush(hatch, color));
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
  DeleteObject();
  return bitmap && Attach(::CreatePatternBrush(bitmap->m_hObject));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return FALSE;
  switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
      DeleteObject();
      return Attach(::CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch)));
    case BS_NULL: {
      DeleteObject();
      GdiObjectImpl* o = NewObject(OBJ_BRUSH);
      o->brush.lbStyle = BS_NULL;
      return Attach(o);
    }
    default: return FALSE;
  }
}

BOOL CBrush::CreateSysColorBrush(int index) { return CreateSolidBrush(GetSysColor(index)); }

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
  DeleteObject();
  return Attach(::CreateFontIndirect(font));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR face) {
  LOGFONT lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeOut;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  DeleteObject();
  return Attach(::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect) {
  return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CRgn::CombineRgn(CRgn* a, CRgn* b, int mode) {
  return ::CombineRgn(m_hObject, a ? a->m_hObject : nullptr, b ? b->m_hObject : nullptr, mode);
}

BOOL CRgn::EqualRgn(CRgn* other) const { return other && ::EqualRgn(m_hObject, other->m_hObject); }

BOOL CRgn::RectInRegion(LPCRECT rect) const {
  GdiObjectImpl* r = gdi::Lookup(m_hObject, OBJ_REGION);
  if (!r || !rect) return FALSE;
  RECT n{std::min(rect->left, rect->right), std::min(rect->top, rect->bottom), std::max(rect->left, rect->right),
         std::max(rect->top, rect->bottom)};
  return r->region.Intersects(n);
}

BOOL CRgn::SetRectRgn(int left, int top, int right, int bottom) {
  GdiObjectImpl* r = gdi::Lookup(m_hObject, OBJ_REGION);
  if (!r) return CreateRectRgn(left, top, right, bottom);
  r->region = RegionData(RECT{left, top, right, bottom});
  return TRUE;
}
