// The due dates of a schedule: generating them weekly or monthly over a
// range, counting them, and checking them before the schedule is saved.
#pragma once

#include <cstddef>

#include "store/Records.h"

inline constexpr int kDueDateSlots = 60;

// The used due-date slots (those with a date).
int CountDueDates(const ScheduleRecord& rec);

// Fills the due dates from `first` to `second` (both yyyymmdd, already
// checked) at the frequency letter ('W' weekly, 'M' monthly), keeping the
// amounts of the generated slots; every later slot is emptied with amount 0.
// A monthly date keeps the week of the month and the weekday of the first
// date. Returns the number of dates generated (never more than the slots).
int GenerateDueDates(ScheduleRecord* rec, char frequency, const char* first, const char* second);

// Checks the due dates: each must be a date, there must be at least one,
// and no date may appear twice. On a problem `message` receives the text to
// show and `slot` the slot concerned (-1 when none) and the result is 0.
int CheckDueDates(const ScheduleRecord& rec, char* message, size_t size, int* slot);
