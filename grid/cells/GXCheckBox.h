// Check-box cells: checked when the value equals the checked value (user
// attribute 51019, "1"), unchecked when it equals the unchecked value
// (51020, "0"), otherwise undetermined with TriState (unchecked without).
// A click or the space bar toggles and stores at once; the "Ex" variant
// keeps the change until the cell is left.
#pragma once

#include "grid/cells/GXControl.h"
#include "platform/gfx/GdiObject.h"

constexpr WORD GX_IDS_UA_CHECKBOX_CHECKED = 51019;
constexpr WORD GX_IDS_UA_CHECKBOX_UNCHECKED = 51020;

class CGXCheckBox : public CGXControl {
  GX_DECLARE_CONTROL_CLASS(CGXCheckBox)

 public:
  // State bits.
  static constexpr UINT kBound = 1, kDimmed = 2, kChecked = 4, kUnchecked = 8;

  CGXCheckBox(CGXGridCore* grid, BOOL draw3d, UINT screenBitmap = 0, UINT printBitmap = 0);
  ~CGXCheckBox() override;

  static void AddUserAttributes(CGXStylesMap* map);

  virtual UINT GetState(ROWCOL row, ROWCOL col, const CGXStyle& style);
  virtual void DrawCheckBox(CDC* dc, const CRect& rect, UINT state, UINT align, LPCTSTR label);
  virtual void CalcBoxRect(CRect& out, CDC* dc, const CRect& rect, LPCTSTR label, UINT align);
  virtual COLORREF MapColor(COLORREF color, BOOL forPrint);
  virtual BOOL LoadBitmaps();

  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  BOOL ConvertControlTextToValue(CString& text, ROWCOL row, ROWCOL col, const CGXStyle* style) override;
  BOOL LButtonDown(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL MouseMove(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) override;
  void OnCancelMode() override;
  void OnClickedButton(CGXChild* child) override;
  void OnSysColorChange() override { LoadBitmaps(); }

  // The values of a style.
  static CString CheckedValue(const CGXStyle& style);
  static CString UncheckedValue(const CGXStyle& style);
  // The value after a toggle of `value`.
  static CString ToggledValue(const CString& value, const CGXStyle& style);

  BOOL m_bDraw3d;
  CBitmap m_screenBitmap, m_printBitmap;
  UINT m_nScreenBitmapId, m_nPrintBitmapId;
  int m_nCheckBoxSize = 13;
  BOOL m_bPressed = FALSE;
  CRect m_rectBox;

 protected:
  // The style the box shows (the composed copy while the Ex cell edits).
  virtual const CGXStyle& ShownStyle() { return GetStyle(); }
  void ComputeBoxForCell();
};

class CGXCheckBoxEx : public CGXCheckBox {
  GX_DECLARE_CONTROL_CLASS(CGXCheckBoxEx)

 public:
  CGXCheckBoxEx(CGXGridCore* grid, BOOL draw3d) : CGXCheckBox(grid, draw3d) {}

  void SetActive(BOOL on) override;
  BOOL IsActive() override { return m_bActive; }
  void SetModify(BOOL modified) override { m_bModified = modified; }
  BOOL GetModify() override { return m_bModified; }
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) override;
  void OnClickedButton(CGXChild* child) override;

  BOOL m_bActive = FALSE;
  BOOL m_bModified = FALSE;
};
