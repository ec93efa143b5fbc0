// Filtered passbook splits: every amount that the year's support lines put
// on a set of support accounts, split into the unit's own part and each
// member's passbook share, gathered once into a temporary file of 16-byte
// rows ("filtsplt.tmp") with a row index ordered by passbook. The
// profit-centre report asks it for totals. Failures are not shown: they are
// left in the error text for the caller.
#pragma once

#include <cstdio>

#include "common/ErrorText.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"

// One row of the temporary file (read and written field by field).
struct FiltSplitRow {
  LONG inRange = 0;    // 1 when the transaction's date lies within the range
  LONG account = 0;    // the support account
  LONG passbook = -1;  // position in the first member index; -1 the unit's part
  LONG amount = 0;     // cents
};
inline constexpr int kFiltSplitRowSize = 16;
void PackFiltSplitRow(const FiltSplitRow& row, BYTE* out);
void UnpackFiltSplitRow(const BYTE* in, FiltSplitRow& row);

class CFiltSplits {
 public:
  CFiltSplits();
  virtual ~CFiltSplits();
  CFiltSplits(const CFiltSplits&) = delete;
  CFiltSplits& operator=(const CFiltSplits&) = delete;

  // Dates are yyyymmdd; an empty date leaves that side of the range open.
  int Initialize(const CString& folder, const CString& fromDate, const CString& toDate,
                 const CUIntArray& accounts);
  // Totals of the rows with this range flag whose account and passbook are
  // in the lists (an empty list takes every one).
  int Sum(int rangeFlag, const CUIntArray& accounts, const CUIntArray& passbooks, int* unitTotal,
          int* memberTotal);
  // The next passbook group of matching rows (the unit's part first): income
  // accounts into incomeTotal, every other into otherTotal. 0 at the end.
  int GetNextPass(int restart, int rangeFlag, const CUIntArray& accounts, int* passbook, int* incomeTotal,
                  int* otherTotal);
  // Sorts the rows of the file itself by passbook, then account.
  int Sort();

  int Open(int create);
  int Close();

  const CString& GetErrorText() const { return errorText_; }
  const CString& GetPath() const { return path_; }
  // Row numbers ordered by passbook (the unit's rows first).
  const CUIntArray& RowIndex() const { return rowIndex_; }

 private:
  int ReadRow(int row, FiltSplitRow& out);
  int WriteRow(int row, const FiltSplitRow& in);
  void SetError(ErrorTextIndex index, const char* item);
  int Result() const { return errorText_.IsEmpty() ? 1 : 0; }

  CString errorText_;
  CString folder_;
  CString path_;
  FILE* file_ = nullptr;
  int openCount_ = 0;
  int passCursor_ = 0;
  CUIntArray rowIndex_;
};
