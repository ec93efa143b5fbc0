// The report date memory: the last date range entered in a report's
// parameter dialog, remembered for the current run of the program only
// (tied to the start counter of settings section "INSTANCE"); otherwise the
// defaults of the loaded fiscal year apply.
#pragma once

#include "platform/base/CString.h"

class CRptDates {
 public:
  CRptDates();
  virtual ~CRptDates();

  void EnsureLoaded();
  void Load();
  void Save();
  void GetDates(CString& first, CString& second, int code);
  CString GetFirstDate(int code);
  CString GetSecondDate(int code);
  void GetSecondDateInto(CString& out, int code);
  void SetDates(const char* first, const char* second, int code);
  void SetSecondDate(const char* second, int code);
  void StoreDate(const char* text, int code, CString& target);
  CString MonthEndDate(const char* name);
  void ResetToDefaults();

  int GetInstance() const { return instance_; }

 private:
  int instance_ = -1;
  CString first_;
  CString second_;
};

// The one report date memory of the program.
extern CRptDates RptDates;
