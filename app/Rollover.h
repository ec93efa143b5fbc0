// The fiscal-year rollover: builds the next fiscal year out of the loaded
// one and loads it.
//
// The new year is built in a private working folder inside its data folder,
// out of copies of the loaded year's files; only when every step has
// succeeded are the files moved into the data folder, the year recorded in
// the configuration and opened. Whatever fails, the loaded year's own files
// are never written, and the old year is loaded and current again. A year
// already in the folder (rolled over onto) is replaced whole or not at all:
// its files are kept aside in the working folder until the configuration
// names the new year. A journal in the program folder lets the next start
// finish or undo a rollover that was stopped part-way.
#pragma once

#include "common/Dates.h"
#include "store/Records.h"

// 1 when the new year is loaded and current; 0 when the rollover was
// refused or cancelled (after its messages) and the old year is loaded.
// `firstMonth`: "Jan" to "Dec" (any case); `budgetMode`: 0 keep the old
// budgets, 1 rebuild them from the actual figures, 2 exclude them;
// `friendYears`: 0 drops no friend, else the lapsed years that drop one.
int DoRollover(const char* folder, const char* firstMonth, int firstMonthYear, int newYear, int keepAllAccounts,
               int budgetMode, int friendYears);

// Whether `folder` is the loaded year's own folder (by any path to it), and
// the refusal shown for it.
bool IsLoadedYearFolder(const char* folder);
inline constexpr const char* kLoadedYearFolderRefusal =
    "Fiscal Year Folder:  The new fiscal year may not use the folder of the loaded year";

// The steps, on the open (new) year. Each shows its own message on failure.
bool RolloverBudgets(int mode);
bool RolloverSchedules(const char* firstMonth, int year);
bool RolloverParticipants(int scheduleRow, LONG scheduleAccount, const char* newStart);
void RolloverScheduleDates(ScheduleRecord& schedule, const char* oldStart, const char* newStart);
void ShiftDateMonths(int months, char (&date)[9]);
bool RolloverAccounts(int keepAll);
bool RolloverEquipment();
bool RolloverFriends(int years, const char* newYearText);
bool RolloverReserves();
bool RolloverMembers();
// Stores the new first month and start year in the unit file; 1 on success.
int SetFiscalFirstMonth(const char* firstMonth, int year);
// Index 0-11 of a month abbreviation (any case); -1 when none.
int MonthAbbrIndex(const char* abbr);

// A seam for tests: when set, asked before each point of the rollover (-2
// making the folder, -1 copying the files, 0-13 the steps); false fails
// that point as its own failure would.
using RolloverFaultGate = bool (*)(int point);
void SetRolloverFaultGate(RolloverFaultGate gate);
