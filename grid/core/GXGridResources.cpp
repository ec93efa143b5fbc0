// Drawing resources of a grid: cached fonts, brushes and pens, composed
// cell styles, the client device context, the inside of a cell, and the
// redraw requests.
#include <algorithm>

#include "grid/core/GXGridCore.h"
#include "platform/framework/PrintInfo.h"
#include "platform/framework/WindowDc.h"

namespace {

std::uint64_t CellKey(ROWCOL row, ROWCOL col) { return (static_cast<std::uint64_t>(row) << 32) | col; }

// The 8-byte pen record: style in 3 bits, width in the 16 bits above it,
// then the packed colour.
std::uint64_t PenKey(const CGXStyleBorder& pen) {
  const DWORD word = (pen.style & 7u) | ((pen.width & 0xFFFFu) << 3);
  return (static_cast<std::uint64_t>(pen.color.value) << 32) | word;
}

}  // namespace

// ------------------------------------------------------------ GDI objects

CFont* CGXGridCore::LookupOrCreateFont(const CGXFont& font) {
  std::unique_ptr<CFont>& entry = fontCache_[font.Key() >> 1];
  if (entry != nullptr && entry->m_hObject != nullptr) return entry.get();
  if (entry == nullptr) entry = std::make_unique<CFont>();
  const LOGFONT lf = font.GetLogFont();
  entry->CreateFontIndirect(&lf);
  return entry.get();
}

CBrush* CGXGridCore::LookupOrCreateBrush(const CGXStyleInterior& interior) {
  const std::uint64_t key = (static_cast<std::uint64_t>(interior.Word2()) << 32) | interior.Word1();
  std::unique_ptr<CBrush>& entry = brushCache_[key];
  if (entry != nullptr && entry->m_hObject != nullptr) return entry.get();
  if (entry == nullptr) entry = std::make_unique<CBrush>();
  const LOGBRUSH lb = interior.GetLogBrushCopy();
  entry->CreateBrushIndirect(&lb);
  return entry.get();
}

CPen* CGXGridCore::LookupOrCreatePen(const CGXStyleBorder& pen) {
  std::unique_ptr<CPen>& entry = penCache_[PenKey(pen)];
  if (entry != nullptr && entry->m_hObject != nullptr) return entry.get();
  if (entry == nullptr) entry = std::make_unique<CPen>();
  LOGPEN lp = pen.GetLogPenCopy();
  lp.lopnWidth.x = std::max<LONG>(1, lp.lopnWidth.x);
  entry->CreatePenIndirect(&lp);
  return entry.get();
}

CFont* CGXGridCore::SelectZoomedFont(CDC* dc, const CGXFont& font) {
  CGXFont zoomed(font);
  zoomed.SetSize(font.GetSize() * GetZoom() * 0.01);
  CFont* object = LookupOrCreateFont(zoomed);
  if (object == nullptr || object->m_hObject == nullptr) return nullptr;
  return dc->SelectObject(object);
}

CFont* CGXGridCore::SelectStyleFont(CDC* dc, const CGXStyle& style, const CGXStyle* previous) {
  if (previous != nullptr) {
    if (!style.GetIncludeFont()) return nullptr;
    if (previous->GetIncludeFont() && previous->GetFont() == style.GetFont()) return nullptr;
  }
  return SelectZoomedFont(dc, style.GetFont());
}

// ----------------------------------------------------------- style cache

const CGXStyle& CGXGridCore::GetCachedCellStyle(ROWCOL row, ROWCOL col) {
  const bool current = m_bCurrentCell && row == m_nCurrentRow && col == m_nCurrentCol;
  if (current && m_bCacheCurrentCellStyle && m_pCurrentCellStyle != nullptr &&
      m_pCurrentCellStyle->ConvertIncludeBits() != 0)
    return *m_pCurrentCellStyle;
  CGXStyle* result = nullptr;
  if (!current || m_bKeepCurrentCellStyle) {
    auto found = styleCache_.find(CellKey(row, col));
    if (found != styleCache_.end()) result = found->second.get();
  }
  if (result == nullptr) {
    std::unique_ptr<CGXStyle> style(CreateScratchStyle());
    ComposeStyleRowCol(row, col, *style, TRUE);
    if (IsReadOnly()) style->SetReadOnly(TRUE);
    result = style.get();
    if (current) {
      currentCellStyles_.push_back(std::move(style));
    } else {
      std::unique_ptr<CGXStyle>& slot = styleCache_[CellKey(row, col)];
      if (slot != nullptr) RecycleScratchStyle(slot.release());
      slot = std::move(style);
    }
  }
  if (current) {
    // The current cell's control follows its style: a store that gave the
    // cell another control takes effect with the next composition.
    m_pCurrentCellControl = GetRegisteredControl(result->GetControl());
    if (m_pCurrentCellStyle != nullptr) *m_pCurrentCellStyle = *result;
  }
  return *result;
}

