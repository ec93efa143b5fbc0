#include "records/ScheduleDates.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/Dates.h"
#include "common/DlgUtil.h"
#include "store/Queries.h"
#include "store/Xfer.h"

namespace {

int Digits(const char* text, int from, int count) {
  char part[8] = {};
  std::memcpy(part, text + from, static_cast<size_t>(count));
  return std::atoi(part);
}

void Message(char* out, size_t size, const char* text) { std::snprintf(out, size, "%s", text); }

}  // namespace

int CountDueDates(const ScheduleRecord& rec) {
  int n = 0;
  for (int i = 0; i < kDueDateSlots; ++i)
    if (rec.dueDates[i][0]) ++n;
  return n;
}

int GenerateDueDates(ScheduleRecord* rec, char frequency, const char* first, const char* second) {
  if (std::strlen(first) < 8 || std::strlen(second) < 8) return 0;
  int year = Digits(first, 0, 4), month = Digits(first, 4, 2), day = Digits(first, 6, 2);
  // The week of the month is fixed by the first date for the whole run.
  const int week = (day + 6) / 7;
  char current[16];
  std::snprintf(current, sizeof current, "%4.4d%2.2d%2.2d", year, month, day);
  int i = 0;
  while (i < kDueDateSlots && CompareDates(current, second, DF_YYYYMMDD) <= 0) {
    std::snprintf(rec->dueDates[i], sizeof rec->dueDates[i], "%.8s", current);
    ++i;
    NextScheduleDate(frequency, week, &day, &month, &year);
    std::snprintf(current, sizeof current, "%4.4d%2.2d%2.2d", year, month, day);
  }
  for (int k = i; k < kDueDateSlots; ++k) {
    std::memset(rec->dueDates[k], 0, sizeof rec->dueDates[k]);
    rec->amounts[k] = 0;
  }
  return i;
}

int CheckDueDates(const ScheduleRecord& rec, char* message, size_t size, int* slot) {
  *slot = -1;
  int last = -1;
  for (int i = 0; i < kDueDateSlots; ++i) {
    if (!rec.dueDates[i][0]) continue;
    last = i;
    char text[16];
    std::snprintf(text, sizeof text, "%.8s", rec.dueDates[i]);
    if (SkipChars(text, "0123456789") != nullptr) {
      Message(message, size, "Invalid date");
      *slot = i;
      return 0;
    }
    if (!ValidateField("Date", text, 0, FIELD_DATE, DF_YYYYMMDD, nullptr, nullptr, message, size)) {
      *slot = i;
      return 0;
    }
  }
  if (last < 0) {
    Message(message, size, "Dates:  You must identify dates for the schedule");
    return 0;
  }
  for (int i = 0; i < kDueDateSlots; ++i) {
    if (!rec.dueDates[i][0]) continue;
    for (int k = i + 1; k < kDueDateSlots; ++k)
      if (std::strcmp(rec.dueDates[i], rec.dueDates[k]) == 0) {
        char shown[16] = "";
        FormatDate(rec.dueDates[i], DF_YYYYMMDD, DF_MM_DD_YY, shown);
        std::snprintf(message, size, "Date:  The date %s is duplicated", shown);
        *slot = i;
        return 0;
      }
  }
  return 1;
}
