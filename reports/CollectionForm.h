// The payment collection form (22): what each passbook holder owes on each
// chosen scheduled account on the collection day, with a blank to write
// the amount paid in, and totals per patrol, member kind and unit.
#pragma once

#include "reports/RptContext.h"

int BuildPaymentCollectionForm(RptContext* context);
void InstallCollectionForm();
