// Three small kinds of edit cell: one whose editor always has a vertical
// scroll bar, one with a button in its corner that tells the grid when it
// is clicked, and one with up and down arrows that step a whole number
// between optional bounds.
#pragma once

#include "grid/cells/GXEditControl.h"

constexpr WORD GX_IDS_UA_SPINBOUND_MIN = 51014;
constexpr WORD GX_IDS_UA_SPINBOUND_MAX = 51015;
constexpr WORD GX_IDS_UA_SPINBOUND_WRAP = 51016;
constexpr WORD GX_IDS_UA_SPINSTART = 51021;

class CGXVScrollEdit : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGXVScrollEdit)

 public:
  CGXVScrollEdit(CGXGridCore* grid, UINT id) : CGXEditControl(grid, id) {}

  DWORD CalcEditStyle(CRect& rect, int lineHeight) override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
};

class CGXHotSpotEdit : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGXHotSpotEdit)

 public:
  CGXHotSpotEdit(CGXGridCore* grid, UINT id);

  void Init(ROWCOL row, ROWCOL col) override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  void OnInitChildren(ROWCOL row, ROWCOL col, const CRect& cellRect) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;

  CGXHotSpotButton* m_pButton;
};

class CGXSpinEdit : public CGXEditControl {
  GX_DECLARE_CONTROL_CLASS(CGXSpinEdit)

 public:
  CGXSpinEdit(CGXGridCore* grid, UINT id);

  void Init(ROWCOL row, ROWCOL col) override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  BOOL LButtonDown(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  void OnClickedButton(CGXChild* child) override;
  void OnInitChildren(ROWCOL row, ROWCOL col, const CRect& cellRect) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;

  // Reads the bounds, wrapping and start value from the cell's style.
  void ReadSpinAttributes();
  // One step up or down by the clicked arrow.
  virtual void Step(CGXChild* button);

  static void AddUserAttributes(CGXStylesMap* map);

  CGXUpArrowButton* m_pUpArrow;
  CGXDownArrowButton* m_pDownArrow;
  DWORD m_nWrap = 0;
  LONG m_nMin = 0;
  LONG m_nMax = 0;
  BOOL m_bMin = FALSE;
  BOOL m_bMax = FALSE;
  BOOL m_bStartValue = FALSE;
  LONG m_nStartValue = 0;
};
