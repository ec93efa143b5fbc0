// The sample contents of the gallery's list and tree, shared with the golden
// test of the common controls: a report list with a hidden key column and
// the second row selected, and a tree with one branch open and an item
// selected, and a calendar on a fixed day.
#pragma once

#include "platform/commctrl/ListView.h"
#include "platform/commctrl/MonthCal.h"
#include "platform/commctrl/TreeView.h"

namespace gallery {

inline void FillSampleList(CListCtrl& list, int amountWidth) {
  list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  list.InsertColumn(0, "Date", LVCFMT_LEFT, 60);
  list.InsertColumn(1, "Key", LVCFMT_LEFT, 0);
  list.InsertColumn(2, "Amount", LVCFMT_RIGHT, amountWidth);
  const char* rows[][3] = {{"09/01/26", "K1", "12.50"}, {"09/14/26", "K2", "1,250.00"}, {"10/02/26", "K3", "7.25"},
                           {"10/20/26", "K4", "60.00"}};
  for (int i = 0; i < 4; ++i) {
    list.InsertItem(i, rows[i][0]);
    list.SetItemText(i, 1, rows[i][1]);
    list.SetItemText(i, 2, rows[i][2]);
  }
  list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

inline void FillSampleTree(CTreeCtrl& tree) {
  HTREEITEM backup = tree.InsertItem("Backup");
  tree.InsertItem("Restoring", backup);
  HTREEITEM setup = tree.InsertItem("Setup");
  tree.InsertItem("General", setup);
  HTREEITEM printers = tree.InsertItem("Printers", setup);
  tree.InsertItem("Labels", printers);
  tree.Expand(setup, TVE_EXPAND);
  tree.SelectItem(printers);
}

// Today 12/10/2026, the 18th selected, the title in teal.
inline void SetSampleCalendar(CMonthCalCtrl& cal) {
  SYSTEMTIME day;
  day.wYear = 2026;
  day.wMonth = 12;
  day.wDay = 10;
  cal.SetToday(&day);
  day.wDay = 18;
  cal.SetCurSel(&day);
  cal.SetColor(MCSC_TITLEBK, RGB(0, 128, 128));
}

}  // namespace gallery
