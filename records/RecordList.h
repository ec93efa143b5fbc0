// The list of a management dialog, whichever control the template holds: a
// report-style list view (one column per tab-separated part of a row's
// text) or a list box (the text as it is, with its tab stops). Each row
// carries a number of the caller's, usually the record's position in the
// entity's primary index.
#pragma once

#include "platform/base/CString.h"
#include "platform/base/types.h"

class CWnd;

class RecordList {
 public:
  // Attaches to the control `id` of `dlg`; false when there is none.
  bool Attach(CWnd* dlg, int id);
  bool IsListView() const { return m_listView; }
  HWND Handle() const { return m_hwnd; }

  void Clear();
  // Appends a row; the list box of a sorted template places it itself.
  // Returns the row's index.
  int Add(const char* text, LPARAM data);
  void Remove(int index);
  int Count() const;
  // The selected row (the first one of a multiple selection), -1 none.
  int Selected() const;
  // Selects `index` alone (-1 clears) and brings it into view; with
  // `toTop` a list box scrolls it to the top.
  void Select(int index, bool toTop = false);
  LPARAM Data(int index) const;
  // The row whose data is `data`, -1 none.
  int FindData(LPARAM data) const;
  // A column's text (a list box has one column, its whole text).
  CString Text(int index, int column = 0) const;

 private:
  HWND m_hwnd = nullptr;
  bool m_listView = false;
};
