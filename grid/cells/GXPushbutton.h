// The push-button cell: a button face over the whole cell, labelled with
// the style's choice list; a click tells the grid.
#pragma once

#include "grid/cells/GXControl.h"

class CGXPushbutton : public CGXControl {
  GX_DECLARE_CONTROL_CLASS(CGXPushbutton)

 public:
  explicit CGXPushbutton(CGXGridCore* grid);

  void Init(ROWCOL row, ROWCOL col) override;
  void OnInitChildren(ROWCOL row, ROWCOL col, const CRect& cellRect) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  void DrawFrame(CDC*, const CRect&) override {}

  CGXButton* m_pButton;
};
