// The list box cell: the lines of the style's choice list shown as a list
// inside the cell, the selected line being the cell's value. Inactive cells
// draw the lines that fit with the value's line inverted (scrolled so that
// it is visible); the active current cell shows a real list window.
#pragma once

#include "grid/cells/GXControl.h"
#include "platform/controls/CtlListBox.h"
#include "platform/gfx/GdiObject.h"

class CGXListBox : public CListBox, public CGXControl {
  GX_DECLARE_CONTROL_CLASS(CGXListBox)

 public:
  CGXListBox(CGXGridCore* grid, UINT id);
  ~CGXListBox() override;

  virtual void FillListBox();
  virtual BOOL CreateListWnd();

  CWnd* GetWnd() override { return this; }
  void SetActive(BOOL on) override;
  BOOL IsActive() override { return m_bIsActive; }
  void SetModify(BOOL modified) override { m_bModified = modified; }
  BOOL GetModify() override { return m_bModified; }
  void Init(ROWCOL row, ROWCOL col) override;
  BOOL Store() override;
  CRect GetCellRect(ROWCOL row, ROWCOL col, const CRect* cellRect = nullptr, const CGXStyle* style = nullptr) override;
  CSize CalcSize(int width, int height, const CGXStyle& style) override;
  CSize CalcContentSize(CDC* dc, ROWCOL row, ROWCOL col, const CGXStyle& style, BOOL mode1, BOOL mode2) override;
  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  void GetValue(CString& text) override;
  void SetValue(LPCTSTR text) override;
  void Hide() override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL LButtonDblClk(UINT flags, CPoint point) override;
  BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Half the frame width, at least 2: the list's inset from the cell.
  static int Margin();
  // Activates the cell for a click and passes the click on to the list.
  BOOL ClickIntoList(UINT downMessage, UINT upMessage, UINT flags, CPoint point);

  UINT m_nID;
  BOOL m_bIsActive = FALSE;
  BOOL m_bModified = FALSE;
  CFont* m_pFont = nullptr;
};
