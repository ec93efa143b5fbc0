// Static-text and header cells.
#include "grid/cells/GXStatic.h"

#include "grid/core/GXDIB.h"
#include "grid/core/GXDrawing.h"
#include "grid/core/GXProperties.h"
#include "platform/gfx/GdiObject.h"

const GXControlClass CGXStatic::CGXStaticRecord = {"CGXStatic", &CGXControl::CGXControlRecord};
const GXControlClass CGXHeader::CGXHeaderRecord = {"CGXHeader", &CGXStatic::CGXStaticRecord};

// User attribute choosing the overflow marks of a cut text.
static constexpr WORD kEllipsisAttribute = 52792;

CRect GXWholeCellRect(CGXControl* control, CGXGridCore* grid, ROWCOL row, ROWCOL col, const CRect& text, int taken) {
  CGXStyle composed;
  const CGXStyle* style = &composed;
  if (control->IsInitializedFor(row, col)) style = &control->GetStyle();
  else grid->ComposeStyleRowCol(row, col, composed);
  const int e = CGXStatic::TextInset();
  const BOOL right = style->GetIncludeHorizontalAlignment() && style->GetHorizontalAlignment() == DT_RIGHT;
  CRect whole = text;
  whole.right += taken + (right ? e + 1 : e / 2);
  return whole;
}

int CGXStatic::TextInset() {
  const int half = ::GetSystemMetrics(SM_CXFRAME) / 2;
  return half >= 3 ? half : 2;
}

CRect CGXStatic::GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect, const CGXStyle* style) {
  CRect rect = CGXControl::GetCellRect(row, col, cellRect, style);
  const int e = TextInset();
  rect.left += e;
  const BOOL right = style != nullptr && style->GetIncludeHorizontalAlignment() &&
                     style->GetHorizontalAlignment() == DT_RIGHT;
  rect.right -= right ? e + 1 : e / 2;
  return rect;
}

CSize CGXStatic::CalcSize(int width, int height, const CGXStyle& style) {
  return CGXControl::CalcSize(width + 2 * TextInset() + 1, height, style);
}

CSize CGXStatic::CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL vertical, BOOL) {
  CGXAbstractCalcSizeImp* imp = m_pGrid->m_pCalcSizeImp;
  if (imp == nullptr) return CSize(0, 0);
  return imp->CalcSize(this, dc, row, col, style, &m_pGrid->GetStandardStyle(), vertical);
}

BOOL CGXStatic::CanFloatCell(ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats) {
  // Floating is the floating-cells feature's decision; without it no cell floats.
  CGXAbstractGridFloatCellsImp* imp = m_pGrid->m_pFloatCellsImp;
  return imp != nullptr && imp->CanFloatCellForControl(this, row, col, style, floats);
}

UINT CGXStatic::TextFormat(const CGXStyle& style) {
  UINT format = 0;
  if (style.GetIncludeHorizontalAlignment()) format |= style.GetHorizontalAlignment();
  if (style.GetIncludeVerticalAlignment()) format |= style.GetVerticalAlignment();
  format |= style.GetWrapText() ? DT_NOPREFIX | DT_WORDBREAK : DT_NOPREFIX | DT_SINGLELINE;
  return format;
}

void CGXStatic::DrawCellText(CDC* dc, const CRect& rect, const CString& text, const CGXStyle& style) {
  if (text.IsEmpty()) return;
  // The grid's zoom applies to the text as to the cell.
  CFont* oldFont = style.GetIncludeFont() ? m_pGrid->SelectZoomedFont(dc, style.GetFont()) : nullptr;
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(style.GetIncludeTextColor() && !m_pGrid->PrintsBlackWhite() ? style.GetTextColor()
                                                                               : RGB(0, 0, 0));
  CGXDrawingAndFormatting* drawing = GXGetDrawingAndFormatting();
  const UINT format = TextFormat(style);
  const LONG escapement = style.GetIncludeFont() ? style.GetFont().GetLogFont().lfEscapement : 0;
  if (escapement > 0) {
    drawing->DrawRotatedText(dc, text, text.GetLength(), rect.left, rect.top, rect.right, rect.bottom, format,
                             escapement, &rect);
  } else if (style.HasUserAttribute(kEllipsisAttribute)) {
    drawing->DrawTextWithMarks(dc, text, text.GetLength(), rect.left, rect.top, rect.right, rect.bottom, format,
                               &rect, static_cast<int>(style.GetUserAttribute(kEllipsisAttribute).GetLongValue()));
  } else {
    drawing->DrawMultiLineText(dc, text, text.GetLength(), rect.left, rect.top, rect.right, rect.bottom, format,
                               &rect);
  }
  if (oldFont != nullptr) dc->SelectObject(oldFont);
}

