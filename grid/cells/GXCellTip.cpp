#include "grid/cells/GXCellTip.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "grid/core/GXDIB.h"
#include "platform/base/Kernel.h"
#include "platform/controls/CtlControls.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"

namespace {

constexpr WORD kEllipsisAttribute = 52792;

bool IsBitmapText(const CString& text) { return text.Left(4) == "#BMP"; }

CString DisplayText(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style) {
  CString text;
  control->GetControlText(text, row, col, nullptr, style);
  return text;
}

// Width and height from the packed bitmap's 40-byte header.
CSize BitmapSize(HGLOBAL bitmap) {
  if (bitmap == nullptr || ::GlobalSize(bitmap) < 40) return CSize(0, 0);
  const BYTE* p = static_cast<const BYTE*>(::GlobalLock(bitmap));
  if (p == nullptr) return CSize(0, 0);
  std::int32_t width = 0, height = 0;
  std::memcpy(&width, p + 4, 4);
  std::memcpy(&height, p + 8, 4);
  ::GlobalUnlock(bitmap);
  return CSize(width, height < 0 ? -height : height);
}

int BorderWidth(const CGXStyle& style, int side) {
  return style.HasBorder(side) ? static_cast<int>(style.GetBorders(side).width) : 0;
}

CRect ToScreen(CGXGridCore* grid, CRect rect) {
  if (grid->m_pGridWnd != nullptr && grid->m_pGridWnd->GetSafeHwnd() != nullptr) grid->m_pGridWnd->ClientToScreen(&rect);
  return rect;
}

// The text's extent in a font selected by `select`, on the grid window.
template <class Select>
CSize Measure(CGXGridCore* grid, const CString& text, Select select) {
  if (grid->m_pGridWnd == nullptr || grid->m_pGridWnd->GetSafeHwnd() == nullptr) return CSize(0, 0);
  CClientDC dc(grid->m_pGridWnd);
  CFont* old = select(&dc);
  const CSize size = dc.GetTextExtent(text);
  if (old != nullptr) dc.SelectObject(old);
  return size;
}

}  // namespace

// ------------------------------------------------------------------ helpers

CRect GXGetCellTipInnerRect(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style) {
  CRect r = ToScreen(control->GetGrid(), control->GetGrid()->CalcCellRectSpanned(row, col));
  r.left += BorderWidth(style, CGXStyle::kLeft);
  r.top += BorderWidth(style, CGXStyle::kTop);
  r.right -= std::max(BorderWidth(style, CGXStyle::kRight) - 1, 0);
  r.bottom -= std::max(BorderWidth(style, CGXStyle::kBottom) - 1, 0);
  return r;
}

CRect GXGetCellTipCellRect(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style) {
  const CRect block = control->GetGrid()->CalcCellRectSpanned(row, col);
  return ToScreen(control->GetGrid(), control->GetCellRect(row, col, &block, &style));
}

CSize GXCalcCellTipTextSize(CGXGridCore* grid, const CString& text, const CGXStyle& style) {
  if (!style.GetIncludeFont()) return CSize(0, 0);
  return Measure(grid, text, [&](CDC* dc) { return grid->SelectZoomedFont(dc, style.GetFont()); });
}

