// Parameter dialogs and launchers of the member reports: the roster (8) and
// passbook balances (10), which share one, and the member statements:
// income/expense totals (9), transaction details (17), payment details (20)
// and reserve totals (29).
#pragma once

#include "reports/RptContext.h"

int GetRpt8Params(RptContext* context);  // reports 8 and 10
int GetRpt9Params(RptContext* context);
int GetRpt17Params(RptContext* context);
int GetRpt20Params(RptContext* context);
int GetRpt29Params(RptContext* context);

void InstallMemberLaunchers();
