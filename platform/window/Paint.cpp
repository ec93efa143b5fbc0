// Invalidation and painting: update regions, WM_PAINT/WM_ERASEBKGND/
// WM_NCPAINT, window DCs on the top-level surfaces, the default frame,
// ScrollWindowEx, presenting pixels and the caret's pixels.
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/GdiObjectImpl.h"
#include "platform/window/MenuBar.h"
#include "platform/window/Painting.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/WindowImpl.h"

using namespace wnd;

namespace {

struct DcInfo {
  HWND top;
  RECT clip;  // surface pixels
};

std::map<HDC, DcInfo>& dcs() {
  static std::map<HDC, DcInfo> m;
  return m;
}

RECT clientRectOf(WindowImpl* w) {
  return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

bool hasFrame(WindowImpl* w) {
  RECT whole{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  return !EqualRect(&whole, &w->client);
}

// The part of the whole window (frame included) that shows, in surface pixels.
RECT visibleWindowInSurface(HWND hwnd) {
  RECT none{0, 0, 0, 0};
  if (!Shown(hwnd)) return none;
  RECT r = WindowRectInSurface(hwnd);
  WindowImpl* w = hwnd;
  if (!IsTop(w)) {
    RECT pc = VisibleClientInSurface(w->parent);
    if (!IntersectRect(&r, &r, &pc)) return none;
  } else {
    RECT whole{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    if (!IntersectRect(&r, &r, &whole)) return none;
  }
  return r;
}

void fillSurface(cairo_surface_t* surface, const RECT& clip, const RECT& r, COLORREF c) {
  RECT x;
  if (!surface || !IntersectRect(&x, &clip, &r)) return;
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
  cairo_rectangle(cr, x.left, x.top, x.right - x.left, x.bottom - x.top);
  cairo_fill(cr);
  cairo_destroy(cr);
}

void invertSurface(cairo_surface_t* surface, const RECT& clip, const RECT& r) {
  RECT x;
  if (!surface || !IntersectRect(&x, &clip, &r)) return;
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int stride = cairo_image_surface_get_stride(surface);
  for (int y = x.top; y < x.bottom; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int i = x.left; i < x.right; ++i) row[i] ^= 0x00FFFFFFu;
  }
  cairo_surface_mark_dirty(surface);
}

wnd::PaintObserver paintObserver = nullptr;

void logEntry(HWND hwnd, bool painted, const RECT& r) {
  if (paintObserver && !IsRectEmpty(&r)) paintObserver(hwnd, painted, r);
}

}  // namespace

namespace wnd {

void SetPaintObserver(PaintObserver observer) { paintObserver = observer; }

void MarkDirty(HWND top, const RECT& r) {
  WindowImpl* w = Get(top);
  if (!w || IsRectEmpty(&r)) return;
  UnionRect(&w->dirty, &w->dirty, &r);
}

void PresentAll() {
  platform::Host& host = platform::GetHost();
  for (HWND h : S().live) {
    if (!IsTop(h) || IsRectEmpty(&h->dirty)) continue;
    if (Shown(h) && h->surface) {
      cairo_surface_flush(h->surface);
      host.Present(h->native, h->surface, h->dirty.left, h->dirty.top, h->dirty.right - h->dirty.left,
                   h->dirty.bottom - h->dirty.top);
    }
    h->dirty = RECT{0, 0, 0, 0};
  }
}

void EnsureSurface(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w || !IsTop(w)) return;
  int width = std::max(1, static_cast<int>(w->rect.right - w->rect.left));
  int height = std::max(1, static_cast<int>(w->rect.bottom - w->rect.top));
  if (w->surface && cairo_image_surface_get_width(w->surface) == width &&
      cairo_image_surface_get_height(w->surface) == height)
    return;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(s);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  if (w->surface) {
    cairo_set_source_surface(cr, w->surface, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(w->surface);
  }
  cairo_destroy(cr);
  w->surface = s;
}

void DropSurface(HWND hwnd) {
  if (hwnd->surface) cairo_surface_destroy(hwnd->surface);
  hwnd->surface = nullptr;
}

void RecalcClient(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w) return;
  NCCALCSIZE_PARAMS p{};
  p.rgrc[0] = w->rect;
  SendMessage(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&p));
  if (!Get(w)) return;
  RECT c = p.rgrc[0];
  OffsetRect(&c, -w->rect.left, -w->rect.top);
  RECT whole{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  c.left = std::clamp<LONG>(c.left, 0, whole.right);
  c.top = std::clamp<LONG>(c.top, 0, whole.bottom);
  c.right = std::clamp(c.right, c.left, whole.right);
  c.bottom = std::clamp(c.bottom, c.top, whole.bottom);
  w->client = c;
}

void InvalidateWindow(HWND hwnd, const RegionData& area, bool erase, bool children) {
  WindowImpl* w = Get(hwnd);
  if (!w) return;
  RegionData a = RegionData::Combine(area, RegionData(clientRectOf(w)), RGN_AND);
  if (a.IsEmpty()) return;
  w->update = RegionData::Combine(w->update, a, RGN_OR);
  if (erase) w->erase = true;
  logEntry(w, false, a.Box());
  if (!children) return;
  for (HWND c : w->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    RegionData part = RegionData::Combine(a, RegionData(c->rect), RGN_AND);
    if (part.IsEmpty()) continue;
    part.Offset(-(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
    c->ncPaint = true;
    InvalidateWindow(c, part, erase, true);
  }
}

void InvalidateAll(HWND hwnd, bool erase) {
  WindowImpl* w = Get(hwnd);
  if (!w) return;
  w->ncPaint = true;
  InvalidateWindow(w, RegionData(clientRectOf(w)), erase, false);
}

bool NeedsPaint(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  return w && (!w->update.IsEmpty() || w->internalPaint || (w->ncPaint && hasFrame(w)));
}

namespace {
// Pre-order: a window before its children; siblings bottom to top so that
// the upper ones paint last.
HWND findIn(HWND w) {
  if (!(w->style & WS_VISIBLE)) return nullptr;
  if (NeedsPaint(w) && w->redraw) return w;
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
    if (HWND f = findIn(*it)) return f;
  return nullptr;
}
}  // namespace

HWND FindPaintWindow(HWND filter) {
  if (filter) {
    if (!Shown(filter)) return nullptr;
    return findIn(filter);
  }
  for (HWND top : TopLevelOrder())
    if (HWND f = findIn(top)) return f;
  return nullptr;
}

void NcPaintIfNeeded(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w || !w->ncPaint) return;
  w->ncPaint = false;
  if (hasFrame(w)) SendMessage(w, WM_NCPAINT, 1, 0);
}

void PaintNow(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w || !Shown(w)) return;
  if (NeedsPaint(w)) {
    int before = w->beginPaints;
    NcPaintIfNeeded(w);
    if (!Get(w)) return;
    SendMessage(w, WM_PAINT, 0, 0);
    if (Get(w) && w->beginPaints == before) {
      w->update = RegionData();
      w->internalPaint = w->ncPaint = w->erase = false;
    }
  }
  if (!Get(w)) return;
  std::vector<HWND> kids(w->children.rbegin(), w->children.rend());
  for (HWND c : kids) PaintNow(c);
}

// ---- Caret pixels ----------------------------------------------------------

namespace {
int caretSuspend = 0;

RECT caretRectInSurface() {
  Caret& c = S().caret;
  RECT vis = VisibleClientInSurface(c.owner);
  WindowImpl* w = c.owner;
  POINT o = SurfaceOffset(w);
  RECT r{o.x + w->client.left + c.x, o.y + w->client.top + c.y, 0, 0};
  r.right = r.left + c.width;
  r.bottom = r.top + c.height;
  RECT x;
  if (!IntersectRect(&x, &r, &vis)) return RECT{0, 0, 0, 0};
  return x;
}

void caretToggle() {
  Caret& c = S().caret;
  WindowImpl* top = Root(c.owner);
  if (!top || !top->surface) return;
  RECT r = caretRectInSurface();
  RECT whole{0, 0, cairo_image_surface_get_width(top->surface), cairo_image_surface_get_height(top->surface)};
  invertSurface(top->surface, whole, r);
  MarkDirty(top, r);
  c.drawn = !c.drawn;
}
}  // namespace

void CaretHide() {
  Caret& c = S().caret;
  if (caretSuspend++ == 0 && c.drawn && Get(c.owner)) caretToggle();
}

void CaretRestore() {
  Caret& c = S().caret;
  if (caretSuspend > 0 && --caretSuspend == 0 && Get(c.owner) && c.hideCount == 0 && c.blinkOn && !c.drawn &&
      Shown(c.owner))
    caretToggle();
}

void CaretTick(DWORD now) {
  State& s = S();
  Caret& c = s.caret;
  if (!Get(c.owner) || c.hideCount != 0 || caretSuspend) return;
  if (static_cast<LONG>(now - c.nextBlink) < 0) return;
  LONG periods = static_cast<LONG>(now - c.nextBlink) / static_cast<LONG>(s.blinkTime) + 1;
  if (periods % 2) c.blinkOn = !c.blinkOn;
  c.nextBlink += static_cast<DWORD>(periods) * s.blinkTime;
  if (c.blinkOn != c.drawn && Shown(c.owner)) caretToggle();
}

void FillDcRect(HDC dc, const RECT& r, COLORREF color) {
  if (CDC* cdc = CDC::FromHandle(dc)) {
    CBrush b(color);
    cdc->FillRect(&r, &b);
  }
}

namespace {
HFONT captionFont() {
  static HFONT font = [] {
    LOGFONT lf{};
    lf.lfHeight = -((8 * platform::GetHost().Dpi() + 36) / 72);
    lf.lfWeight = FW_BOLD;
    std::strncpy(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
  }();
  return font;
}

// Caption text and close box over the caption bar, through a window DC so
// that they are clipped like any drawing of the window.
void paintCaptionContents(HWND hwnd, bool active) {
  RECT cap = CaptionRect(hwnd);
  if (IsRectEmpty(&cap)) return;
  HDC hdc = GetWindowDC(hwnd);
  CDC* dc = hdc ? CDC::FromHandle(hdc) : nullptr;
  if (!dc) return;
  RECT text = cap;
  text.left += 3;
  RECT box = CloseBoxRect(hwnd);
  if (!IsRectEmpty(&box)) {
    CBrush face(GetSysColor(COLOR_BTNFACE));
    dc->FillRect(&box, &face);
    RECT edge = box;
    dc->DrawEdge(&edge, EDGE_RAISED, BF_RECT);
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    CPen* oldPen = dc->SelectObject(&pen);
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    for (int k = 0; k < 2; ++k) {  // a two-pixel cross
      dc->MoveTo(cx - 4 + k, cy - 3);
      dc->LineTo(cx + 3 + k, cy + 4);
      dc->MoveTo(cx + 2 + k, cy - 3);
      dc->LineTo(cx - 5 + k, cy + 4);
    }
    dc->SelectObject(oldPen);
    text.right = box.left - 2;
  }
  CFont* oldFont = dc->SelectObject(CFont::FromHandle(captionFont()));
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  const std::string& caption = hwnd->text;
  dc->DrawText(caption.c_str(), static_cast<int>(caption.size()), &text,
               DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  dc->SelectObject(oldFont);
  ReleaseDC(hwnd, hdc);
}
}  // namespace

// The default frame: borders, edges, caption bar with its text and close
// box, the menu bar and the scroll-bar areas, in the classic colours.
void DefaultNcPaint(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w || !hasFrame(w)) return;
  WindowImpl* top = Root(w);
  if (!top->surface) return;
  CaretHide();
  RECT clip = visibleWindowInSurface(w);
  RECT wr = WindowRectInSurface(w);
  cairo_surface_t* sf = top->surface;
  auto line = [&](int l, int t, int r, int b, int color) { fillSurface(sf, clip, RECT{l, t, r, b}, GetSysColor(color)); };
  RECT in = wr;
  auto edge = [&](int tl, int br) {  // one-pixel ring: top/left colour, bottom/right colour
    line(in.left, in.top, in.right, in.top + 1, tl);
    line(in.left, in.top, in.left + 1, in.bottom, tl);
    line(in.left, in.bottom - 1, in.right, in.bottom, br);
    line(in.right - 1, in.top, in.right, in.bottom, br);
    InflateRect(&in, -1, -1);
  };
  bool thick = (w->style & WS_THICKFRAME) != 0;
  bool dlg = !thick && ((w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME));
  if (thick || dlg) {
    // The ring is as wide as the frame the client rectangle leaves room for.
    int b = FrameOf(w->style & ~(WS_VSCROLL | WS_HSCROLL), w->exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), false,
                    false).left;
    // Only the ring: the client area and the children drawn in it stay.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    fillSurface(sf, clip, RECT{wr.left, wr.top, wr.right, wr.top + b}, face);
    fillSurface(sf, clip, RECT{wr.left, wr.bottom - b, wr.right, wr.bottom}, face);
    fillSurface(sf, clip, RECT{wr.left, wr.top, wr.left + b, wr.bottom}, face);
    fillSurface(sf, clip, RECT{wr.right - b, wr.top, wr.right, wr.bottom}, face);
    edge(COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    edge(COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    in = wr;
    InflateRect(&in, -b, -b);
  } else if (w->style & WS_BORDER) {
    edge(COLOR_WINDOWFRAME, COLOR_WINDOWFRAME);
  }
  bool active = GetActiveWindow() == top;
  bool caption = (w->style & WS_CAPTION) == WS_CAPTION;
  if (caption) {
    int h = GetSystemMetrics(SM_CYCAPTION);
    line(in.left, in.top, in.right, in.top + h - 1, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    line(in.left, in.top + h - 1, in.right, in.top + h, COLOR_BTNFACE);
    in.top += h;
  }
  if (IsTop(w) && w->menu) {
    int h = GetSystemMetrics(SM_CYMENU);
    line(in.left, in.top, in.right, in.top + h, COLOR_MENU);
    in.top += h;
  }
  if (w->exStyle & WS_EX_CLIENTEDGE) {
    edge(COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    edge(COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  }
  if (w->exStyle & WS_EX_STATICEDGE) edge(COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  RECT c = w->client;
  OffsetRect(&c, wr.left, wr.top);
  if (w->style & WS_VSCROLL) line(c.right, c.top, in.right, c.bottom, COLOR_SCROLLBAR);
  if (w->style & WS_HSCROLL) line(c.left, c.bottom, c.right, in.bottom, COLOR_SCROLLBAR);
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) line(c.right, c.bottom, in.right, in.bottom, COLOR_BTNFACE);
  MarkDirty(top, clip);
  CaretRestore();
  if (caption) paintCaptionContents(w, active);
  if (IsTop(w) && w->menu) menus::PaintBar(w);
}

}  // namespace wnd

// ---- Public painting API ---------------------------------------------------

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  WindowImpl* w = Get(hwnd);
  if (!w || !ps) return nullptr;
  *ps = PAINTSTRUCT{};
  WindowImpl* top = Root(w);
  ++w->beginPaints;
  NcPaintIfNeeded(w);
  if (!Get(w)) return nullptr;
  RECT box = w->update.Box();
  bool erase = w->erase;
  w->update = RegionData();
  w->erase = false;
  w->internalPaint = false;
  w->inPaint = true;
  logEntry(w, true, box);
  // The window paints over its children's pixels: they paint after it.
  for (HWND c : w->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    RECT part;
    if (!IntersectRect(&part, &box, &c->rect)) continue;
    if (!EqualRect(&part, &c->rect) || hasFrame(c)) c->ncPaint = true;
    OffsetRect(&part, -(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
    InvalidateWindow(c, RegionData(part), true, false);
  }
  POINT o = SurfaceOffset(w);
  RECT vis = VisibleClientInSurface(w);
  RECT clip = box;
  OffsetRect(&clip, o.x + w->client.left, o.y + w->client.top);
  if (!IntersectRect(&clip, &clip, &vis)) clip = RECT{0, 0, 0, 0};
  CaretHide();
  HDC dc = CreateSurfaceDC(top->surface, o.x + w->client.left, o.y + w->client.top, clip);
  dcs()[dc] = DcInfo{top, clip};
  ps->hdc = dc;
  ps->rcPaint = box;
  ps->fErase = TRUE;
  if (erase && !IsRectEmpty(&clip)) ps->fErase = SendMessage(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  else if (!erase) ps->fErase = FALSE;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps || !ps->hdc) return FALSE;
  if (WindowImpl* w = Get(hwnd)) w->inPaint = false;
  ReleaseDC(hwnd, ps->hdc);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (!hwnd) {
    // The screen: a scratch surface of the screen's size for measuring.
    static cairo_surface_t* screen = cairo_image_surface_create(
        CAIRO_FORMAT_RGB24, platform::GetHost().ScreenWidth(), platform::GetHost().ScreenHeight());
    HDC dc = CreateSurfaceDC(screen, 0, 0,
                             RECT{0, 0, cairo_image_surface_get_width(screen), cairo_image_surface_get_height(screen)});
    dcs()[dc] = DcInfo{nullptr, RECT{0, 0, 0, 0}};
    return dc;
  }
  WindowImpl* w = Get(hwnd);
  if (!w) return nullptr;
  WindowImpl* top = Root(w);
  POINT o = SurfaceOffset(w);
  RECT clip = VisibleClientInSurface(w);
  CaretHide();
  HDC dc = CreateSurfaceDC(top->surface, o.x + w->client.left, o.y + w->client.top, clip);
  dcs()[dc] = DcInfo{top, clip};
  return dc;
}

HDC GetWindowDC(HWND hwnd) {
  WindowImpl* w = Get(hwnd);
  if (!w) return GetDC(nullptr);
  WindowImpl* top = Root(w);
  POINT o = SurfaceOffset(w);
  RECT clip = visibleWindowInSurface(w);
  CaretHide();
  HDC dc = CreateSurfaceDC(top->surface, o.x, o.y, clip);
  dcs()[dc] = DcInfo{top, clip};
  return dc;
}

HDC GetDCEx(HWND hwnd, HRGN, DWORD flags) { return (flags & DCX_WINDOW) ? GetWindowDC(hwnd) : GetDC(hwnd); }

int ReleaseDC(HWND, HDC dc) {
  auto it = dcs().find(dc);
  if (it == dcs().end()) return 0;
  DcInfo info = it->second;
  dcs().erase(it);
  FlushDC(dc);
  DeleteSurfaceDC(dc);
  if (info.top) {
    MarkDirty(info.top, info.clip);
    CaretRestore();
  }
  return 1;
}

BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase) {
  if (!hwnd) {
    for (HWND top : TopLevelOrder()) InvalidateAll(top, erase != 0);
    return TRUE;
  }
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  InvalidateWindow(w, RegionData(rect ? *rect : clientRectOf(w)), erase != 0, false);
  return TRUE;
}

namespace {
const RegionData* regionOf(HRGN rgn) {
  GdiObjectImpl* o = gdi::Lookup(rgn, OBJ_REGION);
  return o ? &o->region : nullptr;
}
}  // namespace

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  if (!rgn) return InvalidateRect(hwnd, nullptr, erase);
  const RegionData* r = regionOf(rgn);
  WindowImpl* w = Get(hwnd);
  if (!r || !w) return FALSE;
  InvalidateWindow(w, *r, erase != 0, false);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, LPCRECT rect) {
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  if (!rect) {
    w->update = RegionData();
    w->erase = false;
  } else {
    w->update = RegionData::Combine(w->update, RegionData(*rect), RGN_DIFF);
    if (w->update.IsEmpty()) w->erase = false;
  }
  return TRUE;
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
  if (!rgn) return ValidateRect(hwnd, nullptr);
  const RegionData* r = regionOf(rgn);
  WindowImpl* w = Get(hwnd);
  if (!r || !w) return FALSE;
  w->update = RegionData::Combine(w->update, *r, RGN_DIFF);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!Get(hwnd)) return FALSE;
  PaintNow(hwnd);
  PresentAll();
  return TRUE;
}

BOOL RedrawWindow(HWND hwnd, LPCRECT rect, HRGN rgn, UINT flags) {
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  RegionData area = rgn && regionOf(rgn) ? *regionOf(rgn) : RegionData(rect ? *rect : clientRectOf(w));
  if (flags & RDW_INVALIDATE) {
    InvalidateWindow(w, area, (flags & RDW_ERASE) != 0, (flags & RDW_ALLCHILDREN) != 0);
    if (flags & RDW_FRAME) w->ncPaint = true;
  }
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) {
    w->update = RegionData::Combine(w->update, area, RGN_DIFF);
    if (flags & RDW_NOFRAME) w->ncPaint = false;
    if (flags & RDW_NOERASE) w->erase = false;
  }
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    if (flags & RDW_NOCHILDREN) {
      if (NeedsPaint(w)) SendMessage(w, WM_PAINT, 0, 0);
    } else {
      PaintNow(w);
    }
    PresentAll();
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  WindowImpl* w = Get(hwnd);
  if (!w) return FALSE;
  RECT box = w->update.Box();
  if (rect) *rect = box;
  return !IsRectEmpty(&box);
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL) {
  WindowImpl* w = Get(hwnd);
  GdiObjectImpl* o = gdi::Lookup(rgn, OBJ_REGION);
  if (!w || !o) return RGN_ERROR;
  o->region = w->update;
  if (w->update.IsEmpty()) return NULLREGION;
  return w->update.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL LockWindowUpdate(HWND) { return TRUE; }

// ---- Scrolling -------------------------------------------------------------

int ScrollWindowEx(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clipRect, HRGN updateRgn, LPRECT update,
                   UINT flags) {
  WindowImpl* w = Get(hwnd);
  if (!w) return RGN_ERROR;
  WindowImpl* top = Root(w);
  RECT client = clientRectOf(w);
  RECT src = scroll ? *scroll : client;
  RECT clip = clipRect ? *clipRect : client;
  IntersectRect(&src, &src, &client);
  IntersectRect(&clip, &clip, &client);
  RECT area;  // what the scroll concerns
  IntersectRect(&area, &src, &clip);

  // Client coordinates -> surface pixels.
  POINT o = SurfaceOffset(w);
  int ox = o.x + w->client.left, oy = o.y + w->client.top;
  RECT vis = VisibleClientInSurface(w);
  OffsetRect(&vis, -ox, -oy);  // the visible client part, client coordinates

  CaretHide();
  // Pixels that can move: the visible part of the source; they land inside
  // the clip and the visible part.
  RECT from;
  IntersectRect(&from, &src, &vis);
  RECT to = from;
  OffsetRect(&to, dx, dy);
  IntersectRect(&to, &to, &clip);
  IntersectRect(&to, &to, &vis);
  if (!IsRectEmpty(&to) && top->surface && (dx || dy)) {
    cairo_surface_flush(top->surface);
    int width = to.right - to.left, height = to.bottom - to.top;
    cairo_surface_t* tmp = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(tmp);
    cairo_set_source_surface(cr, top->surface, -(to.left - dx + ox), -(to.top - dy + oy));
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cr = cairo_create(top->surface);
    cairo_set_source_surface(cr, tmp, to.left + ox, to.top + oy);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, to.left + ox, to.top + oy, width, height);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(tmp);
    RECT dirty = to;
    OffsetRect(&dirty, ox, oy);
    MarkDirty(top, dirty);
  }
  if (!dx && !dy) to = area;

  // The pending update region inside the area moves with the pixels.
  RegionData areaRgn(area);
  RegionData inside = RegionData::Combine(w->update, areaRgn, RGN_AND);
  if (!inside.IsEmpty()) {
    w->update = RegionData::Combine(w->update, areaRgn, RGN_DIFF);
    inside.Offset(dx, dy);
    inside = RegionData::Combine(inside, areaRgn, RGN_AND);
    w->update = RegionData::Combine(w->update, inside, RGN_OR);
  }

  // Child windows: those in the scrolled area move along (their pixels moved
  // with the copy); others whose pixels were overwritten repaint.
  for (HWND c : std::vector<HWND>(w->children)) {
    if (!Get(c)) continue;
    RECT x;
    bool inArea = IntersectRect(&x, &c->rect, &src) != 0;
    if ((flags & SW_SCROLLCHILDREN) && inArea) {
      RECT old = c->rect;
      RECT moved = old;
      OffsetRect(&moved, dx, dy);
      c->rect = moved;
      RECT covered;
      bool whole = IntersectRect(&covered, &old, &from) && EqualRect(&covered, &old) &&
                   IntersectRect(&covered, &moved, &to) && EqualRect(&covered, &moved);
      if (!whole && (c->style & WS_VISIBLE)) InvalidateAll(c, true);
      SendMessage(c, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(moved.left + c->client.left),
                                           static_cast<WORD>(moved.top + c->client.top)));
    } else if ((c->style & WS_VISIBLE) && IntersectRect(&x, &c->rect, &to)) {
      InvalidateAll(c, true);
    }
  }

  RegionData uncovered = RegionData::Combine(areaRgn, RegionData(to), RGN_DIFF);
  if (flags & SW_INVALIDATE) InvalidateWindow(w, uncovered, (flags & SW_ERASE) != 0, false);
  if (update) *update = uncovered.Box();
  if (updateRgn)
    if (GdiObjectImpl* r = gdi::Lookup(updateRgn, OBJ_REGION)) r->region = uncovered;
  CaretRestore();
  if (uncovered.IsEmpty()) return NULLREGION;
  return uncovered.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, LPCRECT scroll, LPCRECT clip) {
  // Without a scroll rectangle the children move too.
  UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != RGN_ERROR;
}
