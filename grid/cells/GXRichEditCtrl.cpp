// The rich edit cell.
#include "grid/cells/GXRichEditCtrl.h"

#include <algorithm>
#include <cstring>

#include "grid/core/GXFont.h"
#include "platform/window/Clipboard.h"
#include "platform/window/CtlDefs.h"

const GXControlClass CGXRichEditCtrl::CGXRichEditCtrlRecord = {"CGXRichEditCtrl", &CGXControl::CGXControlRecord};

UINT GXRichTextClipboardFormat() {
  static const UINT format = ::RegisterClipboardFormat("Rich Text Format");
  return format;
}

CGXRichEditCtrl::CGXRichEditCtrl(CGXGridCore* grid, UINT id) : CGXEditControl(grid, id) {
  GXRichTextClipboardFormat();
}

unsigned CGXRichEditCtrl::StyleToFormat(const CGXStyle& style, RtfCharFormat& f, bool& setsAlign, RtfAlign& align) {
  unsigned mask = 0;
  setsAlign = style.GetIncludeHorizontalAlignment() != FALSE;
  if (setsAlign) {
    const UINT h = style.GetHorizontalAlignment();
    align = h == DT_CENTER ? RtfAlign::kCenter : h == DT_RIGHT ? RtfAlign::kRight : RtfAlign::kLeft;
  }
  if (style.GetIncludeFont()) {
    const CGXFont& font = style.GetFont();
    if (font.GetIncludeWeight()) f.bold = font.GetBold() != FALSE, mask |= RTF_BOLD;
    if (font.GetIncludeItalic()) f.italic = font.GetItalic() != FALSE, mask |= RTF_ITALIC;
    if (font.GetIncludeUnderline()) f.underline = font.GetUnderline() != FALSE, mask |= RTF_UNDERLINE;
    if (font.GetIncludeFaceName()) f.face = std::string(font.GetFaceName()), mask |= RTF_FACE;
    if (font.GetIncludeSize()) f.halfPoints = static_cast<int>(font.GetSize() * 2 + 0.5), mask |= RTF_SIZE;
  }
  if (style.GetIncludeTextColor()) f.colour = style.GetTextColor(), mask |= RTF_COLOUR;
  return mask;
}

void CGXRichEditCtrl::FormatToStyle(const RtfCharFormat& f, RtfAlign align, CGXStyle& style) {
  style.SetHorizontalAlignment(align == RtfAlign::kCenter ? DT_CENTER : align == RtfAlign::kRight ? DT_RIGHT : DT_LEFT);
  CGXFont font;
  font.SetBold(f.bold).SetItalic(f.italic).SetUnderline(f.underline);
  if (!f.face.empty()) font.SetFaceName(f.face.c_str());
  if (f.halfPoints > 0) font.SetSize(f.halfPoints / 2.0);
  style.SetFont(font);
  if (f.colour != RtfCharFormat::kAutoColour) style.SetTextColor(f.colour);
}

CFont* CGXRichEditCtrl::SelectRunFont(CDC* dc, CFont& font, const RtfCharFormat& f, const CGXStyle& style) {
  CGXFont cell = style.GetIncludeFont() ? style.GetFont() : CGXFont();
  cell.SetBold(f.bold).SetItalic(f.italic).SetUnderline(f.underline);
  if (!f.face.empty()) cell.SetFaceName(f.face.c_str());
  if (f.halfPoints > 0) cell.SetSize(f.halfPoints / 2.0);
  const LOGFONT lf = cell.GetZoomedLogFont(m_pGrid->GetZoom());
  font.CreateFontIndirect(&lf);
  return dc->SelectObject(&font);
}

void CGXRichEditCtrl::DrawDocument(CDC* dc, const CRect& rect, const RtfDocument& doc, const CGXStyle& style) {
  const BOOL blackWhite = m_pGrid->PrintsBlackWhite();
  const COLORREF cellText = style.GetIncludeTextColor() ? style.GetTextColor() : RGB(0, 0, 0);
  const int saved = dc->SaveDC();
  dc->IntersectClipRect(&rect);
  dc->SetBkMode(TRANSPARENT);
  int y = rect.top;
  for (const RtfParagraph& paragraph : doc.paragraphs) {
    if (y >= rect.bottom) break;
    // Measure the line first, for its alignment and height.
    int width = 0, height = 0;
    for (const RtfRun& run : paragraph.runs) {
      CFont font;
      CFont* old = SelectRunFont(dc, font, run.format, style);
      const CSize extent = dc->GetTextExtent(CString(run.text.c_str(), static_cast<int>(run.text.size())));
      width += extent.cx;
      height = std::max<int>(height, extent.cy);
      dc->SelectObject(old);
    }
    if (height == 0) {
      TEXTMETRIC tm{};
      dc->GetTextMetrics(&tm);
      height = tm.tmHeight;
    }
    int x = rect.left;
    if (paragraph.align == RtfAlign::kCenter) x += (rect.Width() - width) / 2;
    if (paragraph.align == RtfAlign::kRight) x = rect.right - width;
    for (const RtfRun& run : paragraph.runs) {
      CFont font;
      CFont* old = SelectRunFont(dc, font, run.format, style);
      const CString text(run.text.c_str(), static_cast<int>(run.text.size()));
      const COLORREF colour = run.format.colour == RtfCharFormat::kAutoColour ? cellText : run.format.colour;
      dc->SetTextColor(blackWhite ? RGB(0, 0, 0) : colour);
      const CSize extent = dc->GetTextExtent(text);
      dc->TextOut(x, y + height - extent.cy, text);
      x += extent.cx;
      dc->SelectObject(old);
    }
    y += height;
  }
  dc->RestoreDC(saved);
}

