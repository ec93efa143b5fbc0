// Parameter dialogs and launchers of the income/expense comparisons (11),
// friends of scouting (12), general purpose worksheet (13), payment
// collection form (22) and personal savings cards (33).
#pragma once

#include "reports/RptContext.h"

int GetRpt11Params(RptContext* context);
int GetRpt12Params(RptContext* context);
int GetRpt13Params(RptContext* context);
int GetRpt22Params(RptContext* context);
int GetRpt33Params(RptContext* context);

void InstallFormLaunchers();
