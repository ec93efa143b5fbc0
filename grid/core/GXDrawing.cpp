#include "grid/core/GXDrawing.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "grid/cells/GXControl.h"
#include "grid/cells/GXEditControl.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXDIB.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXStyle.h"
#include "platform/window/Messages.h"

CGXDrawingAndFormatting* GXGetDrawingAndFormatting() {
  static CGXDrawingAndFormatting object;
  return &object;
}

HBITMAP CGXDrawingAndFormatting::GetPatternBitmap(int index) { return GXGetPatternBitmapHandle(index); }

namespace {

int TextLength(LPCTSTR text, int length) {
  if (text == nullptr) return 0;
  return length < 0 ? static_cast<int>(std::strlen(text)) : length;
}

int Width(CDC* dc, LPCTSTR text, int count) { return count <= 0 ? 0 : dc->GetTextExtent(text, count).cx; }

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

TEXTMETRIC Metrics(CDC* dc) {
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  return tm;
}

}  // namespace

int CGXDrawingAndFormatting::LayoutLines(CDC* dc, LPCTSTR text, int length, RECT& rect, UINT format, int* starts,
                                         int* lengths, int maxLines) {
  const int n = TextLength(text, length);
  const TEXTMETRIC tm = Metrics(dc);
  const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
  const int avail = rect.right - rect.left + 1;
  const int height = rect.bottom - rect.top;
  const int fit = lineHeight > 0 && lineHeight < height - lineHeight / 3 ? height / lineHeight : 0;
  const bool wordBreak = (format & DT_WORDBREAK) != 0;
  int lines = 0;
  int used = 0;
  int pos = 0;

  auto add = [&](int start, int count) {
    starts[lines] = start;
    lengths[lines] = count;
    ++lines;
    used += (count > 0 ? dc->GetTextExtent(text + start, count).cy : tm.tmHeight) + 1;
  };

  while (lines < maxLines) {
    const int linesBefore = lines;
    const int lineStart = pos;
    int lineEnd = pos;
    int words = 0;
    bool tooWide = false;
    int p = pos;
    for (;;) {
      int q = p;
      while (q < n && text[q] == ' ') ++q;
      while (q < n && text[q] != ' ' && !IsBreak(text[q])) {
        ++q;  // single-byte text: one byte, one character
      }
      if (q == p) break;
      if (Width(dc, text + lineStart, q - lineStart) > avail) {
        tooWide = true;
        break;
      }
      ++words;
      while (q < n && text[q] == ' ') ++q;
      p = lineEnd = q;
      if (q >= n || IsBreak(text[q])) break;
    }

    bool done = false;
    if (!tooWide) {
      if (p < n && IsBreak(text[p])) {
        add(lineStart, lineEnd - lineStart);
        p += (text[p] == '\r' && p + 1 < n && text[p + 1] == '\n') ? 2 : 1;
        pos = p;
        if (pos >= n) {
          if (lines < maxLines && wordBreak && linesBefore < fit) add(pos, 0);
          done = true;
        }
      } else {
        add(lineStart, lineEnd - lineStart);
        done = true;
      }
    } else if (wordBreak && words >= 1 && maxLines > 1) {
      add(lineStart, lineEnd - lineStart);
      pos = lineEnd;
    } else {
      // One long word, or no word break: as many characters as fit, one at least.
      int k = 1;
      while (lineStart + k < n && !IsBreak(text[lineStart + k]) && Width(dc, text + lineStart, k + 1) <= avail) ++k;
      add(lineStart, k);
      pos = lineStart + k;
      if (pos >= n) done = true;
    }
    if (done || linesBefore >= fit || !wordBreak) break;
  }

  if (used < height) {
    if (format & DT_VCENTER) {
      rect.top += (height + tm.tmExternalLeading - used) / 2;
    } else if (format & DT_BOTTOM) {
      rect.top += height - used;
    }
  }
  return lines;
}

int CGXDrawingAndFormatting::LayoutText(CDC* dc, LPCTSTR text, int length, int& left, int& top, int& right,
                                        int& bottom, UINT format, int* starts, int* lengths) {
  RECT r{left, top, right, bottom};
  const int lines = LayoutLines(dc, text, length, r, format, starts, lengths, kMaxLines);
  left = r.left;
  top = r.top;
  right = r.right;
  bottom = r.bottom;
  return lines;
}

