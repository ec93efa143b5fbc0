// The friends of scouting (12): each donor's name, address and telephone
// numbers and, on request, remarks and the four years' donations with
// their totals.
#pragma once

#include "reports/RptContext.h"

int BuildFriendsReport(RptContext* context);
void InstallFriendsReport();
