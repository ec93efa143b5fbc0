// The state of an account's balancing: the lines of a fiscal year that
// touch the account (its own transactions and other transactions' support
// lines on it) with their cleared marks, and the figures that the
// reconciliation statement reports.
#pragma once

#include <vector>

#include "platform/base/types.h"
#include "store/ReconState.h"
#include "store/Records.h"

struct FiscalYearNode;

extern ReconContext TheReconContext;
void ResetReconContext();

// Builds the list of one fiscal year for `account`. For the previous year
// (thisYear 0) the loaded year's transaction and support-line files and
// tables are swapped for `year`'s (in `folder`) and always swapped back
// before returning, on every path. 1 on success; 0 after the failure's
// message, with the list emptied.
int LoadReconItems(int account, const char* folder, const FiscalYearNode* year, int thisYear, ReconList* list);

// Writes the marks that changed back into that year's records (the
// previous year's files swapped in and back as above). 1 on success; marks
// written before a failure stay written.
int SaveClearedFlags(const char* folder, const FiscalYearNode* year, int thisYear, const ReconList& list);

// The number of items of a list (its end mark not counted).
int ReconCount(const ReconList& list);