CPoint GXCalcCellTipTextPos(CGXGridCore* grid, const CString& text, const CRect& cell, const CGXStyle& style) {
  if (!style.GetIncludeHorizontalAlignment() && !style.GetIncludeVerticalAlignment()) return cell.TopLeft();
  const UINT horz = style.GetIncludeHorizontalAlignment() ? style.GetHorizontalAlignment() : DT_LEFT;
  const UINT vert = style.GetIncludeVerticalAlignment() ? style.GetVerticalAlignment() : DT_TOP;
  auto measure = [&](const CString& t) {
    return Measure(grid, t, [&](CDC* dc) -> CFont* {
      if (!style.GetIncludeFont()) return nullptr;
      CFont* font = grid->LookupOrCreateFont(style.GetFont());
      return font != nullptr && font->m_hObject != nullptr ? dc->SelectObject(font) : nullptr;
    });
  };
  CSize size = measure(text);
  if ((horz & (DT_CENTER | DT_RIGHT)) != 0 && size.cx > cell.Width()) {
    // Cut from the end until it fits, the way the cell itself shows it.
    const bool dots = style.HasUserAttribute(kEllipsisAttribute) &&
                      style.GetUserAttribute(kEllipsisAttribute).GetLongValue() == 1;
    CString cut = text;
    while (cut.GetLength() > 1 && size.cx > cell.Width()) {
      cut = cut.Left(cut.GetLength() - 1);
      size = measure(dots ? cut + (cut.GetLength() == 1 ? ".." : "...") : cut);
    }
  }
  int x = cell.left, y = cell.top;
  if (horz & DT_RIGHT) {
    if (cell.right - size.cx + 1 >= cell.left) x = cell.right - size.cx + 1;
  } else if (horz & DT_CENTER) {
    if (cell.right - size.cx - cell.left + 1 >= 0) x = cell.left + (cell.right - size.cx - cell.left + 1) / 2;
  }
  if (vert & DT_BOTTOM) {
    if (cell.bottom - size.cy >= cell.top) y = cell.bottom - size.cy;
  } else if (vert & DT_VCENTER) {
    if (cell.bottom - size.cy - cell.top >= 0) y = cell.top + (cell.bottom - size.cy - cell.top) / 2;
  }
  return CPoint(x, y);
}

CPoint GXCalcCellTipBitmapPos(HGLOBAL bitmap, const CRect& inner, UINT align) {
  if (bitmap == nullptr) return CPoint(0, 0);
  const CSize size = BitmapSize(bitmap);
  CPoint p = inner.TopLeft();
  if (size.cx < inner.Width()) {
    if (align & DT_CENTER) p.x = inner.left + (inner.Width() - size.cx) / 2;
    else if (align & DT_RIGHT) p.x = inner.right - size.cx - 1;
  }
  if (size.cy < inner.Height()) {
    if (align & DT_VCENTER) p.y = inner.top + (inner.Height() - size.cy) / 2;
    else if (align & DT_BOTTOM) p.y = inner.bottom - size.cy - 1;
  }
  return p;
}

UINT GXCheckCellTipRect(CGXGridCore* grid, const CRect& rect) {
  UINT flags = 0;
  if (grid->m_pGridWnd != nullptr && grid->m_pGridWnd->GetSafeHwnd() != nullptr) {
    CRect client;
    grid->m_pGridWnd->GetClientRect(&client);
    client = ToScreen(grid, client);
    if (rect.left < client.left || rect.right > client.right) flags |= GX_TIP_OUT_CLIENT_X;
    if (rect.top < client.top || rect.bottom > client.bottom) flags |= GX_TIP_OUT_CLIENT_Y;
  }
  if (rect.left < 0 || rect.right > ::GetSystemMetrics(SM_CXSCREEN)) flags |= GX_TIP_OUT_SCREEN_X;
  if (rect.top < 0 || rect.bottom > ::GetSystemMetrics(SM_CYSCREEN)) flags |= GX_TIP_OUT_SCREEN_Y;
  return flags;
}

UINT GXCellTipTextFlags(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style, const CString& text) {
  if (style.GetIncludeFont() && style.GetFont().GetLogFont().lfEscapement > 0) return 0;
  CGXGridCore* grid = control->GetGrid();
  const CRect cell = GXGetCellTipCellRect(control, row, col, style);
  const CSize size = GXCalcCellTipTextSize(grid, text, style);
  const CPoint pos = GXCalcCellTipTextPos(grid, text, cell, style);
  CRect tip(pos, size);
  CRect clipped;
  clipped.IntersectRect(&tip, &cell);
  UINT flags = 0;
  if (clipped.Height() < size.cy) flags |= GX_TIP_HIGHER;
  if (clipped.Width() + 1 < size.cx) flags |= GX_TIP_WIDER;
  return flags | GXCheckCellTipRect(grid, clipped);
}

