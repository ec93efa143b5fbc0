// The rich edit cell: the cell's value is a rich text stream (runs with
// bold, italic, underline, face, size and colour; aligned paragraphs).
// Other cells are drawn from the stream; the current cell edits its text
// in place, keeping the value's formatting. Fonts, colours and alignment
// applied to such a cell go into the stream, not into the cell's style.
// Plain text given to the cell is escaped and wrapped in braces, so that
// "C:\temp" or "{x}" keep their characters; a maximum length limits the
// plain text, never the stream.
#pragma once

#include <string>

#include "grid/cells/GXEditControl.h"
#include "platform/base/Rtf.h"

// The clipboard format of rich text.
UINT GXRichTextClipboardFormat();

class CGXRichEditCtrl : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGXRichEditCtrl)

 public:
  CGXRichEditCtrl(CGXGridCore* grid, UINT id);

  // The character and paragraph format a style asks for; the mask of
  // what it sets (RTF_*), and whether it sets an alignment.
  static unsigned StyleToFormat(const CGXStyle& style, RtfCharFormat& format, bool& setsAlign, RtfAlign& align);
  // The style's font, colour and alignment from a format.
  static void FormatToStyle(const RtfCharFormat& format, RtfAlign align, CGXStyle& style);

  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL vertical, BOOL mode2) override;
  void SetValue(LPCTSTR text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  const CGXStyle* StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                   const CGXStyle* currentStyle) override;
  int GetCurrentStyleValue(ROWCOL row, ROWCOL col, CGXStyle& target) override;
  BOOL Copy() override;
  BOOL Paste() override;
  BOOL CanPaste() override;

 private:
  // Draws a document into `rect`, each paragraph one line.
  void DrawDocument(CDC* dc, const CRect& rect, const RtfDocument& doc, const CGXStyle& style);
  CFont* SelectRunFont(CDC* dc, CFont& font, const RtfCharFormat& format, const CGXStyle& style);

  // The stream the editor was loaded from and its document.
  std::string m_sLoaded;
  RtfDocument m_loadedDoc;
};
