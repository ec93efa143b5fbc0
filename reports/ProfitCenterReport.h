// The profit centre report (34): for each chosen centre (an account group)
// its income, expense and profit or loss over a date range, each split into
// the unit's own share, the members' passbook share and their total;
// optionally per account and per member.
#pragma once

#include "platform/base/CString.h"
#include "reports/RptContext.h"

class CAcctGroup;
class CFiltSplits;

// Amounts of one report line (cents): rows income, expense, profit; columns
// unit, passbook, total. Expenses are held negative, as the filtered
// splits give them.
using CenterTable = long long[3][3];

// The profit row and the total column from the income and expense rows.
void CompleteCenterTotals(CenterTable& table);
bool HasCenterActivity(int include, const CenterTable& table);
// One line: the name in a 31-character column less the indent, then the
// selected cells (rows: 1 income, 2 expense, 3 all; columns: 2 passbook
// only, 3 all). Expenses print as positive amounts. `error` gets the
// write failure.
int WriteCenterLine(RptContext* context, int indent, int bold, const char* name, const CenterTable& table,
                    int rows, int columns, char* error, int errorSize);
// The centre's table from the filtered splits; an empty text on success.
CString SumCenterActivity(const CAcctGroup& group, CFiltSplits& splits, CenterTable& table);

int BuildProfitCenterReport(RptContext* context);
void InstallProfitCenterReport();
