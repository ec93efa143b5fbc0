// The bitmap cell.
#include "grid/cells/GXDaoBitmap.h"

#include <algorithm>
#include <cstring>

#include "grid/core/GXDIB.h"

const GXControlClass CGXDaoBitmap::CGXDaoBitmapRecord = {"CGXDaoBitmap", &CGXStatic::CGXStaticRecord};

namespace {
constexpr std::size_t kFileHeader = 14;
}

HGLOBAL GXDIBFromVariant(const VARIANT& variant, BOOL keepHeader) {
  if (!GXIsByteArray(variant)) return nullptr;
  const std::vector<BYTE>& bytes = variant.byteArray;
  std::size_t at = 0;
  while (at + 1 < bytes.size() && !(bytes[at] == 'B' && bytes[at + 1] == 'M')) ++at;
  if (at + 1 >= bytes.size()) return nullptr;
  if (!keepHeader) at += kFileHeader;
  if (at >= bytes.size()) return nullptr;
  const std::size_t size = bytes.size() - at;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (block == nullptr) return nullptr;
  std::memcpy(::GlobalLock(block), bytes.data() + at, size);
  ::GlobalUnlock(block);
  return block;
}

HGLOBAL GXDrawVariantDIB(CDC* dc, const VARIANT& variant, const CRect& rect, int mode, UINT align,
                         const CRect* source, HGLOBAL dib, BOOL freeAfter) {
  if (dib == nullptr) dib = GXDIBFromVariant(variant, FALSE);
  if (dib == nullptr) return nullptr;
  GXDrawDIB(dc, dib, rect, mode, align, source);
  if (freeAfter) {
    ::GlobalFree(dib);
    return nullptr;
  }
  return dib;
}

void CGXDaoBitmap::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                        const CGXStyle* baseStyle) {
  const VARIANT* variant = GXStyleVariant(style, GX_IDS_UA_DAOBITMAP);
  if (variant == nullptr) {
    CGXStatic::Draw(dc, rect, row, col, style, baseStyle);
    return;
  }
  DrawBackground(dc, rect, style, FALSE);
  if (rect.Width() <= 1 || rect.Height() <= 1) return;
  const CRect inner = GetCellRect(row, col, &rect, &style);
  UINT align = 0;
  if (style.GetIncludeHorizontalAlignment()) {
    if (style.GetHorizontalAlignment() == DT_CENTER) align |= GX_DIB_HCENTER;
    if (style.GetHorizontalAlignment() == DT_RIGHT) align |= GX_DIB_RIGHT;
  }
  if (style.GetIncludeVerticalAlignment()) {
    if (style.GetVerticalAlignment() == DT_VCENTER) align |= GX_DIB_VCENTER;
    if (style.GetVerticalAlignment() == DT_BOTTOM) align |= GX_DIB_BOTTOM;
  }
  // No grid of this program caches pictures per cell, so each drawing
  // makes the bitmap from the bytes and frees it again.
  GXDrawVariantDIB(dc, *variant, inner, 0, align, nullptr, nullptr, TRUE);
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}