void CGXRichEditCtrl::Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
                           const CGXStyle* baseStyle) {
  if (IsInitializedFor(row, col) && IsActive()) {
    CGXEditControl::Draw(dc, rect, row, col, style, baseStyle);
    return;
  }
  DrawBackground(dc, rect, style, FALSE);
  const CRect text = GetCellRect(row, col, &rect, &style);
  if (text.Width() < 2 || text.Height() < 2) return;
  const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
  // An empty value draws nothing but the background.
  if (!value.IsEmpty()) DrawDocument(dc, text, ReadRtf(std::string(value)), style);
  CGXControl::Draw(dc, rect, row, col, style, baseStyle);
}

CSize CGXRichEditCtrl::CalcContentSize(CDC* dc, ROWCOL, ROWCOL, const CGXStyle& style, BOOL, BOOL) {
  const CString value = style.GetIncludeValue() ? style.GetValue() : CString();
  const RtfDocument doc = ReadRtf(std::string(value));
  int width = 0, height = 0;
  for (const RtfParagraph& paragraph : doc.paragraphs) {
    int lineWidth = 0, lineHeight = 0;
    for (const RtfRun& run : paragraph.runs) {
      CFont font;
      CFont* old = SelectRunFont(dc, font, run.format, style);
      const CSize extent = dc->GetTextExtent(CString(run.text.c_str(), static_cast<int>(run.text.size())));
      lineWidth += extent.cx;
      lineHeight = std::max<int>(lineHeight, extent.cy);
      dc->SelectObject(old);
    }
    width = std::max(width, lineWidth);
    height += lineHeight;
  }
  return CalcSize(width + 1, height + 1, style);
}

void CGXRichEditCtrl::SetValue(LPCTSTR text) {
  if (!m_bInit || m_hWnd == nullptr) return;
  if (!IsActive()) SetActive(TRUE);
  if (!ValidateString(CString(text))) return;
  SetCurrentText(CString(RtfFromPlainText(text != nullptr ? text : "").c_str()));
  SetModify(TRUE);
  OnModifyCell();
}

void CGXRichEditCtrl::SetCurrentText(const CString& text) {
  if (m_hWnd == nullptr) return;
  m_sLoaded = std::string(text);
  m_loadedDoc = ReadRtf(m_sLoaded);
  SetWindowText(CString(m_loadedDoc.PlainText().c_str()));
}

BOOL CGXRichEditCtrl::GetCurrentText(CString& text) {
  if (!m_bInit) return FALSE;
  if (!IsActive() || m_hWnd == nullptr) {
    text = CGXControl::GetStyle().GetIncludeValue() ? CGXControl::GetStyle().GetValue() : CString();
    return TRUE;
  }
  CString shown;
  GetWindowText(shown);
  const std::string plain(shown);
  if (plain == m_loadedDoc.PlainText()) {
    text = CString(m_sLoaded.c_str());
    return TRUE;
  }
  // Edited text takes the format of the value's first run and paragraph.
  RtfCharFormat format;
  RtfAlign align = RtfAlign::kLeft;
  if (!m_loadedDoc.paragraphs.empty()) {
    align = m_loadedDoc.paragraphs.front().align;
    for (const RtfParagraph& p : m_loadedDoc.paragraphs)
      if (!p.runs.empty()) {
        format = p.runs.front().format;
        break;
      }
  }
  RtfDocument doc = RtfDocument::FromPlainText(plain, format);
  for (RtfParagraph& p : doc.paragraphs) p.align = align;
  text = CString(WriteRtf(doc).c_str());
  return TRUE;
}

BOOL CGXRichEditCtrl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR value, const CGXStyle& style) {
  if (value == nullptr && !style.GetIncludeValue()) return FALSE;
  const CString source = value != nullptr ? CString(value) : style.GetValue();
  text = CString(ReadRtf(std::string(source)).PlainText().c_str());
  return TRUE;
}

