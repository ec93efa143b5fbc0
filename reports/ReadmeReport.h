// Report 91: a plain text file (the README) shown as a report, so that it
// can be previewed, printed and saved like any other.
#pragma once

#include "reports/RptContext.h"

// The file's path is the context's owner (a zero-terminated path).
int BuildReadmeReport(RptContext* context);
// Registers report 91.
void InstallTextFileReport();