void CGXGridCore::FreeObjectCache() {
  if (m_pPaintDC != nullptr) return;
  if (!m_bMovingByKeys) {
    ReleaseClientDC();
    fontCache_.clear();
    brushCache_.clear();
    penCache_.clear();
  }
  const bool marks = m_nKeepRow != 0 || m_nKeepCol != 0 || m_nKeepTopRow != 0 || m_nKeepLeftCol != 0;
  for (auto it = styleCache_.begin(); it != styleCache_.end();) {
    const ROWCOL row = static_cast<ROWCOL>(it->first >> 32), col = static_cast<ROWCOL>(it->first);
    const bool kept = marks && (row == m_nKeepRow || row == m_nKeepTopRow || col == m_nKeepCol ||
                                col == m_nKeepLeftCol || (m_bCurrentCell && row == m_nCurrentRow && col == m_nCurrentCol));
    if (kept) {
      ++it;
      continue;
    }
    RecycleScratchStyle(it->second.release());
    it = styleCache_.erase(it);
  }
  if (!marks && !m_bKeepCurrentCellStyle) ForgetCurrentCellStyle();
  currentCellStyles_.clear();
}

// ------------------------------------------------------- client context

CDC* CGXGridCore::GetClientDC() {
  if (m_pPaintDC != nullptr) return m_pPaintDC;
  if (clientDC_ == nullptr) {
    CWnd* wnd = m_pGridWnd != nullptr && m_pGridWnd->m_hWnd != nullptr ? m_pGridWnd : nullptr;
    clientDC_ = std::make_unique<CClientDC>(wnd);
    OnPrepareDC(clientDC_.get());
    clientDCOldFont_ = nullptr;
    CGXStylesMap* map = m_pParam ? m_pParam->GetStylesMap() : nullptr;
    const CGXStyle* standard = nullptr;
    if (map != nullptr && map->LookupStyle(map->m_wStyleStandard, standard) && standard != nullptr &&
        standard->GetIncludeFont()) {
      // A font of its own, so that releasing the object caches never
      // deletes the font this context holds selected.
      CGXFont zoomed(standard->GetFont());
      zoomed.SetSize(zoomed.GetSize() * GetZoom() * 0.01);
      const LOGFONT lf = zoomed.GetLogFont();
      clientDCFont_ = std::make_unique<CFont>();
      if (clientDCFont_->CreateFontIndirect(&lf)) clientDCOldFont_ = clientDC_->SelectObject(clientDCFont_.get());
    }
  }
  return clientDC_.get();
}

void CGXGridCore::ReleaseClientDC() {
  if (m_pPaintDC != nullptr || CGXLongOperation::GetNestingCount() > 0 || clientDC_ == nullptr) return;
  if (clientDCOldFont_ != nullptr) clientDC_->SelectObject(clientDCOldFont_);
  clientDCOldFont_ = nullptr;
  clientDC_.reset();
  clientDCFont_.reset();
}

// ------------------------------------------------------- inside of a cell

