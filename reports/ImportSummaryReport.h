// Report 27, the Import Summary: what the member import just did, read
// from its change log while the import still holds it open.
#pragma once

#include "reports/RptContext.h"

// 0 after a failure while committing or reading the log or writing the
// groups, 1 otherwise.
int BuildImportSummaryReport(RptContext* context);
void InstallImportSummaryReport();
