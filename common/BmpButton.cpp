#include "common/BmpButton.h"

#include <string>
#include <vector>

#include "platform/gfx/Dc.h"
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/SysColors.h"

namespace {

// Every second pixel, as a checkerboard, in the button-face colour.
void Dither(HBITMAP bitmap) {
  CBitmap* b = static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap));
  BITMAP bm{};
  if (!b || !b->GetBitmap(&bm) || bm.bmBitsPixel < 24) return;
  std::vector<BYTE> bits(static_cast<std::size_t>(bm.bmWidthBytes) * static_cast<std::size_t>(bm.bmHeight));
  b->GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const int step = bm.bmBitsPixel / 8;
  for (int y = 0; y < bm.bmHeight; ++y)
    for (int x = y % 2; x < bm.bmWidth; x += 2) {
      BYTE* px = &bits[static_cast<std::size_t>(y * bm.bmWidthBytes + x * step)];
      px[0] = GetBValue(face);
      px[1] = GetGValue(face);
      px[2] = GetRValue(face);
    }
  b->SetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
}

// One axis of the placement at the bitmap's own size: the destination start
// and the source offset of the part that shows.
struct Span {
  int dest;
  int srcOffset;
};
Span Place(int itemStart, int itemEnd, int workStart, int workEnd, int size, int border3, bool nearSide,
           bool farSide) {
  const int room = workEnd - workStart;
  if (size > room) {
    // Too big: it starts next to the near edge and loses its hidden part
    // evenly (centred), from its near side (far-aligned) or from its far side.
    const int hidden = size - room;
    return {itemStart + border3, farSide ? hidden : (nearSide ? 0 : hidden / 2)};
  }
  if (nearSide) return {itemStart + border3, 0};
  if (farSide) return {itemEnd - border3 - size, 0};
  return {workStart + (room - size) / 2, 0};
}

}  // namespace

void CBmpButton::SetBitmaps(int normal, int down, int disabled) {
  auto name = [](int id) { return id != 0 ? std::to_string(id) : std::string(); };
  m_normal = name(normal);
  m_down = name(down);
  m_focus.clear();
  m_disabled = name(disabled);
}

void CBmpButton::SetBitmapNames(const char* normal, const char* down, const char* focus, const char* disabled) {
  auto name = [](const char* text) { return std::string(text ? text : ""); };
  m_normal = name(normal);
  m_down = name(down);
  m_focus = name(focus);
  m_disabled = name(disabled);
}

UINT CBmpButton::ReplaceStyleBits(UINT mask, UINT bits) {
  const UINT style = static_cast<UINT>(GetStyle());
  const UINT old = style & mask;
  ModifyStyle(mask, bits & mask);
  Invalidate();
  return old;
}

UINT CBmpButton::SetHAlign(UINT align) { return ReplaceStyleBits(BS_CENTER, align); }
UINT CBmpButton::SetVAlign(UINT align) { return ReplaceStyleBits(BS_VCENTER, align); }

void CBmpButton::DrawItem(LPDRAWITEMSTRUCT di) {
  CDC* dc = CDC::FromHandle(di->hDC);
  const int cx = GetSystemMetrics(SM_CXBORDER);
  const int cy = GetSystemMetrics(SM_CYBORDER);
  const RECT item = di->rcItem;
  RECT work = item;
  InflateRect(&work, -2 * cx, -2 * cy);
  const bool pressed = (di->itemState & ODS_SELECTED) != 0;
  const bool disabled = (di->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;

  const bool focused = (di->itemState & ODS_FOCUS) != 0;
  const std::string* name = &m_normal;
  bool dither = false;
  if (pressed && !m_down.empty())
    name = &m_down;
  else if (!pressed && disabled) {
    if (!m_disabled.empty())
      name = &m_disabled;
    else
      dither = true;
  } else if (!pressed && focused && !m_focus.empty())
    name = &m_focus;

  RECT edge = item;
  dc->DrawEdge(&edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);

  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImage(nullptr, name->c_str(), IMAGE_BITMAP, 0, 0, LR_SHARED | LR_LOADMAP3DCOLORS));
  if (bitmap == nullptr) return;
  if (dither) Dither(bitmap);
  CBitmap picture;
  picture.Attach(bitmap);
  BITMAP bm{};
  picture.GetBitmap(&bm);

  const int shiftX = pressed ? cx : 0;
  const int shiftY = pressed ? cy : 0;
  CDC memory;
  memory.CreateCompatibleDC(dc);
  CBitmap* old = memory.SelectObject(&picture);
  RECT focus{};
  if (m_bStretch) {
    const int w = (work.right - work.left) - cx;
    const int h = (work.bottom - work.top) - cy;
    const int x = item.left + 3 * cx + shiftX;
    const int y = item.top + 3 * cy + shiftY;
    dc->StretchBlt(x, y, w, h, &memory, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    focus = RECT{item.left + 2 * cx + shiftX, item.top + 2 * cy + shiftY, x + w + cx, y + h + cy};
  } else {
    const UINT style = static_cast<UINT>(GetStyle());
    const UINT h = style & BS_CENTER;
    const UINT v = style & BS_VCENTER;
    const Span sx = Place(item.left, item.right, work.left, work.right, bm.bmWidth, 3 * cx, h == BS_LEFT,
                          h == BS_RIGHT);
    const Span sy = Place(item.top, item.bottom, work.top, work.bottom, bm.bmHeight, 3 * cy, v == BS_TOP,
                          v == BS_BOTTOM);
    const int x = sx.dest + shiftX;
    const int y = sy.dest + shiftY;
    const int w = bm.bmWidth - sx.srcOffset;
    const int hgt = bm.bmHeight - sy.srcOffset;
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&work);
    dc->BitBlt(x, y, w, hgt, &memory, sx.srcOffset, sy.srcOffset, SRCCOPY);
    dc->RestoreDC(saved);
    focus = RECT{x - cx, y - cy, x + (w < work.right - x ? w : work.right - x) + cx,
                 y + (hgt < work.bottom - y ? hgt : work.bottom - y) + cy};
  }
  memory.SelectObject(old);
  if (di->itemState & ODS_FOCUS) dc->DrawFocusRect(&focus);
}
