// The configuration file "config4.sl" and the list of known fiscal years.
//
// The file names the current fiscal year, the program folder, the data
// folder of every known fiscal year, the data version and the trace level.
// It is read once at start (a failure ends the start) and rewritten whole,
// through a temporary file and a rename, whenever the set of years or the
// current year changes.
#pragma once

#include <cstddef>

#include "platform/base/types.h"

struct FiscalYearNode {
  char year[5];      // four digits
  char folder[263];  // the year's data folder
  FiscalYearNode* next;
};

extern char CurrentFiscalYear[5];    // the fiscal year loaded at start
extern char FiscalYearYY[3];         // its last two digits
extern char ProgramFolder[MAX_PATH];
extern char FaqFolder[MAX_PATH];     // the FAQ folder of the resources; set with ProgramFolder
extern int TraceLevel;               // above 0: the trace file is written
extern FiscalYearNode* YearList;
extern FiscalYearNode* CurrentYearNode;  // null when the current year has no folder
extern int YearCount;

// Full path of the configuration file; filled by InitConfigFileName (or the
// start-up) before ReadWriteConfig runs.
extern char ConfigFileName[MAX_PATH];
// "config%s.sl" with the data version's major number, in the program's
// per-user folder (DefaultProgramFolder).
void InitConfigFileName();

// Mode 0 reads the file into the globals, mode 1 writes the globals to the
// file. 1 on success, 0 on failure (after its message).
int ReadWriteConfig(int mode);

// Finds a year in the list; with `create` appends a new node when absent.
// Null when absent (and not created) or when memory runs out.
FiscalYearNode* FindYearNode(const char* year, int create, FiscalYearNode** head);
// Sorts the list by year, checks it (not empty, no empty year or folder),
// sets CurrentYearNode and YearCount. 1 when the check held.
int SortYearList();
// Frees every node of YearList and clears CurrentYearNode and YearCount.
void FreeYearList();
// Removes one year's node from YearList (year deletion); 1 when found.
int RemoveYearNode(const char* year);

// Two-digit year to four digits: 51-99 are 19yy, 00-50 are 20yy.
int ExpandYear(int yy);
// With `whole` 0 the year folder "fy<year>" inside `root` (an existing folder
// of that name in another case is that folder), else `root` itself.
// A folder that does not fit `out` gives an empty text.
void GetYearFolder(int whole, const char* root, const char* year, char* out, size_t size);
template <size_t N>
void GetYearFolder(int whole, const char* root, const char* year, char (&out)[N]) {
  GetYearFolder(whole, root, year, out, N);
}
// -1 when today lies before the loaded fiscal year, +1 after it, 0 inside.
int CompareWithFiscalYear();
