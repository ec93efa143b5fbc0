// The rich edit cell: the cell's value is a rich text stream (runs with
// bold, italic, underline, face, size and colour; aligned paragraphs). The
// current cell is edited in a rich edit window, so parts of the text can be
// formatted while editing; other cells, on the screen and on the printer,
// are drawn by a hidden rich edit window on the device itself. Fonts,
// colours and alignment applied to such a cell go into the stream (into
// the selection while the cell is being edited), not into the cell's
// style. With the auto-size attribute the row grows while the user types,
// never past the visible grid, and may shrink back to its height when
// editing began. Plain text given to the cell is escaped and wrapped in
// braces, so that "C:\temp" or "{x}" keep their characters; a maximum
// length limits the plain text, never the stream.
#pragma once

#include <string>

#include "grid/cells/GXEditControl.h"
#include "platform/base/Rtf.h"
#include "platform/controls/CtlRichEdit.h"

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

  // A row grown by typing may shrink again, down to its height when the
  // cell was initialised.
  void SetShrinkRows(BOOL shrink) { m_bShrink = shrink; }

  BOOL CreateControl(DWORD style, const RECT* rect) override;
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL vertical, BOOL mode2) override;
  void SetValue(LPCTSTR text) override;
  BOOL GetCurrentText(CString& text) override;
  void SetCurrentText(const CString& text) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  // The limit is on the plain text, cut before it became a stream.
  void LimitConvertedValue(CString&, const CGXStyle&) override {}
  const CGXStyle* StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                   const CGXStyle* currentStyle) override;
  int GetCurrentStyleValue(ROWCOL row, ROWCOL col, CGXStyle& target) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL KeyDown(UINT key, UINT repeat, UINT flags) override;
  BOOL FindText(void* request, ROWCOL row, ROWCOL col, BOOL fromCurrent, BOOL select) override;
  BOOL ReplaceAll(void* request, ROWCOL row, ROWCOL col) override;
  int GetSelectedText(CString& text) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL Copy() override;
  BOOL Cut() override;
  BOOL Paste() override;
  BOOL CanPaste() override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  // Streams `value` into the hidden window unless it holds it already, with
  // the style's formats as the window's defaults.
  void LoadHelper(const CString& value, const CGXStyle& style);
  static void SetDefaultsFromStyle(HWND window, const CGXStyle& style);
  // The editing window asked for a height: grow (or shrink) the row.
  void OnRequestResize(const RECT& requested);
  CHARRANGE Selection();

  CRichEditCtrl m_helper;  // renders, measures, converts; never shown
  std::string m_helperValue;
  bool m_helperLoaded = false;
  BOOL m_bShrink = TRUE;
  int m_nMinRowHeight = 0;
  BOOL m_bAutoGrow = FALSE;
  BOOL m_bMeasuring = FALSE;
  CRect m_rcRequested;
};
