// A scope around a long operation: progress, abort and status texts go to
// the long-operation feature when the application enables it.
#pragma once

#include "platform/Afx.h"
#include "platform/base/CString.h"

class CGXLongOperation {
 public:
  CGXLongOperation();
  CGXLongOperation(const CGXLongOperation&) = delete;
  CGXLongOperation& operator=(const CGXLongOperation&) = delete;
  ~CGXLongOperation();

  void SetStatusText(LPCTSTR text);
  const CString& GetStatusText() const { return statusText_; }
  void ClearStatusText();
  BOOL SetProgress(DWORD done, DWORD total);
  BOOL PollAbort(BOOL& aborted);
  BOOL CheckElapsed();
  BOOL PumpMessages();
  // Whether this scope is the innermost one.
  BOOL IsInnermost() const;

  // Nesting of scopes while no feature takes them.
  static int GetNestingCount();

 private:
  CString statusText_;
  int level_ = 0;
};