namespace {

// Where a line of `width` pixels starts in [left, right].
int LineX(UINT format, int left, int right, int width) {
  if (format & DT_RIGHT) return std::max(left, right - width);
  if (format & DT_CENTER) return std::max(left, left + (right - left - width) / 2);
  return left;
}

int LineStep(const TEXTMETRIC& tm) {
  const int step = tm.tmHeight + tm.tmExternalLeading;
  return step > 19 ? step - 1 : step;
}

void OutputLine(CDC* dc, LPCTSTR text, int count, int x, int y, int left, int right, const RECT& clip) {
  const int width = Width(dc, text, count);
  if (count == 1 && width > clip.right - clip.left) {
    dc->ExtTextOut(clip.left, y, ETO_CLIPPED, &clip, text, 1, nullptr);
    return;
  }
  if (count == 1 && width > right - left) x = std::min(static_cast<int>(clip.right) - width, left);
  dc->TextOut(x, y, text, count);
}

}  // namespace

int CGXDrawingAndFormatting::DrawMultiLineText(CDC* dc, LPCTSTR text, int length, int left, int top, int right,
                                               int bottom, UINT format, LPCRECT clip) {
  if (text == nullptr || TextLength(text, length) == 0) return 0;
  const RECT clipRect = clip ? *clip : RECT{left, top, right, bottom};
  int starts[kMaxLines], lengths[kMaxLines];
  const int lines = LayoutText(dc, text, length, left, top, right, bottom, format, starts, lengths);
  const int step = LineStep(Metrics(dc));
  int y = top;
  for (int i = 0; i < lines; ++i, y += step) {
    const int x = LineX(format, left, right, Width(dc, text + starts[i], lengths[i]));
    if (lengths[i] > 0) OutputLine(dc, text + starts[i], lengths[i], x, y, left, right, clipRect);
  }
  return 0;
}

int CGXDrawingAndFormatting::DrawTextWithMarks(CDC* dc, LPCTSTR text, int length, int left, int top, int right,
                                               int bottom, UINT format, LPCRECT clip, int markType) {
  if (markType != 1 && markType != 2) return DrawMultiLineText(dc, text, length, left, top, right, bottom, format, clip);
  const int n = TextLength(text, length);
  if (n == 0) return 0;
  const RECT clipRect = clip ? *clip : RECT{left, top, right, bottom};
  int starts[kMaxLines], lengths[kMaxLines];
  const int cellBottom = bottom;
  const int lines = LayoutText(dc, text, length, left, top, right, bottom, format, starts, lengths);
  const TEXTMETRIC tm = Metrics(dc);
  const int step = LineStep(tm);
  const int width = right - left;
  int y = top;
  for (int i = 0; i < lines; ++i, y += step) {
    CString line(text + starts[i], lengths[i]);
    const bool moreFollows = starts[i] + lengths[i] < n;
    if (markType == 2 && (format & DT_SINGLELINE)) {
      if (moreFollows || Width(dc, line, line.GetLength()) > width + 1) {
        const int hash = std::max(1, Width(dc, "#", 1));
        const int count = std::max(1, width / hash);
        CString marks;
        for (int k = 0; k < count; ++k) marks += "#";
        if (width < hash) {
          dc->ExtTextOut(left, y, ETO_CLIPPED, &clipRect, "#", 1, nullptr);
        } else {
          dc->TextOut(LineX(format, left, right, Width(dc, marks, marks.GetLength())), y, marks);
        }
        continue;
      }
    }
    const bool lastVisible = i == lines - 1 || y + step + tm.tmAscent * 3 / 4 > cellBottom;
    if (markType == 1 && lastVisible && moreFollows && line.GetLength() >= 2) {
      CString dots = "...";
      CString cut = line;
      while (Width(dc, cut + dots, cut.GetLength() + dots.GetLength()) > width + 1) {
        if (cut.GetLength() > 1) {
          cut = cut.Left(cut.GetLength() - 1);
        } else if (dots.GetLength() > 1) {
          dots = dots.Left(dots.GetLength() - 1);
        } else {
          break;
        }
      }
      line = cut + dots;
      dc->TextOut(LineX(format, left, right, Width(dc, line, line.GetLength())), y, line);
      break;
    }
    if (line.GetLength() > 0)
      OutputLine(dc, line, line.GetLength(), LineX(format, left, right, Width(dc, line, line.GetLength())), y, left,
                 right, clipRect);
    if (markType == 1 && lastVisible) break;
  }
  return 0;
}

