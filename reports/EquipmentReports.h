// The equipment inventory (5): the unit's equipment items with purchase
// data and values, filtered and optionally grouped by a category; and the
// blank inventory form (24) for taking an inventory by hand.
#pragma once

#include "reports/RptContext.h"

int BuildEquipmentInventoryReport(RptContext* context);
int BuildEquipmentInventoryForm(RptContext* context);
void InstallEquipmentReports();
