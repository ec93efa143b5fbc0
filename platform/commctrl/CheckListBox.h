// CCheckListBox: an owner-drawn list box whose items carry a check box.
// A click on an item's box (or Space on the current item) changes its check
// by the check style and tells the parent with WM_COMMAND(CLBN_CHKCHANGE).
// The item data the caller sets is kept beside the check state.
#pragma once

#include "platform/controls/CtlListBox.h"

#define CLBN_CHKCHANGE 40

class CCheckListBox : public CListBox {
  DECLARE_DYNAMIC(CCheckListBox)
 public:
  CCheckListBox() = default;
  // Owner-drawn fixed items with strings are added to the style.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // BS_CHECKBOX (changed only by SetCheck), BS_AUTOCHECKBOX (the default),
  // BS_AUTO3STATE (unchecked, checked, indeterminate) or BS_3STATE.
  void SetCheckStyle(UINT style) { checkStyle_ = style; }
  UINT GetCheckStyle() const { return checkStyle_; }
  void SetCheck(int index, int check);
  int GetCheck(int index) const;  // -1 for no such item
  void Enable(int index, BOOL enabled = TRUE);
  BOOL IsEnabled(int index) const;
  DWORD_PTR GetItemData(int index) const;
  int SetItemData(int index, DWORD_PTR data);
  // The check box's part of an item.
  CRect OnGetCheckPosition(CRect item, CRect checkBox);

  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
  void MeasureItem(LPMEASUREITEMSTRUCT measureItem) override;
  void DeleteItem(LPDELETEITEMSTRUCT deleteItem) override;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PreSubclassWindow() override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnKeyDown(UINT key, UINT repeat, UINT flags) override;

 private:
  struct CheckData {
    int check = 0;
    bool enabled = true;
    DWORD_PTR user = 0;
  };
  CheckData* dataOf(int index, bool make) const;
  bool clickOnBox(CPoint point, int* index);
  void toggle(int index);
  int itemHeight() const;

  UINT checkStyle_ = BS_AUTOCHECKBOX;
};
