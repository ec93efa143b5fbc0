// The schedule reports: dues status (14) and scheduled payment status (21)
// per member type, the schedule tracker (32) with a cell per scheduled
// payment marked paid or open, and the schedule list (28).
#pragma once

#include "reports/RptContext.h"

// Each returns 1 when the report was written, 0 after a failure (shown).
int BuildPaymentStatusReport(RptContext* context);
int BuildScheduleTrackerReport(RptContext* context);
int BuildScheduleListReport(RptContext* context);
// Report 28's participants block of the schedule at `scheduleRow`, under
// the schedule's four header lines `headers`.
int WriteScheduleParticipants(RptContext* context, char (*headers)[256], int scheduleRow, char* error,
                              int errorSize);

void InstallScheduleReports();
