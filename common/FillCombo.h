// A drop-down combo box with type-ahead: as the user types, the text is
// completed with the first entry of the list that begins with it.
#pragma once

#include "platform/base/CString.h"
#include "platform/controls/CtlComboBox.h"
#include "platform/controls/CtlEdit.h"

class CFillCombo;

class CFillEdit : public CEdit {
 public:
  CFillCombo* m_pCombo = nullptr;
  // The text as it was after the previous key, without completion.
  CString m_strTyped;

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
};

class CFillCombo : public CComboBox {
 public:
  CFillCombo() = default;
  // Attaches to the dialog's combo box and makes it a sorted drop-down.
  int SubclassDlgItem(UINT id, CWnd* parent);
  // Adds the edit's text to the list unless an entry begins with it.
  void AddCurrentText();

 protected:
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;

 private:
  CFillEdit m_edit;
  CWnd m_list;
};
