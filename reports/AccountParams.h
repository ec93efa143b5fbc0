// Parameter dialogs and launchers of the account detail (4), account
// register (31), transaction register form (23), profit centre (34),
// schedule (14, 21 and 32 share one) and schedule list (28) reports.
#pragma once

#include "reports/RptContext.h"

int GetRpt4Params(RptContext* context);
int GetRpt31Params(RptContext* context);
int GetRpt23Params(RptContext* context);
int GetRpt34Params(RptContext* context);
// `account` fixes the account (599 for the dues status report), 0 leaves it
// to the user; the report number comes from the context.
int GetRpt21Params(RptContext* context, int account);
int GetRpt28Params(RptContext* context);

void InstallAccountLaunchers();