CRect& CGXGridCore::GetCellInsideRect(CRect& out, const CRect& rect, const CGXStyle* style, BOOL frame) {
  out = rect;
  if (style == nullptr) return out;
  if (frame && style->GetIncludeDraw3dFrame() && style->GetDraw3dFrame() != 0) out.DeflateRect(1, 1);
  CGXProperties* props = m_pParam ? m_pParam->GetProperties() : nullptr;
  const BOOL horz = props != nullptr && props->GetDisplayHorzLines();
  const BOOL vert = props != nullptr && props->GetDisplayVertLines();
  const BOOL atRightBottom = m_pParam != nullptr && m_pParam->m_bLinesAtRightBottom;
  auto border = [style](int side) -> int {
    if (!style->GetIncludeBorders() || !style->HasBorder(side)) return -1;
    const CGXStyleBorder& b = style->GetBorders(side);
    if (b.style == 5 || !b.GetInclude()) return -1;
    return static_cast<int>(std::max<UINT>(1, b.width));
  };
  auto shrink = [&](int side, BOOL lines, BOOL lineHere) {
    const int width = border(side);
    if (width >= 0) return width;
    return frame && lines && lineHere ? 1 : 0;
  };
  out.left += shrink(CGXStyle::kLeft, vert, !atRightBottom);
  out.right -= shrink(CGXStyle::kRight, vert, atRightBottom);
  out.top += shrink(CGXStyle::kTop, horz, !atRightBottom);
  out.bottom -= shrink(CGXStyle::kBottom, horz, atRightBottom);
  return out;
}

CSize& CGXGridCore::AddCellFrameSize(CSize& out, int width, int height, const CGXStyle* style) {
  out = CSize(width, height);
  if (style == nullptr) return out;
  if (style->GetIncludeDraw3dFrame() && style->GetDraw3dFrame() != 0) {
    out.cx += 2;
    out.cy += 2;
  }
  const CRect cell(0, 0, 1000, 1000);
  CRect framed;
  GetCellInsideRect(framed, cell, style, TRUE);
  // What the borders and grid lines take from each direction; the 3-D
  // frame's share is counted above.
  const int frameShrink = (style->GetIncludeDraw3dFrame() && style->GetDraw3dFrame() != 0) ? 2 : 0;
  out.cx += cell.Width() - framed.Width() - frameShrink;
  out.cy += cell.Height() - framed.Height() - frameShrink;
  return out;
}

// ---------------------------------------------------------------- redraw

void CGXGridCore::RedrawRowCol(ROWCOL top, ROWCOL left, ROWCOL bottom, ROWCOL right, UINT flags, BOOL sendHint) {
  if (auto* hints = HintSender(sendHint)) hints->HintRedrawRowCol(this, top, left, bottom, right, flags);
  if (flags == 0 || m_pParam == nullptr || m_pParam->m_bLockRedraw || m_pGridWnd == nullptr ||
      m_pGridWnd->m_hWnd == nullptr || !m_pGridWnd->IsWindowVisible())
    return;
  CGXRange block(top, left, bottom, right);
  TouchesSpannedCells(block, FALSE, FALSE, FALSE);
  const CRect rect = CalcRectFromRowColSpanned(top, left, bottom, right);
  if (!rect.IsRectEmpty()) m_pGridWnd->InvalidateRect(&rect, TRUE);
  if (flags & 2) m_pGridWnd->UpdateWindow();
}

void CGXGridCore::RedrawRange(const CGXRange& range, UINT flags, BOOL sendHint) {
  if (range.IsTable()) {
    Redraw(flags, sendHint);
  } else if (range.IsRows()) {
    RedrawRowCol(range.top, 0, range.bottom, GetColCount(), flags, sendHint);
  } else if (range.IsCols()) {
    RedrawRowCol(0, range.left, GetRowCount(), range.right, flags, sendHint);
  } else {
    RedrawRowCol(range.top, range.left, range.bottom, range.right, flags, sendHint);
  }
}

// ---------------------------------------------------------------- printing

void CGXGridCore::ApplyPrintMargins(CDC*, CPrintInfo* info) {
  if (info == nullptr || m_pParam == nullptr || m_pParam->GetProperties() == nullptr) return;
  // The margins are kept bottom, left, top, right.
  const int* margins = m_pParam->GetProperties()->m_nMargins;
  info->m_rectDraw.bottom -= margins[0];
  info->m_rectDraw.left += margins[1];
  info->m_rectDraw.top += margins[2];
  info->m_rectDraw.right -= margins[3];
}

void CGXGridCore::PrintHeaderFooter(CDC* dc, CPrintInfo* info) {
  if (m_pParam == nullptr || m_pParam->GetProperties() == nullptr) return;
  // A grid window is no view, so there is no document to name.
  m_pParam->GetProperties()->PrintHeaderFooter(dc, info, nullptr, m_pParam);
}
