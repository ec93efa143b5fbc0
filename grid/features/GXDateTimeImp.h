// Date and time texts of the grid library. Two variants behind one
// interface: one reads the locale's short-date pattern and parses by its
// own rules, the other hands the work to the OLE date type. The first
// registrar called installs its variant.
#pragma once

#include "grid/core/GXFeatures.h"

class CGXNoOleDateTimeImp : public CGXAbstractDateTimeImp {
 public:
  void RefreshLocale() override;
  int GetDateOrder(BOOL refresh, BOOL* fourDigitYear, TCHAR* separator) override;
  TCHAR GetTimeSeparator(BOOL refresh) override;
  BOOL ParseTimestamp(GXTimestamp& out, LPCTSTR text, int order) override;
  BOOL ParseTm(struct tm& out, LPCTSTR text, int order) override;
  void FormatTimestamp(CString& out, const GXTimestamp& value) override;
  void FormatTime(CString& out, const CTime& value) override;

 protected:
  // A locale setting as text (the short-date pattern, the time separator).
  virtual CString ReadLocale(DWORD setting);
};

class CGXOleDateTimeImp : public CGXAbstractDateTimeImp {
 public:
  void RefreshLocale() override {}
  int GetDateOrder(BOOL refresh, BOOL* fourDigitYear, TCHAR* separator) override;
  TCHAR GetTimeSeparator(BOOL refresh) override;
  BOOL ParseTimestamp(GXTimestamp& out, LPCTSTR text, int order) override;
  BOOL ParseTm(struct tm& out, LPCTSTR text, int order) override;
  void FormatTimestamp(CString& out, const GXTimestamp& value) override;
  void FormatTime(CString& out, const CTime& value) override;
};

// The installed variant's date order (3 without one) and time separator
// (":" without one).
int GXGetDateOrder(BOOL refresh, BOOL* fourDigitYear, TCHAR* separator);
TCHAR GXGetTimeSeparator(BOOL refresh);

BOOL GXIsLeapYear(int year);
int GXDaysInMonth(int month, int year);
