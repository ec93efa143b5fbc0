// Radio-button cells: one button per line of the style's choice list; the
// value is the index of the chosen line. The "Ex" variant lays its items
// out across or down (51057) with the text on either side (52568) and keeps
// the change until the cell is left.
#pragma once

#include <vector>

#include "grid/cells/GXControl.h"

constexpr WORD GX_IDS_UA_RADIO_ALIGN = 51057;
constexpr WORD GX_IDS_UA_RADIO_TEXTALIGN = 52568;

class CGXRadioButton : public CGXControl {
  GX_DECLARE_CONTROL_CLASS(CGXRadioButton)

 public:
  CGXRadioButton(CGXGridCore* grid, BOOL draw3d) : CGXControl(grid), m_bDraw3d(draw3d) {}

  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) override;

  // The lines of a choice list, empty lines skipped.
  static std::vector<CString> Lines(const CGXStyle& style);

  int m_nCount = 0;
  BOOL m_bDraw3d;

 protected:
  struct Item {
    CRect button;  // the 18-pixel button area
    CRect text;
  };
  // The items' places in `rect`, laid out as the control draws them.
  virtual std::vector<Item> Layout(CDC* dc, const CRect& rect, const CGXStyle& style);
  virtual void DrawButton(CDC* dc, int x, int top, BOOL on);
  // The item under `point`, -1 when none.
  int HitItem(CPoint point, const CGXStyle& style);
  int LineHeight(CDC* dc);
  virtual const CGXStyle& ValueStyle() { return GetStyle(); }
};

class CGXRadioButtonEx : public CGXRadioButton {
  GX_DECLARE_CONTROL_CLASS(CGXRadioButtonEx)

 public:
  CGXRadioButtonEx(CGXGridCore* grid, BOOL draw3d) : CGXRadioButton(grid, draw3d) {}

  static void AddUserAttributes(CGXStylesMap* map);

  void SetActive(BOOL on) override;
  BOOL IsActive() override { return m_bActive; }
  void SetModify(BOOL modified) override { m_bModified = modified; }
  BOOL GetModify() override { return m_bModified; }
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  BOOL HandlesCoveredClick() override { return TRUE; }
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) override;

  BOOL m_bActive = FALSE;
  BOOL m_bModified = FALSE;

 protected:
  std::vector<Item> Layout(CDC* dc, const CRect& rect, const CGXStyle& style) override;
  void SetChosen(int index);
};