int CGXDrawingAndFormatting::DrawRotatedText(CDC* dc, LPCTSTR text, int length, int left, int top, int right,
                                             int bottom, UINT format, LONG escapement, LPCRECT clip) {
  // Rotation belongs to the rotated-text feature; without it nothing is drawn.
  CGXAbstractDrawRotatedTextImp* imp = GXGetAppData()->m_pDrawRotatedTextImp;
  if (imp == nullptr) return 0;
  const RECT rect{left, top, right, bottom};
  return imp->DrawRotatedText(dc, text, length, rect, format, escapement, clip);
}

int CGXDrawingAndFormatting::CharFromPoint(CDC* dc, LPCTSTR text, int length, int left, int top, int right,
                                           int bottom, UINT format, int x, int y) {
  int starts[kMaxLines], lengths[kMaxLines];
  const int lines = LayoutText(dc, text, length, left, top, right, bottom, format, starts, lengths);
  const TEXTMETRIC tm = Metrics(dc);
  const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
  if (lineHeight <= 0 || y < top) return -1;
  const int index = (y - top) / lineHeight;
  if (index >= lines) return -1;
  const LPCTSTR line = text + starts[index];
  const int count = lengths[index];
  const int lineWidth = Width(dc, line, count);
  const int lineX = (format & DT_RTLREADING) ? right - lineWidth : LineX(format, left, right, lineWidth);
  const int slack = tm.tmMaxCharWidth / 3;
  if (x < lineX - slack || x >= lineX + lineWidth + slack) return -1;
  int i = 0;
  while (i < count && lineX + Width(dc, line, i + 1) <= x) ++i;
  if (i > 0 && i == count) i = count - 1;
  return starts[index] + i;
}

CString& CGXDrawingAndFormatting::FormatValue(CString& out, const CGXStyle& style, LPCTSTR value, unsigned valueType,
                                              unsigned format, unsigned places) {
  if (CGXNumberFormattingImp* imp = GXGetAppData()->m_pNumberFormattingImp) {
    out = imp->FormatDisplayText(style, value, valueType, format, places);
  } else if (value != nullptr) {
    out = value;
  } else {
    out = style.GetValue();
  }
  return out;
}

BOOL CGXDrawingAndFormatting::ParseValue(LPCTSTR text, double& number, BOOL mode1, BOOL mode2) {
  CGXNumberFormattingImp* imp = GXGetAppData()->m_pNumberFormattingImp;
  return imp != nullptr && imp->TextToNumber(text, number, mode1, mode2);
}

void CGXDrawingAndFormatting::Draw3dRect(CDC* dc, int left, int top, int right, int bottom, int thickness,
                                         COLORREF topLeft, COLORREF bottomRight) {
  const COLORREF old = dc->GetBkColor();
  for (int ring = 0; ring < thickness; ++ring) {
    const int w = right - left, h = bottom - top;
    dc->FillSolidRect(left, top, w, 1, topLeft);
    dc->FillSolidRect(left, top, 1, h, topLeft);
    dc->FillSolidRect(left, bottom, w + 1, 1, bottomRight);
    dc->FillSolidRect(right, top, 1, h + 1, bottomRight);
    ++left;
    ++top;
    --right;
    --bottom;
  }
  dc->SetBkColor(old);
}

void CGXDrawingAndFormatting::DrawButtonEdge(CDC* dc, const CRect& rect, BOOL drawEdge, BOOL pressed) {
  if (!drawEdge) return;
  CRect r = rect;
  dc->DrawEdge(&r, pressed ? 12 : 3, pressed ? (BF_RECT | BF_ADJUST | BF_FLAT) : (BF_RECT | BF_ADJUST | BF_MONO));
  if (pressed) dc->DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
}

