// Laying out and drawing cell text (word wrap, alignment, overflow marks),
// finding the character under a point, 3-D edges and button captions,
// value formatting, and the small text and fill helpers of the grid.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CString.h"
#include "platform/gfx/Dc.h"

#include "grid/core/GXRange.h"

class CGXControl;
class CGXStyle;

class CGXDrawingAndFormatting {
 public:
  static constexpr int kMaxLines = 32;

  virtual ~CGXDrawingAndFormatting() = default;
  virtual HBITMAP GetPatternBitmap(int index);
  virtual int DrawTextWithMarks(CDC* dc, LPCTSTR text, int length, int left, int top, int right, int bottom,
                                UINT format, LPCRECT clip, int markType);
  virtual int DrawMultiLineText(CDC* dc, LPCTSTR text, int length, int left, int top, int right, int bottom,
                                UINT format, LPCRECT clip);
  virtual int DrawRotatedText(CDC* dc, LPCTSTR text, int length, int left, int top, int right, int bottom,
                              UINT format, LONG escapement, LPCRECT clip);
  virtual int CharFromPoint(CDC* dc, LPCTSTR text, int length, int left, int top, int right, int bottom, UINT format,
                            int x, int y);
  virtual int LayoutText(CDC* dc, LPCTSTR text, int length, int& left, int& top, int& right, int& bottom,
                         UINT format, int* starts, int* lengths);
  virtual int LayoutLines(CDC* dc, LPCTSTR text, int length, RECT& rect, UINT format, int* starts, int* lengths,
                          int maxLines);
  virtual CString& FormatValue(CString& out, const CGXStyle& style, LPCTSTR value, unsigned valueType,
                               unsigned format, unsigned places);
  virtual BOOL ParseValue(LPCTSTR text, double& number, BOOL mode1, BOOL mode2);
  virtual void Draw3dRect(CDC* dc, int left, int top, int right, int bottom, int thickness, COLORREF topLeft,
                          COLORREF bottomRight);
  virtual void DrawButtonEdge(CDC* dc, const CRect& rect, BOOL drawEdge, BOOL pressed);
  virtual void DrawButtonText(CDC* dc, const CRect& rect, BOOL focus, LPCTSTR text, UINT format);
  // The text of a static-text cell and of the cells that show text like it:
  // background, then the value (or the bitmap it names) in the style's
  // zoomed font, then the control's children. `compare` is the style whose
  // font the device context already holds, or null.
  virtual void DrawCellText(CGXControl* control, CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col,
                            const CGXStyle& style, const CGXStyle* compare);
};

CGXDrawingAndFormatting* GXGetDrawingAndFormatting();

// A colour that carries a system-colour index (top byte 0x41-0xFE) as the
// cached system colour; any other colour unchanged.
COLORREF GXResolveColor(COLORREF color);
void GXFillRect(CDC* dc, int x, int y, int width, int height, COLORREF color);
void GXFillSolidRect(CDC* dc, const CRect& rect, COLORREF color);
void GXInvertRect(CDC* dc, const CRect& rect, LPCRECT clip);
void GXDrawEdge(CDC* dc, CRect& rect, UINT edge, BOOL adjust);

// Takes the first line off `text` into `line`; the position of the break's
// last character in the old text, or -1 without a break.
int GXExtractLine(CString& text, CString& line);
// Field `field` (tab-separated, from 0) of a line into a buffer of `size`
// characters, at most size - 1 of them and a terminator.
void GXGetTabField(LPCTSTR line, int field, LPTSTR buffer, int size);
int GXFindChoice(LPCTSTR text, int field, LPCTSTR choices, BOOL skipFirst, CString& line, BOOL exact);
void GXSortChoiceList(CString& choices, int field, BOOL keepFirst);
