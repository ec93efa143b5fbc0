// The one-pixel window that the grid moves and paints as the tracking line
// while rows or columns are resized.
#pragma once

#include "grid/core/GXStyle.h"
#include "platform/framework/CWnd.h"

class CGXGridCore;

class CGXDragLineWnd : public CWnd {
 public:
  explicit CGXDragLineWnd(CGXGridCore* grid) : m_pGrid(grid) {}
  using CWnd::Create;
  BOOL Create(CWnd* parent);

  CGXGridCore* m_pGrid;
  CGXStyleBorder m_pen;  // "not set" until the grid gives it a pen
  BOOL m_bPatterned = FALSE;
  int m_nPatternValue1 = 0;
  int m_nPatternValue2 = 0;

 protected:
  void OnPaint() override;
};
