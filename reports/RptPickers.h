// The account and passbook pickers of the report dialogs. Both show the
// selection kept in the records' selected flags (so a choice made in one
// report is where every other report starts), cycle through patterns on
// each press of the button above the list, and write the flags back to the
// record files after an accepted dialog.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/base/types.h"

class CWnd;

class CAcctPicker {
 public:
  virtual ~CAcctPicker() = default;

  // Binds a list box or a combo box and lists every live account whose class
  // letter is among `classLetters` (all for null) as "%d/%s"; then Fill.
  void Attach(CWnd* control, const char* classLetters);
  // List box: the stored flags, then all, none, stored again, ... on each
  // call. Combo box: the first flagged account.
  void Fill();
  // The control's selection into the accounts' selected flags.
  void ReadSelection();
  // Writes every live account's flag into its record; false after a failure
  // (the error text tells the last one, and the loop went on).
  bool SaveSelection();
  // The flagged accounts in number order; their count.
  int GetSelectedIds(std::vector<int>& out) const;
  // The number of entries selected in the bound list box.
  int SelectedEntries() const;

  CString m_error;

 private:
  HWND Control() const;
  // The entry of an account, -1 when it is not listed.
  int FindEntry(int number) const;
  HWND list_ = nullptr;
  HWND combo_ = nullptr;
  int cycle_ = 0;
};

class CPassbookList {
 public:
  virtual ~CPassbookList() = default;

  // Lists the passbook holders that are not deleted: scouts, then adults,
  // then subunits, each in name order, marked as the member lists mark them.
  void Attach(CWnd* listBox);
  // The stored flags, then all, active only, none, stored again, ...
  void Fill();
  void ReadSelection();
  bool SaveSelection();
  // Member rows of the flagged members in index order; their count.
  int GetSelectedRows(std::vector<int>& out) const;
  int SelectedEntries() const;

  CString m_error;

 private:
  int FindEntry(int row) const;
  HWND list_ = nullptr;
  int cycle_ = 0;
};

// Shows a picker's failure to store its selection once, as a Warning.
void WarnPickerFailure(const CAcctPicker* accounts, const CPassbookList* passbooks);