UINT GXCellTipBitmapFlags(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style, const CString& text) {
  HGLOBAL bitmap = GXGetDIBPool()->GetBitmap(text);
  if (bitmap == nullptr) return 0;
  const CRect inner = GXGetCellTipInnerRect(control, row, col, style);
  const CSize size = BitmapSize(bitmap);
  UINT flags = 0;
  if (size.cx > inner.Width()) flags |= GX_TIP_WIDER;
  if (size.cy > inner.Height()) flags |= GX_TIP_HIGHER;
  const UINT align = style.GetHorizontalAlignment() | style.GetVerticalAlignment();
  return flags | GXCheckCellTipRect(control->GetGrid(), CRect(GXCalcCellTipBitmapPos(bitmap, inner, align), size));
}

// -------------------------------------------------------------- the object

UINT CGXCellTipStatic::NeedsCellTip(ROWCOL row, ROWCOL col, const CGXStyle& style) {
  if (m_pControl == nullptr) return 0;
  const CString text = DisplayText(m_pControl, row, col, style);
  if (GetCellTipKind(row, col, style) == 2) return GXCellTipBitmapFlags(m_pControl, row, col, style, text);
  if (style.GetIncludeWrapText() && style.GetWrapText()) return 0;
  return GXCellTipTextFlags(m_pControl, row, col, style, text);
}

int CGXCellTipStatic::GetCellTipKind(ROWCOL row, ROWCOL col, const CGXStyle& style) {
  if (m_pControl == nullptr) return 1;
  if (m_pControl->IsWndKindOf(RUNTIME_CLASS(CEdit))) return 1;
  return IsBitmapText(DisplayText(m_pControl, row, col, style)) ? 2 : 1;
}

