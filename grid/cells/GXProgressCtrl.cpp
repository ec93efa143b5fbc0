// The progress cell.
#include "grid/cells/GXProgressCtrl.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "grid/core/GXStylesMap.h"
#include "platform/gfx/GdiDefs.h"

const GXControlClass CGXProgressCtrl::CGXProgressCtrlRecord = {"CGXProgressCtrl", &CGXControl::CGXControlRecord};

namespace {

double NumberOf(const CString& text) { return std::atof(text); }

double Attribute(const CGXStyle& style, WORD id) {
  return style.HasUserAttribute(id) ? NumberOf(style.GetUserAttribute(id).GetValue()) : 0.0;
}

COLORREF TextColour(const CGXStyle& style) {
  return style.GetIncludeTextColor() ? style.GetTextColor() : RGB(0, 0, 0);
}
COLORREF InteriorColour(const CGXStyle& style) {
  return style.GetIncludeInterior() ? style.GetInterior().GetColor() : RGB(255, 255, 255);
}

}  // namespace

CString GXFormatProgressCaption(const CString& caption, long value) {
  const char* s = caption;
  const int n = caption.GetLength();
  CString out;
  bool used = false;
  for (int i = 0; i < n; ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 1 < n && s[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // %[-+ 0#]*[width][l|h]{d,i,u}: only this one shape is ever formatted,
    // and only once; a width is at most two digits.
    int j = i + 1;
    std::string conversion = "%";
    while (j < n && s[j] != '\0' && std::strchr("-+ 0#", s[j]) != nullptr) conversion += s[j++];
    int digits = 0;
    while (j < n && std::isdigit(static_cast<unsigned char>(s[j]))) conversion += s[j++], ++digits;
    if (j < n && (s[j] == 'l' || s[j] == 'h')) ++j;
    if (!used && digits <= 2 && j < n && (s[j] == 'd' || s[j] == 'i' || s[j] == 'u')) {
      conversion += "ld";
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, conversion.c_str(), value);
      out += buffer;
      used = true;
      i = j;
      continue;
    }
    out += '%';
  }
  return out;
}

void CGXProgressCtrl::FormatCaption(CString& out, ROWCOL, ROWCOL, const CGXStyle& style) {
  out.Empty();
  if (!style.HasUserAttribute(GX_IDS_UA_PROGRESS_CAPTION)) return;
  const CString caption = style.GetUserAttribute(GX_IDS_UA_PROGRESS_CAPTION).GetValue();
  if (caption.IsEmpty()) return;
  const double value = style.GetIncludeValue() ? NumberOf(style.GetValue()) : 0.0;
  out = GXFormatProgressCaption(caption, static_cast<long>(std::clamp(value, -2147483648.0, 2147483647.0)));
}

COLORREF CGXProgressCtrl::GetBarColor(int which, const CGXStyle& style) {
  return which == 1 ? TextColour(style) : InteriorColour(style);
}

COLORREF CGXProgressCtrl::GetCaptionColor(int which, const CGXStyle& style) {
  return which == 1 ? InteriorColour(style) : TextColour(style);
}

