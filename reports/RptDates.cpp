#include "reports/RptDates.h"

#include <cstdio>

#include "common/ConfigFile.h"
#include "common/Dates.h"
#include "common/Settings.h"
#include "store/KeyTable.h"
#include "store/OpenYear.h"

CRptDates RptDates;

namespace {

CString Convert(const CString& date, int fromCode, int toCode) {
  char out[32];
  FormatDate(date, fromCode, toCode, out);
  return CString(out);
}

// Opening a fiscal year brings back that year's defaults.
const bool registered = [] {
  SetFiscalYearOpenedHook([] { RptDates.ResetToDefaults(); });
  return true;
}();

}  // namespace

CRptDates::CRptDates() = default;
CRptDates::~CRptDates() = default;

void CRptDates::EnsureLoaded() {
  if (instance_ != -1) return;
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "INSTANCE");
  instance_ = GetSettingInt(s, 'A', 0);
  CloseSettingsSection(s);
  Load();
}

void CRptDates::Load() {
  first_ = FiscalStartDate;
  second_ = CompareWithFiscalYear() == 0 ? TodayDate : FiscalEndDate;
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "RPTDATE");
  if (GetSettingInt(s, 'A', 0) == instance_) {
    char text[256];
    GetSettingText(s, 'B', first_, text);
    first_ = text;
    GetSettingText(s, 'C', second_, text);
    second_ = text;
  }
  CloseSettingsSection(s);
}

void CRptDates::Save() {
  SettingsSection* s = OpenSettingsSection(SettingsFileName, "RPTDATE");
  PutSettingInt(s, 'A', instance_);
  PutSettingText(s, 'B', first_);
  PutSettingText(s, 'C', second_);
  CloseSettingsSection(s);
}

void CRptDates::GetDates(CString& first, CString& second, int code) {
  EnsureLoaded();
  first = Convert(first_, DF_YYYYMMDD, code);
  second = Convert(second_, DF_YYYYMMDD, code);
}

CString CRptDates::GetFirstDate(int code) {
  EnsureLoaded();
  return Convert(first_, DF_YYYYMMDD, code);
}

CString CRptDates::GetSecondDate(int code) {
  EnsureLoaded();
  return Convert(second_, DF_YYYYMMDD, code);
}

void CRptDates::GetSecondDateInto(CString& out, int code) { out = GetSecondDate(code); }

void CRptDates::SetDates(const char* first, const char* second, int code) {
  EnsureLoaded();
  StoreDate(first, code, first_);
  StoreDate(second, code, second_);
  Save();
}

void CRptDates::SetSecondDate(const char* second, int code) {
  EnsureLoaded();
  StoreDate(second, code, second_);
  Save();
}

void CRptDates::StoreDate(const char* text, int code, CString& target) {
  if (code == DF_MON) target = MonthEndDate(text);
  else target = Convert(text, code, DF_YYYYMMDD);
}

CString CRptDates::MonthEndDate(const char* name) {
  for (int m = 0; m < 12; ++m) {
    if (CompareNoCase(name, MonthAbbrsUpper[m]) != 0) continue;
    int year = GetFiscalYearOfMonth(m);
    int day = (m == 1 && IsLeapYear(year)) ? 29 : MonthLengths[m];
    char out[40];
    std::snprintf(out, sizeof out, "%4.4d%2.2d%2.2d", year, m + 1, day);
    return CString(out);
  }
  return CString();
}

void CRptDates::ResetToDefaults() {
  instance_ = -1;
  Load();
  Save();
  EnsureLoaded();
}
