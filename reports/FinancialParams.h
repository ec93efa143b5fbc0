// Parameter dialogs and launchers of the financial reports: monthly (1) and
// annual (3) income/expense, financial statement (2), annual budget (6),
// budget status (7), account list (18) and account summary (30).
#pragma once

#include "reports/RptContext.h"

int GetRpt1Params(RptContext* context);
int GetRpt2Params(RptContext* context);
int GetRpt3Params(RptContext* context);
int GetRpt6Params(RptContext* context);
int GetRpt7Params(RptContext* context);
int GetRpt18Params(RptContext* context);
int GetRpt30Params(RptContext* context);

void InstallFinancialLaunchers();
