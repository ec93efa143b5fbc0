// A label that offers a pop-up menu of choices and shows the chosen one
// followed by ":" (the kind of each telephone number of a friend).
#pragma once

#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/controls/CtlStatic.h"
#include "platform/menus/Menu.h"

class CDataExchange;
class CDialog;

class CPickLabel : public CStatic {
 public:
  CPickLabel();
  int SubclassDlgItem(UINT labelId, CDialog* parent, int* changed);

  // Appends the texts as choices 1, 2, 3 ... in order.
  void AddChoices(const CStringArray& choices);
  void AddChoice(const CString& choice);
  void GetSelText(CString& out) const;
  int SetSel(int item);
  int GetSel() const { return m_nSel; }
  // The first choice equal to `text` (case-sensitive); none clears it.
  void SelectText(const CString& text);
  bool IsValidItem(int item) const;
  void UpdateText();

 protected:
  void OnLButtonDown(UINT nFlags, CPoint point) override;

 private:
  CStatic m_arrow;
  int m_nSel = -1;
  RECT m_rcLabel{};
  CMenu m_menu;
  int* m_pbChanged = nullptr;
};

void DDX_PickLabel(CDataExchange* pDX, CPickLabel& label, CString& value);
