// The keys of a sort: which column (row) to compare, how, and in which
// direction. Sorting fills the two detection words while it looks at the
// values, and writes the detected type back into the key.
#pragma once

#include <vector>

#include "platform/Afx.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"

struct CGXSortInfo {
  enum SortType : DWORD { numeric = 0, alphanumeric = 1, date = 2, autodetect = 3 };
  enum SortOrder : DWORD { ascending = 0, descending = 1 };

  DWORD nRC = 0;  // the key column when sorting rows, the key row when sorting columns
  DWORD sortType = autodetect;
  DWORD sortOrder = ascending;
  DWORD bCase = 0;
  DWORD reserved = 0;
  DWORD bMayBeNumber = 0;  // detection at work
  DWORD bMayBeDate = 0;
};

class CGXSortInfoArray : public CArray<CGXSortInfo, const CGXSortInfo&> {};

// One row (column) of a sort: its key texts, the converted values of its
// numeric and date keys, and its offset in the range before sorting.
struct CGXSortRecord {
  std::vector<CString> texts;
  std::vector<double> values;
  DWORD index = 0;
};
