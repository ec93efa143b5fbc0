// Labels the user renames in place: a click turns the label into a small
// edit; Tab, Enter or leaving keeps the new caption, Esc the old one.
// CLabelStatic keeps its caption in the user settings (section "LABELS").
#pragma once

#include "platform/base/CString.h"
#include "platform/controls/CtlEdit.h"
#include "platform/controls/CtlStatic.h"

class CEditLabel;

class CLabelEdit : public CEdit {
 public:
  CEditLabel* m_pLabel = nullptr;
  RECT m_rcFrame{};

 protected:
  UINT OnGetDlgCode() override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnPaint() override;
};

class CEditLabel : public CStatic {
  friend class CLabelEdit;

 public:
  CEditLabel() = default;
  // Attaches to the parent's static `labelId`; `buddyId` is the control that
  // takes the focus when editing ends. The attach result.
  int SubclassDlgItem(UINT labelId, CWnd* parent, UINT buddyId);

 protected:
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  // Ends the in-place editing: the edit's text becomes the caption.
  void EndEditing();

  CWnd* m_pBuddy = nullptr;
  CString m_strCaption;
  CLabelEdit m_edit;
  RECT m_rcLabel{};
  CStatic m_arrow;
};

class CLabelStatic : public CEditLabel {
 public:
  CLabelStatic();
  int SubclassDlgItem(UINT labelId, CWnd* parent, UINT buddyId, const char* defaultCaption, char key);

 protected:
  void OnDestroy() override;

 private:
  char m_cKey = 0;
  bool m_bCounted = false;
};

// Creates the small bitmap static left of a label (shared by the editable
// and the pick labels): a visible child with the label's id, at the label's
// rectangle moved left by the bitmap's width.
void CreateLabelArrow(CStatic& arrow, CWnd* parent, const RECT& labelRect, UINT id, int oemBitmap);
// A control's window rectangle in its parent's client coordinates.
RECT RectInParent(CWnd* control, CWnd* parent);
