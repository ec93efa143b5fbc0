// The general purpose worksheet (13): every active member of the chosen
// kinds with name and telephone number, under up to ten empty columns the
// treasurer headed, to be filled in by hand.
#pragma once

#include "reports/RptContext.h"

int BuildWorksheet(RptContext* context);
void InstallWorksheetReport();
