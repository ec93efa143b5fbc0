// An edit field with a small push button inside its frame (at the right end,
// or the left): clicking it, F4 or Alt+Down calls OnButtonClicked, which
// tells the parent by WM_COMMAND; derived fields open a drop-down there.
// The button shows a bitmap; without one there is no button.
#pragma once

#include "platform/Afx.h"
#include "platform/controls/CtlEdit.h"
#include "platform/gfx/GdiObject.h"

class CDC;

class CGXBDropEdit : public CEdit {
 public:
  // Button flag bits.
  enum ButtonFlags : WORD { kPressed = 1, kCaptured = 2, kRightEnd = 4 };

  CGXBDropEdit() = default;
  ~CGXBDropEdit() override = default;

  void SetButtonBitmap(UINT id);
  void SetButtonBitmapId(WORD id) { SetButtonBitmap(id); }
  UINT GetButtonBitmapId() const { return bitmapId_; }
  BOOL HasButton() const { return bitmap_.m_hObject != nullptr; }
  // The button in window coordinates (empty without a button).
  const CRect& GetButtonRect() const { return button_; }
  void SetButtonAtRight(BOOL right) {
    flags_ = static_cast<WORD>(right ? (flags_ | kRightEnd) : (flags_ & ~kRightEnd));
  }
  WORD GetButtonFlags() const { return flags_; }

  // `client`: the point is in client coordinates, else on the screen.
  virtual BOOL HitTestButton(int x, int y, BOOL client);
  virtual void OnButtonClicked();
  virtual void DrawButton(CDC* dc, const CRect& rect);
  void InvalidateButton();

 protected:
  void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) override;
  void OnNcPaint() override;
  LRESULT OnNcHitTest(CPoint point) override;
  void OnNcLButtonDown(UINT hitTest, CPoint point) override;
  void OnNcLButtonDblClk(UINT hitTest, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnCancelMode() override;
  void OnEnable(BOOL enable) override;
  void OnSysColorChange() override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
  void OnSysKeyDown(UINT key, UINT repeat, UINT flags) override;
  // Repaints the button at once (through the non-client painting).
  void RepaintButton();
  BOOL IsButtonCaptured() const { return (flags_ & kCaptured) != 0; }

  CRect button_;
  CBitmap bitmap_;
  UINT bitmapId_ = 0;
  WORD flags_ = kRightEnd;
  WORD leftMargin_ = 1;
  WORD rightMargin_ = 1;
};

// Draws a bitmap embossed, as on a disabled button: what is not face or
// highlight colour shows in shadow with a highlight echo.
void GXDrawEmbossedBitmap(CDC* dc, CBitmap& bitmap, int x, int y, int cx, int cy);
