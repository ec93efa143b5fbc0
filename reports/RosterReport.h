// The unit roster (8): every chosen scout and adult with address, phones,
// parents or spouse and, on request, e-mail and remarks; and the passbook
// balances (10): each passbook's opening, income or expense, ending,
// reserved and available money, with totals per patrol, type and unit.
#pragma once

#include "reports/RptContext.h"

int BuildRosterReport(RptContext* context);
int BuildPassbookBalancesReport(RptContext* context);
void InstallRosterReports();
