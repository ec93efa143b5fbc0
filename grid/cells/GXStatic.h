// Windowless text cells: the static-text cell, which shows a cell's value
// and cannot be edited, and the header cell of the row and column headers.
#pragma once

#include "grid/cells/GXControl.h"

class CGXStatic : public CGXControl {
  GX_DECLARE_CONTROL_CLASS(CGXStatic)

 public:
  explicit CGXStatic(CGXGridCore* grid) : CGXControl(grid) {}

  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  // The size the cell's text needs: the grid's size calculation, (0, 0)
  // without it. `vertical` asks for the height.
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL vertical, BOOL mode2) override;
  BOOL CanFloatCell(ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL floats) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;

  // The horizontal inset of the text from the cell's sides.
  static int TextInset();

 protected:
  // The drawing flags of a style's alignment and wrapping.
  static UINT TextFormat(const CGXStyle& style);
  // Draws `text` into `rect` in the style's font and colour.
  void DrawCellText(CDC* dc, const CRect& rect, const CString& text, const CGXStyle& style);
};

// The cell's own rectangle from the text rectangle a cell with buttons at
// its right gives its children (`taken` pixels kept free for them): the
// buttons sit at the cell's right edge, not the text's.
CRect GXWholeCellRect(CGXControl* control, CGXGridCore* grid, ROWCOL row, ROWCOL col, const CRect& text, int taken);

class CGXHeader : public CGXStatic {
  GX_DECLARE_CONTROL_CLASS(CGXHeader)

 public:
  explicit CGXHeader(CGXGridCore* grid) : CGXStatic(grid) {}

  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  void DrawFrame(CDC* dc, const CRect& cellRect) override;
  BOOL MarkEditHeader(ROWCOL row, ROWCOL col, const CGXStyle& style) override;
};
