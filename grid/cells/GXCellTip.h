// Cell tips: a small window laid exactly over a cell whose text (or "#BMP"
// bitmap) does not fit, showing it whole. The cell's control decides
// whether its cell needs one and fills and places the tip window.
#pragma once

#include "grid/cells/GXControl.h"
#include "grid/core/GXFont.h"

// Tip flags: 1 wider than the visible cell, 2 higher; 4 (8) the tip leaves
// the grid window's client area horizontally (vertically); 16 (32) it
// leaves the screen horizontally (vertically).
constexpr UINT GX_TIP_WIDER = 1, GX_TIP_HIGHER = 2, GX_TIP_OUT_CLIENT_X = 4, GX_TIP_OUT_CLIENT_Y = 8,
               GX_TIP_OUT_SCREEN_X = 16, GX_TIP_OUT_SCREEN_Y = 32;

class CGXCellTipWnd : public CWnd {
 public:
  BOOL CreateTip(CWnd* owner);
};

// A text tip (kind 1): the text in the cell's font inside its rectangle.
class CGXTextCellTipWnd : public CGXCellTipWnd {
 public:
  CGXFont m_font;
  CRect m_rcText;

 protected:
  void OnPaint() override;
};

// A bitmap tip (kind 2): a packed device-independent bitmap of the pool.
class CGXStaticBitmapCellTipWnd : public CGXCellTipWnd {
 public:
  HGLOBAL m_hBitmap = nullptr;  // the pool's, not owned
  CRect m_rcBitmap;

 protected:
  void OnPaint() override;
};

class CGXCellTipStatic : public CGXCellTipBase {
 public:
  explicit CGXCellTipStatic(CGXControl* control) : m_pControl(control) {}
  UINT NeedsCellTip(ROWCOL row, ROWCOL col, const CGXStyle& style) override;
  int GetCellTipKind(ROWCOL row, ROWCOL col, const CGXStyle& style) override;
  void InitCellTipWnd(ROWCOL row, ROWCOL col, const CGXStyle& style, CWnd* tipWnd) override;

 private:
  CGXControl* m_pControl;
};

// The helpers the tips are built from, in screen pixels.
CRect GXGetCellTipInnerRect(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style);
CRect GXGetCellTipCellRect(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style);
CSize GXCalcCellTipTextSize(CGXGridCore* grid, const CString& text, const CGXStyle& style);
CPoint GXCalcCellTipTextPos(CGXGridCore* grid, const CString& text, const CRect& cellRect, const CGXStyle& style);
CPoint GXCalcCellTipBitmapPos(HGLOBAL bitmap, const CRect& inner, UINT align);
UINT GXCheckCellTipRect(CGXGridCore* grid, const CRect& rect);
UINT GXCellTipTextFlags(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style, const CString& text);
UINT GXCellTipBitmapFlags(CGXControl* control, ROWCOL row, ROWCOL col, const CGXStyle& style, const CString& text);