void CGXProgressCtrl::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                           const CGXStyle* baseStyle) {
  const BOOL blackWhite = m_pGrid->PrintsBlackWhite();
  const double upper = Attribute(style, GX_IDS_UA_PROGRESS_HIGH);
  const double lower = Attribute(style, GX_IDS_UA_PROGRESS_LOW);
  const int width = rect.Width();
  m_dScale = width != 0 ? (upper - lower) / width : 1.0;

  const COLORREF bar = blackWhite ? RGB(0, 0, 0) : GetBarColor(1, style);
  const COLORREF rest = blackWhite ? RGB(255, 255, 255) : GetBarColor(0, style);
  const COLORREF captionOnBar = blackWhite ? RGB(255, 255, 255) : GetCaptionColor(1, style);
  const COLORREF captionOnRest = blackWhite ? RGB(0, 0, 0) : GetCaptionColor(0, style);

  CString caption;
  FormatCaption(caption, row, col, style);
  const double value = style.GetIncludeValue() ? NumberOf(style.GetValue()) : 0.0;

  // Equal bounds leave nothing to measure against: no bar at all.
  long barWidth = 0;
  if (m_dScale > 0.0) {
    const double pixels = (std::max(value, lower) - lower) / m_dScale;
    barWidth = static_cast<long>(std::min<double>(pixels, width));
  }
  CRect barRect(rect.left, rect.top, rect.left + barWidth, rect.bottom);
  CRect restRect(barRect.right, rect.top, rect.right, rect.bottom);
  dc->FillSolidRect(&restRect, rest);
  if (barRect.Width() > 0) dc->FillSolidRect(&barRect, bar);
  if (barRect.Width() > 1 && style.GetIncludeDraw3dFrame()) {
    const UINT frame = style.GetDraw3dFrame();
    if (frame == 1) dc->DrawEdge(&barRect, EDGE_RAISED, BF_RECT);
    if (frame == 2) dc->DrawEdge(&barRect, EDGE_SUNKEN, BF_RECT);
  }

  if (!caption.IsEmpty()) {
    CFont* oldFont = style.GetIncludeFont() ? m_pGrid->SelectZoomedFont(dc, style.GetFont()) : nullptr;
    const CSize extent = dc->GetTextExtent(caption);
    if (extent.cx < width) {
      const int x = rect.left + (width - extent.cx) / 2;
      const int y = rect.top + (rect.Height() - extent.cy) / 2;
      const int oldMode = dc->SetBkMode(TRANSPARENT);
      const COLORREF oldColour = dc->SetTextColor(captionOnRest);
      if (x + extent.cx > barRect.right) dc->TextOut(x, y, caption);
      if (barRect.Width() > 0) {
        dc->SetTextColor(captionOnBar);
        const BOOL crosses = x + extent.cx > barRect.right;
        const int saved = dc->SaveDC();
        if (crosses) dc->IntersectClipRect(&barRect);
        dc->TextOut(x, y, caption);
        dc->RestoreDC(saved);
      }
      dc->SetTextColor(oldColour);
      dc->SetBkMode(oldMode);
    }
    if (oldFont != nullptr) dc->SelectObject(oldFont);
  }
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

const CGXStyle* CGXProgressCtrl::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode,
                                                  int storeKind, const CGXStyle* currentStyle) {
  if (mode == CGXGridCore::kRemoveStyle || style == nullptr || !style->GetIncludeValue())
    return CGXControl::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  const auto bound = [&](WORD id) {
    if (style->HasUserAttribute(id)) return Attribute(*style, id);
    return currentStyle != nullptr ? Attribute(*currentStyle, id) : 0.0;
  };
  const double upper = bound(GX_IDS_UA_PROGRESS_HIGH), lower = bound(GX_IDS_UA_PROGRESS_LOW);
  const double value = NumberOf(style->GetValue());
  if (value >= lower && value <= upper)
    return CGXControl::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  CGXStyle* copy = style->Clone();
  CString text;
  // Written as a signed number, so that a negative lower bound stays itself.
  text.Format("%ld", static_cast<long>(std::max(lower, std::min(upper, value))));
  copy->SetValue(text);
  const CGXStyle* stored = CGXControl::StoreStyleRowCol(row, col, copy, mode, storeKind, currentStyle);
  delete copy;
  return stored != nullptr ? style : nullptr;
}

void CGXProgressCtrl::AddUserAttributes(CGXStylesMap* map) {
  map->AddUserAttribute(GX_IDS_UA_PROGRESS_HIGH);
  map->AddUserAttribute(GX_IDS_UA_PROGRESS_LOW);
  map->AddUserAttribute(GX_IDS_UA_PROGRESS_CAPTION);
}
