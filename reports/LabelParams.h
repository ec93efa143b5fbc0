// Parameter dialogs and launchers of the mailing labels (15, built as one
// of the label kinds 150-155), the equipment labels (25) and the equipment
// inventory report (5).
#pragma once

#include "reports/RptContext.h"

int GetRpt15Params(RptContext* context);
int GetRpt25Params(RptContext* context);
int GetRpt5Params(RptContext* context);

void InstallLabelLaunchers();
