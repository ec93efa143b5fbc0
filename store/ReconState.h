// The balancing state of one account, as the balancing dialog leaves it
// for the reconciliation statement: the lines of a fiscal year that touch
// the account (its own transactions and other transactions' support lines
// on it) with their cleared marks, and the figures of the last
// recomputation. The dialog owns it; the report only reads it.
#pragma once

#include <vector>

#include "platform/base/types.h"
#include "store/Records.h"

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

