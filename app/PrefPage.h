// What the Preferences sheet asks of each of its pages. A page keeps its own
// copy of the values it edits: the sheet loads it from the globals, checks
// it on OK (only once its controls exist), and stores it back.
#pragma once

#include "platform/base/CString.h"
#include "platform/propsheet/PropPage.h"

class CPrefPage : public CPropertyPage {
 public:
  using CPropertyPage::CPropertyPage;

  // The globals into the page's values, and back.
  virtual void LoadValues() = 0;
  virtual void StoreValues() = 0;
  // OK's check of an opened page: false with the message to show in
  // `error` (empty when the check showed its own).
  virtual bool Check(CString& error) {
    error.Empty();
    return true;
  }
  // Something was edited since the values were loaded.
  virtual bool Changed() const = 0;
  // After a reset: an opened page shows its values again and forgets its
  // changes.
  virtual void Refresh() {
    if (Opened()) UpdateData(FALSE);
  }

  // The page's controls exist once it has been shown.
  bool Opened() const { return GetSafeHwnd() != nullptr; }
};
