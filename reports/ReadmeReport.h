// Report 91: a plain text file (the README) shown as a report, so that it
// can be previewed, printed and saved like any other.
#pragma once

#include <string>

#include "reports/RptContext.h"

// The file's path is the context's owner (a zero-terminated path).
int BuildReadmeReport(RptContext* context);
// One line of a plain text file as full-width report lines (no mark-up,
// tabs to blanks; a line too long for one record continues on the next),
// each after making room. 0 when writing failed.
int WritePlainTextLine(RptContext* context, const std::string& line);
// Registers report 91.
void InstallTextFileReport();