void CGXDrawingAndFormatting::DrawButtonText(CDC* dc, const CRect& rect, BOOL focus, LPCTSTR text, UINT format) {
  dc->SetBkMode(TRANSPARENT);
  const bool empty = text == nullptr || *text == '\0';
  CRect measured(0, 0, rect.Width(), rect.Height());
  dc->DrawText(empty ? "--" : text, -1, &measured, format | DT_CALCRECT);
  measured.left -= 3;
  measured.right += 3;
  CRect textRect = measured;
  textRect.OffsetRect(rect.left + (rect.Width() - measured.Width()) / 2 - measured.left,
                      rect.top + (rect.Height() - measured.Height()) / 2 - measured.top);
  textRect.IntersectRect(&textRect, &rect);
  if (!empty)
    DrawMultiLineText(dc, text, -1, textRect.left, textRect.top, textRect.right, textRect.bottom,
                      (format & ~(DT_LEFT | DT_RIGHT)) | DT_CENTER, nullptr);
  if (focus) {
    const COLORREF shadow = GXGetSysColor(COLOR_BTNSHADOW);
    const int l = textRect.left, t = textRect.top, r = textRect.right, b = textRect.bottom;
    dc->FillSolidRect(l + 2, t, r - 2 - (l + 2) + 1, 1, shadow);
    dc->FillSolidRect(l + 2, b, r - 2 - (l + 2) + 1, 1, shadow);
    dc->FillSolidRect(l, t + 2, 1, b - 2 - (t + 2) + 1, shadow);
    dc->FillSolidRect(r, t + 2, 1, b - 2 - (t + 2) + 1, shadow);
  }
}

// ------------------------------------------------------------ free helpers

COLORREF GXResolveColor(COLORREF color) {
  if (color > 0x40FFFFFFu && color < 0xFF000000u) return GXGetSysColor(static_cast<int>(254 - (color >> 24)));
  return color;
}

void GXFillRect(CDC* dc, int x, int y, int width, int height, COLORREF color) {
  const COLORREF old = dc->SetBkColor(GXResolveColor(color));
  const CRect r(x, y, x + width, y + height);
  dc->ExtTextOut(r.left, r.top, ETO_OPAQUE, &r, "", 0u, nullptr);
  dc->SetBkColor(old);
}

void GXFillSolidRect(CDC* dc, const CRect& rect, COLORREF color) {
  GXFillRect(dc, rect.left, rect.top, rect.Width(), rect.Height(), color);
}

void GXInvertRect(CDC* dc, const CRect& rect, LPCRECT clip) {
  CRect r = rect;
  if (clip != nullptr && !::IsRectEmpty(clip)) {
    if (!r.IntersectRect(&r, clip)) return;
  }
  dc->InvertRect(&r);
}

void GXDrawEdge(CDC* dc, CRect& rect, UINT edge, BOOL adjust) {
  dc->DrawEdge(&rect, edge, BF_RECT | (adjust ? BF_ADJUST : 0));
}

int GXExtractLine(CString& text, CString& line) {
  const char* s = text;
  const char* brk = std::strpbrk(s, "\r\n");
  if (brk == nullptr) {
    line = text;
    text.Empty();
    return -1;
  }
  const int at = static_cast<int>(brk - s);
  line = text.Left(at);
  int last = at;
  if (brk[0] == '\r' && brk[1] == '\n') last = at + 1;
  text = text.Mid(last + 1);
  return last;
}

void GXGetTabField(LPCTSTR line, int field, LPTSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  buffer[0] = '\0';
  if (line == nullptr) return;
  const char* p = line;
  for (int i = 0; i < field; ++i) {
    p = std::strchr(p, '\t');
    if (p == nullptr) return;
    ++p;
  }
  int k = 0;
  while (p[k] != '\0' && p[k] != '\t' && k < size - 1) {
    buffer[k] = p[k];
    ++k;
  }
  buffer[k] = '\0';
}

int GXFindChoice(LPCTSTR text, int field, LPCTSTR choices, BOOL skipFirst, CString& line, BOOL exact) {
  CString rest = choices != nullptr ? choices : "";
  const CString wanted = text != nullptr ? text : "";
  if (skipFirst) GXExtractLine(rest, line);
  int index = 0;
  while (!rest.IsEmpty()) {
    GXExtractLine(rest, line);
    char value[128];
    GXGetTabField(line, field, value, sizeof value);
    if (exact) {
      if (wanted == value) return index;
    } else if (CString(value).Left(wanted.GetLength()).CompareNoCase(wanted) == 0 &&
               static_cast<int>(std::strlen(value)) >= wanted.GetLength()) {
      return index;
    }
    ++index;
  }
  line.Empty();
  return -1;
}