void CGXStatic::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                     const CGXStyle* baseStyle) {
  GXGetDrawingAndFormatting()->DrawCellText(this, dc, rect, row, col, style, baseStyle);
}

BOOL CGXHeader::MarkEditHeader(ROWCOL row, ROWCOL col, const CGXStyle& style) {
  BOOL marked = CGXControl::MarkEditHeader(row, col, style);
  CGXGridParam* param = m_pGrid->GetParam();
  if (param != nullptr && param->m_bMarkSelectedHeaders) {
    // A column range spans the header row too, so a column header asks only
    // after its column and a row header only after its row.
    const BOOL columnHeader = row <= m_pGrid->GetHeaderRows(), rowHeader = col <= m_pGrid->GetHeaderCols();
    const BOOL touched = columnHeader && !rowHeader ? param->m_SelRects.TouchesCol(col)
                         : rowHeader && !columnHeader ? param->m_SelRects.TouchesRow(row)
                                                      : param->m_SelRects.TouchesRow(row) ||
                                                            param->m_SelRects.TouchesCol(col);
    marked = marked || touched;
  }
  return marked;
}

void CGXHeader::DrawFrame(CDC* dc, const CRect& cellRect) { dc->DrawFocusRect(&cellRect); }

void CGXHeader::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                     const CGXStyle* baseStyle) {
  CRect text = GetCellRect(row, col, &rect, &style);
  if (text.Width() <= 1 || text.Height() <= 1) return;
  CGXGridParam* param = m_pGrid->GetParam();
  const BOOL markSelection = param != nullptr && param->m_bMarkSelectedHeaders;
  BOOL marked = MarkEditHeader(row, col, style);
  CGXStyle look(style);
  if (markSelection) {
    // Selected headers are drawn bold and raised, the others normal and pressed.
    marked = !marked;
    CGXFont font(look.GetFont());
    font.SetWeight(marked ? 400 : 700);
    look.SetFont(font);
  }
  DrawBackground(dc, rect, look, FALSE);
  const CRect r = rect;
  CGXProperties* properties = param != nullptr ? param->GetProperties() : nullptr;
  const UINT own3d = look.GetIncludeDraw3dFrame() ? look.GetDraw3dFrame() : 0;
  const COLORREF shadow = markSelection ? RGB(0x80, 0x80, 0x80) : RGB(0, 0, 0);
  if (own3d == 1 || own3d == 2 || properties == nullptr || !properties->GetDisplay3dButtons()) {
    if (marked) text.OffsetRect(1, 1);
  } else if (marked) {
    GXFillRect(dc, r.left, r.bottom - 1, r.Width() - 1, 1, shadow);
    GXFillRect(dc, r.right - 1, r.top, 1, r.Height(), shadow);
    if (markSelection) GXFillRect(dc, r.left, r.top, 1, r.Height(), RGB(255, 255, 255));
    text.OffsetRect(1, 1);
  } else {
    GXGetDrawingAndFormatting()->Draw3dRect(dc, r.left, r.top, r.right - 1, r.bottom - 1, 1,
                                            ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow);
    if (markSelection) {
      GXFillRect(dc, r.left, r.top, 1, r.Height(), RGB(255, 255, 255));
      GXFillRect(dc, r.left, r.bottom - 1, r.Width(), 1, RGB(0, 0, 0));
      GXFillRect(dc, r.right - 1, r.top, 1, r.Height(), RGB(0, 0, 0));
      GXFillRect(dc, r.left + 1, r.bottom - 2, r.Width() - 2, 1, shadow);
      GXFillRect(dc, r.right - 2, r.top + 1, 1, r.Height() - 2, shadow);
    }
  }
  CString value;
  GetControlText(value, row, col, nullptr, look);
  HGLOBAL dib = value.IsEmpty() ? nullptr : GXGetDIBPool()->GetBitmap(value);
  if (dib != nullptr) {
    const UINT format = TextFormat(look);
    UINT align = 0;
    if (format & DT_CENTER) align |= GX_DIB_HCENTER;
    if (format & DT_RIGHT) align |= GX_DIB_RIGHT;
    if (format & DT_VCENTER) align |= GX_DIB_VCENTER;
    if (format & DT_BOTTOM) align |= GX_DIB_BOTTOM;
    GXDrawDIB(dc, dib, rect, 0, align, nullptr);
  } else {
    DrawCellText(dc, text, value, look);
  }
  CGXControl::Draw(dc, rect, row, col, look, baseStyle);
}
