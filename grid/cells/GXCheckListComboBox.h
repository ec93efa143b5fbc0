// The check-list combo cell: a combo whose dropped list is a list of check
// boxes. The first line of the choice list is the caption the cell always
// shows; every further line is one check item, and the cell's value is the
// decimal bit mask of the checked items (item i is bit 2^i; no bits
// checked is an empty value). Items after the 32nd have no bit: they show
// unchecked and cannot be checked. The cell takes no typed text; the
// button or Alt+Down opens the list and closing it stores the mask.
#pragma once

#include "grid/cells/GXComboBox.h"
#include "platform/commctrl/CheckListBox.h"

class CGXCheckListComboLBox : public CCheckListBox {
 public:
  explicit CGXCheckListComboLBox(CWnd* owner) : m_pOwnerCombo(owner) {}

  BOOL m_bKeyDown = FALSE;
  CWnd* m_pOwnerCombo;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CGXCheckListComboBox : public CGXComboBox {
  GX_DECLARE_CONTROL_CLASS(CGXCheckListComboBox)

 public:
  CGXCheckListComboBox(CGXGridCore* grid, UINT editId, UINT listId)
      : CGXComboBox(grid, editId, listId, GXCOMBO_NOTEXTFIT) {}

  BOOL FilterTypedChar(UINT ch, UINT repeat, UINT flags) override;
  DWORD CalcEditStyle(CRect& rect, int lineHeight) override;
  CListBox* CreateListBox(CWnd* dropDown, UINT id) override;
  void TakeListSelection(CListBox* list) override;
  void FillListBox(CListBox* list) override;

  void Draw(CDC* dc, const CRect& rect, ROWCOL row, ROWCOL col, const CGXStyle& style,
            const CGXStyle* baseStyle) override;
  BOOL GetControlText(CString& text, ROWCOL row, ROWCOL col, LPCTSTR value, const CGXStyle& style) override;
  BOOL LButtonUp(UINT flags, CPoint point, UINT hit) override;
  BOOL ProcessKeys(UINT message, UINT key, UINT repeat, UINT flags) override;

  // The mask of the checked items of the list.
  static DWORD CheckedMask(CCheckListBox* list, int count);

  int m_nItemCount = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnListDone();
};