void GXSortChoiceList(CString& choices, int field, BOOL keepFirst) {
  CString rest = choices;
  CString first;
  if (keepFirst) GXExtractLine(rest, first);
  std::vector<CString> lines;
  CString line;
  while (!rest.IsEmpty()) {
    GXExtractLine(rest, line);
    lines.push_back(line);
  }
  auto key = [field](const CString& l) {
    if (field <= 0) return l;
    char value[129];
    GXGetTabField(l, field, value, sizeof value);
    return CString(value);
  };
  std::stable_sort(lines.begin(), lines.end(),
                   [&](const CString& a, const CString& b) { return key(a).CompareNoCase(key(b)) < 0; });
  CString out;
  if (keepFirst) out += first + "\r\n";
  for (const auto& l : lines) out += l + "\r\n";
  choices = out;
}

namespace {

// User attributes read by the cell text.
constexpr WORD kRtlReadingAttribute = 52570;
constexpr WORD kEllipsisAttribute = 52792;

UINT AlignmentOf(const CGXStyle& style) {
  UINT format = 0;
  if (style.GetIncludeHorizontalAlignment()) format |= style.GetHorizontalAlignment() & (DT_CENTER | DT_RIGHT);
  if (style.GetIncludeVerticalAlignment()) format |= style.GetVerticalAlignment() & (DT_VCENTER | DT_BOTTOM);
  return format;
}

}  // namespace

void CGXDrawingAndFormatting::DrawCellText(CGXControl* control, CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col,
                                           const CGXStyle& style, const CGXStyle* compare) {
  CGXGridCore* grid = control->GetGrid();
  control->DrawBackground(dc, rect, style, FALSE);
  CString text;
  CGXGridParam* param = grid->GetParam();
  if (param != nullptr && (param->m_wEditOptions & 2) != 0) {
    text = grid->GetStoredCellValue(row, col);
  } else {
    control->GetControlText(text, row, col, nullptr, style);
  }
  if (text.IsEmpty() || rect.Width() <= 1 || rect.Height() <= 1) {
    control->CGXControl::Draw(dc, rect, row, col, style, compare);
    return;
  }
  const CRect textRect = control->GetCellRect(row, col, &rect, &style);
  const UINT align = AlignmentOf(style);
  if (!control->IsKindOfControl(&CGXEditControl::CGXEditControlRecord)) {
    if (HGLOBAL dib = GXGetDIBPool()->GetBitmap(text)) {
      GXDrawDIB(dc, dib, textRect, 0, align, nullptr);
      control->CGXControl::Draw(dc, rect, row, col, style, compare);
      return;
    }
  }
  CFont* oldFont = control->GetGridGdiObject(dc, style, compare);
  const BOOL blackWhite = grid->PrintsBlackWhite();
  const COLORREF textColor = blackWhite ? RGB(0, 0, 0)
                             : style.GetIncludeTextColor() ? GXResolveColor(style.GetTextColor())
                                                           : RGB(0, 0, 0);
  const COLORREF backColor = blackWhite ? RGB(255, 255, 255) : GXResolveColor(style.GetInterior().GetColor());
  const COLORREF oldText = dc->SetTextColor(textColor);
  const COLORREF oldBack = dc->SetBkColor(backColor);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  UINT format = align | (style.GetIncludeWrapText() && style.GetWrapText() ? DT_NOPREFIX | DT_WORDBREAK
                                                                             : DT_NOPREFIX | DT_SINGLELINE);
  if (style.HasUserAttribute(kRtlReadingAttribute) &&
      style.GetUserAttribute(kRtlReadingAttribute).GetLongValue() != 0)
    format |= DT_RTLREADING;
  const LONG escapement = style.GetIncludeFont() ? style.GetFont().GetLogFont().lfEscapement : 0;
  const CRect& t = textRect;
  if (escapement > 0) {
    DrawRotatedText(dc, text, text.GetLength(), t.left, t.top, t.right, t.bottom, format, escapement, &rect);
  } else if (style.HasUserAttribute(kEllipsisAttribute)) {
    DrawTextWithMarks(dc, text, text.GetLength(), t.left, t.top, t.right, t.bottom, format, &rect,
                      static_cast<int>(style.GetUserAttribute(kEllipsisAttribute).GetLongValue()));
  } else {
    DrawMultiLineText(dc, text, text.GetLength(), t.left, t.top, t.right, t.bottom, format, &rect);
  }
  dc->SetBkMode(oldMode);
  dc->SetBkColor(oldBack);
  dc->SetTextColor(oldText);
  control->CGXControl::Draw(dc, rect, row, col, style, compare);
  if (oldFont != nullptr) dc->SelectObject(oldFont);
}
