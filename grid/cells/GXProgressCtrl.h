// The progress cell: a windowless cell that draws its numeric value as a
// bar between a lower and an upper bound, with a caption over it.
#pragma once

#include "grid/cells/GXControl.h"

constexpr WORD GX_IDS_UA_PROGRESS_LOW = 51025;
constexpr WORD GX_IDS_UA_PROGRESS_HIGH = 51026;
constexpr WORD GX_IDS_UA_PROGRESS_CAPTION = 51027;

// The caption with its one integer placeholder ("%d", "%ld", "%3i", ...)
// replaced by `value`; "%%" gives "%". Every other "%" is kept as it is,
// so a caption never reads more than the one number it is given.
CString GXFormatProgressCaption(const CString& caption, long value);

class CGXProgressCtrl : public CGXControl {
  GX_DECLARE_CONTROL_CLASS(CGXProgressCtrl)

 public:
  explicit CGXProgressCtrl(CGXGridCore* grid) : CGXControl(grid) {}

  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  // Values beyond the bounds are stored as the nearest bound.
  const CGXStyle* StoreStyleRowCol(ROWCOL row, ROWCOL col, const CGXStyle* style, int mode, int storeKind,
                                   const CGXStyle* currentStyle) override;

  virtual void FormatCaption(CString& out, ROWCOL row, ROWCOL col, const CGXStyle& style);
  // 1: the bar in the text colour, 0: the rest in the interior colour.
  virtual COLORREF GetBarColor(int which, const CGXStyle& style);
  // 1: the caption over the bar (interior colour), 0: over the rest.
  virtual COLORREF GetCaptionColor(int which, const CGXStyle& style);

  static void AddUserAttributes(CGXStylesMap* map);

  // Value units per pixel of the last drawing; 0 when the bounds are equal.
  double m_dScale = 1.0;
};
