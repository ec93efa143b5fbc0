// The state of an account's balancing: the lines of a fiscal year that
// touch the account (its own transactions and other transactions' support
// lines on it) with their cleared marks, and the figures that the
// reconciliation statement reports.
#pragma once

#include <vector>

#include "platform/base/types.h"
#include "store/Records.h"

struct FiscalYearNode;

struct ReconItem {
  LONG amount = 0;         // cents as stored; the side is the factor's
  LONG factor = 0;         // +1 the line increases the account's balance
  LONG row = -1;           // transaction or support-line row; -1 ends a list
  LONG thisYear = 0;       // 1 from the loaded year's files, 0 the previous year's
  LONG clearedAtLoad = 0;  // the mark as read
  LONG cleared = 0;        // the mark as the user set it
  LONG isTransaction = 0;  // 1 the account's own transaction, 0 a support line
  char number[9] = {};     // the transaction's number; empty for support lines
  char date[9] = {};       // mm/dd/yy
  char description[30] = {};
};

// A list of items ends with an item whose row is -1 (the vector holds it).
using ReconList = std::vector<ReconItem>;

// The figures of the last balancing, shared with the reconciliation
// statement (report 16). Reset when a balancing dialog is made.
struct ReconContext {
  const AccountRecord* account = nullptr;
  char statementDate[7] = {};  // mmddyy
  long statementBalance = 0;
  long unclearedIncreases = 0;
  long unclearedDecreases = 0;
  const ReconList* previousItems = nullptr;  // null until loaded
  const ReconList* items = nullptr;
};
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
