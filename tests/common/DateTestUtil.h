// The dates the date-edit tests stand on: today 15 November 2003, inside the
// loaded fiscal year ending 30 June 2004, and no last date yet.
#pragma once

#include <cstring>

#include "common/DateEdit.h"
#include "common/Dates.h"

inline void SetTodayInsideFiscalYear() {
  std::strcpy(TodayDate, "20031115");
  std::strcpy(FiscalEndDate, "20040630");
  TodayVsFiscalYear = 0;
  LastDateText[0] = '\0';
}