void CGXCellTipStatic::InitCellTipWnd(ROWCOL row, ROWCOL col, const CGXStyle& style, CWnd* tipWnd) {
  if (m_pControl == nullptr || tipWnd == nullptr || tipWnd->GetSafeHwnd() == nullptr) return;
  CGXGridCore* grid = m_pControl->GetGrid();
  const CString text = DisplayText(m_pControl, row, col, style);
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
  const CRect inner = GXGetCellTipInnerRect(m_pControl, row, col, style);
  const CRect cell = GXGetCellTipCellRect(m_pControl, row, col, style);
  if (GetCellTipKind(row, col, style) == 2) {
    auto* tip = dynamic_cast<CGXStaticBitmapCellTipWnd*>(tipWnd);
    HGLOBAL bitmap = GXGetDIBPool()->GetBitmap(text);
    if (tip == nullptr || bitmap == nullptr) return;
    tip->m_hBitmap = bitmap;
    const CSize size = BitmapSize(bitmap);
    const UINT align = style.GetHorizontalAlignment() | style.GetVerticalAlignment();
    const int width = std::max<int>(size.cx + 1, inner.right - cell.left + 1);
    int height = std::max<int>(size.cy + 1, inner.bottom - cell.top - 1);
    int left = std::clamp<int>(inner.left, 0, std::max(0, ::GetSystemMetrics(SM_CXFULLSCREEN) - width));
    int top = std::clamp<int>(inner.top, 0, std::max(0, ::GetSystemMetrics(SM_CYFULLSCREEN) - height));
    if ((align & DT_BOTTOM) && size.cy >= inner.Height()) top = inner.bottom - height;
    tip->SetWindowPos(nullptr, left, top, width, height, 0x98);
    const CRect client(0, 0, width, height);
    tip->m_rcBitmap = CRect(GXCalcCellTipBitmapPos(bitmap, client, size.cx < inner.Width() || size.cy < inner.Height()
                                                                          ? align
                                                                          : 0),
                            size);
    return;
  }
  auto* tip = dynamic_cast<CGXTextCellTipWnd*>(tipWnd);
  if (tip == nullptr) return;
  tip->SetWindowText(text);
  if (style.GetIncludeFont()) {
    tip->m_font = style.GetFont();
    tip->m_font.SetSize(style.GetFont().GetSize() * grid->GetZoom() * 0.01);
  }
  const CSize measured = GXCalcCellTipTextSize(grid, text, style);
  const int w = measured.cx + 6, h = measured.cy + 2;
  const UINT flags = NeedsCellTip(row, col, style);
  const CPoint pos = GXCalcCellTipTextPos(grid, text, cell, style);
  const bool hCentred = style.GetIncludeHorizontalAlignment() && (style.GetHorizontalAlignment() & DT_CENTER);
  const bool vCentred = style.GetIncludeVerticalAlignment() && (style.GetVerticalAlignment() & DT_VCENTER);
  int width;
  if (flags & GX_TIP_OUT_SCREEN_X) {
    width = w;
  } else if ((flags & GX_TIP_OUT_CLIENT_X) && !hCentred) {
    width = pos.x + w - inner.left;
  } else {
    width = std::max<int>(pos.x + w - inner.left, std::min<int>(screenW - inner.left + 1, inner.right - inner.left + 1));
  }
  int height;
  if (flags & GX_TIP_OUT_SCREEN_Y) {
    height = h;
  } else if ((flags & GX_TIP_OUT_CLIENT_Y) && !vCentred) {
    height = pos.y + h - inner.top;
  } else {
    height = std::max<int>(pos.y + h - inner.top, std::min<int>(screenH - inner.top, inner.bottom - inner.top));
  }
  int left = inner.left, top = inner.top;
  if (flags & GX_TIP_OUT_SCREEN_X) left = left + width > screenW ? screenW : 0;
  if (flags & GX_TIP_OUT_SCREEN_Y) top = top + height > screenH ? screenH : 0;
  left = std::clamp(left, 0, std::max(0, screenW - width));
  top = std::clamp(top, 0, std::max(0, screenH - height));
  tip->SetWindowPos(nullptr, left, top, width, height, 0x98);
  CRect text_rect(0, 0, width, height);
  CPoint p(std::min(pos.x, screenW - w + 2), std::min(pos.y, screenH - h + 2));
  tip->ScreenToClient(&p);
  text_rect.left = (flags & GX_TIP_OUT_SCREEN_X) ? 2 : p.x;
  text_rect.top = p.y;
  if ((flags & GX_TIP_OUT_SCREEN_Y) && style.GetIncludeVerticalAlignment() &&
      (style.GetVerticalAlignment() & DT_BOTTOM))
    text_rect.top = std::max(0, static_cast<int>(text_rect.top) - 1);
  tip->m_rcText = text_rect;
}

// --------------------------------------------------------------- tip windows

BOOL CGXCellTipWnd::CreateTip(CWnd* owner) {
  return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_BORDER, 0, 0, 1, 1,
                  owner != nullptr ? owner->GetSafeHwnd() : nullptr, nullptr);
}

void CGXTextCellTipWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, ::GetSysColor(COLOR_INFOBK));
  CFont font;
  const LOGFONT lf = m_font.GetLogFont();
  font.CreateFontIndirect(&lf);
  CFont* old = dc.SelectObject(&font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
  CString text;
  GetWindowText(text);
  CRect r = m_rcText;
  dc.DrawText(text, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  dc.SelectObject(old);
}

void CGXStaticBitmapCellTipWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
  if (m_hBitmap != nullptr) GXDrawDIB(&dc, m_hBitmap, m_rcBitmap, 0, 0, nullptr);
}
