// The income/expense comparisons (11): what each chosen passbook received
// from or paid into each chosen account over a date range, beside the
// unit's actual activity in those accounts and the difference.
#pragma once

#include "reports/RptContext.h"

int BuildIncExpComparisonsReport(RptContext* context);
void InstallComparisonsReport();