BOOL CGXRichEditCtrl::ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) {
  CGXStyle composed;
  if (style == nullptr) {
    m_pGrid->ComposeStyleRowCol(row, col, composed);
    style = &composed;
  }
  // The limit is on the text the user sees, never on the stream.
  if (style->GetIncludeMaxLength() && style->GetMaxLength() > 0 &&
      text.GetLength() > static_cast<int>(style->GetMaxLength()))
    text = text.Left(static_cast<int>(style->GetMaxLength()));
  text = CString(RtfFromPlainText(std::string(text)).c_str());
  return TRUE;
}

const CGXStyle* CGXRichEditCtrl::StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode,
                                                  int storeKind, const CGXStyle* currentStyle) {
  if (style == nullptr || mode == 2 || mode == CGXGridCore::kRemoveStyle)
    return CGXEditControl::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  RtfCharFormat format;
  bool setsAlign = false;
  RtfAlign align = RtfAlign::kLeft;
  const unsigned mask = StyleToFormat(*style, format, setsAlign, align);
  if (mask == 0 && !setsAlign)
    return CGXEditControl::StoreStyleRowCol(row, col, style, mode, storeKind, currentStyle);
  // The formats go into the stream; the style keeps none of them.
  CGXStyle* copy = style->Clone();
  CString value = style->GetIncludeValue() ? style->GetValue() : m_pGrid->GetStoredCellValue(row, col);
  RtfDocument doc = ReadRtf(std::string(value));
  doc.ApplyFormat(format, mask, setsAlign, align);
  copy->SetIncludeHorizontalAlignment(FALSE);
  copy->SetIncludeTextColor(FALSE);
  copy->SetIncludeFont(FALSE);
  if (!value.IsEmpty() || style->GetIncludeValue()) copy->SetValue(CString(WriteRtf(doc).c_str()));
  const CGXStyle* stored = CGXEditControl::StoreStyleRowCol(row, col, copy, mode, storeKind, currentStyle);
  delete copy;
  return stored != nullptr ? style : nullptr;
}

int CGXRichEditCtrl::GetCurrentStyleValue(ROWCOL row, ROWCOL col, CGXStyle& target) {
  CGXStyle composed;
  m_pGrid->ComposeStyleRowCol(row, col, composed);
  const CString value = composed.GetIncludeValue() ? composed.GetValue() : CString();
  if (value.IsEmpty()) return 0;
  const RtfDocument doc = ReadRtf(std::string(value));
  for (const RtfParagraph& p : doc.paragraphs)
    if (!p.runs.empty()) {
      FormatToStyle(p.runs.front().format, p.align, target);
      return 1;
    }
  return 0;
}

BOOL CGXRichEditCtrl::Copy() {
  CString rtf;
  if (!m_bInit || !GetCurrentText(rtf)) return CGXControl::Copy();
  CString plain;
  GetControlText(plain, m_nRow, m_nCol, rtf, CGXControl::GetStyle());
  // The text first (it empties the clipboard), then the stream beside it.
  const BOOL copied = CGXControl::Copy();
  CWnd* grid = GetGridWnd();
  if (::OpenClipboard(grid != nullptr ? grid->GetSafeHwnd() : nullptr)) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(rtf.GetLength()) + 1);
    if (block != nullptr) {
      std::memcpy(::GlobalLock(block), static_cast<LPCTSTR>(rtf), static_cast<std::size_t>(rtf.GetLength()) + 1);
      ::GlobalUnlock(block);
      if (::SetClipboardData(GXRichTextClipboardFormat(), block) == nullptr) ::GlobalFree(block);
    }
    ::CloseClipboard();
  }
  return copied || !plain.IsEmpty();
}

BOOL CGXRichEditCtrl::CanPaste() {
  if (m_bInit && !CGXControl::IsReadOnly() && ::IsClipboardFormatAvailable(GXRichTextClipboardFormat())) return TRUE;
  return CGXControl::CanPaste();
}

BOOL CGXRichEditCtrl::Paste() {
  if (!m_bInit || CGXControl::IsReadOnly() || !::IsClipboardFormatAvailable(GXRichTextClipboardFormat()))
    return CGXControl::Paste();
  CWnd* grid = GetGridWnd();
  if (!::OpenClipboard(grid != nullptr ? grid->GetSafeHwnd() : nullptr)) return FALSE;
  std::string rtf;
  if (HANDLE block = ::GetClipboardData(GXRichTextClipboardFormat()); block != nullptr) {
    const auto* bytes = static_cast<const char*>(::GlobalLock(block));
    if (bytes != nullptr) rtf.assign(bytes, strnlen(bytes, ::GlobalSize(block)));
    ::GlobalUnlock(block);
  }
  ::CloseClipboard();
  if (!OnStartEditing()) return FALSE;
  if (!IsActive()) SetActive(TRUE);
  SetCurrentText(CString(rtf.c_str()));
  SetModify(TRUE);
  OnModifyCell();
  Refresh();
  return TRUE;
}
